// Fuzz target over a whole skin as the windows wear it: the input is loaded
// into the main window's registry, whose notices make both windows and all
// their controls take it, and both windows are then drawn at a few sizes on
// the off-screen platform. A skin that does not load must leave a cleared
// registry; whatever loads must draw without fault.
//
// The first byte chooses what the rest is: even, a description text worn
// with the pictures of the built-in skin "pewter"; odd, a whole skin package
// (pictures and description, uncompressed).
#include "app/about_window.h"
#include "app/main_window.h"
#include "platform/error.h"
#include "platform/qt_main_thread.h"
#include "skin/data/compressed_stored_skin.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_package.h"
#include "skin/embedded_pewter.h"

#include <QApplication>
#include <QDir>
#include <QSize>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <span>
#include <string>

#include "common/require.h"

using tessaly::fuzz::require;

using namespace tessaly;

namespace {

struct Windows {
    QApplication* application = nullptr;
    platform::QtMainThread* mainThread = nullptr;
    app::MainWindow* main = nullptr;
    app::AboutWindow* about = nullptr;
    skin::SkinPackage pewter;
};

Windows& windows()
{
    static Windows w;
    return w;
}

// The package to wear, or false when the input holds none.
bool packageOf(std::span<const std::uint8_t> input, skin::SkinPackage& package)
{
    if (input.empty())
        return false;
    const bool wholePackage = input[0] % 2 == 1;
    input = input.subspan(1);
    if (!wholePackage) {
        package = windows().pewter;
        package.description.assign(reinterpret_cast<const char*>(input.data()), input.size());
        return true;
    }
    try {
        return skin::readSkinPackage(input, package);
    } catch (const Error&) {
        return false;
    }
}

void drawAtSizes(QWidget& window)
{
    for (const QSize size : {QSize(1, 1), QSize(160, 90), QSize(640, 420), QSize(1900, 1150)}) {
        window.resize(size);
        // Renders every child as well: the frame, the client area and the
        // controls, each composed from the skin.
        (void)window.grab();
    }
}

} // namespace

// Qt keeps fonts, glyphs and platform objects for the life of the process,
// and the windows stay until it ends: nothing of that is a leak of ours.
extern "C" const char* __lsan_default_options()
{
    return "detect_leaks=0";
}

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The program's settings stay out of the user's.
    const QString settings = QDir::temp().filePath(QStringLiteral("tessaly-skin-windows-fuzz"));
    QDir().mkpath(settings);
    qputenv("XDG_CONFIG_HOME", settings.toLocal8Bit());

    Windows& w = windows();
    w.application = new QApplication(*argc, *argv);
    w.mainThread = new platform::QtMainThread;
    w.main = new app::MainWindow(*w.mainThread, QDir::tempPath().toStdString() + "/");
    w.about = new app::AboutWindow(w.main, &w.main->skinData());
    w.main->show();
    w.about->show();

    skin::CompressedStoredSkin stored;
    stored.loadFromCompressBytes(skin::embedded_pewter());
    require(stored.readPackage(w.pewter));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Windows& w = windows();
    skin::SkinPackage package;
    if (!packageOf(std::span<const std::uint8_t>(data, size), package))
        return 0;
    skin::CompressedStoredSkin stored;
    stored.storePackage(package);
    skin::SkinData& registry = w.main->skinData();
    try {
        registry.loadCompressedStoredSkin(stored);
    } catch (const Error&) {
        // A failed load leaves the registry cleared; the windows wear their
        // default look, which must draw as well.
        require(registry.empty() && !registry.changeSkinDataProcess());
    }
    drawAtSizes(*w.main);
    drawAtSizes(*w.about);
    QApplication::processEvents();
    return 0;
}
