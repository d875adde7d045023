// The messages page: it follows the report as a check writes it, filters by
// severity on toggles that count, groups by file or code under collapsible
// rows, sorts by a column's header, copies selected messages as report
// lines, and the find bar searches it and the report's text alike.
#include "app/message_list_view.h"
#include "app/messages_view.h"
#include "app/report_pages.h"
#include "app/report_text_view.h"
#include "app/report_view_feed.h"
#include "app/source_pane.h"
#include "report/book_entries.h"
#include "zip_builder.h"
#include "report/report.h"
#include "skin/controls/skin_edit.h"
#include "skin/controls/skin_speed_button.h"
#include "skin/controls/skin_std_label.h"
#include "skin/controls/skin_tab_control.h"
#include "skin/controls/skin_toggle_button.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <filesystem>

namespace {

using tessaly::app::MessageListView;
using tessaly::app::MessagesView;
using tessaly::app::ReportPages;
using tessaly::app::ReportTextView;
using tessaly::app::ReportViewFeed;
using tessaly::report::MessageColumn;
using tessaly::report::MessageGrouping;
using tessaly::report::Report;
using tessaly::report::Severity;

// Lines as the checker writes them for a book named manual.epub.
const std::vector<std::string> kReport = {
    "Validating using EPUB version 3.2 rules.",
    "ERROR(RSC-007): manual.epub/OEBPS/c2.xhtml(6,86): Referenced resource \"OEBPS/missing1.xhtml\" could not be found in the EPUB.",
    "WARNING(HTM-014): manual.epub/OEBPS/guide.xhtml#o1006(-1,-1): Invalid file extension for HTML file, expecting .xhtml.",
    "ERROR(RSC-005): manual.epub/OEBPS/c1.xhtml(9,37): Error while parsing file: element \"blink\" not allowed here",
    "ERROR(RSC-007): manual.epub/OEBPS/c1.xhtml(13,29): Referenced resource \"OEBPS/fig6.png\" could not be found in the EPUB.",
    "FATAL(PKG-008): manual.epub(-1,-1): Unable to read file \"zip file is empty\".",
    "",
    "Check finished with errors",
};

class MessagesViewTest : public testing::Test {
protected:
    MessagesViewTest()
    {
        m_messages->setBook(QStringLiteral("/books/manual.epub"));
        m_pages.resize(565, 284);
        m_pages.showPage(ReportPages::MessagesPage);
        m_pages.show();
        m_pages.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&m_pages));
    }

    void writeReport()
    {
        for (const std::string& line : kReport)
            m_report.appendLine(line);
        m_messages->flush();
    }

    // The report lines of the rows, in the order the list shows them
    // (group rows as "[key]").
    std::vector<std::string> shownRows() const
    {
        std::vector<std::string> rows;
        auto& table = m_messages->table();
        for (const auto& row : table.rows())
            rows.push_back(row.isGroup ? "[" + table.groups()[row.index].key + "]"
                                       : m_messages->messages()[row.index].reportLine);
        return rows;
    }

    QPoint rowPoint(int row) const
    {
        MessageListView* list = m_messages->list();
        return QPoint(200, list->rowHeight() * (row + 1) + list->rowHeight() / 2);
    }

    Report m_report;
    ReportTextView* m_memo = new ReportTextView;
    ReportViewFeed m_memoFeed{m_report, m_memo};
    MessagesView* m_messages = new MessagesView(m_report);
    ReportPages m_pages{m_memo, m_messages};
};

