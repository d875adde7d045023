#include "x11_session.h"

#include <xcb/xcb.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace tessaly::test {

namespace {

xcb_atom_t atom(xcb_connection_t* c, const char* name)
{
    xcb_intern_atom_reply_t* reply =
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 1, uint16_t(std::strlen(name)), name), nullptr);
    const xcb_atom_t a = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    return a;
}

// Opens the display, runs the check, closes it.
template <class Check>
bool withConnection(const std::string& display, Check check)
{
    xcb_connection_t* c = xcb_connect(display.c_str(), nullptr);
    if (!c || xcb_connection_has_error(c)) {
        if (c)
            xcb_disconnect(c);
        return false;
    }
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    const bool result = check(c, screen);
    xcb_disconnect(c);
    return result;
}

// Where the test configuration of openbox lies (beside the sources).
std::string openboxConfig() { return std::string(TESSALY_X11_SESSION_DIR) + "/openbox-rc.xml"; }

} // namespace

bool windowManagerRunning(const std::string& display)
{
    return withConnection(display, [](xcb_connection_t* c, const xcb_screen_t* screen) {
        // The check window comes early in a window manager's start; the
        // client list comes once it manages windows. Windows mapped in
        // between may be left unmanaged and never shown.
        auto has = [&](const char* name, xcb_atom_t type) {
            xcb_get_property_reply_t* reply = xcb_get_property_reply(
                c, xcb_get_property(c, 0, screen->root, atom(c, name), type, 0, 1), nullptr);
            const bool found = reply && reply->type == type;
            std::free(reply);
            return found;
        };
        return has("_NET_SUPPORTING_WM_CHECK", XCB_ATOM_WINDOW) && has("_NET_CLIENT_LIST", XCB_ATOM_WINDOW);
    });
}

bool compositorRunning(const std::string& display)
{
    return withConnection(display, [](xcb_connection_t* c, const xcb_screen_t*) {
        const xcb_atom_t selection = atom(c, "_NET_WM_CM_S0");
        xcb_get_selection_owner_reply_t* reply =
            xcb_get_selection_owner_reply(c, xcb_get_selection_owner(c, selection), nullptr);
        const bool owned = reply && reply->owner != XCB_WINDOW_NONE;
        std::free(reply);
        return owned;
    });
}

X11Session::X11Session()
    : X11Session(Options{})
{
}

X11Session::X11Session(const Options& options) { m_ok = start(options); }

X11Session::~X11Session() { stop(); }

pid_t X11Session::spawn(const std::vector<std::string>& argv)
{
    std::vector<char*> args;
    for (const std::string& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    const pid_t parent = getpid();
    const pid_t pid = fork();
    if (pid == 0) {
        // The programs end with the test process, also when it crashes.
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        if (getppid() != parent)
            _exit(127);
        // Their chatter stays out of the test output.
        const int null = open("/dev/null", O_WRONLY);
        if (null >= 0) {
            dup2(null, 1);
            dup2(null, 2);
        }
        execvp(args[0], args.data());
        _exit(127);
    }
    if (pid > 0)
        m_children.push_back(pid);
    return pid;
}

bool X11Session::waitFor(bool (*ready)(const std::string& display), int timeoutMs) const
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (std::chrono::steady_clock::now() < end) {
        if (ready(m_display))
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
}

bool X11Session::start(const Options& options)
{
    // Xvfb writes the display number it chose to the descriptor, once ready.
    int fds[2];
    if (pipe(fds) != 0) {
        m_error = "pipe failed";
        return false;
    }
    fcntl(fds[0], F_SETFD, FD_CLOEXEC);
    const std::string screen = std::to_string(options.width) + "x" + std::to_string(options.height) + "x24";
    const pid_t xvfb = spawn({"Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0", screen, "-nolisten",
                              "tcp", "-noreset"});
    close(fds[1]);
    if (xvfb <= 0) {
        close(fds[0]);
        m_error = "Xvfb could not start";
        return false;
    }
    std::string number;
    pollfd p{fds[0], POLLIN, 0};
    char ch;
    while (poll(&p, 1, 10000) > 0 && read(fds[0], &ch, 1) == 1 && ch != '\n')
        number += ch;
    close(fds[0]);
    if (number.empty()) {
        m_error = "Xvfb did not report a display";
        return false;
    }
    m_display = ":" + number;
    setenv("DISPLAY", m_display.c_str(), 1);
    setenv("QT_QPA_PLATFORM", "xcb", 1);

    if (spawn({"openbox", "--sm-disable", "--config-file", openboxConfig()}) <= 0 ||
        !waitFor(windowManagerRunning, 10000)) {
        m_error = "openbox did not start";
        return false;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    if (options.compositor && (spawn({"xcompmgr", "-n"}) <= 0 || !waitFor(compositorRunning, 10000))) {
        m_error = "xcompmgr did not start";
        return false;
    }
    return true;
}

int X11Session::run(const std::vector<std::string>& argv) const
{
    std::vector<char*> args;
    for (const std::string& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    pid_t pid = -1;
    if (posix_spawnp(&pid, args[0], nullptr, nullptr, args.data(), environ) != 0)
        return -1;
    int status = 0;
    if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

void X11Session::stop()
{
    // Newest first: the compositor and the window manager before the server.
    while (!m_children.empty()) {
        const pid_t pid = m_children.back();
        m_children.pop_back();
        kill(pid, SIGTERM);
        int status = 0;
        for (int i = 0; i < 100 && waitpid(pid, &status, WNOHANG) == 0; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        if (waitpid(pid, &status, WNOHANG) == 0) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
        }
    }
    m_ok = false;
}

} // namespace tessaly::test
