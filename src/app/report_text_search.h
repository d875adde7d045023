#pragma once

#include "app/find_target.h"
#include "report/match_cursor.h"

class QPlainTextEdit;

namespace tessaly::app {

// Searches the report's text as the memo shows it: a match is a line
// (block) holding the text, in either case; the current match is selected
// in the memo and scrolled into sight.
class ReportTextSearch : public FindTarget {
public:
    explicit ReportTextSearch(QPlainTextEdit* view) : m_view(view) {}

    std::size_t find(const QString& text) override;
    void findNext() override;
    void findPrevious() override;
    std::size_t matchCount() const override { return m_cursor.count(); }
    std::optional<std::size_t> currentMatch() const override { return m_cursor.currentNumber(); }

private:
    void show(std::optional<std::size_t> block);

    QPlainTextEdit* m_view;
    QString m_text;
    report::MatchCursor m_cursor;
};

} // namespace tessaly::app
