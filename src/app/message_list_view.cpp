#include "app/message_list_view.h"

#include "app/skinned_list.h"
#include "skin/controls/skin_scroll_bar.h"
#include "skin/data/control_records.h"
#include "skin/paint/bitmap_canvas.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>

namespace tessaly::app {

namespace {

using report::MessageColumn;
using report::Severity;

constexpr int columnCount = 5;
constexpr int cellPadding = 4;
// The fixed widths of the first four columns; the text takes the rest.
constexpr int fixedWidths[columnCount - 1] = {78, 72, 150, 60};
const char* const captions[columnCount] = {"Severity", "Code", "File", "Line:Col", "Text"};

// The mark before a severity's name: a colour people already read as that
// severity, on whatever face the skin gives the rows.
QColor markColour(Severity severity)
{
    switch (severity) {
    case Severity::Fatal: return QColor(0x80, 0x00, 0x40);
    case Severity::Error: return QColor(0xD0, 0x20, 0x20);
    case Severity::Warning: return QColor(0xE0, 0x90, 0x00);
    case Severity::Info: return QColor(0x20, 0x70, 0xD0);
    case Severity::Usage: return QColor(0x80, 0x80, 0x80);
    }
    return Qt::gray;
}

QString positionText(const report::ReportMessage& message)
{
    if (!message.line)
        return {};
    return message.column ? QStringLiteral("%1:%2").arg(*message.line).arg(*message.column) : QString::number(*message.line);
}

} // namespace

MessageListView::MessageListView(report::MessageTable& table, QWidget* parent)
    : QAbstractScrollArea(parent)
    , skin::SkinBound("listview")
    , m_table(table)
    , m_windowColours{Qt::white, Qt::black, QColor(0x30, 0x60, 0xC0), Qt::white, QColor(0xE0, 0xE0, 0xE0), Qt::black}
    , m_colours(m_windowColours)
{
    setUpSkinnedList(*this);
}

void MessageListView::setSkinData(skin::SkinData* skinData)
{
    m_binding.registry = skinData;
    setSkinnedListScrollBarData(*this, skinData);
    changeSkinData();
}

void MessageListView::beforeChangeSkinData() { m_binding.unbind(); }

void MessageListView::changeSkinData()
{
    m_binding.lookUp();
    setColours(m_windowColours);
}

bool MessageListView::event(QEvent* event)
{
    return skin::handleSkinNoticeEvent(*this, event) || QAbstractScrollArea::event(event);
}

void MessageListView::setColours(const ReportTextView::Colours& colours)
{
    m_windowColours = colours;
    m_colours = applyListRecord(*this, m_binding, colours);
    updateScrollRange();
    viewport()->update();
}

int MessageListView::rowHeight() const { return fontMetrics().height() + 4; }

int MessageListView::rowsInSight() const { return std::max(1, (viewport()->height() - rowHeight()) / rowHeight()); }

int MessageListView::columnLeft(MessageColumn column) const
{
    int x = 0;
    for (int i = 0; i < int(column); ++i)
        x += fixedWidths[i];
    return x;
}

void MessageListView::updateScrollRange()
{
    const int rows = int(m_table.rows().size());
    verticalScrollBar()->setPageStep(rowsInSight());
    verticalScrollBar()->setRange(0, std::max(0, rows - rowsInSight()));
}

void MessageListView::tableChanged()
{
    // Selected messages that are no longer shown stop being selected.
    std::erase_if(m_selected, [this](std::size_t message) { return !m_table.rowOf(message); });
    placeCurrent();
    updateScrollRange();
    viewport()->update();
    tellCurrent();
}

void MessageListView::cleared()
{
    m_selected.clear();
    m_currentMessage.reset();
    m_currentGroup.reset();
    m_currentRow = m_anchorRow = -1;
    tableChanged();
}

void MessageListView::placeCurrent()
{
    if (m_currentMessage) {
        const std::optional<std::size_t> row = m_table.rowOf(*m_currentMessage);
        m_currentRow = row ? int(*row) : -1;
        if (!row)
            m_currentMessage.reset();
    } else if (m_currentGroup) {
        m_currentRow = -1;
        const auto& rows = m_table.rows();
        for (std::size_t i = 0; i < rows.size(); ++i)
            if (rows[i].isGroup && m_table.groups()[rows[i].index].key == *m_currentGroup)
                m_currentRow = int(i);
        if (m_currentRow < 0)
            m_currentGroup.reset();
    } else {
        m_currentRow = -1;
    }
    m_anchorRow = std::min(m_anchorRow, int(m_table.rows().size()) - 1);
}

std::optional<std::size_t> MessageListView::messageOfRow(int row) const
{
    const auto& rows = m_table.rows();
    if (row < 0 || row >= int(rows.size()) || rows[std::size_t(row)].isGroup)
        return std::nullopt;
    return rows[std::size_t(row)].index;
}

std::optional<std::size_t> MessageListView::currentMessage() const { return m_currentMessage; }

void MessageListView::setCurrentMessage(std::size_t message)
{
    if (!m_table.rowOf(message)) {
        // In a collapsed group: open it. A filtered-out message stays away.
        const auto& list = m_table.order();
        if (std::find(list.begin(), list.end(), message) == list.end())
            return;
        for (const auto& group : m_table.groups())
            if (group.collapsed)
                m_table.setCollapsed(group.key, false);
        // Only the groups holding it need to open, but a table rebuilt
        // once for all of them costs the same as for one.
        updateScrollRange();
    }
    const std::optional<std::size_t> row = m_table.rowOf(message);
    if (row)
        goToRow(int(*row), false);
}

std::vector<std::size_t> MessageListView::selectedMessages() const
{
    std::vector<std::size_t> shown;
    for (const std::size_t message : m_table.order())
        if (m_selected.count(message))
            shown.push_back(message);
    return shown;
}

void MessageListView::copySelection() const
{
    std::vector<std::size_t> messages = selectedMessages();
    if (messages.empty() && m_currentMessage)
        messages.push_back(*m_currentMessage);
    if (!messages.empty())
        QApplication::clipboard()->setText(QString::fromStdString(m_table.reportLines(messages)));
}

int MessageListView::rowAt(const QPoint& point) const
{
    if (point.y() < rowHeight())
        return -1;
    const int row = verticalScrollBar()->value() + (point.y() - rowHeight()) / rowHeight();
    return row < int(m_table.rows().size()) ? row : -1;
}

void MessageListView::ensureVisible(int row)
{
    QScrollBar* bar = verticalScrollBar();
    if (row < bar->value())
        bar->setValue(row);
    else if (row >= bar->value() + rowsInSight())
        bar->setValue(row - rowsInSight() + 1);
}

void MessageListView::goToRow(int row, bool extend, bool keepSelection)
{
    const int rows = int(m_table.rows().size());
    if (rows == 0)
        return;
    row = std::clamp(row, 0, rows - 1);
    if (!extend || m_anchorRow < 0)
        m_anchorRow = row;
    if (extend) {
        m_selected.clear();
        for (int r = std::min(m_anchorRow, row); r <= std::max(m_anchorRow, row); ++r)
            if (const auto message = messageOfRow(r))
                m_selected.insert(*message);
    } else if (!keepSelection) {
        m_selected.clear();
        if (const auto message = messageOfRow(row))
            m_selected.insert(*message);
    }
    m_currentRow = row;
    m_currentMessage = messageOfRow(row);
    m_currentGroup.reset();
    if (!m_currentMessage) {
        const auto& row0 = m_table.rows()[std::size_t(row)];
        m_currentGroup = m_table.groups()[row0.index].key;
    }
    ensureVisible(row);
    viewport()->update();
    tellCurrent();
}

void MessageListView::tellCurrent()
{
    if (m_currentMessage == m_toldMessage)
        return;
    m_toldMessage = m_currentMessage;
    if (m_onCurrentChanged)
        m_onCurrentChanged(m_currentMessage);
}

void MessageListView::toggleGroup(int row, std::optional<bool> collapse)
{
    const auto& rows = m_table.rows();
    if (row < 0 || row >= int(rows.size()) || !rows[std::size_t(row)].isGroup)
        return;
    const auto& group = m_table.groups()[rows[std::size_t(row)].index];
    const std::string key = group.key;
    m_table.setCollapsed(key, collapse.value_or(!group.collapsed));
    tableChanged();
}

void MessageListView::clickHeader(int x)
{
    int column = columnCount - 1;
    for (int i = 0; i < columnCount - 1; ++i)
        if (x < columnLeft(MessageColumn(i + 1))) {
            column = i;
            break;
        }
    const auto chosen = MessageColumn(column);
    // Again on the same column: the other way round; a third time: report order.
    if (m_table.sortColumn() == chosen) {
        if (m_table.sortAscending())
            m_table.setSort(chosen, false);
        else
            m_table.setSort(std::nullopt);
    } else {
        m_table.setSort(chosen, true);
    }
    tableChanged();
}

void MessageListView::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    painter.fillRect(viewport()->rect(), m_colours.window);
    const int first = verticalScrollBar()->value();
    const int rows = int(m_table.rows().size());
    const int h = rowHeight();
    for (int row = first, top = h; row < rows && top < viewport()->height(); ++row, top += h)
        paintRow(painter, row, top);
    paintHeader(painter);
}

