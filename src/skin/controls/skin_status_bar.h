#pragma once

#include "skin/controls/skin_control.h"

namespace tessaly::skin {

// The status bar (record "statusbar"): drawn at the full width of its
// parent and kept along the parent's bottom edge across resizes; its
// children (the "About" button, the progress text) keep their places.
class SkinStatusBar : public SkinControl {
public:
    explicit SkinStatusBar(QWidget* parent = nullptr);

    // Also binds every skinned control on the bar to the same registry.
    void setSkinData(SkinData* skinData);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void dock();
};

} // namespace tessaly::skin
