// From the press that opens a three-item menu to the menu's first paint:
// the skinned popup menu (pewter skin) against QMenu with the same items,
// opened the same way in the same run. Runs off screen unless a display is
// chosen; the last line prints the ratio.

#include <QApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QPointer>
#include <QWidget>
#include <QWindow>
#include <benchmark/benchmark.h>
#include <QTest>

#include <chrono>
#include <cstdio>
#include <functional>
#include <map>
#include <memory>

#include "skin/data/compressed_stored_skin.h"
#include "skin/data/skin_data.h"
#include "skin/embedded_pewter.h"
#include "skin/menus/skin_menu.h"
#include "skin/menus/skin_popup_menu.h"

namespace {

using tessaly::skin::Rect;
using tessaly::skin::SkinPopupMenu;

// Notes the first paint of any popup window.
class PaintWatch : public QObject {
public:
    bool painted = false;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->windowType() == Qt::Popup)
            painted = true;
        return false;
    }
};

// A window that opens a menu when pressed, as the status bar's button does.
class Opener : public QWidget {
public:
    std::function<void(QPoint)> open;

protected:
    void mousePressEvent(QMouseEvent* event) override { open(event->globalPosition().toPoint()); }
};

struct Stage {
    Opener opener;
    PaintWatch watch;
    Stage()
    {
        opener.setGeometry(100, 500, 80, 24);
        opener.show();
        qApp->installEventFilter(&watch);
        QCoreApplication::processEvents();
    }
    ~Stage() { qApp->removeEventFilter(&watch); }

    // One press to first paint, in seconds; `close` then puts the menu away.
    double pressToPaint(const std::function<void()>& close)
    {
        watch.painted = false;
        QWindow* window = opener.windowHandle();
        const QPoint local(10, 10);
        const auto start = std::chrono::steady_clock::now();
        // through the window system, as a user's press comes
        QTest::mousePress(window, Qt::LeftButton, {}, local);
        while (!watch.painted)
            QCoreApplication::processEvents();
        const auto end = std::chrono::steady_clock::now();
        QTest::mouseRelease(window, Qt::LeftButton, {}, local);
        close();
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return std::chrono::duration<double>(end - start).count();
    }
};

tessaly::skin::SkinData& pewter()
{
    static std::unique_ptr<tessaly::skin::SkinData> data = [] {
        tessaly::skin::CompressedStoredSkin stored;
        stored.loadFromCompressBytes(tessaly::skin::embedded_pewter());
        auto sd = std::make_unique<tessaly::skin::SkinData>();
        sd->loadCompressedStoredSkin(stored);
        return sd;
    }();
    return *data;
}

void SkinPopupMenuPressToPaint(benchmark::State& state)
{
    Stage stage;
    SkinPopupMenu menu(&stage.opener);
    menu.setSkinData(&pewter());
    menu.items().add(QStringLiteral("Visit Our Website"));
    menu.items().addSeparator();
    menu.items().add(QStringLiteral("About"));
    stage.opener.open = [&](QPoint) {
        const QRect r = stage.opener.geometry();
        menu.popupFromRect2(&stage.opener, Rect{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()}, false);
    };
    for (auto _ : state)
        state.SetIterationTime(stage.pressToPaint([&] { menu.engine().hide(); }));
}

void QMenuPressToPaint(benchmark::State& state)
{
    Stage stage;
    QMenu menu(&stage.opener);
    menu.addAction(QStringLiteral("Visit Our Website"));
    menu.addSeparator();
    menu.addAction(QStringLiteral("About"));
    stage.opener.open = [&](QPoint) { menu.popup(stage.opener.mapToGlobal(QPoint(0, stage.opener.height()))); };
    for (auto _ : state)
        state.SetIterationTime(stage.pressToPaint([&] { menu.hide(); }));
}

// Medians of several short runs: the figures depend on the scheduler of a
// shared machine more than on the code.
BENCHMARK(QMenuPressToPaint)->UseManualTime()->Unit(benchmark::kMicrosecond)->MinTime(0.3)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(SkinPopupMenuPressToPaint)->UseManualTime()->Unit(benchmark::kMicrosecond)->MinTime(0.3)->Repetitions(5)->ReportAggregatesOnly(true);

// Keeps each benchmark's median time per iteration to print the ratio at the end.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median" && !run.error_occurred)
                times[run.run_name.function_name] = run.GetAdjustedRealTime();
    }
    std::map<std::string, double> times;
};

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    if (reporter.times.count("QMenuPressToPaint") && reporter.times.count("SkinPopupMenuPressToPaint"))
        std::printf("ratio skinned menu / QMenu, press to first paint: %.3f (goal: at most 1.5)\n",
                    reporter.times["SkinPopupMenuPressToPaint"] / reporter.times["QMenuPressToPaint"]);
    benchmark::Shutdown();
    return 0;
}
