// The main window and the About window, driven as a user would, with the
// real checker running on small books made by the tests.
#include "app/error_report.h"
#include "app/about_window.h"
#include "platform/error.h"
#include "app/book_check.h"
#include "app/main_window.h"
#include "app/report_pages.h"
#include "skin/controls/skin_tab_control.h"
#include "report/report_filter.h"
#include "app/report_view_feed.h"
#include "skin/menus/skin_popup_menu.h"
#include "skin/data/compressed_stored_skin.h"
#include "skin/embedded_pewter.h"
#include "epub_fixture.h"
#include "reference_check.h"
#include "window_test_support.h"
#include "platform/qt_main_thread.h"
#include "skin/controls/skin_button.h"
#include "skin/controls/skin_edit.h"
#include "skin/controls/skin_menu_speed_button.h"
#include "skin/controls/skin_link_label.h"
#include "skin/controls/skin_speed_button.h"
#include "process/create_process.h"
#include "skin/data/skin_data.h"

#include <QAction>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QTextBlock>
#include <QElapsedTimer>
#include <QLabel>
#include <QProcess>
#include <QApplication>
#include <QFileDialog>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <optional>
#include <signal.h>

namespace {

using tessaly::testing::programFolder;

using tessaly::app::MainWindow;
using tessaly::process::ProcessState;
using tessaly::testing::ErrorReportCatcher;
using tessaly::testing::filteredLines;
using tessaly::testing::StandInJava;


// Whether the check has ended and its whole report is on screen.
bool checkShown(MainWindow& window)
{
    return window.bookCheck().checker().state() == ProcessState::Ready && !window.reportFeed().hasPendingChanges();
}

QStringList nonEmptyLines(const QPlainTextEdit* memo)
{
    QStringList lines = memo->toPlainText().split(QLatin1Char('\n'));
    lines.removeAll(QString());
    return lines;
}

class MainWindowTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_books.isValid()); }

    std::string book(const std::string& name, bool valid = true)
    {
        auto entries = tessaly::testing::validBookEntries();
        if (!valid)
            std::erase_if(entries, [](const auto& entry) { return entry.first == "EPUB/c1.xhtml"; });
        const std::string path = m_books.path().toStdString() + "/" + name;
        tessaly::testing::writeEpub(path, entries);
        return path;
    }

    void validate(const std::string& path)
    {
        m_window.bookPathEdit()->setText(QString::fromStdString(path));
        m_window.validateButton()->click();
        waitForTheCheck();
    }

    void waitForTheCheck()
    {
        ASSERT_TRUE(QTest::qWaitFor([this] { return checkShown(m_window); }, 240000));
    }

    QTemporaryDir m_books;
    tessaly::testing::QuickJavaOnPath m_quickJava;
    tessaly::platform::QtMainThread m_mainThread;
    MainWindow m_window{m_mainThread, programFolder};
};

TEST_F(MainWindowTest, TheBuildPutsTheCheckerBesideTheProgram)
{
    EXPECT_TRUE(std::filesystem::exists(programFolder + "epubcheck/epubcheck.jar"));
}

TEST_F(MainWindowTest, ValidBookPasses)
{
    validate(book("valid.epub"));
    const QStringList lines = nonEmptyLines(m_window.reportMemo());
    EXPECT_TRUE(lines.contains(QStringLiteral("Passed! No errors or warnings detected"))) << lines.join('|').toStdString();
    EXPECT_FALSE(lines.contains(QStringLiteral("No errors or warnings detected."))) << lines.join('|').toStdString();
    EXPECT_EQ(lines.last(), QStringLiteral("EPUBCheck completed"));
    EXPECT_FALSE(m_window.reportMemo()->toPlainText().startsWith('\n')) << "a report never starts with an empty line";
    EXPECT_EQ(m_window.bookCheck().lastExitCode(), 0u);
    EXPECT_EQ(m_window.progressLabel()->text(), QStringLiteral("Passed"));
}

TEST_F(MainWindowTest, BookWithAnErrorShowsTheCheckersMessage)
{
    const std::string path = book("broken.epub", false);
    validate(path);
    const QString text = m_window.reportMemo()->toPlainText();
    EXPECT_TRUE(text.contains(QStringLiteral("ERROR(RSC-001)"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("File \"EPUB/c1.xhtml\" could not be found."))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Check finished with errors"))) << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("Passed!")));
}

TEST_F(MainWindowTest, MissingBookIsReportedByTheChecker)
{
    const std::string path = m_books.path().toStdString() + "/missing.epub";
    validate(path);
    const QString text = m_window.reportMemo()->toPlainText();
    EXPECT_TRUE(text.contains(QString::fromStdString(path))) << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("Passed!")));
    // The checker prints a summary of no messages and exits with 1.
    EXPECT_EQ(m_window.progressLabel()->text(), QStringLiteral("The checker failed (exit code 1)"));
}

