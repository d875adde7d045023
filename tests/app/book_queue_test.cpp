// The queue of books in the main window, driven as a user would, with a
// stand-in checker whose answer each book's first line picks: "pass"
// passes, "hang" never ends, "gated" writes a line and waits for a file
// BOOK.go before the next, anything else (a damaged book, a missing file)
// is an error. Every check notes its book in a log.
#include "app/app_accessibility.h"
#include "app/book_queue.h"
#include "app/book_queue_view.h"
#include "app/main_window.h"
#include "app/messages_view.h"
#include "app/report_pages.h"
#include "app/report_view_feed.h"
#include "app/checker_jobs.h"
#include "app/warm_checker.h"
#include "platform/qt_main_thread.h"
#include "skin/controls/popup_menu_opener.h"
#include "skin/controls/skin_edit.h"
#include "skin/controls/skin_std_label.h"
#include "window_test_support.h"

#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QMimeData>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <gtest/gtest.h>

#include <csignal>
#include <memory>
#include <string>
#include <vector>

namespace {

using tessaly::app::BookQueue;
using tessaly::app::MainWindow;
using tessaly::app::QueuedBookState;
using tessaly::testing::programFolder;
using tessaly::testing::StandInJava;

std::string passedOutput(const std::string&)
{
    return "Validating using EPUB version 3.3 rules.\nNo errors or warnings detected.\n"
           "Messages: 0 fatals / 0 errors / 0 warnings / 0 infos\n\nEPUBCheck completed\n";
}

std::string damagedOutput(const std::string& book)
{
    return "ERROR(PKG-003): " + book + "(-1,-1): Unable to read EPUB file header.\n"
           "Messages: 0 fatals / 1 error / 0 warnings / 0 infos\n";
}

// The stand-in's script: writes the outputs above, byte for byte.
std::string standInScript(const QString& log)
{
    return "for a; do book=$a; done\n"
           "echo \"$book\" >> '" + log.toStdString() + "'\n"
           "case $(head -n 1 \"$book\" 2>/dev/null) in\n"
           "pass) printf 'Validating using EPUB version 3.3 rules.\\nNo errors or warnings detected.\\n"
           "Messages: 0 fatals / 0 errors / 0 warnings / 0 infos\\n\\nEPUBCheck completed\\n'; exit 0;;\n"
           "gated) echo 'first part'; while [ ! -e \"$book.go\" ]; do sleep 0.05; done; echo 'second part'; exit 0;;\n"
           "hang) echo $$ >> '" + log.toStdString() + ".hanging'; exec sleep 600;;\n"
           "*) printf 'ERROR(PKG-003): %s(-1,-1): Unable to read EPUB file header.\\n"
           "Messages: 0 fatals / 1 error / 0 warnings / 0 infos\\n' \"$book\"; exit 1;;\n"
           "esac";
}

// Drops the files on the window as a file manager would; whether the
// window took them.
bool dropBooksOn(MainWindow& window, const QList<QUrl>& urls)
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

class BookQueueTest : public testing::Test {
protected:
    // Before any window: an object keeps the interface it was first given.
    static void SetUpTestSuite() { tessaly::app::installAppAccessibility(); }

    BookQueueTest()
    {
        // "java -jar" for every book, one or two at a time as a test asks.
        QSettings settings(QStringLiteral("Tessaly"), QStringLiteral("Tessaly"));
        settings.setValue(QLatin1String(tessaly::app::WarmChecker::SettingsKey), false);
        settings.setValue(QLatin1String(tessaly::app::CheckerJobsKey), 1);
    }
    ~BookQueueTest() override
    {
        QSettings settings(QStringLiteral("Tessaly"), QStringLiteral("Tessaly"));
        settings.remove(QLatin1String(tessaly::app::WarmChecker::SettingsKey));
        settings.remove(QLatin1String(tessaly::app::CheckerJobsKey));
    }

    void setJobs(int jobs)
    {
        QSettings(QStringLiteral("Tessaly"), QStringLiteral("Tessaly"))
            .setValue(QLatin1String(tessaly::app::CheckerJobsKey), jobs);
    }

