#pragma once

// One-pixel lines and outlines in an opaque colour, as glyphs, menu marks
// and the default frame draw them.

#include "skin/data/geometry.h"
#include "skin/paint/pixel_view.h"

namespace tessaly::skin {

// The pen line from (x0, y0) towards (x1, y1), its end point left out so
// that lines joined end to start draw each pixel once. Clipped to the
// target.
void drawLine(const PixelSurface& target, int x0, int y0, int x1, int y1, PixelColor color);

// The one-pixel outline just inside `r` (right and bottom exclusive).
// Clipped to the target.
void drawOutline(const PixelSurface& target, const Rect& r, PixelColor color);

} // namespace tessaly::skin
