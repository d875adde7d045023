// layer_border_screenshots OUT_FOLDER: pictures of a framed window wearing
// the test skin with a layered border (tests/skin_frame/
// layer_border_fixture.h) on a private X display (Xvfb, openbox, xcompmgr),
// over a light and over a dark desktop:
//   light-active.png     light desktop, the window active
//   dark-active.png      dark desktop, the window active
//   dark-inactive.png    dark desktop, another window active (the border
//                        fades to its inactive picture and opacity)
//   light-tiny.png       light desktop, the window at its smallest size

#include <QApplication>
#include <QLabel>
#include <QScreen>
#include <QTest>
#include <QVBoxLayout>
#include <cstdio>

#include "layer_border_fixture.h"
#include "platform/qt_frameless_window.h"
#include "skin/frame/form_layer_border.h"
#include "skin/frame/skin_frame.h"
#include "x11_session.h"

namespace {

bool shoot(const QString& folder, const QString& name)
{
    QTest::qWait(500);
    return QGuiApplication::primaryScreen()->grabWindow(0).copy(0, 0, 800, 600).save(folder + QLatin1Char('/') + name);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: layer_border_screenshots OUT_FOLDER\n");
        return 2;
    }
    x11test::X11Session session;
    x11test::X11Session::Options options;
    options.compositor = true;
    if (!session.start(options)) {
        std::fprintf(stderr, "cannot start the X display: %s\n", session.error().c_str());
        return 1;
    }
    qputenv("QT_QPA_PLATFORM", "xcb");
    bool ok = true;
    {
        QApplication app(argc, argv);
        QApplication::setQuitOnLastWindowClosed(false);
        const QString folder = QString::fromLocal8Bit(argv[1]);
        frametest::LayerSkinFolder skinFolder;
        auto sd = skinFolder.load();
        tessaly::platform::FramelessWindow window;
        window.setWindowTitle(QStringLiteral("Layered border"));
        window.setDesignClientSize(QSize(420, 260));
        auto* layout = new QVBoxLayout(window.clientArea());
        layout->addWidget(new QLabel(QStringLiteral("A framed window with the test skin's layered border.")));
        tessaly::skin::SkinFrame frame(&window);
        frame.setSkinData(sd.get());
        window.move(150, 120);
        window.show();
        ok &= QTest::qWaitForWindowExposed(&window);
        ok &= QTest::qWaitFor([&] { return frame.formActive() && frame.layerBorder()->isVisible(); }, 5000);

        session.run({"xsetroot", "-solid", "#e8e8e0"});
        ok &= shoot(folder, QStringLiteral("light-active.png"));
        session.run({"xsetroot", "-solid", "#202830"});
        ok &= shoot(folder, QStringLiteral("dark-active.png"));

        QWidget other;
        other.setWindowTitle(QStringLiteral("Another window"));
        other.setGeometry(560, 420, 200, 120);
        other.show();
        ok &= QTest::qWaitForWindowExposed(&other);
        other.activateWindow();
        ok &= QTest::qWaitFor([&] { return !frame.formActive(); }, 5000);
        ok &= shoot(folder, QStringLiteral("dark-inactive.png"));
        other.hide();

        window.activateWindow();
        session.run({"xsetroot", "-solid", "#e8e8e0"});
        window.resize(frame.getMinWidth(), frame.getMinHeight());
        ok &= shoot(folder, QStringLiteral("light-tiny.png"));
    }
    session.stop();
    return ok ? 0 : 1;
}
