#include "skin/frame/caption_button.h"

#include <algorithm>

#include "skin/data/skin_data.h"
#include "skin/frame/caption_painter.h"
#include "skin/frame/layer_manager.h"
#include "skin/frame/system_menu.h"

namespace tessaly::skin {

namespace {

void copyCommon(FrameObject& o, const SkinData& sd, const DataSkinObject& record)
{
    o.fromRecord = true;
    o.idName = record.idName;
    o.hint = record.hint;
    o.info.skinRect = record.skinRect;
    o.info.skinRectInAPicture = record.skinRectInAPicture;
    o.activePicture = sd.activePicture(record.activePictureIndex);
    if (const Picture* mask = sd.activePicture(record.activeMaskPictureIndex))
        o.info.hitMask = pixelView(*mask);
    o.activeSkinRect = o.activePicture ? record.activeSkinRect : Rect{};
    o.inActiveSkinRect = record.inActiveSkinRect;
    o.morphing = record.morphing && !o.activeSkinRect.isEmpty();
    o.morphKind = record.morphKind;
    o.glowLayerPictureIndex = record.glowLayerPictureIndex;
    o.glowLayerMaskPictureIndex = record.glowLayerMaskPictureIndex;
    o.glowLayerOffsetX = record.glowLayerOffsetX;
    o.glowLayerOffsetY = record.glowLayerOffsetY;
    o.glowLayerAlphaBlendValue = record.glowLayerAlphaBlendValue;
}

} // namespace

std::optional<CaptionButton> CaptionButton::fromRecord(const SkinData& sd, const DataSkinObject& record)
{
    CaptionButton b;
    FrameObject& o = b.m_look;
    if (const auto* caption = dynamic_cast<const DataSkinCaption*>(&record)) {
        o.info.kind = FrameObjectInfo::Kind::Caption;
        o.caption = caption;
    } else if (const auto* button = dynamic_cast<const DataSkinStdButton*>(&record);
               button && !dynamic_cast<const DataSkinMainMenuBarButton*>(&record)) {
        o.info.kind = FrameObjectInfo::Kind::StdButton;
        o.info.command = button->command;
        o.downRect = button->downRect;
        o.disableSkinRect = button->disableSkinRect;
        o.alphaMaskPictureIndex = button->alphaMaskPictureIndex;
        o.alphaMaskActivePictureIndex = button->alphaMaskActivePictureIndex;
        o.alphaMaskInActivePictureIndex = button->alphaMaskInActivePictureIndex;
        o.restoreRect = button->restoreRect;
        o.restoreActiveRect = button->restoreActiveRect;
        o.restoreDownRect = button->restoreDownRect;
        o.restoreInActiveRect = button->restoreInActiveRect;
        o.restoreHint = button->restoreHint;
    } else if (dynamic_cast<const DataUserObject*>(&record)) {
        o.info.kind = FrameObjectInfo::Kind::User;
    } else if (const auto* plain = dynamic_cast<const DataSkinButton*>(&record)) {
        o.info.kind = FrameObjectInfo::Kind::Button;
        o.downRect = plain->downRect;
        o.disableSkinRect = plain->disableSkinRect;
        o.alphaMaskPictureIndex = plain->alphaMaskPictureIndex;
        o.alphaMaskActivePictureIndex = plain->alphaMaskActivePictureIndex;
        o.alphaMaskInActivePictureIndex = plain->alphaMaskInActivePictureIndex;
    } else if (const auto* animate = dynamic_cast<const DataSkinAnimate*>(&record)) {
        o.info.kind = FrameObjectInfo::Kind::Animate;
        o.info.command = animate->command;
        o.downRect = animate->downSkinRect;
        o.restoreRect = animate->restoreRect;
        o.restoreActiveRect = animate->restoreActiveRect;
        o.restoreDownRect = animate->restoreDownRect;
        o.restoreInActiveRect = animate->restoreInActiveRect;
        o.restoreHint = animate->restoreHint;
        o.animation.countFrames = std::max(animate->countFrames, 1);
        o.animation.cycle = animate->cycle;
        o.animation.buttonStyle = animate->buttonStyle;
        // A frame lasts one tick of the shared timer at least.
        o.animation.timerInterval = std::max(animate->timerInterval, kAnimateTick);
    } else {
        return std::nullopt;
    }
    copyCommon(o, sd, record);
    // An animate object plays frames; it never cross-fades.
    if (o.isAnimate())
        o.morphing = false;
    return b;
}

CaptionButton CaptionButton::defaultButton(StdCommand command, const char* idName)
{
    CaptionButton b;
    b.m_look.idName = idName;
    b.m_look.info.kind = FrameObjectInfo::Kind::StdButton;
    b.m_look.info.command = command;
    b.m_look.info.skinRect = {0, 0, 1, 1};
    return b;
}

CaptionButton::~CaptionButton() = default;
CaptionButton::CaptionButton(CaptionButton&&) noexcept = default;
CaptionButton& CaptionButton::operator=(CaptionButton&&) noexcept = default;

CaptionButton::CaptionButton(const CaptionButton& other)
    : m_look(other.m_look)
{
}

CaptionButton& CaptionButton::operator=(const CaptionButton& other)
{
    if (this != &other) {
        m_look = other.m_look;
        m_glow.reset();
    }
    return *this;
}

void CaptionButton::applyBorderIcons(unsigned icons, const CustomObjectOffer& offered)
{
    // Only command buttons depend on the window's caption buttons; an
    // animate object is one when it behaves as a button.
    if (isCaption() || m_look.isPlainButton() || m_look.isUserObject()
        || (m_look.isAnimate() && !m_look.animation.buttonStyle))
        return;
    FrameObject& o = m_look;
    const bool inPicture = o.info.skinRectInAPicture;
    // A button the window lacks is drawn disabled where the frame picture
    // has it painted in; otherwise it goes.
    auto offer = [&](unsigned icon, bool shownDisabled) {
        o.enabled = (icons & icon) != 0;
        o.info.visible = o.enabled || shownDisabled;
    };
    switch (o.info.command) {
    case StdCommand::Close:
        break;
    case StdCommand::Maximize:
        offer(BorderIcon::Maximize, !inPicture);
        break;
    case StdCommand::Minimize:
        offer(BorderIcon::Minimize, !inPicture);
        break;
    case StdCommand::SysMenu:
        offer(BorderIcon::SystemMenu, !inPicture);
        break;
    case StdCommand::Default:
        // Shown only when the window offers it.
        o.info.visible = offered && offered(o.idName);
        break;
    case StdCommand::RollUp:
        offer(BorderIcon::RollUp, !inPicture);
        break;
    case StdCommand::MinimizeToTray:
        offer(BorderIcon::MinimizeToTray, !inPicture);
        break;
    }
}

bool CaptionButton::runsCommandOnRelease() const
{
    const FrameObject& o = m_look;
    if (isCaption() || o.isPlainButton() || o.isUserObject())
        return false;
    if (o.isAnimate())
        return o.animation.buttonStyle && o.mouseIn && o.info.command != StdCommand::SysMenu
            && o.info.command != StdCommand::Default;
    return o.active;
}

CaptionButton::Next CaptionButton::enterAnimate()
{
    AnimateFrames& a = m_look.animation;
    if (!a.buttonStyle)
        return Next::Nothing;
    m_look.active = true;
    a.forwards = a.playing = true;
    return Next::Animate;
}

CaptionButton::Next CaptionButton::leaveAnimate()
{
    AnimateFrames& a = m_look.animation;
    if (!a.buttonStyle)
        return Next::Nothing;
    m_look.active = false;
    a.forwards = false;
    a.playing = a.frame > 1;
    // Let go while pressed, it shows its frame again.
    return a.playing ? Next::Animate : Next::Redraw;
}

CaptionButton::Next CaptionButton::enter(bool effects)
{
    FrameObject& o = m_look;
    o.mouseIn = true;
    if (isCaption())
        return Next::Nothing;
    if (o.isAnimate())
        return enterAnimate();
    o.active = true;
    if (o.downRect.isEmpty() || !o.down) {
        if (o.activeSkinRect.isEmpty())
            return Next::Nothing;
        return fades(effects) ? Next::Fade : Next::Redraw;
    }
    // Back over a button held down: it shows pressed at once.
    if (fades(effects))
        o.fade.jumpTo(true);
    return Next::Redraw;
}

CaptionButton::Next CaptionButton::leave(bool effects)
{
    m_look.mouseIn = false;
    if (isCaption())
        return Next::Nothing;
    hideGlow();
    if (m_look.isAnimate())
        return leaveAnimate();
    m_look.active = false;
    return fades(effects) ? Next::Fade : Next::Redraw;
}

CaptionButton::Next CaptionButton::setPressed(bool value, bool effects)
{
    m_look.down = value;
    if (m_look.isAnimate()) {
        // A press on an object with a pressed look jumps to the last frame,
        // which the released object plays on from.
        if (value && !m_look.downRect.isEmpty())
            m_look.animation.frame = m_look.animation.countFrames;
        return !value && m_look.animation.playing ? Next::Animate : Next::Nothing;
    }
    if (fades(effects) && m_look.active)
        m_look.fade.jumpTo(true);
    return fades(effects) && !m_look.down ? Next::Fade : Next::Nothing;
}

bool CaptionButton::fadeTick(bool effects)
{
    // A button held down by its open menu keeps its look.
    if (m_look.menu && m_look.down)
        return false;
    return fades(effects) && m_look.fade.stepTowards(m_look.active);
}

CaptionButton::Transition CaptionButton::activate(bool active, bool effects)
{
    Transition t;
    FrameObject& o = m_look;
    if (!isCaption())
        return t;
    o.active = active;
    if (captionAnimationEnabled(o, effects)) {
        // Activation plays the frames forwards from the first; deactivation
        // backwards from the last, or not at all.
        o.currentFrame = active ? 1 : (o.caption->inActiveAnimation ? o.caption->frameCount : 0);
        o.incTime = 0;
        t.animate = o.currentFrame > 0;
    }
    if (fades(effects))
        t.fade = o.fade.canStepTowards(active);
    else
        o.fade.jumpTo(active);
    return t;
}

bool CaptionButton::settle(bool active)
{
    if (!isCaption())
        return false;
    // The animation stands at its end: past the last frame when active, so
    // that a tick of the shared timer (run for another object) does not
    // play it again.
    const int end = active && m_look.caption ? m_look.caption->frameCount + 1 : 0;
    const bool changed = m_look.active != active || m_look.fade.step() != (active ? CrossFade::kSteps : 0)
        || (m_look.currentFrame != end && m_look.currentFrame != 0);
    m_look.active = active;
    m_look.fade.jumpTo(active);
    m_look.currentFrame = end;
    m_look.incTime = 0;
    return changed;
}

bool CaptionButton::animateTick(bool effects, bool& stepped)
{
    stepped = false;
    if (m_look.isAnimate())
        return framesTick(stepped);
    return captionTick(effects, stepped);
}

bool CaptionButton::framesTick(bool& stepped)
{
    AnimateFrames& a = m_look.animation;
    // A pressed object with a pressed look shows that, and waits.
    if (!a.playing || (m_look.down && !m_look.downRect.isEmpty()))
        return false;
    // Time gathers until a whole interval has passed; the frame then
    // steps, and the next interval has begun with this tick.
    if (a.inc < a.timerInterval) {
        a.inc += kAnimateTick;
        return true;
    }
    a.inc = kAnimateTick;
    const int before = a.frame;
    if (a.forwards)
        a.frame = a.frame < a.countFrames ? a.frame + 1 : (a.cycle ? 1 : a.frame);
    else
        a.frame = std::max(a.frame - 1, 1);
    stepped = a.frame != before;
    // At its end it stands still: the last frame (unless it cycles), or
    // the first on the way back.
    const bool cycles = a.forwards && a.cycle && a.countFrames > 1;
    if (!cycles && a.frame == (a.forwards ? a.countFrames : 1))
        a.playing = false;
    return true;
}

bool CaptionButton::captionTick(bool effects, bool& stepped)
{
    FrameObject& o = m_look;
    if (!isCaption() || !captionAnimationEnabled(o, effects))
        return false;
    const bool forwards = o.active;
    if (forwards ? o.currentFrame > o.caption->frameCount : o.currentFrame <= 0)
        return false;
    // Time gathers until a whole interval has passed; the frame then
    // steps, and the next interval has begun with this tick.
    if (o.incTime < o.caption->animateInterval) {
        o.incTime += kAnimateTick;
        return true;
    }
    o.currentFrame += forwards ? 1 : -1;
    o.incTime = kAnimateTick;
    stepped = true;
    return true;
}

void CaptionButton::showHot()
{
    m_look.active = m_look.mouseIn = true;
    m_look.fade.jumpTo(true);
    // An animate button hovered long enough rests on its last frame.
    if (m_look.isAnimate() && m_look.animation.buttonStyle)
        m_look.animation.frame = m_look.animation.countFrames;
}

void CaptionButton::reset()
{
    if (!isCaption())
        m_look.resetState();
}

void CaptionButton::showGlow(const SkinData& sd, const QPoint& buttonOnScreen)
{
    const FrameObject& o = m_look;
    if (isCaption() || o.glowLayerPictureIndex == -1 || !sd.options().showCaptionButtonGlowFrames)
        return;
    const Picture* picture = sd.activePicture(o.glowLayerPictureIndex);
    const Picture* mask = sd.activePicture(o.glowLayerMaskPictureIndex);
    if (!picture)
        return;
    if (!m_glow)
        m_glow = std::make_unique<LayerManager>();
    m_glow->show(buttonOnScreen - QPoint(o.glowLayerOffsetX, o.glowLayerOffsetY), pixelView(*picture),
                 mask ? pixelView(*mask) : PixelView{}, o.glowLayerAlphaBlendValue);
}

void CaptionButton::hideGlow()
{
    if (m_glow && m_glow->isVisible())
        m_glow->hide();
}

} // namespace tessaly::skin
