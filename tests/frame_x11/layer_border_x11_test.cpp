// The layered border on a real X server: Xvfb with openbox (our
// configuration) and xcompmgr. A framed window wears the test skin with a
// layer frame (tests/skin_frame/layer_border_fixture.h): a 12-pixel shadow
// all round, whose inner 6 pixels size the window.

#include <QApplication>
#include <QProcess>
#include <QTest>
#include <gtest/gtest.h>

#include "layer_border_fixture.h"
#include "platform/qt_compositor.h"
#include "platform/qt_frameless_window.h"
#include "skin/data/skin_data.h"
#include "skin/frame/form_layer_border.h"
#include "skin/frame/form_layer_window.h"
#include "skin/frame/skin_frame.h"
#include "x11_probe.h"
#include "own_display.h"
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

int stripWindowsAlive()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    int n = 0;
    for (QWidget* w : QApplication::allWidgets())
        if (dynamic_cast<skin::FormLayerWindow*>(w))
            ++n;
    return n;
}

class LayerBorderX11Test : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(probe.ok());
        if (!g_session->compositorRunning()) {
            ASSERT_TRUE(g_session->startCompositor()) << g_session->error();
        }
        ASSERT_TRUE(QTest::qWaitFor([] { return platform::compositingManagerRunning(); }, 5000));
        window.setDesignClientSize(QSize(300, 200));
        frame = std::make_unique<SkinFrame>(&window);
        frame->setSkinData(sd.get());
    }
    void TearDown() override
    {
        window.hide();
        frame.reset();
    }

    skin::FormLayerBorder& border() { return *frame->layerBorder(); }

    void showAt(const QPoint& at)
    {
        window.move(at);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        ASSERT_TRUE(QTest::qWaitFor([&] { return frame->formActive(); }, 5000));
    }

    // The four strips are mapped and stand around the window as the X
    // server has them: each inner edge meets the window's edge, and the
    // shadow reaches 12 pixels beyond the window on every side.
    std::string aroundOnServer()
    {
        const QRect w = probe.rootGeometry(uint32_t(window.winId()));
        std::string wrong;
        auto check = [&](FormLayerBorderType type, const QRect& expected) {
            const skin::FormLayerWindow* strip = border().window(type);
            if (!strip) {
                wrong += " missing " + std::to_string(int(type));
                return;
            }
            const uint32_t id = uint32_t(strip->winId());
            const QRect s = probe.rootGeometry(id);
            if (!probe.viewable(id) || s != expected)
                wrong += " strip " + std::to_string(int(type)) + " at " + std::to_string(s.x()) + ","
                    + std::to_string(s.y()) + " " + std::to_string(s.width()) + "x" + std::to_string(s.height());
        };
        check(FormLayerBorderType::Top, QRect(w.left() - 12, w.top() - 12, w.width() + 24, 12));
        check(FormLayerBorderType::Bottom, QRect(w.left() - 12, w.bottom() + 1, w.width() + 24, 12));
        check(FormLayerBorderType::Left, QRect(w.left() - 12, w.top(), 12, w.height()));
        check(FormLayerBorderType::Right, QRect(w.right() + 1, w.top(), 12, w.height()));
        return wrong;
    }
    bool settledAround(int timeoutMs = 3000)
    {
        return QTest::qWaitFor([&] { return aroundOnServer().empty(); }, timeoutMs);
    }

    // The top-level (window-manager frame) of window a lies above that of b.
    bool stackedAbove(uint32_t a, uint32_t b)
    {
        // A managed window's parent is the window manager's frame, a child
        // of the root window.
        const uint32_t ta = probe.parent(a), tb = probe.parent(b);
        int ia = -1, ib = -1, i = 0;
        for (const auto& m : probe.viewableTopLevels()) {
            if (m.window == ta)
                ia = i;
            if (m.window == tb)
                ib = i;
            ++i;
        }
        return ia >= 0 && ib >= 0 && ia > ib;
    }

    // Presses at a screen point, moves by `delta` in steps and releases.
    void drag(const QPoint& from, const QPoint& delta)
    {
        pointerTo(from);
        QTest::qWait(50);
        xdotool({QStringLiteral("mousedown"), QStringLiteral("1")});
        QTest::qWait(100);
        for (int i = 1; i <= 5; ++i) {
            pointerTo(from + delta * i / 5);
            QTest::qWait(40);
        }
        xdotool({QStringLiteral("mouseup"), QStringLiteral("1")});
    }

    frametest::X11Probe probe;
    frametest::LayerSkinFolder folder;
    std::unique_ptr<skin::SkinData> sd = folder.load();
    platform::FramelessWindow window;
    std::unique_ptr<SkinFrame> frame;
};


