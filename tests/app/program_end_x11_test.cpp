// The program itself on a real X server, asked or forced to end in the
// middle of a check of a large book: no checker process it started, with or
// without the warm checker, outlives it by more than two seconds. Asked to
// end (SIGTERM, SIGINT, SIGHUP) it ends as when its window is closed, with
// exit status 0.
//
// This test makes itself the reaper of orphaned descendants, so that every
// process the program started stays visible to it (and is reaped by it)
// whoever its parent is by then.
#include "epub_fixture.h"
#include "reference_check.h"
#include "x11_session.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <functional>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <set>
#include <spawn.h>
#include <sstream>
#include <string>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

// Every process's parent, from /proc.
std::map<pid_t, pid_t> parents()
{
    std::map<pid_t, pid_t> result;
    for (const auto& entry : fs::directory_iterator("/proc")) {
        const std::string name = entry.path().filename();
        if (name.find_first_not_of("0123456789") != std::string::npos)
            continue;
        std::ifstream stat(entry.path() / "stat");
        std::string text;
        std::getline(stat, text);
        // "pid (command) state ppid ...": the command may hold anything.
        const std::size_t close = text.rfind(')');
        if (close == std::string::npos)
            continue;
        std::istringstream rest(text.substr(close + 1));
        char state = 0;
        pid_t parent = 0;
        rest >> state >> parent;
        result[pid_t(std::stoi(name))] = parent;
    }
    return result;
}

std::set<pid_t> descendantsOf(pid_t root)
{
    const std::map<pid_t, pid_t> parent = parents();
    std::set<pid_t> found;
    bool grew = true;
    while (grew) {
        grew = false;
        for (const auto& [pid, ppid] : parent) {
            if ((ppid == root || found.count(ppid)) && found.insert(pid).second)
                grew = true;
        }
    }
    return found;
}

std::string commandOf(pid_t pid)
{
    std::ifstream comm("/proc/" + std::to_string(pid) + "/comm");
    std::string name;
    std::getline(comm, name);
    return name;
}

// Whether the process has the file open.
bool hasOpen(pid_t pid, const fs::path& file)
{
    std::error_code error;
    for (const auto& entry : fs::directory_iterator("/proc/" + std::to_string(pid) + "/fd", error)) {
        if (fs::read_symlink(entry.path(), error) == file)
            return true;
    }
    return false;
}

// Whether the process has ended (and, if it was ours by now, been reaped).
bool gone(pid_t pid)
{
    siginfo_t info{};
    ::waitid(P_PID, id_t(pid), &info, WEXITED | WNOHANG);
    return ::kill(pid, 0) != 0 && errno == ESRCH;
}

