// The warm checker against "java -jar" on the same large book, with Debian's
// checker, side by side in one run. Each run starts a new host and waits
// until it has warmed itself up (as it does at the program's start, while
// the user picks a book), then checks the book through the host, with
// "java -jar", through the host again, with "java -jar" again, and through
// the host a third time. Both ways go through the program's own runner and
// read the whole report.
//
// Prints, from the medians over the runs:
// - the first check after the host's warm-up / "java -jar" (goal: at most 0.5);
// - the second and third checks through the host / "java -jar" (goal: at most 0.3);
// - the host's resident memory after the large book.
//
// The host runs at normal priority, as in the program, so that both sides
// compete for the processor alike; TESSALY_BENCH_IDLE_HOST=1 runs it at
// idle priority instead.
#include "app/checker_command.h"
#include "app/warm_checker.h"
#include "epub_fixture.h"
#include "platform/qt_main_thread.h"
#include "process/create_process.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

extern char** environ;

namespace {

const std::string programFolder = TESSALY_PROGRAM_FOLDER "/";

struct Figures {
    std::vector<double> jar, first, repeated, rssMegabytes;
    std::size_t reportLines = 0;
} figures;

double median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Runs the event loop until done() holds; false after the time limit.
template <typename Done>
bool waitFor(Done done, int limitMs = 600000)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > limitMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    }
    return true;
}

double residentMegabytes(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with("VmRSS:"))
            return std::stod(line.substr(6)) / 1024.0;
    }
    return 0;
}

std::vector<std::string> environment()
{
    std::vector<std::string> current;
    for (char** entry = environ; entry && *entry; ++entry)
        current.emplace_back(*entry);
    return tessaly::app::checkerEnvironment(current);
}

// One "java -jar" check through the runner, as the program runs it.
double jarCheck(tessaly::platform::MainThread& mainThread, const std::string& book)
{
    tessaly::process::CreateProcess runner(mainThread);
    runner.setConsoleOptions(tessaly::process::ConsoleOptions::Redirect | tessaly::process::ConsoleOptions::OwnerData);
    std::size_t lines = 0;
    bool ended = false;
    runner.setOnRead([&](tessaly::process::CreateProcess&, const std::string&, bool startsOnNewLine) {
        lines += startsOnNewLine;
    });
    runner.setOnTerminate([&](tessaly::process::CreateProcess&, std::uint32_t) { ended = true; });
    runner.setCommandLine(tessaly::app::checkerCommandLine(programFolder, book));
    runner.setEnvironment(environment());
    QElapsedTimer clock;
    clock.start();
    runner.run();
    if (!waitFor([&] { return ended; }))
        std::abort();
    figures.reportLines = lines;
    return double(clock.nsecsElapsed()) / 1e6;
}

double hostCheck(tessaly::app::WarmChecker& warm, const std::string& book)
{
    bool ended = false;
    bool fellBack = false;
    warm.setHandlers({
        .read = [](const std::string&, bool) {},
        .finished = [&](std::uint32_t) { ended = true; },
        .fallBack = [&](const std::string&) { fellBack = ended = true; },
    });
    QElapsedTimer clock;
    clock.start();
    warm.check(book);
    if (!waitFor([&] { return ended; }) || fellBack) {
        std::fprintf(stderr, "the host did not finish the check\n");
        std::abort();
    }
    return double(clock.nsecsElapsed()) / 1e6;
}

void BM_WarmCheckerSideBySide(benchmark::State& state)
{
    QTemporaryDir folder;
    const std::string book = folder.path().toStdString() + "/large.epub";
    tessaly::testing::writeEpub(book, tessaly::testing::faultyBookEntries(3500, 10));
    tessaly::platform::QtMainThread mainThread;
    const bool idle = std::getenv("TESSALY_BENCH_IDLE_HOST") && std::string(std::getenv("TESSALY_BENCH_IDLE_HOST")) == "1";

    for (auto _ : state) {
        tessaly::app::WarmChecker::Settings settings;
        settings.programFolder = programFolder;
        settings.priority = idle ? tessaly::process::ProcessPriority::Idle : tessaly::process::ProcessPriority::Normal;
        tessaly::app::WarmChecker warm(mainThread, settings);
        warm.start();
        if (!waitFor([&] { return warm.warm(); }))
            std::abort();

        const double first = hostCheck(warm, book);
        const double jar1 = jarCheck(mainThread, book);
        const double second = hostCheck(warm, book);
        const double jar2 = jarCheck(mainThread, book);
        const double third = hostCheck(warm, book);
        figures.first.push_back(first);
        figures.jar.push_back(jar1);
        figures.jar.push_back(jar2);
        figures.repeated.push_back(second);
        figures.repeated.push_back(third);
        figures.rssMegabytes.push_back(residentMegabytes(warm.host().processInfo().processId));
        state.SetIterationTime((first + jar1 + second + jar2 + third) / 1000);
    }
    state.counters["java_jar_ms"] = median(figures.jar);
    state.counters["host_first_ms"] = median(figures.first);
    state.counters["host_repeat_ms"] = median(figures.repeated);
    state.counters["host_rss_mb"] = median(figures.rssMegabytes);
    state.counters["report_lines"] = double(figures.reportLines);
}

BENCHMARK(BM_WarmCheckerSideBySide)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    const double jar = median(figures.jar);
    if (jar > 0) {
        std::printf("host resident memory after the large book: %.0f MB (median of %zu hosts)\n",
            median(figures.rssMegabytes), figures.rssMegabytes.size());
        std::printf("first check after warm-up / java -jar: %.2f (goal: at most 0.5)\n", median(figures.first) / jar);
        std::printf("second and third check through the host / java -jar: %.2f (goal: at most 0.3)\n",
            median(figures.repeated) / jar);
    }
    return 0;
}
