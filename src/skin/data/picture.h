#pragma once

#include <cstdint>
#include <vector>

namespace tessaly::skin {

// A decoded skin picture: 32-bit pixels 0xAARRGGBB (bytes in memory blue,
// green, red, alpha), rows top-down, no padding between rows.
// Pictures stored without an alpha channel decode with alpha 0xFF.
class Picture {
public:
    Picture() = default;
    Picture(int width, int height)
        : m_width(width > 0 && height > 0 ? width : 0)
        , m_height(width > 0 && height > 0 ? height : 0)
        , m_pixels(std::size_t(m_width) * std::size_t(m_height), 0u)
    {
    }

    int width() const { return m_width; }
    int height() const { return m_height; }
    bool isEmpty() const { return m_width == 0 || m_height == 0; }

    uint32_t* scanLine(int y) { return m_pixels.data() + std::size_t(y) * std::size_t(m_width); }
    const uint32_t* scanLine(int y) const { return m_pixels.data() + std::size_t(y) * std::size_t(m_width); }
    uint32_t pixel(int x, int y) const { return scanLine(y)[x]; }
    void setPixel(int x, int y, uint32_t color) { scanLine(y)[x] = color; }

    std::vector<uint32_t>& pixels() { return m_pixels; }
    const std::vector<uint32_t>& pixels() const { return m_pixels; }

private:
    int m_width = 0;
    int m_height = 0;
    std::vector<uint32_t> m_pixels;
};

} // namespace tessaly::skin
