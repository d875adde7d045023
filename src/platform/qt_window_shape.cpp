#include "platform/qt_window_shape.h"
#include "platform/qt_xcb.h"

#include <QEvent>
#include <QRegion>
#include <QWidget>
#include <xcb/shape.h>

#include <vector>

namespace tessaly::platform {

namespace {

void setX11BoundingShape(xcb_connection_t* connection, QWidget* window, const QRegion& device)
{
    const auto id = xcb_window_t(window->winId());
    if (device.isEmpty()) {
        xcb_shape_mask(connection, XCB_SHAPE_SO_SET, XCB_SHAPE_SK_BOUNDING, id, 0, 0, XCB_NONE);
    } else {
        std::vector<xcb_rectangle_t> rectangles;
        for (const QRect& r : device)
            rectangles.push_back({std::int16_t(r.x()), std::int16_t(r.y()), std::uint16_t(r.width()),
                                  std::uint16_t(r.height())});
        xcb_shape_rectangles(connection, XCB_SHAPE_SO_SET, XCB_SHAPE_SK_BOUNDING, XCB_CLIP_ORDERING_UNSORTED, id, 0,
                             0, std::uint32_t(rectangles.size()), rectangles.data());
    }
    xcb_flush(connection);
}

// Keeps a window's device shape and gives it to the X window whenever the
// window is shown: a shape set before the window exists on the display, or
// while it is hidden, must still reach it.
class DeviceShapeKeeper : public QObject {
public:
    explicit DeviceShapeKeeper(QWidget* window) : QObject(window), m_window(window)
    {
        setObjectName(QStringLiteral("deviceShapeKeeper"));
        window->installEventFilter(this);
    }

    void setShape(const QRegion& device)
    {
        m_device = device;
        apply();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == m_window && event->type() == QEvent::Show)
            apply();
        return false;
    }

private:
    void apply()
    {
        xcb_connection_t* connection = x11Connection();
        if (connection && m_window->testAttribute(Qt::WA_WState_Created))
            setX11BoundingShape(connection, m_window, m_device);
    }

    QWidget* m_window;
    QRegion m_device;
};

} // namespace

void setWindowShape(QWidget* window, const QRegion& logical, const QRegion& device)
{
    xcb_connection_t* connection = x11Connection();
    const bool dense = window->devicePixelRatioF() != 1.0;
    if (!dense || !connection) {
        if (logical.isEmpty())
            window->clearMask();
        else
            window->setMask(logical);
        return;
    }
    // Qt's own mask would replace the shape set here whenever it applies it.
    if (!window->mask().isEmpty())
        window->clearMask();
    auto* keeper = window->findChild<DeviceShapeKeeper*>(QStringLiteral("deviceShapeKeeper"), Qt::FindDirectChildrenOnly);
    if (!keeper)
        keeper = new DeviceShapeKeeper(window);
    keeper->setShape(device);
}

} // namespace tessaly::platform
