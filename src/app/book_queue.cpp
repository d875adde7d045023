#include "app/book_queue.h"

#include "app/check_results.h"
#include "app/checker_jobs.h"
#include "app/report_folder.h"
#include "platform/error.h"
#include "process/process_types.h"

#include <algorithm>

namespace tessaly::app {

// One BatchCheck over some books of the queue: all of them at first, one
// when a book is checked again.
struct BookQueue::Run {
    std::unique_ptr<BatchCheck> batch;
    // The queue's index of each of the run's books.
    std::vector<std::size_t> indices;
};

BookQueue::BookQueue(platform::MainThread& mainThread, std::string programFolder)
    : m_mainThread(mainThread)
    , m_programFolder(std::move(programFolder))
    , m_clock(mainThread, [this](std::chrono::seconds) { tick(); })
{
    m_receiver = m_mainThread.addReceiver([this](int, std::uintptr_t) { m_endedRuns.clear(); });
}

BookQueue::~BookQueue()
{
    m_mainThread.removeReceiver(m_receiver);
    m_clock.stop();
    m_handlers = {};
    cancelAll();
}

void BookQueue::refuseWhileRunning() const
{
    if (running())
        throw Error(process::RunningMessage);
}

void BookQueue::checkBooks(std::vector<std::string> books)
{
    refuseWhileRunning();
    m_books.clear();
    for (std::string& path : books) {
        QueuedBook book;
        book.path = std::move(path);
        m_books.push_back(std::move(book));
    }
    if (m_handlers.listChanged)
        m_handlers.listChanged();
    std::vector<std::size_t> indices(m_books.size());
    for (std::size_t i = 0; i < indices.size(); ++i)
        indices[i] = i;
    start(std::move(indices));
}

void BookQueue::checkAgain(std::size_t index)
{
    const QueuedBook& queued = m_books.at(index);
    if (queued.state == QueuedBookState::Waiting || queued.state == QueuedBookState::Checking)
        throw Error(process::RunningMessage);
    start({index});
}

void BookQueue::clear()
{
    refuseWhileRunning();
    m_books.clear();
    if (m_handlers.listChanged)
        m_handlers.listChanged();
}

void BookQueue::start(std::vector<std::size_t> indices)
{
    if (indices.empty())
        return;
    auto run = std::make_unique<Run>();
    run->indices = std::move(indices);
    BatchCheck::Settings settings;
    settings.programFolder = m_programFolder;
    settings.jobs = checkerJobs();
    settings.warm = WarmChecker::enabledInSettings();
    if (settings.warm)
        settings.borrowedHost = freeSharedWarmChecker();
    run->batch = std::make_unique<BatchCheck>(m_mainThread, std::move(settings));
    Run* self = run.get();
    run->batch->setHandlers({
        .started = [this, self](std::size_t runIndex) { bookStarted(*self, runIndex); },
        .restarted = [this, self](std::size_t runIndex) { bookRestarted(*self, runIndex); },
        .finished = [this, self](const BookOutcome& outcome) { bookFinished(*self, outcome); },
        .allFinished = [this, self] { runEnded(*self); },
    });
    std::vector<std::string> paths;
    for (const std::size_t index : run->indices) {
        QueuedBook& queued = m_books[index];
        queued.state = QueuedBookState::Waiting;
        queued.checkedAgain = false;
        queued.verdict = {};
        queued.output.clear();
        queued.reportLines.clear();
        paths.push_back(queued.path);
        if (m_handlers.bookChanged)
            m_handlers.bookChanged(index);
    }
    if (!m_clock.running())
        m_clock.start();
    m_runs.push_back(std::move(run));
    self->batch->start(std::move(paths));
}

void BookQueue::bookStarted(Run& run, std::size_t runIndex)
{
    const std::size_t index = run.indices[runIndex];
    m_books[index].state = QueuedBookState::Checking;
    m_books[index].started = std::chrono::steady_clock::now();
    if (m_handlers.bookChanged)
        m_handlers.bookChanged(index);
}

void BookQueue::bookRestarted(Run& run, std::size_t runIndex)
{
    const std::size_t index = run.indices[runIndex];
    m_books[index].checkedAgain = true;
    if (m_handlers.bookChanged)
        m_handlers.bookChanged(index);
}

WarmChecker* BookQueue::freeSharedWarmChecker() const
{
    // Only one check at a time can use it: another run of the queue, or
    // the window's own check of one book.
    if (!m_sharedWarmChecker || m_sharedWarmChecker->checking())
        return nullptr;
    for (const auto& run : m_runs) {
        if (run->batch->borrowing())
            return nullptr;
    }
    return m_sharedWarmChecker;
}

void BookQueue::bookFinished(Run& run, const BookOutcome& outcome)
{
    const std::size_t index = run.indices[outcome.index];
    QueuedBook& queued = m_books[index];
    queued.state = QueuedBookState::Done;
    queued.verdict = outcome.verdict;
    queued.output = outcome.output;
    queued.reportLines = outcome.reportLines;
    if (m_handlers.bookChanged)
        m_handlers.bookChanged(index);
}

void BookQueue::runEnded(Run& run)
{
    const auto found = std::find_if(m_runs.begin(), m_runs.end(), [&](const auto& r) { return r.get() == &run; });
    if (found == m_runs.end())
        return;
    // The run is inside its own handler: it goes once that has returned.
    m_endedRuns.push_back(std::move(*found));
    m_runs.erase(found);
    m_mainThread.post(m_receiver, 0, 0);
    if (!running()) {
        m_clock.stop();
        if (m_handlers.allEnded)
            m_handlers.allEnded();
    }
}

void BookQueue::cancelAll()
{
    if (!running())
        return;
    for (auto& run : m_runs) {
        run->batch->cancel();
        for (const std::size_t index : run->indices) {
            QueuedBook& queued = m_books[index];
            if (queued.state != QueuedBookState::Done) {
                queued.state = QueuedBookState::Cancelled;
                if (m_handlers.bookChanged)
                    m_handlers.bookChanged(index);
            }
        }
    }
    // Cancelled, a run reports nothing more; it may be freed at once.
    m_endedRuns.clear();
    m_runs.clear();
    m_clock.stop();
    if (m_handlers.allEnded)
        m_handlers.allEnded();
}

void BookQueue::tick()
{
    for (std::size_t index = 0; index < m_books.size(); ++index) {
        if (m_books[index].state == QueuedBookState::Checking && m_handlers.bookChanged)
            m_handlers.bookChanged(index);
    }
}

std::chrono::seconds BookQueue::elapsed(std::size_t index) const
{
    return std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now() - m_books.at(index).started);
}

