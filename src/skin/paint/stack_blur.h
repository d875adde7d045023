#pragma once

// Whole-bitmap effects on 32-bit bitmaps: the stack blur used for glows and
// blurred covers, and alpha taken from a mask picture.

#include "skin/paint/bitmap.h"

namespace tessaly::skin {

// Stack blur of red, green and blue: a horizontal pass over all rows, then
// a vertical pass over all columns, each a triangle of weights
// radius + 1 − |k| for k = −radius … radius divided (rounding down) by
// (radius + 1)²; edge pixels repeat beyond the borders. Running sums keep
// the cost independent of the radius. The result is opaque. Nothing for a
// radius of 0 or less; radii above 254 count as 254.
void stackBlur(Bitmap& bitmap, int radius);

// Every pixel's alpha becomes (red + green + blue) / 3 of the mask pixel at
// the same place (a white mask gives 255, black 0). Nothing when the mask is
// smaller than the bitmap.
void alphaFromMask(Bitmap& bitmap, PixelView mask);

} // namespace tessaly::skin
