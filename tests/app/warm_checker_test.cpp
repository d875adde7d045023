// The warm checker in the main window: the same reports as "java -jar",
// byte for byte, and "java -jar" taking over whenever the host cannot.
#include "app/error_report.h"
#include "app/book_check.h"
#include "app/main_window.h"
#include "skin/controls/skin_button.h"
#include "skin/controls/skin_edit.h"
#include "report/report_filter.h"
#include "app/report_view_feed.h"
#include "app/warm_checker.h"
#include "epub_fixture.h"
#include "reference_check.h"
#include "window_test_support.h"
#include "platform/qt_main_thread.h"
#include "process/create_process.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <map>
#include <memory>
#include <optional>
#include <signal.h>

namespace {

using tessaly::testing::programFolder;

using tessaly::app::MainWindow;
using tessaly::app::WarmChecker;
using tessaly::testing::ErrorReportCatcher;
using tessaly::testing::filteredLines;
using namespace std::chrono_literals;



// "java -jar epubcheck.jar BOOK" for each book, at most two at a time (the
// other tests of the suite need the processor too), read when asked.
class JarChecks {
public:
    explicit JarChecks(const std::vector<std::string>& books)
    {
        for (const auto& book : books) {
            auto& run = m_runs[book];
            run = std::make_unique<QProcess>();
            run->setProcessChannelMode(QProcess::MergedChannels);
            QObject::connect(run.get(), &QProcess::finished, [this] { startNext(); });
            m_waiting.push_back(book);
        }
        startNext();
        startNext();
    }
    QByteArray output(const std::string& book)
    {
        finish(book);
        return m_outputs[book];
    }
    int exitCode(const std::string& book)
    {
        finish(book);
        return m_runs[book]->exitCode();
    }

private:
    void startNext()
    {
        if (m_waiting.empty())
            return;
        const std::string book = m_waiting.front();
        m_waiting.erase(m_waiting.begin());
        m_runs[book]->start(QStringLiteral("java"), tessaly::testing::referenceCheckArguments(programFolder, book));
    }
    void finish(const std::string& book)
    {
        if (m_outputs.count(book))
            return;
        QProcess& run = *m_runs[book];
        const auto started = [&] { return std::find(m_waiting.begin(), m_waiting.end(), book) == m_waiting.end(); };
        EXPECT_TRUE(QTest::qWaitFor([&] { return started() && run.state() == QProcess::NotRunning; }, 300000));
        EXPECT_EQ(run.exitStatus(), QProcess::NormalExit);
        m_outputs[book] = run.readAll();
    }
    std::map<std::string, std::unique_ptr<QProcess>> m_runs;
    std::map<std::string, QByteArray> m_outputs;
    std::vector<std::string> m_waiting;
};

std::vector<std::string> memoLines(MainWindow& window)
{
    std::vector<std::string> lines;
    for (const QString& line : window.reportFeed().shownLines())
        lines.push_back(line.toStdString());
    return lines;
}

bool checkShown(MainWindow& window)
{
    return !window.checkRunning() && !window.reportFeed().hasPendingChanges();
}

void validate(MainWindow& window, const std::string& book)
{
    window.bookPathEdit()->setText(QString::fromStdString(book));
    window.validateButton()->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return checkShown(window); }, 180000));
}

// The host's bytes for one check: the output before the end record (without
// the line feed the host adds before it), and the record's fields.
struct HostAnswer {
    QByteArray output;
    QList<QByteArray> record;
};

HostAnswer splitAnswer(const QByteArray& bytes)
{
    HostAnswer answer;
    const qsizetype at = bytes.lastIndexOf("\x1etessaly-end ");
    if (at < 0) {
        answer.output = bytes;
        return answer;
    }
    answer.record = bytes.mid(at + 1).trimmed().split(' ');
    answer.output = bytes.left(at);
    if (answer.record.value(4) == "1" && answer.output.endsWith('\n'))
        answer.output.chop(1);
    return answer;
}


WarmChecker::Settings realHost()
{
    WarmChecker::Settings settings;
    settings.programFolder = programFolder;
    settings.priority = tessaly::process::ProcessPriority::Normal;
    return settings;
}