TEST_F(MainWindowTest, PathWithSpacesQuotesAndShellCharactersReachesTheChecker)
{
    const std::string path = book("my \"best\" book's $HOME `id`; -x.epub", false);
    validate(path);
    const QString text = m_window.reportMemo()->toPlainText();
    EXPECT_TRUE(text.contains(QStringLiteral("my \"best\" book's $HOME `id`; -x.epub(-1,-1)"))) << text.toStdString();
}

TEST_F(MainWindowTest, NoBookChosenPassesTheCheckersComplaintThrough)
{
    validate("");
    const QStringList lines = nonEmptyLines(m_window.reportMemo());
    ASSERT_FALSE(lines.isEmpty());
    EXPECT_TRUE(lines.contains(QStringLiteral("Mode required for non-epub files. Default version is 3.0.")))
        << lines.join('|').toStdString();
}

TEST_F(MainWindowTest, NonAsciiPathValidatesWhateverTheLocale)
{
    // "C", and a UTF-8 locale that is named but not installed, as on many
    // minimal machines: the checker must still get a UTF-8 locale.
    const std::string path = book("caf\xc3\xa9 \xe6\x9b\xb8.epub", false);
    const char* lang = std::getenv("LANG");
    const std::string savedLang = lang ? lang : "";
    const char* lcAll = std::getenv("LC_ALL");
    const std::string savedLcAll = lcAll ? lcAll : "";
    unsetenv("LC_ALL");
    unsetenv("LC_CTYPE");
    for (const char* locale : {"C", "xx_YY.UTF-8"}) {
        setenv("LANG", locale, 1);
        validate(path);
        const QString text = m_window.reportMemo()->toPlainText();
        EXPECT_TRUE(text.contains(QString::fromUtf8("caf\xc3\xa9 \xe6\x9b\xb8.epub(-1,-1)")))
            << locale << ": " << text.toStdString();
    }
    if (lang)
        setenv("LANG", savedLang.c_str(), 1);
    else
        unsetenv("LANG");
    if (lcAll)
        setenv("LC_ALL", savedLcAll.c_str(), 1);
}

TEST_F(MainWindowTest, ValidateDuringARunIsRefusedAndTheRunGoesOn)
{
    m_window.bookPathEdit()->setText(QString::fromStdString(book("valid.epub")));
    m_window.validateButton()->click();
    ASSERT_NE(m_window.bookCheck().checker().state(), ProcessState::Ready);
    m_window.reportMemo()->appendPlainText(QStringLiteral("stale text"));

    ErrorReportCatcher catcher;
    m_window.validateButton()->click();
    ASSERT_TRUE(catcher.text().has_value());
    EXPECT_EQ(*catcher.text(), QStringLiteral("Cannot perform this operation when process is running."));
    EXPECT_EQ(catcher.caption(), QStringLiteral("Tessaly"));
    EXPECT_EQ(catcher.icon(), QMessageBox::Critical);
    EXPECT_TRUE(m_window.reportMemo()->toPlainText().contains(QStringLiteral("stale text")))
        << "the refusal leaves the report as it was";

    waitForTheCheck();
    EXPECT_TRUE(nonEmptyLines(m_window.reportMemo()).contains(QStringLiteral("Passed! No errors or warnings detected")));
}

TEST_F(MainWindowTest, MissingJavaShowsTheSystemErrorAndAddsNothing)
{
    const std::string path = std::getenv("PATH");
    const QTemporaryDir emptyFolder;
    setenv("PATH", emptyFolder.path().toLocal8Bit().constData(), 1);
    m_window.bookPathEdit()->setText(QString::fromStdString(book("valid.epub")));
    ErrorReportCatcher catcher;
    m_window.validateButton()->click();
    setenv("PATH", path.c_str(), 1);

    ASSERT_TRUE(catcher.text().has_value());
    EXPECT_EQ(*catcher.text(), QStringLiteral("System Error.  Code: 2.\nNo such file or directory."));
    EXPECT_EQ(m_window.bookCheck().checker().state(), ProcessState::Ready);
    EXPECT_TRUE(m_window.reportMemo()->toPlainText().isEmpty());
}

TEST_F(MainWindowTest, MissingCheckerArchiveShowsTheLaunchersComplaint)
{
    const QTemporaryDir emptyProgramFolder;
    MainWindow window(m_mainThread, emptyProgramFolder.path().toStdString() + "/");
    window.bookPathEdit()->setText(QString::fromStdString(book("valid.epub")));
    window.validateButton()->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return checkShown(window); }, 240000));
    const QString text = window.reportMemo()->toPlainText();
    EXPECT_TRUE(text.contains(QStringLiteral("Unable to access jarfile"))) << text.toStdString();
}

// The lines the text box shows, and checks that the memo's list holds the same.
std::vector<std::string> memoLines(MainWindow& window)
{
    std::vector<std::string> lines;
    for (const QString& line : window.reportFeed().shownLines())
        lines.push_back(line.toStdString());
    EXPECT_EQ(lines.size(), window.bookCheck().report().lines().size());
    EXPECT_TRUE(lines == window.bookCheck().report().lines()) << "the text box shows what the memo holds";
    return lines;
}

