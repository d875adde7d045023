// What the window manager reads as the windows' titles, on a private X
// display with openbox.
#include "app/about_window.h"
#include "app/main_window.h"
#include "platform/qt_main_thread.h"
#include "own_display.h"
#include "x11_session.h"

#include <QApplication>
#include <QTest>
#include <xcb/xcb.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <optional>

namespace {

xcb_connection_t* connection()
{
    return qApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
}

xcb_atom_t atom(const char* name)
{
    auto* reply = xcb_intern_atom_reply(connection(),
        xcb_intern_atom(connection(), 0, std::uint16_t(std::strlen(name)), name), nullptr);
    const xcb_atom_t result = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    return result;
}

// A text property of a window; nothing when the window does not have it.
std::optional<std::string> textProperty(QWidget& window, const char* name)
{
    auto* reply = xcb_get_property_reply(connection(),
        xcb_get_property(connection(), 0, xcb_window_t(window.winId()), atom(name), XCB_GET_PROPERTY_TYPE_ANY, 0, 4096),
        nullptr);
    if (!reply)
        return std::nullopt;
    std::optional<std::string> text;
    if (reply->type != XCB_ATOM_NONE)
        text = std::string(static_cast<const char*>(xcb_get_property_value(reply)),
            std::size_t(xcb_get_property_value_length(reply)));
    std::free(reply);
    return text;
}

TEST(WindowTitles, AreWhatTheWindowManagerReads)
{
    tessaly::platform::QtMainThread mainThread;
    tessaly::app::MainWindow mainWindow(mainThread, "/nowhere/");
    tessaly::app::AboutWindow aboutWindow(&mainWindow);
    mainWindow.show();
    aboutWindow.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&mainWindow));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&aboutWindow));
    QTest::qWait(50);

    EXPECT_EQ(textProperty(mainWindow, "_NET_WM_NAME"), "Tessaly 1.0");
    EXPECT_EQ(textProperty(mainWindow, "WM_NAME"), "Tessaly 1.0");
    EXPECT_EQ(textProperty(aboutWindow, "_NET_WM_NAME"), "");
    EXPECT_EQ(textProperty(aboutWindow, "WM_NAME"), "");
}

} // namespace

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    return x11test::runOnOwnDisplay(argc, argv, {}, [](x11test::X11Session&) {
        QApplication::setApplicationName(QStringLiteral("Tessaly"));
        return RUN_ALL_TESTS();
    });
}
