#pragma once

#include <QApplication>
#include <QString>
#include <set>

namespace tessaly::app {

// The program's application object. An error that escapes an event handler
// (a picture too large to allocate while a window paints with a strange
// skin, say) would otherwise end the program, as Qt lets no exception pass
// through its event loop. Here it ends only that event: the error report
// shows the message once, after the event, and the program goes on. A
// message already shown is not shown again, so a failure on every repaint
// does not bury the user in reports.
class GuardedApplication : public QApplication {
public:
    GuardedApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    // The messages reported so far.
    const std::set<QString>& reportedMessages() const { return m_reported; }

private:
    void reportOnce(const QString& message);

    std::set<QString> m_reported;
};

} // namespace tessaly::app
