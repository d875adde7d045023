#include <gtest/gtest.h>

#include "skin/data/system_colors.h"
#include "skin/paint/bitmap_canvas.h"

namespace tessaly::skin {
namespace {

TEST(ImageOf, KeyColourBitmapConvertedOnceUntilItChanges)
{
    Bitmap b(2, 1);
    b.setPixel(0, 0, keyColor);
    b.setPixel(1, 0, 0xFF336699u);
    b.setTransparent(true);
    const QImage first = imageOf(b);
    EXPECT_EQ(first.pixel(0, 0), 0u);
    EXPECT_EQ(first.pixel(1, 0), 0xFF336699u);
    // Painting again uses the same converted pixels.
    EXPECT_EQ(imageOf(b).constBits(), first.constBits());
    b.setPixel(1, 0, keyColor);
    EXPECT_EQ(imageOf(b).pixel(1, 0), 0u);
}

TEST(QColorOf, ResolvesSystemColours)
{
    EXPECT_EQ(qColorOf(systemColorValue(SystemColor::BtnFace)), QColor(212, 208, 200));
    EXPECT_EQ(qColorOf(rgbColor(1, 2, 3)), QColor(1, 2, 3));
}

} // namespace
} // namespace tessaly::skin
