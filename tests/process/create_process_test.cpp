#include "process_test_support.h"

#include "platform/error.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <sys/wait.h>
#include <thread>

using namespace tessaly;
using namespace tessaly::process;
using test::Recorder;
using test::Report;
using Reports = std::vector<Report>;
using Lines = std::vector<std::string>;

namespace {

std::string hex(const std::string& bytes)
{
    static const char digits[] = "0123456789abcdef";
    std::string out;
    for (unsigned char c : bytes) {
        out.push_back(digits[c >> 4]);
        out.push_back(digits[c & 15]);
    }
    return out;
}

// Waits (bounded) until the process is gone: ended and reaped.
bool waitUntilGone(pid_t pid)
{
    for (int i = 0; i < 2000 && test::processState(pid) != 0; ++i)
        ::usleep(5000);
    return test::processState(pid) == 0;
}

} // namespace

TEST(CreateProcess, ArgumentsReachTheChildByteForByte)
{
    const Lines arguments = {
        "/books/my book.epub", R"(say "hi".epub)", "$HOME;echo `id`|cat&", "-rf", "",
        "back\\slash\\", "\xff\xfe\x80 not utf-8", "tab\tand  spaces ", "*.epub",
    };
    Recorder r;
    Lines command = {"args"};
    command.insert(command.end(), arguments.begin(), arguments.end());
    r.start(command);
    ASSERT_TRUE(r.finish());
    Lines expected;
    for (const auto& argument : arguments)
        expected.push_back(hex(argument));
    EXPECT_EQ(r.lines(), expected);
    EXPECT_EQ(r.exits, std::vector<std::uint32_t>{0});
}

TEST(CreateProcess, ChildInheritsOnlyTheStandardDescriptors)
{
    // A descriptor this program opened without close-on-exec.
    const int leaky = ::open("/dev/null", O_RDONLY);
    ASSERT_GE(leaky, 0);
    Recorder r;
    r.start({"fds", "sigpipe"});
    ASSERT_TRUE(r.finish());
    ::close(leaky);
    EXPECT_EQ(r.lines(), (Lines{"fds 0 1 2", "default"}));
}

TEST(CreateProcess, OutputAndEndInOrder)
{
    struct Case {
        const char* name;
        Lines arguments;
        Reports expected;
        std::uint32_t exitCode;
    };
    const std::vector<Case> cases = {
        {"empty output", {}, {}, 0},
        {"lines", {"print", "a\\r\\nb\\r\\n"}, {{"a", true}, {"b", true}}, 0},
        {"unterminated last line", {"print", "done"}, {{"done", true}}, 0},
        {"terminated last line", {"print", "done\\n"}, {{"done", true}}, 0},
        {"exit code", {"print", "x\\n", "exit", "42"}, {{"x", true}}, 42},
        {"ended by a signal", {"signal", "15"}, {}, 128 + 15},
    };
    for (const auto& c : cases) {
        Recorder r;
        r.start(c.arguments);
        ASSERT_TRUE(r.finish()) << c.name;
        r.loop.processEvents();
        EXPECT_EQ(r.reads, c.expected) << c.name;
        EXPECT_EQ(r.exits, std::vector<std::uint32_t>{c.exitCode}) << c.name;
        EXPECT_EQ(r.events.back(), "end") << c.name;
        EXPECT_EQ(r.process.state(), ProcessState::Ready) << c.name;
        EXPECT_TRUE(r.errors.empty()) << c.name;
    }
}

TEST(CreateProcess, LongLineInPieces)
{
    Recorder r;
    r.start({"print", std::string(3000, 'x')});
    ASSERT_TRUE(r.finish());
    ASSERT_FALSE(r.reads.empty());
    EXPECT_TRUE(r.reads.front().second);
    for (std::size_t i = 1; i < r.reads.size(); ++i)
        EXPECT_FALSE(r.reads[i].second);
    EXPECT_EQ(r.reads.back().first, std::string(3000, 'x'));
    // The open line is reported at most once per piece, and usually once
    // per batch of pieces.
    EXPECT_LE(r.reads.size(), r.rawReads.size());
    for (const auto& piece : r.rawReads)
        EXPECT_LE(piece.size(), 1024u);
}

