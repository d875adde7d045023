#include "platform/qt_skip_taskbar.h"
#include "platform/qt_xcb.h"

#include <QWidget>


namespace tessaly::platform {

void skipTaskbar(QWidget* window)
{
    xcb_connection_t* connection = x11Connection();
    if (!connection)
        return;
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
