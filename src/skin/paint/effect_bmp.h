#pragma once

#include <cstdint>
#include <vector>

#include "skin/data/geometry.h"
#include "skin/data/skin_types.h"
#include "skin/paint/pixel_view.h"

namespace tessaly::skin {

// A 24-bit image for pixel effects: rows top-down, each row width pixels of
// three bytes (blue, green, red), padded to a multiple of 4 bytes; the
// stride is 3 × width + (width mod 4). Effects that mix pixels work on red,
// green and blue separately and are clamped to 0 … 255. "rounded" means to
// the nearest integer: the mixing effects compute in integers fast enough
// for every animation step, and their results lie within 1 of the exact
// formula (factors are taken in 256ths, halves round up); the blurs are
// exact.
//
// Operations that take a second image of a different size, an empty image,
// a zero amount or a mask smaller than the image leave the image unchanged.
class EffectBmp {
public:
    EffectBmp() = default;
    // A width × height image (black); negative sizes count as 0, and so do
    // sizes of more than 2^28 pixels.
    EffectBmp(int width, int height);
    // The pixels of a 32-bit picture or bitmap (alpha dropped).
    explicit EffectBmp(PixelView source);

    int width() const { return m_width; }
    int height() const { return m_height; }
    int stride() const { return m_stride; }
    // Byte size of the pixel data: stride × height.
    int size() const { return m_stride * m_height; }
    bool isEmpty() const { return m_width == 0 || m_height == 0; }
    uint8_t* bits() { return m_bits.data(); }
    const uint8_t* bits() const { return m_bits.data(); }
    uint8_t* scanLine(int y) { return m_bits.data() + std::size_t(y) * std::size_t(m_stride); }
    const uint8_t* scanLine(int y) const { return m_bits.data() + std::size_t(y) * std::size_t(m_stride); }

    // Copies row y (3 × width bytes) out of / into the image.
    void getScanLine(int y, uint8_t* line) const;
    void setScanLine(int y, const uint8_t* line);

    // Opaque copies into a 32-bit surface, clipped to it: the whole image at
    // (x, y); scaled (nearest neighbour) into (x, y, x + w, y + h); a part.
    void draw(const PixelSurface& target, int x, int y) const;
    void stretch(const PixelSurface& target, int x, int y, int w, int h) const;
    void drawRect(const PixelSurface& target, int x, int y, const Rect& source) const;

    // Cross-fades towards `target` (same size): each pixel becomes
    // rounded((1 − kf) × own + kf × target), kf clamped to 0 … 1.
    void morph(const EffectBmp& target, double kf);
    // The same inside rect only; target row startY + k pairs with row
    // rect.top + k, target column startX + k with column rect.left + k.
    void morphRect(const EffectBmp& target, const Rect& rect, int startY, int startX, double kf);
    // Copies target pixels from (startX, startY) into rect, whose right and
    // bottom edges here are inclusive and limited to width − 1, height − 1.
    void copyRect(const EffectBmp& target, const Rect& rect, int startY, int startX);
    // The target grows from the centre outwards with soft edges.
    void morphHGrad(const EffectBmp& target, double kf);
    void morphVGrad(const EffectBmp& target, double kf);
    // Vertical when the image is higher than wide, else horizontal.
    void morphGrad(const EffectBmp& target, double kf);
    void morphLeftGrad(const EffectBmp& target, double kf);
    void morphRightGrad(const EffectBmp& target, double kf);
    // The target pushes in from the left, moving the image right.
    void morphPush(const EffectBmp& target, double kf);
    // The target slides in from the left / right over the unmoved image.
    void morphLeftSlide(const EffectBmp& target, double kf);
    void morphRightSlide(const EffectBmp& target, double kf);
    // Applies the transition of a morph kind.
    void morphBy(MorphKind kind, const EffectBmp& target, double kf);

    void changeBrightness(double kf);
    void changeDarkness(double kf);
    void invert();
    // Grey value rounded(0.3 × red + 0.59 × green + 0.11 × blue), the
    // weights in 65536ths.
    void grayScale();
    // One random value per pixel in −amount div 2 … amount − 1 − amount div 2,
    // added to all three channels.
    void addMonoNoise(int amount);
    // An independent random value per channel in the same range.
    void addColorNoise(int range);

    // Every pixel becomes the average of four pixels `amount` away
    // diagonally (rows above already blurred); reads beyond the image are
    // kept inside it.
    void splitBlur(int amount);
    // The same average for pixels whose mask pixel is not white.
    void maskBlur(const EffectBmp& mask, int amount);
    // The same average for non-white mask pixels that have a white mask
    // pixel at one of the four places averaged: the shape's edge only.
    void maskAntialiasing(const EffectBmp& mask, int amount);
    // Mixes the colour value (0x00BBGGRR) into non-white mask pixels by kf.
    void maskFillColor(const EffectBmp& mask, Color color, double kf);
    // size × size blocks take the colour of their top-left pixel.
    void mosaic(int size);

    // dest becomes height × width: dest(y, width − 1 − x) = this(x, y).
    void rotate90_1(EffectBmp& dest) const;
    // dest becomes height × width: dest(height − 1 − y, x) = this(x, y).
    void rotate90_2(EffectBmp& dest) const;
    // dest becomes width × height: dest(x, height − 1 − y) = this(x, y).
    void flipVert(EffectBmp& dest) const;
    // Pixel (x, y) takes the pixel at (x + ratio × sin(y / yDiv),
    // y + ratio × sin(x / xDiv)), rounded and kept inside the image.
    void wave(int xDiv, int yDiv, double ratio);
    // Scales this image into dest's size: each pixel fills a block of dest.
    void resize(EffectBmp& dest) const;

private:
    uint8_t* pixel(int x, int y) { return scanLine(y) + 3 * x; }
    const uint8_t* pixel(int x, int y) const { return scanLine(y) + 3 * x; }
    bool sameSize(const EffectBmp& other) const
    {
        return m_width == other.m_width && m_height == other.m_height;
    }
    bool covers(const EffectBmp& mask) const
    {
        return !isEmpty() && mask.m_width >= m_width && mask.m_height >= m_height;
    }
    // The diagonal averaging shared by the blurs; `wanted` picks the pixels.
    // everyPixel says that `wanted` accepts every pixel, so the inside of
    // each row can be averaged as one run.
    template <class Wanted>
    void averageDiagonals(int amount, bool everyPixel, Wanted wanted);
    // Mixes every row with the target, the target's weight per column in
    // 256ths.
    void mixColumns(const EffectBmp& target, const std::vector<uint16_t>& columnWeights);

    int m_width = 0;
    int m_height = 0;
    int m_stride = 0;
    std::vector<uint8_t> m_bits;
};

// The look a window's frame takes when it is inactive and the skin has no
// inactive picture: half way to white, 30 % darker, grey, noisy, blurred
// or inverted.
void applyInActiveEffect(EffectBmp& image, InActiveEffect effect);

} // namespace tessaly::skin
