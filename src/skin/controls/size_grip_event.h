#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QPoint>
#include <QWidget>

namespace tessaly::skin {

// A size grip inside a window (the status bar's) asks the window's frame
// to size the window by its bottom-right corner, as a press on that corner
// of the frame would: the grip sends the press, the moves and the release
// of the pointer, in screen coordinates. A window without a frame leaves
// the event unaccepted, and the grip sizes the window itself.
class SizeGripEvent : public QEvent {
public:
    enum class Phase { Press, Move, Release };

    SizeGripEvent(Phase phase, QPoint global)
        : QEvent(eventType())
        , m_phase(phase)
        , m_global(global)
    {
        setAccepted(false);
    }

    static QEvent::Type eventType()
    {
        static const QEvent::Type type = QEvent::Type(QEvent::registerEventType());
        return type;
    }

    Phase phase() const { return m_phase; }
    QPoint globalPosition() const { return m_global; }

private:
    Phase m_phase;
    QPoint m_global;
};

// Hands a phase of the grip's drag to the window of `grip`; true when its
// frame took it.
inline bool offerSizeGrip(QWidget* grip, SizeGripEvent::Phase phase, QPoint global)
{
    SizeGripEvent event(phase, global);
    QCoreApplication::sendEvent(grip->window(), &event);
    return event.isAccepted();
}

} // namespace tessaly::skin
