// The layered border on a framed window (off screen): when its strip
// windows exist, how they follow the window, fade with its activation, go
// with it, come and go with the skin, and size the window when dragged.

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

#include "frame_test_support.h"
#include "layer_border_fixture.h"
#include "platform/qt_compositor.h"
#include "platform/qt_frameless_window.h"
#include "skin/data/compressed_stored_skin.h"
#include "skin/frame/application_notifier.h"
#include "skin/frame/form_layer_border.h"
#include "skin/frame/form_layer_window.h"
#include "skin/frame/skin_frame.h"
#include "skin/paint/stack_blur.h"

using namespace tessaly::skin;
using tessaly::platform::FramelessWindow;
using tessaly::platform::setCompositingManagerOverride;
using Type = FormLayerBorderType;

namespace {

// Every strip window there is in the program, shown or not.
int stripWindowsAlive()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    int n = 0;
    for (QWidget* w : QApplication::allWidgets())
        if (dynamic_cast<FormLayerWindow*>(w))
            ++n;
    return n;
}

void loadPewter(SkinData& sd)
{
    CompressedStoredSkin stored;
    stored.loadFromCompressBytes(embedded_pewter());
    sd.loadCompressedStoredSkin(stored);
}

QRect qrect(const Rect& r) { return QRect(r.left, r.top, r.width(), r.height()); }

class LayerBorderTest : public testing::Test {
protected:
    void SetUp() override
    {
        setCompositingManagerOverride(true);
        sd->setNotifier(&ApplicationNotifier::instance());
        window.setDesignClientSize(QSize(300, 200));
        frame = std::make_unique<SkinFrame>(&window);
        frame->setSkinData(sd.get());
    }
    void TearDown() override
    {
        frame.reset();
        setCompositingManagerOverride(std::nullopt);
    }

    void showWindow()
    {
        window.move(200, 150);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        QApplication::setActiveWindow(&window);
        QCoreApplication::processEvents();
    }
    FormLayerBorder& border() { return *frame->layerBorder(); }
    // The strips stand where the layout for the window's bounds puts them.
    void expectAroundWindow()
    {
        const QRect g = window.geometry();
        ASSERT_EQ(border().layout().window, (Rect{g.left(), g.top(), g.right() + 1, g.bottom() + 1}));
        for (Type type : kLayerBorderTypes) {
            ASSERT_NE(border().window(type), nullptr) << int(type);
            EXPECT_TRUE(border().window(type)->isVisible()) << int(type);
            EXPECT_EQ(border().window(type)->geometry(), qrect(border().layout().strip(type).screen)) << int(type);
        }
        // The inner edges meet the window's.
        EXPECT_EQ(border().window(Type::Top)->geometry().bottom() + 1, g.top());
        EXPECT_EQ(border().window(Type::Bottom)->geometry().top(), g.bottom() + 1);
        EXPECT_EQ(border().window(Type::Left)->geometry().right() + 1, g.left());
        EXPECT_EQ(border().window(Type::Right)->geometry().left(), g.right() + 1);
    }

    frametest::LayerSkinFolder folder;
    std::unique_ptr<SkinData> sd = folder.load();
    FramelessWindow window;
    std::unique_ptr<SkinFrame> frame;
};


