#include "app/after_first_paint.h"

#include <QEvent>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

TEST(AfterFirstPaint, RunsOnceAfterTheWindowHasPainted)
{
    QWidget window;
    window.resize(200, 100);
    PaintCounter counter;
    window.installEventFilter(&counter);
    int runs = 0;
    int paintsBefore = 0;
    tessaly::app::AfterFirstPaint::run(&window, [&] {
        ++runs;
        paintsBefore = counter.paints;
    });
    QCoreApplication::processEvents();
    EXPECT_EQ(runs, 0) << "not before the window is shown";
    window.show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return runs > 0; }, 10000));
    EXPECT_GE(paintsBefore, 1) << "the window had painted";
    window.update();
    window.repaint();
    QCoreApplication::processEvents();
    EXPECT_EQ(runs, 1) << "once";
}

} // namespace
