// Tool buttons and the menu tool button: faces against the record, the
// flat button at rest, clicks, and the menu button staying down until its
// menu has closed.

#include "fake_menu.h"
#include "pewter_fixture.h"
#include "skin/controls/skin_menu_speed_button.h"
#include "skin/paint/bitmap_canvas.h"

#include <QTest>

namespace tessaly::skin::test {
namespace {

// The face of a button that does not keep the skin's size: the state
// rectangle cut at the corners of the client rectangle, every piece
// stretched.
Bitmap stretchedFace(const DataSkinButtonControl& r, const Rect& source, int width, int height)
{
    Bitmap face(width, height);
    composeSimpleSkinImage(face, pictureOfRecord(r), source, true, r.clRect);
    return face;
}

TEST(SkinSpeedButton, BrowseButtonKeepsItsSizeAndStretchesTheRecord)
{
    const auto& r = recordOf<DataSkinButtonControl>("toolbutton");
    QWidget parent;
    auto* b = new SkinSpeedButton(QString(), &parent);
    b->setUseSkinSize(false);
    b->setGeometry(442, 294, 33, 21);
    b->setSkinData(&pewter());
    ASSERT_EQ(b->size(), QSize(33, 21));
    EXPECT_EQ(differingPixels(grabbed(*b), stretchedFace(r, r.skinRect, 33, 21), b->rect()), 0);
    b->setEnabled(false);
    EXPECT_EQ(differingPixels(grabbed(*b), stretchedFace(r, r.disabledSkinRect, 33, 21), b->rect()), 0);
    b->setEnabled(true);
    QTest::mousePress(b, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(differingPixels(grabbed(*b), stretchedFace(r, r.downSkinRect, 33, 21), b->rect()), 0);
}

TEST(SkinSpeedButton, ClicksOnReleaseOverItOnly)
{
    QWidget parent;
    auto* b = new SkinSpeedButton(QStringLiteral("..."), &parent);
    b->setSkinData(&pewter());
    int clicks = 0;
    b->setOnClick([&] { ++clicks; });
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(clicks, 1);
    QTest::mousePress(b, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseMove(b, QPoint(100, 100));
    QTest::mouseRelease(b, Qt::LeftButton, {}, QPoint(100, 100));
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(b->isDown());
}

TEST(SkinSpeedButton, AsATabStopItTakesTheFocusShowsItAndClicksOnSpaceAndEnter)
{
    QWidget parent;
    auto* b = new SkinSpeedButton(QStringLiteral("..."), &parent);
    b->setSkinData(&pewter());
    b->resize(33, 21);
    int clicks = 0;
    b->setOnClick([&] { ++clicks; });
    EXPECT_EQ(b->focusPolicy(), Qt::NoFocus) << "tool buttons are no tab stops by default";
    QTest::keyClick(b, Qt::Key_Space);
    EXPECT_EQ(clicks, 0);

    const QImage unfocused = b->grab().toImage();
    b->setTabStop(true);
    parent.show();
    parent.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&parent));
    b->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(b->hasFocus());
    EXPECT_NE(b->grab().toImage(), unfocused) << "the focus shows";
    for (const Qt::Key key : {Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter})
        QTest::keyClick(b, key);
    EXPECT_EQ(clicks, 3);
    QTest::keyClick(b, Qt::Key_Space, Qt::ControlModifier);
    EXPECT_EQ(clicks, 3) << "Ctrl+Space is someone else's";
}

TEST(SkinSpeedButton, FlatButtonShowsOnlyItsCaptionAtRestAndNeverCrossFades)
{
    QWidget parent;
    parent.setAutoFillBackground(true);
    QPalette palette = parent.palette();
    palette.setColor(QPalette::Window, QColor(10, 200, 10));
    parent.setPalette(palette);
    parent.resize(100, 40);
    auto* b = new SkinSpeedButton(QString(), &parent);
    b->setFlat(true);
    b->setSkinData(&pewter());
    b->setGeometry(10, 10, 40, 21);
    EXPECT_EQ(b->currentFace(), SkinSpeedButton::Face::CaptionOnly);
    // The parent shows through everywhere.
    const QImage rest = parent.grab().toImage();
    EXPECT_EQ(QColor(rest.pixel(30, 20)), QColor(10, 200, 10));
    hover(*b);
    EXPECT_EQ(b->currentFace(), SkinSpeedButton::Face::Hot);
    EXPECT_NE(QColor(parent.grab().toImage().pixel(30, 20)), QColor(10, 200, 10));
    unhover(*b);
    EXPECT_TRUE(b->isTransparent());
    EXPECT_EQ(b->currentFace(), SkinSpeedButton::Face::CaptionOnly);
}

TEST(SkinMenuSpeedButton, StaysDownUntilTheMenuHasClosedThenPopsUp)
{
    const auto& r = recordOf<DataSkinMenuButtonControl>("toolmenubutton");
    QWidget bar;
    bar.resize(200, 22);
    auto* about = new SkinMenuSpeedButton(QString(), &bar);
    about->setFlat(true);
    about->setUseSkinSize(false);
    about->setSkinData(&pewter());
    about->setGeometry(150, 2, 45, 18);
    FakeMenu menu;
    about->setPopupMenu(&menu);
    int clicks = 0;
    about->setOnClick([&] { ++clicks; });

    hover(*about);
    QTest::mousePress(about, Qt::LeftButton, {}, QPoint(10, 9));
    EXPECT_EQ(menu.opened, 1);
    EXPECT_EQ(menu.openedAt.size(), QSize(45, 18));
    EXPECT_TRUE(about->menuTracked());
    // The pointer leaves, the release comes elsewhere: still pressed.
    unhover(*about);
    QTest::mouseRelease(about, Qt::LeftButton, {}, QPoint(100, 100));
    EXPECT_EQ(about->currentFace(), SkinSpeedButton::Face::Pressed);
    const Bitmap pressed = nineFace(r, r.downSkinRect, 45, 18);
    EXPECT_EQ(differingPixels(grabbed(*about), pressed, about->rect()), 0);

    menu.close();
    EXPECT_FALSE(about->menuTracked());
    EXPECT_FALSE(about->isDown());
    EXPECT_FALSE(about->isMouseIn());
    EXPECT_EQ(about->currentFace(), SkinSpeedButton::Face::CaptionOnly);
    EXPECT_EQ(clicks, 0);
}

TEST(SkinMenuSpeedButton, WithoutAMenuItIsAPlainToolButton)
{
    QWidget bar;
    auto* b = new SkinMenuSpeedButton(QStringLiteral("About"), &bar);
    b->setSkinData(&pewter());
    int clicks = 0;
    b->setOnClick([&] { ++clicks; });
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(b->menuTracked());
}

TEST(SkinMenuSpeedButton, AtRestDrawsCaptionAndMarkerOverTheParent)
{
    QWidget bar;
    bar.setAutoFillBackground(true);
    QPalette palette = bar.palette();
    palette.setColor(QPalette::Window, QColor(10, 200, 10));
    bar.setPalette(palette);
    bar.resize(100, 22);
    auto* b = new SkinMenuSpeedButton(QStringLiteral("About"), &bar);
    b->setFlat(true);
    b->setUseSkinSize(false);
    b->setSkinData(&pewter());
    b->setGeometry(10, 2, 45, 18);
    const QImage image = bar.grab().toImage();
    int caption = 0, marker = 0;
    for (int y = 2; y < 20; ++y)
        for (int x = 10; x < 55; ++x)
            if (QColor(image.pixel(x, y)) != QColor(10, 200, 10))
                ++(x < 10 + 34 ? caption : marker);
    EXPECT_GT(caption, 10);
    EXPECT_GT(marker, 3);
}

} // namespace
} // namespace tessaly::skin::test
