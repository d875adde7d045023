#pragma once

#include "skin/controls/skin_button_base.h"

#include <QString>
#include <QTimer>
#include <functional>

namespace tessaly::skin {

// The tool button: takes no focus, clicks on a left press and release over
// it. A flat button is transparent at rest (only its caption shows over
// the parent) and shows its face while the pointer is over it. Record
// "toolbutton" by default. Check, group and repeat modes, glyphs and the
// frame animation (never for a flat button) as the push button has them.
class SkinSpeedButton : public SkinButtonBase {
public:
    explicit SkinSpeedButton(const QString& caption = {}, QWidget* parent = nullptr);

    void setDown(bool down) override;
    bool isFlat() const { return m_flat; }
    void setFlat(bool on);
    // Transparent: the parent shows everywhere but the caption.
    bool isTransparent() const { return m_transparent; }
    bool showCaption() const { return m_showCaption; }
    void setShowCaption(bool on);
    // A tab stop: Tab reaches the button, which then shows a focus mark and
    // takes Space and Enter as a click (off by default, as tool buttons are
    // reached by their shortcuts).
    bool tabStop() const { return focusPolicy() != Qt::NoFocus; }
    void setTabStop(bool on);

    void morphTick() override;

    enum class Face { CaptionOnly, Normal, Hot, Pressed, Disabled, CrossFade, Default };
    Face currentFace() const;

    void changeSkinData() override;

protected:
    bool getSkinData() override;
    bool groupsWith(const SkinButtonBase& other) const override
    {
        return dynamic_cast<const SkinSpeedButton*>(&other) != nullptr;
    }
    void drawDefaultFace(Bitmap& face) override;
    void drawSkinFace(Bitmap& face) override;
    // Whether the pressed face shows (the menu button adds its open menu):
    // down under the pointer, or down and staying down (check, group).
    virtual bool showsPressed() const { return m_down && (m_mouseIn || m_groupIndex != 0); }
    // Draws what a transparent button shows at rest, straight onto the
    // widget.
    virtual void paintCaptionOnly(QPainter& painter);
    void drawStateFace(Bitmap& face, const Rect& source, bool down, bool mouseIn);
    // What Space or Enter does when the button has the focus.
    virtual void keyActivate() { activate(); }
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool morphingOn() const;
    void startMorph();
    Font captionFont() const;
    Color restCaptionColour() const;

    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;

    bool m_flat = false;
    bool m_transparent = false;
    bool m_showCaption = true;

private:
    Bitmap m_hotFace;
};

} // namespace tessaly::skin
