#include "process/worker_thread.h"

#include "platform/error.h"

#include <cerrno>
#include <csignal>
#include <cstdint>
#include <pthread.h>
#include <sys/eventfd.h>
#include <unistd.h>

namespace tessaly::process {

UniqueFd makeEvent()
{
    const int fd = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (fd < 0)
        throwSystemError(errno);
    return UniqueFd(fd);
}

void signalEvent(int event)
{
    const std::uint64_t one = 1;
    // Fails only when the counter would overflow, which leaves it signalled.
    [[maybe_unused]] auto written = ::write(event, &one, sizeof one);
}

void resetEvent(int event)
{
    std::uint64_t value;
    [[maybe_unused]] auto taken = ::read(event, &value, sizeof value);
}

WorkerThread::WorkerThread()
    : m_stopEvent(makeEvent())
{
}

WorkerThread::~WorkerThread()
{
    join();
}

void WorkerThread::start(Poster poster, int endMessage, std::uintptr_t argument)
{
    m_poster = poster;
    m_endMessage = endMessage;
    m_argument = argument;
    // The new thread inherits this mask: it starts with every signal blocked.
    sigset_t all, previous;
    sigfillset(&all);
    pthread_sigmask(SIG_SETMASK, &all, &previous);
    try {
        m_thread = std::thread([this] { threadMain(); });
    } catch (...) {
        pthread_sigmask(SIG_SETMASK, &previous, nullptr);
        throw;
    }
    pthread_sigmask(SIG_SETMASK, &previous, nullptr);
}

void WorkerThread::threadMain()
{
    if (!terminated()) {
        try {
            execute();
        } catch (...) {
            m_error = std::current_exception();
        }
    }
    std::unique_lock lock(m_mutex);
    if (m_released)
        return;
    m_endPosted = true;
    m_poster.post(m_endMessage, m_argument);
    m_releasedChanged.wait(lock, [this] { return m_released; });
}

void WorkerThread::detachEndNotification()
{
    m_endNotification = nullptr;
    std::lock_guard lock(m_mutex);
    m_released = true;
    m_releasedChanged.notify_all();
}

void WorkerThread::runEndNotification()
{
    {
        std::lock_guard lock(m_mutex);
        if (m_released || !m_endPosted)
            return;
    }
    struct Release {
        WorkerThread* self;
        ~Release()
        {
            std::lock_guard lock(self->m_mutex);
            self->m_released = true;
            self->m_releasedChanged.notify_all();
        }
    } release{this};
    if (m_endNotification) {
        auto notification = std::move(m_endNotification);
        notification(*this);
    }
}

void WorkerThread::terminateThread()
{
    m_terminated = true;
    signalEvent(m_stopEvent.get());
}

bool WorkerThread::released() const
{
    std::lock_guard lock(m_mutex);
    return m_released;
}

void WorkerThread::join()
{
    if (m_thread.joinable())
        m_thread.join();
}

} // namespace tessaly::process
