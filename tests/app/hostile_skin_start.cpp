// The program's start with a hostile skin file remembered, run by the
// hostile skin test in a process of its own under a limit on its address
// space. Starts the two windows with the file named on the command line as
// the remembered skin, then chooses the same file as from the Skin menu.
// Prints what it sees and ends with 0 when the loader's message was shown
// each time and the windows went on wearing the built-in skin, drawn.
#include "app/about_window.h"
#include "app/error_report.h"
#include "app/main_window.h"
#include "app/skin_chooser.h"
#include "platform/qt_main_thread.h"
#include "skin/data/skin_data.h"
#include "window_test_support.h"

#include <QApplication>
#include <QSettings>
#include <QTest>

#include <cstdio>
#include <memory>

namespace {

int failures = 0;

void check(bool condition, const char* what)
{
    std::printf("%s: %s\n", condition ? "ok" : "FAILED", what);
    if (!condition)
        ++failures;
}

bool drawn(QWidget& window)
{
    return !window.grab().isNull() && window.isVisible();
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    if (argc != 2)
        return 2;
    const QString file = QString::fromLocal8Bit(argv[1]);
    const tessaly::testing::ScratchSettings scratch;
    QSettings(QStringLiteral("Tessaly"), QStringLiteral("Tessaly"))
        .setValue(QLatin1String(tessaly::app::SkinChooser::SettingsKey), file);

    tessaly::platform::QtMainThread mainThread;
    std::optional<QString> atStart;
    {
        // One catcher at a time: each closes every report it sees.
        auto catcher = std::make_unique<tessaly::testing::ErrorReportCatcher>();
        tessaly::app::MainWindow window(mainThread, TESSALY_PROGRAM_FOLDER "/");
        tessaly::app::AboutWindow about(&window, &window.skinData());
        window.setAboutWindow(&about);
        window.show();
        check(QTest::qWaitFor([&] { return catcher->text().has_value(); }), "a message at start");
        atStart = catcher->text();
        catcher.reset();
        if (atStart)
            std::printf("message: %s\n", qPrintable(*atStart));
        check(atStart && atStart->contains(file) && atStart->contains(QStringLiteral("cannot be used")),
              "the message names the file and says why");
        check(window.skinChooser().current() == QLatin1String(tessaly::app::SkinChooser::DefaultSkin) &&
                  !window.skinData().empty(),
              "the built-in skin is worn");
        check(drawn(window), "the main window is drawn");
        about.show();
        check(drawn(about), "the about window is drawn");

        const tessaly::testing::ErrorReportCatcher fromMenu;
        tessaly::app::runGuarded(&window, [&] { window.chooseSkinFile(file); });
        check(fromMenu.text() && *fromMenu.text() == *atStart, "the same message when the file is chosen from the menu");
        check(window.skinChooser().current() == QLatin1String(tessaly::app::SkinChooser::DefaultSkin) &&
                  !window.skinData().empty(),
              "the skin in use stays");
        window.resize(900, 700);
        check(drawn(window), "the main window is drawn at another size");
    }
    return failures == 0 ? 0 : 1;
}
