#include "report/report.h"

namespace tessaly::report {

std::string Report::lastLine() const
{
    return m_lines.empty() ? std::string() : m_lines.back();
}

void Report::appendLine(const std::string& line)
{
    m_lines.push_back(line);
    if (m_observer)
        m_observer->linesChanged(m_lines.size() - 1);
}

void Report::removeLastLine()
{
    if (m_lines.empty())
        return;
    m_lines.pop_back();
    if (m_observer)
        m_observer->linesChanged(m_lines.size());
}

void Report::clear()
{
    m_lines.clear();
    m_marked.clear();
    if (m_observer)
        m_observer->cleared();
}

void Report::markLines(std::vector<bool> marked)
{
    m_marked = std::move(marked);
    if (m_observer)
        m_observer->marksChanged();
}

} // namespace tessaly::report
