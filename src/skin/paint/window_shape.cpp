#include "skin/paint/window_shape.h"

#include <QWidget>

#include "platform/qt_window_shape.h"
#include "skin/paint/bitmap_canvas.h"
#include "skin/paint/device_scale.h"

namespace tessaly::skin {

void setSkinWindowShape(QWidget* window, const std::optional<Region>& region)
{
    // An empty QRegion would mean "no mask" to Qt: an empty shape is the
    // plain window rectangle.
    if (!region || region->isEmpty()) {
        platform::setWindowShape(window, {}, {});
        return;
    }
    const DeviceScale scale = DeviceScale::fromRatio(window->devicePixelRatioF());
    platform::setWindowShape(window, toQRegion(*region), toQRegion(scaleRegion(*region, scale)));
}

} // namespace tessaly::skin
