#include "platform/qt_input_region.h"
#include "platform/qt_xcb.h"

#include <QRegion>
#include <QWidget>
#include <xcb/shape.h>

#include <vector>

namespace tessaly::platform {

void setInputRegion(QWidget* window, const QRegion& region)
{
    xcb_connection_t* connection = x11Connection();
    if (!connection || !window->testAttribute(Qt::WA_WState_Created))
        return;
    std::vector<xcb_rectangle_t> rectangles;
    for (const QRect& r : region)
        rectangles.push_back({std::int16_t(r.x()), std::int16_t(r.y()), std::uint16_t(r.width()),
                              std::uint16_t(r.height())});
    xcb_shape_rectangles(connection, XCB_SHAPE_SO_SET, XCB_SHAPE_SK_INPUT, XCB_CLIP_ORDERING_UNSORTED,
                         xcb_window_t(window->winId()), 0, 0, std::uint32_t(rectangles.size()),
                         rectangles.data());
    xcb_flush(connection);
}

} // namespace tessaly::platform