TEST_F(LayerBorderTest, StripsStandAroundTheWindowAndFollowItsMovesAndResizes)
{
    ASSERT_EQ(sd->layerFrame.pictureIndex, 13);
    EXPECT_EQ(stripWindowsAlive(), 0) << "nothing before the window is shown";
    showWindow();
    ASSERT_TRUE(border().isVisible());
    EXPECT_EQ(stripWindowsAlive(), 4);
    expectAroundWindow();
    for (Type type : kLayerBorderTypes) {
        const FormLayerWindow* w = border().window(type);
        EXPECT_TRUE(w->windowFlags() & Qt::Tool);
        EXPECT_TRUE(w->windowFlags() & Qt::WindowDoesNotAcceptFocus);
        EXPECT_TRUE(w->testAttribute(Qt::WA_TranslucentBackground));
        EXPECT_FALSE(w->windowFlags() & Qt::WindowTransparentForInput) << "the fixture's border sizes the window";
        EXPECT_EQ(w->windowHandle()->transientParent(), window.windowHandle());
        EXPECT_EQ(w->size(), QSize(border().image(type).width(), border().image(type).height()));
    }

    // A move moves the strips and builds nothing.
    const int builds = border().buildCount();
    window.move(260, 170);
    QCoreApplication::processEvents();
    expectAroundWindow();
    EXPECT_EQ(border().buildCount(), builds);

    // A resize builds the images for the new size.
    window.resize(400, 300);
    QCoreApplication::processEvents();
    expectAroundWindow();
    EXPECT_EQ(border().buildCount(), builds + 1);
    EXPECT_EQ(border().image(Type::Top).width(), 400 + 24);
    EXPECT_EQ(border().image(Type::Left).height(), 300);
    EXPECT_FALSE(window.isActiveWindow() && !QApplication::activeWindow()) << "a strip took the activation";
    EXPECT_EQ(QApplication::activeWindow(), &window);
}

TEST_F(LayerBorderTest, OpacityAndPictureFollowTheActivationWithAFade)
{
    showWindow();
    ASSERT_TRUE(border().isVisible());
    ASSERT_TRUE(border().active());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !border().fading(); }, 2000));
    EXPECT_EQ(border().alpha(), 255);
    EXPECT_EQ(border().window(Type::Top)->opacity(), 255);
    const uint32_t activePixel = border().image(Type::Left).getPixel(11, 3);

    // Another window takes the activation: the border fades to the inactive
    // opacity on a timer and shows the inactive picture.
    FramelessWindow other;
    other.move(700, 500);
    other.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&other));
    QApplication::setActiveWindow(&other);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !border().active(); }, 2000));
    EXPECT_EQ(border().targetAlpha(), 128);
    EXPECT_TRUE(border().fading());
    EXPECT_GT(border().alpha(), 128) << "the fade runs on a timer, not at once";
    int steps = 0;
    while (border().fading() && steps < 50) {
        border().fadeStep();
        ++steps;
    }
    EXPECT_FALSE(border().fading());
    EXPECT_EQ(border().alpha(), 128);
    EXPECT_EQ(border().window(Type::Left)->opacity(), 128);
    EXPECT_GE(steps, 2);
    EXPECT_LE(steps, FormLayerBorder::kFadeSteps + 1);
    const uint32_t inactivePixel = border().image(Type::Left).getPixel(11, 3);
    EXPECT_NE(inactivePixel, activePixel);
    EXPECT_EQ(inactivePixel & 0xFFu, 60u) << "blue of the inactive picture";
    EXPECT_EQ(activePixel & 0xFFu, 120u) << "blue of the active picture";

    // Back to active: the timer alone brings the opacity back.
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitFor([&] { return border().active(); }, 2000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !border().fading() && border().alpha() == 255; }, 2000));
    EXPECT_EQ(border().image(Type::Left).getPixel(11, 3), activePixel);
}

TEST_F(LayerBorderTest, NoStripWindowWithoutCompositorLayerFrameOrTheRegistrySwitch)
{
    struct Case {
        const char* name;
        bool compositor;
        bool showLayered;
        bool layered; // the skin has a layer frame
    };
    for (const Case& c : {Case{"no compositing manager", false, true, true},
                          Case{"layered borders off", true, false, true},
                          Case{"skin without layer frame", true, true, false}}) {
        setCompositingManagerOverride(c.compositor);
        sd->setOptions({.showLayeredBorders = c.showLayered});
        if (c.layered)
            folder.loadInto(*sd);
        else
            loadPewter(*sd);
        FramelessWindow w;
        w.setDesignClientSize(QSize(200, 100));
        SkinFrame f(&w);
        f.setSkinData(sd.get());
        w.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
        w.resize(300, 200);
        w.move(50, 60);
        QCoreApplication::processEvents();
        f.layerBorder()->checkCompositor();
        EXPECT_FALSE(f.layerBorder()->isVisible()) << c.name;
        // The main test window is hidden: none of its strips count either.
        EXPECT_EQ(stripWindowsAlive(), 0) << c.name;
        EXPECT_EQ(f.layerBorder()->watchingCompositor(), c.layered) << c.name;
        w.hide();
    }
}

