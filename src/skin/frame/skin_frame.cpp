#include "skin/frame/skin_frame.h"

#include <QApplication>
#include <QCursor>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <QTimerEvent>
#include <QWindow>
#include <algorithm>

#include "platform/qt_compositor.h"
#include "platform/qt_frameless_window.h"
#include "platform/qt_system_move.h"
#include "skin/data/skin_data.h"
#include "skin/frame/application_notifier.h"
#include "skin/frame/form_layer_border.h"
#include "skin/frame/frame_cursor.h"
#include "skin/frame/layer_manager.h"
#include "skin/controls/skin_notice_event.h"
#include "skin/menus/skin_menu.h"
#include "skin/paint/bitmap_canvas.h"

namespace tessaly::skin {

namespace {

QRect qrect(const Rect& r) { return QRect(r.left, r.top, r.width(), r.height()); }

bool contains(const Rect& r, const QPoint& p)
{
    return p.x() >= r.left && p.x() < r.right && p.y() >= r.top && p.y() < r.bottom;
}

std::optional<FrameSkinGeometry> geometryOf(const SkinData* sd, bool skinSupport)
{
    return skinSupport ? std::optional(FrameSkinGeometry::from(*sd)) : std::nullopt;
}

} // namespace

SkinFrame::SkinFrame(platform::FramelessWindow* window)
    : QObject(window)
    , m_window(window)
{
    m_window->installEventFilter(this);
    ApplicationNotifier::instance().addWindow(m_window);
    m_skinMenu = std::make_unique<SkinMenu>(m_window, this);
    m_windowStates = std::make_unique<WindowStates>(*this);
    m_sizing = std::make_unique<PointerSizing>(*this);
    m_systemMenu = std::make_unique<SystemMenu>(*this);
    m_layerBorder = std::make_unique<FormLayerBorder>(this, *m_sizing);
    applySkin();
}

SkinFrame::~SkinFrame()
{
    // The engine tells its frame when it closes: close it while the frame
    // is still whole.
    m_skinMenu->hide();
    m_window->removeEventFilter(this);
    ApplicationNotifier::instance().removeWindow(m_window);
}

void SkinFrame::setSkinData(SkinData* sd)
{
    m_sd = sd;
    applySkin();
}

void SkinFrame::setBorderIcons(unsigned icons)
{
    m_borderIcons = icons;
    applyBorderIcons();
    updateFrame();
}

bool SkinFrame::formActive() const
{
    // The window manager takes the keyboard while it moves or sizes the
    // window, which Qt reports as a deactivation: the window keeps its
    // active look until the move ends, unless another window of the
    // program became active.
    if (m_sizing->startedActive() && QApplication::activeWindow() == nullptr)
        return true;
    return m_window->isActiveWindow();
}

std::vector<FrameObjectInfo> SkinFrame::objectInfos() const
{
    std::vector<FrameObjectInfo> infos;
    infos.reserve(m_objects.size());
    for (const CaptionButton& b : m_objects)
        infos.push_back(b.look().info);
    return infos;
}

int SkinFrame::getIndex(std::string_view idName) const
{
    for (std::size_t i = 0; i < m_objects.size(); ++i)
        if (m_objects[i].idName() == idName)
            return int(i);
    return -1;
}

Rect SkinFrame::objectOnScreen(int index) const
{
    if (index < 0 || std::size_t(index) >= m_layout.objectRects.size())
        return {};
    const Rect r = m_layout.objectRects[std::size_t(index)];
    // The window has no decoration: its geometry is its place on the screen
    // (mapToGlobal would ask the server, which may lag behind the window
    // manager's placement of a window just shown).
    const QPoint at = m_window->geometry().topLeft();
    return {r.left + at.x(), r.top + at.y(), r.right + at.x(), r.bottom + at.y()};
}

LayerManager* SkinFrame::glow(int index) const
{
    if (index < 0 || std::size_t(index) >= m_objects.size())
        return nullptr;
    return m_objects[std::size_t(index)].glow();
}

// ---- skin changes --------------------------------------------------------------

void SkinFrame::applySkin()
{
    m_activeObject = m_mouseCaptureObject = -1;
    m_skinSupport = m_sd && !m_sd->empty();
    hideLayers();
    m_layerBorder->initFrame(m_skinSupport ? m_sd : nullptr);
    createObjects();
    applyBorderIcons();
    // The old limits let go first, so that the window takes its new size in
    // one step; the new ones follow.
    m_window->setMinimumSize(0, 0);
    m_window->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    applySize();
    applySizeLimits();
    updateFrame();
    if (formActive())
        m_mouseTimer.start(kMouseTimerInterval, this);
    m_layerBorder->setActive(formActive());
    m_layerBorder->update();
}

void SkinFrame::clearObjects()
{
    hideLayers();
    m_objects.clear();
    m_activeObject = m_mouseCaptureObject = -1;
    m_layoutDirty = true;
}

void SkinFrame::createObjects()
{
    clearObjects();
    if (m_skinSupport) {
        for (const auto& record : m_sd->objectList())
            if (std::optional<CaptionButton> b = CaptionButton::fromRecord(*m_sd, *record))
                m_objects.push_back(std::move(*b));
        return;
    }
    const std::pair<StdCommand, const char*> buttons[] = {
        {StdCommand::Close, "closebutton"},     {StdCommand::Maximize, "maxbutton"},
        {StdCommand::Minimize, "minbutton"},    {StdCommand::RollUp, "rollupbutton"},
        {StdCommand::SysMenu, "sysmenubutton"}, {StdCommand::MinimizeToTray, "traybutton"}};
    for (const auto& [command, name] : buttons)
        m_objects.push_back(CaptionButton::defaultButton(command, name));
}

void SkinFrame::applyBorderIcons()
{
    for (CaptionButton& b : m_objects)
        b.applyBorderIcons(m_borderIcons);
    m_layoutDirty = true;
}

void SkinFrame::applySize()
{
    QSize size = m_window->size();
    const QSize client = m_window->designClientSize();
    if (client.width() > 0 && client.height() > 0) {
        const FrameMargins m = frameMargins(geometryOf(m_sd, m_skinSupport));
        size = QSize(client.width() + m.left + m.right, client.height() + m.top + m.bottom);
    }
    // Below the minimum the window is raised to it at once.
    size = size.expandedTo(QSize(getMinWidth(), getMinHeight()));
    // The place is given with the size: the window stays where it is.
    if (size != m_window->size())
        m_window->setGeometry(QRect(m_window->pos(), size));
}

void SkinFrame::skinNotice(const SkinNoticeEvent& notice)
{
    const bool ours = notice.sender() == nullptr || notice.sender() == m_sd;
    switch (notice.message()) {
    case SKINMSG_BEFORE_CHANGE:
        // Open menus read the registry's records.
        m_skinMenu->hide();
        if (ours)
            beforeChange();
        relayToControls(notice);
        break;
    case SKINMSG_CHANGE:
        m_stopPainting = false;
        if (ours)
            applySkin();
        relayToControls(notice);
        break;
    case SKINMSG_LAYERED_BORDERS:
        if (ours)
            m_layerBorder->update();
        break;
    default:
        break;
    }
}

void SkinFrame::beforeChange()
{
    // Between the two notices the registry holds nothing: the window keeps
    // showing its last picture rather than flashing the default look.
    m_stopPainting = true;
    m_skinSupport = false;
    m_mouseTimer.stop();
    m_morphTimer.stop();
    clearObjects();
    // The border's pictures come from the registry's records, which go now.
    m_layerBorder->initFrame(nullptr);
}

void SkinFrame::relayToControls(const SkinNoticeEvent& notice)
{
    // Controls of this window only: other windows (the About window is a
    // child window of the main window) get the notice themselves.
    const QList<QWidget*> children = m_window->findChildren<QWidget*>();
    for (QWidget* child : children) {
        if (child->window() != m_window)
            continue;
        SkinNoticeEvent relayed(notice.message(), notice.sender());
        QCoreApplication::sendEvent(child, &relayed);
    }
}

// ---- layout and painting ---------------------------------------------------------

void SkinFrame::updateFrame()
{
    if (m_layoutDirty || m_layout.width != m_window->width() || m_layout.height != m_window->height())
        relayout();
}

void SkinFrame::relayout()
{
    m_layoutDirty = false;
    PixelView mask;
    if (m_skinSupport)
        mask = pixelView(m_sd->mask().picture());
    m_layout = layoutFrame(geometryOf(m_sd, m_skinSupport), mask, m_window->width(), m_window->height(),
                           objectInfos());
    m_window->clientArea()->setGeometry(qrect(m_layout.clientRect));
    // An empty QRegion would mean "no mask" to Qt: the layout gives an
    // empty shape as no region at all, the plain window rectangle.
    if (m_layout.region && !m_layout.region->isEmpty())
        m_window->setMask(toQRegion(*m_layout.region));
    else
        m_window->clearMask();
    invalidateImages();
}

void SkinFrame::invalidateImages()
{
    m_imageValid[0] = m_imageValid[1] = false;
    repaint(QRect(0, 0, m_layout.width, m_layout.height));
}

void SkinFrame::redrawWhole()
{
    m_layoutDirty = true;
    updateFrame();
    repaint(QRect(0, 0, m_layout.width, m_layout.height));
}

bool SkinFrame::effectsOn() const { return m_skinSupport && m_sd->enableSkinEffects(); }

FramePaintState SkinFrame::paintState(bool active) const
{
    FramePaintState state;
    state.active = active;
    state.title = m_window->windowTitle();
    state.morphEnabled = effectsOn();
    return state;
}

Bitmap& SkinFrame::ensureImage(bool active)
{
    Bitmap& image = m_images[active ? 1 : 0];
    if (!m_imageValid[active ? 1 : 0]) {
        for (CaptionButton& b : m_objects)
            if (b.isCaption())
                b.setWindowActive(active);
        composeFrame(image, m_skinSupport ? m_sd : nullptr, m_layout, m_objects, paintState(active));
        ++m_composeCount;
        m_imageValid[active ? 1 : 0] = true;
    }
    return image;
}

const Bitmap& SkinFrame::frameImage()
{
    updateFrame();
    return ensureImage(formActive());
}

void SkinFrame::paint(const QRegion& region)
{
    updateFrame();
    const Bitmap& image = ensureImage(formActive());
    if (image.empty())
        return;
    const QImage picture = imageOf(image);
    QPainter painter(m_window);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    for (const QRect& r : region)
        painter.drawImage(r.topLeft(), picture, r);
}

void SkinFrame::repaint(const QRect& rect)
{
    if (rect.isEmpty())
        return;
    m_repaintedPixels += (long long)rect.width() * rect.height();
    m_window->update(rect);
}

void SkinFrame::redrawObject(int index)
{
    if (index < 0 || std::size_t(index) >= m_objects.size())
        return;
    const bool active = formActive();
    const int slot = active ? 1 : 0;
    const Rect at = index < int(m_layout.objectRects.size()) ? m_layout.objectRects[std::size_t(index)] : Rect{};
    if (m_imageValid[slot])
        redrawButton(m_images[slot], m_skinSupport ? m_sd : nullptr, m_layout, m_objects[std::size_t(index)].look(),
                     index, paintState(active));
    repaint(qrect(at));
}

void SkinFrame::redrawButtons()
{
    for (std::size_t i = 0; i < m_objects.size(); ++i)
        if (!m_objects[i].isCaption())
            redrawObject(int(i));
}

// ---- the caption buttons under the pointer ----------------------------------------

void SkinFrame::follow(CaptionButton::Next next, int index)
{
    if (next == CaptionButton::Next::Fade)
        m_morphTimer.start(kMorphInterval, this);
    else if (next == CaptionButton::Next::Redraw)
        redrawObject(index);
}

void SkinFrame::morphTick()
{
    bool moved = false;
    for (std::size_t i = 0; i < m_objects.size(); ++i) {
        if (!m_objects[i].fadeTick(effectsOn()))
            continue;
        moved = true;
        redrawObject(int(i));
    }
    if (!moved)
        m_morphTimer.stop();
}

void SkinFrame::testActiveObject(const QPoint& p, bool track)
{
    if (m_objects.empty() || !formActive() || m_closing || m_sizing->running())
        return;
    const int old = m_activeObject;
    int found = track && p.x() >= 0 ? hitTest(p).objectIndex : -1;
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

void SkinFrame::mouseEnter(int index)
{
    CaptionButton& b = m_objects[std::size_t(index)];
    if (!b.tracksPointer())
        return;
    const CaptionButton::Next next = b.enter(effectsOn());
    if (b.isCaption())
        return;
    follow(next, index);
    showLayer(index);
}

void SkinFrame::mouseLeave(int index)
{
    CaptionButton& b = m_objects[std::size_t(index)];
    if (!b.tracksPointer())
        return;
    const CaptionButton::Next next = b.leave(effectsOn());
    if (b.isCaption())
        return;
    redrawObject(index);
    follow(next, index);
}

void SkinFrame::setPressed(int index, bool value)
{
    const CaptionButton::Next next = m_objects[std::size_t(index)].setPressed(value, effectsOn());
    redrawObject(index);
    follow(next, index);
}

void SkinFrame::mouseDown(int index)
{
    const CaptionButton& b = m_objects[std::size_t(index)];
    if (b.isCaption() || !b.enabled() || b.down())
        return;
    setPressed(index, true);
    // The system menu opens on press; the button stays down while it is open.
    if (b.command() == StdCommand::SysMenu)
        m_systemMenu->showFromButton(objectOnScreen(index));
}

void SkinFrame::mouseUp(int index)
{
    const CaptionButton& b = m_objects[std::size_t(index)];
    if (b.isCaption())
        return;
    const bool runs = b.hot();
    // The button is drawn released before its command runs.
    if (b.enabled() && b.down())
        setPressed(index, false);
    if (runs)
        doCommand(index);
}

void SkinFrame::doCommand(int index)
{
    switch (m_objects[std::size_t(index)].command()) {
    case StdCommand::Close:
        deactivateAll();
        m_closing = true;
        // Closing may destroy the window: it runs after the release has been
        // handled completely, from the event loop.
        QMetaObject::invokeMethod(m_window, &QWidget::close, Qt::QueuedConnection);
        break;
    case StdCommand::Maximize:
        quietButtons();
        changeWindowState(windowState() == WindowState::Maximized ? WindowState::Normal : WindowState::Maximized);
        break;
    case StdCommand::Minimize:
        quietButtons();
        changeWindowState(WindowState::Minimized);
        break;
    case StdCommand::MinimizeToTray:
        // The program has no tray icon: nothing to minimise to.
        quietButtons();
        break;
    case StdCommand::RollUp:
        switchRollUp(!rollUpState());
        break;
    case StdCommand::SysMenu: // the menu opens on press
    case StdCommand::Default:
        break;
    }
}

void SkinFrame::mouseTick()
{
    if (!formActive() || m_sizing->running()) {
        m_mouseTimer.stop();
        return;
    }
    const QPoint global = QCursor::pos();
    // A glow lies over its button but lets the pointer through: under a
    // glow the pointer counts as over whatever the glow covers.
    QWidget* under = QApplication::topLevelAt(global);
    if (dynamic_cast<LayerWindow*>(under) && m_window->geometry().contains(global))
        under = m_window;
    if (under != m_window) {
        m_mouseTimer.stop();
        deactivateAll();
        return;
    }
    // The window has no decoration: its geometry is its place (see
    // objectOnScreen).
    const QPoint p = global - m_window->geometry().topLeft();
    if (contains(m_layout.clientRect, p)) {
        if (m_activeObject >= 0)
            testActiveObject(QPoint(-1, -1), true);
    } else {
        testActiveObject(p, true);
    }
}

void SkinFrame::onActivationChange()
{
    hideLayers();
    const bool active = formActive();
    if (!active) {
        // Deactivate while the frame still counts the window as active.
        m_activeObject = m_mouseCaptureObject = -1;
        m_mouseTimer.stop();
    }
    for (CaptionButton& b : m_objects)
        b.reset();
    m_morphTimer.stop();
    if (active) {
        redrawButtons();
        m_mouseTimer.start(kMouseTimerInterval, this);
    }
    repaint(QRect(0, 0, m_layout.width, m_layout.height));
}

void SkinFrame::showLayer(int index)
{
    if (!m_skinSupport)
        return;
    const Rect at = objectOnScreen(index);
    m_objects[std::size_t(index)].showGlow(*m_sd, QPoint(at.left, at.top));
}

void SkinFrame::hideLayers()
{
    for (CaptionButton& b : m_objects)
        b.hideGlow();
}

void SkinFrame::quietButtons()
{
    deactivateAll();
    hideLayers();
}

void SkinFrame::stopButtons()
{
    hideLayers();
    m_mouseTimer.stop();
}

void SkinFrame::resumeButtons()
{
    if (formActive())
        m_mouseTimer.start(kMouseTimerInterval, this);
}

void SkinFrame::releaseButtons()
{
    m_skinMenu->hide();
    m_mouseTimer.stop();
    m_morphTimer.stop();
    hideLayers();
    m_activeObject = m_mouseCaptureObject = -1;
    for (CaptionButton& b : m_objects)
        b.reset();
    redrawButtons();
}

void SkinFrame::sizeMoveEnded()
{
    m_activeObject = m_mouseCaptureObject = -1;
    updateFrame();
    repaint(QRect(0, 0, m_layout.width, m_layout.height));
    resumeButtons();
}

void SkinFrame::updateCursor(FrameHit hit)
{
    const Qt::CursorShape shape = cursorForHit(hit);
    if (shape == m_cursor)
        return;
    m_cursor = shape;
    if (shape == Qt::ArrowCursor)
        m_window->unsetCursor();
    else
        m_window->setCursor(shape);
}

FrameHitResult SkinFrame::hitTest(const QPoint& p) const
{
    return m_layout.hitTest(p.x(), p.y(), objectInfos(), m_sizing->sizableNow());
}

// ---- the window's events ---------------------------------------------------------

bool SkinFrame::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_window->windowHandle() && event->type() == QEvent::Expose) {
        m_windowStates->exposed();
        m_layerBorder->update();
        return false;
    }
    if (watched != m_window)
        return false;
    if (event->type() == SkinNoticeEvent::eventType()) {
        skinNotice(static_cast<const SkinNoticeEvent&>(*event));
        return false;
    }
    return windowEvent(event);
}

