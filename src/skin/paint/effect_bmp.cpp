#include "skin/paint/effect_bmp.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <random>

#include "skin/data/system_colors.h"
#include "skin/paint/pixel_kernels.h"
#include "skin/paint/sampling.h"

namespace tessaly::skin {

namespace {

// Mixing is done in 16-bit integers on the bytes of whole rows, in loops
// the compiler vectorises: a mix of two channels s and a with the weight w
// (0 … 256, the share of a in 256ths) is (s × (256 − w) + a × w + 128) >> 8,
// which never exceeds 16 bits. Against the exact formula with its factor
// this differs by at most 1 per channel (the weight is rounded to 1/256 and
// halves round up instead of to even).
constexpr int kOne = 256;

// The weight of a factor 0 … 1 in 256ths.
uint16_t weightOf(double t) { return uint16_t(std::lround(std::clamp(t, 0.0, 1.0) * kOne)); }

double clampFactor(double kf) { return std::isnan(kf) ? 0.0 : std::clamp(kf, 0.0, 1.0); }

uint8_t clampByte(int value) { return uint8_t(std::clamp(value, 0, 255)); }

bool isWhite(const uint8_t* p) { return p[0] == 255 && p[1] == 255 && p[2] == 255; }

int roundedInt(double value) { return int(std::nearbyint(value)); }

// rounded(n × kf) in extended precision: a cut point of a transition is
// one value per call, and a column off would move a whole edge.
int roundedProduct(int n, double kf) { return int(std::nearbyint(n * (long double)kf)); }

// The kernels. Each body is compiled once per instruction set
// (pixel_kernels.h); the variant is chosen at run time.

// The mix of one channel with the weight w of a and 256 − w of s, on one
// value or on lanes of 16-bit values: s + ((a − s) × w + 128) >> 8, the
// product rounded by one rounding multiply of (a − s) × 128 and w. Equal to
// (s × (256 − w) + a × w + 128) >> 8.
template <class Lane>
TESSALY_INLINE Lane mixChannel(Lane s, Lane a, Lane w)
{
    return Lane(s + lanes::mulhrs(Lane((a - s) << 7), w));
}

// A mix on BYTES bytes at a time, widened to 16-bit lanes and narrowed
// back; the bytes past the last whole vector one by one. `Towards` gives
// the other side's bytes at an offset.
template <int BYTES, class Towards>
TESSALY_INLINE void mixRun(uint8_t* __restrict s, std::size_t n, uint16_t w, Towards towards)
{
    using Bytes = lanes::Lanes<uint8_t, BYTES>;
    using Words = lanes::Lanes<int16_t, BYTES / 2>;
    const Words weight = Words{} + int16_t(w);
    std::size_t i = 0;
    for (; i + BYTES <= n; i += BYTES) {
        Bytes sv;
        std::memcpy(&sv, s + i, BYTES);
        const Bytes av = towards.bytes(i);
        const Words low = mixChannel<Words>(lanes::widenLow(sv), lanes::widenLow(av), weight);
        const Words high = mixChannel<Words>(lanes::widenHigh(sv), lanes::widenHigh(av), weight);
        const Bytes out = lanes::narrow(low, high);
        std::memcpy(s + i, &out, BYTES);
    }
    for (; i < n; ++i)
        s[i] = uint8_t(mixChannel<int16_t>(s[i], towards.byte(i), int16_t(w)));
}

// The other side of a mix: a row of bytes, or one value everywhere.
template <int BYTES>
struct TowardsBytes {
    const uint8_t* a;
    TESSALY_INLINE lanes::Lanes<uint8_t, BYTES> bytes(std::size_t i) const
    {
        lanes::Lanes<uint8_t, BYTES> v;
        std::memcpy(&v, a + i, BYTES);
        return v;
    }
    TESSALY_INLINE int16_t byte(std::size_t i) const { return a[i]; }
};

template <int BYTES>
struct TowardsValue {
    uint8_t value;
    TESSALY_INLINE lanes::Lanes<uint8_t, BYTES> bytes(std::size_t) const
    {
        return lanes::Lanes<uint8_t, BYTES>{} + value;
    }
    TESSALY_INLINE int16_t byte(std::size_t) const { return value; }
};

// The cross-fade, the effect that runs on every animation step.
template <int BYTES>
TESSALY_INLINE void mixBody(uint8_t* __restrict s, const uint8_t* __restrict a, std::size_t n, uint16_t w)
{
    mixRun<BYTES>(s, n, w, TowardsBytes<BYTES>{a});
}

template <int BYTES>
TESSALY_INLINE void mixConstantBody(uint8_t* __restrict s, std::size_t n, uint8_t value, uint16_t w)
{
    mixRun<BYTES>(s, n, w, TowardsValue<BYTES>{value});
}

TESSALY_INLINE void mixWeightsBody(uint8_t* __restrict s, const uint8_t* __restrict a,
                                   const uint16_t* __restrict w, std::size_t n)
{
    for (std::size_t i = 0; i < n; ++i)
        s[i] = uint8_t(mixChannel<int16_t>(s[i], a[i], int16_t(w[i])));
}

// Grey value 0.3 × red + 0.59 × green + 0.11 × blue with the weights in
// 65536ths (19661 + 38666 + 7209 = 65536).
TESSALY_INLINE void grayBody(uint8_t* __restrict p, int width)
{
    for (int x = 0; x < width; ++x) {
        const uint32_t g = (19661u * p[3 * x + 2] + 38666u * p[3 * x + 1] + 7209u * p[3 * x] + 32768u) >> 16;
        p[3 * x] = p[3 * x + 1] = p[3 * x + 2] = uint8_t(g);
    }
}

// The four-pixel average of the blurs for the bytes whose neighbours lie
// inside the row: out[i] = (up[i − d] + down[i − d] + up[i + d] + down[i + d]) div 4.
TESSALY_INLINE void averageBody(uint8_t* __restrict out, const uint8_t* up, const uint8_t* down, std::size_t d,
                                std::size_t n)
{
    for (std::size_t i = 0; i < n; ++i)
        out[i] = uint8_t(uint16_t(up[i] + down[i] + up[i + 2 * d] + down[i + 2 * d]) >> 2);
}

TESSALY_INLINE void invertBody(uint8_t* __restrict p, std::size_t n)
{
    for (std::size_t i = 0; i < n; ++i)
        p[i] = uint8_t(255 - p[i]);
}

struct Kernels {
    void (*mix)(uint8_t*, const uint8_t*, std::size_t, uint16_t);
    void (*mixWeights)(uint8_t*, const uint8_t*, const uint16_t*, std::size_t);
    void (*mixConstant)(uint8_t*, std::size_t, uint8_t, uint16_t);
    void (*gray)(uint8_t*, int);
    void (*average)(uint8_t*, const uint8_t*, const uint8_t*, std::size_t, std::size_t);
    void (*invert)(uint8_t*, std::size_t);
};

#define TESSALY_EFFECT_KERNELS(NAME, ATTRIBUTES, BYTES)                                                            \
    namespace NAME {                                                                                               \
    ATTRIBUTES void mix(uint8_t* s, const uint8_t* a, std::size_t n, uint16_t w) { mixBody<BYTES>(s, a, n, w); }   \
    ATTRIBUTES void mixWeights(uint8_t* s, const uint8_t* a, const uint16_t* w, std::size_t n)                     \
    {                                                                                                              \
        mixWeightsBody(s, a, w, n);                                                                                \
    }                                                                                                              \
    ATTRIBUTES void mixConstant(uint8_t* s, std::size_t n, uint8_t value, uint16_t w)                              \
    {                                                                                                              \
        mixConstantBody<BYTES>(s, n, value, w);                                                                           \
    }                                                                                                              \
    ATTRIBUTES void gray(uint8_t* p, int width) { grayBody(p, width); }                                            \
    ATTRIBUTES void average(uint8_t* out, const uint8_t* up, const uint8_t* down, std::size_t d, std::size_t n)    \
    {                                                                                                              \
        averageBody(out, up, down, d, n);                                                                          \
    }                                                                                                              \
    ATTRIBUTES void invert(uint8_t* p, std::size_t n) { invertBody(p, n); }                                        \
    constexpr Kernels table{mix, mixWeights, mixConstant, gray, average, invert};                                  \
    }
TESSALY_KERNEL_VARIANTS(TESSALY_EFFECT_KERNELS)

const Kernels& kernels() { return TESSALY_CHOSEN_KERNELS(); }

// The noise source: a small generator per call, seeded from one shared
// engine, so that noise costs a few operations per value.
class Noise {
public:
    Noise()
    {
        static std::minstd_rand seeds{std::random_device{}()};
        m_state = (uint64_t(seeds()) << 32) ^ seeds() ^ 0x9E3779B97F4A7C15ull;
    }

