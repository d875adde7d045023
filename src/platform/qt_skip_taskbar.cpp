#include "platform/qt_skip_taskbar.h"

#include <QGuiApplication>
#include <QWidget>
#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>

namespace tessaly::platform {

namespace {

xcb_atom_t internAtom(xcb_connection_t* connection, const char* name)
{
    const xcb_intern_atom_cookie_t cookie = xcb_intern_atom(connection, 0, std::uint16_t(std::strlen(name)), name);
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
    const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    return atom;
}

} // namespace

void skipTaskbar(QWidget* window)
{
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->connection())
        return;
    xcb_connection_t* connection = x11->connection();
    const auto id = xcb_window_t(window->winId());
    const xcb_atom_t state = internAtom(connection, "_NET_WM_STATE");
    const xcb_atom_t skip[] = {internAtom(connection, "_NET_WM_STATE_SKIP_TASKBAR"),
                               internAtom(connection, "_NET_WM_STATE_SKIP_PAGER")};
    if (state == XCB_ATOM_NONE)
        return;
    // Appended: states already there stay.
    xcb_change_property(connection, XCB_PROP_MODE_APPEND, id, state, XCB_ATOM_ATOM, 32, 2, skip);
    xcb_flush(connection);
}

} // namespace tessaly::platform
