#pragma once

// Composition of images of any size from pieces of a skin picture:
// nine-piece images, three-piece rows and columns, and frame strips.
//
// Geometry of a nine-piece image: four cut points and a client rectangle,
// relative to the top-left corner of the skin rectangle in the picture
// (the record's ltPoint, rtPoint, lbPoint, rbPoint and clRect), and the same
// geometry for the size being made (the consumer's new points and client
// rectangle). "Stretch" copies a piece once into a whole span (nearest
// neighbour); "tile" repeats it at its own size, the last copy cut.
// Source pixels outside the picture are never read: destination pixels
// they would give are left as they are.

#include "skin/data/geometry.h"
#include "skin/data/skin_types.h"
#include "skin/paint/bitmap.h"

namespace tessaly::skin {

struct NineGeometry {
    Point lt;
    Point rt;
    Point lb;
    Point rb;
    Rect client;
};

struct EdgeStretch {
    bool left = false;
    bool top = false;
    bool right = false;
    bool bottom = false;
};

struct FrameStrips {
    Bitmap top;
    Bitmap bottom;
    Bitmap left;
    Bitmap right;
};

// Copies the source rectangle into the destination rectangle, stretched
// (nearest neighbour) when the sizes differ. Pixels are replaced.
void copyPiece(PixelView source, const Rect& srcRect, Bitmap& dest, const Rect& dstRect);

// Lays a piece over a span: along each axis either tiled (repeated at its
// own size from the span's start, the last copy cut) or stretched.
void layPiece(PixelView source, const Rect& piece, Bitmap& dest, const Rect& span, bool tileX, bool tileY);

// The nine-piece composition: dest becomes width × height (empty when either
// is 0 or less); edges, then the eight fixed pieces (the right-hand ones after
// the left-hand ones, so the right corner wins where corners overlap), then
// the client when drawClient is set (stretched by stretchType when
// clientStretch is set, tiled otherwise).
void composeSkinImage(Bitmap& dest, PixelView picture, const Rect& skinRect, const NineGeometry& cut,
                      const NineGeometry& target, int width, int height, bool drawClient,
                      const EdgeStretch& stretch, bool clientStretch, StretchType stretchType);

// Nine-piece composition at dest's current size with the cut points at the
// client rectangle's corners, everything stretched.
void composeSimpleSkinImage(Bitmap& dest, PixelView picture, const Rect& skinRect, bool drawClient,
                            const Rect& clRect);

// Three pieces in a row: dest becomes width × the source rectangle's height
// (the height argument is not used); left and right ends, the middle tiled
// or stretched between them.
void composeHorzSkinImage(int leftWidth, int rightWidth, Bitmap& dest, PixelView picture, const Rect& source,
                          int width, int height, bool stretch);

// Three pieces in a column: dest becomes the source rectangle's width (the
// width argument is not used) × height.
void composeVertSkinImage(int topHeight, int bottomHeight, Bitmap& dest, PixelView picture, const Rect& source,
                          int width, int height, bool stretch);

// The four frame strips (top, bottom, left, right) of a width × height
// window; a strip that cannot be built stays empty. Tiled edges start at the
// strip's origin.
FrameStrips buildFrameStrips(PixelView picture, const Rect& skinRect, const NineGeometry& cut,
                             const NineGeometry& target, int width, int height, const EdgeStretch& stretch);
// The same into strips kept from an earlier size, whose memory is reused
// (a window being resized builds its strips on every step). Strips that
// cannot be built become empty; the strips' flags are left as they are.
void buildFrameStrips(FrameStrips& strips, PixelView picture, const Rect& skinRect, const NineGeometry& cut,
                      const NineGeometry& target, int width, int height, const EdgeStretch& stretch);

// The four strips of a mask picture (used whole) for a window of the given
// width; pieces are always tiled.
FrameStrips buildMaskStrips(PixelView mask, const NineGeometry& cut, const NineGeometry& target, int width);

} // namespace tessaly::skin
