#pragma once

#include "skin/controls/skin_panel.h"

namespace tessaly::skin {

// The status bar (record "statusbar"): a panel drawn at the full width of
// its parent and kept along the parent's bottom edge across resizes; its
// children (the "About" button, the progress text) keep their places. With
// a size grip, a drag on the grip at its right end sizes the window by its
// bottom-right corner, through the window's frame where it has one.
class SkinStatusBar : public SkinPanel {
public:
    explicit SkinStatusBar(QWidget* parent = nullptr);

    // Also binds every skinned control on the bar to the same registry.
    void setSkinData(SkinData* skinData);

    bool sizeGrip() const { return m_sizeGrip; }
    void setSizeGrip(bool on);
    // Where the grip is (empty without one).
    Rect gripRect() const;

protected:
    bool getSkinData() override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    Rect adjustClientRect(const Rect& area) const override;
    void drawOverFace(Bitmap& face) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void dock();
    bool hasGripperPicture() const;

    bool m_sizeGrip = false;
    // A drag on the grip: handed to the frame, or the window sized here.
    enum class GripDrag { None, Frame, Own } m_drag = GripDrag::None;
    QPoint m_dragStart;
    QSize m_sizeAtStart;
};

} // namespace tessaly::skin
