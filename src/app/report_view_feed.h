#pragma once

#include "report/report.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <string>
#include <vector>

class QPlainTextEdit;
class QTextCursor;

namespace tessaly::app {

// Keeps a text view showing a report's lines. The view takes what changed
// in batches of bounded size, one edit block each, between which the window
// paints. However many lines arrive, and however long one of them is, the
// window stays responsive. The view follows the end of the report while the
// user is at the end, and stays where the user scrolled otherwise.
//
// The view lays out a line in time proportional to its length, in one go: a
// line longer than BlockLength characters is shown as several blocks, each
// after the first marked as continuing the one before (see ReportTextView).
// shownLines() holds such a line whole.
class ReportViewFeed : public QObject, private report::Report::Observer {
public:
    static constexpr qsizetype BlockLength = 16 * 1024;
    // Characters put into the view per batch: the first batch's size, and
    // the bounds of the sizes that follow, which aim at a fixed time.
    static constexpr qsizetype BatchLength = 48 * 1024;
    static constexpr qsizetype MinimumBatchLength = 4 * 1024;
    static constexpr qsizetype MaximumBatchLength = 1024 * 1024;

    // Observes the report until it goes; the report outlives it.
    ReportViewFeed(report::Report& report, QPlainTextEdit* view);
    ~ReportViewFeed() override;

    // Shows everything that is still waiting, at once.
    void flush();
    // Shows the next batch of what is waiting now; the timer calls it.
    void showBatch();

    // Whether the view still lags behind the report.
    bool hasPendingChanges() const;
    // The lines as the view shows them, continued blocks joined.
    QStringList shownLines() const;

private:
    void linesChanged(std::size_t keptLines) override;
    void cleared() override;
    void marksChanged() override;

    void changed();
    qsizetype update(qsizetype budget);
    void removeStaleBlocks();
    qsizetype insertText(qsizetype budget);
    void markBlock(QTextCursor& cursor);

    report::Report& m_report;
    QPlainTextEdit* m_view;
    // The view shows lines [0, m_blockStart.size()): each entry is the
    // number of the line's first block. Every such line is shown whole
    // except perhaps the last, of which m_shownChars characters of
    // m_shownText are shown. Lines from m_validCount on changed since.
    std::vector<int> m_blockStart;
    std::size_t m_validCount = 0;
    QString m_shownText;
    qsizetype m_shownChars = 0;
    QTimer m_batchTimer;
    qsizetype m_batchLength = BatchLength;
};

} // namespace tessaly::app
