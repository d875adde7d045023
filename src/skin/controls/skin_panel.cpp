#include "skin/controls/skin_panel.h"

#include "platform/qt_canvas.h"
#include "skin/data/skin_colors.h"
#include "skin/data/skin_data.h"
#include "skin/data/system_colors.h"
#include "skin/paint/bitmap_canvas.h"
#include "skin/paint/compose.h"
#include "skin/paint/glyph.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace tessaly::skin {

namespace {

constexpr int kRollUpMarker = 10;
constexpr int kCheckBox = 14;

PixelColor pixel(Color c) { return colorFromValue(c); }
Color sys(SystemColor c) { return systemColorValue(c); }

void hLine(Bitmap& face, int x0, int x1, int y, Color c) { face.fillRect({x0, y, x1, y + 1}, pixel(c)); }
void vLine(Bitmap& face, int x, int y0, int y1, Color c) { face.fillRect({x, y0, x + 1, y1}, pixel(c)); }

// A one-pixel outline, top and left in one colour, bottom and right in
// another.
void outline(Bitmap& face, const Rect& r, Color topLeft, Color bottomRight)
{
    if (r.isEmpty())
        return;
    hLine(face, r.left, r.right, r.top, topLeft);
    vLine(face, r.left, r.top, r.bottom, topLeft);
    hLine(face, r.left, r.right, r.bottom - 1, bottomRight);
    vLine(face, r.right - 1, r.top, r.bottom, bottomRight);
}

// A picture of the record drawn with its bottom-left pixel's colour left
// out, at (x, y).
void drawKeyedPiece(Bitmap& face, PixelView picture, const Rect& source, int x, int y)
{
    if (source.isEmpty())
        return;
    Bitmap piece(source.width(), source.height());
    copyPiece(picture, source, piece, {0, 0, source.width(), source.height()});
    drawGlyphCell(face, x, y, 1, 1, piece.view());
}

} // namespace

void drawRollUpArrow(Bitmap& face, const Rect& area, bool down, Color colour)
{
    const int cx = area.left + area.width() / 2;
    const int top = area.top + area.height() / 2 - 2;
    for (int row = 0; row < 4; ++row) {
        const int half = down ? 3 - row : row;
        hLine(face, cx - half, cx + half + 1, top + row, colour);
    }
}

SkinPanel::SkinPanel(QWidget* parent)
    : SkinControl(parent)
{
    m_binding.name = "panel";
    m_forceBackground = true;
    resize(150, 150);
}

void SkinPanel::setText(const QString& caption)
{
    m_caption = caption;
    update();
}

void SkinPanel::setCaptionMode(bool on)
{
    m_captionMode = on;
    updateClientMargins();
    update();
}

void SkinPanel::setCheckedMode(bool on)
{
    m_checkedMode = on;
    updateFocusPolicy();
    update();
}

void SkinPanel::setChecked(bool on)
{
    m_checked = on;
    if (m_checkedMode) {
        update();
        if (m_autoEnabledControls)
            for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
                child->setEnabled(on);
    }
    if (m_onChecked)
        m_onChecked();
}

void SkinPanel::setRollUpMode(bool on)
{
    m_rollUpMode = on;
    updateFocusPolicy();
    update();
}

void SkinPanel::setRollUpState(bool on)
{
    if (on == m_rollUpState || !m_rollUpMode)
        return;
    m_rollUpState = on;
    doRollUp(on);
    if (m_onChangeRollUp)
        m_onChangeRollUp();
}

void SkinPanel::setTransparentMode(bool on)
{
    if (on == m_transparent)
        return;
    m_transparent = on;
    update();
}

void SkinPanel::setBorderStyle(BorderStyle style)
{
    m_borderStyle = style;
    updateClientMargins();
    update();
}

void SkinPanel::setDefaultCaptionHeight(int height)
{
    m_defaultCaptionHeight = height;
    updateClientMargins();
    update();
}

void SkinPanel::setDefaultAlignment(Alignment alignment)
{
    m_defaultAlignment = alignment;
    update();
}

