// Speed of the painting operations on a 1920 × 1080 image, each measured
// side by side with memcpy of the same number of bytes in the same
// iterations. The counters are the ratios: operation time / memcpy time
// (and, for the blur, radius 20 time / radius 3 time). The blend and the
// blur are measured a second time with the plain variant of the kernels.

#include "common/thread_clock.h"
#include <benchmark/benchmark.h>

#include <cstring>
#include <ctime>
#include <random>
#include <vector>

#include "skin/data/picture.h"
#include "skin/paint/compose.h"
#include "skin/paint/pixel_kernels.h"
#include "skin/paint/stack_blur.h"

namespace {

using tessaly::bench::threadCpuSeconds;
using tessaly::bench::timed;

using namespace tessaly::skin;

constexpr int width = 1920;
constexpr int height = 1080;
constexpr std::size_t bytes = std::size_t(width) * height * 4;

// The baseline: copying the output's bytes between two buffers.
class Baseline {
public:
    Baseline() : m_from(bytes / 4, 0x12345678u), m_to(bytes / 4, 0) {}

    double seconds()
    {
        const double start = threadCpuSeconds();
        std::memcpy(m_to.data(), m_from.data(), bytes);
        benchmark::DoNotOptimize(m_to.data());
        benchmark::ClobberMemory();
        return threadCpuSeconds() - start;
    }

private:
    std::vector<uint32_t> m_from, m_to;
};

Picture randomPicture(int w, int h, bool partialAlpha)
{
    Picture p(w, h);
    std::mt19937 random(3);
    for (uint32_t& pixel : p.pixels()) {
        pixel = random();
        if (!partialAlpha)
            pixel |= 0xFF000000u;
    }
    return p;
}

// A 200 × 150 skin with 30-pixel corners and a 140 × 90 client piece.
struct Skin {
    Picture picture = randomPicture(200, 150, false);
    Rect skinRect{0, 0, 200, 150};
    NineGeometry cut{{30, 30}, {170, 30}, {30, 120}, {170, 120}, {30, 30, 170, 120}};
    NineGeometry target{{30, 30},
                        {width - 30, 30},
                        {30, height - 30},
                        {width - 30, height - 30},
                        {30, 30, width - 30, height - 30}};
};

void compose(benchmark::State& state, bool stretched)
{
    const Skin skin;
    Bitmap dest(width, height);
    Baseline baseline;
    double work = 0, base = 0;
    for (auto _ : state) {
        work += timed([&] {
            composeSkinImage(dest, pixelView(skin.picture), skin.skinRect, skin.cut, skin.target, width, height,
                             true, EdgeStretch{stretched, stretched, stretched, stretched}, stretched,
                             StretchType::Full);
        });
        base += baseline.seconds();
    }
    state.counters["vs_memcpy"] = work / base;
}

void BM_ComposeTiled(benchmark::State& state) { compose(state, false); }
void BM_ComposeStretched(benchmark::State& state) { compose(state, true); }

void BM_AlphaBlend(benchmark::State& state)
{
    Bitmap source;
    source.assign(pixelView(randomPicture(width, height, true)));
    source.setAlphaBlend(true);
    Bitmap dest;
    dest.assign(pixelView(randomPicture(width, height, false)));
    Baseline baseline;
    double work = 0, base = 0;
    for (auto _ : state) {
        work += timed([&] { source.draw(dest, 0, 0); });
        base += baseline.seconds();
    }
    state.counters["vs_memcpy"] = work / base;
}

void BM_StackBlur(benchmark::State& state)
{
    Bitmap image;
    image.assign(pixelView(randomPicture(width, height, false)));
    Baseline baseline;
    double small = 0, large = 0, base = 0;
    for (auto _ : state) {
        small += timed([&] { stackBlur(image, 3); });
        large += timed([&] { stackBlur(image, 20); });
        base += baseline.seconds();
    }
    state.counters["r3_vs_memcpy"] = small / base;
    state.counters["r20_vs_memcpy"] = large / base;
    state.counters["r20_vs_r3"] = large / small;
}

// The same with the plain variant of the pixel kernels, the one processors
// without AVX2 run.
class PlainKernels {
public:
    PlainKernels() : m_kept(chosenInstructionSet()) { useInstructionSet(InstructionSet::Plain); }
    ~PlainKernels() { useInstructionSet(m_kept); }

private:
    InstructionSet m_kept;
};

void BM_AlphaBlendPlain(benchmark::State& state)
{
    const PlainKernels plain;
    BM_AlphaBlend(state);
}

void BM_StackBlurPlain(benchmark::State& state)
{
    const PlainKernels plain;
    BM_StackBlur(state);
}

BENCHMARK(BM_ComposeTiled)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_ComposeStretched)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_AlphaBlend)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_StackBlur)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_AlphaBlendPlain)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_StackBlurPlain)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace

BENCHMARK_MAIN();