TEST_F(MainWindowTest, LargeReportHoldsEachCheckerLineOnceAndWhole)
{
    // Lines of about a kilobyte and longer, so that nearly every line
    // crosses a boundary of the pieces the output is read in.
    const std::string path = m_books.path().toStdString() + "/large.epub";
    tessaly::testing::writeEpub(path, tessaly::testing::faultyBookEntries(2000, 12));
    validate(path);
    const std::vector<std::string> shown = memoLines(m_window);

    const std::vector<std::string> expected =
        filteredLines(tessaly::testing::referenceCheckOutput(programFolder, path));

    ASSERT_GT(expected.size(), 2000u);
    EXPECT_EQ(shown.size(), expected.size());
    EXPECT_TRUE(shown == expected) << "the report differs from the checker's own output";
    EXPECT_GE(std::count_if(shown.begin(), shown.end(), [](const auto& line) { return line.size() > 1024; }), 12);
}

// Runs the loop until the check has ended; the longest time the loop did
// not get to a 10 ms timer meanwhile.
qint64 longestStallUntilTheCheckEnds(MainWindow& window)
{
    QElapsedTimer clock;
    clock.start();
    qint64 last = 0;
    qint64 longest = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        longest = std::max(longest, clock.elapsed() - last);
        last = clock.elapsed();
    });
    ticker.start(10);
    EXPECT_TRUE(QTest::qWaitFor([&] { return checkShown(window); }, 120000));
    return std::max(longest, clock.elapsed() - last);
}

TEST_F(MainWindowTest, VeryLongLinesAreShownWholeAndOnce)
{
    for (const int megabytes : {1, 10}) {
        const StandInJava java("head -c " + std::to_string(megabytes << 20)
            + " /dev/zero | tr '\\0' x; printf '\\nafter the line\\n'");
        m_window.validateButton()->click();
        const qint64 stall = longestStallUntilTheCheckEnds(m_window);
        const std::vector<std::string> shown = memoLines(m_window);
        ASSERT_EQ(shown.size(), 2u) << megabytes << " MB";
        EXPECT_EQ(shown[0], std::string(std::size_t(megabytes) << 20, 'x'));
        EXPECT_EQ(shown[1], "after the line");
        // A line whose every piece was shown again took minutes; a
        // generous bound catches that without depending on this machine.
        EXPECT_LT(stall, 3000) << megabytes << " MB";
        RecordProperty("longest_stall_ms_" + std::to_string(megabytes) + "mb", int(stall));
    }
}

TEST_F(MainWindowTest, ProgressShowsWhileACheckRuns)
{
    const StandInJava java("sleep 1; echo done");
    m_window.bookPathEdit()->setText(QStringLiteral("/books/my book.epub"));
    m_window.show();
    m_window.validateButton()->click();
    EXPECT_TRUE(m_window.checkRunning());
    EXPECT_TRUE(m_window.progressLabel()->text().contains(QStringLiteral("my book.epub")))
        << m_window.progressLabel()->text().toStdString();
    EXPECT_TRUE(m_window.progressLabel()->text().contains(QStringLiteral("0 s")));
    EXPECT_EQ(m_window.cursor().shape(), Qt::BusyCursor);
    waitForTheCheck();
    EXPECT_FALSE(m_window.checkRunning());
    EXPECT_EQ(m_window.progressLabel()->text(), QStringLiteral("The checker failed (exit code 0)"))
        << "a report without a summary is no verdict";
    EXPECT_EQ(m_window.cursor().shape(), Qt::ArrowCursor) << "the busy cursor is gone";
    EXPECT_EQ(memoLines(m_window), std::vector<std::string>{"done"});
}

TEST_F(MainWindowTest, ClosingTheWindowEndsTheCheck)
{
    const StandInJava java("exec sleep 60");
    m_window.show();
    m_window.validateButton()->click();
    const pid_t pid = pid_t(m_window.bookCheck().checker().processInfo().processId);
    ASSERT_GT(pid, 0);
    ASSERT_EQ(::kill(pid, 0), 0) << "the stand-in checker runs";
    m_window.close();
    EXPECT_TRUE(QTest::qWaitFor([&] { return ::kill(pid, 0) != 0; }, 10000)) << "no checker is left running";
}

TEST_F(MainWindowTest, KeyboardFocusStartsInThePathAndTabTakesInTheToolButtons)
{
    m_window.show();
    m_window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&m_window));
    // The path field's line inside its skinned frame takes the keys.
    QWidget* pathLine = m_window.bookPathEdit()->lineEdit();
    EXPECT_EQ(QApplication::focusWidget(), pathLine);
    // Browse and the status bar's menu button are tab stops, so that the
    // keyboard alone reaches every control.
    const std::vector<QWidget*> order = {m_window.browseButton(), m_window.validateButton(),
                                         m_window.reportPages()->tabs(), m_window.reportPages()->findEdit()->lineEdit(),
                                         m_window.reportMemo(), m_window.aboutMenuButton(), pathLine};
    for (QWidget* expected : order) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), expected) << expected->objectName().toStdString();
    }
}

void answerFileDialog(const QString& file);

