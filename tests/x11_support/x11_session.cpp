#include "x11_session.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>
#include <xcb/xcb.h>

extern char** environ;

namespace x11test {

namespace {

using Clock = std::chrono::steady_clock;

// The openbox configuration beside this file (set by the build).
const char* openboxConfig() { return X11_SUPPORT_OPENBOX_RC; }

} // namespace

pid_t spawnQuiet(const char* program, const char* const argv[])
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = -1;
    const int rc = posix_spawnp(&pid, program, &actions, nullptr, const_cast<char* const*>(argv), environ);
    posix_spawn_file_actions_destroy(&actions);
    return rc == 0 ? pid : -1;
}

void terminate(pid_t& pid)
{
    if (pid <= 0)
        return;
    kill(pid, SIGTERM);
    const auto end = Clock::now() + std::chrono::seconds(1);
    int status = 0;
    while (waitpid(pid, &status, WNOHANG) == 0) {
        if (Clock::now() > end) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    pid = -1;
}

bool X11Session::start(const Options& options)
{
    stop();
    if (!startServer(options))
        return false;
    setRootColour(options.rootColour);
    if (options.windowManager && !startWindowManager())
        return false;
    if (options.compositor && !startCompositor())
        return false;
    return true;
}

bool X11Session::startServer(const Options& options)
{
    int fds[2];
    if (pipe(fds) != 0) {
        m_error = "pipe failed";
        return false;
    }
    const std::string fd = std::to_string(fds[1]);
    const std::string screen = std::to_string(options.width) + "x" + std::to_string(options.height) + "x24";
    const char* argv[] = {"Xvfb", "-displayfd", fd.c_str(), "-screen", "0", screen.c_str(), "-nolisten", "tcp",
                          "+extension", "Composite", "-noreset", nullptr};
    // Only the write end goes to the server; it is not close-on-exec.
    fcntl(fds[0], F_SETFD, FD_CLOEXEC);
    m_server = spawnQuiet("Xvfb", argv);
    close(fds[1]);
    if (m_server <= 0) {
        close(fds[0]);
        m_error = "cannot start Xvfb";
        return false;
    }
    // The server writes its display number and a newline when it is ready.
    std::string number;
    const auto end = Clock::now() + std::chrono::seconds(10);
    while (Clock::now() < end) {
        pollfd p{fds[0], POLLIN, 0};
        if (poll(&p, 1, 100) <= 0)
            continue;
        char c = 0;
        const ssize_t n = read(fds[0], &c, 1);
        if (n <= 0 || c == '\n')
            break;
        number += c;
    }
    close(fds[0]);
    if (number.empty()) {
        m_error = "Xvfb gave no display number";
        terminate(m_server);
        return false;
    }
    m_display = ":" + number;
    setenv("DISPLAY", m_display.c_str(), 1);
    return true;
}

bool X11Session::startWindowManager()
{
    const char* argv[] = {"openbox", "--config-file", openboxConfig(), "--sm-disable", nullptr};
    m_windowManager = spawnQuiet("openbox", argv);
    if (m_windowManager <= 0 || !waitForSelectionOwner("WM_S0", true, 10000) || !waitForWindowManagerReady(10000)) {
        m_error = "openbox did not start";
        return false;
    }
    return true;
}

bool X11Session::waitForWindowManagerReady(int timeoutMs)
{
    // The window manager announces itself on the root window once it
    // manages windows (after taking the selection).
    xcb_connection_t* c = xcb_connect(m_display.c_str(), nullptr);
    if (xcb_connection_has_error(c)) {
        xcb_disconnect(c);
        return false;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    const char name[] = "_NET_SUPPORTING_WM_CHECK";
    xcb_intern_atom_reply_t* atom =
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, sizeof(name) - 1, name), nullptr);
    const char listName[] = "_NET_CLIENT_LIST";
    xcb_intern_atom_reply_t* clientList =
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, sizeof(listName) - 1, listName), nullptr);
    bool ready = false;
    const auto end = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (atom && !ready && Clock::now() < end) {
        xcb_get_property_reply_t* p = xcb_get_property_reply(
            c, xcb_get_property(c, 0, root, atom->atom, XCB_ATOM_WINDOW, 0, 1), nullptr);
        ready = p && xcb_get_property_value_length(p) == 4;
        std::free(p);
        // The check window comes early in openbox's start; the client list
        // once it manages windows. Windows mapped in between may be left
        // unmanaged and never shown.
        if (ready) {
            xcb_get_property_reply_t* list = xcb_get_property_reply(
                c, xcb_get_property(c, 0, root, clientList ? clientList->atom : xcb_atom_t(XCB_ATOM_NONE), XCB_ATOM_WINDOW, 0, 1), nullptr);
            ready = clientList && list && list->type == XCB_ATOM_WINDOW;
            std::free(list);
        }
        if (!ready)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    std::free(atom);
    std::free(clientList);
    xcb_disconnect(c);
    return ready;
}

bool X11Session::startCompositor()
{
    if (m_compositor > 0)
        return true;
    const char* argv[] = {"xcompmgr", "-n", nullptr};
    m_compositor = spawnQuiet("xcompmgr", argv);
    if (m_compositor <= 0 || !waitForSelectionOwner("_NET_WM_CM_S0", true, 10000)) {
        m_error = "xcompmgr did not start";
        return false;
    }
    return true;
}

void X11Session::stopCompositor()
{
    if (m_compositor <= 0)
        return;
    terminate(m_compositor);
    waitForSelectionOwner("_NET_WM_CM_S0", false, 5000);
}

void X11Session::stop()
{
    terminate(m_compositor);
    terminate(m_windowManager);
    terminate(m_server);
}

bool X11Session::waitForSelectionOwner(const std::string& selection, bool owned, int timeoutMs)
{
    xcb_connection_t* c = xcb_connect(m_display.c_str(), nullptr);
    if (xcb_connection_has_error(c)) {
        xcb_disconnect(c);
        return false;
    }
    bool reached = false;
    xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(
        c, xcb_intern_atom(c, 0, uint16_t(selection.size()), selection.c_str()), nullptr);
    const auto end = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (atom && Clock::now() < end) {
        xcb_get_selection_owner_reply_t* owner =
            xcb_get_selection_owner_reply(c, xcb_get_selection_owner(c, atom->atom), nullptr);
        const bool has = owner && owner->owner != XCB_NONE;
        std::free(owner);
        if (has == owned) {
            reached = true;
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    std::free(atom);
    xcb_disconnect(c);
    return reached;
}

void X11Session::setRootColour(unsigned colour)
{
    xcb_connection_t* c = xcb_connect(m_display.c_str(), nullptr);
    if (!xcb_connection_has_error(c)) {
        xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
        // A 24-bit TrueColor root takes the colour as its pixel value.
        const uint32_t pixel = colour & 0xFFFFFFu;
        xcb_change_window_attributes(c, screen->root, XCB_CW_BACK_PIXEL, &pixel);
        xcb_clear_area(c, 0, screen->root, 0, 0, 0, 0);
        // A round trip: the server has done the above when it answers.
        std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
    }
    xcb_disconnect(c);
}

} // namespace x11test

int x11test::X11Session::run(const std::vector<std::string>& argv) const
{
    std::vector<char*> args;
    for (const std::string& argument : argv)
        args.push_back(const_cast<char*>(argument.c_str()));
    args.push_back(nullptr);
    pid_t pid = -1;
    if (::posix_spawnp(&pid, args[0], nullptr, nullptr, args.data(), environ) != 0)
        return -1;
    int status = 0;
    if (::waitpid(pid, &status, 0) != pid || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}
