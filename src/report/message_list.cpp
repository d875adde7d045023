#include "report/message_list.h"

#include <algorithm>

namespace tessaly::report {

std::size_t MessageList::follow(const std::vector<std::string>& lines, std::size_t keptLines)
{
    const std::size_t kept = std::min({keptLines, m_seenLines, lines.size()});
    // Messages are in report order: the changed ones are a tail.
    while (!m_reportLines.empty() && m_reportLines.back() >= kept) {
        --m_counts[std::size_t(m_messages.back().severity)];
        m_messages.pop_back();
        m_reportLines.pop_back();
    }
    const std::size_t keptMessages = m_messages.size();
    for (std::size_t line = kept; line < lines.size(); ++line) {
        if (auto message = parseReportMessage(lines[line], m_bookName)) {
            ++m_counts[std::size_t(message->severity)];
            m_messages.push_back(std::move(*message));
            m_reportLines.push_back(line);
        }
    }
    m_seenLines = lines.size();
    return keptMessages;
}

void MessageList::clear()
{
    m_messages.clear();
    m_reportLines.clear();
    m_counts = {};
    m_seenLines = 0;
}

} // namespace tessaly::report
