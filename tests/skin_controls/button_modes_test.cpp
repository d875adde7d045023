// The push button's modes: groups, check toggling, auto-repeat (its timer
// stepped by hand, never waited for), the frame animation against the
// record's cells, glyph and caption placement, the dialog's modal result,
// the cancel button and the caption's accelerator.

#include "pewter_fixture.h"
#include "skin/controls/button_content.h"
#include "skin/controls/control_accessibility.h"
#include "skin/controls/image_list.h"
#include "skin/controls/skin_button.h"
#include "skin/controls/skin_speed_button.h"
#include "skin/paint/glyph.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QDialog>
#include <QLineEdit>
#include <QTest>

#include <functional>
#include <memory>

namespace tessaly::skin::test {
namespace {

const QPoint kInside(30, 12);
const QPoint kOutside(200, 80);

void press(QWidget& b, QPoint at = kInside) { QTest::mousePress(&b, Qt::LeftButton, {}, at); }
void release(QWidget& b, QPoint at = kInside) { QTest::mouseRelease(&b, Qt::LeftButton, {}, at); }
void clickOn(QWidget& b)
{
    press(b);
    release(b);
}
void moveTo(QWidget& b, QPoint at)
{
    QMouseEvent move(QEvent::MouseMove, at, b.mapToGlobal(at), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&b, &move);
}

struct Counted {
    SkinButtonBase* button;
    int clicks = 0;
};

// Buttons on one parent, each counting its clicks.
struct Row {
    QWidget parent;
    std::vector<std::unique_ptr<Counted>> buttons;
    Row() { parent.resize(400, 100); }
    Counted& add(SkinButtonBase* b, int group)
    {
        b->setSkinData(&pewter());
        b->setGeometry(10 + 80 * int(buttons.size()), 10, 75, 25);
        b->setGroupIndex(group);
        auto& c = *buttons.emplace_back(std::make_unique<Counted>(Counted{b}));
        b->setOnClick([&c] { ++c.clicks; });
        return c;
    }
    Counted& push(int group) { return add(new SkinButton({}, &parent), group); }
};

TEST(SkinButtonGroups, APressSetsTheOthersOfItsGroupAndKindUp)
{
    Row row;
    Counted& a = row.push(1);
    Counted& b = row.push(1);
    Counted& otherGroup = row.push(2);
    Counted& tool = row.add(new SkinSpeedButton({}, &row.parent), 1);
    for (Counted* c : {&a, &otherGroup, &tool})
        clickOn(*c->button);
    ASSERT_TRUE(a.button->isDown());
    EXPECT_TRUE(otherGroup.button->isDown());
    EXPECT_TRUE(tool.button->isDown()) << "tool buttons group among themselves";

    clickOn(*b.button);
    EXPECT_TRUE(b.button->isDown());
    EXPECT_FALSE(a.button->isDown());
    EXPECT_TRUE(otherGroup.button->isDown());
    EXPECT_TRUE(tool.button->isDown());
    EXPECT_EQ(a.clicks, 1);
    EXPECT_EQ(b.clicks, 1) << "a grouped button clicks on the press that sets it down";

    // Pressed again it stays down and does not click.
    clickOn(*b.button);
    EXPECT_TRUE(b.button->isDown());
    EXPECT_EQ(b.clicks, 1);
    // A grouped push button takes no focus and shows pressed wherever the
    // pointer is.
    auto* push = static_cast<SkinButton*>(b.button);
    EXPECT_FALSE(push->canFocused());
    EXPECT_EQ(push->focusPolicy(), Qt::NoFocus);
    unhover(*push);
    EXPECT_EQ(push->currentFace(), SkinButton::Face::Pressed);
}

TEST(SkinButtonGroups, AllowAllUpLetsASecondPressSetTheButtonUp)
{
    Row row;
    Counted& a = row.push(3);
    Counted& b = row.push(3);
    a.button->setAllowAllUp(true);
    b.button->setAllowAllUp(true);
    clickOn(*a.button);
    ASSERT_TRUE(a.button->isDown());
    clickOn(*a.button);
    EXPECT_FALSE(a.button->isDown());
    EXPECT_EQ(a.clicks, 2);
    // Released outside, the second press does nothing.
    clickOn(*a.button);
    press(*a.button);
    release(*a.button, kOutside);
    EXPECT_TRUE(a.button->isDown());
    EXPECT_EQ(a.clicks, 3);
    // Buttons that allow all up leave the others of their group alone.
    clickOn(*b.button);
    ASSERT_TRUE(b.button->isDown());
    EXPECT_TRUE(a.button->isDown());
}

TEST(SkinButtonCheck, EachPressAndReleaseTogglesAndClicksOnce)
{
    Row row;
    Counted& c = row.push(0);
    auto* b = static_cast<SkinButton*>(c.button);
    b->setCheckedMode(true);
    EXPECT_EQ(b->groupIndex(), -1);
    EXPECT_FALSE(b->canFocused());
    struct Step {
        std::function<void()> act;
        bool down;
        int clicks;
    };
    const Step steps[] = {
        {[&] { press(*b); }, true, 1}, // clicks at once on the press
        {[&] { release(*b); }, true, 1},
        {[&] { press(*b); }, true, 1},
        {[&] { release(*b); }, false, 2},
        {[&] { clickOn(*b); }, true, 3},
        {[&] { b->activate(); }, false, 4}, // the keyboard's and assistive tools' press
    };
    int i = 0;
    for (const Step& s : steps) {
        SCOPED_TRACE(i++);
        s.act();
        EXPECT_EQ(b->isDown(), s.down);
        EXPECT_EQ(c.clicks, s.clicks);
    }
    b->setCheckedMode(false);
    EXPECT_EQ(b->groupIndex(), 0);
}

TEST(SkinButtonCheck, AssistiveToolsSeeACheckedButton)
{
    installControlAccessibility();
    Row row;
    Counted& c = row.push(0);
    c.button->setCheckedMode(true);
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(c.button);
    ASSERT_NE(iface, nullptr);
    EXPECT_TRUE(iface->state().checkable);
    EXPECT_FALSE(iface->state().checked);
    iface->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_TRUE(iface->state().checked);
    EXPECT_TRUE(c.button->isDown());
    EXPECT_EQ(c.clicks, 1);
}

// ---- auto-repeat: the timer is stepped as it would run

TEST(SkinButtonRepeat, ClicksAfterTheFirstDelayThenEveryIntervalAndOnRelease)
{
    Row row;
    Counted& c = row.push(0);
    SkinButtonBase& b = *c.button;
    b.setRepeatMode(true);
    b.setRepeatInterval(100);
    press(b);
    ASSERT_TRUE(b.repeatRunning());
    EXPECT_EQ(b.repeatTimerInterval(), SkinButtonBase::kRepeatDelay);
    b.repeatTick(); // 500 ms: only switches to the interval
    EXPECT_EQ(c.clicks, 0);
    EXPECT_EQ(b.repeatTimerInterval(), 100);
    b.repeatTick(); // 600 ms
    b.repeatTick(); // 700 ms
    EXPECT_EQ(c.clicks, 2);
    // Out of the button the repeat pauses; back in, it starts over.
    moveTo(b, kOutside);
    EXPECT_FALSE(b.repeatRunning());
    b.repeatTick();
    EXPECT_EQ(c.clicks, 2);
    moveTo(b, kInside);
    ASSERT_TRUE(b.repeatRunning());
    EXPECT_EQ(b.repeatTimerInterval(), SkinButtonBase::kRepeatDelay);
    release(b);
    EXPECT_EQ(c.clicks, 3) << "the release over the button adds one";
    EXPECT_FALSE(b.repeatRunning());
}

TEST(SkinButtonRepeat, AReleaseBeforeTheFirstDelayGivesOneClickAndOutsideNone)
{
    Row row;
    Counted& c = row.push(0);
    c.button->setRepeatMode(true);
    clickOn(*c.button);
    EXPECT_EQ(c.clicks, 1);
    press(*c.button);
    c.button->repeatTick();
    c.button->repeatTick();
    moveTo(*c.button, kOutside);
    release(*c.button, kOutside);
    EXPECT_EQ(c.clicks, 2);
    EXPECT_FALSE(c.button->isDown());
}

TEST(SkinButtonRepeat, HeldSpaceClicksOnEveryKeyRepeat)
{
    Row row;
    Counted& c = row.push(0);
    c.button->setRepeatMode(true);
    QKeyEvent down(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier);
    QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QString(), true);
    QCoreApplication::sendEvent(c.button, &down);
    QCoreApplication::sendEvent(c.button, &repeat);
    QCoreApplication::sendEvent(c.button, &repeat);
    EXPECT_EQ(c.clicks, 3);
    EXPECT_TRUE(c.button->isDown());
}

// ---- frame animation: a pewter button given animation frames

struct Animated {
    std::unique_ptr<SkinData> skin;
    DataSkinButtonControl* record = nullptr;
    QWidget parent;
    SkinButton* button;
    Animated()
    {
        skin = loadPewter();
        record = &editableRecord<DataSkinButtonControl>(*skin, "button");
        // Two frames side by side, taken from the pressed picture onwards.
        const Rect a = record->downSkinRect;
        record->animateSkinRect = {a.left, a.top, a.left + 2 * a.width(), a.bottom};
        record->frameCount = 2;
        record->animateInterval = 40;
        record->morphing = false;
        parent.resize(200, 100);
        button = new SkinButton({}, &parent);
        button->setSkinData(skin.get());
        button->setGeometry(10, 10, 75, 25);
    }
    Rect cell(int k) const
    {
        const Rect a = record->downSkinRect;
        return {a.left + (k - 1) * a.width(), a.top, a.left + k * a.width(), a.bottom};
    }
    Bitmap faceOf(const Rect& source) const
    {
        const int dW = 75 - record->skinRect.width();
        const int dH = 25 - record->skinRect.height();
        const NineGeometry cut{record->ltPoint, record->rtPoint, record->lbPoint, record->rbPoint, record->clRect};
        const NineGeometry target{record->ltPoint,
                                  {record->rtPoint.x + dW, record->rtPoint.y},
                                  {record->lbPoint.x, record->lbPoint.y + dH},
                                  {record->rbPoint.x + dW, record->rbPoint.y + dH},
                                  {record->clRect.left, record->clRect.top, record->clRect.right + dW,
                                   record->clRect.bottom + dH}};
        Bitmap face;
        composeSkinImage(face, pixelView(*skin->activePicture(record->pictureIndex)), source, cut, target, 75, 25,
                         true, {record->leftStretch, record->topStretch, record->rightStretch, record->bottomStretch},
                         record->stretchEffect, record->stretchType);
        return face;
    }
    int differsFrom(const Rect& source) { return differingPixels(grabbed(*button), faceOf(source), button->rect(), button->mask()); }
};

TEST(SkinButtonAnimation, PlaysTheFramesForwardOnEnterAndBackOnLeave)
{
    Animated t;
    SkinButton& b = *t.button;
    hover(b);
    ASSERT_TRUE(b.frameAnimation().running());
    EXPECT_EQ(b.frameAnimation().interval(), 40);
    struct Expect {
        const char* what;
        Rect source;
    };
    const Expect forward[] = {{"frame 1", t.cell(1)}, {"frame 2", t.cell(2)}, {"hot", t.record->activeSkinRect}};
    for (const Expect& e : forward) {
        SCOPED_TRACE(e.what);
        EXPECT_EQ(t.differsFrom(e.source), 0);
        b.animationTick();
    }
    EXPECT_FALSE(b.frameAnimation().running());
    unhover(b);
    ASSERT_TRUE(b.frameAnimation().running());
    const Expect backward[] = {{"frame 2", t.cell(2)}, {"frame 1", t.cell(1)}, {"normal", t.record->skinRect}};
    for (const Expect& e : backward) {
        SCOPED_TRACE(e.what);
        EXPECT_EQ(t.differsFrom(e.source), 0);
        b.animationTick();
    }
    EXPECT_FALSE(b.frameAnimation().running());
    // The frames differ from the faces they lead to.
    EXPECT_GT(t.differsFrom(t.cell(2)), 0);
}

TEST(SkinButtonAnimation, StacksFramesWhenTheStripIsNotWider)
{
    FrameAnimation animation([] {});
    animation.start(true, 3, 10);
    const Rect strip{0, 30, 48, 105};
    EXPECT_EQ(animation.frameRect(strip, Rect{0, 0, 48, 25}), (Rect{0, 30, 48, 55}));
    animation.tick();
    animation.tick();
    EXPECT_EQ(animation.frameRect(strip, Rect{0, 0, 48, 25}), (Rect{0, 80, 48, 105}));
    animation.tick();
    EXPECT_FALSE(animation.running());
    EXPECT_TRUE(animation.frameRect(strip, Rect{0, 0, 48, 25}).isEmpty());
}

TEST(SkinButtonAnimation, NoneWithSkinEffectsOffOrWithoutFrames)
{
    Animated t;
    SkinOptions options = t.skin->options();
    options.enableSkinEffects = false;
    t.skin->setOptions(options);
    hover(*t.button);
    EXPECT_FALSE(t.button->frameAnimation().running());
    unhover(*t.button);
    hover(*t.button); // pewter's own button has no frames
    Row row;
    Counted& plain = row.push(0);
    hover(*plain.button);
    EXPECT_FALSE(plain.button->frameAnimation().running());
}

// ---- glyph and caption

TEST(ButtonContentPlacement, FollowsLayoutMarginAndSpacing)
{
    const Rect t{4, 4, 104, 44}; // centre (54, 24)
    const Point glyph{16, 10};
    const Point text{30, 14};
    struct Case {
        ButtonLayout layout;
        int margin;
        Point glyphAt, textAt;
    };
    // hw = (16 + 30 + 2) / 2 = 24, hh = (14 + 10 + 2) / 2 = 13
    const Case cases[] = {
        {ButtonLayout::GlyphLeft, -1, {30, 19}, {48, 17}},
        {ButtonLayout::GlyphRight, -1, {62, 19}, {30, 17}},
        {ButtonLayout::GlyphTop, -1, {46, 11}, {39, 23}},
        {ButtonLayout::GlyphBottom, -1, {46, 27}, {39, 11}},
        {ButtonLayout::GlyphLeft, 3, {7, 19}, {25, 17}},
        {ButtonLayout::GlyphRight, 3, {85, 19}, {53, 17}},
        {ButtonLayout::GlyphTop, 3, {46, 7}, {39, 19}},
        {ButtonLayout::GlyphBottom, 3, {46, 31}, {39, 15}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.layout) * 10 + c.margin);
        const ContentPlacement p = placeContent(t, glyph, text, c.margin, 2, c.layout);
        EXPECT_EQ(p.glyph, c.glyphAt);
        EXPECT_EQ(p.text, c.textAt);
    }
    // Without a glyph the spacing does not count: the caption is centred.
    const ContentPlacement alone = placeContent(t, {0, 0}, text, -1, 5, ButtonLayout::GlyphLeft);
    EXPECT_EQ(alone.text, (Point{39, 17}));
}

