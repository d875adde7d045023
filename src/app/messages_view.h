#pragma once

#include "app/find_target.h"
#include "app/report_text_view.h"
#include "report/match_cursor.h"
#include "report/message_list.h"
#include "report/message_table.h"
#include "report/report.h"

#include <QString>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>

namespace tessaly::skin {
class SkinData;
class SkinSpeedButton;
class SkinToggleButton;
} // namespace tessaly::skin

namespace tessaly::app {

class MessageFeed;
class MessageListView;
class SourcePane;

// The report as messages: a row of severity toggles that show each
// severity's count and filter by it, a button that groups the rows by file,
// by code or not at all, the list of messages, and under it the source of
// the chosen message from inside the book. It follows the report while a
// check writes it, and the find bar searches it.
class MessagesView : public QWidget, public FindTarget {
public:
    // Follows `report` until it goes; the report outlives the view.
    explicit MessagesView(report::Report& report, QWidget* parent = nullptr);
    ~MessagesView() override;

    void setSkinData(skin::SkinData* skinData);
    void setColours(const ReportTextView::Colours& colours);
    // The book whose report comes next: its file name tells where a
    // message's path inside the book begins.
    void setBook(const QString& path);
    QString book() const { return m_book; }

    // Takes what the report has now, without waiting for the next batch.
    void flush();

    const report::MessageList& messages() const { return m_list; }
    report::MessageTable& table() { return m_table; }
    MessageListView* list() const { return m_listView; }
    SourcePane* sourcePane() const { return m_sourcePane; }
    skin::SkinToggleButton* severityToggle(report::Severity severity) const
    {
        return m_toggles[std::size_t(severity)];
    }
    skin::SkinSpeedButton* groupButton() const { return m_groupButton; }
    // The view's controls in the order Tab reaches them.
    std::vector<QWidget*> tabStops() const;
    void setGrouping(report::MessageGrouping grouping);
    void setShown(report::Severity severity, bool shown);

    // Tells whoever shows the count that the matches changed (the table
    // grew or was filtered).
    void setOnMatchesChanged(std::function<void()> handler) { m_onMatchesChanged = std::move(handler); }
    std::size_t find(const QString& text) override;
    void findNext() override;
    void findPrevious() override;
    std::size_t matchCount() const override { return m_matches.count(); }
    std::optional<std::size_t> currentMatch() const override { return m_matches.currentNumber(); }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void createToolbar();
    void tableChanged();
    void updateCounts();
    void search(bool show);
    void showMatch(std::optional<std::size_t> place);
    void showSource(std::optional<std::size_t> message);

    report::MessageList m_list;
    report::MessageTable m_table{m_list};
    std::array<skin::SkinToggleButton*, report::severityCount> m_toggles{};
    skin::SkinSpeedButton* m_groupButton = nullptr;
    MessageListView* m_listView = nullptr;
    SourcePane* m_sourcePane = nullptr;
    std::unique_ptr<MessageFeed> m_feed;
    QString m_book;
    QString m_findText;
    report::MatchCursor m_matches;
    std::function<void()> m_onMatchesChanged;
};

} // namespace tessaly::app
