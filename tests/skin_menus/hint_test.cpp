// Hint windows: line breaks, size, and placement on the screen.

#include <QHelpEvent>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

#include "menu_fixture.h"
#include "skin/data/system_colors.h"
#include "skin/paint/pixel_view.h"
#include "skin/menus/hint_source.h"
#include "skin/menus/skin_hint.h"
#include "skin/paint/compose.h"
#include "skin/data/skin_data.h"
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

struct BlockCase {
    const char* name;
    int imageW, imageH, titleW, titleH, textW, textH;
    ExtendedHintLayout expected;
};

class ExtendedHintBlock : public ::testing::TestWithParam<BlockCase> {};

TEST_P(ExtendedHintBlock, ImageLeftOfTheTitleOverTheText)
{
    const BlockCase& c = GetParam();
    const ExtendedHintLayout l = extendedHintLayout(c.imageW, c.imageH, c.titleW, c.titleH, c.textW, c.textH);
    EXPECT_EQ(l.width, c.expected.width) << c.name;
    EXPECT_EQ(l.height, c.expected.height) << c.name;
    EXPECT_EQ(l.image, c.expected.image) << c.name;
    EXPECT_EQ(l.title, c.expected.title) << c.name;
    EXPECT_EQ(l.text, c.expected.text) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ExtendedHintBlock,
    ::testing::Values(
        // a tall image: the column is centred against it
        BlockCase{"tall image", 32, 40, 50, 12, 70, 14, {32 + 4 + 70, 40, {0, 0, 32, 40}, {36, 6, 86, 18}, {36, 20, 106, 34}}},
        // a small image: centred against the column
        BlockCase{"small image", 16, 16, 80, 14, 60, 14, {16 + 4 + 80, 30, {0, 7, 16, 23}, {20, 0, 100, 14}, {20, 16, 80, 30}}},
        BlockCase{"title only", 0, 0, 40, 14, 0, 0, {40, 14, {}, {0, 0, 40, 14}, {}}},
        BlockCase{"image and text", 16, 16, 0, 0, 30, 10, {16 + 4 + 30, 16, {0, 0, 16, 16}, {}, {20, 3, 50, 13}}}));

// A picture of four solid quarters, so that a shifted or scaled copy shows.
Bitmap quarters(int size)
{
    Bitmap b(size, size);
    const int h = size / 2;
    b.fillRect({0, 0, h, h}, 0xFFD02020u);
    b.fillRect({h, 0, size, h}, 0xFF20D020u);
    b.fillRect({0, h, h, size}, 0xFF2020D0u);
    b.fillRect({h, h, size, size}, 0xFFE0E020u);
    return b;
}

// Counts pixels inside `r` whose colour is not `background` at the same place.
int inkIn(const Bitmap& b, const Bitmap& background, const Rect& r)
{
    int ink = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            ink += (b.getPixel(x, y) & 0xFFFFFFu) != (background.getPixel(x, y) & 0xFFFFFFu);
    return ink;
}

