#include "app/report_view_feed.h"

#include "app/report_text_view.h"

#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>
#include <limits>

namespace tessaly::app {

namespace {

// The first batch waits for the events already queued, so that lines
// arriving together are shown together.
constexpr int firstBatchDelay = 0;
// What one batch may cost the main thread, in milliseconds: well within a
// frame, so that the window paints between batches.
constexpr qint64 batchTime = 20;
// What a line costs a batch beyond its characters, so that a batch of
// empty or short lines is bounded too.
constexpr qsizetype lineCost = 64;

QString fromBytes(const std::string& line)
{
    // Bytes that are not UTF-8 show as U+FFFD.
    return QString::fromUtf8(line.data(), qsizetype(line.size()));
}

} // namespace

ReportViewFeed::ReportViewFeed(report::Report& report, QPlainTextEdit* view)
    : m_report(report)
    , m_view(view)
{
    // The report is rebuilt, never edited: an undo history would only keep
    // a second copy of it.
    m_view->setUndoRedoEnabled(false);
    m_batchTimer.setSingleShot(true);
    connect(&m_batchTimer, &QTimer::timeout, this, &ReportViewFeed::showBatch);
    m_report.addObserver(this);
}

ReportViewFeed::~ReportViewFeed() { m_report.removeObserver(this); }

void ReportViewFeed::linesChanged(std::size_t keptLines)
{
    m_validCount = std::min(m_validCount, keptLines);
    changed();
}

void ReportViewFeed::cleared()
{
    // The view empties at once.
    m_batchTimer.stop();
    m_blockStart.clear();
    m_validCount = 0;
    m_shownText.clear();
    m_shownChars = 0;
    m_view->clear();
}

bool ReportViewFeed::hasPendingChanges() const
{
    return m_validCount < m_blockStart.size() || m_blockStart.size() < m_report.lines().size()
        || m_shownChars < m_shownText.size();
}

QStringList ReportViewFeed::shownLines() const
{
    QStringList lines;
    const QTextDocument* document = m_view->document();
    if (document->isEmpty())
        return lines;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        if (block.userState() == ReportTextView::ContinuationState && !lines.isEmpty())
            lines.back() += block.text();
        else
            lines.push_back(block.text());
    }
    return lines;
}

void ReportViewFeed::changed()
{
    if (!m_batchTimer.isActive())
        m_batchTimer.start(firstBatchDelay);
}

void ReportViewFeed::showBatch()
{
    // Laying text out costs about the same per character from one batch to
    // the next: size the next batch by what this one cost.
    QElapsedTimer cost;
    cost.start();
    const qsizetype used = update(m_batchLength);
    const qint64 elapsed = std::max<qint64>(1, cost.elapsed());
    if (used >= m_batchLength)
        m_batchLength = std::clamp<qsizetype>(m_batchLength * batchTime / elapsed, MinimumBatchLength, MaximumBatchLength);
    // The next batch follows once the events waiting now, paints among
    // them, have been handled.
    if (hasPendingChanges())
        m_batchTimer.start(0);
}

void ReportViewFeed::flush()
{
    m_batchTimer.stop();
    update(std::numeric_limits<qsizetype>::max());
}

qsizetype ReportViewFeed::update(qsizetype budget)
{
    if (!hasPendingChanges())
        return 0;
    QScrollBar* scrollBar = m_view->verticalScrollBar();
    const bool followEnd = scrollBar->value() == scrollBar->maximum();
    const int keptPosition = scrollBar->value();
    QTextCursor editBlock(m_view->document());
    editBlock.beginEditBlock();
    removeStaleBlocks();
    const qsizetype used = insertText(budget);
    editBlock.endEditBlock();
    scrollBar->setValue(followEnd ? scrollBar->maximum() : keptPosition);
    return used;
}

void ReportViewFeed::marksChanged()
{
    // Lines shown already are marked now; the others as they are shown.
    QTextDocument* document = m_view->document();
    QTextCursor cursor(document);
    cursor.beginEditBlock();
    for (std::size_t line = 0; line < std::min(m_blockStart.size(), m_validCount); ++line) {
        if (!m_report.isMarked(line))
            continue;
        const int end = line + 1 < m_blockStart.size() ? m_blockStart[line + 1] : document->blockCount();
        for (int block = m_blockStart[line]; block < end; ++block) {
            cursor.setPosition(document->findBlockByNumber(block).position());
            markBlock(cursor);
        }
    }
    cursor.endEditBlock();
}

void ReportViewFeed::markBlock(QTextCursor& cursor)
{
    QTextBlockFormat format;
    format.setProperty(ReportTextView::MarkProperty, true);
    cursor.mergeBlockFormat(format);
}

void ReportViewFeed::removeStaleBlocks()
{
    if (m_validCount >= m_blockStart.size())
        return;
    QTextDocument* document = m_view->document();
    QTextCursor cursor(document);
    if (m_validCount == 0) {
        cursor.select(QTextCursor::Document);
    } else {
        // From the line break before the first stale line to the end.
        const QTextBlock first = document->findBlockByNumber(m_blockStart[m_validCount]);
        cursor.setPosition(first.position() - 1);
        cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
    }
    cursor.removeSelectedText();
    m_blockStart.resize(m_validCount);
    // Only the last line shown can have been shown in part, and it was
    // among the stale ones.
    m_shownText.clear();
    m_shownChars = 0;
}

qsizetype ReportViewFeed::insertText(qsizetype budget)
{
    QTextCursor cursor(m_view->document());
    cursor.movePosition(QTextCursor::End);
    qsizetype used = 0;
    while (used < budget) {
        if (m_shownChars >= m_shownText.size()) {
            const std::size_t next = m_blockStart.size();
            if (next >= m_report.lines().size())
                break;
            // A new block would take the format of the one before, and
            // with it the mark of a marked line.
            if (next > 0)
                cursor.insertBlock(QTextBlockFormat());
            m_blockStart.push_back(cursor.blockNumber());
            m_validCount = m_blockStart.size();
            m_shownText = fromBytes(m_report.lines()[next]);
            m_shownChars = 0;
            if (m_report.isMarked(next))
                markBlock(cursor);
            used += lineCost;
            continue;
        }
        const qsizetype inBlock = cursor.block().length() - 1;
        if (inBlock >= BlockLength) {
            cursor.insertBlock();
            cursor.block().setUserState(ReportTextView::ContinuationState);
            if (m_report.isMarked(m_blockStart.size() - 1))
                markBlock(cursor);
            continue;
        }
        qsizetype count = std::min({BlockLength - inBlock, m_shownText.size() - m_shownChars, budget - used});
        // Never split a character that takes two UTF-16 units.
        if (count < m_shownText.size() - m_shownChars && m_shownText.at(m_shownChars + count - 1).isHighSurrogate())
            count = count > 1 ? count - 1 : count + 1;
        cursor.insertText(m_shownText.mid(m_shownChars, count));
        m_shownChars += count;
        used += count;
    }
    return used;
}

} // namespace tessaly::app
