#include "skin/paint/bitmap_canvas.h"

#include "platform/qt_fonts.h"
#include "platform/qt_region.h"

namespace tessaly::skin {

platform::QtCanvas canvasOf(Bitmap& bitmap)
{
    const PixelSurface s = bitmap.surface();
    return platform::QtCanvas(s.bits, s.width, s.height, qsizetype(s.stride) * 4);
}

PixelSurface surfaceOf(platform::QtCanvas& canvas)
{
    if (canvas.bits() == nullptr)
        return {};
    return {canvas.bits(), canvas.width(), canvas.height(), std::ptrdiff_t(canvas.strideBytes() / 4)};
}

QImage imageOf(const Bitmap& bitmap)
{
    if (bitmap.empty())
        return {};
    const auto* bits = reinterpret_cast<const uchar*>(bitmap.rowPointer(0));
    const qsizetype stride = qsizetype(bitmap.width()) * 4;
    if (bitmap.alphaBlend())
        return QImage(bits, bitmap.width(), bitmap.height(), stride, QImage::Format_ARGB32);
    if (!bitmap.transparent())
        return QImage(bits, bitmap.width(), bitmap.height(), stride, QImage::Format_RGB32);
    // The converted pixels are kept by the bitmap until it changes.
    const PixelView keyed = bitmap.keyedView();
    return QImage(reinterpret_cast<const uchar*>(keyed.bits), keyed.width, keyed.height, stride,
                  QImage::Format_ARGB32);
}

QColor qColorOf(Color color) { return QColor::fromRgb(colorFromValue(color)); }

QRegion toQRegion(const Region& region) { return platform::toQRegion(region.rects()); }

QFont fontOf(const Font& font)
{
    QFont result = platform::fontForHeight(QString::fromStdString(font.name), font.height);
    result.setBold(font.style.bold);
    result.setItalic(font.style.italic);
    result.setUnderline(font.style.underline);
    result.setStrikeOut(font.style.strikeOut);
    return result;
}

} // namespace tessaly::skin
