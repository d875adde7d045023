#pragma once

#include "process/worker_thread.h"

#include <atomic>
#include <cstdint>
#include <sys/types.h>

namespace tessaly::process {

// Waits for the child's end (on a pidfd) and reaps it. exitCode() is the
// child's exit status; a child ended by signal N gives 128 + N, except a
// SIGKILL sent by terminate(), which gives 0. Told to stop first, the
// thread leaves the child alone and exitCode() is StoppedExitCode.
class WaitForProcessThread : public WorkerThread {
public:
    // processHandle: a pidfd, not owned; it must stay open while the thread runs.
    WaitForProcessThread(int processHandle, pid_t processId);

    std::uint32_t exitCode() const { return m_exitCode; }
    // Any thread: a SIGKILL that follows comes from us and reports exit code 0.
    void noteKillRequested() { m_killRequested = true; }
    // Whether the child has been reaped by this thread.
    bool reaped() const { return m_reaped.load(); }

protected:
    void execute() override;
    // Reaps the child that the pidfd reported as ended.
    void reap();

    std::uint32_t m_exitCode = 0;
    int m_processHandle;
    pid_t m_processId;

private:
    std::atomic<bool> m_killRequested{false};
    std::atomic<bool> m_reaped{false};
};

} // namespace tessaly::process
