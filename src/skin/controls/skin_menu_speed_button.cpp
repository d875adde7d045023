#include "skin/controls/skin_menu_speed_button.h"

#include "skin/data/skin_data.h"
#include "skin/paint/bitmap_canvas.h"
#include "skin/paint/compose.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QTimer>

namespace tessaly::skin {

namespace {
constexpr int arrowStripWidth = 15;
}

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
    if (event->button() == Qt::LeftButton && m_menu) {
        // The whole button opens the menu.
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
        painter.drawImage(x, y, imageOf(piece));
        return;
    }
    drawSmallArrow(painter, arrow, qColorOf(m_binding.registry->skinColors().cBtnText));
}

} // namespace tessaly::skin
