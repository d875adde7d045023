// The push button on a dense screen, off screen: run with QT_SCALE_FACTOR
// set (ctest runs it at 1.5 and 2). The state face is composed at 1:1 and
// scaled without its caption; the caption is Qt's text at the screen's
// resolution, where the 1:1 layout puts it.

#include "pewter_fixture.h"
#include "skin/controls/button_look.h"
#include "skin/controls/skin_button.h"
#include "skin/paint/bitmap_canvas.h"
#include "skin/paint/device_picture.h"

#include <QTest>

namespace tessaly::skin::test {
namespace {

const DataSkinButtonControl& buttonRecord() { return recordOf<DataSkinButtonControl>("button"); }

int differing(const QImage& a, const QImage& b, const QRect& area)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += (a.pixel(x, y) & 0xFFFFFFu) != (b.pixel(x, y) & 0xFFFFFFu);
    return n;
}

struct DenseCase {
    const char* name;
    bool hot;
    Rect DataSkinButtonControl::*rect;
    Color ButtonLook::*colour;
};

TEST(ButtonDense, TheCaptionIsQtsTextAtTheScreensRatioOverTheScaledFace)
{
    const DenseCase cases[] = {
        {"normal", false, &DataSkinButtonControl::skinRect, &ButtonLook::fontColor},
        {"hot", true, &DataSkinButtonControl::activeSkinRect, &ButtonLook::activeFontColor},
    };
    for (const DenseCase& c : cases) {
        SCOPED_TRACE(c.name);
        QWidget parent;
        parent.resize(200, 100);
        auto* b = new SkinButton(QStringLiteral("Validate"), &parent);
        b->setSkinData(&pewter());
        b->setGeometry(10, 10, 75, 25);
        const qreal ratio = b->devicePixelRatioF();
        ASSERT_GT(ratio, 1.0) << "run with QT_SCALE_FACTOR above 1";
        if (c.hot) {
            hover(*b);
            for (int i = 0; i < 10 && b->morphRunning(); ++i)
                b->morphTick();
        }
        const QImage shot = b->grab().toImage().convertToFormat(QImage::Format_RGB32);

        // The face at 1:1 with its caption kept aside, as the 1:1 layout
        // places it; then scaled, and the caption drawn by Qt at the ratio.
        const ButtonLook look = ButtonLook::of(buttonRecord());
        Bitmap face = nineFace(buttonRecord(), buttonRecord().*c.rect, 75, 25);
        const Rect& cl = buttonRecord().clRect;
        const Rect textRect{cl.left, cl.top, cl.right + 75 - buttonRecord().skinRect.width(),
                            cl.bottom + 25 - buttonRecord().skinRect.height()};
        platform::TextRuns caption;
        {
            platform::TextCapture capture(face.rowPointer(0));
            drawButtonCaption(face, textRect, QStringLiteral("Validate"), look.font, look.*c.colour, false);
            caption = capture.take();
        }
        ASSERT_FALSE(caption.empty());
        const QImage plain = scaledToDevice(imageOf(face), ratio).convertToFormat(QImage::Format_RGB32);
        QImage expected = plain.copy();
        expected.setDevicePixelRatio(ratio);
        caption.drawOnto(expected);
        ASSERT_EQ(shot.size(), expected.size());

        const Rect device = DeviceScale::fromRatio(ratio).toDevice(textRect);
        const QRect area(device.left, device.top, device.width(), device.height());
        EXPECT_EQ(differing(shot, expected, area), 0);
        // The caption is there, and it is not the 1:1 caption scaled.
        EXPECT_GT(differing(shot, plain, area), 20);
        Bitmap oneToOne = nineFace(buttonRecord(), buttonRecord().*c.rect, 75, 25);
        drawButtonCaption(oneToOne, textRect, QStringLiteral("Validate"), look.font, look.*c.colour, false);
        const QImage blocky = scaledToDevice(imageOf(oneToOne), ratio).convertToFormat(QImage::Format_RGB32);
        EXPECT_GT(differing(shot, blocky, area), 20);
    }
}

} // namespace
} // namespace tessaly::skin::test
