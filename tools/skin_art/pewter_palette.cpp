// Pewter: a cool, slightly blue brushed metal with steel-blue accents.
// Active frames are a cool, slightly blue pewter; inactive frames are the
// same pixels turned grey by the frame's inactive effect, so the pictures
// meant for inactive windows are drawn grey already.

#include "palette.h"

namespace skinart {
namespace {

Palette makePewter()
{
    const QColor white = Qt::white;
    const QColor client = hex(0xE7EAEE);
    const QColor steel = hex(0x5E86B3); // hover and focus accent
    const QColor glyph = hex(0x2F3A47);
    const QColor text = hex(0x1E252D);
    const QColor textHot = hex(0x10283F);
    const QColor textDisabled = hex(0x98A0A9);
    const QColor menuBack = hex(0xFBFCFD);

    Palette p;
    p.name = "pewter";
    p.displayName = "Pewter";
    p.comments = "Brushed pewter: cool metal caption, crisp one-pixel bevels, steel-blue accents.";

    // The outer outline is a little darker than the inner lines, so that it
    // closes the window on a light desktop without drawing a heavy frame.
    p.frame = {hex(0x687382), hex(0x7B8796), hex(0xD9E0E7), hex(0xBCC7D3), hex(0xA9B5C2), client,
               hex(0xF5F8FB), hex(0xE7EDF3), hex(0xD3DBE4), hex(0xCDD6E0), hex(0xB5C1CE),
               true, {white, 0.45}, {Qt::black, 0.06}, {white, 0.6}, 6};

    CaptionButtonPalette& c = p.captionButtons;
    c.normal = {withAlpha(hex(0x3E4B5A), 60), withAlpha(white, 95), withAlpha(white, 15), withAlpha(white, 110)};
    c.hot = {hex(0x6B7F96), hex(0xFCFDFE), hex(0xCFDAE6), withAlpha(white, 230)};
    c.pressed = {hex(0x536478), hex(0xAAB7C6), hex(0xC6D0DB), withAlpha(hex(0x6F7E8F), 110)};
    c.closeHot = {hex(0x8C2B22), hex(0xEC7C70), hex(0xC23A2F), withAlpha(hex(0xFFD5D0), 160)};
    c.closePressed = {hex(0x6E1F19), hex(0xA32E25), hex(0xC4483D), withAlpha(hex(0x5A1510), 130)};
    c.glyph = glyph;
    c.glyphHot = hex(0x1B2430);
    c.glyphPressed = hex(0x1B2430);
    c.emboss = withAlpha(white, 150);
    c.embossPressed = withAlpha(white, 90);
    c.closeGlyph = white;
    c.closeEmbossHot = withAlpha(hex(0x5A130E), 120);
    c.closeEmbossPressed = withAlpha(hex(0x4A0F0B), 110);
    c.inactiveGlyph = hex(0x8C8C8C);
    c.inactiveEmboss = withAlpha(white, 120);
    c.disabledGlyphAlpha = 70;
    c.disabledEmboss = withAlpha(white, 70);
    c.markTile = {hex(0x5A626F), hex(0xC8CDD5), hex(0x7A828E), withAlpha(white, 110), withAlpha(hex(0x3F4753), 60)};
    c.markCheck = white;
    c.markCheckShadow = withAlpha(hex(0x2E3540), 110);
    c.markHotTint = withAlpha(white, 70);
    c.markPressedTint = withAlpha(hex(0x1B2430), 60);

    p.glows = {{hex(0x6AA5E6), 150}, {hex(0xF0604E), 165}, {hex(0x6AA5E6), 150}, {hex(0x5C9BE0), 140}};

    p.buttons.normal = {hex(0x8893A1), hex(0xFEFEFF), hex(0xD8DEE5), withAlpha(white, 220)};
    p.buttons.hot = {steel, hex(0xFFFFFF), hex(0xD3E1F0), withAlpha(white, 255)};
    p.buttons.pressed = {hex(0x56687D), hex(0xBFC9D5), hex(0xDCE2E9), withAlpha(hex(0x7C8A9A), 120)};
    p.buttons.focused = {steel, hex(0xFEFEFF), hex(0xD8DEE5), withAlpha(hex(0xCFE0F2), 255), withAlpha(hex(0xB9CFE8), 200)};
    p.buttons.disabled = {hex(0xBCC3CB), hex(0xF4F6F8), hex(0xE6E9ED), withAlpha(white, 160)};
    p.buttons.focusRing = withAlpha(hex(0x9DBBDD), 170);
    p.buttons.arrow = glyph;
    p.buttons.arrowEmboss = withAlpha(white, 140);

    p.edit = {white,
              hex(0x97A1AD), hex(0x7F8A97), hex(0xB1B9C2),
              steel, hex(0x4F78A6), steel,
              hex(0xE4E8EC), hex(0xF3F5F7), hex(0xFBFCFD),
              hex(0xD7E5F4), hex(0xE3EDF8), hex(0xDDE9F6)};

    p.bars = {hex(0xA9B2BC), hex(0xFBFCFD), hex(0xEDF0F3), hex(0xD6DBE1),
              hex(0x8F99A5), hex(0xA9B2BC), white,
              hex(0xB0B8C1), hex(0x9EA7B2), white, hex(0xD3D8DE),
              hex(0xE1E5EA), hex(0xAEB6BF), white, hex(0xD4D9DF)};

    p.menu = {menuBack, hex(0xEDF0F3), hex(0xDCE1E6), white,
              {hex(0x8DA9CA), hex(0xEEF4FB), hex(0xD2E0EF), withAlpha(white, 200)},
              hex(0xD2D8DE), white,
              hex(0x8A94A0), hex(0x7D8793), white, hex(0xE9ECEF),
              hex(0x8790A0), hex(0xFDFDFE), hex(0xE9EDF2), white, hex(0xF0F2F5)};

    TextPalette& t = p.text;
    t.text = text;
    t.textHot = textHot;
    t.textDown = hex(0x0E1926);
    t.textDisabled = textDisabled;
    t.menuDisabled = hex(0xA0A7AF);
    t.editText = hex(0x15191E);
    t.editTextHot = hex(0x0B1826);
    t.label = hex(0x1E242B);
    t.link = hex(0x2A63A6);
    t.fieldLabel = hex(0x2A313A);
    t.hint = hex(0x2B323A);
    // The title: dark slate when active; a grey that keeps 3 : 1 against
    // the greyed caption when inactive.
    t.caption = hex(0x24303D);
    t.captionInactive = hex(0x5F5F5F);
    t.captionShadow = true;
    t.captionShadowColour = hex(0xF1F5F9);
    t.captionShadowInactive = hex(0xE4E4E4);
    t.scrollMarker = hex(0x6A7482);
    t.scrollMarkerActive = hex(0x2C5F93);

    p.colours = {client, text, white, hex(0x15191E), hex(0x4F7FB4), white, white, hex(0x8E98A4)};
    p.desktop = hex(0x3A6E8F);
    return p;
}

} // namespace

const Palette& pewterPalette()
{
    static const Palette palette = makePewter();
    return palette;
}

} // namespace skinart
