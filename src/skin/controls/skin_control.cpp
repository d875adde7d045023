#include "skin/controls/skin_control.h"

#include "skin/controls/image_list.h"
#include "skin/data/skin_data.h"
#include "skin/data/system_colors.h"
#include "skin/paint/bitmap_canvas.h"
#include "skin/paint/compose.h"
#include "skin/paint/region.h"

#include <QPainter>
#include <QResizeEvent>

namespace tessaly::skin {

SkinControl::SkinControl(QWidget* parent)
    : QWidget(parent)
{
}

SkinControl::~SkinControl() = default;

void SkinControl::setSkinData(SkinData* skinData)
{
    m_binding.registry = skinData;
    if (m_binding.registry && !m_binding.registry->empty())
        changeSkinData();
}

void SkinControl::setDefaultWidth(int width)
{
    m_defaultWidth = width;
    if (!m_binding.isBound() && width > 0)
        resize(width, height());
}

void SkinControl::setDefaultHeight(int height)
{
    m_defaultHeight = height;
    if (!m_binding.isBound() && height > 0)
        resize(width(), height);
}

void SkinControl::setDefaultFont(const Font& font)
{
    m_defaultFont = font;
    if (!m_binding.isBound())
        update();
}

Bitmap SkinControl::hintImage() const
{
    const Bitmap* image = m_hintImageList ? m_hintImageList->image(m_hintImageIndex) : nullptr;
    return image ? *image : Bitmap{};
}

bool SkinControl::getSkinData()
{
    m_binding.lookUp();
    m_picture = nullptr;
    m_maskPicture = nullptr;
    if (!m_binding.isBound()) {
        m_geometry = {};
        return false;
    }
    const DataSkinCustomControl* custom = customRecord();
    if (!custom) {
        // A record without geometry: the whole control as one piece.
        m_geometry = {};
        m_geometry.mode = ResizeMode::Fixed;
        return true;
    }
    m_geometry = ControlGeometry::of(*custom);
    m_picture = m_binding.registry->activePicture(custom->pictureIndex);
    m_maskPicture = m_binding.registry->activePicture(custom->maskPictureIndex);
    return true;
}

const DataSkinControl* SkinControl::record() const
{
    return m_binding.record();
}

const DataSkinCustomControl* SkinControl::customRecord() const
{
    return dynamic_cast<const DataSkinCustomControl*>(record());
}

PixelView SkinControl::pictureView() const { return m_picture ? pixelView(*m_picture) : PixelView{}; }

void SkinControl::calcSkinSize(int& width, int& height)
{
    if (m_binding.isBound())
        m_geometry.calcSkinSize(width, height);
}

void SkinControl::beforeChangeSkinData()
{
    // Nothing reads the registry while it reloads.
    m_binding.unbind();
    m_picture = nullptr;
    m_maskPicture = nullptr;
}

void SkinControl::changeSkinData()
{
    const QSize before = size();
    if (!getSkinData()) {
        resize(m_defaultWidth > 0 ? m_defaultWidth : width(), m_defaultHeight > 0 ? m_defaultHeight : height());
    } else {
        int w = width();
        int h = height();
        calcSkinSize(w, h);
        if (w != width() || h != height())
            resize(w, h);
    }
    if (size() == before || !m_binding.isBound()) {
        updateControlRegion();
        update();
    }
}

void SkinControl::applySizeRule()
{
    if (m_inSizeRule || !getSkinData())
        return;
    int w = width();
    int h = height();
    calcSkinSize(w, h);
    if (w != width() || h != height()) {
        m_inSizeRule = true;
        resize(w, h);
        m_inSizeRule = false;
    }
}

void SkinControl::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    // Whoever sets the size (the window, a layout, the program), the
    // record's kind decides what the control keeps of it.
    applySizeRule();
    updateControlRegion();
    update();
}

