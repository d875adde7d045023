#include "app/check_command.h"

#include "app/book_list.h"
#include "app/checker_jobs.h"
#include "platform/error.h"

#include <algorithm>

namespace tessaly::app {

CheckCommand::CheckCommand(platform::MainThread& mainThread, std::string programFolder, CheckOptions options,
    std::ostream& out, std::ostream& err)
    : m_mainThread(mainThread)
    , m_programFolder(std::move(programFolder))
    , m_options(std::move(options))
    , m_out(out)
    , m_err(err)
{
}

CheckCommand::~CheckCommand() = default;

void CheckCommand::start(std::function<void(int status)> done)
{
    m_done = std::move(done);
    std::vector<std::string> books = collectBooks(m_options.paths);
    if (books.empty()) {
        m_err << "tessaly: no EPUB book in the folders named\n";
        return finish(BadUsage);
    }
    if (!m_options.outputFolder.empty()) {
        try {
            m_reportFolder.emplace(m_options.outputFolder, books);
        } catch (const Error& error) {
            m_err << "tessaly: " << error.what() << "\n";
            return finish(BadUsage);
        }
    }
    BatchCheck::Settings settings;
    settings.programFolder = m_programFolder;
    settings.jobs = m_options.jobs.value_or(checkerJobs());
    settings.warm = WarmChecker::enabledInSettings();
    m_batch = std::make_unique<BatchCheck>(m_mainThread, std::move(settings));
    m_batch->setHandlers({
        .started = {},
        .restarted = {},
        .finished = [this](const BookOutcome& outcome) { bookFinished(outcome); },
        .allFinished = [this] { allFinished(); },
    });
    m_batch->start(std::move(books));
}

void CheckCommand::interrupt()
{
    if (m_finished)
        return;
    if (m_batch)
        m_batch->cancel();
    m_out.flush();
    m_err << "tessaly: interrupted\n";
    finish(Interrupted);
}

void CheckCommand::bookFinished(const BookOutcome& outcome)
{
    m_summary.add(outcome);
    writeReport(outcome);
    switch (m_options.format) {
    case ResultFormat::Text:
        m_out << textLine(outcome);
        break;
    case ResultFormat::Json:
        m_out << jsonLine(outcome, m_reportFolder ? m_reportFolder->fileFor(outcome.book) : std::string());
        break;
    case ResultFormat::Junit:
        // Standard output carries the document alone.
        m_err << textLine(outcome);
        m_outcomes.push_back(outcome);
        break;
    }
    m_out.flush();
    m_err.flush();
}

void CheckCommand::writeReport(const BookOutcome& outcome)
{
    if (!m_reportFolder)
        return;
    try {
        m_reportFolder->write(outcome.book, outcome.output);
    } catch (const Error& error) {
        m_err << "tessaly: " << error.what() << "\n";
        m_reportNotWritten = true;
    }
}

void CheckCommand::allFinished()
{
    switch (m_options.format) {
    case ResultFormat::Text:
        m_out << textSummary(m_summary);
        break;
    case ResultFormat::Json:
        m_out << jsonSummary(m_summary);
        break;
    case ResultFormat::Junit: {
        std::sort(m_outcomes.begin(), m_outcomes.end(),
            [](const BookOutcome& a, const BookOutcome& b) { return a.index < b.index; });
        m_out << junitDocument(m_outcomes);
        m_err << textSummary(m_summary);
        break;
    }
    }
    finish(m_summary.allPassed() && !m_reportNotWritten ? AllPassed : SomeFailed);
}

void CheckCommand::finish(int status)
{
    if (m_finished)
        return;
    m_finished = true;
    m_out.flush();
    m_err.flush();
    if (m_done)
        m_done(status);
}

} // namespace tessaly::app
