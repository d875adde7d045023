#include <QApplication>
#include <gtest/gtest.h>

#include <cstdio>

#ifdef TESSALY_X11_SESSION
#include "x11_session.h"
#endif

// The run shares one private display with openbox: started here by the
// shared X session helper where the build has it, else by the script that
// runs this program.
int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
#ifdef TESSALY_X11_SESSION
    x11test::X11Session session;
    if (!session.start()) {
        std::fprintf(stderr, "no X session: %s\n", session.error().c_str());
        return 1;
    }
#endif
    qputenv("QT_QPA_PLATFORM", "xcb");
    int result;
    {
        QApplication app(argc, argv);
        result = RUN_ALL_TESTS();
    }
    return result;
}
