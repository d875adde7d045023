#pragma once

#include <cstdint>
#include <exception>
#include <functional>

namespace tessaly::platform {

// Hands numbered messages from any thread to the program's main thread.
//
// A receiver stands for the hidden message window of a component: it is a
// handler registered on the main thread. Messages posted to it from any
// thread run its handler on the main thread, one at a time, in posting
// order. Messages still queued for a receiver that has been removed are
// dropped, so a component may go away while its workers still post.
//
// Worker end notifications that must run "on the main thread while the
// worker waits" are built on post(): the worker posts a message and waits
// for the handler to release it, which lets its owner cancel the wait.
//
// An exception that escapes a handler never reaches the event loop: it is
// handed to the error handler (by default written to standard error).
class MainThread {
public:
    using ReceiverId = std::uint64_t;
    using Handler = std::function<void(int number, std::uintptr_t argument)>;
    using ErrorHandler = std::function<void(std::exception_ptr error)>;

    MainThread();
    virtual ~MainThread();
    MainThread(const MainThread&) = delete;
    MainThread& operator=(const MainThread&) = delete;

    // Main thread only. Ids are never reused.
    virtual ReceiverId addReceiver(Handler handler) = 0;
    virtual void removeReceiver(ReceiverId receiver) = 0;

    // Any thread; never blocks for long and never runs the handler itself.
    virtual void post(ReceiverId receiver, int number, std::uintptr_t argument) = 0;

    // The program's standard error report for errors raised by handlers
    // (main thread only).
    void setErrorHandler(ErrorHandler handler);
    void reportError(std::exception_ptr error) const;

private:
    ErrorHandler m_errorHandler;
};

} // namespace tessaly::platform
