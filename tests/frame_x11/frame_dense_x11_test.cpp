// The main window on a dense X screen: Xvfb with openbox, run with
// QT_SCALE_FACTOR set (ctest runs it at 1.5 and 2). The window's X shape is
// the frame's region scaled by the device rule, and the pointer on the
// close button's edge pixels (in the screen's own pixels) is on the button.

#include <QApplication>
#include <QProcess>
#include <QTest>
#include <gtest/gtest.h>

#include "app/about_window.h"
#include "app/main_window.h"
#include "platform/qt_main_thread.h"
#include "skin/frame/skin_frame.h"
#include "skin/paint/bitmap_canvas.h"
#include "skin/paint/device_scale.h"
#include "own_display.h"
#include "x11_probe.h"

using namespace tessaly;
using skin::DeviceScale;
using skin::Point;
using skin::Rect;

namespace {

void xdotool(const QStringList& arguments)
{
    ASSERT_EQ(QProcess::execute(QStringLiteral("xdotool"), arguments), 0) << arguments.join(' ').toStdString();
}

class FrameDenseX11Test : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(probe.ok());
        main.setAboutWindow(&about);
        main.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
        ASSERT_TRUE(QTest::qWaitFor([&] { return frame().formActive(); }, 5000));
        QTest::qWait(150);
        scale = DeviceScale::fromRatio(main.devicePixelRatioF());
        close = frame().getIndex("closebutton");
        ASSERT_GE(close, 0);
    }

    skin::SkinFrame& frame() { return *main.frame(); }
    uint32_t id() { return uint32_t(main.winId()); }
    // The pointer to a device pixel of the window, in the screen's pixels.
    void pointerTo(const Point& device)
    {
        const QPoint origin = probe.rootGeometry(id()).topLeft();
        xdotool({QStringLiteral("mousemove"), QString::number(origin.x() + device.x),
                 QString::number(origin.y() + device.y)});
    }
    int objectAt(const Point& device)
    {
        const Point p = scale.toLogical(device);
        return frame().hitTest(QPoint(p.x, p.y)).objectIndex;
    }

    frametest::X11Probe probe;
    platform::QtMainThread mainThread;
    app::MainWindow main{mainThread, "/nonexistent/"};
    app::AboutWindow about{&main};
    DeviceScale scale;
    int close = -1;
};

TEST_F(FrameDenseX11Test, TheScreenIsDense)
{
    const double asked = qEnvironmentVariable("QT_SCALE_FACTOR").toDouble();
    ASSERT_GT(asked, 1.0) << "run with QT_SCALE_FACTOR above 1";
    EXPECT_EQ(scale, DeviceScale::fromRatio(asked));
}

TEST_F(FrameDenseX11Test, TheWindowsShapeIsTheFrameRegionScaled)
{
    const QRect native = probe.rootGeometry(id());
    EXPECT_EQ(native.size(), QSize(scale.toDevice(main.width()), scale.toDevice(main.height())));
    ASSERT_TRUE(frame().layout().region.has_value());
    const QRegion expected = skin::toQRegion(skin::scaleRegion(*frame().layout().region, scale));
    EXPECT_EQ(probe.shape(id()), expected);
    // The rounded corner stays out, pixel for pixel.
    EXPECT_FALSE(probe.shape(id()).contains(QPoint(0, 0)));
}

TEST_F(FrameDenseX11Test, ThePointerOnTheCloseButtonsEdgePixelsIsOnTheButtonAndAClickThereCloses)
{
    const Rect device = scale.toDevice(frame().layout().objectRects[std::size_t(close)]);
    const int middleX = (device.left + device.right) / 2, middleY = (device.top + device.bottom) / 2;
    // The first and last device column and row of the button, and the
    // pixels just beyond them.
    const Point edges[] = {{device.left, middleY}, {device.right - 1, middleY}, {middleX, device.top},
                           {middleX, device.bottom - 1}};
    const Point beyond[] = {{device.left - 1, middleY}, {device.right, middleY}, {middleX, device.top - 1},
                            {middleX, device.bottom}};
    for (const Point& p : edges) {
        ASSERT_EQ(objectAt(p), close) << p.x << "," << p.y;
        pointerTo(p);
        EXPECT_TRUE(QTest::qWaitFor([&] { return frame().activeObject() == close; }, 3000)) << p.x << "," << p.y;
    }
    for (const Point& p : beyond) {
        if (objectAt(p) == close)
            continue;
        pointerTo(p);
        EXPECT_TRUE(QTest::qWaitFor([&] { return frame().activeObject() != close; }, 3000))
            << p.x << "," << p.y << ": object " << frame().activeObject();
    }
    pointerTo(edges[1]);
    ASSERT_TRUE(QTest::qWaitFor([&] { return frame().activeObject() == close; }, 3000));
    xdotool({QStringLiteral("click"), QStringLiteral("1")});
    EXPECT_TRUE(QTest::qWaitFor([&] { return !main.isVisible(); }, 3000));
}

} // namespace

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    return x11test::runOnOwnDisplay(argc, argv, {}, [](x11test::X11Session&) { return RUN_ALL_TESTS(); });
}
