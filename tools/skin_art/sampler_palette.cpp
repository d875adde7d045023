// Sampler: pewter's metal with a teal caption, made to show every frame
// feature a skin can ask for (caption images and their animation, the text
// plate, the divider, a logo, a full layered border). No window of the program offers it; tests
// and the review sheet load it to see those features drawn.

#include "palette.h"
#include "skin_design.h"

namespace skinart {
namespace {

Palette makeSampler()
{
    Palette p = pewterPalette();
    p.name = "sampler";
    p.displayName = "Sampler";
    p.comments = "Every frame feature at once: caption images, animation, text plate, divider, logo, full border.";
    p.text.caption = hex(0xFFFFFF);
    p.text.captionShadowColour = hex(0x0F3440);
    p.frameFeatures = true;
    p.controlFeatures = true;
    // A full layered border: the caption bar rides on the border's top strip
    // above a window that is all client area, in a shadow that stays as
    // deep when the window is inactive, so the bar keeps its full opacity.
    p.layerFrame = LayerFramePalette{hex(0x000000), 12, 8, 12, 16, 130, 80, 5, 12, 255, 255, frame::kCaption};
    return p;
}

} // namespace

const Palette& samplerPalette()
{
    static const Palette palette = makeSampler();
    return palette;
}

} // namespace skinart
