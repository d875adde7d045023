#include "process/read_thread.h"

#include "platform/error.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace tessaly::process {

ReadThread::ReadThread(UniqueFd readHandle, int dataMessage, std::uintptr_t readerIndex)
    : m_readHandle(std::move(readHandle))
    , m_dataMessage(dataMessage)
    , m_readerIndex(readerIndex)
    , m_inputBuffer(InitialStoreSize)
{
    if (m_readHandle) {
        const int flags = ::fcntl(m_readHandle.get(), F_GETFL);
        if (flags >= 0)
            ::fcntl(m_readHandle.get(), F_SETFL, flags | O_NONBLOCK);
    }
}

ReadThread::~ReadThread()
{
    join();
}

std::size_t ReadThread::readBuffer(char* buffer, std::size_t size)
{
    std::lock_guard lock(m_readLock);
    const std::size_t stored = m_inputBufferEnd - m_inputBufferBegin;
    if (stored == 0) {
        // Everything posted so far has been taken: the next store posts again.
        m_notifyPending = false;
        return 0;
    }
    const std::size_t taken = std::min(size, stored);
    std::memcpy(buffer, m_inputBuffer.data() + m_inputBufferBegin, taken);
    m_inputBufferBegin += taken;
    if (m_inputBufferBegin == m_inputBufferEnd) {
        m_inputBufferBegin = m_inputBufferEnd = 0;
        // Everything posted so far has been taken: the next store posts again.
        m_notifyPending = false;
    }
    if (m_waitingForRoom)
        m_roomMade.notify_one();
    return taken;
}

bool ReadThread::store(std::size_t n, bool& notify)
{
    std::unique_lock lock(m_readLock);
    auto stored = [this] { return m_inputBufferEnd - m_inputBufferBegin; };
    while (stored() + n > m_inputBuffer.size() && m_inputBuffer.size() < MaximumStoreSize)
        m_inputBuffer.resize(m_inputBuffer.size() * 2);
    while (stored() + n > m_inputBuffer.size() && !terminated()) {
        // Full: make sure the main thread knows, then wait for it to take
        // bytes instead of dropping what it has not taken yet.
        if (!m_notifyPending) {
            m_notifyPending = true;
            lock.unlock();
            poster().post(m_dataMessage, m_readerIndex);
            lock.lock();
            continue;
        }
        m_waitingForRoom = true;
        m_roomMade.wait(lock, [&] { return stored() + n <= m_inputBuffer.size() || terminated(); });
        m_waitingForRoom = false;
    }
    if (terminated())
        return false;
    if (m_inputBufferEnd + n > m_inputBuffer.size()) {
        // Room only at the front: move the waiting bytes there once.
        std::memmove(m_inputBuffer.data(), m_inputBuffer.data() + m_inputBufferBegin, stored());
        m_inputBufferEnd = stored();
        m_inputBufferBegin = 0;
    }
    std::memcpy(m_inputBuffer.data() + m_inputBufferEnd, m_preBuffer.data(), n);
    m_inputBufferEnd += n;
    notify = !m_notifyPending && stored() >= NotifyThreshold;
    m_notifyPending = m_notifyPending || notify;
    return true;
}

void ReadThread::notifyMainThread()
{
    {
        std::lock_guard lock(m_readLock);
        if (m_notifyPending || m_inputBufferEnd == m_inputBufferBegin)
            return;
        m_notifyPending = true;
    }
    poster().post(m_dataMessage, m_readerIndex);
}

void ReadThread::closeRead()
{
    std::lock_guard lock(m_readLock);
    if (!m_threadActive) {
        m_readHandle.reset();
        return;
    }
    // The thread may be polling the descriptor: it closes it itself.
    m_closeAsked = true;
    signalEvent(stopEvent());
}

void ReadThread::terminateThread()
{
    WorkerThread::terminateThread();
    std::lock_guard lock(m_readLock);
    m_roomMade.notify_all();
}

std::size_t ReadThread::storedBytes() const
{
    std::lock_guard lock(m_readLock);
    return m_inputBufferEnd - m_inputBufferBegin;
}

std::size_t ReadThread::storeCapacity() const
{
    std::lock_guard lock(m_readLock);
    return m_inputBuffer.size();
}

void ReadThread::execute()
{
    {
        std::lock_guard lock(m_readLock);
        if (m_closeAsked || !m_readHandle)
            return;
        m_threadActive = true;
    }
    struct Inactive {
        ReadThread* self;
        ~Inactive()
        {
            std::lock_guard lock(self->m_readLock);
            self->m_threadActive = false;
            self->m_readHandle.reset();
        }
    } inactive{this};

    // Reads go on without waiting while the pipe has data; the main thread
    // is told when the pipe is empty for now or when a good amount waits,
    // rather than after every read, which spares it a wake-up per read.
    pollfd watched[2] = {{stopEvent(), POLLIN, 0}, {m_readHandle.get(), POLLIN, 0}};
    while (!terminated()) {
        const ssize_t n = ::read(m_readHandle.get(), m_preBuffer.data(), m_preBuffer.size());
        if (n > 0) {
            bool notify = false;
            if (!store(std::size_t(n), notify))
                return;
            if (notify)
                poster().post(m_dataMessage, m_readerIndex);
            continue;
        }
        if (n == 0)
            return; // end of file: every write end is closed and the pipe is empty
        if (errno == EINTR)
            continue;
        if (errno != EAGAIN)
            return; // a pipe fails no other way; do not spin on an error
        notifyMainThread();
        if (::poll(watched, 2, -1) < 0 && errno != EINTR)
            throwSystemError(errno);
        if (watched[0].revents)
            return; // told to stop, or the read end is to be closed
    }
}

} // namespace tessaly::process
