#pragma once

#include "app/warm_checker.h"
#include "platform/main_thread.h"
#include "report/check_verdict.h"
#include "report/report.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace tessaly::app {

class BookCheck;

// How the check of one book of a list ended.
struct BookOutcome {
    std::size_t index = 0; // in the list
    std::string book;
    report::Verdict verdict;
    std::uint32_t exitCode = 0;
    // The checker's output, byte for byte as "java -jar" writes it for this
    // book alone; empty when the checker could not be started.
    std::string output;
    // The report the user reads (the checker's output through the report
    // filter); empty when the checker could not be started.
    std::vector<std::string> reportLines;
    std::chrono::milliseconds elapsed{0};
};

// Checks a list of books, several at once: each of up to `jobs` slots has a
// check of its own (BookCheck) and, unless turned off, a warm checker host
// of its own with "java -jar" as its fall-back, so that one host that
// fails costs only its own book a slower check. The first slot may borrow
// a host that is already warm (the window's) instead of starting one.
// Books start in list order; they end in whatever order the checks take.
// Everything happens on the main thread.
class BatchCheck {
public:
    struct Settings {
        std::string programFolder; // ends with a separator
        int jobs = 1;
        bool warm = true;
        // For every host; its programFolder is taken from above.
        WarmChecker::Settings host;
        // A warm checker someone else owns, for the first slot (when warm):
        // the batch gives it back once that slot has no book left, and at
        // the end or cancel, and never ends its host, only a check of its
        // own on it. It must outlive the batch.
        WarmChecker* borrowedHost = nullptr;
    };
    struct Handlers {
        std::function<void(std::size_t index)> started;
        // The warm checker could not finish the book's check: it runs again
        // from the start with "java -jar".
        std::function<void(std::size_t index)> restarted;
        std::function<void(const BookOutcome& outcome)> finished;
        // After the last book's finished; not after cancel().
        std::function<void()> allFinished;
    };

    BatchCheck(platform::MainThread& mainThread, Settings settings);
    ~BatchCheck();
    BatchCheck(const BatchCheck&) = delete;
    BatchCheck& operator=(const BatchCheck&) = delete;

    void setHandlers(Handlers handlers) { m_handlers = std::move(handlers); }

    // Starts checking the books (once per object).
    void start(std::vector<std::string> books);
    // Ends every running check and every host at once; nothing more is
    // reported.
    void cancel();
    // How many slots (and at most hosts) the list is checked with.
    std::size_t slotCount() const { return m_slots.size(); }
    // The slot's warm checker (its own or the borrowed one), or nullptr.
    WarmChecker* warmChecker(std::size_t slot) const;
    // Whether the borrowed host is still in use here.
    bool borrowing() const;
    // What has arrived of the report of a book being checked, or nullptr
    // when the book is not being checked.
    const report::Report* reportOf(std::size_t index) const;

private:
    struct Slot;
    void startNext(Slot& slot);
    void finish(Slot& slot, report::Verdict verdict, std::uint32_t exitCode, std::string output,
        std::vector<std::string> reportLines = {});
    void finishWithoutChecker(Slot& slot, const std::string& why);
    void freeSlotLater(Slot& slot);
    std::unique_ptr<Slot> makeSlot(std::size_t number);
    void letGoOfHost(Slot& slot);

    platform::MainThread& m_mainThread;
    Settings m_settings;
    Handlers m_handlers;
    std::vector<std::string> m_books;
    std::vector<std::unique_ptr<Slot>> m_slots;
    std::size_t m_next = 0;
    std::size_t m_finishedCount = 0;
    bool m_cancelled = false;
    platform::MainThread::ReceiverId m_receiver = 0;
};

} // namespace tessaly::app
