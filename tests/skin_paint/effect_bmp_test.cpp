#include "skin/paint/effect_bmp.h"

#include <gtest/gtest.h>

#include <set>

namespace tessaly::skin {
namespace {

using Values = std::vector<int>;

// An image whose pixels are greys (all three channels the same value).
EffectBmp greys(const std::vector<Values>& rows)
{
    EffectBmp e(int(rows.front().size()), int(rows.size()));
    for (int y = 0; y < e.height(); ++y)
        for (int x = 0; x < e.width(); ++x)
            for (int c = 0; c < 3; ++c)
                e.scanLine(y)[3 * x + c] = uint8_t(rows[std::size_t(y)][std::size_t(x)]);
    return e;
}

EffectBmp filled(int w, int h, int value) { return greys(std::vector<Values>(std::size_t(h), Values(std::size_t(w), value))); }

// One channel of a row (0 blue, 1 green, 2 red).
Values row(const EffectBmp& e, int y, int channel = 0)
{
    Values out;
    for (int x = 0; x < e.width(); ++x)
        out.push_back(e.scanLine(y)[3 * x + channel]);
    return out;
}

Values column(const EffectBmp& e, int x)
{
    Values out;
    for (int y = 0; y < e.height(); ++y)
        out.push_back(e.scanLine(y)[3 * x]);
    return out;
}

EffectBmp rgb(int red, int green, int blue)
{
    EffectBmp e(1, 1);
    e.scanLine(0)[0] = uint8_t(blue);
    e.scanLine(0)[1] = uint8_t(green);
    e.scanLine(0)[2] = uint8_t(red);
    return e;
}

TEST(EffectBmp, LayoutPadsRowsToFourBytes)
{
    for (auto [w, stride] : {std::pair{1, 4}, {2, 8}, {3, 12}, {5, 16}, {6, 20}}) {
        EffectBmp e(w, 3);
        EXPECT_EQ(e.stride(), stride);
        EXPECT_EQ(e.size(), 3 * stride);
    }
    EXPECT_TRUE(EffectBmp(-2, 5).isEmpty());
}

TEST(Morph, CrossFadeRoundsTiesToEvenAndClampsTheFactor)
{
    struct Case {
        double kf;
        int expected; // source 10, target 21
    };
    const Case cases[] = {{0, 10}, {1, 21}, {0.5, 16}, {-1, 10}, {2, 21}, {0.25, 13}};
    for (const Case& c : cases) {
        EffectBmp e = filled(2, 1, 10);
        e.morph(filled(2, 1, 21), c.kf);
        EXPECT_EQ(row(e, 0), (Values{c.expected, c.expected})) << c.kf;
    }
    EffectBmp e = filled(2, 1, 10);
    e.morph(filled(3, 1, 21), 1);
    EXPECT_EQ(row(e, 0), (Values{10, 10})); // a different size changes nothing
}

TEST(Morph, Transitions)
{
    // Source 0 and target 100 everywhere; or, for the moving kinds, source
    // columns 1 … and target columns 11 ….
    const EffectBmp zeros = filled(10, 1, 0), hundreds = filled(10, 1, 100);
    const EffectBmp source = greys({{1, 2, 3, 4}}), target = greys({{11, 12, 13, 14}});
    struct Case {
        const char* name;
        void (EffectBmp::*op)(const EffectBmp&, double);
        bool moving;
        double kf;
        Values expected;
    };
    const Case cases[] = {
        // b = 5, c = 2, d = 2: band 3 … 7, soft edges of step 1/2.
        {"hgrad", &EffectBmp::morphHGrad, false, 0.5, {0, 0, 50, 100, 100, 100, 100, 100, 50, 0}},
        // Kf 0 still shows the target at the centre column: b = 0, c = 5.
        {"hgrad 0", &EffectBmp::morphHGrad, false, 0, {0, 20, 40, 60, 80, 100, 80, 60, 40, 20}},
        // b = 4: t = x / 4 for x = 0 … 4.
        {"leftgrad", &EffectBmp::morphLeftGrad, false, 0.4, {100, 75, 50, 25, 0, 0, 0, 0, 0, 0}},
        // c = 6, step 1/4 from the right.
        {"rightgrad", &EffectBmp::morphRightGrad, false, 0.4, {0, 0, 0, 0, 0, 0, 25, 50, 75, 100}},
        {"push 0", &EffectBmp::morphPush, true, 0, {14, 1, 2, 3}},
        {"push half", &EffectBmp::morphPush, true, 0.5, {12, 13, 14, 1}},
        {"left slide 0", &EffectBmp::morphLeftSlide, true, 0, {14, 2, 3, 4}}, // b is at least 1
        {"left slide", &EffectBmp::morphLeftSlide, true, 0.5, {13, 14, 3, 4}},
        {"right slide", &EffectBmp::morphRightSlide, true, 0.75, {1, 11, 12, 13}},
        {"right slide 1", &EffectBmp::morphRightSlide, true, 1, {1, 11, 12, 13}}, // b at most W − 1
    };
    for (const Case& c : cases) {
        EffectBmp e = c.moving ? source : zeros;
        (e.*c.op)(c.moving ? target : hundreds, c.kf);
        EXPECT_EQ(row(e, 0), c.expected) << c.name;
    }
}

TEST(Morph, VerticalGradient)
{
    const EffectBmp target = filled(1, 10, 100);
    EffectBmp e = filled(1, 10, 0);
    e.morphVGrad(target, 0.5);
    EXPECT_EQ(column(e, 0), (Values{0, 0, 50, 100, 100, 100, 100, 100, 50, 0}));
    // Kf 1: c = (10 − 10 − 1) div 2 = 0, so every row becomes the target.
    EffectBmp full = filled(1, 10, 0);
    full.morphGrad(target, 1); // higher than wide: vertical
    EXPECT_EQ(column(full, 0), Values(10, 100));
}

TEST(Morph, RectAndCopyRect)
{
    EffectBmp e = filled(4, 2, 0);
    const EffectBmp target = greys({{10, 20, 30, 40}, {50, 60, 70, 80}});
    e.morphRect(target, Rect{1, 0, 3, 1}, 1, 2, 0.5); // reads target row 1 from column 2
    EXPECT_EQ(row(e, 0), (Values{0, 35, 40, 0}));
    EffectBmp c = filled(4, 2, 0);
    c.copyRect(target, Rect{2, 0, 9, 9}, 0, 0); // inclusive edges, limited to the image
    EXPECT_EQ(row(c, 0), (Values{0, 0, 10, 20}));
    EXPECT_EQ(row(c, 1), (Values{0, 0, 50, 60}));
}

TEST(ColourChanges, Values)
{
    struct Case {
        const char* name;
        int red, green, blue;
        void (*op)(EffectBmp&);
        int expectedRed, expectedGreen, expectedBlue;
    };
    const Case cases[] = {
        {"grey", 100, 100, 100, [](EffectBmp& e) { e.grayScale(); }, 100, 100, 100},
        {"green", 0, 255, 0, [](EffectBmp& e) { e.grayScale(); }, 150, 150, 150},
        {"blue", 0, 0, 255, [](EffectBmp& e) { e.grayScale(); }, 28, 28, 28},
        {"brightness", 0, 255, 1, [](EffectBmp& e) { e.changeBrightness(0.5); }, 128, 255, 128},
        // Values that land on a tie (5 × 0.7) may round either way: the
        // comparison with the exact formula allows 1 (effect_reference_test).
        {"darkness", 100, 10, 200, [](EffectBmp& e) { e.changeDarkness(0.3); }, 70, 7, 140},
        {"invert", 0, 100, 255, [](EffectBmp& e) { e.invert(); }, 255, 155, 0},
    };
    for (const Case& c : cases) {
        EffectBmp e = rgb(c.red, c.green, c.blue);
        c.op(e);
        EXPECT_EQ(row(e, 0, 2), Values{c.expectedRed}) << c.name;
        EXPECT_EQ(row(e, 0, 1), Values{c.expectedGreen}) << c.name;
        EXPECT_EQ(row(e, 0, 0), Values{c.expectedBlue}) << c.name;
    }
}

TEST(ColourChanges, NoiseStaysInRangeAndVaries)
{
    EffectBmp mono = filled(64, 4, 128);
    mono.addMonoNoise(50);
    std::set<int> seen;
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 64; ++x) {
            const uint8_t* p = mono.scanLine(y) + 3 * x;
            EXPECT_TRUE(p[0] == p[1] && p[1] == p[2]); // one value for all three channels
            EXPECT_GE(p[0], 128 - 25);
            EXPECT_LE(p[0], 128 + 24);
            seen.insert(p[0]);
        }
    EXPECT_GT(seen.size(), 10u);

