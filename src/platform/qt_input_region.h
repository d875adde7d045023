#pragma once

class QRegion;
class QWidget;

namespace tessaly::platform {

// Limits where a top-level window takes the pointer to a region (window
// coordinates); elsewhere the pointer passes through to what lies below,
// while the window's pixels still show everywhere. On X11 this is the
// window's input shape. Does nothing off X11 or before the window exists
// on the display.
void setInputRegion(QWidget* window, const QRegion& region);

} // namespace tessaly::platform
