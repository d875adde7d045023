#pragma once

#include "app/batch_check.h"
#include "app/check_options.h"
#include "app/check_results.h"
#include "app/report_folder.h"

#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace tessaly::app {

// "tessaly --check ...": checks the books the options name, several at
// once, writes one line per book as it ends and the summary at the end in
// the chosen format, and each report into the output folder. Needs no
// window system: it runs on any main thread (a QCoreApplication's).
class CheckCommand {
public:
    // Exit statuses.
    static constexpr int AllPassed = 0;
    static constexpr int SomeFailed = 1;
    static constexpr int BadUsage = 2;
    static constexpr int Interrupted = 130;

    CheckCommand(platform::MainThread& mainThread, std::string programFolder, CheckOptions options, std::ostream& out,
        std::ostream& err);
    ~CheckCommand();

    // Starts; `done` gets the exit status once, when the last book has
    // ended or at once when there is nothing to check.
    void start(std::function<void(int status)> done);
    // Ends every check and every checker now (Ctrl+C): reports written so
    // far stay, no other is begun.
    void interrupt();

private:
    void bookFinished(const BookOutcome& outcome);
    void allFinished();
    void finish(int status);
    void writeReport(const BookOutcome& outcome);

    platform::MainThread& m_mainThread;
    std::string m_programFolder;
    CheckOptions m_options;
    std::ostream& m_out;
    std::ostream& m_err;
    std::function<void(int)> m_done;
    std::unique_ptr<BatchCheck> m_batch;
    std::optional<ReportFolder> m_reportFolder;
    std::vector<BookOutcome> m_outcomes;
    BatchSummary m_summary;
    bool m_reportNotWritten = false;
    bool m_finished = false;
};

} // namespace tessaly::app
