// Popup menus on a dense screen, off screen: run with QT_SCALE_FACTOR set
// (ctest runs it at 1.5 and 2). The menu's picture is composed at 1:1 and
// scaled without its items' text; the text is drawn over it by Qt at the
// screen's resolution.

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

#include "menu_fixture.h"
#include "skin/menus/skin_menu.h"
#include "skin/menus/skin_popup_window.h"
#include "skin/paint/bitmap_canvas.h"
#include "skin/paint/device_picture.h"

namespace tessaly::skin::test {
namespace {

int differingPixels(const QImage& a, const QImage& b, const QRect& area)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += (a.pixel(x, y) & 0xFFFFFFu) != (b.pixel(x, y) & 0xFFFFFFu);
    return n;
}

class MenuDense : public ::testing::Test {
protected:
    void SetUp() override
    {
        menu.engine().setWorkArea(Rect{0, 0, 1000, 800});
        menu.setSkinData(&pewter());
        addStatusBarItems(menu, log);
        menu.popupFromRect2(nullptr, {100, 100, 180, 120}, false);
        w = menu.engine().lastWindow();
        ASSERT_NE(w, nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
        ratio = w->devicePixelRatioF();
        ASSERT_GT(ratio, 1.0) << "run with QT_SCALE_FACTOR above 1";
    }
    void TearDown() override
    {
        menu.engine().hide();
        processEvents();
    }

    Log log;
    SkinPopupMenu menu;
    SkinPopupWindow* w = nullptr;
    qreal ratio = 1.0;
};

TEST_F(MenuDense, TheItemsTextIsKeptOutOfTheMenusPictureAndLiesInTheItem)
{
    for (int i : {0, 2}) {
        SCOPED_TRACE(i);
        const SkinMenuItem& item = w->item(i);
        ASSERT_FALSE(item.shownText().empty());
        // Drawn at 1:1 into the picture, the text changes pixels inside the
        // item only: the picture itself has none.
        Bitmap withText = w->buffer();
        canvasOf(withText).drawRuns(item.shownText(), {0, 0});
        const QImage plain = imageOf(w->buffer());
        const QImage drawn = imageOf(withText);
        const QRect inside(item.objectRect.left, item.objectRect.top, item.objectRect.width(),
                           item.objectRect.height());
        EXPECT_GT(differingPixels(plain, drawn, inside), 20);
        EXPECT_EQ(differingPixels(plain, drawn, plain.rect()), differingPixels(plain, drawn, inside));
    }
    // The separator has no text.
    EXPECT_TRUE(w->item(1).shownText().empty());
}

TEST_F(MenuDense, TheScreenShowsTheScaledPictureWithTheTextAsQtDrawsItAtTheRatio)
{
    // Also after the highlight moved: the items drawn again keep their text
    // out of the picture too.
    for (int step = 0; step < 2; ++step) {
        SCOPED_TRACE(step);
        if (step == 1)
            w->nextItem(); // from the first item to "About"
        // The highlight's fade ends.
        ASSERT_TRUE(QTest::qWaitFor([&] { return !w->morphRunning(); }, 5000));
        w->repaint();
        const QImage shot = w->grab().toImage().convertToFormat(QImage::Format_RGB32);
        QImage expected = scaledToDevice(imageOf(w->buffer()), ratio).convertToFormat(QImage::Format_RGB32);
        for (int i = 0; i < w->itemCount(); ++i)
            w->item(i).shownText().drawOnto(expected);
        ASSERT_EQ(shot.size(), expected.size());
        EXPECT_EQ(differingPixels(shot, expected, shot.rect()), 0);
        // Qt's text at the ratio is not the 1:1 text scaled.
        Bitmap withText = w->buffer();
        for (int i = 0; i < w->itemCount(); ++i)
            canvasOf(withText).drawRuns(w->item(i).shownText(), {0, 0});
        const QImage blocky = scaledToDevice(imageOf(withText), ratio).convertToFormat(QImage::Format_RGB32);
        EXPECT_GT(differingPixels(shot, blocky, shot.rect()), 20);
    }
}

} // namespace
} // namespace tessaly::skin::test
