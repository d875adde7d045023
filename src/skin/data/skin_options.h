#pragma once

namespace tessaly::skin {

// Switches of the running program over how skins are shown. They belong to
// the registry, not to a loaded skin: loading, clearing or saving a skin
// leaves them as they are, and no description holds them.
struct SkinOptions {
    // Morphing between the states of buttons, caption buttons and menu items.
    bool enableSkinEffects = true;
    // The glow pictures of push and tool buttons, and of caption buttons.
    bool showButtonGlowFrames = true;
    bool showCaptionButtonGlowFrames = true;
    // The layered outer border, where the skin has one and a compositing
    // manager runs.
    bool showLayeredBorders = true;

    friend bool operator==(const SkinOptions&, const SkinOptions&) = default;
};

} // namespace tessaly::skin
