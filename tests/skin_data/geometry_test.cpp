#include "skin/data/geometry.h"

#include <gtest/gtest.h>

namespace tessaly::skin {
namespace {

// Right and bottom are exclusive: the last pixel inside is (right-1,
// bottom-1). Getting that wrong by one shows as a hot pixel column beside
// every caption button and menu item.
TEST(RectTest, ContainsPixelsOfTheHalfOpenRectangle)
{
    const Rect r{10, 20, 30, 25};
    struct Case {
        int x, y;
        bool inside;
    };
    for (const Case& c : {Case{10, 20, true}, Case{29, 24, true}, Case{30, 24, false}, Case{29, 25, false},
                          Case{9, 20, false}, Case{10, 19, false}}) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
        EXPECT_EQ(r.contains(c.x, c.y), c.inside);
        EXPECT_EQ(r.contains(Point{c.x, c.y}), c.inside);
    }
    EXPECT_FALSE(Rect{}.contains(0, 0)) << "an empty rectangle holds no pixel";
}

TEST(RectTest, ContainsRectanglesUpToItsEdges)
{
    const Rect outer{0, 0, 10, 10};
    EXPECT_TRUE(outer.contains(outer));
    EXPECT_TRUE(outer.contains(Rect{2, 2, 10, 10}));
    EXPECT_FALSE(outer.contains(Rect{2, 2, 11, 10}));
    EXPECT_FALSE(outer.contains(Rect{-1, 0, 5, 5}));
}

TEST(RectTest, TranslatedKeepsTheSize)
{
    const Rect r = Rect{1, 2, 4, 8}.translated(-3, 5);
    EXPECT_EQ(r, (Rect{-2, 7, 1, 13}));
    EXPECT_EQ(r.width(), 3);
    EXPECT_EQ(r.height(), 6);
}

TEST(RectTest, IntersectedIsTheCommonPartOrEmpty)
{
    const Rect a{0, 0, 10, 10};
    EXPECT_EQ(a.intersected(Rect{5, -5, 20, 5}), (Rect{5, 0, 10, 5}));
    EXPECT_EQ(a.intersected(Rect::sized(3, 4)), (Rect{0, 0, 3, 4}));
    EXPECT_TRUE(a.intersected(Rect{10, 0, 20, 10}).isEmpty()) << "touching edges share no pixel";
    EXPECT_TRUE(a.intersected(Rect{20, 20, 30, 30}).isEmpty());
}

} // namespace
} // namespace tessaly::skin
