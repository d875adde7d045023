#include <gtest/gtest.h>

#include "frame_test_support.h"
#include "skin/frame/frame_layout.h"

using namespace tessaly::skin;

namespace {

FrameObjectInfo button(StdCommand command, int w, int h, bool visible = true)
{
    FrameObjectInfo s;
    s.kind = FrameObjectInfo::Kind::StdButton;
    s.command = command;
    s.skinRect = {0, 0, w, h};
    s.skinRectInAPicture = true;
    s.visible = visible;
    return s;
}

// The objects of the built-in skin in its order: close, maximise,
// minimise, roll-up, system menu, tray, caption; visible as on the main
// window (system menu, minimise, close) or the About window (close).
std::vector<FrameObjectInfo> pewterObjects(bool mainWindow)
{
    FrameObjectInfo caption;
    caption.kind = FrameObjectInfo::Kind::Caption;
    caption.skinRect = {6, 3, 114, 26};
    return {button(StdCommand::Close, 31, 19),
            button(StdCommand::Maximize, 25, 19, false),
            button(StdCommand::Minimize, 25, 19, mainWindow),
            button(StdCommand::RollUp, 25, 19, false),
            button(StdCommand::SysMenu, 19, 19, mainWindow),
            button(StdCommand::MinimizeToTray, 25, 19, false),
            caption};
}

enum { Close = 0, Max = 1, Min = 2, SysMenu = 4, Caption = 6 };

class FrameLayoutTest : public testing::Test {
protected:
    FrameLayout layout(int w, int h, bool mainWindow = true)
    {
        return layoutFrame(geometry, pixelView(sd->mask().picture()), w, h, pewterObjects(mainWindow));
    }