TEST_F(MainWindowTest, SecondCheckOfABookShowsWhatChanged)
{
    const std::string path = m_books.path().toStdString() + "/changing.epub";
    auto withUnknownElements = [&](std::vector<std::string> names) {
        auto entries = tessaly::testing::validBookEntries();
        std::string body;
        for (const auto& name : names)
            body += "<p><" + name + "/></p>\n";
        for (auto& [entry, content] : entries) {
            if (entry == "EPUB/c1.xhtml")
                content.replace(content.find("<p>Hello.</p>"), 13, body);
        }
        tessaly::testing::writeEpub(path, entries);
    };
    withUnknownElements({"stays", "fixed"});
    validate(path);
    EXPECT_EQ(m_window.progressLabel()->text(), QStringLiteral("2 errors, 0 warnings")) << "no comparison the first time";

    withUnknownElements({"added", "stays"});
    validate(path);
    EXPECT_EQ(m_window.progressLabel()->text(), QStringLiteral("2 errors, 0 warnings \u00b7 1 new, 1 gone"));
    QStringList marked;
    for (QTextBlock block = m_window.reportMemo()->document()->begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().boolProperty(tessaly::app::ReportTextView::MarkProperty))
            marked.push_back(block.text());
    }
    ASSERT_EQ(marked.size(), 1) << marked.join('|').toStdString();
    EXPECT_TRUE(marked[0].contains(QStringLiteral("\"added\""))) << marked[0].toStdString();
}

TEST_F(MainWindowTest, DroppedFileIsCheckedAndOtherDropsAreRefused)
{
    const StandInJava java("echo \"checked $3\"");
    const std::string path = book("dropped.epub");
    auto drop = [&](const QList<QUrl>& urls) {
        QMimeData data;
        data.setUrls(urls);
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&m_window, &enter);
        if (!enter.isAccepted())
            return false;
        QDropEvent dropped(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&m_window, &dropped);
        return true;
    };
    const QString emptyFolder = m_books.path() + QStringLiteral("/empty");
    QDir().mkpath(emptyFolder);
    EXPECT_FALSE(drop({QUrl::fromLocalFile(emptyFolder)})) << "a folder without books";
    EXPECT_FALSE(drop({QUrl::fromLocalFile(m_books.path() + QStringLiteral("/gone.epub"))})) << "a file not there";
    EXPECT_FALSE(drop({QUrl(QStringLiteral("https://example.org/a.epub"))}));
    // The folder holds the dropped book alone: one book, checked as ever.
    ASSERT_TRUE(drop({QUrl::fromLocalFile(m_books.path()), QUrl::fromLocalFile(QString::fromStdString(path))}));
    EXPECT_EQ(m_window.bookPathEdit()->text().toStdString(), path);
    waitForTheCheck();
    EXPECT_EQ(memoLines(m_window), std::vector<std::string>{"checked " + path});
}

TEST_F(MainWindowTest, ShortcutsValidateAndBrowse)
{
    const StandInJava java("echo validated");
    m_window.show();
    m_window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&m_window));
    QTest::keyClick(&m_window, Qt::Key_F5);
    waitForTheCheck();
    EXPECT_EQ(memoLines(m_window), std::vector<std::string>{"validated"});

    const std::string path = book("chosen by keyboard.epub");
    answerFileDialog(QString::fromStdString(path));
    QTest::keyClick(&m_window, Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(m_window.bookPathEdit()->text().toStdString(), path);
}

TEST_F(MainWindowTest, ReportIsSavedWholeOrNotAtAll)
{
    const StandInJava java("printf 'first line\\n\\nlast line\\n'");
    m_window.bookPathEdit()->setText(QStringLiteral("/books/caf\u00e9.epub"));
    m_window.validateButton()->click();
    waitForTheCheck();
    const QString file = m_books.path() + QStringLiteral("/report.txt");
    m_window.writeReport(file);
    QFile saved(file);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = saved.readAll().split('\n');
    ASSERT_GE(lines.size(), 6);
    EXPECT_EQ(lines[0], QByteArray("Book: /books/caf\xc3\xa9.epub"));
    EXPECT_TRUE(lines[1].startsWith("Checked: 20")) << lines[1].toStdString();
    EXPECT_EQ(lines.mid(2), (QList<QByteArray>{"", "first line", "", "last line", ""}));

    const QString unwritable = m_books.path() + QStringLiteral("/no such folder/report.txt");
    EXPECT_THROW(m_window.writeReport(unwritable), tessaly::Error);
    EXPECT_FALSE(QFileInfo::exists(unwritable));
    EXPECT_TRUE(QDir(m_books.path()).entryList(QDir::Files | QDir::Hidden).filter(QStringLiteral("report.txt.")).isEmpty())
        << "no temporary file is left";
}

// A report whose messages name a file with a comma and a quoted text.
const char* const messagesReport = "cat <<'EOF'\n"
                                   "Validating using EPUB version 3.2 rules.\n"
                                   "ERROR(RSC-005): /books/my book.epub/OEBPS/c, 1.xhtml(2,92): say \"hi\"\n"
                                   "WARNING(OPF-003): /books/my book.epub(-1,-1): Item exists\n"
                                   "Messages: 0 fatals / 1 error / 1 warning / 0 infos\n"
                                   "EOF";

