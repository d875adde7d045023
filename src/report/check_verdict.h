#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tessaly::report {

// The counts of the checker's summary line
// "Messages: N fatals / N errors / N warnings / N infos".
struct MessageCounts {
    int fatals = 0;
    int errors = 0;
    int warnings = 0;
    int infos = 0;
    bool operator==(const MessageCounts&) const = default;
};

// The summary line's counts, or nothing when the line is not one.
std::optional<MessageCounts> parseSummaryLine(std::string_view line);

// What a check came to, for lists and summaries of many books.
enum class VerdictKind {
    Passed,        // no errors and no warnings
    Warnings,      // warnings but no errors
    Errors,        // errors (fatals included)
    CheckerFailed, // no trustworthy summary (see checkVerdict)
};

struct Verdict {
    VerdictKind kind = VerdictKind::CheckerFailed;
    MessageCounts counts; // all zero when the checker failed
    std::string text;     // checkVerdict's text
};

Verdict verdictOf(std::uint32_t exitCode, const std::vector<std::string>& reportLines);

// The one verdict the user reads when a check ends, from the checker's exit
// code and its summary line together: "Passed", "N errors, N warnings"
// (fatals counted as errors), or "The checker failed (exit code N)" when
// there is no summary or the exit code and the summary disagree. It never
// says "Passed" unless the checker exited with 0.
std::string checkVerdict(std::uint32_t exitCode, const std::vector<std::string>& reportLines);

} // namespace tessaly::report
