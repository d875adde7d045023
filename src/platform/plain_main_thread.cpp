#include "platform/plain_main_thread.h"

namespace tessaly::platform {

PlainMainThread::PlainMainThread() = default;
PlainMainThread::~PlainMainThread() = default;

MainThread::ReceiverId PlainMainThread::addReceiver(Handler handler)
{
    const ReceiverId id = m_nextReceiver++;
    m_receivers.emplace(id, std::make_shared<Handler>(std::move(handler)));
    return id;
}

void PlainMainThread::removeReceiver(ReceiverId receiver)
{
    m_receivers.erase(receiver);
}

void PlainMainThread::post(ReceiverId receiver, int number, std::uintptr_t argument)
{
    {
        std::lock_guard lock(m_mutex);
        m_queue.push_back({receiver, number, argument});
    }
    m_posted.notify_one();
}

void PlainMainThread::dispatch(const Message& message)
{
    auto found = m_receivers.find(message.receiver);
    if (found == m_receivers.end())
        return; // removed meanwhile: the message is dropped
    // Keep the handler alive even if it removes its own receiver.
    const std::shared_ptr<Handler> handler = found->second;
    try {
        (*handler)(message.number, message.argument);
    } catch (...) {
        reportError(std::current_exception());
    }
}

std::size_t PlainMainThread::processEvents()
{
    std::size_t count = 0;
    for (;;) {
        Message message;
        {
            std::lock_guard lock(m_mutex);
            if (m_queue.empty())
                return count;
            message = m_queue.front();
            m_queue.pop_front();
        }
        dispatch(message);
        ++count;
    }
}

bool PlainMainThread::runUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        processEvents();
        if (condition())
            return true;
        std::unique_lock lock(m_mutex);
        if (!m_posted.wait_until(lock, deadline, [this] { return !m_queue.empty(); }))
            return condition();
    }
}

} // namespace tessaly::platform
