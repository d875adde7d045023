#pragma once

#include <QObject>
#include <QRect>
#include <functional>
#include <optional>

#include "skin/frame/frame_sizing.h"

class QWidget;

namespace tessaly::skin {

// The size limits of a skinned window: its own settings, the frame's
// smallest size for the skin and the window's state, and the work area of
// its screen as the largest. They reach the window manager as the
// window's size hints, again whenever the state, the skin or the screen's
// work area changes.
class FrameSizeLimits : public QObject {
public:
    // The frame's geometry in the current skin (none in the default look)
    // and the window's state, asked each time the limits are.
    using SkinGeometry = std::function<std::optional<FrameSkinGeometry>()>;
    using State = std::function<FrameSizeState()>;

    FrameSizeLimits(QWidget* window, SkinGeometry skinGeometry, State state);

    // The window's own limits (0: none).
    const FrameSizeSettings& settings() const { return m_settings; }
    void setSettings(const FrameSizeSettings& settings);
    int getMinWidth() const;
    int getMinHeight() const;
    int getMaxWidth() const;
    int getMaxHeight() const;
    // The work area of the window's screen.
    QRect workArea() const;

    // Hands the limits to the window manager.
    void apply();
    // Lets go of every limit (before a new skin sizes the window).
    void release();
    // Applies the limits again whenever the window's screen or its work
    // area changes (once the window has a native window).
    void watchScreen();

private:
    QWidget* m_window;
    SkinGeometry m_skinGeometry;
    State m_state;
    FrameSizeSettings m_settings;
};

} // namespace tessaly::skin
