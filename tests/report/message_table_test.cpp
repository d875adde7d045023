#include "report/match_cursor.h"
#include "report/message_table.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace tessaly::report;

namespace {

const std::vector<std::string> reportLines = {
    "Validating using EPUB version 3.2 rules.",
    "ERROR(RSC-005): b.epub/OEBPS/c2.xhtml(9,4): Error while parsing file", // 0
    "WARNING(PKG-010): b.epub/OEBPS/c 1.xhtml(-1,-1): Filename contains spaces", // 1
    "ERROR(RSC-012): b.epub/OEBPS/c 1.xhtml(12,30): Fragment identifier is not defined.", // 2
    "FATAL(PKG-008): b.epub(-1,-1): Unable to read file", // 3
    "ERROR(RSC-005): b.epub/OEBPS/c 1.xhtml(3,7): Duplicate ID", // 4
    "USAGE(HTM-010): b.epub/OEBPS/toc.ncx(2,68): Namespace uri was found.", // 5
    "Messages: 1 fatal / 3 errors / 1 warning / 0 infos / 1 usage",
};

struct Table {
    Table() { table.messagesChanged(list.follow(reportLines, 0)); }
    MessageList list;
    MessageTable table{list};
};

std::vector<std::size_t> messagesOf(const MessageTable& table)
{
    std::vector<std::size_t> messages;
    for (const auto& row : table.rows()) {
        if (!row.isGroup)
            messages.push_back(row.index);
    }
    return messages;
}

using Order = std::vector<std::size_t>;

TEST(MessageTable, ShowsEveryMessageInReportOrderAtFirst)
{
    Table t;
    EXPECT_EQ(messagesOf(t.table), Order({0, 1, 2, 3, 4, 5}));
    EXPECT_TRUE(t.table.groups().empty());
}

TEST(MessageTable, SortsByEveryColumnBothWaysWithReportOrderAmongEquals)
{
    struct Case {
        MessageColumn column;
        bool ascending;
        Order expected;
    };
    const Case cases[] = {
        {MessageColumn::Severity, true, {3, 0, 2, 4, 1, 5}},
        {MessageColumn::Severity, false, {5, 1, 0, 2, 4, 3}},
        {MessageColumn::Code, true, {5, 3, 1, 0, 4, 2}},
        {MessageColumn::Code, false, {2, 0, 4, 1, 3, 5}},
        {MessageColumn::File, true, {3, 1, 2, 4, 0, 5}},
        {MessageColumn::Position, true, {1, 3, 5, 4, 0, 2}},
        {MessageColumn::Position, false, {2, 0, 4, 5, 1, 3}},
        {MessageColumn::Text, true, {4, 0, 1, 2, 5, 3}},
    };
    for (const Case& c : cases) {
        Table t;
        t.table.setSort(c.column, c.ascending);
        EXPECT_EQ(messagesOf(t.table), c.expected) << int(c.column) << " " << c.ascending;
    }
    Table t;
    t.table.setSort(MessageColumn::Code);
    t.table.setSort(std::nullopt);
    EXPECT_EQ(messagesOf(t.table), Order({0, 1, 2, 3, 4, 5}));
}

TEST(MessageTable, FiltersBySeverity)
{
    Table t;
    t.table.setShown(Severity::Error, false);
    t.table.setShown(Severity::Usage, false);
    EXPECT_EQ(messagesOf(t.table), Order({1, 3}));
    EXPECT_FALSE(t.table.rowOf(0));
    EXPECT_EQ(t.table.rowOf(3), 1u);
    // The counts on the toggles stay those of the whole report.
    EXPECT_EQ(t.list.count(Severity::Error), 3u);
    t.table.setShown(Severity::Error, true);
    EXPECT_EQ(messagesOf(t.table), Order({0, 1, 2, 3, 4}));
}

TEST(MessageTable, GroupsByFileOrCodeUnderCountedGroupRows)
{
    Table t;
    t.table.setShown(Severity::Usage, false);
    t.table.setGrouping(MessageGrouping::File);
    ASSERT_EQ(t.table.groups().size(), 3u);
    EXPECT_EQ(t.table.groups()[0].key, ""); // the book itself
    EXPECT_EQ(t.table.groups()[1].key, "OEBPS/c 1.xhtml");
    EXPECT_EQ(t.table.groups()[1].count, 3u);
    EXPECT_EQ(t.table.groups()[2].key, "OEBPS/c2.xhtml");
    // Rows: group, its messages, next group ...
    const auto& rows = t.table.rows();
    ASSERT_EQ(rows.size(), 8u);
    EXPECT_TRUE(rows[0].isGroup && rows[2].isGroup && rows[6].isGroup);
    EXPECT_EQ(messagesOf(t.table), Order({3, 1, 2, 4, 0}));

    t.table.setSort(MessageColumn::Position);
    EXPECT_EQ(messagesOf(t.table), Order({3, 1, 4, 2, 0}));

    t.table.setGrouping(MessageGrouping::Code);
    std::vector<std::string> keys;
    for (const auto& group : t.table.groups())
        keys.push_back(group.key + ":" + std::to_string(group.count));
    EXPECT_EQ(keys, std::vector<std::string>({"PKG-008:1", "PKG-010:1", "RSC-005:2", "RSC-012:1"}));
}

TEST(MessageTable, CollapsedGroupsKeepTheirCountAndStayCollapsed)
{
    MessageList list;
    MessageTable table(list);
    table.setGrouping(MessageGrouping::File);
    std::vector<std::string> lines(reportLines.begin(), reportLines.begin() + 3);
    table.messagesChanged(list.follow(lines, 0));
    table.setCollapsed("OEBPS/c 1.xhtml", true);
    lines.assign(reportLines.begin(), reportLines.end());
    table.messagesChanged(list.follow(lines, 3));

    ASSERT_EQ(table.groups().size(), 4u);
    EXPECT_TRUE(table.groups()[1].collapsed);
    EXPECT_EQ(table.groups()[1].count, 3u);
    EXPECT_EQ(messagesOf(table), Order({3, 0, 5}));
    EXPECT_FALSE(table.rowOf(4));
    table.setGrouping(MessageGrouping::None);
    table.setGrouping(MessageGrouping::File);
    EXPECT_TRUE(table.groups()[1].collapsed);
    table.setCollapsed("OEBPS/c 1.xhtml", false);
    EXPECT_EQ(messagesOf(table), Order({3, 1, 2, 4, 0, 5}));
}

// Whatever the settings, a table that follows the report in small batches,
// with lines taken back, shows what a table made from the whole report shows.
TEST(MessageTable, StreamingGivesTheRowsOfTheWholeReport)
{
    for (const auto grouping : {MessageGrouping::None, MessageGrouping::File, MessageGrouping::Code}) {
        for (const auto column : {MessageColumn::Severity, MessageColumn::File, MessageColumn::Position}) {
            MessageList streamedList;
            MessageTable streamed(streamedList);
            streamed.setGrouping(grouping);
            streamed.setSort(column, false);
            streamed.setShown(Severity::Warning, false);
            std::vector<std::string> lines;
            for (const std::string& line : reportLines) {
                // Half the line first, then taken back for the whole.
                lines.push_back(line.substr(0, line.size() / 2));
                streamed.messagesChanged(streamedList.follow(lines, lines.size() - 1));
                lines.back() = line;
                streamed.messagesChanged(streamedList.follow(lines, lines.size() - 1));
            }
            Table whole;
            whole.table.setGrouping(grouping);
            whole.table.setSort(column, false);
            whole.table.setShown(Severity::Warning, false);
            EXPECT_EQ(streamed.order(), whole.table.order());
            EXPECT_EQ(messagesOf(streamed), messagesOf(whole.table));
            EXPECT_EQ(streamed.rows().size(), whole.table.rows().size());
        }
    }
}

TEST(MessageTable, FindsTextInAnyColumnInEitherCase)
{
    Table t;
    t.table.setSort(MessageColumn::Code);
    struct Case {
        const char* text;
        Order places; // in the sorted order: 5, 3, 1, 0, 4, 2
    };
    const Case cases[] = {
        {"rsc-005", {3, 4}},
        {"c 1.XHTML", {2, 4, 5}},
        {"12:30", {5}},
        {"fatal", {1}},
        {"FRAGMENT", {5}},
        {"nowhere", {}},
        {"", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(t.table.find(c.text), c.places) << c.text;
}

TEST(MessageTable, CopiesMessagesAsTheirReportLines)
{
    Table t;
    EXPECT_EQ(t.table.reportLines({3, 0}), reportLines[4] + "\n" + reportLines[1] + "\n");
}

TEST(MatchCursor, StartsAtOrAfterAPlaceAndWrapsBothWays)
{
    MatchCursor cursor;
    EXPECT_FALSE(cursor.next());
    EXPECT_FALSE(cursor.currentNumber());
    cursor.setMatches({2, 5, 9}, 6);
    EXPECT_EQ(cursor.count(), 3u);
    EXPECT_EQ(cursor.current(), 9u);
    EXPECT_EQ(cursor.currentNumber(), 3u);
    EXPECT_EQ(cursor.next(), 2u);
    EXPECT_EQ(cursor.previous(), 9u);
    EXPECT_EQ(cursor.previous(), 5u);
    EXPECT_EQ(cursor.currentNumber(), 2u);
    cursor.setMatches({2, 5, 9}, 10);
    EXPECT_EQ(cursor.current(), 2u);
    cursor.clear();
    EXPECT_EQ(cursor.count(), 0u);
    EXPECT_FALSE(cursor.current());
}

} // namespace
