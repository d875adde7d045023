#pragma once

#include "x11_session.h"

#include <functional>

namespace x11test {

// The main program of a test or screenshot program on a display of its own:
// starts the display with the options, makes Qt use it (also when the
// caller asked for the off-screen platform), runs `body` while a
// QApplication lives (closing the last window does not end it), then stops
// the display. Answers what the body answers, or 1 when the display could
// not be started.
int runOnOwnDisplay(int& argc, char** argv, const X11Session::Options& options,
                    const std::function<int(X11Session&)>& body);

} // namespace x11test
