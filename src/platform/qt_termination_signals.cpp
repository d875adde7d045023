#include "platform/qt_termination_signals.h"

#include "platform/error.h"

#include <QSocketNotifier>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace tessaly::platform {

namespace {

constexpr int handledSignals[] = {SIGTERM, SIGINT, SIGHUP};

// The pipe's write end, for the handler; -1 while no object lives.
volatile sig_atomic_t g_writeEnd = -1;

extern "C" void noteSignal(int signal)
{
    const int savedError = errno;
    const unsigned char number = static_cast<unsigned char>(signal);
    // A full pipe loses only repeats of signals not read yet.
    [[maybe_unused]] const ssize_t written = ::write(g_writeEnd, &number, 1);
    errno = savedError;
}

bool ignored(int signal)
{
    struct sigaction current {};
    return ::sigaction(signal, nullptr, &current) == 0 && current.sa_handler == SIG_IGN;
}

void setHandler(int signal, void (*handler)(int))
{
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(signal, &action, nullptr);
}

} // namespace

TerminationSignals::TerminationSignals(std::function<void(int signal)> onSignal, QObject* parent)
    : QObject(parent)
    , m_onSignal(std::move(onSignal))
{
    int ends[2];
    // Non-blocking: a handler never waits on a full pipe, and reading stops
    // when the pipe is empty.
    if (::pipe2(ends, O_CLOEXEC | O_NONBLOCK) < 0)
        throwSystemError(errno);
    m_readEnd = ends[0];
    m_writeEnd = ends[1];
    g_writeEnd = m_writeEnd;
    m_notifier = new QSocketNotifier(qintptr(m_readEnd), QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &TerminationSignals::readSignals);
    for (const int signal : handledSignals) {
        if (!ignored(signal))
            setHandler(signal, noteSignal);
    }
}

TerminationSignals::~TerminationSignals()
{
    for (const int signal : handledSignals) {
        if (!ignored(signal))
            setHandler(signal, SIG_DFL);
    }
    g_writeEnd = -1;
    ::close(m_writeEnd);
    ::close(m_readEnd);
}

void TerminationSignals::readSignals()
{
    unsigned char numbers[64];
    ssize_t count;
    while ((count = ::read(m_readEnd, numbers, sizeof numbers)) > 0) {
        for (ssize_t i = 0; i < count; ++i) {
            if (m_onSignal)
                m_onSignal(numbers[i]);
        }
    }
}

} // namespace tessaly::platform