TEST_F(LayerBorderTest, TheSwitchAndTheCompositorBringAndRemoveTheBorder)
{
    showWindow();
    ASSERT_EQ(stripWindowsAlive(), 4);
    // The registry's switch reaches the frame as a notice.
    sd->setOptions({.showLayeredBorders = false});
    EXPECT_FALSE(border().isVisible());
    EXPECT_EQ(stripWindowsAlive(), 0);
    sd->setOptions({.showLayeredBorders = true});
    EXPECT_TRUE(border().isVisible());
    expectAroundWindow();

    // The compositing manager stops, then starts again: the watch notices.
    ASSERT_TRUE(border().watchingCompositor());
    setCompositingManagerOverride(false);
    border().checkCompositor();
    EXPECT_EQ(stripWindowsAlive(), 0);
    setCompositingManagerOverride(true);
    border().checkCompositor();
    EXPECT_EQ(stripWindowsAlive(), 4);
    expectAroundWindow();
}

TEST_F(LayerBorderTest, ASkinChangeRebuildsOrRemovesTheBorderAndLeavesNoStripBehind)
{
    showWindow();
    ASSERT_EQ(stripWindowsAlive(), 4);
    // A skin without layer frame: the strips go, and so does the watch.
    loadPewter(*sd);
    EXPECT_EQ(stripWindowsAlive(), 0);
    EXPECT_FALSE(border().hasLayerFrame());
    EXPECT_FALSE(border().watchingCompositor());
    EXPECT_TRUE(window.isVisible());

    // Back to a layered skin, now with a wider shadow (a 60-pixel picture
    // would not exist: the same picture, the window's place moved in).
    folder.loadInto(*sd);
    EXPECT_EQ(stripWindowsAlive(), 4);
    expectAroundWindow();
    const frametest::LayerSkinFolder narrow([](DataSkinLayerFrame& r) {
        r.clRect = {4, 4, 36, 36};
        r.ltPoint = {8, 4};
        r.rtPoint = {32, 4};
        r.lbPoint = {8, 36};
        r.rbPoint = {32, 36};
    });
    narrow.loadInto(*sd);
    EXPECT_EQ(stripWindowsAlive(), 4);
    expectAroundWindow();
    EXPECT_EQ(border().window(Type::Left)->width(), 4);
    EXPECT_EQ(border().window(Type::Top)->height(), 4);

    // An emptied registry: no border.
    sd->clearSkin();
    EXPECT_EQ(stripWindowsAlive(), 0);
    EXPECT_FALSE(border().hasLayerFrame());
}

TEST_F(LayerBorderTest, TheBorderGoesWithTheWindowAndComesBack)
{
    showWindow();
    ASSERT_EQ(stripWindowsAlive(), 4);
    window.hide();
    EXPECT_EQ(stripWindowsAlive(), 0);
    window.show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return border().isVisible(); }, 2000));
    expectAroundWindow();

    window.showMinimized();
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.isMinimized(); }, 2000));
    EXPECT_EQ(stripWindowsAlive(), 0);
    window.showNormal();
    ASSERT_TRUE(QTest::qWaitFor([&] { return border().isVisible(); }, 2000));
    expectAroundWindow();

    // A maximised window has no room for a border.
    frame->changeWindowState(SkinFrame::WindowState::Maximized);
    EXPECT_EQ(stripWindowsAlive(), 0);
    frame->changeWindowState(SkinFrame::WindowState::Normal);
    EXPECT_TRUE(border().isVisible());
    expectAroundWindow();

    window.close();
    EXPECT_EQ(stripWindowsAlive(), 0);
}

