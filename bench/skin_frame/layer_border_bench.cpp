// Speed of the layered border. GrowBorder lays the border out and builds its
// four strip images while the window grows step by step from 589 x 376 to
// 1920 x 1080 (what every step of a resize does), measured side by side
// with memcpy of the strips' pixels at each step; the last line prints the
// ratio (goal: at most 8: the strips are laid piece by piece, the sides
// tiled row by row, from a picture prepared once).

#include "common/thread_clock.h"
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <ctime>
#include <vector>

#include "layer_border_fixture.h"
#include "skin/frame/layer_border_layout.h"
#include "skin/paint/stack_blur.h"

namespace {

using tessaly::bench::threadCpuSeconds;

using namespace tessaly::skin;

double g_ratio = 0;

void GrowBorder(benchmark::State& state)
{
    const DibBitmap picture = frametest::layerPicture(true);
    Bitmap source;
    source.assign(pixelView(picture.picture()));
    alphaFromMask(source, pixelView(frametest::layerMask().picture()));
    source.checkRGBA();
    const LayerBorderGeometry geometry =
        LayerBorderGeometry::from(frametest::layerRecord(0), source.width(), source.height());

    constexpr int kSteps = 64;
    std::vector<uint32_t> from(std::size_t(1944) * 1104, 0x12345678u), to(from.size(), 0);
    std::array<Bitmap, 4> images;
    double work = 0, base = 0;
    for (auto _ : state) {
        for (int i = 0; i <= kSteps; ++i) {
            const int w = 589 + (1920 - 589) * i / kSteps, h = 376 + (1080 - 376) * i / kSteps;
            double start = threadCpuSeconds();
            const LayerBorderLayout layout = layoutLayerBorder(geometry, {100, 100, 100 + w, 100 + h});
            std::size_t pixels = 0;
            for (FormLayerBorderType type : kLayerBorderTypes) {
                buildLayerImage(images[std::size_t(type)], source.view(), layout.strip(type));
                benchmark::DoNotOptimize(images[std::size_t(type)].rowPointer(0));
                pixels += std::size_t(layout.strip(type).screen.width()) * layout.strip(type).screen.height();
            }
            work += threadCpuSeconds() - start;

            start = threadCpuSeconds();
            std::memcpy(to.data(), from.data(), pixels * 4);
            benchmark::DoNotOptimize(to.data());
            benchmark::ClobberMemory();
            base += threadCpuSeconds() - start;
        }
    }
    g_ratio = work / base;
    state.counters["vs_memcpy"] = g_ratio;
}

BENCHMARK(GrowBorder)->Unit(benchmark::kMillisecond)->MinTime(1.0);

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::printf("ratio border strips built while growing 589x376 -> 1920x1080 / memcpy of the strips: %.3f "
                "(goal: at most 8)\n",
                g_ratio);
    return 0;
}
