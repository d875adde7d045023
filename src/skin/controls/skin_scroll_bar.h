#pragma once

#include "skin/controls/skin_bound.h"

#include <QScrollBar>
#include <QTimer>

namespace tessaly::skin {

class DataSkinScrollBarControl;

// A vertical scroll bar drawn from a "scrollbar" record (by default
// "vscrollbar"): the track from the record's picture stretched between its
// ends, the arrow buttons from their pictures at rest, under the pointer and
// pressed, and the thumb as three pieces (fixed ends of the record's
// offsets). It works as Qt's scroll bar does: arrows step (repeating while
// held), the track pages, the thumb drags. Without the record it is Qt's
// own scroll bar in every respect.
class SkinScrollBar : public QScrollBar, public SkinBound {
public:
    enum class Part { None, Up, Down, PageUp, PageDown, Thumb };

    explicit SkinScrollBar(QWidget* parent = nullptr);

    void setSkinData(SkinData* skinData);
    void beforeChangeSkinData() override;
    void changeSkinData() override;

    // Where the parts lie at the current size and value (skinned only).
    QRect upRect() const;
    QRect downRect() const;
    QRect thumbRect() const;
    Part partAt(const QPoint& point) const;
    Part hotPart() const { return m_hot; }
    Part pressedPart() const { return m_pressed; }
    // As wide as the record's track picture when skinned.
    QSize sizeHint() const override;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    const DataSkinScrollBarControl* skinRecord() const;
    int buttonLength() const;
    QRect trackRect() const;
    int thumbLength() const;
    void act(Part part);
    void setHot(Part part);

    Part m_hot = Part::None;
    Part m_pressed = Part::None;
    int m_dragOffset = 0; // from the thumb's top to the pointer
    QTimer m_repeat;
};

} // namespace tessaly::skin