bool SkinFrame::windowEvent(QEvent* event)
{
    switch (event->type()) {
    case QEvent::Resize:
        updateFrame();
        m_layerBorder->update();
        return false;
    case QEvent::Move:
        m_layerBorder->update();
        return false;
    case QEvent::Paint:
        if (!m_stopPainting)
            paint(static_cast<QPaintEvent*>(event)->region());
        return true;
    case QEvent::WindowTitleChange:
        invalidateImages();
        return false;
    case QEvent::ActivationChange:
        onActivationChange();
        m_layerBorder->setActive(formActive());
        return false;
    case QEvent::WindowStateChange:
        m_windowStates->windowStateChanged(
            static_cast<QWindowStateChangeEvent*>(event)->oldState().testFlag(Qt::WindowMinimized));
        m_layerBorder->update();
        return false;
    case QEvent::Show:
        shown();
        return false;
    case QEvent::Hide:
        hidden();
        return false;
    case QEvent::Enter:
        pointerEntered();
        return false;
    case QEvent::Leave:
        pointerLeft();
        return false;
    case QEvent::MouseMove:
        return mouseMove(static_cast<QMouseEvent*>(event));
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        return mousePress(static_cast<QMouseEvent*>(event), event->type() == QEvent::MouseButtonDblClick);
    case QEvent::MouseButtonRelease:
        return mouseRelease(static_cast<QMouseEvent*>(event));
    default:
        return false;
    }
}

