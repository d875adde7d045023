#include "skin/frame/skin_frame.h"

#include <QApplication>
#include <QCursor>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <QShortcut>
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
#include "skin/frame/frame_painter.h"
#include "skin/frame/layer_manager.h"
#include "platform/qt_skin_notice_event.h"
#include "skin/menus/skin_menu.h"
#include "skin/menus/skin_popup_menu.h"
#include "skin/paint/bitmap_canvas.h"

namespace tessaly::skin {

namespace {

QRect qrect(const Rect& r) { return QRect(r.left, r.top, r.width(), r.height()); }

bool contains(const Rect& r, const QPoint& p)
{
    return p.x() >= r.left && p.x() < r.right && p.y() >= r.top && p.y() < r.bottom;
}

// The records that become frame objects, in the registry's order.
bool makesObject(const DataSkinObject& record)
{
    return dynamic_cast<const DataSkinCaption*>(&record) != nullptr
        || (dynamic_cast<const DataSkinStdButton*>(&record) != nullptr
            && dynamic_cast<const DataSkinMainMenuBarButton*>(&record) == nullptr);
}

} // namespace

SkinFrame::SkinFrame(platform::FramelessWindow* window)
    : QObject(window)
    , m_window(window)
{
    m_window->installEventFilter(this);
    ApplicationNotifier::instance().addWindow(m_window);
    m_skinMenu = std::make_unique<SkinMenu>(m_window, this);
    // Alt+Space opens the system menu below its button wherever the focus
    // is in the window.
    m_altSpace = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_Space), m_window);
    m_altSpace->setContext(Qt::WindowShortcut);
    connect(m_altSpace, &QShortcut::activated, this, [this] { showSystemMenuBelowButton(); });
    m_layerBorder = std::make_unique<FormLayerBorder>(this);
    applySkin();
}

SkinFrame::~SkinFrame()
{
    // The engine tells its frame when it closes: close it while the frame
    // is still whole.
    m_skinMenu->hide();
    if (m_inMenu)
        QCoreApplication::instance()->removeEventFilter(this);
    // A later frame of the same window makes its own.
    delete m_altSpace;
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
    m_layoutDirty = true;
    updateFrame();
}

bool SkinFrame::formActive() const
{
    // The window manager takes the keyboard while it moves or sizes the
    // window, which Qt reports as a deactivation: the window keeps its
    // active look until the move ends, unless another window of the
    // program became active.
    if (m_sizeMove && m_activeAtSizeMove && QApplication::activeWindow() == nullptr)
        return true;
    return m_window->isActiveWindow();
}

std::vector<FrameObjectInfo> SkinFrame::objectInfos() const
{
    std::vector<FrameObjectInfo> infos;
    infos.reserve(m_objects.size());
    for (const FrameObject& o : m_objects)
        infos.push_back(o.info);
    return infos;
}

int SkinFrame::getIndex(std::string_view idName) const
{
    for (std::size_t i = 0; i < m_objects.size(); ++i)
        if (m_objects[i].idName == idName)
            return int(i);
    return -1;
}

LayerManager* SkinFrame::glow(int index) const
{
    if (index < 0 || std::size_t(index) >= m_glows.size())
        return nullptr;
    return m_glows[std::size_t(index)].get();
}

// ---- skin changes --------------------------------------------------------------

void SkinFrame::applySkin()
{
    m_activeObject = m_mouseCaptureObject = -1;
    m_skinSupport = m_sd && !m_sd->empty();
    hideLayers();
    m_layerBorder->initFrame(m_skinSupport ? m_sd : nullptr);
    if (m_skinSupport)
        createObjects();
    else
        createDefaultButtons();
    applyBorderIcons();
    m_layoutDirty = true;
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
    m_glows.clear();
    m_activeObject = m_mouseCaptureObject = -1;
    m_layoutDirty = true;
}

