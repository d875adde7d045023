#pragma once

// What a button shows inside its text rectangle: a glyph (one cell of a
// strip of equal cells) and the caption, placed as one block by the
// button's layout, margin and spacing. Push and tool buttons share it.

#include "skin/data/skin_types.h"
#include "skin/paint/bitmap.h"

#include <QString>

namespace tessaly::skin {

class ImageList;

enum class ButtonLayout { GlyphLeft, GlyphRight, GlyphTop, GlyphBottom };

// The glyph strip and how glyph and caption are placed.
struct ButtonContent {
    Bitmap glyph;      // a strip of numGlyphs equal cells side by side; empty: none
    int numGlyphs = 1; // 1 to 4: normal, disabled, pressed, hot
    int margin = -1;   // -1: glyph and caption centred as one block
    int spacing = 1;   // between glyph and caption
    ButtonLayout layout = ButtonLayout::GlyphLeft;
    // A picture of an image list shown in the glyph's place (not owned):
    // always when the index is in the list (push buttons), or only while
    // there is no glyph (tool buttons, imageOverGlyph off).
    const ImageList* images = nullptr;
    int imageIndex = -1;
    bool imageOverGlyph = true;

    bool showsImage() const;
    int cellWidth() const;
    int cellHeight() const;
};

// Which cell of the strip a state shows (counted from 1): pressed and hot
// need more than 2 cells, hot alone more than 3, disabled at least 2.
int glyphCellFor(int numGlyphs, bool down, bool mouseIn, bool enabled);

// Where the glyph and the caption go in the text rectangle, for a glyph of
// glyphSize and a caption of textSize (either may be 0 × 0).
struct ContentPlacement {
    Point glyph;
    Point text;
};
ContentPlacement placeContent(const Rect& textRect, Point glyphSize, Point textSize, int margin, int spacing,
                              ButtonLayout layout);

// Draws glyph cell `cell` and the caption in `textRect` (one pixel right
// and down when pressed); the caption word-broken, without a background,
// the letter after "&" underlined.
// An image-list picture is drawn greyed when not `enabled`.
void drawButtonContent(Bitmap& face, const Rect& textRect, const QString& caption, const Font& font, Color colour,
                       const ButtonContent& content, int cell, bool pressed, bool enabled = true);

} // namespace tessaly::skin