void SkinPanel::setGlyph(const Bitmap& glyph, int numGlyphs)
{
    m_glyph = glyph;
    m_numGlyphs = numGlyphs == 2 ? 2 : 1;
    update();
}

void SkinPanel::setSpacing(int spacing)
{
    m_spacing = spacing;
    update();
}

void SkinPanel::updateFocusPolicy()
{
    // A panel the user can toggle is reached with Tab.
    setFocusPolicy(m_checkedMode || m_rollUpMode ? Qt::TabFocus : Qt::NoFocus);
}

bool SkinPanel::getSkinData()
{
    const bool bound = SkinControl::getSkinData();
    m_panelRecord = bound ? dynamic_cast<const DataSkinPanelControl*>(record()) : nullptr;
    return bound;
}

void SkinPanel::changeSkinData()
{
    SkinControl::changeSkinData();
    // Rolled up, the panel keeps only its caption of the new skin.
    if (m_realHeight >= 0) {
        const int restore = m_realHeight;
        m_realHeight = -1;
        resize(width(), restore);
        doRollUp(true);
        m_realHeight = restore;
    }
    updateClientMargins();
}

Rect SkinPanel::currentClient() const
{
    // The size may have changed while hidden, before any resize event.
    ControlGeometry g = m_geometry;
    int w = width(), h = height();
    g.calcSkinSize(w, h);
    return g.target.client;
}

Rect SkinPanel::clientRectForChildren() const { return adjustClientRect(childArea()); }

Rect SkinPanel::childArea() const
{
    Rect r{0, 0, width(), height()};
    const bool bound = m_binding.isBound() && m_picture;
    if (!bound) {
        if (m_borderStyle != BorderStyle::None)
            r = {1, 1, r.right - 1, r.bottom - 1};
        if (m_captionMode)
            r.top = std::min(r.bottom, m_defaultCaptionHeight);
        return r;
    }
    const bool background = m_panelRecord && m_binding.registry->activePicture(m_panelRecord->bgPictureIndex);
    const bool wholeArea = m_borderStyle == BorderStyle::None && !m_captionMode
                           && m_geometry.mode == ResizeMode::NinePiece;
    if (!background && !wholeArea)
        r = currentClient();
    return r;
}

void SkinPanel::updateClientMargins()
{
    const Rect r = clientRectForChildren();
    setContentsMargins(r.left, r.top, width() - r.right, height() - r.bottom);
}

void SkinPanel::resizeEvent(QResizeEvent* event)
{
    SkinControl::resizeEvent(event);
    updateClientMargins();
}

Rect SkinPanel::captionArea() const
{
    if (m_binding.isBound() && m_panelRecord && m_picture) {
        if (m_panelRecord->captionRect.isEmpty())
            return {};
        return mapRectToSize(m_geometry, m_panelRecord->captionRect, width(), height());
    }
    if (m_captionMode)
        return {1, 1, width() - 1, m_defaultCaptionHeight};
    return {};
}

void SkinPanel::toggleByUser()
{
    if (m_checkedMode)
        setChecked(!m_checked);
    if (m_rollUpMode)
        setRollUpState(!m_rollUpState);
}

void SkinPanel::doRollUp(bool rollUp)
{
    if (rollUp && m_realHeight < 0) {
        m_realHeight = height();
        for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            child->hide();
        const bool bound = m_binding.isBound() && m_picture;
        resize(width(), bound ? height() - currentClient().height() : m_defaultCaptionHeight + 1);
    } else if (!rollUp && m_realHeight >= 0) {
        const int restore = m_realHeight;
        m_realHeight = -1;
        resize(width(), restore);
        for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            child->show();
    }
}

void SkinPanel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && m_captionMode && (m_rollUpMode || m_checkedMode)) {
        const QPoint p = event->position().toPoint();
        const Rect area = captionArea();
        if (p.x() >= area.left && p.x() < area.right && p.y() >= area.top && p.y() < area.bottom)
            toggleByUser();
    }
    SkinControl::mouseReleaseEvent(event);
}

void SkinPanel::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Space && (m_checkedMode || m_rollUpMode) && !event->isAutoRepeat()) {
        event->accept();
        toggleByUser();
        return;
    }
    SkinControl::keyPressEvent(event);
}

