#include "platform/qt_region.h"

namespace tessaly::platform {

QRegion regionFromBands(const std::vector<QRect>& bands)
{
    QRegion region;
    if (!bands.empty())
        region.setRects(bands.data(), int(bands.size()));
    return region;
}

} // namespace tessaly::platform