TEST_F(MainWindowTest, MessagesAreSavedAsCsvOrJsonByTheFilesExtension)
{
    const StandInJava java(messagesReport);
    m_window.bookPathEdit()->setText(QStringLiteral("/books/my book.epub"));
    m_window.validateButton()->click();
    waitForTheCheck();

    const QString csv = m_books.path() + QStringLiteral("/report.CSV");
    m_window.writeReport(csv);
    QFile csvFile(csv);
    ASSERT_TRUE(csvFile.open(QIODevice::ReadOnly));
    EXPECT_EQ(csvFile.readAll(), QByteArray("severity,code,file,line,column,text\r\n"
                                            "ERROR,RSC-005,\"OEBPS/c, 1.xhtml\",2,92,\"say \"\"hi\"\"\"\r\n"
                                            "WARNING,OPF-003,,,,Item exists\r\n"));

    const QString json = m_books.path() + QStringLiteral("/report.json");
    m_window.writeReport(json);
    QFile jsonFile(json);
    ASSERT_TRUE(jsonFile.open(QIODevice::ReadOnly));
    QJsonParseError error;
    const QJsonObject saved = QJsonDocument::fromJson(jsonFile.readAll(), &error).object();
    ASSERT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    EXPECT_EQ(saved[QStringLiteral("book")].toString(), QStringLiteral("/books/my book.epub"));
    const QJsonArray messages = saved[QStringLiteral("messages")].toArray();
    ASSERT_EQ(messages.size(), 2);
    const QJsonObject first = messages[0].toObject();
    EXPECT_EQ(first[QStringLiteral("severity")].toString(), QStringLiteral("ERROR"));
    EXPECT_EQ(first[QStringLiteral("code")].toString(), QStringLiteral("RSC-005"));
    EXPECT_EQ(first[QStringLiteral("file")].toString(), QStringLiteral("OEBPS/c, 1.xhtml"));
    EXPECT_EQ(first[QStringLiteral("line")].toInt(), 2);
    EXPECT_EQ(first[QStringLiteral("column")].toInt(), 92);
    EXPECT_EQ(first[QStringLiteral("text")].toString(), QStringLiteral("say \"hi\""));
    const QJsonObject second = messages[1].toObject();
    EXPECT_TRUE(second[QStringLiteral("file")].isNull());
    EXPECT_TRUE(second[QStringLiteral("line")].isNull());
    EXPECT_TRUE(second[QStringLiteral("column")].isNull());

    // Saved whole or not at all, in every form.
    const QString unwritable = m_books.path() + QStringLiteral("/no such folder/report.json");
    EXPECT_THROW(m_window.writeReport(unwritable), tessaly::Error);
    EXPECT_FALSE(QFileInfo::exists(unwritable));
}

// The dialog's file type decides when the name has no known extension.
TEST_F(MainWindowTest, SaveReportOffersTheMessagesAsCsvAndJson)
{
    const StandInJava java(messagesReport);
    m_window.bookPathEdit()->setText(QStringLiteral("/books/my book.epub"));
    m_window.validateButton()->click();
    waitForTheCheck();
    const QString file = m_books.path() + QStringLiteral("/saved");
    QStringList offered;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_TRUE(dialog);
        offered = dialog->nameFilters();
        dialog->selectNameFilter(QStringLiteral("Messages as JSON (*.json)"));
        dialog->selectFile(file);
        static_cast<QDialog*>(dialog)->accept();
    });
    m_window.saveReport();
    EXPECT_EQ(offered, (QStringList{QStringLiteral("Text files (*.txt)"), QStringLiteral("Messages as CSV (*.csv)"),
                           QStringLiteral("Messages as JSON (*.json)")}));
    QFile saved(file);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_TRUE(saved.readAll().startsWith("{\"book\": \"/books/my book.epub\", \"messages\": [\n"));
}

// Answers the next open-file dialog: chooses `file`, or cancels when empty.
void answerFileDialog(const QString& file)
{
    QTimer::singleShot(0, [file] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return answerFileDialog(file);
        if (file.isEmpty())
            return dialog->reject();
        dialog->selectFile(file);
        static_cast<QDialog*>(dialog)->accept(); // QFileDialog hides accept()
    });
}

TEST_F(MainWindowTest, BrowseClearsTheReportAndTakesTheChosenFile)
{
    const std::string path = book("chosen book.epub");
    m_window.reportMemo()->setPlainText(QStringLiteral("old report"));
    answerFileDialog(QString::fromStdString(path));
    m_window.browse();
    EXPECT_EQ(m_window.bookPathEdit()->text().toStdString(), path);
    EXPECT_TRUE(m_window.reportMemo()->toPlainText().isEmpty());
}

