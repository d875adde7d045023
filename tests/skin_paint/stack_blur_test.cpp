#include "skin/paint/stack_blur.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "paint_test_util.h"

namespace tessaly::skin {
namespace {

// A direct triangle-weighted blur, one pass along rows then along columns,
// with edge pixels repeated and every pass rounded down: the slow
// definition the running sums must reproduce.
Bitmap referenceBlur(const Bitmap& input, int radius)
{
    Bitmap b = input;
    const int r = std::min(radius, 254), w = b.width(), h = b.height();
    const int divisor = (r + 1) * (r + 1);
    auto pass = [&](bool horizontal) {
        Bitmap out = b;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                uint32_t result = 0;
                for (int shift = 0; shift < 24; shift += 8) {
                    long sum = 0;
                    for (int k = -r; k <= r; ++k) {
                        const int sx = horizontal ? std::clamp(x + k, 0, w - 1) : x;
                        const int sy = horizontal ? y : std::clamp(y + k, 0, h - 1);
                        sum += long(r + 1 - std::abs(k)) * ((b.getPixel(sx, sy) >> shift) & 0xFF);
                    }
                    result |= uint32_t(sum / divisor) << shift;
                }
                out.setPixel(x, y, result | 0xFF000000u);
            }
        b = out;
    };
    pass(true);
    pass(false);
    return b;
}

TEST(StackBlur, SinglePixelSpreadsIntoATriangle)
{
    Bitmap b(5, 5);
    b.setPixel(2, 2, 0xFFFFFFFFu);
    stackBlur(b, 1);
    // Rows: 255 × (1, 2, 1) / 4 = 63, 127, 63; then columns the same way.
    const int expected[5][5] = {
        {0, 0, 0, 0, 0}, {0, 15, 31, 15, 0}, {0, 31, 63, 31, 0}, {0, 15, 31, 15, 0}, {0, 0, 0, 0, 0}};
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 5; ++x) {
            const uint32_t p = b.getPixel(x, y);
            EXPECT_EQ(int(p & 0xFF), expected[y][x]) << x << "," << y;
            EXPECT_EQ(p >> 24, 255u); // opaque everywhere
            EXPECT_EQ((p >> 8) & 0xFF, p & 0xFF);
        }
}

TEST(StackBlur, RunningSumsMatchTheDirectDefinition)
{
    std::mt19937 random(11);
    struct Case {
        int w, h, radius;
    };
    const Case cases[] = {{1, 1, 3}, {2, 3, 1}, {5, 1, 2}, {1, 6, 4}, {17, 9, 3}, {40, 30, 20}, {9, 7, 300}, {33, 5, 1}};
    for (const Case& c : cases) {
        Bitmap b(c.w, c.h);
        for (int y = 0; y < c.h; ++y)
            for (int x = 0; x < c.w; ++x)
                b.setPixel(x, y, random());
        const Bitmap expected = referenceBlur(b, c.radius);
        stackBlur(b, c.radius);
        for (int y = 0; y < c.h; ++y)
            for (int x = 0; x < c.w; ++x)
                ASSERT_EQ(b.getPixel(x, y), expected.getPixel(x, y))
                    << c.w << "x" << c.h << " r" << c.radius << " at " << x << "," << y;
    }
}

TEST(StackBlur, NothingForRadiusZeroOrEmptyBitmaps)
{
    Bitmap b = test::bitmapOf(test::pictureOf({{0x12345678u, 0x00000000u}}));
    stackBlur(b, 0);
    stackBlur(b, -4);
    EXPECT_EQ(b.getPixel(0, 0), 0x12345678u);
    Bitmap empty;
    stackBlur(empty, 3);
    EXPECT_TRUE(empty.empty());
}

TEST(AlphaFromMask, AverageOfTheMaskChannels)
{
    Bitmap b = test::bitmapOf(test::pictureOf({{0xFF102030u, 0x00405060u, 0x80708090u}}));
    const Picture mask = test::pictureOf({{0x000A141Fu, 0x00FFFFFFu, 0xFF000000u}, {0, 0, 0}});
    alphaFromMask(b, pixelView(mask));
    EXPECT_EQ(b.getPixel(0, 0), 0x14102030u); // (10 + 20 + 31) / 3 = 20
    EXPECT_EQ(b.getPixel(1, 0), 0xFF405060u);
    EXPECT_EQ(b.getPixel(2, 0), 0x00708090u);

    const Picture small = test::pictureOf({{0x00FFFFFFu, 0x00FFFFFFu}});
    alphaFromMask(b, pixelView(small)); // narrower than the bitmap: nothing
    EXPECT_EQ(b.getPixel(0, 0), 0x14102030u);
}

} // namespace
} // namespace tessaly::skin