TEST(CreateProcess, ConsoleOutputOverRuns)
{
    Recorder r;
    r.start({"print", "one\\n"}, ConsoleOptions::Redirect);
    ASSERT_TRUE(r.finish());
    r.start({"print", "two"}, ConsoleOptions::Redirect);
    ASSERT_TRUE(r.finish());
    // Each run starts a new line.
    EXPECT_EQ(r.process.consoleOutput(), (Lines{"one", "two"}));
}

TEST(CreateProcess, TerminateEndsTheRunOnceAfterTheLastOutput)
{
    Recorder r;
    r.start({"print", "before\\n", "sleep", "20000", "print", "never\\n"});
    ASSERT_TRUE(r.waitForLine("before"));
    const pid_t pid = r.process.processInfo().processId;
    r.process.terminate();
    ASSERT_TRUE(r.finish());
    EXPECT_EQ(r.exits, std::vector<std::uint32_t>{0}) << "terminate() reports exit code 0";
    EXPECT_EQ(r.events.back(), "end");
    EXPECT_EQ(r.process.state(), ProcessState::Ready);
    EXPECT_EQ(test::processState(pid), 0) << "the child is reaped";
    r.loop.processEvents();
    EXPECT_EQ(r.exits.size(), 1u);
    EXPECT_THROW(r.process.terminate(), Error);
}

TEST(CreateProcess, StopWaitingLeavesTheChildRunning)
{
    Recorder r;
    r.start({"print", "started\\n", "sleep", "20000"});
    ASSERT_TRUE(r.waitForLine("started"));
    const pid_t pid = r.process.processInfo().processId;
    r.process.stopWaiting();
    EXPECT_EQ(r.process.state(), ProcessState::Ready);
    const char state = test::processState(pid);
    EXPECT_TRUE(state == 'S' || state == 'R') << "state " << state;
    EXPECT_FALSE(r.process.write("x"));

    ASSERT_EQ(::kill(pid, SIGKILL), 0);
    EXPECT_TRUE(waitUntilGone(pid)) << "the child does not stay a zombie";
    r.loop.processEvents();
    EXPECT_TRUE(r.exits.empty()) << "no end report after stopWaiting()";
    r.start({"print", "again\\n"});
    ASSERT_TRUE(r.finish());
    EXPECT_EQ(r.exits.size(), 1u);
}

TEST(CreateProcess, SeparateErrorPipe)
{
    Recorder r;
    r.start({"print", "out\\n", "eprint", "err\\n"}, ConsoleOptions::Redirect | ConsoleOptions::SeparateError);
    ASSERT_TRUE(r.finish());
    EXPECT_EQ(r.lines(), (Lines{"out"}));
    EXPECT_EQ(test::assembledLines(r.errorReads), (Lines{"err"}));
    EXPECT_EQ(r.exits.size(), 1u);

    Recorder joined;
    joined.start({"print", "out\\n", "eprint", "err\\n"});
    ASSERT_TRUE(joined.finish());
    EXPECT_EQ(joined.lines(), (Lines{"out", "err"}));
    EXPECT_TRUE(joined.errorReads.empty());
}

TEST(CreateProcess, EnvironmentAndWorkingFolderReachTheChild)
{
    const auto folder = std::filesystem::temp_directory_path() / "tessaly process test folder";
    std::filesystem::create_directories(folder);
    ::setenv("TESSALY_PARENT_ONLY", "parent", 1);

    Recorder r;
    r.process.setEnvironment({"TESSALY_VALUE=a b=c", "EMPTY="});
    r.process.setCurrentDirectory("  " + folder.string() + " ");
    r.start({"env", "TESSALY_VALUE", "env", "EMPTY", "env", "TESSALY_PARENT_ONLY", "cwd"});
    ASSERT_TRUE(r.finish());
    EXPECT_EQ(r.lines(), (Lines{"a b=c", "", "<unset>", folder.string()}));

    Recorder inherit;
    inherit.start({"env", "TESSALY_PARENT_ONLY"});
    ASSERT_TRUE(inherit.finish());
    EXPECT_EQ(inherit.lines(), (Lines{"parent"}));
    ::unsetenv("TESSALY_PARENT_ONLY");
    std::filesystem::remove(folder);
}