// One host for all of it: starting one costs seconds of processor time.
TEST(WarmChecker, ReportsAreThoseOfJavaJarByteForByteAndAKilledHostGivesWayToJavaJar)
{
    QTemporaryDir folder;
    const std::string base = folder.path().toStdString() + "/";
    auto broken = tessaly::testing::validBookEntries();
    std::erase_if(broken, [](const auto& entry) { return entry.first == "EPUB/c1.xhtml"; });
    const std::string large = base + "large.epub";
    tessaly::testing::writeEpub(base + "valid.epub", tessaly::testing::validBookEntries());
    tessaly::testing::writeEpub(base + "broken.epub", broken);
    tessaly::testing::writeEpub(large, tessaly::testing::faultyBookEntries(2000, 12));
    tessaly::testing::writeEpub(base + "caf\xc3\xa9 \xe6\x9b\xb8 50% \"off\".epub", broken);
    QFile notZip(QString::fromStdString(base + "not a zip.epub"));
    ASSERT_TRUE(notZip.open(QIODevice::WriteOnly));
    notZip.write("plain text, not an archive\n");
    notZip.close();
    const std::vector<std::string> books = {base + "valid.epub", base + "broken.epub", large,
        base + "caf\xc3\xa9 \xe6\x9b\xb8 50% \"off\".epub", base + "missing.epub", base + "not a zip.epub", ""};

    // The reference runs go on beside the host's warm-up and checks.
    const tessaly::testing::QuickJavaOnPath quickJava;
    JarChecks jar(books);

    tessaly::platform::QtMainThread mainThread;
    WarmChecker warm(mainThread, realHost());
    warm.start();
    QByteArray hostBytes;
    warm.host().setOnRawRead([&](tessaly::process::CreateProcess&, const std::string& piece) {
        hostBytes.append(piece.data(), qsizetype(piece.size()));
    });
    ASSERT_TRUE(QTest::qWaitFor([&] { return warm.warm(); }, 120000));
    MainWindow window(mainThread, programFolder);
    window.bookCheck().setWarmChecker(&warm);

    for (const auto& book : books) {
        hostBytes.clear();
        validate(window, book);
        const HostAnswer answer = splitAnswer(hostBytes);
        const QByteArray expected = jar.output(book);
        EXPECT_EQ(answer.output, expected) << "book " << book;
        EXPECT_EQ(answer.record.value(2), "exit") << book;
        EXPECT_EQ(window.bookCheck().lastExitCode(), std::uint32_t(jar.exitCode(book))) << book;
        EXPECT_EQ(memoLines(window), filteredLines(expected)) << book;
        EXPECT_EQ(window.bookCheck().checker().processInfo().processId, 0) << "no fall-back for " << book;
    }

    // The host killed while it checks the large book: java -jar runs the
    // check again and the window shows its whole report.
    const pid_t host = warm.host().processInfo().processId;
    window.bookPathEdit()->setText(QString::fromStdString(large));
    window.validateButton()->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window.bookCheck().report().lines().empty(); }, 60000));
    ASSERT_TRUE(warm.checking()) << "the host is still at work when it is killed";
    ASSERT_EQ(::kill(host, SIGKILL), 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return checkShown(window); }, 180000));
    EXPECT_NE(window.bookCheck().checker().processInfo().processId, 0) << "java -jar took over";
    EXPECT_EQ(memoLines(window), filteredLines(jar.output(large)));
    EXPECT_EQ(window.bookCheck().lastExitCode(), std::uint32_t(jar.exitCode(large)));
    EXPECT_TRUE(QTest::qWaitFor([&] { return warm.hostRunning(); }, 10000)) << "a new host follows";
    EXPECT_NE(warm.host().processInfo().processId, host);
    window.bookCheck().setWarmChecker(nullptr);
}