bool waitUntil(const std::function<bool()>& condition, Clock::duration limit)
{
    const auto end = Clock::now() + limit;
    while (!condition()) {
        if (Clock::now() > end)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

class ProgramEndTest : public testing::TestWithParam<std::tuple<bool, int>> {
protected:
    static void SetUpTestSuite()
    {
        // About 30,000 report lines: the checker takes far longer than this
        // test waits for it.
        s_folder = fs::temp_directory_path() / ("tessaly-program-end-" + std::to_string(::getpid()));
        fs::create_directories(s_folder);
        s_book = s_folder / "large.epub";
        tessaly::testing::writeEpub(s_book, tessaly::testing::faultyBookEntries(30000, 0));
        s_quickJava = std::make_unique<tessaly::testing::QuickJavaOnPath>();
    }
    static void TearDownTestSuite()
    {
        s_quickJava.reset();
        fs::remove_all(s_folder);
    }

    // Starts the program on the book, with settings of its own.
    pid_t startProgram(bool warm)
    {
        const fs::path config = s_folder / (warm ? "warm" : "cold");
        fs::create_directories(config / "Tessaly");
        std::ofstream(config / "Tessaly" / "Tessaly.conf") << "[checker]\nwarm=" << (warm ? "true" : "false") << "\n";
        std::vector<std::string> environment = {"XDG_CONFIG_HOME=" + config.string(), "QT_QPA_PLATFORM=xcb"};
        for (char** entry = environ; *entry; ++entry) {
            const std::string text = *entry;
            if (!text.starts_with("XDG_CONFIG_HOME=") && !text.starts_with("QT_QPA_PLATFORM="))
                environment.push_back(text);
        }
        std::vector<char*> envp;
        for (auto& entry : environment)
            envp.push_back(entry.data());
        envp.push_back(nullptr);
        std::string program = TESSALY_PROGRAM;
        std::string book = s_book.string();
        char* argv[] = {program.data(), book.data(), nullptr};
        pid_t pid = -1;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
        const int result = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, envp.data());
        posix_spawn_file_actions_destroy(&actions);
        return result == 0 ? pid : -1;
    }

    static fs::path s_folder;
    static fs::path s_book;
    static std::unique_ptr<tessaly::testing::QuickJavaOnPath> s_quickJava;
};

fs::path ProgramEndTest::s_folder;
fs::path ProgramEndTest::s_book;
std::unique_ptr<tessaly::testing::QuickJavaOnPath> ProgramEndTest::s_quickJava;

TEST_P(ProgramEndTest, NoCheckerOutlivesTheProgram)
{
    const auto [warm, signal] = GetParam();
    const pid_t program = startProgram(warm);
    ASSERT_GT(program, 0);

    // The check is under way once a java process of the program's reads the
    // book.
    std::set<pid_t> started;
    const bool checking = waitUntil([&] {
        started = descendantsOf(program);
        for (const pid_t pid : started) {
            if (commandOf(pid) == "java" && hasOpen(pid, s_book))
                return true;
        }
        return false;
    }, std::chrono::seconds(60));
    if (!checking)
        ::kill(program, SIGKILL);
    ASSERT_TRUE(checking) << "no checker took the book";

    ASSERT_EQ(::kill(program, signal), 0);
    const auto killed = Clock::now();
    int status = 0;
    ASSERT_EQ(::waitpid(program, &status, 0), program);
    std::set<pid_t> left = started;
    waitUntil([&] {
        std::erase_if(left, gone);
        return left.empty();
    }, std::chrono::seconds(2) - (Clock::now() - killed));
    std::string survivors;
    for (const pid_t pid : left) {
        survivors += " " + std::to_string(pid) + " " + commandOf(pid);
        ::kill(pid, SIGKILL);
    }
    waitUntil([&] {
        std::erase_if(left, gone);
        return left.empty();
    }, std::chrono::seconds(5));
    EXPECT_TRUE(survivors.empty()) << "still running 2 s after the signal:" << survivors;

    if (signal == SIGKILL) {
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
    } else {
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
            << "ends as when its window is closed, not by the signal: status " << status;
    }
}

std::string caseName(const testing::TestParamInfo<std::tuple<bool, int>>& info)
{
    const auto [warm, signal] = info.param;
    return std::string(warm ? "Warm" : "JavaJar") + "_" + sigabbrev_np(signal);
}

INSTANTIATE_TEST_SUITE_P(Signals, ProgramEndTest,
                         testing::Combine(testing::Bool(), testing::Values(SIGTERM, SIGINT, SIGHUP, SIGKILL)),
                         caseName);

} // namespace

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    // Orphans of the program become ours, so that none escapes the count.
    if (::prctl(PR_SET_CHILD_SUBREAPER, 1) != 0) {
        std::perror("PR_SET_CHILD_SUBREAPER");
        return 1;
    }
    x11test::X11Session session;
    if (!session.start()) {
        std::fprintf(stderr, "cannot start the X display: %s\n", session.error().c_str());
        return 1;
    }
    const int result = RUN_ALL_TESTS();
    session.stop();
    return result;
}
