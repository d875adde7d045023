#include "skin/frame/window_states.h"

#include <QApplication>
#include <QWidget>
#include <QWindow>
#include <algorithm>

#include "platform/qt_frameless_window.h"
#include "platform/qt_geometry.h"
#include "skin/frame/form_layer_border.h"
#include "skin/frame/frame_sizing.h"
#include "skin/frame/skin_frame.h"
#include "skin/menus/skin_menu.h"

namespace tessaly::skin {

WindowStates::WindowStates(SkinFrame& frame)
    : m_frame(frame)
    , m_window(frame.window())
{
}

bool WindowStates::isMainWindow() const { return m_window->parentWidget() == nullptr; }

void WindowStates::changeWindowState(WindowState state)
{
    if (state == m_state)
        return;
    m_frame.skinMenu().hide();
    switch (state) {
    case WindowState::Normal:
        restoreWindow();
        break;
    case WindowState::Minimized:
        minimizeWindow();
        break;
    case WindowState::Maximized:
        maximizeWindow();
        break;
    }
}

void WindowStates::captionDoubleClick()
{
    const bool resizable = m_frame.resizable();
    const bool maximisable = (m_frame.borderIcons() & BorderIcon::Maximize) != 0;
    if (resizable && m_state == WindowState::Minimized)
        changeWindowState(WindowState::Normal);
    else if (resizable && m_state == WindowState::Normal && !m_rollUpState && maximisable)
        changeWindowState(WindowState::Maximized);
    else if (resizable && m_state == WindowState::Maximized && !m_maxRollUpState)
        changeWindowState(WindowState::Normal);
    else
        switchRollUp(!m_rollUpState);
}

void WindowStates::restoreOrUnroll()
{
    if (m_maxRollUpState || (m_rollUpState && m_state == WindowState::Normal))
        switchRollUp(false);
    else
        changeWindowState(WindowState::Normal);
}

void WindowStates::minimizeWindow()
{
    m_frame.captionButtons().quiet();
    if (isMainWindow()) {
        // The program is minimised: its main window goes to the task bar and
        // takes its other windows along (windowStateChanged). The frame's own
        // state stays normal.
        m_window->showMinimized();
        return;
    }
    minimizeToSlot();
    if (m_onMinimize)
        m_onMinimize();
}

void WindowStates::minimizeToSlot()
{
    if (m_oldBounds.isEmpty())
        m_oldBounds = m_window->geometry();
    m_state = WindowState::Minimized;
    m_frame.sizeLimits().apply();
    std::vector<Point> taken;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w == m_window || !w->isVisible())
            continue;
        // The frame is a child of its window (no meta-object: dynamic_cast).
        for (QObject* child : w->children()) {
            const auto* other = dynamic_cast<const SkinFrame*>(child);
            if (other && other->window()->parentWidget() && other->windowState() == WindowState::Minimized)
                taken.push_back({w->x(), w->y()});
        }
    }
    const FrameSizeLimits& limits = m_frame.sizeLimits();
    const int width = limits.getMinWidth(), height = limits.getMinHeight();
    const Point at = minimisedSlot(platform::toRect(limits.workArea()), width, height, taken);
    m_window->setGeometry(platform::toQRect(Rect::sized(width, height).translated(at.x, at.y)));
}

void WindowStates::maximizeWindow()
{
    m_rollUpBeforeMaximize = m_rollUpState;
    if (m_oldBounds.isEmpty())
        m_oldBounds = m_window->geometry();
    m_state = WindowState::Maximized;
    m_frame.sizeLimits().apply();
    const Rect workArea = platform::toRect(m_frame.sizeLimits().workArea());
    m_window->setGeometry(platform::toQRect(m_frame.layerBorder()->maximisedBounds(workArea)));
    if (m_onMaximize)
        m_onMaximize();
}

void WindowStates::restoreWindow()
{
    // Undo a roll-up that began while maximised.
    if (m_state == WindowState::Maximized && m_rollUpState && !m_rollUpBeforeMaximize)
        m_rollUpState = false;
    m_rollUpBeforeMaximize = false;
    m_maxRollUpState = false;
    m_state = WindowState::Normal;
    m_frame.sizeLimits().apply();
    if (!m_oldBounds.isEmpty())
        m_window->setGeometry(m_oldBounds);
    m_oldBounds = QRect();
    m_frame.captionButtons().resume();
    m_frame.redrawWhole();
    if (m_onRestore)
        m_onRestore();
}

void WindowStates::switchRollUp(bool value)
{
    if ((m_frame.borderIcons() & BorderIcon::RollUp) == 0 || m_state == WindowState::Minimized)
        return;
    if (m_rollUpState && m_state == WindowState::Maximized && !m_maxRollUpState)
        return;
    if (value == m_rollUpState)
        return;
    if (m_state == WindowState::Maximized)
        m_maxRollUpState = value;
    if (value)
        m_oldHeight = m_window->height();
    m_rollUpState = value;
    m_frame.sizeLimits().apply();
    // Rolled up the window is its frame without the client area.
    const int minHeight = m_frame.sizeLimits().getMinHeight();
    const int height = value ? minHeight : std::max(m_oldHeight, minHeight);
    m_window->setGeometry(QRect(m_window->pos(), QSize(m_window->width(), height)));
}

void WindowStates::windowStateChanged(bool wasMinimised)
{
    const bool minimised = m_window->isMinimized();
    if (minimised && !wasMinimised) {
        m_frame.captionButtons().stop();
        m_frame.skinMenu().hide();
        if (isMainWindow())
            hideOwnedWindows();
    } else if (!minimised && wasMinimised) {
        if (isMainWindow())
            showOwnedWindows();
        m_frame.captionButtons().resume();
        if (m_onRestore)
            m_onRestore();
    }
}

void WindowStates::exposed()
{
    // Qt can miss the window manager's word that a minimised window is
    // normal again (seen with openbox on X11): a window shown on the screen
    // is not minimised, and Qt is told so, which runs the restore.
    if (m_window->isMinimized() && m_window->windowHandle()->isExposed())
        m_window->setWindowState(m_window->windowState() & ~Qt::WindowMinimized);
}

void WindowStates::hideOwnedWindows()
{
    // The program's other windows (the About window) go with the main
    // window; menus, hints and glows are not owned windows.
    m_hiddenOwned.clear();
    const QList<QWidget*> windows = QApplication::topLevelWidgets();
    for (QWidget* w : windows) {
        if (w == m_window || !w->isVisible() || !w->parentWidget() || w->parentWidget()->window() != m_window)
            continue;
        if (w->windowType() != Qt::Window && w->windowType() != Qt::Dialog)
            continue;
        m_hiddenOwned.emplace_back(w);
        w->hide();
    }
}

void WindowStates::showOwnedWindows()
{
    std::vector<QPointer<QWidget>> windows = std::move(m_hiddenOwned);
    m_hiddenOwned.clear();
    for (const QPointer<QWidget>& w : windows)
        if (w)
            w->show();
}

} // namespace tessaly::skin
