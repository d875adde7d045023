#pragma once

#include "skin/controls/button_look.h"
#include "skin/controls/skin_control.h"
#include "skin/paint/cross_fade.h"

#include <QAccessible>
#include <QString>
#include <QTimer>
#include <functional>

namespace tessaly::skin {

// What push and tool buttons share: the caption and the click handler, the
// pressed state and the pointer over the button, the hover fade between the
// normal and the hot face, and the left press that follows the pointer: the
// button shows pressed while the pointer is over it and up outside it, and
// a release over it clicks.
class SkinButtonBase : public SkinControl {
public:
    QString text() const { return m_caption; }
    void setText(const QString& caption);
    void setOnClick(std::function<void()> handler) { m_onClick = std::move(handler); }
    // Performs the click (the handler, if any).
    void click();

    bool isDown() const { return m_down; }
    virtual void setDown(bool down) = 0;
    bool isMouseIn() const { return m_mouseIn; }
    bool useSkinSize() const { return m_useSkinSize; }
    void setUseSkinSize(bool on);

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

private:
    CrossFade m_fade;
    QTimer m_fadeTimer; // runs morphTick while the fade moves
    std::function<void()> m_onClick;
};

} // namespace tessaly::skin
