#pragma once

#include "platform/main_thread.h"

#include <memory>
#include <unordered_map>

namespace tessaly::platform {

// The program's main thread under Qt: every message becomes a queued event
// for an object living on the main thread. Create it on the main thread
// after the QApplication (or QCoreApplication) exists, and keep it until
// every component that uses it is gone.
class QtMainThread final : public MainThread {
public:
    QtMainThread();
    ~QtMainThread() override;

    ReceiverId addReceiver(Handler handler) override;
    void removeReceiver(ReceiverId receiver) override;
    void post(ReceiverId receiver, int number, std::uintptr_t argument) override;

private:
    class EventTarget;
    friend class EventTarget;

    void dispatch(ReceiverId receiver, int number, std::uintptr_t argument);

    std::unique_ptr<EventTarget> m_target;
    std::unordered_map<ReceiverId, std::shared_ptr<Handler>> m_receivers;
    ReceiverId m_nextReceiver = 1;
};

} // namespace tessaly::platform
