#include "skin/controls/skin_menu_speed_button.h"

#include "skin/data/skin_data.h"
#include "skin/paint/bitmap_canvas.h"
#include "skin/paint/device_picture.h"
#include "skin/controls/button_content.h"
#include "skin/paint/compose.h"
#include "platform/qt_canvas.h"
#include "platform/qt_geometry.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QTimer>

namespace tessaly::skin {

namespace {
constexpr int arrowStripWidth = SkinMenuSpeedButton::kArrowStrip;

bool isPlainToolRecord(const std::string& name)
{
    return name == "toolbutton" || name == "bigtoolbutton" || name == "resizebutton" || name == "resizetoolbutton";
}
} // namespace

SkinMenuSpeedButton::SkinMenuSpeedButton(const QString& caption, QWidget* parent)
    : SkinSpeedButton(caption, parent)
{
    m_binding.name = "toolmenubutton";
}

void SkinMenuSpeedButton::mousePressEvent(QMouseEvent* event)
{
    if (m_closingPress) {
        event->accept();
        return;
    }
    if (event->button() == Qt::LeftButton && inTrackArea(event->position().toPoint())) {
        m_menuTracked = true;
        tellStateChanged(expandedState());
        m_mouseIn = true;
        if (!m_down)
            setDown(true);
        openMenu();
        return;
    }
    SkinSpeedButton::mousePressEvent(event);
}

void SkinMenuSpeedButton::setTrackButtonMode(bool on)
{
    m_trackButtonMode = on;
    update();
}

void SkinMenuSpeedButton::setTrackPosition(TrackPosition position)
{
    m_trackPosition = position;
    update();
}

void SkinMenuSpeedButton::setNewStyle(bool on)
{
    m_newStyle = on;
    if (on)
        m_binding.name = "resizetoolbutton";
    update();
}

bool SkinMenuSpeedButton::getSkinData()
{
    const bool bound = SkinSpeedButton::getSkinData();
    const auto* menuRecord = bound ? dynamic_cast<const DataSkinMenuButtonControl*>(record()) : nullptr;
    m_trackButtonRect = menuRecord ? menuRecord->trackButtonRect : Rect{};
    return bound;
}

bool SkinMenuSpeedButton::composedVariant() const
{
    return m_binding.isBound() && isPlainToolRecord(m_binding.name);
}

Rect SkinMenuSpeedButton::arrowStrip() const
{
    if (bottomStrip())
        return {0, height() - arrowStripWidth, width(), height()};
    return {width() - arrowStripWidth, 0, width(), height()};
}

bool SkinMenuSpeedButton::inTrackArea(QPoint p) const
{
    if (!m_menu)
        return false;
    if (!m_trackButtonMode)
        return true;
    Rect area = arrowStrip();
    if (m_binding.isBound() && !isPlainToolRecord(m_binding.name)) {
        // The record says where its arrow lies, grown with the button.
        area = m_trackButtonRect;
        const int dW = width() - m_geometry.skinRect.width();
        const int dH = height() - m_geometry.skinRect.height();
        if (m_geometry.mode == ResizeMode::Horizontal)
            area = {area.left + dW, area.top, area.right + dW, area.bottom};
        else if (m_geometry.mode == ResizeMode::Vertical)
            area = {area.left, area.top + dH, area.right, area.bottom + dH};
    }
    // Both edges count, as the record gives them.
    return p.x() >= area.left && p.x() <= area.right && p.y() >= area.top && p.y() <= area.bottom;
}

void SkinMenuSpeedButton::drawSkinFace(Bitmap& face)
{
    if (composedVariant() && currentFace() != Face::CrossFade) {
        drawComposedFace(face);
        return;
    }
    SkinSpeedButton::drawSkinFace(face);
    if (m_trackButtonMode && m_menuTracked)
        overlayPressedTrackArea(face);
}

void SkinMenuSpeedButton::overlayPressedTrackArea(Bitmap& face)
{
    const Rect down = m_look.down;
    if (m_trackButtonRect.isEmpty() || down.isEmpty() || !m_picture)
        return;
    // The hot face with the arrow part pressed: the open menu belongs to
    // the arrow, not to the whole button.
    drawStateFace(face, m_look.active, false, true);
    const Rect& t = m_trackButtonRect;
    const Rect source{down.left + t.left, down.top + t.top, down.left + t.right, down.top + t.bottom};
    int dx = 0, dy = 0;
    if (m_geometry.mode == ResizeMode::Horizontal)
        dx = width() - m_geometry.skinRect.width();
    else if (m_geometry.mode == ResizeMode::Vertical)
        dy = height() - m_geometry.skinRect.height();
    copyPiece(pictureView(), source, face, {t.left + dx, t.top + dy, t.right + dx, t.bottom + dy});
}

void SkinMenuSpeedButton::composePart(Bitmap& face, const Rect& at, const Rect& source)
{
    if (at.isEmpty() || source.isEmpty())
        return;
    Bitmap part(at.width(), at.height());
    if (m_binding.name == "resizebutton" || m_binding.name == "resizetoolbutton") {
        // Cut by the record's own points, grown to the part's size.
        ControlGeometry g = m_geometry;
        int w = at.width(), h = at.height();
        g.calcSkinSize(w, h);
        composeRecordFace(part, pictureView(), g, source, at.width(), at.height());
    } else {
        composeStretchedFace(part, pictureView(), m_geometry, source, at.width(), at.height());
    }
    part.draw(face, at.left, at.top);
}

void SkinMenuSpeedButton::drawComposedFace(Bitmap& face)
{
    const bool pressed = m_down && m_mouseIn && !m_menuTracked;
    const Rect whole{0, 0, face.width(), face.height()};
    const Rect strip = arrowStrip();
    Rect body = whole;
    if (bottomStrip())
        body.bottom = strip.top;
    else
        body.right = strip.left;
    Rect bodySource = m_look.normal;
    Rect stripSource = m_look.normal;
    if (!isEnabled() && !m_look.disabled.isEmpty()) {
        bodySource = stripSource = m_look.disabled;
    } else if (!m_trackButtonMode) {
        bodySource = stripSource = m_menuTracked || pressed ? m_look.down : m_mouseIn ? hotSource() : normalSource();
    } else if (m_menuTracked) {
        bodySource = m_look.active;
        stripSource = m_look.down;
    } else if (pressed) {
        bodySource = stripSource = m_look.down;
    } else if (m_mouseIn) {
        bodySource = stripSource = hotSource();
    }
    if (m_trackButtonMode) {
        composePart(face, body, bodySource);
        composePart(face, strip, stripSource);
    } else {
        composePart(face, whole, bodySource);
    }
    // The content goes beside the strip; pressed shows the pressed colour.
    Color colour = m_look.fontColor;
    if (!isEnabled())
        colour = m_look.disabledFontColor;
    else if (m_menuTracked || pressed)
        colour = m_look.downFontColor;
    else if (m_mouseIn)
        colour = m_look.activeFontColor;
    const int cell = glyphCellFor(m_content.numGlyphs, m_down, m_mouseIn, isEnabled());
    drawButtonContent(face, body, m_showCaption ? m_caption : QString(), captionFont(), colour, m_content, cell, false,
                      isEnabled());
    drawArrow(face, strip, m_menuTracked ? m_look.downFontColor : colour);
}

void SkinMenuSpeedButton::drawArrow(Bitmap& face, const Rect& strip, Color colour)
{
    const DataSkinButtonControl* r = m_buttonRecord;
    Rect marker;
    if (r && !r->menuMarkerRect.isEmpty()) {
        const Rect active = r->menuMarkerActiveRect.isEmpty() ? r->menuMarkerRect : r->menuMarkerActiveRect;
        const Rect down = r->menuMarkerDownRect.isEmpty() ? active : r->menuMarkerDownRect;
        marker = m_menuTracked || (m_down && m_mouseIn) ? down : m_mouseIn ? active : r->menuMarkerRect;
    }
    if (marker.isEmpty() || !m_picture) {
        platform::QtCanvas canvas = canvasOf(face);
        QPainter painter(&canvas.image());
        drawSmallArrow(painter, platform::toQRect(strip), qColorOf(colour));
        painter.end();
        face.markChanged();
        return;
    }
    Bitmap piece(marker.width(), marker.height());
    copyPiece(pictureView(), marker, piece, {0, 0, marker.width(), marker.height()});
    piece.checkingTransparent(colorFromValue(r->menuMarkerTransparentColor));
    const int x = strip.left + strip.width() / 2 - marker.width() / 2;
    const int y = strip.top + strip.height() / 2 - marker.height() / 2;
    piece.draw(face, x, y);
}

void SkinMenuSpeedButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (m_menuTracked)
        return;
    SkinSpeedButton::mouseReleaseEvent(event);
}

