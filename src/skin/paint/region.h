#pragma once

// Window regions as lists of rectangles, and the regions of mask pictures
// (black pixels belong to the region).

#include <optional>
#include <vector>

#include "skin/data/geometry.h"
#include "skin/paint/compose.h"
#include "skin/paint/pixel_view.h"

namespace tessaly::skin {

// A set of pixels kept as rectangles in canonical banded form: sorted by
// top, then left; rectangles of one band share top and bottom, do not
// overlap or touch; vertically adjacent bands with the same spans are
// merged. Two regions with the same pixels have the same rectangles.
class Region {
public:
    Region() = default;
    explicit Region(const Rect& rect);
    // The region covered by any rectangles (empty ones are ignored).
    static Region fromRects(const std::vector<Rect>& rects);

    bool isEmpty() const { return m_rects.empty(); }
    const std::vector<Rect>& rects() const { return m_rects; }
    Rect boundingRect() const;
    bool contains(int x, int y) const;

    Region united(const Region& other) const;
    void unite(const Region& other) { *this = united(other); }
    void translate(int dx, int dy);

    friend bool operator==(const Region&, const Region&) = default;

private:
    std::vector<Rect> m_rects;
};

// The rectangles of a mask as scanned: one rectangle per maximal run of
// black pixels of a row, rows top to bottom, runs left to right.
struct RegionData {
    Rect bound;
    std::vector<Rect> rects;
};

// The black runs of a mask (red, green and blue all 0; alpha ignored),
// moved by the offset. No data for an empty mask; no limit on the count.
std::optional<RegionData> maskToRegion(PixelView mask, int offsetX, int offsetY);

// The region of a window of width × height drawn from a mask picture with
// the given nine-piece geometry: the new client rectangle united with the
// black pixels of the four mask strips. None when the new cut points are
// crossed, or when there is neither a client rectangle nor a strip.
std::optional<Region> createSkinRegion(PixelView mask, const NineGeometry& cut, const NineGeometry& target,
                                       int width, int height);

// The region of all black pixels of a mask; none for an empty mask.
std::optional<Region> createMaskRegion(PixelView mask);

} // namespace tessaly::skin