TEST(ExtendedHint, SkinnedFromTheHintRecordWithTheImageAndABoldTitleInTheClientArea)
{
    SkinHint hint;
    SkinData& sd = pewter();
    hint.setSkinData(&sd);
    const Bitmap image = quarters(20);
    hint.activateHintEx(QPoint(50, 50), QStringLiteral("Validate"), QStringLiteral("Checks the book@with epubcheck"),
                        image);
    const SkinHintWindow& w = hint.window();
    const Bitmap& b = w.buffer();
    const ExtendedHintLayout& l = w.extendedLayout();
    ASSERT_EQ(b.width(), w.width());
    ASSERT_FALSE(l.image.isEmpty());

    // The background is the hint record composed at the window's size.
    const DataSkinHintWindow& r = sd.hintWindow;
    const Picture& picture = *sd.activePicture(r.windowPictureIndex);
    const int pw = picture.width(), ph = picture.height();
    const int dx = b.width() - pw, dy = b.height() - ph;
    const Rect client{r.clRect.left, r.clRect.top, r.clRect.right + dx, r.clRect.bottom + dy};
    Bitmap background;
    composeSkinImage(background, pixelView(picture), {0, 0, pw, ph}, {r.ltPoint, r.rtPoint, r.lbPoint, r.rbPoint, r.clRect},
                     {r.ltPoint, {r.rtPoint.x + dx, r.rtPoint.y}, {r.lbPoint.x, r.lbPoint.y + dy},
                      {r.rbPoint.x + dx, r.rbPoint.y + dy}, client},
                     b.width(), b.height(), true, {r.leftStretch, r.topStretch, r.rightStretch, r.bottomStretch},
                     r.stretchEffect, r.stretchType);
    int frameDiff = 0;
    for (int y = 0; y < b.height(); ++y)
        for (int x = 0; x < b.width(); ++x)
            if (!(x >= client.left && x < client.right && y >= client.top && y < client.bottom))
                frameDiff += (b.getPixel(x, y) & 0xFFFFFFu) != (background.getPixel(x, y) & 0xFFFFFFu);
    EXPECT_EQ(frameDiff, 0);

    // The image, unscaled, inside the client area.
    EXPECT_EQ(l.image.width(), 20);
    EXPECT_GE(l.image.left, client.left);
    EXPECT_LE(l.image.bottom, client.bottom);
    int imageDiff = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x)
            imageDiff += (b.getPixel(l.image.left + x, l.image.top + y) & 0xFFFFFFu) != (image.getPixel(x, y) & 0xFFFFFFu);
    EXPECT_EQ(imageDiff, 0);

    // Title above the two lines of text, right of the image, both inked in
    // the record's font colour; the title is bold (wider than plain).
    ASSERT_FALSE(l.title.isEmpty());
    ASSERT_FALSE(l.text.isEmpty());
    EXPECT_GE(l.title.left, l.image.right);
    EXPECT_LE(l.title.bottom, l.text.top);
    EXPECT_GT(inkIn(b, background, l.title), 0);
    EXPECT_GT(inkIn(b, background, l.text), 0);
    EXPECT_LE(l.text.bottom, client.bottom);
    QFont plain = fontOf(Font{r.fontName, r.fontHeight, r.fontStyle, Color(0), 1});
    EXPECT_GT(l.title.width(), QFontMetrics(plain).horizontalAdvance(QStringLiteral("Validate")));
    EXPECT_EQ(w.shownTitle(), QStringLiteral("Validate"));

    // The same text as a plain hint is smaller on both axes.
    const QSize extended = w.size();
    hint.activateHint(QPoint(50, 50), QStringLiteral("Checks the book@with epubcheck"));
    EXPECT_LT(w.width(), extended.width());
    EXPECT_LT(w.height(), extended.height());
    EXPECT_TRUE(w.extendedLayout().image.isEmpty());
}

TEST(ExtendedHint, BuiltInLookKeepsTheBlockAtTheClientsLeft)
{
    SkinHint hint;
    const Bitmap image = quarters(16);
    hint.activateHintEx(QPoint(50, 50), QStringLiteral("Title"), QString(), image);
    const ExtendedHintLayout& l = hint.window().extendedLayout();
    EXPECT_EQ(l.image.left, 2);
    EXPECT_EQ(hint.window().buffer().getPixel(2, l.image.top) & 0xFFFFFFu, 0xD02020u);
    EXPECT_TRUE(l.text.isEmpty());
    EXPECT_EQ(l.title.left, 2 + 16 + kHintImageSpacing);
}

// A widget with a hint title and image, as the skinned controls have.
class TitledWidget : public QWidget, public HintSource {
public:
    QString hintTitle() const override { return QStringLiteral("Browse"); }
    Bitmap hintImage() const override { return quarters(12); }
};

