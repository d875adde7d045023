#pragma once

#include "app/report_text_view.h"
#include "report/markup_highlight.h"
#include "report/report_message.h"
#include "report/source_excerpt.h"

#include <QString>
#include <QWidget>
#include <memory>
#include <vector>

namespace tessaly::report {
class BookEntries;
}

namespace tessaly::app {

// The file a message points into, shown from inside the book: a line that
// says which file and place (and whether the book has changed on disk
// since the check), then a few lines around the place with their numbers,
// the message's line highlighted and its column marked, markup and style
// sheets in colour. The book is opened at the first message shown and its
// entries kept for the check; whatever the book holds, the pane shows the
// lines or a sentence saying why it cannot.
class SourcePane : public QWidget {
public:
    explicit SourcePane(QWidget* parent = nullptr);
    ~SourcePane() override;

    void setColours(const ReportTextView::Colours& colours);
    // The book of a new check; nothing is read until a message is shown.
    void setBook(const QString& path);
    // Shows the place of a message; null: nothing.
    void showMessage(const report::ReportMessage* message);

    // What the pane shows: the sentence above the lines, and the lines.
    const QString& notice() const { return m_notice; }
    const report::SourceExcerpt& excerpt() const { return m_excerpt; }
    // The book's entries as the pane reads them (null before a book).
    report::BookEntries* entries() const { return m_entries.get(); }
    // The pane's whole text, as a reader hears it.
    QString spokenText() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void paintLine(QPainter& painter, const report::ExcerptLine& line, const std::vector<report::HighlightSpan>& spans,
                   int top, int textLeft, int shift) const;
    QColor roleColour(report::HighlightRole role) const;
    int lineHeight() const;

    std::unique_ptr<report::BookEntries> m_entries;
    ReportTextView::Colours m_colours;
    QFont m_codeFont;
    QString m_notice;
    report::SourceExcerpt m_excerpt;
    std::vector<std::vector<report::HighlightSpan>> m_spans; // per excerpt line
};

} // namespace tessaly::app
