#pragma once

#include <QPoint>
#include <optional>

class QWidget;

namespace tessaly::platform {

// Where the pointer is over a window in the screen's own pixels, as the
// window system says: on a dense screen Qt hands widgets the pointer
// rounded to whole logical coordinates, which can be half a logical pixel
// off the screen pixel under it. Nothing off X11 or before the window
// exists on the display.
std::optional<QPoint> nativePointerIn(const QWidget* window);

} // namespace tessaly::platform
