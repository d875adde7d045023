// A skin can never stop the program from starting: hostile skin files give
// the loader's message and working windows, under an address-space limit
// as on a modest machine, and a start that never comes up with a remembered
// skin file is followed by one with the built-in skin.
#include "app/main_window.h"
#include "app/safe_skin_start.h"
#include "app/skin_chooser.h"
#include "hostile_skins.h"
#include "platform/qt_main_thread.h"
#include "skin/data/compressed_stored_skin.h"
#include "skin/data/skin_data.h"
#include "skin/embedded_slate.h"
#include "window_test_support.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <sys/resource.h>

namespace tessaly::app {
namespace {

QSettings userSettings() { return QSettings(QStringLiteral("Tessaly"), QStringLiteral("Tessaly")); }

TEST(SkinStart, HostileSkinFilesGiveTheMessageAndWorkingWindowsUnderAnAddressSpaceLimit)
{
    QTemporaryDir folder;
    const QStringList files = testing::writeHostileSkins(folder.path());
    ASSERT_EQ(files.size(), 3);
    for (const QString& file : files) {
        QProcess child;
        child.setProgram(QStringLiteral(HOSTILE_SKIN_START));
        child.setArguments({file});
        child.setProcessChannelMode(QProcess::MergedChannels);
        child.setChildProcessModifier([] {
            const rlim_t threeGigabytes = rlim_t(3) << 30;
            const rlimit limit{threeGigabytes, threeGigabytes};
            setrlimit(RLIMIT_AS, &limit);
        });
        child.start();
        ASSERT_TRUE(child.waitForFinished(-1)) << qPrintable(file);
        const QByteArray output = child.readAll();
        EXPECT_EQ(child.exitStatus(), QProcess::NormalExit) << qPrintable(file) << "\n" << output.constData();
        EXPECT_EQ(child.exitCode(), 0) << qPrintable(file) << "\n" << output.constData();
        EXPECT_FALSE(output.contains("FAILED")) << output.constData();
    }
}

// The program is killed while it starts with a remembered skin file; the
// next start wears the built-in skin and says why once, and so do the
// starts after it, silently, until the user chooses a skin. The remembered
// choice stays.
TEST(SkinStart, AStartThatNeverComesUpIsFollowedByTheBuiltInSkin)
{
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("slate copy.skn"));
    {
        skin::CompressedStoredSkin slate;
        slate.loadFromCompressBytes(skin::embedded_slate());
        slate.saveToCompressFile(file.toStdString());
    }
    userSettings().setValue(QLatin1String(SkinChooser::SettingsKey), file);

    // The settings the program reads: those of this test's scratch folder.
    const QString settingsFile = userSettings().fileName();
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), QFileInfo(settingsFile).dir().absolutePath() + QStringLiteral("/.."));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("TESSALY_TEST_STALL_START"), QStringLiteral("1"));
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(TESSALY_PROGRAM_FOLDER "/tessaly"), QStringList());
    ASSERT_TRUE(program.waitForStarted());
    const bool marked = QTest::qWaitFor(
        [&] { return QSettings(settingsFile, QSettings::NativeFormat).value(SafeSkinStart::StartingKey).toString() == file; },
        60000);
    program.kill();
    program.waitForFinished();
    ASSERT_TRUE(marked) << "the program marks its start with the remembered file";

    platform::QtMainThread mainThread;
    for (const bool first : {true, false}) {
        const testing::ErrorReportCatcher catcher;
        MainWindow next(mainThread, TESSALY_PROGRAM_FOLDER "/");
        next.show();
        EXPECT_EQ(next.skinChooser().current(), QLatin1String(SkinChooser::DefaultSkin));
        EXPECT_FALSE(next.skinData().empty());
        if (first) {
            ASSERT_TRUE(QTest::qWaitFor([&] { return catcher.text().has_value(); }));
            EXPECT_TRUE(catcher.text()->contains(file)) << qPrintable(*catcher.text());
            EXPECT_TRUE(catcher.text()->contains(QStringLiteral("built-in skin"))) << qPrintable(*catcher.text());
        } else {
            QTest::qWait(200);
            EXPECT_FALSE(catcher.text().has_value()) << "said once";
        }
        EXPECT_EQ(userSettings().value(QLatin1String(SkinChooser::SettingsKey)).toString(), file);
    }

    // Chosen again, the file is worn, and the next start takes it up.
    {
        MainWindow window(mainThread, TESSALY_PROGRAM_FOLDER "/");
        window.chooseSkinFile(file);
        EXPECT_EQ(window.skinChooser().current(), file);
    }
    MainWindow next(mainThread, TESSALY_PROGRAM_FOLDER "/");
    EXPECT_EQ(next.skinChooser().current(), file);
    userSettings().remove(QLatin1String(SkinChooser::SettingsKey));
}

} // namespace
} // namespace tessaly::app
