#include "skin/frame/pointer_sizing.h"

#include <QApplication>
#include <QTimerEvent>

#include "platform/qt_frameless_window.h"
#include "platform/qt_geometry.h"
#include "platform/qt_system_move.h"
#include "skin/frame/frame_cursor.h"
#include "skin/frame/frame_sizing.h"
#include "skin/frame/skin_frame.h"

namespace tessaly::skin {

PointerSizing::PointerSizing(SkinFrame& frame)
    : m_frame(frame)
{
}

bool PointerSizing::sizableNow() const
{
    return m_frame.resizable() && m_frame.windowState() == WindowState::Normal && !m_frame.rollUpState();
}

void PointerSizing::start(FrameHit grip, const QPoint& global, QPoint draggedBy)
{
    // A maximised window stays where it is.
    if (grip == FrameHit::Caption && m_frame.windowState() == WindowState::Maximized)
        return;
    // The window system tells nothing when a move or resize starts: what
    // would happen then happens here.
    m_frame.captionButtons().release();
    QWidget* window = m_frame.window();
    m_activeAtStart = window->isActiveWindow();
    m_running = true;
    if (platform::startSystemMoveResize(window, edgesForHit(grip), draggedBy)) {
        // The platform tells nothing when it ends: the button is watched.
        m_buttonWatch.start(kButtonWatchInterval, this);
        return;
    }
    // No window manager to do it: the frame follows the pointer itself.
    m_drag = {true, grip, global, platform::toRect(window->geometry())};
}

void PointerSizing::arm(FrameHit grip, const QPoint& global)
{
    if (grip == FrameHit::Caption && m_frame.windowState() == WindowState::Maximized)
        return;
    m_armed = Armed{grip, global};
}

bool PointerSizing::startOnceDragged(const QPoint& global)
{
    if (!m_armed)
        return false;
    if ((global - m_armed->pressGlobal).manhattanLength() < QApplication::startDragDistance())
        return false;
    const Armed armed = *m_armed;
    m_armed.reset();
    // Moved from the press, so the window keeps its place under the pointer.
    start(armed.grip, armed.pressGlobal, global - armed.pressGlobal);
    follow(global);
    return true;
}

bool PointerSizing::follow(const QPoint& global)
{
    if (!m_drag.active)
        return false;
    const QPoint d = global - m_drag.startGlobal;
    const FrameSizeLimits& limits = m_frame.sizeLimits();
    const Rect r = dragBounds(m_drag.grip, m_drag.startBounds, d.x(), d.y(),
                              {limits.getMinWidth(), limits.getMinHeight()},
                              {limits.getMaxWidth(), limits.getMaxHeight()});
    m_frame.window()->setGeometry(platform::toQRect(r));
    return true;
}

bool PointerSizing::endUnlessButtonHeld()
{
    if (!m_running)
        return true;
    if (platform::leftButtonDown())
        return false;
    end();
    return true;
}

void PointerSizing::trackBorder(const QPoint& global, bool released)
{
    if (!m_drag.active)
        return;
    if (released)
        end();
    else
        follow(global);
}

void PointerSizing::endHandedOver()
{
    if (m_running && !m_drag.active)
        end();
}

void PointerSizing::end()
{
    m_armed.reset();
    m_buttonWatch.stop();
    m_running = false;
    m_drag.active = false;
    m_frame.sizeMoveEnded();
}

void PointerSizing::timerEvent(QTimerEvent* event)
{
    if (event->timerId() != m_buttonWatch.timerId())
        QObject::timerEvent(event);
    else if (!platform::leftButtonDown())
        end();
}

} // namespace tessaly::skin
