#include "skin/controls/skin_scroll_bar.h"

#include "skin/data/control_records.h"
#include "skin/data/skin_data.h"
#include "skin/paint/bitmap.h"
#include "skin/paint/bitmap_canvas.h"
#include "skin/paint/device_picture.h"
#include "skin/paint/compose.h"
#include "skin/paint/pixel_view.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace tessaly::skin {

namespace {

// Held arrows and track: the first repeat after this long, then faster.
constexpr int firstRepeat = 400;
constexpr int nextRepeats = 50;

} // namespace

SkinScrollBar::SkinScrollBar(QWidget* parent)
    : QScrollBar(Qt::Vertical, parent)
    , SkinBound("vscrollbar")
{
    setMouseTracking(true);
    connect(&m_repeat, &QTimer::timeout, this, [this] {
        m_repeat.setInterval(nextRepeats);
        // The track repeats only while the thumb has not reached the pointer.
        if (m_pressed == Part::PageUp || m_pressed == Part::PageDown) {
            if (partAt(mapFromGlobal(QCursor::pos())) != m_pressed)
                return;
        }
        act(m_pressed);
    });
}

void SkinScrollBar::setSkinData(SkinData* skinData)
{
    m_binding.registry = skinData;
    changeSkinData();
}

void SkinScrollBar::beforeChangeSkinData() { m_binding.unbind(); }

void SkinScrollBar::changeSkinData()
{
    m_binding.lookUp();
    updateGeometry();
    update();
}

QSize SkinScrollBar::sizeHint() const
{
    const QSize qt = QScrollBar::sizeHint();
    const auto* r = skinRecord();
    return r ? QSize(r->skinRect.width(), qt.height()) : qt;
}

bool SkinScrollBar::event(QEvent* event)
{
    return handleSkinNoticeEvent(*this, event) || QScrollBar::event(event);
}

const DataSkinScrollBarControl* SkinScrollBar::skinRecord() const
{
    const auto* r = m_binding.recordAs<DataSkinScrollBarControl>();
    return r && m_binding.registry->activePicture(r->pictureIndex) ? r : nullptr;
}

int SkinScrollBar::buttonLength() const
{
    const auto* r = skinRecord();
    return r && !r->upButtonRect.isEmpty() ? std::min(r->upButtonRect.height(), height() / 2) : 0;
}

QRect SkinScrollBar::upRect() const { return QRect(0, 0, width(), buttonLength()); }

QRect SkinScrollBar::downRect() const { return QRect(0, height() - buttonLength(), width(), buttonLength()); }

QRect SkinScrollBar::trackRect() const
{
    return QRect(0, buttonLength(), width(), std::max(0, height() - 2 * buttonLength()));
}

int SkinScrollBar::thumbLength() const
{
    const QRect track = trackRect();
    const int range = maximum() - minimum();
    const auto* r = skinRecord();
    const int least = r ? std::max(r->thumbMinSize, r->thumbOffset1 + r->thumbOffset2) : 12;
    if (range <= 0)
        return 0;
    const long long length = (long long)track.height() * pageStep() / (range + pageStep());
    return std::clamp(int(length), std::min(least, track.height()), track.height());
}

QRect SkinScrollBar::thumbRect() const
{
    const QRect track = trackRect();
    const int length = thumbLength();
    const int range = maximum() - minimum();
    if (length <= 0 || range <= 0)
        return {};
    const int travel = track.height() - length;
    const int top = track.top() + int((long long)travel * (sliderPosition() - minimum()) / range);
    return QRect(0, top, width(), length);
}

SkinScrollBar::Part SkinScrollBar::partAt(const QPoint& p) const
{
    if (!rect().contains(p))
        return Part::None;
    if (upRect().contains(p))
        return Part::Up;
    if (downRect().contains(p))
        return Part::Down;
    const QRect thumb = thumbRect();
    if (thumb.isEmpty())
        return Part::None;
    if (thumb.contains(p))
        return Part::Thumb;
    return p.y() < thumb.top() ? Part::PageUp : Part::PageDown;
}

void SkinScrollBar::act(Part part)
{
    switch (part) {
    case Part::Up: triggerAction(SliderSingleStepSub); break;
    case Part::Down: triggerAction(SliderSingleStepAdd); break;
    case Part::PageUp: triggerAction(SliderPageStepSub); break;
    case Part::PageDown: triggerAction(SliderPageStepAdd); break;
    default: break;
    }
}

