// Slate: a calm dark theme. Near-black greys, light text, flat caption
// buttons, and one restrained accent, a muted teal, for hover, focus, links
// and the highlighted menu item. A soft shadow (the layered border) lifts
// the window off the desktop; a lighter one-pixel outline in the frame
// itself keeps its edge visible on a dark desktop and without a compositor.

#include "palette.h"

namespace skinart {
namespace {

Palette makeSlate()
{
    const QColor white = Qt::white;
    const QColor black = Qt::black;
    const QColor client = hex(0x1E2126);
    const QColor teal = hex(0x3FA79B);     // hover and focus accent
    const QColor tealDeep = hex(0x2E7D74); // pressed accent
    const QColor text = hex(0xE6E9ED);
    const QColor textDisabled = hex(0x6B727C);
    const QColor glyph = hex(0xB9C0C9);

    Palette p;
    p.name = "slate";
    p.displayName = "Slate";
    p.comments = "Slate: a calm dark theme with a muted teal accent and a soft window shadow.";

    // A flat, nearly black caption over a dark separator; a lighter outline
    // closes the window on a dark desktop.
    p.frame = {hex(0x434A54), hex(0x101215), hex(0x2A2E35), hex(0x23262C), hex(0x1F2227), client,
               hex(0x2D3239), hex(0x25292F), hex(0x212429), hex(0x202328), hex(0x1C1F23),
               false, {white, 0.05}, {black, 0.12}, {white, 0.07}, 4};

    CaptionButtonPalette& c = p.captionButtons;
    // Flat buttons: only the glyph at rest, a plate under the pointer.
    c.normal = {Qt::transparent, Qt::transparent, Qt::transparent};
    c.hot = {hex(0x4A515B), hex(0x393E46), hex(0x32363D), withAlpha(white, 22)};
    c.pressed = {hex(0x2A2E35), hex(0x1A1D21), hex(0x202328), withAlpha(black, 70)};
    c.closeHot = {hex(0x9C352D), hex(0xD4554B), hex(0xBD4137), withAlpha(hex(0xF49A90), 110)};
    c.closePressed = {hex(0x6E1F19), hex(0x93302A), hex(0xAA3A31), withAlpha(hex(0x4A0F0B), 120)};
    c.glyph = glyph;
    c.glyphHot = hex(0xF2F4F7);
    c.glyphPressed = hex(0xDDE1E6);
    c.emboss = withAlpha(black, 110);
    c.embossPressed = withAlpha(black, 80);
    c.closeGlyph = white;
    c.closeEmbossHot = withAlpha(hex(0x5A130E), 120);
    c.closeEmbossPressed = withAlpha(hex(0x4A0F0B), 110);
    c.inactiveGlyph = hex(0x767676);
    c.inactiveEmboss = withAlpha(black, 90);
    c.disabledGlyphAlpha = 80;
    c.disabledEmboss = withAlpha(black, 50);
    c.markTile = {hex(0x1D5A54), hex(0x58BDB2), hex(0x2E8A80), withAlpha(white, 90), withAlpha(black, 50)};
    c.markCheck = white;
    c.markCheckShadow = withAlpha(hex(0x0B2E2A), 130);
    c.markHotTint = withAlpha(white, 60);
    c.markPressedTint = withAlpha(black, 60);

    p.glows = {{hex(0x4FB3A9), 110}, {hex(0xE0574C), 150}, {hex(0x4FB3A9), 110}, {hex(0x4FB3A9), 100}};

    p.buttons.normal = {hex(0x4A505A), hex(0x363B43), hex(0x2D3138), withAlpha(white, 26)};
    p.buttons.hot = {teal, hex(0x3B4149), hex(0x32373E), withAlpha(white, 36)};
    p.buttons.pressed = {tealDeep, hex(0x24282E), hex(0x2B2F36), withAlpha(black, 70)};
    p.buttons.focused = {teal, hex(0x363B43), hex(0x2D3138), withAlpha(hex(0x4FB3A9), 70), withAlpha(hex(0x4FB3A9), 40)};
    p.buttons.disabled = {hex(0x353940), hex(0x272A30), hex(0x24272C), withAlpha(white, 10)};
    p.buttons.focusRing = withAlpha(hex(0x4FB3A9), 90);
    p.buttons.arrow = hex(0xC9CED6);
    p.buttons.arrowEmboss = withAlpha(black, 110);

    // A sunken dark field: light text on near black, the accent when hot.
    p.edit = {hex(0x15171A),
              hex(0x3E444D), hex(0x32373E), hex(0x464C56),
              teal, hex(0x358F85), teal,
              hex(0x101214), hex(0x131518), hex(0x17191D),
              hex(0x18302D), hex(0x162824), hex(0x172C29)};

    p.bars = {hex(0x0F1114), hex(0x2A2E35), hex(0x23262B), hex(0x1D2024),
              hex(0x5E656F), hex(0x3A3F47), hex(0x111316),
              hex(0x3A3F47), hex(0x111316), hex(0x2B2F36), hex(0x191C20),
              hex(0x181A1E), hex(0x0F1114), hex(0x33383F), hex(0x141619)};

    p.menu = {hex(0x25292F), hex(0x202328), hex(0x30343B), hex(0x282C32),
              {hex(0x2F6B65), hex(0x2F615C), hex(0x295550), withAlpha(white, 24)},
              hex(0x383D45), hex(0x1C1F23),
              hex(0x4D545E), hex(0x434952), hex(0x2E333A), hex(0x212429),
              hex(0x4D545E), hex(0x30353C), hex(0x292D33), hex(0x3A4048), client};

    TextPalette& t = p.text;
    t.text = text;
    t.textHot = white;
    t.textDown = hex(0xD5DAE0);
    t.textDisabled = textDisabled;
    t.menuDisabled = textDisabled;
    t.editText = text;
    t.editTextHot = hex(0xF4F6F8);
    t.label = hex(0xD5DAE0);
    t.link = hex(0x6FD0C4);
    t.fieldLabel = hex(0xD5DAE0);
    t.hint = text;
    // The title: near white when active; a mid grey that keeps 3 : 1
    // against the greyed caption when inactive. A dark drop shadow.
    t.caption = hex(0xE8EBEF);
    t.captionInactive = hex(0x8C8C8C);
    t.captionShadow = true;
    t.captionShadowColour = hex(0x0C0E10);
    t.captionShadowInactive = hex(0x101010);
    t.scrollMarker = hex(0x8A919B);
    t.scrollMarkerActive = hex(0x6FD0C4);

    // The program writes a disabled flat button's text in the shadow
    // colour, so it is a dim grey here rather than near black.
    p.colours = {client, text, hex(0x15171A), text, hex(0x2B7A72), white, hex(0x3A3F47), textDisabled};

    p.layerFrame = LayerFramePalette{black, 16, 12, 16, 20, 150, 90, 5, 12, 255, 170};
    p.desktop = hex(0x2E3B48);
    return p;
}

} // namespace

const Palette& slatePalette()
{
    static const Palette palette = makeSlate();
    return palette;
}

} // namespace skinart
