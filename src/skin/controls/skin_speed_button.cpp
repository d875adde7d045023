#include "skin/controls/skin_speed_button.h"

#include "skin/data/skin_data.h"
#include "skin/data/system_colors.h"
#include "skin/paint/bitmap_canvas.h"
#include "skin/controls/button_content.h"
#include "skin/controls/button_look.h"
#include "skin/paint/effect_bmp.h"
#include "platform/qt_geometry.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace tessaly::skin {

SkinSpeedButton::SkinSpeedButton(const QString& caption, QWidget* parent)
    : SkinButtonBase(caption, parent)
{
    m_binding.name = "toolbutton";
    setFocusPolicy(Qt::NoFocus);
    resize(25, 25);
    // A tool button's own glyph wins over an image-list picture.
    m_content.imageOverGlyph = false;
}

void SkinSpeedButton::setFlat(bool on)
{
    m_flat = on;
    m_transparent = on;
    update();
}

void SkinSpeedButton::setTabStop(bool on)
{
    setFocusPolicy(on ? Qt::StrongFocus : Qt::NoFocus);
    update();
}

void SkinSpeedButton::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    if (hasFocus() && event->modifiers() == Qt::NoModifier
        && (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter)) {
        keyActivate();
        return;
    }
    SkinButtonBase::keyPressEvent(event);
}

void SkinSpeedButton::focusInEvent(QFocusEvent* event)
{
    SkinButtonBase::focusInEvent(event);
    update();
}

void SkinSpeedButton::focusOutEvent(QFocusEvent* event)
{
    SkinButtonBase::focusOutEvent(event);
    update();
}

void SkinSpeedButton::setShowCaption(bool on)
{
    m_showCaption = on;
    update();
}

bool SkinSpeedButton::getSkinData()
{
    const bool bound = bindButtonLook();
    // Tool buttons have no shape of their own.
    m_maskPicture = nullptr;
    return bound;
}

bool SkinSpeedButton::morphingOn() const
{
    // A flat or transparent button never cross-fades.
    return m_buttonRecord && m_look.morphing && !m_transparent && !m_flat && m_binding.registry && !m_binding.registry->empty()
           && m_binding.registry->options().enableSkinEffects;
}

SkinSpeedButton::Face SkinSpeedButton::currentFace() const
{
    if (m_binding.isBound()) {
        if (morphingOn() && fadeUnderWay()
            && !showsPressed())
            return Face::CrossFade;
        if (showsPressed())
            return Face::Pressed;
        if (m_mouseIn || (morphingOn() && fadeAtHot()))
            return Face::Hot;
        if (m_transparent)
            return Face::CaptionOnly;
        if (!isEnabled() && !m_look.disabled.isEmpty())
            return Face::Disabled;
        return Face::Normal;
    }
    if (m_transparent && !showsPressed() && !m_mouseIn)
        return Face::CaptionOnly;
    return Face::Default;
}

void SkinSpeedButton::paintEvent(QPaintEvent* event)
{
    getSkinData();
    int w = width();
    int h = height();
    calcSkinSize(w, h);
    if (currentFace() == Face::CaptionOnly) {
        QPainter painter(this);
        paintCaptionOnly(painter);
        return;
    }
    SkinControl::paintEvent(event);
}

Font SkinSpeedButton::captionFont() const
{
    return m_useSkinFont && m_buttonRecord ? m_look.font : m_defaultFont;
}

Color SkinSpeedButton::restCaptionColour() const
{
    if (!m_buttonRecord)
        return isEnabled() ? m_defaultFont.color : systemColorValue(SystemColor::BtnShadow);
    if (!isEnabled())
        return m_binding.registry->skinColors().cBtnShadow;
    return m_binding.registry->skinColors().cBtnText;
}

void SkinSpeedButton::paintCaptionOnly(QPainter& painter)
{
    if (!m_showCaption || m_caption.isEmpty())
        return;
    const Rect r = m_binding.isBound() ? m_geometry.target.client : Rect{0, 0, width(), height()};
    painter.setFont(fontOf(captionFont()));
    painter.setPen(qColorOf(restCaptionColour()));
    painter.drawText(platform::toQRect(r), Qt::AlignCenter | Qt::TextWordWrap, m_caption);
    if (hasFocus()) {
        // The dotted mark of the other faces, in the caption's colour.
        painter.setPen(QPen(qColorOf(restCaptionColour()), 1, Qt::DotLine));
        painter.drawRect(platform::toQRect(r).adjusted(0, 0, -1, -1));
    }
}

