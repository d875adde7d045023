#pragma once

// A private X display for tests that need real window behaviour: Xvfb on a
// free display number (-displayfd), the openbox window manager with our
// test configuration and, when asked, the xcompmgr compositing manager.
// Starting sets DISPLAY (and QT_QPA_PLATFORM=xcb) for the test process;
// stop() (or the destructor) ends the three programs, newest first.
//
// Use: create an X11Session before the QApplication, check ok(), run the
// tests, destroy the application, then the session.

#include <string>
#include <sys/types.h>
#include <vector>

namespace tessaly::test {

class X11Session {
public:
    struct Options {
        bool compositor = false;
        int width = 1280;
        int height = 1024;
    };

    X11Session();
    explicit X11Session(const Options& options);
    ~X11Session();
    X11Session(const X11Session&) = delete;
    X11Session& operator=(const X11Session&) = delete;

    // True when every program asked for runs and is ready.
    bool ok() const { return m_ok; }
    // Why starting failed.
    const std::string& error() const { return m_error; }
    // ":N"
    const std::string& display() const { return m_display; }
    void stop();

    // Runs a program of the session's display (xdotool, xprop …) and waits
    // for it; its exit status, or -1 when it could not run.
    int run(const std::vector<std::string>& argv) const;

private:
    bool start(const Options& options);
    // Starts a program of the session (descriptors without close-on-exec are inherited).
    pid_t spawn(const std::vector<std::string>& argv);
    bool waitFor(bool (*ready)(const std::string& display), int timeoutMs) const;

    std::vector<pid_t> m_children;
    std::string m_display;
    std::string m_error;
    bool m_ok = false;
};

// True when a window manager has started on the display and manages windows.
bool windowManagerRunning(const std::string& display);
// True when a compositing manager owns the display's _NET_WM_CM_S0 selection.
bool compositorRunning(const std::string& display);

} // namespace tessaly::test