void SkinFrame::shown()
{
    m_closing = false;
    watchScreen();
    // The border follows once the window itself is on the screen.
    QMetaObject::invokeMethod(
        m_layerBorder.get(), [border = m_layerBorder.get()] { border->update(); }, Qt::QueuedConnection);
}

void SkinFrame::hidden()
{
    hideLayers();
    m_layerBorder->hide();
    m_mouseTimer.stop();
}

void SkinFrame::pointerEntered()
{
    // The pointer is back after a move or resize by the window manager.
    if (!platform::leftButtonDown())
        m_sizing->endHandedOver();
}

void SkinFrame::pointerLeft()
{
    // Where the pointer went is asked, not assumed: a glow appearing under
    // it can make the window see a leave while the pointer still rests on
    // the button.
    if (m_mouseCaptureObject == -1 && formActive() && !m_sizing->running())
        mouseTick();
}

bool SkinFrame::mouseMove(QMouseEvent* e)
{
    if (m_sizing->follow(e->globalPosition().toPoint()))
        return true;
    // Qt sees no release after a move by the window manager: the first
    // motion with the button up ends it, so the buttons react at once.
    // (Qt also sends motion of its own while the window changes size.)
    if (!m_sizing->endUnlessButtonHeld())
        return false;
    const QPoint p = e->position().toPoint();
    updateCursor(hitTest(p).hit);
    testActiveObject(p, true);
    if (m_activeObject >= 0 && formActive() && !m_mouseTimer.isActive())
        m_mouseTimer.start(kMouseTimerInterval, this);
    return false;
}