    // A file whose first line tells the stand-in what to answer.
    QString book(const QString& name, const QByteArray& firstLine)
    {
        const QString path = m_books.path() + QLatin1Char('/') + name;
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(firstLine + "\n");
        return path;
    }

    void waitForTheQueue()
    {
        ASSERT_TRUE(QTest::qWaitFor([this] { return !m_window.checkRunning(); }, 60000));
    }

    BookQueue& queue() { return m_window.bookQueue(); }
    tessaly::app::BookQueueView* view() { return m_window.bookQueueView(); }

    std::vector<std::string> paths()
    {
        std::vector<std::string> list;
        for (std::size_t i = 0; i < queue().size(); ++i)
            list.push_back(queue().book(i).path);
        return list;
    }
    std::vector<std::string> rowTexts()
    {
        std::vector<std::string> rows;
        for (std::size_t i = 0; i < queue().size(); ++i)
            rows.push_back(view()->rowText(i).toStdString());
        return rows;
    }
    std::vector<std::string> checkLog() const
    {
        QFile file(m_log);
        if (!file.open(QIODevice::ReadOnly))
            return {};
        std::vector<std::string> lines;
        for (const QByteArray& line : file.readAll().split('\n')) {
            if (!line.isEmpty())
                lines.push_back(line.toStdString());
        }
        return lines;
    }
    std::vector<std::string> shownLines()
    {
        m_window.reportFeed().flush();
        std::vector<std::string> lines;
        for (const QString& line : m_window.reportFeed().shownLines())
            lines.push_back(line.toStdString());
        return lines;
    }

    QTemporaryDir m_books;
    QString m_log = m_books.path() + QStringLiteral("/checks.log");
    const StandInJava m_java{standInScript(m_log)};
    tessaly::platform::QtMainThread m_mainThread;
    MainWindow m_window{m_mainThread, programFolder};
};

// A folder (searched through its subfolders) with a damaged book among good
// ones, dropped with a file that is not there: every book is queued in
// name order and checked in that order, each row tells its verdict, and
// the status bar sums them up.
TEST_F(BookQueueTest, DroppedFolderIsQueuedInOrderWithEachVerdict)
{
    const QString folder = m_books.path() + QStringLiteral("/shelf");
    const std::string good1 = book(QStringLiteral("shelf/a good.epub"), "pass").toStdString();
    const std::string damaged = book(QStringLiteral("shelf/inner/b damaged.epub"), "PK\x03\x04 cut short").toStdString();
    const std::string good2 = book(QStringLiteral("shelf/c good.EPUB"), "pass").toStdString();
    book(QStringLiteral("shelf/notes.txt"), "pass");
    const std::string missing = m_books.path().toStdString() + "/gone.epub";
    EXPECT_TRUE(view()->isHidden()) << "no list before there is a queue";
    const QRect pagesAlone = m_window.reportPages()->geometry();

    ASSERT_TRUE(dropBooksOn(m_window, {QUrl::fromLocalFile(folder), QUrl::fromLocalFile(QString::fromStdString(missing))}));
    EXPECT_EQ(paths(), (std::vector<std::string>{good1, good2, damaged, missing}));
    EXPECT_FALSE(view()->isHidden());
    EXPECT_GE(m_window.reportPages()->y(), view()->geometry().bottom()) << "the list stands above the report";
    EXPECT_EQ(m_window.reportPages()->geometry().bottom(), pagesAlone.bottom());
    waitForTheQueue();

    EXPECT_EQ(checkLog(), paths()) << "checked in list order, each once";
    EXPECT_EQ(rowTexts(), (std::vector<std::string>{"a good.epub: Passed", "c good.EPUB: Passed",
                              "b damaged.epub: 1 error, 0 warnings", "gone.epub: 1 error, 0 warnings"}));
    EXPECT_EQ(m_window.progressLabel()->text(), QStringLiteral("4 books: 2 passed, 2 with errors"));
    EXPECT_EQ(queue().book(2).output, damagedOutput(damaged)) << "the checker's output byte for byte";
}

// The rows speak to assistive tools: a child per book, with its text, the
// chosen one selected.
TEST_F(BookQueueTest, RowsAreAccessibleChildrenOfTheList)
{
    m_window.checkBooks({book(QStringLiteral("one.epub"), "pass").toStdString(),
        book(QStringLiteral("two.epub"), "damaged").toStdString()});
    waitForTheQueue();
    view()->setCurrentBook(1);
    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(view());
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->role(), QAccessible::List);
    ASSERT_EQ(list->childCount(), 2);
    for (int row = 0; row < 2; ++row) {
        QAccessibleInterface* child = list->child(row);
        ASSERT_NE(child, nullptr);
        EXPECT_EQ(child->role(), QAccessible::ListItem);
        EXPECT_EQ(list->indexOfChild(child), row);
        EXPECT_EQ(child->text(QAccessible::Name), view()->rowText(std::size_t(row)));
        EXPECT_EQ(bool(child->state().selected), row == 1);
    }
    EXPECT_EQ(list->child(1)->text(QAccessible::Name), QStringLiteral("two.epub: 1 error, 0 warnings"));
}