TEST_F(LayerBorderTest, DraggingAStripSizesTheWindowAndTheCursorShowsTheEdge)
{
    showWindow();
    ASSERT_TRUE(border().isVisible());
    const QRect before = window.geometry();
    FormLayerWindow* right = border().window(Type::Right);
    FormLayerWindow* bottom = border().window(Type::Bottom);
    // 3 pixels out of the window's right edge, half-way down.
    const QPoint onRight(3, right->height() / 2);
    QTest::mouseMove(right, onRight);
    EXPECT_EQ(right->cursor().shape(), Qt::SizeHorCursor);
    // The shadow beyond the sensitive border does nothing.
    QTest::mouseMove(right, QPoint(10, right->height() / 2));
    EXPECT_EQ(right->cursor().shape(), Qt::ArrowCursor);
    // The bottom-right corner.
    const QPoint corner(bottom->width() - 10, 3);
    QTest::mouseMove(bottom, corner);
    EXPECT_EQ(bottom->cursor().shape(), Qt::SizeFDiagCursor);

    // Off screen there is no window manager to size: the frame follows the
    // pointer itself, from the strip's moves.
    QTest::mousePress(right, Qt::LeftButton, {}, onRight);
    EXPECT_TRUE(frame->sizeMoveRunning());
    QTest::mouseMove(right, onRight + QPoint(40, 25));
    EXPECT_EQ(window.geometry(), QRect(before.topLeft(), before.size() + QSize(40, 0)));
    QTest::mouseRelease(right, Qt::LeftButton, {}, onRight + QPoint(40, 25));
    EXPECT_FALSE(frame->sizeMoveRunning());
    QCoreApplication::processEvents();
    expectAroundWindow();

    // Not below the frame's minimum width.
    QTest::mousePress(border().window(Type::Left), Qt::LeftButton, {}, QPoint(9, 20));
    QTest::mouseMove(border().window(Type::Left), QPoint(9 + 1000, 20));
    QTest::mouseRelease(border().window(Type::Left), Qt::LeftButton, {}, QPoint(9 + 1000, 20));
    EXPECT_EQ(window.width(), frame->getMinWidth());
    EXPECT_EQ(window.geometry().right(), before.right() + 40) << "the right edge stays";
    QCoreApplication::processEvents();
    expectAroundWindow();

    // A window that cannot be sized shows no sizing cursor and ignores presses.
    frame->setResizable(false);
    const QSize size = window.size();
    right = border().window(Type::Right);
    QTest::mouseMove(right, onRight);
    EXPECT_EQ(right->cursor().shape(), Qt::ArrowCursor);
    QTest::mousePress(right, Qt::LeftButton, {}, onRight);
    QTest::mouseMove(right, onRight + QPoint(30, 0));
    QTest::mouseRelease(right, Qt::LeftButton, {}, onRight + QPoint(30, 0));
    EXPECT_FALSE(frame->sizeMoveRunning());
    EXPECT_EQ(window.size(), size);
}

TEST_F(LayerBorderTest, ABorderWithoutSensitiveRectangleLetsThePointerThrough)
{
    const frametest::LayerSkinFolder decoration([](DataSkinLayerFrame& r) { r.borderRect = {}; });
    decoration.loadInto(*sd);
    showWindow();
    ASSERT_TRUE(border().isVisible());
    for (Type type : kLayerBorderTypes) {
        EXPECT_TRUE(border().window(type)->windowFlags() & Qt::WindowTransparentForInput) << int(type);
        EXPECT_TRUE(border().window(type)->testAttribute(Qt::WA_TransparentForMouseEvents)) << int(type);
    }
}

