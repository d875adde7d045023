#pragma once

#include <algorithm>

namespace tessaly::skin {

// The cross-fade of a face between its normal look (step 0) and its hot
// look (kSteps), as caption buttons, buttons and menu items show it under
// the pointer. It is kept as a whole step count so that a fade always ends
// exactly at either look. It has no timer: its holder runs one and steps
// the fade on each tick, so that one timer can drive several fades.
class CrossFade {
public:
    static constexpr int kSteps = 5;

    int step() const { return m_step; }
    // 0 the normal look, 1 the hot one.
    double factor() const { return double(m_step) / kSteps; }
    bool atNormal() const { return m_step == 0; }
    bool atHot() const { return m_step == kSteps; }
    bool midway() const { return m_step > 0 && m_step < kSteps; }

    // The fade has further to go towards the hot look (or the normal one).
    bool canStepTowards(bool hot) const { return hot ? m_step < kSteps : m_step > 0; }
    // One step towards the hot look or back; false when it is there
    // already (the holder may stop its timer).
    bool stepTowards(bool hot)
    {
        if (!canStepTowards(hot))
            return false;
        m_step += hot ? 1 : -1;
        return true;
    }
    void jumpTo(bool hot) { m_step = hot ? kSteps : 0; }
    void setStep(int step) { m_step = std::clamp(step, 0, kSteps); }

private:
    int m_step = 0;
};

} // namespace tessaly::skin
