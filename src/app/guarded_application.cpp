#include "app/guarded_application.h"

#include "app/error_report.h"

#include <QTimer>
#include <exception>

namespace tessaly::app {

GuardedApplication::GuardedApplication(int& argc, char** argv)
    : QApplication(argc, argv)
{
}

bool GuardedApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        reportOnce(QString::fromUtf8(error.what()));
    } catch (...) {
        reportOnce(QStringLiteral("An unknown error occurred"));
    }
    return false;
}

void GuardedApplication::reportOnce(const QString& message)
{
    if (!m_reported.insert(message).second)
        return;
    // Not from inside the event (a paint, perhaps): the report runs an event
    // loop of its own.
    QTimer::singleShot(0, this, [message] { showErrorReport(nullptr, message.toStdString()); });
}

} // namespace tessaly::app
