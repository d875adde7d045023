#pragma once

// Small rectangle helpers shared by the painting code (internal).

#include <algorithm>

#include "skin/data/geometry.h"

namespace tessaly::skin::px {

inline int width(const Rect& r) { return r.right - r.left; }
inline int height(const Rect& r) { return r.bottom - r.top; }
inline bool isEmpty(const Rect& r) { return r.right <= r.left || r.bottom <= r.top; }
inline Rect make(int left, int top, int right, int bottom)
{
    Rect r;
    r.left = left;
    r.top = top;
    r.right = right;
    r.bottom = bottom;
    return r;
}
inline Rect intersect(const Rect& a, const Rect& b)
{
    return make(std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                std::min(a.bottom, b.bottom));
}
inline Rect sized(int width, int height) { return make(0, 0, width, height); }
inline Rect offset(const Rect& r, int dx, int dy)
{
    return make(r.left + dx, r.top + dy, r.right + dx, r.bottom + dy);
}
inline bool contains(const Rect& outer, const Rect& inner)
{
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

} // namespace tessaly::skin::px