    // random(0 … n − 1) − n div 2; 0 when n is not positive.
    int value(int n)
    {
        if (n <= 0)
            return 0;
        m_state ^= m_state << 13;
        m_state ^= m_state >> 7;
        m_state ^= m_state << 17;
        return int((uint64_t(uint32_t(m_state >> 32)) * uint64_t(n)) >> 32) - n / 2;
    }

private:
    uint64_t m_state;
};

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
    drawRect(target, x, y, Rect::sized(m_width, m_height));
}

void EffectBmp::drawRect(const PixelSurface& target, int x, int y, const Rect& source) const
{
    const Rect src = source.intersected(Rect::sized(m_width, m_height));
    if (src.isEmpty() || target.isEmpty())
        return;
    // Destination position of the clipped source's top-left corner.
    const int dx = x + (src.left - source.left), dy = y + (src.top - source.top);
    const Rect dst = (Rect{dx, dy, dx + src.width(), dy + src.height()}).intersected(Rect::sized(target.width, target.height));
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
    const Rect dst = (Rect{x, y, x + w, y + h}).intersected(Rect::sized(target.width, target.height));
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
    if (!sameSize(target) || &target == this || isEmpty())
        return;
    // Both images have the same stride, so the rows and their padding are
    // mixed as one run of bytes.
    kernels().mix(m_bits.data(), target.m_bits.data(), m_bits.size(), weightOf(clampFactor(kf)));
}

void EffectBmp::morphRect(const EffectBmp& target, const Rect& rect, int startY, int startX, double kf)
{
    if (&target == this)
        return;
    const uint16_t w = weightOf(clampFactor(kf));
    Rect r = rect.intersected(Rect::sized(m_width, m_height));
    // Columns whose target column lies inside the target.
    r.left = std::max(r.left, rect.left - startX);
    r.right = std::min(r.right, rect.left - startX + target.m_width);
    if (r.isEmpty())
        return;
    for (int y = r.top; y < r.bottom; ++y) {
        const int ay = startY + (y - rect.top);
        if (ay < 0 || ay >= target.m_height)
            continue;
        kernels().mix(pixel(r.left, y), target.pixel(startX + (r.left - rect.left), ay),
                      std::size_t(3 * r.width()), w);
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

void EffectBmp::mixColumns(const EffectBmp& target, const std::vector<uint16_t>& columnWeights)
{
    std::vector<uint16_t> weights(std::size_t(3 * m_width));
    for (std::size_t x = 0; x < columnWeights.size(); ++x)
        weights[3 * x] = weights[3 * x + 1] = weights[3 * x + 2] = columnWeights[x];
    for (int y = 0; y < m_height; ++y)
        kernels().mixWeights(scanLine(y), target.scanLine(y), weights.data(), weights.size());
}

// In the gradients a pixel becomes t × own + (1 − t) × target: the weight of
// the target is 1 − t.
void EffectBmp::morphHGrad(const EffectBmp& target, double kf)
{
    if (!sameSize(target) || isEmpty() || &target == this)
        return;
    const int w = m_width;
    const int b = roundedProduct(w, clampFactor(kf));
    const int c = (w - b) / 2, d = b / 2;
    const double step = c != 0 ? 1.0 / c : 1.0;
    const int h = std::max(0, w / 2 - d), e = std::min(w - 1, d + w / 2);
    std::vector<uint16_t> columns(std::size_t(w), kOne);
    for (int x = h, k = 0; x >= 0; --x, ++k)
        columns[std::size_t(x)] = weightOf(1 - std::min(1.0, k * step));
    for (int x = e, k = 0; x < w; ++x, ++k)
        columns[std::size_t(x)] = weightOf(1 - std::min(1.0, k * step));
    mixColumns(target, columns);
}

void EffectBmp::morphVGrad(const EffectBmp& target, double kf)
{
    if (!sameSize(target) || isEmpty() || &target == this)
        return;
    const int hh = m_height;
    const int b = roundedProduct(hh, clampFactor(kf));
    const int c = (hh - b - 1) / 2, d = b / 2;
    const double step = c != 0 ? 1.0 / c : 0.0;
    const int top = std::max(0, hh / 2 - d), bottom = std::min(hh - 1, d + hh / 2);
    std::vector<uint16_t> rows(std::size_t(hh), kOne);
    for (int y = top, k = 0; y >= 0; --y, ++k)
        rows[std::size_t(y)] = weightOf(1 - std::min(1.0, k * step));
    for (int y = bottom, k = 0; y < hh; ++y, ++k)
        rows[std::size_t(y)] = weightOf(1 - std::min(1.0, k * step));
    for (int y = 0; y < hh; ++y)
        kernels().mix(scanLine(y), target.scanLine(y), std::size_t(3 * m_width), rows[std::size_t(y)]);
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
    if (!sameSize(target) || isEmpty() || &target == this)
        return;
    const int b = std::min(std::max(roundedProduct(m_width, clampFactor(kf)), 1), m_width - 1);
    std::vector<uint16_t> columns(std::size_t(m_width), 0);
    for (int x = 0; x <= b; ++x)
        columns[std::size_t(x)] = weightOf(b > 0 ? 1 - std::min(1.0, double(x) / b) : 1.0);
    mixColumns(target, columns);
}

void EffectBmp::morphRightGrad(const EffectBmp& target, double kf)
{
    if (!sameSize(target) || isEmpty() || &target == this)
        return;
    const int w = m_width;
    const int c = std::clamp(w - roundedProduct(w, clampFactor(kf)), 0, w - 1);
    const double step = w - c > 0 ? 1.0 / (w - c) : 1.0;
    std::vector<uint16_t> columns(std::size_t(w), 0);
    for (int x = w - 1, k = 0; x >= c; --x, ++k)
        columns[std::size_t(x)] = weightOf(1 - std::min(1.0, k * step));
    mixColumns(target, columns);
}

void EffectBmp::morphPush(const EffectBmp& target, double kf)
{
    if (!sameSize(target) || isEmpty())
        return;
    const int w = m_width;
    const int b = std::clamp(roundedProduct(w, clampFactor(kf)), 0, w - 1);
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
    const int b = std::min(std::max(roundedProduct(w, clampFactor(kf)), 1), w - 1);
    for (int y = 0; y < m_height; ++y)
        std::memcpy(scanLine(y), target.pixel(w - b, y), std::size_t(3 * b));
}

void EffectBmp::morphRightSlide(const EffectBmp& target, double kf)
{
    if (!sameSize(target) || isEmpty())
        return;
    const int w = m_width;
    const int b = std::min(std::max(roundedProduct(w, clampFactor(kf)), 1), w - 1);
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
    if (!isEmpty())
        kernels().mixConstant(m_bits.data(), m_bits.size(), 255, weightOf(clampFactor(kf)));
}

void EffectBmp::changeDarkness(double kf)
{
    if (!isEmpty())
        kernels().mixConstant(m_bits.data(), m_bits.size(), 0, weightOf(clampFactor(kf)));
}

void EffectBmp::invert()
{
    if (!isEmpty())
        kernels().invert(m_bits.data(), m_bits.size());
}

void EffectBmp::grayScale()
{
    for (int y = 0; y < m_height; ++y)
        kernels().gray(scanLine(y), m_width);
}

void EffectBmp::addMonoNoise(int amount)
{
    Noise noise;
    for (int y = 0; y < m_height; ++y) {
        uint8_t* p = scanLine(y);
        for (int x = 0; x < m_width; ++x, p += 3) {
            const int r = noise.value(amount);
            for (int c = 0; c < 3; ++c)
                p[c] = clampByte(p[c] + r);
        }
    }
}

void EffectBmp::addColorNoise(int range)
{
    Noise noise;
    for (int y = 0; y < m_height; ++y) {
        uint8_t* row = scanLine(y);
        for (int i = 0; i < 3 * m_width; ++i)
            row[i] = clampByte(row[i] + noise.value(range));
    }
}

template <class Wanted>
void EffectBmp::averageDiagonals(int amount, bool everyPixel, Wanted wanted)
{
    const int w = m_width, h = m_height;
    // Beyond an edge the mirrored index is used; on images not larger than
    // the amount that too can fall outside, so it is kept inside.
    auto near = [amount](int i, int n) { return std::clamp(i - amount < 0 ? i : i - amount, 0, n - 1); };
    auto far = [amount](int i, int n) { return std::clamp(i + amount >= n ? n - i : i + amount, 0, n - 1); };
    // Columns amount … width − amount − 1 read both neighbours inside the
    // row; when every pixel is wanted they are averaged as one run of bytes.
    const int innerLeft = everyPixel && amount > 0 ? amount : w;
    const int innerRight = everyPixel && amount > 0 ? std::max(innerLeft, w - amount) : w;
    std::vector<uint8_t> line(std::size_t(3 * w));
    for (int y = 0; y < h; ++y) {
        const int yu = near(y, h), yd = far(y, h);
        getScanLine(y, line.data());
        auto one = [&](int x) {
            const int xl = near(x, w), xr = far(x, w);
            if (!wanted(x, y, xl, xr, yu, yd))
                return;
            const uint8_t* a = pixel(xl, yu);
            const uint8_t* b = pixel(xl, yd);
            const uint8_t* c = pixel(xr, yu);
            const uint8_t* d = pixel(xr, yd);
            for (int k = 0; k < 3; ++k)
                line[std::size_t(3 * x + k)] = uint8_t((a[k] + b[k] + c[k] + d[k]) / 4);
        };
        for (int x = 0; x < std::min(innerLeft, w); ++x)
            one(x);
        if (innerRight > innerLeft)
            kernels().average(line.data() + 3 * innerLeft, pixel(innerLeft - amount, yu), pixel(innerLeft - amount, yd),
                              std::size_t(3 * amount), std::size_t(3 * (innerRight - innerLeft)));
        for (int x = std::max(innerLeft, innerRight); x < w; ++x)
            one(x);
        setScanLine(y, line.data());
    }
}

void EffectBmp::splitBlur(int amount)
{
    if (amount == 0 || isEmpty())
        return;
    averageDiagonals(amount, true, [](int, int, int, int, int, int) { return true; });
}

void EffectBmp::maskBlur(const EffectBmp& mask, int amount)
{
    if (amount == 0 || !covers(mask))
        return;
    averageDiagonals(amount, false, [&mask](int x, int y, int, int, int, int) { return !isWhite(mask.pixel(x, y)); });
}

void EffectBmp::maskAntialiasing(const EffectBmp& mask, int amount)
{
    if (amount == 0 || !covers(mask))
        return;
    averageDiagonals(amount, false, [&mask](int x, int y, int xl, int xr, int yu, int yd) {
        return !isWhite(mask.pixel(x, y)) &&
               (isWhite(mask.pixel(xl, yu)) || isWhite(mask.pixel(xl, yd)) || isWhite(mask.pixel(xr, yu)) ||
                isWhite(mask.pixel(xr, yd)));
    });
}

void EffectBmp::maskFillColor(const EffectBmp& mask, Color color, double kf)
{
    if (!covers(mask))
        return;
    const Color c = resolveColor(color);
    const uint8_t fill[3] = {c.blue(), c.green(), c.red()};
    const uint16_t w = weightOf(clampFactor(kf));
    for (int y = 0; y < m_height; ++y) {
        uint8_t* p = scanLine(y);
        const uint8_t* m = mask.scanLine(y);
        for (int x = 0; x < m_width; ++x, p += 3, m += 3)
            if (!isWhite(m))
                for (int k = 0; k < 3; ++k)
                    p[k] = uint8_t(mixChannel<int16_t>(p[k], fill[k], int16_t(w)));
    }
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

void applyInActiveEffect(EffectBmp& image, InActiveEffect effect)
{
    switch (effect) {
    case InActiveEffect::Brightness: image.changeBrightness(0.5); break;
    case InActiveEffect::Darkness: image.changeDarkness(0.3); break;
    case InActiveEffect::GrayScale: image.grayScale(); break;
    case InActiveEffect::Noise: image.addMonoNoise(50); break;
    case InActiveEffect::SplitBlur: image.splitBlur(1); break;
    case InActiveEffect::Invert: image.invert(); break;
    }
}

} // namespace tessaly::skin
