#include "skin/frame/frame_colors.h"

namespace tessaly::skin {

PixelColor framePixel(Color color)
{
    if (!isSystemColor(color))
        return colorFromValue(color);
    // The classic values, as 0x00BBGGRR.
    switch (color & 0xFFu) {
    case 0x05: return colorFromValue(0xFFFFFF); // window
    case 0x08: return colorFromValue(0x000000); // window text
    case 0x0C: return colorFromValue(0xABABAB); // application work space
    case 0x0F: return colorFromValue(0xC0C0C0); // button face
    case 0x10: return colorFromValue(0x808080); // button shadow
    case 0x11: return colorFromValue(0x808080); // grey text
    case 0x12: return colorFromValue(0x000000); // button text
    case 0x14: return colorFromValue(0xFFFFFF); // button highlight
    case 0x15: return colorFromValue(0x000000); // 3-D dark shadow
    case 0x16: return colorFromValue(0xDFDFDF); // 3-D light
    default: return colorFromValue(0xC0C0C0);
    }
}

} // namespace tessaly::skin
