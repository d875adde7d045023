#include "skin/controls/dialog_key_event.h"
#include "skin/controls/skin_button.h"

#include "skin/controls/button_glow.h"
#include "skin/data/skin_data.h"
#include "skin/data/system_colors.h"
#include "skin/paint/bitmap_canvas.h"
#include "skin/paint/device_picture.h"
#include "skin/paint/effect_bmp.h"

#include <QDialog>
#include <QKeyEvent>
#include <QMouseEvent>

namespace tessaly::skin {

SkinButton::SkinButton(const QString& caption, QWidget* parent)
    : SkinButtonBase(caption, parent)
{
    m_binding.name = "button";
    setFocusPolicy(Qt::StrongFocus);
    resize(75, 25);
    m_spaceReleaseTimer.setSingleShot(true);
    m_spaceReleaseTimer.setInterval(spaceReleaseDelay);
    QObject::connect(&m_spaceReleaseTimer, &QTimer::timeout, this, [this] { finishSpaceRelease(); });
}

SkinButton::~SkinButton() { hideGlow(); }

void SkinButton::setCanFocused(bool on)
{
    m_canFocused = on;
    setFocusPolicy(on ? Qt::StrongFocus : Qt::NoFocus);
}

void SkinButton::setGlowLayer(std::unique_ptr<GlowLayer> layer)
{
    hideGlow();
    m_glow = std::move(layer);
}

void SkinButton::setGroupIndex(int index)
{
    SkinButtonBase::setGroupIndex(index);
    if (index != 0)
        setCanFocused(false);
}

void SkinButton::setCancel(bool on)
{
    m_cancel = on;
    if (on)
        watchWindow();
}

void SkinButton::buttonClick()
{
    click();
    if (m_canFocused && m_modalResult != 0)
        if (auto* dialog = qobject_cast<QDialog*>(window()))
            dialog->done(m_modalResult);
}

void SkinButton::accelerate()
{
    if (m_canFocused) {
        setFocus(Qt::ShortcutFocusReason);
        buttonClick();
    } else {
        // A grouped or check button cannot take the focus: the accelerator
        // works it as a press would.
        activate();
    }
}

bool SkinButton::showsPressed() const
{
    return m_down && (m_mouseIn || (focusedAndFocusable() && !m_mouseDown) || m_groupIndex != 0);
}

bool SkinButton::morphingOn() const
{
    return m_buttonRecord && m_look.morphing && m_binding.registry && !m_binding.registry->empty()
           && m_binding.registry->options().enableSkinEffects;
}

bool SkinButton::getSkinData()
{
    const bool bound = bindButtonLook();
    if (m_buttonRecord != m_facesRecord) {
        forgetFaces();
        m_facesRecord = m_buttonRecord;
    }
    // A button that takes any size has no shape of its own.
    if (m_buttonRecord && !m_useSkinSize)
        m_maskPicture = nullptr;
    return bound;
}

SkinButton::Face SkinButton::currentFace() const
{
    const bool focused = focusedAndFocusable();
    if (m_binding.isBound()) {
        if (!isEnabled() && !m_look.disabled.isEmpty())
            return Face::Disabled;
        // While the fade runs, every frame is a mix (its ends included).
        if (morphingOn() && fadeUnderWay() && isEnabled() && !showsPressed())
            return Face::CrossFade;
    }
    if (showsPressed())
        return Face::Pressed;
    if (focused && m_binding.isBound() && !m_look.focused.isEmpty() && !m_animation.running())
        return Face::Focused;
    if (focused || m_mouseIn)
        return Face::Hot;
    if (m_binding.isBound() && morphingOn() && fadeAtHot())
        return Face::Hot;
    return Face::Normal;
}

const SkinButton::StateFace& SkinButton::stateFace(const Rect& source, bool down, bool mouseIn, int width,
                                                   int height)
{
    const bool enabled = isEnabled();
    const bool focusFrame = m_look.showFocus && focusedAndFocusable();
    const qreal ratio = devicePixelRatioF();
    const bool textApart = !DeviceScale::fromRatio(ratio).isIdentity();
    for (const StateFace& f : m_stateFaces)
        if (f.source == source && f.width == width && f.height == height && f.down == down && f.mouseIn == mouseIn
            && f.enabled == enabled && f.focusFrame == focusFrame && f.skinFont == m_useSkinFont
            && f.textApart == textApart)
            return f;
    if (m_stateFaces.size() >= 8)
        m_stateFaces.erase(m_stateFaces.begin());
    StateFace& f = m_stateFaces.emplace_back();
    f = {source, width, height, down, mouseIn, enabled, focusFrame, m_useSkinFont, textApart, Bitmap(width, height), {}};
    std::optional<platform::TextCapture> text = captureTextOnDenseDevice(f.face, ratio);
    drawStateFace(f.face, source, down, mouseIn);
    if (text)
        f.text = text->take();
    return f;
}

void SkinButton::StateFace::drawInto(Bitmap& target) const
{
    face.draw(target, 0, 0);
    if (!text.empty())
        canvasOf(target).drawRuns(text, {0, 0});
}

void SkinButton::drawSkinFace(Bitmap& face)
{
    const int w = face.width();
    const int h = face.height();
    switch (currentFace()) {
    case Face::Disabled:
        stateFace(m_look.disabled, false, false, w, h).drawInto(face);
        break;
    case Face::Pressed:
        stateFace(m_look.down, true, true, w, h).drawInto(face);
        break;
    case Face::Focused:
        stateFace(m_look.focused, false, true, w, h).drawInto(face);
        break;
    case Face::Hot:
        stateFace(hotSource(), false, true, w, h).drawInto(face);
        break;
    case Face::Normal:
        stateFace(normalSource(), false, false, w, h).drawInto(face);
        break;
    case Face::CrossFade: {
        // The second face can move the first in the list: what is needed
        // of the first is copied before.
        const StateFace& normal = stateFace(m_look.normal, false, false, w, h);
        EffectBmp from(normal.face.view());
        const platform::TextRuns normalText = normal.text;
        const StateFace& active = stateFace(m_look.active, false, true, w, h);
        from.morphBy(m_look.morphKind, EffectBmp(active.face.view()), morphFactor());
        from.draw(face.surface(), 0, 0);
        // Text kept apart cannot be mixed: the nearer end's caption shows.
        canvasOf(face).drawRuns(morphFactor() < 0.5 ? normalText : active.text, {0, 0});
        break;
    }
    }
}

void SkinButton::drawStateFace(Bitmap& face, const Rect& source, bool down, bool mouseIn)
{
    const Rect textRect = composeStateBackground(face, source);
    Font font = m_useSkinFont && m_buttonRecord ? m_look.font : m_defaultFont;
    const Color colour = stateCaptionColour(down, mouseIn);
    if (m_look.showFocus && focusedAndFocusable())
        drawFocusFrame(face, textRect, colour);
    const int cell = glyphCellFor(m_content.numGlyphs, down, mouseIn, isEnabled());
    drawButtonContent(face, textRect, m_caption, font, colour, m_content, cell, down && mouseIn, isEnabled());
}

void SkinButton::drawDefaultFace(Bitmap& face)
{
    const Rect r{0, 0, face.width(), face.height()};
    const bool pressed = showsPressed();
    if (pressed)
        drawFramedFill(face, r, defaultPressedFrame, defaultPressedFill);
    else if (m_mouseIn || focusedAndFocusable())
        drawFramedFill(face, r, defaultHotFrame, defaultHotFill);
    else
        drawFramedFill(face, r, systemColorValue(SystemColor::BtnShadow), systemColorValue(SystemColor::BtnFace));
    const Color colour = isEnabled() ? m_defaultFont.color : systemColorValue(SystemColor::BtnShadow);
    const int cell = glyphCellFor(m_content.numGlyphs, m_down, m_mouseIn, isEnabled());
    drawButtonContent(face, r, m_caption, m_defaultFont, colour, m_content, cell, pressed, isEnabled());
}

void SkinButton::setDown(bool down)
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
    update();
}

