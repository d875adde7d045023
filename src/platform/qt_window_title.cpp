#include "platform/qt_window_title.h"

#include <QGuiApplication>
#include <QWidget>
#include <xcb/xcb.h>

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

void clearNativeWindowTitle(QWidget* window)
{
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->connection())
        return;
    xcb_connection_t* connection = x11->connection();
    const auto id = xcb_window_t(window->winId());
    const xcb_atom_t netWmName = internAtom(connection, "_NET_WM_NAME");
    const xcb_atom_t utf8String = internAtom(connection, "UTF8_STRING");
    if (netWmName != XCB_ATOM_NONE && utf8String != XCB_ATOM_NONE)
        xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, netWmName, utf8String, 8, 0, nullptr);
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8, 0, nullptr);
    xcb_flush(connection);
}

} // namespace tessaly::platform