void MessageListView::paintHeader(QPainter& painter) const
{
    const int h = rowHeight();
    const int w = viewport()->width();
    painter.fillRect(0, 0, w, h, m_colours.face);
    painter.setPen(m_colours.faceText);
    painter.drawLine(0, h - 1, w, h - 1);
    for (int i = 0; i < columnCount; ++i) {
        const int left = columnLeft(MessageColumn(i));
        const int right = i + 1 < columnCount ? columnLeft(MessageColumn(i + 1)) : w;
        QString caption = QString::fromLatin1(captions[i]);
        if (m_table.sortColumn() == MessageColumn(i))
            caption += m_table.sortAscending() ? QStringLiteral(" \u25B4") : QStringLiteral(" \u25BE");
        painter.drawText(QRect(left + cellPadding, 0, right - left - 2 * cellPadding, h), Qt::AlignVCenter | Qt::AlignLeft,
                         caption);
        if (i > 0)
            painter.drawLine(left, 2, left, h - 3);
    }
}

void MessageListView::paintRow(QPainter& painter, int row, int top) const
{
    const int h = rowHeight();
    const int w = viewport()->width();
    const auto& entry = m_table.rows()[std::size_t(row)];
    const bool selected = !entry.isGroup && m_selected.count(entry.index);
    if (selected)
        painter.fillRect(0, top, w, h, m_colours.highlight);
    const QColor text = selected ? m_colours.highlightText : m_colours.windowText;
    painter.setPen(text);
    const QFontMetrics metrics = fontMetrics();
    auto cell = [&](MessageColumn column, int left, const QString& value) {
        const int right = int(column) + 1 < columnCount ? columnLeft(MessageColumn(int(column) + 1)) : w;
        const int width = right - left - cellPadding;
        painter.drawText(QRect(left, top, width, h), Qt::AlignVCenter | Qt::AlignLeft,
                         metrics.elidedText(value, Qt::ElideRight, width));
    };
    if (entry.isGroup) {
        const auto& group = m_table.groups()[entry.index];
        const QString key = group.key.empty() ? QStringLiteral("(the book itself)") : QString::fromStdString(group.key);
        const QString sign = group.collapsed ? QStringLiteral("\u25B8 ") : QStringLiteral("\u25BE ");
        QFont bold = font();
        bold.setBold(true);
        painter.setFont(bold);
        painter.drawText(QRect(cellPadding, top, w - 2 * cellPadding, h), Qt::AlignVCenter | Qt::AlignLeft,
                         QFontMetrics(bold).elidedText(sign + key + QStringLiteral("  (%1)").arg(group.count),
                                                       Qt::ElideMiddle, w - 2 * cellPadding));
        painter.setFont(font());
    } else {
        const report::ReportMessage& message = m_table.list()[entry.index];
        const int indent = m_table.grouping() == report::MessageGrouping::None ? 0 : 12;
        const int mark = h - 8;
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.setBrush(markColour(message.severity));
        painter.setPen(Qt::NoPen);
        painter.drawEllipse(QRect(indent + cellPadding, top + 4, mark, mark));
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setPen(text);
        painter.setBrush(Qt::NoBrush);
        cell(MessageColumn::Severity, indent + 2 * cellPadding + mark,
             QString::fromLatin1(report::severityName(message.severity)));
        cell(MessageColumn::Code, columnLeft(MessageColumn::Code) + cellPadding, QString::fromStdString(message.code));
        cell(MessageColumn::File, columnLeft(MessageColumn::File) + cellPadding, QString::fromStdString(message.file));
        cell(MessageColumn::Position, columnLeft(MessageColumn::Position) + cellPadding, positionText(message));
        cell(MessageColumn::Text, columnLeft(MessageColumn::Text) + cellPadding, QString::fromStdString(message.text));
    }
    if (row == m_currentRow && hasFocus()) {
        QPen dotted(text, 1, Qt::DotLine);
        painter.setPen(dotted);
        painter.drawRect(0, top, w - 1, h - 1);
    }
}

