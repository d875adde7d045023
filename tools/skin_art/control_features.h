#pragma once

// The pictures of the control features that only the sampler design shows:
// a push button's animation frames, an edit with a side button, a panel
// with a caption bar, a check box and a roll-up marker. Whole-number
// arithmetic only, so the files come out the same on every processor.

#include "skin_design.h"

namespace skinart {

namespace controlart {
constexpr int kFrames = 4;             // animation frames of "animbutton"
constexpr int kButtonW = 48, kButtonH = 25;
constexpr int kEditW = 56, kEditH = 18; // "buttonedit": its button in the fixed right part
constexpr int kEditRight = 38;          // where the fixed right part starts
constexpr int kSideButton = 14;
constexpr int kPanelW = 40, kPanelH = 60, kPanelCaption = 22; // "captionpanel"
constexpr int kCheck = 11;
} // namespace controlart

// Appends control_features.bmp to the skin's active pictures, with its
// tiles under "features/...".
void addControlFeatures(SkinSources& skin);

} // namespace skinart
