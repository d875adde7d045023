#pragma once

#include "app/progress_clock.h"
#include "report/report.h"
#include "report/report_filter.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// The main thread (platform::MainThread) comes with the clock's header.
namespace tessaly::process {
class CreateProcess;
}

namespace tessaly::app {

class WarmChecker;

// One check of a book at a time, without any window: runs the checker
// ("java -jar", or the warm checker with "java -jar" as its fall-back),
// turns its output into the report through the report filter, keeps the
// check's clock, and gives the verdict when the check ends, with what
// changed since the same book's last check in this session (the new
// messages are marked in the report). It tells its owner through handlers,
// on the main thread.
class BookCheck {
public:
    struct Handlers {
        // The check runs; follows every start that did not throw.
        std::function<void(const std::string& book)> started;
        // The whole seconds since the start: at the start, then once a second.
        std::function<void(std::chrono::seconds elapsed)> progress;
        // The check ended, with the verdict the user reads.
        std::function<void(const std::string& verdict)> finished;
        // The warm checker could not finish the check: it runs again from
        // the start with "java -jar", and the report has started afresh.
        std::function<void()> restarted;
        // The check could not go on and there is no verdict to give.
        std::function<void()> abandoned;
    };

    // programFolder holds the program's executable and its "epubcheck"
    // folder; it ends with a separator.
    BookCheck(platform::MainThread& mainThread, std::string programFolder);
    ~BookCheck();
    BookCheck(const BookCheck&) = delete;
    BookCheck& operator=(const BookCheck&) = delete;

    void setHandlers(Handlers handlers) { m_handlers = std::move(handlers); }
    // Checks go to the warm checker from now on (it must outlive this
    // object, or be set to nullptr before it goes); nullptr: "java -jar"
    // every time. The warm checker may serve other checks in between (the
    // window lends its own to the queue of books): each check here takes
    // it back.
    void setWarmChecker(WarmChecker* warmChecker);

    // Empties the report and starts checking the book. Throws "Cannot
    // perform this operation when process is running" while a check runs,
    // before anything changes.
    void start(const std::string& book);
    // Ends the running check, if any.
    void end();
    // Whether a check is still under way: the warm checker's check, or a
    // "java -jar" one until its output has been read to the end.
    bool running() const;
    // The handler of the checker's output: one report of it.
    void addReportLine(const std::string& text, bool startsOnNewLine = true);

    report::Report& report() { return m_report; }
    const report::Report& report() const { return m_report; }
    // Empties the report; it then holds no check's report.
    void clearReport();
    // The book whose check the report holds, if it holds one.
    std::optional<std::string> reportedBook() const;
    // The checker's output of the last check, byte for byte as it wrote it
    // to its standard output and error (what "java -jar" writes into a
    // pipe), complete once the check has ended.
    const std::string& output() const { return m_output; }
    // The whole seconds since the running check started.
    std::chrono::seconds elapsed() const { return m_clock.elapsed(); }
    // The checker's exit code of the last check that ended.
    std::uint32_t lastExitCode() const { return m_lastExitCode; }
    // The "java -jar" runner.
    process::CreateProcess& checker() { return *m_checker; }

private:
    void takeWarmChecker();
    void launch(const std::string& book);
    void runJarCheck(const std::string& book);
    void warmCheckFellBack(const std::string& book);
    void abandon();
    void ended(std::uint32_t exitCode);
    std::string verdict(std::uint32_t exitCode);

    std::string m_programFolder;
    std::unique_ptr<process::CreateProcess> m_checker;
    WarmChecker* m_warmChecker = nullptr;
    report::Report m_report;
    report::ReportFilter m_filter{m_report};
    ProgressClock m_clock;
    Handlers m_handlers;
    std::string m_book;
    // Whether the report holds the report of m_book's check.
    bool m_reportOfCheck = false;
    std::string m_output;
    bool m_launching = false;
    std::uint32_t m_lastExitCode = 0;
    // The report of the last check of each book checked in this session.
    std::map<std::string, std::vector<std::string>> m_previousReports;
};

} // namespace tessaly::app
