#pragma once

// What the push and tool buttons read from a button record, with the
// fall-backs of a sparse record, and how they draw their caption.

#include "skin/data/control_records.h"
#include "skin/paint/bitmap.h"

#include <QString>

namespace tessaly::skin {

struct ButtonLook {
    Rect normal;
    Rect active;   // an empty hot rectangle falls back to the normal one
    Rect down;     // an empty pressed rectangle falls back to the hot one
    Rect focused;  // may stay empty
    Rect disabled; // may stay empty
    Font font;
    Color fontColor;
    Color activeFontColor;
    Color downFontColor;
    Color disabledFontColor; // grey when the record gives the normal colour
    bool morphing = false;
    MorphKind morphKind = MorphKind::Default;
    bool showFocus = false;
    Rect animate;         // the frames' cells; empty: no animation
    int frameCount = 0;
    int animateInterval = 0;

    static ButtonLook of(const DataSkinButtonControl& record);
};

// The grey a disabled caption takes when the record's disabled colour is
// its normal colour.
inline constexpr Color disabledGrey{0x00808080u};

// Draws the caption centred in `textRect` (one pixel right and down when
// pressed), word-broken, without a background.
void drawButtonCaption(Bitmap& face, const Rect& textRect, const QString& caption, const Font& font, Color colour,
                       bool pressed);

// The dotted focus frame just inside `rect`: every other pixel, walking
// clockwise from the top-left corner.
void drawFocusFrame(Bitmap& face, const Rect& rect, Color colour);

} // namespace tessaly::skin
