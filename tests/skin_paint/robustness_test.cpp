// Random geometry, sizes and factors through every painting operation.
// Under the address and undefined-behaviour sanitizers this shows that no
// input reads or writes outside a picture or bitmap; the checks here are
// the sizes the operations promise.

#include <gtest/gtest.h>

#include <random>

#include "paint_test_util.h"
#include "skin/paint/compose.h"
#include "skin/paint/effect_bmp.h"
#include "skin/paint/glyph.h"
#include "skin/paint/region.h"
#include "skin/paint/stack_blur.h"

namespace tessaly::skin {
namespace {

class Random {
public:
    explicit Random(unsigned seed) : m_engine(seed) {}
    int between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_engine); }
    bool coin() { return between(0, 1) == 1; }
    Point point() { return {between(-8, 30), between(-8, 30)}; }
    Rect rect() { return {between(-8, 30), between(-8, 30), between(-8, 30), between(-8, 30)}; }
    NineGeometry geometry() { return {point(), point(), point(), point(), rect()}; }
    EdgeStretch stretch() { return {coin(), coin(), coin(), coin()}; }
    Picture picture()
    {
        Picture p = test::numbered(between(0, 12), between(0, 12));
        for (uint32_t& pixel : p.pixels())
            if (between(0, 3) == 0)
                pixel = 0xFF000000u; // some black for masks
        return p;
    }

private:
    std::mt19937 m_engine;
};

TEST(Robustness, CompositionWithRandomGeometry)
{
    Random random(1);
    for (int round = 0; round < 3000; ++round) {
        const Picture picture = random.picture();
        const PixelView view = pixelView(picture);
        const Rect r = random.rect();
        const NineGeometry cut = random.geometry(), target = random.geometry();
        const int w = random.between(-5, 40), h = random.between(-5, 40);
        Bitmap d;
        composeSkinImage(d, view, r, cut, target, w, h, random.coin(), random.stretch(), random.coin(),
                         StretchType(random.between(0, 2)));
        ASSERT_EQ(d.width(), w > 0 && h > 0 ? w : 0);
        ASSERT_EQ(d.height(), w > 0 && h > 0 ? h : 0);

        composeSimpleSkinImage(d, view, r, random.coin(), cut.client);
        composeHorzSkinImage(random.between(-3, 10), random.between(-3, 10), d, view, r, w, h, random.coin());
        composeVertSkinImage(random.between(-3, 10), random.between(-3, 10), d, view, r, w, h, random.coin());

        const FrameStrips frame = buildFrameStrips(view, r, cut, target, w, h, random.stretch());
        ASSERT_LE(frame.top.width(), std::max(w, 0));
        ASSERT_LE(frame.left.height(), std::max(h, 0));
        buildMaskStrips(view, cut, target, w);
        const auto region = createSkinRegion(view, cut, target, w, h);
        if (region) {
            for (const Rect& rr : region->rects())
                ASSERT_FALSE(rr.isEmpty());
        }
    }
}

TEST(Robustness, DrawsWithRandomRectangles)
{
    Random random(2);
    for (int round = 0; round < 3000; ++round) {
        Bitmap source = test::bitmapOf(random.picture());
        Bitmap target(random.between(0, 12), random.between(0, 12));
        source.setAlphaBlend(random.coin());
        source.setTransparent(random.coin());
        source.draw(target, random.rect(), random.rect());
        source.draw(target, random.between(-10, 10), random.between(-10, 10));
        target.fillRect(random.rect(), 0x80FFFFFFu);
        target.drawGraphic(source.view(), random.rect());
        drawGlyphCell(target, random.between(-10, 10), random.between(-10, 10), random.between(-1, 4),
                      random.between(-1, 4), source.view());
        drawDefaultGlyph(target, DefaultGlyph(random.between(0, 7)), random.between(-10, 10),
                         random.between(-10, 10), 0xFF000000u);
        alphaFromMask(target, source.view());
        stackBlur(target, random.between(-2, 30));
        const auto data = maskToRegion(target.view(), random.between(-5, 5), random.between(-5, 5));
        ASSERT_EQ(bool(data), !target.empty());
    }
}

TEST(Robustness, EffectsWithRandomSizesAndFactors)
{
    Random random(3);
    for (int round = 0; round < 2000; ++round) {
        const int w = random.between(0, 9), h = random.between(0, 9);
        EffectBmp e(pixelView(test::numbered(w, h)));
        const EffectBmp other(pixelView(test::numbered(random.coin() ? w : random.between(0, 9), h)));
        const double kf = random.between(-20, 40) / 20.0;
        e.morphBy(MorphKind(random.between(0, 6)), other, kf);
        e.morphRect(other, random.rect(), random.between(-5, 10), random.between(-5, 10), kf);
        e.copyRect(other, random.rect(), random.between(-5, 10), random.between(-5, 10));
        e.splitBlur(random.between(0, 12));
        e.maskBlur(other, random.between(0, 12));
        e.maskAntialiasing(other, random.between(0, 12));
        e.maskFillColor(other, Color(0x00123456u), kf);
        e.mosaic(random.between(-1, 5));
        e.wave(random.between(-3, 3), random.between(-3, 3), random.between(-20, 20));
        EffectBmp rotated, resized(random.between(0, 12), random.between(0, 12));
        e.rotate90_1(rotated);
        ASSERT_EQ(rotated.width(), e.height());
        e.rotate90_2(rotated);
        e.flipVert(rotated);
        e.resize(resized);
        ASSERT_EQ(e.width(), w > 0 && h > 0 ? w : 0);
        ASSERT_EQ(e.height(), w > 0 && h > 0 ? h : 0);
        uint32_t out[16] = {};
        e.draw(PixelSurface{out, 4, 4, 4}, random.between(-10, 5), random.between(-10, 5));
        e.stretch(PixelSurface{out, 4, 4, 4}, random.between(-10, 5), random.between(-10, 5), random.between(-2, 9),
                  random.between(-2, 9));
        e.drawRect(PixelSurface{out, 4, 4, 4}, random.between(-10, 5), random.between(-10, 5), random.rect());
    }
}

} // namespace
} // namespace tessaly::skin
