#include "skin/paint/bitmap.h"

#include <gtest/gtest.h>

#include <random>
#include <type_traits>

#include "paint_test_util.h"
#include "platform/error.h"

namespace tessaly::skin {
namespace {

using test::numbered;
using test::pictureOf;
using test::sourceColumns;
using test::sourceRows;

Rect rect(int l, int t, int r, int b) { return Rect{l, t, r, b}; }

TEST(BlendPixel, FollowsTheByteFormula)
{
    struct Case {
        uint32_t target, source, expected;
    };
    const Case cases[] = {
        // White at alpha 128 over opaque black: colour (128 × 255) div 256 = 127,
        // alpha (256 × 255 + 128 × (128 − 255)) div 256 = 191.
        {0xFF000000u, 0x80FFFFFFu, 0xBF7F7F7Fu},
        {0x12345678u, 0x00FFFFFFu, 0x12345678u}, // alpha 0 keeps the target
        {0x12345678u, 0xFF010203u, 0xFF010203u}, // alpha 255 replaces it
        // alpha 1 over white: 255 − (254 div 256) rounds down to 254 for
        // every colour byte (256 × 255 + 1 × (0 − 255)) div 256 = 254.
        {0xFFFFFFFFu, 0x01000000u, 0xFEFEFEFEu},
        // alpha 254, 200 over 10: (10 × 2 + 200 × 254) div 256 = 198.
        {0xFF0A0A0Au, 0xFEC8C8C8u, 0xFEC6C6C6u},
    };
    for (const Case& c : cases)
        EXPECT_EQ(blendPixel(c.target, c.source), c.expected) << std::hex << c.target << " " << c.source;
}

TEST(BlendRow, PackedFormMatchesTheFormulaForEveryLength)
{
    std::mt19937 random(7);
    for (int count : {0, 1, 3, 4, 5, 8, 17, 64, 67}) {
        std::vector<uint32_t> target(std::size_t(count) + 1), source(std::size_t(count) + 1);
        for (std::size_t i = 0; i < target.size(); ++i) {
            target[i] = random();
            source[i] = random();
            if (i % 5 == 0)
                source[i] |= 0xFF000000u;
            if (i % 7 == 0)
                source[i] &= 0x00FFFFFFu;
        }
        std::vector<uint32_t> expected = target;
        for (int i = 0; i < count; ++i)
            expected[std::size_t(i)] = blendPixel(target[std::size_t(i)], source[std::size_t(i)]);
        blendRow(target.data(), source.data(), count);
        EXPECT_EQ(target, expected) << "count " << count; // includes the untouched guard pixel
    }
}

TEST(Bitmap, SizesFollowTheSetSizeRules)
{
    Bitmap b;
    EXPECT_TRUE(b.empty());
    b.setSize(-3, 2);
    EXPECT_EQ(b.width(), 3);
    EXPECT_EQ(b.height(), 2);
    EXPECT_EQ(b.getPixel(2, 1), 0u); // a new store is zeroed
    b.setPixel(1, 1, 0x11223344u);
    b.setSize(3, 2); // the current size: pixels kept
    EXPECT_EQ(b.getPixel(1, 1), 0x11223344u);
    b.setSize(0, 5); // a zero size changes nothing
    EXPECT_EQ(b.width(), 3);
    b.setSize(4, 2); // a new size: a new zeroed store
    EXPECT_EQ(b.getPixel(1, 1), 0u);
    EXPECT_THROW(b.setSize(1 << 16, 1 << 16), Error);
    EXPECT_TRUE(b.empty());
}

TEST(Bitmap, MovedFromIsEmptyAndUsable)
{
    Bitmap a(3, 2);
    a.setPixel(2, 1, 0xFF010203u);
    Bitmap b(std::move(a));
    EXPECT_EQ(b.getPixel(2, 1), 0xFF010203u);
    EXPECT_TRUE(a.empty()); // NOLINT(bugprone-use-after-move): the moved-from state is defined
    EXPECT_EQ(a.width(), 0);
    a.setSize(3, 2);
    EXPECT_EQ(a.getPixel(2, 1), 0u);
    EXPECT_FALSE(a.empty());
}

TEST(Bitmap, PixelAccessOutsideIsIgnored)
{
    Bitmap b(3, 2);
    for (auto [x, y] : {std::pair{3, 0}, {-1, 0}, {0, 2}, {0, -1}}) {
        b.setPixel(x, y, 0xFFFFFFFFu);
        EXPECT_EQ(b.getPixel(x, y), 0u);
    }
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(b.getPixel(x, y), 0u);
    EXPECT_EQ(Bitmap().getPixel(0, 0), 0u);
}

TEST(Bitmap, AlphaChecks)
{
    Bitmap b = test::bitmapOf(pictureOf({{0xFF102030u, 0x00405060u}}));
    EXPECT_FALSE(b.alphaBlend()); // only 0 and 255
    b.setPixel(1, 0, 0x80405060u);
    b.checkingAlphaBlend();
    EXPECT_TRUE(b.alphaBlend());

    b.checkRGBA();
    EXPECT_EQ(b.getPixel(0, 0), 0xFF102030u);
    EXPECT_EQ(b.getPixel(1, 0), 0x80405060u);
    b.setPixel(1, 0, 0x30405020u);
    b.checkRGBA();
    EXPECT_EQ(b.getPixel(1, 0), 0x30303020u);

    b.setAlpha(7);
    EXPECT_EQ(b.getPixel(0, 0), 0x07102030u);
    b.checkingAlphaBlend();
    EXPECT_TRUE(b.alphaBlend());
}

TEST(Bitmap, CheckingTransparentMatchesWithinFive)
{
    // Colour (100, 50, 200): each channel must differ by less than 6.
    Bitmap b = test::bitmapOf(pictureOf({{0xFF6432C8u, 0xFF6937CDu, 0xFF6A32C8u, 0xFF5F2DC3u}}));
    b.checkingTransparent(0xFF6432C8u);
    EXPECT_TRUE(b.transparent());
    EXPECT_EQ(b.getPixel(0, 0), keyColor);
    EXPECT_EQ(b.getPixel(1, 0), keyColor);    // +5 everywhere
    EXPECT_EQ(b.getPixel(2, 0), 0xFF6A32C8u); // red +6
    EXPECT_EQ(b.getPixel(3, 0), keyColor);    // −5 everywhere
    b.checkingTransparent(0xFF000000u);
    EXPECT_FALSE(b.transparent());
}

TEST(Bitmap, FillRectClipsAndBlends)
{
    Bitmap b(3, 3);
    b.fillRect(rect(-5, 1, 2, 10), 0xFF0000FFu);
    EXPECT_EQ(sourceColumns(b, 0), (std::vector<int>{-1, -1, -1}));
    EXPECT_EQ(b.getPixel(0, 1), 0xFF0000FFu);
    EXPECT_EQ(b.getPixel(1, 2), 0xFF0000FFu);
    EXPECT_EQ(b.getPixel(2, 2), 0u);

    b.setAlphaBlend(true);
    b.fillRect(rect(0, 1, 1, 2), 0x80FFFFFFu);
    EXPECT_EQ(b.getPixel(0, 1), blendPixel(0xFF0000FFu, 0x80FFFFFFu));
}

TEST(Bitmap, DrawSameSizeClipsToTheTarget)
{
    const Picture picture = numbered(3, 2);
    Bitmap source = test::bitmapOf(picture);
    Bitmap target(4, 3);
    source.draw(target, -1, 2);
    EXPECT_EQ(sourceColumns(target, 2), (std::vector<int>{1, 2, -1, -1}));
    EXPECT_EQ(sourceColumns(target, 1), (std::vector<int>{-1, -1, -1, -1}));
    // A source rectangle outside the source draws nothing.
    Bitmap untouched(4, 3);
    source.draw(untouched, rect(0, 0, 4, 3), rect(0, 0, 4, 2));
    EXPECT_EQ(untouched.getPixel(0, 0), 0u);
}

TEST(Bitmap, ScaledDrawMapsCornersToCorners)
{
    Bitmap source = test::bitmapOf(numbered(4, 3));
    struct Case {
        Rect src, dst;
        std::vector<int> columns; // of destination row 0
        std::vector<int> rows;    // of destination column 0
    };
    const Case cases[] = {
        // 3 columns over 5: x × 2 div 4.
        {rect(0, 0, 3, 3), rect(0, 0, 5, 3), {0, 0, 1, 1, 2}, {0, 1, 2}},
        // 4 columns over 2: x × 3 div 1; 3 rows over 6: y × 2 div 5.
        {rect(0, 0, 4, 3), rect(0, 0, 2, 6), {0, 3}, {0, 0, 0, 1, 1, 2}},
        // One destination column: the middle one, (left + right − 1) div 2.
        {rect(1, 0, 4, 3), rect(0, 0, 1, 3), {2}, {0, 1, 2}},
    };
    for (const Case& c : cases) {
        Bitmap target(c.dst.right, c.dst.bottom);
        source.draw(target, c.dst, c.src);
        EXPECT_EQ(sourceColumns(target, 0), c.columns);
        EXPECT_EQ(sourceRows(target, 0), c.rows);
    }
    // Clipping keeps the mapping of the whole destination rectangle.
    Bitmap target(3, 1);
    source.draw(target, rect(-2, 0, 3, 1), rect(0, 0, 3, 1));
    EXPECT_EQ(sourceColumns(target, 0), (std::vector<int>{1, 1, 2}));
}

TEST(Bitmap, DrawModes)
{
    const Picture picture = pictureOf({{keyColor, 0x00102030u, 0x80FFFFFFu}});
    Bitmap source = test::bitmapOf(picture);
    auto drawOnto = [&](bool transparent, bool blend) {
        Bitmap target = test::bitmapOf(pictureOf({{0xFF000000u, 0xFF000000u, 0xFF000000u}}));
        source.setTransparent(transparent);
        source.setAlphaBlend(blend);
        source.draw(target, 0, 0);
        return std::vector<uint32_t>{target.getPixel(0, 0), target.getPixel(1, 0), target.getPixel(2, 0)};
    };
    EXPECT_EQ(drawOnto(false, false), (std::vector<uint32_t>{keyColor, 0x00102030u, 0x80FFFFFFu}));
    EXPECT_EQ(drawOnto(true, false), (std::vector<uint32_t>{0xFF000000u, 0xFF102030u, 0xFFFFFFFFu}));
    EXPECT_EQ(drawOnto(false, true), (std::vector<uint32_t>{0xFF000000u, 0xFF000000u, 0xBF7F7F7Fu}));

    // Scaled blends reuse the resampled source row, not the blended row above.
    Bitmap half = test::bitmapOf(pictureOf({{0x80FFFFFFu}}));
    Bitmap target = test::bitmapOf(pictureOf({{0xFF000000u}, {0xFFFFFFFFu}}));
    half.draw(target, rect(0, 0, 1, 2));
    EXPECT_EQ(target.getPixel(0, 0), 0xBF7F7F7Fu);
    EXPECT_EQ(target.getPixel(0, 1), 0xBFFFFFFFu);
}

TEST(Bitmap, AssignCopiesPixelsNameAndFlags)
{
    Bitmap a = test::bitmapOf(numbered(2, 2));
    a.setName("glyph");
    a.setTransparent(true);
    Bitmap b;
    b.assign(a);
    EXPECT_EQ(b.name(), "glyph");
    EXPECT_TRUE(b.transparent());
    EXPECT_EQ(b.getPixel(1, 1), a.getPixel(1, 1));
    b.assign(Bitmap());
    EXPECT_TRUE(b.empty());

    Bitmap c;
    a.setTransparent(false);
    a.assignTo(c);
    EXPECT_EQ(c.width(), 2);
    EXPECT_EQ(c.getPixel(1, 0), a.getPixel(1, 0));
}

TEST(Bitmap, DrawGraphicSkipsMagenta)
{
    const Picture graphic = pictureOf({{0xFFFF00FFu, 0xFF010203u}});
    Bitmap b = test::bitmapOf(pictureOf({{0xFF777777u, 0xFF777777u, 0xFF777777u, 0xFF777777u}}));
    b.drawGraphic(pixelView(graphic), rect(0, 0, 4, 1));
    EXPECT_EQ(b.getPixel(0, 0), 0xFF777777u);
    EXPECT_EQ(b.getPixel(1, 0), 0xFF777777u);
    EXPECT_EQ(b.getPixel(2, 0), 0xFF010203u);
    EXPECT_EQ(b.getPixel(3, 0), 0xFF010203u);
}

} // namespace
} // namespace tessaly::skin

namespace tessaly::skin {
namespace {

TEST(ColorFromValue, SwapsRedAndBlueAndResolvesSystemColours)
{
    EXPECT_EQ(colorFromValue(Color(0x00C80000u)), 0xFF0000C8u);         // blue 200
    EXPECT_EQ(colorFromValue(Color(0x00123456u)), 0xFF563412u);
    EXPECT_EQ(colorFromValue(Color(0xFF00000Fu)), 0xFFD4D0C8u);         // button face, not red 15
    EXPECT_EQ(colorFromValue(systemColorValue(SystemColor::Highlight)), 0xFF0A246Au);
    static_assert(!std::is_convertible_v<PixelColor, Color> && !std::is_convertible_v<Color, PixelColor>);
}

} // namespace
} // namespace tessaly::skin
