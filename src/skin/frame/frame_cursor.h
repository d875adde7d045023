#pragma once

#include <Qt>

#include "skin/frame/frame_layout.h"

namespace tessaly::skin {

// The pointer shape over a part of the frame: the sizing arrows over edges
// and corners, the arrow everywhere else (caption, buttons, client area).
Qt::CursorShape cursorForHit(FrameHit hit);
// The window edges a press on that part sizes; none for parts that do not
// size the window.
Qt::Edges edgesForHit(FrameHit hit);
// The part sizes the window (an edge or a corner).
inline bool isSizingHit(FrameHit hit) { return edgesForHit(hit) != Qt::Edges(); }

} // namespace tessaly::skin
