#include "report/report_filter.h"

namespace tessaly::report {

namespace {
constexpr std::string_view successLine = "No errors or warnings detected";
constexpr std::string_view versionBanner = "Epubcheck Version 1.0.5";
} // namespace

bool ReportFilter::isSuccessLine(std::string_view report)
{
    // Current checkers end the success line with a period; older ones did not.
    if (report.ends_with('.'))
        report.remove_suffix(1);
    return report == successLine;
}

void ReportFilter::add(const std::string& report, bool startsOnNewLine)
{
    m_checkstr = report;
    if (!startsOnNewLine && m_lastReportAdded)
        m_lines.removeLastLine();
    m_lastReportAdded = filter(report);
}

// Adds what the report shows, if anything; true when a line was added.
bool ReportFilter::filter(const std::string& report)
{
    if (isSuccessLine(report)) {
        if (m_lines.lastLine() == passedLine)
            return false;
        m_lines.appendLine(std::string(passedLine));
        return true;
    }
    if (report.empty()) {
        if (m_lines.lastLine().empty())
            return false;
        m_lines.appendLine({});
        return true;
    }
    if (report == versionBanner)
        return false;
    m_lines.appendLine(report);
    return true;
}

} // namespace tessaly::report
