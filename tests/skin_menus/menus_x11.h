#pragma once

#include "x11_session.h"

namespace tessaly::skin::test {
// The display the X11 tests run on.
extern x11test::X11Session* x11;
} // namespace tessaly::skin::test
