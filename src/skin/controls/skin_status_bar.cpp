#include "skin/controls/skin_status_bar.h"

#include "platform/qt_canvas.h"
#include "platform/qt_system_move.h"
#include "skin/controls/size_grip_event.h"
#include "skin/data/skin_colors.h"
#include "skin/data/skin_data.h"
#include "skin/data/system_colors.h"
#include "skin/paint/bitmap_canvas.h"
#include "skin/paint/compose.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPainter>

namespace tessaly::skin {

SkinStatusBar::SkinStatusBar(QWidget* parent)
    : SkinPanel(parent)
{
    m_binding.name = "statusbar";
    m_forceBackground = false;
    setBorderStyle(BorderStyle::None);
    resize(parent ? parent->width() : 150, 21);
    if (parent)
        parent->installEventFilter(this);
    dock();
}

void SkinStatusBar::setSkinData(SkinData* skinData)
{
    SkinControl::setSkinData(skinData);
    // The controls carry no meta-object of their own: look them up by their
    // C++ type.
    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (auto* control = dynamic_cast<SkinControl*>(child))
            control->setSkinData(skinData);
    dock();
    updateClientMargins();
}

bool SkinStatusBar::getSkinData() { return SkinPanel::getSkinData(); }

void SkinStatusBar::setSizeGrip(bool on)
{
    m_sizeGrip = on;
    setCursor(Qt::ArrowCursor);
    updateClientMargins();
    update();
}

void SkinStatusBar::dock()
{
    QWidget* parent = parentWidget();
    if (!parent)
        return;
    const QRect place(0, parent->height() - height(), parent->width(), height());
    if (geometry() != place)
        setGeometry(place);
}

bool SkinStatusBar::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == parentWidget() && event->type() == QEvent::Resize)
        dock();
    return SkinPanel::eventFilter(watched, event);
}

void SkinStatusBar::resizeEvent(QResizeEvent* event)
{
    SkinPanel::resizeEvent(event);
    // The record may change the height: stay on the bottom edge.
    dock();
}

bool SkinStatusBar::hasGripperPicture() const
{
    return m_binding.isBound() && m_panelRecord && m_picture && !m_panelRecord->gripperRect.isEmpty();
}

Rect SkinStatusBar::adjustClientRect(const Rect& area) const
{
    if (!m_sizeGrip)
        return area;
    Rect r = area;
    r.right -= hasGripperPicture() ? m_panelRecord->gripperRect.width() : area.height();
    return r;
}

Rect SkinStatusBar::gripRect() const
{
    if (!m_sizeGrip)
        return {};
    const Rect area = childArea();
    if (hasGripperPicture()) {
        const Rect& g = m_panelRecord->gripperRect;
        return {area.right - g.width(), area.bottom - g.height(), area.right, area.bottom};
    }
    return {area.right - area.height() + 2, area.top, area.right, area.bottom - 2};
}

void SkinStatusBar::drawOverFace(Bitmap& face)
{
    const Rect grip = gripRect();
    if (grip.isEmpty())
        return;
    if (hasGripperPicture()) {
        const Rect& source = m_panelRecord->gripperRect;
        Bitmap piece(source.width(), source.height());
        copyPiece(pictureView(), source, piece, {0, 0, source.width(), source.height()});
        if (m_panelRecord->gripperTransparent)
            piece.checkingTransparent(colorFromValue(m_panelRecord->gripperTransparentColor));
        piece.draw(face, grip.left, grip.top);
        return;
    }
    // Diagonal ridges, a shadow line and a light one beside it.
    const bool skinned = m_binding.isBound() && m_binding.registry;
    const Color shadow = skinned ? m_binding.registry->skinColors().cBtnShadow : systemColorValue(SystemColor::BtnShadow);
    const Color light =
        skinned ? m_binding.registry->skinColors().cBtnHighLight : systemColorValue(SystemColor::BtnHighlight);
    platform::QtCanvas canvas = canvasOf(face);
    QPainter painter(&canvas.image());
    painter.setClipRect(grip.left, grip.top, grip.width(), grip.height());
    const int bottom = grip.bottom - 1, right = grip.right - 1;
    for (int k = 1; grip.left + 3 * k <= right && grip.top + 3 * k <= bottom; ++k) {
        painter.setPen(qColorOf(shadow));
        painter.drawLine(grip.left + 3 * k, bottom, right, grip.top + 3 * k);
        painter.setPen(qColorOf(light));
        painter.drawLine(grip.left + 3 * k + 1, bottom, right, grip.top + 3 * k + 1);
    }
    painter.end();
    face.markChanged();
}

void SkinStatusBar::mousePressEvent(QMouseEvent* event)
{
    const Rect grip = gripRect();
    const QPoint p = event->position().toPoint();
    if (event->button() != Qt::LeftButton || grip.isEmpty() || p.x() < grip.left || p.x() >= grip.right
        || p.y() < grip.top || p.y() >= grip.bottom) {
        SkinPanel::mousePressEvent(event);
        return;
    }
    event->accept();
    const QPoint global = event->globalPosition().toPoint();
    if (offerSizeGrip(this, SizeGripEvent::Phase::Press, global)) {
        m_drag = GripDrag::Frame;
        return;
    }
    // A window without a frame: the window manager, or the grip itself.
    QWidget* w = window();
    if (platform::startSystemMoveResize(w, Qt::BottomEdge | Qt::RightEdge))
        return;
    m_drag = GripDrag::Own;
    m_dragStart = global;
    m_sizeAtStart = w->size();
}

void SkinStatusBar::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint global = event->globalPosition().toPoint();
    if (m_drag == GripDrag::Frame) {
        offerSizeGrip(this, SizeGripEvent::Phase::Move, global);
        return;
    }
    if (m_drag == GripDrag::Own) {
        const QPoint d = global - m_dragStart;
        window()->resize(m_sizeAtStart + QSize(d.x(), d.y()));
        return;
    }
    SkinPanel::mouseMoveEvent(event);
}

void SkinStatusBar::mouseReleaseEvent(QMouseEvent* event)
{
    if (m_drag == GripDrag::Frame)
        offerSizeGrip(this, SizeGripEvent::Phase::Release, event->globalPosition().toPoint());
    if (m_drag != GripDrag::None) {
        m_drag = GripDrag::None;
        return;
    }
    SkinPanel::mouseReleaseEvent(event);
}

} // namespace tessaly::skin
