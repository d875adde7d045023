#pragma once

#include "skin/controls/skin_bound.h"

#include <QImage>
#include <QLabel>

namespace tessaly::app {

// The About window's logo: the program's mark and its name beside it. The
// name is drawn dark, for a light window; where the skin's labels are light
// (a dark skin), the name takes the labels' colour so that it stays
// readable. The mark keeps its own colours.
class LogoLabel : public QLabel, public skin::SkinBound {
public:
    // The name starts this many pixels from the picture's left edge.
    static constexpr int MarkWidth = 46;

    explicit LogoLabel(QImage logo, QWidget* parent = nullptr);

    void setSkinData(skin::SkinData* skinData);
    void beforeChangeSkinData() override;
    void changeSkinData() override;

    // The logo with its name in the colour given, each pixel keeping its
    // opacity.
    static QImage withNameColour(const QImage& logo, const QColor& colour);

protected:
    bool event(QEvent* event) override;

private:
    QImage m_logo;
};

} // namespace tessaly::app
