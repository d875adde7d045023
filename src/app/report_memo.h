#pragma once

#include "app/report_filter.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <string>
#include <vector>

class QPlainTextEdit;

namespace tessaly::app {

// The report memo as the report filter sees it. The filter works on a list
// of lines kept here; the text box takes what changed in batches, at most
// once per frame and in one edit block, so that thousands of lines or one
// very long line never keep the window from painting. The text box follows
// the end of the report while the user is at the end, and stays where the
// user scrolled otherwise.
class ReportMemo : public QObject, public ReportLines {
public:
    explicit ReportMemo(QPlainTextEdit* memo);

    std::string lastLine() const override;
    void appendLine(const std::string& line) override;
    void removeLastLine() override;

    // Empties the list and the text box at once.
    void clear();
    // Shows everything that is still waiting now.
    void flush();

    const std::vector<std::string>& lines() const { return m_lines; }
    bool hasPendingChanges() const { return m_shownCount < m_lines.size() || m_widgetCount > m_shownCount; }

private:
    void changed();
    void updateTextBox();

    QPlainTextEdit* m_memo;
    std::vector<std::string> m_lines;
    // m_lines[0, m_shownCount) are shown as they are; the text box holds
    // m_widgetCount lines, of which the ones past m_shownCount are stale.
    std::size_t m_shownCount = 0;
    std::size_t m_widgetCount = 0;
    QTimer m_flushTimer;
    qint64 m_lastFlushCost = 0; // milliseconds
};

} // namespace tessaly::app
