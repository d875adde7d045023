#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "skin/data/geometry.h"
#include "skin/paint/pixel_view.h"

namespace tessaly::skin {

// A 32-bit bitmap with per-pixel alpha: width × height pixels, rows
// top-down, 4 × width bytes per row, no padding. The pixels live in our own
// memory; canvases (text drawing) and window blits wrap the same memory.
//
// Draws onto another bitmap follow the flags of the source bitmap:
// alphaBlend blends with the source pixel's alpha, transparent skips pixels
// of the key colour, neither replaces.
class Bitmap {
public:
    Bitmap() = default;
    Bitmap(int width, int height);
    Bitmap(const Bitmap& other) { assign(other); }
    Bitmap& operator=(const Bitmap& other);
    // A bitmap moved from is empty.
    Bitmap(Bitmap&& other) noexcept { swap(other); }
    Bitmap& operator=(Bitmap&& other) noexcept
    {
        Bitmap taken(std::move(other));
        swap(taken);
        return *this;
    }
    void swap(Bitmap& other) noexcept;

    // Negative sizes count as their absolute values. A width or height of
    // 0, or the current size, changes nothing; otherwise the bitmap takes
    // the new size with every pixel 0. The memory is kept when it is large
    // enough (and not far too large), so resizing a window does not
    // allocate on every step. Throws Error("Can't allocate the DIB handle")
    // when the memory cannot be had; the bitmap is then empty.
    void setSize(int width, int height);
    // As setSize, but the pixels are left undefined after a change of size:
    // for callers that write every pixel anyway.
    void setSizeForOverwrite(int width, int height);
    // Releases the pixels: the bitmap becomes empty (0 × 0).
    void clear();

    bool empty() const { return m_width == 0; }
    int width() const { return m_width; }
    int height() const { return m_height; }

    const std::string& name() const { return m_name; }
    void setName(std::string name) { m_name = std::move(name); }
    bool alphaBlend() const { return m_alphaBlend; }
    void setAlphaBlend(bool on) { m_alphaBlend = on; }
    bool transparent() const { return m_transparent; }
    void setTransparent(bool on) { m_transparent = on; }
    bool newFormat() const { return m_newFormat; }
    void setNewFormat(bool on) { m_newFormat = on; }

    // Same size and pixels as the source; name and flags copied too.
    void assign(const Bitmap& source);
    // Same size as a 32-bit picture, pixels copied with their alpha, then
    // checkingAlphaBlend().
    void assign(PixelView source);
    // Makes the destination the same size and draws this bitmap onto it at
    // (0, 0) with this bitmap's flags.
    void assignTo(Bitmap& dest) const;

    // Sets the alpha byte of every pixel.
    void setAlpha(uint8_t alpha);
    // alphaBlend becomes true exactly when some alpha lies strictly between
    // 0 and 255.
    void checkingAlphaBlend();
    // Pixels whose red, green and blue each differ from the colour's by less
    // than 6 become the key colour; transparent tells whether any did.
    void checkingTransparent(PixelColor color);
    // Lowers red, green and blue of every pixel to at most its alpha.
    void checkRGBA();
    // Fills the rectangle clipped to the bitmap: blended with the colour's
    // alpha when alphaBlend is set, replaced otherwise.
    void fillRect(const Rect& rect, PixelColor color);
    // Stretches a picture into the rectangle (nearest neighbour) over a
    // magenta work image and writes every work pixel that is not exactly
    // magenta.
    void drawGraphic(PixelView graphic, const Rect& dstRect);

    // Draws onto another bitmap or surface. Missing rectangles default to
    // the whole bitmap and to the source size at the position.
    void draw(Bitmap& target, int x, int y) const;
    void draw(Bitmap& target, int x, int y, const Rect& srcRect) const;
    void draw(Bitmap& target, const Rect& dstRect) const;
    void draw(Bitmap& target, const Rect& dstRect, const Rect& srcRect) const;
    void draw(const PixelSurface& target, int x, int y) const;
    void draw(const PixelSurface& target, int x, int y, const Rect& srcRect) const;
    void draw(const PixelSurface& target, const Rect& dstRect) const;
    void draw(const PixelSurface& target, const Rect& dstRect, const Rect& srcRect) const;

