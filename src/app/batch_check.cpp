#include "app/batch_check.h"

#include "app/book_check.h"
#include "platform/error.h"
#include "process/create_process.h"

namespace tessaly::app {

struct BatchCheck::Slot {
    std::size_t number = 0;
    // Declared before the check, which uses it until the check is gone.
    std::unique_ptr<WarmChecker> ownHost;
    // The host the check uses: the slot's own, the borrowed one, or none.
    WarmChecker* host = nullptr;
    std::unique_ptr<BookCheck> check;
    bool busy = false;
    // Inside the check's start, whose error tells more than its abandon.
    bool starting = false;
    std::size_t book = 0;
    std::chrono::steady_clock::time_point startTime;
};

BatchCheck::BatchCheck(platform::MainThread& mainThread, Settings settings)
    : m_mainThread(mainThread)
    , m_settings(std::move(settings))
{
    // A slot whose check has ended takes its next book from here, once the
    // runner that told of the end has finished its own work.
    m_receiver = m_mainThread.addReceiver([this](int, std::uintptr_t slot) {
        if (!m_cancelled && slot < m_slots.size())
            startNext(*m_slots[slot]);
    });
}

BatchCheck::~BatchCheck()
{
    m_mainThread.removeReceiver(m_receiver);
    cancel();
}

WarmChecker* BatchCheck::warmChecker(std::size_t slot) const
{
    return slot < m_slots.size() ? m_slots[slot]->host : nullptr;
}

bool BatchCheck::borrowing() const
{
    return m_settings.borrowedHost && !m_slots.empty() && m_slots.front()->host == m_settings.borrowedHost;
}

const report::Report* BatchCheck::reportOf(std::size_t index) const
{
    for (const auto& slot : m_slots) {
        if (slot->busy && slot->book == index)
            return &slot->check->report();
    }
    return nullptr;
}

std::unique_ptr<BatchCheck::Slot> BatchCheck::makeSlot(std::size_t number)
{
    auto slot = std::make_unique<Slot>();
    slot->number = number;
    slot->check = std::make_unique<BookCheck>(m_mainThread, m_settings.programFolder);
    if (m_settings.warm) {
        if (number == 0 && m_settings.borrowedHost) {
            slot->host = m_settings.borrowedHost;
        } else {
            WarmChecker::Settings host = m_settings.host;
            host.programFolder = m_settings.programFolder;
            slot->ownHost = std::make_unique<WarmChecker>(m_mainThread, std::move(host));
            slot->host = slot->ownHost.get();
        }
        // A borrowed host is usually warm already; this starts it if not.
        if (slot->host->available()) {
            try {
                slot->host->start();
            } catch (const Error&) {
                // Its first check tries again and falls back.
            }
        }
        slot->check->setWarmChecker(slot->host);
    }
    Slot* self = slot.get();
    slot->check->setHandlers({
        .started = {},
        .progress = {},
        .finished = [this, self](const std::string&) {
            const std::vector<std::string>& lines = self->check->report().lines();
            finish(*self, report::verdictOf(self->check->lastExitCode(), lines), self->check->lastExitCode(),
                self->check->output(), lines);
        },
        .restarted = [this, self] {
            if (m_handlers.restarted)
                m_handlers.restarted(self->book);
        },
        .abandoned = [this, self] {
            if (!self->starting)
                finishWithoutChecker(*self, "java -jar, after the warm checker, could not be started");
        },
    });
    return slot;
}

void BatchCheck::start(std::vector<std::string> books)
{
    m_books = std::move(books);
    const std::size_t jobs = std::size_t(std::max(1, m_settings.jobs));
    const std::size_t slotCount = std::min(jobs, m_books.size());
    for (std::size_t number = 0; number < slotCount; ++number)
        m_slots.push_back(makeSlot(number));
    if (m_books.empty() && m_handlers.allFinished)
        m_handlers.allFinished();
    for (auto& slot : m_slots)
        startNext(*slot);
}

void BatchCheck::startNext(Slot& slot)
{
    if (slot.busy)
        return;
    if (m_next >= m_books.size()) {
        // The slot has checked its last book: its host is not needed here
        // any more.
        letGoOfHost(slot);
        return;
    }
    slot.book = m_next++;
    slot.busy = true;
    slot.startTime = std::chrono::steady_clock::now();
    if (m_handlers.started)
        m_handlers.started(slot.book);
    slot.starting = true;
    try {
        slot.check->start(m_books[slot.book]);
    } catch (const Error& error) {
        slot.starting = false;
        finishWithoutChecker(slot, error.what());
    }
    slot.starting = false;
}

void BatchCheck::finishWithoutChecker(Slot& slot, const std::string& why)
{
    report::Verdict verdict;
    verdict.kind = report::VerdictKind::CheckerFailed;
    // On one line: system messages come with a line break.
    std::string reason = why;
    for (char& c : reason) {
        if (c == '\r' || c == '\n')
            c = ' ';
    }
    verdict.text = "The checker could not be started (" + reason + ")";
    finish(slot, std::move(verdict), 0, {});
}

void BatchCheck::finish(Slot& slot, report::Verdict verdict, std::uint32_t exitCode, std::string output,
    std::vector<std::string> reportLines)
{
    if (m_cancelled || !slot.busy)
        return;
    slot.busy = false;
    BookOutcome outcome;
    outcome.index = slot.book;
    outcome.book = m_books[slot.book];
    outcome.verdict = std::move(verdict);
    outcome.exitCode = exitCode;
    outcome.output = std::move(output);
    outcome.reportLines = std::move(reportLines);
    outcome.elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - slot.startTime);
    ++m_finishedCount;
    if (m_handlers.finished)
        m_handlers.finished(outcome);
    if (m_cancelled)
        return;
    if (m_finishedCount == m_books.size()) {
        // Given back before the end is told, so that whoever hears of it
        // finds its host free. Own hosts end with the batch: this may run
        // inside one's own output.
        if (!m_slots.empty() && borrowing())
            letGoOfHost(*m_slots.front());
        if (m_handlers.allFinished)
            m_handlers.allFinished();
        return;
    }
    freeSlotLater(slot);
}

void BatchCheck::freeSlotLater(Slot& slot)
{
    m_mainThread.post(m_receiver, 0, slot.number);
}

void BatchCheck::letGoOfHost(Slot& slot)
{
    if (!slot.host)
        return;
    // A "java -jar" check that ends from now on must not start a new host
    // as a fall-back's end would; a borrowed host's handlers are its
    // owner's to set again.
    slot.check->setWarmChecker(nullptr);
    if (slot.ownHost) {
        // An idle host would end only once its input closes; ending it now
        // leaves no checker behind when the program stops at once.
        if (slot.ownHost->hostRunning())
            slot.ownHost->host().terminate();
    } else if (!m_cancelled) {
        // Its host may have died during the batch: the owner gets it back
        // warming up again, as after any fall-back.
        slot.host->fallbackEnded();
    }
    slot.host = nullptr;
}

void BatchCheck::cancel()
{
    m_cancelled = true;
    for (auto& slot : m_slots) {
        // A borrowed host loses only the check it was doing for us.
        slot->check->end();
        letGoOfHost(*slot);
    }
}

} // namespace tessaly::app
