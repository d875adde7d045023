#include "platform/qt_window_title.h"
#include "platform/qt_xcb.h"

#include <QWidget>


namespace tessaly::platform {

void clearNativeWindowTitle(QWidget* window)
{
    xcb_connection_t* connection = x11Connection();
    if (!connection)
        return;
    const auto id = xcb_window_t(window->winId());
    const xcb_atom_t netWmName = internAtom(connection, "_NET_WM_NAME");
    const xcb_atom_t utf8String = internAtom(connection, "UTF8_STRING");
    if (netWmName != XCB_ATOM_NONE && utf8String != XCB_ATOM_NONE)
        xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, netWmName, utf8String, 8, 0, nullptr);
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8, 0, nullptr);
    xcb_flush(connection);
}

} // namespace tessaly::platform
