// layer_border_screenshots OUT_FOLDER: pictures of a framed window wearing
// the test skin with a layered border (tests/skin_frame/
// layer_border_fixture.h) on a private X display (Xvfb, openbox, xcompmgr),
// over a light and over a dark desktop (the root window's colour, as
// `xsetroot -solid` sets it, and the pixmap the compositing manager paints):
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
#include <cstring>
#include <xcb/xcb.h>

#include "layer_border_fixture.h"
#include "platform/qt_frameless_window.h"
#include "skin/frame/form_layer_border.h"
#include "skin/frame/skin_frame.h"
#include "own_display.h"
#include "x11_session.h"

namespace {

bool shoot(const QString& folder, const QString& name)
{
    QTest::qWait(500);
    return QGuiApplication::primaryScreen()->grabWindow(0).copy(0, 0, 800, 600).save(folder + QLatin1Char('/') + name);
}

// The desktop colour as the compositing manager paints it: xcompmgr draws
// the root window's background from the pixmap named by _XROOTPMAP_ID (a
// plain colour alone shows as its grey), so both are set. The pixmap lives
// as long as the connection.
void setDesktop(xcb_connection_t* c, uint32_t rgb)
{
    xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    const xcb_pixmap_t pixmap = xcb_generate_id(c);
    xcb_create_pixmap(c, screen->root_depth, pixmap, screen->root, 8, 8);
    const xcb_gcontext_t gc = xcb_generate_id(c);
    xcb_create_gc(c, gc, pixmap, XCB_GC_FOREGROUND, &rgb);
    const xcb_rectangle_t all{0, 0, 8, 8};
    xcb_poly_fill_rectangle(c, pixmap, gc, 1, &all);
    xcb_free_gc(c, gc);
    const char* name = "_XROOTPMAP_ID";
    auto* atom = xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, uint16_t(std::strlen(name)), name), nullptr);
    if (atom) {
        xcb_change_property(c, XCB_PROP_MODE_REPLACE, screen->root, atom->atom, XCB_ATOM_PIXMAP, 32, 1, &pixmap);
        std::free(atom);
    }
    xcb_change_window_attributes(c, screen->root, XCB_CW_BACK_PIXMAP, &pixmap);
    xcb_clear_area(c, 1, screen->root, 0, 0, 0, 0);
    xcb_flush(c);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: layer_border_screenshots OUT_FOLDER\n");
        return 2;
    }
    x11test::X11Session::Options options;
    options.compositor = true;
    return x11test::runOnOwnDisplay(argc, argv, options, [&](x11test::X11Session&) {
        bool ok = true;
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

        xcb_connection_t* desktop = xcb_connect(nullptr, nullptr);
        setDesktop(desktop, 0xE8E8E0);
        ok &= shoot(folder, QStringLiteral("light-active.png"));
        setDesktop(desktop, 0x202830);
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
        setDesktop(desktop, 0xE8E8E0);
        window.resize(frame.getMinWidth(), frame.getMinHeight());
        ok &= shoot(folder, QStringLiteral("light-tiny.png"));
        xcb_disconnect(desktop);
        return ok ? 0 : 1;
    });
}