Font SkinPanel::captionFont() const
{
    if (m_useSkinFont && m_panelRecord)
        return {m_panelRecord->fontName, m_panelRecord->fontHeight, m_panelRecord->fontStyle,
                m_panelRecord->fontColor};
    return m_defaultFont;
}

// ---- faces

void SkinPanel::paintEvent(QPaintEvent* event)
{
    getSkinData();
    if (!m_transparent || !m_binding.isBound() || !m_picture) {
        SkinControl::paintEvent(event);
        return;
    }
    // Transparent: the parent shows through (Qt paints it underneath);
    // only the outline, or the group box, is drawn over it.
    m_face.setSize(width(), height());
    m_face.fillRect({0, 0, width(), height()}, 0);
    const std::optional<platform::TextCapture> text = captureTextOnDenseDevice(m_face, devicePixelRatioF());
    if (m_captionMode)
        drawGroupBox(m_face);
    else if (m_borderStyle != BorderStyle::None)
        outline(m_face, {0, 0, width(), height()}, m_binding.registry->skinColors().cBtnShadow,
                m_binding.registry->skinColors().cBtnShadow);
    m_face.setAlphaBlend(true);
    QPainter painter(this);
    drawDevicePicture(painter, m_deviceFace, m_face, text ? &*text : nullptr);
    m_face.setAlphaBlend(false);
}

void SkinPanel::drawDefaultFace(Bitmap& face)
{
    const int w = face.width(), h = face.height();
    face.fillRect({0, 0, w, h}, pixel(sys(SystemColor::BtnFace)));
    const Rect all{0, 0, w, h};
    switch (m_borderStyle) {
    case BorderStyle::Frame:
        outline(face, all, sys(SystemColor::BtnShadow), sys(SystemColor::BtnShadow));
        break;
    case BorderStyle::Raised:
        outline(face, all, sys(SystemColor::BtnHighlight), sys(SystemColor::BtnShadow));
        break;
    case BorderStyle::Lowered:
        outline(face, all, sys(SystemColor::BtnShadow), sys(SystemColor::BtnHighlight));
        break;
    case BorderStyle::None:
        break;
    }
    if (m_captionMode)
        drawDefaultCaption(face);
    drawOverFace(face);
}

void SkinPanel::drawDefaultCaption(Bitmap& face)
{
    const Rect bar = captionArea();
    // An etched bar: a groove, then a ridge.
    outline(face, bar, sys(SystemColor::BtnShadow), sys(SystemColor::BtnHighlight));
    outline(face, {bar.left + 1, bar.top + 1, bar.right - 1, bar.bottom - 1}, sys(SystemColor::BtnHighlight),
            sys(SystemColor::BtnShadow));
    Rect text{bar.left + 2, bar.top, bar.right - 2, bar.bottom};
    if (m_checkedMode) {
        const int top = bar.top + (bar.height() - kCheckBox) / 2;
        const Rect box{5, top, 5 + kCheckBox, top + kCheckBox};
        face.fillRect(box, pixel(sys(SystemColor::Window)));
        outline(face, box, sys(SystemColor::BtnShadow), sys(SystemColor::BtnShadow));
        if (m_checked) {
            // A tick: down to the bottom of a short stroke, then up.
            for (int i = 0; i < 3; ++i)
                vLine(face, box.left + 3 + i, top + 6 + i, top + 9 + i, sys(SystemColor::BtnText));
            for (int i = 0; i < 5; ++i)
                vLine(face, box.left + 6 + i, top + 7 - i, top + 10 - i, sys(SystemColor::BtnText));
        }
        text.left = bar.left + 20;
    }
    if (m_rollUpMode) {
        text.right -= kRollUpMarker;
        drawRollUpArrow(face, {text.right, bar.top, text.right + kRollUpMarker, bar.bottom}, m_rollUpState,
                        sys(SystemColor::BtnText));
    }
    Font font = m_defaultFont;
    drawCaptionText(face, text, m_defaultAlignment, font, isEnabled() ? font.color : sys(SystemColor::BtnShadow));
}