void SkinButton::startMorph()
{
    if (!m_binding.isBound() || !morphingOn()) {
        update();
        return;
    }
    startFade();
}

void SkinButton::morphTick()
{
    stepFade(m_mouseIn || focusedAndFocusable(), m_binding.isBound() && morphingOn());
    update();
}

void SkinButton::beforeChangeSkinData()
{
    hideGlow();
    SkinControl::beforeChangeSkinData();
    m_buttonRecord = nullptr;
    // The registry frees its records: a new one may come at the same place.
    forgetFaces();
    m_facesRecord = nullptr;
}

void SkinButton::changeSkinData()
{
    m_animation.stop();
    jumpFade(false);
    forgetFaces();
    m_facesRecord = nullptr;
    SkinControl::changeSkinData();
    if (m_binding.isBound() && morphingOn() && (focusedAndFocusable() || m_mouseIn))
        jumpFade(true);
    if (m_mouseIn)
        showGlow();
}

// ---- glow

void SkinButton::showGlow()
{
    if (!m_glow || !m_buttonRecord || !m_binding.registry || m_binding.registry->empty() || !m_glow->available())
        return;
    if (!(m_binding.registry->options().showButtonGlowFrames || m_alwaysShowGlow) || m_buttonRecord->glowLayerPictureIndex == -1)
        return;
    if (!isVisible() || !isEnabled())
        return;
    Bitmap image;
    Bitmap mask;
    if (!composeButtonGlow(*m_binding.registry, *m_buttonRecord, m_geometry.mode, m_useSkinSize, width(), height(), image,
                           mask))
        return;
    const QPoint at = mapToGlobal(QPoint(0, 0))
                      - QPoint(m_buttonRecord->glowLayerShowOffsetX, m_buttonRecord->glowLayerShowOffsetY);
    const bool topMost = window()->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
    m_glow->show(at, image, mask, m_buttonRecord->glowLayerAlphaBlendValue, topMost);
    m_glowShown = true;
    // The glow stays where it was shown: moving, hiding or leaving the
    // window takes it away.
    watchWindow();
}