// The host warms up on a book it writes into its own temporary folder; the
// folder goes when the host ends however it ends, even killed outright in
// the middle of its warm-up (the program quit at once), and when the warm
// checker goes first.
TEST(WarmChecker, AHostEndedWhileWarmingUpLeavesNothingBehind)
{
    tessaly::platform::QtMainThread mainThread;
    for (const bool killed : {true, false}) {
        std::string folder;
        {
            WarmChecker warm(mainThread, realHost());
            warm.start();
            folder = warm.temporaryFolder();
            ASSERT_FALSE(folder.empty());
            EXPECT_NE(folder.rfind(QDir::tempPath().toStdString() + "/tessaly-host-", 0), std::string::npos) << folder;
            const QDir dir(QString::fromStdString(folder));
            ASSERT_TRUE(QTest::qWaitFor(
                [&] { return !dir.entryList({QStringLiteral("tessaly-warm-up*.epub")}, QDir::Files).isEmpty(); },
                60000))
                << "the warm-up book is written into the host's folder";
            if (killed) {
                ASSERT_EQ(::kill(warm.host().processInfo().processId, SIGKILL), 0);
                ASSERT_TRUE(QTest::qWaitFor([&] { return !warm.hostRunning(); }, 10000));
                EXPECT_FALSE(QFileInfo::exists(dir.path())) << "killed";
                EXPECT_EQ(warm.temporaryFolder(), "");
            }
        }
        EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(folder))) << (killed ? "killed" : "checker gone");
    }
}

// A stand-in for `java`, first on PATH while it lives: "-jar" runs stand in
// for the checker's own process, every other run for the host.
class StandInJava {
public:
    StandInJava(const std::string& jarScript, const std::string& hostScript)
        : m_savedPath(std::getenv("PATH"))
    {
        QFile java(m_folder.path() + QStringLiteral("/java"));
        java.open(QIODevice::WriteOnly);
        java.write(("#!/bin/sh\nif [ \"$1\" = -jar ]; then\n" + jarScript + "\nexit\nfi\n" + hostScript + "\n").c_str());
        java.close();
        java.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        setenv("PATH", (m_folder.path().toStdString() + ":" + m_savedPath).c_str(), 1);
    }
    ~StandInJava() { setenv("PATH", m_savedPath.c_str(), 1); }

private:
    QTemporaryDir m_folder;
    std::string m_savedPath;
};

const std::string jarReport = "echo 'report of java -jar'; echo 'second line'; exit 1";
// A host that answers the warm-up and then each check in its own way.
std::string standInHost(const std::string& checkAnswer)
{
    return "cr=$(printf '\\r'); while IFS=\" $cr\" read command token rest; do case $command in\n"
           "ping) printf '\\036tessaly-end %s exit 0 0 - %s\\n' $token $token;;\n"
           "check) " + checkAnswer + ";;\nesac; done";
}

class StandInHostTest : public testing::Test {
protected:
    std::unique_ptr<WarmChecker> makeWarmChecker(std::chrono::milliseconds stall = 60s)
    {
        WarmChecker::Settings settings;
        settings.programFolder = programFolder;
        settings.stallBase = stall;
        settings.stallPerMegabyte = 0ms;
        auto warm = std::make_unique<WarmChecker>(m_mainThread, settings);
        warm->start();
        EXPECT_TRUE(QTest::qWaitFor([&] { return warm->warm(); }, 10000));
        m_window.bookCheck().setWarmChecker(warm.get());
        return warm;
    }
    void TearDown() override { m_window.bookCheck().setWarmChecker(nullptr); }

    tessaly::platform::QtMainThread m_mainThread;
    MainWindow m_window{m_mainThread, programFolder};
};

TEST_F(StandInHostTest, EndRecordStaysOutOfTheReportAndItsCodeReachesTheWindow)
{
    const StandInJava java(jarReport,
        standInHost("printf 'Validating\\n\\nMessages: 0\\n'; printf '\\036tessaly-end %s exit 261 0 - %s\\n' $token $token"));
    auto warm = makeWarmChecker();
    validate(m_window, "/books/a.epub");
    EXPECT_EQ(memoLines(m_window), (std::vector<std::string>{"Validating", "", "Messages: 0"}));
    EXPECT_EQ(m_window.bookCheck().lastExitCode(), std::uint32_t(5));
}