void SkinPanel::drawCaptionText(Bitmap& face, const Rect& area, Alignment alignment, const Font& font, Color colour)
{
    if (area.isEmpty())
        return;
    namespace TF = platform::TextFormat;
    platform::QtCanvas canvas = canvasOf(face);
    canvas.setFont(fontOf(font));
    canvas.setTextColor(colorFromValue(colour));
    const unsigned flags = TF::SingleLine | TF::NoPrefix;
    const QRect box = m_caption.isEmpty() ? QRect() : canvas.measureText(QRect(0, 0, 10000, 1000), m_caption, flags);
    const int glyphW = m_glyph.empty() ? 0 : m_glyph.width() / m_numGlyphs;
    const int content = box.width() + (glyphW > 0 ? glyphW + m_spacing : 0);
    int x = area.left;
    if (alignment == Alignment::RightJustify)
        x = area.right - content;
    else if (alignment == Alignment::Center)
        x = area.left + area.width() / 2 - content / 2;
    const int cy = area.top + area.height() / 2;
    if (glyphW > 0) {
        const int cell = !isEnabled() && m_numGlyphs == 2 ? 2 : 1;
        drawGlyphCell(face, x, cy - m_glyph.height() / 2, cell, m_numGlyphs, m_glyph.view());
        x += glyphW + m_spacing;
    }
    if (!m_caption.isEmpty())
        canvas.drawText(QRect(x, cy - box.height() / 2, box.width() + 1, box.height()), m_caption, flags);
    face.markChanged();
}

void SkinPanel::drawSkinFace(Bitmap& face)
{
    const bool nine = m_geometry.mode == ResizeMode::NinePiece;
    const bool plainStretch = !m_forceBackground && m_geometry.stretchEffect;
    const Picture* background =
        m_panelRecord ? m_binding.registry->activePicture(m_panelRecord->bgPictureIndex) : nullptr;
    const Rect whole{0, 0, face.width(), face.height()};
    if (background && !plainStretch) {
        drawBackgroundPicture(face);
    } else if (m_borderStyle == BorderStyle::None && nine && !m_captionMode
               && (m_forceBackground || !m_geometry.stretchEffect)) {
        // No border: the client part alone over the whole panel.
        const Rect& s = m_geometry.skinRect;
        const Rect& cl = m_geometry.cut.client;
        const Rect client{s.left + cl.left, s.top + cl.top, s.left + cl.right, s.top + cl.bottom};
        const bool stretch = m_geometry.stretchEffect;
        layPiece(pictureView(), client, face, whole, !stretch || m_geometry.stretchType == StretchType::Horz,
                 !stretch || m_geometry.stretchType == StretchType::Vert);
    } else {
        // The frame with its client part tiled (forced background) or composed.
        SkinControl::drawSkinFace(face);
    }
    if (m_panelRecord && !m_panelRecord->captionRect.isEmpty())
        drawSkinCaption(face);
    drawOverFace(face);
}

void SkinPanel::drawBackgroundPicture(Bitmap& face)
{
    const Picture* bg = m_binding.registry->activePicture(m_panelRecord->bgPictureIndex);
    const PixelView view = pixelView(*bg);
    const Rect source{0, 0, bg->width(), bg->height()};
    if (m_geometry.stretchEffect) {
        const StretchType t = m_geometry.stretchType;
        layPiece(view, source, face, m_geometry.target.client, t == StretchType::Horz, t == StretchType::Vert);
    } else {
        layPiece(view, source, face, {0, 0, face.width(), face.height()}, true, true);
    }
}

