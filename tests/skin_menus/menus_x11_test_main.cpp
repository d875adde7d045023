#include <QApplication>
#include <gtest/gtest.h>

#include <cstdio>

#include "menus_x11.h"

namespace tessaly::skin::test {
x11test::X11Session* x11 = nullptr;
}

// The whole run shares one private display: Xvfb with openbox.
int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    x11test::X11Session session;
    if (!session.start()) {
        std::fprintf(stderr, "no X session: %s\n", session.error().c_str());
        return 1;
    }
    tessaly::skin::test::x11 = &session;
    qputenv("QT_QPA_PLATFORM", "xcb");
    int result;
    {
        QApplication app(argc, argv);
        result = RUN_ALL_TESTS();
    }
    session.stop();
    return result;
}
