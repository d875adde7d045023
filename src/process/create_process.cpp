#include "process/create_process.h"

#include "platform/error.h"
#include "process/command_line.h"
#include "process/console_thread.h"
#include "process/read_thread.h"
#include "process/rwe_handles.h"
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

// What to start: the program, its arguments and how.
struct SpawnPlan {
    std::string program;
    bool searchPath = false; // look the program up in PATH
    std::vector<std::string> arguments;
    std::string currentDirectory; // empty: ours
    std::vector<std::string> environment; // empty: ours
    CPSFlags creationFlags = CPSFlags::None;
};

// The program is the application name if there is one, else the first
// argument of the command line; names without a slash are looked up in
// PATH. A relative path names a program relative to our folder, not the
// child's.
SpawnPlan planSpawn(const std::string& applicationName, const std::string& commandLine,
                    const std::string& currentDirectory)
{
    SpawnPlan plan;
    plan.arguments = splitCommandLine(commandLine);
    plan.currentDirectory = trimmed(currentDirectory);
    plan.program = trimmed(applicationName);
    const bool named = !plan.program.empty();
    if (!named) {
        if (plan.arguments.empty())
            throwSystemError(ENOENT);
        plan.program = plan.arguments.front();
    } else if (plan.arguments.empty()) {
        plan.arguments.push_back(plan.program);
    }
    plan.searchPath = !named && plan.program.find('/') == std::string::npos;
    if (!plan.searchPath && plan.program.front() != '/' && !plan.currentDirectory.empty()) {
        char folder[4096];
        if (::getcwd(folder, sizeof folder))
            plan.program = std::string(folder) + "/" + plan.program;
    }
    return plan;
}

// Starts the child without a shell. With `child`, its slots become the
// child's standard input, output and error. Only descriptors 0, 1 and 2
// reach the child, and every signal starts at its default, unblocked.
pid_t spawnChild(SpawnPlan& plan, const RWEHandles* child)
{
    SpawnSetup setup;
    if (child) {
        const int error = child->handle[2] ? child->handle[2].get() : child->handle[1].get();
        check(posix_spawn_file_actions_adddup2(&setup.actions, child->handle[0].get(), 0));
        check(posix_spawn_file_actions_adddup2(&setup.actions, child->handle[1].get(), 1));
        check(posix_spawn_file_actions_adddup2(&setup.actions, error, 2));
    }
    if (!plan.currentDirectory.empty())
        check(posix_spawn_file_actions_addchdir_np(&setup.actions, plan.currentDirectory.c_str()));
    check(posix_spawn_file_actions_addclosefrom_np(&setup.actions, 3));

    short flags = POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF;
    sigset_t signals;
    sigemptyset(&signals);
    check(posix_spawnattr_setsigmask(&setup.attributes, &signals));
    sigfillset(&signals);
    check(posix_spawnattr_setsigdefault(&setup.attributes, &signals));
    if (contains(plan.creationFlags, CPSFlags::NewConsole) || contains(plan.creationFlags, CPSFlags::Detached))
        flags |= POSIX_SPAWN_SETSID;
    else if (contains(plan.creationFlags, CPSFlags::NewProcGroup))
        flags |= POSIX_SPAWN_SETPGROUP;
    check(posix_spawnattr_setpgroup(&setup.attributes, 0));
    check(posix_spawnattr_setflags(&setup.attributes, flags));

    std::vector<char*> argv;
    for (auto& argument : plan.arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (auto& entry : plan.environment)
        envp.push_back(entry.data());
    envp.push_back(nullptr);
    char** const environment = plan.environment.empty() ? environ : envp.data();

    pid_t pid = 0;
    const int result = plan.searchPath
        ? posix_spawnp(&pid, plan.program.c_str(), &setup.actions, &setup.attributes, argv.data(), environment)
        : posix_spawn(&pid, plan.program.c_str(), &setup.actions, &setup.attributes, argv.data(), environment);
    if (result != 0)
        throwSystemError(result);
    return pid;
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
    for (const auto& entry : m_environment) {
        if (entry.empty())
            throw Error(EmptyEnvironmentEntryMessage);
    }

    SpawnPlan plan = planSpawn(m_applicationName, m_commandLine, m_currentDirectory);
    plan.environment = m_environment;
    plan.creationFlags = m_creationFlags;
    const bool redirect = contains(m_consoleOptions, ConsoleOptions::Redirect);
    const bool separateError = contains(m_consoleOptions, ConsoleOptions::SeparateError);
    [[maybe_unused]] const StartupRecord startupRecord = m_startupInfo.startupInfo(); // no window to apply it to

    RWEHandles parent, child;
    if (redirect)
        buildPipes(parent, child, separateError);
    const pid_t pid = spawnChild(plan, redirect ? &child : nullptr);
    child.clear(); // the child has its copies; ours would hide the end of file

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
    m_processInfo = {processHandle.get(), pid, pid};
    m_processHandle = std::move(processHandle);

    try {
        if (redirect)
            startRedirectedRun(parent, separateError);
        else if (m_waitForTerminate)
            startWaitingRun();
        else
            enterRunning();
    } catch (...) {
        abandonRun();
        throw;
    }
}

void CreateProcess::startRedirectedRun(RWEHandles& parent, bool separateError)
{
    enterWaiting(separateError ? 3 : 2);
    const pid_t pid = m_processInfo.processId;
    auto console = std::make_unique<ConsoleThread>(m_processHandle.get(), pid, std::move(parent.handle[1]));
    m_waitThread = console.get();
    launchWorker(std::move(console), [this](WorkerThread& sender) { waitThreadEnded(sender); });
    m_inputReader->createThread(std::move(parent.handle[0]));
    if (separateError)
        m_errorReader->createThread(std::move(parent.handle[2]));
}

void CreateProcess::startWaitingRun()
{
    enterWaiting(1);
    auto waiter = std::make_unique<WaitForProcessThread>(m_processHandle.get(), m_processInfo.processId);
    m_waitThread = waiter.get();
    launchWorker(std::move(waiter), [this](WorkerThread& sender) { waitThreadEnded(sender); });
}

void CreateProcess::enterRunning()
{
    if (m_state != ProcessState::Ready)
        throw Error(RunningMessage);
    m_state = ProcessState::Running;
    // Nobody waits for this child: a quiet thread reaps it. Our own pidfd
    // stays for terminate() and closeApplication().
    handOverToReaper();
    m_processInfo.processHandle = -1;
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
