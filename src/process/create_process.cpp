#include "process/create_process.h"

#include "platform/error.h"
#include "process/command_line.h"
#include "process/console_thread.h"
#include "process/read_thread.h"
#include "process/wait_for_process_thread.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace tessaly::process {

namespace {

const char* const RunningMessage = "Cannot perform this operation when process is running";
const char* const NotRunningMessage = "Process is not running";
const char* const EmptyEnvironmentEntryMessage =
    "String list passed to StringsToMultiSz cannot contain empty strings.";

std::string trimmed(const std::string& text)
{
    auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    auto first = std::find_if_not(text.begin(), text.end(), blank);
    auto last = std::find_if_not(text.rbegin(), text.rend(), blank).base();
    return first < last ? std::string(first, last) : std::string();
}

int pidfdOpen(pid_t pid)
{
    return int(::syscall(SYS_pidfd_open, pid, 0));
}

int pidfdSendSignal(int pidfd, int signal)
{
    return int(::syscall(SYS_pidfd_send_signal, pidfd, signal, nullptr, 0));
}

// A close-on-exec descriptor numbered 3 or above, so that placing it on 0, 1
// or 2 in the child is always a real dup2 (which clears close-on-exec).
UniqueFd aboveStandard(int fd)
{
    UniqueFd owned(fd);
    if (fd > 2)
        return owned;
    const int moved = ::fcntl(fd, F_DUPFD_CLOEXEC, 3);
    if (moved < 0)
        throwSystemError(errno);
    return UniqueFd(moved);
}

struct Pipe {
    UniqueFd readEnd;
    UniqueFd writeEnd;
};

Pipe makePipe()
{
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) < 0)
        throwSystemError(errno);
    UniqueFd readEnd(fds[0]);
    UniqueFd writeEnd(fds[1]);
    Pipe pipe;
    pipe.readEnd = aboveStandard(readEnd.release());
    pipe.writeEnd = aboveStandard(writeEnd.release());
    return pipe;
}

// The three descriptor slots of one side: 0 standard input, 1 standard
// output, 2 standard error. For the parent's side: 0 reads the child's
// output, 1 writes the child's input, 2 reads the child's error.
struct RWEHandles {
    UniqueFd handle[3];
};

void buildPipes(RWEHandles& parent, RWEHandles& child, bool separateError)
{
    Pipe output = makePipe();
    child.handle[1] = std::move(output.writeEnd);
    parent.handle[0] = std::move(output.readEnd);
    if (separateError) {
        Pipe error = makePipe();
        child.handle[2] = std::move(error.writeEnd);
        parent.handle[2] = std::move(error.readEnd);
    }
    Pipe input = makePipe();
    child.handle[0] = std::move(input.readEnd);
    parent.handle[1] = std::move(input.writeEnd);
}

// posix_spawn's attribute and file-action objects, destroyed with the scope.
class SpawnSetup {
public:
    SpawnSetup()
    {
        posix_spawnattr_init(&attributes);
        posix_spawn_file_actions_init(&actions);
    }
    ~SpawnSetup()
    {
        posix_spawn_file_actions_destroy(&actions);
        posix_spawnattr_destroy(&attributes);
    }
    SpawnSetup(const SpawnSetup&) = delete;
    SpawnSetup& operator=(const SpawnSetup&) = delete;

    posix_spawnattr_t attributes;
    posix_spawn_file_actions_t actions;
};

void check(int result)
{
    if (result != 0)
        throwSystemError(result);
}

int niceValue(ProcessPriority priority)
{
    switch (priority) {
    case ProcessPriority::Idle: return 19;
    case ProcessPriority::Normal: return 0;
    case ProcessPriority::High: return -10;
    case ProcessPriority::RealTime: return -20;
    }
    return 0;
}

