// Speed of the skin frame. GrowFrame repaints the whole frame (layout and
// composition of the window picture) while the window grows step by step
// from 589 x 376 to 1920 x 1080, measured side by side with memcpy of the
// window's pixels at each step; the last line prints the ratio (goal: at
// most 2). FadeTick counts the pixels one tick of a caption button's
// hover fade repaints (goal: only that button's rectangle). CaptionFrame
// plays the sampler skin's caption animation and measures one frame step
// against memcpy of the caption's pixels (goal: at most 2), counting the
// pixels each step repaints (goal: only the part of the caption where one
// frame differs from the one before, never more than the caption).

#include "common/thread_clock.h"
#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdio>
#include <cstdint>
#include <cstring>
#include <span>
#include <ctime>
#include <vector>

#include "platform/qt_frameless_window.h"
#include "skin/data/compressed_stored_skin.h"
#include "skin/data/skin_data.h"
#include "skin/embedded_pewter.h"
#include "skin/embedded_sampler.h"
#include "skin/frame/frame_painter.h"
#include "skin/frame/skin_frame.h"

namespace {

using tessaly::bench::threadCpuSeconds;

using namespace tessaly::skin;

SkinData& loadedOnce(SkinData& sd, bool& loaded, std::span<const std::uint8_t> bytes)
{
    if (!loaded) {
        CompressedStoredSkin stored;
        stored.loadFromCompressBytes(bytes);
        sd.loadCompressedStoredSkin(stored);
        loaded = true;
    }
    return sd;
}

SkinData& pewter()
{
    static SkinData sd;
    static bool loaded = false;
    return loadedOnce(sd, loaded, embedded_pewter());
}

SkinData& sampler()
{
    static SkinData sd;
    static bool loaded = false;
    return loadedOnce(sd, loaded, embedded_sampler());
}

constexpr int kSteps = 64;

struct Size {
    int w, h;
};

std::vector<Size> growingSizes()
{
    std::vector<Size> sizes;
    for (int i = 0; i <= kSteps; ++i)
        sizes.push_back({589 + (1920 - 589) * i / kSteps, 376 + (1080 - 376) * i / kSteps});
    return sizes;
}

double g_growRatio = 0;
double g_fadePixels = 0;
double g_buttonPixels = 0;
double g_frameRatio = 0;
double g_framePixels = 0;
double g_captionPixels = 0;

void GrowFrame(benchmark::State& state)
{
    SkinData& sd = pewter();
    // The objects of the main window, as its frame has them.
    tessaly::platform::FramelessWindow window;
    SkinFrame frame(&window);
    frame.setBorderIcons(BorderIcon::SystemMenu | BorderIcon::Minimize);
    frame.setSkinData(&sd);
    window.setWindowTitle(QStringLiteral("Tessaly 1.0"));
    const std::vector<FrameObjectInfo> infos = frame.captionButtons().infos();
    const auto geometry = FrameSkinGeometry::from(sd);
    FramePaintState paint;
    paint.title = window.windowTitle();
    paint.morphEnabled = true;

    const std::vector<Size> sizes = growingSizes();
    std::vector<uint32_t> from(std::size_t(1920) * 1080, 0x12345678u), to(from.size(), 0);
    Bitmap picture;
    double work = 0, base = 0;
    for (auto _ : state) {
        for (const Size& s : sizes) {
            double start = threadCpuSeconds();
            const FrameLayout layout = layoutFrame(geometry, pixelView(sd.mask().picture()), s.w, s.h, infos);
            composeFrame(picture, &sd, layout, frame.objects(), paint);
            benchmark::DoNotOptimize(picture.rowPointer(0));
            work += threadCpuSeconds() - start;

            start = threadCpuSeconds();
            std::memcpy(to.data(), from.data(), std::size_t(s.w) * s.h * 4);
            benchmark::DoNotOptimize(to.data());
            benchmark::ClobberMemory();
            base += threadCpuSeconds() - start;
        }
    }
    g_growRatio = work / base;
    state.counters["vs_memcpy"] = g_growRatio;
}

void FadeTick(benchmark::State& state)
{
    SkinData& sd = pewter();
    tessaly::platform::FramelessWindow window;
    window.setDesignClientSize(QSize(581, 343));
    SkinFrame frame(&window);
    frame.setBorderIcons(BorderIcon::SystemMenu | BorderIcon::Minimize);
    frame.setSkinData(&sd);
    const int close = frame.getIndex("closebutton");
    const Rect r = frame.layout().objectRects[std::size_t(close)];
    frame.frameImage();
    long long pixels = 0, ticks = 0;
    for (auto _ : state) {
        // Enter, fade in, leave, fade out: ten ticks, each counted.
        auto& button = const_cast<CaptionButton&>(frame.objects()[std::size_t(close)]);
        for (bool hot : {true, false}) {
            if (hot)
                button.enter(true);
            else
                button.leave(true);
            for (int i = 0; i < CrossFade::kSteps; ++i) {
                const long long before = frame.repaintedPixels();
                frame.morphTick();
                pixels += frame.repaintedPixels() - before;
                ++ticks;
            }
        }
    }
    g_fadePixels = double(pixels) / double(ticks);
    g_buttonPixels = double(r.width()) * r.height();
    state.counters["pixels_per_tick"] = g_fadePixels;
    state.counters["button_pixels"] = g_buttonPixels;
}

void CaptionFrame(benchmark::State& state)
{
    SkinData& sd = sampler();
    tessaly::platform::FramelessWindow window;
    window.setDesignClientSize(QSize(581, 343));
    window.setWindowTitle(QStringLiteral("Tessaly 1.0"));
    SkinFrame frame(&window);
    frame.setBorderIcons(BorderIcon::SystemMenu | BorderIcon::Minimize);
    frame.setSkinData(&sd);
    window.show();
    QApplication::setActiveWindow(&window);
    const int caption = frame.getIndex("caption");
    const Rect r = frame.layout().objectRects[std::size_t(caption)];
    const std::size_t bytes = std::size_t(r.width()) * r.height() * 4;
    std::vector<uint8_t> from(bytes, 0x5A), to(bytes, 0);
    auto& object = const_cast<CaptionButton&>(frame.objects()[std::size_t(caption)]);
    frame.frameImage();
    double work = 0, base = 0;
    long long pixels = 0, steps = 0;
    for (auto _ : state) {
        // One activation's animation, from its first frame to the active
        // picture, timed whole; then as many memcpy as it made steps.
        object.activate(true, true);
        const long long before = frame.repaintedPixels();
        int made = 0;
        double start = threadCpuSeconds();
        for (bool moving = true; moving;) {
            bool stepped = false;
            moving = object.animateTick(true, stepped);
            if (stepped) {
                frame.redrawObject(caption);
                ++made;
            }
        }
        work += threadCpuSeconds() - start;
        pixels += frame.repaintedPixels() - before;
        steps += made;
        start = threadCpuSeconds();
        for (int i = 0; i < made; ++i) {
            std::memcpy(to.data(), from.data(), bytes);
            benchmark::DoNotOptimize(to.data());
            benchmark::ClobberMemory();
        }
        base += threadCpuSeconds() - start;
    }
    g_frameRatio = work / base;
    g_framePixels = double(pixels) / double(steps);
    g_captionPixels = double(r.width()) * r.height();
    state.counters["vs_memcpy"] = g_frameRatio;
    state.counters["pixels_per_frame"] = g_framePixels;
}

BENCHMARK(GrowFrame)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(FadeTick)->Unit(benchmark::kMicrosecond);
BENCHMARK(CaptionFrame)->Unit(benchmark::kMicrosecond)->MinTime(1.0);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::printf("fade tick repaints %.0f pixels; the button is %.0f pixels\n", g_fadePixels, g_buttonPixels);
    std::printf("caption animation step repaints %.0f pixels on average; the caption is %.0f pixels\n", g_framePixels,
                g_captionPixels);
    std::printf("ratio caption animation step / memcpy of the caption: %.3f (goal: at most 2)\n", g_frameRatio);
    std::printf("ratio frame repaint while growing 589x376 -> 1920x1080 / memcpy of the window: %.3f (goal: at most 2)\n",
                g_growRatio);
    return 0;
}
