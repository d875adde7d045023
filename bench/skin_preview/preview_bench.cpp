// The skin preview loading a skin folder again (the pewter sources): the
// load into a new registry and every control and the frame taking it,
// against loading the same folder into a registry alone, interleaved in the
// same iterations. Goal: at most 1.5 x. Times are processor time of this
// thread: the machine may be shared.

#include "app/skin_preview_window.h"
#include "common/thread_clock.h"
#include "skin/data/skin_data.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

using tessaly::bench::threadCpuSeconds;

const QString kFolder = QStringLiteral(TESSALY_SOURCE_DIR "/skins/pewter");

std::vector<double> ratios;

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

void BM_PreviewReload(benchmark::State& state)
{
    tessaly::app::SkinPreviewWindow window(kFolder);
    const std::string ini = (kFolder + QStringLiteral("/skin.ini")).toStdString();
    for (auto _ : state) {
        double start = threadCpuSeconds();
        {
            tessaly::skin::SkinData alone;
            alone.loadFromFile(ini);
            benchmark::DoNotOptimize(alone.empty());
        }
        const double load = threadCpuSeconds() - start;
        start = threadCpuSeconds();
        window.reload();
        const double reload = threadCpuSeconds() - start;
        ratios.push_back(reload / load);
        state.SetIterationTime(load + reload);
    }
    state.counters["vs_load"] = median(ratios);
}

BENCHMARK(BM_PreviewReload)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::printf("preview reload of a skin folder / loading it into a registry: %.2f (goal: at most 1.5)\n",
                median(ratios));
    return 0;
}
