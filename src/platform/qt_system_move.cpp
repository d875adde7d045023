#include "platform/qt_system_move.h"
#include "platform/qt_xcb.h"

#include <QGuiApplication>
#include <QWidget>
#include <QWindow>
#include <QtGui/qguiapplication_platform.h>

#include <cstdlib>
#include <cstring>

namespace tessaly::platform {

namespace {

// A window manager that follows the extended hints runs: the root window
// names its check window.
bool windowManagerRunning(xcb_connection_t* c, xcb_window_t root)
{
    const xcb_atom_t check = internAtom(c, "_NET_SUPPORTING_WM_CHECK");
    auto* reply =
        xcb_get_property_reply(c, xcb_get_property(c, 0, root, check, XCB_ATOM_WINDOW, 0, 1), nullptr);
    const bool running = reply && xcb_get_property_value_length(reply) == 4;
    std::free(reply);
    return running;
}

// _NET_WM_MOVERESIZE directions.
uint32_t direction(Qt::Edges edges)
{
    const bool l = edges & Qt::LeftEdge, r = edges & Qt::RightEdge, t = edges & Qt::TopEdge,
               b = edges & Qt::BottomEdge;
    if (t && l) return 0;
    if (t && r) return 2;
    if (b && r) return 4;
    if (b && l) return 6;
    if (t) return 1;
    if (r) return 3;
    if (b) return 5;
    if (l) return 7;
    return 8; // move
}

bool x11MoveResize(QWidget* window, Qt::Edges edges, QPoint draggedBy, xcb_connection_t* c)
{
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    if (!screen || !windowManagerRunning(c, screen->root))
        return false;
    auto* pointer = xcb_query_pointer_reply(c, xcb_query_pointer(c, screen->root), nullptr);
    if (!pointer)
        return false;
    // The server counts device pixels.
    const qreal ratio = window->devicePixelRatioF();
    const int x = pointer->root_x - qRound(draggedBy.x() * ratio);
    const int y = pointer->root_y - qRound(draggedBy.y() * ratio);
    const bool buttonDown = pointer->mask & XCB_BUTTON_MASK_1;
    std::free(pointer);
    // A quick click is over before its press is handled: a move started now
    // would wait for a release that has already happened, and the window
    // would follow the pointer until the next click. There is nothing left
    // to hand over.
    if (!buttonDown)
        return true;

    // The press gave this program the pointer; the window manager needs it.
    xcb_ungrab_pointer(c, XCB_CURRENT_TIME);
    xcb_client_message_event_t event;
    std::memset(&event, 0, sizeof event);
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = xcb_window_t(window->winId());
    event.type = internAtom(c, "_NET_WM_MOVERESIZE");
    event.data.data32[0] = uint32_t(x);
    event.data.data32[1] = uint32_t(y);
    event.data.data32[2] = direction(edges);
    event.data.data32[3] = 1; // left button
    event.data.data32[4] = 1; // a normal application
    xcb_send_event(c, 0, screen->root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&event));
    xcb_flush(c);
    return true;
}

} // namespace

bool startSystemMoveResize(QWidget* window, Qt::Edges edges, QPoint draggedBy)
{
    if (xcb_connection_t* c = x11Connection())
        return x11MoveResize(window, edges, draggedBy, c);
    QWindow* handle = window->windowHandle();
    if (!handle)
        return false;
    return edges == Qt::Edges() ? handle->startSystemMove() : handle->startSystemResize(edges);
}

bool leftButtonDown()
{
    xcb_connection_t* c = x11Connection();
    if (!c)
        return QGuiApplication::mouseButtons() & Qt::LeftButton;
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    auto* pointer = xcb_query_pointer_reply(c, xcb_query_pointer(c, screen->root), nullptr);
    const bool down = pointer && (pointer->mask & XCB_BUTTON_MASK_1);
    std::free(pointer);
    return down;
}

} // namespace tessaly::platform
