#include "app/message_feed.h"

#include <algorithm>

namespace tessaly::app {

MessageFeed::MessageFeed(report::Report& report, report::MessageList& list, report::MessageTable& table,
                         std::function<void()> changed)
    : m_report(report)
    , m_list(list)
    , m_table(table)
    , m_changed(std::move(changed))
{
    m_timer.setSingleShot(true);
    m_timer.setInterval(GatherInterval);
    connect(&m_timer, &QTimer::timeout, this, [this] { flush(); });
    m_report.addObserver(this);
    if (!m_report.lines().empty())
        linesChanged(0);
}

MessageFeed::~MessageFeed() { m_report.removeObserver(this); }

void MessageFeed::linesChanged(std::size_t keptLines)
{
    m_pendingFrom = std::min(m_pendingFrom, keptLines);
    if (!m_timer.isActive())
        m_timer.start();
}

void MessageFeed::cleared()
{
    m_timer.stop();
    m_pendingFrom = noChange;
    m_list.clear();
    m_table.messagesChanged(0);
    if (m_changed)
        m_changed();
}

void MessageFeed::flush()
{
    m_timer.stop();
    if (!hasPendingChanges())
        return;
    const std::size_t from = std::min(m_pendingFrom, m_report.lines().size());
    m_pendingFrom = noChange;
    m_table.messagesChanged(m_list.follow(m_report.lines(), from));
    if (m_changed)
        m_changed();
}

} // namespace tessaly::app
