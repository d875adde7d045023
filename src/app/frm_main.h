#pragma once

#include "app/report_filter.h"

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>
#include <cstdint>
#include <memory>
#include <optional>
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
}

namespace tessaly::app {

class Form2;
class ReportMemo;
class WarmChecker;

// The main window: pick a book, validate it, read the checker's report.
class FrmMain : public QWidget {
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
    // The checker's exit code of the last check that ended, by either way.
    std::optional<std::uint32_t> lastExitCode() const { return m_lastExitCode; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void createControls();
    void createStatusBar();
    void centreOnFirstShow();
    void loadStoredSkin();
    void checkStarted(const QString& book);
    void showProgress();
    void checkEnded();
    void endRunningCheck();
    void startCheck(const std::string& book);
    void runJarCheck(const std::string& book);
    void warmCheckFellBack(const std::string& book);
    void checkFinished(std::uint32_t exitCode);

    std::string m_programFolder;
    std::unique_ptr<process::CreateProcess> m_process1;
    std::unique_ptr<skin::CompressedSkinList> m_skCompressedSkinList1;
    std::unique_ptr<skin::SkinData> m_skSkinData1;
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
    QString m_checkedBookName;
    QElapsedTimer m_checkClock;
    QTimer m_elapsedTimer; // ticks once a second while a check runs
    WarmChecker* m_warmChecker = nullptr;
    std::optional<std::uint32_t> m_lastExitCode;
};

} // namespace tessaly::app
