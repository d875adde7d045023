#pragma once

#include <QBasicTimer>
#include <QObject>
#include <QPoint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "skin/frame/caption_button.h"
#include "skin/frame/frame_layout.h"

namespace tessaly::skin {

class LayerManager;
class SkinData;
class SkinPopupMenu;
class SkinFrame;

// The caption and the caption buttons of a skinned frame, in the layout's
// object order, and the pointer over them: which one is hot, which one has
// the mouse captured, presses and releases, the commands they run, their
// glows, and the two timers that keep them current (the pointer watch,
// which notices a pointer gone without a leave, and the fade tick shared by
// every button's cross-fade). The frame paints them; each change of look
// is handed back to it as a redraw of one object.
class CaptionButtons : public QObject {
public:
    static constexpr int kMouseTimerInterval = 50;
    static constexpr int kMorphInterval = 25;
    // One timer steps every animation (the caption's); it stops when
    // nothing moves.
    static constexpr int kAnimateInterval = CaptionButton::kAnimateTick;

    explicit CaptionButtons(SkinFrame& frame);

    const std::vector<CaptionButton>& objects() const { return m_objects; }
    // Counts the sets of objects made: an index means another object once
    // the skin has changed.
    int build() const { return m_build; }
    std::vector<FrameObjectInfo> infos() const;
    // Position of the first object named idName, or -1.
    int getIndex(std::string_view idName) const;
    // The glow of an object (null when it has none yet).
    LayerManager* glow(int index) const;
    // The object under the pointer, the object that has the mouse captured.
    int activeObject() const { return m_activeObject; }
    int mouseCaptureObject() const { return m_mouseCaptureObject; }
    bool mouseTimerActive() const { return m_mouseTimer.isActive(); }
    bool morphTimerActive() const { return m_morphTimer.isActive(); }
    bool animateTimerActive() const { return m_animateTimer.isActive(); }

    // --- skin changes
    // The objects of a registry's records, or the default look's buttons
    // without one.
    void create(const SkinData* sd);
    void clear();
    void applyBorderIcons(unsigned icons);
    // Whether the window shows its custom (cmDefault) caption buttons;
    // used from the next applyBorderIcons on.
    void setCustomObjectOffer(CustomObjectOffer offer) { m_customOffer = std::move(offer); }
    // The caption draws the window's activation.
    void setWindowActive(bool active);
    // Enables or disables the first object named idName.
    void setEnabled(std::string_view idName, bool on);
    // The menu the plain button (or animate button) named idName opens
    // when pressed (null: none); kept for the objects of later skins too.
    void linkMenu(const std::string& idName, SkinPopupMenu* menu, bool up);

    // --- the pointer (window coordinates)
    // Follows the pointer to the object under it (none at x < 0).
    void track(const QPoint& p);
    void pointerMoved(const QPoint& p);
    // The pointer left the window, or seemed to.
    void pointerLeft();
    // A left press: true when a button took it (and the mouse).
    bool leftPress(const QPoint& p, bool doubleClick);
    // A right press: the caption opens the system menu.
    void rightPress(const QPoint& p, const QPoint& global, bool doubleClick, bool onCaption);
    // A left release: true when a button had the mouse.
    bool leftRelease(const QPoint& p);
    void windowShown() { m_closing = false; }
    void activationChanged();
    // The system menu a button opened has closed: the button comes up.
    void menuClosed();

    // --- what the frame's other parts ask
    // Buttons forget the pointer and their glows go.
    void quiet();
    // The glows go and the pointer is no longer watched (the window hides
    // or is minimised).
    void stop();
    // The pointer is watched again while the window is active.
    void resume();
    // A move or resize starts: no hover, press or glow, no tracking.
    void release();
    // A move or resize ended: the pointer is found again.
    void forgetPointer() { m_activeObject = m_mouseCaptureObject = -1; }
    void stopTimers();
    void redrawButtons();
    // The caption shows the window's activation, with no fade or
    // animation under way (redrawn when it changed and `redraw`).
    void settleCaption(bool redraw);

    // The timers' ticks; tests and benchmarks call them directly.
    void morphTick();
    void mouseTick();
    void animateTick();
    // Runs a button's command as a click on it does (for assistive tools).
    void runCommand(int index) { doCommand(index); }
    // Presses a button with a linked menu, which opens it (for assistive
    // tools); the button comes up when the menu closes.
    void openLinkedMenu(int index)
    {
        if (index >= 0 && std::size_t(index) < m_objects.size() && m_objects[std::size_t(index)].menu())
            mouseDown(index);
    }

protected:
    void timerEvent(QTimerEvent* event) override;

private:
    void follow(CaptionButton::Next next, int index);
    void testActiveObject(const QPoint& p, bool track);
    void deactivateAll() { testActiveObject(QPoint(-1, -1), false); }
    void mouseEnter(int index);
    void mouseLeave(int index);
    void mouseDown(int index);
    void mouseUp(int index);
    void setPressed(int index, bool value);
    void doCommand(int index);
    void popupButtonMenu(int index);
    void showHint(int index);
    void showLayer(int index);
    void hideLayers();
    bool effectsOn() const;

    SkinFrame& m_frame;
    std::vector<CaptionButton> m_objects;
    int m_activeObject = -1;
    int m_build = 0;
    int m_mouseCaptureObject = -1;
    bool m_closing = false; // a close is on its way: the objects stay idle
    struct LinkedMenu {
        SkinPopupMenu* menu;
        bool up;
    };
    std::map<std::string, LinkedMenu> m_linkedMenus;
    CustomObjectOffer m_customOffer;
    QBasicTimer m_mouseTimer;
    QBasicTimer m_morphTimer;
    QBasicTimer m_animateTimer;
};

} // namespace tessaly::skin
