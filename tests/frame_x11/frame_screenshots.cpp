// frame_screenshots OUT_FOLDER: pictures of the program's windows wearing
// the skin frame on a private X display (Xvfb, openbox, xcompmgr) with a
// plain desktop colour:
//   main-active.png            the main window, active
//   main-inactive-behind-about.png   the About window active over it
//   close-hot-glow.png         the pointer on the close button, with its glow
//   minimum.png                the main window at the skin's minimum size
//   1200x800.png               the main window at 1200 x 800
//   system-menu.png            the system menu opened by a right click on the caption
//   resizing.png               the main window while its corner is dragged

#include <QApplication>
#include <QProcess>
#include <QScreen>
#include <QTest>
#include <cstdio>

#include "app/about_window.h"
#include "app/main_window.h"
#include "platform/qt_main_thread.h"
#include "skin/data/skin_data.h"
#include "skin/frame/skin_frame.h"
#include "own_display.h"
#include "x11_session.h"

namespace {

void pointerTo(const QPoint& p)
{
    QProcess::execute(QStringLiteral("xdotool"),
                      {QStringLiteral("mousemove"), QString::number(p.x()), QString::number(p.y())});
}

void xdotool(const QStringList& arguments) { QProcess::execute(QStringLiteral("xdotool"), arguments); }

bool shoot(const QString& folder, const QString& name)
{
    QTest::qWait(500);
    return QGuiApplication::primaryScreen()->grabWindow(0).save(folder + QLatin1Char('/') + name);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: frame_screenshots OUT_FOLDER\n");
        return 2;
    }
    x11test::X11Session::Options options;
    options.compositor = true;
    return x11test::runOnOwnDisplay(argc, argv, options, [&](x11test::X11Session&) {
        bool ok = true;
        const QString folder = QString::fromLocal8Bit(argv[1]);
        tessaly::platform::QtMainThread mainThread;
        tessaly::app::MainWindow main(mainThread, "/nonexistent/");
        tessaly::app::AboutWindow about(&main);
        main.setAboutWindow(&about);
        main.show();
        ok &= QTest::qWaitForWindowExposed(&main);
        ok &= QTest::qWaitFor([&] { return main.isActiveWindow(); }, 5000);
        pointerTo(QPoint(5, 1000));
        ok &= shoot(folder, QStringLiteral("main-active.png"));

        main.showAbout();
        ok &= QTest::qWaitFor([&] { return about.isActiveWindow(); }, 5000);
        ok &= shoot(folder, QStringLiteral("main-inactive-behind-about.png"));
        about.close();

        QProcess::execute(QStringLiteral("xdotool"),
                          {QStringLiteral("windowactivate"), QString::number(main.winId())});
        ok &= QTest::qWaitFor([&] { return main.isActiveWindow(); }, 5000);
        tessaly::skin::SkinFrame& frame = *main.frame();
        const tessaly::skin::Rect close =
            frame.layout().objectRects[std::size_t(frame.getIndex("closebutton"))];
        pointerTo(main.geometry().topLeft() + QPoint((close.left + close.right) / 2, (close.top + close.bottom) / 2));
        ok &= shoot(folder, QStringLiteral("close-hot-glow.png"));
        pointerTo(QPoint(5, 1000));

        const auto& sd = main.skinData();
        main.setGeometry(QRect(main.pos(), QSize(sd.formMinWidth, sd.formMinHeight)));
        ok &= shoot(folder, QStringLiteral("minimum.png"));

        main.setGeometry(QRect(QPoint(40, 40), QSize(1200, 800)));
        ok &= shoot(folder, QStringLiteral("1200x800.png"));

        main.setGeometry(QRect(QPoint(200, 150), QSize(589, 376)));
        QTest::qWait(300);
        pointerTo(main.geometry().topLeft() + QPoint(200, 12));
        xdotool({QStringLiteral("click"), QStringLiteral("3")});
        ok &= QTest::qWaitFor([&] { return frame.inMenu(); }, 3000);
        ok &= shoot(folder, QStringLiteral("system-menu.png"));
        xdotool({QStringLiteral("key"), QStringLiteral("Escape")});
        ok &= QTest::qWaitFor([&] { return !frame.inMenu(); }, 3000);

        // The corner held down and dragged; the picture is taken before the
        // button is released.
        const QPoint corner = main.geometry().topLeft() + QPoint(main.width() - 2, main.height() - 2);
        pointerTo(corner);
        xdotool({QStringLiteral("mousedown"), QStringLiteral("1")});
        for (int i = 1; i <= 6; ++i) {
            pointerTo(corner + QPoint(30, 20) * i);
            QTest::qWait(40);
        }
        ok &= shoot(folder, QStringLiteral("resizing.png"));
        xdotool({QStringLiteral("mouseup"), QStringLiteral("1")});
        return ok ? 0 : 1;
    });
}
