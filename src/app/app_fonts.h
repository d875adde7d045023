#pragma once

#include <QColor>
#include <QFont>

namespace tessaly::app {

// A font as the window designs give it: a family name and a height in
// pixels, negative for the character height, positive for the cell height
// (character plus internal leading).
QFont designFont(const char* family, int height, bool bold = false, bool underline = false);

} // namespace tessaly::app