    std::unique_ptr<SkinData> sd = frametest::pewter();
    FrameSkinGeometry geometry = FrameSkinGeometry::from(*sd);
};


TEST_F(FrameLayoutTest, MainWindowRectangles)
{
    ASSERT_EQ(geometry.picWidth, 120);
    ASSERT_EQ(geometry.picHeight, 80);
    const FrameLayout f = layout(589, 376);
    EXPECT_EQ(f.clientRect, (Rect{4, 29, 585, 372}));
    EXPECT_EQ(f.clientRect.width(), 581);
    EXPECT_EQ(f.clientRect.height(), 343);
    EXPECT_EQ(f.captionRect, (Rect{6, 5, 583, 24}));
    EXPECT_EQ(f.objectRects[Close], (Rect{552, 5, 583, 24}));
    EXPECT_EQ(f.objectRects[Min], (Rect{525, 5, 550, 24}));
    EXPECT_EQ(f.objectRects[SysMenu], (Rect{6, 5, 25, 24}));
    // The caption runs from the system-menu button to the minimise button.
    EXPECT_EQ(f.objectRects[Caption], (Rect{25, 3, 525, 26}));
    EXPECT_TRUE(f.objectRects[Max].isEmpty());
    EXPECT_EQ(f.maskRectArea, (Rect{4, 6, 585, 372}));
    EXPECT_FALSE(f.belowMinimum);
}

TEST_F(FrameLayoutTest, AboutWindowHasCloseAlone)
{
    const FrameLayout f = layout(327, 208, false);
    EXPECT_EQ(f.clientRect, (Rect{4, 29, 323, 204}));
    EXPECT_EQ(f.objectRects[Close], (Rect{290, 5, 321, 24}));
    EXPECT_TRUE(f.objectRects[Min].isEmpty());
    EXPECT_TRUE(f.objectRects[SysMenu].isEmpty());
    EXPECT_EQ(f.objectRects[Caption], (Rect{6, 3, 290, 26}));
}

TEST_F(FrameLayoutTest, MarginsGiveTheDesignWindowSizes)
{
    const FrameMargins m = frameMargins(geometry);
    EXPECT_EQ(581 + m.left + m.right, 589);
    EXPECT_EQ(343 + m.top + m.bottom, 376);
    EXPECT_EQ(319 + m.left + m.right, 327);
    EXPECT_EQ(175 + m.top + m.bottom, 208);
    const FrameMargins d = frameMargins(std::nullopt);
    EXPECT_EQ((std::array{d.left, d.top, d.right, d.bottom}), (std::array{3, 22, 3, 3}));
}

TEST_F(FrameLayoutTest, HitTestTable)
{
    const FrameLayout f = layout(589, 376);
    const auto objects = pewterObjects(true);
    const struct {
        int x, y;
        FrameHit hit;
        int object;
    } cases[] = {
        {560, 10, FrameHit::Object, Close},
        {552, 5, FrameHit::Object, Close},   // top-left corner of the button is in
        {550, 10, FrameHit::Object, -1},     // right edge of minimise is out: the gap
        {524, 10, FrameHit::Caption, Caption},
        {530, 10, FrameHit::Object, Min},
        {10, 10, FrameHit::Object, SysMenu},
        {300, 12, FrameHit::Caption, Caption},
        {300, 200, FrameHit::Client, -1},
        {4, 29, FrameHit::Client, -1},
        {585, 100, FrameHit::Right, -1},     // right of the client: the border
        {1, 200, FrameHit::Left, -1},
        {300, 374, FrameHit::Bottom, -1},
        {587, 374, FrameHit::BottomRight, -1},
        {0, 0, FrameHit::Nowhere, -1},       // the rounded corner is cut away
        {589, 100, FrameHit::Nowhere, -1},   // the window's right edge is outside
        {100, 376, FrameHit::Nowhere, -1},
        {-1, 5, FrameHit::Nowhere, -1},
    };
    for (const auto& c : cases) {
        const FrameHitResult r = f.hitTest(c.x, c.y, objects);
        EXPECT_EQ(r.hit, c.hit) << c.x << "," << c.y;
        EXPECT_EQ(r.objectIndex, c.object) << c.x << "," << c.y;
    }
}

TEST_F(FrameLayoutTest, AWindowThatCannotBeSizedNowHasNoSizingEdges)
{
    // Maximised, rolled up, minimised or not resizable: the border is
    // frame, buttons and caption stay what they are.
    const FrameLayout f = layout(589, 376);
    const auto objects = pewterObjects(true);
    const struct {
        int x, y;
        FrameHit sizable, fixed;
    } cases[] = {
        {1, 200, FrameHit::Left, FrameHit::Object},
        {587, 374, FrameHit::BottomRight, FrameHit::Object},
        {300, 374, FrameHit::Bottom, FrameHit::Object},
        {300, 1, FrameHit::Top, FrameHit::Object},
        {300, 12, FrameHit::Caption, FrameHit::Caption},
        {560, 10, FrameHit::Object, FrameHit::Object},
        {300, 200, FrameHit::Client, FrameHit::Client},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(f.hitTest(c.x, c.y, objects, true).hit, c.sizable) << c.x << "," << c.y;
        EXPECT_EQ(f.hitTest(c.x, c.y, objects, false).hit, c.fixed) << c.x << "," << c.y;
    }
    // The default look the same way.
    const FrameLayout d = layoutFrame(std::nullopt, {}, 200, 100, pewterObjects(true));
    EXPECT_EQ(d.hitTest(1, 50, pewterObjects(true), true).hit, FrameHit::Left);
    EXPECT_EQ(d.hitTest(1, 50, pewterObjects(true), false).hit, FrameHit::Object);
    EXPECT_EQ(d.hitTest(199, 99, pewterObjects(true), true).hit, FrameHit::BottomRight);
}

TEST_F(FrameLayoutTest, ShapeIsHalfOpen)
{
    const FrameLayout f = layout(589, 376);
    ASSERT_TRUE(f.region.has_value());
    const Rect bound = f.region->boundingRect();
    EXPECT_EQ(bound, (Rect{0, 0, 589, 376}));
    EXPECT_TRUE(f.inShape(588, 200));
    EXPECT_FALSE(f.inShape(589, 200));
    EXPECT_TRUE(f.inShape(300, 375));
    EXPECT_FALSE(f.inShape(300, 376));
    // Every rectangle of the shape lies inside the window.
    for (const Rect& r : f.region->rects()) {
        EXPECT_GE(r.left, 0);
        EXPECT_GE(r.top, 0);
        EXPECT_LE(r.right, 589);
        EXPECT_LE(r.bottom, 376);
    }
}

TEST_F(FrameLayoutTest, TinyWindowsNeverGoNegative)
{
    for (const auto& [w, h] : {std::pair{0, 0}, {1, 1}, {3, 2}, {7, 30}, {40, 10}, {119, 79}, {159, 32}, {-5, -5}}) {
        const FrameLayout f = layout(w, h);
        EXPECT_GE(f.clientRect.width(), 0) << w << "x" << h;
        EXPECT_GE(f.clientRect.height(), 0) << w << "x" << h;
        EXPECT_GE(f.clientRect.left, 0);
        EXPECT_LE(f.clientRect.right, std::max(w, 0));
        EXPECT_LE(f.clientRect.bottom, std::max(h, 0));
        for (const Rect& r : f.objectRects) {
            EXPECT_GE(r.width(), 0) << w << "x" << h;
            EXPECT_GE(r.height(), 0) << w << "x" << h;
        }
        EXPECT_TRUE(f.belowMinimum);
        if (f.region) {
            for (const Rect& r : f.region->rects()) {
                EXPECT_TRUE(r.right <= w && r.bottom <= h);
            }
        }
    }
}

TEST_F(FrameLayoutTest, LargestSizeKeepsMarginsFixed)
{
    const FrameLayout f = layout(1920, 1080);
    EXPECT_EQ(f.clientRect, (Rect{4, 29, 1916, 1076}));
    EXPECT_EQ(f.objectRects[Close], (Rect{1920 - 37, 5, 1920 - 6, 24}));
}

TEST(FrameLayoutDefault, WithoutSkinTheDefaultLook)
{
    std::vector<FrameObjectInfo> objects;
    for (StdCommand c : {StdCommand::Close, StdCommand::Maximize, StdCommand::Minimize, StdCommand::RollUp,
                         StdCommand::SysMenu, StdCommand::MinimizeToTray}) {
        FrameObjectInfo s = button(c, 1, 1);
        s.skinRectInAPicture = false;
        objects.push_back(s);
    }
    objects[1].visible = objects[3].visible = objects[5].visible = false;
    const FrameLayout f = layoutFrame(std::nullopt, {}, 300, 200, objects);
    EXPECT_FALSE(f.skinned);
    EXPECT_EQ(f.clientRect, (Rect{3, 22, 297, 197}));
    EXPECT_EQ(f.objectRects[0], (Rect{280, 4, 297, 21}));
    EXPECT_EQ(f.objectRects[2], (Rect{263, 4, 280, 21}));
    EXPECT_EQ(f.objectRects[4], (Rect{3, 4, 20, 21}));
    EXPECT_EQ(f.captionRect, (Rect{20, 3, 263, 19}));
    EXPECT_FALSE(f.region.has_value());
    EXPECT_EQ(f.hitTest(285, 10, objects).objectIndex, 0);
    EXPECT_EQ(f.hitTest(150, 10, objects).hit, FrameHit::Caption);
    EXPECT_EQ(f.hitTest(150, 100, objects).hit, FrameHit::Client);
    EXPECT_EQ(f.hitTest(1, 100, objects).hit, FrameHit::Left);
}

TEST(MapSkinRect, ZonesOfThePicture)
{
    FrameSkinGeometry g;
    g.picWidth = 120;
    g.picHeight = 80;
    g.ltPoint = {8, 29};
    g.rtPoint = {112, 29};
    g.lbPoint = {8, 76};
    g.rbPoint = {112, 76};
    const int w = 220, h = 130; // dx = 100, dy = 50
    EXPECT_EQ(mapSkinRect(g, {1, 1, 5, 5}, w, h), (Rect{1, 1, 5, 5}));
    EXPECT_EQ(mapSkinRect(g, {113, 1, 118, 5}, w, h), (Rect{213, 1, 218, 5}));
    EXPECT_EQ(mapSkinRect(g, {1, 77, 5, 79}, w, h), (Rect{1, 127, 5, 129}));
    EXPECT_EQ(mapSkinRect(g, {113, 77, 118, 79}, w, h), (Rect{213, 127, 218, 129}));
    EXPECT_EQ(mapSkinRect(g, {6, 3, 114, 26}, w, h), (Rect{6, 3, 214, 26}));
    EXPECT_EQ(mapSkinRect(g, {2, 2, 114, 78}, w, h), (Rect{2, 2, 214, 128}));
    EXPECT_EQ(mapSkinRect(g, {2, 2, 5, 78}, w, h), (Rect{2, 2, 5, 128}));
}

} // namespace