void SkinControl::updateControlRegion()
{
    if (!m_maskPicture || !m_binding.isBound()) {
        if (!mask().isEmpty())
            clearMask();
        return;
    }
    const PixelView maskView = pixelView(*m_maskPicture);
    std::optional<Region> region;
    if (m_geometry.mode == ResizeMode::Fixed)
        region = createMaskRegion(maskView);
    else if (m_geometry.mode != ResizeMode::None)
        region = createSkinRegion(maskView, m_geometry.cut, m_geometry.target, width(), height());
    if (region)
        setMask(toQRegion(*region));
    else if (!mask().isEmpty())
        clearMask();
}

void SkinControl::drawFace(Bitmap& face)
{
    // A record without a picture or with an empty rectangle would leave the
    // control blank: it shows the built-in face instead.
    if (!m_binding.isBound() || !m_picture || m_geometry.mode == ResizeMode::None)
        drawDefaultFace(face);
    else
        drawSkinFace(face);
}

void SkinControl::drawDefaultFace(Bitmap& face)
{
    face.fillRect({0, 0, face.width(), face.height()}, colorFromValue(systemColorValue(SystemColor::BtnFace)));
}

void SkinControl::drawSkinFace(Bitmap& face)
{
    if (!m_picture)
        return;
    if (m_forceBackground && m_geometry.mode == ResizeMode::NinePiece)
        drawForcedBackground(face);
    else
        composeRecordFace(face, pictureView(), m_geometry, m_geometry.skinRect, face.width(), face.height());
}

void SkinControl::drawForcedBackground(Bitmap& face)
{
    const ControlGeometry& g = m_geometry;
    // The border strips only; the client part is laid below.
    composeSkinImage(face, pictureView(), g.skinRect, g.cut, g.target, face.width(), face.height(), false, g.stretch,
                     false, g.stretchType);
    const Rect client{g.skinRect.left + g.cut.client.left, g.skinRect.top + g.cut.client.top,
                      g.skinRect.left + g.cut.client.right, g.skinRect.top + g.cut.client.bottom};
    const Rect& area = g.target.client;
    if (!m_drawBackground || area.isEmpty() || client.isEmpty())
        return;
    // Tiled from the client area's top-left, or stretched as the record says.
    const bool stretch = g.stretchEffect;
    layPiece(pictureView(), client, face, area, !stretch || g.stretchType == StretchType::Horz,
             !stretch || g.stretchType == StretchType::Vert);
}

void SkinControl::paintEvent(QPaintEvent*)
{
    if (width() <= 0 || height() <= 0)
        return;
    getSkinData();
    int w = width();
    int h = height();
    calcSkinSize(w, h);
    // The face is composed off-screen and copied once: the widget never
    // shows a half-drawn face.
    m_face.setSize(width(), height());
    m_face.setAlphaBlend(false);
    m_face.fillRect({0, 0, width(), height()}, 0);
    const std::optional<platform::TextCapture> text = captureTextOnDenseDevice(m_face, devicePixelRatioF());
    drawFace(m_face);
    QPainter painter(this);
    drawDevicePicture(painter, m_deviceFace, m_face, text ? &*text : nullptr);
}

void SkinControl::enterEvent(QEnterEvent* event)
{
    QWidget::enterEvent(event);
    if (m_onMouseEnter)
        m_onMouseEnter();
}

void SkinControl::leaveEvent(QEvent* event)
{
    QWidget::leaveEvent(event);
    if (m_onMouseLeave)
        m_onMouseLeave();
}

void drawFramedFill(Bitmap& face, const Rect& r, Color frame, Color fill)
{
    if (r.isEmpty())
        return;
    face.fillRect(r, colorFromValue(frame));
    face.fillRect({r.left + 1, r.top + 1, r.right - 1, r.bottom - 1}, colorFromValue(fill));
}

bool SkinControl::event(QEvent* event)
{
    // Skin notices relayed by the window's frame.
    return handleSkinNoticeEvent(*this, event) || QWidget::event(event);
}

} // namespace tessaly::skin
