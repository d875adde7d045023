#include "platform/qt_native_pointer.h"
#include "platform/qt_xcb.h"

#include <QWidget>
#include <cstdlib>

namespace tessaly::platform {

std::optional<QPoint> nativePointerIn(const QWidget* window)
{
    xcb_connection_t* c = x11Connection();
    if (!c || !window->testAttribute(Qt::WA_WState_Created))
        return std::nullopt;
    auto* reply = xcb_query_pointer_reply(c, xcb_query_pointer(c, xcb_window_t(window->winId())), nullptr);
    if (!reply)
        return std::nullopt;
    std::optional<QPoint> at;
    if (reply->same_screen)
        at = QPoint(reply->win_x, reply->win_y);
    std::free(reply);
    return at;
}

} // namespace tessaly::platform