TEST(CreateProcess, PriorityAndProcessGroup)
{
    Recorder r;
    r.process.setPriority(ProcessPriority::Idle);
    r.process.setCreationFlags(CPSFlags::NewProcGroup | CPSFlags::Unicode | CPSFlags::DefaultErrorMode);
    // The priority is set once the child has started: the child reports
    // it only after run() has returned and we have written to it.
    r.start({"cat", "nice", "pgid"});
    ASSERT_TRUE(r.process.writeLn("quit"));
    ASSERT_TRUE(r.finish());
    EXPECT_EQ(r.lines(), (Lines{"19", "leader"}));

    Recorder plain;
    plain.start({"pgid"});
    ASSERT_TRUE(plain.finish());
    EXPECT_EQ(plain.lines(), (Lines{"member"}));
}

TEST(CreateProcess, WriteReachesTheChildAndCloseWriteEndsItsInput)
{
    Recorder r;
    EXPECT_FALSE(r.process.write("x")) << "no run";
    r.start({"cat", "print", "eof\\n"});
    EXPECT_TRUE(r.process.write(""));
    EXPECT_TRUE(r.process.write("hello "));
    EXPECT_TRUE(r.process.writeLn("world"));
    ASSERT_TRUE(r.waitForLine("hello world"));
    r.process.closeWrite();
    ASSERT_TRUE(r.finish());
    EXPECT_EQ(r.lines(), (Lines{"hello world", "eof"}));
}

TEST(CreateProcess, WritingToAClosedInputIsReportedNotFatal)
{
    Recorder r;
    r.start({"closein", "sleep", "20000"});
    ASSERT_TRUE(r.waitForLine("closed"));
    // The console thread finds the pipe closed (no SIGPIPE death); from
    // then on nothing is queued.
    bool refused = false;
    for (int i = 0; i < 2000 && !refused; ++i) {
        refused = !r.process.write("data");
        ::usleep(5000);
    }
    EXPECT_TRUE(refused);
    EXPECT_FALSE(r.process.writeLn("more"));
    r.process.terminate();
    ASSERT_TRUE(r.finish());
    EXPECT_EQ(r.exits, std::vector<std::uint32_t>{0});
}

TEST(CreateProcess, CloseApplicationAsksPolitely)
{
    Recorder r;
    EXPECT_THROW(r.process.closeApplication(false), Error);
    r.start({"print", "up\\n", "sleep", "20000"});
    ASSERT_TRUE(r.waitForLine("up"));
    EXPECT_TRUE(r.process.closeApplication(false));
    ASSERT_TRUE(r.finish());
    EXPECT_EQ(r.exits, std::vector<std::uint32_t>{128 + SIGTERM});
}

TEST(CreateProcess, WithoutRedirectionButWaiting)
{
    Recorder r;
    r.start({"exit", "7"}, ConsoleOptions::None);
    EXPECT_EQ(r.process.state(), ProcessState::Waiting);
    EXPECT_FALSE(r.process.write("x"));
    ASSERT_TRUE(r.finish());
    EXPECT_EQ(r.exits, std::vector<std::uint32_t>{7});
    EXPECT_TRUE(r.reads.empty());
    EXPECT_EQ(r.process.state(), ProcessState::Ready);
}

TEST(CreateProcess, WithoutRedirectionOrWaiting)
{
    Recorder r;
    r.process.setWaitForTerminate(false);
    r.start({"sleep", "50", "exit", "3"}, ConsoleOptions::None);
    EXPECT_EQ(r.process.state(), ProcessState::Running);
    const pid_t pid = r.process.processInfo().processId;
    EXPECT_GT(pid, 0);
    EXPECT_TRUE(waitUntilGone(pid)) << "reaped although nobody waits";
    r.loop.processEvents();
    EXPECT_EQ(r.process.state(), ProcessState::Running);
    EXPECT_TRUE(r.exits.empty());
    // A new run is allowed while "running".
    r.start({"sleep", "20000"}, ConsoleOptions::None);
    const pid_t second = r.process.processInfo().processId;
    r.process.terminate();
    EXPECT_TRUE(waitUntilGone(second));
    r.process.setWaitForTerminate(true);
    EXPECT_EQ(r.process.state(), ProcessState::Ready);
}

