// The push button: each state's pixels against the record composed by
// hand, the cross-fade, clicks from the mouse and the keyboard, and the
// glow window.

#include "pewter_fixture.h"
#include "skin/controls/button_look.h"
#include "skin/controls/skin_button.h"
#include "skin/paint/bitmap_canvas.h"
#include "skin/paint/effect_bmp.h"

#include <QKeyEvent>
#include <QTest>

#include <functional>

namespace tessaly::skin::test {
namespace {

const DataSkinButtonControl& buttonRecord() { return recordOf<DataSkinButtonControl>("button"); }

void focusIn(QWidget& w, Qt::FocusReason reason = Qt::TabFocusReason)
{
    QFocusEvent event(QEvent::FocusIn, reason);
    QCoreApplication::sendEvent(&w, &event);
}

void focusOut(QWidget& w, Qt::FocusReason reason = Qt::TabFocusReason)
{
    QFocusEvent event(QEvent::FocusOut, reason);
    QCoreApplication::sendEvent(&w, &event);
}

void finishFade(SkinButton& b)
{
    for (int i = 0; i < 10 && b.morphRunning(); ++i)
        b.morphTick();
}

struct Bound {
    QWidget parent;
    SkinButton* button;
    explicit Bound(const QString& caption = {})
    {
        parent.resize(200, 100);
        button = new SkinButton(caption, &parent);
        button->setSkinData(&pewter());
        button->setGeometry(10, 10, 75, 25);
    }
};

struct StateCase {
    const char* name;
    std::function<void(SkinButton&)> enter;
    Rect DataSkinButtonControl::*rect;
    SkinButton::Face face;
};

TEST(SkinButtonFaces, EachStateIsTheRecordComposedAtTheButtonsSize)
{
    const StateCase cases[] = {
        {"normal", [](SkinButton&) {}, &DataSkinButtonControl::skinRect, SkinButton::Face::Normal},
        {"hot",
         [](SkinButton& b) {
             hover(b);
             finishFade(b);
         },
         &DataSkinButtonControl::activeSkinRect, SkinButton::Face::Hot},
        {"pressed", [](SkinButton& b) { QTest::mousePress(&b, Qt::LeftButton, {}, QPoint(30, 12)); },
         &DataSkinButtonControl::downSkinRect, SkinButton::Face::Pressed},
        {"focused",
         [](SkinButton& b) {
             focusIn(b);
             finishFade(b);
         },
         &DataSkinButtonControl::focusedSkinRect, SkinButton::Face::Focused},
        {"disabled", [](SkinButton& b) { b.setEnabled(false); }, &DataSkinButtonControl::disabledSkinRect,
         SkinButton::Face::Disabled},
    };
    for (const StateCase& c : cases) {
        SCOPED_TRACE(c.name);
        Bound bound;
        SkinButton& b = *bound.button;
        c.enter(b);
        ASSERT_EQ(b.currentFace(), c.face);
        const Rect source = buttonRecord().*c.rect;
        ASSERT_FALSE(source.isEmpty());
        const QImage image = grabbed(b);
        Bitmap expected = nineFace(buttonRecord(), source, 75, 25);
        if (c.face == SkinButton::Face::Focused && buttonRecord().showFocus) {
            // The skin asks for the dotted focus mark around the text area,
            // in the colour of the text over the focused face.
            const Rect& cl = buttonRecord().clRect;
            const int dW = 75 - buttonRecord().skinRect.width();
            const int dH = 25 - buttonRecord().skinRect.height();
            drawFocusFrame(expected, {cl.left, cl.top, cl.right + dW, cl.bottom + dH}, buttonRecord().activeFontColor);
        }
        EXPECT_EQ(differingPixels(image, expected, b.rect(), b.mask()), 0);
        // The states differ from each other where it matters.
        if (c.face != SkinButton::Face::Normal) {
            EXPECT_GT(differingPixels(image, nineFace(buttonRecord(), buttonRecord().skinRect, 75, 25), b.rect(),
                                      b.mask()),
                      0);
        }
    }
}

TEST(SkinButtonFaces, ShapeIsTheRecordsMask)
{
    Bound bound;
    EXPECT_FALSE(bound.button->mask().isEmpty());
    // The corners of the pewter button are rounded off.
    EXPECT_FALSE(bound.button->mask().contains(QPoint(0, 0)));
    EXPECT_TRUE(bound.button->mask().contains(QPoint(37, 12)));
}

TEST(SkinButtonFaces, CaptionIsDrawnInTheClientAreaOnly)
{
    Bound bound(QStringLiteral("Validate"));
    const QImage image = grabbed(*bound.button);
    const Bitmap expected = nineFace(buttonRecord(), buttonRecord().skinRect, 75, 25);
    const Rect cl = buttonRecord().clRect; // grown by the extra width
    const QRect client(cl.left, cl.top, cl.width() + 75 - 48, cl.height());
    EXPECT_GT(differingPixels(image, expected, client), 20);
    QRegion outside = QRegion(bound.button->rect()).subtracted(client);
    int stray = 0;
    for (const QRect& r : outside)
        stray += differingPixels(image, expected, r, bound.button->mask());
    EXPECT_EQ(stray, 0);
}

TEST(SkinButtonFaces, CrossFadeTickMixesNormalAndHotFaces)
{
    Bound bound;
    SkinButton& b = *bound.button;
    hover(b);
    ASSERT_TRUE(b.morphRunning());
    // Entering shows the normal face until the first step.
    EXPECT_EQ(differingPixels(grabbed(b), nineFace(buttonRecord(), buttonRecord().skinRect, 75, 25), b.rect(),
                              b.mask()),
              0);
    b.morphTick();
    b.morphTick();
    EXPECT_DOUBLE_EQ(b.morphFactor(), 0.4);
    EffectBmp mixed(nineFace(buttonRecord(), buttonRecord().skinRect, 75, 25).view());
    mixed.morphBy(buttonRecord().morphKind, EffectBmp(nineFace(buttonRecord(), buttonRecord().activeSkinRect, 75, 25).view()),
                  0.4);
    Bitmap expected(75, 25);
    mixed.draw(expected.surface(), 0, 0);
    EXPECT_EQ(differingPixels(grabbed(b), expected, b.rect(), b.mask()), 0);
}

TEST(SkinButtonFaces, FadeTakesFiveTicksEachWayThenStops)
{
    Bound bound;
    SkinButton& b = *bound.button;
    hover(b);
    int ticks = 0;
    while (b.morphFactor() < 1.0 && ticks < 20) {
        b.morphTick();
        ++ticks;
    }
    EXPECT_EQ(ticks, 5);
    b.morphTick();
    EXPECT_FALSE(b.morphRunning());
    unhover(b);
    ticks = 0;
    while (b.morphFactor() > 0.0 && ticks < 20) {
        b.morphTick();
        ++ticks;
    }
    EXPECT_EQ(ticks, 5);
}

TEST(SkinButtonFaces, PopupTakingTheFocusKeepsTheFocusedFace)
{
    Bound bound;
    SkinButton& b = *bound.button;
    focusIn(b);
    finishFade(b);
    ASSERT_EQ(b.currentFace(), SkinButton::Face::Focused);
    focusOut(b, Qt::PopupFocusReason);
    EXPECT_EQ(b.currentFace(), SkinButton::Face::Focused);
    EXPECT_FALSE(b.morphRunning());
    focusIn(b, Qt::PopupFocusReason);
    focusOut(b, Qt::TabFocusReason);
    EXPECT_NE(b.currentFace(), SkinButton::Face::Focused);
}

TEST(SkinButtonFaces, WithoutRecordTheBuiltInFaceAndDefaultSize)
{
    QWidget parent;
    auto* b = new SkinButton(QString(), &parent);
    b->setSkinDataName("no such record");
    b->setDefaultWidth(90);
    b->setDefaultHeight(30);
    b->setSkinData(&pewter());
    EXPECT_EQ(b->index(), -1);
    EXPECT_EQ(b->size(), QSize(90, 30));
    const QImage image = grabbed(*b);
    EXPECT_EQ(image.pixel(0, 0), qColorOf(systemColorValue(SystemColor::BtnShadow)).rgb());
    EXPECT_EQ(image.pixel(45, 15), qColorOf(systemColorValue(SystemColor::BtnFace)).rgb());
    hover(*b);
    EXPECT_EQ(image.pixel(45, 15) == grabbed(*b).pixel(45, 15), false);
}

// ---- clicks

struct ClickCase {
    const char* name;
    std::function<void(SkinButton&)> act;
    int clicks;
};

void key(SkinButton& b, QEvent::Type type, int k, bool autoRepeat = false, quint64 timestamp = 0)
{
    QKeyEvent event(type, k, Qt::NoModifier, k == Qt::Key_Space ? QStringLiteral(" ") : QString(), autoRepeat);
    event.setTimestamp(timestamp);
    QCoreApplication::sendEvent(&b, &event);
}

TEST(SkinButtonClicks, OnePerPressAndNoneAfterDraggingOut)
{
    const QPoint in(30, 12);
    const QPoint out(120, 60);
    const ClickCase cases[] = {
        {"left click", [&](SkinButton& b) { QTest::mouseClick(&b, Qt::LeftButton, {}, in); }, 1},
        {"right click", [&](SkinButton& b) { QTest::mouseClick(&b, Qt::RightButton, {}, in); }, 0},
        {"press, drag out, release",
         [&](SkinButton& b) {
             QTest::mousePress(&b, Qt::LeftButton, {}, in);
             QTest::mouseMove(&b, out);
             QTest::mouseRelease(&b, Qt::LeftButton, {}, out);
         },
         0},
        {"press, out and back in, release",
         [&](SkinButton& b) {
             QTest::mousePress(&b, Qt::LeftButton, {}, in);
             QTest::mouseMove(&b, out);
             QTest::mouseMove(&b, in);
             QTest::mouseRelease(&b, Qt::LeftButton, {}, in);
         },
         1},
        {"Enter", [](SkinButton& b) { QTest::keyClick(&b, Qt::Key_Return); }, 1},
        {"held Enter repeating",
         [](SkinButton& b) {
             key(b, QEvent::KeyPress, Qt::Key_Return);
             key(b, QEvent::KeyPress, Qt::Key_Return, true);
             key(b, QEvent::KeyPress, Qt::Key_Return, true);
             key(b, QEvent::KeyRelease, Qt::Key_Return);
         },
         1},
        {"Space", [](SkinButton& b) { QTest::keyClick(&b, Qt::Key_Space); }, 1},
        {"held Space with auto-repeat pairs",
         [](SkinButton& b) {
             key(b, QEvent::KeyPress, Qt::Key_Space);
             for (int i = 0; i < 4; ++i) {
                 key(b, QEvent::KeyRelease, Qt::Key_Space, true);
                 key(b, QEvent::KeyPress, Qt::Key_Space, true);
             }
             key(b, QEvent::KeyRelease, Qt::Key_Space);
         },
         1},
        {"held Space, repeat pairs not marked but with equal timestamps",
         [](SkinButton& b) {
             key(b, QEvent::KeyPress, Qt::Key_Space, false, 1000);
             for (quint64 t = 1500; t < 1700; t += 50) {
                 key(b, QEvent::KeyRelease, Qt::Key_Space, false, t);
                 key(b, QEvent::KeyPress, Qt::Key_Space, false, t);
             }
             key(b, QEvent::KeyRelease, Qt::Key_Space, false, 1800);
         },
         1},
        {"Space twice",
         [](SkinButton& b) {
             key(b, QEvent::KeyPress, Qt::Key_Space, false, 1000);
             key(b, QEvent::KeyRelease, Qt::Key_Space, false, 1100);
             key(b, QEvent::KeyPress, Qt::Key_Space, false, 1200);
             key(b, QEvent::KeyRelease, Qt::Key_Space, false, 1300);
         },
         2},
        {"Space released without a press on the button",
         [](SkinButton& b) { key(b, QEvent::KeyRelease, Qt::Key_Space); }, 0},
        {"Space pressed, focus lost, released",
         [](SkinButton& b) {
             key(b, QEvent::KeyPress, Qt::Key_Space);
             focusOut(b);
             key(b, QEvent::KeyRelease, Qt::Key_Space);
         },
         0},
    };
    for (const ClickCase& c : cases) {
        SCOPED_TRACE(c.name);
        Bound bound(QStringLiteral("Validate"));
        int clicks = 0;
        bound.button->setOnClick([&] { ++clicks; });
        c.act(*bound.button);
        QTest::qWait(60); // a Space release clicks after a short wait
        EXPECT_EQ(clicks, c.clicks);
        EXPECT_FALSE(bound.button->isDown());
    }
}

TEST(SkinButtonClicks, DraggedOutShowsUpFaceAndBackInShowsPressed)
{
    Bound bound;
    SkinButton& b = *bound.button;
    QTest::mousePress(&b, Qt::LeftButton, {}, QPoint(30, 12));
    EXPECT_EQ(b.currentFace(), SkinButton::Face::Pressed);
    QTest::mouseMove(&b, QPoint(150, 60));
    EXPECT_NE(b.currentFace(), SkinButton::Face::Pressed);
    QTest::mouseMove(&b, QPoint(30, 12));
    EXPECT_EQ(b.currentFace(), SkinButton::Face::Pressed);
    QTest::mouseRelease(&b, Qt::LeftButton, {}, QPoint(30, 12));
}

// ---- glow

class FakeGlow : public GlowLayer {
public:
    FakeGlow(int& shows, int& hides, QSize& size, bool available = true)
        : m_shows(shows)
        , m_hides(hides)
        , m_size(size)
        , m_available(available)
    {
    }
    bool available() const override { return m_available; }
    void show(const QPoint&, const Bitmap& image, const Bitmap&, int, bool) override
    {
        ++m_shows;
        m_size = QSize(image.width(), image.height());
    }
    void hide() override { ++m_hides; }

private:
    int& m_shows;
    int& m_hides;
    QSize& m_size;
    bool m_available;
};

TEST(SkinButtonGlow, ShownOnEnterGrownWithTheButton)
{
    Bound bound;
    int shows = 0, hides = 0;
    QSize size;
    bound.button->setGlowLayer(std::make_unique<FakeGlow>(shows, hides, size));
    bound.parent.show();
    hover(*bound.button);
    EXPECT_EQ(shows, 1);
    const Picture* glow = pewter().activePicture(buttonRecord().glowLayerPictureIndex);
    ASSERT_NE(glow, nullptr);
    EXPECT_EQ(size, QSize(glow->width() + 75 - 48, glow->height()));
    unhover(*bound.button);
    EXPECT_EQ(hides, 1);
    EXPECT_FALSE(bound.button->glowShown());
}

TEST(SkinButtonGlow, AGlowShownIsAlwaysHiddenAgain)
{
    const std::pair<const char*, std::function<void(Bound&)>> ways[] = {
        {"leave", [](Bound& b) { unhover(*b.button); }},
        {"hide", [](Bound& b) { b.button->hide(); }},
        {"move", [](Bound& b) { b.button->move(40, 40); }},
        {"disable", [](Bound& b) { b.button->setEnabled(false); }},
        {"window moved", [](Bound& b) { b.parent.move(b.parent.pos() + QPoint(30, 0)); }},
        {"window deactivated",
         [](Bound& b) {
             QEvent deactivate(QEvent::WindowDeactivate);
             QCoreApplication::sendEvent(&b.parent, &deactivate);
         }},
        {"skin about to change", [](Bound& b) { b.button->beforeChangeSkinData(); }},
    };
    for (const auto& [name, way] : ways) {
        SCOPED_TRACE(name);
        // Shown by the button's own setting while the registry's is off:
        // still hidden on every way out.
        pewter().setOptions({.showButtonGlowFrames = false});
        Bound bound;
        bound.button->setAlwaysShowLayeredFrame(true);
        int shows = 0, hides = 0;
        QSize size;
        bound.button->setGlowLayer(std::make_unique<FakeGlow>(shows, hides, size));
        bound.parent.show();
        hover(*bound.button);
        ASSERT_EQ(shows, 1);
        way(bound);
        EXPECT_EQ(hides, 1);
        EXPECT_FALSE(bound.button->glowShown());
        pewter().setOptions({});
    }
}

TEST(SkinButtonGlow, NoneWithoutTranslucentWindowsOrWhenSwitchedOff)
{
    {
        Bound bound;
        int shows = 0, hides = 0;
        QSize size;
        bound.button->setGlowLayer(std::make_unique<FakeGlow>(shows, hides, size, false));
        bound.parent.show();
        hover(*bound.button);
        EXPECT_EQ(shows, 0);
    }
    {
        pewter().setOptions({.showButtonGlowFrames = false});
        Bound bound;
        int shows = 0, hides = 0;
        QSize size;
        bound.button->setGlowLayer(std::make_unique<FakeGlow>(shows, hides, size));
        bound.parent.show();
        hover(*bound.button);
        EXPECT_EQ(shows, 0);
        pewter().setOptions({});
    }
}

} // namespace
} // namespace tessaly::skin::test
