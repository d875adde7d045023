#include "skin/frame/form_layer_border.h"

#include <QRegion>
#include <QTimerEvent>
#include <QWindow>
#include <algorithm>
#include <cstdlib>

#include "platform/qt_frameless_window.h"
#include "platform/qt_geometry.h"
#include "platform/qt_input_region.h"
#include "platform/qt_skip_taskbar.h"
#include "skin/data/skin_data.h"
#include "skin/frame/form_layer_window.h"
#include "skin/frame/frame_cursor.h"
#include "skin/frame/skin_frame.h"
#include "skin/menus/skin_menu.h"
#include "skin/paint/bitmap_canvas.h"
#include "skin/paint/device_scale.h"
#include "skin/paint/stack_blur.h"

namespace tessaly::skin {

namespace {

// A picture of the registry with alpha from its mask (none: its own alpha),
// ready for the strip images.
Bitmap withAlphaFromMask(const Picture* picture, const Picture* mask)
{
    Bitmap b;
    if (!picture || picture->isEmpty())
        return b;
    b.assign(pixelView(*picture));
    if (mask)
        alphaFromMask(b, pixelView(*mask));
    // The strip windows show premultiplied pixels: prepared here, once per
    // skin, every strip image built from it is ready to show.
    b.checkRGBA();
    b.checkingAlphaBlend();
    return b;
}

} // namespace

FormLayerBorder::FormLayerBorder(SkinFrame* frame, PointerSizing& sizing)
    : m_frame(frame)
    , m_sizing(sizing)
{
}

FormLayerBorder::~FormLayerBorder() { destroyWindows(); }

void FormLayerBorder::initFrame(const SkinData* sd)
{
    hide();
    m_compositorTimer.stop();
    m_geometry.reset();
    m_sourceBitmap.clear();
    m_sourceInActiveBitmap.clear();
    m_sd = sd;
    if (!sd || sd->empty() || sd->layerFrame.pictureIndex == -1)
        return;
    const DataSkinLayerFrame& d = sd->layerFrame;
    m_sourceBitmap = withAlphaFromMask(sd->activePicture(d.pictureIndex), sd->activePicture(d.maskPictureIndex));
    if (m_sourceBitmap.empty())
        return; // the index names no picture
    // The inactive picture is cut with the same points: one of another size
    // would not fit them, and the active picture serves in both states.
    m_sourceInActiveBitmap = withAlphaFromMask(sd->activePicture(d.inActivePictureIndex),
                                               sd->activePicture(d.inActiveMaskPictureIndex));
    if (m_sourceInActiveBitmap.width() != m_sourceBitmap.width()
        || m_sourceInActiveBitmap.height() != m_sourceBitmap.height())
        m_sourceInActiveBitmap.clear();
    m_geometry = LayerBorderGeometry::from(d, m_sourceBitmap.width(), m_sourceBitmap.height());
    m_hitTestEnable = d.hitTestEnable;
    m_transparentForInput = d.borderRect.isEmpty();
    m_alphaBlendValue = std::clamp(d.alphaBlendValue, 0, 255);
    m_inActiveAlphaBlendValue = std::clamp(d.inActiveAlphaBlendValue, 0, 255);
    // No notice tells when a compositing manager starts or stops: while the
    // skin has a border, the frame asks now and then.
    m_compositorTimer.start(kCompositorCheckInterval, this);
}

bool FormLayerBorder::inUse() const
{
    return m_geometry && m_sd && !m_sd->empty() && m_sd->options().showLayeredBorders && m_frame->layeredWindowsAvailable();
}

bool FormLayerBorder::shouldShow() const
{
    const QWidget* w = m_frame->window();
    // A maximised window fills the work area: there is no room around it
    // for a shadow. A full border stays: without it the window would have
    // no caption.
    const bool maximised = w->isMaximized() || m_frame->windowState() == SkinFrame::WindowState::Maximized;
    return inUse() && w->isVisible() && !w->isMinimized() && (!maximised || fullBorder());
}

Rect FormLayerBorder::maximisedBounds(const Rect& workArea) const
{
    if (!fullBorder())
        return workArea;
    const LayerBorderGeometry& g = *m_geometry;
    return {workArea.left + g.leftSize, workArea.top + g.topSize, workArea.right - g.rightSize,
            workArea.bottom - g.bottomSize};
}

void FormLayerBorder::update()
{
    if (fullBorder() != m_fullBorderApplied) {
        m_fullBorderApplied = fullBorder();
        m_frame->fullBorderChanged();
    }
    if (!shouldShow()) {
        hide();
        return;
    }
    if (!m_visible) {
        show();
        return;
    }
    place(false);
}

void FormLayerBorder::hide()
{
    m_fadeTimer.stop();
    // Windows without a border pass here on every move and resize.
    if (!m_visible && windowCount() == 0)
        return;
    m_visible = false;
    destroyWindows();
    for (Bitmap& image : m_images)
        image.clear();
    m_layout = {};
}

void FormLayerBorder::destroyWindows()
{
    for (auto& w : m_windows)
        w.reset();
}

int FormLayerBorder::windowCount() const
{
    return int(std::count_if(m_windows.begin(), m_windows.end(), [](const auto& w) { return w != nullptr; }));
}

Rect FormLayerBorder::windowBounds() const
{
    // The window has no decoration: its geometry is its place on the screen.
    return platform::toRect(m_frame->window()->geometry());
}

const Bitmap& FormLayerBorder::picture() const
{
    return !m_active && !m_sourceInActiveBitmap.empty() ? m_sourceInActiveBitmap : m_sourceBitmap;
}

int FormLayerBorder::targetAlpha() const { return m_active ? m_alphaBlendValue : m_inActiveAlphaBlendValue; }

void FormLayerBorder::show()
{
    m_visible = true;
    m_fadeTimer.stop();
    m_alpha = targetAlpha();
    place(true);
}

void FormLayerBorder::place(bool rebuild)
{
    const Rect bounds = windowBounds();
    const bool resized =
        bounds.width() != m_layout.window.width() || bounds.height() != m_layout.window.height();
    m_layout = layoutLayerBorder(*m_geometry, bounds, m_frame->rollUpState());
    if (rebuild || resized)
        buildImages();
    for (FormLayerBorderType type : kLayerBorderTypes) {
        const LayerStrip& strip = m_layout.strip(type);
        std::unique_ptr<FormLayerWindow>& w = m_windows[std::size_t(type)];
        if (!strip.hasPixels()) {
            // Kept hidden rather than destroyed: this may run inside the
            // strip's own mouse event (the frame's own drag tracking).
            if (w)
                w->hide();
            continue;
        }
        const QPoint at = platform::toQPoint({strip.screen.left, strip.screen.top});
        if (!w)
            w = createWindow(type);
        else if (!(rebuild || resized))
            w->move(at);
        // A new image comes with its place: one request for both, so the
        // window manager never sees a size without the position that goes
        // with it.
        if (rebuild || resized || !w->isVisible()) {
            w->setImage(imageOf(m_images[std::size_t(type)]).copy(), at);
            takePointerOnlyWhereItSizes(*w, type, strip);
        }
        if (!w->isVisible())
            w->show();
    }
}

void FormLayerBorder::takePointerOnlyWhereItSizes(FormLayerWindow& window, FormLayerBorderType type,
                                                  const LayerStrip& strip) const
{
    // The shadow beyond the sizing areas is only drawn: a click there goes
    // to whatever lies below, as if the border were not there. A strip
    // carrying the caption takes the pointer all over.
    if (m_transparentForInput || carriesObjects(type))
        return;
    std::vector<Rect> sizing;
    for (const LayerStrip::HitArea& area : strip.hitAreas)
        sizing.push_back(area.rect.translated(-strip.screen.left, -strip.screen.top));
    // The X input shape counts the screen's pixels.
    const DeviceScale scale = DeviceScale::fromRatio(window.devicePixelRatioF());
    platform::setInputRegion(&window, toQRegion(scaleRegion(Region::fromRects(sizing), scale)));
}

std::unique_ptr<FormLayerWindow> FormLayerBorder::createWindow(FormLayerBorderType type)
{
    const QWidget* window = m_frame->window();
    const bool onTop = window->windowFlags() & Qt::WindowStaysOnTopHint;
    auto w = std::make_unique<FormLayerWindow>(this, type, m_transparentForInput && !carriesObjects(type), onTop);
    w->setOpacity(m_alpha);
    // Transient for the window: the window manager keeps the strip with it
    // (stacking, minimising); no task-bar or pager entry.
    w->winId();
    if (w->windowHandle() && window->windowHandle())
        w->windowHandle()->setTransientParent(window->windowHandle());
    platform::skipTaskbar(w.get());
    return w;
}

void FormLayerBorder::buildImages()
{
    const PixelView source = m_active || m_sourceInActiveBitmap.empty() ? m_sourceBitmap.view()
                                                                         : m_sourceInActiveBitmap.view();
    for (FormLayerBorderType type : kLayerBorderTypes)
        buildLayerImage(m_images[std::size_t(type)], source, m_layout.strip(type));
    m_imagesActive = m_active;
    ++m_buildCount;
    drawObjects();
}

void FormLayerBorder::drawObjects()
{
    m_objectRects.clear();
    Bitmap& top = m_images[std::size_t(FormLayerBorderType::Top)];
    if (!m_geometry->fullBorder || top.empty() || !m_sd)
        return;
    const std::vector<CaptionButton>& objects = m_frame->objects();
    std::vector<FrameObjectInfo> infos;
    for (const CaptionButton& b : objects)
        infos.push_back(b.look().info);
    m_objectRects = arrangeLayerObjects(*m_geometry, top.width(), infos, m_sd->buttonsOffset);
    drawLayerObjects(top, *m_sd, objects, m_objectRects, m_frame->layerPaintState(m_active));
}

void FormLayerBorder::redrawObjects()
{
    if (!m_visible || !m_geometry || !m_geometry->fullBorder)
        return;
    // The strip's own pixels first, then the objects in their new states.
    const PixelView source = m_imagesActive || m_sourceInActiveBitmap.empty() ? m_sourceBitmap.view()
                                                                              : m_sourceInActiveBitmap.view();
    const std::size_t top = std::size_t(FormLayerBorderType::Top);
    buildLayerImage(m_images[top], source, m_layout.strip(FormLayerBorderType::Top));
    drawObjects();
    if (m_windows[top] && !m_images[top].empty())
        m_windows[top]->setImage(imageOf(m_images[top]).copy());
}

void FormLayerBorder::applyImages()
{
    // Same size, same place: only the pixels change.
    for (FormLayerBorderType type : kLayerBorderTypes)
        if (const auto& w = m_windows[std::size_t(type)]; w && !m_images[std::size_t(type)].empty())
            w->setImage(imageOf(m_images[std::size_t(type)]).copy());
}

void FormLayerBorder::setActive(bool active)
{
    if (active == m_active)
        return;
    m_active = active;
    if (!m_visible)
        return;
    // The inactive picture, when the skin has one, takes over the images.
    if ((!m_sourceInActiveBitmap.empty() && m_imagesActive != m_active) || (m_geometry && m_geometry->fullBorder)) {
        // A full border's caption shows the window's activation too.
        buildImages();
        applyImages();
    }
    startFade();
}

void FormLayerBorder::startFade()
{
    const int target = targetAlpha();
    if (m_alpha == target) {
        m_fadeTimer.stop();
        return;
    }
    // A step of at least 1, so that every fade ends.
    m_fadeStep = std::max(std::abs(target - m_alpha) / kFadeSteps, 1);
    m_fadeTimer.start(kFadeInterval, this);
}

void FormLayerBorder::fadeStep()
{
    const int target = targetAlpha();
    if (!m_visible || m_alpha == target) {
        m_fadeTimer.stop();
        return;
    }
    m_alpha = m_alpha < target ? std::min(m_alpha + m_fadeStep, target) : std::max(m_alpha - m_fadeStep, target);
    for (const auto& w : m_windows)
        if (w)
            w->setOpacity(m_alpha);
    if (m_alpha == target)
        m_fadeTimer.stop();
}

FormLayerBorderHit FormLayerBorder::hitTest(FormLayerBorderType type, const QPoint& global) const
{
    if (!m_visible || !m_hitTestEnable)
        return FormLayerBorderHit::Nowhere;
    return m_layout.hitTest(type, platform::toPoint(global), m_sizing.sizableNow());
}

QPoint FormLayerBorder::onTopStrip(const QPoint& global) const
{
    const Rect& screen = m_layout.strip(FormLayerBorderType::Top).screen;
    return global - QPoint(screen.left, screen.top);
}

int FormLayerBorder::objectAt(const Point& p) const
{
    const std::vector<CaptionButton>& objects = m_frame->objects();
    for (std::size_t i = 0; i < objects.size() && i < m_objectRects.size(); ++i) {
        const FrameObjectInfo& info = objects[i].look().info;
        const Rect& r = m_objectRects[i];
        if (!objects[i].enabled() || !info.visible || r.isEmpty() || !r.contains(p.x, p.y))
            continue;
        // A mask shapes the object: only its black pixels are it.
        const PixelView& mask = info.hitMask;
        const int x = p.x - r.left, y = p.y - r.top;
        if (!mask.isEmpty() && (x >= mask.width || y >= mask.height || (mask.pixel(x, y) & 0xFFFFFFu) != 0))
            continue;
        return int(i);
    }
    return -1;
}

Rect FormLayerBorder::objectOnScreen(int index) const
{
    if (index < 0 || std::size_t(index) >= m_objectRects.size() || !m_visible)
        return {};
    const Rect& screen = m_layout.strip(FormLayerBorderType::Top).screen;
    return m_objectRects[std::size_t(index)].translated(screen.left, screen.top);
}

void FormLayerBorder::stripPress(FormLayerBorderType type, const QPoint& global, Qt::MouseButton button,
                                 bool doubleClick)
{
    if (!m_hitTestEnable && !carriesObjects(type))
        return;
    m_frame->skinMenu().hide();
    // A press on the border counts as a press on the window.
    QWidget* w = m_frame->window();
    if (!w->isActiveWindow())
        w->activateWindow();
    if (carriesObjects(type)) {
        const QPoint p = onTopStrip(global);
        const int object = objectAt(platform::toPoint(p));
        const bool onCaption = object >= 0 && m_frame->objects()[std::size_t(object)].isCaption();
        CaptionButtons& buttons = m_frame->captionButtons();
        if (button == Qt::RightButton) {
            buttons.rightPress(p, global, doubleClick, onCaption);
            return;
        }
        if (button != Qt::LeftButton || buttons.leftPress(p, doubleClick))
            return;
        if (onCaption && doubleClick) {
            m_frame->windowStates().captionDoubleClick();
            return;
        }
        if (onCaption) {
            m_sizing.start(FrameHit::Caption, global);
            return;
        }
    }
    if (button != Qt::LeftButton || !m_hitTestEnable)
        return;
    const FormLayerBorderHit hit = hitTest(type, global);
    if (isSizingHit(hit))
        m_sizing.start(hit, global);
}

Qt::CursorShape FormLayerBorder::stripMove(FormLayerBorderType type, const QPoint& global)
{
    if (m_sizing.ownTracking()) {
        m_sizing.trackBorder(global, false);
        return cursorForHit(m_sizing.trackedGrip());
    }
    if (carriesObjects(type)) {
        // The objects first: over one, the pointer is theirs.
        m_frame->captionButtons().pointerMoved(onTopStrip(global));
        if (objectAt(platform::toPoint(onTopStrip(global))) >= 0)
            return Qt::ArrowCursor;
    }
    return cursorForHit(hitTest(type, global));
}

void FormLayerBorder::stripRelease(FormLayerBorderType type, const QPoint& global, Qt::MouseButton button)
{
    if (button == Qt::LeftButton && m_sizing.ownTracking()) {
        m_sizing.trackBorder(global, true);
        return;
    }
    if (button == Qt::LeftButton && carriesObjects(type))
        m_frame->captionButtons().leftRelease(onTopStrip(global));
}

void FormLayerBorder::stripLeft(FormLayerBorderType type)
{
    if (carriesObjects(type))
        m_frame->captionButtons().pointerLeft();
}

void FormLayerBorder::timerEvent(QTimerEvent* event)
{
    if (event->timerId() == m_fadeTimer.timerId())
        fadeStep();
    else if (event->timerId() == m_compositorTimer.timerId())
        checkCompositor();
    else
        QObject::timerEvent(event);
}

} // namespace tessaly::skin
