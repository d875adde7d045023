// The sampler's full layered border on a real X server: Xvfb with openbox
// (our configuration) and xcompmgr. The window is all client area; the
// border's top strip carries the caption and the caption buttons, and takes
// the pointer for them: a drag on the caption moves the window, a double
// click maximises and restores it, the close button closes it.

#include <QApplication>
#include <QProcess>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

#include "sampler_skin.h"
#include "own_display.h"
#include "platform/qt_compositor.h"
#include "platform/qt_frameless_window.h"
#include "skin/data/skin_data.h"
#include "skin/frame/form_layer_border.h"
#include "skin/frame/form_layer_window.h"
#include "skin/frame/skin_frame.h"
#include "x11_probe.h"
#include "x11_session.h"

using namespace tessaly;
using skin::FormLayerBorderType;
using skin::SkinFrame;

namespace {

x11test::X11Session* g_session = nullptr;

void xdotool(const QStringList& arguments)
{
    ASSERT_EQ(QProcess::execute(QStringLiteral("xdotool"), arguments), 0) << arguments.join(' ').toStdString();
}

QString num(long long v) { return QString::number(v); }

void pointerTo(const QPoint& p) { xdotool({QStringLiteral("mousemove"), num(p.x()), num(p.y())}); }

QPoint centreOf(const skin::Rect& r) { return QPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2); }

class FullBorderX11Test : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(probe.ok());
        if (!g_session->compositorRunning()) {
            ASSERT_TRUE(g_session->startCompositor()) << g_session->error();
        }
        ASSERT_TRUE(QTest::qWaitFor([] { return platform::compositingManagerRunning(); }, 5000));
        ASSERT_TRUE(sd->layerFrame.fullBorder) << "the sampler has no full border";
        window.setDesignClientSize(QSize(360, 220));
        window.setWindowTitle(QStringLiteral("Full border"));
        frame = std::make_unique<SkinFrame>(&window);
        frame->setSkinData(sd.get());
        // The pointer comes from outside the window, as a user's would (not
        // left over the strip of the previous test's window).
        pointerTo(QPoint(5, 5));
        window.move(200, 150);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        ASSERT_TRUE(QTest::qWaitFor([&] { return frame->formActive(); }, 5000));
        ASSERT_TRUE(QTest::qWaitFor([&] { return topOnServer().empty(); }, 3000)) << topOnServer();
        caption = frame->getIndex("caption");
        close = frame->getIndex("closebutton");
        ASSERT_GE(caption, 0);
        ASSERT_GE(close, 0);
    }
    void TearDown() override
    {
        window.hide();
        frame.reset();
    }

    skin::FormLayerBorder& border() { return *frame->layerBorder(); }

    // The top strip is mapped where the layout places it, its bottom edge on
    // the window's top edge, as the X server has them.
    std::string topOnServer()
    {
        const skin::FormLayerWindow* strip = border().window(FormLayerBorderType::Top);
        if (!strip)
            return "no top strip";
        const uint32_t id = uint32_t(strip->winId());
        const QRect s = probe.rootGeometry(id);
        const QRect w = probe.rootGeometry(uint32_t(window.winId()));
        const skin::Rect& laid = border().layout().strip(FormLayerBorderType::Top).screen;
        if (!probe.viewable(id) || s != QRect(laid.left, laid.top, laid.width(), laid.height())
            || s.bottom() + 1 != w.top())
            return "top strip at " + std::to_string(s.x()) + "," + std::to_string(s.y()) + " " + std::to_string(s.width())
                + "x" + std::to_string(s.height()) + ", window top " + std::to_string(w.top());
        return {};
    }

    // A point of the caption on the screen clear of the buttons and the
    // window icon: its middle.
    QPoint onCaption() { return centreOf(frame->objectOnScreen(caption)); }

    void doubleClickAt(const QPoint& p)
    {
        pointerTo(p);
        QTest::qWait(100);
        xdotool({QStringLiteral("click"), QStringLiteral("--repeat"), QStringLiteral("2"), QStringLiteral("--delay"),
                 QStringLiteral("80"), QStringLiteral("1")});
    }

    frametest::X11Probe probe;
    std::unique_ptr<skin::SkinData> sd = frametest::sampler();
    platform::FramelessWindow window;
    std::unique_ptr<SkinFrame> frame;
    int caption = -1;
    int close = -1;
};