void SkinMenuSpeedButton::enterEvent(QEnterEvent* event)
{
    if (m_menuTracked) {
        m_mouseIn = true;
        return;
    }
    SkinSpeedButton::enterEvent(event);
}

void SkinMenuSpeedButton::leaveEvent(QEvent* event)
{
    if (m_menuTracked) {
        m_mouseIn = false;
        return;
    }
    SkinSpeedButton::leaveEvent(event);
}

void SkinMenuSpeedButton::showMenu()
{
    if (!m_menu || m_menuTracked || !isEnabled())
        return;
    m_menuTracked = true;
    tellStateChanged(expandedState());
    if (!m_down)
        setDown(true);
    openMenu();
}

void SkinMenuSpeedButton::openMenu()
{
    if (m_onShowTrackMenu)
        m_onShowTrackMenu();
    update();
    const QRect screenRect(mapToGlobal(QPoint(0, 0)), size());
    QPointer<SkinMenuSpeedButton> self(this);
    m_menu->popupFromRect(this, screenRect, [self] {
        if (self)
            self->closeSkinMenu();
    });
}

void SkinMenuSpeedButton::closeSkinMenu()
{
    m_closingPress = true;
    QPointer<SkinMenuSpeedButton> self(this);
    QTimer::singleShot(0, this, [self] {
        if (self)
            self->m_closingPress = false;
    });
    m_menuTracked = false;
    tellStateChanged(expandedState());
    m_mouseDown = false;
    m_mouseIn = false;
    setDown(false);
    if (m_flat)
        m_transparent = true;
    if (m_onHideTrackMenu)
        m_onHideTrackMenu();
    update();
}

