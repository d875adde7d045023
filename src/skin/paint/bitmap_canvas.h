#pragma once

// The Qt side of skin painting: canvases over our bitmaps, images and
// regions for windows, and the fonts of skin records.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QRegion>

#include "platform/qt_canvas.h"
#include "skin/data/skin_types.h"
#include "skin/paint/bitmap.h"
#include "skin/paint/region.h"

namespace tessaly::skin {

// A canvas that draws into the bitmap's own pixels. It stays valid until
// the bitmap is resized or destroyed; an empty bitmap gives a canvas that
// draws nothing.
platform::QtCanvas canvasOf(Bitmap& bitmap);

// The pixels a canvas draws into, for bitmap-to-canvas draws.
PixelSurface surfaceOf(platform::QtCanvas& canvas);

// An image over the bitmap's pixels for drawing on a window with QPainter:
// straight alpha when the bitmap blends, opaque otherwise. For a bitmap
// with transparent set, an image over its keyed view (key-colour pixels
// transparent), converted once and kept until the pixels change. Every
// form is valid until the bitmap changes or is destroyed.
QImage imageOf(const Bitmap& bitmap);

// A colour value as Qt's colour, system colours resolved (opaque).
QColor qColorOf(Color color);

// The region as a QRegion for QWidget::setMask.
QRegion toQRegion(const Region& region);

// The installed font that stands in for a skin font: mapped family, the
// height convention of the skin (negative: character height, positive:
// cell height), and the style.
QFont fontOf(const Font& font);

} // namespace tessaly::skin
