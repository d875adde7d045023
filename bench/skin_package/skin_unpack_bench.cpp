// Unpacking a stored skin (inflating its stream and decoding every bitmap to
// 32-bit pixels) against zlib's plain inflate of the same stream into a
// ready buffer, side by side; prints unpack time / inflate time.
#include "skin/data/compressed_stored_skin.h"
#include "skin/data/skin_package.h"

#include <benchmark/benchmark.h>
#include <zlib.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <string>

using namespace tessaly::skin;

namespace {

// Skin-like art: smooth shading with bevels and a little grain, so that it
// deflates about as well as real skin bitmaps do.
Picture makeArt(int width, int height, unsigned seed)
{
    Picture picture(width, height);
    unsigned state = seed * 2654435761u + 1;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            state = state * 1103515245u + 12345u;
            const int grain = int((state >> 16) & 3);
            const bool edge = x < 2 || y < 2 || x >= width - 2 || y >= height - 2;
            const int base = edge ? 60 : 150 + (y * 60) / height - (x * 20) / std::max(1, width);
            const int r = std::clamp(base + grain, 0, 255);
            const int g = std::clamp(base + 6 + grain, 0, 255);
            const int b = std::clamp(base + 14 + grain, 0, 255);
            picture.setPixel(x, y, 0xFF000000u | std::uint32_t(r << 16) | std::uint32_t(g << 8) | std::uint32_t(b));
        }
    }
    return picture;
}

DibBitmap makeBitmap(int width, int height, int bitsPerPixel, unsigned seed)
{
    DibFormat format;
    format.bitsPerPixel = bitsPerPixel;
    Picture picture = makeArt(width, height, seed);
    if (bitsPerPixel <= 8) {
        // Reduce to the colours the depth can hold.
        const int levels = bitsPerPixel == 8 ? 6 : 2;
        for (std::uint32_t& p : picture.pixels()) {
            std::uint32_t q = 0xFF000000u;
            for (int shift : {16, 8, 0}) {
                const int v = int((p >> shift) & 0xFF) * (levels - 1) / 255;
                q |= std::uint32_t(v * 255 / (levels - 1)) << shift;
            }
            p = q;
        }
    }
    return DibBitmap(std::move(picture), format);
}

// About the size of a real stored skin: a 1.2 MB package of 15 bitmaps of
// mixed depths and a 50 KB description.
const CompressedStoredSkin& storedSkin()
{
    static const CompressedStoredSkin skin = [] {
        SkinPackage package;
        package.picture = makeBitmap(292, 165, 24, 1);
        package.mask = makeBitmap(292, 165, 4, 2);
        const struct {
            int w, h, bpp;
        } active[] = {{77, 172, 24}, {27, 17, 24}, {46, 42, 8},  {38, 118, 24}, {535, 583, 24}, {69, 23, 8},  {97, 49, 24},
                      {97, 49, 24},  {64, 63, 32}, {64, 63, 32}, {34, 39, 16},  {34, 39, 16},  {120, 80, 24}};
        unsigned seed = 3;
        for (const auto& a : active)
            package.activePictures.push_back(makeBitmap(a.w, a.h, a.bpp, seed++));
        std::string text;
        for (int i = 0; text.size() < 50000; ++i)
            text += "[object" + std::to_string(i) + "]\r\nskinrect=" + std::to_string(i) + ",10,60,40\r\npictureindex=4\r\n\r\n";
        package.description = text;
        CompressedStoredSkin stored;
        stored.storePackage(package);
        return stored;
    }();
    return skin;
}

std::size_t packageSize()
{
    static const std::size_t size = storedSkin().deCompress().size();
    return size;
}

void UnpackStoredSkin(benchmark::State& state)
{
    const CompressedStoredSkin& skin = storedSkin();
    for (auto _ : state) {
        SkinPackage package;
        skin.readPackage(package);
        benchmark::DoNotOptimize(package.activePictures.back().picture().pixels().data());
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(packageSize()));
}

void PlainInflate(benchmark::State& state)
{
    const auto& stream = storedSkin().compressedStream();
    std::vector<std::uint8_t> buffer(packageSize());
    for (auto _ : state) {
        uLongf length = uLongf(buffer.size());
        if (uncompress(buffer.data(), &length, stream.data(), uLong(stream.size())) != Z_OK)
            state.SkipWithError("inflate failed");
        benchmark::DoNotOptimize(buffer.data());
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(packageSize()));
}

void InflateOnly(benchmark::State& state)
{
    for (auto _ : state) {
        auto bytes = storedSkin().deCompress();
        benchmark::DoNotOptimize(bytes.data());
    }
}
void ReadOnly(benchmark::State& state)
{
    const auto bytes = storedSkin().deCompress();
    for (auto _ : state) {
        SkinPackage package;
        readSkinPackage(bytes, package);
        benchmark::DoNotOptimize(package.activePictures.back().picture().pixels().data());
    }
}
BENCHMARK(InflateOnly)->Unit(benchmark::kMicrosecond);
BENCHMARK(ReadOnly)->Unit(benchmark::kMicrosecond);
BENCHMARK(UnpackStoredSkin)->Unit(benchmark::kMicrosecond);
BENCHMARK(PlainInflate)->Unit(benchmark::kMicrosecond);

// Keeps each benchmark's time per iteration to print the ratio at the end.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        // CPU time: the work is single-threaded, and other processes on the
        // machine disturb it less than the wall clock. With repetitions, the
        // median counts.
        for (const Run& run : runs) {
            if (run.error_occurred)
                continue;
            if (run.run_type == Run::RT_Iteration || run.aggregate_name == "median")
                times[run.run_name.function_name] = run.GetAdjustedCPUTime();
        }
    }
    std::map<std::string, double> times;
};

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    std::printf("stored skin: %zu bytes of stream, %zu bytes of package\n", storedSkin().compressedStream().size() + 8,
                packageSize());
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    if (reporter.times.count("UnpackStoredSkin") && reporter.times.count("PlainInflate"))
        std::printf("ratio unpack / plain inflate: %.3f (goal: at most 1.3)\n",
                    reporter.times["UnpackStoredSkin"] / reporter.times["PlainInflate"]);
    benchmark::Shutdown();
    return 0;
}