// Choosing a row, by mouse or keyboard, shows that book's report and
// messages and puts its path in the path field.
TEST_F(BookQueueTest, ChosenBookShowsItsOwnReport)
{
    const std::vector<std::string> books = {book(QStringLiteral("1.epub"), "pass").toStdString(),
        book(QStringLiteral("2.epub"), "damaged").toStdString(), book(QStringLiteral("3.epub"), "pass").toStdString()};
    m_window.checkBooks(books);
    waitForTheQueue();
    const std::vector<std::string> passedLines = tessaly::testing::filteredLines(QByteArray::fromStdString(passedOutput("")));
    const std::vector<std::string> damagedLines = tessaly::testing::filteredLines(QByteArray::fromStdString(damagedOutput(books[1])));
    const struct {
        Qt::Key key;
        std::size_t row;
        const std::vector<std::string>& lines;
        std::size_t messages;
    } steps[] = {
        {Qt::Key_Down, 1, damagedLines, 1},
        {Qt::Key_End, 2, passedLines, 0},
        {Qt::Key_Up, 1, damagedLines, 1},
        {Qt::Key_Home, 0, passedLines, 0},
    };
    view()->setFocus();
    for (const auto& step : steps) {
        SCOPED_TRACE(step.row);
        QTest::keyClick(view(), step.key);
        EXPECT_EQ(view()->currentBook(), step.row);
        EXPECT_EQ(m_window.bookPathEdit()->text().toStdString(), books[step.row]);
        EXPECT_EQ(shownLines(), step.lines);
        m_window.messagesView()->flush();
        EXPECT_EQ(m_window.messagesView()->messages().messages().size(), step.messages);
    }
    // A click on the third row.
    const QPoint third(20, view()->rowHeight() * 2 + view()->rowHeight() / 2);
    QTest::mouseClick(view()->viewport(), Qt::LeftButton, {}, third);
    EXPECT_EQ(view()->currentBook(), 2u);
    EXPECT_EQ(m_window.bookPathEdit()->text().toStdString(), books[2]);
}

// A book chosen while it is being checked shows what has arrived of its
// report, and the rest as it comes.
TEST_F(BookQueueTest, ChosenBookBeingCheckedShowsItsReportAsItArrives)
{
    const QString gated = book(QStringLiteral("b gated.epub"), "gated");
    m_window.checkBooks({book(QStringLiteral("a.epub"), "pass").toStdString(), gated.toStdString()});
    ASSERT_TRUE(QTest::qWaitFor([&] { return queue().book(1).state == QueuedBookState::Checking; }, 30000));
    view()->setCurrentBook(1);
    EXPECT_EQ(m_window.bookPathEdit()->text(), gated);
    ASSERT_TRUE(QTest::qWaitFor([&] { return shownLines() == std::vector<std::string>{"first part"}; }, 10000))
        << shownLines().size() << " lines";
    QFile(gated + QStringLiteral(".go")).open(QIODevice::WriteOnly);
    waitForTheQueue();
    EXPECT_EQ(shownLines(), (std::vector<std::string>{"first part", "second part"}));
    EXPECT_EQ(view()->rowText(1), QStringLiteral("b gated.epub: The checker failed (exit code 0)"))
        << "no summary line: no verdict to trust";
}

