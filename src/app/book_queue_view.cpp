#include "app/book_queue_view.h"

#include "app/skinned_list.h"
#include "app/book_queue.h"
#include "app/error_report.h"
#include "skin/controls/popup_menu_opener.h"
#include "skin/controls/skin_scroll_bar.h"
#include "skin/data/control_records.h"
#include "skin/paint/bitmap_canvas.h"

#include <QAccessible>
#include <QContextMenuEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>

namespace tessaly::app {

namespace {

constexpr int rowPadding = 4;
// The state column's width; the file name takes the rest.
constexpr int stateWidth = 230;

// The mark before a book: the colours the messages list gives the
// severities, green for a pass, hollow while nothing is known yet.
QColor bookMarkColour(const QueuedBook& book)
{
    switch (book.state) {
    case QueuedBookState::Waiting:
    case QueuedBookState::Cancelled: return QColor(0x80, 0x80, 0x80);
    case QueuedBookState::Checking: return QColor(0x20, 0x70, 0xD0);
    case QueuedBookState::Done: break;
    }
    switch (book.verdict.kind) {
    case report::VerdictKind::Passed: return QColor(0x20, 0xA0, 0x40);
    case report::VerdictKind::Warnings: return QColor(0xE0, 0x90, 0x00);
    case report::VerdictKind::Errors: return QColor(0xD0, 0x20, 0x20);
    case report::VerdictKind::CheckerFailed: break;
    }
    return QColor(0x80, 0x00, 0x40);
}

bool hollowMark(const QueuedBook& book)
{
    return book.state == QueuedBookState::Waiting || book.state == QueuedBookState::Cancelled;
}

QString bookFileName(const std::string& path) { return QFileInfo(QString::fromStdString(path)).fileName(); }

} // namespace

BookQueueView::BookQueueView(BookQueue& queue, QWidget* parent)
    : QAbstractScrollArea(parent)
    , skin::SkinBound("listview")
    , m_queue(queue)
    , m_windowColours{Qt::white, Qt::black, QColor(0x30, 0x60, 0xC0), Qt::white, QColor(0xE0, 0xE0, 0xE0), Qt::black}
    , m_colours(m_windowColours)
{
    setUpSkinnedList(*this);
}

void BookQueueView::setSkinData(skin::SkinData* skinData)
{
    m_binding.registry = skinData;
    setSkinnedListScrollBarData(*this, skinData);
    changeSkinData();
}

void BookQueueView::beforeChangeSkinData() { m_binding.unbind(); }

void BookQueueView::changeSkinData()
{
    m_binding.lookUp();
    setColours(m_windowColours);
}

bool BookQueueView::event(QEvent* event)
{
    return skin::handleSkinNoticeEvent(*this, event) || QAbstractScrollArea::event(event);
}

void BookQueueView::setColours(const ReportTextView::Colours& colours)
{
    m_windowColours = colours;
    m_colours = applyListRecord(*this, m_binding, colours);
    updateScrollRange();
    viewport()->update();
}

void BookQueueView::bookChanged(std::size_t index)
{
    const int top = (int(index) - verticalScrollBar()->value()) * rowHeight();
    viewport()->update(0, top, viewport()->width(), rowHeight());
}

void BookQueueView::listChanged()
{
    m_current.reset();
    verticalScrollBar()->setValue(0);
    updateScrollRange();
    viewport()->update();
    if (m_queue.size() > 0)
        goToRow(0);
}

void BookQueueView::setCurrentBook(std::size_t index) { goToRow(int(index)); }

QString BookQueueView::rowText(std::size_t index) const
{
    const QueuedBook& book = m_queue.book(index);
    return bookFileName(book.path) + QStringLiteral(": ") + QString::fromStdString(m_queue.stateText(index));
}

int BookQueueView::rowHeight() const { return fontMetrics().height() + 4; }

int BookQueueView::heightForRows(int rows) const { return rows * rowHeight() + 2 * frameWidth(); }

int BookQueueView::rowsInSight() const { return std::max(1, viewport()->height() / rowHeight()); }

int BookQueueView::rowAt(const QPoint& point) const
{
    const int row = verticalScrollBar()->value() + point.y() / rowHeight();
    return point.y() >= 0 && row < int(m_queue.size()) ? row : -1;
}

void BookQueueView::updateScrollRange()
{
    verticalScrollBar()->setPageStep(rowsInSight());
    verticalScrollBar()->setRange(0, std::max(0, int(m_queue.size()) - rowsInSight()));
}

void BookQueueView::ensureVisible(int row)
{
    QScrollBar* bar = verticalScrollBar();
    if (row < bar->value())
        bar->setValue(row);
    else if (row >= bar->value() + rowsInSight())
        bar->setValue(row - rowsInSight() + 1);
}

void BookQueueView::goToRow(int row)
{
    const int rows = int(m_queue.size());
    if (rows == 0)
        return;
    const std::size_t index = std::size_t(std::clamp(row, 0, rows - 1));
    ensureVisible(int(index));
    if (m_current == index)
        return;
    m_current = index;
    viewport()->update();
    // Readers follow the chosen row as they follow the focus.
    if (QAccessible::isActive() && hasFocus()) {
        QAccessibleEvent event(this, QAccessible::Focus);
        event.setChild(int(index));
        QAccessible::updateAccessibility(&event);
    }
    if (m_onCurrentChanged)
        m_onCurrentChanged(index);
}

void BookQueueView::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    painter.fillRect(viewport()->rect(), m_colours.window);
    const int h = rowHeight();
    for (std::size_t index = std::size_t(verticalScrollBar()->value()), top = 0;
         index < m_queue.size() && int(top) < viewport()->height(); ++index, top += std::size_t(h))
        paintRow(painter, index, int(top));
}

