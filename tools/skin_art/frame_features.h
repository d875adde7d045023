#pragma once

// The pictures of the frame features that only the sampler design shows:
// caption images (active look, an animation, a text plate and a divider)
// and a logo for the client background. Whole-number arithmetic only, so
// the files come out the same on every processor.

#include "skin_design.h"

namespace skinart {

// Where the caption pictures lie in caption.bmp. The caption images share
// the frame picture's columns (the caption's ends are cut at the frame's
// corner points), so they sit at the caption's own x in the frame picture.
namespace captionart {
constexpr int kLeft = 6;                        // the caption's SkinRect in the frame picture
constexpr int kRight = frame::kWidth - 6;
constexpr int kTop = 3;
constexpr int kHeight = 23;
constexpr int kFrames = 4;                      // animation frames, stacked below the active image
constexpr int kPlateWidth = 40;
constexpr int kPlateHeight = 16;
constexpr int kPlateEnd = 6;                    // the plate's fixed ends
constexpr int kPlateTop = kHeight * (kFrames + 1);
constexpr int kDividerWidth = 6;
inline QRect activeRect() { return QRect(kLeft, 0, kRight - kLeft, kHeight); }
inline QRect animationRect() { return QRect(kLeft, kHeight, kRight - kLeft, kHeight * kFrames); }
inline QRect plateRect() { return QRect(0, kPlateTop, kPlateWidth, kPlateHeight); }
inline QRect activePlateRect() { return QRect(kPlateWidth, kPlateTop, kPlateWidth, kPlateHeight); }
inline QRect dividerRect() { return QRect(2 * kPlateWidth, kPlateTop, kDividerWidth, kPlateHeight); }
} // namespace captionart

// The logo: a round badge on the key colour, for the client background.
constexpr int kLogoSize = 48;

// Plain frame buttons on the caption bar, painted into the frame picture
// at a fixed place (they keep it at any window size): a square one with a
// pin (tests link a menu to it) and a round one whose hot area is its
// circle (its mask picture).
namespace buttonart {
constexpr int kSize = 17;
constexpr int kTop = 6;
constexpr int kPinLeft = 60;
constexpr int kRoundLeft = kPinLeft + kSize + 3;
inline QRect pinRect() { return QRect(kPinLeft, kTop, kSize, kSize); }
inline QRect roundRect() { return QRect(kRoundLeft, kTop, kSize, kSize); }
// A part of the caption bar the window draws itself (a user object).
inline QRect userRect() { return QRect(kRoundLeft + kSize + 3, kTop, 10, kSize); }
} // namespace buttonart

// Appends caption.bmp, logo.bmp, objects.bmp (the buttons' other states)
// and round_mask.bmp to the skin's active pictures, and paints the
// buttons' normal look into the frame picture.
void addFrameFeatures(SkinSources& skin);

} // namespace skinart