void drawSmallArrow(QPainter& painter, const QRect& a, const QColor& colour)
{
    const int cx = a.left() + a.width() / 2;
    const int cy = a.top() + a.height() / 2;
    painter.fillRect(cx - 2, cy, 5, 1, colour);
    painter.fillRect(cx - 1, cy + 1, 3, 1, colour);
    painter.fillRect(cx, cy + 2, 1, 1, colour);
}

void SkinMenuSpeedButton::paintCaptionOnly(QPainter& painter)
{
    SkinSpeedButton::paintCaptionOnly(painter);
    // The arrow sits right of the content, two pixels into it.
    const Rect content = m_binding.isBound() ? m_geometry.target.client : Rect{0, 0, width() - arrowStripWidth, height()};
    QRect arrow(content.right - 2, content.top, width() - content.right + 2, content.height());
    if (!m_binding.isBound()) {
        drawSmallArrow(painter, QRect(width() - arrowStripWidth, 0, arrowStripWidth, height()),
                       qColorOf(systemColorValue(SystemColor::BtnText)));
        return;
    }
    const Rect marker = m_buttonRecord ? m_buttonRecord->menuMarkerFlatRect : Rect{};
    if (!marker.isEmpty() && m_picture) {
        Bitmap piece(marker.width(), marker.height());
        copyPiece(pictureView(), marker, piece, {0, 0, marker.width(), marker.height()});
        piece.checkingTransparent(colorFromValue(m_buttonRecord->menuMarkerTransparentColor));
        const int x = arrow.left() + arrow.width() / 2 - marker.width() / 2;
        const int y = arrow.top() + arrow.height() / 2 - marker.height() / 2;
        painter.drawImage(QPointF(x, y), scaledToDevice(imageOf(piece), devicePixelRatioF()));
        return;
    }
    drawSmallArrow(painter, arrow, qColorOf(m_binding.registry->skinColors().cBtnText));
}

} // namespace tessaly::skin
