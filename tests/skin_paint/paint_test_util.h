#pragma once

// Small hand-made pictures for the painting tests.

#include <cstdint>
#include <initializer_list>
#include <utility>
#include <vector>

#include "skin/data/picture.h"
#include "skin/paint/bitmap.h"

namespace tessaly::skin::test {

// A picture whose pixel (x, y) names its own place: opaque, green = y,
// blue = x, so a composed image tells where each pixel came from.
inline Picture numbered(int width, int height)
{
    Picture p(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            p.setPixel(x, y, 0xFF000000u | uint32_t(y) << 8 | uint32_t(x));
    return p;
}

// The source column a numbered pixel came from, or -1 for a pixel never
// written (0).
inline int sourceX(uint32_t pixel) { return pixel == 0 ? -1 : int(pixel & 0xFF); }
inline int sourceY(uint32_t pixel) { return pixel == 0 ? -1 : int((pixel >> 8) & 0xFF); }

inline std::vector<int> sourceColumns(const Bitmap& b, int y)
{
    std::vector<int> out;
    for (int x = 0; x < b.width(); ++x)
        out.push_back(sourceX(b.getPixel(x, y)));
    return out;
}

inline std::vector<int> sourceRows(const Bitmap& b, int x)
{
    std::vector<int> out;
    for (int y = 0; y < b.height(); ++y)
        out.push_back(sourceY(b.getPixel(x, y)));
    return out;
}

// A picture from rows of pixels.
inline Picture pictureOf(std::initializer_list<std::initializer_list<uint32_t>> rows)
{
    const int h = int(rows.size());
    const int w = h ? int(rows.begin()->size()) : 0;
    Picture p(w, h);
    int y = 0;
    for (const auto& row : rows) {
        int x = 0;
        for (uint32_t v : row)
            p.setPixel(x++, y, v);
        ++y;
    }
    return p;
}

inline Bitmap bitmapOf(const Picture& picture)
{
    Bitmap b;
    b.assign(pixelView(picture));
    return b;
}

} // namespace tessaly::skin::test