// Escape cancels every check: the running ones end (their checkers with
// them), the waiting ones never start, and nothing is reported after.
TEST_F(BookQueueTest, CancelAllEndsEveryCheck)
{
    setJobs(2);
    const std::vector<std::string> books = {book(QStringLiteral("a.epub"), "pass").toStdString(),
        book(QStringLiteral("b.epub"), "hang").toStdString(), book(QStringLiteral("c.epub"), "hang").toStdString(),
        book(QStringLiteral("d.epub"), "pass").toStdString()};
    m_window.checkBooks(books);
    // a passes, then b and c hang in both slots.
    ASSERT_TRUE(QTest::qWaitFor([&] {
        return queue().book(1).state == QueuedBookState::Checking && queue().book(2).state == QueuedBookState::Checking;
    }, 30000));
    QFile pidsFile(m_log + QStringLiteral(".hanging"));
    // Both stand-ins have noted themselves.
    ASSERT_TRUE(QTest::qWaitFor([&] {
        pidsFile.open(QIODevice::ReadOnly);
        const int count = pidsFile.readAll().count('\n');
        pidsFile.close();
        return count == 2;
    }, 30000));
    pidsFile.open(QIODevice::ReadOnly);
    const QList<QByteArray> pids = pidsFile.readAll().trimmed().split('\n');

    view()->setFocus();
    QTest::keyClick(view(), Qt::Key_Escape);
    EXPECT_FALSE(m_window.checkRunning());
    for (const QByteArray& pid : pids) {
        EXPECT_TRUE(QTest::qWaitFor([&] { return ::kill(pid.toInt(), 0) != 0; }, 10000)) << "checker " << pid.toStdString();
    }
    EXPECT_EQ(rowTexts(), (std::vector<std::string>{"a.epub: Passed", "b.epub: cancelled", "c.epub: cancelled",
                              "d.epub: cancelled"}));
    QTest::qWait(300);
    EXPECT_EQ(checkLog().size(), 3u) << "the waiting book never started";
    EXPECT_EQ(m_window.progressLabel()->text(), QStringLiteral("4 books: 1 passed, 0 with errors, 3 cancelled"));
}

// Keeps the commands of the menu it is asked to open.
class MenuRecorder : public tessaly::skin::ContextMenuOpener {
public:
    void popup(QWidget*, const QPoint&, std::vector<tessaly::skin::MenuCommand> commands) override
    {
        this->commands = std::move(commands);
    }
    std::vector<std::string> shown() const
    {
        std::vector<std::string> list;
        for (const auto& command : commands)
            list.push_back(command.caption.toStdString() + (command.enabled ? "" : " (off)"));
        return list;
    }
    std::vector<tessaly::skin::MenuCommand> commands;
};

// The menu key opens the list's menu, whose commands follow what can be
// done: cancel while checks run, check again and save once they ended.
TEST_F(BookQueueTest, MenuKeyOpensTheCommandsThatApply)
{
    MenuRecorder menu;
    view()->setMenuOpener(&menu);
    m_window.checkBooks({book(QStringLiteral("a.epub"), "pass").toStdString(),
        book(QStringLiteral("b.epub"), "hang").toStdString()});
    ASSERT_TRUE(QTest::qWaitFor([&] { return queue().book(1).state == QueuedBookState::Checking; }, 30000));
    view()->setFocus();
    QTest::keyClick(view(), Qt::Key_Menu);
    EXPECT_EQ(menu.shown(), (std::vector<std::string>{"Check Again", "Cancel All", "-", "Save All Reports\u2026 (off)"}))
        << "the chosen book is done: it may be checked again";
    QTest::keyClick(view(), Qt::Key_Down);
    QTest::keyClick(view(), Qt::Key_Menu);
    EXPECT_EQ(menu.shown(), (std::vector<std::string>{"Check Again (off)", "Cancel All", "-", "Save All Reports\u2026 (off)"}));
    menu.commands[1].run();
    EXPECT_FALSE(m_window.checkRunning());
    QTest::keyClick(view(), Qt::Key_F10, Qt::ShiftModifier);
    EXPECT_EQ(menu.shown(), (std::vector<std::string>{"Check Again", "Cancel All (off)", "-", "Save All Reports\u2026"}));
}

