#pragma once

#include <cstddef>
#include <cstdint>

#include "skin/data/picture.h"
#include "skin/data/skin_types.h"
#include "skin/data/system_colors.h"

namespace tessaly::skin {

// A 32-bit pixel 0xAARRGGBB: bytes in memory blue, green, red, alpha.
using PixelColor = uint32_t;

// The colour that transparent draws skip: red 127, green 0, blue 127, alpha 0.
inline constexpr PixelColor keyColor = 0x007F007Fu;

// A colour value (0x00BBGGRR, or a system colour) as an opaque pixel
// 0xFFRRGGBB: system colours are resolved first (system_colors.h).
inline PixelColor colorFromValue(Color color)
{
    const uint32_t value = resolveColor(color).value();
    return 0xFF000000u | ((value & 0xFFu) << 16) | (value & 0xFF00u) | ((value >> 16) & 0xFFu);
}

constexpr uint8_t blueOf(PixelColor c) { return uint8_t(c); }
constexpr uint8_t greenOf(PixelColor c) { return uint8_t(c >> 8); }
constexpr uint8_t redOf(PixelColor c) { return uint8_t(c >> 16); }
constexpr uint8_t alphaOf(PixelColor c) { return uint8_t(c >> 24); }
constexpr PixelColor makeColor(uint8_t a, uint8_t r, uint8_t g, uint8_t b)
{
    return (PixelColor(a) << 24) | (PixelColor(r) << 16) | (PixelColor(g) << 8) | PixelColor(b);
}

// Read-only access to 32-bit pixels, rows top-down, `stride` pixels apart.
// Pictures of the registry and our own bitmaps both give one, so every
// drawing operation takes either.
struct PixelView {
    const uint32_t* bits = nullptr;
    int width = 0;
    int height = 0;
    std::ptrdiff_t stride = 0;

    bool isEmpty() const { return bits == nullptr || width <= 0 || height <= 0; }
    const uint32_t* row(int y) const { return bits + std::ptrdiff_t(y) * stride; }
    uint32_t pixel(int x, int y) const { return row(y)[x]; }
};

// Writable 32-bit pixels: a bitmap or memory a canvas draws into.
struct PixelSurface {
    uint32_t* bits = nullptr;
    int width = 0;
    int height = 0;
    std::ptrdiff_t stride = 0;

    bool isEmpty() const { return bits == nullptr || width <= 0 || height <= 0; }
    uint32_t* row(int y) const { return bits + std::ptrdiff_t(y) * stride; }
    operator PixelView() const { return {bits, width, height, stride}; }
};

inline PixelView pixelView(const Picture& picture)
{
    if (picture.isEmpty())
        return {};
    return {picture.pixels().data(), picture.width(), picture.height(), picture.width()};
}

} // namespace tessaly::skin
