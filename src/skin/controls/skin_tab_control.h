#pragma once

#include "skin/controls/skin_control.h"

#include <QStringList>
#include <functional>

namespace tessaly::skin {

class DataSkinTabControl;

// A row of tabs that picks one of several pages, drawn from a "tab" record:
// the strip's background from its tabs background rectangle, each tab as
// three pieces (fixed ends of the record's left and right offsets, the
// middle stretched) from the normal, chosen, hot or focused tab picture,
// and the captions in the record's font and its colour for that state.
// Without the record it draws a built-in face in the system colours.
//
// The pages themselves are the owner's: the control only says which one is
// chosen. A click or Left and Right (with the focus) choose a tab.
class SkinTabControl : public SkinControl {
public:
    explicit SkinTabControl(QWidget* parent = nullptr);

    void setTabs(const QStringList& captions);
    const QStringList& tabs() const { return m_tabs; }
    void setTabText(int index, const QString& caption);
    int currentIndex() const { return m_current; }
    // Chooses a tab (clamped to the tabs there are) and tells the handler
    // when the choice changed.
    void setCurrentIndex(int index);
    void setOnCurrentChanged(std::function<void(int)> handler) { m_onCurrentChanged = std::move(handler); }

    // Where a tab stands in the control, and the tab at a point (-1: none).
    QRect tabRect(int index) const;
    int tabAt(const QPoint& point) const;
    // The tab under the pointer (-1: none).
    int hotIndex() const { return m_hot; }

protected:
    bool getSkinData() override;
    // The strip takes any size: the record has no size rule for it.
    void calcSkinSize(int&, int&) override {}
    void drawDefaultFace(Bitmap& face) override;
    void drawSkinFace(Bitmap& face) override;

    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    const DataSkinTabControl* tabRecord() const;
    Font captionFont() const;
    Color captionColour(int index) const;
    void drawCaption(Bitmap& face, int index, Color colour) const;
    void setHot(int index);

    QStringList m_tabs;
    int m_current = 0;
    int m_hot = -1;
    std::function<void(int)> m_onCurrentChanged;
};

} // namespace tessaly::skin