// Enter on a row checks that book again, alone: the others keep their
// verdicts, and the summary follows.
TEST_F(BookQueueTest, EnterChecksTheChosenBookAgain)
{
    const QString fixed = book(QStringLiteral("fixed later.epub"), "damaged");
    const std::vector<std::string> books = {book(QStringLiteral("good.epub"), "pass").toStdString(), fixed.toStdString()};
    m_window.checkBooks(books);
    waitForTheQueue();
    EXPECT_EQ(m_window.progressLabel()->text(), QStringLiteral("2 books: 1 passed, 1 with errors"));

    book(QStringLiteral("fixed later.epub"), "pass");
    view()->setFocus();
    QTest::keyClick(view(), Qt::Key_End);
    QTest::keyClick(view(), Qt::Key_Return);
    EXPECT_TRUE(m_window.checkRunning());
    EXPECT_EQ(queue().book(0).state, QueuedBookState::Done) << "the other book is not checked again";
    waitForTheQueue();
    EXPECT_EQ(checkLog(), (std::vector<std::string>{books[0], books[1], books[1]}));
    EXPECT_EQ(rowTexts(), (std::vector<std::string>{"good.epub: Passed", "fixed later.epub: Passed"}));
    EXPECT_EQ(shownLines(), tessaly::testing::filteredLines(QByteArray::fromStdString(passedOutput(""))))
        << "the chosen book's new report";
    EXPECT_EQ(m_window.progressLabel()->text(), QStringLiteral("2 books: 2 passed, 0 with errors"));
    // Validate checks the chosen book too.
    m_window.validate();
    waitForTheQueue();
    EXPECT_EQ(checkLog().size(), 4u);
    EXPECT_EQ(checkLog().back(), books[1]);
}

// "Save All Reports" writes one file per book into the chosen folder, named
// after the book (books of one name from two folders apart), holding what
// the checker wrote; refused while checks run.
TEST_F(BookQueueTest, SaveAllWritesOneReportPerBook)
{
    const std::vector<std::string> books = {book(QStringLiteral("x/book.epub"), "pass").toStdString(),
        book(QStringLiteral("y/book.epub"), "damaged").toStdString(),
        book(QStringLiteral("y/other.epub"), "hang").toStdString()};
    m_window.checkBooks(books);
    ASSERT_TRUE(QTest::qWaitFor([&] { return queue().book(2).state == QueuedBookState::Checking; }, 30000));
    EXPECT_THROW(queue().saveReports(m_books.path().toStdString() + "/early"), tessaly::Error);
    EXPECT_FALSE(QFileInfo::exists(m_books.path() + QStringLiteral("/early")));
    m_window.bookQueueView()->cancelAll();

    const QString folder = m_books.path() + QStringLiteral("/reports");
    QDir().mkpath(folder);
    // The keys reach the window's shortcuts while it is the active window.
    m_window.show();
    m_window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&m_window));
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_TRUE(dialog);
        dialog->selectFile(folder);
        static_cast<QDialog*>(dialog)->accept();
    });
    QTest::keyClick(&m_window, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    const QStringList files = QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    EXPECT_EQ(files, (QStringList{QStringLiteral("book (2).txt"), QStringLiteral("book.txt")}))
        << "the cancelled book has no report, and no temporary file is left";
    auto read = [&](const QString& name) {
        QFile file(folder + QLatin1Char('/') + name);
        return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
    };
    EXPECT_EQ(read(QStringLiteral("book.txt")), passedOutput(books[0]));
    EXPECT_EQ(read(QStringLiteral("book (2).txt")), damagedOutput(books[1]));
}

// Several books chosen with Browse are queued and checked at once; the
// open dialog lets the user choose more than one.
TEST_F(BookQueueTest, SeveralBooksChosenWithBrowseAreQueued)
{
    const QString first = book(QStringLiteral("first.epub"), "pass");
    const QString second = book(QStringLiteral("second.epub"), "damaged");
    QFileDialog::FileMode mode = QFileDialog::AnyFile;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_TRUE(dialog);
        mode = dialog->fileMode();
        dialog->setDirectory(m_books.path());
        dialog->selectFile(QStringLiteral("\"first.epub\" \"second.epub\""));
        static_cast<QDialog*>(dialog)->accept();
    });
    m_window.browse();
    EXPECT_EQ(mode, QFileDialog::ExistingFiles);
    EXPECT_EQ(paths(), (std::vector<std::string>{first.toStdString(), second.toStdString()}));
    waitForTheQueue();
    EXPECT_EQ(m_window.progressLabel()->text(), QStringLiteral("2 books: 1 passed, 1 with errors"));
}

