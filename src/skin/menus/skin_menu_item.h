#pragma once

#include <QFont>

#include "platform/qt_canvas.h"
#include "skin/data/geometry.h"
#include "skin/menus/menu_item.h"
#include "skin/paint/bitmap.h"
#include "skin/paint/cross_fade.h"

namespace tessaly::skin {

class DataSkinMenuItem;
class SkinData;
class SkinPopupWindow;
class Picture;

// What the items of one popup window are drawn with.
struct MenuItemLook {
    // The skin's menu item record and its picture; null: the built-in look.
    const DataSkinMenuItem* record = nullptr;
    const Picture* picture = nullptr;
    // The registry (headers look up their label record there).
    const SkinData* skinData = nullptr;
    QFont font;
    const MenuImages* images = nullptr;
    // Width of the glyph column: image width + 5, or 19 without images.
    int glyphWidth = 19;
    // The window background with its client part, for records whose normal
    // face is transparent; null otherwise.
    const Bitmap* paintBuffer = nullptr;
    // Highlights cross-fade (the record asks for it and effects are on).
    bool morphing = false;
    // Highlights play the record's animation frames (it has them and
    // effects are on), one frame per animateInterval ms.
    bool animation = false;
    int animateInterval = 20;
};

// One visible item of a popup window: its place, its highlight state and its
// cross-fade, and how it is drawn.
class SkinMenuItem {
public:
    SkinMenuItem(SkinPopupWindow& parent, MenuItem& menuItem);

    MenuItem& menuItem() const { return m_menuItem; }
    SkinPopupWindow& parent() const { return m_parent; }
    // Enabled and not a separator: it can be highlighted and chosen.
    bool usable() const { return m_menuItem.enabled && !m_menuItem.isSeparator(); }

    Rect objectRect;
    bool active = false;
    // Its sub-menu is open (drawn highlighted).
    bool down = false;
    // Inside the visible range of a scrolling window.
    bool visible = true;
    // Highlighted by the window itself (opening, keyboard), not yet by the mouse.
    bool waitCommand = false;
    // The caption's width in the window's font (measured once, when the
    // window is sized).
    int captionWidth = 0;
    // The frame of the highlight animation: 1 … frameCount while one
    // shows, 0 before the first (or after the last on the way back), and
    // frameCount + 1 when a highlight has just ended and the frames are to
    // run back.
    int currentFrame = 0;

    // The cross-fade between the normal and the highlighted face: 0 normal,
    // 1 highlighted.
    double morphKf() const { return m_fade.factor(); }
    void jumpFade(bool highlighted) { m_fade.jumpTo(highlighted); }

    // Draws the item into the window's buffer at objectRect. On a dense
    // screen its text is not drawn into the buffer but kept (shownText) to
    // be drawn over the scaled buffer at the screen's resolution.
    void draw(Bitmap& target) const;
    // The text kept by the last draw, in the window's coordinates.
    const platform::TextRuns& shownText() const { return m_shownText; }
    // The item's image alone: skinned from the record, else built-in.
    Bitmap image() const;

    void mouseEnter(bool keyboard);
    void mouseLeave();
    void mouseDown();

    // The cross-fade still has to move towards the item's state.
    bool canMorphing() const;
    // One cross-fade step; true when the item changed.
    bool doMorphing();
    // One animation step: a frame forward while highlighted, back while
    // not; true when the item changed.
    bool doAnimation();
    // The part of the record's animation rectangle that frame `frame`
    // (1-based) shows: equal cells, stacked when the rectangle is taller
    // than the item's face, else side by side. Empty for no frame.
    static Rect frameCell(const Rect& animateRect, const Rect& skinRect, int frameCount, int frame);

private:
    Bitmap skinnedImage() const;
    // `frame`: an animation cell to show instead of the record's face.
    Bitmap skinnedFace(bool highlighted, const Rect& frame = {}) const;
    bool frameShowing() const;
    // The owner's drawing over the face, when the item has it.
    bool ownerDraw(Bitmap& face, const Rect& area, PixelColor color, bool highlighted) const;
    Bitmap defaultImage() const;
    // Caption, shortcut, arrow and glyphs over a face, inside `area`.
    void drawContent(Bitmap& face, const Rect& area, PixelColor color, bool highlighted, int glyph,
                     int rightMargin, bool builtInGlyphs) const;
    bool drawHeader(Bitmap& face) const;
    // Keeps the text drawn into `face` while it lives, on a dense screen,
    // in m_faceText.
    class FaceText;
    // Redraws now or through the window's cross-fade.
    void redraw();

    SkinPopupWindow& m_parent;
    MenuItem& m_menuItem;
    CrossFade m_fade;
    // The text of the face made last, kept apart from its pixels.
    mutable platform::TextRuns m_faceText;
    mutable platform::TextRuns m_shownText;
};

} // namespace tessaly::skin
