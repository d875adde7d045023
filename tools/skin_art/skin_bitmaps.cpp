#include "skin_bitmaps.h"

#include <cstring>
#include <stdexcept>

namespace skinart {

using tessaly::skin::DibBitmap;
using tessaly::skin::DibFormat;
using tessaly::skin::Picture;

namespace {

// 72 dots per inch, the resolution the skin's files have always stated.
constexpr int kPixelsPerMeter = 2835;

DibFormat formatOf(BmpKind kind)
{
    DibFormat format;
    format.pixelsPerMeterX = format.pixelsPerMeterY = kPixelsPerMeter;
    switch (kind) {
    case BmpKind::Colour24: format.bitsPerPixel = 24; break;
    case BmpKind::Alpha32: format.bitsPerPixel = 32; break;
    case BmpKind::Grey8:
        format.bitsPerPixel = 8;
        for (uint32_t i = 0; i < 256; ++i)
            format.palette.push_back(i | (i << 8) | (i << 16));
        format.countsFullTable = true;
        break;
    case BmpKind::Mask4:
        // Black and white first; the other entries stay unused (black).
        format.bitsPerPixel = 4;
        format.palette.assign(16, 0);
        format.palette[1] = 0x00FFFFFF;
        format.countsFullTable = true;
        break;
    }
    return format;
}

// Soft masks keep the grey level, shape masks only which side of half grey
// a pixel lies on.
uint32_t maskPixel(BmpKind kind, QRgb pixel)
{
    const int grey = qGray(pixel);
    const uint32_t level = kind == BmpKind::Mask4 ? (grey >= 128 ? 255u : 0u) : uint32_t(grey);
    return 0xFF000000u | level << 16 | level << 8 | level;
}

} // namespace

Picture pictureOf(const QImage& source)
{
    // A premultiplied picture would need Qt's conversion, whose rounding
    // may depend on the processor; the art only makes plain ARGB32.
    if (source.format() != QImage::Format_ARGB32)
        throw std::invalid_argument("pictureOf: picture not in plain ARGB32");
    const QImage& image = source;
    Picture picture(image.width(), image.height());
    for (int y = 0; y < picture.height(); ++y)
        std::memcpy(picture.scanLine(y), image.constScanLine(y), std::size_t(picture.width()) * 4);
    return picture;
}

QImage imageOf(tessaly::skin::PixelView pixels)
{
    if (pixels.isEmpty())
        return QImage();
    QImage image(pixels.width, pixels.height, QImage::Format_ARGB32);
    for (int y = 0; y < pixels.height; ++y)
        std::memcpy(image.scanLine(y), pixels.row(y), std::size_t(pixels.width) * 4);
    return image;
}

DibBitmap bitmapOf(const SkinPicture& drawn)
{
    Picture picture = pictureOf(drawn.image);
    if (drawn.kind == BmpKind::Grey8 || drawn.kind == BmpKind::Mask4) {
        for (uint32_t& pixel : picture.pixels())
            pixel = maskPixel(drawn.kind, pixel);
    } else if (drawn.kind == BmpKind::Colour24) {
        for (uint32_t& pixel : picture.pixels())
            pixel |= 0xFF000000u;
    }
    return DibBitmap(std::move(picture), formatOf(drawn.kind));
}

} // namespace skinart