// A folder named at start (as file managers pass it with "Open with")
// queues its books; one without books is reported, and nothing changes.
TEST_F(BookQueueTest, FolderNamedAtStartIsQueued)
{
    const QString folder = m_books.path() + QStringLiteral("/named");
    const QString first = book(QStringLiteral("named/1.epub"), "pass");
    const QString second = book(QStringLiteral("named/deeper/2.epub"), "pass");
    m_window.openBook(folder);
    EXPECT_EQ(paths(), (std::vector<std::string>{first.toStdString(), second.toStdString()}));
    waitForTheQueue();
    EXPECT_EQ(m_window.progressLabel()->text(), QStringLiteral("2 books: 2 passed, 0 with errors"));

    const QString empty = m_books.path() + QStringLiteral("/no books");
    QDir().mkpath(empty);
    tessaly::testing::ErrorReportCatcher catcher;
    m_window.openBook(empty);
    EXPECT_EQ(catcher.text().value_or(QString()), QStringLiteral("There is no EPUB book in ") + empty + QLatin1Char('.'));
    EXPECT_EQ(queue().size(), 2u) << "the queue stays";
    EXPECT_FALSE(view()->isHidden());
}

// One book, however it comes, is checked as it always was: no list.
TEST_F(BookQueueTest, OneBookNeedsNoQueue)
{
    const QString folder = m_books.path() + QStringLiteral("/single");
    const QString only = book(QStringLiteral("single/only.epub"), "pass");
    ASSERT_TRUE(dropBooksOn(m_window, {QUrl::fromLocalFile(folder)}));
    EXPECT_TRUE(view()->isHidden());
    EXPECT_EQ(m_window.bookPathEdit()->text(), only);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !m_window.checkRunning(); }, 60000));
    EXPECT_EQ(queue().size(), 0u);
    EXPECT_EQ(m_window.progressLabel()->text(), QStringLiteral("Passed"));

    // After a queue, a single book takes the whole place again.
    const QRect pagesAlone = m_window.reportPages()->geometry();
    m_window.checkBooks({only.toStdString(), book(QStringLiteral("second.epub"), "pass").toStdString()});
    waitForTheQueue();
    EXPECT_FALSE(view()->isHidden());
    m_window.openBook(only);
    EXPECT_TRUE(view()->isHidden());
    EXPECT_EQ(m_window.reportPages()->geometry(), pagesAlone);
    EXPECT_FALSE(dropBooksOn(m_window, {QUrl::fromLocalFile(m_books.path() + QStringLiteral("/empty"))}));
    QDir().mkpath(m_books.path() + QStringLiteral("/empty"));
    EXPECT_FALSE(dropBooksOn(m_window, {QUrl::fromLocalFile(m_books.path() + QStringLiteral("/empty"))}))
        << "a folder without books";
}

// The queue with the window's warm checker, whose host the stand-in runs as
// "java window"; every other host (one per further slot) is "java" with the
// host's own arguments. A host answers each book by its first line: "pass"
// with a line naming the host, "fails" with the end record of a check it
// could not finish (so "java -jar" runs it again), "hang" never. "java
// -jar" names itself, for a book with a line "gated" once BOOK.go exists. Each
// host notes its start in a log.
class BookQueueWithWindowHostTest : public BookQueueTest {
protected:
    BookQueueWithWindowHostTest()
    {
        QSettings(QStringLiteral("Tessaly"), QStringLiteral("Tessaly"))
            .setValue(QLatin1String(tessaly::app::WarmChecker::SettingsKey), true);
    }

