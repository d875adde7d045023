#pragma once

#include <string>

#include "skin/data/object_records.h"
#include "skin/data/picture.h"
#include "skin/frame/frame_layout.h"
#include "skin/paint/cross_fade.h"

namespace tessaly::skin {

class SkinPopupMenu;

// An "animate" object's frames and where it is in them. Its frames lie
// side by side in its active picture, each the size of its skin rectangle,
// the first at the skin rectangle.
struct AnimateFrames {
    int countFrames = 1;
    bool cycle = false;       // playing forwards starts again after the last frame
    bool buttonStyle = false; // hovering plays forwards, leaving backwards
    int timerInterval = 50;   // ms per frame, at least one tick
    // State.
    int frame = 1;            // the frame shown, from 1
    int inc = 0;              // ms gathered towards the next frame
    bool forwards = false;
    bool playing = false;

    // Back to the first frame, standing still.
    void rewind()
    {
        frame = 1;
        inc = 0;
        forwards = playing = false;
    }
};

// One frame object: the caption or a caption button. It copies what it
// needs from its record when the skin is applied (records go away on the
// next skin change) and keeps its hover, press and fade state. Where it
// sits is the layout's business (FrameLayout::objectRects).
struct FrameObject {
    FrameObjectInfo info;
    std::string idName;
    std::string hint;
    bool enabled = true;
    bool fromRecord = false; // false: a default-look button without record

    // From the record (none in the default look).
    const Picture* activePicture = nullptr;
    Rect activeSkinRect;
    Rect inActiveSkinRect;
    Rect downRect; // the pressed look (an animate object's DownSkinRect)
    Rect disableSkinRect;
    // The second look of maximise, minimise and roll-up, shown in their
    // restore situation (maximised, minimised, rolled up), and its hint.
    Rect restoreRect;
    Rect restoreActiveRect;
    Rect restoreDownRect;
    Rect restoreInActiveRect;
    std::string restoreHint;
    // The masks of the alpha images a full layered border draws the button
    // with (-1: opaque): for its normal, its hot and pressed, and its
    // inactive looks.
    int alphaMaskPictureIndex = -1;
    int alphaMaskActivePictureIndex = -1;
    int alphaMaskInActivePictureIndex = -1;
    bool morphing = false;
    MorphKind morphKind = MorphKind::Default;
    int glowLayerPictureIndex = -1;
    int glowLayerMaskPictureIndex = -1;
    int glowLayerOffsetX = 0;
    int glowLayerOffsetY = 0;
    int glowLayerAlphaBlendValue = 0;
    const DataSkinCaption* caption = nullptr;
    // A plain button's menu (set by the window, not owned) and whether it
    // opens above the button.
    SkinPopupMenu* menu = nullptr;
    bool popupUp = false;

    // State.
    bool active = false;  // hot (buttons); the window is active (caption)
    bool mouseIn = false;
    bool down = false;
    CrossFade fade;       // between the normal image and the hot one (the caption: inactive and active)
    // The caption's animation: the frame shown (from 1; 0 or past the last
    // frame: none) and the time gathered towards the next step.
    int currentFrame = 0;
    int incTime = 0;
    // An animate object's frames (unused by other objects).
    AnimateFrames animation;

    bool isCaption() const { return info.kind == FrameObjectInfo::Kind::Caption; }
    // The command's restore situation holds in a window state: the button
    // would undo it.
    bool inRestoreSituation(bool maximized, bool minimized, bool rolledUp) const
    {
        return (info.command == StdCommand::Maximize && maximized)
            || (info.command == StdCommand::Minimize && minimized) || (info.command == StdCommand::RollUp && rolledUp);
    }
    bool isPlainButton() const { return info.kind == FrameObjectInfo::Kind::Button; }
    bool isUserObject() const { return info.kind == FrameObjectInfo::Kind::User; }
    bool isAnimate() const { return info.kind == FrameObjectInfo::Kind::Animate; }
    // A button that opens the menu linked to it: a plain button, or an
    // animate object that behaves as a button.
    bool takesMenu() const { return isPlainButton() || (isAnimate() && animation.buttonStyle); }
    // Down with the pointer on it; a button whose menu is open stays
    // pressed wherever the pointer goes.
    bool pressed() const { return down && (mouseIn || menu); }
    void resetState()
    {
        active = mouseIn = down = false;
        fade = {};
        animation.rewind();
    }
};

} // namespace tessaly::skin
