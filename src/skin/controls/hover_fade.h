#pragma once

#include <QTimer>

#include <algorithm>
#include <functional>

namespace tessaly::skin {

// The cross-fade of a button between its normal face (step 0) and its hot
// face (the last step). Its timer moves it one step per tick towards the
// face the button's state asks for, so a fade ends after at most `steps`
// ticks; a press or a skin without fading jumps to an end at once.
class HoverFade {
public:
    static constexpr int steps = 5;
    static constexpr int interval = 20;

    // `tick` runs on every tick of the timer: the button steps the fade and
    // repaints.
    explicit HoverFade(std::function<void()> tick);

    int step() const { return m_step; }
    void setStep(int step) { m_step = std::clamp(step, 0, steps); }
    // 0 the normal face, 1 the hot one.
    double factor() const { return m_step / double(steps); }
    bool running() const { return m_timer.isActive(); }
    // Under way: running, or stopped between the two faces.
    bool midway() const { return running() || (m_step > 0 && m_step < steps); }
    bool atHot() const { return m_step == steps; }

    void start()
    {
        if (!m_timer.isActive())
            m_timer.start();
    }
    void stop() { m_timer.stop(); }
    // One step towards the hot face or back, stopping at the end. Without
    // fading the step goes to the end at once.
    void stepTowards(bool hot, bool fading);
    void jumpTo(bool hot)
    {
        m_step = hot ? steps : 0;
        stop();
    }

private:
    QTimer m_timer;
    int m_step = 0;
};

} // namespace tessaly::skin
