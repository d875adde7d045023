#pragma once

#include <QRect>
#include <QRegion>
#include <vector>

namespace tessaly::platform {

// A QRegion from rectangles given as left, top, right, bottom (right and
// bottom exclusive) that are already in banded form: sorted by top, then
// left; rectangles of a band share top and bottom and neither overlap nor
// touch. The rectangles are taken as they are, without re-uniting them.
QRegion regionFromBands(const std::vector<QRect>& bands);

// The same for any range of rectangle records with left, top, right and
// bottom members (the skin's region rectangles).
template <class Rects>
QRegion toQRegion(const Rects& rects)
{
    std::vector<QRect> bands;
    bands.reserve(rects.size());
    for (const auto& r : rects)
        bands.emplace_back(QPoint(r.left, r.top), QSize(r.right - r.left, r.bottom - r.top));
    return regionFromBands(bands);
}

} // namespace tessaly::platform
