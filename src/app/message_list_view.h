#pragma once

#include "app/report_text_view.h"
#include "report/message_table.h"
#include "skin/controls/skin_bound.h"

#include <QAbstractScrollArea>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace tessaly::app {

// The rows of a message table, drawn straight from it: a header of column
// captions (a click sorts by that column, a second click turns the order
// round), then one row per message with its severity mark, code, file,
// line:column and text, and a row per group that a click, Enter or
// Left/Right collapses and expands. Only the rows in sight are drawn, so a
// table of any length shows at once and grows while a check runs.
//
// Several messages may be selected (Shift and Ctrl as usual); Ctrl+C
// copies them as the report lines they came from.
//
// With a "listview" record the rows take its font, its text colour and its
// background over the colours the window gives; the scroll bar is skinned.
class MessageListView : public QAbstractScrollArea, public skin::SkinBound {
public:
    MessageListView(report::MessageTable& table, QWidget* parent = nullptr);

    void setSkinData(skin::SkinData* skinData);
    void beforeChangeSkinData() override;
    void changeSkinData() override;

    void setColours(const ReportTextView::Colours& colours);
    // The colours the rows are drawn in, and those the window gave.
    const ReportTextView::Colours& colours() const { return m_colours; }
    const ReportTextView::Colours& windowColours() const { return m_windowColours; }
    const report::MessageTable& table() const { return m_table; }

    // The table changed (new messages, a filter, grouping or sort): the
    // view keeps the selection it can and draws again.
    void tableChanged();
    // The messages were all taken away.
    void cleared();

    // The message the keyboard is on, if it is on a message.
    std::optional<std::size_t> currentMessage() const;
    // Goes to a message, opening its group if it was collapsed, and shows it.
    void setCurrentMessage(std::size_t message);
    void setOnCurrentChanged(std::function<void(std::optional<std::size_t>)> handler)
    {
        m_onCurrentChanged = std::move(handler);
    }
    // Selected messages in the order the rows show them.
    std::vector<std::size_t> selectedMessages() const;
    void copySelection() const;

    // Layout, for tests: the header's and a row's height, the columns' left
    // edges, and the row shown at a point of the viewport (-1: none).
    int rowHeight() const;
    int columnLeft(report::MessageColumn column) const;
    int rowAt(const QPoint& viewportPoint) const;
    int currentRow() const { return m_currentRow; }

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void updateScrollRange();
    void paintHeader(QPainter& painter) const;
    void paintRow(QPainter& painter, int row, int top) const;
    void clickHeader(int x);
    // Moves the keyboard to a row; with `extend`, selects from the anchor
    // to it, otherwise selects it alone (unless `keepSelection`).
    void goToRow(int row, bool extend, bool keepSelection = false);
    void toggleGroup(int row, std::optional<bool> collapse = {});
    void ensureVisible(int row);
    void tellCurrent();
    std::optional<std::size_t> messageOfRow(int row) const;
    int rowsInSight() const;
    // Finds the row of the current message or group again after a change.
    void placeCurrent();

    report::MessageTable& m_table;
    // The window's colours, and those the rows are drawn in (the record's
    // over the window's).
    ReportTextView::Colours m_windowColours;
    ReportTextView::Colours m_colours;
    std::set<std::size_t> m_selected;
    int m_currentRow = -1;
    int m_anchorRow = -1;
    // What the current row shows, to find it again after the table changed.
    std::optional<std::size_t> m_currentMessage;
    std::optional<std::string> m_currentGroup;
    std::optional<std::size_t> m_toldMessage;
    std::function<void(std::optional<std::size_t>)> m_onCurrentChanged;
};

} // namespace tessaly::app
