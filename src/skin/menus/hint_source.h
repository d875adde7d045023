#pragma once

#include <QString>

#include "skin/paint/bitmap.h"

namespace tessaly::skin {

// A widget whose hint has a title line and an image besides its tool-tip
// text (the skinned controls). The active skinned hint asks the widget
// under the pointer for them; a widget without them shows a plain hint.
class HintSource {
public:
    virtual ~HintSource() = default;
    // Empty: no title line.
    virtual QString hintTitle() const = 0;
    // Empty: no image.
    virtual Bitmap hintImage() const = 0;
};

} // namespace tessaly::skin
