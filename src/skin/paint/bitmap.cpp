#include "skin/paint/bitmap.h"

#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>

#include "platform/error.h"
#include "skin/paint/pixel_kernels.h"
#include "skin/paint/sampling.h"


namespace tessaly::skin {

namespace {

// Larger stores are refused as allocation failures rather than risking
// overflowing sizes (a 16384 × 16384 bitmap is 1 GiB).
constexpr long long maxPixels = 1LL << 28;

int drawIndex(int i, int srcStart, int srcCount, int dstCount)
{
    if (dstCount < 2)
        return (srcStart + srcStart + srcCount - 1) / 2;
    return srcStart + int((long long)i * (srcCount - 1) / (dstCount - 1));
}

void transparentRow(uint32_t* target, const uint32_t* source, int count)
{
    for (int i = 0; i < count; ++i) {
        const uint32_t s = source[i];
        if ((s & 0x00FFFFFFu) != (keyColor & 0x00FFFFFFu))
            target[i] = s | 0xFF000000u;
    }
}

void applyRow(uint32_t* target, const uint32_t* source, int count, DrawMode mode)
{
    switch (mode) {
    case DrawMode::Copy:
        std::memmove(target, source, std::size_t(count) * 4);
        break;
    case DrawMode::Transparent:
        transparentRow(target, source, count);
        break;
    case DrawMode::AlphaBlend:
        blendRow(target, source, count);
        break;
    }
}

DrawMode modeOf(const Bitmap& bitmap)
{
    if (bitmap.alphaBlend())
        return DrawMode::AlphaBlend;
    return bitmap.transparent() ? DrawMode::Transparent : DrawMode::Copy;
}

} // namespace

namespace {

// The blend on N pixels at once. The bytes of each pixel are split into
// its even (blue, red) and odd (green, alpha) bytes in 16-bit lanes, so that
// every step stays within its lane: no shuffles, and the same code on any
// vector width. Opaque pixels are taken whole; transparent ones come out
// unchanged from the arithmetic itself.
template <int N>
TESSALY_INLINE void blendRowBody(uint32_t* target, const uint32_t* source, int count)
{
    using Pixels = lanes::Lanes<uint32_t, N>;
    using Words = lanes::Lanes<uint16_t, 2 * N>;
    int i = 0;
    for (; i + N <= count; i += N) {
        Pixels s, d;
        std::memcpy(&s, source + i, sizeof s);
        std::memcpy(&d, target + i, sizeof d);
        const Pixels alpha = s >> 24;
        const Words a = (Words)(alpha | alpha << 16);
        const Words even = blendChannel<Words>((Words)d & 0xFF, (Words)s & 0xFF, a);
        const Words odd = blendChannel<Words>((Words)d >> 8, (Words)s >> 8, a);
        const Pixels mixed = (Pixels)(even | odd << 8);
        const Pixels opaque = lanes::maskWhere<Pixels>(alpha == 255);
        const Pixels out = (mixed & ~opaque) | (s & opaque);
        std::memcpy(target + i, &out, sizeof out);
    }
    for (; i < count; ++i)
        target[i] = blendPixel(target[i], source[i]);
}

struct BlendKernels {
    void (*blendRow)(uint32_t*, const uint32_t*, int);
};

#define TESSALY_BLEND_KERNELS(NAME, ATTRIBUTES, BYTES)                                                             \
    namespace NAME {                                                                                               \
    ATTRIBUTES void blendRow(uint32_t* target, const uint32_t* source, int count)                                  \
    {                                                                                                              \
        blendRowBody<BYTES / 4>(target, source, count);                                                            \
    }                                                                                                              \
    constexpr BlendKernels table{blendRow};                                                                        \
    }
TESSALY_KERNEL_VARIANTS(TESSALY_BLEND_KERNELS)

} // namespace

void blendRow(uint32_t* target, const uint32_t* source, int count)
{
    TESSALY_CHOSEN_KERNELS().blendRow(target, source, count);
}

void drawPixels(PixelView source, const Rect& srcRect, const PixelSurface& target, const Rect& dstRect,
                DrawMode mode)
{
    if (source.isEmpty() || target.isEmpty() || srcRect.isEmpty() || dstRect.isEmpty())
        return;
    if (!Rect::sized(source.width, source.height).contains(srcRect))
        return;
    const Rect clip = dstRect.intersected(Rect::sized(target.width, target.height));
    if (clip.isEmpty())
        return;
    const int sw = srcRect.width(), sh = srcRect.height();
    const int dw = dstRect.width(), dh = dstRect.height();
    const int count = clip.width();

    if (sw == dw && sh == dh) {
        const int sx = srcRect.left + (clip.left - dstRect.left);
        for (int y = clip.top; y < clip.bottom; ++y) {
            const uint32_t* from = source.row(srcRect.top + (y - dstRect.top)) + sx;
            applyRow(target.row(y) + clip.left, from, count, mode);
        }
        return;
    }

    // The column mapping is computed once; each distinct source row is
    // resampled once and reused for the destination rows that map to it.
    std::vector<int> columns(static_cast<std::size_t>(count));
    for (int x = clip.left; x < clip.right; ++x)
        columns[std::size_t(x - clip.left)] = drawIndex(x - dstRect.left, srcRect.left, sw, dw);
    std::vector<uint32_t> line(static_cast<std::size_t>(count));
    int lastRow = -1;
    for (int y = clip.top; y < clip.bottom; ++y) {
        const int sy = drawIndex(y - dstRect.top, srcRect.top, sh, dh);
        if (sy != lastRow) {
            const uint32_t* from = source.row(sy);
            for (int i = 0; i < count; ++i)
                line[std::size_t(i)] = from[columns[std::size_t(i)]];
            lastRow = sy;
        }
        applyRow(target.row(y) + clip.left, line.data(), count, mode);
    }
}

Bitmap::Bitmap(int width, int height) { setSize(width, height); }

void Bitmap::swap(Bitmap& other) noexcept
{
    m_bits.swap(other.m_bits);
    std::swap(m_capacity, other.m_capacity);
    std::swap(m_version, other.m_version);
    m_keyed.swap(other.m_keyed);
    std::swap(m_keyedVersion, other.m_keyedVersion);
    std::swap(m_width, other.m_width);
    std::swap(m_height, other.m_height);
    m_name.swap(other.m_name);
    std::swap(m_alphaBlend, other.m_alphaBlend);
    std::swap(m_transparent, other.m_transparent);
    std::swap(m_newFormat, other.m_newFormat);
}

Bitmap& Bitmap::operator=(const Bitmap& other)
{
    if (this != &other)
        assign(other);
    return *this;
}

void Bitmap::reserveSize(long long w, long long h)
{
    const auto needed = std::size_t(w * h);
    // Memory far larger than needed is given back; otherwise it is kept.
    if (needed <= m_capacity && needed >= m_capacity / 8) {
        m_width = int(w);
        m_height = int(h);
        return;
    }
    clear();
    if (w * h > maxPixels)
        throw Error("Can't allocate the DIB handle");
    // Not value-initialised: callers fill what they need.
    m_bits.reset(new (std::nothrow) uint32_t[needed]);
    if (!m_bits)
        throw Error("Can't allocate the DIB handle");
    m_capacity = needed;
    m_width = int(w);
    m_height = int(h);
}

void Bitmap::setSize(int width, int height)
{
    const long long w = std::llabs((long long)width);
    const long long h = std::llabs((long long)height);
    if (w == 0 || h == 0 || (w == m_width && h == m_height))
        return;
    reserveSize(w, h);
    std::memset(m_bits.get(), 0, pixelCount() * 4);
    changed();
}

void Bitmap::setSizeForOverwrite(int width, int height)
{
    const long long w = std::llabs((long long)width);
    const long long h = std::llabs((long long)height);
    if (w == 0 || h == 0 || (w == m_width && h == m_height))
        return;
    reserveSize(w, h);
    changed();
}

void Bitmap::clear()
{
    m_bits.reset();
    m_capacity = 0;
    m_width = 0;
    m_height = 0;
    std::vector<uint32_t>().swap(m_keyed);
    changed();
}

void Bitmap::assign(const Bitmap& source)
{
    if (this == &source)
        return;
    if (source.empty()) {
        clear();
    } else {
        setSizeForOverwrite(source.m_width, source.m_height);
        std::memcpy(m_bits.get(), source.m_bits.get(), pixelCount() * 4);
        changed();
    }
    m_name = source.m_name;
    m_transparent = source.m_transparent;
    m_alphaBlend = source.m_alphaBlend;
}

void Bitmap::assign(PixelView source)
{
    if (source.isEmpty()) {
        clear();
        return;
    }
    setSizeForOverwrite(source.width, source.height);
    for (int y = 0; y < m_height; ++y)
        std::memcpy(rowPointer(y), source.row(y), std::size_t(m_width) * 4);
    checkingAlphaBlend();
}

void Bitmap::assignTo(Bitmap& dest) const
{
    if (&dest == this)
        return;
    if (empty()) {
        dest.clear();
        return;
    }
    dest.setSize(m_width, m_height);
    draw(dest, 0, 0);
}

void Bitmap::setAlpha(uint8_t alpha)
{
    const uint32_t a = uint32_t(alpha) << 24;
    uint32_t* bits = m_bits.get();
    for (std::size_t i = 0, n = pixelCount(); i < n; ++i)
        bits[i] = (bits[i] & 0x00FFFFFFu) | a;
    changed();
}

void Bitmap::checkingAlphaBlend()
{
    m_alphaBlend = false;
    for (std::size_t i = 0, n = pixelCount(); i < n; ++i) {
        const uint32_t a = m_bits[i] >> 24;
        if (a != 0 && a != 255) {
            m_alphaBlend = true;
            return;
        }
    }
}

void Bitmap::checkingTransparent(PixelColor color)
{
    auto near = [](int a, int b) { return std::abs(a - b) < 6; };
    bool any = false;
    changed();
    for (std::size_t i = 0, n = pixelCount(); i < n; ++i) {
        uint32_t& p = m_bits[i];
        if (near(redOf(p), redOf(color)) && near(greenOf(p), greenOf(color)) && near(blueOf(p), blueOf(color))) {
            p = keyColor;
            any = true;
        }
    }
    m_transparent = any;
}

void Bitmap::checkRGBA()
{
    changed();
    for (std::size_t i = 0, n = pixelCount(); i < n; ++i) {
        uint32_t& p = m_bits[i];
        const uint8_t a = alphaOf(p);
        p = makeColor(a, std::min(redOf(p), a), std::min(greenOf(p), a), std::min(blueOf(p), a));
    }
}

void Bitmap::fillRect(const Rect& rect, PixelColor color)
{
    const Rect clip = rect.intersected(Rect::sized(m_width, m_height));
    if (empty() || clip.isEmpty())
        return;
    for (int y = clip.top; y < clip.bottom; ++y) {
        uint32_t* row = rowPointer(y);
        for (int x = clip.left; x < clip.right; ++x)
            row[x] = m_alphaBlend ? blendPixel(row[x], color) : color;
    }
}

void Bitmap::drawGraphic(PixelView graphic, const Rect& dstRect)
{
    if (empty() || graphic.isEmpty() || dstRect.isEmpty())
        return;
    const Rect clip = dstRect.intersected(Rect::sized(m_width, m_height));
    const int dw = dstRect.width(), dh = dstRect.height();
    for (int y = clip.top; y < clip.bottom; ++y) {
        const uint32_t* from = graphic.row(px::stretchIndex(y - dstRect.top, 0, graphic.height, dh));
        uint32_t* row = rowPointer(y);
        for (int x = clip.left; x < clip.right; ++x) {
            const uint32_t p = from[px::stretchIndex(x - dstRect.left, 0, graphic.width, dw)];
            if ((p & 0x00FFFFFFu) != 0x00FF00FFu)
                row[x] = p;
        }
    }
}

void Bitmap::draw(Bitmap& target, int x, int y) const { draw(target.surface(), x, y); }
void Bitmap::draw(Bitmap& target, int x, int y, const Rect& srcRect) const
{
    draw(target.surface(), x, y, srcRect);
}
void Bitmap::draw(Bitmap& target, const Rect& dstRect) const { draw(target.surface(), dstRect); }
void Bitmap::draw(Bitmap& target, const Rect& dstRect, const Rect& srcRect) const
{
    draw(target.surface(), dstRect, srcRect);
}

void Bitmap::draw(const PixelSurface& target, int x, int y) const
{
    draw(target, Rect{x, y, x + m_width, y + m_height}, Rect::sized(m_width, m_height));
}

void Bitmap::draw(const PixelSurface& target, int x, int y, const Rect& srcRect) const
{
    draw(target, Rect{x, y, x + srcRect.width(), y + srcRect.height()}, srcRect);
}

void Bitmap::draw(const PixelSurface& target, const Rect& dstRect) const
{
    draw(target, dstRect, Rect::sized(m_width, m_height));
}

void Bitmap::draw(const PixelSurface& target, const Rect& dstRect, const Rect& srcRect) const
{
    drawPixels(view(), srcRect, target, dstRect, modeOf(*this));
}

PixelColor Bitmap::getPixel(int x, int y) const
{
    if (empty() || x < 0 || y < 0 || x >= m_width || y >= m_height)
        return 0;
    return *pixelPointer(x, y);
}

void Bitmap::setPixel(int x, int y, PixelColor color)
{
    if (empty() || x < 0 || y < 0 || x >= m_width || y >= m_height)
        return;
    *pixelPointer(x, y) = color;
}

PixelView Bitmap::view() const
{
    if (empty())
        return {};
    return {m_bits.get(), m_width, m_height, m_width};
}

PixelSurface Bitmap::surface()
{
    if (empty())
        return {};
    changed();
    return {m_bits.get(), m_width, m_height, m_width};
}

PixelView Bitmap::keyedView() const
{
    if (empty())
        return {};
    if (m_keyedVersion != m_version || m_keyed.size() != pixelCount()) {
        m_keyed.resize(pixelCount());
        const uint32_t* from = m_bits.get();
        for (std::size_t i = 0, n = pixelCount(); i < n; ++i)
            m_keyed[i] = (from[i] & 0x00FFFFFFu) == (keyColor & 0x00FFFFFFu) ? 0u : (from[i] | 0xFF000000u);
        m_keyedVersion = m_version;
    }
    return {m_keyed.data(), m_width, m_height, m_width};
}

} // namespace tessaly::skin
