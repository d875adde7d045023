#pragma once

// The geometry of a skinned window frame at one window size: every
// rectangle that painting, the window shape and hit testing use comes from
// layoutFrame, computed once per size (and once per change of the frame
// objects' visibility). Plain C++: tested without a display.

#include <optional>
#include <string>
#include <vector>

#include "skin/data/geometry.h"
#include "skin/data/skin_types.h"
#include "skin/paint/compose.h"
#include "skin/paint/region.h"

namespace tessaly::skin {

class SkinData;

// What a frame object contributes to the layout.
struct FrameObjectInfo {
    // Button: a plain frame button (no command; it may open a menu).
    // User: a part of the frame the window draws itself.
    // Animate: a button that plays a row of frames (placed along the
    // caption like a caption button when it lies in a picture).
    enum class Kind { Caption, StdButton, Button, User, Animate };
    Kind kind = Kind::StdButton;
    StdCommand command = StdCommand::Default;
    Rect skinRect;
    bool skinRectInAPicture = false;
    bool visible = true;
    // The object's shape for the pointer: black pixels of this mask (its
    // top-left corner on the object's) are the object; none: its rectangle.
    PixelView hitMask;
};

// The skin's FORMINFO fields that the layout reads, with the picture size.
struct FrameSkinGeometry {
    int picWidth = 0;
    int picHeight = 0;
    Point ltPoint, rtPoint, lbPoint, rbPoint;
    Rect clRect;
    Rect maskRectArea;
    Point hitTestLTPoint, hitTestRTPoint, hitTestLBPoint, hitTestRBPoint;
    Rect buttonsRect;
    Rect captionRect;
    int buttonsOffset = 0;
    bool capButtonsInLeft = false;
    int borderW = 0;
    int minWidth = 0;
    int minHeight = 0;
    bool hasMask = false;

    static FrameSkinGeometry from(const SkinData& sd);
};

// The parts of the window a point can be on.
enum class FrameHit {
    Nowhere, // outside the window's shape
    Client,
    Caption,
    Object, // a frame object other than the caption (see objectIndex), or frame border without sizing
    Left, Right, Top, Bottom, TopLeft, TopRight, BottomLeft, BottomRight
};

struct FrameHitResult {
    FrameHit hit = FrameHit::Nowhere;
    int objectIndex = -1; // the object under the point, -1 for none
};

// The frame of a width × height window. Coordinates are window
// coordinates (origin at the top-left corner of the whole window).
struct FrameLayout {
    int width = 0;
    int height = 0;
    bool skinned = false; // false: the default look (no skin loaded)
    // The whole window is client area: a full layered border around it
    // carries the caption and the frame.
    bool allClient = false;
    // Below the skin's minimum size the frame is drawn without objects.
    bool belowMinimum = false;

    // Skinned geometry at this size.
    NineGeometry cut;    // the skin's own corner points and client rectangle
    NineGeometry target; // the same at this size
    Rect clientRect;     // where the client area widget sits
    Rect captionRect;
    Rect buttonsRect;
    bool buttonsInLeft = false;
    Rect maskRectArea;
    Point hitTestLT, hitTestRT, hitTestLB, hitTestRB;
    int borderW = 0; // how far from the shape's edge sizing starts

    // One rectangle per frame object, in object order; empty for objects
    // that are not shown.
    std::vector<Rect> objectRects;

    // The window shape; none means the plain window rectangle.
    std::optional<Region> region;

    // Which part of the frame lies under a window point. Every test reads
    // the rectangles above; right and bottom edges are outside. A window
    // that cannot be sized now (not resizable, maximised, rolled up or
    // minimised) has no sizing edges: `sizable` false.
    FrameHitResult hitTest(int x, int y, const std::vector<FrameObjectInfo>& objects, bool sizable = true) const;
    // The shape test alone: inside the window rectangle and the region.
    bool inShape(int x, int y) const;
};

// The height of the default look's caption bar and its button size.
inline constexpr int kDefaultCaptionHeight = 19;
inline constexpr int kDefaultButtonSize = 17;
inline constexpr int kDefaultBorder = 3;

// Lays the frame out for a width × height window: with a skin (geometry
// set) the skin's frame, otherwise the default look. Sizes of 0 or less
// count as 0; nothing is ever divided or made negative.
FrameLayout layoutFrame(const std::optional<FrameSkinGeometry>& skin, const PixelView& mask, int width, int height,
                        const std::vector<FrameObjectInfo>& objects);

// The caption buttons laid out along a caption, in placing order: the
// first visible button of each command (close, maximise, minimise, roll-up,
// minimise to tray) whose picture lies in an active picture, then every
// such custom button. Standard buttons and animate objects take part.
std::vector<std::size_t> captionButtonsInPlacingOrder(const std::vector<FrameObjectInfo>& objects);
// The first such button of a command (-1: none).
int firstCaptionButton(const std::vector<FrameObjectInfo>& objects, StdCommand command);

// A window that is all client area (a full layered border carries its
// frame): no frame, no shape, no object on it.
FrameLayout layoutAllClient(int width, int height, std::size_t objectCount);

// A rectangle of the frame picture mapped to the window by the picture's
// corner zones (a rectangle in a corner moves with that corner, one that
// spans two zones grows between them).
Rect mapSkinRect(const FrameSkinGeometry& skin, const Rect& r, int width, int height);

// The size of a window whose client area is clientWidth × clientHeight.
struct FrameMargins {
    int left = 0, top = 0, right = 0, bottom = 0;
};
FrameMargins frameMargins(const std::optional<FrameSkinGeometry>& skin);

} // namespace tessaly::skin