TEST_F(LayerBorderTest, WithoutAFittingInactivePictureTheActivePictureShowsAtTheInactiveOpacity)
{
    // No inactive picture, and one of another size than the layer picture
    // (the built-in skin's first picture): its cut points would not fit it.
    for (const int index : {-1, 0}) {
        const frametest::LayerSkinFolder skin([&](DataSkinLayerFrame& r) { r.inActivePictureIndex = index; });
        skin.loadInto(*sd);
        showWindow();
        ASSERT_TRUE(border().isVisible()) << index;
        const uint32_t activePixel = border().image(Type::Left).getPixel(11, 3);
        border().setActive(false);
        EXPECT_EQ(border().targetAlpha(), 128) << index;
        EXPECT_EQ(border().image(Type::Left).getPixel(11, 3), activePixel) << index;
        EXPECT_EQ(activePixel & 0xFFu, 120u) << index;
        window.hide();
    }
}

// ---- full-border mode --------------------------------------------------------


// The fixture's border as a full border: its top band (12 rows) carries the
// caption, from x 2 to 38 of the picture; the caption buttons stand at its
// right end.
class FullBorderTest : public LayerBorderTest {
protected:
    void SetUp() override
    {
        sd = full.load();
        LayerBorderTest::SetUp();
        window.setWindowTitle(QStringLiteral("Full"));
    }
    const Bitmap& top() { return border().image(Type::Top); }
    int indexOf(const char* name) const { return frame->getIndex(name); }
    Rect rectOf(int index) { return border().objectRects()[std::size_t(index)]; }
    // The strip's own pixels under the objects, as the border's picture
    // gives them.
    Bitmap plainTop()
    {
        Bitmap prepared;
        prepared.assign(pixelView(*sd->activePicture(sd->layerFrame.pictureIndex)));
        alphaFromMask(prepared, pixelView(*sd->activePicture(sd->layerFrame.maskPictureIndex)));
        prepared.checkRGBA();
        Bitmap b;
        buildLayerImage(b, prepared.view(), border().layout().strip(Type::Top));
        return b;
    }

    const frametest::LayerSkinFolder full{[](DataSkinLayerFrame& r) {
        r.fullBorder = true;
        r.captionRect = {2, 0, 38, 12};
        r.rollUpFormHeight = 20;
    }};
};


TEST_F(FullBorderTest, TheWindowIsAllClientAreaAndTheTopStripCarriesTheCaptionAndItsButtons)
{
    showWindow();
    ASSERT_TRUE(border().fullBorder());
    ASSERT_TRUE(border().isVisible());
    // No frame of its own: the window is its client size, all client.
    EXPECT_EQ(window.size(), QSize(300, 200));
    EXPECT_EQ(frame->layout().clientRect, (Rect{0, 0, 300, 200}));
    EXPECT_EQ(frame->hitTest(QPoint(150, 5)).hit, FrameHit::Client);
    EXPECT_EQ(frame->hitTest(QPoint(1, 1)).hit, FrameHit::Client);
    EXPECT_FALSE(window.clientArea()->geometry().isEmpty());

    // The close button at the caption's right end on the strip (324 wide,
    // 284 more than the picture), drawn from its picture, opaque.
    const int close = indexOf("closebutton");
    ASSERT_GE(close, 0);
    const auto& record = dynamic_cast<const DataSkinStdButton&>(*sd->objectList()[std::size_t(sd->getIndex("closebutton"))]);
    const Rect r = rectOf(close);
    EXPECT_EQ(r.right, 38 + 324 - 40);
    EXPECT_EQ(r.width(), record.skinRect.width());
    const Picture& buttons = *sd->activePicture(record.activePictureIndex);
    for (int y = 0; y < std::min(r.height(), top().height()); ++y)
        for (int x = 0; x < r.width(); ++x)
            ASSERT_EQ(top().getPixel(r.left + x, r.top + y), buttons.scanLine(record.skinRect.top + y)[record.skinRect.left + x] | 0xFF000000u)
                << x << "," << y;

    // The caption's text lies on the strip between the buttons, keeping the
    // strip's alpha.
    const int caption = indexOf("caption");
    const Rect c = rectOf(caption);
    ASSERT_FALSE(c.isEmpty());
    EXPECT_LE(c.right, r.left);
    const Bitmap plain = plainTop();
    int written = 0;
    for (int y = c.top; y < std::min(c.bottom, top().height()); ++y)
        for (int x = c.left; x < c.right; ++x) {
            const uint32_t shown = top().getPixel(x, y), under = plain.getPixel(x, y);
            ASSERT_EQ(shown >> 24, under >> 24) << x << "," << y;
            written += shown != under;
        }
    EXPECT_GT(written, 0) << "no text on the strip";
}

