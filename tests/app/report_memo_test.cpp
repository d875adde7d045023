// The report memo: the list the filter works on, and the text box that
// shows it in batches.
#include "app/report_memo.h"
#include "app/report_text_edit.h"

#include <QApplication>
#include <QClipboard>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using tessaly::app::ReportMemo;
using tessaly::app::ReportTextEdit;

struct ReportMemoTest : testing::Test {
    ReportTextEdit box;
    ReportMemo memo{&box};

    QStringList expected() const
    {
        QStringList lines;
        for (const auto& line : memo.lines())
            lines.push_back(QString::fromStdString(line));
        return lines;
    }
};

// A line that crosses several blocks, with a character of two UTF-16 units
// right at a block boundary.
std::string longLine()
{
    return std::string(ReportMemo::BlockLength - 1, 'x') + "\xf0\x9f\x98\x80" + std::string(40000, 'y');
}

TEST_F(ReportMemoTest, LongLinesAreShownWholeInSeveralBlocks)
{
    memo.appendLine("first");
    memo.appendLine(longLine());
    memo.appendLine("");
    memo.appendLine("last");
    memo.flush();
    EXPECT_FALSE(memo.hasPendingChanges());
    EXPECT_EQ(memo.shownLines(), expected());
}

TEST_F(ReportMemoTest, BatchesAreBoundedAndEndWithTheWholeList)
{
    for (int i = 0; i < 3; ++i)
        memo.appendLine(longLine());
    std::vector<int> batchSizes;
    while (memo.hasPendingChanges()) {
        const int before = box.document()->characterCount();
        memo.showBatch();
        batchSizes.push_back(box.document()->characterCount() - before);
        ASSERT_LT(batchSizes.size(), 100u);
    }
    ASSERT_GE(batchSizes.size(), 2u);
    // A few characters more for the line and block breaks.
    EXPECT_LE(batchSizes.front(), ReportMemo::BatchLength + 8);
    for (const int size : batchSizes)
        EXPECT_LE(size, ReportMemo::MaximumBatchLength + 8);
    EXPECT_EQ(memo.shownLines(), expected());
}

TEST_F(ReportMemoTest, ALinePartlyShownCanBeReplaced)
{
    memo.appendLine("kept");
    memo.appendLine(longLine());
    memo.showBatch();
    ASSERT_TRUE(memo.hasPendingChanges()) << "the long line is shown in part";
    memo.removeLastLine();
    memo.appendLine("the whole line");
    memo.flush();
    EXPECT_EQ(memo.shownLines(), (QStringList{"kept", "the whole line"}));

    memo.removeLastLine();
    memo.removeLastLine();
    memo.appendLine("alone");
    memo.flush();
    EXPECT_EQ(memo.shownLines(), QStringList{"alone"});
    EXPECT_EQ(box.document()->blockCount(), 1);
}

TEST_F(ReportMemoTest, FollowsTheEndOnlyWhileTheUserIsThere)
{
    box.resize(300, 120);
    box.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
    QScrollBar* scrollBar = box.verticalScrollBar();
    auto addLines = [&](int count) {
        for (int i = 0; i < count; ++i)
            memo.appendLine("line " + std::to_string(i));
        memo.flush();
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

TEST_F(ReportMemoTest, CopyGivesTheReportsOwnLines)
{
    memo.appendLine("first");
    memo.appendLine(longLine());
    memo.appendLine("last");
    memo.flush();
    box.selectAll();
    box.copy();
    EXPECT_EQ(QApplication::clipboard()->text(), expected().join(QLatin1Char('\n')));
}

TEST_F(ReportMemoTest, ClearEmptiesBothAtOnce)
{
    memo.appendLine("a");
    memo.flush();
    memo.appendLine("b");
    memo.clear();
    EXPECT_TRUE(memo.lines().empty());
    EXPECT_TRUE(box.document()->isEmpty());
    EXPECT_FALSE(memo.hasPendingChanges());
    EXPECT_EQ(memo.lastLine(), "");
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
