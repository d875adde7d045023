#pragma once

#include <string>

#include "skin/data/object_records.h"
#include "skin/data/picture.h"
#include "skin/frame/frame_layout.h"

namespace tessaly::skin {

// One frame object: the caption or a caption button. It copies what it
// needs from its record when the skin is applied (records go away on the
// next skin change) and keeps its hover, press and fade state. Where it
// sits is the layout's business (FrameLayout::objectRects).
struct FrameObject {
    // A full cross-fade between the normal and the hot image takes this
    // many morph ticks; the fade is kept as a whole step count so that it
    // always ends exactly at either image.
    static constexpr int kMorphSteps = 5;

    FrameObjectInfo info;
    std::string idName;
    std::string hint;
    bool enabled = true;
    bool fromRecord = false; // false: a default-look button without record

    // From the record (none in the default look).
    const Picture* activePicture = nullptr;
    Rect activeSkinRect;
    Rect inActiveSkinRect;
    Rect downRect;
    Rect disableSkinRect;
    bool morphing = false;
    MorphKind morphKind = MorphKind::Default;
    int glowLayerPictureIndex = -1;
    int glowLayerMaskPictureIndex = -1;
    int glowLayerOffsetX = 0;
    int glowLayerOffsetY = 0;
    int glowLayerAlphaBlendValue = 0;
    const DataSkinCaption* caption = nullptr;

    // State.
    bool active = false;  // hot (buttons); the window is active (caption)
    bool mouseIn = false;
    bool down = false;
    int morphStep = 0;    // 0 shows the normal image, kMorphSteps the hot one

    bool isCaption() const { return info.kind == FrameObjectInfo::Kind::Caption; }
    bool pressed() const { return down && mouseIn; }
    double morphKf() const { return double(morphStep) / kMorphSteps; }
    // The fade has further to go towards the current state.
    bool canMorph() const { return active ? morphStep < kMorphSteps : morphStep > 0; }
    void resetState()
    {
        active = mouseIn = down = false;
        morphStep = 0;
    }
};

} // namespace tessaly::skin
