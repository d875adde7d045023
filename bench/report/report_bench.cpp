// The report of a large real check, shown by the main window against a
// plain viewer (QProcess + QPlainTextEdit, appending what each read brings
// in one go), side by side in one run.
//
// checker_output.txt.gz is what the checker (Debian's epubcheck 4.2.6)
// printed, both streams, for a book with 3,540 faults in one chapter:
// 3,546 lines, some of about a kilobyte. A stand-in `java`, first on PATH,
// replays it for both sides.
//
// Prints, from the medians of interleaved runs:
// - time from "Validate" to the last line painted, main window / plain viewer
//   (goal: at most 1.2);
// - the longest time, over all runs, that the main window's event loop did
//   not get to a 10 ms timer while the lines arrived (goal: at most 50 ms).
#include "app/book_check.h"
#include "app/main_window.h"
#include "skin/controls/skin_button.h"
#include "skin/controls/skin_edit.h"
#include "app/report_view_feed.h"
#include "platform/qt_main_thread.h"
#include "process/create_process.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

// Puts a `java` that prints the captured output first on PATH.
class StandInJava {
public:
    StandInJava()
    {
        const QString script = m_folder.path() + QStringLiteral("/java");
        QFile file(script);
        file.open(QIODevice::WriteOnly);
        file.write("#!/bin/sh\nexec gzip -dc '" TESSALY_CHECKER_OUTPUT "'\n");
        file.close();
        file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        const std::string path = m_folder.path().toStdString() + ":" + std::getenv("PATH");
        setenv("PATH", path.c_str(), 1);
    }
    QString program() const { return m_folder.path() + QStringLiteral("/java"); }

private:
    QTemporaryDir m_folder;
};

// Records the longest gap between ticks of a 10 ms timer.
class StallMeter {
public:
    StallMeter()
    {
        m_clock.start();
        QObject::connect(&m_ticker, &QTimer::timeout, [this] { tick(); });
        m_ticker.start(10);
    }
    qint64 longest()
    {
        tick();
        return m_longest;
    }

private:
    void tick()
    {
        m_longest = std::max(m_longest, m_clock.elapsed() - m_last);
        m_last = m_clock.elapsed();
    }
    QElapsedTimer m_clock;
    QTimer m_ticker;
    qint64 m_last = 0;
    qint64 m_longest = 0;
};

// Runs the event loop until `done` holds. QTest::qWaitFor would sleep
// between rounds, which delays timers and so distorts both sides.
template <typename Predicate>
void runUntil(Predicate done)
{
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (done())
            loop.quit();
    });
    poll.start(1);
    QTimer::singleShot(120000, &loop, &QEventLoop::quit);
    loop.exec();
}

struct Figures {
    std::vector<double> window;
    std::vector<double> plain;
    std::vector<double> stalls;
};

// Milliseconds from "Validate" to the last line painted; the stall meanwhile.
std::pair<double, double> mainWindowRun(tessaly::app::MainWindow& window)
{
    StallMeter stalls;
    QElapsedTimer clock;
    clock.start();
    window.validateButton()->click();
    runUntil([&] {
        return window.bookCheck().checker().state() == tessaly::process::ProcessState::Ready
            && !window.reportFeed().hasPendingChanges();
    });
    window.reportMemo()->viewport()->repaint();
    return {double(clock.nsecsElapsed()) / 1e6, double(stalls.longest())};
}

double plainViewerRun(QPlainTextEdit& viewer, const QString& program)
{
    QElapsedTimer clock;
    clock.start();
    viewer.clear();
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    QByteArray pending;
    QObject::connect(&process, &QProcess::readyRead, [&] {
        pending += process.readAll();
        const qsizetype end = pending.lastIndexOf('\n');
        if (end < 0)
            return;
        viewer.appendPlainText(QString::fromUtf8(pending.first(end)));
        pending.remove(0, end + 1);
    });
    process.start(program, {});
    process.waitForStarted();
    runUntil([&] { return process.state() == QProcess::NotRunning; });
    pending += process.readAll();
    if (!pending.isEmpty())
        viewer.appendPlainText(QString::fromUtf8(pending));
    viewer.viewport()->repaint();
    return double(clock.nsecsElapsed()) / 1e6;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

Figures figures;

void BM_ReportSideBySide(benchmark::State& state)
{
    StandInJava java;
    tessaly::platform::QtMainThread mainThread;
    tessaly::app::MainWindow window(mainThread, "/nowhere/");
    QPlainTextEdit viewer;
    viewer.setReadOnly(true);
    viewer.setGeometry(window.reportMemo()->geometry());
    window.show();
    viewer.show();
    static_cast<void>(QTest::qWaitForWindowExposed(&window));
    for (auto _ : state) {
        // Interleaved, so that both sides see the same machine load.
        const auto [windowTime, stall] = mainWindowRun(window);
        const double plainTime = plainViewerRun(viewer, java.program());
        figures.window.push_back(windowTime);
        figures.plain.push_back(plainTime);
        figures.stalls.push_back(stall);
        state.SetIterationTime((windowTime + plainTime) / 1000);
    }
    if (window.bookCheck().report().lines().size() < 3500)
        state.SkipWithError("the report is shorter than the captured output");
    state.counters["main_window_ms"] = median(figures.window);
    state.counters["plain_viewer_ms"] = median(figures.plain);
    state.counters["longest_stall_ms"] = *std::max_element(figures.stalls.begin(), figures.stalls.end());
}

BENCHMARK(BM_ReportSideBySide)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(7);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    const double plain = median(figures.plain);
    if (plain > 0) {
        std::printf("longest main-thread stall while the lines arrive, over all runs: %.0f ms (goal: at most 50)\n",
            *std::max_element(figures.stalls.begin(), figures.stalls.end()));
        std::printf("time to the last line painted, main window / plain viewer: %.2f (goal: at most 1.2)\n",
            median(figures.window) / plain);
    }
    return 0;
}
