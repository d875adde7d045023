#pragma once

// Colours and sizes that the pictures and the description of the pewter skin
// share.

#include "art.h"

namespace pewter {

// ---- palette ---------------------------------------------------------------
// Active frames are a cool, slightly blue pewter; inactive frames are the
// same pixels turned grey by the frame's inactive effect, so the pictures
// meant for inactive windows are drawn grey already.

// The outer outline: a little darker than the inner lines, so that it
// closes the window on a light desktop without drawing a heavy frame.
inline const QColor kOutline = hex(0x687382);
inline const QColor kInnerLine = hex(0x7B8796);
inline const QColor kBorderLight = hex(0xD9E0E7);
inline const QColor kBorderMid = hex(0xBCC7D3);
inline const QColor kBorderDark = hex(0xA9B5C2);
inline const QColor kClient = hex(0xE7EAEE);
inline const QColor kMenuBack = hex(0xFBFCFD);
inline const QColor kMenuColumn = hex(0xEDF0F3);
inline const QColor kKey = hex(0xFF00FF); // transparent colour of glyph tiles

inline const QColor kText = hex(0x1E252D);
inline const QColor kTextHot = hex(0x10283F);
inline const QColor kTextDown = hex(0x0E1926);
inline const QColor kTextDisabled = hex(0x98A0A9);
inline const QColor kGlyph = hex(0x2F3A47);
inline const QColor kGlyphHot = hex(0x1B2430);
inline const QColor kSteel = hex(0x5E86B3);     // hover and focus accent
inline const QColor kSteelDeep = hex(0x2A63A6); // link colour
// The title: dark slate when active; a grey that keeps 3 : 1 against the
// greyed caption when inactive.
inline const QColor kCaptionText = hex(0x24303D);
inline const QColor kCaptionTextInactive = hex(0x5F5F5F);

// The popup menu's glyph column, and the size of one menu item picture.
constexpr int kColumn = 26;
constexpr int kItemW = 60;
constexpr int kItemH = 22;
// Halos reach this far around the button they light.
constexpr int kGlowMargin = 8;

} // namespace pewter
