// Popup menus on a real X server with a window manager, driven by xdotool:
// the pointer and keyboard grab, closing every level with a press outside
// (which the window below never sees), and the pointer routed across levels.

#include <QApplication>
#include <QScreen>
#include <QMouseEvent>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "menu_fixture.h"
#include "menus_x11.h"
#include "platform/qt_compositor.h"
#include "skin/menus/menu_frame.h"
#include "skin/menus/skin_menu.h"
#include "skin/menus/skin_popup_window.h"

namespace tessaly::skin::test {
namespace {

// A top-level window that counts the presses it gets.
class PressCounter : public QWidget {
public:
    int presses = 0;

protected:
    void mousePressEvent(QMouseEvent*) override { ++presses; }
};

// Opens the menu on press with its first item under the pointer.
class MenuButton : public QWidget {
public:
    MenuButton(SkinPopupMenu& menu, QObject& control)
        : m_menu(menu)
        , m_control(control)
    {
    }

protected:
    void mousePressEvent(QMouseEvent* event) override
    {
        const QPoint p = event->globalPosition().toPoint() - QPoint(20, 10);
        m_menu.popup2(&m_control, p.x(), p.y());
    }

private:
    SkinPopupMenu& m_menu;
    QObject& m_control;
};

QPoint centreOnScreen(const SkinPopupWindow& w, int item)
{
    const Rect r = w.screenRect(w.item(item));
    return QPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

class MenuX11 : public ::testing::Test {
protected:
    void SetUp() override
    {
        owner.setGeometry(100, 100, 500, 400);
        owner.show();
        below.setGeometry(700, 100, 400, 400);
        below.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&owner));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&below));
        owner.activateWindow();
        menu.setSkinData(&pewter());
    }
    void TearDown() override
    {
        menu.engine().hide();
        processEvents();
    }
    // Runs xdotool on the test display, then lets the events arrive.
    void xdotool(const std::vector<std::string>& args)
    {
        std::vector<std::string> argv{"xdotool"};
        argv.insert(argv.end(), args.begin(), args.end());
        ASSERT_EQ(x11->run(argv), 0);
        QTest::qWait(60);
    }
    void moveTo(QPoint p) { xdotool({"mousemove", std::to_string(p.x()), std::to_string(p.y())}); }
    SkinPopupWindow* open()
    {
        menu.popupFromRect2(&control, {150, 150, 230, 170}, false);
        SkinPopupWindow* w = menu.engine().lastWindow();
        EXPECT_TRUE(w && QTest::qWaitForWindowExposed(w));
        QTest::qWait(100);
        return w;
    }
    static bool waitFor(const std::function<bool()>& condition, int ms = 2000)
    {
        return QTest::qWaitFor(condition, ms);
    }

    QWidget owner;
    PressCounter below;
    Log log;
    RecordingControl control{log};
    SkinPopupMenu menu{&owner};
};

TEST_F(MenuX11, TheMenuHasThePointerAndTheKeyboard)
{
    addStatusBarItems(menu, log);
    SkinPopupWindow* w = open();
    ASSERT_NE(w, nullptr);
    // keys go to the menu although the owner window has the focus
    xdotool({"key", "Down"});
    EXPECT_TRUE(waitFor([&] { return w->activeItem() == 2; }));
    // a click on another window closes the menu and goes no further
    moveTo(below.geometry().center());
    xdotool({"click", "1"});
    EXPECT_TRUE(waitFor([&] { return !menu.engine().visible(); }));
    EXPECT_EQ(log, (Log{"control closed"}));
    QTest::qWait(200);
    EXPECT_EQ(below.presses, 0);
    // with the menu gone, the same click reaches the window
    xdotool({"click", "1"});
    EXPECT_TRUE(waitFor([&] { return below.presses == 1; }));
}

TEST_F(MenuX11, APressOutsideClosesEveryLevel)
{
    MenuItem& more = menu.items().add(QStringLiteral("More"));
    more.add(QStringLiteral("Inner"), [&] { log.push_back("Inner"); });
    menu.items().add(QStringLiteral("About"));
    open();
    xdotool({"key", "Right"});
    ASSERT_TRUE(waitFor([&] { return menu.engine().levelCount() == 2; }));
    SkinPopupWindow* second = menu.engine().window(1);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(second));
    moveTo(below.geometry().center());
    xdotool({"click", "1"});
    EXPECT_TRUE(waitFor([&] { return menu.engine().levelCount() == 0; }));
    EXPECT_EQ(log, (Log{"control closed"}));
    QTest::qWait(200);
    EXPECT_EQ(below.presses, 0);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
}

