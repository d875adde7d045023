#pragma once

#include "report/report_filter.h"
#include "app/report_text_view.h"
#include "report/report.h"
#include "platform/qt_frameless_window.h"
#include "skin/controls/skin_std_label.h"

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <vector>
#include <string>

class QLabel;
class QMenu;
class QPlainTextEdit;

namespace tessaly::platform {
class MainThread;
}
namespace tessaly::process {
class CreateProcess;
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
class ReportViewFeed;
class SkinChooser;
class WarmChecker;

// The main window: pick a book, validate it, read the checker's report.
class MainWindow : public platform::FramelessWindow {
public:
    // programFolder holds the program's executable and its "epubcheck"
    // folder; it ends with a separator.
    MainWindow(platform::MainThread& mainThread, std::string programFolder, QWidget* parent = nullptr);
    ~MainWindow() override;

    void setAboutWindow(AboutWindow* aboutWindow) { m_aboutWindow = aboutWindow; }
    // Checks go to the warm checker from now on (it must outlive the window,
    // or be set to nullptr before it goes); nullptr: "java -jar" every time.
    void setWarmChecker(WarmChecker* warmChecker);

    // Handlers of the window's controls and menu.
    void browse();
    void validate();
    void visitOurWebsite();
    void showAbout();
    void addReportLine(const std::string& text, bool startsOnNewLine = true);
    // Fills in the path and validates the book, as "Validate" would; while
    // a check runs, refused before the path changes.
    void openBook(const QString& path);
    // Asks for a file and saves the report there; refused while a check
    // runs.
    void saveReport();
    // Wears a built-in skin, or asks for a skin file and wears it; the
    // choice is remembered for the next start.
    void chooseBuiltInSkin(const QString& name);
    void openSkinFile();
    void chooseSkinFile(const QString& path);
    // Writes the book's path, the date and the report's lines to `file`.
    void writeReport(const QString& file) const;
    // The checker's exit code of the last check that ended.
    std::uint32_t lastExitCode() const { return m_lastExitCode; }

    process::CreateProcess& checker() { return *m_checker; }
    skin::SkinData& skinData() { return *m_skinData; }
    SkinChooser& skinChooser() { return *m_skinChooser; }
    ReportTextView* reportMemo() const { return m_reportMemo; }
    skin::SkinEdit* bookPathEdit() const { return m_bookPathEdit; }
    skin::SkinButton* validateButton() const { return m_validateButton; }
    skin::SkinSpeedButton* browseButton() const { return m_browseButton; }
    skin::SkinStatusBar* statusBar() const { return m_statusBar; }
    skin::SkinMenuSpeedButton* aboutMenuButton() const { return m_aboutMenuButton; }
    skin::SkinPopupMenu* aboutMenu() const { return m_aboutMenu.get(); }
    skin::SkinStdLabel* progressLabel() const { return m_progressLabel; }
    // The report's lines, and what keeps reportMemo showing them.
    report::Report& report() { return m_report; }
    ReportViewFeed& reportFeed() { return *m_reportFeed; }
    // Whether a check is still under way. Every way to start a check goes
    // through validate(), which refuses while one is, before it changes
    // anything.
    bool checkRunning() const;
    // The book whose report the memo holds: the book of the last check,
    // or the chosen one once Browse has emptied the report.
    QString reportBook() const;
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
    void checkStarted(const QString& book);
    void showProgress();
    void checkEnded(std::uint32_t exitCode);
    void createShortcuts();
    void endRunningCheck();
    void startCheck(const std::string& book);
    void runJarCheck(const std::string& book);
    void warmCheckFellBack(const std::string& book);
    void checkAbandoned();

    std::string m_programFolder;
    std::unique_ptr<process::CreateProcess> m_checker;
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
    skin::SkinStdLabel* m_progressLabel = nullptr;
    report::Report m_report;
    std::unique_ptr<ReportViewFeed> m_reportFeed;
    std::unique_ptr<report::ReportFilter> m_filter;
    AboutWindow* m_aboutWindow = nullptr;
    bool m_shownOnce = false;
    bool m_startFinished = false;
    QString m_checkedBook;
    // Whether the memo holds the report of m_checkedBook's check.
    bool m_reportOfCheck = false;
    QString m_checkedBookName;
    std::uint32_t m_lastExitCode = 0;
    // The report of the last check of each book checked in this session.
    std::map<QString, std::vector<std::string>> m_previousReports;
    QElapsedTimer m_checkClock;
    QTimer m_elapsedTimer; // ticks once a second while a check runs
    WarmChecker* m_warmChecker = nullptr;
};

} // namespace tessaly::app
