// Menu items beyond caption and glyph: the highlight animation frames of
// the menu item record, and items that measure and draw themselves.

#include <QPainter>
#include <QTimerEvent>
#include <gtest/gtest.h>

#include "menu_fixture.h"
#include "skin/data/system_colors.h"
#include "skin/embedded_sampler.h"
#include "skin/menus/skin_menu.h"
#include "skin/menus/skin_popup_window.h"
#include "skin/paint/compose.h"
#include "skin/paint/pixel_view.h"

namespace tessaly::skin::test {
namespace {

struct CellCase {
    const char* name;
    Rect animate;
    int count;
    int frame;
    Rect expected;
};

class FrameCells : public ::testing::TestWithParam<CellCase> {};

TEST_P(FrameCells, EqualCellsStackedWhenTallerElseSideBySide)
{
    const CellCase& c = GetParam();
    EXPECT_EQ(SkinMenuItem::frameCell(c.animate, {0, 0, 60, 20}, c.count, c.frame), c.expected) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FrameCells,
    ::testing::Values(CellCase{"stacked, first", {10, 0, 70, 80}, 4, 1, {10, 0, 70, 20}},
                      CellCase{"stacked, last", {10, 0, 70, 80}, 4, 4, {10, 60, 70, 80}},
                      CellCase{"side by side", {0, 30, 240, 50}, 4, 3, {120, 30, 180, 50}},
                      CellCase{"same height: side by side", {0, 0, 120, 20}, 2, 2, {60, 0, 120, 20}},
                      CellCase{"before the first", {0, 0, 120, 20}, 2, 0, {}},
                      CellCase{"past the last", {0, 0, 120, 20}, 2, 3, {}}));

// A registry of its own whose menu item record has four animation frames:
// the record's picture read as a strip of four cells of the item's size
// (any part of the picture serves; the tests compare against it).
std::unique_ptr<SkinData> animatedPewter(bool inActiveAnimation)
{
    CompressedStoredSkin stored;
    stored.loadFromCompressBytes(embedded_pewter());
    auto sd = std::make_unique<SkinData>();
    sd->loadCompressedStoredSkin(stored);
    auto& r = *dynamic_cast<DataSkinMenuItem*>(sd->objectList()[std::size_t(sd->getIndex("menuitem"))].get());
    const Picture& p = *sd->activePicture(r.activePictureIndex);
    const int h = r.skinRect.height();
    r.animateSkinRect = {0, 0, r.skinRect.width(), std::min(p.height() / h, 4) * h};
    r.frameCount = r.animateSkinRect.height() / h;
    r.animateInterval = 40;
    r.inActiveAnimation = inActiveAnimation;
    r.morphing = false;
    return sd;
}

class MenuAnimation : public ::testing::Test {
protected:
    void TearDown() override
    {
        menu.engine().hide();
        processEvents();
    }
    SkinPopupWindow* open(SkinData& sd)
    {
        menu.setSkinData(&sd);
        menu.engine().setWorkArea(Rect{0, 0, 1000, 800});
        // Blank captions: the item's pixels are its face alone.
        menu.items().add(QStringLiteral(" "));
        menu.items().add(QStringLiteral(" "));
        menu.popupFromRect2(nullptr, {100, 100, 180, 120}, false);
        return menu.engine().lastWindow();
    }
    // One tick of the window's animation timer, as the event loop gives it.
    static void tick(SkinPopupWindow& w)
    {
        ASSERT_TRUE(w.morphRunning());
        QTimerEvent event(w.morphTimerId());
        QCoreApplication::sendEvent(&w, &event);
    }
    static Bitmap composed(const SkinData& sd, const Rect& source, int width)
    {
        const auto& r = *dynamic_cast<const DataSkinMenuItem*>(sd.objectList()[std::size_t(sd.getIndex("menuitem"))].get());
        Bitmap face;
        composeHorzSkinImage(r.itemLO, r.itemRO, face, pixelView(*sd.activePicture(r.activePictureIndex)), source, width,
                             0, r.inActiveStretchEffect || r.stretchEffect);
        return face;
    }
    // The window's pixels under the item equal the bitmap.
    static int differing(const SkinPopupWindow& w, const SkinMenuItem& item, const Bitmap& expected)
    {
        const Rect& o = item.objectRect;
        int count = 0;
        for (int y = 0; y < o.height(); ++y)
            for (int x = 0; x < o.width(); ++x)
                count += (w.buffer().getPixel(o.left + x, o.top + y) & 0xFFFFFFu) != (expected.getPixel(x, y) & 0xFFFFFFu);
        return count;
    }

