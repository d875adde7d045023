#pragma once

#include "platform/main_thread.h"
#include "process/unique_fd.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>

namespace tessaly::process {

// Where a worker posts its messages: a receiver of the main-thread poster.
struct Poster {
    platform::MainThread* mainThread = nullptr;
    platform::MainThread::ReceiverId receiver = 0;

    void post(int number, std::uintptr_t argument) const { mainThread->post(receiver, number, argument); }
};

// A worker thread of a run. It is created suspended and runs execute() once
// start() is called, with every signal blocked (so a write to a closed pipe
// raises no SIGPIPE death, and the program's signals go to the main thread).
// An error thrown by execute() is kept and ends the thread normally.
//
// Its end notification runs on the main thread while the worker waits: the
// worker posts EndNotificationMessage and sleeps until the main thread has
// run the notification (runEndNotification) or has detached it
// (detachEndNotification). Either way the worker is "released" and then
// only finishes its thread, so joining a released worker never waits for
// the main thread.
class WorkerThread {
public:
    using EndNotification = std::function<void(WorkerThread& sender)>;

    WorkerThread();
    virtual ~WorkerThread(); // joins; call only once released() or never started
    WorkerThread(const WorkerThread&) = delete;
    WorkerThread& operator=(const WorkerThread&) = delete;

    // Main thread, before start().
    void setEndNotification(EndNotification notification) { m_endNotification = std::move(notification); }
    void start(Poster poster, int endMessage, std::uintptr_t argument);

    // Main thread: forget the notification; a worker waiting for it goes on.
    void detachEndNotification();
    // Main thread, on endMessage: runs the notification (if still attached)
    // and releases the worker. Errors of the notification propagate after
    // the worker has been released.
    void runEndNotification();

    // Any thread: terminated flag on and the stop event signalled.
    virtual void terminateThread();
    bool terminated() const { return m_terminated.load(); }
    bool released() const;
    bool started() const { return m_thread.joinable(); }
    void join();
    std::exception_ptr error() const { return m_error; }

protected:
    virtual void execute() = 0;
    // Readable once terminateThread() was called; for poll().
    int stopEvent() const { return m_stopEvent.get(); }
    const Poster& poster() const { return m_poster; }

private:
    void threadMain();

    Poster m_poster;
    int m_endMessage = 0;
    std::uintptr_t m_argument = 0;
    std::thread m_thread;
    std::atomic<bool> m_terminated{false};
    UniqueFd m_stopEvent;
    std::exception_ptr m_error;
    EndNotification m_endNotification; // main thread only

    mutable std::mutex m_mutex;
    std::condition_variable m_releasedChanged;
    bool m_endPosted = false;
    bool m_released = false;
};

// Small helpers over eventfd and poll shared by the workers.
UniqueFd makeEvent(); // a non-blocking, close-on-exec eventfd; throws the system error
void signalEvent(int event);
void resetEvent(int event);

} // namespace tessaly::process
