#pragma once

#include "app/batch_check.h"
#include "app/progress_clock.h"
#include "report/check_verdict.h"

#include <chrono>
#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace tessaly::app {

// Where a book of the queue stands.
enum class QueuedBookState {
    Waiting,
    Checking,
    Done,
    Cancelled, // its check was cancelled before it ended, or never began
};

// One book of the queue and, once its check has ended, how it came out.
struct QueuedBook {
    std::string path;
    QueuedBookState state = QueuedBookState::Waiting;
    std::chrono::steady_clock::time_point started;
    // The warm checker could not finish its check: it runs again with
    // "java -jar" (on the same clock).
    bool checkedAgain = false;
    // Once done: the verdict, the checker's output byte for byte (what is
    // saved) and the report the user reads.
    report::Verdict verdict;
    std::string output;
    std::vector<std::string> reportLines;
};

// The books the window checks together: each with its state, its verdict
// and its report, checked several at once by BatchCheck. A book can be
// checked again on its own while the others go on; the summary counts the
// verdicts. Everything happens on the main thread.
class BookQueue {
public:
    struct Handlers {
        // A book's state, verdict or clock changed.
        std::function<void(std::size_t index)> bookChanged;
        // The list was replaced.
        std::function<void()> listChanged;
        // The last running check ended (or all were cancelled).
        std::function<void()> allEnded;
    };

    // programFolder holds the program's executable and its "epubcheck"
    // folder; it ends with a separator. How many books are checked at once
    // and whether with warm checker hosts are read from the user's settings
    // whenever checks start (CheckerJobsKey, WarmChecker::SettingsKey).
    BookQueue(platform::MainThread& mainThread, std::string programFolder);
    ~BookQueue();
    BookQueue(const BookQueue&) = delete;
    BookQueue& operator=(const BookQueue&) = delete;

    void setHandlers(Handlers handlers) { m_handlers = std::move(handlers); }
    // The window's warm checker, already warm when the user drops books:
    // checks that start while no other check of the queue has it borrow it
    // for their first slot, instead of starting a cold host of their own,
    // and give it back when they end or are cancelled. It must outlive this
    // object, or be set to nullptr before it goes.
    void setSharedWarmChecker(WarmChecker* warmChecker) { m_sharedWarmChecker = warmChecker; }

    // Replaces the list with these books and starts checking them all, in
    // list order. Throws "Cannot perform this operation when process is
    // running" while a check of the queue runs, before anything changes.
    void checkBooks(std::vector<std::string> books);
    // Checks one book of the list again; the others keep their verdicts.
    // Throws as above while that book waits or is being checked.
    void checkAgain(std::size_t index);
    // Ends every running check; books not yet done are cancelled.
    void cancelAll();
    // Empties the list (nothing may be running).
    void clear();

    bool running() const { return !m_runs.empty(); }
    std::size_t size() const { return m_books.size(); }
    const QueuedBook& book(std::size_t index) const { return m_books.at(index); }
    // The whole seconds a book has been checked for so far.
    std::chrono::seconds elapsed(std::size_t index) const;
    // What has arrived of a book's report: all of it once done, the lines
    // so far while it is being checked, none otherwise.
    std::vector<std::string> reportLines(std::size_t index) const;

    // "12 books: 9 passed, 3 with errors"; while checks run, how many are
    // done ("Checking 12 books: 5 done, ..."); books whose check was
    // cancelled are counted apart.
    std::string summary() const;
    // What a book's row says: "waiting", "checking — N s" (or "checking
    // again, not warm — N s" once the warm checker gave way to "java
    // -jar"), the verdict, or "cancelled".
    std::string stateText(std::size_t index) const;

    // Writes the report of every book that is done into `folder` (created
    // if need be), one file per book named after it, each written whole or
    // not at all; answers how many. Throws an Error when the folder or a
    // file cannot be written, and while checks run.
    std::size_t saveReports(const std::string& folder) const;

private:
    struct Run;
    void start(std::vector<std::size_t> indices);
    void bookStarted(Run& run, std::size_t runIndex);
    void bookRestarted(Run& run, std::size_t runIndex);
    WarmChecker* freeSharedWarmChecker() const;
    void bookFinished(Run& run, const BookOutcome& outcome);
    void runEnded(Run& run);
    void tick();
    void refuseWhileRunning() const;

    platform::MainThread& m_mainThread;
    std::string m_programFolder;
    WarmChecker* m_sharedWarmChecker = nullptr;
    Handlers m_handlers;
    std::vector<QueuedBook> m_books;
    std::vector<std::unique_ptr<Run>> m_runs;
    // Runs that have ended, freed once the checker that told of the end
    // has returned.
    std::vector<std::unique_ptr<Run>> m_endedRuns;
    platform::MainThread::ReceiverId m_receiver = 0;
    // Beats once a second while checks run, for the rows' clocks.
    ProgressClock m_clock;
};

} // namespace tessaly::app
