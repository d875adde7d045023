#include "platform/qt_compositor.h"

#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>
#include <QByteArray>

#include <cstdlib>
#include <xcb/xcb.h>

namespace tessaly::platform {

namespace {

std::optional<bool>& overrideAnswer()
{
    static std::optional<bool> answer;
    return answer;
}

// The screen number of the display Qt talks to (":0.1" is screen 1).
int screenNumber()
{
    int display = 0;
    int screen = 0;
    char* host = nullptr;
    const QByteArray name = qgetenv("DISPLAY");
    if (!xcb_parse_display(name.isEmpty() ? nullptr : name.constData(), &host, &display, &screen))
        screen = 0;
    std::free(host);
    return screen;
}

} // namespace

void setCompositingManagerOverride(std::optional<bool> answer) { overrideAnswer() = answer; }

bool compositingManagerRunning()
{
    if (overrideAnswer())
        return *overrideAnswer();
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
    if (!connection)
        return false;
    const QByteArray name = "_NET_WM_CM_S" + QByteArray::number(screenNumber());
    xcb_intern_atom_reply_t* atom =
        xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, uint16_t(name.size()), name.constData()),
                              nullptr);
    if (!atom)
        return false;
    xcb_get_selection_owner_reply_t* owner =
        xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, atom->atom), nullptr);
    const bool running = owner && owner->owner != XCB_NONE;
    std::free(owner);
    std::free(atom);
    return running;
}

} // namespace tessaly::platform