bool SkinFrame::mousePress(QMouseEvent* e, bool doubleClick)
{
    m_sizing->endHandedOver();
    const QPoint p = e->position().toPoint();
    if (contains(m_layout.clientRect, p))
        return false;
    if (e->button() == Qt::RightButton)
        return rightPress(p, e->globalPosition().toPoint(), doubleClick);
    if (e->button() != Qt::LeftButton)
        return false;
    const FrameHitResult hit = hitTest(p);
    testActiveObject(p, true);
    if (m_activeObject >= 0 && !m_objects[std::size_t(m_activeObject)].isCaption())
        return leftPressOnButton(doubleClick);
    m_mouseCaptureObject = -1;
    if (hit.hit == FrameHit::Caption && doubleClick)
        m_windowStates->captionDoubleClick();
    else if (hit.hit == FrameHit::Caption || isSizingHit(hit.hit))
        m_sizing->start(hit.hit, e->globalPosition().toPoint());
    return true;
}

bool SkinFrame::rightPress(const QPoint& p, const QPoint& global, bool doubleClick)
{
    const FrameHitResult hit = hitTest(p);
    testActiveObject(p, true);
    if (hit.hit == FrameHit::Caption && !doubleClick) {
        m_mouseCaptureObject = -1;
        m_systemMenu->showAt(global);
    }
    return true;
}

