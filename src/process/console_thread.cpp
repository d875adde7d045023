#include "process/console_thread.h"

#include "platform/error.h"
#include "process/process_types.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace tessaly::process {

namespace {

// A write to a pipe without reader raises SIGPIPE for the writing thread.
// Worker threads block every signal, so it stays pending on this thread;
// take it away so that it never reaches the program.
void discardPendingSigpipe()
{
    sigset_t pipeOnly;
    sigemptyset(&pipeOnly);
    sigaddset(&pipeOnly, SIGPIPE);
    const timespec zero{0, 0};
    while (::sigtimedwait(&pipeOnly, nullptr, &zero) == SIGPIPE) {
    }
}

} // namespace

ConsoleThread::ConsoleThread(int processHandle, pid_t processId, UniqueFd writeHandle)
    : WaitForProcessThread(processHandle, processId)
    , m_writeHandle(std::move(writeHandle))
    , m_writeEvent(makeEvent())
{
    if (m_writeHandle) {
        const int flags = ::fcntl(m_writeHandle.get(), F_GETFL);
        if (flags >= 0)
            ::fcntl(m_writeHandle.get(), F_SETFL, flags | O_NONBLOCK);
    }
}

ConsoleThread::~ConsoleThread()
{
    join();
}

bool ConsoleThread::write(std::string_view text)
{
    if (text.empty())
        return true;
    std::lock_guard lock(m_writeLock);
    if (!m_writeHandle || m_closeAsked)
        return false;
    if (text.size() + m_outputBufferEnd > BufferSize)
        return false;
    std::memcpy(m_outputBuffer.data() + m_outputBufferEnd, text.data(), text.size());
    m_outputBufferEnd += text.size();
    signalEvent(m_writeEvent.get());
    return true;
}

void ConsoleThread::closeWrite()
{
    std::lock_guard lock(m_writeLock);
    m_outputBufferEnd = 0;
    if (!m_threadActive) {
        m_writeHandle.reset();
        return;
    }
    // The running thread may be polling the descriptor: let it close it, so
    // that its number cannot be reused under the poll.
    m_closeAsked = true;
    signalEvent(m_writeEvent.get());
}

bool ConsoleThread::tryWrite()
{
    std::lock_guard lock(m_writeLock);
    m_pipeFull = false;
    if (m_closeAsked)
        m_writeHandle.reset();
    if (m_writeHandle && m_outputBufferEnd > 0) {
        const ssize_t written = ::write(m_writeHandle.get(), m_outputBuffer.data(), m_outputBufferEnd);
        if (written > 0) {
            const std::size_t n = std::size_t(written);
            std::memmove(m_outputBuffer.data(), m_outputBuffer.data() + n, m_outputBufferEnd - n);
            m_outputBufferEnd -= n;
            m_pipeFull = m_outputBufferEnd > 0;
        } else if (written < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            m_pipeFull = true;
        } else if (written < 0 && errno == EPIPE) {
            discardPendingSigpipe();
            m_writeHandle.reset();
            m_outputBufferEnd = 0;
        }
    }
    // While the pipe is full the thread waits for room, not for this event;
    // a new write() signals it again.
    if (m_outputBufferEnd == 0 || m_pipeFull)
        resetEvent(m_writeEvent.get());
    return bool(m_writeHandle);
}

void ConsoleThread::execute()
{
    {
        std::lock_guard lock(m_writeLock);
        m_threadActive = true;
    }
    struct Inactive {
        ConsoleThread* self;
        ~Inactive()
        {
            std::lock_guard lock(self->m_writeLock);
            self->m_threadActive = false;
            // Nothing can be written once the thread is gone; closing the
            // child's input now lets a grandchild that reads it finish.
            self->m_writeHandle.reset();
            self->m_outputBufferEnd = 0;
        }
    } inactive{this};

    // Watched in this order; the lowest index wins, so a child that has
    // ended stops the thread even if bytes are still queued.
    pollfd watched[4] = {{stopEvent(), POLLIN, 0}, {m_processHandle, POLLIN, 0}, {}, {}};
    while (!terminated()) {
        nfds_t count = 2;
        {
            std::lock_guard lock(m_writeLock);
            if (m_writeHandle) {
                watched[count++] = {m_writeEvent.get(), POLLIN, 0};
                if (m_pipeFull)
                    watched[count++] = {m_writeHandle.get(), POLLOUT, 0};
            }
        }
        if (::poll(watched, count, -1) < 0) {
            if (errno == EINTR)
                continue;
            throwSystemError(errno);
        }
        if (watched[0].revents) {
            m_exitCode = StoppedExitCode;
            return;
        }
        if (watched[1].revents) {
            reap();
            return;
        }
        if ((count > 2 && watched[2].revents) || (count > 3 && watched[3].revents))
            tryWrite();
    }
    m_exitCode = StoppedExitCode;
}

} // namespace tessaly::process
