#pragma once

// A composed picture (a frame, a control's face, a menu) on a dense screen:
// the logical picture scaled to the device's pixels by the rule of
// device_scale.h, with Qt's device pixel ratio set, so that Qt draws it
// pixel for pixel instead of magnifying it again. At a factor of 1 the
// picture is the logical bitmap itself.

#include <QImage>
#include <QPainter>
#include <QRegion>
#include <optional>

#include "platform/qt_canvas.h"
#include "skin/paint/bitmap.h"
#include "skin/paint/device_scale.h"

namespace tessaly::skin {

class DevicePicture {
public:
    // The picture of `logical` for a paint device of the ratio. The device
    // pixels are made again only when the bitmap, its size or the ratio
    // changed since the last call; valid until the next call or until the
    // bitmap changes.
    QImage image(const Bitmap& logical, qreal ratio);
    // The same when only the parts of the bitmap under `changed` (logical
    // coordinates) can have changed since the last call: a window that
    // repaints one caption button scales that button again, not the window.
    QImage image(const Bitmap& logical, qreal ratio, const QRegion& changed);

    // Device pixels made so far, in whole pictures or in parts.
    long long scaledPixels() const { return m_scaledPixels; }

private:
    bool current(const Bitmap& logical, const DeviceScale& scale) const;
    QImage deviceImage() const;

    Bitmap m_device;
    DeviceScale m_scale;
    const Bitmap* m_source = nullptr;
    uint64_t m_sourceVersion = 0;
    int m_sourceWidth = 0;
    int m_sourceHeight = 0;
    long long m_scaledPixels = 0;
};

// Draws the picture of `logical` with its top-left corner at the painter's
// origin, at the resolution of the painter's device; text captured while
// the picture was drawn (see platform::TextCapture) goes over it at that
// resolution.
void drawDevicePicture(QPainter& painter, DevicePicture& cache, const Bitmap& logical,
                       const platform::TextCapture* text = nullptr);
// The same with text kept aside from pictures drawn into `logical` (menu
// items, a frame's caption).
void drawDevicePicture(QPainter& painter, DevicePicture& cache, const Bitmap& logical, const platform::TextRuns& text);

// A capture of the text drawn into `face` on a dense device, none at a
// ratio of 1 (text is then drawn into the picture as always). Take it after
// the face has its size, before drawing it.
std::optional<platform::TextCapture> captureTextOnDenseDevice(const Bitmap& face, qreal ratio);

// A picture made elsewhere (logical pixels) scaled to the ratio by the same
// rule, with the ratio set; the image itself at a ratio of 1.
QImage scaledToDevice(const QImage& logical, qreal ratio);

// The pixel of a window under a pointer position given in logical
// coordinates (as Qt reports it) on a paint device of the ratio: the device
// pixel under the pointer, then the logical pixel that covers it, so that
// hit tests agree with shapes and pictures scaled by device_scale.h.
Point logicalPixelAt(double x, double y, qreal ratio);

} // namespace tessaly::skin