void SkinButton::watchWindow()
{
    if (m_watchedWindow == window())
        return;
    if (m_watchedWindow)
        m_watchedWindow->removeEventFilter(this);
    m_watchedWindow = window();
    m_watchedWindow->installEventFilter(this);
}

void SkinButton::setDefault(bool on)
{
    m_default = on;
    if (on)
        watchWindow();
}

bool SkinButton::takeDialogKey(int key, Qt::KeyboardModifiers modifiers)
{
    if (!isEnabled() || !isVisible())
        return false;
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    if (enter && m_default) {
        buttonClick();
        return true;
    }
    const bool plain = (modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) == 0;
    if (key == Qt::Key_Escape && m_cancel && m_canFocused && plain) {
        buttonClick();
        return true;
    }
    return false;
}

void SkinButton::hideGlow()
{
    // Whatever setting showed it, a glow shown is hidden again.
    if (!m_glowShown)
        return;
    m_glowShown = false;
    if (m_glow)
        m_glow->hide();
}

bool SkinButton::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_watchedWindow && event->type() == DialogKeyEvent::eventType()) {
        if (takeDialogKey(static_cast<DialogKeyEvent&>(*event).key(), Qt::NoModifier)) {
            event->accept();
            return true;
        }
    } else if (watched == m_watchedWindow && event->type() == QEvent::KeyPress) {
        // Escape that no control of the window took reaches the window.
        const auto& key = static_cast<QKeyEvent&>(*event);
        if (key.key() == Qt::Key_Escape && takeDialogKey(key.key(), key.modifiers())) {
            event->accept();
            return true;
        }
    } else if (watched == m_watchedWindow) {
        switch (event->type()) {
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::Hide:
        case QEvent::WindowDeactivate:
        case QEvent::WindowStateChange:
            hideGlow();
            break;
        default:
            break;
        }
    }
    return SkinControl::eventFilter(watched, event);
}

bool SkinButton::event(QEvent* event)
{
    if (event->type() == QEvent::WindowDeactivate)
        hideGlow();
    else if (event->type() == QEvent::ParentChange && m_default)
        watchWindow();
    return SkinButtonBase::event(event);
}

void SkinButton::moveEvent(QMoveEvent* event)
{
    hideGlow();
    SkinControl::moveEvent(event);
}

