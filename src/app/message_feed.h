#pragma once

#include "report/message_list.h"
#include "report/message_table.h"
#include "report/report.h"

#include <QObject>
#include <QTimer>
#include <functional>
#include <limits>

namespace tessaly::app {

// Keeps a message list and its table in step with a report while a check
// writes it. Changes are gathered and taken in one go shortly after they
// come, so a burst of thousands of lines costs one parse of the new lines
// and one merge into the table, between which the window paints.
class MessageFeed : public QObject, private report::Report::Observer {
public:
    // How long changes gather before they are taken, in milliseconds.
    static constexpr int GatherInterval = 20;

    // Observes the report until it goes; report, list and table outlive
    // it. `changed` runs after the table took changes in.
    MessageFeed(report::Report& report, report::MessageList& list, report::MessageTable& table,
                std::function<void()> changed);
    ~MessageFeed() override;

    // Takes everything that is waiting, now.
    void flush();
    bool hasPendingChanges() const { return m_pendingFrom != noChange; }

private:
    static constexpr std::size_t noChange = std::numeric_limits<std::size_t>::max();

    void linesChanged(std::size_t keptLines) override;
    void cleared() override;
    void marksChanged() override {}

    report::Report& m_report;
    report::MessageList& m_list;
    report::MessageTable& m_table;
    std::function<void()> m_changed;
    std::size_t m_pendingFrom = noChange;
    QTimer m_timer;
};

} // namespace tessaly::app
