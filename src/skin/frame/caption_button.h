#pragma once

#include <QPoint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "skin/frame/frame_object.h"

namespace tessaly::skin {

class DataSkinObject;
class LayerManager;
class SkinData;

// Whether the window shows a custom (cmDefault) caption button, asked by
// the button's name; without one, custom buttons stay hidden.
using CustomObjectOffer = std::function<bool(const std::string& idName)>;

// One object of the frame: the caption or a caption button. It holds what
// its record gave it (the look the painter reads), its hover, press and
// fade state, and its glow window. Where it sits is the layout's business
// (FrameLayout::objectRects, by the object's position); redrawing and the
// fade's timer are its holder's, which each state change tells what to do.
class CaptionButton {
public:
    // What the holder does after a change of state.
    // Animate: the object's frames play (the animation timer runs).
    enum class Next { Nothing, Redraw, Fade, Animate };

    // The object a registry record makes (the caption or a standard button
    // that is no menu bar button), none for other records.
    static std::optional<CaptionButton> fromRecord(const SkinData& sd, const DataSkinObject& record);
    // A button of the default look, which has no record.
    static CaptionButton defaultButton(StdCommand command, const char* idName);

    CaptionButton() = default;
    ~CaptionButton();
    CaptionButton(CaptionButton&&) noexcept;
    CaptionButton& operator=(CaptionButton&&) noexcept;
    // A copy looks the same; a glow window belongs to one object only, so
    // the copy makes its own when it first glows.
    CaptionButton(const CaptionButton& other);
    CaptionButton& operator=(const CaptionButton& other);

    const FrameObject& look() const { return m_look; }
    const std::string& idName() const { return m_look.idName; }
    bool isCaption() const { return m_look.isCaption(); }
    StdCommand command() const { return m_look.info.command; }
    bool enabled() const { return m_look.enabled; }
    bool visible() const { return m_look.info.visible; }
    bool hot() const { return m_look.active; }
    bool down() const { return m_look.down; }
    bool pressed() const { return m_look.pressed(); }
    int fadeStep() const { return m_look.fade.step(); }
    // The pointer can reach it: enabled and visible.
    bool tracksPointer() const { return m_look.enabled && m_look.info.visible; }

    // Enables and shows the button as the window's caption buttons say
    // (BorderIcon bits) and, for custom buttons, the window's offer; the
    // caption, plain buttons, user objects and animate objects that are no
    // buttons are left as they are.
    void applyBorderIcons(unsigned icons, const CustomObjectOffer& offer = {});
    // The caption draws the window's activation.
    void setWindowActive(bool active) { m_look.active = active; }
    void setEnabled(bool on) { m_look.enabled = on; }
    // The menu a plain button opens when pressed (null: none), below it
    // or, with `up`, above it.
    void linkMenu(SkinPopupMenu* menu, bool up)
    {
        m_look.menu = menu;
        m_look.popupUp = up;
    }
    SkinPopupMenu* menu() const { return m_look.menu; }
    // The hint to show: the restore hint in the restore situation, when
    // the button has one, else its own.
    const std::string& hintFor(bool maximized, bool minimized, bool rolledUp) const
    {
        const bool restore = m_look.inRestoreSituation(maximized, minimized, rolledUp) && !m_look.restoreHint.empty();
        return restore ? m_look.restoreHint : m_look.hint;
    }
    bool isPlainButton() const { return m_look.isPlainButton(); }
    bool isUserObject() const { return m_look.isUserObject(); }
    bool isAnimate() const { return m_look.isAnimate(); }
    // It opens a linked menu when pressed (see FrameObject::takesMenu).
    bool takesMenu() const { return m_look.takesMenu(); }
    // The command a release on it runs now: animate objects run theirs
    // only as buttons with the pointer on them, and none opens a menu on
    // release.
    bool runsCommandOnRelease() const;
    // What the holder runs after the window's activation changed.
    struct Transition {
        bool fade = false;    // the caption cross-fades (morph timer)
        bool animate = false; // the caption plays its animation (animation timer)
    };
    // The window's activation changed: the caption's cross-fade and
    // animation start towards the new look (buttons: nothing).
    Transition activate(bool active, bool effects);
    // The caption shows the look of an activation at once, with no fade
    // or animation under way; true when its look changed.
    bool settle(bool active);
    // One tick (kAnimateTick ms) of the caption's animation or an animate
    // object's frames: false when it has nowhere left to go; `stepped`
    // tells whether its frame changed.
    bool animateTick(bool effects, bool& stepped);
    static constexpr int kAnimateTick = 25;

    // The pointer's moves and presses. `effects`: the skin's effects are
    // on, so a morphing button fades instead of switching.
    Next enter(bool effects);
    Next leave(bool effects);
    Next setPressed(bool value, bool effects);
    // One step of the fade towards the current state; false when there was
    // none to make.
    bool fadeTick(bool effects);
    // Hot with its fade complete, as a still picture of the hovered button.
    void showHot();
    // The caption as a still picture of a moment of its transitions: a
    // frame of its animation (0: none) and a step of its cross-fade.
    void showCaptionAt(int frame, int fadeStep)
    {
        m_look.currentFrame = frame;
        m_look.fade.setStep(fadeStep);
    }
    // Normal: no hover, no press, no fade (the caption keeps its look).
    void reset();

    // Shows the glow of the record (if it has one) for the button at a
    // screen point; hides it.
    void showGlow(const SkinData& sd, const QPoint& buttonOnScreen);
    void hideGlow();
    // The glow (null before it first showed).
    LayerManager* glow() const { return m_glow.get(); }

private:
    bool fades(bool effects) const { return m_look.morphing && effects; }
    bool captionTick(bool effects, bool& stepped);
    bool framesTick(bool& stepped);
    Next enterAnimate();
    Next leaveAnimate();

    FrameObject m_look;
    std::unique_ptr<LayerManager> m_glow;
};

} // namespace tessaly::skin