    void SetUp() override
    {
        tessaly::app::WarmChecker::Settings settings;
        settings.programFolder = programFolder;
        settings.commandLine = "java window";
        m_windowHost = std::make_unique<tessaly::app::WarmChecker>(m_mainThread, settings);
        m_windowHost->start();
        ASSERT_TRUE(QTest::qWaitFor([this] { return m_windowHost->warm(); }, 10000));
        m_window.setWarmChecker(m_windowHost.get());
    }
    void TearDown() override
    {
        m_window.bookQueue().cancelAll();
        m_window.setWarmChecker(nullptr);
    }

    static std::string hostScript(const QString& hostLog)
    {
        return "case $1 in\n"
               "-jar) for a; do book=$a; done\n"
               "  if grep -qx gated \"$book\"; then\n"
               "    echo 'first part'; while [ ! -e \"$book.go\" ]; do sleep 0.05; done; fi\n"
               "  echo 'checked by java -jar'; exit 0;;\n"
               "window) name=window;;\n"
               "*) name=own;;\n"
               "esac\n"
               "echo \"$name $$\" >> '" + hostLog.toStdString() + "'\n"
               "end() { printf '\\036tessaly-end %s %s 0 0 %s %s\\n' $token $1 $2 $token; }\n"
               "cr=$(printf '\\r'); while IFS=\" $cr\" read command token rest; do case $command in\n"
               "ping) end exit -;;\n"
               "check) case $(head -n 1 \"$rest\") in\n"
               "  pass) echo \"checked by the $name host\"; end exit -;;\n"
               "  fails) echo 'partial'; end failed stack-overflow;;\n"
               "  esac;;\n"
               "esac; done";
    }

    // The hosts started so far, by name, each once ("window" or "own").
    std::vector<std::string> hostStarts() const { return hostLog(0); }
    std::vector<pid_t> hostProcesses() const
    {
        std::vector<pid_t> pids;
        for (const std::string& pid : hostLog(1))
            pids.push_back(pid_t(std::stoi(pid)));
        return pids;
    }
    std::vector<std::string> hostLog(int field) const
    {
        QFile file(m_hostLog);
        std::vector<std::string> values;
        if (!file.open(QIODevice::ReadOnly))
            return values;
        for (const QByteArray& line : file.readAll().split('\n')) {
            if (!line.isEmpty())
                values.push_back(line.split(' ').value(field).toStdString());
        }
        return values;
    }
    static bool ended(pid_t pid) { return QTest::qWaitFor([pid] { return ::kill(pid, 0) != 0; }, 10000); }

    // A book checked alone, as the window checks one: its output.
    std::string checkAlone(const QString& book)
    {
        m_window.openBook(book);
        EXPECT_TRUE(view()->isHidden());
        EXPECT_TRUE(QTest::qWaitFor([this] { return !m_window.checkRunning(); }, 10000));
        return m_window.bookCheck().output();
    }

    QString m_hostLog = m_books.path() + QStringLiteral("/hosts.log");
    const StandInJava m_hostJava{hostScript(m_hostLog)};
    std::unique_ptr<tessaly::app::WarmChecker> m_windowHost;
};

// The queue's first slot checks with the window's host, warm already; the
// other slots start hosts of their own, which end with the queue. The host
// goes back to the window, whose next check of one book it does, and to
// the next queue.
TEST_F(BookQueueWithWindowHostTest, FirstSlotChecksWithTheWindowsHostAndGivesItBack)
{
    const pid_t windowHost = m_windowHost->host().processInfo().processId;
    const std::vector<std::string> books = {book(QStringLiteral("a.epub"), "pass").toStdString(),
        book(QStringLiteral("b.epub"), "pass").toStdString(), book(QStringLiteral("c.epub"), "pass").toStdString()};
    const QString alone = book(QStringLiteral("alone.epub"), "pass");
    const struct {
        int jobs;
        std::vector<std::string> hostsStarted;
    } cases[] = {
        {2, {"window", "own"}},
        {1, {"window", "own"}}, // the log goes on from the case before
        {3, {"window", "own", "own", "own"}},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.jobs);
        setJobs(each.jobs);
        m_window.checkBooks(books);
        waitForTheQueue();
        EXPECT_EQ(queue().book(0).output, "checked by the window host\n");
        for (std::size_t index = 1; index < books.size(); ++index) {
            EXPECT_TRUE(queue().book(index).output == "checked by the window host\n"
                || queue().book(index).output == "checked by the own host\n")
                << queue().book(index).output;
        }
        EXPECT_EQ(hostStarts(), each.hostsStarted);
        for (const pid_t own : hostProcesses()) {
            if (own != windowHost) {
                EXPECT_TRUE(ended(own)) << "a host of the queue's own, " << own;
            }
        }
        EXPECT_EQ(m_windowHost->host().processInfo().processId, windowHost) << "the window's host goes on";
        EXPECT_TRUE(m_windowHost->hostRunning());

        EXPECT_EQ(checkAlone(alone), "checked by the window host\n");
        EXPECT_TRUE(m_window.progressLabel()->text().startsWith(QStringLiteral("The checker failed (exit code 0)")))
            << "the window hears of the end: " << m_window.progressLabel()->text().toStdString();
    }
}

