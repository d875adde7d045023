#include "report/message_table.h"

#include "report/ascii_text.h"

#include <algorithm>

namespace tessaly::report {

namespace {

constexpr std::size_t noRow = std::size_t(-1);
const std::string noKey;

template <typename T>
int compare(const T& a, const T& b)
{
    return a < b ? -1 : (b < a ? 1 : 0);
}

bool containsFolded(std::string_view haystack, std::string_view needle)
{
    return findFolded(haystack, needle) != std::string_view::npos;
}

std::string positionText(const ReportMessage& message)
{
    if (!message.line)
        return {};
    return std::to_string(*message.line) + (message.column ? ":" + std::to_string(*message.column) : std::string());
}

} // namespace

const std::string& MessageTable::groupKey(std::size_t message) const
{
    switch (m_grouping) {
    case MessageGrouping::File: return m_list[message].file;
    case MessageGrouping::Code: return m_list[message].code;
    case MessageGrouping::None: break;
    }
    return noKey;
}

int MessageTable::compareColumn(std::size_t a, std::size_t b) const
{
    const ReportMessage& x = m_list[a];
    const ReportMessage& y = m_list[b];
    switch (*m_sortColumn) {
    case MessageColumn::Severity: return compare(x.severity, y.severity);
    case MessageColumn::Code: return compare(x.code, y.code);
    case MessageColumn::File: return compare(x.file, y.file);
    case MessageColumn::Position:
        // Messages without a position come before those with one.
        return compare(std::pair(x.line.value_or(0), x.column.value_or(0)), std::pair(y.line.value_or(0), y.column.value_or(0)));
    case MessageColumn::Text: return compare(x.text, y.text);
    }
    return 0;
}

// The rows' order: by group key, then by the sort column, then in report order.
bool MessageTable::before(std::size_t a, std::size_t b) const
{
    if (const int byGroup = groupKey(a).compare(groupKey(b)))
        return byGroup < 0;
    if (m_sortColumn) {
        if (const int byColumn = compareColumn(a, b))
            return m_ascending ? byColumn < 0 : byColumn > 0;
    }
    return a < b;
}

void MessageTable::messagesChanged(std::size_t keptMessages)
{
    std::erase_if(m_order, [keptMessages](std::size_t message) { return message >= keptMessages; });
    const auto oldEnd = std::ptrdiff_t(m_order.size());
    for (std::size_t message = keptMessages; message < m_list.size(); ++message) {
        if (isShown(m_list[message].severity))
            m_order.push_back(message);
    }
    const auto less = [this](std::size_t a, std::size_t b) { return before(a, b); };
    std::sort(m_order.begin() + oldEnd, m_order.end(), less);
    std::inplace_merge(m_order.begin(), m_order.begin() + oldEnd, m_order.end(), less);
    rebuildRows();
}

void MessageTable::rebuildOrder()
{
    m_order.clear();
    messagesChanged(0);
}

void MessageTable::setShown(Severity severity, bool shown)
{
    if (isShown(severity) == shown)
        return;
    m_shown[std::size_t(severity)] = shown;
    rebuildOrder();
}

void MessageTable::setGrouping(MessageGrouping grouping)
{
    if (m_grouping == grouping)
        return;
    m_grouping = grouping;
    rebuildOrder();
}

void MessageTable::setSort(std::optional<MessageColumn> column, bool ascending)
{
    m_sortColumn = column;
    m_ascending = ascending;
    rebuildOrder();
}

void MessageTable::setCollapsed(const std::string& groupKey, bool collapsed)
{
    if (collapsed)
        m_collapsed.insert(groupKey);
    else
        m_collapsed.erase(groupKey);
    rebuildRows();
}

void MessageTable::rebuildRows()
{
    m_groups.clear();
    m_rows.clear();
    m_rowOfMessage.assign(m_list.size(), noRow);
    const bool grouped = m_grouping != MessageGrouping::None;
    for (const std::size_t message : m_order) {
        if (grouped && (m_groups.empty() || m_groups.back().key != groupKey(message))) {
            const std::string& key = groupKey(message);
            m_groups.push_back({key, 0, m_collapsed.contains(key)});
            m_rows.push_back({true, m_groups.size() - 1});
        }
        if (grouped) {
            ++m_groups.back().count;
            if (m_groups.back().collapsed)
                continue;
        }
        m_rowOfMessage[message] = m_rows.size();
        m_rows.push_back({false, message});
    }
}

std::optional<std::size_t> MessageTable::rowOf(std::size_t message) const
{
    if (message >= m_rowOfMessage.size() || m_rowOfMessage[message] == noRow)
        return std::nullopt;
    return m_rowOfMessage[message];
}

std::vector<std::size_t> MessageTable::find(std::string_view text) const
{
    std::vector<std::size_t> found;
    if (text.empty())
        return found;
    for (std::size_t position = 0; position < m_order.size(); ++position) {
        const ReportMessage& message = m_list[m_order[position]];
        if (containsFolded(severityName(message.severity), text) || containsFolded(message.code, text)
            || containsFolded(message.file, text) || containsFolded(positionText(message), text)
            || containsFolded(message.text, text))
            found.push_back(position);
    }
    return found;
}

std::string MessageTable::reportLines(const std::vector<std::size_t>& messages) const
{
    std::string lines;
    for (const std::size_t message : messages) {
        lines += m_list[message].reportLine;
        lines += '\n';
    }
    return lines;
}

} // namespace tessaly::report
