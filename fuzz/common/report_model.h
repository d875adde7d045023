#pragma once

// A plain model of how the checker's output becomes the report, for the fuzz
// targets to hold the real reader and report filter against: the console
// rules applied byte by byte give the output's lines, and the filter's rules
// applied to whole lines give the report.

#include "report/report_filter.h"

#include <string>
#include <string_view>
#include <vector>

namespace tessaly::fuzz {

// The report as a list of lines.
class Lines : public tessaly::report::ReportLines {
public:
    std::string lastLine() const override { return lines.empty() ? std::string() : lines.back(); }
    void appendLine(const std::string& line) override { lines.push_back(line); }
    void removeLastLine() override { lines.pop_back(); }
    std::vector<std::string> lines;
};

// The console's lines, byte by byte: NUL and BEL are spaces, backspace
// moves left, tab writes eight spaces, carriage return goes to the start,
// line feed ends the line. An open last line with text counts as a line.
inline std::vector<std::string> consoleLines(std::string_view bytes)
{
    std::vector<std::string> lines;
    std::string line;
    std::size_t cursor = 0;
    auto put = [&](std::string_view text) {
        if (line.size() < cursor + text.size())
            line.resize(cursor + text.size());
        line.replace(cursor, text.size(), text);
        cursor += text.size();
    };
    for (const char byte : bytes) {
        switch (byte) {
        case 0: case 7: put(" "); break;
        case 8: cursor = cursor > 0 ? cursor - 1 : 0; break;
        case 9: put("        "); break;
        case 10: lines.push_back(line); line.clear(); cursor = 0; break;
        case 13: cursor = 0; break;
        default: put(std::string_view(&byte, 1)); break;
        }
    }
    if (!line.empty())
        lines.push_back(line);
    return lines;
}

// The filter's rules on whole lines.
inline std::vector<std::string> reportOf(const std::vector<std::string>& lines)
{
    const std::string passed(tessaly::report::ReportFilter::passedLine);
    std::vector<std::string> report;
    auto last = [&] { return report.empty() ? std::string() : report.back(); };
    for (const auto& line : lines) {
        if (line == "No errors or warnings detected" || line == "No errors or warnings detected.") {
            if (last() != passed)
                report.push_back(passed);
        } else if (line.empty()) {
            if (!last().empty())
                report.push_back(line);
        } else if (line != "Epubcheck Version 1.0.5") {
            report.push_back(line);
        }
    }
    return report;
}

} // namespace tessaly::fuzz
