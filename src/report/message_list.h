#pragma once

#include "report/report_message.h"

#include <array>
#include <cstddef>
#include <string>
#include <vector>

namespace tessaly::report {

// The messages among a report's lines, in report order, kept in step with
// the report while it grows. The report may take back lines at its end (a
// line that arrived in parts is shown whole once it is complete), so the
// list follows "lines from N on changed" rather than appends alone.
class MessageList {
public:
    // The book's file name, which tells where its path ends in a message's
    // location (see parseReportMessage).
    void setBookName(std::string bookName) { m_bookName = std::move(bookName); }

    // Brings the list up to the report's lines, of which those from
    // keptLines on changed since the last call (or were never seen).
    // Returns how many messages are as they were: the ones after are new.
    std::size_t follow(const std::vector<std::string>& lines, std::size_t keptLines);
    void clear();

    const std::vector<ReportMessage>& messages() const { return m_messages; }
    std::size_t size() const { return m_messages.size(); }
    const ReportMessage& operator[](std::size_t index) const { return m_messages[index]; }
    // The report line a message was read from.
    std::size_t reportLineOf(std::size_t index) const { return m_reportLines[index]; }
    // How many messages there are of each severity.
    std::size_t count(Severity severity) const { return m_counts[std::size_t(severity)]; }

private:
    std::string m_bookName;
    std::vector<ReportMessage> m_messages;
    std::vector<std::size_t> m_reportLines; // parallel to m_messages
    std::array<std::size_t, severityCount> m_counts{};
    std::size_t m_seenLines = 0;
};

} // namespace tessaly::report
