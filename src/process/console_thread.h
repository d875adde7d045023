#pragma once

#include "process/wait_for_process_thread.h"

#include <array>
#include <cstddef>
#include <mutex>
#include <string_view>

namespace tessaly::process {

// The waiting thread of a redirected run, which also writes to the child's
// standard input. write() queues bytes in a fixed buffer of 1,024 bytes; the
// thread writes them without blocking. When the child has closed its input
// the write end is closed and later writes return false; nothing else
// happens (no SIGPIPE). When the child ends, bytes still queued are dropped.
class ConsoleThread : public WaitForProcessThread {
public:
    static constexpr std::size_t BufferSize = 1024;

    // writeHandle: the parent's end of the child's input pipe, owned.
    ConsoleThread(int processHandle, pid_t processId, UniqueFd writeHandle);
    ~ConsoleThread() override;

    // Any thread. An empty text returns true; false with no write end or
    // when the text does not fit whole into the buffer.
    bool write(std::string_view text);
    // Any thread: closes the write end under the write lock.
    void closeWrite();

protected:
    void execute() override;

private:
    // Writes what is queued; returns whether a write end still exists.
    bool tryWrite();

    UniqueFd m_writeHandle;
    UniqueFd m_writeEvent;
    std::mutex m_writeLock;
    std::array<char, BufferSize> m_outputBuffer{};
    std::size_t m_outputBufferEnd = 0;
    bool m_pipeFull = false;     // the last write was cut short: wait for room
    bool m_closeAsked = false;   // closeWrite() while the thread runs
    bool m_threadActive = false; // the thread, not the caller, closes the end
};

} // namespace tessaly::process
