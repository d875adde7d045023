#pragma once

// Colour values of menus and hints as pixels. A colour value whose top byte
// is 0xFF names a system colour; menus resolve those from a fixed table of
// the classic values here, until the skin data offers one shared table.

#include "skin/data/skin_types.h"
#include "skin/paint/pixel_view.h"

namespace tessaly::skin::menu_colors {

// System colour numbers used by the built-in looks.
inline constexpr Color window = 0xFF000005u;
inline constexpr Color windowText = 0xFF000008u;
inline constexpr Color btnFace = 0xFF00000Fu;
inline constexpr Color btnShadow = 0xFF000010u;
inline constexpr Color btnText = 0xFF000012u;
inline constexpr Color btnHighlight = 0xFF000014u;
inline constexpr Color infoText = 0xFF000017u;
inline constexpr Color infoBk = 0xFF000018u;

// The opaque pixel of a colour value (system colours resolved).
PixelColor pixel(Color value);

} // namespace tessaly::skin::menu_colors