TEST_F(MessagesViewTest, FollowsTheReportAsItGrowsAndShrinks)
{
    m_report.appendLine(kReport[0]);
    m_report.appendLine(kReport[1]);
    // A line that arrived in parts is taken back and written whole.
    m_report.appendLine("ERROR(RSC-005): manual.epub/OEBPS/c1.xh");
    m_messages->flush();
    EXPECT_EQ(m_messages->messages().size(), 2u);
    m_report.removeLastLine();
    for (std::size_t i = 2; i < kReport.size(); ++i)
        m_report.appendLine(kReport[i]);
    EXPECT_TRUE(QTest::qWaitFor([&] { return m_messages->messages().size() == 5; }, 2000))
        << "the feed takes changes on its own, shortly after they come";
    EXPECT_EQ(shownRows(), std::vector<std::string>(kReport.begin() + 1, kReport.begin() + 6));
    EXPECT_EQ(m_messages->severityToggle(Severity::Error)->text(), QStringLiteral("Errors 3"));
    EXPECT_EQ(m_messages->severityToggle(Severity::Fatal)->text(), QStringLiteral("Fatal 1"));
    EXPECT_EQ(m_messages->severityToggle(Severity::Info)->text(), QStringLiteral("Info 0"));
    m_report.clear();
    EXPECT_TRUE(shownRows().empty());
    EXPECT_EQ(m_messages->severityToggle(Severity::Error)->text(), QStringLiteral("Errors 0"));
}

TEST_F(MessagesViewTest, TogglesFilterBySeverityAndKeepTheirCounts)
{
    writeReport();
    auto* errors = m_messages->severityToggle(Severity::Error);
    ASSERT_TRUE(errors->isChecked());
    errors->click();
    EXPECT_FALSE(errors->isChecked());
    EXPECT_EQ(shownRows(), (std::vector<std::string>{kReport[2], kReport[5]}));
    EXPECT_EQ(errors->text(), QStringLiteral("Errors 3")) << "the count is the report's, not the view's";
    m_messages->severityToggle(Severity::Warning)->click();
    m_messages->severityToggle(Severity::Fatal)->click();
    EXPECT_TRUE(shownRows().empty());
    errors->click();
    EXPECT_EQ(shownRows(), (std::vector<std::string>{kReport[1], kReport[3], kReport[4]}));
}

TEST_F(MessagesViewTest, GroupsCollapseByClickAndByKeyboard)
{
    writeReport();
    auto* group = m_messages->groupButton();
    group->click();
    EXPECT_EQ(group->text(), QStringLiteral("Group: file"));
    EXPECT_EQ(shownRows(), (std::vector<std::string>{"[]", kReport[5], "[OEBPS/c1.xhtml]", kReport[3], kReport[4],
                                                     "[OEBPS/c2.xhtml]", kReport[1], "[OEBPS/guide.xhtml]",
                                                     kReport[2]}));
    MessageListView* list = m_messages->list();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rowPoint(2));
    EXPECT_EQ(shownRows(), (std::vector<std::string>{"[]", kReport[5], "[OEBPS/c1.xhtml]", "[OEBPS/c2.xhtml]",
                                                     kReport[1], "[OEBPS/guide.xhtml]", kReport[2]}));
    // The keyboard is on the collapsed group: Right opens it, Left closes it.
    QTest::keyClick(list, Qt::Key_Right);
    EXPECT_EQ(shownRows().size(), 9u);
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Left);
    EXPECT_EQ(shownRows().size(), 9u) << "Left on a message row collapses nothing";
    group->click();
    EXPECT_EQ(group->text(), QStringLiteral("Group: code"));
    EXPECT_EQ(shownRows().front(), "[HTM-014]");
    group->click();
    EXPECT_EQ(m_messages->table().grouping(), MessageGrouping::None);
}

TEST_F(MessagesViewTest, AHeaderClickSortsThenTurnsTheOrderThenGivesReportOrderBack)
{
    writeReport();
    MessageListView* list = m_messages->list();
    const QPoint codeHeader(list->columnLeft(MessageColumn::Code) + 10, list->rowHeight() / 2);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, codeHeader);
    EXPECT_EQ(shownRows(), (std::vector<std::string>{kReport[2], kReport[5], kReport[3], kReport[1], kReport[4]}));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, codeHeader);
    EXPECT_EQ(shownRows(), (std::vector<std::string>{kReport[1], kReport[4], kReport[3], kReport[5], kReport[2]}));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, codeHeader);
    EXPECT_EQ(shownRows(), std::vector<std::string>(kReport.begin() + 1, kReport.begin() + 6));
}

