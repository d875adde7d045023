#include "app/app_accessibility.h"
#include "app/error_report.h"
#include "app/guarded_application.h"
#include "app/about_window.h"
#include "app/after_first_paint.h"
#include "app/book_check.h"
#include "app/command_line_main.h"
#include "app/main_window.h"
#include "app/skin_preview_window.h"
#include "app/warm_checker.h"
#include "platform/error.h"
#include "platform/qt_main_thread.h"
#include "platform/qt_termination_signals.h"
#include "skin/controls/control_accessibility.h"
#include "skin/frame/frame_accessibility.h"
#include "skin/menus/menu_accessibility.h"

#include <QApplication>
#include <QDir>
#include <QTimer>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <string_view>
#include <thread>

namespace {

// The glow and layered windows place their own top-level windows, which
// Wayland does not allow: prefer X11 unless the user chose a platform.
void preferX11()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb");
}

// The warm checker, whose host starts once the window has painted for the
// first time, so that the window comes up as fast as without it, and is
// warm by the time the user has picked a book. A host that cannot start
// leaves every check to "java -jar"; a check asked for before the host has
// started starts it.
std::unique_ptr<tessaly::app::WarmChecker> makeWarmChecker(tessaly::platform::MainThread& mainThread,
                                                           const std::string& programFolder)
{
    if (!tessaly::app::WarmChecker::enabledInSettings())
        return nullptr;
    tessaly::app::WarmChecker::Settings settings;
    settings.programFolder = programFolder;
    return std::make_unique<tessaly::app::WarmChecker>(mainThread, std::move(settings));
}

void startAfterFirstPaint(QWidget* window, tessaly::app::WarmChecker* warmChecker)
{
    if (!warmChecker || !warmChecker->available())
        return;
    tessaly::app::AfterFirstPaint::run(window, [warmChecker] {
        try {
            warmChecker->start();
        } catch (const tessaly::Error&) {
            // The first check tries again and falls back.
        }
    });
}

// For the test of a start that never comes up: with this variable set, the
// program stops for good once the skin is loaded, before the window is up,
// and waits to be killed.
void stallStartForTests()
{
    if (qEnvironmentVariableIsSet("TESSALY_TEST_STALL_START"))
        std::this_thread::sleep_for(std::chrono::hours(24));
}

} // namespace

int main(int argc, char** argv)
{
    // "tessaly --preview-skin PATH": the window for people who make skins.
    const bool previewSkin = argc == 3 && std::string_view(argv[1]) == "--preview-skin";
    // "tessaly --check ..." and the like: no window, no display needed.
    if (!previewSkin && tessaly::app::wantsCommandLine(argc, argv))
        return tessaly::app::runCommandLine(argc, argv);
    preferX11();
    tessaly::app::GuardedApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tessaly"));
    tessaly::skin::installControlAccessibility();
    tessaly::skin::installMenuAccessibility();
    tessaly::skin::installFrameAccessibility();
    tessaly::app::installAppAccessibility();
    if (previewSkin)
        return tessaly::app::runSkinPreview(QString::fromLocal8Bit(argv[2]));

    tessaly::platform::QtMainThread mainThread;
    mainThread.setErrorHandler([](std::exception_ptr error) {
        tessaly::app::runGuarded(nullptr, [&] { std::rethrow_exception(error); });
    });
    const std::string programFolder = QDir(QApplication::applicationDirPath()).absolutePath().toStdString() + "/";
    // Declared before the window, which uses it until the window is gone.
    std::unique_ptr<tessaly::app::WarmChecker> warmChecker = makeWarmChecker(mainThread, programFolder);
    tessaly::app::MainWindow mainWindow(mainThread, programFolder);
    mainWindow.setWarmChecker(warmChecker.get());
    tessaly::app::AboutWindow aboutWindow(&mainWindow, &mainWindow.skinData());
    mainWindow.setAboutWindow(&aboutWindow);
    // Asked to end (SIGTERM, SIGINT, SIGHUP), the program ends as when its
    // window is closed: the running check ends, the warm checker's input
    // closes, settings are written on the way out. quit() also leaves a
    // dialog's loop that may be running. (A signal before this point ends
    // the program at once; the checker host ends with it.)
    const tessaly::platform::TerminationSignals terminationSignals([&mainWindow](int) {
        mainWindow.close();
        QApplication::quit();
    });
    stallStartForTests();
    startAfterFirstPaint(&mainWindow, warmChecker.get());
    mainWindow.show();
    // A book named on the command line (as file managers pass it with "Open
    // with") is checked at once.
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() > 1)
        QTimer::singleShot(0, &mainWindow, [&mainWindow, book = arguments.at(1)] { mainWindow.openBook(book); });
    return QApplication::exec();
}
