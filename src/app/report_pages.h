#pragma once

#include <QWidget>
#include <memory>

namespace tessaly::skin {
class SkinData;
class SkinEdit;
class SkinSpeedButton;
class SkinStdLabel;
class SkinTabControl;
} // namespace tessaly::skin

namespace tessaly::app {

class FindTarget;
class MessagesView;
class ReportTextSearch;
class ReportTextView;

// The report's two pages, "Report" (the text as the checker wrote it) and
// "Messages", chosen by skinned tabs; beside the tabs, a find bar that
// searches the page in sight: Ctrl+F goes to it, Enter and F3 go to the
// next match, Shift with either to the previous one, and it counts the
// matches.
class ReportPages : public QWidget {
public:
    enum Page { ReportPage = 0, MessagesPage = 1 };

    // Takes both pages as its children.
    ReportPages(ReportTextView* report, MessagesView* messages, QWidget* parent = nullptr);
    ~ReportPages() override;

    void setSkinData(skin::SkinData* skinData);

    Page currentPage() const;
    void showPage(Page page);
    // Goes to the find bar with its text selected.
    void focusFind();
    void findNext();
    void findPrevious();

    skin::SkinTabControl* tabs() const { return m_tabs; }
    skin::SkinEdit* findEdit() const { return m_findEdit; }
    skin::SkinStdLabel* matchLabel() const { return m_matchLabel; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createFindBar();
    void createShortcuts();
    FindTarget& target() const;
    void search();
    void showMatchCount();

    ReportTextView* m_report;
    MessagesView* m_messages;
    std::unique_ptr<ReportTextSearch> m_reportSearch;
    skin::SkinTabControl* m_tabs = nullptr;
    skin::SkinEdit* m_findEdit = nullptr;
    skin::SkinSpeedButton* m_previousButton = nullptr;
    skin::SkinSpeedButton* m_nextButton = nullptr;
    skin::SkinStdLabel* m_matchLabel = nullptr;
};

} // namespace tessaly::app
