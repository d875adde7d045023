#include "skin/controls/skin_button_base.h"

#include "skin/data/skin_data.h"

#include <QKeySequence>
#include <QMouseEvent>

namespace tessaly::skin {

SkinButtonBase::SkinButtonBase(const QString& caption, QWidget* parent)
    : SkinControl(parent)
    , m_caption(caption)
{
    m_fadeTimer.setInterval(kFadeInterval);
    QObject::connect(&m_fadeTimer, &QTimer::timeout, this, [this] { morphTick(); });
    QObject::connect(&m_repeatTimer, &QTimer::timeout, this, [this] { repeatTick(); });
    updateAccelerator();
}

bool SkinButtonBase::bindButtonLook()
{
    const bool bound = SkinControl::getSkinData();
    m_buttonRecord = bound ? dynamic_cast<const DataSkinButtonControl*>(record()) : nullptr;
    if (m_buttonRecord) {
        m_look = ButtonLook::of(*m_buttonRecord);
    } else if (bound) {
        m_look.normal = m_look.active = m_look.down = m_geometry.skinRect;
        m_look.focused = m_look.disabled = m_look.animate = {};
    }
    if (!bound)
        m_look.animate = {};
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
    updateAccelerator();
    facesChanged();
    update();
}

void SkinButtonBase::updateAccelerator()
{
    if (m_acceleratorId != 0)
        releaseShortcut(m_acceleratorId);
    m_acceleratorId = 0;
    const QKeySequence accelerator = QKeySequence::mnemonic(m_caption);
    if (!accelerator.isEmpty())
        m_acceleratorId = grabShortcut(accelerator);
}

bool SkinButtonBase::event(QEvent* event)
{
    if (event->type() == QEvent::Shortcut) {
        if (isEnabled() && isVisible())
            accelerate();
        return true;
    }
    return SkinControl::event(event);
}

void SkinButtonBase::activate()
{
    if (m_checkedMode) {
        setDown(!m_down);
    } else if (m_groupIndex != 0) {
        if (!m_down)
            setDown(true);
        else if (m_allowAllUp)
            setDown(false);
    }
    buttonClick();
}

void SkinButtonBase::setCheckedMode(bool on)
{
    if (on == m_checkedMode)
        return;
    m_checkedMode = on;
    if (on)
        setGroupIndex(-1);
    else if (m_groupIndex == -1)
        setGroupIndex(0);
}

void SkinButtonBase::releaseGroupSiblings()
{
    if (m_groupIndex <= 0 || m_allowAllUp || !parentWidget())
        return;
    for (QObject* child : parentWidget()->children()) {
        auto* other = dynamic_cast<SkinButtonBase*>(child);
        if (other && other != this && other->m_groupIndex == m_groupIndex && other->m_down && groupsWith(*other))
            other->setDown(false);
    }
}

void SkinButtonBase::startRepeat()
{
    m_repeatFirst = true;
    m_repeatTimer.start(kRepeatDelay);
}

void SkinButtonBase::repeatTick()
{
    if (!m_repeatTimer.isActive())
        return;
    if (m_repeatFirst) {
        m_repeatFirst = false;
        m_repeatTimer.setInterval(m_repeatInterval > 0 ? m_repeatInterval : 1);
        return;
    }
    buttonClick();
}

void SkinButtonBase::setGlyph(const Bitmap& glyph)
{
    m_content.glyph = glyph;
    facesChanged();
    update();
}

void SkinButtonBase::setNumGlyphs(int count)
{
    m_content.numGlyphs = count < 1 ? 1 : (count > 4 ? 4 : count);
    facesChanged();
    update();
}

void SkinButtonBase::setMargin(int margin)
{
    if (margin < -1 || margin == m_content.margin)
        return;
    m_content.margin = margin;
    facesChanged();
    update();
}

void SkinButtonBase::setSpacing(int spacing)
{
    if (spacing == m_content.spacing)
        return;
    m_content.spacing = spacing;
    facesChanged();
    update();
}

void SkinButtonBase::setImageList(const ImageList* images)
{
    m_content.images = images;
    facesChanged();
    update();
}

void SkinButtonBase::setImageIndex(int index)
{
    if (index == m_content.imageIndex)
        return;
    m_content.imageIndex = index;
    facesChanged();
    update();
}

void SkinButtonBase::setLayout(ButtonLayout layout)
{
    if (layout == m_content.layout)
        return;
    m_content.layout = layout;
    facesChanged();
    update();
}

bool SkinButtonBase::animationApplies() const
{
    return m_binding.isBound() && m_binding.registry && m_binding.registry->options().enableSkinEffects
           && !m_look.animate.isEmpty() && m_look.frameCount > 0;
}

void SkinButtonBase::startAnimation(bool forward)
{
    if (animationApplies())
        m_animation.start(forward, m_look.frameCount, m_look.animateInterval);
}

Rect SkinButtonBase::hotSource() const
{
    if (m_animation.running() && m_animation.forward()) {
        const Rect frame = m_animation.frameRect(m_look.animate, m_look.normal);
        if (!frame.isEmpty())
            return frame;
    }
    return m_look.active;
}

Rect SkinButtonBase::normalSource() const
{
    if (m_animation.running() && !m_animation.forward()) {
        const Rect frame = m_animation.frameRect(m_look.animate, m_look.normal);
        if (!frame.isEmpty())
            return frame;
    }
    return m_look.normal;
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
    m_animation.stop();
    m_mouseDown = true;
    if (m_down) {
        // A second press on a grouped button may set it up on release.
        if (m_groupIndex != 0)
            m_allowAllUpCheck = true;
        return;
    }
    m_mouseIn = true;
    setDown(true);
    if (m_checkedMode) {
        m_stopMouseUp = true;
        buttonClick();
    } else if (m_groupIndex != 0) {
        buttonClick();
    } else if (m_repeatMode) {
        startRepeat();
    }
    m_allowAllUpCheck = false;
}

void SkinButtonBase::mouseMoveEvent(QMouseEvent* event)
{
    SkinControl::mouseMoveEvent(event);
    if (!m_mouseDown)
        return;
    // While held, the button follows the pointer: pressed over it, up
    // outside it; a repeating button pauses outside and starts over with
    // its first delay when the pointer comes back.
    const bool inside = rect().contains(event->position().toPoint());
    if (inside != m_mouseIn) {
        m_mouseIn = inside;
        if (m_down && m_repeatMode && m_groupIndex == 0) {
            if (inside)
                startRepeat();
            else
                stopRepeat();
        }
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
    m_mouseIn = inside;
    if (m_checkedMode) {
        // The press that set it down clicked already.
        if (m_stopMouseUp) {
            m_stopMouseUp = false;
            update();
        } else {
            setDown(false);
            buttonClick();
        }
    } else if (m_groupIndex == 0) {
        // Released outside: no click, the button is up.
        stopRepeat();
        setDown(false);
        if (inside && wasDown)
            buttonClick();
    } else if (wasDown && m_allowAllUp && m_allowAllUpCheck && inside) {
        setDown(false);
        buttonClick();
    } else {
        update();
    }
}

} // namespace tessaly::skin
