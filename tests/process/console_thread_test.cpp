#include "process/console_thread.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

using namespace tessaly::process;

TEST(ConsoleThread, QueuesAtMostOneBufferAndWholeTextsOnly)
{
    int fds[2];
    ASSERT_EQ(::pipe2(fds, O_CLOEXEC), 0);
    UniqueFd readEnd(fds[0]);
    // Not started: nothing takes the queued bytes away.
    ConsoleThread thread(-1, 0, UniqueFd(fds[1]));
    EXPECT_TRUE(thread.write(""));
    EXPECT_TRUE(thread.write(std::string(1000, 'a')));
    EXPECT_FALSE(thread.write(std::string(25, 'b'))) << "would pass 1,024 bytes";
    EXPECT_TRUE(thread.write(std::string(24, 'c')));
    EXPECT_FALSE(thread.write("d"));
    EXPECT_TRUE(thread.write(""));
    thread.closeWrite();
    EXPECT_FALSE(thread.write("e"));
    EXPECT_TRUE(thread.write(""));
    char byte;
    EXPECT_EQ(::read(readEnd.get(), &byte, 1), 0) << "closeWrite closed the write end";
}