void SkinButton::hideEvent(QHideEvent* event)
{
    hideGlow();
    stopFade();
    SkinControl::hideEvent(event);
}

// ---- pointer

void SkinButton::enterEvent(QEnterEvent* event)
{
    SkinControl::enterEvent(event);
    if (!isEnabled())
        return;
    m_mouseIn = true;
    if (!focusedAndFocusable() || m_down) {
        if (m_down) {
            if (morphingOn())
                jumpFade(true);
            update();
        } else {
            startAnimation(true);
            startMorph();
        }
    }
    showGlow();
}

void SkinButton::leaveEvent(QEvent* event)
{
    SkinControl::leaveEvent(event);
    m_mouseIn = false;
    if (!focusedAndFocusable() || m_down) {
        if (!m_down)
            startAnimation(false);
        startMorph();
    }
    update();
    hideGlow();
}

void SkinButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && m_canFocused && !m_focused)
        setFocus(Qt::MouseFocusReason);
    SkinButtonBase::mousePressEvent(event);
}

// ---- keyboard and focus

void SkinButton::keyPressEvent(QKeyEvent* event)
{
    if (!m_canFocused) {
        SkinControl::keyPressEvent(event);
        return;
    }
    switch (event->key()) {
    case Qt::Key_Space:
        event->accept();
        // A held key repeats press and release; only the first press
        // counts, except for a repeating button, which clicks on each.
        if (event->isAutoRepeat()) {
            if (m_repeatMode && m_spaceDown)
                buttonClick();
            return;
        }
        if (m_spaceReleaseTimer.isActive()) {
            if (event->timestamp() != 0 && event->timestamp() == m_spaceReleaseTime) {
                // The press of a repeat pair: the key was never let go.
                m_spaceReleaseTimer.stop();
                return;
            }
            finishSpaceRelease();
        }
        m_animation.stop();
        m_spaceDown = true;
        setDown(true);
        if (m_repeatMode)
            buttonClick();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!event->isAutoRepeat())
            buttonClick();
        event->accept();
        return;
    default:
        SkinControl::keyPressEvent(event);
    }
}

void SkinButton::keyReleaseEvent(QKeyEvent* event)
{
    if (!m_canFocused || event->key() != Qt::Key_Space) {
        SkinControl::keyReleaseEvent(event);
        return;
    }
    event->accept();
    if (event->isAutoRepeat() || !m_spaceDown || m_spaceReleaseTimer.isActive())
        return;
    m_spaceReleaseTime = event->timestamp();
    m_spaceReleaseTimer.start();
}

void SkinButton::finishSpaceRelease()
{
    m_spaceReleaseTimer.stop();
    if (!m_spaceDown)
        return;
    m_spaceDown = false;
    setDown(false);
    buttonClick();
}

void SkinButton::focusInEvent(QFocusEvent* event)
{
    SkinControl::focusInEvent(event);
    // A popup menu closing gives the focus back: nothing changed for us.
    if (event->reason() == Qt::PopupFocusReason)
        return;
    m_focused = true;
    if (m_canFocused) {
        startAnimation(true);
        startMorph();
    }
    update();
}

void SkinButton::focusOutEvent(QFocusEvent* event)
{
    SkinControl::focusOutEvent(event);
    // A popup menu opening takes the focus for a while: the face stays.
    if (event->reason() == Qt::PopupFocusReason)
        return;
    m_focused = false;
    // A release already seen still clicks; a key still held does not.
    if (m_spaceReleaseTimer.isActive())
        finishSpaceRelease();
    m_spaceDown = false;
    stopRepeat();
    if (m_down && !m_mouseDown && m_groupIndex == 0)
        m_down = false;
    if (m_canFocused) {
        startAnimation(false);
        startMorph();
    }
    update();
}

void SkinButton::changeEvent(QEvent* event)
{
    SkinControl::changeEvent(event);
    if (event->type() == QEvent::EnabledChange) {
        m_animation.stop();
        stopRepeat();
        jumpFade(false);
        m_mouseIn = false;
        m_spaceDown = false;
        m_spaceReleaseTimer.stop();
        hideGlow();
        update();
    }
}

} // namespace tessaly::skin
