#pragma once

// Painting of the skinned frame into a bitmap of the whole window: the four
// frame strips, the client background and the frame objects, active or
// inactive, and the default look while no skin is loaded. Everything reads
// the rectangles of one FrameLayout.

#include <QString>
#include <functional>
#include <string>
#include <span>

#include "skin/frame/frame_layout.h"
#include "skin/frame/caption_button.h"
#include "skin/frame/caption_painter.h"
#include "skin/paint/bitmap.h"

namespace tessaly::platform {
class QtCanvas;
class TextRuns;
}

namespace tessaly::skin {

class SkinData;

// Draws a user object: its name, the bitmap it lies on and its rectangle
// there.
using UserObjectPainter = std::function<void(const std::string& idName, Bitmap& target, const Rect& at)>;

struct FramePaintState {
    bool active = true;
    QString title;
    bool morphEnabled = false; // skin effects on
    // The caption's kept pictures for this window picture (may be null).
    CaptionImages* captionImages = nullptr;
    // The window's painter of user objects (may be null).
    const UserObjectPainter* userPainter = nullptr;
    // The window state, for the restore looks of the caption buttons.
    bool maximized = false;
    bool minimized = false;
    bool rolledUp = false;
    // A picture centred on the client background (may be null), drawn by
    // its own flags (transparent: its key colour left out).
    const Bitmap* logo = nullptr;
    // The paint device's pixel ratio. Above 1 the caption's text is kept
    // out of the pictures (platform::TextCapture) to be drawn at the
    // screen's resolution.
    qreal deviceRatio = 1.0;
    // Where composeFrame keeps the text it keeps out of the window's
    // picture; without it the text is drawn into the picture.
    platform::TextRuns* keptText = nullptr;
};

// Composes the whole window (frame and client background) into `window`,
// which takes the layout's size. sd is null for the default look.
void composeFrame(Bitmap& window, const SkinData* sd, const FrameLayout& layout,
                  std::span<const CaptionButton> objects, const FramePaintState& state);

// Redraws one frame object in place at its layout rectangle, in its
// current state (used for hover, press, fade and animation ticks). Returns
// the rectangle drawn (empty when nothing was drawn).
Rect redrawButton(Bitmap& window, const SkinData* sd, const FrameLayout& layout, const FrameObject& object,
                  int index, const FramePaintState& state);

// Redraws the caption in place like redrawButton. From one kept picture
// to another (an animation or fade tick) only the part where they differ
// is drawn, and nothing of the rectangles of `keep` (the objects lying on
// it that cover their rectangles) where it can. Returns what it drew (in
// window coordinates) and whether it left `keep` as it was: otherwise the
// objects there are to be drawn again.
CaptionDrawn redrawCaption(Bitmap& window, const SkinData& sd, const FrameLayout& layout, const FrameObject& caption,
                           int index, const FramePaintState& state, std::span<const Rect> keep);

// A full layered border's top strip: draws the caption's text and the
// caption buttons in their current state at their rectangles of the strip
// image `top` (premultiplied alpha): each button from its alpha image (its
// look with alpha from its alpha mask, opaque without one), whose fully
// transparent pixels leave the strip's pixel as it was.
void drawLayerObjects(Bitmap& top, const SkinData& sd, std::span<const CaptionButton> objects,
                      const std::vector<Rect>& rects, const FramePaintState& state);

// Draws the logo centred on the client rectangle (its top-left corner
// never left of or above the client's), by the logo's own flags.
void drawLogo(Bitmap& window, const Rect& client, const Bitmap& logo);

} // namespace tessaly::skin
