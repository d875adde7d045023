#include "skin/frame/skin_frame.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWindow>

#include "platform/qt_compositor.h"
#include "platform/qt_frameless_window.h"
#include "platform/qt_geometry.h"
#include "platform/qt_native_pointer.h"
#include "platform/qt_system_move.h"
#include "skin/controls/skin_bound.h"
#include "skin/controls/size_grip_event.h"
#include "skin/controls/skin_notice_event.h"
#include "skin/data/skin_data.h"
#include "skin/frame/application_notifier.h"
#include "skin/frame/form_layer_border.h"
#include "skin/frame/frame_cursor.h"
#include "skin/menus/skin_menu.h"
#include "skin/paint/bitmap_canvas.h"
#include "skin/paint/device_scale.h"
#include "skin/paint/window_shape.h"

namespace tessaly::skin {

SkinFrame::SkinFrame(platform::FramelessWindow* window)
    : QObject(window)
    , m_window(window)
{
    m_window->installEventFilter(this);
    ApplicationNotifier::instance().addWindow(m_window);
    m_skinMenu = std::make_unique<SkinMenu>(m_window, this);
    m_buttons = std::make_unique<CaptionButtons>(*this);
    m_sizeLimits = std::make_unique<FrameSizeLimits>(
        m_window, [this] { return skinGeometry(); },
        [this] { return FrameSizeState{rollUpState(), windowState() == WindowState::Minimized}; });
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

Rect SkinFrame::objectOnScreen(int index) const
{
    if (m_layerBorder->fullBorder())
        return m_layerBorder->objectOnScreen(index);
    if (index < 0 || std::size_t(index) >= m_layout.objectRects.size())
        return {};
    const Rect r = m_layout.objectRects[std::size_t(index)];
    // The window has no decoration: its geometry is its place on the screen
    // (mapToGlobal would ask the server, which may lag behind the window
    // manager's placement of a window just shown).
    const QPoint at = m_window->geometry().topLeft();
    return r.translated(at.x(), at.y());
}

// ---- skin changes --------------------------------------------------------------

void SkinFrame::applySkin()
{
    m_skinSupport = m_sd && !m_sd->empty();
    m_layerBorder->initFrame(m_skinSupport ? m_sd : nullptr);
    m_buttons->create(m_skinSupport ? m_sd : nullptr);
    applyBorderIcons();
    // The old limits let go first, so that the window takes its new size in
    // one step; the new ones follow.
    m_sizeLimits->release();
    applySize();
    m_sizeLimits->apply();
    updateFrame();
    m_buttons->resume();
    m_layerBorder->setActive(formActive());
    m_layerBorder->update();
}

void SkinFrame::fullBorderChanged()
{
    // The frame moves between the window and its layered border: the
    // window takes the size that keeps its client area.
    m_sizeLimits->release();
    applySize();
    m_sizeLimits->apply();
    m_layoutDirty = true;
    updateFrame();
    repaintWhole();
}

FramePaintState SkinFrame::layerPaintState(bool active) { return paintState(active); }

void SkinFrame::setOnActivateCustomObject(CustomObjectOffer offer)
{
    m_buttons->setCustomObjectOffer(std::move(offer));
    applyBorderIcons();
    updateFrame();
    repaintWhole();
}

void SkinFrame::applyBorderIcons()
{
    m_buttons->applyBorderIcons(m_borderIcons);
    m_layoutDirty = true;
}

void SkinFrame::applySize()
{
    QSize size = m_window->size();
    const QSize client = m_window->designClientSize();
    if (client.width() > 0 && client.height() > 0) {
        // A full layered border carries the frame: the window is its client.
        const FrameMargins m = m_layerBorder->fullBorder() ? FrameMargins{} : frameMargins(skinGeometry());
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
        relaySkinNotice(m_window, notice.message(), notice.sender());
        break;
    case SKINMSG_CHANGE:
        m_stopPainting = false;
        if (ours)
            applySkin();
        relaySkinNotice(m_window, notice.message(), notice.sender());
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
    m_buttons->stopTimers();
    m_buttons->clear();
    m_layoutDirty = true;
    // The border's pictures come from the registry's records, which go now.
    m_layerBorder->initFrame(nullptr);
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
    if (m_layerBorder->fullBorder())
        m_layout = layoutAllClient(m_window->width(), m_window->height(), m_buttons->objects().size());
    else
        m_layout = layoutFrame(skinGeometry(), mask, m_window->width(), m_window->height(), m_buttons->infos());
    m_window->clientArea()->setGeometry(platform::toQRect(m_layout.clientRect));
    setSkinWindowShape(m_window, m_layout.region);
    invalidateImages();
}


void SkinFrame::invalidateImages()
{
    m_imageValid[0] = m_imageValid[1] = false;
    m_captionImages[0].clear();
    m_captionImages[1].clear();
    repaintWhole();
}

void SkinFrame::setOnPaintEvent(UserObjectPainter painter)
{
    m_userPainter = std::move(painter);
    invalidateImages();
}

void SkinFrame::setLogo(const Bitmap& logo, bool transparent)
{
    m_logo = logo;
    m_logo.setAlphaBlend(false);
    // As a picture with a transparent colour: the colour of its bottom-left
    // pixel, and colours very close to it, are left out.
    if (transparent && !m_logo.empty())
        m_logo.checkingTransparent(m_logo.getPixel(0, m_logo.height() - 1));
    m_logo.setTransparent(transparent);
    invalidateImages();
}

void SkinFrame::redrawWhole()
{
    m_layoutDirty = true;
    updateFrame();
    repaintWhole();
}

std::optional<FrameSkinGeometry> SkinFrame::skinGeometry() const
{
    return m_skinSupport ? std::optional(FrameSkinGeometry::from(*m_sd)) : std::nullopt;
}

bool SkinFrame::effectsOn() const { return m_skinSupport && m_sd->options().enableSkinEffects; }

FramePaintState SkinFrame::paintState(bool active)
{
    FramePaintState state;
    state.active = active;
    state.title = m_window->windowTitle();
    state.morphEnabled = effectsOn();
    state.captionImages = &m_captionImages[active ? 1 : 0];
    state.maximized = windowState() == WindowState::Maximized;
    state.minimized = windowState() == WindowState::Minimized;
    state.rolledUp = rollUpState();
    state.logo = m_logo.empty() ? nullptr : &m_logo;
    state.userPainter = &m_userPainter;
    state.deviceRatio = m_window->devicePixelRatioF();
    return state;
}

Bitmap& SkinFrame::ensureImage(bool active)
{
    followTextApart();
    Bitmap& image = m_images[active ? 1 : 0];
    if (!m_imageValid[active ? 1 : 0]) {
        m_buttons->setWindowActive(active);
        FramePaintState state = paintState(active);
        state.keptText = m_textApart ? &m_keptText[active ? 1 : 0] : nullptr;
        composeFrame(image, m_skinSupport ? m_sd : nullptr, m_layout, m_buttons->objects(), state);
        if (!state.keptText)
            m_keptText[active ? 1 : 0].clear();
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

bool SkinFrame::textApart() const { return !DeviceScale::fromRatio(m_window->devicePixelRatioF()).isIdentity(); }

void SkinFrame::followTextApart()
{
    // Pictures made with their text in them (or without) are made again
    // when the window reaches a screen of another kind.
    if (m_textApart == textApart())
        return;
    m_textApart = textApart();
    invalidateImages();
}

void SkinFrame::paint(const QRegion& region)
{
    updateFrame();
    const bool active = formActive();
    const Bitmap& image = ensureImage(active);
    if (image.empty())
        return;
    // The parts of the picture drawn again since the last paint are all
    // the device picture has to scale again.
    QImage picture = m_devicePictures[active ? 1 : 0].image(image, m_window->devicePixelRatioF(), m_changed);
    m_changed = QRegion();
    QPainter painter(m_window);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    if (picture.devicePixelRatio() == 1.0) {
        for (const QRect& r : region)
            painter.drawImage(r.topLeft(), picture, r);
        return;
    }
    // The caption's text, kept out of the picture, at the screen's
    // resolution (onto a copy: the cache stays free of text).
    m_keptText[active ? 1 : 0].drawOnto(picture);
    // A device picture is drawn whole, clipped: a part of it would be
    // placed at logical coordinates and could be resampled by half a pixel.
    painter.setClipRegion(region);
    painter.drawImage(QPointF(0, 0), picture);
}

void SkinFrame::repaint(const Rect& rect)
{
    if (rect.isEmpty())
        return;
    m_repaintedPixels += (long long)rect.width() * rect.height();
    m_changed += platform::toQRect(rect);
    m_window->update(platform::toQRect(rect));
}

void SkinFrame::redrawObject(int index)
{
    const std::vector<CaptionButton>& objects = m_buttons->objects();
    if (index < 0 || std::size_t(index) >= objects.size())
        return;
    // On a full layered border the objects are the top strip's.
    if (m_layerBorder->fullBorder()) {
        m_layerBorder->redrawObjects();
        return;
    }
    followTextApart();
    const bool active = formActive();
    const int slot = active ? 1 : 0;
    Rect dirty = index < int(m_layout.objectRects.size()) ? m_layout.objectRects[std::size_t(index)] : Rect{};
    if (m_imageValid[slot]) {
        const FramePaintState state = paintState(active);
        if (objects[std::size_t(index)].isCaption() && m_skinSupport) {
            std::optional<platform::TextCapture> text;
            if (m_textApart)
                text.emplace(m_images[slot].rowPointer(0));
            dirty = redrawCaptionAndWhatLiesOnIt(m_images[slot], index, state);
            // The caption's new text replaces its old.
            if (text) {
                m_keptText[slot].removeWithin(platform::toQRect(m_layout.objectRects[std::size_t(index)]));
                m_keptText[slot].append(text->take());
            }
        } else
            redrawButton(m_images[slot], m_skinSupport ? m_sd : nullptr, m_layout, objects[std::size_t(index)].look(),
                         index, state);
    }
    repaint(dirty);
}

Rect SkinFrame::redrawCaptionAndWhatLiesOnIt(Bitmap& image, int index, const FramePaintState& state)
{
    const std::vector<CaptionButton>& objects = m_buttons->objects();
    const Rect at = m_layout.objectRects[std::size_t(index)];
    // Buttons cover their rectangles with their pictures: the caption's new
    // look is copied around them. User objects may draw only some of their
    // pixels: they are drawn again over it.
    auto coversItsRect = [](const FrameObject& o) {
        return !o.isUserObject() && (o.activePicture || !o.info.skinRectInAPicture);
    };
    std::vector<Rect> keep;
    for (std::size_t i = 0; i < objects.size() && i < m_layout.objectRects.size(); ++i) {
        const FrameObject& o = objects[i].look();
        const Rect on = m_layout.objectRects[i].intersected(at);
        if (!o.isCaption() && !on.isEmpty() && coversItsRect(o))
            keep.push_back(on);
    }
    const CaptionDrawn drawn =
        redrawCaption(image, *m_sd, m_layout, objects[std::size_t(index)].look(), index, state, keep);
    for (std::size_t i = 0; i < objects.size() && i < m_layout.objectRects.size(); ++i) {
        const FrameObject& o = objects[i].look();
        if (!o.isCaption() && !m_layout.objectRects[i].intersected(drawn.drawn).isEmpty()
            && (!drawn.keptOut || !coversItsRect(o)))
            redrawButton(image, m_sd, m_layout, o, int(i), state);
    }
    return drawn.drawn;
}

void SkinFrame::sizeMoveEnded()
{
    m_buttons->forgetPointer();
    updateFrame();
    repaintWhole();
    m_buttons->resume();
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

int SkinFrame::objectAt(const QPoint& p) const
{
    if (m_layerBorder->fullBorder())
        return m_layerBorder->objectAt(platform::toPoint(p));
    return hitTest(p).objectIndex;
}

FrameHitResult SkinFrame::hitTest(const QPoint& p) const
{
    return m_layout.hitTest(p.x(), p.y(), m_buttons->infos(), m_sizing->sizableNow());
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
    if (event->type() == SizeGripEvent::eventType())
        return sizeGrip(static_cast<SizeGripEvent&>(*event));
    return windowEvent(event);
}

// A size grip in the window (the status bar's) sizes it as the frame's
// bottom-right corner does.
bool SkinFrame::sizeGrip(SizeGripEvent& grip)
{
    switch (grip.phase()) {
    case SizeGripEvent::Phase::Press:
        if (!m_sizing->sizableNow())
            break;
        m_sizing->start(FrameHit::BottomRight, grip.globalPosition());
        grip.accept();
        break;
    case SizeGripEvent::Phase::Move:
        m_sizing->follow(grip.globalPosition());
        grip.accept();
        break;
    case SizeGripEvent::Phase::Release:
        if (m_sizing->ownTracking())
            m_sizing->end();
        grip.accept();
        break;
    }
    return true;
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
        m_buttons->activationChanged();
        repaintWhole();
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
        m_buttons->pointerLeft();
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
    m_buttons->windowShown();
    watchScreen();
    // The border follows once the window itself is on the screen.
    QMetaObject::invokeMethod(
        m_layerBorder.get(), [border = m_layerBorder.get()] { border->update(); }, Qt::QueuedConnection);
}

void SkinFrame::hidden()
{
    m_buttons->stop();
    m_layerBorder->hide();
}

void SkinFrame::pointerEntered()
{
    // The pointer is back after a move or resize by the window manager.
    if (!platform::leftButtonDown())
        m_sizing->endHandedOver();
}

QPoint SkinFrame::pixelAt(const QMouseEvent* e) const
{
    const qreal ratio = m_window->devicePixelRatioF();
    if (ratio == 1.0)
        return e->position().toPoint();
    // On a dense screen the pixel under the pointer is the window pixel
    // whose screen pixels hold it, as the shape and the picture put them;
    // Qt's position is rounded to whole logical coordinates. The window
    // system's own position is taken while it still agrees with the event.
    const DeviceScale scale = DeviceScale::fromRatio(ratio);
    if (const std::optional<QPoint> native = platform::nativePointerIn(m_window)) {
        const QPointF seen = QPointF(*native) / ratio;
        if (qAbs(seen.x() - e->position().x()) <= 1.0 && qAbs(seen.y() - e->position().y()) <= 1.0) {
            const Point p = scale.toLogical(Point{native->x(), native->y()});
            return {p.x, p.y};
        }
    }
    const Point p = logicalPixelAt(e->position().x(), e->position().y(), ratio);
    return {p.x, p.y};
}

bool SkinFrame::mouseMove(QMouseEvent* e)
{
    if ((e->buttons() & Qt::LeftButton) && m_sizing->startOnceDragged(e->globalPosition().toPoint()))
        return true;
    if (m_sizing->follow(e->globalPosition().toPoint()))
        return true;
    // Qt sees no release after a move by the window manager: the first
    // motion with the button up ends it, so the buttons react at once.
    // (Qt also sends motion of its own while the window changes size.)
    if (!m_sizing->endUnlessButtonHeld())
        return false;
    const QPoint p = pixelAt(e);
    updateCursor(hitTest(p).hit);
    m_buttons->pointerMoved(p);
    return false;
}

bool SkinFrame::mousePress(QMouseEvent* e, bool doubleClick)
{
    m_sizing->endHandedOver();
    const QPoint p = pixelAt(e);
    if (m_layout.clientRect.contains(platform::toPoint(p)))
        return false;
    const FrameHitResult hit = hitTest(p);
    if (e->button() == Qt::RightButton) {
        m_buttons->rightPress(p, e->globalPosition().toPoint(), doubleClick, hit.hit == FrameHit::Caption);
        return true;
    }
    if (e->button() != Qt::LeftButton)
        return false;
    if (m_buttons->leftPress(p, doubleClick))
        return true;
    if (hit.hit == FrameHit::Caption && doubleClick)
        m_windowStates->captionDoubleClick();
    else if (hit.hit == FrameHit::Caption)
        m_sizing->arm(hit.hit, e->globalPosition().toPoint());
    else if (isSizingHit(hit.hit))
        m_sizing->start(hit.hit, e->globalPosition().toPoint());
    return true;
}

bool SkinFrame::mouseRelease(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton && m_sizing->armed()) {
        m_sizing->disarm();
        return true;
    }
    if (e->button() == Qt::LeftButton && m_sizing->ownTracking()) {
        m_sizing->end();
        return true;
    }
    return e->button() == Qt::LeftButton && m_buttons->leftRelease(pixelAt(e));
}

void SkinFrame::watchScreen()
{
    if (m_screenWatched || !m_window->windowHandle())
        return;
    m_screenWatched = true;
    m_sizeLimits->watchScreen();
    // Exposes tell the window states that the window is on the screen.
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
    m_buttons->menuClosed();
    m_systemMenu->closed();
}

} // namespace tessaly::skin
