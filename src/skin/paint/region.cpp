#include "skin/paint/region.h"

#include <algorithm>
#include <utility>


namespace tessaly::skin {

namespace {

using Span = std::pair<int, int>; // left, right

struct Band {
    int top;
    int bottom;
    std::vector<Span> spans;
};

// Sorts spans and merges those that overlap or touch.
void mergeSpans(std::vector<Span>& spans)
{
    std::sort(spans.begin(), spans.end());
    std::size_t out = 0;
    for (std::size_t i = 0; i < spans.size(); ++i) {
        if (out > 0 && spans[i].first <= spans[out - 1].second)
            spans[out - 1].second = std::max(spans[out - 1].second, spans[i].second);
        else
            spans[out++] = spans[i];
    }
    spans.resize(out);
}

} // namespace

Region::Region(const Rect& rect)
{
    if (!rect.isEmpty())
        m_rects.push_back(rect);
}

Region Region::fromRects(const std::vector<Rect>& input)
{
    std::vector<Rect> rects;
    rects.reserve(input.size());
    std::vector<int> edges;
    for (const Rect& r : input) {
        if (r.isEmpty())
            continue;
        rects.push_back(r);
        edges.push_back(r.top);
        edges.push_back(r.bottom);
    }
    std::sort(rects.begin(), rects.end(), [](const Rect& a, const Rect& b) { return a.top < b.top; });
    std::sort(edges.begin(), edges.end());
    edges.erase(std::unique(edges.begin(), edges.end()), edges.end());

    // Sweep the horizontal bands between consecutive edges, keeping the
    // rectangles that cover the current band.
    std::vector<Band> bands;
    std::vector<const Rect*> active;
    std::size_t next = 0;
    for (std::size_t e = 0; e + 1 < edges.size(); ++e) {
        const int top = edges[e], bottom = edges[e + 1];
        std::erase_if(active, [top](const Rect* r) { return r->bottom <= top; });
        while (next < rects.size() && rects[next].top <= top)
            active.push_back(&rects[next++]);
        std::vector<Span> spans;
        spans.reserve(active.size());
        for (const Rect* r : active)
            spans.emplace_back(r->left, r->right);
        mergeSpans(spans);
        if (spans.empty())
            continue;
        if (!bands.empty() && bands.back().bottom == top && bands.back().spans == spans)
            bands.back().bottom = bottom;
        else
            bands.push_back({top, bottom, std::move(spans)});
    }

    Region region;
    for (const Band& band : bands)
        for (const Span& s : band.spans)
            region.m_rects.push_back(Rect{s.first, band.top, s.second, band.bottom});
    return region;
}

Rect Region::boundingRect() const
{
    if (m_rects.empty())
        return {};
    Rect bound = m_rects.front();
    for (const Rect& r : m_rects) {
        bound.left = std::min(bound.left, r.left);
        bound.right = std::max(bound.right, r.right);
    }
    bound.bottom = m_rects.back().bottom;
    return bound;
}

bool Region::contains(int x, int y) const
{
    return std::any_of(m_rects.begin(), m_rects.end(), [x, y](const Rect& r) { return r.contains(x, y); });
}

Region Region::united(const Region& other) const
{
    if (other.isEmpty())
        return *this;
    if (isEmpty())
        return other;
    std::vector<Rect> all = m_rects;
    all.insert(all.end(), other.m_rects.begin(), other.m_rects.end());
    return fromRects(all);
}

void Region::translate(int dx, int dy)
{
    for (Rect& r : m_rects)
        r = r.translated(dx, dy);
}

std::optional<RegionData> maskToRegion(PixelView mask, int offsetX, int offsetY)
{
    if (mask.isEmpty())
        return std::nullopt;
    RegionData data;
    data.bound = Rect{offsetX, offsetY, offsetX + mask.width, offsetY + mask.height};
    for (int y = 0; y < mask.height; ++y) {
        const uint32_t* row = mask.row(y);
        int x = 0;
        while (x < mask.width) {
            if ((row[x] & 0x00FFFFFFu) != 0) {
                ++x;
                continue;
            }
            const int start = x;
            while (x < mask.width && (row[x] & 0x00FFFFFFu) == 0)
                ++x;
            data.rects.push_back(Rect{start + offsetX, y + offsetY, x + offsetX, y + offsetY + 1});
        }
    }
    return data;
}

std::optional<Region> createSkinRegion(PixelView mask, const NineGeometry& cut, const NineGeometry& target,
                                       int width, int /*height*/)
{
    if (target.rt.x < target.lt.x || target.lb.y < target.lt.y)
        return std::nullopt;
    const FrameStrips strips = buildMaskStrips(mask, cut, target, width);
    const Rect& nc = target.client;

    std::optional<Region> result;
    if (!nc.isEmpty())
        result = Region(nc);
    auto add = [&result](const Bitmap& strip, int x, int y) {
        const std::optional<RegionData> data = maskToRegion(strip.view(), x, y);
        if (!data)
            return;
        const Region region = Region::fromRects(data->rects);
        result = result ? result->united(region) : region;
    };
    add(strips.top, 0, 0);
    add(strips.bottom, 0, nc.bottom);
    add(strips.left, 0, nc.top);
    add(strips.right, nc.right, nc.top);
    return result;
}

std::optional<Region> createMaskRegion(PixelView mask)
{
    const std::optional<RegionData> data = maskToRegion(mask, 0, 0);
    if (!data)
        return std::nullopt;
    return Region::fromRects(data->rects);
}

} // namespace tessaly::skin
