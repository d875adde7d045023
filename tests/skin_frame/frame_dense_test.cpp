// The frame on a dense screen, off screen: run with QT_SCALE_FACTOR set
// (ctest runs it at 1.25, 1.5 and 2). The window's picture is the composed
// frame scaled by the device rule with the caption's text drawn over it by
// Qt at the screen's resolution, and the pointer finds on each device pixel
// what the shape and the picture put there.

#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <gtest/gtest.h>

#include "frame_test_support.h"
#include "platform/qt_frameless_window.h"
#include "skin/frame/application_notifier.h"
#include "skin/frame/skin_frame.h"
#include "skin/paint/bitmap_canvas.h"
#include "skin/paint/device_scale.h"

using namespace tessaly::skin;
using tessaly::platform::FramelessWindow;

namespace {

class FrameDenseTest : public testing::Test {
protected:
    void SetUp() override
    {
        sd->setNotifier(&ApplicationNotifier::instance());
        window.setDesignClientSize(QSize(581, 343));
        window.setWindowTitle(QStringLiteral("Tessaly 1.0"));
        frame = std::make_unique<SkinFrame>(&window);
        frame->setSkinData(sd.get());
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        QApplication::setActiveWindow(&window);
        scale = DeviceScale::fromRatio(window.devicePixelRatioF());
        close = frame->getIndex("closebutton");
        ASSERT_GE(close, 0);
    }

    // A pointer event at the device pixel, in the logical coordinates Qt
    // gives the window (the device position divided by the factor).
    void send(QEvent::Type type, const Point& device, Qt::MouseButton button = Qt::NoButton)
    {
        const QPointF local(device.x / window.devicePixelRatioF(), device.y / window.devicePixelRatioF());
        const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? Qt::MouseButtons(button) : Qt::NoButton;
        QMouseEvent event(type, local, window.mapToGlobal(local), button, held, Qt::NoModifier);
        QApplication::sendEvent(&window, &event);
    }
    // What the frame's hit test finds on the logical pixel that covers the
    // device pixel.
    int objectAt(const Point& device) const
    {
        const Point p = scale.toLogical(device);
        return frame->hitTest(QPoint(p.x, p.y)).objectIndex;
    }

    std::unique_ptr<SkinData> sd = frametest::pewter();
    FramelessWindow window;
    std::unique_ptr<SkinFrame> frame;
    DeviceScale scale;
    int close = -1;
};

TEST_F(FrameDenseTest, TheScreenIsDense)
{
    const double asked = qEnvironmentVariable("QT_SCALE_FACTOR").toDouble();
    ASSERT_GT(asked, 1.0) << "run with QT_SCALE_FACTOR above 1";
    EXPECT_DOUBLE_EQ(window.devicePixelRatioF(), asked);
    EXPECT_EQ(scale, DeviceScale::fromRatio(asked));
}

int differingPixels(const Bitmap& a, const Bitmap& b)
{
    if (a.width() != b.width() || a.height() != b.height())
        return a.width() * a.height() + b.width() * b.height();
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            n += (a.getPixel(x, y) & 0xFFFFFFu) != (b.getPixel(x, y) & 0xFFFFFFu);
    return n;
}

// The composed frame scaled, and its kept text drawn over it by Qt at the
// screen's ratio.
QImage onTheScreen(SkinFrame& frame, const DeviceScale& scale, qreal ratio)
{
    Bitmap scaled;
    scaleToDevice(frame.frameImage(), scale, scaled);
    QImage image = imageOf(scaled).copy();
    image.setDevicePixelRatio(ratio);
    frame.keptText(true).drawOnto(image);
    return image;
}

TEST_F(FrameDenseTest, ThePictureIsTheComposedFrameScaledPixelForPixelWithItsTextDrawnByQt)
{
    const QImage shot = window.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage expected = onTheScreen(*frame, scale, window.devicePixelRatioF());
    ASSERT_EQ(shot.size(), QSize(expected.width(), expected.height()));
    const Region shape = scaleRegion(*frame->layout().region, scale);
    const Rect client = scale.toDevice(frame->layout().clientRect);
    int compared = 0, wrong = 0;
    for (int y = 0; y < shot.height(); ++y) {
        for (int x = 0; x < shot.width(); ++x) {
            // The client area's widgets sit on it; Qt places them itself,
            // its rounding a pixel off ours at most.
            if (!shape.contains(x, y) || Rect{client.left - 1, client.top - 1, client.right + 1, client.bottom + 1}.contains(x, y))
                continue;
            ++compared;
            wrong += (shot.pixel(x, y) & 0xFFFFFFu) != (expected.pixel(x, y) & 0xFFFFFFu);
        }
    }
    EXPECT_GT(compared, 10000);
    EXPECT_EQ(wrong, 0);
}

TEST_F(FrameDenseTest, TheCaptionsTextIsKeptOutOfThePictureAndIsTheTextOfTheOneToOneFrame)
{
    // The window's picture as a screen of factor 1 shows it.
    FramePaintState state;
    state.title = window.windowTitle();
    state.morphEnabled = sd->options().enableSkinEffects;
    Bitmap oneToOne;
    composeFrame(oneToOne, sd.get(), frame->layout(), frame->objects(), state);
    // The kept picture has no text: it is the picture of an untitled window.
    const Bitmap& kept = frame->frameImage();
    FramePaintState untitled = state;
    untitled.title.clear();
    Bitmap blank;
    composeFrame(blank, sd.get(), frame->layout(), frame->objects(), untitled);
    EXPECT_EQ(differingPixels(kept, blank), 0);
    EXPECT_GT(differingPixels(kept, oneToOne), 50);
    // The kept text, drawn at 1:1, is the 1:1 frame's text: the same place,
    // font, colours and shadow.
    ASSERT_FALSE(frame->keptText(true).empty());
    Bitmap replayed = kept;
    canvasOf(replayed).drawRuns(frame->keptText(true), {0, 0});
    EXPECT_EQ(differingPixels(replayed, oneToOne), 0);
    // On the screen the text is Qt's at the screen's ratio, not the 1:1
    // text scaled: the two differ.
    Bitmap blocky;
    scaleToDevice(oneToOne, scale, blocky);
    const QImage shown = onTheScreen(*frame, scale, window.devicePixelRatioF());
    const QImage scaledText = imageOf(blocky);
    int differ = 0;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x)
            differ += (shown.pixel(x, y) & 0xFFFFFFu) != (scaledText.pixel(x, y) & 0xFFFFFFu);
    EXPECT_GT(differ, 20);
}

