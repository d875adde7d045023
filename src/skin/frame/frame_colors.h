#pragma once

#include "skin/data/skin_types.h"
#include "skin/paint/pixel_view.h"

namespace tessaly::skin {

// System colour numbers the frame uses (the low byte of 0xFF0000nn).
inline constexpr Color clBtnFace = 0xFF00000Fu;
inline constexpr Color clBtnShadow = 0xFF000010u;
inline constexpr Color clBtnText = 0xFF000012u;
inline constexpr Color clBtnHighlight = 0xFF000014u;
inline constexpr Color cl3DDkShadow = 0xFF000015u;
inline constexpr Color cl3DLight = 0xFF000016u;

// A colour value (0x00BBGGRR, or a system colour 0xFF0000nn) as an opaque
// pixel. System colours take the classic fixed values.
// Note: a shared system colour table beside the colour type is on its way;
// this local table goes when it lands.
PixelColor framePixel(Color color);

} // namespace tessaly::skin
