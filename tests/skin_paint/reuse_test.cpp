// Bitmaps keep their memory across sizes, and compositions skip clearing
// only where they write every pixel: composing into memory full of garbage
// gives the same image as composing into a new bitmap.

#include <gtest/gtest.h>

#include <random>

#include "paint_test_util.h"
#include "skin/paint/compose.h"

namespace tessaly::skin {
namespace {

constexpr uint32_t kGarbage = 0xDEADBEEFu;

// A bitmap whose memory (larger than any size below) holds garbage.
Bitmap dirtyBitmap()
{
    Bitmap b(300, 200);
    b.fillRect(Rect{0, 0, 300, 200}, kGarbage);
    return b;
}

bool samePixels(const Bitmap& a, const Bitmap& b)
{
    if (a.width() != b.width() || a.height() != b.height())
        return false;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.getPixel(x, y) != b.getPixel(x, y))
                return false;
    return true;
}

TEST(BitmapMemory, KeptAcrossSizesAndClearedOnChange)
{
    Bitmap b = dirtyBitmap();
    const uint32_t* memory = b.rowPointer(0);
    for (auto [w, h] : {std::pair{120, 80}, {300, 200}, {77, 191}}) {
        b.setSize(w, h);
        EXPECT_EQ(b.rowPointer(0), memory) << w << "x" << h;
        for (int y = 0; y < h; y += 7)
            for (int x = 0; x < w; x += 5)
                ASSERT_EQ(b.getPixel(x, y), 0u) << "a change of size clears";
        b.fillRect(Rect{0, 0, w, h}, kGarbage);
    }
    // The same size keeps the pixels; far smaller sizes give memory back.
    b.setSize(77, 191);
    EXPECT_EQ(b.getPixel(3, 3), kGarbage);
    b.setSize(4, 4);
    EXPECT_EQ(b.getPixel(3, 3), 0u);
}

// Geometries of a 40 × 30 skin rectangle at (5, 4) of a 60 × 50 picture:
// regular ones, ones whose spans leave gaps or overlap, and ones reading
// outside the picture.
struct Case {
    const char* name;
    Rect skinRect;
    NineGeometry cut;
    NineGeometry target;
    int width, height;
    bool drawClient;
};

TEST(ComposeReuse, GarbageInReusedMemoryNeverShows)
{
    const Picture picture = test::numbered(60, 50);
    const NineGeometry cut{{10, 8}, {30, 8}, {10, 22}, {30, 22}, {6, 8, 34, 22}};
    const NineGeometry wide{{10, 8}, {170, 8}, {10, 102}, {170, 102}, {6, 8, 174, 102}};
    // No source columns for the left edge: a strip of the image is never drawn.
    const NineGeometry noLeftEdge{{10, 8}, {30, 8}, {10, 22}, {30, 22}, {0, 8, 34, 22}};
    const NineGeometry narrow{{10, 8}, {4, 8}, {10, 12}, {4, 12}, {6, 8, 0, 6}};
    const Case cases[] = {
        {"regular", {5, 4, 45, 34}, cut, wide, 180, 110, true},
        {"no client", {5, 4, 45, 34}, cut, wide, 180, 110, false},
        {"left edge without source", {5, 4, 45, 34}, noLeftEdge, wide, 180, 110, true},
        {"narrow overlap", {5, 4, 45, 34}, cut, narrow, 14, 20, true},
        {"outside the picture", {40, 30, 80, 60}, cut, wide, 180, 110, true},
        {"no cut", {5, 4, 45, 34}, {{10, 8}, {30, 8}, {10, 22}, {10, 22}, {6, 8, 34, 22}}, wide, 180, 110, true},
    };
    for (const Case& c : cases) {
        for (bool stretch : {false, true}) {
            for (StretchType type : {StretchType::Full, StretchType::Horz, StretchType::Vert}) {
                const EdgeStretch edges{stretch, !stretch, stretch, !stretch};
                Bitmap fresh, reused = dirtyBitmap();
                composeSkinImage(fresh, pixelView(picture), c.skinRect, c.cut, c.target, c.width, c.height,
                                 c.drawClient, edges, stretch, type);
                composeSkinImage(reused, pixelView(picture), c.skinRect, c.cut, c.target, c.width, c.height,
                                 c.drawClient, edges, stretch, type);
                EXPECT_TRUE(samePixels(fresh, reused)) << c.name << " stretch " << stretch << " type " << int(type);
            }
        }
    }
}

TEST(ComposeReuse, ThreePieceRowsAndColumns)
{
    const Picture picture = test::numbered(60, 50);
    const struct {
        Rect source;
        int a, b, size;
    } cases[] = {{{2, 3, 40, 20}, 5, 6, 150}, {{2, 3, 40, 20}, 5, 6, 8}, {{2, 3, 40, 20}, 0, 0, 90},
                 {{30, 30, 80, 70}, 5, 6, 150}, {{2, 3, 40, 20}, 20, 18, 150}};
    for (const auto& c : cases) {
        for (bool stretch : {false, true}) {
            Bitmap fresh, reused = dirtyBitmap();
            composeHorzSkinImage(c.a, c.b, fresh, pixelView(picture), c.source, c.size, 0, stretch);
            composeHorzSkinImage(c.a, c.b, reused, pixelView(picture), c.source, c.size, 0, stretch);
            EXPECT_TRUE(samePixels(fresh, reused)) << "row " << c.a << "," << c.b << "," << c.size;
            Bitmap freshV, reusedV = dirtyBitmap();
            composeVertSkinImage(c.a, c.b, freshV, pixelView(picture), c.source, 0, c.size, stretch);
            composeVertSkinImage(c.a, c.b, reusedV, pixelView(picture), c.source, 0, c.size, stretch);
            EXPECT_TRUE(samePixels(freshV, reusedV)) << "column " << c.a << "," << c.b << "," << c.size;
        }
    }
}

TEST(KeyedView, ConvertedOnceAndRenewedAfterChanges)
{
    Bitmap b = test::bitmapOf(test::pictureOf({{keyColor, 0xFF102030u}, {0x00405060u, keyColor | 0xFF000000u}}));
    b.setTransparent(true);
    const PixelView first = b.keyedView();
    ASSERT_FALSE(first.isEmpty());
    EXPECT_EQ(first.pixel(0, 0), 0u);
    EXPECT_EQ(first.pixel(1, 0), 0xFF102030u);
    EXPECT_EQ(first.pixel(0, 1), 0xFF405060u); // other pixels become opaque
    EXPECT_EQ(first.pixel(1, 1), 0u);          // the key ignores alpha
    // No change: the same converted pixels, not a new conversion.
    EXPECT_EQ(b.keyedView().bits, first.bits);
    const Bitmap& constant = b;
    EXPECT_EQ(constant.rowPointer(0)[1], 0xFF102030u);
    EXPECT_EQ(b.keyedView().pixel(1, 0), 0xFF102030u);

    b.setPixel(1, 0, keyColor);
    EXPECT_EQ(b.keyedView().pixel(1, 0), 0u);
    b.fillRect(Rect{0, 0, 1, 1}, 0xFF0000FFu);
    EXPECT_EQ(b.keyedView().pixel(0, 0), 0xFF0000FFu);
    const PixelSurface kept = b.surface();
    EXPECT_EQ(b.keyedView().pixel(0, 1), 0xFF405060u);
    kept.row(1)[0] = keyColor;
    EXPECT_EQ(b.keyedView().pixel(0, 1), 0xFF405060u); // written through a surface taken earlier: unseen
    b.markChanged();
    EXPECT_EQ(b.keyedView().pixel(0, 1), 0u);
    b.setSize(3, 1);
    EXPECT_EQ(b.keyedView().width, 3);
}

} // namespace
} // namespace tessaly::skin

