#include "platform/qt_main_thread.h"

#include <QCoreApplication>
#include <QEvent>
#include <QObject>

namespace tessaly::platform {

namespace {

QEvent::Type messageEventType()
{
    static const auto type = QEvent::Type(QEvent::registerEventType());
    return type;
}

class MessageEvent final : public QEvent {
public:
    MessageEvent(MainThread::ReceiverId receiver, int number, std::uintptr_t argument)
        : QEvent(messageEventType())
        , receiver(receiver)
        , number(number)
        , argument(argument)
    {
    }

    const MainThread::ReceiverId receiver;
    const int number;
    const std::uintptr_t argument;
};

} // namespace

// Lives on the main thread; queued events for it run there in posting order.
class QtMainThread::EventTarget final : public QObject {
public:
    explicit EventTarget(QtMainThread& owner)
        : m_owner(owner)
    {
    }

    bool event(QEvent* event) override
    {
        if (event->type() != messageEventType())
            return QObject::event(event);
        const auto* message = static_cast<const MessageEvent*>(event);
        m_owner.dispatch(message->receiver, message->number, message->argument);
        return true;
    }

private:
    QtMainThread& m_owner;
};

QtMainThread::QtMainThread()
    : m_target(std::make_unique<EventTarget>(*this))
{
}

// Deleting the target drops the events still queued for it.
QtMainThread::~QtMainThread() = default;

MainThread::ReceiverId QtMainThread::addReceiver(Handler handler)
{
    const ReceiverId id = m_nextReceiver++;
    m_receivers.emplace(id, std::make_shared<Handler>(std::move(handler)));
    return id;
}

void QtMainThread::removeReceiver(ReceiverId receiver)
{
    m_receivers.erase(receiver);
}

void QtMainThread::post(ReceiverId receiver, int number, std::uintptr_t argument)
{
    QCoreApplication::postEvent(m_target.get(), new MessageEvent(receiver, number, argument));
}

void QtMainThread::dispatch(ReceiverId receiver, int number, std::uintptr_t argument)
{
    auto found = m_receivers.find(receiver);
    if (found == m_receivers.end())
        return; // removed meanwhile: the message is dropped
    const std::shared_ptr<Handler> handler = found->second;
    try {
        (*handler)(number, argument);
    } catch (...) {
        reportError(std::current_exception()); // never into Qt's event loop
    }
}

} // namespace tessaly::platform
