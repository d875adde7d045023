#pragma once

// Size limits of a skinned window and the bounds of a window sized or moved
// by the frame's own pointer tracking. Plain C++: tested without a display.

#include <optional>
#include <vector>

#include "skin/data/geometry.h"
#include "skin/frame/frame_layout.h"

namespace tessaly::skin {

// The window's own size settings (0: none).
struct FrameSizeSettings {
    int minWidth = 0;
    int minHeight = 0;
    int maxWidth = 0;
    int maxHeight = 0;
};

// What the window state changes about the limits.
struct FrameSizeState {
    bool rolledUp = false;
    bool minimised = false;
};

// The smallest width and height the window may take: from the skin's
// minimum (or, without one, the frame picture) and the window's own
// setting; the default look has a floor of 120 pixels and its caption bar.
int frameMinWidth(const std::optional<FrameSkinGeometry>& skin, const FrameSizeSettings& settings,
                  const FrameSizeState& state);
int frameMinHeight(const std::optional<FrameSkinGeometry>& skin, const FrameSizeSettings& settings,
                   const FrameSizeState& state);
// The largest: the window's own setting, else the work area's size.
int frameMaxWidth(const FrameSizeSettings& settings, int workAreaWidth);
int frameMaxHeight(const FrameSizeSettings& settings, int workAreaHeight);

// The default look's smallest width.
inline constexpr int kDefaultMinWidth = 120;

// The bounds of a window whose frame part `grip` (the caption moves, an edge
// or corner sizes) was dragged by (dx, dy) from the bounds `start`. The
// edges opposite the grip stay where they are; the size stays within
// [minSize, maxSize] (x: width, y: height; a maximum of 0 or less is no
// limit).
Rect dragBounds(FrameHit grip, const Rect& start, int dx, int dy, Point minSize, Point maxSize);

// Where a secondary window minimised to its caption bar goes: the first
// free place of a grid filled from the bottom-left corner of the work area,
// rightwards in steps of the bar's width, a row higher whenever less than
// two widths would be left on the right; past the top the bottom row is
// used again. `taken` holds the places of other minimised windows.
Point minimisedSlot(const Rect& workArea, int width, int height, const std::vector<Point>& taken);

} // namespace tessaly::skin
