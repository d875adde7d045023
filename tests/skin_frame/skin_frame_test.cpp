#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QResizeEvent>
#include <QTest>
#include <gtest/gtest.h>

#include "frame_test_support.h"
#include "platform/qt_canvas.h"
#include "platform/qt_compositor.h"
#include "platform/qt_frameless_window.h"
#include "skin/frame/application_notifier.h"
#include "skin/frame/frame_painter.h"
#include "skin/frame/layer_manager.h"
#include "skin/frame/skin_frame.h"
#include "skin/controls/skin_notice_event.h"
#include "skin/paint/bitmap_canvas.h"
#include "skin/paint/compose.h"

using namespace tessaly::skin;
using tessaly::platform::FramelessWindow;

namespace {

using frametest::pixelsOf;

// A piece of a skin picture copied at its own size, as the frame draws it.
std::vector<uint32_t> pieceOf(const Picture& picture, const Rect& r)
{
    Bitmap b(r.width(), r.height());
    copyPiece(pixelView(picture), r, b, {0, 0, r.width(), r.height()});
    return pixelsOf(b, {0, 0, r.width(), r.height()});
}

// Records the skin notices a widget receives.
class NoticeLog : public QObject {
public:
    NoticeLog(QWidget* widget, std::vector<std::pair<QWidget*, int>>& log) : m_widget(widget), m_log(log)
    {
        widget->installEventFilter(this);
    }
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == SkinNoticeEvent::eventType())
            m_log.emplace_back(m_widget, static_cast<SkinNoticeEvent*>(event)->message());
        return false;
    }

private:
    QWidget* m_widget;
    std::vector<std::pair<QWidget*, int>>& m_log;
};

class SkinFrameTest : public testing::Test {
protected:
    void SetUp() override
    {
        sd->setNotifier(&ApplicationNotifier::instance());
        window.setDesignClientSize(QSize(581, 343));
        window.setWindowTitle(QStringLiteral("Tessaly 1.0"));
        frame = std::make_unique<SkinFrame>(&window);
        frame->setBorderIcons(BorderIcon::SystemMenu | BorderIcon::Minimize);
        frame->setSkinData(sd.get());
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        QApplication::setActiveWindow(&window);
        ASSERT_TRUE(frame->formActive());
        close = frame->getIndex("closebutton");
        minimise = frame->getIndex("minbutton");
        ASSERT_GE(close, 0);
        // Start in the client area: a move to where the pointer already is
        // reaches nobody.
        hover(QPoint(300, 200));
    }

    void TearDown() override { tessaly::platform::setCompositingManagerOverride(std::nullopt); }

    Rect rectOf(int index) const { return frame->layout().objectRects[std::size_t(index)]; }
    QPoint centreOf(int index) const
    {
        const Rect r = rectOf(index);
        return QPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    }
    void hover(const QPoint& p)
    {
        QCursor::setPos(window.mapToGlobal(p));
        QTest::mouseMove(&window, p);
    }
    // The morph ticks until the fade stops; returns how many moved it.
    int runFade()
    {
        int ticks = 0;
        while (frame->morphTimerActive() && ticks < 20) {
            const int before = frame->objects()[std::size_t(close)].fadeStep();
            frame->morphTick();
            if (frame->objects()[std::size_t(close)].fadeStep() != before)
                ++ticks;
        }
        return ticks;
    }
    const Picture& buttons() const { return *sd->activePicture(0); }
    const DataSkinStdButton& closeRecord() const
    {
        return dynamic_cast<const DataSkinStdButton&>(*sd->objectList()[std::size_t(sd->getIndex("closebutton"))]);
    }

    std::unique_ptr<SkinData> sd = frametest::pewter();
    FramelessWindow window;
    std::unique_ptr<SkinFrame> frame;
    int close = -1;
    int minimise = -1;
};


TEST_F(SkinFrameTest, WindowIsClientSizePlusMarginsWithShapeAndClientArea)
{
    EXPECT_EQ(window.size(), QSize(589, 376));
    EXPECT_EQ(window.clientArea()->geometry(), QRect(4, 29, 581, 343));
    EXPECT_TRUE(window.windowFlags() & Qt::FramelessWindowHint);
    ASSERT_FALSE(window.mask().isEmpty());
    EXPECT_EQ(window.mask(), toQRegion(*frame->layout().region));
    EXPECT_EQ(window.mask().boundingRect(), QRect(0, 0, 589, 376));
    EXPECT_FALSE(window.mask().contains(QPoint(0, 0))); // rounded corner
}