void SkinFrame::createObjects()
{
    clearObjects();
    for (const auto& record : m_sd->objectList()) {
        if (!makesObject(*record))
            continue;
        FrameObject o;
        o.fromRecord = true;
        o.idName = record->idName;
        o.hint = record->hint;
        o.info.skinRect = record->skinRect;
        o.info.skinRectInAPicture = record->skinRectInAPicture;
        o.activePicture = m_sd->activePicture(record->activePictureIndex);
        o.activeSkinRect = o.activePicture ? record->activeSkinRect : Rect{};
        o.inActiveSkinRect = record->inActiveSkinRect;
        o.morphing = record->morphing && !o.activeSkinRect.isEmpty();
        o.morphKind = record->morphKind;
        o.glowLayerPictureIndex = record->glowLayerPictureIndex;
        o.glowLayerMaskPictureIndex = record->glowLayerMaskPictureIndex;
        o.glowLayerOffsetX = record->glowLayerOffsetX;
        o.glowLayerOffsetY = record->glowLayerOffsetY;
        o.glowLayerAlphaBlendValue = record->glowLayerAlphaBlendValue;
        if (const auto* caption = dynamic_cast<const DataSkinCaption*>(record.get())) {
            o.info.kind = FrameObjectInfo::Kind::Caption;
            o.caption = caption;
        } else if (const auto* button = dynamic_cast<const DataSkinStdButton*>(record.get())) {
            o.info.kind = FrameObjectInfo::Kind::StdButton;
            o.info.command = button->command;
            o.downRect = button->downRect;
            o.disableSkinRect = button->disableSkinRect;
        }
        m_objects.push_back(std::move(o));
    }
    m_glows.resize(m_objects.size());
}

void SkinFrame::createDefaultButtons()
{
    clearObjects();
    const std::pair<StdCommand, const char*> buttons[] = {
        {StdCommand::Close, "closebutton"},     {StdCommand::Maximize, "maxbutton"},
        {StdCommand::Minimize, "minbutton"},    {StdCommand::RollUp, "rollupbutton"},
        {StdCommand::SysMenu, "sysmenubutton"}, {StdCommand::MinimizeToTray, "traybutton"}};
    for (const auto& [command, name] : buttons) {
        FrameObject o;
        o.idName = name;
        o.info.kind = FrameObjectInfo::Kind::StdButton;
        o.info.command = command;
        o.info.skinRect = {0, 0, 1, 1};
        m_objects.push_back(std::move(o));
    }
    m_glows.resize(m_objects.size());
}

void SkinFrame::applyBorderIcons()
{
    for (FrameObject& o : m_objects) {
        if (o.isCaption())
            continue;
        const bool inPicture = o.info.skinRectInAPicture;
        auto has = [&](unsigned icon) { return (m_borderIcons & icon) != 0; };
        switch (o.info.command) {
        case StdCommand::Close:
            break;
        case StdCommand::Maximize:
            o.enabled = has(BorderIcon::Maximize);
            o.info.visible = o.enabled || !inPicture;
            break;
        case StdCommand::Minimize:
            o.enabled = has(BorderIcon::Minimize);
            o.info.visible = o.enabled || !inPicture;
            break;
        case StdCommand::SysMenu:
            o.enabled = has(BorderIcon::SystemMenu);
            o.info.visible = inPicture ? o.enabled : true;
            break;
        case StdCommand::Default:
            // No handler offers custom objects: they stay hidden.
            o.info.visible = false;
            break;
        case StdCommand::RollUp:
            o.enabled = has(BorderIcon::RollUp);
            o.info.visible = inPicture ? o.enabled : true;
            break;
        case StdCommand::MinimizeToTray:
            o.enabled = has(BorderIcon::MinimizeToTray);
            o.info.visible = inPicture ? o.enabled : true;
            break;
        }
    }
    m_layoutDirty = true;
}

