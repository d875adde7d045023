#include "process_test_support.h"

#include "platform/error.h"

#include <gtest/gtest.h>

using namespace tessaly;
using namespace tessaly::process;
using test::Recorder;

namespace {

std::string messageOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const Error& error) {
        return error.what();
    }
    return "(nothing thrown)";
}

} // namespace

TEST(RunFailures, ProgramNotFound)
{
    Recorder r;
    const std::size_t descriptors = test::openDescriptorCount();
    const std::size_t threads = test::threadCount();
    for (const char* missing : {"tessaly-no-such-program --version", "/no/such/folder/program", ""}) {
        r.process.setCommandLine(missing);
        EXPECT_EQ(messageOf([&] { r.process.run(); }), "System Error.  Code: 2.\r\nNo such file or directory")
            << missing;
        EXPECT_EQ(r.process.state(), ProcessState::Ready);
    }
    EXPECT_EQ(test::openDescriptorCount(), descriptors);
    EXPECT_EQ(test::threadCount(), threads);
    r.start({"print", "works\\n"});
    ASSERT_TRUE(r.finish());
    EXPECT_EQ(r.lines(), (std::vector<std::string>{"works"}));
}

TEST(RunFailures, MissingWorkingFolderIsASystemError)
{
    Recorder r;
    r.process.setCurrentDirectory("/no/such/folder");
    r.process.setCommandLine(test::childCommand({}));
    EXPECT_EQ(messageOf([&] { r.process.run(); }), "System Error.  Code: 2.\r\nNo such file or directory");
    EXPECT_EQ(r.process.state(), ProcessState::Ready);
}

TEST(RunFailures, ApplicationNameIsTheProgram)
{
    Recorder r;
    std::string padded = " ";
    padded += TESSALY_TEST_CHILD;
    padded += " ";
    r.process.setApplicationName(padded);
    r.process.setCommandLine("ignored-name print \"from application name\\n\"");
    r.process.setConsoleOptions(ConsoleOptions::Redirect);
    r.process.run();
    ASSERT_TRUE(r.finish());
    EXPECT_EQ(r.lines(), (std::vector<std::string>{"from application name"}));
}

TEST(RunFailures, RunWhileRunning)
{
    Recorder r;
    r.start({"print", "first\\n", "sleep", "200", "print", "still here\\n"});
    EXPECT_EQ(messageOf([&] { r.process.run(); }), "Cannot perform this operation when process is running");
    EXPECT_EQ(messageOf([&] { r.process.setWaitForTerminate(false); }),
              "Cannot perform this operation when process is running");
    EXPECT_EQ(r.process.state(), ProcessState::Waiting);
    ASSERT_TRUE(r.finish());
    EXPECT_EQ(r.lines(), (std::vector<std::string>{"first", "still here"}));
    EXPECT_EQ(r.exits.size(), 1u);
}

TEST(RunFailures, NotRunning)
{
    Recorder r;
    EXPECT_EQ(messageOf([&] { r.process.terminate(); }), "Process is not running");
    EXPECT_EQ(messageOf([&] { (void)r.process.closeApplication(true); }), "Process is not running");
    r.process.stopWaiting(); // does nothing when not waiting
    EXPECT_EQ(r.process.state(), ProcessState::Ready);
}

TEST(RunFailures, EmptyEnvironmentEntry)
{
    Recorder r;
    const std::size_t descriptors = test::openDescriptorCount();
    r.process.setEnvironment({"A=1", "", "B=2"});
    r.process.setCommandLine(test::childCommand({}));
    EXPECT_EQ(messageOf([&] { r.process.run(); }),
              "String list passed to StringsToMultiSz cannot contain empty strings.");
    EXPECT_EQ(r.process.state(), ProcessState::Ready);
    EXPECT_EQ(test::openDescriptorCount(), descriptors);
}

TEST(StartupInfo, RecordFromTheSettings)
{
    CPSStartupInfo info;
    EXPECT_EQ(info.startupInfo().flags, 0u);
    info.setDefaultPosition(false);
    info.setDefaultSize(false);
    info.setDefaultWindowState(false);
    info.setShowWindow(CPSShowWindow::Hide);
    info.setForceOnFeedback(true);
    info.setForceOffFeedback(true);
    const StartupRecord record = info.startupInfo();
    EXPECT_EQ(record.flags, 0xC7u);
    EXPECT_EQ(record.showWindow, 0);
    EXPECT_EQ(record.x + record.y + record.width + record.height, 0);

    CPSStartupInfo other;
    other.setLeft(10);
    other.setDefaultPosition(false);
    other.setShowWindow(CPSShowWindow::Maximize);
    other.setDefaultWindowState(false);
    EXPECT_EQ(other.startupInfo().x, 10);
    EXPECT_EQ(other.startupInfo().showWindow, 3);
    platform::PlainMainThread loop;
    CreateProcess process(loop);
    process.setStartupInfo(other);
    EXPECT_EQ(process.startupInfo(), other);
}