    EffectBmp colour = filled(64, 1, 250);
    colour.addColorNoise(40);
    bool differs = false;
    for (int x = 0; x < 64; ++x) {
        const uint8_t* p = colour.scanLine(0) + 3 * x;
        differs = differs || p[0] != p[1] || p[1] != p[2];
        EXPECT_GE(p[0], 230);
    }
    EXPECT_TRUE(differs);
    EffectBmp none = filled(3, 1, 7);
    none.addMonoNoise(0);
    EXPECT_EQ(row(none, 0), (Values{7, 7, 7}));
}

TEST(SplitBlur, UsesRowsAlreadyBlurred)
{
    // One column: row 1 averages the blurred row 0 with row 2; row 2 reads
    // row 1 above and, below the edge, row H − y = 1, both already blurred.
    EffectBmp e = greys({{0}, {0}, {200}});
    e.splitBlur(1);
    EXPECT_EQ(column(e, 0), (Values{0, 100, 100}));
    EffectBmp same = greys({{9, 9}});
    same.splitBlur(0);
    EXPECT_EQ(row(same, 0), (Values{9, 9}));
}

TEST(SplitBlur, AmountsLargerThanTheImageStayInside)
{
    for (auto [w, h] : {std::pair{1, 1}, {2, 1}, {1, 3}, {3, 2}}) {
        EffectBmp e = filled(w, h, 77);
        e.splitBlur(5);
        e.maskBlur(filled(w, h, 0), 9);
        e.maskAntialiasing(filled(w, h, 0), 9);
        EXPECT_EQ(row(e, 0), Values(std::size_t(w), 77));
    }
}

TEST(Masks, OnlyNonWhiteMaskPixelsChange)
{
    const EffectBmp mask = greys({{255, 0, 0, 255}});
    EffectBmp e = greys({{0, 100, 20, 200}});
    e.maskBlur(mask, 1);
    // One row: column 1 averages columns 0 and 2 (twice each), column 2
    // columns 1 and 3 as read; the row is written back whole.
    EXPECT_EQ(row(e, 0), (Values{0, 10, 150, 200}));
    EffectBmp f = greys({{0, 40, 80, 120}});
    f.maskFillColor(mask, Color(0x00C80000u), 0.5); // blue 200
    EXPECT_EQ(row(f, 0, 0), (Values{0, 120, 140, 120}));
    EXPECT_EQ(row(f, 0, 2), (Values{0, 20, 40, 120}));

    EffectBmp small = greys({{0, 40, 80}});
    small.maskFillColor(greys({{0, 0}}), Color(0xFFFFFF), 1); // mask narrower: nothing
    EXPECT_EQ(row(small, 0), (Values{0, 40, 80}));
}

TEST(Masks, AntialiasingTouchesOnlyTheEdge)
{
    // Mask: a black 3 × 3 block in a white 5 × 5 frame.
    std::vector<Values> m(5, Values(5, 255));
    for (int y = 1; y < 4; ++y)
        for (int x = 1; x < 4; ++x)
            m[std::size_t(y)][std::size_t(x)] = 0;
    EffectBmp e = filled(5, 5, 0);
    e.scanLine(2)[3 * 2] = 200; // the centre, blue only
    EffectBmp blurred = e;
    e.maskAntialiasing(greys(m), 1);
    EXPECT_EQ(e.scanLine(2)[3 * 2], 200); // the centre's diagonals are all black: kept
    blurred.maskBlur(greys(m), 1);
    // Averaged: row 1 is already blurred, its pixels (1, 1) and (3, 1) took
    // 200 / 4 from the centre; (50 + 50 + 0 + 0) / 4 = 25.
    EXPECT_EQ(blurred.scanLine(2)[3 * 2], 25);
}

TEST(Geometry, RotationsFlipMosaicResize)
{
    const EffectBmp e = greys({{1, 2, 3}, {4, 5, 6}});
    EffectBmp r1, r2, flip;
    e.rotate90_1(r1);
    ASSERT_EQ(r1.width(), 2);
    ASSERT_EQ(r1.height(), 3);
    EXPECT_EQ(row(r1, 0), (Values{3, 6}));
    EXPECT_EQ(row(r1, 2), (Values{1, 4}));
    e.rotate90_2(r2);
    EXPECT_EQ(row(r2, 0), (Values{4, 1}));
    EXPECT_EQ(row(r2, 2), (Values{6, 3}));
    e.flipVert(flip);
    EXPECT_EQ(row(flip, 0), (Values{4, 5, 6}));

    EffectBmp m = greys({{1, 2, 3}, {4, 5, 6}, {7, 8, 9}});
    m.mosaic(2);
    EXPECT_EQ(row(m, 0), (Values{1, 1, 3}));
    EXPECT_EQ(row(m, 1), (Values{1, 1, 3}));
    EXPECT_EQ(row(m, 2), (Values{7, 7, 9}));

    // 2 × 2 into 4 × 4: blocks of rounded(3 / 2) + 1 = 3 pixels at 0 and 2.
    EffectBmp big(4, 4);
    greys({{1, 2}, {3, 4}}).resize(big);
    EXPECT_EQ(row(big, 0), (Values{1, 1, 2, 2}));
    EXPECT_EQ(row(big, 3), (Values{3, 3, 4, 4}));
}

TEST(Geometry, WaveShiftsRowsAndColumns)
{
    EffectBmp e = greys({{1, 2, 3, 4}, {5, 6, 7, 8}});
    EffectBmp still = e;
    still.wave(0, 1, 5);
    EXPECT_EQ(row(still, 1), (Values{5, 6, 7, 8}));
    // Row 1 moves by rounded(sin(1) × 2) = 2 columns (clamped at the edge);
    // column x reads row rounded(y + 2 sin(x / 100)), 0 or 1 here.
    e.wave(100, 1, 2);
    EXPECT_EQ(row(e, 0), (Values{1, 2, 3, 4}));
    EXPECT_EQ(row(e, 1), (Values{7, 8, 8, 8}));
}

TEST(EffectBmp, TransfersToBitmapsAreOpaque)
{
    const uint32_t pixels[] = {0x00102030u, 0x80405060u};
    EffectBmp e(PixelView{pixels, 2, 1, 2});
    EXPECT_EQ(row(e, 0, 2), (Values{0x10, 0x40}));
    uint32_t out[3] = {};
    e.draw(PixelSurface{out, 3, 1, 3}, 1, 0);
    EXPECT_EQ(out[0], 0u);
    EXPECT_EQ(out[1], 0xFF102030u);
    EXPECT_EQ(out[2], 0xFF405060u);
    uint32_t scaled[4] = {};
    e.stretch(PixelSurface{scaled, 4, 1, 4}, 0, 0, 4, 1);
    EXPECT_EQ(scaled[1], 0xFF102030u);
    EXPECT_EQ(scaled[2], 0xFF405060u);
}

} // namespace
} // namespace tessaly::skin
