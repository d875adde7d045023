#pragma once

#include "skin/paint/bitmap.h"

#include <QPoint>

namespace tessaly::skin {

// The window that shows a push button's glow: a translucent window of the
// image's size, shaped by the mask and fading in to the opacity. The
// frame's glow windows provide it; a button without one shows no glow.
class GlowLayer {
public:
    virtual ~GlowLayer() = default;
    // Whether translucent windows can be shown at all (a compositing
    // manager runs).
    virtual bool available() const = 0;
    virtual void show(const QPoint& screenPos, const Bitmap& image, const Bitmap& mask, int opacity,
                      bool topMost) = 0;
    virtual void hide() = 0;
};

} // namespace tessaly::skin
