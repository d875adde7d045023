#pragma once

#include "app/report_text_view.h"
#include "skin/controls/skin_bound.h"

#include <QAbstractScrollArea>
#include <cstddef>
#include <functional>
#include <optional>

namespace tessaly::skin {
class ContextMenuOpener;
}

namespace tessaly::app {

class BookQueue;

// The queue of books as a list: one row per book with a mark of its state,
// its file name and what it came to ("waiting", "checking — N s", the
// verdict). One row is chosen at a time; the arrows, Page Up/Down, Home and
// End move the choice, Enter checks the chosen book again, Escape cancels
// every check, and the menu key, Shift+F10 or a right click open a menu of
// these commands and of saving every report.
//
// With a "listview" record the rows take its font, its text colour and its
// background over the colours the window gives; the scroll bar is skinned.
class BookQueueView : public QAbstractScrollArea, public skin::SkinBound {
public:
    // Shows `queue`, which outlives the view.
    explicit BookQueueView(BookQueue& queue, QWidget* parent = nullptr);

    void setSkinData(skin::SkinData* skinData);
    void beforeChangeSkinData() override;
    void changeSkinData() override;
    void setColours(const ReportTextView::Colours& colours);
    // Where the menu opens (not owned); none: no menu.
    void setMenuOpener(skin::ContextMenuOpener* opener) { m_menuOpener = opener; }

    // The queue's changes, passed on by its owner.
    void bookChanged(std::size_t index);
    void listChanged();

    // The chosen book, if any.
    std::optional<std::size_t> currentBook() const { return m_current; }
    void setCurrentBook(std::size_t index);
    void setOnCurrentChanged(std::function<void(std::size_t index)> handler) { m_onCurrentChanged = std::move(handler); }
    // The menu's "Save All Reports…" (the owner asks for the folder).
    void setOnSaveAll(std::function<void()> handler) { m_onSaveAll = std::move(handler); }

    // The commands, as the keys and the menu run them.
    void checkCurrentAgain();
    void cancelAll();
    // Opens the menu at a point of the screen.
    void openMenu(const QPoint& screenPos);
    // Opens it under the chosen row, as the keyboard does.
    void openMenuAtCurrent();

    const BookQueue& queue() const { return m_queue; }
    // What a row says to a reader: "NAME: STATE".
    QString rowText(std::size_t index) const;
    // Layout, for tests: a row's height and the row at a point of the
    // viewport (-1: none).
    int rowHeight() const;
    // The height that shows `rows` whole rows.
    int heightForRows(int rows) const;
    int rowAt(const QPoint& viewportPoint) const;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void paintRow(QPainter& painter, std::size_t index, int top) const;
    void goToRow(int row);
    void ensureVisible(int row);
    void updateScrollRange();
    int rowsInSight() const;

    BookQueue& m_queue;
    ReportTextView::Colours m_windowColours;
    ReportTextView::Colours m_colours;
    skin::ContextMenuOpener* m_menuOpener = nullptr;
    std::optional<std::size_t> m_current;
    std::function<void(std::size_t)> m_onCurrentChanged;
    std::function<void()> m_onSaveAll;
};

} // namespace tessaly::app