TEST(ExtendedHint, TheActiveHintTakesTitleAndImageFromTheWidgetUnderThePointer)
{
    TitledWidget widget;
    widget.setToolTip(QStringLiteral("Pick a book"));
    widget.setGeometry(100, 100, 80, 30);
    widget.show();
    SkinHint hint;
    hint.setSkinData(&pewter());
    hint.setActive(true);
    QHelpEvent help(QEvent::ToolTip, QPoint(5, 5), widget.mapToGlobal(QPoint(5, 5)));
    QCoreApplication::sendEvent(&widget, &help);
    EXPECT_EQ(hint.window().shownTitle(), QStringLiteral("Browse"));
    EXPECT_EQ(hint.window().shownText(), QStringLiteral("Pick a book"));
    EXPECT_EQ(hint.window().extendedLayout().image.width(), 12);
    hint.setActive(false);
}

TEST(DropShadow, BesideTheWindowOnlyDownAndRightAndNeverUnderIt)
{
    const int w = 60, h = 30;
    const Bitmap s = DropShadow::shadowImage(w, h, {});
    const int b = DropShadow::kBlur, o = DropShadow::kOffset;
    ASSERT_EQ(s.width(), w + 2 * b);
    ASSERT_EQ(s.height(), h + 2 * b);
    auto alpha = [&](int wx, int wy) { // window coordinates
        return int(s.getPixel(wx - (o - b), wy - (o - b)) >> 24);
    };
    int under = 0, maxAlpha = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            under += alpha(x, y);
    EXPECT_EQ(under, 0) << "nothing under the window";
    for (int y = 0; y < s.height(); ++y)
        for (int x = 0; x < s.width(); ++x) {
            maxAlpha = std::max(maxAlpha, int(s.getPixel(x, y) >> 24));
            EXPECT_EQ(s.getPixel(x, y) & 0xFFFFFFu, 0u) << "black";
        }
    EXPECT_LE(maxAlpha, DropShadow::kOpacity);
    EXPECT_GT(alpha(w + 1, h / 2), DropShadow::kOpacity / 2) << "right of the window";
    EXPECT_GT(alpha(w / 2, h + 1), DropShadow::kOpacity / 2) << "below it";
    EXPECT_GT(alpha(w + 1, h / 2), alpha(w + o + b - 1, h / 2)) << "fading outwards";
    EXPECT_EQ(alpha(-(b - o), h / 2), 0) << "nothing on the left";
    EXPECT_EQ(alpha(w / 2, -(b - o)), 0) << "nothing above";
}

TEST(DropShadow, AShapedWindowCastsItsShape)
{
    // An L: the top-right quarter is not part of the window.
    QRegion shape(0, 0, 40, 40);
    shape -= QRegion(20, 0, 20, 20);
    const Bitmap s = DropShadow::shadowImage(40, 40, shape);
    const int d = DropShadow::kBlur - DropShadow::kOffset;
    // Inside the missing quarter, next to the window's edge: shadow.
    EXPECT_GT(int(s.getPixel(21 + d, 30 - 12 + d) >> 24), 0);
    // Deep in the quarter's top-right, away from any part: none.
    EXPECT_EQ(int(s.getPixel(38 + d, 1 + d) >> 24), 0);
}

TEST(DropShadow, HintsCastOneOnlyWhereLayeredWindowsAreAvailable)
{
    SkinHint hint;
    hint.setSkinData(&pewter());
    hint.activateHint(QPoint(50, 50), QStringLiteral("Minimize"));
    EXPECT_FALSE(hint.window().shadow().isVisible());
    hint.setLayeredWindowsAvailable(true);
    hint.activateHint(QPoint(50, 50), QStringLiteral("Minimize"));
    ASSERT_TRUE(hint.window().shadow().isVisible());
    EXPECT_EQ(hint.window().shadow().window()->geometry(), DropShadow::shadowGeometry(hint.window().geometry()));
    hint.hideHint();
    EXPECT_FALSE(hint.window().shadow().isVisible());
}

} // namespace
} // namespace tessaly::skin::test
