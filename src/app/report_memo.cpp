#include "app/report_memo.h"

#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>

namespace tessaly::app {

namespace {

// About one frame; longer when updating the text box itself takes long, so
// that it never takes more than a fifth of the main thread's time.
constexpr int frameInterval = 16;
constexpr int costFactor = 4;

QString fromBytes(const std::string& line)
{
    // Bytes that are not UTF-8 show as U+FFFD.
    return QString::fromUtf8(line.data(), qsizetype(line.size()));
}

} // namespace

ReportMemo::ReportMemo(QPlainTextEdit* memo)
    : m_memo(memo)
{
    // The report is rebuilt, never edited: an undo history would only keep
    // a second copy of it.
    m_memo->setUndoRedoEnabled(false);
    m_flushTimer.setSingleShot(true);
    connect(&m_flushTimer, &QTimer::timeout, this, &ReportMemo::flush);
}

std::string ReportMemo::lastLine() const
{
    return m_lines.empty() ? std::string() : m_lines.back();
}

void ReportMemo::appendLine(const std::string& line)
{
    m_lines.push_back(line);
    changed();
}

void ReportMemo::removeLastLine()
{
    if (m_lines.empty())
        return;
    m_lines.pop_back();
    m_shownCount = std::min(m_shownCount, m_lines.size());
    changed();
}

void ReportMemo::clear()
{
    m_flushTimer.stop();
    m_lines.clear();
    m_shownCount = m_widgetCount = 0;
    m_memo->clear();
}

void ReportMemo::changed()
{
    if (!m_flushTimer.isActive())
        m_flushTimer.start(std::max<qint64>(frameInterval, costFactor * m_lastFlushCost));
}

void ReportMemo::flush()
{
    m_flushTimer.stop();
    if (!hasPendingChanges())
        return;
    QElapsedTimer cost;
    cost.start();
    QScrollBar* scrollBar = m_memo->verticalScrollBar();
    const bool followEnd = scrollBar->value() == scrollBar->maximum();
    const int keptPosition = scrollBar->value();
    updateTextBox();
    if (followEnd)
        scrollBar->setValue(scrollBar->maximum());
    else
        scrollBar->setValue(keptPosition);
    m_lastFlushCost = cost.elapsed();
}

void ReportMemo::updateTextBox()
{
    QTextDocument* document = m_memo->document();
    QTextCursor cursor(document);
    cursor.beginEditBlock();
    if (m_widgetCount > m_shownCount) {
        // Remove the stale lines together with the line break before them.
        if (m_shownCount == 0) {
            cursor.select(QTextCursor::Document);
        } else {
            const QTextBlock kept = document->findBlockByNumber(int(m_shownCount) - 1);
            cursor.setPosition(kept.position() + kept.length() - 1);
            cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
        }
        cursor.removeSelectedText();
    }
    cursor.movePosition(QTextCursor::End);
    for (std::size_t i = m_shownCount; i < m_lines.size(); ++i) {
        if (i > 0)
            cursor.insertBlock();
        cursor.insertText(fromBytes(m_lines[i]));
    }
    cursor.endEditBlock();
    m_shownCount = m_widgetCount = m_lines.size();
}

} // namespace tessaly::app