void SkinSpeedButton::drawSkinFace(Bitmap& face)
{
    switch (currentFace()) {
    case Face::Pressed:
        drawStateFace(face, m_look.down, true, true);
        break;
    case Face::Hot:
        drawStateFace(face, hotSource(), false, true);
        break;
    case Face::Disabled:
        drawStateFace(face, m_look.disabled, false, false);
        break;
    case Face::CrossFade: {
        drawStateFace(face, m_look.normal, false, false);
        m_hotFace.setSize(face.width(), face.height());
        drawStateFace(m_hotFace, m_look.active, false, true);
        EffectBmp from(face.view());
        from.morphBy(m_look.morphKind, EffectBmp(m_hotFace.view()), morphFactor());
        from.draw(face.surface(), 0, 0);
        break;
    }
    default:
        drawStateFace(face, normalSource(), false, false);
        break;
    }
}

void SkinSpeedButton::drawStateFace(Bitmap& face, const Rect& source, bool down, bool mouseIn)
{
    const Rect textRect = composeStateBackground(face, source);
    const Color colour = stateCaptionColour(down, mouseIn);
    if (hasFocus())
        drawFocusFrame(face, textRect, colour);
    // Tool buttons never shift their content when pressed.
    const int cell = glyphCellFor(m_content.numGlyphs, down, mouseIn, isEnabled());
    drawButtonContent(face, textRect, m_showCaption ? m_caption : QString(), captionFont(), colour, m_content, cell,
                      false, isEnabled());
}

void SkinSpeedButton::drawDefaultFace(Bitmap& face)
{
    const Rect r{0, 0, face.width(), face.height()};
    if (showsPressed())
        drawFramedFill(face, r, defaultPressedFrame, defaultPressedFill);
    else if (m_mouseIn)
        drawFramedFill(face, r, defaultHotFrame, defaultHotFill);
    else if (!m_flat)
        drawFramedFill(face, r, systemColorValue(SystemColor::BtnShadow), systemColorValue(SystemColor::BtnFace));
    else
        face.fillRect(r, colorFromValue(systemColorValue(SystemColor::BtnFace)));
    const Color colour = isEnabled() ? m_defaultFont.color : systemColorValue(SystemColor::BtnShadow);
    if (hasFocus())
        drawFocusFrame(face, r.intersected({2, 2, r.right - 2, r.bottom - 2}), colour);
    const int cell = glyphCellFor(m_content.numGlyphs, m_down, m_mouseIn, isEnabled());
    drawButtonContent(face, r, m_showCaption ? m_caption : QString(), m_defaultFont, colour, m_content, cell, false,
                      isEnabled());
}

void SkinSpeedButton::setDown(bool down)
{
    const bool changed = m_down != down;
    m_down = down;
    if (changed)
        tellStateChanged(pressedState());
    if (down)
        releaseGroupSiblings();
    if (morphingOn()) {
        if (down)
            jumpFade(true);
        else
            startMorph();
    }
    // A flat button goes back to transparent once it is up and the
    // pointer has gone.
    if (!m_mouseIn && m_flat && !down)
        m_transparent = true;
    update();
}

void SkinSpeedButton::startMorph()
{
    if (!morphingOn()) {
        update();
        return;
    }
    startFade();
}

void SkinSpeedButton::morphTick()
{
    stepFade(m_mouseIn, morphingOn());
    update();
}

void SkinSpeedButton::changeSkinData()
{
    m_animation.stop();
    stopFade();
    SkinControl::changeSkinData();
    jumpFade(m_binding.isBound() && morphingOn() && m_mouseIn);
}

void SkinSpeedButton::enterEvent(QEnterEvent* event)
{
    if (m_flat && isEnabled())
        m_transparent = false;
    SkinControl::enterEvent(event);
    if (!isEnabled())
        return;
    m_mouseIn = true;
    if (m_down) {
        if (morphingOn())
            jumpFade(true);
        update();
    } else {
        if (!m_flat)
            startAnimation(true);
        startMorph();
    }
}

void SkinSpeedButton::leaveEvent(QEvent* event)
{
    if (m_flat && !m_down)
        m_transparent = true;
    SkinControl::leaveEvent(event);
    m_mouseIn = false;
    if (!m_flat && !m_down)
        startAnimation(false);
    startMorph();
    update();
}

void SkinSpeedButton::changeEvent(QEvent* event)
{
    SkinControl::changeEvent(event);
    if (event->type() == QEvent::EnabledChange) {
        m_animation.stop();
        stopRepeat();
        jumpFade(false);
        m_mouseIn = false;
        if (m_flat)
            m_transparent = true;
        update();
    }
}

} // namespace tessaly::skin
