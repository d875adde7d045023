#include "platform/error.h"
#include "platform/qt_main_thread.h"
#include "process/command_line.h"
#include "process/create_process.h"

#include <QCoreApplication>
#include <QTimer>
#include <gtest/gtest.h>

#include <thread>

using namespace tessaly;

namespace {

int argc = 1;
char name[] = "process_qt_tests";
char* argv[] = {name, nullptr};

QCoreApplication& application()
{
    static QCoreApplication app(argc, argv);
    return app;
}

// Runs the event loop until done() or the safety time-out.
bool runUntil(const std::function<bool()>& done)
{
    QTimer poll;
    QTimer safety;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (done())
            QCoreApplication::quit();
    });
    QObject::connect(&safety, &QTimer::timeout, [] { QCoreApplication::quit(); });
    poll.start(1);
    safety.setSingleShot(true);
    safety.start(30000);
    if (!done())
        QCoreApplication::exec();
    return done();
}

} // namespace

TEST(QtMainThread, MessagesFromOtherThreadsArriveInOrderOnTheMainThread)
{
    application();
    platform::QtMainThread mainThread;
    std::vector<std::pair<int, std::uintptr_t>> received;
    bool onMainThread = true;
    const auto mainId = std::this_thread::get_id();
    const auto receiver = mainThread.addReceiver([&](int number, std::uintptr_t argument) {
        onMainThread = onMainThread && std::this_thread::get_id() == mainId;
        received.emplace_back(number, argument);
    });
    const auto removed = mainThread.addReceiver([&](int, std::uintptr_t) { ADD_FAILURE() << "removed receiver ran"; });
    std::thread worker([&] {
        for (std::uintptr_t i = 0; i < 1000; ++i) {
            mainThread.post(receiver, 1025, i);
            mainThread.post(removed, 1026, i);
        }
    });
    worker.join();
    mainThread.removeReceiver(removed);
    ASSERT_TRUE(runUntil([&] { return received.size() == 1000; }));
    EXPECT_TRUE(onMainThread);
    for (std::uintptr_t i = 0; i < received.size(); ++i)
        ASSERT_EQ(received[i], std::make_pair(1025, i));
}

TEST(QtMainThread, RunsAChildAndReportsHandlerErrors)
{
    application();
    platform::QtMainThread mainThread;
    std::vector<std::string> errors;
    mainThread.setErrorHandler([&](std::exception_ptr error) {
        try {
            std::rethrow_exception(error);
        } catch (const std::exception& e) {
            errors.push_back(e.what());
        }
    });
    process::CreateProcess process(mainThread);
    std::vector<std::string> lines;
    std::vector<std::uint32_t> exits;
    process.setConsoleOptions(process::ConsoleOptions::Redirect);
    process.setOnRead([&](process::CreateProcess&, const std::string& text, bool startsOnNewLine) {
        if (startsOnNewLine || lines.empty())
            lines.push_back(text);
        else
            lines.back() = text;
    });
    process.setOnTerminate([&](process::CreateProcess&, std::uint32_t exitCode) {
        exits.push_back(exitCode);
        throw Error("reported, not fatal");
    });
    process.setCommandLine(process::joinCommandLine({TESSALY_TEST_CHILD, "print", "one\\ntwo", "exit", "4"}));
    process.run();
    ASSERT_TRUE(runUntil([&] { return !exits.empty(); }));
    EXPECT_EQ(lines, (std::vector<std::string>{"one", "two"}));
    EXPECT_EQ(exits, std::vector<std::uint32_t>{4});
    EXPECT_EQ(errors, std::vector<std::string>{"reported, not fatal"});
}
