// Speed of the pixel effects and of composing at a changing size, each
// measured interleaved with its baseline, iteration by iteration, on the
// thread's processor time:
// - cross-fade (morph) of a 75 × 25 button image and of a 1920 × 1080
//   image, grey scale and darkness of a 1920 × 1080 image, each against
//   memcpy of the image's bytes;
// - nine-piece composition at a size that changes every iteration (800 × 600
//   up to 1920 × 1080) against the same compositions into bitmaps that
//   already have their size.
// The last line lists every ratio with its goal.

#include "common/ratio_reporter.h"
#include "common/thread_clock.h"
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <ctime>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "skin/data/picture.h"
#include "skin/paint/compose.h"
#include "skin/paint/effect_bmp.h"

namespace {

using tessaly::bench::threadCpuSeconds;
using tessaly::bench::timed;

using namespace tessaly::skin;

EffectBmp randomImage(int w, int h, unsigned seed)
{
    EffectBmp e(w, h);
    std::mt19937 random(seed);
    for (int i = 0; i < e.size(); ++i)
        e.bits()[i] = uint8_t(random());
    return e;
}

// Small images are timed in batches, so that reading the clock does not
// count for much.
int batchFor(const EffectBmp& e) { return e.size() < 100000 ? 2000 : 1; }

// An effect against memcpy of the image's bytes, interleaved.
template <class Effect>
void againstMemcpy(benchmark::State& state, int w, int h, Effect&& effect)
{
    EffectBmp image = randomImage(w, h, 1);
    const EffectBmp target = randomImage(w, h, 2);
    std::vector<uint8_t> from(std::size_t(image.size()), 0x5A), to(std::size_t(image.size()));
    const int batch = batchFor(image);
    double work = 0, base = 0;
    int k = 0;
    for (auto _ : state) {
        work += timed([&] {
            for (int i = 0; i < batch; ++i) {
                effect(image, target, ++k);
                benchmark::DoNotOptimize(image.bits());
            }
        });
        base += timed([&] {
            for (int i = 0; i < batch; ++i) {
                std::memcpy(to.data(), from.data(), from.size());
                benchmark::DoNotOptimize(to.data());
                benchmark::ClobberMemory();
            }
        });
    }
    state.counters["ratio"] = work / base;
}

// Factors that change every time, as in an animation.
double factorOf(int k) { return double(k % 5 + 1) / 6; }

void BM_MorphButton(benchmark::State& state)
{
    againstMemcpy(state, 75, 25, [](EffectBmp& e, const EffectBmp& t, int k) { e.morph(t, factorOf(k)); });
}
void BM_MorphScreen(benchmark::State& state)
{
    againstMemcpy(state, 1920, 1080, [](EffectBmp& e, const EffectBmp& t, int k) { e.morph(t, factorOf(k)); });
}
void BM_GrayScaleScreen(benchmark::State& state)
{
    againstMemcpy(state, 1920, 1080, [](EffectBmp& e, const EffectBmp&, int) { e.grayScale(); });
}
void BM_DarknessScreen(benchmark::State& state)
{
    againstMemcpy(state, 1920, 1080, [](EffectBmp& e, const EffectBmp&, int) { e.changeDarkness(0.3); });
}

Picture randomPicture(int w, int h)
{
    Picture p(w, h);
    std::mt19937 random(3);
    for (uint32_t& pixel : p.pixels())
        pixel = random() | 0xFF000000u;
    return p;
}

NineGeometry targetFor(int w, int h)
{
    return {{30, 30}, {w - 30, 30}, {30, h - 30}, {w - 30, h - 30}, {30, 30, w - 30, h - 30}};
}

void BM_ComposeResizing(benchmark::State& state)
{
    const Picture picture = randomPicture(200, 150);
    const Rect skinRect{0, 0, 200, 150};
    const NineGeometry cut{{30, 30}, {170, 30}, {30, 120}, {170, 120}, {30, 30, 170, 120}};
    // A window dragged between 800 × 600 and 1920 × 1080, growing and
    // shrinking.
    const std::pair<int, int> sizes[] = {{800, 600},  {1920, 1080}, {1100, 700}, {1600, 1000},
                                         {960, 640},  {1280, 1024}, {1440, 900}, {1024, 768}};
    std::vector<Bitmap> fixed;
    for (auto [w, h] : sizes)
        fixed.emplace_back(w, h);
    Bitmap resizing;
    double work = 0, base = 0;
    std::size_t i = 0;
    for (auto _ : state) {
        const auto [w, h] = sizes[i % std::size(sizes)];
        auto compose = [&](Bitmap& dest) {
            composeSkinImage(dest, pixelView(picture), skinRect, cut, targetFor(w, h), w, h, true, EdgeStretch{},
                             false, StretchType::Full);
            benchmark::DoNotOptimize(dest.rowPointer(0));
        };
        // Which side goes first alternates, so that neither always finds
        // the caches as the other left them.
        if (i % 2 == 0) {
            work += timed([&] { compose(resizing); });
            base += timed([&] { compose(fixed[i % std::size(sizes)]); });
        } else {
            base += timed([&] { compose(fixed[i % std::size(sizes)]); });
            work += timed([&] { compose(resizing); });
        }
        ++i;
    }
    state.counters["ratio"] = work / base;
}

BENCHMARK(BM_MorphButton)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_MorphScreen)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_GrayScaleScreen)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_DarknessScreen)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_ComposeResizing)->Unit(benchmark::kMillisecond)->MinTime(1.0);

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    tessaly::bench::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    const struct {
        const char* benchmark;
        const char* label;
        double goal;
    } lines[] = {{"BM_MorphButton", "morph 75x25 / memcpy", 8},
                 {"BM_MorphScreen", "morph 1920x1080 / memcpy", 3},
                 {"BM_GrayScaleScreen", "grey scale 1920x1080 / memcpy", 3},
                 {"BM_DarknessScreen", "darkness 1920x1080 / memcpy", 3},
                 {"BM_ComposeResizing", "composition at changing size / fixed size", 1.2}};
    std::string last;
    for (const auto& line : lines) {
        const double ratio = reporter.ratio(line.benchmark);
        if (ratio < 0)
            continue;
        char text[160];
        std::snprintf(text, sizeof text, "%s%s %.2f (goal: at most %.1f)", last.empty() ? "" : "; ", line.label,
                      ratio, line.goal);
        last += text;
    }
    std::printf("%s\n", last.c_str());
    return 0;
}