TEST_F(SkinFrameTest, EverySkinChangeAppliesTheDesignSizeAgain)
{
    window.resize(700, 500);
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.size() == QSize(700, 500); }));
    EXPECT_EQ(window.clientArea()->size(), QSize(692, 467));
    CompressedStoredSkin stored;
    stored.loadFromCompressBytes(embedded_pewter());
    sd->loadCompressedStoredSkin(stored);
    EXPECT_EQ(window.size(), QSize(589, 376));
    EXPECT_EQ(window.clientArea()->size(), QSize(581, 343));
    EXPECT_TRUE(frame->skinSupport());
    EXPECT_GE(frame->getIndex("closebutton"), 0);
}

TEST_F(SkinFrameTest, HoverCrossFadesInFiveTicksRepaintingOnlyTheButton)
{
    const Rect r = rectOf(close);
    const auto normal = pieceOf(buttons(), closeRecord().skinRect);
    const auto hot = pieceOf(buttons(), closeRecord().activeSkinRect);
    ASSERT_NE(normal, hot);
    EXPECT_EQ(pixelsOf(frame->frameImage(), r), normal);

    hover(centreOf(close));
    EXPECT_EQ(frame->activeObject(), close);
    ASSERT_TRUE(frame->morphTimerActive());
    std::vector<std::vector<uint32_t>> steps;
    int ticks = 0;
    while (frame->morphTimerActive() && ticks < 20) {
        const long long before = frame->repaintedPixels();
        frame->morphTick();
        const long long repainted = frame->repaintedPixels() - before;
        if (frame->morphTimerActive() || repainted > 0) {
            EXPECT_EQ(repainted, (long long)r.width() * r.height()) << "tick " << ticks;
            steps.push_back(pixelsOf(frame->frameImage(), r));
        }
        ++ticks;
    }
    ASSERT_EQ(steps.size(), 5u);
    EXPECT_EQ(steps.back(), hot);
    EXPECT_NE(steps[1], normal);
    EXPECT_NE(steps[1], hot);
    EXPECT_EQ(frame->objects()[std::size_t(close)].fadeStep(), CrossFade::kSteps);
}

TEST_F(SkinFrameTest, LeavingDuringTheFadeReversesFromWhereItIs)
{
    hover(centreOf(close));
    frame->morphTick();
    frame->morphTick();
    EXPECT_EQ(frame->objects()[std::size_t(close)].fadeStep(), 2);
    hover(QPoint(300, 200)); // client area
    EXPECT_EQ(frame->activeObject(), -1);
    EXPECT_EQ(runFade(), 2);
    EXPECT_EQ(frame->objects()[std::size_t(close)].fadeStep(), 0);
    EXPECT_EQ(pixelsOf(frame->frameImage(), rectOf(close)), pieceOf(buttons(), closeRecord().skinRect));
}

TEST_F(SkinFrameTest, PressSinksTheButtonAndReleaseElsewhereRunsNothing)
{
    hover(centreOf(close));
    runFade();
    QTest::mousePress(&window, Qt::LeftButton, {}, centreOf(close));
    EXPECT_TRUE(frame->objects()[std::size_t(close)].pressed());
    EXPECT_EQ(pixelsOf(frame->frameImage(), rectOf(close)), pieceOf(buttons(), closeRecord().downRect));
    hover(QPoint(300, 12)); // caption
    EXPECT_FALSE(frame->objects()[std::size_t(close)].pressed());
    QTest::mouseRelease(&window, Qt::LeftButton, {}, QPoint(300, 12));
    QTest::qWait(30);
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(frame->objects()[std::size_t(close)].down());
    EXPECT_EQ(frame->mouseCaptureObject(), -1);
}