TEST_F(LayerBorderX11Test, StripsStandAroundTheWindowAfterAMoveAndAResize)
{
    showAt(QPoint(200, 150));
    EXPECT_TRUE(settledAround()) << aroundOnServer();
    const QString id = num(qint64(window.winId()));
    // The window manager knows each strip belongs to the window, and keeps
    // it out of task bars.
    for (FormLayerBorderType type : skin::kLayerBorderTypes) {
        const uint32_t strip = uint32_t(border().window(type)->winId());
        EXPECT_EQ(probe.transientFor(strip), uint32_t(window.winId())) << int(type);
        const auto state = probe.netWmState(strip);
        EXPECT_NE(std::find(state.begin(), state.end(), "_NET_WM_STATE_SKIP_TASKBAR"), state.end()) << int(type);
    }

    xdotool({QStringLiteral("windowmove"), id, QStringLiteral("420"), QStringLiteral("300")});
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.pos() == QPoint(420, 300); }, 3000));
    EXPECT_TRUE(settledAround()) << "after a move:" << aroundOnServer();

    xdotool({QStringLiteral("windowsize"), id, QStringLiteral("500"), QStringLiteral("350")});
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.size() == QSize(500, 350); }, 3000));
    EXPECT_TRUE(settledAround()) << "after a resize:" << aroundOnServer();
    // Each strip takes the pointer only where it sizes the window: a click
    // on the shadow beyond goes to what lies below.
    for (FormLayerBorderType type : skin::kLayerBorderTypes) {
        const skin::LayerStrip& strip = border().layout().strip(type);
        QRegion sizing;
        for (const skin::LayerStrip::HitArea& area : strip.hitAreas)
            sizing += QRect(area.rect.left - strip.screen.left, area.rect.top - strip.screen.top, area.rect.width(),
                            area.rect.height());
        const QRegion input = probe.shape(uint32_t(border().window(type)->winId()), XCB_SHAPE_SK_INPUT);
        EXPECT_EQ(input, sizing) << int(type);
        EXPECT_LT(input.boundingRect().width() * input.boundingRect().height(),
                  strip.screen.width() * strip.screen.height())
            << int(type);
    }
    // The strips never took the activation.
    EXPECT_TRUE(frame->formActive());
    EXPECT_TRUE(border().active());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !border().fading() && border().alpha() == 255; }, 2000));
}

TEST_F(LayerBorderX11Test, DraggingAStripResizesTheWindow)
{
    showAt(QPoint(200, 150));
    ASSERT_TRUE(settledAround()) << aroundOnServer();
    const QRect before = window.geometry();

    // 3 pixels right of the window's right edge: the right strip.
    drag(QPoint(before.right() + 4, before.center().y()), QPoint(60, 30));
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.size() == before.size() + QSize(60, 0); }, 3000))
        << window.width() << "x" << window.height();
    EXPECT_EQ(window.pos(), before.topLeft());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !frame->sizeMoveRunning(); }, 2000));
    EXPECT_TRUE(settledAround()) << aroundOnServer();
    // The press on the strip left the window active.
    QTest::qWait(200);
    EXPECT_TRUE(frame->formActive());
    EXPECT_TRUE(border().active());

    // The top-left corner of the top strip sizes both ways; the bottom-right
    // edge stays.
    const QRect wide = window.geometry();
    drag(wide.topLeft() + QPoint(-4, -4), QPoint(-40, -20));
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return window.size() == wide.size() + QSize(40, 20) && window.geometry().bottomRight() == wide.bottomRight(); },
        3000))
        << window.x() << "," << window.y() << " " << window.width() << "x" << window.height();
    EXPECT_TRUE(settledAround()) << aroundOnServer();
}

