#pragma once

#include "skin/controls/glow_layer.h"
#include "skin/controls/skin_button_base.h"
#include "platform/qt_canvas.h"

#include <QString>
#include <QTimer>
#include <functional>
#include <memory>
#include <vector>

namespace tessaly::skin {

class DialogKeyEvent;

// The push button: normal, hot, pressed, focused and disabled faces from a
// button record ("button" by default), cross-fading between the normal and
// the hot face, with a glow window while the pointer is over it.
//
// Clicks: a left press and release over the button; one per Space press
// that started on the focused button (key auto-repeat gives none, except
// for a repeating button); one per Enter press; the caption's accelerator.
// A press that is dragged out and released outside gives none. A grouped
// or check button takes no focus. In a dialog, a click closes it with the
// button's modal result when that is not 0; the cancel button takes Escape
// offered to its window.
class SkinButton : public SkinButtonBase {
public:
    explicit SkinButton(const QString& caption = {}, QWidget* parent = nullptr);
    ~SkinButton() override;

    void setDown(bool down) override;
    bool canFocused() const { return m_canFocused; }
    void setCanFocused(bool on);
    bool alwaysShowLayeredFrame() const { return m_alwaysShowGlow; }
    void setAlwaysShowLayeredFrame(bool on) { m_alwaysShowGlow = on; }
    // The button answers Enter offered by the window (from the path field).
    bool isDefault() const { return m_default; }
    void setDefault(bool on);
    bool isCancel() const { return m_cancel; }
    void setCancel(bool on);
    int modalResult() const { return m_modalResult; }
    void setModalResult(int result) { m_modalResult = result; }
    // Also makes a grouped button unfocusable.
    void setGroupIndex(int index) override;
    // The click with its effect on the dialog (modal result).
    void buttonClick() override;

    // The glow window (none: no glow). Owned.
    void setGlowLayer(std::unique_ptr<GlowLayer> layer);
    bool glowShown() const { return m_glowShown; }

    void morphTick() override;

    void beforeChangeSkinData() override;
    void changeSkinData() override;

    // The face chosen for the current state; the tests compose the record
    // by hand from it.
    enum class Face { Normal, Hot, Pressed, Focused, Disabled, CrossFade };
    Face currentFace() const;

protected:
    bool getSkinData() override;
    void drawDefaultFace(Bitmap& face) override;
    void drawSkinFace(Bitmap& face) override;

    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    // A state's face (background and caption) is kept once drawn: the
    // button repaints on every hover, focus and fade step, and its faces
    // change only with the skin, the caption and the size.
    struct StateFace {
        Rect source;
        int width = 0;
        int height = 0;
        bool down = false;
        bool mouseIn = false;
        bool enabled = true;
        bool focusFrame = false;
        bool skinFont = true;
        // On a dense screen the caption is kept beside the face, to be
        // drawn at the screen's resolution; the face holds no text then.
        bool textApart = false;
        Bitmap face;
        platform::TextRuns text;
        // Draws the face with its caption at the top-left of `target`.
        void drawInto(Bitmap& target) const;
    };
    const StateFace& stateFace(const Rect& source, bool down, bool mouseIn, int width, int height);
    void forgetFaces() { m_stateFaces.clear(); }
    void facesChanged() override { forgetFaces(); }
    bool groupsWith(const SkinButtonBase& other) const override
    {
        return dynamic_cast<const SkinButton*>(&other) != nullptr;
    }
    void accelerate() override;
    // Pressed shows: down and over it, or focused (not by the pointer), or
    // a down button that stays down.
    bool showsPressed() const;
    void drawStateFace(Bitmap& face, const Rect& source, bool down, bool mouseIn);
    bool morphingOn() const;
    // The focus as the face sees it: a popup menu borrowing the focus does
    // not count.
    bool focusedAndFocusable() const { return m_focused && m_canFocused; }
    void startMorph();
    void showGlow();
    // The button watches its window: for the glow, and as the default
    // button for Enter offered to the window.
    void watchWindow();
    bool takeDialogKey(int key, Qt::KeyboardModifiers modifiers);
    void hideGlow();
    void finishSpaceRelease();

    std::unique_ptr<GlowLayer> m_glow;
    QWidget* m_watchedWindow = nullptr;
    // A Space release waits briefly: X11 auto-repeat sends release/press
    // pairs with equal timestamps, and a busy program may read the release
    // before the press that would mark it as a repeat.
    QTimer m_spaceReleaseTimer;
    quint64 m_spaceReleaseTime = 0;
    static constexpr int spaceReleaseDelay = 25;
    std::vector<StateFace> m_stateFaces;
    const DataSkinButtonControl* m_facesRecord = nullptr;
    bool m_spaceDown = false;
    bool m_focused = false;
    bool m_canFocused = true;
    bool m_alwaysShowGlow = false;
    bool m_default = false;
    bool m_cancel = false;
    int m_modalResult = 0;
    bool m_glowShown = false;
};

} // namespace tessaly::skin
