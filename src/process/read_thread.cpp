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
    const std::size_t taken = std::min({size, ReadSize, stored});
    std::memcpy(buffer, m_inputBuffer.data() + m_inputBufferBegin, taken);
    m_inputBufferBegin += taken;
    if (m_inputBufferBegin == m_inputBufferEnd)
        m_inputBufferBegin = m_inputBufferEnd = 0;
    if (m_waitingForRoom)
        m_roomMade.notify_one();
    return taken;
}

bool ReadThread::store(std::size_t n)
{
    bool post = false;
    {
        std::unique_lock lock(m_readLock);
        auto stored = [this] { return m_inputBufferEnd - m_inputBufferBegin; };
        while (stored() + n > m_inputBuffer.size() && m_inputBuffer.size() < MaximumStoreSize)
            m_inputBuffer.resize(m_inputBuffer.size() * 2);
        if (stored() + n > m_inputBuffer.size()) {
            // Full: wait for the main thread instead of dropping its bytes.
            m_waitingForRoom = true;
            m_roomMade.wait(lock, [&] { return stored() + n <= m_inputBuffer.size() || terminated(); });
            m_waitingForRoom = false;
            if (terminated())
                return false;
        }
        if (m_inputBufferEnd + n > m_inputBuffer.size()) {
            // Room only at the front: move the waiting bytes there once.
            std::memmove(m_inputBuffer.data(), m_inputBuffer.data() + m_inputBufferBegin, stored());
            m_inputBufferEnd = stored();
            m_inputBufferBegin = 0;
        }
        std::memcpy(m_inputBuffer.data() + m_inputBufferEnd, m_preBuffer.data(), n);
        m_inputBufferEnd += n;
        post = !m_notifyPending;
        m_notifyPending = true;
    }
    if (post)
        poster().post(m_dataMessage, m_readerIndex);
    return true;
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

    pollfd watched[2] = {{stopEvent(), POLLIN, 0}, {m_readHandle.get(), POLLIN, 0}};
    while (!terminated()) {
        if (::poll(watched, 2, -1) < 0) {
            if (errno == EINTR)
                continue;
            throwSystemError(errno);
        }
        if (watched[0].revents)
            return; // told to stop, or the read end is to be closed
        if (!watched[1].revents)
            continue;
        const ssize_t n = ::read(m_readHandle.get(), m_preBuffer.data(), m_preBuffer.size());
        if (n > 0) {
            if (!store(std::size_t(n)))
                return;
        } else if (n == 0) {
            return; // end of file: every write end is closed and the pipe is empty
        } else if (errno != EAGAIN && errno != EINTR) {
            return; // a pipe fails no other way; do not spin on an error
        }
    }
}

} // namespace tessaly::process