    // Addresses into the pixel store; unchecked. The writable forms count
    // as a change of the pixels (see keyedView).
    uint32_t* rowPointer(int y)
    {
        changed();
        return m_bits.get() + std::size_t(y) * std::size_t(m_width);
    }
    const uint32_t* rowPointer(int y) const { return m_bits.get() + std::size_t(y) * std::size_t(m_width); }
    uint32_t* pixelPointer(int x, int y) { return rowPointer(y) + x; }
    const uint32_t* pixelPointer(int x, int y) const { return rowPointer(y) + x; }

    // The pixel, or 0 when the bitmap is empty or the point lies outside.
    PixelColor getPixel(int x, int y) const;
    // Writes the pixel when the point lies inside.
    void setPixel(int x, int y, PixelColor color);

    PixelView view() const;
    // Writable pixels; taking them counts as a change (see keyedView).
    PixelSurface surface();

    // The pixels as they show when the bitmap is drawn with transparent
    // set: key-colour pixels 0 (fully transparent), every other pixel
    // opaque. Made on first use and kept until the pixels change, so a
    // key-colour picture painted again and again is converted once. Changes
    // made through a surface, canvas or row pointer taken before the last
    // call are not noticed: call markChanged() after such writes.
    PixelView keyedView() const;
    void markChanged() { changed(); }
    // Counts changes of the pixels (and of the size): pictures made from
    // this bitmap compare it to know whether they are still current.
    uint64_t version() const { return m_version; }

private:
    void changed() { ++m_version; }
    // Makes room for width × height pixels; the contents are undefined.
    void reserveSize(long long width, long long height);
    std::size_t pixelCount() const { return std::size_t(m_width) * std::size_t(m_height); }

    std::unique_ptr<uint32_t[]> m_bits;
    std::size_t m_capacity = 0; // pixels m_bits can hold
    uint64_t m_version = 0;     // counts changes of the pixels
    mutable std::vector<uint32_t> m_keyed;
    mutable uint64_t m_keyedVersion = ~uint64_t(0);
    int m_width = 0;
    int m_height = 0;
    std::string m_name;
    bool m_alphaBlend = false;
    bool m_transparent = false;
    bool m_newFormat = false;
};

// How a source pixel meets a target pixel.
enum class DrawMode { Copy, Transparent, AlphaBlend };

// Bitmap-to-surface draw of the source rectangle of `source` into the
// destination rectangle (clipped to the target). Nothing is drawn when the
// source rectangle is empty or not inside the source. Scaled draws map
// destination column x to source column
// (x − dst.left) × (srcWidth − 1) div (dstWidth − 1) + src.left
// (the middle column when the destination is narrower than 2); rows alike.
void drawPixels(PixelView source, const Rect& srcRect, const PixelSurface& target, const Rect& dstRect,
                DrawMode mode);

// The blend of one channel: (d × (256 − a) + s × a) div 256, on one value
// or on lanes of 16-bit values (the result never exceeds 255 × 256).
template <class Lane>
constexpr Lane blendChannel(Lane d, Lane s, Lane a)
{
    return (d * (256 - a) + s * a) >> 8;
}

// One pixel blended over another: alpha 0 keeps the target, 255 replaces it,
// otherwise every byte is blended with the source's alpha.
constexpr uint32_t blendPixel(uint32_t d, uint32_t s)
{
    const uint32_t a = s >> 24;
    if (a == 0)
        return d;
    if (a == 255)
        return s;
    uint32_t out = 0;
    for (int shift = 0; shift < 32; shift += 8)
        out |= blendChannel((d >> shift) & 0xFFu, (s >> shift) & 0xFFu, a) << shift;
    return out;
}

// Blends `count` source pixels over the target pixels: the same results as
// blendPixel, several pixels at a time.
void blendRow(uint32_t* target, const uint32_t* source, int count);

} // namespace tessaly::skin