TEST_F(FullBorderTest, TheStripShowsTheButtonsStatesAndTheWindowsActivation)
{
    showWindow();
    ASSERT_TRUE(border().fullBorder());
    const int close = indexOf("closebutton");
    const auto& record = dynamic_cast<const DataSkinStdButton&>(*sd->objectList()[std::size_t(sd->getIndex("closebutton"))]);
    const Picture& buttons = *sd->activePicture(record.activePictureIndex);
    auto shows = [&](const Rect& source) {
        const Rect r = rectOf(close);
        for (int y = 0; y < std::min(r.height(), top().height()); ++y)
            for (int x = 0; x < r.width(); ++x)
                if (top().getPixel(r.left + x, r.top + y) != (buttons.scanLine(source.top + y)[source.left + x] | 0xFF000000u))
                    return false;
        return true;
    };
    ASSERT_TRUE(shows(record.skinRect));
    // Hot: the strip is drawn again with the hot look (no cross-fade on a
    // full border).
    auto& button = const_cast<CaptionButton&>(frame->objects()[std::size_t(close)]);
    button.showHot();
    frame->redrawObject(close);
    EXPECT_TRUE(shows(record.activeSkinRect));
    button.reset();
    frame->redrawObject(close);
    EXPECT_TRUE(shows(record.skinRect));
    if (!record.inActiveSkinRect.isEmpty()) {
        border().setActive(false);
        EXPECT_TRUE(shows(record.inActiveSkinRect));
    }
}

TEST_F(FullBorderTest, WithoutACompositorTheWindowTakesBackItsFrame)
{
    showWindow();
    ASSERT_EQ(window.size(), QSize(300, 200));
    setCompositingManagerOverride(false);
    border().checkCompositor();
    QCoreApplication::processEvents();
    EXPECT_FALSE(border().fullBorder());
    EXPECT_FALSE(frame->layout().allClient);
    const FrameMargins m = frameMargins(FrameSkinGeometry::from(*sd));
    EXPECT_EQ(window.size(), QSize(300 + m.left + m.right, 200 + m.top + m.bottom));
    setCompositingManagerOverride(true);
    border().checkCompositor();
    QCoreApplication::processEvents();
    EXPECT_EQ(window.size(), QSize(300, 200));
    EXPECT_TRUE(border().isVisible());
}


QPoint centreOnScreen(const Rect& r) { return QPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2); }


