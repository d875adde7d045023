#pragma once

class QWidget;

namespace tessaly::platform {

// Gives a top-level window an empty title where the window manager reads it.
// Qt never hands an empty title to the window manager: it shows the
// application's name instead. Does nothing off X11.
void clearNativeWindowTitle(QWidget* window);

} // namespace tessaly::platform
