// Painting the "Validate" push button (75 × 25, pewter skin, caption)
// against a QPushButton of the same size and caption, both drawn the same
// way (QWidget::render into one image), interleaved in the same
// iterations:
// - the static face (goal: at most 1.5 × the QPushButton);
// - one cross-fade step, which composes the normal and the hot face and
//   mixes them (goal: at most 2 ×).
// Times are processor time of this thread: the machine may be shared.

#include "common/thread_clock.h"
#include "skin/controls/skin_button.h"
#include "skin/data/compressed_stored_skin.h"
#include "skin/data/skin_data.h"
#include "skin/embedded_pewter.h"

#include <QApplication>
#include <QImage>
#include <QPushButton>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <memory>
#include <vector>

namespace {

using tessaly::bench::threadCpuSeconds;

using namespace tessaly::skin;

struct Scene {
    Scene()
    {
        stored.loadFromCompressBytes(embedded_pewter());
        skin.loadCompressedStoredSkin(stored);
        window.resize(200, 60);
        skinned = new SkinButton(QStringLiteral("Validate"), &window);
        skinned->setSkinData(&skin);
        skinned->setGeometry(10, 10, 75, 25);
        plain = new QPushButton(QStringLiteral("Validate"), &window);
        plain->setGeometry(100, 10, 75, 25);
        window.show();
        target.fill(0);
    }
    CompressedStoredSkin stored;
    SkinData skin;
    QWidget window;
    SkinButton* skinned;
    QPushButton* plain;
    QImage target{75, 25, QImage::Format_ARGB32_Premultiplied};
};

// Made on first use, freed before the application: widgets must not
// outlive it.
std::unique_ptr<Scene> theScene;

Scene& scene()
{
    if (!theScene)
        theScene = std::make_unique<Scene>();
    return *theScene;
}

double paintSeconds(QWidget* widget, int times)
{
    const double start = threadCpuSeconds();
    for (int i = 0; i < times; ++i)
        widget->render(&scene().target);
    return threadCpuSeconds() - start;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

std::vector<double> staticRatios;
std::vector<double> fadeRatios;

void BM_StaticFace(benchmark::State& state)
{
    Scene& s = scene();
    s.skinned->setMorphStep(0);
    for (auto _ : state) {
        const double plain = paintSeconds(s.plain, 20);
        const double skinned = paintSeconds(s.skinned, 20);
        staticRatios.push_back(skinned / plain);
        state.SetIterationTime(plain + skinned);
    }
    state.counters["vs_QPushButton"] = median(staticRatios);
}

void BM_CrossFadeStep(benchmark::State& state)
{
    Scene& s = scene();
    for (auto _ : state) {
        const double plain = paintSeconds(s.plain, 20);
        double skinned = 0;
        for (int i = 0; i < 20; ++i) {
            // A step strictly between the faces: both are composed and mixed.
            s.skinned->setMorphStep(1 + i % 4);
            skinned += paintSeconds(s.skinned, 1);
        }
        fadeRatios.push_back(skinned / plain);
        state.SetIterationTime(plain + skinned);
    }
    state.counters["vs_QPushButton"] = median(fadeRatios);
}

BENCHMARK(BM_StaticFace)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_CrossFadeStep)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    theScene.reset();
    std::printf("push button paint / QPushButton: static face %.2f (goal: at most 1.5), cross-fade step %.2f "
                "(goal: at most 2)\n",
                median(staticRatios), median(fadeRatios));
    return 0;
}
