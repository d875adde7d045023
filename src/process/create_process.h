#pragma once

#include "platform/main_thread.h"
#include "process/cps_startup_info.h"
#include "process/process_types.h"
#include "process/reader.h"
#include "process/rwe_handles.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace tessaly::process {

class ConsoleThread;
class WaitForProcessThread;
class WorkerThread;

// Starts one child process from a command line, optionally with its standard
// input, output and error on pipes, and reports its output (through the two
// readers) and its end on the main thread. The child is started without a
// shell, from the argument vector that splitCommandLine() makes of
// commandLine(). Waiting, reading and writing happen on worker threads that
// reach the main thread only through the MainThread poster.
//
// All operations are for the main thread. Errors are thrown as tessaly::Error.
class CreateProcess {
public:
    using TerminateEvent = std::function<void(CreateProcess& sender, std::uint32_t exitCode)>;

    // Messages of the component's receiver.
    static constexpr int DataMessage = 1025;      // argument: the reader's index
    static constexpr int WorkerEndMessage = 1026; // a worker of the run has ended
    static constexpr int EndNotificationMessage = 1027; // internal: run a worker's end notification

    explicit CreateProcess(platform::MainThread& mainThread);
    // Stops waiting (the child is left running) and waits for the worker
    // threads, which end at once.
    ~CreateProcess();
    CreateProcess(const CreateProcess&) = delete;
    CreateProcess& operator=(const CreateProcess&) = delete;

    // Starts the child. Throws "Cannot perform this operation when process is
    // running" while a run's workers are active, "String list passed to
    // StringsToMultiSz cannot contain empty strings." for an empty environment
    // entry, and the system error ("System Error.  Code: 2.\r\n...") when the
    // program cannot be started; the state then stays ready.
    void run();
    // Kills the child (SIGKILL); the run then ends normally and onTerminate
    // reports exit code 0. Throws "Process is not running" when ready.
    void terminate();
    // Asks the child politely to end: SIGTERM, or SIGQUIT with sendQuit.
    // Returns whether the child was there to ask. Throws "Process is not
    // running" when ready.
    bool closeApplication(bool sendQuit);
    // Detaches from a running child without ending it (only while waiting):
    // no onTerminate follows, output not yet taken is dropped.
    void stopWaiting();
    // Queues bytes for the child's standard input during a redirected run; a
    // text is queued whole (at most 1,024 bytes wait) or not at all. Returns
    // false when nothing was queued, also when the child has closed its input.
    bool write(const std::string& text);
    bool writeLn(const std::string& text); // text followed by CR LF
    // Closes the child's standard input now, so that a child reading it to
    // the end sees the end of file. Does nothing outside a redirected run.
    void closeWrite();

    const std::string& applicationName() const { return m_applicationName; }
    void setApplicationName(std::string value) { m_applicationName = std::move(value); }
    const std::string& commandLine() const { return m_commandLine; }
    void setCommandLine(std::string value) { m_commandLine = std::move(value); }
    CPSFlags creationFlags() const { return m_creationFlags; }
    void setCreationFlags(CPSFlags value) { m_creationFlags = value; }
    const std::string& currentDirectory() const { return m_currentDirectory; }
    void setCurrentDirectory(std::string value) { m_currentDirectory = std::move(value); }
    // Entries "NAME=value"; an empty list lets the child inherit ours.
    const std::vector<std::string>& environment() const { return m_environment; }
    void setEnvironment(std::vector<std::string> value) { m_environment = std::move(value); }
    ProcessPriority priority() const { return m_priority; }
    void setPriority(ProcessPriority value) { m_priority = value; }
    // The child's window settings: kept as set, but never applied, since a
    // console child here has no window to place or show.
    const CPSStartupInfo& startupInfo() const { return m_startupInfo; }
    CPSStartupInfo& startupInfo() { return m_startupInfo; }
    void setStartupInfo(const CPSStartupInfo& value) { m_startupInfo = value; }
    bool waitForTerminate() const { return m_waitForTerminate; }
    // Returns to the ready state first (throws while a run is active).
    void setWaitForTerminate(bool value);
    // Whether the child is to end with the program: it gets SIGKILL from the
    // kernel when the thread that called run() ends, however that happens
    // (a crash, SIGKILL). That thread must be the main thread, which lives
    // as long as the program. Off by default: a child is left running.
    bool endsWithProgram() const { return m_endsWithProgram; }
    void setEndsWithProgram(bool value) { m_endsWithProgram = value; }
    ConsoleOptions consoleOptions() const { return m_consoleOptions; }
    void setConsoleOptions(ConsoleOptions value) { m_consoleOptions = value; }

