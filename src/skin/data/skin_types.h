#pragma once

#include <cstdint>
#include <string>

namespace tessaly::skin {

// A colour value 0x00BBGGRR; a value whose top byte is 0xFF names a system
// colour by the number in its low byte (0xFF00000F is the button face).
using Color = uint32_t;

constexpr bool isSystemColor(Color c) { return (c >> 24) == 0xFF; }

// How the client piece of a nine-piece image is laid out.
enum class StretchType { Full, Horz, Vert };

// How the inactive frame image is derived from the active one.
enum class InActiveEffect { Brightness, Darkness, GrayScale, Noise, SplitBlur, Invert };

// The transition of a cross-fade between two images.
enum class MorphKind { Default, Gradient, LeftGradient, RightGradient, LeftSlide, RightSlide, Push };

// Horizontal text alignment.
enum class Alignment { LeftJustify, RightJustify, Center };

// The command of a caption button.
enum class StdCommand { Close, Maximize, Minimize, SysMenu, Default, RollUp, MinimizeToTray };

struct FontStyle {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;

    bool isNone() const { return !bold && !italic && !underline && !strikeOut; }
    friend bool operator==(const FontStyle&, const FontStyle&) = default;
};

// A font as the skin and the windows describe it. A negative height is a
// character height, a positive one a cell height, both in pixels.
struct Font {
    std::string name = "Arial";
    int height = 14;
    FontStyle style;
    Color color = 0;
    int charset = 1;

    friend bool operator==(const Font&, const Font&) = default;
};

} // namespace tessaly::skin
