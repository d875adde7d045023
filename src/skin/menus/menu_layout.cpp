#include "skin/menus/menu_layout.h"

#include <algorithm>
#include <numeric>

namespace tessaly::skin {

MenuSize sizeMenu(const MenuSizeInput& in)
{
    MenuSize size;
    const PopupFrameGeometry& f = in.frame;
    const int a = in.captionWidth + in.glyphWidth + 19;
    // The frame around the items: what the picture has beyond its items rectangle.
    const int frameWidth = f.pictureWidth - f.itemsRect.width();
    const int frameHeight = f.pictureHeight - f.itemsRect.height();
    size.width = f.skinned ? a + in.textMargins + frameWidth : a + 10;

    const int sum = std::accumulate(in.itemHeights.begin(), in.itemHeights.end(), 0);
    size.height = f.skinned ? sum + frameHeight : sum + 6;

    const int count = int(in.itemHeights.size());
    if (in.maxItemsInWindow > 0 && in.maxItemsInWindow < count) {
        const int items = in.maxItemsInWindow * in.normalItemHeight;
        size.height = (f.skinned ? items + frameHeight : items + 6) + 2 * kScrollMarkerHeight;
        size.scroll = true;
        size.scroll2 = true;
    }
    if (in.workAreaHeight > 0 && size.height > in.workAreaHeight) {
        size.height = in.workAreaHeight;
        size.scroll = true;
    }
    return size;
}

MenuFrameLayout layoutFrame(const PopupFrameGeometry& f, int width, int height)
{
    MenuFrameLayout l;
    if (!f.skinned) {
        l.itemsRect = {2, 2, width - 2, height - 2};
        return l;
    }
    const int dx = width - f.pictureWidth;
    const int dy = height - f.pictureHeight;
    l.lt = f.lt;
    l.rt = {f.rt.x + dx, f.rt.y};
    l.lb = {f.lb.x, f.lb.y + dy};
    l.rb = {f.rb.x + dx, f.rb.y + dy};
    l.itemsRect = {f.itemsRect.left, f.itemsRect.top, f.itemsRect.right + dx, f.itemsRect.bottom + dy};
    return l;
}

ItemsLayout layoutItems(const Rect& itemsRect, const std::vector<int>& itemHeights, int start, bool scroll)
{
    ItemsLayout l;
    l.rects.resize(itemHeights.size());
    l.visibleStart = std::clamp(start, 0, std::max(0, int(itemHeights.size()) - 1));
    int y = itemsRect.top + (scroll ? kScrollMarkerHeight : 0);
    const int limit = itemsRect.bottom - (scroll ? kScrollMarkerHeight : 0);
    for (int i = l.visibleStart; i < int(itemHeights.size()); ++i) {
        const Rect r{itemsRect.left, y, itemsRect.right, y + itemHeights[std::size_t(i)]};
        y = r.bottom;
        if (y > limit)
            break;
        l.rects[std::size_t(i)] = r;
        ++l.visibleCount;
    }
    return l;
}

int lastPageStart(const Rect& itemsRect, const std::vector<int>& itemHeights)
{
    const int room = itemsRect.height() - 2 * kScrollMarkerHeight;
    int used = 0;
    int start = int(itemHeights.size());
    while (start > 0 && used + itemHeights[std::size_t(start - 1)] <= room) {
        used += itemHeights[std::size_t(start - 1)];
        --start;
    }
    return std::min(start, std::max(0, int(itemHeights.size()) - 1));
}

Rect topScrollMarker(const MenuFrameLayout& l, bool skinned, int width)
{
    if (!skinned)
        return {3, 3, width - 3, 3 + kScrollMarkerHeight};
    return {l.itemsRect.left, l.itemsRect.top, l.itemsRect.right, l.itemsRect.top + kScrollMarkerHeight};
}

Rect bottomScrollMarker(const MenuFrameLayout& l, bool skinned, int width, int height)
{
    if (!skinned)
        return {3, height - kScrollMarkerHeight, width - 3, height - 3};
    return {l.itemsRect.left, l.itemsRect.bottom - kScrollMarkerHeight, l.itemsRect.right, l.itemsRect.bottom};
}

namespace {

struct Vertical {
    int y = 0;
    bool pushed = false;
};

Vertical placeVertically(const PlacementInput& in)
{
    const Rect& r = in.anchor;
    const Rect& a = in.workArea;
    const int h = in.height;
    const int middle = a.top + a.height() / 2;
    if (in.scroll && !in.scroll2)
        return {a.top, false};
    if (in.byItem) {
        int y = r.top - in.itemsTop;
        if (y + h > a.bottom) {
            if (r.top < middle)
                y = a.bottom - h;
            else
                y = std::max(a.top, r.bottom - h + in.itemsTop);
        }
        return {y, false};
    }
    if (in.up) {
        if (r.top - h >= a.top)
            return {r.top - h, false};
        if (r.top >= middle)
            return {a.top, true};
        if (r.bottom + h <= a.bottom)
            return {r.bottom, false};
        return {a.bottom - h, true};
    }
    if (r.bottom + h <= a.bottom)
        return {r.bottom, false};
    if (r.top < middle)
        return {a.bottom - h, true};
    if (r.top - h < a.top)
        return {a.top, true};
    return {r.top - h, false};
}

} // namespace

Point placeMenu(const PlacementInput& in)
{
    const Vertical v = placeVertically(in);
    const Rect& r = in.anchor;
    const Rect& a = in.workArea;
    const int w = in.width;
    int x;
    if (in.byItem || (in.scroll && !in.scroll2) || v.pushed) {
        x = r.right + w + 1 <= a.right ? r.right + 1 : r.left - w - 1;
    } else {
        x = r.left;
        if (r.left + w > a.right)
            x = a.right - w;
        else if (r.left < a.left)
            x = a.left;
    }
    return {x, v.y};
}

} // namespace tessaly::skin
