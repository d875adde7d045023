#pragma once

#include <QPoint>
#include <Qt>

class QWidget;

namespace tessaly::platform {

// Hands a move (no edges) or a resize (the edges to size) of a top-level
// window with the left button down over to the window manager, which then
// follows the pointer until the button is released. False when there is no
// window manager to do it (the caller tracks the pointer itself). When the
// button is already up again, nothing is handed over and the answer is true:
// the move or resize is over.
//
// On X11 the request carries the pointer's position as the server has it:
// the window manager sizes from there, and Qt's own idea of a frameless
// window's place can lag behind where the window manager put it.
// `draggedBy`: how far (in the window's coordinates) the pointer has gone
// since the press the move answers; the window manager follows from the
// press, so the window keeps its place under the pointer.
bool startSystemMoveResize(QWidget* window, Qt::Edges edges, QPoint draggedBy = {});

// The left pointer button is down, as the display server sees it now (a
// window manager moving a window takes the pointer, so the program sees no
// release; this asks the server).
bool leftButtonDown();

} // namespace tessaly::platform