void BookQueueView::paintRow(QPainter& painter, std::size_t index, int top) const
{
    const int h = rowHeight();
    const int w = viewport()->width();
    const QueuedBook& book = m_queue.book(index);
    const bool selected = m_current == index;
    if (selected)
        painter.fillRect(0, top, w, h, m_colours.highlight);
    const QColor text = selected ? m_colours.highlightText : m_colours.windowText;

    const int mark = h - 8;
    painter.setRenderHint(QPainter::Antialiasing, true);
    if (hollowMark(book)) {
        painter.setPen(QPen(bookMarkColour(book), 1.5));
        painter.setBrush(Qt::NoBrush);
    } else {
        painter.setPen(Qt::NoPen);
        painter.setBrush(bookMarkColour(book));
    }
    painter.drawEllipse(QRectF(rowPadding + 0.5, top + 4.5, mark - 1, mark - 1));
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setBrush(Qt::NoBrush);

    painter.setPen(text);
    const QFontMetrics metrics = fontMetrics();
    const int nameLeft = 2 * rowPadding + mark;
    const int stateLeft = std::max(nameLeft, w - stateWidth);
    painter.drawText(QRect(nameLeft, top, stateLeft - nameLeft - rowPadding, h), Qt::AlignVCenter | Qt::AlignLeft,
        metrics.elidedText(bookFileName(book.path), Qt::ElideMiddle, stateLeft - nameLeft - rowPadding));
    painter.drawText(QRect(stateLeft, top, w - stateLeft - rowPadding, h), Qt::AlignVCenter | Qt::AlignLeft,
        metrics.elidedText(QString::fromStdString(m_queue.stateText(index)), Qt::ElideRight, w - stateLeft - rowPadding));

    if (selected && hasFocus()) {
        painter.setPen(QPen(text, 1, Qt::DotLine));
        painter.drawRect(0, top, w - 1, h - 1);
    }
}

void BookQueueView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollRange();
}

void BookQueueView::mousePressEvent(QMouseEvent* event)
{
    setFocus(Qt::MouseFocusReason);
    const int row = rowAt(event->position().toPoint());
    if (row >= 0)
        goToRow(row);
}

void BookQueueView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rowAt(event->position().toPoint()) >= 0)
        checkCurrentAgain();
}

void BookQueueView::keyPressEvent(QKeyEvent* event)
{
    const int current = m_current ? int(*m_current) : -1;
    switch (event->key()) {
    case Qt::Key_Down: goToRow(current + 1); return;
    case Qt::Key_Up: goToRow(current < 0 ? 0 : current - 1); return;
    case Qt::Key_PageDown: goToRow(current + rowsInSight()); return;
    case Qt::Key_PageUp: goToRow(current - rowsInSight()); return;
    case Qt::Key_Home: goToRow(0); return;
    case Qt::Key_End: goToRow(int(m_queue.size()) - 1); return;
    case Qt::Key_Return:
    case Qt::Key_Enter: checkCurrentAgain(); return;
    case Qt::Key_Menu: openMenuAtCurrent(); return;
    case Qt::Key_F10:
        if (event->modifiers() == Qt::ShiftModifier) {
            openMenuAtCurrent();
            return;
        }
        break;
    case Qt::Key_Escape:
        // Escape means nothing to the list once every check has ended.
        if (m_queue.running()) {
            cancelAll();
            return;
        }
        break;
    default: break;
    }
    QAbstractScrollArea::keyPressEvent(event);
}

void BookQueueView::contextMenuEvent(QContextMenuEvent* event)
{
    if (event->reason() == QContextMenuEvent::Mouse) {
        const int row = rowAt(viewport()->mapFrom(this, event->pos()));
        if (row >= 0)
            goToRow(row);
        openMenu(event->globalPos());
        return;
    }
    openMenuAtCurrent();
}

void BookQueueView::openMenuAtCurrent()
{
    const int row = m_current ? int(*m_current) - verticalScrollBar()->value() : 0;
    openMenu(viewport()->mapToGlobal(QPoint(rowPadding, (row + 1) * rowHeight())));
}

void BookQueueView::openMenu(const QPoint& screenPos)
{
    if (!m_menuOpener)
        return;
    const bool chosenEnded = m_current && (m_queue.book(*m_current).state == QueuedBookState::Done
                                              || m_queue.book(*m_current).state == QueuedBookState::Cancelled);
    std::vector<skin::MenuCommand> commands;
    commands.push_back({QStringLiteral("Check Again"), chosenEnded, [this] { checkCurrentAgain(); }});
    commands.push_back({QStringLiteral("Cancel All"), m_queue.running(), [this] { cancelAll(); }});
    commands.push_back({QStringLiteral("-"), true, {}});
    commands.push_back({QStringLiteral("Save All Reports\u2026"), !m_queue.running() && bool(m_onSaveAll),
        [this] { runGuarded(this, [this] { m_onSaveAll(); }); }});
    m_menuOpener->popup(this, screenPos, std::move(commands));
}

void BookQueueView::checkCurrentAgain()
{
    if (!m_current)
        return;
    runGuarded(this, [this] { m_queue.checkAgain(*m_current); });
}

void BookQueueView::cancelAll() { m_queue.cancelAll(); }

void BookQueueView::focusInEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update();
}

void BookQueueView::focusOutEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update();
}

} // namespace tessaly::app
