#pragma once

#include "skin_design.h"

#include <functional>

namespace skinart {

// The layered outer border: a soft shadow around the window, in a picture of
// its own whose window area (the client rectangle) stays clear. The border
// windows cut the picture into four strips at the corner points: the top
// strip is every row above the window, the bottom strip every row below it,
// the left and right strips the columns beside it. The shadow is drawn so
// that each strip's stretched or repeated part is the same all along it
// (the shadow beside an edge depends only on the distance from that edge),
// so the border fits a window of any size without seams.
//
// With a caption band (a full border) the picture also holds a caption bar
// of that many rows, coloured row by row by `captionRow`, right above the
// window: the shadow falls around bar and window together, and the top
// strip carries the bar. The caption and its buttons are drawn on it by the
// program, so the bar stretches like the shadow above it.
//
// Adds the active picture and its mask, and an inactive (shallower) picture
// with its mask, to the skin's pictures and records where everything lies.
void addLayerFrame(const LayerFramePalette& palette, const std::function<QColor(int)>& captionRow, SkinSources& skin);

// The shadow's opacity (0 .. 255) at the pixel (x, y) of a picture whose
// window lies at `client`; the margins give the shadow's reach on each side.
int shadowAlpha(const LayerFramePalette& palette, const QRect& client, int peak, int x, int y);

} // namespace skinart