TEST_F(LayerBorderX11Test, APressOnTheBorderOfAnInactiveWindowActivatesIt)
{
    showAt(QPoint(200, 150));
    ASSERT_TRUE(settledAround()) << aroundOnServer();
    const QRect w = window.geometry();
    // Another window over the window's bottom-left corner and its border.
    QWidget other;
    other.setGeometry(w.left() - 100, w.bottom() - 50, 200, 120);
    other.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&other));
    xdotool({QStringLiteral("windowactivate"), num(qint64(other.winId()))});
    ASSERT_TRUE(QTest::qWaitFor([&] { return !frame->formActive() && !border().active(); }, 3000));
    // The window manager stacks the strips with their window: below the
    // other window now.
    const uint32_t bottomStrip = uint32_t(border().window(FormLayerBorderType::Bottom)->winId());
    EXPECT_TRUE(QTest::qWaitFor([&] { return stackedAbove(uint32_t(other.winId()), bottomStrip); }, 2000));

    pointerTo(QPoint(w.right() + 4, w.center().y()));
    xdotool({QStringLiteral("click"), QStringLiteral("1")});
    EXPECT_TRUE(QTest::qWaitFor([&] { return frame->formActive() && border().active(); }, 3000));
    EXPECT_EQ(window.size(), w.size());
    // Activated, the window comes up with its strips.
    EXPECT_TRUE(QTest::qWaitFor([&] { return stackedAbove(bottomStrip, uint32_t(other.winId())); }, 2000));
}

TEST_F(LayerBorderX11Test, MinimisingHidesTheStripsAndRestoringBringsThemBack)
{
    showAt(QPoint(200, 150));
    ASSERT_TRUE(settledAround()) << aroundOnServer();
    std::vector<uint32_t> ids;
    for (FormLayerBorderType type : skin::kLayerBorderTypes)
        ids.push_back(uint32_t(border().window(type)->winId()));
    const QString id = num(qint64(window.winId()));

    xdotool({QStringLiteral("windowminimize"), id});
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.isMinimized(); }, 3000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return border().windowCount() == 0; }, 2000));
    for (uint32_t strip : ids)
        EXPECT_FALSE(probe.viewable(strip));

    xdotool({QStringLiteral("windowactivate"), id});
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window.isMinimized() && window.isVisible(); }, 3000));
    EXPECT_TRUE(settledAround()) << aroundOnServer();
}

TEST_F(LayerBorderX11Test, WithoutACompositingManagerNoStripWindowExists)
{
    g_session->stopCompositor();
    ASSERT_TRUE(QTest::qWaitFor([] { return !platform::compositingManagerRunning(); }, 5000));
    showAt(QPoint(200, 150));
    xdotool({QStringLiteral("windowmove"), num(qint64(window.winId())), QStringLiteral("240"), QStringLiteral("180")});
    QTest::qWait(300);
    EXPECT_FALSE(border().isVisible());
    EXPECT_EQ(stripWindowsAlive(), 0);
    for (const auto& w : probe.viewableTopLevels())
        EXPECT_NE(w.geometry.height(), 12) << "a strip-sized window is mapped";

    // The compositing manager starts: the border's watch brings the strips.
    ASSERT_TRUE(g_session->startCompositor()) << g_session->error();
    EXPECT_TRUE(settledAround(skin::FormLayerBorder::kCompositorCheckInterval + 3000)) << aroundOnServer();
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
