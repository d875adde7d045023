#pragma once

// The frame animation of a button whose record has animation frames: on
// the way to the hot face it plays frames 1 to FrameCount, on the way back
// FrameCount down to 1, one frame per AnimateInterval, then stops at the
// plain face. The frames are equal cells of AnimateSkinRect, side by side
// when it is wider than SkinRect, else stacked.

#include "skin/data/geometry.h"

#include <QObject>
#include <QTimer>
#include <functional>

namespace tessaly::skin {

class FrameAnimation {
public:
    // `repaint` runs after every step.
    explicit FrameAnimation(std::function<void()> repaint);

    // Starts forward (towards the hot face) or backward, with `frameCount`
    // frames shown `interval` ms apart.
    void start(bool forward, int frameCount, int interval);
    void stop();
    bool running() const { return m_timer.isActive(); }
    bool forward() const { return m_forward; }
    // 1-based; 0 when no frame shows.
    int currentFrame() const { return m_frame; }
    // One step, as the timer runs it.
    void tick();
    int interval() const { return m_timer.interval(); }

    // The frame's cell: what replaces the hot face (forward) or the normal
    // one (backward) while the animation runs. Empty when no frame shows.
    Rect frameRect(const Rect& animateRect, const Rect& skinRect) const;

private:
    std::function<void()> m_repaint;
    QTimer m_timer;
    int m_frame = 0;
    int m_count = 0;
    bool m_forward = true;
};

} // namespace tessaly::skin
