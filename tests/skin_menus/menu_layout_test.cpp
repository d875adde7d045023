// Sizes and placement of popup windows against a given work area.

#include <gtest/gtest.h>

#include "skin/menus/menu_layout.h"

namespace tessaly::skin {
namespace {

struct PlaceCase {
    const char* name;
    Rect workArea;
    Rect anchor;
    int height;
    bool up;
    bool byItem;
    bool scroll;
    Point expected;
};

class PlaceMenu : public ::testing::TestWithParam<PlaceCase> {};

TEST_P(PlaceMenu, LandsWhereExpected)
{
    const PlaceCase& c = GetParam();
    PlacementInput in;
    in.anchor = c.anchor;
    in.workArea = c.workArea;
    in.width = 150;
    in.height = c.height;
    in.up = c.up;
    in.byItem = c.byItem;
    in.scroll = c.scroll;
    in.itemsTop = 3;
    const Point p = placeMenu(in);
    EXPECT_EQ(p.x, c.expected.x) << c.name;
    EXPECT_EQ(p.y, c.expected.y) << c.name;
}

constexpr Rect screen{0, 0, 1000, 800};

INSTANTIATE_TEST_SUITE_P(
    Cases, PlaceMenu,
    ::testing::Values(
        // below the button, left edges together
        PlaceCase{"below", screen, {100, 400, 180, 420}, 60, false, false, false, {100, 420}},
        // near the bottom, button in the lower half: above it
        PlaceCase{"flips above", screen, {100, 760, 180, 780}, 60, false, false, false, {100, 700}},
        // no room below, button in the upper half: bottom of the work area, beside the button
        PlaceCase{"pushed beside", {0, 0, 1000, 100}, {100, 30, 180, 50}, 60, false, false, false, {181, 40}},
        // kept inside the right and left edges
        PlaceCase{"right edge", screen, {950, 100, 960, 120}, 60, false, false, false, {850, 120}},
        PlaceCase{"left edge", {50, 0, 1000, 800}, {20, 100, 60, 120}, 60, false, false, false, {50, 120}},
        // upwards
        PlaceCase{"up", screen, {100, 400, 180, 420}, 60, true, false, false, {100, 340}},
        PlaceCase{"up, no room, lower half", screen, {100, 450, 180, 470}, 500, true, false, false, {181, 0}},
        PlaceCase{"up, no room, upper half", screen, {100, 100, 180, 120}, 500, true, false, false, {100, 120}},
        // sub-menus line their first item up with the parent item, beside it
        PlaceCase{"sub-menu", screen, {200, 300, 350, 322}, 60, false, true, false, {351, 297}},
        PlaceCase{"sub-menu at right edge", screen, {900, 300, 990, 322}, 60, false, true, false, {749, 297}},
        PlaceCase{"sub-menu at bottom", screen, {200, 780, 350, 802}, 60, false, true, false, {351, 745}},
        // as tall as the work area: at its top, beside the anchor
        PlaceCase{"work-area tall", screen, {100, 400, 180, 420}, 800, false, false, true, {181, 0}}));

TEST(SizeMenu, BuiltInLook)
{
    MenuSizeInput in;
    in.itemHeights = {20, 4, 20};
    in.captionWidth = 100;
    in.workAreaHeight = 800;
    const MenuSize s = sizeMenu(in);
    EXPECT_EQ(s.width, 100 + 19 + 19 + 10);
    EXPECT_EQ(s.height, 44 + 6);
    EXPECT_FALSE(s.scroll);
}

TEST(SizeMenu, SkinnedLookAddsTheRecordsMargins)
{
    MenuSizeInput in;
    in.frame = {true, 40, 40, {32, 3}, {37, 3}, {32, 37}, {37, 37}, {3, 3, 37, 37}};
    in.itemHeights = {22, 7, 22};
    in.captionWidth = 100;
    in.textMargins = 31 + 60 - 56;
    in.workAreaHeight = 800;
    const MenuSize s = sizeMenu(in);
    EXPECT_EQ(s.width, 100 + 19 + 19 + 35 + 6);
    EXPECT_EQ(s.height, 51 + 6);
}

TEST(SizeMenu, MaxItemsInWindowMakesRoomForTwoMarkers)
{
    MenuSizeInput in;
    in.itemHeights = {20, 20, 20, 20, 20};
    in.maxItemsInWindow = 3;
    in.workAreaHeight = 800;
    const MenuSize s = sizeMenu(in);
    EXPECT_EQ(s.height, 3 * 20 + 6 + 2 * kScrollMarkerHeight);
    EXPECT_TRUE(s.scroll);
    EXPECT_TRUE(s.scroll2);

    const MenuFrameLayout frame = layoutFrame(in.frame, s.width, s.height);
    const ItemsLayout items = layoutItems(frame.itemsRect, in.itemHeights, 0, true);
    EXPECT_EQ(items.visibleCount, 3);
    EXPECT_EQ(items.rects[0].top, frame.itemsRect.top + kScrollMarkerHeight);
    EXPECT_TRUE(items.rects[3].isEmpty());
    EXPECT_EQ(bottomScrollMarker(frame, false, s.width, s.height).top, s.height - kScrollMarkerHeight);
}

TEST(SizeMenu, TallerThanTheWorkAreaScrolls)
{
    MenuSizeInput in;
    in.itemHeights.assign(50, 20);
    in.workAreaHeight = 300;
    const MenuSize s = sizeMenu(in);
    EXPECT_EQ(s.height, 300);
    EXPECT_TRUE(s.scroll);
    EXPECT_FALSE(s.scroll2);
}

TEST(LayoutItems, LastPageHoldsTheLastItemsThatFit)
{
    const std::vector<int> heights{20, 20, 4, 20, 20};
    // 64 pixels between the markers: 20 + 20 + 4 + 20 fits, the fifth does not
    const Rect items{0, 0, 100, 64 + 2 * kScrollMarkerHeight};
    EXPECT_EQ(lastPageStart(items, heights), 1);
    const ItemsLayout l = layoutItems(items, heights, 1, true);
    EXPECT_EQ(l.visibleStart, 1);
    EXPECT_EQ(l.visibleCount, 4);
    EXPECT_TRUE(l.isVisible(4));
    EXPECT_FALSE(l.isVisible(0));
}

} // namespace
} // namespace tessaly::skin
