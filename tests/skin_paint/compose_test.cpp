#include "skin/paint/compose.h"

#include <gtest/gtest.h>

#include "paint_test_util.h"
#include "skin/paint/region.h"

namespace tessaly::skin {
namespace {

using test::numbered;
using test::sourceColumns;
using test::sourceRows;
using test::sourceX;
using test::sourceY;
using Columns = std::vector<int>;

// The 7 × 5 skin used below: cut points at columns 2 and 5, rows 2 and 3,
// client (1, 1, 6, 4); the top edge's middle piece is 3 pixels wide.
NineGeometry smallCut() { return {{2, 2}, {5, 2}, {2, 3}, {5, 3}, {1, 1, 6, 4}}; }

// The same geometry for a width × height image: corners keep their size.
NineGeometry scaled(const NineGeometry& g, int rw, int rh, int width, int height)
{
    const int dx = width - rw, dy = height - rh;
    return {g.lt,
            {g.rt.x + dx, g.rt.y},
            {g.lb.x, g.lb.y + dy},
            {g.rb.x + dx, g.rb.y + dy},
            {g.client.left, g.client.top, g.client.right + dx, g.client.bottom + dy}};
}

TEST(ComposeSkinImage, SameSizeReproducesTheSkinRectangle)
{
    const Picture picture = numbered(20, 16);
    const Rect r{3, 2, 15, 12};
    const NineGeometry g{{4, 3}, {8, 3}, {4, 7}, {8, 7}, {2, 2, 10, 8}};
    for (bool stretched : {false, true}) {
        Bitmap d;
        composeSkinImage(d, pixelView(picture), r, g, g, 12, 10, true,
                         EdgeStretch{stretched, stretched, stretched, stretched}, stretched, StretchType::Full);
        ASSERT_EQ(d.width(), 12);
        ASSERT_EQ(d.height(), 10);
        for (int y = 0; y < 10; ++y)
            for (int x = 0; x < 12; ++x)
                ASSERT_EQ(d.getPixel(x, y), picture.pixel(3 + x, 2 + y)) << x << "," << y;
    }
}

TEST(ComposeSkinImage, TopEdgeTiledOrStretched)
{
    const Picture picture = numbered(7, 5);
    const NineGeometry g = smallCut();
    struct Case {
        bool stretch;
        Columns row0;
    };
    const Case cases[] = {
        // Corners 0,1 and 5,6; the 3-pixel piece tiled over 7 columns: 3, 3, 1.
        {false, {0, 1, 2, 3, 4, 2, 3, 4, 2, 5, 6}},
        // Stretched 3 over 7: the source pixel under each destination centre.
        {true, {0, 1, 2, 2, 3, 3, 3, 4, 4, 5, 6}},
    };
    for (const Case& c : cases) {
        Bitmap d;
        composeSkinImage(d, pixelView(picture), Rect{0, 0, 7, 5}, g, scaled(g, 7, 5, 11, 5), 11, 5, false,
                         EdgeStretch{false, c.stretch, false, false}, false, StretchType::Full);
        EXPECT_EQ(sourceColumns(d, 0), c.row0);
    }
}

TEST(ComposeSkinImage, LeftEdgeTiledDownwards)
{
    const Picture picture = numbered(7, 5);
    const NineGeometry g = smallCut();
    Bitmap d;
    composeSkinImage(d, pixelView(picture), Rect{0, 0, 7, 5}, g, scaled(g, 7, 5, 7, 9), 7, 9, false, EdgeStretch{},
                     false, StretchType::Full);
    // Rows: top-left piece 0, upper end 1, the 1-row piece at row 2 over
    // rows 2 … 6, then the lower end's rows 3 and 4.
    EXPECT_EQ(sourceRows(d, 0), (Columns{0, 1, 2, 2, 2, 2, 2, 3, 4}));
}

TEST(ComposeSkinImage, RightCornerWinsWhenCornersOverlap)
{
    const Picture picture = numbered(7, 5);
    const NineGeometry g = smallCut();
    Bitmap d;
    composeSkinImage(d, pixelView(picture), Rect{0, 0, 7, 5}, g, scaled(g, 7, 5, 3, 5), 3, 5, false, EdgeStretch{},
                     false, StretchType::Full);
    // Top-left covers columns 0 … 2, top-right (drawn later) 1 … 3.
    EXPECT_EQ(sourceColumns(d, 0), (Columns{0, 5, 6}));
}

TEST(ComposeSkinImage, ClientLayouts)
{
    // A 4 × 4 skin whose client is the 2 × 2 piece at (1, 1); the image is
    // 7 × 6, so the client is 5 × 4.
    const Picture picture = numbered(4, 4);
    const NineGeometry g{{1, 1}, {3, 1}, {1, 3}, {3, 3}, {1, 1, 3, 3}};
    const NineGeometry t = scaled(g, 4, 4, 7, 6);
    struct Case {
        bool stretch;
        StretchType type;
        Columns columns; // of client row 1, client columns only
        Columns rows;    // of client column 1, client rows only
    };
    const Case cases[] = {
        {false, StretchType::Full, {1, 2, 1, 2, 1}, {1, 2, 1, 2}},
        {true, StretchType::Full, {1, 1, 2, 2, 2}, {1, 1, 2, 2}},
        {true, StretchType::Horz, {1, 2, 1, 2, 1}, {1, 1, 2, 2}},
        {true, StretchType::Vert, {1, 1, 2, 2, 2}, {1, 2, 1, 2}},
    };
    for (const Case& c : cases) {
        Bitmap d;
        composeSkinImage(d, pixelView(picture), Rect{0, 0, 4, 4}, g, t, 7, 6, true, EdgeStretch{}, c.stretch,
                         c.type);
        Columns columns = sourceColumns(d, 1);
        Columns rows = sourceRows(d, 1);
        EXPECT_EQ(Columns(columns.begin() + 1, columns.end() - 1), c.columns);
        EXPECT_EQ(Columns(rows.begin() + 1, rows.end() - 1), c.rows);
    }
}

TEST(ComposeSkinImage, SkinRectanglePartlyOutsideThePicture)
{
    // Only the pixels that exist are read; the rest stay unset.
    const Picture picture = numbered(4, 4);
    const NineGeometry g{{2, 2}, {4, 2}, {2, 4}, {4, 4}, {1, 1, 5, 5}};
    Bitmap d;
    composeSkinImage(d, pixelView(picture), Rect{2, 2, 8, 8}, g, g, 6, 6, true, EdgeStretch{}, false,
                     StretchType::Full);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 6; ++x) {
            const uint32_t p = d.getPixel(x, y);
            if (x < 2 && y < 2)
                EXPECT_EQ(p, picture.pixel(2 + x, 2 + y));
            else
                EXPECT_EQ(p, 0u) << x << "," << y;
        }
}

TEST(Composition, DegenerateInputDrawsLessButNeverFails)
{
    const Picture picture = numbered(6, 6);
    const Picture none;
    const NineGeometry g{{2, 2}, {4, 2}, {2, 4}, {4, 4}, {1, 1, 5, 5}};
    const NineGeometry wild{{-7, 9}, {40, -3}, {12, 80}, {-2, -9}, {-10, 30, 90, -4}};
    struct Case {
        const Picture* picture;
        Rect r;
        NineGeometry cut, target;
        int w, h;
    };
    const Case cases[] = {
        {&none, {0, 0, 6, 6}, g, g, 6, 6},
        {&picture, {0, 0, 6, 6}, g, g, 0, 6},
        {&picture, {0, 0, 6, 6}, g, g, -6, -6},
        {&picture, {0, 0, 6, 6}, wild, g, 6, 6},
        {&picture, {0, 0, 6, 6}, g, wild, 6, 6},
        {&picture, {-4, -4, 30, 30}, g, scaled(g, 6, 6, 40, 3), 40, 3},
        {&picture, {5, 5, 1, 1}, g, g, 6, 6},
        {&picture, {0, 0, 6, 6}, wild, wild, 1, 1},
    };
    for (const Case& c : cases) {
        const PixelView view = pixelView(*c.picture);
        for (bool stretched : {false, true}) {
            Bitmap d;
            composeSkinImage(d, view, c.r, c.cut, c.target, c.w, c.h, true,
                             EdgeStretch{stretched, stretched, stretched, stretched}, stretched, StretchType::Horz);
            EXPECT_EQ(d.width(), c.w > 0 && c.h > 0 ? c.w : 0);
            composeHorzSkinImage(c.cut.lt.x, c.cut.rt.x, d, view, c.r, c.w, c.h, stretched);
            composeVertSkinImage(c.cut.lt.y, c.cut.lb.y, d, view, c.r, c.w, c.h, stretched);
            composeSimpleSkinImage(d, view, c.r, true, c.cut.client);
            buildFrameStrips(view, c.r, c.cut, c.target, c.w, c.h,
                             EdgeStretch{stretched, stretched, stretched, stretched});
        }
        buildMaskStrips(view, c.cut, c.target, c.w);
        createSkinRegion(view, c.cut, c.target, c.w, c.h);
    }
}

TEST(ComposeHorzSkinImage, EndsAndTiledMiddle)
{
    const Picture picture = numbered(8, 3);
    struct Case {
        int width;
        bool stretch;
        Columns row0;
    };
    const Case cases[] = {
        // Source columns 1 … 6; left 2 columns, right 1, middle 3 … 5.
        {10, false, {1, 2, 3, 4, 5, 3, 4, 5, 3, 6}},
        {9, true, {1, 2, 3, 3, 4, 4, 5, 5, 6}},
        // Narrower than both ends: the right end is drawn over the left.
        {2, false, {1, 6}},
    };
    for (const Case& c : cases) {
        Bitmap d;
        composeHorzSkinImage(2, 1, d, pixelView(picture), Rect{1, 0, 7, 3}, c.width, 99, c.stretch);
        EXPECT_EQ(d.height(), 3); // the height asked for is not used
        EXPECT_EQ(sourceColumns(d, 0), c.row0);
    }
}

TEST(ComposeVertSkinImage, EndsAndTiledMiddle)
{
    const Picture picture = numbered(3, 8);
    Bitmap d;
    composeVertSkinImage(2, 1, d, pixelView(picture), Rect{0, 1, 3, 7}, 99, 10, false);
    EXPECT_EQ(d.width(), 3);
    EXPECT_EQ(sourceRows(d, 0), (Columns{1, 2, 3, 4, 5, 3, 4, 5, 3, 6}));
}

TEST(ComposeSimpleSkinImage, CutsAtTheClientCorners)
{
    const Picture picture = numbered(6, 6);
    Bitmap d(10, 8);
    composeSimpleSkinImage(d, pixelView(picture), Rect{0, 0, 6, 6}, true, Rect{2, 2, 4, 4});
    EXPECT_EQ(sourceColumns(d, 0), (Columns{0, 1, 2, 2, 2, 3, 3, 3, 4, 5}));
    EXPECT_EQ(sourceColumns(d, 3), (Columns{0, 1, 2, 2, 2, 3, 3, 3, 4, 5}));
    EXPECT_EQ(sourceRows(d, 4), (Columns{0, 1, 2, 2, 3, 3, 4, 5}));
}

TEST(BuildFrameStrips, StripsTileFromTheirOrigin)
{
    const Picture picture = numbered(7, 5);
    const NineGeometry g = smallCut();
    const NineGeometry t{{2, 2}, {9, 2}, {2, 7}, {9, 7}, {1, 1, 10, 8}};
    const FrameStrips s = buildFrameStrips(pixelView(picture), Rect{0, 0, 7, 5}, g, t, 11, 9, EdgeStretch{});
    ASSERT_EQ(s.top.width(), 11);
    ASSERT_EQ(s.top.height(), 1);
    // The middle piece (columns 2 … 4) starts at column 0, then the corners.
    EXPECT_EQ(sourceColumns(s.top, 0), (Columns{0, 1, 4, 2, 3, 4, 2, 3, 4, 5, 6}));
    EXPECT_EQ(sourceY(s.bottom.getPixel(0, 0)), 4); // the skin's last row
    ASSERT_EQ(s.left.width(), 1);
    ASSERT_EQ(s.left.height(), 7);
    EXPECT_EQ(sourceRows(s.left, 0), (Columns{1, 2, 2, 2, 2, 2, 3}));
    EXPECT_EQ(sourceRows(s.right, 0), (Columns{1, 2, 2, 2, 2, 2, 3}));
    EXPECT_EQ(sourceX(s.right.getPixel(0, 0)), 6);
}

TEST(BuildFrameStrips, StripsThatCannotBeBuiltStayEmpty)
{
    const Picture picture = numbered(7, 5);
    const NineGeometry g = smallCut();
    NineGeometry t = scaled(g, 7, 5, 11, 9);
    t.client = Rect{0, 0, 11, 9}; // no frame at all
    const FrameStrips s = buildFrameStrips(pixelView(picture), Rect{0, 0, 7, 5}, g, t, 11, 9, EdgeStretch{});
    EXPECT_TRUE(s.top.empty());
    EXPECT_TRUE(s.bottom.empty());
    EXPECT_TRUE(s.left.empty());
    EXPECT_TRUE(s.right.empty());
}

} // namespace
} // namespace tessaly::skin
