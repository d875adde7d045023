#pragma once

#include "skin/data/skin_types.h"

namespace tessaly::skin {

// The numbered system colours a colour value can name (0xFF000000 | number).
enum class SystemColor {
    ScrollBar = 0,
    Background = 1,
    ActiveCaption = 2,
    InactiveCaption = 3,
    Menu = 4,
    Window = 5,
    WindowFrame = 6,
    MenuText = 7,
    WindowText = 8,
    CaptionText = 9,
    ActiveBorder = 10,
    InactiveBorder = 11,
    AppWorkSpace = 12,
    Highlight = 13,
    HighlightText = 14,
    BtnFace = 15,
    BtnShadow = 16,
    GrayText = 17,
    BtnText = 18,
    InactiveCaptionText = 19,
    BtnHighlight = 20,
    DkShadow3D = 21,
    Light3D = 22,
    InfoText = 23,
    InfoBk = 24,
    // 25 names no colour.
    HotLight = 26,
    GradientActiveCaption = 27,
    GradientInactiveCaption = 28,
    MenuHilight = 29,
    MenuBar = 30,
};

// The colour value that names a system colour: systemColorValue(BtnFace) is
// 0xFF00000F, the value skins write for the button face.
constexpr Color systemColorValue(SystemColor which) { return Color(0xFF000000u | uint32_t(which)); }

// The plain colour (0x00BBGGRR) of a numbered system colour, from one fixed
// table of the classic values (button face 212, 208, 200; highlight 10, 36,
// 106; window white; window text black ...). The desktop's own theme is not
// asked: skins are drawn the same everywhere. Numbers without a colour give
// black.
Color systemColor(int index);
inline Color systemColor(SystemColor which) { return systemColor(int(which)); }

// The colour to paint: a system colour is replaced by its plain colour,
// any other value is returned unchanged. Every place where a colour value
// becomes pixels goes through this.
inline Color resolveColor(Color color) { return color.isSystem() ? systemColor(color.systemIndex()) : color; }

// The named colours that window designs and frames use: the sixteen plain
// colours and the system colours by role (resolve before painting).
namespace colors {
inline constexpr Color black = rgbColor(0, 0, 0);
inline constexpr Color maroon = rgbColor(128, 0, 0);
inline constexpr Color green = rgbColor(0, 128, 0);
inline constexpr Color olive = rgbColor(128, 128, 0);
inline constexpr Color navy = rgbColor(0, 0, 128);
inline constexpr Color purple = rgbColor(128, 0, 128);
inline constexpr Color teal = rgbColor(0, 128, 128);
inline constexpr Color gray = rgbColor(128, 128, 128);
inline constexpr Color silver = rgbColor(192, 192, 192);
inline constexpr Color red = rgbColor(255, 0, 0);
inline constexpr Color lime = rgbColor(0, 255, 0);
inline constexpr Color yellow = rgbColor(255, 255, 0);
inline constexpr Color blue = rgbColor(0, 0, 255);
inline constexpr Color fuchsia = rgbColor(255, 0, 255);
inline constexpr Color aqua = rgbColor(0, 255, 255);
inline constexpr Color white = rgbColor(255, 255, 255);

inline constexpr Color btnFace = systemColorValue(SystemColor::BtnFace);
inline constexpr Color btnShadow = systemColorValue(SystemColor::BtnShadow);
inline constexpr Color btnHighlight = systemColorValue(SystemColor::BtnHighlight);
inline constexpr Color btnText = systemColorValue(SystemColor::BtnText);
inline constexpr Color window = systemColorValue(SystemColor::Window);
inline constexpr Color windowText = systemColorValue(SystemColor::WindowText);
inline constexpr Color grayText = systemColorValue(SystemColor::GrayText);
inline constexpr Color highlight = systemColorValue(SystemColor::Highlight);
inline constexpr Color highlightText = systemColorValue(SystemColor::HighlightText);
inline constexpr Color infoBk = systemColorValue(SystemColor::InfoBk);
inline constexpr Color infoText = systemColorValue(SystemColor::InfoText);
} // namespace colors

} // namespace tessaly::skin
