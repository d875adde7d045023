#pragma once

#include "platform/main_thread.h"

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace tessaly::app {

// The clock of a running check: from start() on, tells the whole seconds
// passed once a second, on the main thread, until stop(). A thread of its
// own keeps the beat and posts through the main thread, so no toolkit timer
// is needed. A beat still queued when the clock stops is dropped.
class ProgressClock {
public:
    using Tick = std::function<void(std::chrono::seconds elapsed)>;

    ProgressClock(platform::MainThread& mainThread, Tick tick);
    ~ProgressClock();
    ProgressClock(const ProgressClock&) = delete;
    ProgressClock& operator=(const ProgressClock&) = delete;

    // Starts again from zero.
    void start();
    void stop();
    bool running() const { return m_beat.joinable(); }
    std::chrono::seconds elapsed() const;

private:
    void beat(std::chrono::steady_clock::time_point start, platform::MainThread::ReceiverId receiver);

    platform::MainThread& m_mainThread;
    Tick m_tick;
    std::chrono::steady_clock::time_point m_start;
    platform::MainThread::ReceiverId m_receiver = 0;
    std::mutex m_mutex;
    std::condition_variable m_stopped;
    bool m_stopping = false;
    std::thread m_beat;
};

} // namespace tessaly::app
