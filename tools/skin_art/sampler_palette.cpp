// Sampler: pewter's metal with a teal caption, made to show every frame
// feature a skin can ask for (caption images and their animation, the text
// plate, the divider, a logo). No window of the program offers it; tests
// and the review sheet load it to see those features drawn.

#include "palette.h"

namespace skinart {
namespace {

Palette makeSampler()
{
    Palette p = pewterPalette();
    p.name = "sampler";
    p.displayName = "Sampler";
    p.comments = "Every frame feature at once: caption images, animation, text plate, divider, logo.";
    p.text.caption = hex(0xFFFFFF);
    p.text.captionShadowColour = hex(0x0F3440);
    p.frameFeatures = true;
    p.controlFeatures = true;
    return p;
}

} // namespace

const Palette& samplerPalette()
{
    static const Palette palette = makeSampler();
    return palette;
}

} // namespace skinart
