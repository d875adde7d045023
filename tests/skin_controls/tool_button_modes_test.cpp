// Tool buttons in their modes: check, group and repeat as the push button
// has them, the frame animation (never for a flat button), glyphs that do
// not move when pressed, and the menu tool button's track area and its
// faces chosen by the record's name, against the records composed by hand.

#include "fake_menu.h"
#include "pewter_fixture.h"
#include "skin/controls/button_content.h"
#include "skin/controls/skin_menu_speed_button.h"
#include "skin/paint/bitmap_canvas.h"
#include "skin/paint/glyph.h"

#include "platform/qt_canvas.h"

#include <QPainter>
#include <QTest>

namespace tessaly::skin::test {
namespace {

void pressAt(QWidget& b, QPoint at) { QTest::mousePress(&b, Qt::LeftButton, {}, at); }
void releaseAt(QWidget& b, QPoint at) { QTest::mouseRelease(&b, Qt::LeftButton, {}, at); }

// The state rectangle cut at the corners of the client rectangle, every
// piece stretched, at width × height.
Bitmap stretchedPart(const DataSkinButtonControl& r, const Rect& source, int width, int height)
{
    Bitmap face(width, height);
    composeSimpleSkinImage(face, pictureOfRecord(r), source, true, r.clRect);
    return face;
}

void smallArrowInto(Bitmap& face, const Rect& strip, Color colour)
{
    platform::QtCanvas canvas = canvasOf(face);
    QPainter painter(&canvas.image());
    drawSmallArrow(painter, QRect(strip.left, strip.top, strip.width(), strip.height()), qColorOf(colour));
}

TEST(SkinSpeedButtonModes, CheckToggleAndRepeatAsOnThePushButton)
{
    QWidget parent;
    auto* check = new SkinSpeedButton({}, &parent);
    auto* repeat = new SkinSpeedButton({}, &parent);
    int checks = 0, repeats = 0;
    check->setOnClick([&] { ++checks; });
    repeat->setOnClick([&] { ++repeats; });
    for (SkinSpeedButton* b : {check, repeat}) {
        b->setSkinData(&pewter());
        b->resize(25, 25);
    }
    check->setCheckedMode(true);
    QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(check->isDown());
    unhover(*check);
    EXPECT_EQ(check->currentFace(), SkinSpeedButton::Face::Pressed) << "a down check button shows pressed";
    QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_FALSE(check->isDown());
    EXPECT_EQ(checks, 2);

    repeat->setRepeatMode(true);
    repeat->setRepeatInterval(50);
    pressAt(*repeat, QPoint(5, 5));
    repeat->repeatTick();
    EXPECT_EQ(repeat->repeatTimerInterval(), 50);
    repeat->repeatTick();
    releaseAt(*repeat, QPoint(5, 5));
    EXPECT_EQ(repeats, 2);
}

TEST(SkinSpeedButtonModes, TabStopSpaceTogglesACheckButton)
{
    QWidget parent;
    auto* b = new SkinSpeedButton({}, &parent);
    b->setCheckedMode(true);
    b->setTabStop(true);
    parent.show();
    b->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return b->hasFocus(); }));
    QTest::keyClick(b, Qt::Key_Space);
    EXPECT_TRUE(b->isDown());
    QTest::keyClick(b, Qt::Key_Space);
    EXPECT_FALSE(b->isDown());
}

TEST(SkinSpeedButtonModes, AnimatesWhenOpaqueNeverWhenFlat)
{
    std::unique_ptr<SkinData> skin = loadPewter();
    auto& r = editableRecord<DataSkinButtonControl>(*skin, "toolbutton");
    r.animateSkinRect = {r.activeSkinRect.left, r.activeSkinRect.top, r.activeSkinRect.left + 2 * r.skinRect.width(),
                         r.activeSkinRect.bottom};
    r.frameCount = 2;
    r.animateInterval = 30;
    r.morphing = false;
    QWidget parent;
    auto* opaque = new SkinSpeedButton({}, &parent);
    auto* flat = new SkinSpeedButton({}, &parent);
    flat->setFlat(true);
    for (SkinSpeedButton* b : {opaque, flat}) {
        b->setSkinData(skin.get());
        hover(*b);
    }
    ASSERT_TRUE(opaque->frameAnimation().running());
    EXPECT_EQ(opaque->frameAnimation().currentFrame(), 1);
    const Rect frame2{r.activeSkinRect.left + r.skinRect.width(), r.activeSkinRect.top,
                      r.activeSkinRect.left + 2 * r.skinRect.width(), r.activeSkinRect.bottom};
    opaque->animationTick();
    EXPECT_EQ(differingPixels(grabbed(*opaque), nineFace(r, frame2, opaque->width(), opaque->height()), opaque->rect()), 0)
        << "the second frame shows as the hot face";
    EXPECT_FALSE(flat->frameAnimation().running());
}

