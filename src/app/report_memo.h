#pragma once

#include "report/report_filter.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <string>
#include <vector>

class QPlainTextEdit;
class QTextCursor;

namespace tessaly::app {

// The report memo as the report filter sees it. The filter works on a list
// of lines kept here; the text box takes what changed in batches of bounded
// size, one edit block each, between which the window paints. However many
// lines arrive, and however long one of them is, the window stays
// responsive. The text box follows the end of the report while the user is
// at the end, and stays where the user scrolled otherwise.
//
// The text box lays out a line in time proportional to its length, in one
// go: a line longer than BlockLength characters is shown as several blocks,
// each after the first marked as continuing the one before. lines() and
// shownLines() hold such a line whole.
class ReportMemo : public QObject, public report::ReportLines {
public:
    static constexpr qsizetype BlockLength = 16 * 1024;
    // Characters put into the text box per batch: the first batch's size,
    // and the bounds of the sizes that follow, which aim at a fixed time.
    static constexpr qsizetype BatchLength = 48 * 1024;
    static constexpr qsizetype MinimumBatchLength = 4 * 1024;
    static constexpr qsizetype MaximumBatchLength = 1024 * 1024;
    // The user state that marks a block as continuing the line before.
    static constexpr int ContinuationState = 1;
    // The block format property that marks a block of a line to point out
    // (a message that is new since the last check).
    static constexpr int MarkProperty = 0x100001;

    explicit ReportMemo(QPlainTextEdit* memo);

    std::string lastLine() const override;
    void appendLine(const std::string& line) override;
    void removeLastLine() override;

    // Empties the list and the text box at once.
    void clear();
    // Shows everything that is still waiting, at once.
    void flush();
    // Shows the next batch of what is waiting now; the timer calls it.
    void showBatch();

    const std::vector<std::string>& lines() const { return m_lines; }
    // Points out the lines whose entry is true, now and as they are shown.
    void markLines(std::vector<bool> marked);
    // Whether the text box still lags behind the list.
    bool hasPendingChanges() const;
    // The lines as the text box shows them, continued blocks joined.
    QStringList shownLines() const;

private:
    void changed();
    qsizetype update(qsizetype budget);
    void removeStaleBlocks();
    qsizetype insertText(qsizetype budget);
    bool isMarked(std::size_t line) const { return line < m_marked.size() && m_marked[line]; }
    void markBlock(QTextCursor& cursor);

    QPlainTextEdit* m_memo;
    std::vector<std::string> m_lines;
    // The text box shows lines [0, m_blockStart.size()): each entry is the
    // number of the line's first block. Every such line is shown whole
    // except perhaps the last, of which m_shownChars characters of
    // m_shownText are shown. Lines from m_validCount on changed since.
    std::vector<int> m_blockStart;
    std::size_t m_validCount = 0;
    QString m_shownText;
    qsizetype m_shownChars = 0;
    QTimer m_batchTimer;
    qsizetype m_batchLength = BatchLength;
    std::vector<bool> m_marked;
};

} // namespace tessaly::app
