#pragma once

#include <QPointer>
#include <QRect>
#include <functional>
#include <vector>

class QWidget;

namespace tessaly::skin {

class SkinFrame;

enum class WindowState { Normal, Minimized, Maximized };

// The window states a skinned frame gives its window: minimised (the main
// window to the task bar, taking the program's other windows along; a
// secondary window to its caption bar at a free place along the bottom of
// the work area), maximised to the work area, and rolled up to its frame
// without the client area, with the handlers that hear of each change. It
// also works around a restore that Qt can miss.
class WindowStates {
public:
    explicit WindowStates(SkinFrame& frame);

    // Minimising the program's main window minimises the program, and the
    // state stays normal.
    WindowState state() const { return m_state; }
    bool rollUpState() const { return m_rollUpState; }
    // Rolled up while maximised.
    bool maxRollUpState() const { return m_maxRollUpState; }
    void changeWindowState(WindowState state);
    void switchRollUp(bool value);
    // A double click on the caption: restore, maximise or roll up, as the
    // state and the caption buttons allow.
    void captionDoubleClick();
    // The system menu's Restore: unrolls a rolled-up window first.
    void restoreOrUnroll();

    void setOnRestore(std::function<void()> handler) { m_onRestore = std::move(handler); }
    void setOnMinimize(std::function<void()> handler) { m_onMinimize = std::move(handler); }
    void setOnMaximize(std::function<void()> handler) { m_onMaximize = std::move(handler); }

    // Qt changed the window's state (minimised by the window manager or
    // restored from the task bar).
    void windowStateChanged(bool wasMinimised);
    // The window system showed the window.
    void exposed();

private:
    bool isMainWindow() const;
    void minimizeWindow();
    void minimizeToSlot();
    void maximizeWindow();
    void restoreWindow();
    void hideOwnedWindows();
    void showOwnedWindows();

    SkinFrame& m_frame;
    QWidget* m_window;
    WindowState m_state = WindowState::Normal;
    bool m_rollUpState = false;
    bool m_maxRollUpState = false;
    bool m_rollUpBeforeMaximize = false;
    QRect m_oldBounds;
    int m_oldHeight = 0;
    // Windows of this window hidden while it is minimised.
    std::vector<QPointer<QWidget>> m_hiddenOwned;
    std::function<void()> m_onRestore;
    std::function<void()> m_onMinimize;
    std::function<void()> m_onMaximize;
};

} // namespace tessaly::skin