TEST_F(MainWindowTest, BrowseCancelledKeepsThePathButClearsTheReport)
{
    m_window.bookPathEdit()->setText(QStringLiteral("/books/kept.epub"));
    m_window.reportMemo()->setPlainText(QStringLiteral("old report"));
    answerFileDialog(QString());
    m_window.browse();
    EXPECT_EQ(m_window.bookPathEdit()->text(), QStringLiteral("/books/kept.epub"));
    EXPECT_TRUE(m_window.reportMemo()->toPlainText().isEmpty());
}

// Drops the files on the window as a file manager would; whether the window
// took them.
bool dropOn(MainWindow& window, const QList<QUrl>& urls)
{
    QMimeData data;
    data.setUrls(urls);
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &enter);
    if (!enter.isAccepted())
        return false;
    QDropEvent dropped(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &dropped);
    return true;
}

// A stand-in checker that prints 1,500 lines, waits until the file `gate`
// exists, then prints 1,500 more in ten slow parts: the lines it prints,
// and the script.
std::pair<std::vector<std::string>, std::string> gatedChecker(const QString& gate)
{
    std::vector<std::string> lines;
    for (int i = 1; i <= 1500; ++i)
        lines.push_back("first half, line " + std::to_string(i));
    for (int part = 1; part <= 10; ++part) {
        for (int i = 1; i <= 150; ++i)
            lines.push_back("second half, part " + std::to_string(part) + ", line " + std::to_string(i));
    }
    const std::string script = "i=1; while [ $i -le 1500 ]; do echo \"first half, line $i\"; i=$((i+1)); done\n"
        "while [ ! -e '" + gate.toStdString() + "' ]; do sleep 0.05; done\n"
        "p=1; while [ $p -le 10 ]; do i=1; while [ $i -le 150 ]; do echo \"second half, part $p, line $i\"; "
        "i=$((i+1)); done; sleep 0.05; p=$((p+1)); done";
    return {lines, script};
}

// Whatever the user does while a check runs, the check's report, clock,
// verdict and comparison stay its own: a new check is refused before it
// changes anything, as is saving half a report; choosing the next book or
// a skin leaves the report alone.
TEST_F(MainWindowTest, NothingDoneDuringACheckDisturbsIt)
{
    const QString gate = m_books.path() + QStringLiteral("/gate");
    const auto [expected, script] = gatedChecker(gate);
    const StandInJava java(script);
    const QString checked = QString::fromStdString(book("checked.epub"));
    const QString other = QString::fromStdString(book("other.epub"));
    const QString refused = QStringLiteral("Cannot perform this operation when process is running.");
    const struct {
        const char* name;
        std::function<void()> act;
        QString refusal; // empty: none
        QString pathAfter;
    } actions[] = {
        {"Validate", [&] { m_window.validateButton()->click(); }, refused, checked},
        {"F5", [&] { QTest::keyClick(&m_window, Qt::Key_F5); }, refused, checked},
        {"drop", [&] { EXPECT_TRUE(dropOn(m_window, {QUrl::fromLocalFile(other)})); }, refused, checked},
        {"book from the command line", [&] { m_window.openBook(other); }, refused, checked},
        {"Save", [&] { m_window.aboutMenu()->items().at(4).click(); },
         QStringLiteral("The report can be saved once the check has ended."), checked},
        {"Browse", [&] {
             answerFileDialog(other);
             m_window.browseButton()->click();
         }, QString(), other},
        {"skin", [&] { m_window.chooseBuiltInSkin(QStringLiteral("slate")); }, QString(), checked},
    };
    m_window.show();
    m_window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&m_window));
    // A whole check first, for the comparison.
    QFile(gate).open(QIODevice::WriteOnly);
    validate(checked.toStdString());
    QScrollBar* scrollBar = m_window.reportMemo()->verticalScrollBar();
    for (const auto& action : actions) {
        SCOPED_TRACE(action.name);
        QFile::remove(gate);
        m_window.activateWindow();
        m_window.bookPathEdit()->setText(checked);
        m_window.validateButton()->click();
        // The first half is on screen and the clock has ticked.
        ASSERT_TRUE(QTest::qWaitFor([&] {
            return m_window.bookCheck().report().lines().size() == 1500 && !m_window.reportFeed().hasPendingChanges()
                && !m_window.progressLabel()->text().endsWith(QStringLiteral(" 0 s"));
        }, 60000));
        scrollBar->setValue(scrollBar->maximum() / 2);
        const int scrolledTo = scrollBar->value();
        ASSERT_GT(scrolledTo, 0);
        // Lines keep coming while the refusal shows.
        QFile(gate).open(QIODevice::WriteOnly);

        ErrorReportCatcher catcher;
        action.act();
        QTest::qWait(100); // the catcher closes a report that the action left open
        EXPECT_EQ(catcher.text().value_or(QString()).toStdString(), action.refusal.toStdString());
        EXPECT_EQ(m_window.bookPathEdit()->text().toStdString(), action.pathAfter.toStdString());
        EXPECT_TRUE(m_window.checkRunning());
        EXPECT_TRUE(m_window.progressLabel()->text().startsWith(QStringLiteral("Checking checked.epub")))
            << m_window.progressLabel()->text().toStdString();
        EXPECT_FALSE(m_window.progressLabel()->text().endsWith(QStringLiteral(" 0 s"))) << "the clock went on";
        EXPECT_EQ(scrollBar->value(), scrolledTo) << "the reader keeps their place";

        waitForTheCheck();
        EXPECT_TRUE(memoLines(m_window) == expected) << memoLines(m_window).size() << " lines";
        EXPECT_EQ(m_window.progressLabel()->text(), QStringLiteral("The checker failed (exit code 0) \u00b7 0 new, 0 gone"))
            << "compared with the whole report of the check before";
        const QString file = m_books.path() + QStringLiteral("/report.txt");
        m_window.writeReport(file);
        QFile saved(file);
        ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
        EXPECT_EQ(saved.readLine().toStdString(), "Book: " + checked.toStdString() + "\n") << "the report names its own book";
    }
}

