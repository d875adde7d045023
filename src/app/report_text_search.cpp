#include "app/report_text_search.h"

#include <QPlainTextEdit>
#include <QTextBlock>

namespace tessaly::app {

std::size_t ReportTextSearch::find(const QString& text)
{
    m_text = text;
    std::vector<std::size_t> blocks;
    if (!text.isEmpty()) {
        for (QTextBlock block = m_view->document()->begin(); block.isValid(); block = block.next())
            if (block.text().contains(text, Qt::CaseInsensitive))
                blocks.push_back(std::size_t(block.blockNumber()));
    }
    // From the line in sight at the top, so the view moves as little as it can.
    const QTextBlock top = m_view->cursorForPosition(QPoint(0, 0)).block();
    m_cursor.setMatches(std::move(blocks), top.isValid() ? std::size_t(top.blockNumber()) : 0);
    show(m_cursor.current());
    return m_cursor.count();
}

void ReportTextSearch::findNext() { show(m_cursor.next()); }

void ReportTextSearch::findPrevious() { show(m_cursor.previous()); }

void ReportTextSearch::show(std::optional<std::size_t> blockNumber)
{
    if (!blockNumber)
        return;
    const QTextBlock block = m_view->document()->findBlockByNumber(int(*blockNumber));
    if (!block.isValid())
        return;
    QTextCursor cursor(block);
    const int at = block.text().indexOf(m_text, 0, Qt::CaseInsensitive);
    cursor.setPosition(block.position() + std::max(0, at));
    cursor.setPosition(block.position() + std::max(0, at) + (at >= 0 ? int(m_text.size()) : 0), QTextCursor::KeepAnchor);
    m_view->setTextCursor(cursor);
    m_view->centerCursor();
}

} // namespace tessaly::app
