#pragma once

#include <algorithm>

namespace tessaly::skin {

// A point in pixels. Skin descriptions use (0, 0) for "not set": a point is
// unset as soon as either coordinate is 0.
struct Point {
    int x = 0;
    int y = 0;

    bool isUnset() const { return x == 0 || y == 0; }
    friend bool operator==(const Point&, const Point&) = default;
};

// A rectangle in pixels; right and bottom are exclusive.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    // The rectangle (0, 0, width, height).
    static constexpr Rect sized(int width, int height) { return {0, 0, width, height}; }

    constexpr int width() const { return right - left; }
    constexpr int height() const { return bottom - top; }
    // Empty when the width or the height is 0 or less.
    constexpr bool isEmpty() const { return right <= left || bottom <= top; }

    // The pixel (x, y) lies inside.
    constexpr bool contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    constexpr bool contains(Point p) const { return contains(p.x, p.y); }
    // `inner` lies wholly inside (an empty `inner` as well, wherever its
    // corners are, only when they are inside too: callers test the corners
    // of source rectangles this way).
    constexpr bool contains(const Rect& inner) const
    {
        return inner.left >= left && inner.top >= top && inner.right <= right && inner.bottom <= bottom;
    }
    constexpr Rect translated(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
    // The common part; empty (possibly with right < left) when they do not
    // meet.
    constexpr Rect intersected(const Rect& other) const
    {
        return {std::max(left, other.left), std::max(top, other.top), std::min(right, other.right),
                std::min(bottom, other.bottom)};
    }

    friend bool operator==(const Rect&, const Rect&) = default;
};

} // namespace tessaly::skin
