#include "app/menu_key_watch.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace tessaly::app {

MenuKeyWatch::MenuKeyWatch(QWidget* window, std::function<void()> openMenu)
    : QObject(window)
    , m_window(window)
    , m_openMenu(std::move(openMenu))
{
    qApp->installEventFilter(this);
}

MenuKeyWatch::~MenuKeyWatch()
{
    qApp->removeEventFilter(this);
}

bool MenuKeyWatch::windowActive() const
{
    // An open popup (a menu already) has the keys itself.
    return m_window && m_window->isActiveWindow() && !QApplication::activePopupWidget();
}

bool MenuKeyWatch::eventFilter(QObject* watched, QEvent* event)
{
    // A key nobody takes passes the filter again for each parent it goes
    // on to: what is done here comes out the same however often it is seen.
    const auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || !m_window || widget->window() != m_window)
        return false;
    switch (event->type()) {
    case QEvent::KeyPress: {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->isAutoRepeat())
            break;
        if (key->key() == Qt::Key_F10 && key->modifiers() == Qt::NoModifier && windowActive()) {
            m_altAlone = false;
            m_openMenu();
            return true;
        }
        // Window systems differ on whether Alt's own press carries Alt.
        m_altAlone = key->key() == Qt::Key_Alt && (key->modifiers() & ~Qt::AltModifier) == Qt::NoModifier;
        break;
    }
    case QEvent::KeyRelease: {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->isAutoRepeat() || key->key() != Qt::Key_Alt)
            break;
        const bool open = m_altAlone && windowActive();
        m_altAlone = false;
        if (open) {
            m_openMenu();
            return true;
        }
        break;
    }
    case QEvent::MouseButtonPress:
    case QEvent::Wheel:
        m_altAlone = false;
        break;
    default:
        break;
    }
    return false;
}

} // namespace tessaly::app
