#include "skin/controls/button_look.h"

#include "skin/controls/button_content.h"
#include "skin/paint/bitmap_canvas.h"

namespace tessaly::skin {

ButtonLook ButtonLook::of(const DataSkinButtonControl& r)
{
    ButtonLook look;
    look.normal = r.skinRect;
    look.active = r.activeSkinRect.isEmpty() ? r.skinRect : r.activeSkinRect;
    look.down = r.downSkinRect.isEmpty() ? look.active : r.downSkinRect;
    look.focused = r.focusedSkinRect;
    look.disabled = r.disabledSkinRect;
    look.font = {r.fontName, r.fontHeight, r.fontStyle, r.fontColor};
    look.fontColor = r.fontColor;
    look.activeFontColor = r.activeFontColor;
    look.downFontColor = r.downFontColor;
    look.disabledFontColor = r.disabledFontColor == r.fontColor ? disabledGrey : r.disabledFontColor;
    look.morphing = r.morphing;
    look.morphKind = r.morphKind;
    look.showFocus = r.showFocus;
    look.animate = r.animateSkinRect;
    look.frameCount = r.frameCount;
    look.animateInterval = r.animateInterval;
    return look;
}

void drawButtonCaption(Bitmap& face, const Rect& t, const QString& caption, const Font& font, Color colour,
                       bool pressed)
{
    // Without a glyph the caption alone is centred as the block.
    static const ButtonContent noGlyph;
    drawButtonContent(face, t, caption, font, colour, noGlyph, 1, pressed);
}

void drawFocusFrame(Bitmap& face, const Rect& rect, Color colour)
{
    const Rect r{rect.left, rect.top, rect.right - 1, rect.bottom - 1};
    if (r.isEmpty())
        return;
    const PixelColor c = colorFromValue(colour);
    // Every other pixel along the edges, clockwise; the first one is left
    // out when width and height are both even.
    bool on = !(rect.width() % 2 == 0 && rect.height() % 2 == 0);
    auto step = [&](int x, int y) {
        if (on)
            face.setPixel(x, y, c);
        on = !on;
    };
    for (int x = r.left; x < r.right; ++x)
        step(x, r.top);
    for (int y = r.top; y < r.bottom; ++y)
        step(r.right, y);
    for (int x = r.right; x > r.left; --x)
        step(x, r.bottom);
    for (int y = r.bottom; y > r.top; --y)
        step(r.left, y);
}

} // namespace tessaly::skin
