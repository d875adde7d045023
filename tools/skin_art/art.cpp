#include "art.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <stdexcept>

namespace skinart {

QColor hex(unsigned rgb)
{
    return QColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

QColor stepBetween(const QColor& a, const QColor& b, int i, int n)
{
    auto c = [&](int x, int y) { return x + (y - x) * i / n; };
    return QColor(c(a.red(), b.red()), c(a.green(), b.green()), c(a.blue(), b.blue()));
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
    // Every picture of the art is made by blank(): plain ARGB32, never
    // premultiplied, so no conversion (and no rounding of Qt's) is needed.
    QImage image = source.copy();
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
    // Weights in 255ths squared: the source counts with its alpha, the
    // target with what the source leaves of its own.
    const int sourceWeight = c.alpha() * 255;
    const int targetWeight = d.alpha() * (255 - c.alpha());
    const int outWeight = sourceWeight + targetWeight;
    auto ch = [&](int s, int t) { return (s * sourceWeight + t * targetWeight + outWeight / 2) / outWeight; };
    image.setPixelColor(x, y, QColor(ch(c.red(), d.red()), ch(c.green(), d.green()), ch(c.blue(), d.blue()),
                                     (outWeight + 127) / 255));
}

void copyImage(QImage& target, const QImage& source, QPoint at)
{
    for (int y = 0; y < source.height(); ++y)
        for (int x = 0; x < source.width(); ++x)
            if (target.rect().contains(at.x() + x, at.y() + y))
                target.setPixelColor(at.x() + x, at.y() + y, source.pixelColor(x, y));
}

void blendImage(QImage& target, const QImage& source, QPoint at, int opacity)
{
    for (int y = 0; y < source.height(); ++y) {
        for (int x = 0; x < source.width(); ++x) {
            const QColor c = source.pixelColor(x, y);
            blendPixel(target, at.x() + x, at.y() + y, withAlpha(c, (c.alpha() * opacity + 127) / 255));
        }
    }
}

void tintAtop(QImage& image, const QColor& tint)
{
    const int a = tint.alpha();
    auto ch = [a](int t, int d) { return (t * a + d * (255 - a) + 127) / 255; };
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor d = image.pixelColor(x, y);
            if (d.alpha() == 0)
                continue;
            image.setPixelColor(x, y, QColor(ch(tint.red(), d.red()), ch(tint.green(), d.green()),
                                             ch(tint.blue(), d.blue()), d.alpha()));
        }
    }
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

namespace {

constexpr std::int64_t kUnit = 64;   // sub-pixel units per pixel
constexpr std::int64_t kSamples = 16; // samples per pixel along each axis
constexpr int kSamplesPerPixel = int(kSamples * kSamples);

// Our rectangles and radii fall on halves and quarters of a pixel, which a
// 64th represents exactly.
std::int64_t units(double v)
{
    return std::llround(v * double(kUnit));
}

// A rounded rectangle in 64ths of a pixel, right and bottom exclusive.
struct RoundBox {
    std::int64_t left, top, right, bottom, radius;

    static RoundBox of(const QRectF& rect, double radius)
    {
        const std::int64_t w = units(rect.width()), h = units(rect.height());
        const std::int64_t r = std::clamp<std::int64_t>(units(radius), 0, std::min(w, h) / 2);
        return {units(rect.left()), units(rect.top()), units(rect.left()) + w, units(rect.top()) + h, r};
    }

    bool contains(std::int64_t px, std::int64_t py) const
    {
        if (px < left || px >= right || py < top || py >= bottom)
            return false;
        // Nearest point of the rectangle shrunk by the radius: inside the
        // corners' circles or beside them.
        const std::int64_t cx = std::clamp(px, left + radius, right - radius);
        const std::int64_t cy = std::clamp(py, top + radius, bottom - radius);
        const std::int64_t dx = px - cx, dy = py - cy;
        return dx * dx + dy * dy <= radius * radius;
    }

