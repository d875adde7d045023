#pragma once

#include "skin_design.h"

#include "skin/data/dib_bitmap.h"
#include "skin/data/picture.h"
#include "skin/paint/pixel_view.h"

#include <QImage>

namespace skinart {

// The bridge between the drawing (QImage) and the program's own pictures,
// bitmap codec and composition.

// The pixels of an image as a skin picture (0xAARRGGBB, alpha kept).
tessaly::skin::Picture pictureOf(const QImage& image);
// A copy of 32-bit pixels as an image with alpha.
QImage imageOf(tessaly::skin::PixelView pixels);

// A drawn picture in the form its file is stored in: 24 bits for opaque
// pictures, 32 bits with alpha, an 8-bit grey scale for soft masks (the grey
// level is the opacity), and 4-bit black and white for shape masks (black is
// inside). Every file is bottom-up and uncompressed with an info header
// stating 72 dpi.
tessaly::skin::DibBitmap bitmapOf(const SkinPicture& picture);

} // namespace skinart
