#include "skin/frame/frame_layout.h"

#include <algorithm>

#include "skin/data/skin_data.h"

namespace tessaly::skin {

namespace {

// A rectangle whose right and bottom edges never lie left of or above its
// left and top edges.
Rect normalised(Rect r)
{
    r.right = std::max(r.right, r.left);
    r.bottom = std::max(r.bottom, r.top);
    return r;
}

// Placement order of the command buttons along the caption.
constexpr StdCommand kButtonOrder[] = {StdCommand::Close, StdCommand::Maximize, StdCommand::Minimize,
                                       StdCommand::RollUp, StdCommand::MinimizeToTray};

bool placeable(const FrameObjectInfo& o)
{
    const bool commandButton = o.kind == FrameObjectInfo::Kind::StdButton || o.kind == FrameObjectInfo::Kind::Animate;
    return commandButton && o.visible && o.skinRectInAPicture;
}

// The objects placed along the caption, in placing order: the first
// placeable button of each command, then every custom button.
std::vector<std::size_t> buttonsInPlacingOrder(const std::vector<FrameObjectInfo>& objects,
                                               bool (*usable)(const FrameObjectInfo&))
{
    std::vector<std::size_t> order;
    for (StdCommand command : kButtonOrder) {
        for (std::size_t i = 0; i < objects.size(); ++i) {
            if (usable(objects[i]) && objects[i].command == command) {
                order.push_back(i);
                break;
            }
        }
    }
    for (std::size_t i = 0; i < objects.size(); ++i)
        if (usable(objects[i]) && objects[i].command == StdCommand::Default)
            order.push_back(i);
    return order;
}

int firstOf(const std::vector<FrameObjectInfo>& objects, bool (*usable)(const FrameObjectInfo&), StdCommand command)
{
    for (std::size_t i = 0; i < objects.size(); ++i)
        if (usable(objects[i]) && objects[i].command == command)
            return int(i);
    return -1;
}

int firstCaption(const std::vector<FrameObjectInfo>& objects)
{
    for (std::size_t i = 0; i < objects.size(); ++i)
        if (objects[i].kind == FrameObjectInfo::Kind::Caption)
            return int(i);
    return -1;
}

// Caption buttons along the caption bar of the skinned frame.
void arrangeObjects(const FrameSkinGeometry& skin, FrameLayout& f, const std::vector<FrameObjectInfo>& objects)
{
    f.objectRects.assign(objects.size(), Rect{});
    for (std::size_t i = 0; i < objects.size(); ++i)
        if (!objects[i].skinRectInAPicture && objects[i].visible)
            f.objectRects[i] = mapSkinRect(skin, objects[i].skinRect, f.width, f.height);

    const Rect reference = !f.buttonsRect.isEmpty() ? f.buttonsRect : f.captionRect;
    if (reference.isEmpty())
        return;
    const int y = reference.top;
    const int gap = skin.buttonsOffset;
    const int caption = firstCaption(objects);
    const int sysMenu = firstOf(objects, placeable, StdCommand::SysMenu);
    auto sizeOf = [&](int i) { return objects[std::size_t(i)].skinRect; };

    if (!f.buttonsInLeft) {
        int x = reference.right;
        for (std::size_t i : buttonsInPlacingOrder(objects, placeable)) {
            const Rect s = sizeOf(int(i));
            f.objectRects[i] = {x - s.width(), y, x, y + s.height()};
            x -= s.width() + gap;
        }
        if (f.buttonsRect.isEmpty() && caption >= 0)
            f.objectRects[std::size_t(caption)].right = x + gap;
        x = f.captionRect.left;
        if (sysMenu >= 0) {
            const Rect s = sizeOf(sysMenu);
            const int top = f.captionRect.top + f.captionRect.height() / 2 - s.height() / 2;
            f.objectRects[std::size_t(sysMenu)] = {x, top, x + s.width(), top + s.height()};
            x += s.width() + gap;
            if (caption >= 0)
                f.objectRects[std::size_t(caption)].left = x - gap;
        }
    } else {
        int x = reference.left;
        std::vector<std::size_t> order = buttonsInPlacingOrder(objects, placeable);
        if (f.buttonsRect.isEmpty() && sysMenu >= 0)
            order.push_back(std::size_t(sysMenu));
        for (std::size_t i : order) {
            const Rect s = sizeOf(int(i));
            f.objectRects[i] = {x, y, x + s.width(), y + s.height()};
            x += s.width() + gap;
        }
        if (f.buttonsRect.isEmpty() && caption >= 0)
            f.objectRects[std::size_t(caption)].left = x + gap;
    }
}

// A point relative to an object is on it: inside its mask's black pixels,
// or anywhere without a mask.
bool inObjectShape(const PixelView& mask, int x, int y)
{
    if (mask.isEmpty())
        return true;
    if (x < 0 || y < 0 || x >= mask.width || y >= mask.height)
        return false;
    return (mask.pixel(x, y) & 0xFFFFFFu) == 0;
}

bool notSysMenuButton(const FrameObjectInfo& o)
{
    return o.kind == FrameObjectInfo::Kind::StdButton && o.visible;
}

// The default look: a plain caption bar with square buttons.
void arrangeDefault(FrameLayout& f, const std::vector<FrameObjectInfo>& objects)
{
    f.objectRects.assign(objects.size(), Rect{});
    Rect caption{kDefaultBorder, kDefaultBorder, f.width - kDefaultBorder, kDefaultCaptionHeight};
    int x = f.width - kDefaultBorder;
    const int side = kDefaultButtonSize;
    for (StdCommand command : kButtonOrder) {
        const int i = firstOf(objects, notSysMenuButton, command);
        if (i < 0)
            continue;
        f.objectRects[std::size_t(i)] = {x - side, 4, x, 4 + side};
        x -= side;
        caption.right = x;
    }
    const int sysMenu = firstOf(objects, notSysMenuButton, StdCommand::SysMenu);
    if (sysMenu >= 0) {
        f.objectRects[std::size_t(sysMenu)] = {caption.left, 4, caption.left + side, 4 + side};
        caption.left += side;
    }
    f.captionRect = normalised(caption);
    const int captionObject = firstCaption(objects);
    if (captionObject >= 0)
        f.objectRects[std::size_t(captionObject)] = f.captionRect;
}

FrameLayout layoutSkinned(const FrameSkinGeometry& skin, const PixelView& mask, int w, int h,
                          const std::vector<FrameObjectInfo>& objects)
{
    FrameLayout f;
    f.width = w;
    f.height = h;
    f.skinned = true;
    f.belowMinimum = w < skin.minWidth || h < skin.minHeight;
    const int dx = w - skin.picWidth;
    const int dy = h - skin.picHeight;

    f.cut = {skin.ltPoint, skin.rtPoint, skin.lbPoint, skin.rbPoint, skin.clRect};
    f.target = {skin.ltPoint,
                {skin.rtPoint.x + dx, skin.rtPoint.y},
                {skin.lbPoint.x, skin.lbPoint.y + dy},
                {skin.rbPoint.x + dx, skin.rbPoint.y + dy},
                {skin.clRect.left, skin.clRect.top, skin.clRect.right + dx, skin.clRect.bottom + dy}};
    // On a window smaller than the skin's margins the client rectangle
    // would turn inside out: it is kept empty instead, inside the window.
    Rect client = normalised(f.target.client);
    client.right = std::clamp(client.right, 0, std::max(w, 0));
    client.bottom = std::clamp(client.bottom, 0, std::max(h, 0));
    client.left = std::min(client.left, client.right);
    client.top = std::min(client.top, client.bottom);
    f.clientRect = client;

    f.captionRect = skin.captionRect;
    if (!f.captionRect.isEmpty())
        f.captionRect.right += dx;
    f.captionRect = normalised(f.captionRect);
    f.buttonsRect = skin.buttonsRect;
    if (!f.buttonsRect.isEmpty() && f.buttonsRect.left > skin.picWidth / 2)
        f.buttonsRect = f.buttonsRect.translated(dx, 0);
    f.buttonsInLeft =
        skin.capButtonsInLeft || (!skin.buttonsRect.isEmpty() && skin.buttonsRect.left < skin.picWidth / 2);
    f.maskRectArea = normalised({skin.maskRectArea.left, skin.maskRectArea.top, skin.maskRectArea.right + dx,
                                 skin.maskRectArea.bottom + dy});
    f.borderW = skin.borderW;
    f.hitTestLT = skin.hitTestLTPoint;
    f.hitTestRT = {skin.hitTestRTPoint.x + dx, skin.hitTestRTPoint.y};
    f.hitTestLB = {skin.hitTestLBPoint.x, skin.hitTestLBPoint.y + dy};
    f.hitTestRB = {skin.hitTestRBPoint.x + dx, skin.hitTestRBPoint.y + dy};

    arrangeObjects(skin, f, objects);
    // On a tiny window a caption squeezed to nothing stays an empty
    // rectangle, never a negative one.
    for (Rect& r : f.objectRects)
        r = normalised(r);

    if (skin.hasMask && !mask.isEmpty() && w > 0 && h > 0) {
        const NineGeometry maskCut{skin.ltPoint, skin.rtPoint, skin.lbPoint, skin.rbPoint, skin.maskRectArea};
        const NineGeometry maskTarget{f.target.lt, f.target.rt, f.target.lb, f.target.rb, f.maskRectArea};
        f.region = createSkinRegion(mask, maskCut, maskTarget, w, h);
        // The shape never reaches beyond the window.
        if (f.region) {
            std::vector<Rect> inside;
            for (const Rect& r : f.region->rects()) {
                const Rect c{std::max(r.left, 0), std::max(r.top, 0), std::min(r.right, w), std::min(r.bottom, h)};
                if (!c.isEmpty())
                    inside.push_back(c);
            }
            f.region = Region::fromRects(inside);
        }
    }
    return f;
}

} // namespace

FrameLayout layoutAllClient(int width, int height, std::size_t objectCount)
{
    FrameLayout f;
    f.width = std::max(width, 0);
    f.height = std::max(height, 0);
    f.skinned = true;
    f.allClient = true;
    f.clientRect = {0, 0, f.width, f.height};
    f.objectRects.assign(objectCount, Rect{});
    return f;
}

std::vector<std::size_t> captionButtonsInPlacingOrder(const std::vector<FrameObjectInfo>& objects)
{
    return buttonsInPlacingOrder(objects, placeable);
}

int firstCaptionButton(const std::vector<FrameObjectInfo>& objects, StdCommand command)
{
    return firstOf(objects, placeable, command);
}

FrameSkinGeometry FrameSkinGeometry::from(const SkinData& sd)
{
    FrameSkinGeometry g;
    g.picWidth = sd.picture().picture().width();
    g.picHeight = sd.picture().picture().height();
    g.ltPoint = sd.ltPoint;
    g.rtPoint = sd.rtPoint;
    g.lbPoint = sd.lbPoint;
    g.rbPoint = sd.rbPoint;
    g.clRect = sd.clRect;
    g.maskRectArea = sd.maskRectArea;
    g.hitTestLTPoint = sd.hitTestLTPoint;
    g.hitTestRTPoint = sd.hitTestRTPoint;
    g.hitTestLBPoint = sd.hitTestLBPoint;
    g.hitTestRBPoint = sd.hitTestRBPoint;
    g.buttonsRect = sd.buttonsRect;
    g.captionRect = sd.captionRect;
    g.buttonsOffset = sd.buttonsOffset;
    g.capButtonsInLeft = sd.capButtonsInLeft;
    g.borderW = sd.borderW;
    g.minWidth = sd.formMinWidth;
    g.minHeight = sd.formMinHeight;
    g.hasMask = !sd.mask().picture().isEmpty();
    return g;
}

Rect mapSkinRect(const FrameSkinGeometry& skin, const Rect& r, int width, int height)
{
    const int pw = skin.picWidth, ph = skin.picHeight;
    const int dx = width - pw, dy = height - ph;
    const Rect lt{0, 0, skin.ltPoint.x, skin.ltPoint.y};
    const Rect rt{skin.rtPoint.x, 0, pw, skin.rtPoint.y};
    const Rect lb{0, skin.lbPoint.y, skin.lbPoint.x, ph};
    const Rect rb{skin.rbPoint.x, skin.rbPoint.y, pw, ph};
    auto both = [&](const Rect& z) { return z.contains(r.left, r.top) && z.contains(r.right, r.bottom); };
    auto spans = [&](const Rect& a, const Rect& b) { return a.contains(r.left, r.top) && b.contains(r.right, r.bottom); };
    if (both(lt))
        return r;
    if (both(rt))
        return r.translated(dx, 0);
    if (both(lb))
        return r.translated(0, dy);
    if (both(rb))
        return r.translated(dx, dy);
    if (spans(lt, rb))
        return {r.left, r.top, r.right + dx, r.bottom + dy};
    if (spans(lt, rt))
        return {r.left, r.top, r.right + dx, r.bottom};
    if (spans(lb, rb))
        return {r.left, r.top + dy, r.right + dx, r.bottom + dy};
    if (spans(lt, lb))
        return {r.left, r.top, r.right, r.bottom + dy};
    if (spans(rt, rb))
        return {r.left + dx, r.top, r.right + dx, r.bottom + dy};
    return r;
}

FrameLayout layoutFrame(const std::optional<FrameSkinGeometry>& skin, const PixelView& mask, int width, int height,
                        const std::vector<FrameObjectInfo>& objects)
{
    const int w = std::max(width, 0);
    const int h = std::max(height, 0);
    if (skin)
        return layoutSkinned(*skin, mask, w, h, objects);

    FrameLayout f;
    f.width = w;
    f.height = h;
    const int b = kDefaultBorder;
    f.clientRect = normalised({b, kDefaultCaptionHeight + b, w - b, h - b});
    f.clientRect.right = std::max(f.clientRect.right, std::min(b, w));
    f.maskRectArea = {0, 0, w, h};
    arrangeDefault(f, objects);
    return f;
}

FrameMargins frameMargins(const std::optional<FrameSkinGeometry>& skin)
{
    if (!skin)
        return {kDefaultBorder, kDefaultCaptionHeight + kDefaultBorder, kDefaultBorder, kDefaultBorder};
    return {skin->clRect.left, skin->clRect.top, skin->picWidth - skin->clRect.right,
            skin->picHeight - skin->clRect.bottom};
}

bool FrameLayout::inShape(int x, int y) const
{
    if (x < 0 || y < 0 || x >= width || y >= height)
        return false;
    return !region || region->contains(x, y);
}

FrameHitResult FrameLayout::hitTest(int x, int y, const std::vector<FrameObjectInfo>& objects, bool sizable) const
{
    FrameHitResult result;
    if (!inShape(x, y))
        return result;
    // The frame is the layered border's: here all is client.
    if (allClient)
        return {FrameHit::Client, -1};

    // Frame objects first: a button near the edge is still a button.
    int caption = -1;
    for (std::size_t i = 0; i < objectRects.size() && i < objects.size(); ++i) {
        if (!objects[i].visible || !objectRects[i].contains(x, y))
            continue;
        if (!inObjectShape(objects[i].hitMask, x - objectRects[i].left, y - objectRects[i].top))
            continue;
        if (objects[i].kind == FrameObjectInfo::Kind::Caption) {
            if (caption < 0)
                caption = int(i);
            continue;
        }
        if (!clientRect.contains(x, y))
            return {FrameHit::Object, int(i)};
    }

    auto edgeOrInterior = [&](bool nearEdge, bool left, bool right, bool top, bool bottom) -> FrameHitResult {
        if (nearEdge) {
            if (left && top) return {FrameHit::TopLeft, -1};
            if (right && top) return {FrameHit::TopRight, -1};
            if (left && bottom) return {FrameHit::BottomLeft, -1};
            if (right && bottom) return {FrameHit::BottomRight, -1};
            if (top) return {FrameHit::Top, -1};
            if (bottom) return {FrameHit::Bottom, -1};
            if (left) return {FrameHit::Left, -1};
            if (right) return {FrameHit::Right, -1};
        }
        if (clientRect.contains(x, y))
            return {FrameHit::Client, -1};
        if (caption >= 0)
            return {FrameHit::Caption, caption};
        if (!skinned && captionRect.contains(x, y))
            return {FrameHit::Caption, -1};
        return {FrameHit::Object, -1};
    };

    if (!skinned) {
        const int b = kDefaultBorder;
        const bool l = x < b, r = x >= width - b, t = y < b, btm = y >= height - b;
        return edgeOrInterior(sizable && (l || r || t || btm), l, r, t, btm);
    }

    // Near the edge: a probe a border width away leaves the shape.
    const int bw = std::max(0, borderW);
    bool nearEdge = false;
    if (sizable && (!maskRectArea.contains(x, y) || !region)) {
        const int probes[4][2] = {{x - bw, y}, {x, y - bw}, {x + bw, y}, {x, y + bw}};
        for (const auto& p : probes)
            if (!inShape(p[0], p[1]))
                nearEdge = true;
    }
    if (nearEdge) {
        if (x <= hitTestLT.x && y <= hitTestLT.y) return {FrameHit::TopLeft, -1};
        if (x >= hitTestRT.x && y <= hitTestRT.y) return {FrameHit::TopRight, -1};
        if (x <= hitTestLB.x && y >= hitTestLB.y) return {FrameHit::BottomLeft, -1};
        if (x >= hitTestRB.x && y >= hitTestRB.y) return {FrameHit::BottomRight, -1};
        if (y < clientRect.top) return {FrameHit::Top, -1};
        if (y >= clientRect.bottom) return {FrameHit::Bottom, -1};
        if (x < clientRect.left) return {FrameHit::Left, -1};
        if (x >= clientRect.right) return {FrameHit::Right, -1};
    }
    return edgeOrInterior(false, false, false, false, false);
}

} // namespace tessaly::skin
