#include "skin/controls/frame_animation.h"

namespace tessaly::skin {

FrameAnimation::FrameAnimation(std::function<void()> repaint)
    : m_repaint(std::move(repaint))
{
    QObject::connect(&m_timer, &QTimer::timeout, [this] { tick(); });
}

void FrameAnimation::start(bool forward, int frameCount, int interval)
{
    if (frameCount <= 0) {
        stop();
        return;
    }
    m_forward = forward;
    m_count = frameCount;
    m_frame = forward ? 1 : frameCount;
    m_timer.start(interval > 0 ? interval : 1);
    m_repaint();
}

void FrameAnimation::stop()
{
    m_timer.stop();
    m_frame = 0;
}

void FrameAnimation::tick()
{
    if (!running())
        return;
    m_frame += m_forward ? 1 : -1;
    if (m_frame > m_count || m_frame <= 0)
        stop();
    m_repaint();
}

Rect FrameAnimation::frameRect(const Rect& a, const Rect& skinRect) const
{
    if (!running() || m_frame <= 0 || m_frame > m_count || a.isEmpty())
        return {};
    const int k = m_frame - 1;
    if (a.width() > skinRect.width()) {
        const int w = a.width() / m_count;
        return {a.left + k * w, a.top, a.left + (k + 1) * w, a.bottom};
    }
    const int h = a.height() / m_count;
    return {a.left, a.top + k * h, a.right, a.top + (k + 1) * h};
}

} // namespace tessaly::skin
