#include "app/report_filter.h"

namespace tessaly::app {

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

void ReportFilter::add(const std::string& report)
{
    m_checkstr = report;
    if (isSuccessLine(report)) {
        if (m_lines.lastLine() != passedLine)
            m_lines.appendLine(std::string(passedLine));
        return;
    }
    if (report.empty()) {
        if (!m_lines.lastLine().empty())
            m_lines.appendLine({});
        return;
    }
    if (report == versionBanner)
        return;
    m_lines.appendLine(report);
}

} // namespace tessaly::app
