#include "process/wait_for_process_thread.h"

#include "platform/error.h"
#include "process/process_types.h"

#include <cerrno>
#include <csignal>
#include <poll.h>
#include <sys/wait.h>

namespace tessaly::process {

WaitForProcessThread::WaitForProcessThread(int processHandle, pid_t processId)
    : m_processHandle(processHandle)
    , m_processId(processId)
{
}

void WaitForProcessThread::reap()
{
    siginfo_t info{};
    int result;
    do {
        result = ::waitid(P_PID, id_t(m_processId), &info, WEXITED);
    } while (result < 0 && errno == EINTR);
    if (result < 0)
        throwSystemError(errno);
    m_reaped = true;
    if (info.si_code == CLD_EXITED)
        m_exitCode = std::uint32_t(info.si_status);
    else if (info.si_status == SIGKILL && m_killRequested)
        m_exitCode = 0;
    else
        m_exitCode = 128u + std::uint32_t(info.si_status);
}

void WaitForProcessThread::execute()
{
    pollfd watched[2] = {{stopEvent(), POLLIN, 0}, {m_processHandle, POLLIN, 0}};
    while (!terminated()) {
        if (::poll(watched, 2, -1) < 0) {
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
    }
    m_exitCode = StoppedExitCode;
}

} // namespace tessaly::process
