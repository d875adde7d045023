#include "platform/qt_frameless_window.h"

namespace tessaly::platform {

FramelessWindow::FramelessWindow(QWidget* parent, Qt::WindowFlags extraFlags)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | extraFlags)
    , m_clientArea(new QWidget(this))
{
    // The frame paints every pixel of the window, so Qt need not clear it.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    // Hover over caption buttons needs moves without a pressed button.
    // Moves over the client area pass on to the window too (the client area
    // ignores them), so the frame sees the pointer leave its buttons.
    setMouseTracking(true);
    m_clientArea->setMouseTracking(true);
    m_clientArea->setObjectName(QStringLiteral("clientArea"));
}

} // namespace tessaly::platform
