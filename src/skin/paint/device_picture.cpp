#include "skin/paint/device_picture.h"

#include <cmath>
#include <vector>

#include "skin/paint/bitmap_canvas.h"

namespace tessaly::skin {

bool DevicePicture::current(const Bitmap& logical, const DeviceScale& scale) const
{
    return m_source == &logical && m_scale == scale && m_sourceWidth == logical.width() &&
           m_sourceHeight == logical.height() && m_device.alphaBlend() == logical.alphaBlend() &&
           m_device.transparent() == logical.transparent();
}

QImage DevicePicture::deviceImage() const
{
    QImage image = imageOf(m_device);
    image.setDevicePixelRatio(m_scale.ratio());
    return image;
}

QImage DevicePicture::image(const Bitmap& logical, qreal ratio)
{
    const DeviceScale scale = DeviceScale::fromRatio(ratio);
    if (scale.isIdentity())
        return imageOf(logical);
    if (!current(logical, scale) || m_sourceVersion != logical.version()) {
        scaleToDevice(logical, scale, m_device);
        m_scaledPixels += (long long)m_device.width() * m_device.height();
    }
    m_source = &logical;
    m_scale = scale;
    m_sourceVersion = logical.version();
    m_sourceWidth = logical.width();
    m_sourceHeight = logical.height();
    return deviceImage();
}

QImage DevicePicture::image(const Bitmap& logical, qreal ratio, const QRegion& changed)
{
    const DeviceScale scale = DeviceScale::fromRatio(ratio);
    if (scale.isIdentity() || !current(logical, scale))
        return image(logical, ratio);
    if (m_sourceVersion != logical.version()) {
        for (const QRect& r : changed) {
            const Rect part{r.left(), r.top(), r.right() + 1, r.bottom() + 1};
            scaleToDevice(logical, part, scale, m_device);
            const Rect device = scale.toDevice(part);
            m_scaledPixels += (long long)device.width() * device.height();
        }
        m_sourceVersion = logical.version();
    }
    return deviceImage();
}

void drawDevicePicture(QPainter& painter, DevicePicture& cache, const Bitmap& logical,
                       const platform::TextCapture* text)
{
    static const platform::TextRuns none;
    drawDevicePicture(painter, cache, logical, text ? text->runs() : none);
}

void drawDevicePicture(QPainter& painter, DevicePicture& cache, const Bitmap& logical, const platform::TextRuns& text)
{
    QImage image = cache.image(logical, painter.device()->devicePixelRatioF());
    // The image is over the cache's pixels, read-only: drawing on it makes
    // a copy, and the cache stays free of text.
    if (!text.empty())
        text.drawOnto(image);
    painter.drawImage(QPointF(0, 0), image);
}

std::optional<platform::TextCapture> captureTextOnDenseDevice(const Bitmap& face, qreal ratio)
{
    if (face.empty() || DeviceScale::fromRatio(ratio).isIdentity())
        return std::nullopt;
    return std::optional<platform::TextCapture>(std::in_place, face.rowPointer(0));
}

QImage scaledToDevice(const QImage& logical, qreal ratio)
{
    const DeviceScale scale = DeviceScale::fromRatio(ratio);
    if (scale.isIdentity() || logical.isNull())
        return logical;
    const QImage source = logical.depth() == 32 ? logical : logical.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QImage out(scale.toDevice(source.width()), scale.toDevice(source.height()), source.format());
    std::vector<int> columns;
    for (int d = 0; d < out.width(); ++d)
        columns.push_back(scale.toLogical(d));
    for (int y = 0; y < out.height(); ++y) {
        const auto* in = reinterpret_cast<const uint32_t*>(source.constScanLine(scale.toLogical(y)));
        auto* row = reinterpret_cast<uint32_t*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x)
            row[x] = in[columns[std::size_t(x)]];
    }
    out.setDevicePixelRatio(scale.ratio());
    return out;
}

Point logicalPixelAt(double x, double y, qreal ratio)
{
    // Qt divides the device position by the ratio; multiplying back gives
    // the device pixel within rounding error.
    const DeviceScale scale = DeviceScale::fromRatio(ratio);
    return scale.toLogical(Point{int(std::floor(x * ratio + 1e-6)), int(std::floor(y * ratio + 1e-6))});
}

} // namespace tessaly::skin
