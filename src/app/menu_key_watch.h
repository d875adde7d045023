#pragma once

#include <QObject>
#include <QPointer>

#include <functional>

class QWidget;

namespace tessaly::app {

// Opens a window's menu from the keyboard as desktop programs do: F10, or
// Alt pressed and released alone (a key or a click in between, or holding
// Alt for a shortcut, does not count). Watches the application's key
// events while the window is the active one.
class MenuKeyWatch : public QObject {
public:
    MenuKeyWatch(QWidget* window, std::function<void()> openMenu);
    ~MenuKeyWatch() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool windowActive() const;

    QPointer<QWidget> m_window;
    std::function<void()> m_openMenu;
    bool m_altAlone = false;
};

} // namespace tessaly::app
