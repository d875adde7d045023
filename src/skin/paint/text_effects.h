#pragma once

// Text with a soft glow or a reflection. Each effect draws the text in pure
// red into a work bitmap a little larger than the text rectangle, blurs it,
// turns the red into alpha over the effect colour, blends that onto the
// canvas, and then draws the text itself with the canvas's font and text
// colour at the text rectangle. Colours are colour values 0x00BBGGRR.

#include <QString>

#include "platform/qt_canvas.h"
#include "skin/data/geometry.h"
#include "skin/data/skin_types.h"

namespace tessaly::skin {

// A glow of `size` pixels around the text, moved by `offset` both ways.
void drawGlowText(platform::QtCanvas& canvas, const Rect& rect, const QString& text, int size, Color color,
                  int offset, unsigned flags);

// A glow around the text's outline: the text is drawn five times (in place
// and one pixel to each side) before the blur.
void drawOutlineGlowText(platform::QtCanvas& canvas, const Rect& rect, const QString& text, int size,
                         Color color, int offset, unsigned flags);

// A wide soft halo behind the text: a red block under the text and nine
// shifted copies of it, blurred twice with radius / 2. The caption uses
// radius 12; any other radius gets the radius-10 block.
void drawVistaGlowText(platform::QtCanvas& canvas, const Rect& rect, const QString& text, Color color,
                       unsigned flags, int radius = 12);

// A mirrored copy of the text under it, fading out downwards, `offset`
// pixels below the text.
void drawReflectionText(platform::QtCanvas& canvas, const Rect& rect, const QString& text, Color color,
                        int offset, unsigned flags);

} // namespace tessaly::skin
