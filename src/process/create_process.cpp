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
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
#include <sched.h>
#include <sys/mman.h>
#include <sys/prctl.h>
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
    bool endWithProgram = false; // the child gets SIGKILL when we end
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

// What the child does between its start and exec, all prepared by the
// parent: the child shares our memory until exec and may neither allocate
// nor take a lock, so it reads only what is ready here and calls only
// async-signal-safe functions.
struct ChildSetup {
    int standard[3] = {-1, -1, -1}; // descriptors for 0, 1 and 2; -1: ours
    const char* currentDirectory = nullptr;
    bool newSession = false;
    bool newProcessGroup = false;
    bool endWithParent = false;
    pid_t parent = 0;
    std::vector<std::string> programs; // tried in order, as a search of PATH would
    std::vector<char*> argv;
    std::vector<char*> envp;
    int error = 0; // set by a child that could not start the program
};

// The candidates for the program: itself when it names a path, else the
// name in every folder of PATH (an empty entry is the working folder).
std::vector<std::string> programCandidates(const SpawnPlan& plan)
{
    if (!plan.searchPath)
        return {plan.program};
    const char* path = std::getenv("PATH");
    const std::string folders = path ? path : "/bin:/usr/bin";
    std::vector<std::string> candidates;
    std::size_t begin = 0;
    while (true) {
        const std::size_t end = std::min(folders.find(':', begin), folders.size());
        const std::string folder = folders.substr(begin, end - begin);
        candidates.push_back((folder.empty() ? std::string(".") : folder) + "/" + plan.program);
        if (end == folders.size())
            break;
        begin = end + 1;
    }
    return candidates;
}

[[noreturn]] void childFailed(ChildSetup& setup, int error)
{
    setup.error = error;
    ::_exit(127);
}

void closeFrom(int first)
{
    if (::syscall(SYS_close_range, first, ~0U, 0) == 0)
        return;
    rlimit limit{};
    ::getrlimit(RLIMIT_NOFILE, &limit);
    for (rlim_t fd = rlim_t(first); fd < limit.rlim_cur; ++fd)
        ::close(int(fd));
}

// The child's side: every signal at its default and unblocked, the
// standard descriptors in place and no others, then the program.
int childMain(void* argument)
{
    ChildSetup& setup = *static_cast<ChildSetup*>(argument);
    struct sigaction standard {};
    standard.sa_handler = SIG_DFL;
    for (int signal = 1; signal < NSIG; ++signal)
        ::sigaction(signal, &standard, nullptr); // fails harmlessly for SIGKILL, SIGSTOP and the C library's own
    if (setup.newSession && ::setsid() < 0)
        childFailed(setup, errno);
    if (setup.newProcessGroup && ::setpgid(0, 0) < 0)
        childFailed(setup, errno);
    if (setup.endWithParent) {
        if (::prctl(PR_SET_PDEATHSIG, SIGKILL) < 0)
            childFailed(setup, errno);
        // A parent that ended before the line above never sends the signal.
        if (::getppid() != setup.parent)
            ::_exit(127);
    }
    for (int fd = 0; fd < 3; ++fd) {
        if (setup.standard[fd] >= 0 && ::dup2(setup.standard[fd], fd) < 0)
            childFailed(setup, errno);
    }
    if (setup.currentDirectory && ::chdir(setup.currentDirectory) < 0)
        childFailed(setup, errno);
    closeFrom(3);
    sigset_t none;
    sigemptyset(&none);
    ::sigprocmask(SIG_SETMASK, &none, nullptr);

    // As a search of PATH does: a folder without the program, or one that
    // cannot be searched, is passed over; a program found but not allowed
    // to run is reported only if no other is found.
    bool denied = false;
    for (const std::string& program : setup.programs) {
        ::execve(program.c_str(), setup.argv.data(), setup.envp.data());
        const int error = errno;
        if (error == EACCES)
            denied = true;
        else if (error != ENOENT && error != ENOTDIR && error != ESTALE && error != ENODEV && error != ETIMEDOUT)
            childFailed(setup, error);
    }
    childFailed(setup, denied ? EACCES : ENOENT);
}

// The child's stack until it starts the program.
class ChildStack {
public:
    static constexpr std::size_t Size = 64 * 1024;
    ChildStack()
        : m_memory(::mmap(nullptr, Size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_STACK, -1, 0))
    {
        if (m_memory == MAP_FAILED)
            throwSystemError(errno);
    }
    ~ChildStack() { ::munmap(m_memory, Size); }
    ChildStack(const ChildStack&) = delete;
    ChildStack& operator=(const ChildStack&) = delete;
    void* top() const { return static_cast<char*>(m_memory) + Size; }

private:
    void* m_memory;
};

// Starts the child without a shell. With `child`, its slots become the
// child's standard input, output and error. Only descriptors 0, 1 and 2
// reach the child, and every signal starts at its default, unblocked.
//
// The child is made the way the C library's posix_spawn makes it (a clone
// that shares our memory, we wait until it has started the program or
// failed), because only our own code can set the parent-death signal
// between the two. That signal follows the *thread* that started the
// child, not the process: run() is for the main thread, which lives as
// long as the program, so the child ends when the program does.
pid_t spawnChild(SpawnPlan& plan, const RWEHandles* child)
{
    if (plan.program.empty())
        throwSystemError(ENOENT);
    ChildSetup setup;
    if (child) {
        setup.standard[0] = child->handle[0].get();
        setup.standard[1] = child->handle[1].get();
        setup.standard[2] = child->handle[2] ? child->handle[2].get() : child->handle[1].get();
    }
    if (!plan.currentDirectory.empty())
        setup.currentDirectory = plan.currentDirectory.c_str();
    setup.newSession = contains(plan.creationFlags, CPSFlags::NewConsole) || contains(plan.creationFlags, CPSFlags::Detached);
    setup.newProcessGroup = !setup.newSession && contains(plan.creationFlags, CPSFlags::NewProcGroup);
    setup.endWithParent = plan.endWithProgram;
    setup.parent = ::getpid();
    setup.programs = programCandidates(plan);
    for (auto& argument : plan.arguments)
        setup.argv.push_back(argument.data());
    setup.argv.push_back(nullptr);
    if (plan.environment.empty()) {
        for (char** entry = environ; entry && *entry; ++entry)
            setup.envp.push_back(*entry);
    } else {
        for (auto& entry : plan.environment)
            setup.envp.push_back(entry.data());
    }
    setup.envp.push_back(nullptr);
    ChildStack stack;

    // No handler of ours may run in the child: every signal waits until the
    // child has reset them all.
    sigset_t all, previous;
    sigfillset(&all);
    pthread_sigmask(SIG_SETMASK, &all, &previous);
    const pid_t pid = ::clone(childMain, stack.top(), CLONE_VM | CLONE_VFORK | SIGCHLD, &setup);
    const int cloneError = errno;
    pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    if (pid < 0)
        throwSystemError(cloneError);
    if (setup.error != 0) {
        ::waitpid(pid, nullptr, 0);
        throwSystemError(setup.error);
    }
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
    plan.endWithProgram = m_endsWithProgram;
    const bool redirect = contains(m_consoleOptions, ConsoleOptions::Redirect);
    const bool separateError = contains(m_consoleOptions, ConsoleOptions::SeparateError);

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
