#include "report/match_cursor.h"

#include <algorithm>

namespace tessaly::report {

void MatchCursor::setMatches(std::vector<std::size_t> matches, std::size_t from)
{
    m_matches = std::move(matches);
    const auto at = std::lower_bound(m_matches.begin(), m_matches.end(), from);
    m_current = at == m_matches.end() ? 0 : std::size_t(at - m_matches.begin());
}

std::optional<std::size_t> MatchCursor::current() const
{
    if (m_matches.empty())
        return std::nullopt;
    return m_matches[m_current];
}

std::optional<std::size_t> MatchCursor::currentNumber() const
{
    if (m_matches.empty())
        return std::nullopt;
    return m_current + 1;
}

std::optional<std::size_t> MatchCursor::next()
{
    if (!m_matches.empty())
        m_current = (m_current + 1) % m_matches.size();
    return current();
}

std::optional<std::size_t> MatchCursor::previous()
{
    if (!m_matches.empty())
        m_current = (m_current + m_matches.size() - 1) % m_matches.size();
    return current();
}

} // namespace tessaly::report
