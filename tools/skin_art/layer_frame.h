#pragma once

#include "skin_design.h"

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
// Adds the active picture and its mask, and an inactive (shallower) picture
// with its mask, to the skin's pictures and records where everything lies.
void addLayerFrame(const LayerFramePalette& palette, SkinSources& skin);

// The shadow's opacity (0 .. 255) at the pixel (x, y) of a picture whose
// window lies at `client`; the margins give the shadow's reach on each side.
int shadowAlpha(const LayerFramePalette& palette, const QRect& client, int peak, int x, int y);

} // namespace skinart
