// The mouse on a popup menu: choosing on release, presses that must do
// nothing, presses outside, sub-menus opened by hovering.

// Mouse events go through the window system, as a user's would: Qt's popup
// routing and pointer grab take part.
#define QTEST_QPA_MOUSE_HANDLING
#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

#include "menu_fixture.h"
#include "skin/menus/skin_menu.h"
#include "skin/menus/skin_popup_window.h"

namespace tessaly::skin::test {
namespace {

QPoint centre(const SkinMenuItem& item)
{
    const Rect& r = item.objectRect;
    return QPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

// A plain window under the menus that counts the presses it gets.
class PressCounter : public QWidget {
public:
    int presses = 0;

protected:
    void mousePressEvent(QMouseEvent*) override { ++presses; }
};

// A button that opens the menu on press, as the status bar's menu button does.
class MenuButton : public QWidget {
public:
    explicit MenuButton(SkinPopupMenu& menu, QObject& control)
        : m_menu(menu)
        , m_control(control)
    {
    }

protected:
    void mousePressEvent(QMouseEvent* event) override
    {
        // opened so that its first item lies under the pointer
        const QPoint p = event->globalPosition().toPoint() - QPoint(20, 10);
        m_menu.popup2(&m_control, p.x(), p.y());
    }

private:
    SkinPopupMenu& m_menu;
    QObject& m_control;
};

class MenuMouse : public ::testing::Test {
protected:
    void SetUp() override
    {
        background.setGeometry(0, 0, 600, 500);
        background.show();
        exposeBackground();
        menu.setSkinData(&pewter());
        menu.engine().setWorkArea(Rect{0, 0, 1000, 800});
    }
    void TearDown() override
    {
        menu.engine().hide();
        processEvents();
    }
    void exposeBackground() { ASSERT_TRUE(QTest::qWaitForWindowExposed(&background)); }
    SkinPopupWindow* open()
    {
        menu.popupFromRect2(&control, {100, 100, 180, 120}, false);
        return menu.engine().lastWindow();
    }
    void click(QWidget* w, QPoint p, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mousePress(w, button, {}, p);
        QTest::mouseRelease(w, button, {}, p);
    }

    Log log;
    RecordingControl control{log};
    SkinPopupMenu menu;
    PressCounter background;
};

TEST_F(MenuMouse, ClickChoosesOnRelease)
{
    addStatusBarItems(menu, log);
    SkinPopupWindow* w = open();
    const QPoint about = centre(w->item(2));
    QTest::mouseMove(w, about);
    EXPECT_EQ(w->activeItem(), 2);
    QTest::mousePress(w, Qt::LeftButton, {}, about);
    EXPECT_TRUE(log.empty());
    QTest::mouseRelease(w, Qt::LeftButton, {}, about);
    EXPECT_EQ(log, (Log{"control closed", "About", "control done"}));
    EXPECT_EQ(background.presses, 0);
}

TEST_F(MenuMouse, SeparatorAndRightButtonDoNothing)
{
    addStatusBarItems(menu, log);
    SkinPopupWindow* w = open();
    click(w, centre(w->item(1)));
    click(w, centre(w->item(2)), Qt::RightButton);
    EXPECT_TRUE(log.empty());
    EXPECT_TRUE(w->isVisible());
    EXPECT_TRUE(menu.engine().visible());
}

TEST_F(MenuMouse, TheReleaseOfTheOpeningPressChoosesNothing)
{
    addStatusBarItems(menu, log);
    MenuButton button(menu, control);
    button.setGeometry(200, 300, 80, 20);
    button.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&button));
    QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(10, 10));
    SkinPopupWindow* w = menu.engine().lastWindow();
    ASSERT_NE(w, nullptr);
    // the pointer is over the first item
    EXPECT_TRUE(w->geometry().contains(button.mapToGlobal(QPoint(10, 10))));
    QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_TRUE(log.empty());
    EXPECT_TRUE(w->isVisible());
    // a full click afterwards chooses
    click(w, centre(w->item(0)));
    EXPECT_EQ(log, (Log{"control closed", "Visit Our Website", "control done"}));
}

