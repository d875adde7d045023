#include "skin/frame/caption_buttons.h"

#include <QApplication>
#include <QCursor>
#include <QTimerEvent>

#include "platform/qt_frameless_window.h"
#include "platform/qt_geometry.h"
#include "skin/data/skin_data.h"
#include "skin/frame/form_layer_border.h"
#include "skin/frame/form_layer_window.h"
#include "skin/frame/layer_manager.h"
#include "skin/frame/skin_frame.h"
#include "skin/menus/skin_hint.h"
#include "skin/menus/skin_menu.h"
#include "skin/menus/skin_popup_menu.h"

namespace tessaly::skin {

CaptionButtons::CaptionButtons(SkinFrame& frame)
    : m_frame(frame)
{
}

std::vector<FrameObjectInfo> CaptionButtons::infos() const
{
    std::vector<FrameObjectInfo> infos;
    infos.reserve(m_objects.size());
    for (const CaptionButton& b : m_objects)
        infos.push_back(b.look().info);
    return infos;
}

int CaptionButtons::getIndex(std::string_view idName) const
{
    for (std::size_t i = 0; i < m_objects.size(); ++i)
        if (m_objects[i].idName() == idName)
            return int(i);
    return -1;
}

LayerManager* CaptionButtons::glow(int index) const
{
    if (index < 0 || std::size_t(index) >= m_objects.size())
        return nullptr;
    return m_objects[std::size_t(index)].glow();
}

bool CaptionButtons::effectsOn() const { return m_frame.effectsOn(); }

// ---- skin changes --------------------------------------------------------------

void CaptionButtons::create(const SkinData* sd)
{
    clear();
    if (sd) {
        for (const auto& record : sd->objectList())
            if (std::optional<CaptionButton> b = CaptionButton::fromRecord(*sd, *record))
                m_objects.push_back(std::move(*b));
        for (CaptionButton& b : m_objects) {
            const auto linked = m_linkedMenus.find(b.idName());
            if (linked != m_linkedMenus.end() && b.takesMenu())
                b.linkMenu(linked->second.menu, linked->second.up);
        }
        settleCaption(false);
        return;
    }
    const std::pair<StdCommand, const char*> buttons[] = {
        {StdCommand::Close, "closebutton"},     {StdCommand::Maximize, "maxbutton"},
        {StdCommand::Minimize, "minbutton"},    {StdCommand::RollUp, "rollupbutton"},
        {StdCommand::SysMenu, "sysmenubutton"}, {StdCommand::MinimizeToTray, "traybutton"}};
    for (const auto& [command, name] : buttons)
        m_objects.push_back(CaptionButton::defaultButton(command, name));
}

void CaptionButtons::clear()
{
    hideLayers();
    m_objects.clear();
    ++m_build;
    m_activeObject = m_mouseCaptureObject = -1;
}

void CaptionButtons::applyBorderIcons(unsigned icons)
{
    for (CaptionButton& b : m_objects)
        b.applyBorderIcons(icons, m_customOffer);
}

void CaptionButtons::setEnabled(std::string_view idName, bool on)
{
    const int index = getIndex(idName);
    if (index < 0 || m_objects[std::size_t(index)].enabled() == on)
        return;
    if (!on && m_activeObject == index)
        deactivateAll();
    m_objects[std::size_t(index)].setEnabled(on);
    m_frame.redrawObject(index);
}

void CaptionButtons::linkMenu(const std::string& idName, SkinPopupMenu* menu, bool up)
{
    if (menu)
        m_linkedMenus[idName] = {menu, up};
    else
        m_linkedMenus.erase(idName);
    for (CaptionButton& b : m_objects)
        if (b.idName() == idName && b.takesMenu())
            b.linkMenu(menu, up);
}

void CaptionButtons::setWindowActive(bool active)
{
    for (CaptionButton& b : m_objects)
        if (b.isCaption())
            b.setWindowActive(active);
}

// ---- the pointer -----------------------------------------------------------------

void CaptionButtons::track(const QPoint& p) { testActiveObject(p, true); }

void CaptionButtons::pointerMoved(const QPoint& p)
{
    testActiveObject(p, true);
    if (m_activeObject >= 0 && m_frame.formActive() && !m_mouseTimer.isActive())
        m_mouseTimer.start(kMouseTimerInterval, this);
}

void CaptionButtons::pointerLeft()
{
    // Where the pointer went is asked, not assumed: a glow appearing under
    // it can make the window see a leave while the pointer still rests on
    // the button.
    if (m_mouseCaptureObject == -1 && m_frame.formActive() && !m_frame.sizing().running())
        mouseTick();
}

bool CaptionButtons::leftPress(const QPoint& p, bool doubleClick)
{
    testActiveObject(p, true);
    if (m_activeObject < 0 || m_objects[std::size_t(m_activeObject)].isCaption()) {
        m_mouseCaptureObject = -1;
        return false;
    }
    const int index = m_mouseCaptureObject = m_activeObject;
    // A double click on the system-menu button closes the window, once
    // the menu its first click opened has closed.
    if (doubleClick && m_objects[std::size_t(index)].command() == StdCommand::SysMenu)
        m_frame.systemMenuPart().buttonDoubleClicked();
    else
        mouseDown(index);
    return true;
}

void CaptionButtons::rightPress(const QPoint& p, const QPoint& global, bool doubleClick, bool onCaption)
{
    testActiveObject(p, true);
    if (onCaption && !doubleClick) {
        m_mouseCaptureObject = -1;
        m_frame.systemMenuPart().showAt(global);
    }
}

bool CaptionButtons::leftRelease(const QPoint& p)
{
    if (m_mouseCaptureObject < 0)
        return false;
    const int index = m_mouseCaptureObject;
    m_mouseCaptureObject = -1;
    if (std::size_t(index) < m_objects.size())
        mouseUp(index);
    // Released elsewhere: the pointer may rest on another object now.
    if (m_activeObject == -1)
        testActiveObject(p, true);
    return true;
}

void CaptionButtons::testActiveObject(const QPoint& p, bool track)
{
    if (m_objects.empty() || !m_frame.formActive() || m_closing || m_frame.sizing().running())
        return;
    const int old = m_activeObject;
    int found = track && p.x() >= 0 ? m_frame.objectAt(p) : -1;
    if (m_mouseCaptureObject != -1 && found != m_mouseCaptureObject)
        found = -1;
    m_activeObject = found;
    if (m_activeObject == old)
        return;
    if (old >= 0 && std::size_t(old) < m_objects.size())
        mouseLeave(old);
    if (m_activeObject >= 0)
        mouseEnter(m_activeObject);
}

void CaptionButtons::mouseEnter(int index)
{
    CaptionButton& b = m_objects[std::size_t(index)];
    if (!b.tracksPointer())
        return;
    const CaptionButton::Next next = b.enter(effectsOn());
    if (b.isCaption())
        return;
    // Back over an animate object held down: its pressed look shows again.
    if (b.isAnimate() && b.down())
        m_frame.redrawObject(index);
    follow(next, index);
    showLayer(index);
    showHint(index);
}

void CaptionButtons::showHint(int index)
{
    SkinHint* hint = m_frame.skinHint();
    if (!m_frame.showObjectHint() || !hint)
        return;
    const WindowStates& states = m_frame.windowStates();
    const std::string& text = m_objects[std::size_t(index)].hintFor(
        states.state() == WindowState::Maximized, states.state() == WindowState::Minimized, states.rollUpState());
    // Shadowed only while the frame can show translucent windows.
    hint->setLayeredWindowsAvailable(m_frame.layeredWindowsAvailable());
    if (!text.empty())
        hint->activateHint3(m_frame.objectOnScreen(index), QString::fromStdString(text), false);
}

void CaptionButtons::mouseLeave(int index)
{
    CaptionButton& b = m_objects[std::size_t(index)];
    if (!b.tracksPointer())
        return;
    const CaptionButton::Next next = b.leave(effectsOn());
    if (b.isCaption())
        return;
    if (SkinHint* hint = m_frame.skinHint(); hint && m_frame.showObjectHint())
        hint->hideHint();
    m_frame.redrawObject(index);
    follow(next, index);
}

void CaptionButtons::setPressed(int index, bool value)
{
    const CaptionButton::Next next = m_objects[std::size_t(index)].setPressed(value, effectsOn());
    m_frame.redrawObject(index);
    follow(next, index);
}

void CaptionButtons::mouseDown(int index)
{
    const CaptionButton& b = m_objects[std::size_t(index)];
    if (b.isCaption() || !b.enabled() || b.down())
        return;
    setPressed(index, true);
    // The system menu opens on press; the button stays down while it is open.
    if (b.isPlainButton() || (b.takesMenu() && b.command() == StdCommand::Default))
        popupButtonMenu(index);
    else if (b.command() == StdCommand::SysMenu)
        m_frame.systemMenuPart().showFromButton(m_frame.objectOnScreen(index));
}

void CaptionButtons::popupButtonMenu(int index)
{
    const CaptionButton& b = m_objects[std::size_t(index)];
    SkinPopupMenu* menu = b.menu();
    if (!menu || menu->items().count() == 0)
        return;
    hideLayers();
    if (b.look().mouseIn)
        showLayer(index);
    // The menu runs on the frame's engine, which tells the frame when it
    // closes; the button comes up then.
    if (!menu->skinComponent())
        menu->setSkinComponent(&m_frame);
    menu->popupFromRect(m_frame.objectOnScreen(index), b.look().popupUp);
}

void CaptionButtons::mouseUp(int index)
{
    const CaptionButton& b = m_objects[std::size_t(index)];
    if (b.isCaption())
        return;
    const bool runs = b.runsCommandOnRelease();
    // The button is drawn released before its command runs; one whose menu
    // is open stays down until the menu closes.
    if (b.enabled() && b.down() && !(b.menu() && b.takesMenu()))
        setPressed(index, false);
    if (runs)
        doCommand(index);
}

void CaptionButtons::doCommand(int index)
{
    WindowStates& states = m_frame.windowStates();
    switch (m_objects[std::size_t(index)].command()) {
    case StdCommand::Close:
        deactivateAll();
        m_closing = true;
        // Closing may destroy the window: it runs after the release has been
        // handled completely, from the event loop.
        QMetaObject::invokeMethod(m_frame.window(), &QWidget::close, Qt::QueuedConnection);
        break;
    case StdCommand::Maximize:
        quiet();
        states.changeWindowState(states.state() == WindowState::Maximized ? WindowState::Normal
                                                                           : WindowState::Maximized);
        break;
    case StdCommand::Minimize:
        quiet();
        states.changeWindowState(WindowState::Minimized);
        break;
    case StdCommand::MinimizeToTray:
        // The program has no tray icon: nothing to minimise to.
        quiet();
        break;
    case StdCommand::RollUp:
        states.switchRollUp(!states.rollUpState());
        break;
    case StdCommand::SysMenu: // the menu opens on press
    case StdCommand::Default:
        break;
    }
}

void CaptionButtons::activationChanged()
{
    hideLayers();
    const bool active = m_frame.formActive();
    if (!active) {
        // Deactivate while the frame still counts the window as active.
        m_activeObject = m_mouseCaptureObject = -1;
        m_mouseTimer.stop();
    }
    for (CaptionButton& b : m_objects)
        b.reset();
    m_morphTimer.stop();
    // The caption sets out towards its new look; its picture in the
    // window's new state is made current before that shows.
    for (std::size_t i = 0; i < m_objects.size(); ++i) {
        const CaptionButton::Transition t = m_objects[i].activate(active, effectsOn());
        if (t.fade)
            m_morphTimer.start(kMorphInterval, this);
        if (t.animate)
            m_animateTimer.start(kAnimateInterval, this);
        if (t.fade || t.animate)
            m_frame.redrawObject(int(i));
    }
    if (active) {
        redrawButtons();
        m_mouseTimer.start(kMouseTimerInterval, this);
    }
}

void CaptionButtons::settleCaption(bool redraw)
{
    for (std::size_t i = 0; i < m_objects.size(); ++i)
        if (m_objects[i].settle(m_frame.formActive()) && redraw)
            m_frame.redrawObject(int(i));
}

void CaptionButtons::menuClosed()
{
    if (LayerManager* g = glow(getIndex("sysmenubutton")))
        g->hide();
    // The button that opened the menu comes up; its release went to the menu.
    for (std::size_t i = 0; i < m_objects.size(); ++i) {
        if (!m_objects[i].isCaption() && m_objects[i].down()) {
            setPressed(int(i), false);
            break;
        }
    }
    m_mouseCaptureObject = -1;
}

// ---- glows -------------------------------------------------------------------------

void CaptionButtons::showLayer(int index)
{
    if (!m_frame.skinSupport())
        return;
    const Rect at = m_frame.objectOnScreen(index);
    m_objects[std::size_t(index)].showGlow(*m_frame.skinData(), platform::toQPoint({at.left, at.top}));
}

void CaptionButtons::hideLayers()
{
    for (CaptionButton& b : m_objects)
        b.hideGlow();
}

// ---- what the frame's other parts ask ---------------------------------------------

void CaptionButtons::quiet()
{
    deactivateAll();
    hideLayers();
}

void CaptionButtons::stop()
{
    hideLayers();
    m_mouseTimer.stop();
}

void CaptionButtons::resume()
{
    if (m_frame.formActive())
        m_mouseTimer.start(kMouseTimerInterval, this);
}

void CaptionButtons::release()
{
    m_frame.skinMenu().hide();
    stopTimers();
    hideLayers();
    m_activeObject = m_mouseCaptureObject = -1;
    for (CaptionButton& b : m_objects)
        b.reset();
    // The timers stopped: the caption goes straight to its look.
    settleCaption(true);
    redrawButtons();
}

void CaptionButtons::stopTimers()
{
    m_mouseTimer.stop();
    m_morphTimer.stop();
    m_animateTimer.stop();
}

void CaptionButtons::redrawButtons()
{
    for (std::size_t i = 0; i < m_objects.size(); ++i)
        if (!m_objects[i].isCaption())
            m_frame.redrawObject(int(i));
}

// ---- the timers --------------------------------------------------------------------

void CaptionButtons::follow(CaptionButton::Next next, int index)
{
    if (next == CaptionButton::Next::Fade)
        m_morphTimer.start(kMorphInterval, this);
    else if (next == CaptionButton::Next::Redraw)
        m_frame.redrawObject(index);
    else if (next == CaptionButton::Next::Animate && !m_animateTimer.isActive())
        m_animateTimer.start(kAnimateInterval, this);
}

void CaptionButtons::morphTick()
{
    bool moved = false;
    for (std::size_t i = 0; i < m_objects.size(); ++i) {
        if (!m_objects[i].fadeTick(effectsOn()))
            continue;
        moved = true;
        m_frame.redrawObject(int(i));
    }
    if (!moved)
        m_morphTimer.stop();
}

void CaptionButtons::animateTick()
{
    bool moved = false;
    for (std::size_t i = 0; i < m_objects.size(); ++i) {
        bool stepped = false;
        if (!m_objects[i].animateTick(effectsOn(), stepped))
            continue;
        moved = true;
        if (stepped)
            m_frame.redrawObject(int(i));
    }
    if (!moved)
        m_animateTimer.stop();
}

void CaptionButtons::mouseTick()
{
    if (!m_frame.formActive() || m_frame.sizing().running()) {
        m_mouseTimer.stop();
        return;
    }
    QWidget* window = m_frame.window();
    const QPoint global = QCursor::pos();
    if (FormLayerBorder* border = m_frame.layerBorder(); border && border->fullBorder()) {
        // The objects are the top strip's: the pointer counts there alone.
        const QWidget* strip = border->window(FormLayerBorderType::Top);
        if (!strip || QApplication::topLevelAt(global) != strip) {
            m_mouseTimer.stop();
            deactivateAll();
            return;
        }
        testActiveObject(global - strip->geometry().topLeft(), true);
        return;
    }
    // A glow lies over its button but lets the pointer through: under a
    // glow the pointer counts as over whatever the glow covers.
    QWidget* under = QApplication::topLevelAt(global);
    if (dynamic_cast<LayerWindow*>(under) && window->geometry().contains(global))
        under = window;
    if (under != window) {
        m_mouseTimer.stop();
        deactivateAll();
        return;
    }
    // The window has no decoration: its geometry is its place (see
    // SkinFrame::objectOnScreen).
    const QPoint p = global - window->geometry().topLeft();
    if (m_frame.layout().clientRect.contains(platform::toPoint(p))) {
        if (m_activeObject >= 0)
            testActiveObject(QPoint(-1, -1), true);
    } else {
        testActiveObject(p, true);
    }
}

void CaptionButtons::timerEvent(QTimerEvent* event)
{
    if (event->timerId() == m_morphTimer.timerId())
        morphTick();
    else if (event->timerId() == m_mouseTimer.timerId())
        mouseTick();
    else if (event->timerId() == m_animateTimer.timerId())
        animateTick();
    else
        QObject::timerEvent(event);
}

} // namespace tessaly::skin
