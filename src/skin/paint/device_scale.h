#pragma once

// How a window's logical pixels meet the screen's pixels on a dense screen.
//
// Skin pictures are pixel art made for one screen pixel per logical pixel.
// At a scale factor num/den every logical column x begins at device column
// toDevice(x) = x·num/den rounded half up (the rounding Qt gives window
// positions and sizes), so logical pixel x covers the device columns
// [toDevice(x), toDevice(x + 1)); rows alike. Everything scaled to the
// device goes through this one mapping: pictures (each device pixel takes
// the colour of the logical pixel that covers it, nearest neighbour),
// window shapes (each rectangle's edges mapped) and hit tests (a device
// pixel belongs to the logical pixel that covers it). Neighbouring pieces
// stay neighbours, so nothing blurs, no seam opens between the pieces of a
// nine-piece picture and the shape and the hit test agree to the pixel.
// At whole factors k every logical pixel becomes a k × k block. Integer
// arithmetic only: the results are the same on every processor.

#include <cstdint>

#include "skin/data/geometry.h"
#include "skin/paint/bitmap.h"
#include "skin/paint/region.h"

namespace tessaly::skin {

class DeviceScale {
public:
    // One device pixel per logical pixel.
    DeviceScale() = default;
    // num/den, reduced; factors of 0 or less (or a denominator of 0) count
    // as 1.
    DeviceScale(int num, int den);
    // The factor a window reports (Qt's device pixel ratio), to the nearest
    // eighth: the factors screens use (1.25, 1.5, 1.75, 2 …) are exact.
    static DeviceScale fromRatio(double ratio);

    int num() const { return m_num; }
    int den() const { return m_den; }
    bool isIdentity() const { return m_num == m_den; }
    bool isWhole() const { return m_den == 1; }
    double ratio() const { return double(m_num) / double(m_den); }

    // The device column (or row) where logical column x begins.
    int toDevice(int x) const;
    // The logical column that covers device column d.
    int toLogical(int d) const;
    Rect toDevice(const Rect& r) const;
    Point toLogical(Point devicePoint) const { return {toLogical(devicePoint.x), toLogical(devicePoint.y)}; }

    friend bool operator==(const DeviceScale&, const DeviceScale&) = default;

private:
    int m_num = 1;
    int m_den = 1;
};

// Makes `device` the logical picture at the scale: toDevice(width) ×
// toDevice(height) pixels, each the colour of the logical pixel that covers
// it; the flags (alpha blend, transparent) are copied.
void scaleToDevice(const Bitmap& logical, const DeviceScale& scale, Bitmap& device);
// Scales again only the logical rectangle (clipped to the picture) into a
// device picture already made by scaleToDevice at the same size and scale.
void scaleToDevice(const Bitmap& logical, const Rect& logicalRect, const DeviceScale& scale, Bitmap& device);

// The region's pixels at the scale: every rectangle with its edges mapped.
Region scaleRegion(const Region& region, const DeviceScale& scale);

} // namespace tessaly::skin
