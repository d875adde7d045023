#include "app/book_check.h"

#include "app/checker_command.h"
#include "app/warm_checker.h"
#include "platform/error.h"
#include "process/create_process.h"
#include "report/check_verdict.h"
#include "report/report_comparison.h"

namespace tessaly::app {

BookCheck::BookCheck(platform::MainThread& mainThread, std::string programFolder)
    : m_programFolder(std::move(programFolder))
    , m_checker(std::make_unique<process::CreateProcess>(mainThread))
    , m_clock(mainThread, [this](std::chrono::seconds elapsed) {
        if (m_handlers.progress)
            m_handlers.progress(elapsed);
    })
{
    // Nothing reads the collected console output, and keeping it would grow
    // with every run for as long as the program is open.
    m_checker->setConsoleOptions(process::ConsoleOptions::Redirect | process::ConsoleOptions::OwnerData);
    // A checker nobody reads any more is not left running, even when the
    // program is killed outright.
    m_checker->setEndsWithProgram(true);
    m_checker->setOnRead([this](process::CreateProcess&, const std::string& text, bool startsOnNewLine) {
        addReportLine(text, startsOnNewLine);
    });
    m_checker->setOnRawRead([this](process::CreateProcess&, const std::string& bytes) { m_output += bytes; });
    m_checker->setOnTerminate([this](process::CreateProcess&, std::uint32_t exitCode) {
        ended(exitCode);
        if (m_warmChecker)
            m_warmChecker->fallbackEnded();
    });
}

BookCheck::~BookCheck()
{
    end();
    setWarmChecker(nullptr);
}

void BookCheck::setWarmChecker(WarmChecker* warmChecker)
{
    if (m_warmChecker)
        m_warmChecker->setHandlers({});
    m_warmChecker = warmChecker;
    if (m_warmChecker)
        takeWarmChecker();
}

void BookCheck::takeWarmChecker()
{
    m_warmChecker->setHandlers({
        .read = [this](const std::string& text, bool startsOnNewLine) { addReportLine(text, startsOnNewLine); },
        .finished = [this](std::uint32_t exitCode) { ended(exitCode); },
        .output = [this](const std::string& bytes) { m_output = bytes; },
        .fallBack = [this](const std::string& book) { warmCheckFellBack(book); },
    });
}

void BookCheck::start(const std::string& book)
{
    // Refused before anything changes: the check under way keeps its
    // report, its clock, its verdict and its comparison.
    if (running())
        throw Error(process::RunningMessage);
    clearReport();
    m_output.clear();
    m_launching = true;
    try {
        launch(book);
    } catch (...) {
        m_launching = false;
        throw;
    }
    m_launching = false;
    m_book = book;
    m_reportOfCheck = true;
    m_clock.start();
    if (m_handlers.started)
        m_handlers.started(book);
    if (m_handlers.progress)
        m_handlers.progress(m_clock.elapsed());
}

void BookCheck::end()
{
    if (m_warmChecker)
        m_warmChecker->cancel();
    if (m_checker->state() != process::ProcessState::Ready)
        m_checker->terminate();
}

bool BookCheck::running() const
{
    // The runners decide: the warm checker's check, or a "java -jar" one
    // (started directly or as the warm checker's fall-back) until its
    // output has been read to the end.
    return m_checker->state() != process::ProcessState::Ready || (m_warmChecker && m_warmChecker->checking());
}

void BookCheck::addReportLine(const std::string& text, bool startsOnNewLine)
{
    m_filter.add(text, startsOnNewLine);
}

void BookCheck::clearReport()
{
    m_report.clear();
    m_reportOfCheck = false;
}

std::optional<std::string> BookCheck::reportedBook() const
{
    if (!m_reportOfCheck)
        return std::nullopt;
    return m_book;
}

void BookCheck::launch(const std::string& book)
{
    // While a fall-back check runs, the runner refuses the new one.
    if (m_warmChecker && m_checker->state() == process::ProcessState::Ready) {
        takeWarmChecker();
        m_warmChecker->check(book);
    } else
        runJarCheck(book);
}

void BookCheck::runJarCheck(const std::string& book)
{
    m_checker->setCommandLine(checkerCommandLine(m_programFolder, book));
    m_checker->setEnvironment(checkerEnvironment(currentEnvironment()));
    m_checker->run();
}

void BookCheck::warmCheckFellBack(const std::string& book)
{
    // What the warm checker showed of this check is void: the report starts
    // again from "java -jar".
    m_report.clear();
    m_output.clear();
    try {
        runJarCheck(book);
    } catch (...) {
        abandon();
        throw;
    }
    // A fall-back while the check is being started is simply its start.
    if (!m_launching && m_handlers.restarted)
        m_handlers.restarted();
}

void BookCheck::abandon()
{
    m_clock.stop();
    if (m_handlers.abandoned)
        m_handlers.abandoned();
}

void BookCheck::ended(std::uint32_t exitCode)
{
    m_clock.stop();
    m_lastExitCode = exitCode;
    const std::string text = verdict(exitCode);
    if (m_handlers.finished)
        m_handlers.finished(text);
}

std::string BookCheck::verdict(std::uint32_t exitCode)
{
    const std::vector<std::string>& lines = m_report.lines();
    std::string text = report::checkVerdict(exitCode, lines);
    // A book checked before in this session: what changed since.
    const auto previous = m_previousReports.find(m_book);
    if (previous != m_previousReports.end()) {
        report::ReportComparison comparison = report::compareReports(previous->second, lines);
        text += " \u00b7 " + std::to_string(comparison.newCount) + " new, " + std::to_string(comparison.goneCount) + " gone";
        m_report.markLines(std::move(comparison.newLines));
    }
    m_previousReports[m_book] = lines;
    return text;
}

} // namespace tessaly::app
