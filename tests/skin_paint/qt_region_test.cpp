#include "platform/qt_region.h"

#include <gtest/gtest.h>

#include <random>

#include "skin/paint/bitmap_canvas.h"
#include "skin/paint/region.h"

namespace tessaly::skin {
namespace {

std::vector<QRect> qtRects(const QRegion& region) { return std::vector<QRect>(region.begin(), region.end()); }

std::vector<QRect> qtRects(const Region& region)
{
    std::vector<QRect> out;
    for (const Rect& r : region.rects())
        out.emplace_back(QPoint(r.left, r.top), QSize(r.width(), r.height()));
    return out;
}

TEST(QtRegion, UnionAgreesWithQtRectangleForRectangle)
{
    std::mt19937 random(5);
    for (int round = 0; round < 200; ++round) {
        std::vector<Rect> rects;
        QRegion expected;
        const int count = 1 + int(random() % 8);
        for (int i = 0; i < count; ++i) {
            const int l = int(random() % 20), t = int(random() % 20);
            const Rect r{l, t, l + 1 + int(random() % 10), t + 1 + int(random() % 10)};
            rects.push_back(r);
            expected += QRect(QPoint(r.left, r.top), QSize(r.width(), r.height()));
        }
        const Region ours = Region::fromRects(rects);
        ASSERT_EQ(qtRects(ours), qtRects(expected)) << "round " << round;
        const QRegion converted = toQRegion(ours);
        ASSERT_EQ(converted, expected);
        ASSERT_EQ(qtRects(converted), qtRects(expected));
    }
}

TEST(QtRegion, MaskRegionOnAWindow)
{
    // A 3 × 3 mask with its top-left corner cut off.
    const uint32_t b = 0xFF000000u, w = 0xFFFFFFFFu;
    const uint32_t pixels[] = {w, b, b, b, b, b, b, b, b};
    const auto region = createMaskRegion(PixelView{pixels, 3, 3, 3});
    ASSERT_TRUE(region);
    const QRegion q = toQRegion(*region);
    EXPECT_EQ(q.rectCount(), 2);
    EXPECT_FALSE(q.contains(QPoint(0, 0)));
    EXPECT_TRUE(q.contains(QPoint(1, 0)));
    EXPECT_TRUE(q.contains(QPoint(0, 2)));
    EXPECT_EQ(q.boundingRect(), QRect(0, 0, 3, 3));
    EXPECT_TRUE(toQRegion(Region()).isEmpty());
}

} // namespace
} // namespace tessaly::skin
