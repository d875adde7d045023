#include "skin/paint/device_scale.h"

#include <gtest/gtest.h>

#include <set>

#include "paint_test_util.h"
#include "skin/paint/compose.h"

namespace tessaly::skin {
namespace {

using test::numbered;
using test::sourceX;
using test::sourceY;

const DeviceScale kDeviceScales[] = {{1, 1}, {5, 4}, {3, 2}, {2, 1}, {3, 1}};

std::string scaleName(const DeviceScale& s) { return std::to_string(s.num()) + "/" + std::to_string(s.den()); }

TEST(DeviceScale, LogicalEdgesMapAsQtRoundsWindowCoordinates)
{
    // Half pixels round up, as Qt rounds a window's position and size.
    struct Case {
        DeviceScale scale;
        std::vector<int> edges; // toDevice(0), toDevice(1), …
    };
    const Case cases[] = {
        {{1, 1}, {0, 1, 2, 3, 4, 5}},
        {{5, 4}, {0, 1, 3, 4, 5, 6}},
        {{3, 2}, {0, 2, 3, 5, 6, 8}},
        {{2, 1}, {0, 2, 4, 6, 8, 10}},
        {{3, 1}, {0, 3, 6, 9, 12, 15}},
    };
    for (const Case& c : cases) {
        std::vector<int> edges;
        for (int x = 0; x < int(c.edges.size()); ++x)
            edges.push_back(c.scale.toDevice(x));
        EXPECT_EQ(edges, c.edges) << scaleName(c.scale);
    }
    EXPECT_EQ(DeviceScale(3, 2).toDevice(-1), -1); // -1.5 rounds up to -1
    EXPECT_EQ(DeviceScale(3, 2).toDevice(-2), -3);
}

TEST(DeviceScale, EveryDevicePixelBelongsToTheLogicalPixelWhoseEdgesHoldIt)
{
    for (const DeviceScale& s : kDeviceScales) {
        for (int x = -40; x < 80; ++x) {
            const int from = s.toDevice(x), to = s.toDevice(x + 1);
            // Each logical pixel gets the whole number just below or above
            // the factor: nothing is left out, nothing doubled beyond it.
            EXPECT_GE(to - from, s.num() / s.den()) << scaleName(s) << " x " << x;
            EXPECT_LE(to - from, (s.num() + s.den() - 1) / s.den()) << scaleName(s) << " x " << x;
            for (int d = from; d < to; ++d)
                EXPECT_EQ(s.toLogical(d), x) << scaleName(s) << " device " << d;
        }
    }
}

TEST(DeviceScale, RatiosFromTheWindowAreReadToTheNearestEighth)
{
    EXPECT_EQ(DeviceScale::fromRatio(1.0), DeviceScale());
    EXPECT_TRUE(DeviceScale::fromRatio(1.0).isIdentity());
    EXPECT_EQ(DeviceScale::fromRatio(1.25), DeviceScale(5, 4));
    EXPECT_EQ(DeviceScale::fromRatio(1.5), DeviceScale(3, 2));
    EXPECT_EQ(DeviceScale::fromRatio(1.4999999), DeviceScale(3, 2));
    EXPECT_EQ(DeviceScale::fromRatio(2.0), DeviceScale(2, 1));
    EXPECT_TRUE(DeviceScale::fromRatio(2.0).isWhole());
    EXPECT_EQ(DeviceScale::fromRatio(0.0), DeviceScale());
    EXPECT_EQ(DeviceScale::fromRatio(-2.0), DeviceScale());
    EXPECT_EQ(DeviceScale(0, 3), DeviceScale());
    EXPECT_EQ(DeviceScale(6, 4), DeviceScale(3, 2));
}

TEST(DeviceScale, AtWholeFactorsEveryPixelBecomesABlock)
{
    const Bitmap logical = test::bitmapOf(numbered(5, 4));
    for (int k : {2, 3}) {
        Bitmap device;
        scaleToDevice(logical, DeviceScale(k, 1), device);
        ASSERT_EQ(device.width(), 5 * k);
        ASSERT_EQ(device.height(), 4 * k);
        for (int y = 0; y < device.height(); ++y)
            for (int x = 0; x < device.width(); ++x)
                ASSERT_EQ(device.getPixel(x, y), logical.getPixel(x / k, y / k)) << k << ": " << x << "," << y;
    }
}

TEST(DeviceScale, FlagsAndEmptyPicturesCarryOver)
{
    Bitmap logical(3, 2);
    logical.setAlphaBlend(true);
    logical.setTransparent(true);
    Bitmap device(9, 9);
    scaleToDevice(logical, DeviceScale(3, 2), device);
    EXPECT_EQ(device.width(), 5); // 4.5 rounds up
    EXPECT_EQ(device.height(), 3);
    EXPECT_TRUE(device.alphaBlend());
    EXPECT_TRUE(device.transparent());
    scaleToDevice(Bitmap(), DeviceScale(3, 2), device);
    EXPECT_TRUE(device.empty());
}

// The 7 × 5 skin of the composition tests: corners 2 wide on the left and
// at the top, 2 on the right (columns 5, 6), rows 3 and 4 at the bottom.
NineGeometry nineCutOf7x5() { return {{2, 2}, {5, 2}, {2, 3}, {5, 3}, {1, 1, 6, 4}}; }

NineGeometry nineGrownTo(int width, int height)
{
    const int dx = width - 7, dy = height - 5;
    return {{2, 2}, {5 + dx, 2}, {2, 3 + dy}, {5 + dx, 3 + dy}, {1, 1, 6 + dx, 4 + dy}};
}

TEST(DeviceScale, ANinePiecePictureAtFractionalFactorsHasNoSeamAndEvenCorners)
{
    const Picture skin = numbered(7, 5);
    for (const DeviceScale& s : {DeviceScale(5, 4), DeviceScale(3, 2)}) {
        for (int width : {23, 24}) {
            const int height = 17;
            Bitmap logical;
            composeSkinImage(logical, pixelView(skin), Rect::sized(7, 5), nineCutOf7x5(), nineGrownTo(width, height), width,
                             height, true, EdgeStretch{}, false, StretchType::Full);
            Bitmap device;
            scaleToDevice(logical, s, device);
            ASSERT_EQ(device.width(), s.toDevice(width));
            // No device pixel is left between pieces: every one was written
            // (numbered pixels are opaque) and holds a pixel of the skin,
            // unmixed with any other.
            std::set<uint32_t> colours;
            for (int y = 0; y < logical.height(); ++y)
                for (int x = 0; x < logical.width(); ++x)
                    colours.insert(logical.getPixel(x, y));
            for (int y = 0; y < device.height(); ++y)
                for (int x = 0; x < device.width(); ++x)
                    ASSERT_TRUE(colours.count(device.getPixel(x, y)) == 1)
                        << scaleName(s) << " width " << width << " at " << x << "," << y;
            // Both corners of a row are the factor times their two pixels,
            // rounded the same way wherever the window's edge falls.
            int left = 0, right = 0;
            for (int x = 0; x < device.width(); ++x) {
                const int column = sourceX(device.getPixel(x, 0));
                left += column < 2;
                right += column >= 5;
            }
            const int twoPixels = s.toDevice(2);
            EXPECT_EQ(left, twoPixels) << scaleName(s) << " width " << width;
            EXPECT_GE(right, twoPixels - 1) << scaleName(s) << " width " << width;
            EXPECT_LE(right, twoPixels) << scaleName(s) << " width " << width;
            // Down the left edge (its middle piece is one row, tiled) the
            // skin's rows follow in order: no piece overlaps another.
            int previous = 0;
            for (int y = 0; y < device.height(); ++y) {
                const int row = sourceY(device.getPixel(0, y));
                EXPECT_GE(row, previous) << scaleName(s) << " row " << y;
                previous = row;
            }
        }
    }
}

TEST(DeviceScale, APartScaledAgainEqualsTheWholeScaledAgain)
{
    const DeviceScale s(3, 2);
    Bitmap logical = test::bitmapOf(numbered(31, 19));
    Bitmap device;
    scaleToDevice(logical, s, device);
    const Rect changed{7, 5, 12, 11};
    logical.fillRect(changed, 0xFF123456u);
    scaleToDevice(logical, changed, s, device);
    Bitmap whole;
    scaleToDevice(logical, s, whole);
    ASSERT_EQ(device.width(), whole.width());
    for (int y = 0; y < whole.height(); ++y)
        for (int x = 0; x < whole.width(); ++x)
            ASSERT_EQ(device.getPixel(x, y), whole.getPixel(x, y)) << x << "," << y;
}

TEST(DeviceScale, AScaledShapeHoldsExactlyTheDevicePixelsOfItsLogicalPixels)
{
    // A window shape with cut corners and a notch, as a mask makes them.
    const Region shape = Region::fromRects({{3, 0, 37, 1}, {1, 1, 39, 3}, {0, 3, 40, 20}, {0, 20, 18, 24},
                                            {22, 20, 40, 24}, {2, 24, 38, 25}});
    for (const DeviceScale& s : kDeviceScales) {
        const Region device = scaleRegion(shape, s);
        int inside = 0;
        for (int y = -3; y < s.toDevice(26); ++y) {
            for (int x = -3; x < s.toDevice(41); ++x) {
                const Point p = s.toLogical(Point{x, y});
                ASSERT_EQ(device.contains(x, y), shape.contains(p.x, p.y)) << scaleName(s) << " at " << x << "," << y;
                inside += device.contains(x, y);
            }
        }
        EXPECT_GT(inside, 0);
    }
}

} // namespace
} // namespace tessaly::skin