TEST(CreateProcess, GrandchildHoldingTheOutputKeepsTheRunOpen)
{
    // The child ends at once; its grandchild inherited the output pipe and
    // writes into it later. The run ends only when the grandchild has closed
    // it, and its output is still reported.
    Recorder r;
    r.start({"print", "child\\n", "grandchild", "300", "grandchild done\\n", "exit", "5"});
    ASSERT_TRUE(r.finish());
    EXPECT_EQ(r.lines(), (Lines{"child", "grandchild done"}));
    EXPECT_EQ(r.exits, std::vector<std::uint32_t>{5});
}

TEST(CreateProcess, ChildInputIsClosedWhenTheChildEnds)
{
    // The grandchild reads the input it shares with the child and holds the
    // output open until that input ends: the run can only end if the
    // child's input is closed as soon as the child has gone.
    Recorder r;
    r.start({"print", "child\\n", "grandchildcat", "exit", "3"});
    ASSERT_TRUE(r.finish());
    EXPECT_EQ(r.lines(), (Lines{"child", "input ended"}));
    EXPECT_EQ(r.exits, std::vector<std::uint32_t>{3});
}

TEST(CreateProcess, FailingHandlersAreReportedAndTheRunStillEnds)
{
    Recorder r;
    r.process.setOnRead([&](CreateProcess&, const std::string& text, bool) {
        if (!text.empty())
            throw Error("bad line " + text);
    });
    r.process.setOnTerminate([&](CreateProcess&, std::uint32_t exitCode) {
        r.exits.push_back(exitCode);
        throw Error("end handler failed");
    });
    // "b" comes only after the failure for "a" has been reported.
    r.start({"print", "a\\n", "cat", "print", "b"});
    ASSERT_TRUE(r.loop.runUntil([&] { return !r.errors.empty(); }));
    ASSERT_TRUE(r.process.writeLn("quit"));
    ASSERT_TRUE(r.finish());
    // "b" fails at the end of its piece and again when the output ends;
    // both may come within the end of the output, which reports the first.
    ASSERT_GE(r.errors.size(), 3u);
    EXPECT_EQ(r.errors.front(), "bad line a");
    EXPECT_EQ(r.errors[1], "bad line b");
    EXPECT_EQ(r.errors.back(), "end handler failed");
    EXPECT_LE(r.errors.size(), 4u);
    EXPECT_EQ(r.exits.size(), 1u);
    EXPECT_EQ(r.process.state(), ProcessState::Ready);
}

TEST(CreateProcess, DestroyedDuringARunLeavesTheChildRunning)
{
    platform::PlainMainThread loop;
    pid_t pid = 0;
    {
        CreateProcess process(loop);
        process.setConsoleOptions(ConsoleOptions::Redirect);
        process.setCommandLine(test::childCommand({"sleep", "20000"}));
        process.run();
        pid = process.processInfo().processId;
    }
    loop.processEvents();
    const char state = test::processState(pid);
    EXPECT_TRUE(state == 'S' || state == 'R') << "state " << state;
    ::kill(pid, SIGKILL);
    EXPECT_TRUE(waitUntilGone(pid));
}

// The parent-death signal follows the thread that started the child: a
// child that is to end with the program ends when that thread does (in
// the program, the main thread), and only then.
TEST(CreateProcess, ChildEndsWithTheThreadThatStartedItOnlyWhenAsked)
{
    for (const bool endsWithProgram : {false, true}) {
        SCOPED_TRACE(endsWithProgram ? "ends with the program" : "left running");
        pid_t pid = 0;
        std::thread([&] {
            platform::PlainMainThread loop;
            CreateProcess process(loop);
            process.setEndsWithProgram(endsWithProgram);
            process.setConsoleOptions(ConsoleOptions::Redirect);
            process.setCommandLine(test::childCommand({"sleep", "20000"}));
            process.run();
            pid = process.processInfo().processId;
        }).join();
        ASSERT_GT(pid, 0);
        if (endsWithProgram) {
            EXPECT_TRUE(waitUntilGone(pid));
        } else {
            ::usleep(200000);
            const char state = test::processState(pid);
            EXPECT_TRUE(state == 'S' || state == 'R') << "state " << state;
            ::kill(pid, SIGKILL);
            EXPECT_TRUE(waitUntilGone(pid));
        }
    }
}
