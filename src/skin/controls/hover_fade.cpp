#include "skin/controls/hover_fade.h"

namespace tessaly::skin {

HoverFade::HoverFade(std::function<void()> tick)
{
    m_timer.setInterval(interval);
    QObject::connect(&m_timer, &QTimer::timeout, std::move(tick));
}

void HoverFade::stepTowards(bool hot, bool fading)
{
    if (!fading) {
        jumpTo(hot);
        return;
    }
    if (hot && m_step < steps)
        ++m_step;
    else if (!hot && m_step > 0)
        --m_step;
    else
        stop();
}

} // namespace tessaly::skin