TEST_F(FullBorderX11Test, TheWindowIsAllClientAndTheTopStripCarriesTheCaption)
{
    ASSERT_TRUE(border().fullBorder());
    EXPECT_TRUE(frame->layout().allClient);
    EXPECT_EQ(window.size(), QSize(360, 220));
    // The caption and its close button stand on the strip, inside it.
    const skin::Rect& strip = border().layout().strip(FormLayerBorderType::Top).screen;
    for (int index : {caption, close}) {
        const skin::Rect r = frame->objectOnScreen(index);
        ASSERT_FALSE(r.isEmpty()) << index;
        EXPECT_TRUE(r.left >= strip.left && r.right <= strip.right && r.top >= strip.top && r.bottom <= strip.bottom)
            << index;
    }
    // The strip takes the pointer over the caption (it is no see-through
    // shadow there).
    const QRegion input = probe.shape(uint32_t(border().window(FormLayerBorderType::Top)->winId()), XCB_SHAPE_SK_INPUT);
    EXPECT_TRUE(input.contains(onCaption() - QPoint(strip.left, strip.top)));
}

TEST_F(FullBorderX11Test, DraggingTheCaptionOnTheStripMovesTheWindow)
{
    const QRect before = window.geometry();
    const QPoint from = onCaption();
    const QPoint delta(70, 40);
    pointerTo(from);
    QTest::qWait(50);
    xdotool({QStringLiteral("mousedown"), QStringLiteral("1")});
    QTest::qWait(100);
    for (int i = 1; i <= 5; ++i) {
        pointerTo(from + delta * i / 5);
        QTest::qWait(40);
    }
    xdotool({QStringLiteral("mouseup"), QStringLiteral("1")});
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.pos() == before.topLeft() + delta; }, 3000))
        << window.x() << "," << window.y();
    EXPECT_EQ(window.size(), before.size());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !frame->sizeMoveRunning(); }, 2000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return topOnServer().empty(); }, 3000)) << topOnServer();
    // The caption is under the pointer again, where it was grabbed.
    EXPECT_EQ(onCaption(), from + delta);
}

TEST_F(FullBorderX11Test, ADoubleClickOnTheStripsCaptionMaximisesAndASecondOneRestores)
{
    const QRect before = window.geometry();
    doubleClickAt(onCaption());
    ASSERT_TRUE(QTest::qWaitFor([&] { return frame->windowState() == SkinFrame::WindowState::Maximized; }, 3000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.width() > before.width() && window.height() > before.height(); }, 3000))
        << window.width() << "x" << window.height();
    // Maximised, the caption still rides on the strip, above the window and
    // on the screen.
    ASSERT_TRUE(QTest::qWaitFor([&] { return topOnServer().empty(); }, 3000)) << topOnServer();
    const QRect screen = window.screen()->availableGeometry();
    const skin::Rect c = frame->objectOnScreen(caption);
    EXPECT_TRUE(screen.contains(QRect(c.left, c.top, c.width(), c.height())))
        << c.left << "," << c.top << " " << c.width() << "x" << c.height();

    doubleClickAt(onCaption());
    ASSERT_TRUE(QTest::qWaitFor([&] { return frame->windowState() == SkinFrame::WindowState::Normal; }, 3000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.geometry() == before; }, 3000))
        << window.x() << "," << window.y() << " " << window.width() << "x" << window.height();
    EXPECT_TRUE(QTest::qWaitFor([&] { return topOnServer().empty(); }, 3000)) << topOnServer();
}

TEST_F(FullBorderX11Test, TheStripsCloseButtonTakesThePointerAndClosesTheWindow)
{
    pointerTo(centreOf(frame->objectOnScreen(close)));
    ASSERT_TRUE(QTest::qWaitFor([&] { return frame->activeObject() == close; }, 3000));
    EXPECT_TRUE(frame->objects()[std::size_t(close)].hot());
    xdotool({QStringLiteral("click"), QStringLiteral("1")});
    EXPECT_TRUE(QTest::qWaitFor([&] { return !window.isVisible(); }, 3000));
    // The strips go with their window.
    EXPECT_TRUE(QTest::qWaitFor([&] { return border().windowCount() == 0; }, 2000));
}

} // namespace

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    x11test::X11Session::Options options;
    options.compositor = true;
    return x11test::runOnOwnDisplay(argc, argv, options, [](x11test::X11Session& session) {
        g_session = &session;
        return RUN_ALL_TESTS();
    });
}
