#include "skin/frame/frame_sizing.h"

#include <algorithm>

namespace tessaly::skin {

int frameMinWidth(const std::optional<FrameSkinGeometry>& skin, const FrameSizeSettings& settings,
                  const FrameSizeState& state)
{
    if (!skin)
        return settings.minWidth > 0 ? settings.minWidth : kDefaultMinWidth;
    if (skin->picWidth < settings.minWidth && !state.minimised)
        return settings.minWidth;
    if (skin->minWidth > 0)
        return settings.minWidth > skin->minWidth && !state.minimised ? settings.minWidth : skin->minWidth;
    return skin->picWidth;
}

int frameMinHeight(const std::optional<FrameSkinGeometry>& skin, const FrameSizeSettings& settings,
                   const FrameSizeState& state)
{
    // Rolled up or minimised, the window is its caption bar alone.
    const bool captionOnly = state.rolledUp || state.minimised;
    if (!skin) {
        const int caption = kDefaultCaptionHeight + 2 * kDefaultBorder;
        return caption >= settings.minHeight || captionOnly ? caption : settings.minHeight;
    }
    const int own = captionOnly ? 0 : settings.minHeight;
    if (skin->minHeight > 0)
        return std::max(skin->minHeight, own);
    // The frame without its client area.
    return std::max(skin->picHeight - skin->clRect.height(), own);
}

int frameMaxWidth(const FrameSizeSettings& settings, int workAreaWidth)
{
    return settings.maxWidth != 0 ? settings.maxWidth : workAreaWidth;
}

int frameMaxHeight(const FrameSizeSettings& settings, int workAreaHeight)
{
    return settings.maxHeight != 0 ? settings.maxHeight : workAreaHeight;
}

namespace {

// One axis: the edge that moves is `low` (left/top) or `high`; the other stays.
void dragAxis(int& low, int& high, int delta, bool moveLow, bool moveHigh, int minimum, int maximum)
{
    if (moveLow && moveHigh) {
        low += delta;
        high += delta;
        return;
    }
    auto clamp = [&](int size) {
        size = std::max(size, minimum);
        return maximum > 0 ? std::min(size, std::max(maximum, minimum)) : size;
    };
    if (moveLow)
        low = high - clamp(high - (low + delta));
    else if (moveHigh)
        high = low + clamp(high + delta - low);
}

} // namespace

Point minimisedSlot(const Rect& workArea, int width, int height, const std::vector<Point>& taken)
{
    const int bottomRow = workArea.bottom - height;
    Point p{workArea.left, bottomRow};
    auto isTaken = [&](const Point& at) { return std::find(taken.begin(), taken.end(), at) != taken.end(); };
    // Every window takes at most one place: a free one is found within one
    // more step than there are windows.
    for (std::size_t step = 0; step <= taken.size() && isTaken(p); ++step) {
        p.x += std::max(width, 1);
        if (workArea.right - p.x < 2 * width) {
            p.x = workArea.left;
            p.y -= height;
            if (p.y < workArea.top)
                return {workArea.left, bottomRow};
        }
    }
    return p;
}

Rect dragBounds(FrameHit grip, const Rect& start, int dx, int dy, Point minSize, Point maxSize)
{
    Rect r = start;
    const bool move = grip == FrameHit::Caption;
    const bool left = grip == FrameHit::Left || grip == FrameHit::TopLeft || grip == FrameHit::BottomLeft;
    const bool right = grip == FrameHit::Right || grip == FrameHit::TopRight || grip == FrameHit::BottomRight;
    const bool top = grip == FrameHit::Top || grip == FrameHit::TopLeft || grip == FrameHit::TopRight;
    const bool bottom = grip == FrameHit::Bottom || grip == FrameHit::BottomLeft || grip == FrameHit::BottomRight;
    dragAxis(r.left, r.right, dx, move || left, move || right, minSize.x, maxSize.x);
    dragAxis(r.top, r.bottom, dy, move || top, move || bottom, minSize.y, maxSize.y);
    return r;
}

} // namespace tessaly::skin
