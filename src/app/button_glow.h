#pragma once

#include "skin/controls/glow_layer.h"
#include "skin/frame/layer_manager.h"

namespace tessaly::app {

// A push button's glow shown in a glow window of the frame's kind: only
// while a compositing manager runs, never a black box without one.
class ButtonGlow : public skin::GlowLayer {
public:
    bool available() const override;
    void show(const QPoint& screenPos, const skin::Bitmap& image, const skin::Bitmap& mask, int opacity,
              bool topMost) override;
    void hide() override;

private:
    skin::LayerManager m_layer;
};

} // namespace tessaly::app