TEST_F(FullBorderTest, TheStripsButtonsTakeThePointerAndRunTheirCommands)
{
    showWindow();
    ASSERT_TRUE(border().fullBorder());
    const int close = indexOf("closebutton");
    const Rect onScreen = frame->objectOnScreen(close);
    const Rect& strip = border().layout().strip(Type::Top).screen;
    EXPECT_EQ(onScreen, rectOf(close).translated(strip.left, strip.top));
    // The top strip takes the pointer all over, also where it sizes nothing.
    EXPECT_FALSE(border().window(Type::Top)->windowFlags() & Qt::WindowTransparentForInput);

    const QPoint at = centreOnScreen(onScreen);
    EXPECT_EQ(border().stripMove(Type::Top, at), Qt::ArrowCursor);
    EXPECT_EQ(frame->activeObject(), close);
    EXPECT_TRUE(frame->objects()[std::size_t(close)].hot());
    border().stripPress(Type::Top, at, Qt::LeftButton);
    EXPECT_TRUE(frame->objects()[std::size_t(close)].pressed());
    border().stripRelease(Type::Top, at, Qt::LeftButton);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !window.isVisible(); }, 2000));
}

TEST_F(FullBorderTest, TheCaptionOnTheStripMovesTheWindowAndADoubleClickMaximisesIt)
{
    showWindow();
    ASSERT_TRUE(border().fullBorder());
    const int caption = indexOf("caption");
    const QPoint at = centreOnScreen(frame->objectOnScreen(caption));
    const QPoint start = window.pos();
    border().stripPress(Type::Top, at, Qt::LeftButton);
    ASSERT_TRUE(frame->sizeMoveRunning());
    if (frame->sizing().ownTracking()) {
        // No window manager here: the frame moves the window itself.
        border().stripMove(Type::Top, at + QPoint(30, 20));
        border().stripRelease(Type::Top, at + QPoint(30, 20), Qt::LeftButton);
        EXPECT_EQ(window.pos(), start + QPoint(30, 20));
        EXPECT_FALSE(frame->sizeMoveRunning());
    } else {
        frame->sizing().end();
    }

    const QPoint again = centreOnScreen(frame->objectOnScreen(caption));
    border().stripPress(Type::Top, again, Qt::LeftButton, true);
    EXPECT_EQ(frame->windowState(), SkinFrame::WindowState::Maximized);
}

// Maximised, a full border stays (the window has no caption of its own) and
// the window leaves the border's sizes free around it in the work area.
TEST_F(FullBorderTest, MaximisedTheWindowKeepsItsCaptionStripAndLeavesItRoom)
{
    showWindow();
    ASSERT_TRUE(border().fullBorder());
    frame->changeWindowState(SkinFrame::WindowState::Maximized);
    QCoreApplication::processEvents();
    const DataSkinLayerFrame& d = sd->layerFrame;
    const QRect area = frame->sizeLimits().workArea();
    EXPECT_EQ(window.geometry(), area.adjusted(d.clRect.left - d.borderRect.left, d.clRect.top - d.borderRect.top,
                                               d.clRect.right - d.borderRect.right, d.clRect.bottom - d.borderRect.bottom));
    EXPECT_NE(window.geometry(), area);
    ASSERT_TRUE(border().isVisible());
    EXPECT_EQ(stripWindowsAlive(), 4);
    EXPECT_FALSE(frame->objectOnScreen(indexOf("caption")).isEmpty());
    frame->changeWindowState(SkinFrame::WindowState::Normal);
    EXPECT_EQ(window.size(), QSize(300, 200));
    EXPECT_TRUE(border().isVisible());
}

TEST_F(FullBorderTest, RolledUpTheBorderKeepsItsStripAtTheRollUpHeight)
{
    showWindow();
    ASSERT_TRUE(border().fullBorder());
    frame->switchRollUp(true);
    QCoreApplication::processEvents();
    border().update();
    ASSERT_TRUE(border().isVisible());
    // The outer height is the roll-up height (20) and what the picture
    // adds around the window (24); the top strip keeps its 12 rows.
    EXPECT_EQ(border().layout().outer.height(), 20 + 24);
    EXPECT_EQ(border().layout().strip(Type::Top).screen.height(), 12);
    EXPECT_GE(indexOf("caption"), 0);
    EXPECT_FALSE(border().objectRects()[std::size_t(indexOf("caption"))].isEmpty());
}

} // namespace
