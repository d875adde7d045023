#pragma once

// A private X display for tests that need real window behaviour: Xvfb
// started with -displayfd (it picks a free display number itself), the
// openbox window manager with our test configuration, and optionally the
// xcompmgr compositing manager. Everything started is stopped again by
// stop() or the destructor. Self-contained: only POSIX and xcb.

#include <string>
#include <vector>
#include <sys/types.h>

namespace x11test {

class X11Session {
public:
    struct Options {
        int width = 1280;
        int height = 1024;
        bool windowManager = true;
        bool compositor = false;
        // The plain desktop colour (0xRRGGBB) of the root window.
        unsigned rootColour = 0x3A6EA5;
    };

    X11Session() = default;
    ~X11Session() { stop(); }
    X11Session(const X11Session&) = delete;
    X11Session& operator=(const X11Session&) = delete;

    // Starts the display and sets DISPLAY for this process. Returns false
    // (with error() telling why) when something could not be started.
    bool start(const Options& options);
    bool start() { return start(Options{}); }
    void stop();

    bool startCompositor();
    void stopCompositor();
    bool compositorRunning() const { return m_compositor > 0; }

    // ":N"
    const std::string& display() const { return m_display; }

    // Runs a program on the session's display (xdotool, xprop ...) and
    // waits for it: its exit status, or -1 when it could not run.
    int run(const std::vector<std::string>& argv) const;
    const std::string& error() const { return m_error; }

private:
    bool startServer(const Options& options);
    bool startWindowManager();
    bool waitForWindowManagerReady(int timeoutMs);
    bool waitForSelectionOwner(const std::string& selection, bool owned, int timeoutMs);
    void setRootColour(unsigned colour);

    pid_t m_server = -1;
    pid_t m_windowManager = -1;
    pid_t m_compositor = -1;
    std::string m_display;
    std::string m_error;
};

// Spawns a program with arguments, standard output and error sent to
// /dev/null; -1 when it cannot be started.
pid_t spawnQuiet(const char* program, const char* const argv[]);
// Sends SIGTERM and waits (SIGKILL after a second).
void terminate(pid_t& pid);

} // namespace x11test
