#pragma once

// The geometry of a skinned control: how a control record's picture
// rectangle is cut and grown to the control's size, which sizes the record
// allows, and the face composed for one state. Plain C++: the Qt controls
// and the tests that check their pixels share it.

#include "skin/data/control_records.h"
#include "skin/data/geometry.h"
#include "skin/paint/bitmap.h"
#include "skin/paint/compose.h"

namespace tessaly::skin {

// How a face is made from the record, decided by which cut points it sets.
enum class ResizeMode {
    None = -1,      // empty skin rectangle: nothing is drawn
    Fixed = 0,      // the whole skin rectangle, the control keeps its size
    NinePiece = 1,  // width and height free
    Horizontal = 2, // three pieces side by side, height fixed to the skin's
    Vertical = 3,   // three pieces stacked, width fixed to the skin's
};

ResizeMode resizeModeOf(const DataSkinCustomControl& record);

// The record's geometry as a control reads it, and that geometry grown to
// the control's current size.
struct ControlGeometry {
    ResizeMode mode = ResizeMode::None;
    Rect skinRect;
    NineGeometry cut;     // the record's points and client rectangle
    NineGeometry target;  // the same for the current size
    EdgeStretch stretch;
    bool stretchEffect = false;
    StretchType stretchType = StretchType::Full;

    static ControlGeometry of(const DataSkinCustomControl& record);

    // The size the record allows for a requested size (the record's own
    // rule), and the grown geometry for it in target.
    void calcSkinSize(int& width, int& height);
    // The buttons' rule when they do not keep the skin's size: any size,
    // the client rectangle grown by the difference.
    void growClientOnly(int width, int height);
};

// A rectangle of the skin (a caption, a marker) carried to the control's
// size: it moves or grows with the pieces of the record's kind that hold
// its corners (kind 1: the corner pieces; kind 2: left, middle, right;
// kind 3: top, middle, bottom).
Rect mapRectToSize(const ControlGeometry& geometry, const Rect& rect, int width, int height);

// The face of a control from the record's rule (nine pieces, three in a
// row or a column, or the rectangle as it is) taken from `source` (the
// skin rectangle or the rectangle of a state, of the skin rectangle's
// size) at width × height. An empty source rectangle leaves dest as it is.
void composeRecordFace(Bitmap& dest, PixelView picture, const ControlGeometry& geometry, const Rect& source,
                       int width, int height);

// The buttons' face when they do not keep the skin's size: the source cut
// at the corners of the client rectangle, every piece stretched (kind 0:
// the source stretched over the whole face).
void composeStretchedFace(Bitmap& dest, PixelView picture, const ControlGeometry& geometry, const Rect& source,
                          int width, int height);

} // namespace tessaly::skin