TEST_F(MenuX11, HoverOpensTheSubMenuAndThePointerFollowsTheLevels)
{
    MenuItem& more = menu.items().add(QStringLiteral("More"));
    more.add(QStringLiteral("Inner one"), [&] { log.push_back("Inner one"); });
    more.add(QStringLiteral("Inner two"), [&] { log.push_back("Inner two"); });
    menu.items().add(QStringLiteral("About"), [&] { log.push_back("About"); });
    SkinPopupWindow* first = open();
    ASSERT_NE(first, nullptr);
    moveTo(centreOnScreen(*first, 1));
    moveTo(centreOnScreen(*first, 0));
    ASSERT_TRUE(waitFor([&] { return menu.engine().levelCount() == 2; }));
    SkinPopupWindow* second = menu.engine().window(1);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(second));
    // one popup window of its own per level
    EXPECT_EQ(first->windowType(), Qt::Popup);
    EXPECT_EQ(second->windowType(), Qt::Popup);
    EXPECT_NE(first->winId(), second->winId());
    EXPECT_EQ(QApplication::activePopupWidget(), second);
    EXPECT_EQ(second->x(), first->screenRect(first->item(0)).right + 1); // beside its parent item
    // over the second level: its items follow the pointer
    moveTo(centreOnScreen(*second, 1));
    EXPECT_TRUE(waitFor([&] { return second->activeItem() == 1; }));
    EXPECT_EQ(first->activeItem(), 0);
    // back over the first level: routed there; an item without sub-items closes the second
    moveTo(centreOnScreen(*first, 1));
    EXPECT_TRUE(waitFor([&] { return first->activeItem() == 1 && menu.engine().levelCount() == 1; }));
    // open it again and choose in it
    moveTo(centreOnScreen(*first, 0));
    ASSERT_TRUE(waitFor([&] { return menu.engine().levelCount() == 2; }));
    second = menu.engine().window(1);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(second));
    moveTo(centreOnScreen(*second, 1));
    xdotool({"click", "1"});
    EXPECT_TRUE(waitFor([&] { return !menu.engine().visible(); }));
    EXPECT_EQ(log, (Log{"control closed", "Inner two", "control done"}));
}

TEST_F(MenuX11, TheReleaseOfTheOpeningPressChoosesNothing)
{
    addStatusBarItems(menu, log);
    MenuButton button(menu, control);
    button.setGeometry(300, 600, 80, 24);
    button.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&button));
    moveTo(button.geometry().center());
    xdotool({"mousedown", "1"});
    ASSERT_TRUE(waitFor([&] { return menu.engine().visible(); }));
    SkinPopupWindow* w = menu.engine().lastWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
    xdotool({"mouseup", "1"});
    QTest::qWait(150);
    EXPECT_TRUE(log.empty());
    EXPECT_TRUE(menu.engine().visible());
    xdotool({"click", "1"});
    EXPECT_TRUE(waitFor([&] { return !menu.engine().visible(); }));
    EXPECT_EQ(log, (Log{"control closed", "Visit Our Website", "control done"}));
}

// A window frame that offers translucency as the real frame does: while a
// compositing manager runs on the display.
class CompositingFrame : public MenuFrame {
public:
    CompositingFrame() : m_engine(nullptr, this) {}
    ~CompositingFrame() override { m_engine.hide(); }
    SkinMenu& skinMenu() override { return m_engine; }
    SkinData* menusSkinData() const override { return &pewter(); }
    MenuSettings menuSettings() const override { return {}; }
    bool layeredWindowsAvailable() const override { return platform::compositingManagerRunning(); }
    void skinMenuOpen() override {}
    void skinMenuClose() override {}

private:
    SkinMenu m_engine;
};

// The colour on the screen at a point (what the compositor shows).
QRgb screenPixel(const QPoint& p)
{
    return QGuiApplication::primaryScreen()->grabWindow(0, p.x(), p.y(), 1, 1).toImage().pixel(0, 0);
}

int lightness(QRgb c) { return qRed(c) + qGreen(c) + qBlue(c); }

// With a compositor the menu casts a shadow on what is below it, right of
// and under it; without one nothing is drawn beside the menu.
TEST_F(MenuX11, ADropShadowBesideTheMenuOnlyWithACompositor)
{
    CompositingFrame frame;
    menu.setSkinComponent(&frame);
    addStatusBarItems(menu, log);
    for (const bool compositor : {false, true}) {
        if (compositor)
            ASSERT_TRUE(x11->startCompositor()) << x11->error();
        else
            x11->stopCompositor();
        ASSERT_TRUE(waitFor([&] { return platform::compositingManagerRunning() == compositor; }));
        SkinPopupWindow* w = open();
        ASSERT_NE(w, nullptr);
        const QRect g = w->geometry();
        // Beside the right edge, half way down; and the same point far
        // right of the menu, on the same window below, for comparison.
        const QPoint beside(g.right() + 2, g.center().y());
        const QPoint away(g.right() + 60, g.center().y());
        ASSERT_TRUE(owner.geometry().contains(away));
        EXPECT_EQ(w->shadow().isVisible(), compositor);
        bool darker = false;
        waitFor([&] { return darker = lightness(screenPixel(beside)) + 30 < lightness(screenPixel(away)); }, 1500);
        EXPECT_EQ(darker, compositor) << "compositor " << compositor;
        menu.engine().hide();
        processEvents();
        EXPECT_FALSE(w->shadow().isVisible());
    }
    x11->stopCompositor();
    menu.setSkinComponent(nullptr);
}

} // namespace
} // namespace tessaly::skin::test
