#pragma once

#include "platform/main_thread.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <unordered_map>

namespace tessaly::platform {

// A main thread without any toolkit: messages wait in a queue until the
// thread that created the object runs them with processEvents() or
// runUntil(). Used by tests, benchmarks and console tools.
class PlainMainThread final : public MainThread {
public:
    PlainMainThread();
    ~PlainMainThread() override;

    ReceiverId addReceiver(Handler handler) override;
    void removeReceiver(ReceiverId receiver) override;
    void post(ReceiverId receiver, int number, std::uintptr_t argument) override;

    // Runs every queued message, also those posted meanwhile, until the
    // queue is empty. Returns how many messages were taken.
    std::size_t processEvents();

    // Waits for messages and runs them until condition() holds. Returns
    // false when the time-out passed first (a safety net for tests).
    bool runUntil(const std::function<bool()>& condition,
                  std::chrono::milliseconds timeout = std::chrono::seconds(60));

private:
    struct Message {
        ReceiverId receiver;
        int number;
        std::uintptr_t argument;
    };

    void dispatch(const Message& message);

    std::mutex m_mutex;
    std::condition_variable m_posted;
    std::deque<Message> m_queue;
    // Main thread only.
    std::unordered_map<ReceiverId, std::shared_ptr<Handler>> m_receivers;
    ReceiverId m_nextReceiver = 1;
};

} // namespace tessaly::platform
