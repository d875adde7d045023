#include "skin/paint/text_effects.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <gtest/gtest.h>

#include "skin/paint/bitmap_canvas.h"

namespace tessaly::skin {
namespace {

using platform::TextFormat::Center;
using platform::TextFormat::SingleLine;
using platform::TextFormat::VCenter;

constexpr unsigned centred = SingleLine | Center | VCenter;

Font arial(int height)
{
    Font font;
    font.name = "Arial";
    font.height = height;
    font.style.bold = true;
    return font;
}

QRect qrect(const Rect& r) { return QRect(QPoint(r.left, r.top), QPoint(r.right - 1, r.bottom - 1)); }

// Counts glow pixels in a rectangle: alpha strictly between 0 and 255 and
// a blue or green tint. The text itself is white, so its antialiased edges
// are grey and never count.
int partial(const Bitmap& b, const QRect& area)
{
    int count = 0;
    for (int y = std::max(area.top(), 0); y <= std::min(area.bottom(), b.height() - 1); ++y)
        for (int x = std::max(area.left(), 0); x <= std::min(area.right(), b.width() - 1); ++x) {
            const uint32_t p = b.getPixel(x, y);
            const int alpha = int(p >> 24), red = redOf(p);
            count += alpha > 0 && alpha < 255 && (blueOf(p) > red + 8 || greenOf(p) > red + 8);
        }
    return count;
}

TEST(Fonts, SkinFamiliesMapToInstalledOnes)
{
    const QFont a = fontOf(arial(-20));
    EXPECT_EQ(a.family(), "Liberation Sans");
    EXPECT_EQ(QFontInfo(a).family(), "Liberation Sans");
    EXPECT_EQ(a.pixelSize(), 20);
    EXPECT_TRUE(a.bold());
    Font tahoma;
    tahoma.name = "Tahoma";
    tahoma.height = 16; // a cell height
    const QFont t = fontOf(tahoma);
    EXPECT_EQ(QFontInfo(t).family(), "DejaVu Sans");
    EXPECT_NEAR(QFontMetrics(t).height(), 16, 1);
}

class TextEffects : public ::testing::Test {
protected:
    TextEffects() : target(240, 80), canvas(canvasOf(target))
    {
        canvas.setFont(fontOf(arial(-22)));
        canvas.setTextColor(0xFFFFFFFFu);
    }

    // The box the text takes inside the text rectangle.
    QRect textBox() const { return canvas.measureText(qrect(rect), text, centred); }

    Bitmap target; // transparent black
    platform::QtCanvas canvas;
    const Rect rect{40, 20, 200, 60};
    const QString text = QStringLiteral("Glow");
};

TEST_F(TextEffects, GlowSurroundsTheText)
{
    drawGlowText(canvas, rect, text, 6, Color(0x00FF0000u) /* blue */, 0, centred);

    // Opaque text pixels, all inside the text's line box; `box` is the
    // bounding box of the text's ink.
    const QRect line = textBox();
    QRect box;
    int opaqueText = 0;
    for (int y = 0; y < target.height(); ++y)
        for (int x = 0; x < target.width(); ++x)
            if (target.getPixel(x, y) == 0xFFFFFFFFu) {
                ++opaqueText;
                box |= QRect(x, y, 1, 1);
            }
    EXPECT_GT(opaqueText, 20);
    ASSERT_TRUE(line.contains(box)) << "ink outside the text's box";

    // Partly transparent glow outside the box on every side, in the glow colour.
    EXPECT_GT(partial(target, QRect(box.left() - 6, box.top(), 6, box.height())), 0);
    EXPECT_GT(partial(target, QRect(box.right() + 1, box.top(), 6, box.height())), 0);
    EXPECT_GT(partial(target, QRect(box.left(), box.top() - 6, box.width(), 6)), 0);
    EXPECT_GT(partial(target, QRect(box.left(), box.bottom() + 1, box.width(), 6)), 0);

    // Nothing far from the text.
    EXPECT_EQ(target.getPixel(0, 0), 0u);
    EXPECT_EQ(target.getPixel(239, 79), 0u);
    EXPECT_EQ(partial(target, QRect(0, 0, box.left() - 8, 80)), 0);
}

TEST_F(TextEffects, OutlineAndVistaGlows)
{
    drawOutlineGlowText(canvas, rect, text, 4, Color(0x0000FF00u), 0, centred);
    const QRect box = textBox();
    EXPECT_GT(partial(target, QRect(box.left() - 4, box.top(), 4, box.height())), 0);

    Bitmap wide(240, 80);
    platform::QtCanvas wideCanvas = canvasOf(wide);
    wideCanvas.setFont(canvas.font());
    drawVistaGlowText(wideCanvas, rect, text, Color(0x00FF0000u), centred);
    // The halo's block reaches the text rectangle's edges, well beyond the text.
    EXPECT_GT(partial(wide, QRect(rect.left - 4, rect.top, 4, rect.height())), 0);
    EXPECT_EQ(wide.getPixel(rect.left - 13, rect.top - 13), 0u);
}

TEST_F(TextEffects, ReflectionBelowTheText)
{
    const Rect top{40, 4, 200, 40};
    drawReflectionText(canvas, top, text, Color(0x00FF0000u), 0, SingleLine | Center);
    const QRect box = canvas.measureText(qrect(top), text, SingleLine | Center);
    EXPECT_GT(partial(target, QRect(box.left(), box.bottom() + 1, box.width(), box.height())), 0);
    EXPECT_EQ(partial(target, QRect(0, 0, 240, box.top())), 0);
}

TEST_F(TextEffects, EmptyRectanglesStillDrawTheText)
{
    const unsigned unclipped = centred | platform::TextFormat::NoClip;
    drawGlowText(canvas, Rect{120, 40, 120, 40}, text, 5, Color(0x00FF0000u), 0, unclipped);
    drawVistaGlowText(canvas, Rect{120, 40, 110, 30}, text, Color(0x00FF0000u), unclipped);
    drawReflectionText(canvas, Rect{120, 40, 120, 40}, text, Color(0x00FF0000u), 0, unclipped);
    // The text itself is drawn (white, opaque), but no glow around it.
    int opaque = 0;
    for (int y = 0; y < target.height(); ++y)
        for (int x = 0; x < target.width(); ++x)
            opaque += target.getPixel(x, y) == 0xFFFFFFFFu;
    EXPECT_GT(opaque, 20);
    EXPECT_EQ(partial(target, QRect(0, 0, 240, 80)), 0);
}

} // namespace
} // namespace tessaly::skin
