#pragma once

#include "skin_design.h"

#include <QString>

namespace skinart {

// Mock-ups of the two windows and every control state, composed the plain
// way (nine pieces, every piece stretched), for checking the design by eye
// before the program's own painting code is at hand.
void writePreviews(const SkinSources& skin, const QString& directory);

} // namespace skinart
