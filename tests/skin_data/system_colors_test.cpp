#include "skin/data/skin_colors.h"
#include "skin/data/system_colors.h"

#include <gtest/gtest.h>

#include <type_traits>

namespace tessaly::skin {
namespace {

TEST(SystemColors, ClassicTable)
{
    struct Case {
        SystemColor which;
        Color expected;
    };
    const Case cases[] = {
        {SystemColor::BtnFace, rgbColor(212, 208, 200)},  {SystemColor::BtnShadow, rgbColor(128, 128, 128)},
        {SystemColor::BtnHighlight, rgbColor(255, 255, 255)}, {SystemColor::Window, rgbColor(255, 255, 255)},
        {SystemColor::WindowText, rgbColor(0, 0, 0)},     {SystemColor::GrayText, rgbColor(128, 128, 128)},
        {SystemColor::Highlight, rgbColor(10, 36, 106)},  {SystemColor::HighlightText, rgbColor(255, 255, 255)},
        {SystemColor::InfoBk, rgbColor(255, 255, 225)},   {SystemColor::DkShadow3D, rgbColor(64, 64, 64)},
        {SystemColor::MenuBar, rgbColor(212, 208, 200)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(systemColor(c.which), c.expected) << int(c.which);
        EXPECT_EQ(resolveColor(systemColorValue(c.which)), c.expected) << int(c.which);
    }
    // The named forms: plain colours stay, system colours resolve.
    EXPECT_EQ(colors::blue.value(), 0x00FF0000u);
    EXPECT_EQ(colors::gray, rgbColor(128, 128, 128));
    EXPECT_EQ(resolveColor(colors::blue), colors::blue);
    EXPECT_EQ(resolveColor(colors::btnFace), rgbColor(212, 208, 200));
    // Numbers without a colour resolve to black rather than to garbage.
    EXPECT_EQ(resolveColor(Color(0xFF000019u)), Color(0));
    EXPECT_EQ(resolveColor(Color(0xFF0000FFu)), Color(0));
}

TEST(SystemColors, PlainValuesResolveToThemselves)
{
    // 0xFF00000F is the button face, not RGB(15, 0, 0); a top byte other
    // than 0xFF names no system colour.
    EXPECT_EQ(resolveColor(Color(0xFF00000Fu)), rgbColor(212, 208, 200));
    for (uint32_t plain : {0x0000000Fu, 0x00C80000u, 0x00FFFFFFu, 0x1F00000Fu})
        EXPECT_EQ(resolveColor(Color(plain)), Color(plain)) << plain;
}

TEST(SystemColors, DefaultSkinColoursAreLightNotBlack)
{
    const SkinColors colors;
    EXPECT_EQ(resolveColor(colors.cBtnFace), rgbColor(212, 208, 200));
    EXPECT_EQ(resolveColor(colors.cWindow), rgbColor(255, 255, 255));
    EXPECT_EQ(resolveColor(colors.cHighLight), rgbColor(10, 36, 106));
}

// A colour value and a pixel cannot stand in for each other.
static_assert(!std::is_convertible_v<uint32_t, Color>);
static_assert(!std::is_convertible_v<Color, uint32_t>);

} // namespace
} // namespace tessaly::skin
