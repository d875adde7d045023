#include "process/read_thread.h"
#include "process_test_support.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <fcntl.h>
#include <thread>
#include <unistd.h>

using namespace tessaly;
using namespace tessaly::process;

TEST(ReadThread, FullStoreHoldsTheWriterBackAndLosesNothing)
{
    int fds[2];
    ASSERT_EQ(::pipe2(fds, O_CLOEXEC), 0);
    UniqueFd writeEnd(fds[1]);

    std::string sent(1 << 20, '\0');
    for (std::size_t i = 0; i < sent.size(); ++i)
        sent[i] = char((i * 7919) >> 3);

    platform::PlainMainThread loop;
    ReadThread* thread = nullptr;
    bool ended = false;
    std::string received;
    auto drain = [&] {
        char piece[ReadThread::ReadSize];
        while (std::size_t n = thread->readBuffer(piece, sizeof piece))
            received.append(piece, n);
    };
    const auto receiver = loop.addReceiver([&](int number, std::uintptr_t) {
        if (number == 1025)
            drain();
        else if (number == 1027)
            thread->runEndNotification();
    });
    ReadThread reader(UniqueFd(fds[0]), 1025, 0);
    thread = &reader;
    reader.setEndNotification([&](WorkerThread&) {
        drain();
        ended = true;
    });
    reader.start(Poster{&loop, receiver}, 1027, 0);

    std::atomic<bool> writerDone{false};
    std::thread writer([&] {
        std::size_t done = 0;
        while (done < sent.size()) {
            const ssize_t n = ::write(writeEnd.get(), sent.data() + done, sent.size() - done);
            ASSERT_GT(n, 0);
            done += std::size_t(n);
        }
        writeEnd.reset();
        writerDone = true;
    });

    // The main thread takes nothing: the store fills up to its limit and
    // then the writer is held back by the full pipe.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (reader.storedBytes() + ReadThread::ReadSize <= ReadThread::MaximumStoreSize
           && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    EXPECT_GT(reader.storedBytes() + ReadThread::ReadSize, ReadThread::MaximumStoreSize);
    EXPECT_EQ(reader.storeCapacity(), ReadThread::MaximumStoreSize);
    EXPECT_FALSE(writerDone.load()) << "1 MiB cannot fit into the pipe and the store";

    EXPECT_TRUE(loop.runUntil([&] { return ended; }));
    writer.join();
    EXPECT_EQ(reader.storeCapacity(), ReadThread::MaximumStoreSize);
    EXPECT_TRUE(received == sent) << "received " << received.size() << " of " << sent.size() << " bytes";
}

TEST(ReadThread, FloodAgainstASlowReaderKeepsEveryLine)
{
    test::Recorder r;
    std::size_t slow = 0;
    r.process.setOnRead([&](CreateProcess&, const std::string& text, bool startsOnNewLine) {
        r.reads.emplace_back(text, startsOnNewLine);
        if (++slow % 8 == 0)
            std::this_thread::sleep_for(std::chrono::microseconds(200));
    });
    constexpr int lineLength = 80;
    constexpr long long total = 1500000; // far more than the store holds
    r.start({"flood", std::to_string(total), std::to_string(lineLength)});
    ASSERT_TRUE(r.finish());
    EXPECT_EQ(r.exits, std::vector<std::uint32_t>{0});

    const auto lines = r.lines();
    ASSERT_EQ(lines.size(), std::size_t(total / lineLength));
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string expected = std::to_string(i);
        expected.resize(lineLength - 1, '.');
        ASSERT_EQ(lines[i], expected) << "line " << i;
    }
}
