#pragma once

class QRegion;
class QWidget;

namespace tessaly::platform {

// Gives a top-level window its shape. `logical` is the shape in window
// coordinates, `device` the same shape in the screen's pixels as the
// caller scaled it. At one device pixel per logical pixel, or off X11,
// the logical shape becomes the widget's mask. On a dense X11 screen the
// device shape becomes the window's X shape as it is: Qt would scale the
// mask's rectangles one by one, with rounding of its own, and the shape
// would no longer be the one the window's hit test and picture use. The
// shape is kept and given again whenever the window is shown, so a window
// not yet on the display takes it too. An empty region means no shape.
void setWindowShape(QWidget* window, const QRegion& logical, const QRegion& device);

} // namespace tessaly::platform
