#include "app/after_first_paint.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace tessaly::app {

AfterFirstPaint::AfterFirstPaint(QWidget* window, std::function<void()> action)
    : QObject(window)
    , m_action(std::move(action))
{
    window->installEventFilter(this);
}

void AfterFirstPaint::run(QWidget* window, std::function<void()> action)
{
    new AfterFirstPaint(window, std::move(action));
}

bool AfterFirstPaint::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Paint) {
        watched->removeEventFilter(this);
        // After the paint has reached the screen, not in the middle of it.
        QTimer::singleShot(0, watched, [action = std::move(m_action)] { action(); });
        deleteLater();
    }
    return false;
}

} // namespace tessaly::app