TEST_F(MessagesViewTest, CtrlCCopiesTheSelectedMessagesAsReportLines)
{
    writeReport();
    MessageListView* list = m_messages->list();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rowPoint(1));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ShiftModifier, rowPoint(3));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier, rowPoint(2));
    QTest::keyClick(list, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text().toStdString(), kReport[2] + "\n" + kReport[4] + "\n");
    QTest::keyClick(list, Qt::Key_End, Qt::ShiftModifier);
    QTest::keyClick(list, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text().toStdString(), kReport[3] + "\n" + kReport[4] + "\n" + kReport[5] + "\n");
}

TEST_F(MessagesViewTest, TheFindBarSearchesThePageInSightAndCountsItsMatches)
{
    writeReport();
    m_memoFeed.flush();
    m_pages.showPage(ReportPages::MessagesPage);
    QLineEdit* find = m_pages.findEdit()->lineEdit();
    find->setText(QStringLiteral("rsc-007"));
    EXPECT_EQ(m_pages.matchLabel()->text(), QStringLiteral("1 of 2"));
    EXPECT_EQ(m_messages->list()->currentMessage(), std::optional<std::size_t>(0));
    QTest::keyClick(find, Qt::Key_Return);
    EXPECT_EQ(m_pages.matchLabel()->text(), QStringLiteral("2 of 2"));
    EXPECT_EQ(m_messages->list()->currentMessage(), std::optional<std::size_t>(3));
    QTest::keyClick(find, Qt::Key_Return);
    EXPECT_EQ(m_pages.matchLabel()->text(), QStringLiteral("1 of 2")) << "round to the first again";
    QTest::keyClick(find, Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_EQ(m_pages.matchLabel()->text(), QStringLiteral("2 of 2"));
    // A filter changes what there is to find.
    m_messages->setShown(Severity::Error, false);
    EXPECT_EQ(m_pages.matchLabel()->text(), QStringLiteral("No matches"));
    m_messages->setShown(Severity::Error, true);

    // The report's page counts its lines, the checker's own lines too.
    find->setText(QStringLiteral("check finished"));
    m_pages.showPage(ReportPages::ReportPage);
    EXPECT_EQ(m_pages.matchLabel()->text(), QStringLiteral("1 of 1"));
    EXPECT_EQ(m_memo->textCursor().selectedText(), QStringLiteral("Check finished"));
    find->setText(QStringLiteral("manual.epub"));
    EXPECT_EQ(m_pages.matchLabel()->text().section(QLatin1Char(' '), 1), QStringLiteral("of 5"));
    find->clear();
    EXPECT_EQ(m_pages.matchLabel()->text(), QStringLiteral("Ctrl+F: find"));
}

TEST_F(MessagesViewTest, TabsChooseThePageByClickAndByKeyboard)
{
    tessaly::skin::SkinTabControl* tabs = m_pages.tabs();
    m_pages.showPage(ReportPages::ReportPage);
    EXPECT_TRUE(m_memo->isVisible());
    EXPECT_FALSE(m_messages->isVisible());
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
    EXPECT_EQ(m_pages.currentPage(), ReportPages::MessagesPage);
    EXPECT_FALSE(m_memo->isVisible());
    EXPECT_TRUE(m_messages->isVisible());
    tabs->setFocus();
    QTest::keyClick(tabs, Qt::Key_Left);
    EXPECT_EQ(m_pages.currentPage(), ReportPages::ReportPage);
    QTest::keyClick(tabs, Qt::Key_Left);
    EXPECT_EQ(m_pages.currentPage(), ReportPages::ReportPage) << "no tab before the first";
    QTest::keyClick(&m_pages, Qt::Key_PageDown, Qt::ControlModifier);
    EXPECT_EQ(m_pages.currentPage(), ReportPages::MessagesPage);
    QTest::keyClick(&m_pages, Qt::Key_F, Qt::ControlModifier);
    EXPECT_TRUE(m_pages.findEdit()->lineEdit()->hasFocus());
}

// ---- the source pane ---------------------------------------------------------

using tessaly::testing::zipArchive;

// A book named manual.epub whose files the report's messages point into.
class SourcePaneTest : public MessagesViewTest {
protected:
    SourcePaneTest()
    {
        m_bookPath = m_folder.filePath(QStringLiteral("manual.epub"));
        writeBook(zipArchive({{"mimetype", "application/epub+zip", false},
                              {"OEBPS/c1.xhtml", chapter()},
                              {"OEBPS/c2.xhtml", chapter()},
                              {"OEBPS/guide.xhtml", chapter()}}));
        m_messages->setBook(m_bookPath);
        writeReport();
    }

    static std::string chapter()
    {
        std::string text = "<?xml version=\"1.0\"?>\n";
        for (int i = 2; i <= 20; ++i)
            text += "<p class=\"c\">line " + std::to_string(i) + "</p>\n";
        return text;
    }
    void writeBook(const std::string& bytes)
    {
        ASSERT_TRUE(tessaly::testing::writeFile(m_bookPath.toStdString(), bytes));
    }
    tessaly::app::SourcePane* pane() const { return m_messages->sourcePane(); }
    void choose(std::size_t message) { m_messages->list()->setCurrentMessage(message); }

    QTemporaryDir m_folder;
    QString m_bookPath;
};

TEST_F(SourcePaneTest, AChosenMessageShowsItsLinesFromInsideTheBook)
{
    EXPECT_EQ(pane()->entries()->inflations(), 0u) << "nothing is read before a message is chosen";
    choose(2); // c1.xhtml(9,37)
    EXPECT_EQ(pane()->notice(), QStringLiteral("OEBPS/c1.xhtml, line 9, column 37"));
    const auto& lines = pane()->excerpt().lines;
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0].number, 7);
    EXPECT_TRUE(lines[2].target);
    EXPECT_EQ(lines[2].text, "<p class=\"c\">line 9</p>");
    EXPECT_FALSE(lines[2].column) << "column 37 lies past this short line's end";
    choose(3); // c1.xhtml(13,29), the same file
    EXPECT_EQ(pane()->excerpt().lines[2].number, 13);
    choose(0); // c2.xhtml
    choose(2);
    EXPECT_EQ(pane()->entries()->inflations(), 2u) << "each file is inflated once per check";
    // The pane draws whatever it holds.
    EXPECT_FALSE(pane()->grab().isNull());
    EXPECT_TRUE(pane()->spokenText().contains(QStringLiteral("at line 9 <p class=\"c\">line 9</p>")));
}

