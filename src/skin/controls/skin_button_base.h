#pragma once

#include "skin/controls/button_content.h"
#include "skin/controls/button_look.h"
#include "skin/controls/frame_animation.h"
#include "skin/controls/skin_control.h"
#include "skin/paint/cross_fade.h"

#include <QAccessible>
#include <QString>
#include <QTimer>
#include <functional>

namespace tessaly::skin {

// What push and tool buttons share: the caption and the click handler, the
// pressed state and the pointer over the button, the hover fade between the
// normal and the hot face, the frame animation, the glyph, and the left
// press that follows the pointer: the button shows pressed while the
// pointer is over it and up outside it, and a release over it clicks.
//
// Modes: a check button (checkedMode) toggles at each press and clicks each
// time; a grouped button (groupIndex > 0) stays down when pressed and sets
// the other buttons of its group and kind on the same parent up, unless
// allowAllUp, which also lets a second press set it up; a repeating button
// clicks while held, first after 500 ms, then every repeatInterval ms, and
// once more when released over it.
class SkinButtonBase : public SkinControl {
public:
    QString text() const { return m_caption; }
    void setText(const QString& caption);
    void setOnClick(std::function<void()> handler) { m_onClick = std::move(handler); }
    // Performs the click (the handler, if any).
    void click();
    // The click as the pointer, keys and modes give it (a push button adds
    // its modal result).
    virtual void buttonClick() { click(); }

    bool isDown() const { return m_down; }
    virtual void setDown(bool down) = 0;
    bool isMouseIn() const { return m_mouseIn; }
    bool useSkinSize() const { return m_useSkinSize; }
    void setUseSkinSize(bool on);

    bool checkedMode() const { return m_checkedMode; }
    void setCheckedMode(bool on);
    int groupIndex() const { return m_groupIndex; }
    virtual void setGroupIndex(int index) { m_groupIndex = index; }
    bool allowAllUp() const { return m_allowAllUp; }
    void setAllowAllUp(bool on) { m_allowAllUp = on; }
    // The button stays down by itself (check or group).
    bool isCheckable() const { return m_groupIndex != 0; }
    // What a press and release of the pointer over the button does, for
    // the keyboard and assistive tools: toggles a check button, sets a
    // grouped one down (or up, with allowAllUp), else clicks.
    void activate();

    bool repeatMode() const { return m_repeatMode; }
    void setRepeatMode(bool on) { m_repeatMode = on; }
    int repeatInterval() const { return m_repeatInterval; }
    void setRepeatInterval(int ms) { m_repeatInterval = ms; }
    // One step of the auto-repeat, as its timer runs it: the first only
    // switches to repeatInterval, every later one clicks.
    void repeatTick();
    bool repeatRunning() const { return m_repeatTimer.isActive(); }
    int repeatTimerInterval() const { return m_repeatTimer.interval(); }
    static constexpr int kRepeatDelay = 500;

    // Glyph strip and layout of glyph and caption.
    const ButtonContent& content() const { return m_content; }
    void setGlyph(const Bitmap& glyph);
    void setNumGlyphs(int count);
    void setMargin(int margin);
    void setSpacing(int spacing);
    void setLayout(ButtonLayout layout);
    // A picture of an image list in the glyph's place (the list not owned;
    // an index outside it shows the glyph).
    void setImageList(const ImageList* images);
    void setImageIndex(int index);

    // The record's frame animation (timer-driven; tests step it).
    const FrameAnimation& frameAnimation() const { return m_animation; }
    void animationTick() { m_animation.tick(); }

    // The cross-fade position: 0 the normal face, 1 the hot one.
    double morphFactor() const { return m_fade.factor(); }
    bool fadeAtHot() const { return m_fade.atHot(); }
    // One step of the cross-fade, as its timer runs it every 20 ms.
    virtual void morphTick() = 0;
    bool morphRunning() const { return m_fadeTimer.isActive(); }
    // Sets the cross-fade position directly (benchmarks, review sheets).
    void setMorphStep(int step) { m_fade.setStep(step); }
    static constexpr int morphSteps = CrossFade::kSteps;
    static constexpr int kFadeInterval = 20;

protected:
    SkinButtonBase(const QString& caption, QWidget* parent);

    // The caption or the size rule has changed: faces drawn before are out
    // of date.
    virtual void facesChanged() {}
    // Whether `other` belongs to the same kind of button for groups.
    virtual bool groupsWith(const SkinButtonBase& other) const = 0;
    // Sets every other down button of the group up.
    void releaseGroupSiblings();
    // The caption's accelerator ("&" before a letter) was typed.
    virtual void accelerate() { activate(); }
    bool event(QEvent* event) override;

    // The frame animation, when the record has one and effects are on.
    void startAnimation(bool forward);
    bool animationApplies() const;
    // The hot and normal rectangles as the animation shows them.
    Rect hotSource() const;
    Rect normalSource() const;

    void startRepeat();
    void stopRepeat() { m_repeatTimer.stop(); }

    // Looks the record up and reads the button's look from it; a record of
    // another kind shows its one rectangle in every state. False when the
    // button is unskinned.
    bool bindButtonLook();
    // A button that keeps the skin's size, or whose record is a nine-piece,
    // sizes by the record; otherwise only its client part grows.
    void calcSkinSize(int& width, int& height) override;

    // Tells assistive tools that states of the button changed (pressed,
    // expanded …); nothing while none listens.
    void tellStateChanged(QAccessible::State changed);
    static QAccessible::State pressedState()
    {
        QAccessible::State s;
        s.pressed = true;
        return s;
    }
    static QAccessible::State expandedState()
    {
        QAccessible::State s;
        s.expanded = s.collapsed = true;
        return s;
    }

    // Composes the record's picture of a state (`source`) into the face at
    // the face's size, by the button's size rule, and answers where the
    // caption goes.
    Rect composeStateBackground(Bitmap& face, const Rect& source);
    // The caption's colour in a state, from the record (without one, the
    // default font's).
    Color stateCaptionColour(bool down, bool mouseIn) const;

    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

    QString m_caption;
    const DataSkinButtonControl* m_buttonRecord = nullptr;
    ButtonLook m_look;
    // The fade is under way: its timer runs, or it stopped between the
    // two faces.
    bool fadeUnderWay() const { return m_fadeTimer.isActive() || m_fade.midway(); }
    void startFade();
    void stopFade() { m_fadeTimer.stop(); }
    void jumpFade(bool hot);
    // One step towards the hot face or back; without fading, to the end at
    // once. The timer stops at the end.
    void stepFade(bool hot, bool fading);
    bool m_down = false;
    bool m_mouseIn = false;
    // The left button went down on the button and is not up yet.
    bool m_mouseDown = false;
    bool m_useSkinSize = true;
    bool m_checkedMode = false;
    // In check mode, the release after the press that set the button down.
    bool m_stopMouseUp = false;
    int m_groupIndex = 0;
    bool m_allowAllUp = false;
    // The press found the grouped button down already.
    bool m_allowAllUpCheck = false;
    bool m_repeatMode = false;
    int m_repeatInterval = 100;
    ButtonContent m_content;
    FrameAnimation m_animation{[this] { update(); }};

private:
    void updateAccelerator();
    QTimer m_repeatTimer;
    bool m_repeatFirst = false;
    int m_acceleratorId = 0;
    CrossFade m_fade;
    QTimer m_fadeTimer; // runs morphTick while the fade moves
    std::function<void()> m_onClick;
};

} // namespace tessaly::skin