// Cancel All ends the check the queue was doing with the window's host
// (and the host with it, as a cancelled check of one book does), and the
// queue's own host; the window's next check starts its host again.
TEST_F(BookQueueWithWindowHostTest, CancelAllGivesTheWindowsHostBack)
{
    setJobs(2);
    const pid_t windowHost = m_windowHost->host().processInfo().processId;
    m_window.checkBooks({book(QStringLiteral("a.epub"), "hang").toStdString(),
        book(QStringLiteral("b.epub"), "hang").toStdString(), book(QStringLiteral("c.epub"), "pass").toStdString()});
    ASSERT_TRUE(QTest::qWaitFor([&] {
        return queue().book(0).state == QueuedBookState::Checking && queue().book(1).state == QueuedBookState::Checking;
    }, 10000));
    ASSERT_TRUE(m_windowHost->checking()) << "the first book went to the window's host";
    ASSERT_TRUE(QTest::qWaitFor([&] { return hostStarts().size() == 2; }, 10000));
    const pid_t own = hostProcesses().back();

    view()->cancelAll();
    EXPECT_FALSE(m_window.checkRunning());
    EXPECT_TRUE(ended(own));
    EXPECT_TRUE(ended(windowHost));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !m_windowHost->hostRunning(); }, 10000));
    EXPECT_EQ(rowTexts(), (std::vector<std::string>{"a.epub: cancelled", "b.epub: cancelled", "c.epub: cancelled"}));

    EXPECT_EQ(checkAlone(book(QStringLiteral("alone.epub"), "pass")), "checked by the window host\n");
    EXPECT_EQ(hostStarts(), (std::vector<std::string>{"window", "own", "window"}));
}

// A check the warm checker could not finish runs again with "java -jar":
// the book's row says so while it runs. Checked again later, the book is
// checked warm, on the window's host.
TEST_F(BookQueueWithWindowHostTest, RowTellsOfACheckRunAgainWithoutTheWarmChecker)
{
    setJobs(1);
    const QString slow = book(QStringLiteral("slow.epub"), "fails");
    {
        QFile file(slow);
        ASSERT_TRUE(file.open(QIODevice::Append));
        file.write("gated\n");
    }
    m_window.checkBooks({slow.toStdString(), book(QStringLiteral("b.epub"), "pass").toStdString()});
    ASSERT_TRUE(QTest::qWaitFor([&] { return rowTexts().front().starts_with("slow.epub: checking again"); }, 10000))
        << rowTexts().front();
    EXPECT_TRUE(rowTexts().front().starts_with("slow.epub: checking again, not warm \u2014 ")) << rowTexts().front();
    EXPECT_EQ(rowTexts().back(), "b.epub: waiting");
    QFile(slow + QStringLiteral(".go")).open(QIODevice::WriteOnly);
    waitForTheQueue();
    EXPECT_EQ(queue().book(0).output, "first part\nchecked by java -jar\n");
    EXPECT_EQ(queue().book(1).output, "checked by the window host\n");

    book(QStringLiteral("slow.epub"), "pass");
    queue().checkAgain(0);
    EXPECT_EQ(rowTexts().front().rfind("slow.epub: checking \u2014 ", 0), 0u) << rowTexts().front();
    waitForTheQueue();
    EXPECT_EQ(queue().book(0).output, "checked by the window host\n");
    EXPECT_EQ(hostStarts(), std::vector<std::string>{"window"});
}

} // namespace
