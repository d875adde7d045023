#pragma once

#include "skin/controls/skin_speed_button.h"

#include <functional>

namespace tessaly::skin {

// A tool button that stays down while it is on: each click turns it on or
// off and tells the handler. Drawn as the tool button is, the pressed face
// standing for "on". A tab stop, so the keyboard reaches it.
class SkinToggleButton : public SkinSpeedButton {
public:
    explicit SkinToggleButton(const QString& caption = {}, QWidget* parent = nullptr);

    bool isChecked() const { return m_checked; }
    // Only the state: the handler hears of clicks, not of this.
    void setChecked(bool on);
    void setOnToggled(std::function<void(bool)> handler) { m_onToggled = std::move(handler); }

protected:
    bool showsPressed() const override { return m_checked || SkinSpeedButton::showsPressed(); }

private:
    bool m_checked = false;
    std::function<void(bool)> m_onToggled;
};

} // namespace tessaly::skin