TEST_F(SkinFrameTest, CloseRunsAfterTheReleaseHasBeenDrawn)
{
    struct CloseWatch : QObject {
        SkinFrame* frame;
        int close;
        bool closed = false;
        bool drawnReleased = false;
        bool eventFilter(QObject*, QEvent* e) override
        {
            if (e->type() == QEvent::Close) {
                closed = true;
                drawnReleased = !frame->objects()[std::size_t(close)].down() && frame->mouseCaptureObject() == -1;
            }
            return false;
        }
    } watch;
    watch.frame = frame.get();
    watch.close = close;
    window.installEventFilter(&watch);
    hover(centreOf(close));
    QTest::mousePress(&window, Qt::LeftButton, {}, centreOf(close));
    QTest::mouseRelease(&window, Qt::LeftButton, {}, centreOf(close));
    QTest::qWait(10);
    EXPECT_TRUE(watch.closed);
    EXPECT_TRUE(watch.drawnReleased);
    EXPECT_FALSE(window.isVisible());
}

TEST_F(SkinFrameTest, InactiveLookIsGreyAndComposedOncePerSize)
{
    QWidget other;
    other.show();
    QApplication::setActiveWindow(&other);
    ASSERT_FALSE(frame->formActive());
    const int before = frame->composeCount();
    const Bitmap& inactive = frame->frameImage();
    // The inactive effect of the skin: grey.
    for (int x = 40; x < 500; x += 37) {
        const uint32_t p = inactive.getPixel(x, 15);
        EXPECT_TRUE(redOf(p) == greenOf(p) && greenOf(p) == blueOf(p)) << x;
    }
    window.repaint();
    window.repaint();
    frame->frameImage();
    EXPECT_EQ(frame->composeCount(), before + 1);
    QApplication::setActiveWindow(&window);
    frame->frameImage();
    QApplication::setActiveWindow(&other);
    frame->frameImage();
    EXPECT_EQ(frame->composeCount(), before + 1); // both looks kept for this size
    window.resize(600, 400);
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.size() == QSize(600, 400); }));
    frame->frameImage();
    EXPECT_EQ(frame->composeCount(), before + 2);
}

TEST_F(SkinFrameTest, MouseTimerStopsWhileInactive)
{
    hover(centreOf(close));
    EXPECT_TRUE(frame->mouseTimerActive());
    QWidget other;
    other.show();
    QApplication::setActiveWindow(&other);
    EXPECT_FALSE(frame->mouseTimerActive());
    EXPECT_EQ(frame->activeObject(), -1);
    EXPECT_FALSE(frame->objects()[std::size_t(close)].hot());
    frame->mouseTick();
    hover(centreOf(close));
    EXPECT_FALSE(frame->mouseTimerActive());
    EXPECT_EQ(frame->activeObject(), -1);
}

TEST_F(SkinFrameTest, BelowTheMinimumEveryPixelIsPainted)
{
    for (const auto& [w, h] : {std::pair{50, 20}, {1, 1}, {159, 40}, {300, 10}}) {
        const FrameLayout f = layoutFrame(FrameSkinGeometry::from(*sd), pixelView(sd->mask().picture()), w, h,
                                          frame->captionButtons().infos());
        Bitmap image(w, h);
        image.fillRect({0, 0, w, h}, 0xFFFF00FFu);
        composeFrame(image, sd.get(), f, frame->objects(), {});
        EXPECT_EQ(image.width(), w);
        for (uint32_t p : pixelsOf(image, {0, 0, w, h}))
            ASSERT_NE(p, 0xFFFF00FFu) << w << "x" << h;
    }
}

TEST_F(SkinFrameTest, TheCaptionCarriesTheTitle)
{
    const Rect caption = rectOf(frame->getIndex("caption"));
    const auto withTitle = pixelsOf(frame->frameImage(), caption);
    window.setWindowTitle(QString());
    const auto without = pixelsOf(frame->frameImage(), caption);
    EXPECT_NE(withTitle, without);
}