    // How many of the pixel's samples lie inside, 0 to kSamplesPerPixel.
    int samplesIn(int x, int y) const
    {
        const std::int64_t x0 = x * kUnit, y0 = y * kUnit;
        if (x0 + kUnit <= left || x0 >= right || y0 + kUnit <= top || y0 >= bottom)
            return 0;
        const bool insideX = x0 >= left && x0 + kUnit <= right;
        const bool insideY = y0 >= top && y0 + kUnit <= bottom;
        const bool clearOfCornersX = x0 >= left + radius && x0 + kUnit <= right - radius;
        const bool clearOfCornersY = y0 >= top + radius && y0 + kUnit <= bottom - radius;
        if (insideX && insideY && (clearOfCornersX || clearOfCornersY))
            return kSamplesPerPixel;
        constexpr std::int64_t step = kUnit / kSamples;
        int inside = 0;
        for (std::int64_t sy = 0; sy < kSamples; ++sy)
            for (std::int64_t sx = 0; sx < kSamples; ++sx)
                inside += contains(x0 + sx * step + step / 2, y0 + sy * step + step / 2) ? 1 : 0;
        return inside;
    }
};

QColor covered(const QColor& c, int samples)
{
    return withAlpha(c, (c.alpha() * samples + kSamplesPerPixel / 2) / kSamplesPerPixel);
}

// The pixels the rectangle may touch.
QRect touched(const QRectF& rect)
{
    return QRect(QPoint(int(std::floor(rect.left())), int(std::floor(rect.top()))),
                 QPoint(int(std::ceil(rect.right())), int(std::ceil(rect.bottom()))));
}

} // namespace

void fillRoundRect(QImage& image, const QRectF& rect, double radius, const std::function<QColor(int)>& rowColour)
{
    const RoundBox box = RoundBox::of(rect, radius);
    const QRect area = touched(rect) & image.rect();
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const QColor c = rowColour(y);
        for (int x = area.left(); x <= area.right(); ++x)
            if (const int n = box.samplesIn(x, y))
                blendPixel(image, x, y, covered(c, n));
    }
}

void strokeRoundRect(QImage& image, const QRectF& rect, double radius, const QColor& colour)
{
    // The pen covers what lies between the outline grown by half a pixel and
    // the outline shrunk by half a pixel; the corners' radii grow and shrink
    // with it.
    const QRectF outerRect = rect.adjusted(-0.5, -0.5, 0.5, 0.5);
    const RoundBox outer = RoundBox::of(outerRect, radius + 0.5);
    const RoundBox inner = RoundBox::of(rect.adjusted(0.5, 0.5, -0.5, -0.5), std::max(0.0, radius - 0.5));
    const QRect area = touched(outerRect) & image.rect();
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (const int n = outer.samplesIn(x, y) - inner.samplesIn(x, y))
                blendPixel(image, x, y, covered(colour, n));
}

void drawPlate(QImage& image, const QRect& rect, const Plate& plate)
{
    // The fill's edge runs through the centres of the rectangle's outermost
    // pixels, where the outline covers it.
    const QRectF outline = QRectF(rect).adjusted(0.5, 0.5, -0.5, -0.5);
    const double gradientTop = rect.top() + 1, gradientBottom = rect.bottom() - 1;
    fillRoundRect(image, outline, plate.radius, [&](int y) {
        if (gradientBottom <= gradientTop)
            return plate.fillTop;
        const double t = (y + 0.5 - gradientTop) / (gradientBottom - gradientTop);
        return mix(plate.fillTop, plate.fillBottom, std::clamp(t, 0.0, 1.0));
    });

    // Inner lines first, then the outline over them, so corners stay clean.
    const int inset = int(std::ceil(plate.radius));
    hline(image, rect.left() + inset, rect.right() - inset, rect.top() + 1, plate.innerTop);
    hline(image, rect.left() + inset, rect.right() - inset, rect.bottom() - 1, plate.innerBottom);
    strokeRoundRect(image, outline, plate.radius, plate.border);
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
    for (const auto& [r, tile] : m_tiles)
        copyImage(out, tile, r.topLeft());
    return out;
}

} // namespace skinart