void MessageListView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollRange();
}

void MessageListView::mousePressEvent(QMouseEvent* event)
{
    setFocus(Qt::MouseFocusReason);
    const QPoint at = event->position().toPoint();
    if (at.y() < rowHeight()) {
        if (event->button() == Qt::LeftButton)
            clickHeader(at.x());
        return;
    }
    const int row = rowAt(at);
    if (row < 0)
        return;
    if (m_table.rows()[std::size_t(row)].isGroup) {
        goToRow(row, false);
        toggleGroup(row);
        return;
    }
    if (event->modifiers() & Qt::ControlModifier) {
        const std::size_t message = *messageOfRow(row);
        if (!m_selected.erase(message))
            m_selected.insert(message);
        m_anchorRow = row;
        goToRow(row, false, true);
        return;
    }
    goToRow(row, bool(event->modifiers() & Qt::ShiftModifier));
}

void MessageListView::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Copy)) {
        copySelection();
        return;
    }
    if (event->matches(QKeySequence::SelectAll)) {
        for (const std::size_t message : m_table.order())
            m_selected.insert(message);
        viewport()->update();
        return;
    }
    const bool extend = event->modifiers() & Qt::ShiftModifier;
    const int current = m_currentRow;
    switch (event->key()) {
    case Qt::Key_Down: goToRow(current + 1, extend); return;
    case Qt::Key_Up: goToRow(current < 0 ? 0 : current - 1, extend); return;
    case Qt::Key_PageDown: goToRow(current + rowsInSight(), extend); return;
    case Qt::Key_PageUp: goToRow(current - rowsInSight(), extend); return;
    case Qt::Key_Home: goToRow(0, extend); return;
    case Qt::Key_End: goToRow(int(m_table.rows().size()) - 1, extend); return;
    case Qt::Key_Left: toggleGroup(current, true); return;
    case Qt::Key_Right: toggleGroup(current, false); return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space: toggleGroup(current); return;
    default: QAbstractScrollArea::keyPressEvent(event);
    }
}

void MessageListView::focusInEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update();
}

void MessageListView::focusOutEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update();
}

} // namespace tessaly::app
