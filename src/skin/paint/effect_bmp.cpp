#include "skin/paint/effect_bmp.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <random>

#include "skin/data/system_colors.h"
#include "skin/paint/rect_math.h"
#include "skin/paint/sampling.h"

namespace tessaly::skin {

namespace {

// Mixing formulas are evaluated in extended precision (long double), so
// factors such as 0.3 give the results of their exact values.
using Real = long double;

// Nearest integer, ties to even (the default rounding mode), clamped.
uint8_t roundClamp(Real value)
{
    const Real r = std::nearbyint(value);
    return uint8_t(r < 0 ? 0 : (r > 255 ? 255 : r));
}

uint8_t clampByte(int value) { return uint8_t(std::clamp(value, 0, 255)); }

double clampFactor(double kf) { return std::isnan(kf) ? 0.0 : std::clamp(kf, 0.0, 1.0); }

// rounded(t × s + (1 − t) × a) on the three bytes of a pixel.
void mixPixel(uint8_t* out, const uint8_t* s, const uint8_t* a, Real t)
{
    for (int c = 0; c < 3; ++c)
        out[c] = roundClamp(t * s[c] + (1 - t) * a[c]);
}

bool isWhite(const uint8_t* p) { return p[0] == 255 && p[1] == 255 && p[2] == 255; }

std::minstd_rand& noiseSource()
{
    static std::minstd_rand engine{std::random_device{}()};
    return engine;
}

// random(0 … n − 1) − n div 2; 0 when n is not positive.
int noiseValue(int n)
{
    if (n <= 0)
        return 0;
    return int(noiseSource()() % uint32_t(n)) - n / 2;
}

int roundedInt(Real value) { return int(std::nearbyint(value)); }

} // namespace

EffectBmp::EffectBmp(int width, int height)
{
    // Effects work on small images (buttons, captions, frames); sizes whose
    // byte count would not fit are taken as empty.
    if (width <= 0 || height <= 0 || (long long)width * height > (1LL << 28))
        return;
    m_width = width;
    m_height = height;
    m_stride = 3 * width + width % 4;
    m_bits.assign(std::size_t(m_stride) * std::size_t(height), 0);
}

EffectBmp::EffectBmp(PixelView source)
    : EffectBmp(source.isEmpty() ? 0 : source.width, source.isEmpty() ? 0 : source.height)
{
    for (int y = 0; y < m_height; ++y) {
        const uint32_t* from = source.row(y);
        uint8_t* to = scanLine(y);
        for (int x = 0; x < m_width; ++x) {
            to[3 * x] = blueOf(from[x]);
            to[3 * x + 1] = greenOf(from[x]);
            to[3 * x + 2] = redOf(from[x]);
        }
    }
}

void EffectBmp::getScanLine(int y, uint8_t* line) const
{
    if (y >= 0 && y < m_height)
        std::memcpy(line, scanLine(y), std::size_t(3 * m_width));
}

void EffectBmp::setScanLine(int y, const uint8_t* line)
{
    if (y >= 0 && y < m_height)
        std::memcpy(scanLine(y), line, std::size_t(3 * m_width));
}

void EffectBmp::draw(const PixelSurface& target, int x, int y) const
{
    drawRect(target, x, y, px::sized(m_width, m_height));
}

void EffectBmp::drawRect(const PixelSurface& target, int x, int y, const Rect& source) const
{
    const Rect src = px::intersect(source, px::sized(m_width, m_height));
    if (px::isEmpty(src) || target.isEmpty())
        return;
    // Destination position of the clipped source's top-left corner.
    const int dx = x + (src.left - source.left), dy = y + (src.top - source.top);
    const Rect dst = px::intersect(px::make(dx, dy, dx + px::width(src), dy + px::height(src)),
                                   px::sized(target.width, target.height));
    for (int ty = dst.top; ty < dst.bottom; ++ty) {
        const uint8_t* from = pixel(src.left + dst.left - dx, src.top + ty - dy);
        uint32_t* to = target.row(ty);
        for (int tx = dst.left; tx < dst.right; ++tx, from += 3)
            to[tx] = makeColor(255, from[2], from[1], from[0]);
    }
}

void EffectBmp::stretch(const PixelSurface& target, int x, int y, int w, int h) const
{
    if (isEmpty() || target.isEmpty() || w <= 0 || h <= 0)
        return;
    const Rect dst = px::intersect(px::make(x, y, x + w, y + h), px::sized(target.width, target.height));
    for (int ty = dst.top; ty < dst.bottom; ++ty) {
        const int sy = px::stretchIndex(ty - y, 0, m_height, h);
        uint32_t* to = target.row(ty);
        for (int tx = dst.left; tx < dst.right; ++tx) {
            const uint8_t* from = pixel(px::stretchIndex(tx - x, 0, m_width, w), sy);
            to[tx] = makeColor(255, from[2], from[1], from[0]);
        }
    }
}

void EffectBmp::morph(const EffectBmp& target, double kf)
{
    if (!sameSize(target))
        return;
    kf = clampFactor(kf);
    for (int y = 0; y < m_height; ++y) {
        uint8_t* s = scanLine(y);
        const uint8_t* a = target.scanLine(y);
        for (int i = 0; i < 3 * m_width; ++i)
            s[i] = roundClamp((1 - Real(kf)) * s[i] + Real(kf) * a[i]);
    }
}

void EffectBmp::morphRect(const EffectBmp& target, const Rect& rect, int startY, int startX, double kf)
{
    kf = clampFactor(kf);
    const Rect r = px::intersect(rect, px::sized(m_width, m_height));
    for (int y = r.top; y < r.bottom; ++y) {
        const int ay = startY + (y - rect.top);
        if (ay < 0 || ay >= target.m_height)
            continue;
        for (int x = r.left; x < r.right; ++x) {
            const int ax = startX + (x - rect.left);
            if (ax < 0 || ax >= target.m_width)
                continue;
            uint8_t* s = pixel(x, y);
            const uint8_t* a = target.pixel(ax, ay);
            for (int c = 0; c < 3; ++c)
                s[c] = roundClamp((1 - Real(kf)) * s[c] + Real(kf) * a[c]);
        }
    }
}

void EffectBmp::copyRect(const EffectBmp& target, const Rect& rect, int startY, int startX)
{
    const int right = std::min(rect.right, m_width - 1), bottom = std::min(rect.bottom, m_height - 1);
    for (int y = std::max(rect.top, 0); y <= bottom; ++y) {
        const int ay = startY + (y - rect.top);
        if (ay < 0 || ay >= target.m_height)
            continue;
        for (int x = std::max(rect.left, 0); x <= right; ++x) {
            const int ax = startX + (x - rect.left);
            if (ax >= 0 && ax < target.m_width)
                std::memcpy(pixel(x, y), target.pixel(ax, ay), 3);
        }
    }
}

void EffectBmp::morphHGrad(const EffectBmp& target, double kf)
{
    if (!sameSize(target) || isEmpty())
        return;
    const int w = m_width;
    const int b = roundedInt(w * Real(clampFactor(kf)));
    const int c = (w - b) / 2, d = b / 2;
    const Real step = c != 0 ? Real(1) / c : Real(1);
    const int h = std::max(0, w / 2 - d), e = std::min(w - 1, d + w / 2);
    for (int y = 0; y < m_height; ++y) {
        for (int x = h; x <= e; ++x)
            std::memcpy(pixel(x, y), target.pixel(x, y), 3);
        for (int x = h, k = 0; x >= 0; --x, ++k)
            mixPixel(pixel(x, y), pixel(x, y), target.pixel(x, y), std::min(Real(1), k * step));
        for (int x = e, k = 0; x < w; ++x, ++k)
            mixPixel(pixel(x, y), pixel(x, y), target.pixel(x, y), std::min(Real(1), k * step));
    }
}

void EffectBmp::morphVGrad(const EffectBmp& target, double kf)
{
    if (!sameSize(target) || isEmpty())
        return;
    const int hh = m_height;
    const int b = roundedInt(hh * Real(clampFactor(kf)));
    const int c = (hh - b - 1) / 2, d = b / 2;
    const Real step = c != 0 ? Real(1) / c : Real(0);
    const int top = std::max(0, hh / 2 - d), bottom = std::min(hh - 1, d + hh / 2);
    auto mixRow = [&](int y, Real t) {
        for (int x = 0; x < m_width; ++x)
            mixPixel(pixel(x, y), pixel(x, y), target.pixel(x, y), t);
    };
    for (int y = top; y <= bottom; ++y)
        std::memcpy(scanLine(y), target.scanLine(y), std::size_t(3 * m_width));
    for (int y = top, k = 0; y >= 0; --y, ++k)
        mixRow(y, std::min(Real(1), k * step));
    for (int y = bottom, k = 0; y < hh; ++y, ++k)
        mixRow(y, std::min(Real(1), k * step));
}

void EffectBmp::morphGrad(const EffectBmp& target, double kf)
{
    if (m_width < m_height)
        morphVGrad(target, kf);
    else
        morphHGrad(target, kf);
}

void EffectBmp::morphLeftGrad(const EffectBmp& target, double kf)
{
    if (!sameSize(target) || isEmpty())
        return;
    const int b = std::min(std::max(roundedInt(m_width * Real(clampFactor(kf))), 1), m_width - 1);
    for (int y = 0; y < m_height; ++y)
        for (int x = 0; x <= b; ++x)
            mixPixel(pixel(x, y), pixel(x, y), target.pixel(x, y), b > 0 ? std::min(Real(1), Real(x) / b) : Real(0));
}

void EffectBmp::morphRightGrad(const EffectBmp& target, double kf)
{
    if (!sameSize(target) || isEmpty())
        return;
    const int w = m_width;
    const int c = std::clamp(w - roundedInt(w * Real(clampFactor(kf))), 0, w - 1);
    const Real step = w - c > 0 ? Real(1) / (w - c) : Real(1);
    for (int y = 0; y < m_height; ++y)
        for (int x = w - 1, k = 0; x >= c; --x, ++k)
            mixPixel(pixel(x, y), pixel(x, y), target.pixel(x, y), std::min(Real(1), k * step));
}

void EffectBmp::morphPush(const EffectBmp& target, double kf)
{
    if (!sameSize(target) || isEmpty())
        return;
    const int w = m_width;
    const int b = std::clamp(roundedInt(w * Real(clampFactor(kf))), 0, w - 1);
    for (int y = 0; y < m_height; ++y) {
        uint8_t* row = scanLine(y);
        std::memmove(row + 3 * (b + 1), row, std::size_t(3 * (w - b - 1)));
        for (int x = 0; x <= b; ++x)
            std::memcpy(row + 3 * x, target.pixel(std::min(w - b - 1 + x, w - 1), y), 3);
    }
}

void EffectBmp::morphLeftSlide(const EffectBmp& target, double kf)
{
    if (!sameSize(target) || isEmpty())
        return;
    const int w = m_width;
    const int b = std::min(std::max(roundedInt(w * Real(clampFactor(kf))), 1), w - 1);
    for (int y = 0; y < m_height; ++y)
        std::memcpy(scanLine(y), target.pixel(w - b, y), std::size_t(3 * b));
}

void EffectBmp::morphRightSlide(const EffectBmp& target, double kf)
{
    if (!sameSize(target) || isEmpty())
        return;
    const int w = m_width;
    const int b = std::min(std::max(roundedInt(w * Real(clampFactor(kf))), 1), w - 1);
    for (int y = 0; y < m_height; ++y)
        std::memcpy(pixel(w - b, y), target.scanLine(y), std::size_t(3 * b));
}

void EffectBmp::morphBy(MorphKind kind, const EffectBmp& target, double kf)
{
    switch (kind) {
    case MorphKind::Default: morph(target, kf); break;
    case MorphKind::Gradient: morphGrad(target, kf); break;
    case MorphKind::LeftGradient: morphLeftGrad(target, kf); break;
    case MorphKind::RightGradient: morphRightGrad(target, kf); break;
    case MorphKind::LeftSlide: morphLeftSlide(target, kf); break;
    case MorphKind::RightSlide: morphRightSlide(target, kf); break;
    case MorphKind::Push: morphPush(target, kf); break;
    }
}

void EffectBmp::changeBrightness(double kf)
{
    kf = clampFactor(kf);
    uint8_t table[256];
    for (int c = 0; c < 256; ++c)
        table[c] = roundClamp((1 - Real(kf)) * c + Real(kf) * 255);
    for (int y = 0; y < m_height; ++y) {
        uint8_t* row = scanLine(y);
        for (int i = 0; i < 3 * m_width; ++i)
            row[i] = table[row[i]];
    }
}

void EffectBmp::changeDarkness(double kf)
{
    kf = clampFactor(kf);
    uint8_t table[256];
    for (int c = 0; c < 256; ++c)
        table[c] = roundClamp((1 - Real(kf)) * c);
    for (int y = 0; y < m_height; ++y) {
        uint8_t* row = scanLine(y);
        for (int i = 0; i < 3 * m_width; ++i)
            row[i] = table[row[i]];
    }
}

void EffectBmp::invert()
{
    for (int y = 0; y < m_height; ++y) {
        uint8_t* row = scanLine(y);
        for (int i = 0; i < 3 * m_width; ++i)
            row[i] = uint8_t(255 - row[i]);
    }
}

void EffectBmp::grayScale()
{
    for (int y = 0; y < m_height; ++y) {
        uint8_t* p = scanLine(y);
        for (int x = 0; x < m_width; ++x, p += 3) {
            const uint8_t grey = roundClamp(0.3L * p[2] + 0.59L * p[1] + 0.11L * p[0]);
            p[0] = p[1] = p[2] = grey;
        }
    }
}

void EffectBmp::addMonoNoise(int amount)
{
    for (int y = 0; y < m_height; ++y) {
        uint8_t* p = scanLine(y);
        for (int x = 0; x < m_width; ++x, p += 3) {
            const int r = noiseValue(amount);
            for (int c = 0; c < 3; ++c)
                p[c] = clampByte(p[c] + r);
        }
    }
}

void EffectBmp::addColorNoise(int range)
{
    for (int y = 0; y < m_height; ++y) {
        uint8_t* row = scanLine(y);
        for (int i = 0; i < 3 * m_width; ++i)
            row[i] = clampByte(row[i] + noiseValue(range));
    }
}

template <class Wanted>
void EffectBmp::averageDiagonals(int amount, Wanted wanted)
{
    const int w = m_width, h = m_height;
    // Beyond an edge the mirrored index is used; on images not larger than
    // the amount that too can fall outside, so it is kept inside.
    auto near = [amount](int i, int n) { return std::clamp(i - amount < 0 ? i : i - amount, 0, n - 1); };
    auto far = [amount](int i, int n) { return std::clamp(i + amount >= n ? n - i : i + amount, 0, n - 1); };
    std::vector<uint8_t> line(std::size_t(3 * w));
    for (int y = 0; y < h; ++y) {
        const int yu = near(y, h), yd = far(y, h);
        getScanLine(y, line.data());
        for (int x = 0; x < w; ++x) {
            const int xl = near(x, w), xr = far(x, w);
            if (!wanted(x, y, xl, xr, yu, yd))
                continue;
            const uint8_t* a = pixel(xl, yu);
            const uint8_t* b = pixel(xl, yd);
            const uint8_t* c = pixel(xr, yu);
            const uint8_t* d = pixel(xr, yd);
            for (int k = 0; k < 3; ++k)
                line[std::size_t(3 * x + k)] = uint8_t((a[k] + b[k] + c[k] + d[k]) / 4);
        }
        setScanLine(y, line.data());
    }
}

void EffectBmp::splitBlur(int amount)
{
    if (amount == 0 || isEmpty())
        return;
    averageDiagonals(amount, [](int, int, int, int, int, int) { return true; });
}

void EffectBmp::maskBlur(const EffectBmp& mask, int amount)
{
    if (amount == 0 || !covers(mask))
        return;
    averageDiagonals(amount, [&mask](int x, int y, int, int, int, int) { return !isWhite(mask.pixel(x, y)); });
}

void EffectBmp::maskAntialiasing(const EffectBmp& mask, int amount)
{
    if (amount == 0 || !covers(mask))
        return;
    averageDiagonals(amount, [&mask](int x, int y, int xl, int xr, int yu, int yd) {
        return !isWhite(mask.pixel(x, y)) &&
               (isWhite(mask.pixel(xl, yu)) || isWhite(mask.pixel(xl, yd)) || isWhite(mask.pixel(xr, yu)) ||
                isWhite(mask.pixel(xr, yd)));
    });
}

void EffectBmp::maskFillColor(const EffectBmp& mask, Color color, double kf)
{
    if (!covers(mask))
        return;
    kf = clampFactor(kf);
    const Color c = resolveColor(color);
    const uint8_t fill[3] = {c.blue(), c.green(), c.red()};
    for (int y = 0; y < m_height; ++y)
        for (int x = 0; x < m_width; ++x)
            if (!isWhite(mask.pixel(x, y)))
                mixPixel(pixel(x, y), fill, pixel(x, y), kf);
}

void EffectBmp::mosaic(int size)
{
    if (size <= 1 || isEmpty())
        return;
    for (int by = 0; by < m_height; by += size) {
        for (int bx = 0; bx < m_width; bx += size) {
            uint8_t colour[3];
            std::memcpy(colour, pixel(bx, by), 3);
            for (int y = by; y < std::min(by + size, m_height); ++y)
                for (int x = bx; x < std::min(bx + size, m_width); ++x)
                    std::memcpy(pixel(x, y), colour, 3);
        }
    }
}

void EffectBmp::rotate90_1(EffectBmp& dest) const
{
    if (&dest == this)
        return;
    dest = EffectBmp(m_height, m_width);
    for (int y = 0; y < m_height; ++y)
        for (int x = 0; x < m_width; ++x)
            std::memcpy(dest.pixel(y, m_width - 1 - x), pixel(x, y), 3);
}

void EffectBmp::rotate90_2(EffectBmp& dest) const
{
    if (&dest == this)
        return;
    dest = EffectBmp(m_height, m_width);
    for (int y = 0; y < m_height; ++y)
        for (int x = 0; x < m_width; ++x)
            std::memcpy(dest.pixel(m_height - 1 - y, x), pixel(x, y), 3);
}

void EffectBmp::flipVert(EffectBmp& dest) const
{
    if (&dest == this)
        return;
    dest = EffectBmp(m_width, m_height);
    for (int y = 0; y < m_height; ++y)
        std::memcpy(dest.scanLine(m_height - 1 - y), scanLine(y), std::size_t(3 * m_width));
}

void EffectBmp::wave(int xDiv, int yDiv, double ratio)
{
    if (xDiv == 0 || yDiv == 0 || isEmpty())
        return;
    const EffectBmp copy = *this;
    for (int y = 0; y < m_height; ++y) {
        const int shiftX = roundedInt(std::sin(double(y) / yDiv) * ratio);
        for (int x = 0; x < m_width; ++x) {
            const int sx = std::clamp(shiftX + x, 0, m_width - 1);
            const int sy = std::clamp(roundedInt(y + ratio * std::sin(double(x) / xDiv)), 0, m_height - 1);
            std::memcpy(pixel(x, y), copy.pixel(sx, sy), 3);
        }
    }
}

void EffectBmp::resize(EffectBmp& dest) const
{
    if (&dest == this || isEmpty() || dest.isEmpty())
        return;
    const double fx = double(dest.m_width - 1) / m_width, fy = double(dest.m_height - 1) / m_height;
    const int blockW = roundedInt(fx) + 1, blockH = roundedInt(fy) + 1;
    for (int y = 0; y < m_height; ++y) {
        const int top = roundedInt(y * fy);
        for (int x = 0; x < m_width; ++x) {
            const int left = roundedInt(x * fx);
            for (int dy = top; dy < std::min(top + blockH, dest.m_height); ++dy)
                for (int dx = left; dx < std::min(left + blockW, dest.m_width); ++dx)
                    std::memcpy(dest.pixel(dx, dy), pixel(x, y), 3);
        }
    }
}

} // namespace tessaly::skin
