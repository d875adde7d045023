// Hint windows: line breaks, size, and placement on the screen.

#include <QHelpEvent>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

#include "menu_fixture.h"
#include "skin/data/system_colors.h"
#include "skin/paint/pixel_view.h"
#include "skin/menus/skin_hint.h"
#include "skin/paint/bitmap_canvas.h"

namespace tessaly::skin::test {
namespace {

TEST(HintText, TheSeparatorBreaksLines)
{
    EXPECT_EQ(hintLines(QStringLiteral("Close@Window"), QStringLiteral("@")), QStringLiteral("Close\nWindow"));
    EXPECT_EQ(hintLines(QStringLiteral("a@b@c"), QStringLiteral("@")), QStringLiteral("a\nb\nc"));
    EXPECT_EQ(hintLines(QStringLiteral("a@b"), QString()), QStringLiteral("a@b"));
}

struct PlaceCase {
    const char* name;
    Point at;
    Point expected;
};

class HintPlacement : public ::testing::TestWithParam<PlaceCase> {};

TEST_P(HintPlacement, StaysOnTheWorkArea)
{
    const PlaceCase& c = GetParam();
    const Point p = hintPosition(c.at, 100, 30, {0, 0, 800, 600});
    EXPECT_EQ(p.x, c.expected.x) << c.name;
    EXPECT_EQ(p.y, c.expected.y) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Cases, HintPlacement,
                         ::testing::Values(PlaceCase{"inside", {100, 100}, {100, 100}},
                                           PlaceCase{"right edge", {750, 100}, {648, 100}},
                                           PlaceCase{"bottom edge", {100, 590}, {100, 558}},
                                           PlaceCase{"corner", {790, 590}, {688, 558}},
                                           PlaceCase{"left of the area", {-20, -5}, {0, 0}}));

TEST(HintSize, SkinnedWindowNeverCrossesItsCornerPoints)
{
    HintFrame f{true, 30, 24, {3, 3}, {27, 3}, {3, 21}, {27, 21}, {3, 3, 27, 21}};
    const HintGeometry g = hintSize(f, 40, 14);
    EXPECT_EQ(g.width, 40 + 3 + 30 - 27 + 5);
    EXPECT_EQ(g.height, 14 + 3 + 24 - 21);
    EXPECT_EQ(g.client.right, 27 + g.width - 30);
    // an empty text still leaves the corners apart
    const HintGeometry tiny = hintSize(f, 0, 0);
    EXPECT_GE(tiny.width - 30 + 27, 3);
    EXPECT_GE(tiny.height - 24 + 21, 3);
}

TEST(SkinHint, TwoLinesAreTallerAndNarrower)
{
    SkinHint hint;
    hint.setSkinData(&pewter());
    hint.activateHint(QPoint(50, 50), QStringLiteral("Close this window"));
    const QSize one = hint.window().size();
    hint.activateHint(QPoint(50, 50), QStringLiteral("Close@this window"));
    const QSize two = hint.window().size();
    EXPECT_TRUE(hint.isVisible());
    EXPECT_EQ(hint.window().shownText(), QStringLiteral("Close\nthis window"));
    EXPECT_GT(two.height(), one.height());
    EXPECT_LT(two.width(), one.width());
    hint.hideHint();
    EXPECT_FALSE(hint.isVisible());
}

TEST(SkinHint, BuiltInLookWithoutARegistry)
{
    SkinHint hint;
    hint.activateHint(QPoint(50, 50), QStringLiteral("Minimize"));
    const Bitmap& b = hint.window().buffer();
    EXPECT_EQ(b.getPixel(0, 0) & 0xFFFFFFu, colorFromValue(colors::btnShadow) & 0xFFFFFFu);
    EXPECT_EQ(b.getPixel(1, 1) & 0xFFFFFFu, colorFromValue(colors::infoBk) & 0xFFFFFFu);
    const QSize text = QFontMetrics(fontOf(hint.defaultFont())).size(0, QStringLiteral("Minimize"));
    EXPECT_EQ(hint.window().size(), text + QSize(4, 4));
}

TEST(SkinHint, DelayedHintShowsAfterThePauseAndHidesAfterTheHidePause)
{
    SkinHint hint;
    hint.setHintPause(30);
    hint.setHintHidePause(60);
    hint.activateHint3({100, 100, 200, 120}, QStringLiteral("Later"), false);
    EXPECT_FALSE(hint.isVisible());
    EXPECT_TRUE(QTest::qWaitFor([&] { return hint.isVisible(); }, 1000));
    EXPECT_EQ(hint.window().geometry().top(), 120);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !hint.isVisible(); }, 1000));
}

TEST(SkinHint, WhileActiveItShowsTheApplicationsToolTips)
{
    QWidget widget;
    widget.setToolTip(QStringLiteral("Validate@the book"));
    widget.setGeometry(100, 100, 80, 30);
    widget.show();
    SkinHint hint;
    QHelpEvent help(QEvent::ToolTip, QPoint(5, 5), widget.mapToGlobal(QPoint(5, 5)));
    hint.setActive(true);
    QCoreApplication::sendEvent(&widget, &help);
    EXPECT_TRUE(hint.isVisible());
    EXPECT_EQ(hint.window().shownText(), QStringLiteral("Validate\nthe book"));
    hint.hideHint();
    hint.setActive(false);
    QCoreApplication::sendEvent(&widget, &help);
    EXPECT_FALSE(hint.isVisible());
}

} // namespace
} // namespace tessaly::skin::test
