#include "skin/paint/glyph.h"

#include "skin/paint/lines.h"

#include <initializer_list>

namespace tessaly::skin {

namespace {

struct Line {
    int x0, y0, x1, y1;
};

class Pen {
public:
    Pen(const PixelSurface& target, int x, int y, PixelColor color)
        : m_target(target), m_x(x), m_y(y), m_color(color)
    {
    }

    void plot(int x, int y) const
    {
        x += m_x;
        y += m_y;
        if (x >= 0 && y >= 0 && x < m_target.width && y < m_target.height)
            m_target.row(y)[x] = m_color;
    }

    void line(const Line& l) const { drawLine(m_target, m_x + l.x0, m_y + l.y0, m_x + l.x1, m_y + l.y1, m_color); }

    void outline(const Rect& b) const
    {
        drawOutline(m_target, b.translated(m_x, m_y), m_color);
    }

    void fill(const Rect& b) const
    {
        for (int y = b.top; y < b.bottom; ++y)
            for (int x = b.left; x < b.right; ++x)
                plot(x, y);
    }

private:
    PixelSurface m_target;
    int m_x, m_y;
    PixelColor m_color;
};

} // namespace

void drawGlyphCell(const PixelSurface& target, int x, int y, int index, int count, PixelView glyph)
{
    if (glyph.isEmpty() || target.isEmpty() || count <= 0 || index < 1 || index > count)
        return;
    const int cellWidth = glyph.width / count;
    if (cellWidth <= 0)
        return;
    const int cellLeft = (index - 1) * cellWidth;
    const uint32_t key = glyph.pixel(cellLeft, glyph.height - 1) & 0x00FFFFFFu;
    for (int gy = 0; gy < glyph.height; ++gy) {
        const int ty = y + gy;
        if (ty < 0 || ty >= target.height)
            continue;
        const uint32_t* from = glyph.row(gy) + cellLeft;
        uint32_t* to = target.row(ty);
        for (int gx = 0; gx < cellWidth; ++gx) {
            const int tx = x + gx;
            if (tx >= 0 && tx < target.width && (from[gx] & 0x00FFFFFFu) != key)
                to[tx] = from[gx] | 0xFF000000u;
        }
    }
}

void drawDefaultGlyph(const PixelSurface& target, DefaultGlyph kind, int x, int y, PixelColor color)
{
    if (target.isEmpty())
        return;
    const Pen pen(target, x, y, color);
    auto lines = [&pen](std::initializer_list<Line> list) {
        for (const Line& l : list)
            pen.line(l);
    };
    auto boxes = [&pen](std::initializer_list<Rect> list) {
        for (const Rect& b : list)
            pen.outline(b);
    };
    switch (kind) {
    case DefaultGlyph::Close:
        lines({{1, 1, 9, 9}, {9, 1, 1, 9}, {2, 1, 10, 9}, {8, 1, 0, 9}});
        break;
    case DefaultGlyph::Minimize:
        lines({{1, 8, 9, 8}, {1, 9, 9, 9}});
        break;
    case DefaultGlyph::Maximize:
        boxes({{0, 0, 11, 10}, {0, 0, 11, 2}});
        break;
    case DefaultGlyph::Restore:
        boxes({{2, 0, 10, 6}, {2, 0, 10, 2}, {0, 4, 7, 10}, {0, 4, 7, 6}});
        break;
    case DefaultGlyph::SystemMenu:
        boxes({{1, 3, 9, 6}});
        break;
    case DefaultGlyph::RollUp:
        lines({{1, 6, 9, 6}, {2, 5, 8, 5}, {3, 4, 7, 4}, {4, 3, 6, 3}, {5, 2, 5, 2}});
        break;
    case DefaultGlyph::RollDown:
        lines({{5, 6, 5, 6}, {4, 5, 6, 5}, {3, 4, 7, 4}, {2, 3, 8, 3}, {1, 2, 9, 2}});
        break;
    case DefaultGlyph::MinimizeToTray:
        pen.fill({2, 2, 7, 7});
        break;
    }
}

} // namespace tessaly::skin
