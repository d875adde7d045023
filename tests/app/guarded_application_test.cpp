// An error thrown while a widget handles an event (a paint that cannot
// allocate its picture) ends that event only: the program goes on, and the
// error report shows the message once, however often the event fails.
#include "app/guarded_application.h"
#include "platform/error.h"
#include "window_test_support.h"

#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

using tessaly::testing::ErrorReportCatcher;

// Fails every paint, as a window would whose skin asks for a picture too
// large to allocate.
class FailingPaint : public QWidget {
public:
    int paints = 0;

protected:
    void paintEvent(QPaintEvent*) override
    {
        ++paints;
        throw tessaly::Error("Can't allocate the DIB handle");
    }
};

TEST(GuardedApplication, AFailingPaintIsReportedOnceAndTheProgramGoesOn)
{
    const ErrorReportCatcher catcher;
    FailingPaint widget;
    widget.resize(50, 50);
    widget.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&widget));
    for (int i = 0; i < 5; ++i) {
        widget.repaint();
        QTest::qWait(30);
    }
    ASSERT_TRUE(QTest::qWaitFor([&] { return catcher.text().has_value(); }));
    EXPECT_EQ(catcher.text().value(), QStringLiteral("Can't allocate the DIB handle."));
    EXPECT_GE(widget.paints, 5);

    // Later failures with the same message raise no second report.
    const ErrorReportCatcher second;
    widget.repaint();
    QTest::qWait(200);
    EXPECT_FALSE(second.text().has_value());
    EXPECT_TRUE(widget.isVisible());
}

TEST(GuardedApplication, AnyEventHandlerIsGuarded)
{
    const ErrorReportCatcher catcher;
    // A timer event whose handler throws, through the same guard.
    class Throwing : public QObject {
    protected:
        void timerEvent(QTimerEvent*) override { throw std::runtime_error("the timer failed"); }
    } throwing;
    const int timer = throwing.startTimer(10);
    ASSERT_TRUE(QTest::qWaitFor([&] { return catcher.text().has_value(); }));
    throwing.killTimer(timer);
    EXPECT_EQ(catcher.text().value(), QStringLiteral("the timer failed."));
    const auto* application = dynamic_cast<tessaly::app::GuardedApplication*>(QCoreApplication::instance());
    ASSERT_NE(application, nullptr);
    EXPECT_EQ(application->reportedMessages().count(QStringLiteral("the timer failed")), 1u);
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    tessaly::app::GuardedApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
