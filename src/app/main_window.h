#pragma once

#include "app/report_text_view.h"
#include "platform/qt_frameless_window.h"
#include "report/message_export.h"
#include "skin/controls/skin_std_label.h"

#include <QWidget>
#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QLabel;
class QMenu;
class QPlainTextEdit;

namespace tessaly::platform {
class MainThread;
}
namespace tessaly::skin {
class ContextMenuOpener;
class MenuItem;
class PopupMenuOpener;
class SkinButton;
class SkinData;
class SkinEdit;
class SkinFrame;
class SkinMenuSpeedButton;
class SkinPopupMenu;
class SkinSpeedButton;
class SkinStatusBar;
}

namespace tessaly::app {

class AboutWindow;
class BookCheck;
class BookQueue;
class BookQueueView;
class WarmChecker;
class MessagesView;
class ReportPages;
class ReportViewFeed;
class SkinChooser;

// The main window: pick a book, validate it, read the checker's report.
class MainWindow : public platform::FramelessWindow {
public:
    // programFolder holds the program's executable and its "epubcheck"
    // folder; it ends with a separator.
    MainWindow(platform::MainThread& mainThread, std::string programFolder, QWidget* parent = nullptr);
    ~MainWindow() override;

    void setAboutWindow(AboutWindow* aboutWindow) { m_aboutWindow = aboutWindow; }

    // Handlers of the window's controls and menu.
    void browse();
    void validate();
    void visitOurWebsite();
    void showAbout();
    // Fills in the path and validates the book, as "Validate" would; a
    // folder stands for the books in it and its subfolders. While a check
    // runs, refused before the path changes.
    void openBook(const QString& path);
    // Checks the books: one as "Validate" does, several in the queue,
    // which shows above the report. Refused while a check runs.
    void checkBooks(const std::vector<std::string>& books);
    // Asks for a folder and saves there the report of every book of the
    // queue, one file per book.
    void saveAllReports();
    // Asks for a file and saves the report there; refused while a check
    // runs.
    void saveReport();
    // Wears a built-in skin, or asks for a skin file and wears it; the
    // choice is remembered for the next start.
    void chooseBuiltInSkin(const QString& name);
    void openSkinFile();
    void chooseSkinFile(const QString& path);
    // Writes the report to `file` in the form its extension asks for, else
    // in `chosen`: as text (the book's path, the date and the report's
    // lines) or its messages as CSV or JSON.
    void writeReport(const QString& file, report::ReportFormat chosen = report::ReportFormat::Text) const;
    // The check of a book the window starts and shows.
    BookCheck& bookCheck() { return *m_check; }
    // The window's warm checker (it must outlive the window): the check of
    // one book uses it, and the queue borrows it while it is free.
    void setWarmChecker(WarmChecker* warmChecker);
    skin::SkinData& skinData() { return *m_skinData; }
    SkinChooser& skinChooser() { return *m_skinChooser; }
    ReportTextView* reportMemo() const { return m_reportMemo; }
    // The report's pages: the memo and the messages, with the find bar.
    ReportPages* reportPages() const { return m_reportPages; }
    MessagesView* messagesView() const { return m_messagesView; }
    skin::SkinEdit* bookPathEdit() const { return m_bookPathEdit; }
    skin::SkinButton* validateButton() const { return m_validateButton; }
    skin::SkinSpeedButton* browseButton() const { return m_browseButton; }
    skin::SkinStatusBar* statusBar() const { return m_statusBar; }
    skin::SkinMenuSpeedButton* aboutMenuButton() const { return m_aboutMenuButton; }
    skin::SkinPopupMenu* aboutMenu() const { return m_aboutMenu.get(); }
    skin::SkinStdLabel* progressLabel() const { return m_progressLabel; }
    // What keeps reportMemo showing the report's lines.
    ReportViewFeed& reportFeed() { return *m_reportFeed; }
    // The books checked together, and their list (shown only while it
    // holds more than one book).
    BookQueue& bookQueue() { return *m_bookQueue; }
    BookQueueView* bookQueueView() const { return m_bookQueueView; }
    // Whether a check is still under way, of one book or of the queue.
    // Every way to start a check goes through validate() or checkBooks(),
    // which refuse while one is, before they change anything.
    bool checkRunning() const;
    // The book whose report the memo holds: the book of the last check,
    // or the chosen one once Browse has emptied the report.
    QString reportBook() const;
    // The report in the given form, as it is saved.
    QByteArray reportBytes(report::ReportFormat format) const;
    skin::SkinFrame* frame() const { return m_frame.get(); }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void createControls();
    void createStatusBar();
    void addSkinMenu(skin::MenuItem& items);
    void applySkinColours();
    void updateSkinMenu();
    void centreOnFirstShow();
    void attachFrame();
    void loadStoredSkin();
    void refuseWhileChecking() const;
    void clearReport();
    // The window is up: the start went well, and what the start has to say
    // about the skin is said.
    void finishStart();
    // The check's handlers: what the window shows of it.
    void followCheck();
    void checkStarted(const std::string& book);
    void showProgress(std::chrono::seconds elapsed);
    void checkRestarted();
    void checkEnded(const std::string& verdict);
    void checkAbandoned();
    void createShortcuts();
    // The queue's handlers and its place in the window.
    void createBookQueue();
    void showBookQueue(bool shown);
    void showQueuedBook(std::size_t index);
    void followQueuedReport();
    void queuedBookChanged(std::size_t index);

