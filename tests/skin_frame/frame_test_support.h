#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "skin/data/compressed_stored_skin.h"
#include "skin/data/skin_data.h"
#include "skin/embedded_pewter.h"
#include "skin/paint/bitmap.h"
#include "skin/paint/effect_bmp.h"
#include "skin/data/picture.h"

namespace frametest {

// A registry with a built-in skin loaded.
inline std::unique_ptr<tessaly::skin::SkinData> loaded(std::span<const std::uint8_t> bytes)
{
    auto sd = std::make_unique<tessaly::skin::SkinData>();
    tessaly::skin::CompressedStoredSkin stored;
    stored.loadFromCompressBytes(bytes);
    sd->loadCompressedStoredSkin(stored);
    return sd;
}

// The program's skin.
inline std::unique_ptr<tessaly::skin::SkinData> pewter() { return loaded(tessaly::skin::embedded_pewter()); }

// The pixels of a rectangle, row by row, as opaque colours (the frame's
// pictures carry no meaningful alpha).
inline std::vector<std::uint32_t> pixelsOf(const tessaly::skin::Bitmap& b, const tessaly::skin::Rect& r)
{
    std::vector<std::uint32_t> out;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            out.push_back(b.getPixel(x, y) | 0xFF000000u);
    return out;
}

inline std::vector<std::uint32_t> pixelsOf(const tessaly::skin::Picture& p, const tessaly::skin::Rect& r)
{
    std::vector<std::uint32_t> out;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            out.push_back(p.pixel(x, y) | 0xFF000000u);
    return out;
}

inline std::vector<std::uint32_t> pixelsOf(const tessaly::skin::EffectBmp& e, const tessaly::skin::Rect& r)
{
    tessaly::skin::Bitmap b(e.width(), e.height());
    e.draw(b.surface(), 0, 0);
    return pixelsOf(b, r);
}

} // namespace frametest