void SkinPanel::drawSkinCaption(Bitmap& face)
{
    const DataSkinPanelControl& r = *m_panelRecord;
    const Rect full = captionArea();
    Rect text = full;
    if (m_rollUpMode) {
        text.right -= 12;
        const Rect marker{full.right - kRollUpMarker - 1, full.top, full.right - 1, full.bottom};
        if (!r.markFrameRect.isEmpty())
            drawKeyedPiece(face, pictureView(), r.markFrameRect,
                           marker.left + marker.width() / 2 - r.markFrameRect.width() / 2,
                           marker.top + marker.height() / 2 - r.markFrameRect.height() / 2);
        drawRollUpArrow(face, marker, m_rollUpState, r.fontColor);
    }
    if (m_checkedMode) {
        const Rect check = m_checked ? r.checkImageRect : r.unCheckImageRect;
        if (!check.isEmpty()) {
            drawKeyedPiece(face, pictureView(), check, text.left, text.top + text.height() / 2 - check.height() / 2);
            text.left += check.width() + 2;
        }
    }
    Font font = captionFont();
    if (!r.frameRect.isEmpty() && !m_caption.isEmpty()) {
        // A plate behind the text, as wide as the text needs.
        platform::QtCanvas canvas = canvasOf(face);
        canvas.setFont(fontOf(font));
        const int tw =
            canvas.measureText(QRect(0, 0, 10000, 1000), m_caption, platform::TextFormat::SingleLine).width();
        const int plateWidth = r.frameRect.width() - r.frameTextRect.width() + tw;
        Bitmap plate;
        composeHorzSkinImage(r.frameLeftOffset, r.frameRightOffset, plate, pictureView(), r.frameRect, plateWidth,
                             r.frameRect.height(), false);
        int x = text.left;
        if (r.alignment == Alignment::RightJustify)
            x = text.right - plateWidth;
        else if (r.alignment == Alignment::Center)
            x = text.left + text.width() / 2 - plateWidth / 2;
        plate.draw(face, x, full.top);
        text = {x + r.frameTextRect.left, text.top, x + plateWidth, text.bottom};
        drawCaptionText(face, text, Alignment::LeftJustify, font, r.fontColor);
        return;
    }
    drawCaptionText(face, text, r.alignment, font, r.fontColor);
}

void SkinPanel::drawGroupBox(Bitmap& face)
{
    const SkinColors& colours = m_binding.registry->skinColors();
    Color textColour = colours.cBtnText;
    const int label = m_binding.registry->getControlIndex("stdlabel");
    if (label >= 0)
        if (const auto* l =
                dynamic_cast<const DataSkinStdLabelControl*>(m_binding.registry->ctrlList()[std::size_t(label)].get()))
            textColour = l->fontColor;
    const Font font = captionFont();
    platform::QtCanvas canvas = canvasOf(face);
    canvas.setFont(fontOf(font));
    const unsigned flags = platform::TextFormat::SingleLine | platform::TextFormat::NoPrefix;
    const QRect box = canvas.measureText(QRect(0, 0, 10000, 1000), m_caption.isEmpty() ? QStringLiteral(" ") : m_caption,
                                         flags);
    const int band = box.height() + 5;
    Rect caption{5, 0, 5, band};
    if (m_checkedMode && m_panelRecord) {
        const Rect check = m_checked ? m_panelRecord->checkImageRect : m_panelRecord->unCheckImageRect;
        if (!check.isEmpty()) {
            drawKeyedPiece(face, pictureView(), check, caption.right, band / 2 - check.height() / 2);
            caption.right += check.width() + 2;
        }
    }
    const int glyphW = m_glyph.empty() ? 0 : m_glyph.width() / m_numGlyphs + m_spacing;
    caption.right += glyphW + (m_caption.isEmpty() ? 0 : box.width());
    drawCaptionText(face, {caption.right - glyphW - (m_caption.isEmpty() ? 0 : box.width()), 0, caption.right + 1, band},
                    Alignment::LeftJustify, font, textColour);
    if (m_rollUpMode) {
        drawRollUpArrow(face, {caption.right + 2, 0, caption.right + 2 + kRollUpMarker, band}, m_rollUpState,
                        textColour);
        caption.right += 2 + kRollUpMarker;
    }
    // The outline at the band's middle, open where the caption is.
    const int y = band / 2;
    const Color line = colours.cBtnShadow;
    hLine(face, 0, caption.left - 2, y, line);
    hLine(face, caption.right + 2, width(), y, line);
    vLine(face, 0, y, height(), line);
    vLine(face, width() - 1, y, height(), line);
    hLine(face, 0, width(), height() - 1, line);
}

} // namespace tessaly::skin