TEST(ButtonContentPlacement, CellsFollowTheStateAndTheirNumber)
{
    struct Case {
        int cells;
        bool down, in, enabled;
        int cell;
    };
    const Case cases[] = {
        {4, false, false, true, 1}, {4, false, false, false, 2}, {4, true, true, true, 3}, {4, false, true, true, 4},
        {3, false, true, true, 1},  {2, true, true, true, 1},    {2, false, false, false, 2}, {1, false, false, false, 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(glyphCellFor(c.cells, c.down, c.in, c.enabled), c.cell) << c.cells << c.down << c.in << c.enabled;
}

// A strip of four 8 × 6 cells in four colours; each cell's bottom-left
// pixel is the key colour.
Bitmap fourCellGlyph()
{
    Bitmap strip(32, 6);
    const PixelColor colours[] = {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu, 0xFFFFFF00u};
    for (int k = 0; k < 4; ++k)
        strip.fillRect({8 * k, 0, 8 * k + 8, 6}, colours[k]);
    for (int k = 0; k < 4; ++k)
        strip.setPixel(8 * k, 5, 0xFFFF00FFu);
    return strip;
}

TEST(SkinButtonGlyph, EachStateShowsItsCellPlacedInTheClientArea)
{
    struct Case {
        const char* what;
        std::function<void(SkinButton&)> enter;
        Rect DataSkinButtonControl::*rect;
        bool pressed;
        bool mouseIn;
    };
    const Case cases[] = {
        {"normal", [](SkinButton&) {}, &DataSkinButtonControl::skinRect, false, false},
        {"hot", [](SkinButton& b) { hover(b); for (int i = 0; i < 10 && b.morphRunning(); ++i) b.morphTick(); },
         &DataSkinButtonControl::activeSkinRect, false, true},
        {"pressed", [](SkinButton& b) { press(b); }, &DataSkinButtonControl::downSkinRect, true, true},
        {"disabled", [](SkinButton& b) { b.setEnabled(false); }, &DataSkinButtonControl::disabledSkinRect, false,
         false},
    };
    const auto& record = recordOf<DataSkinButtonControl>("button");
    for (const ButtonLayout layout : {ButtonLayout::GlyphLeft, ButtonLayout::GlyphBottom}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(c.what);
            QWidget parent;
            auto* b = new SkinButton({}, &parent);
            b->setSkinData(&pewter());
            b->setGeometry(0, 0, 75, 25);
            b->setGlyph(fourCellGlyph());
            b->setNumGlyphs(4);
            b->setLayout(layout);
            b->setMargin(2);
            c.enter(*b);
            Bitmap expected = nineFace(record, record.*c.rect, 75, 25);
            const Rect& cl = record.clRect;
            const Rect client{cl.left, cl.top, cl.right + 75 - record.skinRect.width(),
                              cl.bottom + 25 - record.skinRect.height()};
            ContentPlacement at = placeContent(client, {8, 6}, {0, 0}, 2, 1, layout);
            const int shift = c.pressed ? 1 : 0;
            const Bitmap glyph = fourCellGlyph();
            drawGlyphCell(expected, at.glyph.x + shift, at.glyph.y + shift,
                          glyphCellFor(4, c.pressed, c.mouseIn, b->isEnabled()), 4, glyph.view());
            EXPECT_EQ(differingPixels(grabbed(*b), expected, b->rect(), b->mask()), 0);
        }
    }
}

TEST(SkinButtonImages, AnImageListPictureTakesTheGlyphsPlaceWhileItsIndexIsInTheList)
{
    ImageList images(8, 6);
    for (const PixelColor c : {0xFF205080u, 0xFFC08020u}) {
        Bitmap b(8, 6);
        b.fillRect({0, 0, 8, 6}, c);
        images.add(b);
    }
    const auto& record = recordOf<DataSkinButtonControl>("button");
    const Rect& cl = record.clRect;
    const Rect client{cl.left, cl.top, cl.right + 75 - record.skinRect.width(),
                      cl.bottom + 25 - record.skinRect.height()};
    struct Case {
        const char* what;
        bool push;      // a push button, else a tool button
        bool withGlyph; // the button also has a glyph
        int index;
        bool enabled;
        const char* shows; // "image", "glyph"
    };
    const Case cases[] = {
        {"push button, picture 1", true, true, 1, true, "image"},
        {"push button, index beyond the list", true, true, 2, true, "glyph"},
        {"push button, disabled: greyed", true, false, 0, false, "image"},
        {"tool button: its glyph wins", false, true, 1, true, "glyph"},
        {"tool button without glyph", false, false, 1, true, "image"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QWidget parent;
        SkinButtonBase* b = c.push ? static_cast<SkinButtonBase*>(new SkinButton({}, &parent))
                                   : new SkinSpeedButton({}, &parent);
        b->setSkinData(&pewter());
        b->setUseSkinSize(true);
        b->setGeometry(0, 0, 75, 25);
        if (c.withGlyph) {
            b->setGlyph(fourCellGlyph());
            b->setNumGlyphs(4);
        }
        b->setImageList(&images);
        b->setImageIndex(c.index);
        b->setEnabled(c.enabled);
        const bool image = std::string(c.shows) == "image";
        // Glyph cells and pictures are both 8 x 6: either lies at the same place.
        const ContentPlacement at = placeContent(client, {8, 6}, {0, 0}, -1, 1, ButtonLayout::GlyphLeft);
        const QRgb shown = grabbed(*b).pixel(at.glyph.x + 3, at.glyph.y + 2);
        if (!image) {
            EXPECT_EQ(shown & 0xFFFFFFu, 0xFF0000u) << "the glyph's first cell";
        } else if (c.enabled) {
            EXPECT_EQ(shown & 0xFFFFFFu, images.has(c.index) && c.index == 1 ? 0xC08020u : 0x205080u);
        } else {
            EXPECT_TRUE(qRed(shown) == qGreen(shown) && qGreen(shown) == qBlue(shown)) << "grey";
        }
    }
}

// ---- dialogs and the keyboard

TEST(SkinButtonDialog, AClickClosesTheDialogWithTheModalResult)
{
    QDialog dialog;
    auto* ok = new SkinButton(QStringLiteral("OK"), &dialog);
    ok->setGeometry(10, 10, 75, 25);
    ok->setModalResult(QDialog::Accepted + 6);
    dialog.open();
    clickOn(*ok);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted + 6);
}

TEST(SkinButtonDialog, EscapeNoControlTookClicksTheCancelButton)
{
    QWidget window;
    auto* edit = new QLineEdit(&window);
    auto* cancel = new SkinButton(QStringLiteral("Cancel"), &window);
    cancel->setGeometry(10, 40, 75, 25);
    int clicks = 0;
    cancel->setOnClick([&] { ++clicks; });
    window.show();
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_Escape);
    EXPECT_EQ(clicks, 0) << "not a cancel button yet";
    cancel->setCancel(true);
    QTest::keyClick(edit, Qt::Key_Escape);
    QTest::keyClick(edit, Qt::Key_Escape, Qt::ControlModifier);
    EXPECT_EQ(clicks, 1) << "Escape with a modifier is not the dialog's";
}

TEST(SkinButtonKeys, TheCaptionsAcceleratorClicksAndFocuses)
{
    QWidget window;
    auto* edit = new QLineEdit(&window);
    auto* go = new SkinButton(QStringLiteral("&Go"), &window);
    go->setGeometry(10, 40, 75, 25);
    auto* option = new SkinButton(QStringLiteral("&Wrap"), &window);
    option->setGeometry(90, 40, 75, 25);
    option->setCheckedMode(true);
    int clicks = 0;
    go->setOnClick([&] { ++clicks; });
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_G, Qt::AltModifier);
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(go->hasFocus());
    QTest::keyClick(go, Qt::Key_W, Qt::AltModifier);
    EXPECT_TRUE(option->isDown()) << "a check button toggles on its accelerator";
    EXPECT_FALSE(option->hasFocus());
    go->setText(QStringLiteral("Go"));
    QTest::keyClick(go, Qt::Key_G, Qt::AltModifier);
    EXPECT_EQ(clicks, 1) << "a caption without \"&\" has no accelerator";
}

} // namespace
} // namespace tessaly::skin::test