bool SkinFrame::leftPressOnButton(bool doubleClick)
{
    const int index = m_mouseCaptureObject = m_activeObject;
    // A double click on the system-menu button closes the window, once
    // the menu its first click opened has closed.
    if (doubleClick && m_objects[std::size_t(index)].command() == StdCommand::SysMenu)
        m_systemMenu->buttonDoubleClicked();
    else
        mouseDown(index);
    return true;
}

bool SkinFrame::mouseRelease(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton && m_sizing->ownTracking()) {
        m_sizing->end();
        return true;
    }
    if (e->button() != Qt::LeftButton || m_mouseCaptureObject < 0)
        return false;
    const int index = m_mouseCaptureObject;
    m_mouseCaptureObject = -1;
    if (std::size_t(index) < m_objects.size())
        mouseUp(index);
    // Released elsewhere: the pointer may rest on another object now.
    if (m_activeObject == -1)
        testActiveObject(e->position().toPoint(), true);
    return true;
}

void SkinFrame::timerEvent(QTimerEvent* event)
{
    if (event->timerId() == m_morphTimer.timerId())
        morphTick();
    else if (event->timerId() == m_mouseTimer.timerId())
        mouseTick();
    else
        QObject::timerEvent(event);
}

// ---- size limits -------------------------------------------------------------------

