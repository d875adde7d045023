#include "own_display.h"

#include <QApplication>

#include <cstdio>

namespace x11test {

int runOnOwnDisplay(int& argc, char** argv, const X11Session::Options& options,
                    const std::function<int(X11Session&)>& body)
{
    X11Session session;
    if (!session.start(options)) {
        std::fprintf(stderr, "cannot start the X display: %s\n", session.error().c_str());
        return 1;
    }
    qputenv("QT_QPA_PLATFORM", "xcb");
    int result = 1;
    {
        QApplication application(argc, argv);
        QApplication::setQuitOnLastWindowClosed(false);
        result = body(session);
    }
    session.stop();
    return result;
}

} // namespace x11test
