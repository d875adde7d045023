#include "skin/controls/control_geometry.h"

namespace tessaly::skin {

ResizeMode resizeModeOf(const DataSkinCustomControl& record)
{
    if (record.skinRect.isEmpty())
        return ResizeMode::None;
    if (record.rbPoint.x != 0 && record.rbPoint.y != 0)
        return ResizeMode::NinePiece;
    if (record.rtPoint.x != 0 || record.rtPoint.y != 0)
        return ResizeMode::Horizontal;
    if (record.lbPoint.x != 0 || record.lbPoint.y != 0)
        return ResizeMode::Vertical;
    return ResizeMode::Fixed;
}

ControlGeometry ControlGeometry::of(const DataSkinCustomControl& record)
{
    ControlGeometry g;
    g.mode = resizeModeOf(record);
    g.skinRect = record.skinRect;
    g.cut = {record.ltPoint, record.rtPoint, record.lbPoint, record.rbPoint, record.clRect};
    g.target = g.cut;
    g.stretch = {record.leftStretch, record.topStretch, record.rightStretch, record.bottomStretch};
    g.stretchEffect = record.stretchEffect;
    g.stretchType = record.stretchType;
    return g;
}

void ControlGeometry::calcSkinSize(int& width, int& height)
{
    const int dW = width - skinRect.width();
    const int dH = height - skinRect.height();
    target = cut;
    switch (mode) {
    case ResizeMode::None:
        break;
    case ResizeMode::Fixed:
        width = skinRect.width();
        height = skinRect.height();
        break;
    case ResizeMode::NinePiece:
        target.rt = {cut.rt.x + dW, cut.rt.y};
        target.lb = {cut.lb.x, cut.lb.y + dH};
        target.rb = {cut.rb.x + dW, cut.rb.y + dH};
        target.client.right += dW;
        target.client.bottom += dH;
        break;
    case ResizeMode::Horizontal:
        height = skinRect.height();
        target.rt = {cut.rt.x + dW, cut.rt.y};
        target.client.right += dW;
        break;
    case ResizeMode::Vertical:
        width = skinRect.width();
        target.lb = {cut.lb.x, cut.lb.y + dH};
        target.client.bottom += dH;
        break;
    }
}

void ControlGeometry::growClientOnly(int width, int height)
{
    target = cut;
    target.client.right += width - skinRect.width();
    target.client.bottom += height - skinRect.height();
}

void composeRecordFace(Bitmap& dest, PixelView picture, const ControlGeometry& g, const Rect& source, int width,
                       int height)
{
    if (source.isEmpty() || width <= 0 || height <= 0)
        return;
    switch (g.mode) {
    case ResizeMode::None:
        break;
    case ResizeMode::Fixed:
        dest.setSize(source.width(), source.height());
        copyPiece(picture, source, dest, {0, 0, source.width(), source.height()});
        break;
    case ResizeMode::NinePiece:
        composeSkinImage(dest, picture, source, g.cut, g.target, width, height, true, g.stretch, g.stretchEffect,
                         g.stretchType);
        break;
    case ResizeMode::Horizontal:
        composeHorzSkinImage(g.cut.lt.x, g.skinRect.width() - g.cut.rt.x, dest, picture, source, width, height,
                             g.stretchEffect);
        break;
    case ResizeMode::Vertical:
        composeVertSkinImage(g.cut.lt.y, g.skinRect.height() - g.cut.lb.y, dest, picture, source, width, height,
                             g.stretchEffect);
        break;
    }
}

void composeStretchedFace(Bitmap& dest, PixelView picture, const ControlGeometry& g, const Rect& source, int width,
                          int height)
{
    if (source.isEmpty() || width <= 0 || height <= 0)
        return;
    dest.setSize(width, height);
    if (g.mode == ResizeMode::Fixed) {
        copyPiece(picture, source, dest, {0, 0, width, height});
        return;
    }
    composeSimpleSkinImage(dest, picture, source, true, g.cut.client);
}

namespace {

// Which corner piece of a nine-piece record holds a point: 0 top-left,
// 1 top-right, 2 bottom-left, 3 bottom-right, -1 none. `inclusive` counts
// the pieces' right and bottom edges in.
int cornerPiece(const ControlGeometry& g, int x, int y, bool inclusive)
{
    const int w = g.skinRect.width(), h = g.skinRect.height();
    const NineGeometry& c = g.cut;
    const Rect pieces[] = {{0, 0, c.lt.x, c.lt.y}, {c.rt.x, 0, w, c.rt.y}, {0, c.lb.y, c.lb.x, h}, {c.rb.x, c.rb.y, w, h}};
    for (int i = 0; i < 4; ++i) {
        const Rect& p = pieces[i];
        const bool inX = x >= p.left && (inclusive ? x <= p.right : x < p.right);
        const bool inY = y >= p.top && (inclusive ? y <= p.bottom : y < p.bottom);
        if (inX && inY)
            return i;
    }
    return -1;
}

Rect shifted(Rect r, int dx, int dy) { return {r.left + dx, r.top + dy, r.right + dx, r.bottom + dy}; }

} // namespace

Rect mapRectToSize(const ControlGeometry& g, const Rect& r, int width, int height)
{
    const int dW = width - g.skinRect.width();
    const int dH = height - g.skinRect.height();
    switch (g.mode) {
    case ResizeMode::NinePiece: {
        // Wholly inside one corner piece: it goes with that piece.
        const int a = cornerPiece(g, r.left, r.top, false);
        if (a >= 0 && a == cornerPiece(g, r.right - 1, r.bottom - 1, false)) {
            const int moves[4][2] = {{0, 0}, {dW, 0}, {0, dH}, {dW, dH}};
            return shifted(r, moves[a][0], moves[a][1]);
        }
        // Otherwise its corners decide.
        const int from = cornerPiece(g, r.left, r.top, true);
        const int to = cornerPiece(g, r.right, r.bottom, true);
        if (from == 0 && to == 3)
            return {r.left, r.top, r.right + dW, r.bottom + dH};
        if (from == 0 && to == 1)
            return {r.left, r.top, r.right + dW, r.bottom};
        if (from == 2 && to == 3)
            return {r.left, r.top + dH, r.right + dW, r.bottom + dH};
        if (from == 0 && to == 2)
            return {r.left, r.top, r.right, r.bottom + dH};
        if (from == 1 && to == 3)
            return {r.left + dW, r.top, r.right + dW, r.bottom + dH};
        return r;
    }
    case ResizeMode::Horizontal:
        if (r.left <= g.cut.lt.x && r.right >= g.cut.rt.x)
            return {r.left, r.top, r.right + dW, r.bottom};
        if (r.left >= g.cut.rt.x && r.right > g.cut.rt.x)
            return shifted(r, dW, 0);
        return r;
    case ResizeMode::Vertical:
        if (r.top <= g.cut.lt.y && r.bottom >= g.cut.lb.y)
            return {r.left, r.top, r.right, r.bottom + dH};
        if (r.top >= g.cut.lb.y && r.bottom > g.cut.lb.y)
            return shifted(r, 0, dH);
        return r;
    default:
        return r;
    }
}

} // namespace tessaly::skin
