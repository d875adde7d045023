// A report's lines shown in their text view, in batches.
#include "app/report_text_view.h"
#include "app/report_view_feed.h"

#include <QApplication>
#include <QClipboard>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>

#include <gtest/gtest.h>

namespace {

using tessaly::app::ReportTextView;
using tessaly::app::ReportViewFeed;

struct ReportViewFeedTest : testing::Test {
    ReportTextView box;
    tessaly::report::Report report;
    ReportViewFeed feed{report, &box};

    QStringList expected() const
    {
        QStringList lines;
        for (const auto& line : report.lines())
            lines.push_back(QString::fromStdString(line));
        return lines;
    }
};

// A line that crosses several blocks, with a character of two UTF-16 units
// right at a block boundary.
std::string longLine()
{
    return std::string(ReportViewFeed::BlockLength - 1, 'x') + "\xf0\x9f\x98\x80" + std::string(40000, 'y');
}

TEST_F(ReportViewFeedTest, LongLinesAreShownWholeInSeveralBlocks)
{
    report.appendLine("first");
    report.appendLine(longLine());
    report.appendLine("");
    report.appendLine("last");
    feed.flush();
    EXPECT_FALSE(feed.hasPendingChanges());
    EXPECT_EQ(feed.shownLines(), expected());
}

TEST_F(ReportViewFeedTest, BatchesAreBoundedAndEndWithTheWholeList)
{
    for (int i = 0; i < 3; ++i)
        report.appendLine(longLine());
    std::vector<int> batchSizes;
    while (feed.hasPendingChanges()) {
        const int before = box.document()->characterCount();
        feed.showBatch();
        batchSizes.push_back(box.document()->characterCount() - before);
        ASSERT_LT(batchSizes.size(), 100u);
    }
    ASSERT_GE(batchSizes.size(), 2u);
    // A few characters more for the line and block breaks.
    EXPECT_LE(batchSizes.front(), ReportViewFeed::BatchLength + 8);
    for (const int size : batchSizes)
        EXPECT_LE(size, ReportViewFeed::MaximumBatchLength + 8);
    EXPECT_EQ(feed.shownLines(), expected());
}

TEST_F(ReportViewFeedTest, ALinePartlyShownCanBeReplaced)
{
    report.appendLine("kept");
    report.appendLine(longLine());
    feed.showBatch();
    ASSERT_TRUE(feed.hasPendingChanges()) << "the long line is shown in part";
    report.removeLastLine();
    report.appendLine("the whole line");
    feed.flush();
    EXPECT_EQ(feed.shownLines(), (QStringList{"kept", "the whole line"}));

    report.removeLastLine();
    report.removeLastLine();
    report.appendLine("alone");
    feed.flush();
    EXPECT_EQ(feed.shownLines(), QStringList{"alone"});
    EXPECT_EQ(box.document()->blockCount(), 1);
}

TEST_F(ReportViewFeedTest, FollowsTheEndOnlyWhileTheUserIsThere)
{
    box.resize(300, 120);
    box.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
    QScrollBar* scrollBar = box.verticalScrollBar();
    auto addLines = [&](int count) {
        for (int i = 0; i < count; ++i)
            report.appendLine("line " + std::to_string(i));
        feed.flush();
    };
    addLines(100);
    EXPECT_GT(scrollBar->maximum(), 0);
    EXPECT_EQ(scrollBar->value(), scrollBar->maximum()) << "follows the end";
    scrollBar->setValue(10);
    addLines(50);
    EXPECT_EQ(scrollBar->value(), 10) << "stays where the user scrolled";
    scrollBar->setValue(scrollBar->maximum());
    addLines(50);
    EXPECT_EQ(scrollBar->value(), scrollBar->maximum()) << "follows again at the end";
}

TEST_F(ReportViewFeedTest, CopyGivesTheReportsOwnLines)
{
    report.appendLine("first");
    report.appendLine(longLine());
    report.appendLine("last");
    feed.flush();
    box.selectAll();
    box.copy();
    EXPECT_EQ(QApplication::clipboard()->text(), expected().join(QLatin1Char('\n')));
}

TEST_F(ReportViewFeedTest, ClearEmptiesBothAtOnce)
{
    report.appendLine("a");
    feed.flush();
    report.appendLine("b");
    report.clear();
    EXPECT_TRUE(report.lines().empty());
    EXPECT_TRUE(box.document()->isEmpty());
    EXPECT_FALSE(feed.hasPendingChanges());
    EXPECT_EQ(report.lastLine(), "");
}

// Marks reach every block of a marked line, whether the line was shown
// before the marks came or is shown after.
TEST_F(ReportViewFeedTest, MarkedLinesAreMarkedWhenShownBeforeOrAfter)
{
    report.appendLine("shown before, marked");
    report.appendLine(longLine());
    report.appendLine("shown before, not marked");
    feed.flush();
    report.appendLine("shown after, marked");
    report.appendLine("shown after, not marked");
    report.markLines({true, true, false, true, false});
    feed.flush();

    const std::vector<bool> expected = {true, true, false, true, false};
    std::vector<bool> shown;
    int blocks = 0;
    for (QTextBlock block = box.document()->begin(); block.isValid(); block = block.next(), ++blocks) {
        const bool mark = block.blockFormat().boolProperty(ReportTextView::MarkProperty);
        if (block.userState() == ReportTextView::ContinuationState)
            EXPECT_EQ(mark, shown.back()) << "block " << blocks << " continues its line's mark";
        else
            shown.push_back(mark);
    }
    EXPECT_GT(blocks, 6) << "the long line takes several blocks";
    EXPECT_EQ(shown, expected);
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
