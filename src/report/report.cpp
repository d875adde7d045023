#include "report/report.h"

namespace tessaly::report {

void Report::setObserver(Observer* observer)
{
    m_observers.clear();
    if (observer)
        m_observers.push_back(observer);
}

void Report::addObserver(Observer* observer)
{
    if (observer && std::find(m_observers.begin(), m_observers.end(), observer) == m_observers.end())
        m_observers.push_back(observer);
}

void Report::removeObserver(Observer* observer)
{
    std::erase(m_observers, observer);
}

template <typename Call>
void Report::tell(Call call)
{
    // A copy: an observer may stop observing while it is told.
    const std::vector<Observer*> observers = m_observers;
    for (Observer* observer : observers)
        call(*observer);
}

std::string Report::lastLine() const
{
    return m_lines.empty() ? std::string() : m_lines.back();
}

void Report::appendLine(const std::string& line)
{
    m_lines.push_back(line);
    tell([&](Observer& o) { o.linesChanged(m_lines.size() - 1); });
}

void Report::removeLastLine()
{
    if (m_lines.empty())
        return;
    m_lines.pop_back();
    tell([&](Observer& o) { o.linesChanged(m_lines.size()); });
}

void Report::clear()
{
    m_lines.clear();
    m_marked.clear();
    tell([](Observer& o) { o.cleared(); });
}

void Report::markLines(std::vector<bool> marked)
{
    m_marked = std::move(marked);
    tell([](Observer& o) { o.marksChanged(); });
}

} // namespace tessaly::report
