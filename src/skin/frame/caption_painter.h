#pragma once

// Painting of the frame's caption object: its picture (the frame's own
// caption, the record's active image, a cross-fade between the two, or a
// frame of its animation) composed to the caption's width, the divider,
// the plate under the text and the window title.

#include <QString>
#include <map>
#include <optional>
#include <span>
#include <utility>

#include "platform/qt_canvas.h"
#include "skin/frame/frame_object.h"
#include "skin/paint/bitmap.h"

namespace tessaly::platform {
class QtCanvas;
}

namespace tessaly::skin {

class SkinData;

// The caption's finished pictures at one window size and title, kept so
// that an animation or fade tick only copies one into the window's
// picture. One set per window picture (active, inactive); the frame
// empties it whenever the size, the title or the skin changes.
class CaptionImages {
public:
    using Key = std::pair<int, int>;

    void clear()
    {
        m_images.clear();
        m_texts.clear();
        m_changes.clear();
        forgetShown();
        background.clear();
    }
    // The picture stored under the key, or null.
    const Bitmap* find(int kind, int index) const;
    Bitmap& store(int kind, int index) { return m_images[{kind, index}]; }
    int count() const { return int(m_images.size()); }
    // The text kept out of the picture under the key (on a dense screen).
    const platform::TextRuns& text(int kind, int index) const;
    void storeText(int kind, int index, const platform::TextRuns& text) { m_texts[{kind, index}] = text; }

    // The kept picture the window's picture shows on the caption now, so
    // that the next one is copied only where it differs from it; none
    // after anything else was drawn there.
    const std::optional<Key>& shown() const { return m_shown; }
    void setShown(const Key& key) { m_shown = key; }
    void forgetShown() { m_shown.reset(); }
    // Where two kept pictures of the same size differ (caption
    // coordinates; empty: nowhere), found once per pair; the whole caption
    // when either is missing.
    Rect changeBetween(const Key& from, const Key& to);

    // The frame strip's pixels under the caption, saved when the window's
    // picture is composed: what a caption without a picture of its own is
    // drawn on again.
    Bitmap background;

private:
    std::map<Key, Bitmap> m_images;
    std::map<Key, platform::TextRuns> m_texts;
    std::map<std::pair<Key, Key>, Rect> m_changes;
    std::optional<Key> m_shown;
};

struct CaptionPaintState {
    bool windowActive = true;
    QString title;
    bool effects = false; // the skin's effects are on (fades, animations)
    // Above 1 the text is kept out of the pictures (see FramePaintState).
    qreal deviceRatio = 1.0;
};

// The caption animation is shown: effects on, the record has frames and
// the object is between its first and last frame.
bool captionAnimates(const FrameObject& o, bool effects);
// The caption has an animation the skin lets it play.
bool captionAnimationEnabled(const FrameObject& o, bool effects);
// The caption cross-fades between its inactive and active pictures.
bool captionMorphEnabled(const FrameObject& o, bool effects);

// Draws the caption o at `at` of target (the frame strip it lies on, or the
// whole window's picture) in its current state. With `update` the strip's
// pixels under it are first put back from images->background, so it can be
// drawn again over an earlier look. images may be null (nothing kept).
//
// Drawn again (`update`) from a kept picture of its own while the target
// shows another kept picture, only the part where the two differ is
// copied, and nothing of the rectangles of `keep` (target coordinates):
// the objects lying there need not be drawn again.
struct CaptionDrawn {
    Rect drawn;          // the part of the target drawn (empty: none changed)
    bool keptOut = false; // `keep` was left as it was
};
CaptionDrawn drawCaptionObject(Bitmap& target, const SkinData& sd, const FrameObject& o, const Rect& at,
                               const CaptionPaintState& state, CaptionImages* images, bool update,
                               std::span<const Rect> keep = {});

// The caption's text (with its plate and divider) drawn at `at` of a
// picture with alpha, as on a full layered border's top strip: every pixel
// keeps the alpha of what lay beneath, its colour no brighter than it.
void drawCaptionTextOnAlpha(Bitmap& target, const SkinData& sd, const FrameObject& o, const Rect& at,
                            const CaptionPaintState& state);

// The text shortened with "..." until it fits `width` pixels, measured the
// way the canvas draws it. A text that fits is returned unchanged; a width
// narrower than "..." gives "...".
QString fitTextWithEllipsis(const platform::QtCanvas& canvas, const QString& text, int width);

} // namespace tessaly::skin