// Reaps a child that nobody waits for any more, so that it never stays a
// zombie. The thread owns its pidfd and frees itself.
void startReaper(UniqueFd processHandle, pid_t processId)
{
    sigset_t all, previous;
    sigfillset(&all);
    pthread_sigmask(SIG_SETMASK, &all, &previous);
    try {
        std::thread([handle = std::make_shared<UniqueFd>(std::move(processHandle)), processId] {
            pollfd watched{handle->get(), POLLIN, 0};
            while (::poll(&watched, 1, -1) < 0 && errno == EINTR) {
            }
            siginfo_t info{};
            while (::waitid(P_PID, id_t(processId), &info, WEXITED) < 0 && errno == EINTR) {
            }
        }).detach();
    } catch (...) {
        // Without a thread the child is reaped by nobody; nothing else fails.
    }
    pthread_sigmask(SIG_SETMASK, &previous, nullptr);
}

} // namespace

CreateProcess::CreateProcess(platform::MainThread& mainThread)
    : m_mainThread(mainThread)
    , m_errorReader(std::make_unique<Reader>(*this, 1))
    , m_inputReader(std::make_unique<Reader>(*this, 0))
{
    m_receiver = m_mainThread.addReceiver(
        [this](int number, std::uintptr_t argument) { handleMessage(number, argument); });
}

CreateProcess::~CreateProcess()
{
    stopWaiting();
    m_mainThread.removeReceiver(m_receiver);
    for (auto& [serial, worker] : m_workers) {
        worker->detachEndNotification();
        worker->terminateThread();
    }
    m_workers.clear(); // joins; every worker is released and stopping
    if (m_state == ProcessState::Running)
        m_processHandle.reset();
}

void CreateProcess::returnToReady()
{
    if (m_state == ProcessState::Waiting && m_runningThreadCount > 0)
        throw Error(RunningMessage);
    m_state = ProcessState::Ready;
    closeProcessHandles();
    m_runningThreadCount = 0;
}

void CreateProcess::enterWaiting(int threadCount)
{
    if (m_state != ProcessState::Ready)
        throw Error(RunningMessage);
    m_state = ProcessState::Waiting;
    m_runningThreadCount = threadCount;
}

void CreateProcess::closeProcessHandles()
{
    m_processHandle.reset();
    m_processInfo.processHandle = -1;
}

void CreateProcess::setWaitForTerminate(bool value)
{
    returnToReady();
    m_waitForTerminate = value;
}

