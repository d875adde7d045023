#pragma once

#include <cstdint>
#include <string>

namespace tessaly::skin {

// A colour value 0x00BBGGRR as skins and records hold it; a value whose top
// byte is 0xFF names a system colour by the number in its low byte
// (0xFF00000F is the button face, see system_colors.h). A type of its own:
// a pixel (PixelColor, 0xAARRGGBB) cannot be passed where a Color is wanted,
// nor the other way round. colorFromValue (skin/paint) makes the pixel.
class Color {
public:
    constexpr Color() = default;
    constexpr explicit Color(uint32_t value) : m_value(value) {}

    constexpr uint32_t value() const { return m_value; }
    // Names a system colour (top byte 0xFF).
    constexpr bool isSystem() const { return (m_value >> 24) == 0xFF; }
    // The number of the system colour it names (meaningful when isSystem()).
    constexpr int systemIndex() const { return int(m_value & 0xFFu); }
    constexpr uint8_t red() const { return uint8_t(m_value); }
    constexpr uint8_t green() const { return uint8_t(m_value >> 8); }
    constexpr uint8_t blue() const { return uint8_t(m_value >> 16); }

    friend constexpr bool operator==(Color, Color) = default;

private:
    uint32_t m_value = 0;
};

constexpr Color rgbColor(uint8_t red, uint8_t green, uint8_t blue)
{
    return Color(uint32_t(red) | (uint32_t(green) << 8) | (uint32_t(blue) << 16));
}

constexpr bool isSystemColor(Color c) { return c.isSystem(); }

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
    Color color;
    int charset = 1;

    friend bool operator==(const Font&, const Font&) = default;
};

} // namespace tessaly::skin