void SkinFrame::setSizeSettings(const FrameSizeSettings& settings)
{
    m_sizeSettings = settings;
    applySizeLimits();
}

int SkinFrame::getMinWidth() const
{
    const FrameSizeState state{rollUpState(), windowState() == WindowState::Minimized};
    return frameMinWidth(geometryOf(m_sd, m_skinSupport), m_sizeSettings, state);
}

int SkinFrame::getMinHeight() const
{
    const FrameSizeState state{rollUpState(), windowState() == WindowState::Minimized};
    return frameMinHeight(geometryOf(m_sd, m_skinSupport), m_sizeSettings, state);
}

int SkinFrame::getMaxWidth() const { return frameMaxWidth(m_sizeSettings, workArea().width()); }

int SkinFrame::getMaxHeight() const { return frameMaxHeight(m_sizeSettings, workArea().height()); }

QRect SkinFrame::workArea() const
{
    const QScreen* screen = m_window->screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 1 << 14, 1 << 14);
}

void SkinFrame::applySizeLimits()
{
    // Qt hands these to the window manager as the window's size hints, and
    // keeps its own resizes within them too.
    const int minW = getMinWidth(), minH = getMinHeight();
    m_window->setMinimumSize(minW, minH);
    m_window->setMaximumSize(std::max(minW, getMaxWidth()), std::max(minH, getMaxHeight()));
}

void SkinFrame::watchScreen()
{
    if (m_screenWatched || !m_window->windowHandle())
        return;
    m_screenWatched = true;
    // The maximum is the work area: a change of screen or of its work area
    // applies the limits again.
    auto watch = [this](QScreen* screen) {
        if (screen)
            connect(screen, &QScreen::availableGeometryChanged, this, [this] { applySizeLimits(); });
        applySizeLimits();
    };
    connect(m_window->windowHandle(), &QWindow::screenChanged, this, watch);
    watch(m_window->screen());
    m_window->windowHandle()->installEventFilter(this);
}

// ---- the system menu's engine ------------------------------------------------------

SkinMenu& SkinFrame::skinMenu() { return *m_skinMenu; }

bool SkinFrame::layeredWindowsAvailable() const { return platform::compositingManagerRunning(); }

void SkinFrame::skinMenuOpen() { m_systemMenu->opened(); }

void SkinFrame::skinMenuClose()
{
    if (!m_systemMenu->inMenu())
        return;
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
    m_systemMenu->closed();
}

} // namespace tessaly::skin