TEST(ErrorReport, AppendsAPeriodOnlyAfterCharactersAboveIt)
{
    using tessaly::app::withClosingPeriod;
    EXPECT_EQ(withClosingPeriod("Stream read error"), "Stream read error.");
    EXPECT_EQ(withClosingPeriod("Done."), "Done.");
    EXPECT_EQ(withClosingPeriod("Done!"), "Done!");
    EXPECT_EQ(withClosingPeriod("Done "), "Done ");
    EXPECT_EQ(withClosingPeriod("(x)"), "(x)");
    EXPECT_EQ(withClosingPeriod("x/"), "x/.");
    EXPECT_EQ(withClosingPeriod("caf\xc3\xa9"), "caf\xc3\xa9.");
    EXPECT_EQ(withClosingPeriod(""), "");
}

class WindowLayoutTest : public testing::Test {
protected:
    tessaly::platform::QtMainThread m_mainThread;
    MainWindow m_window{m_mainThread, programFolder};
    tessaly::app::AboutWindow m_aboutWindow{&m_window, &m_window.skinData()};
};

TEST_F(WindowLayoutTest, MainWindowHasItsDesign)
{
    EXPECT_EQ(m_window.windowTitle(), QStringLiteral("Tessaly 1.0"));
    // The design's client size inside the skin's frame.
    EXPECT_EQ(m_window.clientArea()->size(), QSize(581, 343));
    EXPECT_EQ(m_window.size(), QSize(589, 376));
    EXPECT_FALSE(m_window.windowFlags() & Qt::WindowMaximizeButtonHint);
    const struct {
        const char* name;
        QRect geometry;
        QString text;
    } controls[] = {
        {"browseButton", {442, 294, 33, 21}, QString(QChar(0x2026))},
        {"bookPathEdit", {8, 294, 433, 18}, QString()},
        {"validateButton", {498, 293, 75, 25}, QStringLiteral("Validate")},
        {"reportPages", {8, 4, 565, 284}, QString()},
        // Inside the pages, under their tabs.
        {"reportMemo", {0, 20, 565, 264}, QString()},
        {"messagesView", {0, 20, 565, 264}, QString()},
        {"statusBar", {0, 322, 581, 21}, QString()},
        {"aboutMenuButton", {528, 2, 45, 18}, QStringLiteral("About")},
    };
    m_window.show(); // sizes reach hidden widgets only when they are shown
    for (const auto& control : controls) {
        auto* widget = m_window.findChild<QWidget*>(QString::fromLatin1(control.name));
        ASSERT_NE(widget, nullptr) << control.name;
        EXPECT_EQ(widget->geometry(), control.geometry) << control.name;
        if (auto* button = dynamic_cast<tessaly::skin::SkinButton*>(widget)) {
            EXPECT_EQ(button->text(), control.text) << control.name;
        }
        if (auto* button = dynamic_cast<tessaly::skin::SkinSpeedButton*>(widget)) {
            EXPECT_EQ(button->text(), control.text) << control.name;
        }
    }
    EXPECT_TRUE(m_window.bookPathEdit()->isReadOnly());
    EXPECT_TRUE(m_window.reportMemo()->isReadOnly());
}

TEST_F(WindowLayoutTest, TheStoredSkinIsLoadedWithTheWindow)
{
    auto& skinData = m_window.skinData();
    EXPECT_FALSE(skinData.empty());
    EXPECT_EQ(skinData.skinName, "Pewter"); // the default skin
    for (const char* control : {"button", "toolbutton", "toolmenubutton", "edit", "statusbar", "stdlabel"})
        EXPECT_GE(skinData.getControlIndex(control), 0) << control;
}

TEST_F(WindowLayoutTest, StatusBarFollowsTheBottomEdgeOnResize)
{
    m_window.show();
    m_window.resize(800, 500);
    auto* statusBar = m_window.findChild<QWidget*>(QStringLiteral("statusBar"));
    const QSize client = m_window.clientArea()->size();
    EXPECT_EQ(client, QSize(800 - 8, 500 - 33));
    EXPECT_EQ(statusBar->geometry(), QRect(0, client.height() - 21, client.width(), 21));
    EXPECT_EQ(m_window.validateButton()->geometry(), QRect(498, 293, 75, 25));
}