TEST(SkinSpeedButtonModes, TheGlyphKeepsItsPlaceWhenPressed)
{
    const auto& r = recordOf<DataSkinButtonControl>("toolbutton");
    Bitmap strip(12, 5);
    strip.fillRect({0, 0, 6, 5}, 0xFF102030u);
    strip.fillRect({6, 0, 12, 5}, 0xFFA0B0C0u);
    strip.setPixel(0, 4, 0xFFFF00FFu);
    strip.setPixel(6, 4, 0xFFFF00FFu);
    QWidget parent;
    auto* b = new SkinSpeedButton({}, &parent);
    b->setUseSkinSize(false);
    b->setSkinData(&pewter());
    b->setGeometry(0, 0, 33, 21);
    b->setGlyph(strip);
    b->setNumGlyphs(2);
    pressAt(*b, QPoint(5, 5));
    Bitmap expected = stretchedPart(r, r.downSkinRect, 33, 21);
    const Rect client{r.clRect.left, r.clRect.top, r.clRect.right + 33 - r.skinRect.width(),
                      r.clRect.bottom + 21 - r.skinRect.height()};
    const ContentPlacement at = placeContent(client, {6, 5}, {0, 0}, -1, 1, ButtonLayout::GlyphLeft);
    drawGlyphCell(expected, at.glyph.x, at.glyph.y, 1, 2, strip.view());
    EXPECT_EQ(differingPixels(grabbed(*b), expected, b->rect()), 0);
}

// ---- the menu tool button

struct MenuButton {
    QWidget bar;
    SkinMenuSpeedButton* button;
    FakeMenu menu;
    int clicks = 0;
    MenuButton(const std::string& record, int width, int height)
    {
        bar.resize(200, 40);
        button = new SkinMenuSpeedButton({}, &bar);
        button->setSkinDataName(record);
        button->setUseSkinSize(false);
        button->setSkinData(&pewter());
        button->setGeometry(10, 2, width, height);
        button->setPopupMenu(&menu);
        button->setOnClick([this] { ++clicks; });
    }
};

TEST(SkinMenuSpeedButtonTrack, OnlyTheArrowPartOpensTheMenu)
{
    struct Case {
        const char* record;
        int width, height;
        QPoint arrow, body;
    };
    // "toolbutton" has no arrow of its own: the 15-pixel strip at the
    // right; "toolmenubutton" names its arrow (31..40; a nine-piece record
    // does not move it as it grows).
    const Case cases[] = {{"toolbutton", 60, 21, {50, 10}, {40, 10}},
                          {"toolmenubutton", 45, 18, {37, 9}, {30, 9}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.record);
        MenuButton t(c.record, c.width, c.height);
        SkinMenuSpeedButton& b = *t.button;
        EXPECT_TRUE(b.inTrackArea(c.body)) << "without track mode the whole button opens the menu";
        b.setTrackButtonMode(true);
        EXPECT_TRUE(b.inTrackArea(c.arrow));
        EXPECT_FALSE(b.inTrackArea(c.body));
        QTest::mouseClick(&b, Qt::LeftButton, {}, c.body);
        EXPECT_EQ(t.menu.opened, 0);
        EXPECT_EQ(t.clicks, 1);
        pressAt(b, c.arrow);
        EXPECT_EQ(t.menu.opened, 1);
        EXPECT_TRUE(b.menuTracked());
        t.menu.close();
        EXPECT_EQ(t.clicks, 1);
    }
}

