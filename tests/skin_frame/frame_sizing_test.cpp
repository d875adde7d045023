#include <QKeySequence>
#include <gtest/gtest.h>

#include "frame_test_support.h"
#include "skin/data/resource_str_data.h"
#include "skin/frame/frame_cursor.h"
#include "skin/frame/frame_sizing.h"
#include "skin/frame/skin_frame.h"
#include "skin/frame/system_menu.h"

using namespace tessaly::skin;

TEST(FrameSizeLimits, MinimumFromSkinSettingsAndState)
{
    FrameSkinGeometry skin;
    skin.picWidth = 120;
    skin.picHeight = 80;
    skin.clRect = {4, 29, 116, 76}; // frame without client: 80 - 47 = 33 high
    FrameSkinGeometry withMinimum = skin;
    withMinimum.minWidth = 160;
    withMinimum.minHeight = 40;
    const FrameSizeState normal{}, rolled{true, false}, minimised{false, true};
    const struct {
        std::optional<FrameSkinGeometry> skin;
        FrameSizeSettings settings;
        FrameSizeState state;
        int width, height;
    } cases[] = {
        {std::nullopt, {}, normal, 120, 25},             // default look: 120 wide, caption bar high
        {std::nullopt, {200, 90, 0, 0}, normal, 200, 90},
        {std::nullopt, {200, 90, 0, 0}, rolled, 200, 25},
        {skin, {}, normal, 120, 33},                     // the picture's width, the frame without client
        {skin, {300, 100, 0, 0}, normal, 300, 100},
        {skin, {300, 100, 0, 0}, rolled, 300, 33},
        {skin, {300, 100, 0, 0}, minimised, 120, 33},
        {withMinimum, {}, normal, 160, 40},
        {withMinimum, {100, 20, 0, 0}, normal, 160, 40}, // the skin's minimum wins when larger
        {withMinimum, {300, 100, 0, 0}, normal, 300, 100},
        {withMinimum, {300, 100, 0, 0}, rolled, 300, 40},
    };
    int n = 0;
    for (const auto& c : cases) {
        EXPECT_EQ(frameMinWidth(c.skin, c.settings, c.state), c.width) << "case " << n;
        EXPECT_EQ(frameMinHeight(c.skin, c.settings, c.state), c.height) << "case " << n;
        ++n;
    }
    EXPECT_EQ(frameMaxWidth({}, 1280), 1280);
    EXPECT_EQ(frameMaxHeight({0, 0, 0, 600}, 1000), 600);
}

TEST(FrameSizeLimits, StoredSkinMinimum)
{
    auto sd = frametest::pewter();
    const FrameSkinGeometry g = FrameSkinGeometry::from(*sd);
    EXPECT_EQ(frameMinWidth(g, {}, {}), 160);
    EXPECT_EQ(frameMinHeight(g, {}, {}), sd->formMinHeight > 0 ? sd->formMinHeight : 80 - g.clRect.height());
}

TEST(DragBounds, MovesOrSizesFromTheGripWithinTheLimits)
{
    const Rect start{100, 100, 400, 300};
    const Point minSize{160, 40}, maxSize{500, 0};
    const struct {
        FrameHit grip;
        int dx, dy;
        Rect expected;
    } cases[] = {
        {FrameHit::Caption, 30, -20, {130, 80, 430, 280}},
        {FrameHit::BottomRight, 50, 40, {100, 100, 450, 340}},
        {FrameHit::BottomRight, -500, -500, {100, 100, 260, 140}}, // stops at the minimum
        {FrameHit::TopLeft, -10, 20, {90, 120, 400, 300}},
        {FrameHit::TopLeft, 500, 500, {240, 260, 400, 300}},       // right and bottom stay put
        {FrameHit::Right, 900, 900, {100, 100, 600, 300}},         // the maximum width, no maximum height
        {FrameHit::Bottom, 900, 900, {100, 100, 400, 1200}},
        {FrameHit::Left, 5, 50, {105, 100, 400, 300}},
        {FrameHit::Client, 5, 5, start},
    };
    for (const auto& c : cases)
        EXPECT_EQ(dragBounds(c.grip, start, c.dx, c.dy, minSize, maxSize), c.expected) << int(c.grip);
}

TEST(MinimisedSlot, FillsRowsFromTheBottomLeft)
{
    const Rect area{0, 0, 1000, 100}; // rows at y 70, 40, 10 for bars of 30
    const struct {
        std::vector<Point> taken;
        Point expected;
    } cases[] = {
        {{}, {0, 70}},
        {{{0, 70}}, {200, 70}},
        {{{200, 70}}, {0, 70}},                            // a free place before a taken one
        {{{0, 70}, {200, 70}, {400, 70}, {600, 70}}, {0, 40}}, // 800 would leave less than two widths
        {{{0, 70}, {200, 70}, {400, 70}, {600, 70}, {0, 40}, {200, 40}, {400, 40}, {600, 40},
          {0, 10}, {200, 10}, {400, 10}, {600, 10}},
         {0, 70}}, // past the top: the bottom row again
    };
    for (const auto& c : cases)
        EXPECT_EQ(minimisedSlot(area, 200, 30, c.taken), c.expected) << c.taken.size();
}

