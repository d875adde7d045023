#pragma once

// The shape of a top-level skinned window (frame, popup menu, hint) on any
// screen: the region in window coordinates, scaled to the screen's pixels
// by the rule of device_scale.h, so that the shape, the picture and the hit
// test of the window agree at every scale factor.

#include <optional>

#include "skin/paint/region.h"

class QWidget;

namespace tessaly::skin {

// None, or an empty region, gives the window its plain rectangle.
void setSkinWindowShape(QWidget* window, const std::optional<Region>& region);

} // namespace tessaly::skin