TEST_F(WindowLayoutTest, SkinNoticesReachTheControlsThroughTheFrame)
{
    // Clearing the skin leaves the controls on their built-in faces; loading
    // it again binds them to their records once more.
    tessaly::skin::SkinData& skinData = m_window.skinData();
    ASSERT_GE(m_window.validateButton()->index(), 0);
    skinData.clearSkin();
    EXPECT_EQ(m_window.validateButton()->index(), -1);
    EXPECT_EQ(m_window.browseButton()->index(), -1);
    tessaly::skin::CompressedStoredSkin pewter;
    pewter.loadFromCompressBytes(tessaly::skin::embedded_pewter());
    skinData.loadCompressedStoredSkin(pewter);
    EXPECT_GE(m_window.validateButton()->index(), 0);
    EXPECT_GE(m_window.browseButton()->index(), 0);
}

TEST_F(WindowLayoutTest, StatusBarMenuHasItsItems)
{
    // The three of the design, then saving the report and the skins.
    const tessaly::skin::MenuItem& items = m_window.aboutMenu()->items();
    ASSERT_EQ(items.count(), 7);
    EXPECT_EQ(items.at(0).caption, QStringLiteral("Visit Our Website"));
    EXPECT_TRUE(items.at(1).isSeparator());
    EXPECT_EQ(items.at(2).caption, QStringLiteral("About"));
    EXPECT_TRUE(items.at(3).isSeparator());
    EXPECT_EQ(items.at(4).caption, QStringLiteral("Save Report\u2026"));
    EXPECT_TRUE(items.at(5).isSeparator());
    EXPECT_EQ(items.at(6).caption, QStringLiteral("Skin"));
    EXPECT_TRUE(items.at(6).hasItems());
}

TEST_F(WindowLayoutTest, AboutCommandShowsTheSameHiddenWindow)
{
    m_window.setAboutWindow(&m_aboutWindow);
    m_window.show();
    EXPECT_FALSE(m_aboutWindow.isVisible());
    m_window.aboutMenu()->items().at(2).click();
    EXPECT_TRUE(m_aboutWindow.isVisible());
    EXPECT_EQ(m_aboutWindow.clientArea()->size(), QSize(319, 175));
    EXPECT_EQ(m_aboutWindow.size(), QSize(327, 208));
    EXPECT_TRUE(m_aboutWindow.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(m_aboutWindow.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));

    m_aboutWindow.close();
    EXPECT_FALSE(m_aboutWindow.isVisible());
    m_window.showAbout();
    m_window.showAbout();
    EXPECT_TRUE(m_aboutWindow.isVisible());
    // Before the first show the window manager's frame is not known yet, so
    // the centre may be off by the frame's width.
    EXPECT_LE((m_aboutWindow.frameGeometry().center() - m_window.frameGeometry().center()).manhattanLength(), 6);
}

TEST_F(WindowLayoutTest, AboutWindowShowsLogoNameVersionMakerAndLink)
{
    auto* logo = m_aboutWindow.findChild<QLabel*>(QStringLiteral("logoImage"));
    ASSERT_NE(logo, nullptr);
    ASSERT_FALSE(logo->pixmap().isNull());
    EXPECT_EQ(logo->pixmap().size(), QSize(200, 46));
    EXPECT_TRUE(logo->pixmap().hasAlphaChannel());
    EXPECT_EQ(m_aboutWindow.findChild<QLabel*>(QStringLiteral("productNameLabel"))->text(), QStringLiteral("Tessaly"));
    EXPECT_EQ(m_aboutWindow.findChild<QLabel*>(QStringLiteral("versionLabel"))->text(), QStringLiteral("Version 1.0"));
    const QString maker = m_aboutWindow.findChild<QLabel*>(QStringLiteral("makerLabel"))->text();
    EXPECT_TRUE(maker.contains(QStringLiteral("The Tessaly Authors")) && maker.contains(QStringLiteral("2010-2012")));
    EXPECT_EQ(m_aboutWindow.webSiteLink()->text(), QStringLiteral(TESSALY_WEBSITE_ADDRESS));
    EXPECT_EQ(m_aboutWindow.webSiteLink()->url(), QStringLiteral(TESSALY_WEBSITE_ADDRESS));
    EXPECT_TRUE(m_aboutWindow.webSiteLink()->font().underline());
    const auto* webSite = m_aboutWindow.findChild<QLabel*>(QStringLiteral("webSiteLabel"));
    EXPECT_GT(m_aboutWindow.webSiteLink()->x(), webSite->x() + webSite->fontMetrics().horizontalAdvance(webSite->text()))
        << "the link must not touch \"Web site:\"";
    for (const QLabel* label : m_aboutWindow.findChildren<QLabel*>()) {
        if (!label->text().isEmpty()) {
            EXPECT_GE(label->height(), label->fontMetrics().height())
                << label->text().toStdString() << ": descenders would be cut";
        }
    }
}

} // namespace
