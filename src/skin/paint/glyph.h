#pragma once

// Caption-button and menu glyphs: cells of a glyph strip picture, and the
// built-in glyphs used when a skin has no picture for them.

#include "skin/paint/bitmap.h"
#include "skin/paint/pixel_view.h"

namespace tessaly::skin {

enum class DefaultGlyph { Close, Minimize, Maximize, Restore, SystemMenu, RollUp, RollDown, MinimizeToTray };

// Draws cell `index` (counted from 1) of a strip of `count` equal cells at
// (x, y); pixels of the colour of the cell's bottom-left pixel are skipped,
// the others are written opaque. Nothing for an empty strip or a cell that
// does not exist.
void drawGlyphCell(const PixelSurface& target, int x, int y, int index, int count, PixelView glyph);
inline void drawGlyphCell(Bitmap& target, int x, int y, int index, int count, PixelView glyph)
{
    drawGlyphCell(target.surface(), x, y, index, count, glyph);
}

// Draws a built-in glyph with its top-left corner at (x, y) in an opaque
// pixel colour (lines leave out their end point; rectangles are outlines
// with exclusive right and bottom edges). Clipped to the target.
void drawDefaultGlyph(const PixelSurface& target, DefaultGlyph kind, int x, int y, PixelColor color);
inline void drawDefaultGlyph(Bitmap& target, DefaultGlyph kind, int x, int y, PixelColor color)
{
    drawDefaultGlyph(target.surface(), kind, x, y, color);
}

} // namespace tessaly::skin
