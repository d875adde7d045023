#include "app/progress_clock.h"

namespace tessaly::app {

ProgressClock::ProgressClock(platform::MainThread& mainThread, Tick tick)
    : m_mainThread(mainThread)
    , m_tick(std::move(tick))
{
}

ProgressClock::~ProgressClock() { stop(); }

void ProgressClock::start()
{
    stop();
    m_start = std::chrono::steady_clock::now();
    m_receiver = m_mainThread.addReceiver([this](int, std::uintptr_t) { m_tick(elapsed()); });
    m_stopping = false;
    m_beat = std::thread([this, start = m_start, receiver = m_receiver] { beat(start, receiver); });
}

void ProgressClock::stop()
{
    if (!running())
        return;
    {
        const std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_stopped.notify_all();
    m_beat.join();
    // Beats posted before the thread ended are dropped with the receiver.
    m_mainThread.removeReceiver(m_receiver);
    m_receiver = 0;
}

std::chrono::seconds ProgressClock::elapsed() const
{
    return std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now() - m_start);
}

void ProgressClock::beat(std::chrono::steady_clock::time_point start, platform::MainThread::ReceiverId receiver)
{
    // Beats fall on whole seconds after the start, so they do not drift.
    std::unique_lock lock(m_mutex);
    for (auto next = start + std::chrono::seconds(1);; next += std::chrono::seconds(1)) {
        if (m_stopped.wait_until(lock, next, [this] { return m_stopping; }))
            return;
        m_mainThread.post(receiver, 0, 0);
    }
}

} // namespace tessaly::app
