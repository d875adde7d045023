#include "app/error_report.h"
#include "app/form2.h"
#include "app/frm_main.h"
#include "platform/qt_main_thread.h"

#include <QApplication>
#include <QDir>
#include <QTimer>
#include <cstdlib>

namespace {

// The glow and layered windows place their own top-level windows, which
// Wayland does not allow: prefer X11 unless the user chose a platform.
void preferX11()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb");
}

} // namespace

int main(int argc, char** argv)
{
    preferX11();
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tessaly"));

    tessaly::platform::QtMainThread mainThread;
    mainThread.setErrorHandler([](std::exception_ptr error) {
        tessaly::app::runGuarded(nullptr, [&] { std::rethrow_exception(error); });
    });
    const std::string programFolder = QDir(QApplication::applicationDirPath()).absolutePath().toStdString() + "/";
    tessaly::app::FrmMain frmMain(mainThread, programFolder);
    tessaly::app::Form2 form2(&frmMain, &frmMain.skinData());
    frmMain.setAboutWindow(&form2);
    frmMain.show();
    // A book named on the command line (as file managers pass it with "Open
    // with") is checked at once.
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() > 1)
        QTimer::singleShot(0, &frmMain, [&frmMain, book = arguments.at(1)] { frmMain.openBook(book); });
    return QApplication::exec();
}
