#include "skin/controls/skin_toggle_button.h"

namespace tessaly::skin {

SkinToggleButton::SkinToggleButton(const QString& caption, QWidget* parent)
    : SkinSpeedButton(caption, parent)
{
    setTabStop(true);
    setUseSkinSize(false);
    setOnClick([this] {
        setChecked(!m_checked);
        if (m_onToggled)
            m_onToggled(m_checked);
    });
}

void SkinToggleButton::setChecked(bool on)
{
    if (on == m_checked)
        return;
    m_checked = on;
    QAccessible::State changed;
    changed.checked = true;
    tellStateChanged(changed);
    update();
}

} // namespace tessaly::skin
