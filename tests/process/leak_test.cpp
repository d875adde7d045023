#include "process_test_support.h"

#include "platform/error.h"

#include <gtest/gtest.h>

using namespace tessaly;
using namespace tessaly::process;

TEST(Leaks, FiveHundredRunsLeaveNothingBehind)
{
    test::Recorder r;
    // A first run so that lazily made things (the poster's queue, the
    // allocator's arenas) exist before counting.
    r.start({"print", "warm\\n"});
    ASSERT_TRUE(r.finish());

    const std::size_t descriptors = test::openDescriptorCount();
    const std::size_t threads = test::threadCount();
    const std::size_t children = test::childProcessCount();
    int failures = 0;
    for (int run = 0; run < 500; ++run) {
        if (run % 50 == 7) {
            r.process.setCommandLine("tessaly-no-such-program");
            try {
                r.process.run();
            } catch (const Error&) {
                ++failures;
            }
            continue;
        }
        const auto options = run % 3 == 0 ? ConsoleOptions::Redirect | ConsoleOptions::SeparateError
                                          : ConsoleOptions::Redirect;
        r.start({"print", "line " + std::to_string(run) + "\\n", "eprint", "e"}, options);
        ASSERT_TRUE(r.finish()) << "run " << run;
    }
    // Threads and children of this run are gone when its end is reported;
    // the short bounded wait only lets threads that are not ours (a
    // sanitizer's, a detached reaper of an earlier test) settle.
    for (int i = 0; i < 200 && test::threadCount() != threads; ++i)
        ::usleep(10000);
    EXPECT_EQ(failures, 10);
    EXPECT_EQ(r.exits.size(), 1u + 490u);
    EXPECT_EQ(test::openDescriptorCount(), descriptors);
    EXPECT_EQ(test::threadCount(), threads) << test::threadNames();
    EXPECT_EQ(test::childProcessCount(), children);
}
