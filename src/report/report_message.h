#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tessaly::report {

// How serious a message is, most serious first (the order views sort by).
enum class Severity { Fatal, Error, Warning, Info, Usage };
inline constexpr std::size_t severityCount = 5;

// The word the checker writes for a severity ("FATAL" ...).
std::string_view severityName(Severity severity);
std::optional<Severity> severityFromName(std::string_view name);

// One message of the checker, as it reports it on one line:
//   ERROR(RSC-005): books/manual.epub/OEBPS/c1.xhtml(2,92): Error while parsing file: ...
//   FATAL(PKG-008): made/empty.epub(-1,-1): Unable to read file "zip file is empty".
struct ReportMessage {
    Severity severity = Severity::Error;
    std::string code;      // "RSC-005"; empty when the line has none
    std::string file;      // path inside the book; empty for the book itself
    std::string fragment;  // after '#' in the location, without it
    std::optional<int> line;   // 1-based; none where the checker wrote -1
    std::optional<int> column; // 1-based; none where the checker wrote -1
    std::string text;
    // The line as the checker wrote it, for copying the message back out.
    std::string reportLine;

    bool hasLocation() const { return !file.empty(); }
    bool operator==(const ReportMessage&) const = default;
};

// The message a report line holds, or nothing when the line is other report
// text (the version line, the summary, stack traces, notes).
//
// The checker writes the book's path before the path inside it, relative to
// its working folder even when it was given an absolute path, so the split
// is found by the book's file name (bookName, e.g. "manual.epub"); without
// one, after the first ".epub/" of the location. The location ends at the
// first "(line,column): ".
std::optional<ReportMessage> parseReportMessage(std::string_view line, std::string_view bookName = {});

} // namespace tessaly::report
