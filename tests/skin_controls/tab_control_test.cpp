// The tab control draws each tab from the "tab" record's picture of its
// state (at rest, chosen, under the pointer) as three pieces, on the
// record's strip; the toggle button stays down while it is on.
#include "pewter_fixture.h"
#include "skin/controls/control_accessibility.h"
#include "skin/controls/skin_tab_control.h"
#include "skin/controls/skin_toggle_button.h"
#include "skin/data/control_records.h"

#include <QAccessible>
#include <QMouseEvent>
#include <QTest>

namespace tessaly::skin::test {
namespace {

// The tab of a state as the record composes it at the tab's width.
Bitmap tabFace(const DataSkinTabControl& r, const Rect& source, int width)
{
    Bitmap face;
    composeHorzSkinImage(r.tabLeftOffset, r.tabRightOffset, face, pictureOfRecord(r), source, width, source.height(),
                         r.tabStretchEffect);
    return face;
}

// Pixels of the tab's two fixed ends (the caption stands between them) that
// differ from the face composed for it.
int differingEnds(const QImage& image, const QRect& tab, const Bitmap& face, const DataSkinTabControl& r)
{
    int count = 0;
    for (int y = 0; y < tab.height(); ++y)
        for (int x = 0; x < tab.width(); ++x) {
            if (x >= r.tabLeftOffset && x < tab.width() - r.tabRightOffset)
                continue;
            if ((image.pixel(tab.left() + x, y) & 0xFFFFFFu) != (face.getPixel(x, y) & 0xFFFFFFu))
                ++count;
        }
    return count;
}

TEST(TabControlTest, EachTabIsDrawnFromTheRecordsPictureOfItsState)
{
    const auto& r = recordOf<DataSkinTabControl>("tab");
    QWidget parent;
    auto* tabs = new SkinTabControl(&parent);
    tabs->setTabs({QStringLiteral("Report"), QStringLiteral("Messages")});
    tabs->setGeometry(0, 0, 240, r.tabRect.height());
    tabs->setSkinData(&pewter());
    parent.show();
    ASSERT_GE(tabs->index(), 0);
    const QRect first = tabs->tabRect(0), second = tabs->tabRect(1);
    ASSERT_EQ(first.right() + 1, second.left());
    QImage image = grabbed(*tabs);
    EXPECT_EQ(differingEnds(image, first, tabFace(r, r.activeTabRect, first.width()), r), 0);
    EXPECT_EQ(differingEnds(image, second, tabFace(r, r.tabRect, second.width()), r), 0);
    // Beyond the tabs, the strip.
    const PixelView picture = pictureOfRecord(r);
    EXPECT_EQ(image.pixel(second.right() + 5, r.tabRect.height() - 1) & 0xFFFFFFu,
              picture.pixel(r.tabsBGRect.left, r.tabsBGRect.bottom - 1) & 0xFFFFFFu);

    // The pointer over the second tab, then a click on it.
    QMouseEvent move(QEvent::MouseMove, QPointF(second.center()), QPointF(tabs->mapToGlobal(second.center())),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(tabs, &move);
    EXPECT_EQ(tabs->hotIndex(), 1);
    image = grabbed(*tabs);
    EXPECT_EQ(differingEnds(image, second, tabFace(r, r.mouseInTabRect, second.width()), r), 0);
    int chosen = -1;
    tabs->setOnCurrentChanged([&](int index) { chosen = index; });
    QTest::mouseClick(tabs, Qt::LeftButton, {}, second.center());
    EXPECT_EQ(chosen, 1);
    image = grabbed(*tabs);
    EXPECT_EQ(differingEnds(image, second, tabFace(r, r.activeTabRect, second.width()), r), 0);
    EXPECT_EQ(differingEnds(image, first, tabFace(r, r.tabRect, first.width()), r), 0);
}

TEST(TabControlTest, WithoutTheRecordTheBuiltInFaceStillShowsEveryCaption)
{
    QWidget parent;
    auto* tabs = new SkinTabControl(&parent);
    tabs->setTabs({QStringLiteral("Report"), QStringLiteral("Messages")});
    tabs->setGeometry(0, 0, 240, 20);
    parent.show();
    EXPECT_EQ(tabs->index(), -1);
    const QImage image = grabbed(*tabs);
    for (int i = 0; i < 2; ++i) {
        const QRect tab = tabs->tabRect(i).adjusted(8, 4, -8, -4);
        QSet<QRgb> colours;
        for (int y = tab.top(); y <= tab.bottom(); ++y)
            for (int x = tab.left(); x <= tab.right(); ++x)
                colours.insert(image.pixel(x, y));
        EXPECT_GT(colours.size(), 2) << "tab " << i << " shows its caption";
    }
}

TEST(ToggleButtonTest, StaysDownWhileOnAndSaysSo)
{
    installControlAccessibility();
    QWidget parent;
    auto* toggle = new SkinToggleButton(QStringLiteral("Errors 3"), &parent);
    toggle->setGeometry(0, 0, 90, 21);
    toggle->setSkinData(&pewter());
    parent.show();
    const QImage off = grabbed(*toggle);
    std::vector<bool> heard;
    toggle->setOnToggled([&](bool on) { heard.push_back(on); });
    QTest::mouseClick(toggle, Qt::LeftButton, {}, QPoint(45, 10));
    unhover(*toggle);
    EXPECT_TRUE(toggle->isChecked());
    EXPECT_EQ(toggle->currentFace(), SkinSpeedButton::Face::Pressed) << "down with the pointer away";
    EXPECT_NE(grabbed(*toggle), off);
    QAccessibleInterface* spoken = QAccessible::queryAccessibleInterface(toggle);
    ASSERT_NE(spoken, nullptr);
    EXPECT_TRUE(spoken->state().checkable);
    EXPECT_TRUE(spoken->state().checked);
    toggle->setChecked(false); // the state alone: not a click
    parent.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&parent));
    toggle->setFocus();
    QTest::keyClick(toggle, Qt::Key_Space);
    EXPECT_EQ(heard, (std::vector<bool>{true, true}));
}

} // namespace
} // namespace tessaly::skin::test
