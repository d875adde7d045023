#pragma once

// Painting of the skinned frame into a bitmap of the whole window: the four
// frame strips, the client background and the frame objects, active or
// inactive, and the default look while no skin is loaded. Everything reads
// the rectangles of one FrameLayout.

#include <QString>
#include <span>

#include "skin/frame/frame_layout.h"
#include "skin/frame/caption_button.h"
#include "skin/paint/bitmap.h"

namespace tessaly::platform {
class QtCanvas;
}

namespace tessaly::skin {

class SkinData;

struct FramePaintState {
    bool active = true;
    QString title;
    bool morphEnabled = false; // skin effects on
};

// Composes the whole window (frame and client background) into `window`,
// which takes the layout's size. sd is null for the default look.
void composeFrame(Bitmap& window, const SkinData* sd, const FrameLayout& layout,
                  std::span<const CaptionButton> objects, const FramePaintState& state);

// Redraws one caption button in place at its layout rectangle, in its
// current state (used for hover, press and fade ticks). Returns the
// rectangle drawn (empty when nothing was drawn).
Rect redrawButton(Bitmap& window, const SkinData* sd, const FrameLayout& layout, const FrameObject& object,
                  int index, const FramePaintState& state);

// The text shortened with "..." until it fits `width` pixels, measured the
// way the canvas draws it. A text that fits is returned unchanged; a width
// narrower than "..." gives "...".
QString fitTextWithEllipsis(const platform::QtCanvas& canvas, const QString& text, int width);

} // namespace tessaly::skin
