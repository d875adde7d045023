#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

namespace tessaly::skin {

// Enter or Escape that a control does not use itself (the single-line
// edit never breaks a line), offered to the control's window: the window's
// default button takes Enter. The edit needs to know nothing of buttons,
// and a window without a default button lets the key go.
class DialogKeyEvent : public QEvent {
public:
    explicit DialogKeyEvent(int key) : QEvent(eventType()), m_key(key) { setAccepted(false); }

    static QEvent::Type eventType()
    {
        static const QEvent::Type type = QEvent::Type(QEvent::registerEventType());
        return type;
    }

    int key() const { return m_key; }

private:
    int m_key;
};

// Offers `key` to the window of `control`; true when a button took it.
inline bool offerDialogKey(QWidget* control, int key)
{
    DialogKeyEvent event(key);
    QCoreApplication::sendEvent(control->window(), &event);
    return event.isAccepted();
}

} // namespace tessaly::skin
