#pragma once

#include <string>
#include <string_view>

namespace tessaly::report {

// The report as the filter sees it: a list of lines that can be appended to,
// whose last line reads as empty while the list is empty.
class ReportLines {
public:
    virtual ~ReportLines() = default;
    virtual std::string lastLine() const = 0;
    virtual void appendLine(const std::string& line) = 0;
    virtual void removeLastLine() = 0;
};

// Turns the checker's output, one report at a time, into the lines the user
// reads: the success line becomes "Passed! No errors or warnings detected"
// (never twice in a row), runs of empty reports become one empty line (never
// at the top), and the checker's version banner is dropped. A report that
// continues the line reported before (startsOnNewLine false) takes the place
// of what that earlier report added, so a line that arrives in parts is
// shown once and whole.
class ReportFilter {
public:
    static constexpr std::string_view passedLine = "Passed! No errors or warnings detected";

    explicit ReportFilter(ReportLines& lines) : m_lines(lines) {}

    void add(const std::string& report, bool startsOnNewLine = true);

    // The most recent report handed to add().
    const std::string& checkstr() const { return m_checkstr; }

private:
    static bool isSuccessLine(std::string_view report);
    bool filter(const std::string& report);

    ReportLines& m_lines;
    std::string m_checkstr;
    bool m_lastReportAdded = false; // the previous report added the last line
};

} // namespace tessaly::report