TEST(SkinMenuSpeedButtonFaces, APlainToolRecordIsABodyAndAnArrowStrip)
{
    const auto& r = recordOf<DataSkinButtonControl>("toolbutton");
    const int w = 60, h = 21;
    const Rect strip{w - 15, 0, w, h};
    struct Case {
        const char* what;
        bool track;
        std::function<void(MenuButton&)> enter;
        Rect body, arrowPart; // sources; an empty arrow part: the body covers all
        Color arrow;
    };
    const Case cases[] = {
        {"at rest", false, [](MenuButton&) {}, r.skinRect, {}, r.fontColor},
        {"menu open", false, [](MenuButton& t) { pressAt(*t.button, {20, 10}); }, r.downSkinRect, {}, r.downFontColor},
        {"track mode, menu open", true, [](MenuButton& t) { pressAt(*t.button, {52, 10}); }, r.activeSkinRect,
         r.downSkinRect, r.downFontColor},
        {"track mode, body pressed", true, [](MenuButton& t) { pressAt(*t.button, {20, 10}); }, r.downSkinRect,
         r.downSkinRect, r.downFontColor},
        {"track mode, at rest", true, [](MenuButton&) {}, r.skinRect, r.skinRect, r.fontColor},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        MenuButton t("toolbutton", w, h);
        t.button->setTrackButtonMode(c.track);
        c.enter(t);
        Bitmap expected;
        if (c.arrowPart.isEmpty()) {
            expected = stretchedPart(r, c.body, w, h);
        } else {
            expected = Bitmap(w, h);
            stretchedPart(r, c.body, w - 15, h).draw(expected, 0, 0);
            stretchedPart(r, c.arrowPart, 15, h).draw(expected, w - 15, 0);
        }
        smallArrowInto(expected, strip, c.arrow);
        EXPECT_EQ(differingPixels(grabbed(*t.button), expected, t.button->rect()), 0);
    }
}

TEST(SkinMenuSpeedButtonFaces, AMenuRecordInTrackModeShowsItsArrowPressedWhileTheMenuIsOpen)
{
    const auto& r = recordOf<DataSkinMenuButtonControl>("toolmenubutton");
    MenuButton t("toolmenubutton", 45, 18);
    t.button->setTrackButtonMode(true);
    pressAt(*t.button, {40, 9});
    ASSERT_TRUE(t.button->menuTracked());
    Bitmap expected = nineFace(r, r.activeSkinRect, 45, 18);
    const Rect& a = r.trackButtonRect;
    const Rect d = r.downSkinRect;
    copyPiece(pictureOfRecord(r), {d.left + a.left, d.top + a.top, d.left + a.right, d.top + a.bottom}, expected,
              a);
    EXPECT_EQ(differingPixels(grabbed(*t.button), expected, t.button->rect()), 0);
    // Without track mode the whole button is pressed.
    t.menu.close();
    QCoreApplication::processEvents(); // the press that closed the menu is over
    t.button->setTrackButtonMode(false);
    pressAt(*t.button, {40, 9});
    EXPECT_EQ(differingPixels(grabbed(*t.button), nineFace(r, r.downSkinRect, 45, 18), t.button->rect()), 0);
}

TEST(SkinMenuSpeedButtonFaces, NewStyleWearsTheResizeRecordAndMayPutTheStripBelow)
{
    QWidget bar;
    auto* b = new SkinMenuSpeedButton({}, &bar);
    b->resize(40, 40);
    b->setNewStyle(true);
    EXPECT_EQ(b->skinDataName(), "resizetoolbutton");
    EXPECT_EQ(b->arrowStrip(), (Rect{25, 0, 40, 40}));
    b->setTrackPosition(SkinMenuSpeedButton::TrackPosition::Bottom);
    EXPECT_EQ(b->arrowStrip(), (Rect{0, 25, 40, 40}));
    FakeMenu menu;
    b->setPopupMenu(&menu);
    b->setTrackButtonMode(true);
    EXPECT_TRUE(b->inTrackArea({20, 30}));
    EXPECT_FALSE(b->inTrackArea({35, 10}));
}

} // namespace
} // namespace tessaly::skin::test
