// The pixel effects against a slow reference: the straightforward form of
// every mixing formula, evaluated per channel in extended precision with
// rounding to even. The fast effects mix in integers; they may differ from
// the reference by 1 per channel, and the blurs not at all.

#include "skin/paint/effect_bmp.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <random>
#include <string>

#include "skin/data/system_colors.h"

namespace tessaly::skin {
namespace {

namespace reference {

using Real = long double;

uint8_t roundClamp(Real value)
{
    const Real r = std::nearbyint(value);
    return uint8_t(r < 0 ? 0 : (r > 255 ? 255 : r));
}

double clampFactor(double kf) { return std::isnan(kf) ? 0.0 : std::clamp(kf, 0.0, 1.0); }
int roundedInt(Real value) { return int(std::nearbyint(value)); }
uint8_t* at(EffectBmp& e, int x, int y) { return e.scanLine(y) + 3 * x; }
const uint8_t* at(const EffectBmp& e, int x, int y) { return e.scanLine(y) + 3 * x; }
bool isWhite(const uint8_t* p) { return p[0] == 255 && p[1] == 255 && p[2] == 255; }

// rounded(t × s + (1 − t) × a) on the three bytes of a pixel.
void mixPixel(uint8_t* out, const uint8_t* s, const uint8_t* a, Real t)
{
    for (int c = 0; c < 3; ++c)
        out[c] = roundClamp(t * s[c] + (1 - t) * a[c]);
}

bool sameSize(const EffectBmp& e, const EffectBmp& a) { return e.width() == a.width() && e.height() == a.height(); }

void morph(EffectBmp& e, const EffectBmp& a, double kf)
{
    if (!sameSize(e, a))
        return;
    kf = clampFactor(kf);
    for (int y = 0; y < e.height(); ++y)
        for (int i = 0; i < 3 * e.width(); ++i)
            e.scanLine(y)[i] = roundClamp((1 - Real(kf)) * e.scanLine(y)[i] + Real(kf) * a.scanLine(y)[i]);
}

void morphRect(EffectBmp& e, const EffectBmp& a, const Rect& rect, int startY, int startX, double kf)
{
    kf = clampFactor(kf);
    const int top = std::max(rect.top, 0), bottom = std::min(rect.bottom, e.height());
    const int left = std::max(rect.left, 0), right = std::min(rect.right, e.width());
    for (int y = top; y < bottom; ++y) {
        const int ay = startY + (y - rect.top);
        if (ay < 0 || ay >= a.height())
            continue;
        for (int x = left; x < right; ++x) {
            const int ax = startX + (x - rect.left);
            if (ax < 0 || ax >= a.width())
                continue;
            for (int c = 0; c < 3; ++c)
                at(e, x, y)[c] = roundClamp((1 - Real(kf)) * at(e, x, y)[c] + Real(kf) * at(a, ax, ay)[c]);
        }
    }
}

void morphHGrad(EffectBmp& e, const EffectBmp& a, double kf)
{
    if (!sameSize(e, a) || e.isEmpty())
        return;
    const int w = e.width();
    const int b = roundedInt(w * Real(clampFactor(kf)));
    const int c = (w - b) / 2, d = b / 2;
    const Real step = c != 0 ? Real(1) / c : Real(1);
    const int h = std::max(0, w / 2 - d), last = std::min(w - 1, d + w / 2);
    for (int y = 0; y < e.height(); ++y) {
        for (int x = h; x <= last; ++x)
            std::copy_n(at(a, x, y), 3, at(e, x, y));
        for (int x = h, k = 0; x >= 0; --x, ++k)
            mixPixel(at(e, x, y), at(e, x, y), at(a, x, y), std::min(Real(1), k * step));
        for (int x = last, k = 0; x < w; ++x, ++k)
            mixPixel(at(e, x, y), at(e, x, y), at(a, x, y), std::min(Real(1), k * step));
    }
}

void morphVGrad(EffectBmp& e, const EffectBmp& a, double kf)
{
    if (!sameSize(e, a) || e.isEmpty())
        return;
    const int hh = e.height();
    const int b = roundedInt(hh * Real(clampFactor(kf)));
    const int c = (hh - b - 1) / 2, d = b / 2;
    const Real step = c != 0 ? Real(1) / c : Real(0);
    const int top = std::max(0, hh / 2 - d), bottom = std::min(hh - 1, d + hh / 2);
    auto mixRow = [&](int y, Real t) {
        for (int x = 0; x < e.width(); ++x)
            mixPixel(at(e, x, y), at(e, x, y), at(a, x, y), t);
    };
    for (int y = top; y <= bottom; ++y)
        std::copy_n(a.scanLine(y), 3 * e.width(), e.scanLine(y));
    for (int y = top, k = 0; y >= 0; --y, ++k)
        mixRow(y, std::min(Real(1), k * step));
    for (int y = bottom, k = 0; y < hh; ++y, ++k)
        mixRow(y, std::min(Real(1), k * step));
}

void morphLeftGrad(EffectBmp& e, const EffectBmp& a, double kf)
{
    if (!sameSize(e, a) || e.isEmpty())
        return;
    const int b = std::min(std::max(roundedInt(e.width() * Real(clampFactor(kf))), 1), e.width() - 1);
    for (int y = 0; y < e.height(); ++y)
        for (int x = 0; x <= b; ++x)
            mixPixel(at(e, x, y), at(e, x, y), at(a, x, y), b > 0 ? std::min(Real(1), Real(x) / b) : Real(0));
}

void morphRightGrad(EffectBmp& e, const EffectBmp& a, double kf)
{
    if (!sameSize(e, a) || e.isEmpty())
        return;
    const int w = e.width();
    const int c = std::clamp(w - roundedInt(w * Real(clampFactor(kf))), 0, w - 1);
    const Real step = w - c > 0 ? Real(1) / (w - c) : Real(1);
    for (int y = 0; y < e.height(); ++y)
        for (int x = w - 1, k = 0; x >= c; --x, ++k)
            mixPixel(at(e, x, y), at(e, x, y), at(a, x, y), std::min(Real(1), k * step));
}

void perChannel(EffectBmp& e, const std::function<uint8_t(uint8_t)>& f)
{
    for (int y = 0; y < e.height(); ++y)
        for (int i = 0; i < 3 * e.width(); ++i)
            e.scanLine(y)[i] = f(e.scanLine(y)[i]);
}

void changeBrightness(EffectBmp& e, double kf)
{
    const Real k = clampFactor(kf);
    perChannel(e, [k](uint8_t c) { return roundClamp((1 - k) * c + k * 255); });
}

void changeDarkness(EffectBmp& e, double kf)
{
    const Real k = clampFactor(kf);
    perChannel(e, [k](uint8_t c) { return roundClamp((1 - k) * c); });
}

void invert(EffectBmp& e)
{
    perChannel(e, [](uint8_t c) { return uint8_t(255 - c); });
}

void grayScale(EffectBmp& e)
{
    for (int y = 0; y < e.height(); ++y)
        for (int x = 0; x < e.width(); ++x) {
            uint8_t* p = at(e, x, y);
            p[0] = p[1] = p[2] = roundClamp(0.3L * p[2] + 0.59L * p[1] + 0.11L * p[0]);
        }
}

template <class Wanted>
void averageDiagonals(EffectBmp& e, int amount, Wanted wanted)
{
    const int w = e.width(), h = e.height();
    auto near = [amount](int i, int n) { return std::clamp(i - amount < 0 ? i : i - amount, 0, n - 1); };
    auto far = [amount](int i, int n) { return std::clamp(i + amount >= n ? n - i : i + amount, 0, n - 1); };
    std::vector<uint8_t> line(std::size_t(3 * w));
    for (int y = 0; y < h; ++y) {
        const int yu = near(y, h), yd = far(y, h);
        std::copy_n(e.scanLine(y), 3 * w, line.begin());
        for (int x = 0; x < w; ++x) {
            const int xl = near(x, w), xr = far(x, w);
            if (!wanted(x, y, xl, xr, yu, yd))
                continue;
            for (int k = 0; k < 3; ++k)
                line[std::size_t(3 * x + k)] =
                    uint8_t((at(e, xl, yu)[k] + at(e, xl, yd)[k] + at(e, xr, yu)[k] + at(e, xr, yd)[k]) / 4);
        }
        std::copy_n(line.begin(), 3 * w, e.scanLine(y));
    }
}

void splitBlur(EffectBmp& e, int amount)
{
    if (amount != 0 && !e.isEmpty())
        averageDiagonals(e, amount, [](int, int, int, int, int, int) { return true; });
}

void maskBlur(EffectBmp& e, const EffectBmp& mask, int amount)
{
    if (amount != 0 && !e.isEmpty() && mask.width() >= e.width() && mask.height() >= e.height())
        averageDiagonals(e, amount, [&](int x, int y, int, int, int, int) { return !isWhite(at(mask, x, y)); });
}

void maskAntialiasing(EffectBmp& e, const EffectBmp& mask, int amount)
{
    if (amount == 0 || e.isEmpty() || mask.width() < e.width() || mask.height() < e.height())
        return;
    averageDiagonals(e, amount, [&](int x, int y, int xl, int xr, int yu, int yd) {
        return !isWhite(at(mask, x, y)) && (isWhite(at(mask, xl, yu)) || isWhite(at(mask, xl, yd)) ||
                                            isWhite(at(mask, xr, yu)) || isWhite(at(mask, xr, yd)));
    });
}

void maskFillColor(EffectBmp& e, const EffectBmp& mask, Color color, double kf)
{
    if (e.isEmpty() || mask.width() < e.width() || mask.height() < e.height())
        return;
    const Color c = resolveColor(color);
    const uint8_t fill[3] = {c.blue(), c.green(), c.red()};
    for (int y = 0; y < e.height(); ++y)
        for (int x = 0; x < e.width(); ++x)
            if (!isWhite(at(mask, x, y)))
                mixPixel(at(e, x, y), fill, at(e, x, y), clampFactor(kf));
}

} // namespace reference

EffectBmp randomImage(int w, int h, std::mt19937& random)
{
    EffectBmp e(w, h);
    for (int y = 0; y < h; ++y)
        for (int i = 0; i < 3 * w; ++i)
            e.scanLine(y)[i] = uint8_t(random());
    return e;
}

// A mask of white and black pixels and a few greys.
EffectBmp randomMask(int w, int h, std::mt19937& random)
{
    EffectBmp e(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const uint32_t r = random() % 4;
            const uint8_t v = r < 2 ? 255 : r == 2 ? 0 : uint8_t(random());
            std::fill_n(e.scanLine(y) + 3 * x, 3, v);
        }
    return e;
}

// The largest difference of a channel between the two images; the padding
// at the end of the rows is not compared.
int largestDifference(const EffectBmp& a, const EffectBmp& b)
{
    int most = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int i = 0; i < 3 * a.width(); ++i)
            most = std::max(most, std::abs(int(a.scanLine(y)[i]) - int(b.scanLine(y)[i])));
    return most;
}

struct Effect {
    std::string name;
    int tolerance;
    // Applies the effect with the random parameters drawn from `random`
    // (the same draws for both forms): target and mask are given.
    std::function<void(EffectBmp&, const EffectBmp&, const EffectBmp&, double, int)> fast, slow;
};

std::vector<Effect> effects()
{
    using E = EffectBmp;
    using namespace reference;
    return {
        {"morph", 1, [](E& e, const E& a, const E&, double kf, int) { e.morph(a, kf); },
         [](E& e, const E& a, const E&, double kf, int) { morph(e, a, kf); }},
        {"morphRect", 1,
         [](E& e, const E& a, const E&, double kf, int n) { e.morphRect(a, Rect{n - 3, 1, n + 20, 9}, n % 5 - 2, 3 - n % 7, kf); },
         [](E& e, const E& a, const E&, double kf, int n) { morphRect(e, a, Rect{n - 3, 1, n + 20, 9}, n % 5 - 2, 3 - n % 7, kf); }},
        {"morphHGrad", 1, [](E& e, const E& a, const E&, double kf, int) { e.morphHGrad(a, kf); },
         [](E& e, const E& a, const E&, double kf, int) { morphHGrad(e, a, kf); }},
        {"morphVGrad", 1, [](E& e, const E& a, const E&, double kf, int) { e.morphVGrad(a, kf); },
         [](E& e, const E& a, const E&, double kf, int) { morphVGrad(e, a, kf); }},
        {"morphLeftGrad", 1, [](E& e, const E& a, const E&, double kf, int) { e.morphLeftGrad(a, kf); },
         [](E& e, const E& a, const E&, double kf, int) { morphLeftGrad(e, a, kf); }},
        {"morphRightGrad", 1, [](E& e, const E& a, const E&, double kf, int) { e.morphRightGrad(a, kf); },
         [](E& e, const E& a, const E&, double kf, int) { morphRightGrad(e, a, kf); }},
        {"changeBrightness", 1, [](E& e, const E&, const E&, double kf, int) { e.changeBrightness(kf); },
         [](E& e, const E&, const E&, double kf, int) { changeBrightness(e, kf); }},
        {"changeDarkness", 1, [](E& e, const E&, const E&, double kf, int) { e.changeDarkness(kf); },
         [](E& e, const E&, const E&, double kf, int) { changeDarkness(e, kf); }},
        {"invert", 0, [](E& e, const E&, const E&, double, int) { e.invert(); },
         [](E& e, const E&, const E&, double, int) { invert(e); }},
        {"grayScale", 1, [](E& e, const E&, const E&, double, int) { e.grayScale(); },
         [](E& e, const E&, const E&, double, int) { grayScale(e); }},
        {"splitBlur", 0, [](E& e, const E&, const E&, double, int n) { e.splitBlur(n % 4 + 1); },
         [](E& e, const E&, const E&, double, int n) { splitBlur(e, n % 4 + 1); }},
        {"maskBlur", 0, [](E& e, const E&, const E& m, double, int n) { e.maskBlur(m, n % 3 + 1); },
         [](E& e, const E&, const E& m, double, int n) { maskBlur(e, m, n % 3 + 1); }},
        {"maskAntialiasing", 0, [](E& e, const E&, const E& m, double, int n) { e.maskAntialiasing(m, n % 3 + 1); },
         [](E& e, const E&, const E& m, double, int n) { maskAntialiasing(e, m, n % 3 + 1); }},
        {"maskFillColor", 1,
         [](E& e, const E&, const E& m, double kf, int n) { e.maskFillColor(m, Color(uint32_t(n) * 0x010305u), kf); },
         [](E& e, const E&, const E& m, double kf, int n) { maskFillColor(e, m, Color(uint32_t(n) * 0x010305u), kf); }},
    };
}

TEST(EffectReference, EveryEffectWithinOneOfTheExactFormula)
{
    std::mt19937 random(11);
    const std::pair<int, int> sizes[] = {{1, 1}, {2, 3}, {5, 4}, {14, 15}, {75, 25}, {33, 40}, {130, 7}};
    // Factors that are exact, that sit on ties, and random ones.
    std::vector<double> factors = {0, 1, 0.5, 0.25, 0.3, 0.2, 0.7, -0.5, 1.5};
    for (int i = 0; i < 6; ++i)
        factors.push_back(std::uniform_real_distribution<double>(0, 1)(random));
    for (const Effect& effect : effects()) {
        for (auto [w, h] : sizes) {
            for (double kf : factors) {
                const int n = int(random() % 50);
                const EffectBmp source = randomImage(w, h, random);
                const EffectBmp target = randomImage(w, h, random);
                const EffectBmp mask = randomMask(w, h, random);
                EffectBmp fast = source, slow = source;
                effect.fast(fast, target, mask, kf, n);
                effect.slow(slow, target, mask, kf, n);
                ASSERT_LE(largestDifference(fast, slow), effect.tolerance)
                    << effect.name << " " << w << "x" << h << " kf " << kf << " n " << n;
            }
        }
    }
}

TEST(EffectReference, EqualValuesStayExact)
{
    // Mixing a channel with itself, or at the factors 0 and 1, gives exact
    // results: the fast form must not drift on plain copies.
    std::mt19937 random(5);
    const EffectBmp source = randomImage(37, 9, random);
    const EffectBmp target = randomImage(37, 9, random);
    for (double kf : {0.0, 1.0}) {
        EffectBmp e = source;
        e.morph(target, kf);
        EXPECT_EQ(largestDifference(e, kf == 0 ? source : target), 0) << kf;
    }
    EffectBmp e = source;
    e.morph(source, 0.37);
    EXPECT_EQ(largestDifference(e, source), 0);
    e.changeBrightness(0);
    e.changeDarkness(0);
    EXPECT_EQ(largestDifference(e, source), 0);
}

} // namespace
} // namespace tessaly::skin