void SkinFrame::applySize()
{
    const std::optional<FrameSkinGeometry> geometry =
        m_skinSupport ? std::optional(FrameSkinGeometry::from(*m_sd)) : std::nullopt;
    QSize size = m_window->size();
    const QSize client = m_window->designClientSize();
    if (client.width() > 0 && client.height() > 0) {
        const FrameMargins m = frameMargins(geometry);
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
    std::optional<FrameSkinGeometry> geometry;
    PixelView mask;
    if (m_skinSupport) {
        geometry = FrameSkinGeometry::from(*m_sd);
        mask = pixelView(m_sd->mask().picture());
    }
    m_layout = layoutFrame(geometry, mask, m_window->width(), m_window->height(), objectInfos());
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

Bitmap& SkinFrame::ensureImage(bool active)
{
    Bitmap& image = m_images[active ? 1 : 0];
    if (!m_imageValid[active ? 1 : 0]) {
        FramePaintState state;
        state.active = active;
        state.title = m_window->windowTitle();
        state.morphEnabled = m_skinSupport && m_sd->options().enableSkinEffects;
        for (FrameObject& o : m_objects)
            if (o.isCaption())
                o.active = active;
        composeFrame(image, m_skinSupport ? m_sd : nullptr, m_layout, m_objects, state);
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
    if (m_imageValid[slot]) {
        FramePaintState state;
        state.active = active;
        state.title = m_window->windowTitle();
        state.morphEnabled = m_skinSupport && m_sd->options().enableSkinEffects;
        redrawButton(m_images[slot], m_skinSupport ? m_sd : nullptr, m_layout, m_objects[std::size_t(index)], index,
                     state);
    }
    repaint(qrect(at));
}

void SkinFrame::redrawButtons()
{
    for (std::size_t i = 0; i < m_objects.size(); ++i)
        if (!m_objects[i].isCaption())
            redrawObject(int(i));
}

bool SkinFrame::morphEnabled(const FrameObject& o) const
{
    return o.morphing && m_skinSupport && m_sd->options().enableSkinEffects;
}

void SkinFrame::startMorph(int index)
{
    if (morphEnabled(m_objects[std::size_t(index)]))
        m_morphTimer.start(kMorphInterval, this);
    else
        redrawObject(index);
}

void SkinFrame::morphTick()
{
    bool moved = false;
    for (std::size_t i = 0; i < m_objects.size(); ++i) {
        FrameObject& o = m_objects[i];
        if (o.isCaption() || !morphEnabled(o) || !o.canMorph())
            continue;
        o.morphStep += o.active ? 1 : -1;
        moved = true;
        redrawObject(int(i));
    }
    if (!moved)
        m_morphTimer.stop();
}

// ---- the objects under the pointer -------------------------------------------------

void SkinFrame::testActiveObject(const QPoint& p, bool track)
{
    if (m_objects.empty() || !formActive() || m_closing || m_sizeMove)
        return;
    const int old = m_activeObject;
    int found = -1;
    if (track && p.x() >= 0) {
        const FrameHitResult hit = hitTest(p);
        found = hit.objectIndex;
    }
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
    FrameObject& o = m_objects[std::size_t(index)];
    if (!o.enabled || !o.info.visible)
        return;
    o.mouseIn = true;
    if (o.isCaption())
        return;
    o.active = true;
    if (o.downRect.isEmpty() || !o.down) {
        if (!o.activeSkinRect.isEmpty())
            startMorph(index);
    } else {
        if (morphEnabled(o))
            o.morphStep = FrameObject::kMorphSteps;
        redrawObject(index);
    }
    showLayer(index);
}

void SkinFrame::mouseLeave(int index)
{
    FrameObject& o = m_objects[std::size_t(index)];
    if (!o.enabled || !o.info.visible)
        return;
    o.mouseIn = false;
    if (o.isCaption())
        return;
    o.active = false;
    redrawObject(index);
    startMorph(index);
    if (LayerManager* g = glow(index))
        g->hide();
}

void SkinFrame::setPressed(int index, bool value)
{
    FrameObject& o = m_objects[std::size_t(index)];
    o.down = value;
    if (morphEnabled(o) && o.active)
        o.morphStep = FrameObject::kMorphSteps;
    redrawObject(index);
    if (morphEnabled(o) && !o.down)
        startMorph(index);
}

void SkinFrame::mouseDown(int index)
{
    FrameObject& o = m_objects[std::size_t(index)];
    if (o.isCaption() || !o.enabled || o.down)
        return;
    setPressed(index, true);
    // The system menu opens on press; the button stays down while it is open.
    if (o.info.command == StdCommand::SysMenu) {
        // The window has no decoration: its geometry is its place.
        const QPoint at = m_window->geometry().topLeft();
        const Rect r = m_layout.objectRects[std::size_t(index)];
        popupSystemMenu({r.left + at.x(), r.top + at.y(), r.right + at.x(), r.bottom + at.y()});
        m_menuByButton = true;
    }
}

void SkinFrame::mouseUp(int index)
{
    FrameObject& o = m_objects[std::size_t(index)];
    if (o.isCaption())
        return;
    const bool runs = o.active;
    // The button is drawn released before its command runs.
    if (o.enabled && o.down)
        setPressed(index, false);
    if (runs)
        doCommand(index);
}

void SkinFrame::doCommand(int index)
{
    const FrameObject& o = m_objects[std::size_t(index)];
    switch (o.info.command) {
    case StdCommand::Close:
        deactivateAll();
        m_closing = true;
        // Closing may destroy the window: it runs after the release has been
        // handled completely, from the event loop.
        QMetaObject::invokeMethod(m_window, &QWidget::close, Qt::QueuedConnection);
        break;
    case StdCommand::Maximize:
        deactivateAll();
        hideLayers();
        changeWindowState(m_windowState == WindowState::Maximized ? WindowState::Normal : WindowState::Maximized);
        break;
    case StdCommand::Minimize:
        deactivateAll();
        hideLayers();
        changeWindowState(WindowState::Minimized);
        break;
    case StdCommand::MinimizeToTray:
        // The program has no tray icon: nothing to minimise to.
        deactivateAll();
        hideLayers();
        break;
    case StdCommand::RollUp:
        switchRollUp(!m_rollUpState);
        break;
    case StdCommand::SysMenu: // the menu opens on press
    case StdCommand::Default:
        break;
    }
}

void SkinFrame::onMouseMove(const QPoint& p)
{
    testActiveObject(p, true);
    if (m_activeObject >= 0 && formActive() && !m_mouseTimer.isActive())
        m_mouseTimer.start(kMouseTimerInterval, this);
}

void SkinFrame::mouseTick()
{
    if (!formActive() || m_sizeMove) {
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
    // The window has no decoration: its geometry is its place (see showLayer).
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
    for (FrameObject& o : m_objects)
        if (!o.isCaption())
            o.resetState();
    m_morphTimer.stop();
    if (active) {
        redrawButtons();
        m_mouseTimer.start(kMouseTimerInterval, this);
    }
    repaint(QRect(0, 0, m_layout.width, m_layout.height));
}

void SkinFrame::showLayer(int index)
{
    const FrameObject& o = m_objects[std::size_t(index)];
    if (!m_skinSupport || o.isCaption() || o.glowLayerPictureIndex == -1 || !m_sd->options().showCaptionButtonGlowFrames)
        return;
    const Picture* picture = m_sd->activePicture(o.glowLayerPictureIndex);
    const Picture* mask = m_sd->activePicture(o.glowLayerMaskPictureIndex);
    if (!picture)
        return;
    if (!m_glows[std::size_t(index)])
        m_glows[std::size_t(index)] = std::make_unique<LayerManager>();
    const Rect at = m_layout.objectRects[std::size_t(index)];
    // The window has no decoration: its geometry is its place on the screen
    // (mapToGlobal would ask the server, which may lag behind the window
    // manager's placement of a window just shown).
    const QPoint screen = m_window->geometry().topLeft() + QPoint(at.left, at.top);
    m_glows[std::size_t(index)]->show(screen - QPoint(o.glowLayerOffsetX, o.glowLayerOffsetY), pixelView(*picture),
                                      mask ? pixelView(*mask) : PixelView{}, o.glowLayerAlphaBlendValue);
}

void SkinFrame::hideLayers()
{
    for (const auto& g : m_glows)
        if (g && g->isVisible())
            g->hide();
}

// ---- the window's events ---------------------------------------------------------

bool SkinFrame::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_window->windowHandle() && event->type() == QEvent::Expose) {
        exposed();
        m_layerBorder->update();
        return false;
    }
    if (watched != m_window)
        return m_inMenu && menuPress(watched, event);
    if (event->type() == SkinNoticeEvent::eventType()) {
        skinNotice(static_cast<const SkinNoticeEvent&>(*event));
        return false;
    }
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
        windowStateChanged(static_cast<QWindowStateChangeEvent*>(event)->oldState());
        m_layerBorder->update();
        return false;
    case QEvent::Show:
        m_closing = false;
        watchScreen();
        // The border follows once the window itself is on the screen.
        QMetaObject::invokeMethod(
            m_layerBorder.get(), [border = m_layerBorder.get()] { border->update(); }, Qt::QueuedConnection);
        return false;
    case QEvent::Hide:
        hideLayers();
        m_layerBorder->hide();
        m_mouseTimer.stop();
        return false;
    case QEvent::Enter:
        // The pointer is back after a move or resize by the window manager.
        if (m_sizeMove && !m_drag.active && !platform::leftButtonDown())
            endSizeMove();
        return false;
    case QEvent::Leave:
        // Where the pointer went is asked, not assumed: a glow appearing
        // under it can make the window see a leave while the pointer still
        // rests on the button.
        if (m_mouseCaptureObject == -1 && formActive() && !m_sizeMove)
            mouseTick();
        return false;
    case QEvent::MouseMove: {
        const auto* e = static_cast<QMouseEvent*>(event);
        if (m_drag.active)
            return dragTo(e->globalPosition().toPoint());
        // Qt sees no release after a move by the window manager: the first
        // motion with the button up ends it, so the buttons react at once.
        // (Qt also sends motion of its own while the window changes size.)
        if (m_sizeMove) {
            if (platform::leftButtonDown())
                return false;
            endSizeMove();
        }
        const QPoint p = e->position().toPoint();
        updateCursor(hitTest(p).hit);
        onMouseMove(p);
        return false;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        return mousePress(static_cast<QMouseEvent*>(event), event->type() == QEvent::MouseButtonDblClick);
    case QEvent::MouseButtonRelease: {
        const auto* e = static_cast<QMouseEvent*>(event);
        if (m_drag.active && e->button() == Qt::LeftButton) {
            endSizeMove();
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
    default:
        return false;
    }
}

bool SkinFrame::mousePress(QMouseEvent* e, bool doubleClick)
{
    if (m_sizeMove && !m_drag.active)
        endSizeMove();
    const QPoint p = e->position().toPoint();
    if (contains(m_layout.clientRect, p))
        return false;
    const FrameHitResult hit = hitTest(p);
    if (e->button() == Qt::RightButton) {
        testActiveObject(p, true);
        if (hit.hit == FrameHit::Caption && !doubleClick) {
            m_mouseCaptureObject = -1;
            if (!m_disableSystemMenu)
                showSystemMenu(e->globalPosition().toPoint());
        }
        return true;
    }
    if (e->button() != Qt::LeftButton)
        return false;
    testActiveObject(p, true);
    if (m_activeObject >= 0 && !m_objects[std::size_t(m_activeObject)].isCaption()) {
        m_mouseCaptureObject = m_activeObject;
        const int index = m_activeObject;
        // A double click on the system-menu button closes the window, once
        // the menu its first click opened has closed.
        if (doubleClick && m_objects[std::size_t(index)].info.command == StdCommand::SysMenu) {
            if (m_inMenu)
                m_closeAfterMenu = true;
            else
                QMetaObject::invokeMethod(m_window, &QWidget::close, Qt::QueuedConnection);
            return true;
        }
        mouseDown(index);
        return true;
    }
    m_mouseCaptureObject = -1;
    if (hit.hit == FrameHit::Caption && doubleClick)
        captionDoubleClick();
    else if (hit.hit == FrameHit::Caption || isSizingHit(hit.hit))
        startSizeMove(hit.hit, e->globalPosition().toPoint());
    return true;
}

void SkinFrame::timerEvent(QTimerEvent* event)
{
    if (event->timerId() == m_morphTimer.timerId())
        morphTick();
    else if (event->timerId() == m_mouseTimer.timerId())
        mouseTick();
    else if (event->timerId() == m_sizeMoveTimer.timerId()) {
        if (!platform::leftButtonDown())
            endSizeMove();
    }
    else
        QObject::timerEvent(event);
}

// ---- size limits -------------------------------------------------------------------

namespace {

FrameSizeState sizeState(SkinFrame::WindowState state, bool rolledUp)
{
    return {rolledUp, state == SkinFrame::WindowState::Minimized};
}

QRect workAreaOf(const QWidget* window)
{
    const QScreen* screen = window->screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 1 << 14, 1 << 14);
}

} // namespace

void SkinFrame::setSizeSettings(const FrameSizeSettings& settings)
{
    m_sizeSettings = settings;
    applySizeLimits();
}

int SkinFrame::getMinWidth() const
{
    const auto geometry = m_skinSupport ? std::optional(FrameSkinGeometry::from(*m_sd)) : std::nullopt;
    return frameMinWidth(geometry, m_sizeSettings, sizeState(m_windowState, m_rollUpState));
}

int SkinFrame::getMinHeight() const
{
    const auto geometry = m_skinSupport ? std::optional(FrameSkinGeometry::from(*m_sd)) : std::nullopt;
    return frameMinHeight(geometry, m_sizeSettings, sizeState(m_windowState, m_rollUpState));
}

int SkinFrame::getMaxWidth() const { return frameMaxWidth(m_sizeSettings, workAreaOf(m_window).width()); }

int SkinFrame::getMaxHeight() const { return frameMaxHeight(m_sizeSettings, workAreaOf(m_window).height()); }

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

// ---- hit testing, moving and sizing ------------------------------------------------

bool SkinFrame::sizableNow() const
{
    return m_resizable && m_windowState == WindowState::Normal && !m_rollUpState;
}

FrameHitResult SkinFrame::hitTest(const QPoint& p) const
{
    return m_layout.hitTest(p.x(), p.y(), objectInfos(), sizableNow());
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

void SkinFrame::startSizeMove(FrameHit grip, const QPoint& global)
{
    // A maximised window stays where it is.
    if (grip == FrameHit::Caption && m_windowState == WindowState::Maximized)
        return;
    beginSizeMove();
    if (platform::startSystemMoveResize(m_window, edgesForHit(grip))) {
        // The platform tells nothing when it ends: the button is watched.
        m_sizeMoveTimer.start(kMouseTimerInterval, this);
        return;
    }
    // No window manager to do it: the frame follows the pointer itself.
    const QRect g = m_window->geometry();
    m_drag = {true, grip, global, {g.left(), g.top(), g.right() + 1, g.bottom() + 1}};
}

void SkinFrame::beginSizeMove()
{
    // The window system tells nothing when a move or resize starts: what
    // would happen then happens here. Buttons forget hover and press, the
    // glows go, and the pointer is not tracked until it ends.
    m_skinMenu->hide();
    m_mouseTimer.stop();
    m_morphTimer.stop();
    hideLayers();
    m_activeObject = m_mouseCaptureObject = -1;
    for (FrameObject& o : m_objects)
        if (!o.isCaption())
            o.resetState();
    redrawButtons();
    m_activeAtSizeMove = m_window->isActiveWindow();
    m_sizeMove = true;
}

void SkinFrame::endSizeMove()
{
    m_sizeMoveTimer.stop();
    m_sizeMove = false;
    m_drag.active = false;
    m_activeObject = m_mouseCaptureObject = -1;
    updateFrame();
    repaint(QRect(0, 0, m_layout.width, m_layout.height));
    if (formActive())
        m_mouseTimer.start(kMouseTimerInterval, this);
}

void SkinFrame::trackBorderResize(const QPoint& global, bool released)
{
    if (!m_drag.active)
        return;
    if (released)
        endSizeMove();
    else
        dragTo(global);
}

bool SkinFrame::dragTo(const QPoint& global)
{
    const QPoint d = global - m_drag.startGlobal;
    const Rect r = dragBounds(m_drag.grip, m_drag.startBounds, d.x(), d.y(), {getMinWidth(), getMinHeight()},
                              {getMaxWidth(), getMaxHeight()});
    m_window->setGeometry(QRect(r.left, r.top, r.width(), r.height()));
    return true;
}

void SkinFrame::captionDoubleClick()
{
    const bool maximisable = (m_borderIcons & BorderIcon::Maximize) != 0;
    if (m_resizable && m_windowState == WindowState::Minimized)
        changeWindowState(WindowState::Normal);
    else if (m_resizable && m_windowState == WindowState::Normal && !m_rollUpState && maximisable)
        changeWindowState(WindowState::Maximized);
    else if (m_resizable && m_windowState == WindowState::Maximized && !m_maxRollUpState)
        changeWindowState(WindowState::Normal);
    else
        switchRollUp(!m_rollUpState);
}

// ---- window states -----------------------------------------------------------------

bool SkinFrame::isMainWindow() const { return m_window->parentWidget() == nullptr; }

void SkinFrame::changeWindowState(WindowState state)
{
    if (state == m_windowState)
        return;
    m_skinMenu->hide();
    switch (state) {
    case WindowState::Normal:
        restoreWindow();
        break;
    case WindowState::Minimized:
        minimizeWindow();
        break;
    case WindowState::Maximized:
        maximizeWindow();
        break;
    }
}

void SkinFrame::minimizeWindow()
{
    deactivateAll();
    hideLayers();
    if (isMainWindow()) {
        // The program is minimised: its main window goes to the task bar and
        // takes its other windows along (windowStateChanged). The frame's own
        // state stays normal.
        m_window->showMinimized();
        return;
    }
    // A secondary window shrinks to its caption bar at the first free place
    // along the bottom of the work area.
    if (m_oldBounds.isEmpty())
        m_oldBounds = m_window->geometry();
    m_windowState = WindowState::Minimized;
    applySizeLimits();
    std::vector<Point> taken;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w == m_window || !w->isVisible())
            continue;
        // The frame is a child of its window (no meta-object: dynamic_cast).
        for (QObject* child : w->children()) {
            const auto* other = dynamic_cast<const SkinFrame*>(child);
            if (other && !other->isMainWindow() && other->windowState() == WindowState::Minimized)
                taken.push_back({w->x(), w->y()});
        }
    }
    const QRect a = workAreaOf(m_window);
    const Point at = minimisedSlot({a.left(), a.top(), a.left() + a.width(), a.top() + a.height()}, getMinWidth(),
                                   getMinHeight(), taken);
    m_window->setGeometry(QRect(at.x, at.y, getMinWidth(), getMinHeight()));
    if (m_onMinimize)
        m_onMinimize();
}

void SkinFrame::maximizeWindow()
{
    m_rollUpBeforeMaximize = m_rollUpState;
    if (m_oldBounds.isEmpty())
        m_oldBounds = m_window->geometry();
    m_windowState = WindowState::Maximized;
    applySizeLimits();
    m_window->setGeometry(workAreaOf(m_window));
    if (m_onMaximize)
        m_onMaximize();
}

void SkinFrame::restoreWindow()
{
    // Undo a roll-up that began while maximised.
    if (m_windowState == WindowState::Maximized && m_rollUpState && !m_rollUpBeforeMaximize)
        m_rollUpState = false;
    m_rollUpBeforeMaximize = false;
    m_maxRollUpState = false;
    m_windowState = WindowState::Normal;
    applySizeLimits();
    if (!m_oldBounds.isEmpty())
        m_window->setGeometry(m_oldBounds);
    m_oldBounds = QRect();
    if (formActive())
        m_mouseTimer.start(kMouseTimerInterval, this);
    m_layoutDirty = true;
    updateFrame();
    repaint(QRect(0, 0, m_layout.width, m_layout.height));
    if (m_onRestore)
        m_onRestore();
}

void SkinFrame::switchRollUp(bool value)
{
    if ((m_borderIcons & BorderIcon::RollUp) == 0 || m_windowState == WindowState::Minimized)
        return;
    if (m_rollUpState && m_windowState == WindowState::Maximized && !m_maxRollUpState)
        return;
    if (value == m_rollUpState)
        return;
    if (m_windowState == WindowState::Maximized)
        m_maxRollUpState = value;
    if (value)
        m_oldHeight = m_window->height();
    m_rollUpState = value;
    applySizeLimits();
    // Rolled up the window is its frame without the client area.
    const int height = value ? getMinHeight() : std::max(m_oldHeight, getMinHeight());
    m_window->setGeometry(QRect(m_window->pos(), QSize(m_window->width(), height)));
}

void SkinFrame::windowStateChanged(Qt::WindowStates old)
{
    const bool minimised = m_window->isMinimized();
    if (minimised && !(old & Qt::WindowMinimized)) {
        hideLayers();
        m_mouseTimer.stop();
        m_skinMenu->hide();
        if (isMainWindow())
            hideOwnedWindows();
    } else if (!minimised && (old & Qt::WindowMinimized)) {
        if (isMainWindow())
            showOwnedWindows();
        if (formActive())
            m_mouseTimer.start(kMouseTimerInterval, this);
        if (m_onRestore)
            m_onRestore();
    }
}

void SkinFrame::exposed()
{
    // Qt can miss the window manager's word that a minimised window is
    // normal again (seen with openbox on X11): a window shown on the screen
    // is not minimised, and Qt is told so, which runs the restore.
    if (m_window->isMinimized() && m_window->windowHandle()->isExposed())
        m_window->setWindowState(m_window->windowState() & ~Qt::WindowMinimized);
}

void SkinFrame::hideOwnedWindows()
{
    // The program's other windows (the About window) go with the main
    // window; menus, hints and glows are not owned windows.
    m_hiddenOwned.clear();
    const QList<QWidget*> windows = QApplication::topLevelWidgets();
    for (QWidget* w : windows) {
        if (w == m_window || !w->isVisible() || !w->parentWidget() || w->parentWidget()->window() != m_window)
            continue;
        if (w->windowType() != Qt::Window && w->windowType() != Qt::Dialog)
            continue;
        m_hiddenOwned.emplace_back(w);
        w->hide();
    }
}

void SkinFrame::showOwnedWindows()
{
    std::vector<QPointer<QWidget>> windows = std::move(m_hiddenOwned);
    m_hiddenOwned.clear();
    for (const QPointer<QWidget>& w : windows)
        if (w)
            w->show();
}

// ---- the system menu ---------------------------------------------------------------

SkinMenu& SkinFrame::skinMenu() { return *m_skinMenu; }

bool SkinFrame::layeredWindowsAvailable() const { return platform::compositingManagerRunning(); }

SystemMenuActions SkinFrame::systemMenuActions()
{
    SystemMenuActions a;
    a.minimize = [this] { changeWindowState(WindowState::Minimized); };
    a.maximize = [this] { changeWindowState(WindowState::Maximized); };
    a.restore = [this] {
        if (m_maxRollUpState || (m_rollUpState && m_windowState == WindowState::Normal))
            switchRollUp(false);
        else
            changeWindowState(WindowState::Normal);
    };
    a.rollUp = [this] { switchRollUp(true); };
    a.minimizeToTray = [] {}; // no tray icon
    a.close = [this] { QMetaObject::invokeMethod(m_window, &QWidget::close, Qt::QueuedConnection); };
    return a;
}

void SkinFrame::popupSystemMenu(const Rect& anchor)
{
    // The items are built for the state at each opening; the engine lets go
    // of the old ones first.
    m_skinMenu->hide();
    m_sysMenu = std::make_unique<SkinPopupMenu>(m_window);
    m_sysMenu->setSkinComponent(this);
    SystemMenuState state;
    state.borderIcons = m_borderIcons;
    state.minimised = m_windowState == WindowState::Minimized;
    state.maximised = m_windowState == WindowState::Maximized;
    state.rolledUp = m_rollUpState;
    state.maxRollUpState = m_maxRollUpState;
    buildSystemMenu(m_sysMenu->items(), state, systemMenuActions(), m_sd ? m_sd->resourceStrData() : nullptr);
    m_menuOpened.start();
    m_sysMenu->popupFromRect(anchor, false);
}

void SkinFrame::showSystemMenu(const QPoint& global)
{
    if (m_disableSystemMenu)
        return;
    m_menuByButton = false;
    popupSystemMenu({global.x(), global.y(), global.x(), global.y()});
}

void SkinFrame::showSystemMenuBelowButton()
{
    if (m_disableSystemMenu || !m_window->isVisible())
        return;
    for (std::size_t i = 0; i < m_objects.size(); ++i) {
        const FrameObject& o = m_objects[i];
        if (o.info.command != StdCommand::SysMenu || o.isCaption() || !o.enabled || !o.info.visible)
            continue;
        const Rect r = m_layout.objectRects[i];
        if (r.isEmpty())
            continue;
        // The window has no decoration: its geometry is its place.
        const QPoint at = m_window->geometry().topLeft();
        m_menuByButton = false;
        popupSystemMenu({r.left + at.x(), r.top + at.y(), r.right + at.x(), r.bottom + at.y()});
        return;
    }
}

void SkinFrame::skinMenuOpen()
{
    if (m_inMenu)
        return;
    m_inMenu = true;
    m_closeAfterMenu = false;
    // Watches presses on the menu's windows (a second click on the
    // system-menu button lands on the menu, which has the pointer).
    QCoreApplication::instance()->installEventFilter(this);
}

void SkinFrame::skinMenuClose()
{
    if (!m_inMenu)
        return;
    m_inMenu = false;
    QCoreApplication::instance()->removeEventFilter(this);
    for (LayerManager* g : {glow(getIndex("sysmenubutton"))})
        if (g)
            g->hide();
    // The button that opened the menu comes up; its release went to the menu.
    for (std::size_t i = 0; i < m_objects.size(); ++i) {
        if (!m_objects[i].isCaption() && m_objects[i].down) {
            setPressed(int(i), false);
            break;
        }
    }
    m_mouseCaptureObject = -1;
    if (m_closeAfterMenu) {
        m_closeAfterMenu = false;
        QMetaObject::invokeMethod(m_window, &QWidget::close, Qt::QueuedConnection);
    }
}

bool SkinFrame::menuPress(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::MouseButtonPress && event->type() != QEvent::MouseButtonDblClick)
        return false;
    if (!watched->isWidgetType() || !m_menuByButton)
        return false;
    const auto* e = static_cast<QMouseEvent*>(event);
    if (e->button() != Qt::LeftButton || m_menuOpened.elapsed() > QApplication::doubleClickInterval())
        return false;
    const int index = getIndex("sysmenubutton");
    if (index < 0)
        return false;
    const QPoint p = e->globalPosition().toPoint() - m_window->geometry().topLeft();
    if (contains(m_layout.objectRects[std::size_t(index)], p))
        m_closeAfterMenu = true;
    return false;
}

} // namespace tessaly::skin
