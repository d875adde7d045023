#include "skin/paint/device_scale.h"

#include <cmath>
#include <cstring>
#include <numeric>
#include <vector>

namespace tessaly::skin {

namespace {

// Division rounding towards minus infinity (b > 0): window coordinates of
// shapes and pointers may be negative.
long long floorDiv(long long a, long long b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

// The logical column of every device column in [from, to).
std::vector<int> logicalOf(const DeviceScale& scale, int from, int to)
{
    std::vector<int> out;
    out.reserve(std::size_t(std::max(0, to - from)));
    for (int d = from; d < to; ++d)
        out.push_back(scale.toLogical(d));
    return out;
}

} // namespace

DeviceScale::DeviceScale(int num, int den)
{
    if (num <= 0 || den <= 0)
        return;
    const int g = std::gcd(num, den);
    m_num = num / g;
    m_den = den / g;
}

DeviceScale DeviceScale::fromRatio(double ratio)
{
    if (!(ratio > 0.0) || ratio > 64.0)
        return {};
    return {int(std::lround(ratio * 8.0)), 8};
}

int DeviceScale::toDevice(int x) const
{
    // x·num/den + 1/2, floored.
    return int(floorDiv(2LL * x * m_num + m_den, 2LL * m_den));
}

int DeviceScale::toLogical(int d) const
{
    // The largest x with toDevice(x) <= d, solved from the floor above.
    return int(floorDiv(2LL * m_den * d + m_den - 1, 2LL * m_num));
}

Rect DeviceScale::toDevice(const Rect& r) const
{
    return {toDevice(r.left), toDevice(r.top), toDevice(r.right), toDevice(r.bottom)};
}

void scaleToDevice(const Bitmap& logical, const DeviceScale& scale, Bitmap& device)
{
    device.setAlphaBlend(logical.alphaBlend());
    device.setTransparent(logical.transparent());
    if (logical.empty()) {
        device.clear();
        return;
    }
    device.setSizeForOverwrite(scale.toDevice(logical.width()), scale.toDevice(logical.height()));
    scaleToDevice(logical, Rect::sized(logical.width(), logical.height()), scale, device);
}

void scaleToDevice(const Bitmap& logical, const Rect& logicalRect, const DeviceScale& scale, Bitmap& device)
{
    const Rect part = logicalRect.intersected(Rect::sized(logical.width(), logical.height()));
    if (part.isEmpty() || device.width() != scale.toDevice(logical.width()) ||
        device.height() != scale.toDevice(logical.height()))
        return;
    const Rect target = scale.toDevice(part);
    const std::vector<int> columns = logicalOf(scale, target.left, target.right);
    const std::size_t rowBytes = columns.size() * 4;
    int lastSource = -1;
    for (int y = target.top; y < target.bottom; ++y) {
        const int sy = scale.toLogical(y);
        uint32_t* out = device.pixelPointer(target.left, y);
        // Device rows of one logical row are the same: copy the first.
        if (sy == lastSource) {
            std::memcpy(out, device.pixelPointer(target.left, y - 1), rowBytes);
            continue;
        }
        lastSource = sy;
        const uint32_t* in = logical.rowPointer(sy);
        for (std::size_t i = 0; i < columns.size(); ++i)
            out[i] = in[columns[i]];
    }
}

Region scaleRegion(const Region& region, const DeviceScale& scale)
{
    if (scale.isIdentity())
        return region;
    std::vector<Rect> rects;
    rects.reserve(region.rects().size());
    for (const Rect& r : region.rects())
        rects.push_back(scale.toDevice(r));
    return Region::fromRects(rects);
}

} // namespace tessaly::skin
