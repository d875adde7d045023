#include "platform/qt_compositor.h"
#include "platform/qt_xcb.h"

#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>
#include <QByteArray>

#include <cstdlib>

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
    xcb_connection_t* connection = x11Connection();
    if (!connection)
        return false;
    const QByteArray name = "_NET_WM_CM_S" + QByteArray::number(screenNumber());
    const xcb_atom_t atom = internAtom(connection, name.constData());
    if (atom == XCB_ATOM_NONE)
        return false;
    xcb_get_selection_owner_reply_t* owner =
        xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, atom), nullptr);
    const bool running = owner && owner->owner != XCB_NONE;
    std::free(owner);
    return running;
}

} // namespace tessaly::platform
