#pragma once

#include "skin/controls/control_geometry.h"
#include "skin/data/control_records.h"
#include "skin/paint/bitmap.h"

namespace tessaly::skin {

class SkinData;

// The glow image and its mask for a push button of width × height: the
// record's glow pictures grown by the button's growth over the skin
// rectangle (nine pieces cut at the glow offsets, stretched; or three in a
// row for a row-kind record that keeps the skin's size; or as they are for
// a fixed-size record). False when the record has no glow pictures or its
// kind has no glow.
bool composeButtonGlow(const SkinData& skinData, const DataSkinButtonControl& record, ResizeMode mode,
                       bool useSkinSize, int width, int height, Bitmap& image, Bitmap& mask);

} // namespace tessaly::skin
