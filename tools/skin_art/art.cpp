#include "art.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace skinart {

QColor hex(unsigned rgb)
{
    return QColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

QColor mix(const QColor& a, const QColor& b, double t)
{
    auto m = [t](int x, int y) { return int(std::lround(x + (y - x) * t)); };
    return QColor(m(a.red(), b.red()), m(a.green(), b.green()), m(a.blue(), b.blue()),
                  m(a.alpha(), b.alpha()));
}

QColor withAlpha(const QColor& c, int alpha)
{
    QColor r = c;
    r.setAlpha(alpha);
    return r;
}

QColor inactiveGrey(const QColor& c)
{
    const long double v = 0.3L * c.red() + 0.59L * c.green() + 0.11L * c.blue();
    const int g = std::clamp(int(std::nearbyint(double(v))), 0, 255);
    return QColor(g, g, g, c.alpha());
}

QImage inactiveGrey(const QImage& source)
{
    QImage image = source.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixelColor(x, y, inactiveGrey(image.pixelColor(x, y)));
    return image;
}

unsigned colourValue(const QColor& c)
{
    return unsigned(c.red()) | (unsigned(c.green()) << 8) | (unsigned(c.blue()) << 16);
}

QImage blank(int width, int height, const QColor& fill)
{
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(fill);
    return image;
}

void blendPixel(QImage& image, int x, int y, const QColor& c)
{
    if (x < 0 || y < 0 || x >= image.width() || y >= image.height() || c.alpha() == 0)
        return;
    if (c.alpha() == 255) {
        image.setPixelColor(x, y, c);
        return;
    }
    const QColor d = image.pixelColor(x, y);
    const double a = c.alphaF();
    const double da = d.alphaF() * (1 - a);
    const double outA = a + da;
    auto ch = [&](int s, int t) { return int(std::lround((s * a + t * da) / outA)); };
    image.setPixelColor(x, y, QColor(ch(c.red(), d.red()), ch(c.green(), d.green()),
                                     ch(c.blue(), d.blue()), int(std::lround(outA * 255))));
}

void fillGradient(QImage& image, const QRect& rect, const QColor& top, const QColor& bottom)
{
    const int n = std::max(1, rect.height() - 1);
    fillRows(image, rect, [&](int i) { return mix(top, bottom, double(i) / n); });
}

void hline(QImage& image, int x0, int x1, int y, const QColor& c)
{
    for (int x = x0; x <= x1; ++x)
        blendPixel(image, x, y, c);
}

void vline(QImage& image, int x, int y0, int y1, const QColor& c)
{
    for (int y = y0; y <= y1; ++y)
        blendPixel(image, x, y, c);
}

double roundRectDistance(const QRectF& r, double radius, double px, double py)
{
    // Distance to a rounded box, measured from its centre.
    const double cx = r.center().x(), cy = r.center().y();
    const double hx = r.width() / 2 - radius, hy = r.height() / 2 - radius;
    const double qx = std::abs(px - cx) - hx, qy = std::abs(py - cy) - hy;
    const double ox = std::max(qx, 0.0), oy = std::max(qy, 0.0);
    return std::sqrt(ox * ox + oy * oy) + std::min(std::max(qx, qy), 0.0) - radius;
}

double roundRectCoverage(const QRectF& rect, double radius, int corners, int x, int y)
{
    int inside = 0;
    for (int sy = 0; sy < 4; ++sy) {
        for (int sx = 0; sx < 4; ++sx) {
            const double px = x + (sx + 0.5) / 4, py = y + (sy + 0.5) / 4;
            if (!rect.contains(px, py))
                continue;
            const bool left = px < rect.left() + radius, right = px > rect.right() - radius;
            const bool top = py < rect.top() + radius, bottom = py > rect.bottom() - radius;
            int corner = 0;
            if (top && left) corner = TopLeft;
            if (top && right) corner = TopRight;
            if (bottom && left) corner = BottomLeft;
            if (bottom && right) corner = BottomRight;
            if (corner & corners) {
                const double ccx = (corner & (TopLeft | BottomLeft)) ? rect.left() + radius : rect.right() - radius;
                const double ccy = (corner & (TopLeft | TopRight)) ? rect.top() + radius : rect.bottom() - radius;
                if ((px - ccx) * (px - ccx) + (py - ccy) * (py - ccy) > radius * radius)
                    continue;
            }
            ++inside;
        }
    }
    return inside / 16.0;
}

void drawPlate(QImage& image, const QRect& rect, const Plate& plate)
{
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    const QRectF outer = QRectF(rect).adjusted(0.5, 0.5, -0.5, -0.5);
    QPainterPath path;
    path.addRoundedRect(outer, plate.radius, plate.radius);
    QLinearGradient gradient(0, rect.top() + 1, 0, rect.bottom() - 1);
    gradient.setColorAt(0, plate.fillTop);
    gradient.setColorAt(1, plate.fillBottom);
    p.fillPath(path, gradient);
    p.end();

    // Inner lines first, then the outline over them, so corners stay clean.
    const int inset = int(std::ceil(plate.radius));
    hline(image, rect.left() + inset, rect.right() - inset, rect.top() + 1, plate.innerTop);
    hline(image, rect.left() + inset, rect.right() - inset, rect.bottom() - 1, plate.innerBottom);

    QPainter q(&image);
    q.setRenderHint(QPainter::Antialiasing, true);
    q.setPen(QPen(plate.border, 1));
    q.setBrush(Qt::NoBrush);
    q.drawRoundedRect(outer, plate.radius, plate.radius);
}

Glyph Glyph::flippedVertically() const
{
    Glyph g{rows};
    std::reverse(g.rows.begin(), g.rows.end());
    return g;
}

void stamp(QImage& image, const Glyph& glyph, int x, int y, const QColor& c)
{
    for (int row = 0; row < glyph.height(); ++row)
        for (int col = 0; col < glyph.width(); ++col)
            if (glyph.rows[size_t(row)][size_t(col)] == '#')
                blendPixel(image, x + col, y + row, c);
}

Atlas::Atlas(int width, QColor background)
    : m_width(width)
    , m_background(background)
{
}

QRect Atlas::add(const std::string& name, const QImage& tile)
{
    if (m_rects.count(name))
        throw std::logic_error("tile added twice: " + name);
    if (m_x + tile.width() > m_width) {
        m_x = 0;
        m_y += m_rowHeight + 1;
        m_rowHeight = 0;
    }
    const QRect r(m_x, m_y, tile.width(), tile.height());
    m_tiles.emplace_back(r, tile);
    m_rects[name] = r;
    m_x += tile.width() + 1;
    m_rowHeight = std::max(m_rowHeight, tile.height());
    return r;
}

QRect Atlas::rect(const std::string& name) const
{
    auto it = m_rects.find(name);
    if (it == m_rects.end())
        throw std::logic_error("no tile named " + name);
    return it->second;
}

QImage Atlas::image() const
{
    QImage out = blank(m_width, m_y + m_rowHeight, m_background);
    QPainter p(&out);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    for (const auto& [r, tile] : m_tiles)
        p.drawImage(r.topLeft(), tile);
    return out;
}

} // namespace skinart
