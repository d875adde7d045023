// "tessaly --check --jobs 2" on 40 small books and 4 large ones, against the
// same 44 books checked by "java -jar" one after the other, with Debian's
// checker, in one run. The program's time includes starting and warming
// its hosts. Every report the program writes is compared with the output
// of "java -jar" on that book.
//
// Prints:
// - the program's time / the "java -jar" runs' time (goal: at most 0.3);
// - how many of the 44 reports are byte for byte those of "java -jar";
// - the resident memory of an idle host (started and warmed up alone), and
//   of each of the program's hosts after the large books (sampled while
//   the small books that follow them are checked).
#include "app/checker_command.h"
#include "app/warm_checker.h"
#include "common/ratio_reporter.h"
#include "epub_fixture.h"
#include "platform/qt_main_thread.h"
#include "process/create_process.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <string>
#include <vector>

namespace {

const std::string programFolder = QFileInfo(TESSALY_PROGRAM).absolutePath().toStdString() + "/";
constexpr int smallBooks = 40;
constexpr int largeBooks = 4;

struct Figures {
    double jarSeconds = 0;
    double programSeconds = 0;
    int identical = 0;
    int compared = 0;
    double idleHostMegabytes = 0;
    std::map<qint64, double> hostMegabytesAfterLarge; // by process
} figures;

double residentMegabytes(qint64 pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with("VmRSS:"))
            return std::stod(line.substr(6)) / 1024.0;
    }
    return 0;
}

// The java processes the program started (its hosts and fall-backs).
std::vector<qint64> javaChildren(qint64 parent)
{
    std::vector<qint64> children;
    for (const QString& entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        bool number = false;
        const qint64 pid = entry.toLongLong(&number);
        if (!number)
            continue;
        std::ifstream stat("/proc/" + entry.toStdString() + "/stat");
        std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
        const std::size_t close = text.rfind(')');
        if (close == std::string::npos || text.find("(java)") == std::string::npos)
            continue;
        // After ") S " comes the parent's id.
        if (std::stoll(text.substr(close + 4)) == parent)
            children.push_back(pid);
    }
    return children;
}

// The books: "large-N.epub" first in name order, so that every host has
// checked a large one before the small ones.
std::vector<std::string> writeBooks(const std::string& folder)
{
    std::vector<std::string> books;
    for (int i = 0; i < largeBooks; ++i) {
        books.push_back(folder + "/a-large-" + std::to_string(i) + ".epub");
        tessaly::testing::writeEpub(books.back(), tessaly::testing::faultyBookEntries(3500, 4 + i));
    }
    auto broken = tessaly::testing::validBookEntries();
    std::erase_if(broken, [](const auto& entry) { return entry.first == "EPUB/c1.xhtml"; });
    for (int i = 0; i < smallBooks; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "/b-small-%02d.epub", i);
        books.push_back(folder + name);
        const auto entries = i % 4 == 0 ? tessaly::testing::validBookEntries()
            : i % 4 == 1              ? broken
                                      : tessaly::testing::faultyBookEntries(i % 7, i % 3);
        tessaly::testing::writeEpub(books.back(), entries);
    }
    return books;
}

QByteArray javaJar(const std::string& book)
{
    QProcess run;
    run.setProcessChannelMode(QProcess::MergedChannels);
    run.start(QStringLiteral("java"), {QStringLiteral("-jar"), QString::fromStdString(programFolder + "epubcheck/epubcheck.jar"),
                                          QString::fromStdString(book)});
    if (!run.waitForFinished(-1))
        std::abort();
    return run.readAll();
}

double idleHostMegabytes()
{
    tessaly::platform::QtMainThread mainThread;
    tessaly::app::WarmChecker::Settings settings;
    settings.programFolder = programFolder;
    tessaly::app::WarmChecker warm(mainThread, settings);
    warm.start();
    QElapsedTimer clock;
    clock.start();
    while (!warm.warm() && clock.elapsed() < 300000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    QThread::sleep(3);
    return residentMegabytes(warm.host().processInfo().processId);
}

void ManyBooks(benchmark::State& state)
{
    QTemporaryDir folder;
    const std::string books = folder.path().toStdString() + "/books";
    QDir().mkpath(QString::fromStdString(books));
    const std::vector<std::string> list = writeBooks(books);
    figures.idleHostMegabytes = idleHostMegabytes();
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        std::map<std::string, QByteArray> expected;
        for (const std::string& book : list)
            expected[book] = javaJar(book);
        figures.jarSeconds = double(clock.nsecsElapsed()) / 1e9;

        const QString reports = folder.path() + "/reports";
        QProcess program;
        clock.restart();
        program.start(TESSALY_PROGRAM, {"--check", "--jobs", "2", "--output", reports, QString::fromStdString(books)});
        program.waitForStarted();
        int finishedLines = 0;
        while (!program.waitForFinished(200)) {
            finishedLines += int(program.readAllStandardOutput().count('\n'));
            // Once the large books are done, each host's memory as it goes on.
            if (finishedLines >= largeBooks) {
                // (A host that has just ended reads as 0.)
                for (qint64 host : javaChildren(program.processId())) {
                    if (const double megabytes = residentMegabytes(host); megabytes > 0)
                        figures.hostMegabytesAfterLarge[host] = megabytes;
                }
            }
        }
        figures.programSeconds = double(clock.nsecsElapsed()) / 1e9;
        state.SetIterationTime(figures.programSeconds);
        for (const std::string& book : list) {
            QFile report(reports + "/" + QFileInfo(QString::fromStdString(book)).completeBaseName() + ".txt");
            ++figures.compared;
            if (report.open(QIODevice::ReadOnly) && report.readAll() == expected[book])
                ++figures.identical;
        }
    }
    state.counters["ratio"] = figures.programSeconds / figures.jarSeconds;
}
BENCHMARK(ManyBooks)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    tessaly::bench::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\n44 books (%d small, %d large), tessaly --check --jobs 2 / sequential java -jar: %.3f (goal: at most 0.3)"
                " - %.1f s / %.1f s\n",
        smallBooks, largeBooks, reporter.ratio("ManyBooks"), figures.programSeconds, figures.jarSeconds);
    std::printf("reports byte for byte those of java -jar: %d of %d\n", figures.identical, figures.compared);
    std::printf("resident memory of an idle host: %.0f MB\n", figures.idleHostMegabytes);
    for (const auto& [host, megabytes] : figures.hostMegabytesAfterLarge)
        std::printf("resident memory of host %lld after the large books: %.0f MB\n", (long long)host, megabytes);
    return 0;
}