    const TerminateEvent& onTerminate() const { return m_onTerminate; }
    void setOnTerminate(TerminateEvent handler) { m_onTerminate = std::move(handler); }
    const Reader::ReadEvent& onRead() const { return m_inputReader->onRead(); }
    void setOnRead(Reader::ReadEvent handler) { m_inputReader->setOnRead(std::move(handler)); }
    const Reader::RawReadEvent& onRawRead() const { return m_inputReader->onRawRead(); }
    void setOnRawRead(Reader::RawReadEvent handler) { m_inputReader->setOnRawRead(std::move(handler)); }
    const Reader::ReadEvent& onErrorRead() const { return m_errorReader->onRead(); }
    void setOnErrorRead(Reader::ReadEvent handler) { m_errorReader->setOnRead(std::move(handler)); }
    const Reader::RawReadEvent& onErrorRawRead() const { return m_errorReader->onRawRead(); }
    void setOnErrorRawRead(Reader::RawReadEvent handler) { m_errorReader->setOnRawRead(std::move(handler)); }

    ProcessState state() const { return m_state; }
    const ProcessInformation& processInfo() const { return m_processInfo; }
    // The lines of the output reader over all runs (empty with OwnerData).
    const std::vector<std::string>& consoleOutput() const { return m_inputReader->consoleOutput(); }
    Reader& inputReader() { return *m_inputReader; }
    Reader& errorReader() { return *m_errorReader; }

private:
    friend class Reader;

    void returnToReady();
    void enterWaiting(int threadCount);
    void enterRunning();
    void startRedirectedRun(RWEHandles& parent, bool separateError);
    void startWaitingRun();
    void closeProcessHandles();
    bool sendSignal(int signal);
    void handleMessage(int number, std::uintptr_t argument);
    void workerEnded(std::uintptr_t runSerial);
    void waitThreadEnded(WorkerThread& thread);
    WorkerThread& launchWorker(std::unique_ptr<WorkerThread> worker,
                               std::function<void(WorkerThread&)> endNotification);
    void joinReleasedWorkers();
    void handOverToReaper();
    void abandonRun();
    platform::MainThread& mainThread() { return m_mainThread; }
    platform::MainThread::ReceiverId receiver() const { return m_receiver; }
    std::uintptr_t runSerial() const { return m_runSerial; }

    platform::MainThread& m_mainThread;
    platform::MainThread::ReceiverId m_receiver = 0;

    std::string m_applicationName;
    std::string m_commandLine;
    CPSFlags m_creationFlags = CPSFlags::None;
    std::string m_currentDirectory;
    std::vector<std::string> m_environment;
    ProcessState m_state = ProcessState::Ready;
    CPSStartupInfo m_startupInfo;
    ProcessPriority m_priority = ProcessPriority::Normal;
    ProcessInformation m_processInfo;
    bool m_waitForTerminate = true;
    bool m_endsWithProgram = false;
    ConsoleOptions m_consoleOptions = ConsoleOptions::OwnerData;
    TerminateEvent m_onTerminate;
    WaitForProcessThread* m_waitThread = nullptr;
    std::unique_ptr<Reader> m_errorReader;
    std::unique_ptr<Reader> m_inputReader;
    std::uint32_t m_exitCode = 0;
    int m_runningThreadCount = 0;
    // The pidfd of the last started child, kept until the next return to the
    // ready state so that terminate() can never hit a reused process id.
    UniqueFd m_processHandle;
    // Numbers the runs, so that an end message of an abandoned run is not
    // counted for the next one.
    std::uintptr_t m_runSerial = 0;

    // Every worker thread of this component until it has been joined; the
    // message argument names a worker by its serial.
    std::vector<std::pair<std::uintptr_t, std::unique_ptr<WorkerThread>>> m_workers;
    std::uintptr_t m_nextWorkerSerial = 1;
};

} // namespace tessaly::process
