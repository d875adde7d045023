// The check of a book without any window or application object: a plain
// main thread runs the runner's messages, and a stand-in for java prints
// what the test chooses.
#include "app/book_check.h"
#include "app/progress_clock.h"
#include "platform/error.h"
#include "platform/plain_main_thread.h"
#include "process/create_process.h"
#include "window_test_support.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

namespace {

using namespace std::chrono_literals;
using tessaly::app::BookCheck;
using tessaly::app::ProgressClock;
using tessaly::platform::PlainMainThread;
using tessaly::testing::StandInJava;

// A stand-in java that prints the contents of a file and exits with the
// code in another, both of which a test may change between checks.
class ScriptedChecker {
public:
    ScriptedChecker()
        : m_java("cat '" + path("output") + "'; exit $(cat '" + path("code") + "')")
    {
    }
    void answer(const QByteArray& output, int exitCode)
    {
        write("output", output);
        write("code", QByteArray::number(exitCode));
    }

private:
    std::string path(const char* name) const { return (m_folder.path() + QLatin1Char('/') + name).toStdString(); }
    void write(const char* name, const QByteArray& bytes) const
    {
        QFile file(QString::fromStdString(path(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    QTemporaryDir m_folder;
    StandInJava m_java;
};

struct BookCheckTest : testing::Test {
    BookCheckTest()
    {
        check.setHandlers({
            .started = [this](const std::string& book) { events.push_back("started " + book); },
            .progress = [this](std::chrono::seconds elapsed) { progress.push_back(elapsed); },
            .finished = [this](const std::string& verdict) { events.push_back("finished " + verdict); },
            .restarted = [this] { events.push_back("restarted"); },
            .abandoned = [this] { events.push_back("abandoned"); },
        });
    }

    // Checks the book and waits for the check's end.
    void checkToTheEnd(const std::string& book)
    {
        check.start(book);
        ASSERT_TRUE(mainThread.runUntil([this] { return !check.running(); }));
    }

    PlainMainThread mainThread;
    ScriptedChecker checker;
    BookCheck check{mainThread, tessaly::testing::programFolder};
    std::vector<std::string> events;
    std::vector<std::chrono::seconds> progress;
};

struct VerdictCase {
    const char* name;
    QByteArray output;
    int exitCode;
    std::string verdict;
};

TEST_F(BookCheckTest, ReportAndVerdictFollowTheCheckersOutput)
{
    const std::string clean = "Messages: 0 fatals / 0 errors / 0 warnings / 0 infos";
    const VerdictCase cases[] = {
        {"passed", "Validating using EPUB version 3.2 rules.\nNo errors or warnings detected.\n\n\n" + QByteArray::fromStdString(clean)
                + "\n", 0, "Passed"},
        {"errors", "Epubcheck Version 1.0.5\nERROR(RSC-005): a.epub/b.xhtml(3,4): one\nFATAL(RSC-016): a.epub: two\n"
                   "Messages: 1 fatals / 1 errors / 0 warnings / 0 infos\n", 1, "2 errors, 0 warnings"},
        {"no summary", "Validating\n", 0, "The checker failed (exit code 0)"},
        {"summary and code disagree", QByteArray::fromStdString(clean) + "\n", 3, "The checker failed (exit code 3)"},
    };
    for (const VerdictCase& c : cases) {
        SCOPED_TRACE(c.name);
        events.clear();
        progress.clear();
        checker.answer(c.output, c.exitCode);
        const std::string book = std::string("/books/") + c.name + ".epub";
        checkToTheEnd(book);
        EXPECT_EQ(check.report().lines(), tessaly::testing::filteredLines(c.output));
        EXPECT_EQ(check.lastExitCode(), std::uint32_t(c.exitCode));
        EXPECT_EQ(events, (std::vector<std::string>{"started " + book, "finished " + c.verdict}));
        ASSERT_FALSE(progress.empty());
        EXPECT_EQ(progress.front(), 0s) << "the progress shows at once";
        EXPECT_EQ(check.reportedBook(), book);
    }
}

TEST_F(BookCheckTest, OutputIsTheCheckersBytesAsItWroteThem)
{
    const QByteArray output("Validating\tx\r\nERROR: one\n\n\nno line feed");
    for (const char* book : {"/books/a.epub", "/books/b.epub"}) {
        checker.answer(output, 1);
        checkToTheEnd(book);
        EXPECT_EQ(check.output(), output.toStdString()) << "each check starts afresh";
    }
}

TEST_F(BookCheckTest, ASecondCheckOfTheSameBookTellsWhatChangedAndMarksTheNewMessages)
{
    const QByteArray summary = "Messages: 0 fatals / 2 errors / 0 warnings / 0 infos\n";
    checker.answer("ERROR(RSC-005): b.epub/c.xhtml(3,4): kept\nERROR(RSC-005): b.epub/c.xhtml(9,1): gone\n" + summary, 1);
    checkToTheEnd("/books/b.epub");
    checkToTheEnd("/books/other.epub");
    EXPECT_EQ(events.back(), "finished 2 errors, 0 warnings") << "another book is not compared";

    checker.answer("ERROR(RSC-005): b.epub/c.xhtml(5,6): kept\nERROR(RSC-012): b.epub/c.xhtml(9,1): new\n" + summary, 1);
    checkToTheEnd("/books/b.epub");
    EXPECT_EQ(events.back(), "finished 2 errors, 0 warnings \u00b7 1 new, 1 gone");
    EXPECT_FALSE(check.report().isMarked(0)) << "a message that only moved is not new";
    EXPECT_TRUE(check.report().isMarked(1));
    EXPECT_FALSE(check.report().isMarked(2));
}

TEST_F(BookCheckTest, AStartWhileACheckRunsIsRefusedBeforeAnythingChanges)
{
    const StandInJava java("echo first line; exec sleep 60");
    check.start("/books/running.epub");
    ASSERT_TRUE(mainThread.runUntil([this] { return !check.report().lines().empty(); }));
    events.clear();
    EXPECT_THROW(
        {
            try {
                check.start("/books/other.epub");
            } catch (const tessaly::Error& error) {
                EXPECT_STREQ(error.what(), tessaly::process::RunningMessage);
                throw;
            }
        },
        tessaly::Error);
    EXPECT_TRUE(check.running());
    EXPECT_EQ(check.report().lines(), std::vector<std::string>{"first line"});
    EXPECT_EQ(check.reportedBook(), "/books/running.epub");
    EXPECT_TRUE(events.empty());

    check.end();
    EXPECT_TRUE(mainThread.runUntil([this] { return !check.running(); }));
}

TEST_F(BookCheckTest, ClearingTheReportLeavesNoBookReported)
{
    checker.answer("Validating\n", 0);
    checkToTheEnd("/books/a.epub");
    ASSERT_FALSE(check.report().lines().empty());
    check.clearReport();
    EXPECT_TRUE(check.report().lines().empty());
    EXPECT_EQ(check.reportedBook(), std::nullopt);
}

TEST(ProgressClockTest, TellsTheSecondsOnTheMainThreadUntilStopped)
{
    PlainMainThread mainThread;
    std::vector<std::chrono::seconds> ticks;
    ProgressClock clock(mainThread, [&](std::chrono::seconds elapsed) { ticks.push_back(elapsed); });
    clock.start();
    ASSERT_TRUE(clock.running());
    ASSERT_TRUE(mainThread.runUntil([&] { return ticks.size() >= 2; }));
    EXPECT_GE(ticks[0], 1s);
    EXPECT_GE(ticks[1], ticks[0]);
    clock.stop();
    EXPECT_FALSE(clock.running());
    const std::size_t told = ticks.size();
    mainThread.processEvents();
    EXPECT_EQ(ticks.size(), told) << "no tick after the stop";

    clock.start();
    EXPECT_EQ(clock.elapsed(), 0s) << "a new start counts from zero";
}

} // namespace
