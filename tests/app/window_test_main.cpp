// The main program of the window tests: the off-screen platform unless the
// caller chose one, and user settings of their own, so that the tests
// neither read nor change the user's.
#include "window_test_support.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const tessaly::testing::ScratchSettings settings;
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
