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

} // namespace tessaly::skin
