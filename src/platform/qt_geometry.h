#pragma once

// The one place where the skin's rectangles and points meet Qt's. A skin
// rectangle's right and bottom are exclusive; QRect's are inclusive, which
// is why nothing else should convert by hand.

#include <QPoint>
#include <QRect>
#include <algorithm>

#include "skin/data/geometry.h"

namespace tessaly::platform {

// An empty rectangle (right <= left) becomes an empty QRect at its corner,
// never one with a negative size.
inline QRect toQRect(const skin::Rect& r)
{
    return QRect(r.left, r.top, std::max(0, r.width()), std::max(0, r.height()));
}

inline skin::Rect toRect(const QRect& r) { return {r.x(), r.y(), r.x() + r.width(), r.y() + r.height()}; }

inline QPoint toQPoint(skin::Point p) { return QPoint(p.x, p.y); }
inline skin::Point toPoint(const QPoint& p) { return {p.x(), p.y()}; }

} // namespace tessaly::platform