    SkinPopupMenu menu;
};

TEST_F(MenuAnimation, HighlightPlaysTheFramesOnTheWindowTimerThenItStops)
{
    std::unique_ptr<SkinData> sd = animatedPewter(true);
    SkinPopupWindow* w = open(*sd);
    ASSERT_NE(w, nullptr);
    ASSERT_TRUE(w->look().animation);
    const auto& r = *w->look().record;
    ASSERT_GE(r.frameCount, 2);
    SkinMenuItem& first = w->item(0);
    const int width = first.objectRect.width();
    // The opening highlight starts the timer at the record's interval.
    EXPECT_TRUE(w->morphRunning());
    EXPECT_EQ(w->morphInterval(), 40);
    for (int k = 1; k <= r.frameCount; ++k) {
        tick(*w);
        EXPECT_EQ(first.currentFrame, k);
        const Rect cell = SkinMenuItem::frameCell(r.animateSkinRect, r.skinRect, r.frameCount, k);
        EXPECT_EQ(differing(*w, first, composed(*sd, cell, width)), 0) << "frame " << k;
    }
    ASSERT_NE(differing(*w, first, composed(*sd, r.activeSkinRect, width)), 0) << "frames unlike the hot face";
    // Nothing moves any more: one more tick stops the timer.
    tick(*w);
    EXPECT_FALSE(w->morphRunning());
    EXPECT_EQ(first.currentFrame, r.frameCount);

    // Leaving runs the frames back down to the normal face.
    first.mouseLeave();
    for (int k = r.frameCount; k >= 1; --k) {
        tick(*w);
        EXPECT_EQ(first.currentFrame, k);
        const Rect cell = SkinMenuItem::frameCell(r.animateSkinRect, r.skinRect, r.frameCount, k);
        EXPECT_EQ(differing(*w, first, composed(*sd, cell, width)), 0) << "back, frame " << k;
    }
    tick(*w);
    EXPECT_EQ(first.currentFrame, 0);
    Bitmap normal;
    composeHorzSkinImage(r.itemLO, r.itemRO, normal, pixelView(*sd->activePicture(r.activePictureIndex)), r.skinRect,
                         width, 0, r.inActiveStretchEffect);
    EXPECT_EQ(differing(*w, first, normal), 0);
    tick(*w);
    EXPECT_FALSE(w->morphRunning());
}

TEST_F(MenuAnimation, WithoutInactiveAnimationAnEndedHighlightShowsTheNormalFaceAtOnce)
{
    std::unique_ptr<SkinData> sd = animatedPewter(false);
    SkinPopupWindow* w = open(*sd);
    ASSERT_NE(w, nullptr);
    SkinMenuItem& first = w->item(0);
    tick(*w);
    EXPECT_EQ(first.currentFrame, 1);
    w->item(1).mouseEnter(true);
    first.mouseLeave();
    EXPECT_EQ(first.currentFrame, 0);
    const auto& r = *w->look().record;
    Bitmap normal;
    composeHorzSkinImage(r.itemLO, r.itemRO, normal, pixelView(*sd->activePicture(r.activePictureIndex)), r.skinRect,
                         first.objectRect.width(), 0, r.inActiveStretchEffect);
    EXPECT_EQ(differing(*w, first, normal), 0);
    // the second item's frames start from the first
    tick(*w);
    EXPECT_EQ(w->item(1).currentFrame, 1);
    EXPECT_EQ(first.currentFrame, 0);
}

// The sampler skin's menu item has real frames: the highlight wipes in.
TEST_F(MenuAnimation, TheSamplersItemWipesItsHighlightInOverFourFrames)
{
    CompressedStoredSkin stored;
    stored.loadFromCompressBytes(embedded_sampler());
    SkinData sd;
    sd.loadCompressedStoredSkin(stored);
    SkinPopupWindow* w = open(sd);
    ASSERT_NE(w, nullptr);
    ASSERT_TRUE(w->look().animation);
    const auto& r = *w->look().record;
    EXPECT_EQ(r.frameCount, 4);
    EXPECT_EQ(w->morphInterval(), r.animateInterval);
    EXPECT_TRUE(r.inActiveAnimation);
    SkinMenuItem& first = w->item(0);
    std::vector<Bitmap> shown;
    for (int k = 1; k <= 4; ++k) {
        tick(*w);
        const Rect cell = SkinMenuItem::frameCell(r.animateSkinRect, r.skinRect, r.frameCount, k);
        EXPECT_EQ(differing(*w, first, composed(sd, cell, first.objectRect.width())), 0) << "frame " << k;
        shown.push_back(first.image());
    }
    // Every frame differs from the one before: something moves each tick.
    for (std::size_t k = 1; k < shown.size(); ++k) {
        int diff = 0;
        for (int y = 0; y < shown[k].height(); ++y)
            for (int x = 0; x < shown[k].width(); ++x)
                diff += shown[k].getPixel(x, y) != shown[k - 1].getPixel(x, y);
        EXPECT_GT(diff, 0) << "frame " << k + 1;
    }
}

// Owner-drawn items: the measure decides the item's room, and the drawing
// replaces the caption, skinned or built-in.
class OwnerDrawn : public ::testing::TestWithParam<bool> {};

TEST_P(OwnerDrawn, MeasureSizesTheItemAndTheCallbackPaintsIt)
{
    const bool skinned = GetParam();
    SkinPopupMenu menu;
    if (skinned)
        menu.setSkinData(&pewter());
    menu.engine().setWorkArea(Rect{0, 0, 1000, 800});
    menu.items().add(QStringLiteral("Plain"));
    MenuItem& swatch = menu.items().add(QStringLiteral("Swatch"));
    std::vector<bool> calls;
    swatch.onMeasureItem = [](const MenuItem&, int& width, int& height) {
        width = 300;
        height = 37;
    };
    QRect painted;
    QRgb pen = 0;
    swatch.onDrawItem = [&](const MenuItem& item, QPainter& painter, const QRect& area, bool highlighted) {
        EXPECT_EQ(&item, &swatch);
        calls.push_back(highlighted);
        painted = area;
        if (!highlighted)
            pen = painter.pen().color().rgb();
        painter.fillRect(area, highlighted ? QColor(255, 0, 255) : QColor(0, 255, 255));
    };
    menu.popupFromRect2(nullptr, {100, 100, 180, 120}, false);
    SkinPopupWindow* w = menu.engine().lastWindow();
    ASSERT_NE(w, nullptr);
    const Rect o = w->item(1).objectRect;
    EXPECT_EQ(o.height(), 37);
    EXPECT_GT(o.width(), 300) << "the measured width widens the window";
    EXPECT_GT(w->item(0).objectRect.width(), 300);
    ASSERT_FALSE(calls.empty());
    EXPECT_FALSE(calls.back());
    // The painter comes with the item's text colour.
    const Color text = skinned ? w->look().record->fontColor : colors::windowText;
    EXPECT_EQ(pen & 0xFFFFFFu, colorFromValue(text) & 0xFFFFFFu);
    // Every pixel of the text area is the callback's: no caption over it.
    ASSERT_FALSE(painted.isEmpty());
    int other = 0;
    for (int y = painted.top(); y <= painted.bottom(); ++y)
        for (int x = painted.left(); x <= painted.right(); ++x)
            other += (w->buffer().getPixel(o.left + x, o.top + y) & 0xFFFFFFu) != 0x00FFFFu;
    EXPECT_EQ(other, 0);
    // Highlighted, the callback is told so.
    w->item(1).active = true;
    w->item(1).jumpFade(true);
    const Bitmap hot = w->item(1).image();
    EXPECT_TRUE(calls.back());
    EXPECT_EQ(hot.getPixel(painted.center().x(), painted.center().y()) & 0xFFFFFFu, 0xFF00FFu);
    menu.engine().hide();
    processEvents();
}

INSTANTIATE_TEST_SUITE_P(Looks, OwnerDrawn, ::testing::Values(false, true));

} // namespace
} // namespace tessaly::skin::test
