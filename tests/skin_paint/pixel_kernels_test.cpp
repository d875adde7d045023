// The instruction-set variants of the pixel kernels against each other.
// Every kernel test also runs a second time with the plain variant forced
// (plain_kernels_main.cpp), so the code that processors without AVX2 run
// is tested on every machine.

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "skin/paint/bitmap.h"
#include "skin/paint/effect_bmp.h"
#include "skin/paint/pixel_kernels.h"
#include "skin/paint/stack_blur.h"

namespace tessaly::skin {
namespace {

// Puts the set in use back as it was.
class KeptInstructionSet {
public:
    KeptInstructionSet() : m_set(chosenInstructionSet()) {}
    ~KeptInstructionSet() { useInstructionSet(m_set); }

private:
    InstructionSet m_set;
};

std::vector<InstructionSet> availableSets()
{
    std::vector<InstructionSet> sets;
    for (InstructionSet set : {InstructionSet::Plain, InstructionSet::Avx2})
        if (processorHas(set))
            sets.push_back(set);
    return sets;
}

// Random pixels with a share of wholly opaque and wholly transparent ones,
// the two cases the blend takes apart.
std::vector<uint32_t> randomPixels(std::mt19937& random, std::size_t count)
{
    std::vector<uint32_t> pixels(count);
    for (std::size_t i = 0; i < count; ++i) {
        pixels[i] = random();
        if (i % 5 == 0)
            pixels[i] |= 0xFF000000u;
        if (i % 7 == 0)
            pixels[i] &= 0x00FFFFFFu;
    }
    return pixels;
}

Bitmap randomBitmap(std::mt19937& random, int width, int height)
{
    Bitmap b(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            b.rowPointer(y)[x] = random();
    return b;
}

std::vector<uint32_t> pixelsOf(const Bitmap& b)
{
    std::vector<uint32_t> out;
    for (int y = 0; y < b.height(); ++y)
        out.insert(out.end(), b.rowPointer(y), b.rowPointer(y) + b.width());
    return out;
}

TEST(PixelKernels, PlainVariantCanAlwaysBeChosen)
{
    KeptInstructionSet kept;
    EXPECT_TRUE(processorHas(InstructionSet::Plain));
    EXPECT_EQ(useInstructionSet(InstructionSet::Plain), InstructionSet::Plain);
    EXPECT_EQ(chosenInstructionSet(), InstructionSet::Plain);
    // A set the processor lacks falls back to the plain variant.
    const InstructionSet wide = useInstructionSet(InstructionSet::Avx2);
    EXPECT_EQ(wide, processorHas(InstructionSet::Avx2) ? InstructionSet::Avx2 : InstructionSet::Plain);
    EXPECT_EQ(chosenInstructionSet(), wide);
}

// Each variant's output for the same inputs: rows of every length around
// the vector widths (and one pixel off their alignment), blurs of sizes with
// odd row counts and radii beyond the size, cross-fades with tails.
std::vector<std::vector<uint32_t>> outputsOf(InstructionSet set)
{
    useInstructionSet(set);
    std::mt19937 random(11);
    std::vector<std::vector<uint32_t>> outputs;
    for (int count = 0; count <= 40; ++count) {
        std::vector<uint32_t> target = randomPixels(random, std::size_t(count) + 1);
        const std::vector<uint32_t> source = randomPixels(random, std::size_t(count) + 1);
        blendRow(target.data() + 1, source.data(), count);
        outputs.push_back(target);
    }
    struct BlurCase {
        int width, height, radius;
    };
    for (const BlurCase& c : {BlurCase{1, 1, 3}, BlurCase{5, 3, 1}, BlurCase{17, 9, 4}, BlurCase{33, 7, 40},
                              BlurCase{64, 65, 20}}) {
        Bitmap b = randomBitmap(random, c.width, c.height);
        stackBlur(b, c.radius);
        outputs.push_back(pixelsOf(b));
    }
    for (int width : {1, 7, 11, 40}) {
        const Bitmap from = randomBitmap(random, width, 3), to = randomBitmap(random, width, 3);
        EffectBmp image(from.view());
        const EffectBmp target(to.view());
        image.morph(target, 0.37);
        image.changeBrightness(0.2);
        image.morphHGrad(target, 0.6);
        Bitmap out(width, 3);
        image.draw(out.surface(), 0, 0);
        outputs.push_back(pixelsOf(out));
    }
    return outputs;
}

TEST(PixelKernels, EveryVariantGivesTheSameResults)
{
    KeptInstructionSet kept;
    const std::vector<InstructionSet> sets = availableSets();
    if (sets.size() < 2)
        GTEST_SKIP() << "this processor runs only the plain variant";
    const auto plain = outputsOf(InstructionSet::Plain);
    for (std::size_t k = 1; k < sets.size(); ++k) {
        const auto other = outputsOf(sets[k]);
        ASSERT_EQ(other.size(), plain.size());
        for (std::size_t i = 0; i < plain.size(); ++i)
            EXPECT_EQ(other[i], plain[i]) << "output " << i << " of variant " << int(sets[k]);
    }
}

// The helpers that use what the processor has give what their portable
// forms give, which builds on other processors use.
TEST(PixelKernels, ProcessorHelpersMatchTheirPortableForms)
{
    using Words = lanes::Lanes<int16_t, 8>;
    std::mt19937 random(5);
    for (int round = 0; round < 2000; ++round) {
        Words x, y;
        for (int k = 0; k < 8; ++k) {
            // Differences of bytes times 128 and weights 0 … 256, as the
            // mixing uses them, and any values besides.
            x[k] = round % 2 ? int16_t((int(random() % 511) - 255) * 128) : int16_t(random());
            y[k] = round % 2 ? int16_t(random() % 257) : int16_t(random());
        }
        const Words fast = lanes::mulhrs(x, y), portable = lanes::mulhrsPortable(x, y);
        for (int k = 0; k < 8; ++k) {
            ASSERT_EQ(fast[k], portable[k]) << x[k] << " * " << y[k];
            ASSERT_EQ(portable[k], lanes::mulhrsPortable<int16_t>(x[k], y[k]));
        }
    }
    Words low, high;
    for (int k = 0; k < 8; ++k) {
        low[k] = int16_t(random() % 256);
        high[k] = int16_t(random() % 256);
    }
    const auto packed = lanes::narrow(low, high), picked = lanes::narrowPortable(low, high);
    for (int k = 0; k < 16; ++k)
        EXPECT_EQ(packed[k], picked[k]);
    for (int round = 0; round < 100; ++round) {
        const uint32_t pixel = random();
        const auto four = lanes::widenPixel(pixel);
        EXPECT_EQ(four[0], pixel & 0xFF);
        EXPECT_EQ(four[3], pixel >> 24);
        EXPECT_EQ(lanes::narrowPixel(four), pixel);
    }
}

#if TESSALY_AVX2_VARIANT
// The 32-byte forms, compiled for AVX2 and run only where it is present.
__attribute__((target("avx2"))) bool wideHelpersMatch(std::mt19937& random)
{
    using Words = lanes::Lanes<int16_t, 16>;
    Words x, y, low, high;
    for (int k = 0; k < 16; ++k) {
        x[k] = int16_t(random());
        y[k] = int16_t(random() % 257);
        low[k] = int16_t(random() % 256);
        high[k] = int16_t(random() % 256);
    }
    const Words fast = lanes::mulhrs(x, y), portable = lanes::mulhrsPortable(x, y);
    const auto packed = lanes::narrow(low, high), picked = lanes::narrowPortable(low, high);
    bool same = true;
    for (int k = 0; k < 16; ++k)
        same = same && fast[k] == portable[k];
    for (int k = 0; k < 32; ++k)
        same = same && packed[k] == picked[k];
    return same;
}

TEST(PixelKernels, WideHelpersMatchTheirPortableForms)
{
    if (!processorHas(InstructionSet::Avx2))
        GTEST_SKIP() << "no AVX2 on this processor";
    std::mt19937 random(9);
    for (int round = 0; round < 2000; ++round)
        ASSERT_TRUE(wideHelpersMatch(random)) << "round " << round;
}
#endif

} // namespace
} // namespace tessaly::skin