std::vector<std::string> BookQueue::reportLines(std::size_t index) const
{
    const QueuedBook& queued = m_books.at(index);
    if (queued.state == QueuedBookState::Done)
        return queued.reportLines;
    if (queued.state == QueuedBookState::Checking) {
        for (const auto& run : m_runs) {
            const auto at = std::find(run->indices.begin(), run->indices.end(), index);
            if (at == run->indices.end())
                continue;
            if (const report::Report* report = run->batch->reportOf(std::size_t(at - run->indices.begin())))
                return report->lines();
        }
    }
    return {};
}

std::string BookQueue::stateText(std::size_t index) const
{
    const QueuedBook& queued = m_books.at(index);
    switch (queued.state) {
    case QueuedBookState::Waiting:
        return "waiting";
    case QueuedBookState::Checking:
        // Short enough for the row's state column.
        return (queued.checkedAgain ? "checking again, not warm \u2014 " : "checking \u2014 ")
            + std::to_string(elapsed(index).count()) + " s";
    case QueuedBookState::Done:
        return queued.verdict.text;
    case QueuedBookState::Cancelled:
        break;
    }
    return "cancelled";
}

std::string BookQueue::summary() const
{
    BatchSummary summary;
    std::size_t cancelled = 0;
    for (const QueuedBook& queued : m_books) {
        if (queued.state == QueuedBookState::Done) {
            BookOutcome outcome;
            outcome.verdict = queued.verdict;
            summary.add(outcome);
        } else if (queued.state == QueuedBookState::Cancelled) {
            ++cancelled;
        }
    }
    if (running()) {
        std::string text = "Checking " + std::to_string(m_books.size()) + " books: " + std::to_string(summary.books)
            + " done";
        if (summary.books > 0) {
            std::string counts = textSummary(summary);
            counts.pop_back();
            text += " (" + counts.substr(counts.find(": ") + 2) + ")";
        }
        return text;
    }
    if (m_books.empty())
        return {};
    // Books never checked are counted too, and named apart.
    summary.books = int(m_books.size());
    std::string text = textSummary(summary);
    text.pop_back(); // its line feed
    if (cancelled > 0)
        text += ", " + std::to_string(cancelled) + " cancelled";
    return text;
}

std::size_t BookQueue::saveReports(const std::string& folder) const
{
    // Half a list would be saved as if it were the whole of it.
    if (running())
        throw Error("The reports can be saved once the checks have ended");
    // Names given out over the whole list, so that a book keeps its file's
    // name whichever others are done.
    std::vector<std::string> all;
    for (const QueuedBook& queued : m_books)
        all.push_back(queued.path);
    const ReportFolder reports(folder, all);
    std::size_t written = 0;
    for (const QueuedBook& queued : m_books) {
        if (queued.state == QueuedBookState::Done) {
            reports.write(queued.path, queued.output);
            ++written;
        }
    }
    return written;
}

} // namespace tessaly::app