TEST_F(StandInHostTest, TheChecksOutputIsKeptByteForByteWithoutTheEndRecord)
{
    // Tabs and carriage returns, which the report's lines turn into spaces
    // and overwrites, and a last line without a line feed, which the host
    // ended itself.
    const StandInJava java(jarReport,
        standInHost("printf 'a\\tb\\r\\nc\\n\\nend'; printf '\\n\\036tessaly-end %s exit 1 1 - %s\\n' $token $token"));
    auto warm = makeWarmChecker();
    for (const char* book : {"/books/a.epub", "/books/b.epub"}) {
        validate(m_window, book);
        EXPECT_EQ(m_window.bookCheck().output(), "a\tb\r\nc\n\nend") << book;
        EXPECT_EQ(m_window.bookCheck().lastExitCode(), std::uint32_t(1));
    }
}

TEST_F(StandInHostTest, AFallBacksOutputIsThatOfJavaJarAlone)
{
    const StandInJava java(jarReport,
        standInHost("echo partial; printf '\\036tessaly-end %s failed 0 0 stack-overflow %s\\n' $token $token"));
    auto warm = makeWarmChecker();
    validate(m_window, "/books/a.epub");
    EXPECT_EQ(m_window.bookCheck().output(), "report of java -jar\nsecond line\n");
}

TEST_F(StandInHostTest, SecondValidateDuringAWarmCheckIsRefused)
{
    const StandInJava java(jarReport,
        standInHost("echo started; sleep 1; printf '\\036tessaly-end %s exit 0 0 - %s\\n' $token $token"));
    auto warm = makeWarmChecker();
    m_window.bookPathEdit()->setText(QStringLiteral("/books/a.epub"));
    m_window.validateButton()->click();
    ASSERT_TRUE(m_window.checkRunning());
    // The refusal comes once the report has begun, and leaves it alone.
    ASSERT_TRUE(QTest::qWaitFor([&] { return !m_window.bookCheck().report().lines().empty(); }, 10000));
    ErrorReportCatcher catcher;
    m_window.validateButton()->click();
    ASSERT_TRUE(catcher.text().has_value());
    EXPECT_EQ(*catcher.text(), QStringLiteral("Cannot perform this operation when process is running."));
    ASSERT_TRUE(QTest::qWaitFor([&] { return checkShown(m_window); }, 10000));
    EXPECT_EQ(memoLines(m_window), std::vector<std::string>{"started"}) << "the running check goes on, its report whole";
    EXPECT_EQ(m_window.bookCheck().lastExitCode(), std::uint32_t(0));
}

TEST_F(StandInHostTest, CheckTheHostCouldNotFinishIsRunByJavaJar)
{
    const StandInJava java(jarReport,
        standInHost("echo partial; printf '\\036tessaly-end %s failed 0 0 stack-overflow %s\\n' $token $token"));
    auto warm = makeWarmChecker();
    validate(m_window, "/books/a.epub");
    EXPECT_EQ(memoLines(m_window), (std::vector<std::string>{"report of java -jar", "second line"}));
    EXPECT_EQ(m_window.bookCheck().lastExitCode(), std::uint32_t(1));
    EXPECT_TRUE(warm->hostRunning()) << "the host itself goes on";
}

TEST_F(StandInHostTest, TheStatusBarSaysWhenACheckRunsAgainWithoutTheWarmChecker)
{
    const StandInJava java("echo 'report of java -jar'; exec sleep 60",
        standInHost("echo partial; printf '\\036tessaly-end %s failed 0 0 stack-overflow %s\\n' $token $token"));
    auto warm = makeWarmChecker();
    m_window.bookPathEdit()->setText(QStringLiteral("/books/my book.epub"));
    m_window.validateButton()->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return memoLines(m_window) == std::vector<std::string>{"report of java -jar"}; }, 10000));
    const QString text = m_window.progressLabel()->text();
    EXPECT_TRUE(text.startsWith(QStringLiteral("Checking my book.epub again, without the warm checker \u2014 "))) << text.toStdString();
    m_window.bookCheck().end();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !m_window.checkRunning(); }, 10000));

}

