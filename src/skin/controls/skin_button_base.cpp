#include "skin/controls/skin_button_base.h"

#include <QMouseEvent>

namespace tessaly::skin {

SkinButtonBase::SkinButtonBase(const QString& caption, QWidget* parent)
    : SkinControl(parent)
    , m_caption(caption)
{
    m_fadeTimer.setInterval(kFadeInterval);
    QObject::connect(&m_fadeTimer, &QTimer::timeout, this, [this] { morphTick(); });
}

bool SkinButtonBase::bindButtonLook()
{
    const bool bound = SkinControl::getSkinData();
    m_buttonRecord = bound ? dynamic_cast<const DataSkinButtonControl*>(record()) : nullptr;
    if (m_buttonRecord) {
        m_look = ButtonLook::of(*m_buttonRecord);
    } else if (bound) {
        m_look.normal = m_look.active = m_look.down = m_geometry.skinRect;
        m_look.focused = m_look.disabled = {};
    }
    return bound;
}

void SkinButtonBase::calcSkinSize(int& width, int& height)
{
    if (!m_binding.isBound())
        return;
    if (m_useSkinSize || m_geometry.mode == ResizeMode::NinePiece)
        SkinControl::calcSkinSize(width, height);
    else
        m_geometry.growClientOnly(width, height);
}

void SkinButtonBase::tellStateChanged(QAccessible::State changed)
{
    QAccessibleStateChangeEvent event(this, changed);
    QAccessible::updateAccessibility(&event);
}

void SkinButtonBase::startFade()
{
    if (!m_fadeTimer.isActive())
        m_fadeTimer.start();
}

void SkinButtonBase::jumpFade(bool hot)
{
    m_fade.jumpTo(hot);
    m_fadeTimer.stop();
}

void SkinButtonBase::stepFade(bool hot, bool fading)
{
    if (!fading)
        jumpFade(hot);
    else if (!m_fade.stepTowards(hot))
        m_fadeTimer.stop();
}

void SkinButtonBase::setText(const QString& caption)
{
    m_caption = caption;
    facesChanged();
    update();
}

void SkinButtonBase::click()
{
    if (m_onClick)
        m_onClick();
}

void SkinButtonBase::setUseSkinSize(bool on)
{
    m_useSkinSize = on;
    facesChanged();
    applySizeRule();
    update();
}

Rect SkinButtonBase::composeStateBackground(Bitmap& face, const Rect& source)
{
    const int w = face.width();
    const int h = face.height();
    Rect textRect;
    if (m_useSkinSize || m_geometry.mode == ResizeMode::NinePiece) {
        composeRecordFace(face, pictureView(), m_geometry, source, w, h);
        textRect = m_geometry.target.client;
    } else {
        composeStretchedFace(face, pictureView(), m_geometry, source, w, h);
        const Rect& cl = m_geometry.cut.client;
        textRect = {cl.left, cl.top, cl.right + w - source.width(), cl.bottom + h - source.height()};
    }
    return textRect;
}

Color SkinButtonBase::stateCaptionColour(bool down, bool mouseIn) const
{
    Color colour = m_look.fontColor;
    if (!m_buttonRecord)
        colour = m_defaultFont.color;
    else if (!isEnabled())
        colour = m_look.disabledFontColor;
    else if (down && mouseIn)
        colour = m_look.downFontColor;
    else if (mouseIn)
        colour = m_look.activeFontColor;
    return colour;
}

void SkinButtonBase::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        SkinControl::mousePressEvent(event);
        return;
    }
    m_mouseDown = true;
    if (!m_down) {
        m_mouseIn = true;
        setDown(true);
    }
}

void SkinButtonBase::mouseMoveEvent(QMouseEvent* event)
{
    SkinControl::mouseMoveEvent(event);
    if (!m_mouseDown)
        return;
    // While held, the button follows the pointer: pressed over it, up
    // outside it.
    const bool inside = rect().contains(event->position().toPoint());
    if (inside != m_mouseIn) {
        m_mouseIn = inside;
        update();
    }
}

void SkinButtonBase::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !m_mouseDown) {
        SkinControl::mouseReleaseEvent(event);
        return;
    }
    m_mouseDown = false;
    const bool inside = rect().contains(event->position().toPoint());
    const bool wasDown = m_down;
    // Released outside: no click, the button is up.
    m_mouseIn = inside;
    setDown(false);
    if (inside && wasDown)
        click();
}

} // namespace tessaly::skin