namespace tessaly::skin {
namespace {

TEST(FrameStripsReuse, SameAsFreshStripsAtEverySize)
{
    const Picture picture = test::numbered(60, 50);
    const Rect skinRect{2, 3, 50, 43};
    const NineGeometry cut{{10, 8}, {30, 8}, {10, 30}, {30, 30}, {6, 8, 42, 34}};
    FrameStrips kept;
    // Growing, shrinking, and sizes where strips cannot be built.
    for (auto [w, h] : {std::pair{200, 120}, {90, 70}, {260, 150}, {8, 6}, {120, 90}}) {
        const NineGeometry target{{10, 8}, {w - 18, 8}, {10, h - 10}, {w - 18, h - 10}, {6, 8, w - 6, h - 6}};
        for (bool stretched : {false, true}) {
            const EdgeStretch edges{stretched, stretched, stretched, stretched};
            const FrameStrips fresh = buildFrameStrips(pixelView(picture), skinRect, cut, target, w, h, edges);
            buildFrameStrips(kept, pixelView(picture), skinRect, cut, target, w, h, edges);
            EXPECT_TRUE(samePixels(fresh.top, kept.top)) << w << "x" << h;
            EXPECT_TRUE(samePixels(fresh.bottom, kept.bottom)) << w << "x" << h;
            EXPECT_TRUE(samePixels(fresh.left, kept.left)) << w << "x" << h;
            EXPECT_TRUE(samePixels(fresh.right, kept.right)) << w << "x" << h;
        }
    }
}

} // namespace
} // namespace tessaly::skin
