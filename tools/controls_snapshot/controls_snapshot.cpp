// Usage: controls_snapshot BOOK.epub OUTPUT_FOLDER   (on an X display)
// Checks BOOK in the main window, then saves screen grabs of the whole
// display: "Validate" under the pointer, the status-bar menu open from
// "About", the About window with its link under the pointer, and the path
// field's context menu.
#include "app/about_window.h"
#include "app/book_check.h"
#include "app/main_window.h"
#include "skin/menus/skin_menu.h"
#include "skin/menus/skin_popup_menu.h"
#include "app/report_view_feed.h"
#include "platform/qt_main_thread.h"
#include "process/create_process.h"
#include "skin/controls/skin_button.h"
#include "skin/controls/skin_edit.h"
#include "skin/controls/skin_link_label.h"
#include "skin/controls/skin_menu_speed_button.h"

#include <QApplication>
#include <QMenu>
#include <QProcess>
#include <QTest>
#include <cstdio>

namespace {

void xdotool(const QStringList& arguments) { QProcess::execute(QStringLiteral("xdotool"), arguments); }

void pointAt(QWidget* widget, QPoint at)
{
    const QPoint p = widget->mapToGlobal(at);
    xdotool({"mousemove", QString::number(p.x()), QString::number(p.y())});
    QTest::qWait(400);
}

bool screenGrab(const QString& file)
{
    QTest::qWait(300);
    return QProcess::execute(QStringLiteral("import"), {"-window", "root", file}) == 0;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: controls_snapshot BOOK.epub OUTPUT_FOLDER\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[2]);
    tessaly::platform::QtMainThread mainThread;
    tessaly::app::MainWindow mainWindow(mainThread, TESSALY_PROGRAM_FOLDER "/");
    tessaly::app::AboutWindow aboutWindow(&mainWindow, &mainWindow.skinData());
    mainWindow.setAboutWindow(&aboutWindow);
    mainWindow.show();
    if (!QTest::qWaitForWindowActive(&mainWindow))
        std::fprintf(stderr, "controls_snapshot: the main window did not become active\n");

    mainWindow.bookPathEdit()->setText(QString::fromLocal8Bit(argv[1]));
    pointAt(mainWindow.validateButton(), {37, 12});
    xdotool({"click", "1"});
    // The click reaches the window a moment later.
    (void)QTest::qWaitFor([&] { return mainWindow.checkRunning(); }, 5000);
    const bool finished = QTest::qWaitFor([&] {
        return mainWindow.bookCheck().checker().state() == tessaly::process::ProcessState::Ready
            && !mainWindow.reportFeed().hasPendingChanges();
    }, 60000);
    pointAt(mainWindow.validateButton(), {40, 14});
    bool saved = screenGrab(folder + "/1-validate-hot.png");

    pointAt(mainWindow.aboutMenuButton(), {15, 9});
    xdotool({"click", "1"});
    (void)QTest::qWaitFor([&] { return mainWindow.aboutMenu()->engine().visible(); }, 3000);
    saved = screenGrab(folder + "/2-about-menu.png") && saved;
    xdotool({"key", "Escape"});
    (void)QTest::qWaitFor([&] { return !mainWindow.aboutMenu()->engine().visible(); }, 3000);

    mainWindow.showAbout();
    (void)QTest::qWaitForWindowExposed(&aboutWindow);
    pointAt(aboutWindow.webSiteLink(), {20, 6});
    saved = screenGrab(folder + "/3-about-link-hover.png") && saved;
    aboutWindow.hide();

    mainWindow.activateWindow();
    (void)QTest::qWaitForWindowActive(&mainWindow);
    mainWindow.bookPathEdit()->setFocus();
    QTest::qWait(100);
    mainWindow.bookPathEdit()->lineEdit()->setSelection(0, 10);
    pointAt(mainWindow.bookPathEdit(), {120, 9});
    xdotool({"click", "3"});
    QTest::qWait(600);
    saved = screenGrab(folder + "/4-path-context-menu.png") && saved;
    xdotool({"key", "Escape"});
    QTest::qWait(200);
    return saved && finished ? 0 : 1;
}
