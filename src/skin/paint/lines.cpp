#include "skin/paint/lines.h"

#include <cstdlib>

namespace tessaly::skin {

namespace {

void plot(const PixelSurface& target, int x, int y, PixelColor color)
{
    if (x >= 0 && y >= 0 && x < target.width && y < target.height)
        target.row(y)[x] = color;
}

} // namespace

void drawLine(const PixelSurface& target, int x0, int y0, int x1, int y1, PixelColor color)
{
    // Bresenham's integer walk: err tracks how far the pixel is off the
    // ideal line in both directions at once.
    const int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
    const int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    while (x0 != x1 || y0 != y1) {
        plot(target, x0, y0, color);
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y0 += sy;
        }
    }
}

void drawOutline(const PixelSurface& target, const Rect& r, PixelColor color)
{
    if (r.isEmpty())
        return;
    drawLine(target, r.left, r.top, r.right, r.top, color);
    drawLine(target, r.left, r.bottom - 1, r.right, r.bottom - 1, color);
    drawLine(target, r.left, r.top, r.left, r.bottom, color);
    drawLine(target, r.right - 1, r.top, r.right - 1, r.bottom, color);
}

} // namespace tessaly::skin
