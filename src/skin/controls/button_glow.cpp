#include "skin/controls/button_glow.h"

#include "skin/data/skin_data.h"
#include "skin/paint/compose.h"

namespace tessaly::skin {

namespace {

void growNine(const DataSkinButtonControl& r, PixelView source, int dW, int dH, Bitmap& out)
{
    const int gw = source.width;
    const int gh = source.height;
    const Rect cl{r.glowLayerOffsetLeft, r.glowLayerOffsetTop, gw - r.glowLayerOffsetRight,
                  gh - r.glowLayerOffsetBottom};
    const NineGeometry cut{{cl.left, cl.top}, {cl.right, cl.top}, {cl.left, cl.bottom}, {cl.right, cl.bottom}, cl};
    const NineGeometry target{{cl.left, cl.top},
                              {cl.right + dW, cl.top},
                              {cl.left, cl.bottom + dH},
                              {cl.right + dW, cl.bottom + dH},
                              {cl.left, cl.top, cl.right + dW, cl.bottom + dH}};
    composeSkinImage(out, source, {0, 0, gw, gh}, cut, target, gw + dW, gh + dH, true, {true, true, true, true}, true,
                     StretchType::Full);
}

} // namespace

bool composeButtonGlow(const SkinData& skinData, const DataSkinButtonControl& r, ResizeMode mode, bool useSkinSize,
                       int width, int height, Bitmap& image, Bitmap& mask)
{
    const Picture* glow = skinData.activePicture(r.glowLayerPictureIndex);
    const Picture* glowMask = skinData.activePicture(r.glowLayerMaskPictureIndex);
    if (!glow || !glowMask)
        return false;
    const PixelView g = pixelView(*glow);
    const PixelView k = pixelView(*glowMask);
    const int dW = width - r.skinRect.width();
    const int dH = height - r.skinRect.height();
    switch (mode) {
    case ResizeMode::Fixed:
        image.assign(g);
        mask.assign(k);
        return true;
    case ResizeMode::Horizontal:
        if (!useSkinSize)
            return false;
        composeHorzSkinImage(r.glowLayerOffsetLeft, r.glowLayerOffsetRight, image, g, {0, 0, g.width, g.height},
                             g.width + dW, g.height, true);
        composeHorzSkinImage(r.glowLayerOffsetLeft, r.glowLayerOffsetRight, mask, k, {0, 0, k.width, k.height},
                             k.width + dW, k.height, true);
        return !image.empty();
    case ResizeMode::NinePiece:
        if (g.width + dW <= 0 || g.height + dH <= 0)
            return false;
        growNine(r, g, dW, dH, image);
        growNine(r, k, dW, dH, mask);
        return !image.empty();
    default:
        return false;
    }
}

} // namespace tessaly::skin
