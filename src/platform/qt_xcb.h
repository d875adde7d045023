#pragma once

// The program's X connection, for what Qt does not offer: window
// properties, the pointer as the server sees it, selections, messages to
// the window manager.

#include <xcb/xcb.h>

namespace tessaly::platform {

// Qt's connection to the X server; null on other platforms or without a
// display.
xcb_connection_t* x11Connection();

// The atom of a name (XCB_ATOM_NONE when the server does not answer).
xcb_atom_t internAtom(xcb_connection_t* connection, const char* name);

} // namespace tessaly::platform