TEST_F(MenuMouse, PressOutsideClosesEveryLevelAndGoesNoFurther)
{
    MenuItem& more = menu.items().add(QStringLiteral("More"));
    more.add(QStringLiteral("Inner"), [&] { log.push_back("Inner"); });
    menu.items().add(QStringLiteral("About"));
    SkinPopupWindow* w = open();
    QTest::sendKeyEvent(QTest::Click, w->windowHandle(), Qt::Key_Right, QString(), Qt::NoModifier);
    ASSERT_EQ(menu.engine().levelCount(), 2);
    // a point over the background window, outside both levels
    SkinPopupWindow* last = menu.engine().lastWindow();
    const QPoint outside = last->mapFromGlobal(QPoint(400, 400));
    QTest::mousePress(last, Qt::LeftButton, {}, outside);
    // the level windows may be gone by now: the release comes to the window below
    QTest::mouseRelease(&background, Qt::LeftButton, {}, background.mapFromGlobal(QPoint(400, 400)));
    EXPECT_EQ(menu.engine().levelCount(), 0);
    EXPECT_EQ(log, (Log{"control closed"}));
    processEvents();
    EXPECT_EQ(background.presses, 0);
}

TEST_F(MenuMouse, HoverOpensTheSubMenuAfterAPauseAndThePointerFollowsTheLevels)
{
    MenuItem& more = menu.items().add(QStringLiteral("More"), [&] { log.push_back("More"); });
    more.add(QStringLiteral("Inner one"), [&] { log.push_back("Inner one"); });
    more.add(QStringLiteral("Inner two"), [&] { log.push_back("Inner two"); });
    menu.items().add(QStringLiteral("About"), [&] { log.push_back("About"); });
    SkinPopupWindow* first = open();
    QTest::mouseMove(first, centre(first->item(1)));
    QTest::mouseMove(first, centre(first->item(0)));
    QElapsedTimer waited;
    waited.start();
    EXPECT_EQ(menu.engine().levelCount(), 1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return menu.engine().levelCount() == 2; }, 2000));
    EXPECT_GE(waited.elapsed(), 400);
    EXPECT_EQ(log, (Log{"More"})); // the parent item's own command runs as it opens
    SkinPopupWindow* second = menu.engine().window(1);
    // lined up with the parent item, beside it
    EXPECT_EQ(second->geometry().left(), first->screenRect(first->item(0)).right + 1);
    EXPECT_EQ(second->geometry().top() + second->item(0).objectRect.top, first->screenRect(first->item(0)).top);

    // pointer events go to the level under the pointer, whichever window gets them
    const QPoint innerTwo = second->geometry().topLeft() + centre(second->item(1));
    QTest::mouseMove(second, second->mapFromGlobal(innerTwo));
    EXPECT_EQ(second->activeItem(), 1);
    QTest::mouseMove(second, second->mapFromGlobal(first->geometry().topLeft() + centre(first->item(1))));
    EXPECT_EQ(first->activeItem(), 1);
    EXPECT_EQ(menu.engine().levelCount(), 1); // an item without sub-items closes the level below
    QTest::mousePress(first, Qt::LeftButton, {}, centre(first->item(1)));
    QTest::mouseRelease(first, Qt::LeftButton, {}, centre(first->item(1)));
    EXPECT_EQ(log, (Log{"More", "control closed", "About", "control done"}));
}

TEST_F(MenuMouse, ClickOnAnItemOfTheSubMenu)
{
    MenuItem& more = menu.items().add(QStringLiteral("More"));
    more.add(QStringLiteral("Inner one"), [&] { log.push_back("Inner one"); });
    SkinPopupWindow* first = open();
    click(first, centre(first->item(0))); // opens at once
    ASSERT_EQ(menu.engine().levelCount(), 2);
    SkinPopupWindow* second = menu.engine().window(1);
    // the press arrives at the top level; it is routed by screen position
    const QPoint inner = second->geometry().topLeft() + centre(second->item(0));
    click(second, second->mapFromGlobal(inner));
    EXPECT_EQ(log, (Log{"control closed", "Inner one", "control done"}));
}

TEST_F(MenuMouse, HoveringOverTheBottomMarkerScrollsToTheEnd)
{
    for (int i = 0; i < 12; ++i)
        menu.items().add(QStringLiteral("Item %1").arg(i));
    menu.engine().setWorkArea(Rect{0, 0, 1000, 200});
    SkinPopupWindow* w = open();
    ASSERT_TRUE(w->scrolling());
    ASSERT_LT(w->visibleCount(), 12);
    const Rect m = w->bottomMarker();
    QTest::mouseMove(w, QPoint((m.left + m.right) / 2, (m.top + m.bottom) / 2));
    EXPECT_TRUE(QTest::qWaitFor([&] { return w->visibleStart() + w->visibleCount() == 12; }, 3000));
    const int start = w->visibleStart();
    QTest::qWait(250);
    EXPECT_EQ(w->visibleStart(), start); // stops at the last item
}

} // namespace
} // namespace tessaly::skin::test
