#pragma once

#include "skin/controls/skin_bound.h"
#include "skin/controls/text_ellipsis.h"
#include "skin/data/skin_types.h"

#include <QLabel>
#include <string>

namespace tessaly::skin {

class SkinData;

// A disabled label's text: once in the highlight colour one pixel right and
// down, then in the shadow colour in place (the skin's colours when the
// label has a registry with a skin, the system's otherwise).
void paintEmbossedText(QLabel& label, const SkinData* skinData, const QString& text);

// A plain label in the "stdlabel" record's font and colour; without a
// registry or record, in its default font. Bound to a panel record instead
// (setSkinDataName("statusbar")), it takes that panel's text font and
// colour: text standing on the status bar.
class SkinStdLabel : public QLabel, public SkinBound {
public:
    explicit SkinStdLabel(const QString& text = {}, QWidget* parent = nullptr);

    void setSkinData(SkinData* skinData);
    const Font& defaultFont() const { return m_defaultFont; }
    void setDefaultFont(const Font& font);
    void setUseSkinFont(bool on);
    void setUseSkinColor(bool on);

    void beforeChangeSkinData() override;
    void changeSkinData() override;

    // The font and colour the label draws with now.
    Font drawFont() const;
    // How a text too wide for the label is shortened (not at all by
    // default); the text itself stays whole.
    EllipsType ellipsType() const { return m_ellipsType; }
    void setEllipsType(EllipsType type);
    // The text as the label shows it at its width now.
    QString shownText() const;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    Font m_defaultFont;
    bool m_useSkinFont = true;
    bool m_useSkinColor = true;
    EllipsType m_ellipsType = EllipsType::None;
};

} // namespace tessaly::skin
