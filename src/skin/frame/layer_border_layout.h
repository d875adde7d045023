#pragma once

// The geometry of a layered window border: four translucent strip windows
// (left, top, right, bottom) around a window, cut from the skin's layer
// picture. layoutLayerBorder computes, for one window rectangle, every
// rectangle the border uses: where the strips stand on the screen, which
// picture pieces fill them and which parts size the window. Building the
// strip images, placing the strip windows and hit testing all read it.
// Plain C++: tested without a display.

#include <array>
#include <vector>

#include "skin/data/geometry.h"
#include "skin/frame/frame_layout.h"
#include "skin/paint/bitmap.h"
#include "skin/paint/compose.h"

namespace tessaly::skin {

class DataSkinLayerFrame;

// Which strip a border window shows.
enum class FormLayerBorderType { Left, Top, Right, Bottom };
inline constexpr std::array<FormLayerBorderType, 4> kLayerBorderTypes = {
    FormLayerBorderType::Left, FormLayerBorderType::Top, FormLayerBorderType::Right, FormLayerBorderType::Bottom};

// What lies under the pointer on a strip: nothing, or the edge or corner of
// the window that a press there sizes (the frame's own hit values, so that
// cursors and window-manager edges are shared with the frame).
using FormLayerBorderHit = FrameHit;

// The layer frame record's values that the border reads, with the size of
// its picture and the sizes derived from them.
struct LayerBorderGeometry {
    int picWidth = 0;
    int picHeight = 0;
    Point ltPoint, rtPoint, lbPoint, rbPoint;
    Rect clRect;     // where the window lies in the picture
    Rect borderRect; // outer edge of the mouse-sensitive border
    int hitTestSize = 0;
    bool fullStretch = false;
    int leftOffset = 0, topOffset = 0, widthOffset = 0, heightOffset = 0;

    // Full-border mode: the top strip carries the caption and the caption
    // buttons, and the window itself is all client area.
    bool fullBorder = false;
    Rect captionRect;       // the caption in the picture's top band; also what the top strip's sizing leaves out
    Rect buttonsRect;       // the buttons' row ends at its right edge (empty: at the caption's right end)
    Rect sysMenuButtonRect; // the system-menu button's place (empty: at the caption's left end)
    int buttonsTopOffset = 0;   // the buttons' top when not 0 (without buttonsRect)
    int sysButtonTopOffset = 0; // the system-menu button's top when not 0
    int rollUpFormHeight = 0;   // the window's height while rolled up

    // Widths of the mouse-sensitive border outside the window on each side
    // (all 0 when the border rectangle is empty).
    int leftSize = 0, topSize = 0, rightSize = 0, bottomSize = 0;
    // Sizes of the four corner areas that size the window diagonally.
    int hitTopLeftX = 0, hitTopLeftY = 0, hitTopRightX = 0, hitTopRightY = 0;
    int hitBottomLeftX = 0, hitBottomLeftY = 0, hitBottomRightX = 0, hitBottomRightY = 0;

    static LayerBorderGeometry from(const DataSkinLayerFrame& record, int picWidth, int picHeight);
};

// One picture piece laid into a strip image (strip-local coordinates).
struct LayerPiece {
    Rect source;
    Rect span;
    bool tileY = false;
};

// One strip: its place on the screen, the pieces of its image and its
// sizing areas (screen coordinates; the first area that holds the point
// answers).
struct LayerStrip {
    Rect screen;
    std::vector<LayerPiece> pieces;
    struct HitArea {
        Rect rect;
        FormLayerBorderHit hit;
        Rect except; // the caption area, which never sizes
    };
    std::vector<HitArea> hitAreas;

    bool hasPixels() const { return !screen.isEmpty(); }
};

struct LayerBorderLayout {
    Rect window; // the window's bounds the border was laid out for
    Rect outer;  // the whole border image on the screen
    std::array<LayerStrip, 4> strips; // indexed by FormLayerBorderType

    const LayerStrip& strip(FormLayerBorderType type) const { return strips[std::size_t(type)]; }
    // What a press at the screen point `q` on the strip would size. Nothing
    // outside the strip, and nothing while the window cannot be sized.
    FormLayerBorderHit hitTest(FormLayerBorderType type, const Point& q, bool sizable) const;
};

// The border around a window with the screen bounds `window`. Sizes that
// come out negative count as 0: a window lower than the picture's top and
// bottom bands gets shortened bands and no side strips, one narrower than
// the corners gets the corners cut (the right-hand one drawn last), and
// nothing is ever divided by a piece's size.
// A rolled-up window with a full border has the border's roll-up height
// (`rolledUp`).
LayerBorderLayout layoutLayerBorder(const LayerBorderGeometry& geometry, const Rect& window, bool rolledUp = false);

// Full-border mode: where the frame objects stand on a top strip image
// `topWidth` wide (top-image coordinates; empty for objects not placed).
// The caption spans the record's caption rectangle, widened with the
// strip; the caption buttons (custom ones too) stand right to left at the
// end of the buttons' row; the system-menu button at the caption's left
// end or at its own rectangle. Objects of other kinds (plain buttons, user
// objects) have no place on the strip.
std::vector<Rect> arrangeLayerObjects(const LayerBorderGeometry& geometry, int topWidth,
                                      const std::vector<FrameObjectInfo>& objects, int buttonsOffset);

// The image of one strip from the picture (its pieces laid at the strip's
// size; pixels no piece reaches are transparent). An empty strip gives an
// empty image. The picture is used as it is: prepare it (alpha from the
// mask, colours no brighter than their alpha) once, not on every build.
void buildLayerImage(Bitmap& image, PixelView picture, const LayerStrip& strip);

} // namespace tessaly::skin
