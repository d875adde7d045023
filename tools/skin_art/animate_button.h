#pragma once

// The sampler's animate caption button: a dial of eight dots whose lit dot
// goes round while the pointer rests on it. Its frames lie side by side in
// spinner.bmp, its pressed and inactive looks in the row below.
// Whole-number arithmetic only, so the file comes out the same on every
// processor.

#include "skin_design.h"

namespace skinart {

namespace spinnerart {
constexpr int kWidth = 25; // the size of the minimise button beside it
constexpr int kHeight = 19;
constexpr int kFrames = 8;
inline QRect frameRect(int k) { return QRect((k - 1) * kWidth, 0, kWidth, kHeight); } // k from 1
inline QRect pressedRect() { return QRect(0, kHeight + 1, kWidth, kHeight); }
inline QRect inactiveRect() { return QRect(kWidth + 1, kHeight + 1, kWidth, kHeight); }
} // namespace spinnerart

// Appends spinner.bmp to the skin's active pictures.
void addAnimateButton(SkinSources& skin);

} // namespace skinart
