#pragma once

#include <optional>

namespace tessaly::platform {

// Whether a compositing manager runs on the display, so that translucent
// top-level windows show as translucent rather than black. On X11: the
// selection _NET_WM_CM_S<screen> has an owner. Other platforms, and a
// program without a display connection, answer false.
bool compositingManagerRunning();

// Forces the answer (tests); none asks the display again.
void setCompositingManagerOverride(std::optional<bool> answer);

} // namespace tessaly::platform