TEST(FrameCursor, SizingArrowsOnEdgesOnlyAndTheEdgesTheySize)
{
    const struct {
        FrameHit hit;
        Qt::CursorShape cursor;
        Qt::Edges edges;
    } cases[] = {
        {FrameHit::Left, Qt::SizeHorCursor, Qt::LeftEdge},
        {FrameHit::Right, Qt::SizeHorCursor, Qt::RightEdge},
        {FrameHit::Top, Qt::SizeVerCursor, Qt::TopEdge},
        {FrameHit::Bottom, Qt::SizeVerCursor, Qt::BottomEdge},
        {FrameHit::TopLeft, Qt::SizeFDiagCursor, Qt::TopEdge | Qt::LeftEdge},
        {FrameHit::BottomRight, Qt::SizeFDiagCursor, Qt::BottomEdge | Qt::RightEdge},
        {FrameHit::TopRight, Qt::SizeBDiagCursor, Qt::TopEdge | Qt::RightEdge},
        {FrameHit::BottomLeft, Qt::SizeBDiagCursor, Qt::BottomEdge | Qt::LeftEdge},
        {FrameHit::Caption, Qt::ArrowCursor, {}},
        {FrameHit::Client, Qt::ArrowCursor, {}},
        {FrameHit::Object, Qt::ArrowCursor, {}},
        {FrameHit::Nowhere, Qt::ArrowCursor, {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(cursorForHit(c.hit), c.cursor) << int(c.hit);
        EXPECT_EQ(edgesForHit(c.hit), c.edges) << int(c.hit);
        EXPECT_EQ(isSizingHit(c.hit), c.edges != Qt::Edges()) << int(c.hit);
    }
}

namespace {

std::vector<std::string> captions(const MenuItem& menu)
{
    std::vector<std::string> out;
    for (int i = 0; i < menu.count(); ++i)
        out.push_back(menu.at(i).caption.toStdString());
    return out;
}

} // namespace

TEST(SystemMenu, ItemsFollowTheButtonsAndTheState)
{
    using namespace BorderIcon;
    const unsigned all = BorderIcon::SystemMenu | Minimize | Maximize | RollUp | MinimizeToTray;
    using V = std::vector<std::string>;
    const struct {
        SystemMenuState state;
        V items;
    } cases[] = {
        {{BorderIcon::SystemMenu | Minimize}, {"Mi&nimize", "-", "&Close"}}, // the main window
        {{0}, {"&Close"}},                                       // the About window
        {{all}, {"Mi&nimize", "Ma&ximize", "Ro&llUp", "Minimize to &Tray", "-", "&Close"}},
        {{all, false, true}, {"Mi&nimize", "&Restore", "Ro&llUp", "Minimize to &Tray", "-", "&Close"}},
        {{all, true}, {"Ma&ximize", "&Restore", "Minimize to &Tray", "-", "&Close"}},
        {{all, false, false, true}, {"Mi&nimize", "Ma&ximize", "&Restore", "Minimize to &Tray", "-", "&Close"}},
    };
    for (const auto& c : cases) {
        MenuItem menu;
        buildSystemMenu(menu, c.state, {});
        EXPECT_EQ(captions(menu), c.items);
        const MenuItem& close = menu.at(menu.count() - 1);
        EXPECT_EQ(close.name, QStringLiteral("SFR_CLOSE"));
        EXPECT_EQ(close.shortCutText(), QStringLiteral("Alt+F4"));
    }
}

TEST(SystemMenu, CaptionsFromAStringList)
{
    ResourceStrData strings;
    MenuItem builtIn, fromList;
    buildSystemMenu(builtIn, {BorderIcon::SystemMenu | BorderIcon::Minimize}, {});
    buildSystemMenu(fromList, {BorderIcon::SystemMenu | BorderIcon::Minimize}, {}, &strings);
    EXPECT_EQ(captions(fromList), captions(builtIn)); // the preloaded texts are the built-in ones
    strings.resStrings = {"MI_MINCAPTION=Mi&nimieren", "mi_closecaption=&Schließen"};
    MenuItem translated;
    buildSystemMenu(translated, {BorderIcon::SystemMenu | BorderIcon::Minimize}, {}, &strings);
    EXPECT_EQ(captions(translated), (std::vector<std::string>{"Mi&nimieren", "-", "&Schließen"}));
}

TEST(SystemMenu, ItemsRunTheirActions)
{
    std::vector<std::string> ran;
    SystemMenuActions actions;
    actions.minimize = [&] { ran.push_back("min"); };
    actions.close = [&] { ran.push_back("close"); };
    MenuItem menu;
    buildSystemMenu(menu, {BorderIcon::SystemMenu | BorderIcon::Minimize}, actions);
    ASSERT_EQ(menu.count(), 3);
    EXPECT_EQ(menu.at(0).name, QStringLiteral("SFR_MINITEM"));
    EXPECT_TRUE(menu.at(0).shortCutText().isEmpty());
    menu.at(2).click();
    menu.at(0).click();
    EXPECT_EQ(ran, (std::vector<std::string>{"close", "min"}));
}
