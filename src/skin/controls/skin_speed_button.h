#pragma once

#include "skin/controls/button_look.h"
#include "skin/controls/hover_fade.h"
#include "skin/controls/skin_control.h"

#include <QString>
#include <QTimer>
#include <functional>

namespace tessaly::skin {

// The tool button: takes no focus, clicks on a left press and release over
// it. A flat button is transparent at rest (only its caption shows over
// the parent) and shows its face while the pointer is over it. Record
// "toolbutton" by default.
class SkinSpeedButton : public SkinControl {
public:
    explicit SkinSpeedButton(const QString& caption = {}, QWidget* parent = nullptr);

    QString text() const { return m_caption; }
    void setText(const QString& caption);
    void setOnClick(std::function<void()> handler) { m_onClick = std::move(handler); }
    void click();

    bool isDown() const { return m_down; }
    void setDown(bool down);
    bool isMouseIn() const { return m_mouseIn; }
    bool isFlat() const { return m_flat; }
    void setFlat(bool on);
    // Transparent: the parent shows everywhere but the caption.
    bool isTransparent() const { return m_transparent; }
    bool useSkinSize() const { return m_useSkinSize; }
    void setUseSkinSize(bool on);
    bool showCaption() const { return m_showCaption; }
    void setShowCaption(bool on);

    double morphFactor() const { return m_fade.factor(); }
    void morphTick();
    static constexpr int morphSteps = HoverFade::steps;

    enum class Face { CaptionOnly, Normal, Hot, Pressed, Disabled, CrossFade, Default };
    Face currentFace() const;

    void changeSkinData() override;

protected:
    bool getSkinData() override;
    void calcSkinSize(int& width, int& height) override;
    void drawDefaultFace(Bitmap& face) override;
    void drawSkinFace(Bitmap& face) override;
    // Whether the pressed face shows (the menu button adds its open menu).
    virtual bool showsPressed() const { return m_down && m_mouseIn; }
    // Draws what a transparent button shows at rest, straight onto the
    // widget.
    virtual void paintCaptionOnly(QPainter& painter);
    void drawStateFace(Bitmap& face, const Rect& source, bool down, bool mouseIn);
    bool morphingOn() const;
    void startMorph();
    Font captionFont() const;
    Color restCaptionColour() const;

    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;

    QString m_caption;
    const DataSkinButtonControl* m_buttonRecord = nullptr;
    ButtonLook m_look;
    bool m_down = false;
    bool m_mouseIn = false;
    bool m_mouseDown = false;
    bool m_flat = false;
    bool m_transparent = false;
    bool m_useSkinSize = true;
    bool m_showCaption = true;

private:
    std::function<void()> m_onClick;
    HoverFade m_fade{[this] { morphTick(); }};
    Bitmap m_hotFace;
};

} // namespace tessaly::skin