void CreateProcess::run()
{
    returnToReady();
    joinReleasedWorkers();
    m_processInfo = {};
    ++m_runSerial;

    const std::string applicationName = trimmed(m_applicationName);
    const std::string currentDirectory = trimmed(m_currentDirectory);
    for (const auto& entry : m_environment) {
        if (entry.empty())
            throw Error(EmptyEnvironmentEntryMessage);
    }

    std::vector<std::string> arguments = splitCommandLine(m_commandLine);
    std::string program = applicationName;
    if (program.empty()) {
        if (arguments.empty())
            throwSystemError(ENOENT);
        program = arguments.front();
    } else if (arguments.empty()) {
        arguments.push_back(program);
    }
    // A relative path names a program relative to our folder, not the child's.
    const bool searchPath = applicationName.empty() && program.find('/') == std::string::npos;
    if (!searchPath && program.front() != '/' && !currentDirectory.empty()) {
        char folder[4096];
        if (::getcwd(folder, sizeof folder))
            program = std::string(folder) + "/" + program;
    }

    RWEHandles parent, child;
    const bool redirect = contains(m_consoleOptions, ConsoleOptions::Redirect);
    const bool separateError = contains(m_consoleOptions, ConsoleOptions::SeparateError);
    const StartupRecord startupRecord = m_startupInfo.startupInfo(); // no window to apply it to
    (void)startupRecord;

    SpawnSetup setup;
    if (redirect) {
        buildPipes(parent, child, separateError);
        check(posix_spawn_file_actions_adddup2(&setup.actions, child.handle[0].get(), 0));
        check(posix_spawn_file_actions_adddup2(&setup.actions, child.handle[1].get(), 1));
        check(posix_spawn_file_actions_adddup2(
            &setup.actions, separateError ? child.handle[2].get() : child.handle[1].get(), 2));
    }
    if (!currentDirectory.empty())
        check(posix_spawn_file_actions_addchdir_np(&setup.actions, currentDirectory.c_str()));
    // Only the three standard descriptors reach the child, whoever opened the others.
    check(posix_spawn_file_actions_addclosefrom_np(&setup.actions, 3));

    short flags = POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF;
    sigset_t signals;
    sigemptyset(&signals);
    check(posix_spawnattr_setsigmask(&setup.attributes, &signals));
    sigfillset(&signals);
    check(posix_spawnattr_setsigdefault(&setup.attributes, &signals));
    if (contains(m_creationFlags, CPSFlags::NewConsole) || contains(m_creationFlags, CPSFlags::Detached))
        flags |= POSIX_SPAWN_SETSID;
    else if (contains(m_creationFlags, CPSFlags::NewProcGroup))
        flags |= POSIX_SPAWN_SETPGROUP;
    check(posix_spawnattr_setpgroup(&setup.attributes, 0));
    check(posix_spawnattr_setflags(&setup.attributes, flags));

    std::vector<char*> argv;
    for (auto& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (auto& entry : m_environment)
        envp.push_back(const_cast<char*>(entry.c_str()));
    envp.push_back(nullptr);
    char** const environment = m_environment.empty() ? environ : envp.data();

    pid_t pid = 0;
    const int spawnResult = searchPath
        ? posix_spawnp(&pid, program.c_str(), &setup.actions, &setup.attributes, argv.data(), environment)
        : posix_spawn(&pid, program.c_str(), &setup.actions, &setup.attributes, argv.data(), environment);
    if (spawnResult != 0)
        throwSystemError(spawnResult); // every descriptor closes with its owner; the state stays ready

    UniqueFd processHandle(pidfdOpen(pid));
    if (!processHandle) {
        const int error = errno;
        ::kill(pid, SIGKILL);
        ::waitpid(pid, nullptr, 0);
        throwSystemError(error);
    }
    if (m_priority != ProcessPriority::Normal) {
        // Raising the priority needs privileges; without them the child
        // simply runs at normal priority.
        ::setpriority(PRIO_PROCESS, id_t(pid), niceValue(m_priority));
    }
    for (auto& handle : child.handle)
        handle.reset(); // the child has its copies; ours would hide the end of file

    m_processInfo = {processHandle.get(), pid, pid};
    m_processHandle = std::move(processHandle);

    try {
        if (redirect) {
            enterWaiting(separateError ? 3 : 2);
            auto console = std::make_unique<ConsoleThread>(m_processHandle.get(), pid, std::move(parent.handle[1]));
            m_waitThread = console.get();
            launchWorker(std::move(console), [this](WorkerThread& sender) { waitThreadEnded(sender); });
            m_inputReader->createThread(std::move(parent.handle[0]));
            if (separateError)
                m_errorReader->createThread(std::move(parent.handle[2]));
        } else if (m_waitForTerminate) {
            enterWaiting(1);
            auto waiter = std::make_unique<WaitForProcessThread>(m_processHandle.get(), pid);
            m_waitThread = waiter.get();
            launchWorker(std::move(waiter), [this](WorkerThread& sender) { waitThreadEnded(sender); });
        } else {
            if (m_state != ProcessState::Ready)
                throw Error(RunningMessage);
            m_state = ProcessState::Running;
            // Nobody waits for this child: a quiet thread reaps it. Our own
            // pidfd stays for terminate() and closeApplication().
            const int copy = ::fcntl(m_processHandle.get(), F_DUPFD_CLOEXEC, 3);
            if (copy >= 0)
                startReaper(UniqueFd(copy), pid);
            m_processInfo.processHandle = -1;
        }
    } catch (...) {
        abandonRun();
        throw;
    }
}

void CreateProcess::abandonRun()
{
    // A worker could not be started after the child was: end the child and
    // leave nothing of the run behind.
    try {
        sendSignal(SIGKILL);
    } catch (const Error&) {
        // The error that stopped the run is the one to report.
    }
    if (m_state == ProcessState::Waiting)
        stopWaiting();
    else
        handOverToReaper();
    m_state = ProcessState::Ready;
    closeProcessHandles();
}

WorkerThread& CreateProcess::launchWorker(std::unique_ptr<WorkerThread> worker,
                                          std::function<void(WorkerThread&)> endNotification)
{
    const std::uintptr_t serial = m_nextWorkerSerial++;
    WorkerThread& started = *worker;
    worker->setEndNotification(std::move(endNotification));
    m_workers.emplace_back(serial, std::move(worker));
    started.start(Poster{&m_mainThread, m_receiver}, EndNotificationMessage, serial);
    return started;
}

void CreateProcess::joinReleasedWorkers()
{
    std::erase_if(m_workers, [](auto& entry) {
        if (entry.second->started() && !entry.second->released())
            return false;
        entry.second->join();
        return true;
    });
}

void CreateProcess::handOverToReaper()
{
    if (!m_processHandle)
        return;
    const int copy = ::fcntl(m_processHandle.get(), F_DUPFD_CLOEXEC, 3);
    if (copy >= 0)
        startReaper(UniqueFd(copy), m_processInfo.processId);
}

bool CreateProcess::sendSignal(int signal)
{
    int result;
    if (m_processHandle)
        result = pidfdSendSignal(m_processHandle.get(), signal);
    else if (m_processInfo.processId > 0)
        result = ::kill(m_processInfo.processId, signal);
    else
        return false;
    if (result == 0)
        return true;
    if (errno == ESRCH)
        return false; // the child has ended already
    throwSystemError(errno);
}

void CreateProcess::terminate()
{
    if (m_state == ProcessState::Ready)
        throw Error(NotRunningMessage);
    if (m_waitThread)
        m_waitThread->noteKillRequested();
    sendSignal(SIGKILL);
}

bool CreateProcess::closeApplication(bool sendQuit)
{
    if (m_state == ProcessState::Ready)
        throw Error(NotRunningMessage);
    return sendSignal(sendQuit ? SIGQUIT : SIGTERM);
}

void CreateProcess::stopWaiting()
{
    if (m_state != ProcessState::Waiting)
        return;
    bool reaped = false;
    if (WaitForProcessThread* waitThread = std::exchange(m_waitThread, nullptr)) {
        waitThread->detachEndNotification();
        waitThread->terminateThread();
        waitThread->join(); // it stops at once
        reaped = waitThread->reaped();
    }
    m_inputReader->terminate();
    m_errorReader->terminate();
    m_runningThreadCount = 0;
    if (!reaped)
        handOverToReaper(); // the child goes on; it must not stay a zombie when it ends
    returnToReady();
    joinReleasedWorkers();
}

bool CreateProcess::write(const std::string& text)
{
    auto* console = dynamic_cast<ConsoleThread*>(m_waitThread);
    return console && console->write(text);
}

bool CreateProcess::writeLn(const std::string& text)
{
    return write(text + "\r\n");
}

void CreateProcess::closeWrite()
{
    if (auto* console = dynamic_cast<ConsoleThread*>(m_waitThread))
        console->closeWrite();
}

void CreateProcess::waitThreadEnded(WorkerThread& thread)
{
    auto& waitThread = static_cast<WaitForProcessThread&>(thread);
    if (&waitThread != m_waitThread)
        return;
    m_exitCode = waitThread.exitCode();
    if (!waitThread.reaped())
        handOverToReaper();
    m_waitThread = nullptr;
    m_mainThread.post(m_receiver, WorkerEndMessage, m_runSerial);
}

void CreateProcess::workerEnded(std::uintptr_t runSerial)
{
    if (m_state != ProcessState::Waiting || runSerial != m_runSerial)
        return;
    if (--m_runningThreadCount > 0)
        return;
    returnToReady();
    joinReleasedWorkers(); // every worker of the run has been released
    // A copy, so that the handler may even replace itself.
    if (const TerminateEvent handler = m_onTerminate)
        handler(*this, m_exitCode);
}

void CreateProcess::handleMessage(int number, std::uintptr_t argument)
{
    try {
        switch (number) {
        case DataMessage:
            (argument == 0 ? m_inputReader : m_errorReader)->drain();
            break;
        case WorkerEndMessage:
            workerEnded(argument);
            break;
        case EndNotificationMessage: {
            auto found = std::find_if(m_workers.begin(), m_workers.end(),
                                      [argument](const auto& entry) { return entry.first == argument; });
            if (found != m_workers.end())
                found->second->runEndNotification();
            break;
        }
        default:
            break;
        }
    } catch (...) {
        m_mainThread.reportError(std::current_exception());
    }
}

} // namespace tessaly::process
