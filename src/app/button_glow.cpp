#include "app/button_glow.h"

#include "platform/qt_compositor.h"
#include "skin/paint/bitmap.h"

namespace tessaly::app {

bool ButtonGlow::available() const
{
    return platform::compositingManagerRunning();
}

void ButtonGlow::show(const QPoint& screenPos, const skin::Bitmap& image, const skin::Bitmap& mask, int opacity, bool)
{
    // Glow windows always stand above their window.
    if (available())
        m_layer.show(screenPos, image.view(), mask.view(), opacity);
}

void ButtonGlow::hide()
{
    m_layer.hide();
}

} // namespace tessaly::app
