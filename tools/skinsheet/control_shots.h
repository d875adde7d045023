#pragma once

// The skinned controls as the program shows them: real widgets, bound to
// the reviewed skin, put into each state and grabbed. The sheet never
// draws a control itself.

#include <QImage>
#include <QString>

namespace tessaly::skin {
class SkinData;
}

namespace skinsheet {

enum class ShotState { Normal, Hot, Pressed, Focused, Disabled };

// morph >= 0 grabs the push or tool button part-way through its cross-fade
// from the normal to the hot face (in steps of 0.2).
QImage pushButtonShot(const tessaly::skin::SkinData& sd, int w, int h, ShotState state, const QString& caption,
                      double morph = -1);
QImage toolButtonShot(const tessaly::skin::SkinData& sd, int w, int h, ShotState state, const QString& caption,
                      double morph = -1);
// The "About" button at x on a status bar `barWidth` wide; flat at rest
// unless hot or pressed (its menu open).
QImage statusBarShot(const tessaly::skin::SkinData& sd, int barWidth, int aboutX, ShotState state);
QImage editShot(const tessaly::skin::SkinData& sd, int w, bool hot, const QString& text, bool disabled);
QImage stdLabelShot(const tessaly::skin::SkinData& sd, const QString& text, bool link, bool hover,
                    const QColor& background);

} // namespace skinsheet
