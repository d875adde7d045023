#include <QPainter>
#include <gtest/gtest.h>

#include "platform/qt_fonts.h"
#include "skin/paint/bitmap_canvas.h"
#include "skin/paint/device_picture.h"

namespace tessaly::skin {
namespace {

bool allZero(const Bitmap& b)
{
    for (int y = 0; y < b.height(); ++y)
        for (int x = 0; x < b.width(); ++x)
            if (b.getPixel(x, y) != 0)
                return false;
    return true;
}

QFont captionFont() { return platform::fontForHeight(QStringLiteral("Arial"), -13); }

TEST(DevicePicture, TextIntoThePictureIsKeptForTheScreenAndOtherTextDrawnAsAlways)
{
    Bitmap face(60, 20);
    Bitmap other(60, 20);
    {
        const std::optional<platform::TextCapture> text = captureTextOnDenseDevice(face, 2.0);
        ASSERT_TRUE(text.has_value());
        platform::QtCanvas canvas = canvasOf(face);
        canvas.setFont(captionFont());
        canvas.drawText(QRect(0, 0, 60, 20), QStringLiteral("Validate"), platform::TextFormat::SingleLine);
        platform::QtCanvas elsewhere = canvasOf(other);
        elsewhere.setFont(captionFont());
        elsewhere.drawText(QRect(0, 0, 60, 20), QStringLiteral("Validate"), platform::TextFormat::SingleLine);
        EXPECT_TRUE(allZero(face));
        EXPECT_FALSE(allZero(other));
        EXPECT_FALSE(text->empty());
    }
    // Without a capture the same memory takes text again.
    platform::QtCanvas canvas = canvasOf(face);
    canvas.setFont(captionFont());
    canvas.drawText(QRect(0, 0, 60, 20), QStringLiteral("Validate"), platform::TextFormat::SingleLine);
    EXPECT_FALSE(allZero(face));
    // At a factor of 1 nothing is captured.
    EXPECT_FALSE(captureTextOnDenseDevice(face, 1.0).has_value());
}

TEST(DevicePicture, KeptTextIsDrawnAtTheScreensResolution)
{
    for (const qreal ratio : {1.5, 2.0}) {
        Bitmap face(70, 22);
        face.fillRect({0, 0, 70, 22}, 0xFFE0E0E0u);
        const std::optional<platform::TextCapture> text = captureTextOnDenseDevice(face, ratio);
        platform::QtCanvas canvas = canvasOf(face);
        canvas.setFont(captionFont());
        canvas.setTextColor(0xFF202020u);
        const unsigned flags = platform::TextFormat::SingleLine | platform::TextFormat::Center |
                               platform::TextFormat::VCenter;
        canvas.drawText(QRect(2, 1, 66, 20), QStringLiteral("Validate"), flags);

        DevicePicture cache;
        QImage shown(DeviceScale::fromRatio(ratio).toDevice(70), DeviceScale::fromRatio(ratio).toDevice(22),
                     QImage::Format_RGB32);
        shown.setDevicePixelRatio(ratio);
        {
            QPainter painter(&shown);
            drawDevicePicture(painter, cache, face, &*text);
        }
        // What Qt draws itself onto the same background at that ratio.
        QImage expected(shown.size(), QImage::Format_RGB32);
        expected.fill(QColor(0xE0, 0xE0, 0xE0));
        expected.setDevicePixelRatio(ratio);
        {
            QPainter painter(&expected);
            painter.setFont(captionFont());
            painter.setPen(QColor(0x20, 0x20, 0x20));
            painter.drawText(QRect(2, 1, 66, 20), platform::qtTextFlags(flags), QStringLiteral("Validate"));
        }
        EXPECT_EQ(shown, expected) << ratio;
        // The cached device pixels stay without text: the next paint of an
        // unchanged face starts from the plain picture.
        const QImage plain = cache.image(face, ratio);
        EXPECT_EQ(plain.pixel(plain.width() / 2, plain.height() / 2), 0xFFE0E0E0u) << ratio;
    }
}

TEST(DevicePicture, TextKeptFromAPictureDrawnIntoAnotherGoesWithIt)
{
    const unsigned flags = platform::TextFormat::SingleLine;
    // What the text looks like drawn into the outer picture at (5, 3).
    Bitmap direct(80, 30);
    {
        platform::QtCanvas canvas = canvasOf(direct);
        canvas.setFont(captionFont());
        canvas.drawText(QRect(5, 3, 60, 20), QStringLiteral("Validate"), flags);
    }
    for (const bool outerKept : {true, false}) {
        SCOPED_TRACE(outerKept);
        Bitmap outer(80, 30);
        std::optional<platform::TextCapture> outerText;
        if (outerKept)
            outerText.emplace(outer.rowPointer(0));
        Bitmap inner(60, 20);
        platform::TextRuns innerRuns;
        {
            // A capture begun while another lives takes its own picture's
            // text only.
            platform::TextCapture innerText(inner.rowPointer(0));
            platform::QtCanvas canvas = canvasOf(inner);
            canvas.setFont(captionFont());
            canvas.drawText(QRect(0, 0, 60, 20), QStringLiteral("Validate"), flags);
            innerRuns = innerText.take();
        }
        EXPECT_TRUE(allZero(inner));
        ASSERT_FALSE(innerRuns.empty());
        inner.draw(outer, 5, 3);
        canvasOf(outer).drawRuns(innerRuns, {5, 3});
        if (outerKept) {
            // Kept again by the outer capture, at the outer picture's place.
            EXPECT_TRUE(allZero(outer));
            Bitmap replayed(80, 30);
            canvasOf(replayed).drawRuns(outerText->take(), {0, 0});
            for (int y = 0; y < 30; ++y)
                for (int x = 0; x < 80; ++x)
                    ASSERT_EQ(replayed.getPixel(x, y), direct.getPixel(x, y)) << x << "," << y;
        } else {
            // Drawn into the pixels, as if drawn there at once.
            for (int y = 0; y < 30; ++y)
                for (int x = 0; x < 80; ++x)
                    ASSERT_EQ(outer.getPixel(x, y), direct.getPixel(x, y)) << x << "," << y;
        }
    }
}

} // namespace
} // namespace tessaly::skin
