#include "skin/paint/text_effects.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

#include "skin/paint/bitmap.h"
#include "skin/paint/bitmap_canvas.h"
#include "skin/paint/stack_blur.h"
#include "platform/qt_geometry.h"

namespace tessaly::skin {

namespace {

constexpr uint32_t pureRed = 0xFFFF0000u;

// Effects larger than this are left out (the text is still drawn): painting
// must not fail, and no caption or label comes near it.
constexpr long long maxWorkPixels = 1LL << 24;
constexpr int maxGlow = 254;

bool workFits(long long width, long long height)
{
    return width > 0 && height > 0 && width * height <= maxWorkPixels;
}

// A canvas over the work bitmap with the target's font and red text.
platform::QtCanvas redCanvas(Bitmap& work, const platform::QtCanvas& target)
{
    platform::QtCanvas canvas = canvasOf(work);
    canvas.setFont(target.font());
    canvas.setTextColor(pureRed);
    return canvas;
}

// Red becomes alpha over the effect colour; the bitmap then blends.
void redToAlpha(Bitmap& work, Color color)
{
    const uint32_t rgb = colorFromValue(color) & 0x00FFFFFFu;
    for (int y = 0; y < work.height(); ++y) {
        uint32_t* row = work.rowPointer(y);
        for (int x = 0; x < work.width(); ++x)
            row[x] = (uint32_t(redOf(row[x])) << 24) | rgb;
    }
    work.setAlphaBlend(true);
}

// The glow shared by the plain and the outline form.
void glow(platform::QtCanvas& canvas, const Rect& rect, const QString& text, int size, Color color, int offset,
          unsigned flags, std::initializer_list<QPoint> shifts)
{
    size = std::clamp(size, 0, maxGlow);
    const int w = rect.width(), h = rect.height();
    if (w > 0 && h > 0 && workFits(w + 2LL * size, h + 2LL * size)) {
        Bitmap work(w + 2 * size, h + 2 * size);
        platform::QtCanvas red = redCanvas(work, canvas);
        const QRect inset(size, size, w, h);
        for (const QPoint& shift : shifts)
            red.drawText(inset.translated(shift), text, flags);
        stackBlur(work, size);
        redToAlpha(work, color);
        work.draw(surfaceOf(canvas), rect.left + offset - size, rect.top + offset - size);
    }
    canvas.drawText(platform::toQRect(rect), text, flags);
}

} // namespace

void drawGlowText(platform::QtCanvas& canvas, const Rect& rect, const QString& text, int size, Color color,
                  int offset, unsigned flags)
{
    glow(canvas, rect, text, size, color, offset, flags, {QPoint(0, 0)});
}

void drawOutlineGlowText(platform::QtCanvas& canvas, const Rect& rect, const QString& text, int size,
                         Color color, int offset, unsigned flags)
{
    glow(canvas, rect, text, size, color, offset, flags,
         {QPoint(0, 0), QPoint(-1, 0), QPoint(1, 0), QPoint(0, -1), QPoint(0, 1)});
}

void drawVistaGlowText(platform::QtCanvas& canvas, const Rect& rect, const QString& text, Color color,
                       unsigned flags, int radius)
{
    const int r = std::clamp(radius, 0, maxGlow);
    const int w = rect.width(), h = rect.height();
    if (w > 0 && h > 0 && workFits(w + 2LL * r, h + 2LL * r)) {
        Bitmap work(w + 2 * r, h + 2 * r);
        platform::QtCanvas red = redCanvas(work, canvas);
        const QRect inset(QPoint(r, r), QPoint(work.width() - r - 1, work.height() - r - 1));
        const QRect block = radius == 12 ? inset.adjusted(-3, 2, 3, -2) : inset.adjusted(3, 3, -3, -3);
        red.fillRect(block, pureRed);
        for (const QPoint shift : {QPoint(-1, -1), QPoint(-2, -2), QPoint(-1, 0), QPoint(-2, 0), QPoint(1, 0),
                                   QPoint(2, 0), QPoint(1, 1), QPoint(2, 2), QPoint(0, 0)})
            red.drawText(inset.translated(shift), text, flags);
        stackBlur(work, r / 2);
        stackBlur(work, r / 2);
        redToAlpha(work, color);
        work.draw(surfaceOf(canvas), rect.left - r, rect.top - r);
    }
    canvas.drawText(platform::toQRect(rect), text, flags);
}

void drawReflectionText(platform::QtCanvas& canvas, const Rect& rect, const QString& text, Color color,
                        int offset, unsigned flags)
{
    const int w = rect.width(), h = rect.height();
    if (workFits(w, h)) {
        Bitmap work(w, h);
        platform::QtCanvas red = redCanvas(work, canvas);
        red.drawText(QRect(0, 0, w, h), text, flags);
        const QRect measured = canvas.measureText(platform::toQRect(rect), text, flags);
        const int t = std::min(measured.height(), h - 1);
        if (t > 0) {
            for (int y = t + 1; y < h; ++y)
                std::fill_n(work.rowPointer(y), w, 0u);
            // Alpha fades from 0.7 at the text's bottom to nothing at 0.3 of
            // its height from the top.
            for (int i = 0; i <= t; ++i) {
                const double f = 0.7 - double(t - i) / t;
                uint32_t* row = work.rowPointer(i);
                for (int x = 0; x < w; ++x) {
                    const uint32_t alpha = f > 0 ? uint32_t(std::trunc(redOf(row[x]) * f)) : 0u;
                    row[x] = (alpha << 24) | (colorFromValue(color) & 0x00FFFFFFu);
                }
            }
            for (int top = 0, bottom = h - 1; top < bottom; ++top, --bottom)
                std::swap_ranges(work.rowPointer(top), work.rowPointer(top) + w, work.rowPointer(bottom));
            work.setAlphaBlend(true);
            work.draw(surfaceOf(canvas), rect.left, measured.bottom() + 1 + t + offset - h);
        }
    }
    canvas.drawText(platform::toQRect(rect), text, flags);
}

} // namespace tessaly::skin