TEST_F(SkinFrameTest, GlowOnlyWithACompositingManager)
{
    tessaly::platform::setCompositingManagerOverride(false);
    hover(centreOf(close));
    EXPECT_TRUE(frame->glow(close) == nullptr || frame->glow(close)->window() == nullptr
                || !frame->glow(close)->window()->isVisible());
    hover(QPoint(300, 200));

    tessaly::platform::setCompositingManagerOverride(true);
    hover(centreOf(close));
    LayerManager* glow = frame->glow(close);
    ASSERT_NE(glow, nullptr);
    ASSERT_TRUE(glow->isVisible());
    const Rect r = rectOf(close);
    const QPoint expected = window.geometry().topLeft() + QPoint(r.left, r.top) - QPoint(8, 8);
    EXPECT_EQ(glow->window()->geometry(), QRect(expected, QSize(47, 35)));
    EXPECT_TRUE(glow->window()->testAttribute(Qt::WA_TransparentForMouseEvents));
    EXPECT_TRUE(glow->window()->windowFlags() & Qt::WindowTransparentForInput);
    EXPECT_TRUE(glow->window()->windowFlags() & Qt::WindowDoesNotAcceptFocus);
    // Leaving hides it; the window is kept for the next show.
    LayerWindow* layer = glow->window();
    hover(QPoint(300, 200));
    EXPECT_FALSE(glow->isVisible());
    EXPECT_FALSE(layer->isVisible());
    hover(centreOf(close));
    EXPECT_EQ(glow->window(), layer);
}

TEST(LayerManagerTest, FadesReachTheirEnd)
{
    tessaly::platform::setCompositingManagerOverride(true);
    Bitmap image(10, 10);
    image.fillRect({0, 0, 10, 10}, 0xFFFFFFFFu);
    const struct {
        int alpha, steps, first;
    } cases[] = {{255, 11, 25}, {100, 10, 10}, {5, 5, 1}, {0, 0, 0}};
    for (const auto& c : cases) {
        LayerManager glow;
        glow.show(QPoint(10, 10), image.view(), {}, c.alpha);
        int steps = 0;
        while (glow.fading() && steps < 300) {
            glow.fadeStep();
            if (steps == 0) {
                EXPECT_EQ(glow.currentAlpha(), c.first) << c.alpha;
            }
            ++steps;
        }
        EXPECT_EQ(steps, c.steps) << c.alpha;
        EXPECT_EQ(glow.currentAlpha(), c.alpha);
        glow.hide();
        EXPECT_FALSE(glow.window()->isVisible());
    }
    tessaly::platform::setCompositingManagerOverride(std::nullopt);
}

TEST(SkinNotices, ReachWindowsInCreationOrderAndTheirControls)
{
    auto sd = std::make_unique<SkinData>();
    sd->setNotifier(&ApplicationNotifier::instance());
    std::vector<std::pair<QWidget*, int>> log;
    FramelessWindow first;
    FramelessWindow second;
    SkinFrame firstFrame(&first);
    SkinFrame secondFrame(&second);
    firstFrame.setSkinData(sd.get());
    secondFrame.setSkinData(sd.get());
    auto* control = new QWidget(second.clientArea());
    NoticeLog a(&first, log), b(&second, log), c(control, log);

    CompressedStoredSkin stored;
    stored.loadFromCompressBytes(embedded_pewter());
    sd->loadCompressedStoredSkin(stored);

    const std::vector<std::pair<QWidget*, int>> expected = {
        {&first, SKINMSG_BEFORE_CHANGE}, {&second, SKINMSG_BEFORE_CHANGE}, {control, SKINMSG_BEFORE_CHANGE},
        {&first, SKINMSG_CHANGE},        {&second, SKINMSG_CHANGE},        {control, SKINMSG_CHANGE},
        {&first, SKINMSG_AFTER_CHANGE},  {&second, SKINMSG_AFTER_CHANGE}};
    EXPECT_EQ(log, expected);
    EXPECT_TRUE(firstFrame.skinSupport());
    EXPECT_TRUE(secondFrame.skinSupport());

    // With layered borders on and a skin that has a layered frame, the
    // registry walks the windows from the last created to the first.
    log.clear();
    sd->setOptions({.showLayeredBorders = true});
    sd->layerFrame.pictureIndex = 0;
    sd->sendSkinDataMessage(SKINMSG_AFTER_CHANGE);
    const std::vector<std::pair<QWidget*, int>> reversed = {{&second, SKINMSG_AFTER_CHANGE},
                                                            {&first, SKINMSG_AFTER_CHANGE}};
    EXPECT_EQ(log, reversed);
}

