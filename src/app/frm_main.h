#pragma once

#include "app/report_filter.h"
#include "platform/qt_frameless_window.h"

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>
#include <cstdint>
#include <map>
#include <memory>
#include <vector>
#include <string>

class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QToolButton;

namespace tessaly::platform {
class MainThread;
}
namespace tessaly::process {
class CreateProcess;
}
namespace tessaly::skin {
class CompressedSkinList;
class SkinData;
class SkinFrame;
}

namespace tessaly::app {

class Form2;
class ReportMemo;
class WarmChecker;

// The main window: pick a book, validate it, read the checker's report.
class FrmMain : public platform::FramelessWindow {
public:
    // programFolder holds the program's executable and its "epubcheck"
    // folder; it ends with a separator.
    FrmMain(platform::MainThread& mainThread, std::string programFolder, QWidget* parent = nullptr);
    ~FrmMain() override;

    void setAboutWindow(Form2* form2) { m_form2 = form2; }
    // Checks go to the warm checker from now on (it must outlive the window,
    // or be set to nullptr before it goes); nullptr: "java -jar" every time.
    void setWarmChecker(WarmChecker* warmChecker);

    // Handlers of the window's controls and menu.
    void skSkinSpeedButton1Click();
    void skSkinButton1Click();
    void visitOurWebsite1Click();
    void about1Click();
    void process1Read(const std::string& text, bool startsOnNewLine = true);
    // Fills in the path and validates the book, as "Validate" would.
    void openBook(const QString& path);
    // Asks for a file and saves the report there.
    void saveReport();
    // Writes the book's path, the date and the report's lines to `file`.
    void writeReport(const QString& file) const;
    // The checker's exit code of the last check that ended.
    std::uint32_t lastExitCode() const { return m_lastExitCode; }

    process::CreateProcess& process1() { return *m_process1; }
    skin::SkinData& skSkinData1() { return *m_skSkinData1; }
    QPlainTextEdit* memo1() const { return m_memo1; }
    QLineEdit* edit1() const { return m_edit1; }
    QPushButton* skSkinButton1() const { return m_skSkinButton1; }
    QToolButton* skSkinSpeedButton1() const { return m_skSkinSpeedButton1; }
    QToolButton* skSkinMenuSpeedButton1() const { return m_skSkinMenuSpeedButton1; }
    QMenu* skSkinPopupMenu2() const { return m_skSkinPopupMenu2; }
    QLabel* progressLabel() const { return m_progressLabel; }
    ReportMemo& reportMemo() { return *m_reportMemo; }
    // Whether a check started by "Validate" is still under way.
    bool checkRunning() const;
    skin::SkinFrame* skSkinFrame1() const { return m_skSkinFrame1.get(); }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void createControls();
    void createStatusBar();
    void centreOnFirstShow();
    void attachFrame();
    void loadStoredSkin();
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
    std::unique_ptr<process::CreateProcess> m_process1;
    std::unique_ptr<skin::CompressedSkinList> m_skCompressedSkinList1;
    std::unique_ptr<skin::SkinData> m_skSkinData1;
    // After the registry, so that the frame lets go of the window before
    // the registry goes.
    std::unique_ptr<skin::SkinFrame> m_skSkinFrame1;
    QToolButton* m_skSkinSpeedButton1 = nullptr;
    QWidget* m_skSkinStatusBar1 = nullptr;
    QToolButton* m_skSkinMenuSpeedButton1 = nullptr;
    QMenu* m_skSkinPopupMenu2 = nullptr;
    QLineEdit* m_edit1 = nullptr;
    QPushButton* m_skSkinButton1 = nullptr;
    QPlainTextEdit* m_memo1 = nullptr;
    QLabel* m_progressLabel = nullptr;
    std::unique_ptr<ReportMemo> m_reportMemo;
    std::unique_ptr<ReportFilter> m_filter;
    Form2* m_form2 = nullptr;
    bool m_shownOnce = false;
    QString m_checkedBook;
    QString m_checkedBookName;
    std::uint32_t m_lastExitCode = 0;
    // The report of the last check of each book checked in this session.
    std::map<QString, std::vector<std::string>> m_previousReports;
    QElapsedTimer m_checkClock;
    QTimer m_elapsedTimer; // ticks once a second while a check runs
    WarmChecker* m_warmChecker = nullptr;
};

} // namespace tessaly::app
