#include "skin/frame/skin_frame.h"

#include <QApplication>
#include <QCursor>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QTimerEvent>
#include <algorithm>

#include "platform/qt_frameless_window.h"
#include "skin/data/skin_data.h"
#include "skin/frame/application_notifier.h"
#include "skin/frame/frame_painter.h"
#include "skin/frame/layer_manager.h"
#include "skin/frame/skin_notice_event.h"
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
    applySkin();
}

SkinFrame::~SkinFrame()
{
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

bool SkinFrame::formActive() const { return m_window->isActiveWindow(); }

std::vector<FrameObjectSpec> SkinFrame::objectSpecs() const
{
    std::vector<FrameObjectSpec> specs;
    specs.reserve(m_objects.size());
    for (const FrameObject& o : m_objects)
        specs.push_back(o.spec);
    return specs;
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
    if (m_skinSupport)
        createObjects();
    else
        createDefaultButtons();
    applyBorderIcons();
    m_layoutDirty = true;
    applySize();
    updateFrame();
    if (formActive())
        m_mouseTimer.start(kMouseTimerInterval, this);
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
        o.spec.skinRect = record->skinRect;
        o.spec.skinRectInAPicture = record->skinRectInAPicture;
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
            o.spec.kind = FrameObjectSpec::Kind::Caption;
            o.caption = caption;
        } else if (const auto* button = dynamic_cast<const DataSkinStdButton*>(record.get())) {
            o.spec.kind = FrameObjectSpec::Kind::StdButton;
            o.spec.command = button->command;
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
        o.spec.kind = FrameObjectSpec::Kind::StdButton;
        o.spec.command = command;
        o.spec.skinRect = {0, 0, 1, 1};
        m_objects.push_back(std::move(o));
    }
    m_glows.resize(m_objects.size());
}

void SkinFrame::applyBorderIcons()
{
    for (FrameObject& o : m_objects) {
        if (o.isCaption())
            continue;
        const bool inPicture = o.spec.skinRectInAPicture;
        auto has = [&](unsigned icon) { return (m_borderIcons & icon) != 0; };
        switch (o.spec.command) {
        case StdCommand::Close:
            break;
        case StdCommand::Maximize:
            o.enabled = has(BorderIcon::Maximize);
            o.spec.visible = o.enabled || !inPicture;
            break;
        case StdCommand::Minimize:
            o.enabled = has(BorderIcon::Minimize);
            o.spec.visible = o.enabled || !inPicture;
            break;
        case StdCommand::SysMenu:
            o.enabled = has(BorderIcon::SystemMenu);
            o.spec.visible = inPicture ? o.enabled : true;
            break;
        case StdCommand::Default:
            // No handler offers custom objects: they stay hidden.
            o.spec.visible = false;
            break;
        case StdCommand::RollUp:
            o.enabled = has(BorderIcon::RollUp);
            o.spec.visible = inPicture ? o.enabled : true;
            break;
        case StdCommand::MinimizeToTray:
            o.enabled = has(BorderIcon::MinimizeToTray);
            o.spec.visible = inPicture ? o.enabled : true;
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
    // Below the skin's minimum the window is raised to it at once.
    if (geometry)
        size = size.expandedTo(QSize(geometry->minWidth, geometry->minHeight));
    // The place is given with the size: the window stays where it is.
    if (size != m_window->size())
        m_window->setGeometry(QRect(m_window->pos(), size));
}

void SkinFrame::skinNotice(const SkinNoticeEvent& notice)
{
    const bool ours = notice.sender() == nullptr || notice.sender() == m_sd;
    switch (notice.message()) {
    case SKINMSG_BEFORE_CHANGE:
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
    m_layout = layoutFrame(geometry, mask, m_window->width(), m_window->height(), objectSpecs());
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
        state.morphEnabled = m_skinSupport && m_sd->enableSkinEffects();
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
        state.morphEnabled = m_skinSupport && m_sd->enableSkinEffects();
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
    return o.morphing && m_skinSupport && m_sd->enableSkinEffects();
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
    if (m_objects.empty() || !formActive() || m_closing)
        return;
    const int old = m_activeObject;
    int found = -1;
    if (track && p.x() >= 0) {
        const FrameHitResult hit = m_layout.hitTest(p.x(), p.y(), objectSpecs());
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
    if (!o.enabled || !o.spec.visible)
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
    if (!o.enabled || !o.spec.visible)
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
    // The system menu opens on press; it has no menu yet.
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
    switch (o.spec.command) {
    case StdCommand::Close:
        deactivateAll();
        m_closing = true;
        // Closing may destroy the window: it runs after the release has been
        // handled completely, from the event loop.
        QMetaObject::invokeMethod(m_window, &QWidget::close, Qt::QueuedConnection);
        break;
    case StdCommand::Maximize:
    case StdCommand::Minimize:
    case StdCommand::MinimizeToTray:
        // Window states arrive with the frame's behaviour.
        deactivateAll();
        hideLayers();
        break;
    case StdCommand::SysMenu:   // the menu opens on press
    case StdCommand::RollUp:    // window states arrive with the frame's behaviour
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
    if (!formActive()) {
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
    if (!m_skinSupport || o.isCaption() || o.glowLayerPictureIndex == -1 || !m_sd->showCaptionButtonGlowFrames())
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
    if (watched != m_window)
        return false;
    if (event->type() == SkinNoticeEvent::eventType()) {
        skinNotice(static_cast<const SkinNoticeEvent&>(*event));
        return false;
    }
    switch (event->type()) {
    case QEvent::Resize:
        updateFrame();
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
        return false;
    case QEvent::Show:
        m_closing = false;
        return false;
    case QEvent::Hide:
        hideLayers();
        m_mouseTimer.stop();
        return false;
    case QEvent::Leave:
        // Where the pointer went is asked, not assumed: a glow appearing
        // under it can make the window see a leave while the pointer still
        // rests on the button.
        if (m_mouseCaptureObject == -1 && formActive())
            mouseTick();
        return false;
    case QEvent::MouseMove: {
        const auto* e = static_cast<QMouseEvent*>(event);
        onMouseMove(e->position().toPoint());
        return false;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        const auto* e = static_cast<QMouseEvent*>(event);
        if (e->button() != Qt::LeftButton)
            return false;
        const QPoint p = e->position().toPoint();
        if (contains(m_layout.clientRect, p))
            return false;
        testActiveObject(p, true);
        if (m_activeObject >= 0 && !m_objects[std::size_t(m_activeObject)].isCaption()) {
            m_mouseCaptureObject = m_activeObject;
            const int index = m_activeObject;
            mouseDown(index);
            // A double click on the system-menu button closes the window.
            if (event->type() == QEvent::MouseButtonDblClick
                && m_objects[std::size_t(index)].spec.command == StdCommand::SysMenu)
                QMetaObject::invokeMethod(m_window, &QWidget::close, Qt::QueuedConnection);
        }
        return true;
    }
    case QEvent::MouseButtonRelease: {
        const auto* e = static_cast<QMouseEvent*>(event);
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

void SkinFrame::timerEvent(QTimerEvent* event)
{
    if (event->timerId() == m_morphTimer.timerId())
        morphTick();
    else if (event->timerId() == m_mouseTimer.timerId())
        mouseTick();
    else
        QObject::timerEvent(event);
}

} // namespace tessaly::skin
