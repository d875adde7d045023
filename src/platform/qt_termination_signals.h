#pragma once

#include <QObject>
#include <functional>

class QSocketNotifier;

namespace tessaly::platform {

// Brings SIGTERM, SIGINT and SIGHUP into the event loop, so that the
// program can end the way it ends when its window is closed. The signal
// handler only writes the signal's number to a pipe (write() is safe in a
// handler; allocating, locking or touching Qt is not); the main thread
// reads the pipe through a socket notifier and hands each number to
// `onSignal`. A signal the program was started with ignored (nohup) stays
// ignored. One object at a time; destroying it puts back the default
// actions.
class TerminationSignals : public QObject {
public:
    explicit TerminationSignals(std::function<void(int signal)> onSignal, QObject* parent = nullptr);
    ~TerminationSignals() override;
    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

private:
    void readSignals();

    std::function<void(int signal)> m_onSignal;
    int m_readEnd = -1;
    int m_writeEnd = -1;
    QSocketNotifier* m_notifier = nullptr;
};

} // namespace tessaly::platform
