#pragma once

class QWidget;

namespace tessaly::platform {

// Asks the window manager to leave a top-level window out of task bars and
// pagers (_NET_WM_STATE_SKIP_TASKBAR, _NET_WM_STATE_SKIP_PAGER): for helper
// windows that belong to another window. Call it before the window is
// shown; Qt keeps the states it does not set itself. Does nothing off X11.
void skipTaskbar(QWidget* window);

} // namespace tessaly::platform
