#include "skin/data/system_colors.h"

#include <array>

namespace tessaly::skin {

namespace {

// The classic scheme, indexed by the system colour's number.
constexpr std::array<Color, 31> kClassic = {
    rgbColor(212, 208, 200), // 0 scroll bar
    rgbColor(58, 110, 165),  // 1 desktop background
    rgbColor(10, 36, 106),   // 2 active caption
    rgbColor(128, 128, 128), // 3 inactive caption
    rgbColor(212, 208, 200), // 4 menu
    rgbColor(255, 255, 255), // 5 window
    rgbColor(0, 0, 0),       // 6 window frame
    rgbColor(0, 0, 0),       // 7 menu text
    rgbColor(0, 0, 0),       // 8 window text
    rgbColor(255, 255, 255), // 9 caption text
    rgbColor(212, 208, 200), // 10 active border
    rgbColor(212, 208, 200), // 11 inactive border
    rgbColor(128, 128, 128), // 12 application work space
    rgbColor(10, 36, 106),   // 13 highlight
    rgbColor(255, 255, 255), // 14 highlight text
    rgbColor(212, 208, 200), // 15 button face
    rgbColor(128, 128, 128), // 16 button shadow
    rgbColor(128, 128, 128), // 17 grey text
    rgbColor(0, 0, 0),       // 18 button text
    rgbColor(212, 208, 200), // 19 inactive caption text
    rgbColor(255, 255, 255), // 20 button highlight
    rgbColor(64, 64, 64),    // 21 3-D dark shadow
    rgbColor(212, 208, 200), // 22 3-D light
    rgbColor(0, 0, 0),       // 23 tooltip text
    rgbColor(255, 255, 225), // 24 tooltip background
    rgbColor(0, 0, 0),       // 25 (no colour)
    rgbColor(0, 0, 128),     // 26 hot-tracked item
    rgbColor(166, 202, 240), // 27 gradient of the active caption
    rgbColor(192, 192, 192), // 28 gradient of the inactive caption
    rgbColor(10, 36, 106),   // 29 highlighted menu item
    rgbColor(212, 208, 200), // 30 menu bar
};

} // namespace

Color systemColor(int index)
{
    if (index < 0 || index >= int(kClassic.size()))
        return Color(0);
    return kClassic[std::size_t(index)];
}

} // namespace tessaly::skin