TEST_F(FrameDenseTest, PaintsScaleOnlyWhatWasDrawnAgain)
{
    QTest::qWait(50);
    const long long settled = frame->deviceScaledPixels();
    ASSERT_GT(settled, 0);
    // Paints of an unchanged picture scale nothing.
    for (int i = 0; i < 3; ++i)
        window.repaint();
    EXPECT_EQ(frame->deviceScaledPixels(), settled);
    // A caption button lighting up (at once or fading in) scales its own
    // rectangle each time it changes, never the whole window again.
    const Rect button = frame->layout().objectRects[std::size_t(close)];
    send(QEvent::MouseMove, Point{scale.toDevice((button.left + button.right) / 2), scale.toDevice((button.top + button.bottom) / 2)});
    ASSERT_EQ(frame->activeObject(), close);
    ASSERT_TRUE(QTest::qWaitFor([&] { return frame->deviceScaledPixels() > settled; }, 2000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !frame->morphTimerActive(); }, 2000)) << "the fade ends";
    window.repaint();
    const long long whole = (long long)scale.toDevice(window.width()) * scale.toDevice(window.height());
    EXPECT_LT(frame->deviceScaledPixels() - settled, whole / 10);
}

TEST_F(FrameDenseTest, ThePointerOnEveryEdgePixelOfTheCloseButtonFindsWhatTheLayoutPutThere)
{
    const Rect device = scale.toDevice(frame->layout().objectRects[std::size_t(close)]);
    // The button's edge pixels and the ring just outside them.
    std::vector<Point> pixels;
    for (int ring : {0, 1}) {
        const Rect r{device.left - ring, device.top - ring, device.right + ring, device.bottom + ring};
        for (int x = r.left; x < r.right; ++x) {
            pixels.push_back({x, r.top});
            pixels.push_back({x, r.bottom - 1});
        }
        for (int y = r.top + 1; y < r.bottom - 1; ++y) {
            pixels.push_back({r.left, y});
            pixels.push_back({r.right - 1, y});
        }
    }
    int onClose = 0;
    for (const Point& p : pixels) {
        send(QEvent::MouseMove, p);
        const bool expected = objectAt(p) == close;
        onClose += expected;
        EXPECT_EQ(frame->activeObject() == close, expected) << "device pixel " << p.x << "," << p.y;
    }
    // Most of the button's own edge is the button.
    EXPECT_GT(onClose, int(pixels.size()) / 4);
}

TEST_F(FrameDenseTest, AClickOnTheCloseButtonsLastDevicePixelClosesTheWindow)
{
    const Rect r = frame->layout().objectRects[std::size_t(close)];
    const Rect device = scale.toDevice(r);
    // The button's last device column, on its middle row: the logical
    // coordinate nearest to that position (Qt's rounding) lies outside the
    // button at 1.5 and 2.
    const Point last{device.right - 1, scale.toDevice((r.top + r.bottom) / 2)};
    ASSERT_EQ(objectAt(last), close);
    send(QEvent::MouseMove, last);
    send(QEvent::MouseButtonPress, last, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, last, Qt::LeftButton);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !window.isVisible(); }, 2000));
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