TEST_F(StandInHostTest, SilentHostIsGivenUpAfterItsTimeAndReplaced)
{
    const StandInJava java(jarReport, standInHost("echo 'begun'"));
    auto warm = makeWarmChecker(300ms);
    const pid_t silent = warm->host().processInfo().processId;
    validate(m_window, "/books/a.epub");
    EXPECT_EQ(memoLines(m_window), (std::vector<std::string>{"report of java -jar", "second line"}));
    EXPECT_NE(::kill(silent, 0), 0) << "the silent host was ended";
    EXPECT_TRUE(QTest::qWaitFor([&] { return warm->warm(); }, 10000)) << "a new host follows";
    EXPECT_NE(warm->host().processInfo().processId, silent);
}

TEST_F(StandInHostTest, HostThatCannotStartLeavesTheCheckToJavaJar)
{
    // No host archive beside the program: java -jar from the start.
    const StandInJava java(jarReport, "exit 99");
    const QTemporaryDir emptyProgramFolder;
    WarmChecker::Settings settings;
    settings.programFolder = emptyProgramFolder.path().toStdString() + "/";
    WarmChecker warm(m_mainThread, settings);
    EXPECT_FALSE(warm.available());
    m_window.bookCheck().setWarmChecker(&warm);
    validate(m_window, "/books/a.epub");
    EXPECT_EQ(memoLines(m_window), (std::vector<std::string>{"report of java -jar", "second line"}));
    m_window.bookCheck().setWarmChecker(nullptr);
}

TEST_F(StandInHostTest, MissingJavaGivesTheSameErrorReportAsWithoutTheHost)
{
    const std::string path = std::getenv("PATH");
    const QTemporaryDir emptyFolder;
    WarmChecker::Settings settings;
    settings.programFolder = programFolder;
    WarmChecker warm(m_mainThread, settings);
    m_window.bookCheck().setWarmChecker(&warm);
    setenv("PATH", emptyFolder.path().toLocal8Bit().constData(), 1);
    m_window.bookPathEdit()->setText(QStringLiteral("/books/a.epub"));
    ErrorReportCatcher catcher;
    m_window.validateButton()->click();
    setenv("PATH", path.c_str(), 1);
    ASSERT_TRUE(catcher.text().has_value());
    EXPECT_EQ(*catcher.text(), QStringLiteral("System Error.  Code: 2.\nNo such file or directory."));
    EXPECT_FALSE(m_window.checkRunning());
    EXPECT_TRUE(m_window.reportMemo()->toPlainText().isEmpty());
    m_window.bookCheck().setWarmChecker(nullptr);
}

TEST(WarmCheckerSettings, StallTimeScalesWithTheBooksSize)
{
    QTemporaryDir folder;
    const QString book = folder.path() + QStringLiteral("/book.epub");
    QFile file(book);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.resize((3 << 20) - 5);
    file.close();
    tessaly::platform::QtMainThread mainThread;
    WarmChecker::Settings settings;
    settings.stallBase = 10s;
    settings.stallPerMegabyte = 2s;
    const WarmChecker warm(mainThread, settings);
    EXPECT_EQ(warm.stallTimeout(book.toStdString()), 16s);
    EXPECT_EQ(warm.stallTimeout("/no/such/book.epub"), 10s);
}

TEST(WarmCheckerSettings, TheSettingTurnsItOff)
{
    const QTemporaryDir configuration;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, configuration.path());
    EXPECT_TRUE(WarmChecker::enabledInSettings()) << "on unless turned off";
    {
        QSettings settings(QStringLiteral("Tessaly"), QStringLiteral("Tessaly"));
        settings.setValue(QStringLiteral("checker/warm"), false);
    }
    EXPECT_FALSE(WarmChecker::enabledInSettings());
    EXPECT_TRUE(QFile::exists(configuration.path() + QStringLiteral("/Tessaly/Tessaly.conf")));
}

} // namespace
