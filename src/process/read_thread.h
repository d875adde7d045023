#pragma once

#include "process/worker_thread.h"

#include <array>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <vector>

namespace tessaly::process {

// Reads one pipe end in reads of at most 1,024 bytes and stores the bytes
// for the main thread, posting DataMessage with the reader's index when
// there is something new to take (once per batch: see execute()). Ends at end of file (every write end
// closed and the pipe empty) or when told to stop.
//
// The store grows by doubling from 1,024 to at most 131,072 bytes. When it
// is full (the main thread has fallen behind), the thread stops reading
// until the main thread has taken bytes: the child then waits on its own
// write, memory stays bounded and no byte is lost.
class ReadThread : public WorkerThread {
public:
    static constexpr std::size_t ReadSize = 1024;
    static constexpr std::size_t InitialStoreSize = 1024;
    static constexpr std::size_t MaximumStoreSize = 131072;
    // While the pipe keeps delivering, the main thread is told once this
    // much waits (and whenever the pipe is empty for now).
    static constexpr std::size_t NotifyThreshold = 16384;

    // readHandle: the parent's read end of the pipe, owned.
    ReadThread(UniqueFd readHandle, int dataMessage, std::uintptr_t readerIndex);
    ~ReadThread() override;

    // Main thread: takes up to `size` stored bytes, oldest first, into
    // buffer; returns how many were taken, 0 when the store is empty.
    std::size_t readBuffer(char* buffer, std::size_t size);
    // Any thread: closes the read end (the thread then ends).
    void closeRead();
    void terminateThread() override;

    // For tests: bytes stored and not yet taken, and the store's capacity.
    std::size_t storedBytes() const;
    std::size_t storeCapacity() const;

protected:
    void execute() override;

private:
    // Stores n bytes of the read buffer; false when told to stop meanwhile.
    // Sets notify when NotifyThreshold bytes wait and no DataMessage is
    // pending: the caller posts one (outside the lock).
    bool store(std::size_t n, bool& notify);
    // Posts DataMessage unless one is pending or nothing waits.
    void notifyMainThread();

    UniqueFd m_readHandle;
    int m_dataMessage;
    std::uintptr_t m_readerIndex;
    std::array<char, ReadSize> m_preBuffer{};

    mutable std::mutex m_readLock;
    std::condition_variable m_roomMade;
    std::vector<char> m_inputBuffer; // capacity = size(); bytes [begin, end) wait
    std::size_t m_inputBufferBegin = 0;
    std::size_t m_inputBufferEnd = 0;
    bool m_waitingForRoom = false;
    bool m_notifyPending = false; // a DataMessage is queued and not yet drained
    bool m_closeAsked = false;
    bool m_threadActive = false;
};

} // namespace tessaly::process
