#pragma once

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

    int width() const { return right - left; }
    int height() const { return bottom - top; }
    // Empty when the width or the height is 0 or less.
    bool isEmpty() const { return right <= left || bottom <= top; }
    friend bool operator==(const Rect&, const Rect&) = default;
};

} // namespace tessaly::skin