TEST_F(SourcePaneTest, SaysWhenTheBookChangedSinceTheCheckAndWhenThereIsNoPlace)
{
    choose(4); // the book as a whole
    EXPECT_TRUE(pane()->notice().contains(QStringLiteral("the book as a whole")));
    EXPECT_TRUE(pane()->excerpt().lines.empty());
    writeBook(zipArchive({{"OEBPS/c1.xhtml", "<p>\n<p>\n"}}));
    choose(2);
    EXPECT_TRUE(pane()->notice().endsWith(QStringLiteral("the book has changed on disk since the check")));
    EXPECT_EQ(pane()->excerpt().problem, "The file has 2 lines; the message names line 9.");
    // The next check reads the book anew.
    m_messages->setBook(m_bookPath);
    choose(0);
    choose(2);
    EXPECT_FALSE(pane()->notice().contains(QStringLiteral("changed")));
    EXPECT_EQ(pane()->entries()->inflations(), 1u) << "the new book lacks c2.xhtml: one inflation, of c1";
}

TEST_F(SourcePaneTest, AHostileBookGivesASentenceInThePane)
{
    tessaly::testing::ZipEntry encrypted{"OEBPS/c1.xhtml", chapter(), false, true};
    writeBook(zipArchive({encrypted}));
    m_messages->setBook(m_bookPath);
    choose(2);
    EXPECT_NE(pane()->excerpt().problem.find("encrypted"), std::string::npos);
    EXPECT_FALSE(pane()->grab().isNull());
    writeBook("not a zip");
    m_messages->setBook(m_bookPath);
    choose(3);
    EXPECT_NE(pane()->excerpt().problem.find("cannot be read as a zip archive"), std::string::npos);
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
