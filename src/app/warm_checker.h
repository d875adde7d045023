#pragma once

#include "report/end_record_filter.h"
#include "report/host_answer_bytes.h"
#include "process/process_types.h"

#include <QObject>
#include <QTemporaryDir>
#include <QTimer>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace tessaly::platform {
class MainThread;
}
namespace tessaly::process {
class CreateProcess;
}

namespace tessaly::app {

// The warm checker: keeps one checker host (a Java process of ours that runs
// the checker in-process, see checker/) started and warm, hands it one book
// at a time and passes its report on line by line, exactly as "java -jar"
// would have written it. The host's end record never reaches the report;
// its exit code does.
//
// When the host cannot take a check (it cannot be started, dies, gives no
// output for too long, or reports that it could not run the check) the
// check goes to the fall-back handler, which runs it the usual way; a new
// host is started once that check has ended (fallbackEnded()). The host
// ends by itself when this object is destroyed (its input closes) and after
// ten minutes without a request, and at once, even in the middle of a
// check, when the program is killed; the next check starts a new one.
class WarmChecker : public QObject {
public:
    struct Settings {
        std::string programFolder;               // ends with a separator
        // For the host; empty: ours, with a UTF-8 character type as the
        // checker needs (checkerEnvironment()).
        std::vector<std::string> environment;
        // Normal: a check the user waits for must not wait behind every
        // other process of a busy machine.
        process::ProcessPriority priority = process::ProcessPriority::Normal;
        // How long the host may stay silent during a check: a fixed part and
        // a part for every started megabyte of the book.
        std::chrono::milliseconds stallBase{60'000};
        std::chrono::milliseconds stallPerMegabyte{30'000};
        // Replaces the host's command line (tests start stand-ins).
        std::string commandLine;
    };
    struct Handlers {
        std::function<void(const std::string& text, bool startsOnNewLine)> read;
        std::function<void(std::uint32_t exitCode)> finished;
        // Just before finished: the check's whole output, byte for byte as
        // "java -jar" writes it (read gets it as lines, after the console
        // rules).
        std::function<void(const std::string& bytes)> output;
        // The check could not be done here: run it the usual way. What read
        // passed on for it so far is void.
        std::function<void(const std::string& book)> fallBack;
    };

    // The setting that turns the warm checker off: QSettings of organisation
    // and application "Tessaly", this key, a boolean (default true).
    static constexpr const char* SettingsKey = "checker/warm";
    static bool enabledInSettings();

    WarmChecker(platform::MainThread& mainThread, Settings settings);
    ~WarmChecker() override;

    void setHandlers(Handlers handlers) { m_handlers = std::move(handlers); }

    // Whether a host can be started at all (its archive is there).
    bool available() const;
    // Starts a host and lets it warm up, unless one runs. Throws the
    // runner's error when the host cannot be started.
    void start();
    // Starts checking the book. Throws "Cannot perform this operation when
    // process is running" while a check is under way. A check the host
    // cannot take goes to the fall-back handler before this returns.
    void check(const std::string& book);
    // The fall-back check has ended: start a new host if the old one is gone.
    void fallbackEnded();
    // Ends the running check, if any, without any further report; the host
    // is ended with it.
    void cancel();

    bool checking() const { return m_checking; }
    bool hostRunning() const;
    // Whether the host has finished warming up.
    bool warm() const { return m_warm; }
    process::CreateProcess& host() { return *m_host; }
    // The running host's own temporary folder (empty when no host runs); it
    // is removed when the host ends or this object goes.
    std::string temporaryFolder() const;
    std::chrono::milliseconds stallTimeout(const std::string& book) const;

private:
    void hostRead(const std::string& text, bool startsOnNewLine);
    void hostEnded();
    void checkEnded(const report::EndRecordFilter::EndRecord& record, const std::string& bytes);
    void stalled();
    void fallBack();
    static std::string newToken();

    Settings m_settings;
    std::unique_ptr<process::CreateProcess> m_host;
    std::unique_ptr<QTemporaryDir> m_temporaryFolder;
    Handlers m_handlers;
    report::EndRecordFilter m_filter;
    report::HostAnswerBytes m_answerBytes;
    QTimer m_stallTimer;
    std::string m_warmUpToken;
    std::string m_checkToken;
    std::string m_book;
    bool m_warm = false;
    bool m_checking = false;
};

} // namespace tessaly::app
