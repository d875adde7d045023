#pragma once

#include <QEvent>

namespace tessaly::skin {

class SkinData;

// A skin registry's notice (SKINMSG_BEFORE_CHANGE …) as it reaches a
// window and, relayed by the window's frame (relaySkinNotice), the window's
// controls. Always delivered synchronously (QCoreApplication::sendEvent).
class SkinNoticeEvent : public QEvent {
public:
    SkinNoticeEvent(int message, const SkinData* sender)
        : QEvent(eventType())
        , m_message(message)
        , m_sender(sender)
    {
    }

    static QEvent::Type eventType()
    {
        static const QEvent::Type type = QEvent::Type(QEvent::registerEventType());
        return type;
    }

    int message() const { return m_message; }
    const SkinData* sender() const { return m_sender; }

private:
    int m_message;
    const SkinData* m_sender;
};

} // namespace tessaly::skin