TEST_F(SkinFrameTest, DoubleClickOnTheSystemMenuButtonCloses)
{
    const int sysMenu = frame->getIndex("sysmenubutton");
    hover(centreOf(sysMenu));
    QTest::mouseDClick(&window, Qt::LeftButton, {}, centreOf(sysMenu));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !window.isVisible(); }, 1000));
}

TEST(FrameSize, TooSmallADesignIsRaisedToTheMinimumInOneStep)
{
    auto sd = frametest::pewter();
    FramelessWindow window;
    window.setDesignClientSize(QSize(10, 10));
    struct ResizeCount : QObject {
        std::vector<QSize> sizes;
        bool eventFilter(QObject*, QEvent* e) override
        {
            if (e->type() == QEvent::Resize)
                sizes.push_back(static_cast<QResizeEvent*>(e)->size());
            return false;
        }
    } count;
    window.installEventFilter(&count);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    count.sizes.clear();
    SkinFrame frame(&window);
    frame.setSkinData(sd.get());
    QCoreApplication::processEvents();
    // 10 x 10 inside the skin's margins is 18 x 43, raised to the skin's
    // minimum width of 160.
    ASSERT_EQ(sd->formMinWidth, 160);
    EXPECT_EQ(window.size(), QSize(160, 43));
    // The default look first (16 x 35, raised to its minimum width of 120),
    // then the skinned size: no one-pixel nudges in between.
    EXPECT_EQ(count.sizes, (std::vector<QSize>{QSize(120, 35), QSize(160, 43)}));
    EXPECT_EQ(window.minimumSize(), QSize(160, frame.getMinHeight()));
}

TEST(DefaultLook, WithoutSkinAPlainFrame)
{
    FramelessWindow window;
    window.setDesignClientSize(QSize(200, 100));
    window.setWindowTitle(QStringLiteral("Plain"));
    SkinFrame frame(&window);
    EXPECT_FALSE(frame.skinSupport());
    EXPECT_EQ(window.size(), QSize(206, 125));
    EXPECT_EQ(window.clientArea()->geometry(), QRect(3, 22, 200, 100));
    const Bitmap& image = frame.frameImage();
    EXPECT_EQ(image.getPixel(100, 80) | 0xFF000000u, colorFromValue(colors::btnFace));
    // Three one-pixel frames: the outer one light at the left, dark at the right.
    EXPECT_EQ(image.getPixel(0, 50) | 0xFF000000u, colorFromValue(systemColorValue(SystemColor::Light3D)));
    EXPECT_EQ(image.getPixel(205, 50) | 0xFF000000u, colorFromValue(systemColorValue(SystemColor::DkShadow3D)));
    EXPECT_EQ(image.getPixel(1, 50) | 0xFF000000u, colorFromValue(colors::btnHighlight));
    EXPECT_EQ(image.getPixel(204, 50) | 0xFF000000u, colorFromValue(colors::btnShadow));
    EXPECT_TRUE(window.mask().isEmpty());
}

TEST(FitTextWithEllipsis, ShortensUntilItFits)
{
    Bitmap b(10, 10);
    tessaly::platform::QtCanvas canvas = canvasOf(b);
    Font font;
    font.name = "Arial";
    font.height = 15;
    font.style.bold = true;
    canvas.setFont(fontOf(font));
    auto width = [&](const QString& t) {
        return canvas.measureText(QRect(0, 0, 0, 0), t, tessaly::platform::TextFormat::SingleLine).width();
    };
    const QString title = QStringLiteral("Tessaly 1.0 checks a rather long book title");
    EXPECT_EQ(fitTextWithEllipsis(canvas, title, width(title)), title);
    const QString shortened = fitTextWithEllipsis(canvas, title, 120);
    EXPECT_TRUE(shortened.endsWith(QStringLiteral("...")));
    EXPECT_LE(width(shortened), 120);
    EXPECT_TRUE(title.startsWith(shortened.chopped(3)));
    EXPECT_EQ(fitTextWithEllipsis(canvas, title, 3), QStringLiteral("..."));
    EXPECT_EQ(fitTextWithEllipsis(canvas, QString(), 0), QString());
}

} // namespace