    std::unique_ptr<BookCheck> m_check;
    std::unique_ptr<BookQueue> m_bookQueue;
    std::unique_ptr<skin::SkinData> m_skinData;
    std::unique_ptr<SkinChooser> m_skinChooser;
    // Why the remembered skin is not worn, shown once the window is up.
    std::optional<std::string> m_startNotice;
    // After the registry, so that the frame lets go of the window before
    // the registry goes.
    std::unique_ptr<skin::SkinFrame> m_frame;
    skin::SkinSpeedButton* m_browseButton = nullptr;
    skin::SkinStatusBar* m_statusBar = nullptr;
    skin::SkinMenuSpeedButton* m_aboutMenuButton = nullptr;
    std::unique_ptr<skin::SkinPopupMenu> m_aboutMenu;
    // The "Skin" submenu: one item per built-in skin, then the skin file in
    // use (shown only while one is).
    std::vector<skin::MenuItem*> m_builtInSkinItems;
    skin::MenuItem* m_skinFileItem = nullptr;
    // Opens aboutMenu for the "About" button (the skinned popup menu takes
    // its place where it is available).
    std::unique_ptr<skin::PopupMenuOpener> m_aboutMenuOpener;
    std::unique_ptr<skin::ContextMenuOpener> m_pathMenuOpener;
    skin::SkinEdit* m_bookPathEdit = nullptr;
    skin::SkinButton* m_validateButton = nullptr;
    ReportTextView* m_reportMemo = nullptr;
    MessagesView* m_messagesView = nullptr;
    ReportPages* m_reportPages = nullptr;
    BookQueueView* m_bookQueueView = nullptr;
    std::unique_ptr<skin::ContextMenuOpener> m_queueMenuOpener;
    // The book of the queue whose report the pages show.
    std::optional<std::size_t> m_shownQueuedBook;
    skin::SkinStdLabel* m_progressLabel = nullptr;
    // Follows the check's report until the window goes.
    std::unique_ptr<ReportViewFeed> m_reportFeed;
    AboutWindow* m_aboutWindow = nullptr;
    bool m_shownOnce = false;
    bool m_startFinished = false;
    // The file name of the book being checked, for the progress.
    QString m_checkedBookName;
    // The running check fell back from the warm checker to "java -jar".
    bool m_checkRestarted = false;
};

} // namespace tessaly::app