void SkinScrollBar::setHot(Part part)
{
    if (part == m_hot)
        return;
    m_hot = part;
    update();
}

void SkinScrollBar::paintEvent(QPaintEvent* event)
{
    const DataSkinScrollBarControl* r = skinRecord();
    if (!r)
        return QScrollBar::paintEvent(event);
    const PixelView picture = pixelView(*m_binding.registry->activePicture(r->pictureIndex));
    Bitmap face(width(), height());
    // The track: its picture's ends kept, the middle stretched.
    Bitmap track;
    composeVertSkinImage(r->ltPoint.y, r->skinRect.height() - r->lbPoint.y, track, picture, r->skinRect, width(),
                         std::max(1, height()), r->stretchEffect);
    copyPiece(track.view(), Rect::sized(track.width(), track.height()), face, Rect::sized(width(), height()));
    auto state = [&](Part part, const Rect& normal, const Rect& hot, const Rect& down) -> const Rect& {
        if (m_pressed == part && !down.isEmpty())
            return down;
        if ((m_hot == part || m_pressed == part) && !hot.isEmpty())
            return hot;
        return normal;
    };
    auto place = [&](const QRect& where, const Rect& source) {
        if (!where.isEmpty() && !source.isEmpty())
            copyPiece(picture, source, face, Rect{where.left(), where.top(), where.right() + 1, where.bottom() + 1});
    };
    place(upRect(), state(Part::Up, r->upButtonRect, r->activeUpButtonRect, r->downUpButtonRect));
    place(downRect(), state(Part::Down, r->downButtonRect, r->activeDownButtonRect, r->downDownButtonRect));
    const QRect thumb = thumbRect();
    if (!thumb.isEmpty() && isEnabled()) {
        const Rect& source = state(Part::Thumb, r->thumbRect, r->activeThumbRect, r->downThumbRect);
        Bitmap piece;
        composeVertSkinImage(r->thumbOffset1, r->thumbOffset2, piece, picture, source, width(), thumb.height(),
                             r->thumbStretchEffect);
        copyPiece(piece.view(), Rect::sized(piece.width(), piece.height()), face,
                  Rect{0, thumb.top(), width(), thumb.top() + thumb.height()});
    }
    QPainter painter(this);
    painter.drawImage(QPointF(0, 0), scaledToDevice(imageOf(face), devicePixelRatioF()));
}

void SkinScrollBar::mousePressEvent(QMouseEvent* event)
{
    if (!skinRecord() || event->button() != Qt::LeftButton)
        return QScrollBar::mousePressEvent(event);
    const QPoint at = event->position().toPoint();
    m_pressed = partAt(at);
    if (m_pressed == Part::Thumb) {
        m_dragOffset = at.y() - thumbRect().top();
        setSliderDown(true);
    } else if (m_pressed != Part::None) {
        act(m_pressed);
        m_repeat.start(firstRepeat);
    }
    update();
}

void SkinScrollBar::mouseMoveEvent(QMouseEvent* event)
{
    if (!skinRecord())
        return QScrollBar::mouseMoveEvent(event);
    const QPoint at = event->position().toPoint();
    if (m_pressed == Part::Thumb) {
        const QRect track = trackRect();
        const int travel = track.height() - thumbLength();
        const int range = maximum() - minimum();
        if (travel > 0) {
            const int top = std::clamp(at.y() - m_dragOffset - track.top(), 0, travel);
            setSliderPosition(minimum() + int(((long long)top * range + travel / 2) / travel));
        }
        update();
        return;
    }
    if (m_pressed == Part::None)
        setHot(partAt(at));
}

void SkinScrollBar::mouseReleaseEvent(QMouseEvent* event)
{
    if (!skinRecord())
        return QScrollBar::mouseReleaseEvent(event);
    m_repeat.stop();
    if (m_pressed == Part::Thumb)
        setSliderDown(false);
    m_pressed = Part::None;
    setHot(partAt(event->position().toPoint()));
    update();
}

void SkinScrollBar::leaveEvent(QEvent* event)
{
    QScrollBar::leaveEvent(event);
    if (m_pressed == Part::None)
        setHot(Part::None);
}

} // namespace tessaly::skin
