#pragma once

#include <QSize>
#include <QWidget>

namespace tessaly::platform {

// A top-level window without the window manager's decoration: its whole
// area is the window, frame included, and whoever draws the frame (the skin
// frame component, through an event filter) paints it all. The controls
// live on the client area, a child widget that the frame places at its
// client rectangle; the client area paints nothing itself, so the client
// background drawn on the window shows through.
class FramelessWindow : public QWidget {
public:
    explicit FramelessWindow(QWidget* parent = nullptr, Qt::WindowFlags extraFlags = {});

    QWidget* clientArea() const { return m_clientArea; }

    // The client size of the window's design: the frame sizes the window to
    // it plus the frame's margins (0 × 0: keep the window's size).
    QSize designClientSize() const { return m_designClientSize; }
    void setDesignClientSize(const QSize& size) { m_designClientSize = size; }

private:
    QWidget* m_clientArea;
    QSize m_designClientSize;
};

} // namespace tessaly::platform
