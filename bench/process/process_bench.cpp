// Throughput of the process runner against a plain read loop on the same
// child output: 50 MB as 80-byte lines, the two measured in turn in every
// iteration. The runner's figure is measured up to onRead on the (plain)
// main thread; the plain loop reads the pipe in 1,024-byte reads and counts
// line feeds. Prints the throughput ratio runner / plain.
#include "common/ratio_reporter.h"
#include "platform/plain_main_thread.h"
#include "process/command_line.h"
#include "process/create_process.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <ctime>
#include <spawn.h>
#include <stdexcept>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

constexpr long long TotalBytes = 50'000'000;
constexpr int LineLength = 80;
constexpr long long Lines = TotalBytes / LineLength;

std::vector<std::string> childArguments()
{
    return {TESSALY_FLOOD_CHILD, std::to_string(TotalBytes), std::to_string(LineLength)};
}

long long plainLoop()
{
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) < 0)
        throw std::runtime_error("pipe");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], 1);
    auto arguments = childArguments();
    std::vector<char*> argv;
    for (auto& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    pid_t pid;
    const int result = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(fds[1]);
    if (result != 0)
        throw std::runtime_error("spawn");
    long long lineFeeds = 0;
    char buffer[1024];
    for (;;) {
        const ssize_t n = ::read(fds[0], buffer, sizeof buffer);
        if (n <= 0)
            break;
        lineFeeds += std::count(buffer, buffer + n, '\n');
    }
    ::close(fds[0]);
    ::waitpid(pid, nullptr, 0);
    return lineFeeds;
}

long long runnerRun(tessaly::platform::PlainMainThread& loop, tessaly::process::CreateProcess& process)
{
    long long entries = 0;
    bool lastEmpty = false;
    bool ended = false;
    process.setOnRead([&](tessaly::process::CreateProcess&, const std::string& text, bool startsOnNewLine) {
        entries += startsOnNewLine;
        lastEmpty = text.empty();
    });
    process.setOnTerminate([&](tessaly::process::CreateProcess&, std::uint32_t) { ended = true; });
    process.run();
    if (!loop.runUntil([&] { return ended; }, std::chrono::minutes(5)))
        throw std::runtime_error("runner did not finish");
    // The list of lines ends with the empty line after the last line feed.
    return entries - (lastEmpty ? 1 : 0);
}

double wallSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

// Both sides in every iteration, one after the other, so that whatever
// disturbs the machine meanwhile falls on both alike. Wall time: the
// runner's work is spread over its worker threads and the main thread.
void BM_RunnerAgainstPlainLoop(benchmark::State& state)
{
    tessaly::platform::PlainMainThread loop;
    tessaly::process::CreateProcess process(loop);
    process.setConsoleOptions(tessaly::process::ConsoleOptions::Redirect | tessaly::process::ConsoleOptions::OwnerData);
    process.setCommandLine(tessaly::process::joinCommandLine(childArguments()));
    double plain = 0, runner = 0;
    for (auto _ : state) {
        double start = wallSeconds();
        if (plainLoop() != Lines)
            state.SkipWithError("wrong line count in the plain loop");
        plain += wallSeconds() - start;
        start = wallSeconds();
        if (runnerRun(loop, process) != Lines)
            state.SkipWithError("wrong line count from the runner");
        runner += wallSeconds() - start;
    }
    state.SetBytesProcessed(state.iterations() * TotalBytes * 2);
    // Throughput ratio: the runner's bytes per second over the plain loop's.
    state.counters["ratio"] = runner > 0 ? plain / runner : 0;
}

BENCHMARK(BM_RunnerAgainstPlainLoop)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    tessaly::bench::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    if (const double ratio = reporter.ratio("BM_RunnerAgainstPlainLoop"); ratio >= 0)
        std::printf("throughput ratio runner / plain loop: %.2f (goal: at least 0.5)\n", ratio);
    return 0;
}
