#pragma once

#include "report/message_list.h"

#include <array>
#include <cstddef>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace tessaly::report {

enum class MessageColumn { Severity, Code, File, Position, Text };
enum class MessageGrouping { None, File, Code };

// The rows a messages view shows: the list's messages filtered by severity,
// optionally grouped by file or by code under collapsible group rows, and
// sorted by any column (report order by default, and within equal keys).
// It follows the list as the report grows: new messages are merged into the
// order already made, so a long check costs each batch only its own size
// and one pass over the rows.
class MessageTable {
public:
    struct Group {
        std::string key; // the file (empty: the book itself) or the code
        std::size_t count = 0; // shown messages in it
        bool collapsed = false;
    };
    struct Row {
        bool isGroup = false;
        std::size_t index = 0; // into groups() for a group row, else into the list
    };

    explicit MessageTable(const MessageList& list) : m_list(list) {}
    const MessageList& list() const { return m_list; }

    // After the list changed: messages from keptMessages on are new (see
    // MessageList::follow).
    void messagesChanged(std::size_t keptMessages);

    void setShown(Severity severity, bool shown);
    bool isShown(Severity severity) const { return m_shown[std::size_t(severity)]; }
    void setGrouping(MessageGrouping grouping);
    MessageGrouping grouping() const { return m_grouping; }
    // No column: report order.
    void setSort(std::optional<MessageColumn> column, bool ascending = true);
    std::optional<MessageColumn> sortColumn() const { return m_sortColumn; }
    bool sortAscending() const { return m_ascending; }
    // Collapsing is kept by key, through regrouping and new messages.
    void setCollapsed(const std::string& groupKey, bool collapsed);

    const std::vector<Row>& rows() const { return m_rows; }
    const std::vector<Group>& groups() const { return m_groups; }
    // The shown messages in the rows' order, collapsed groups included.
    const std::vector<std::size_t>& order() const { return m_order; }
    // The row showing a message, if one does (it may be filtered out or in
    // a collapsed group).
    std::optional<std::size_t> rowOf(std::size_t message) const;

    // The shown messages whose severity, code, file, position or text contains the
    // text (ASCII letters in either case): their places in order().
    std::vector<std::size_t> find(std::string_view text) const;
    // The messages' report lines, one per line, for copying.
    std::string reportLines(const std::vector<std::size_t>& messages) const;

private:
    bool before(std::size_t a, std::size_t b) const;
    int compareColumn(std::size_t a, std::size_t b) const;
    const std::string& groupKey(std::size_t message) const;
    void rebuildOrder();
    void rebuildRows();

    const MessageList& m_list;
    std::array<bool, severityCount> m_shown{true, true, true, true, true};
    MessageGrouping m_grouping = MessageGrouping::None;
    std::optional<MessageColumn> m_sortColumn;
    bool m_ascending = true;
    std::set<std::string> m_collapsed;

    std::vector<std::size_t> m_order;
    std::vector<Group> m_groups;
    std::vector<Row> m_rows;
    std::vector<std::size_t> m_rowOfMessage; // npos where not shown
};

} // namespace tessaly::report
