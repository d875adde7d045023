#include "skin/paint/region.h"

#include <gtest/gtest.h>

#include "paint_test_util.h"

namespace tessaly::skin {
namespace {

using test::pictureOf;
using Rects = std::vector<Rect>;

constexpr uint32_t B = 0xFF000000u; // black: inside
constexpr uint32_t W = 0xFFFFFFFFu; // white: outside

TEST(MaskToRegion, OneRectanglePerBlackRunInScanOrder)
{
    const Picture mask = pictureOf({
        {B, B, W, B},
        {W, W, W, W},
        {0x00000000u, W, 0x7F000000u, 0x00000001u}, // alpha does not matter, blue does
    });
    const auto data = maskToRegion(pixelView(mask), 10, 20);
    ASSERT_TRUE(data);
    EXPECT_EQ(data->bound, (Rect{10, 20, 14, 23}));
    EXPECT_EQ(data->rects, (Rects{{10, 20, 12, 21}, {13, 20, 14, 21}, {10, 22, 11, 23}, {12, 22, 13, 23}}));
}

TEST(MaskToRegion, EmptyAndWhiteMasks)
{
    EXPECT_FALSE(maskToRegion(PixelView{}, 0, 0));
    const Picture white = pictureOf({{W, W}, {W, W}});
    const auto data = maskToRegion(pixelView(white), 0, 0);
    ASSERT_TRUE(data);
    EXPECT_TRUE(data->rects.empty());
}

TEST(Region, CanonicalBands)
{
    struct Case {
        Rects input;
        Rects expected;
    };
    const Case cases[] = {
        // Two overlapping rectangles become three bands.
        {{{0, 0, 4, 2}, {2, 1, 6, 3}}, {{0, 0, 4, 1}, {0, 1, 6, 2}, {2, 2, 6, 3}}},
        // Rows of a solid block merge into one rectangle; touching runs join.
        {{{0, 0, 2, 1}, {2, 0, 3, 1}, {0, 1, 3, 2}, {0, 2, 3, 3}}, {{0, 0, 3, 3}}},
        // A hole splits the band; empty rectangles are ignored.
        {{{0, 0, 1, 2}, {2, 0, 3, 2}, {5, 5, 5, 9}}, {{0, 0, 1, 2}, {2, 0, 3, 2}}},
        // Bands with a gap between them stay apart.
        {{{0, 0, 2, 1}, {0, 2, 2, 3}}, {{0, 0, 2, 1}, {0, 2, 2, 3}}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Region::fromRects(c.input).rects(), c.expected);
}

TEST(Region, UnionQueriesAndTranslation)
{
    Region a(Rect{0, 0, 2, 2});
    a.unite(Region(Rect{1, 1, 3, 3}));
    EXPECT_EQ(a.rects(), (Rects{{0, 0, 2, 1}, {0, 1, 3, 2}, {1, 2, 3, 3}}));
    EXPECT_EQ(a.boundingRect(), (Rect{0, 0, 3, 3}));
    EXPECT_TRUE(a.contains(2, 1));
    EXPECT_FALSE(a.contains(2, 0));
    EXPECT_FALSE(a.contains(0, 2));
    EXPECT_EQ(a.united(Region()), a);
    EXPECT_EQ(Region().united(a), a);
    a.translate(10, -1);
    EXPECT_EQ(a.rects().front(), (Rect{10, -1, 12, 0}));
    EXPECT_TRUE(Region(Rect{3, 3, 3, 5}).isEmpty());
}

TEST(CreateMaskRegion, BlackPixelsMerged)
{
    const Picture mask = pictureOf({{W, B, B}, {B, B, B}, {B, B, B}});
    const auto region = createMaskRegion(pixelView(mask));
    ASSERT_TRUE(region);
    EXPECT_EQ(region->rects(), (Rects{{1, 0, 3, 1}, {0, 1, 3, 3}}));
    EXPECT_FALSE(createMaskRegion(PixelView{}));
}

TEST(CreateSkinRegion, RoundedCornersAtTheNewSize)
{
    // A 6 × 6 mask whose two top corners are cut off; the window is 10 × 8.
    const Picture mask = pictureOf({
        {W, B, B, B, B, W},
        {B, B, B, B, B, B},
        {B, B, W, W, B, B},
        {B, B, W, W, B, B},
        {B, B, B, B, B, B},
        {B, B, B, B, B, B},
    });
    const NineGeometry cut{{2, 2}, {4, 2}, {2, 4}, {4, 4}, {1, 1, 5, 5}};
    const NineGeometry target{{2, 2}, {8, 2}, {2, 6}, {8, 6}, {1, 1, 9, 7}};
    const auto region = createSkinRegion(pixelView(mask), cut, target, 10, 8);
    ASSERT_TRUE(region);
    EXPECT_EQ(region->rects(), (Rects{{1, 0, 9, 1}, {0, 1, 10, 8}}));

    // Crossed cut points give no region at all.
    NineGeometry crossed = target;
    crossed.rt.x = 1;
    EXPECT_FALSE(createSkinRegion(pixelView(mask), cut, crossed, 10, 8));
}

TEST(CreateSkinRegion, WithoutClientOnlyTheStrips)
{
    const Picture mask = pictureOf({{W, B, W}, {B, B, B}, {W, B, W}});
    const NineGeometry cut{{1, 1}, {2, 1}, {1, 2}, {2, 2}, {1, 1, 2, 2}};
    const NineGeometry target{{1, 1}, {3, 1}, {1, 3}, {3, 3}, {1, 1, 1, 1}}; // empty client
    const auto region = createSkinRegion(pixelView(mask), cut, target, 4, 4);
    ASSERT_TRUE(region);
    // Top strip (row 0) and bottom strip (row 1, at the client's bottom):
    // W B B W each, the 1-pixel middle tiled from column 1 to 3.
    EXPECT_EQ(region->rects(), (Rects{{1, 0, 3, 2}}));
    EXPECT_FALSE(region->contains(0, 0));
}

} // namespace
} // namespace tessaly::skin
