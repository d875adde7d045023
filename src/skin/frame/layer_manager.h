#pragma once

#include <QBasicTimer>
#include <QImage>
#include <QObject>
#include <QPoint>
#include <QWidget>
#include <memory>

#include "skin/paint/bitmap.h"

namespace tessaly::skin {

// The window of a glow: frameless, translucent, transparent for the mouse,
// never activated or focused, without a task-bar entry, kept above other
// windows (a tool-tip window, which the window manager does not manage).
// It paints its premultiplied image at the current opacity.
class LayerWindow : public QWidget {
public:
    LayerWindow();
    void setImage(QImage image);
    // The image with the window's top-left corner at a screen point, place
    // and size asked of the window system in one request.
    void setImage(QImage image, const QPoint& at);
    void setOpacity(int alpha);
    int opacity() const { return m_alpha; }

protected:
    // A layered window of another kind (the border strips).
    explicit LayerWindow(Qt::WindowFlags flags);
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_image;
    QImage m_deviceImage; // m_image at the screen's resolution
    qint64 m_deviceImageKey = 0;
    int m_alpha = 0;
};

// One glow window and its fade-in: show() composes the glow image once,
// shows it at opacity 0 and raises the opacity every 25 ms until it reaches
// the target. The window is created on the first show and kept for the
// next; glows appear only while a compositing manager runs, since
// translucent windows would show black without one.
class LayerManager : public QObject {
public:
    static constexpr int kFadeInterval = 25;

    LayerManager();
    ~LayerManager() override;

    // Shows the image (alpha taken from the mask) with its top-left corner
    // at the screen position, fading in to `alpha` (0 … 255).
    void show(const QPoint& screenPos, PixelView image, PixelView mask, int alpha);
    void hide();

    bool isVisible() const { return m_visible; }
    // The glow window (null before the first show).
    LayerWindow* window() const { return m_window.get(); }
    int currentAlpha() const { return m_beginAlpha; }
    int endAlpha() const { return m_endAlpha; }
    int stepAlpha() const { return m_stepAlpha; }
    bool fading() const { return m_timer.isActive(); }
    // One fade step (the timer's tick; tests call it directly).
    void fadeStep();

protected:
    void timerEvent(QTimerEvent* event) override;

private:
    std::unique_ptr<LayerWindow> m_window;
    Bitmap m_bmp;
    QBasicTimer m_timer;
    int m_endAlpha = 0;
    int m_beginAlpha = 0;
    int m_stepAlpha = 0;
    bool m_visible = false;
};

} // namespace tessaly::skin
