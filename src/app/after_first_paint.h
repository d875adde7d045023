#pragma once

#include <QObject>
#include <functional>

class QWidget;

namespace tessaly::app {

// Runs an action once a window has painted for the first time, from the
// event loop after that paint: work that can wait (the checker host's
// warm-up) then never delays the window's appearance. The object deletes
// itself once the action has run, or with the window.
class AfterFirstPaint : public QObject {
public:
    static void run(QWidget* window, std::function<void()> action);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    AfterFirstPaint(QWidget* window, std::function<void()> action);

    std::function<void()> m_action;
};

} // namespace tessaly::app
