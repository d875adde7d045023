// The keyboard script of a popup menu, the order of its notices, and menus
// that cannot open.

// Mouse events go through the window system, as a user's would: Qt's popup
// routing and pointer grab take part.
#define QTEST_QPA_MOUSE_HANDLING
#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

#include "menu_fixture.h"
#include "skin/menus/skin_menu.h"
#include "skin/menus/skin_popup_window.h"

namespace tessaly::skin::test {
namespace {

class MenuKeys : public ::testing::Test {
protected:
    void SetUp() override
    {
        menu.setSkinData(&pewter());
        menu.engine().setWorkArea(Rect{0, 0, 1000, 800});
    }
    void TearDown() override
    {
        menu.engine().hide();
        processEvents();
    }
    SkinPopupWindow* open()
    {
        menu.popupFromRect2(&control, {100, 400, 180, 420}, false);
        return menu.engine().lastWindow();
    }
    void key(Qt::Key k, const QString& text = {})
    {
        SkinPopupWindow* w = menu.engine().lastWindow();
        ASSERT_NE(w, nullptr);
        QTest::sendKeyEvent(QTest::Click, w->windowHandle(), k, text, Qt::NoModifier);
    }
    int active()
    {
        SkinPopupWindow* w = menu.engine().lastWindow();
        return w ? w->activeItem() : -2;
    }

    Log log;
    RecordingControl control{log};
    SkinPopupMenu menu;
};

TEST_F(MenuKeys, OpensBelowTheButtonWithTheFirstItemHighlighted)
{
    addStatusBarItems(menu, log);
    SkinPopupWindow* w = open();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(QApplication::activePopupWidget(), w);
    EXPECT_EQ(w->geometry().topLeft(), QPoint(100, 420));
    EXPECT_EQ(active(), 0);
    EXPECT_TRUE(w->item(0).active);
    EXPECT_EQ(menu.popupPoint().x, 100);
    EXPECT_EQ(menu.popupPoint().y, 400);
}

TEST_F(MenuKeys, DownSkipsTheSeparatorAndWrapsOnlyFromTheLastItem)
{
    addStatusBarItems(menu, log);
    open();
    key(Qt::Key_Down);
    EXPECT_EQ(active(), 2);
    key(Qt::Key_Down);
    EXPECT_EQ(active(), 0);
    key(Qt::Key_Up);
    EXPECT_EQ(active(), 2);
    key(Qt::Key_Up);
    EXPECT_EQ(active(), 0);
    EXPECT_TRUE(log.empty());
}

TEST_F(MenuKeys, DownStaysWhenOnlyUnusableItemsFollow)
{
    menu.items().add(QStringLiteral("One"));
    menu.items().add(QStringLiteral("Two"));
    menu.items().addSeparator();
    menu.items().add(QStringLiteral("Three")).enabled = false;
    open();
    key(Qt::Key_Down);
    EXPECT_EQ(active(), 1);
    key(Qt::Key_Down);
    EXPECT_EQ(active(), 1);
}

TEST_F(MenuKeys, ReturnRunsTheItemAfterTheMenuHasGone)
{
    int popupsDuringCommand = -1;
    bool windowShownDuringCommand = true;
    bool windowAliveDuringCommand = false;
    QPointer<SkinPopupWindow> window;
    menu.items().add(QStringLiteral("Visit Our Website"), [&] {
        log.push_back("Visit Our Website");
        popupsDuringCommand = menu.engine().levelCount();
        windowShownDuringCommand = window && window->isVisible();
        windowAliveDuringCommand = !window.isNull();
    });
    window = open();
    key(Qt::Key_Return);
    EXPECT_EQ(log, (Log{"control closed", "Visit Our Website", "control done"}));
    EXPECT_EQ(popupsDuringCommand, 0);
    EXPECT_FALSE(windowShownDuringCommand);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    // hidden at once, never destroyed inside its own key handler
    EXPECT_TRUE(windowAliveDuringCommand);
    processEvents();
    EXPECT_TRUE(window.isNull() || !window->isVisible());
}

TEST_F(MenuKeys, EscapeClosesAndTellsTheControl)
{
    addStatusBarItems(menu, log);
    open();
    key(Qt::Key_Escape);
    EXPECT_EQ(log, (Log{"control closed"}));
    EXPECT_FALSE(menu.engine().visible());
}

TEST_F(MenuKeys, AcceleratorsCompareTheKeysText)
{
    menu.items().add(QStringLiteral("&Visit Our Website"), [&] { log.push_back("Visit"); });
    menu.items().addSeparator();
    menu.items().add(QStringLiteral("&About"), [&] { log.push_back("About"); });
    open();
    // a layout where the key marked Q types "a"
    key(Qt::Key_Q, QStringLiteral("a"));
    EXPECT_EQ(log, (Log{"control closed", "About", "control done"}));
}

TEST_F(MenuKeys, AcceleratorOfADisabledItemIsUsedUpWithoutRunning)
{
    menu.items().add(QStringLiteral("&Visit Our Website"), [&] { log.push_back("Visit"); });
    MenuItem& about = menu.items().add(QStringLiteral("&About"), [&] { log.push_back("About"); });
    about.enabled = false;
    open();
    key(Qt::Key_A, QStringLiteral("a"));
    EXPECT_TRUE(log.empty());
    EXPECT_TRUE(menu.engine().visible());
}

TEST_F(MenuKeys, RightOpensASubMenuLeftAndEscapeCloseOneLevel)
{
    MenuItem& more = menu.items().add(QStringLiteral("More"), [&] { log.push_back("More opened"); });
    more.add(QStringLiteral("Inner one"), [&] { log.push_back("Inner one"); });
    more.add(QStringLiteral("Inner two"), [&] { log.push_back("Inner two"); });
    menu.items().add(QStringLiteral("About"));
    open();
    key(Qt::Key_Right);
    ASSERT_EQ(menu.engine().levelCount(), 2);
    EXPECT_EQ(active(), 0);
    EXPECT_TRUE(menu.engine().window(0)->item(0).down);
    key(Qt::Key_Left);
    EXPECT_EQ(menu.engine().levelCount(), 1);
    EXPECT_FALSE(menu.engine().window(0)->item(0).down);
    key(Qt::Key_Left); // one level left: nothing
    EXPECT_EQ(menu.engine().levelCount(), 1);
    key(Qt::Key_Right);
    key(Qt::Key_Escape);
    EXPECT_EQ(menu.engine().levelCount(), 1);
    key(Qt::Key_Right);
    key(Qt::Key_Down);
    key(Qt::Key_Return);
    EXPECT_EQ(log, (Log{"More opened", "More opened", "More opened", "control closed", "Inner two", "control done"}));
}

TEST_F(MenuKeys, MenuThatCannotOpenTellsItsControlAtOnce)
{
    SkinPopupWindow* w = open(); // no items
    EXPECT_EQ(w, nullptr);
    EXPECT_EQ(log, (Log{"control closed"}));
    EXPECT_FALSE(menu.engine().visible());

    // only invisible items: nothing to show either
    log.clear();
    menu.items().add(QStringLiteral("Hidden")).visible = false;
    EXPECT_EQ(open(), nullptr);
    EXPECT_EQ(log, (Log{"control closed"}));
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
}

TEST_F(MenuKeys, OpeningAnotherMenuClosesTheFirstAndTellsItsControl)
{
    addStatusBarItems(menu, log);
    open();
    RecordingControl otherControl(log, "other");
    SkinPopupMenu other;
    other.items().add(QStringLiteral("Copy"));
    other.engine().setWorkArea(Rect{0, 0, 1000, 800});
    other.popup2(&otherControl, 10, 10);
    EXPECT_EQ(log, (Log{"control closed"}));
    EXPECT_FALSE(menu.engine().visible());
    EXPECT_TRUE(other.engine().visible());
    // the same menu again: the first popup's control hears of its end
    log.clear();
    other.popup2(&otherControl, 20, 20);
    EXPECT_EQ(log, (Log{"other closed"}));
    other.engine().hide();
    EXPECT_EQ(log, (Log{"other closed", "other closed"}));
    processEvents();
}

TEST_F(MenuKeys, TallMenuScrollsToTheHighlightedItem)
{
    for (int i = 0; i < 30; ++i)
        menu.items().add(QStringLiteral("Item %1").arg(i));
    menu.engine().setWorkArea(Rect{0, 0, 1000, 200});
    SkinPopupWindow* w = open();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->scrolling());
    EXPECT_EQ(w->height(), 200);
    EXPECT_EQ(w->y(), 0);
    EXPECT_EQ(w->visibleStart(), 0);
    key(Qt::Key_Up); // wraps to the last item, whose page shows
    EXPECT_EQ(active(), 29);
    EXPECT_EQ(w->visibleStart() + w->visibleCount(), 30);
    key(Qt::Key_Down); // and back to the first
    EXPECT_EQ(active(), 0);
    EXPECT_EQ(w->visibleStart(), 0);
    EXPECT_EQ(w->item(0).objectRect.top, w->topMarker().bottom);
}

TEST_F(MenuKeys, AWindowKeptFromAnEarlierPopupStartsAfresh)
{
    for (int i = 0; i < 30; ++i)
        menu.items().add(QStringLiteral("Item %1").arg(i));
    menu.engine().setWorkArea(Rect{0, 0, 1000, 200});
    SkinPopupWindow* tall = open();
    key(Qt::Key_Up);
    ASSERT_GT(tall->visibleStart(), 0);
    key(Qt::Key_Escape);

    SkinPopupMenu small;
    addStatusBarItems(small, log);
    small.engine().setWorkArea(Rect{0, 0, 1000, 800});
    menu.engine().setWorkArea(Rect{0, 0, 1000, 800});
    MenuItem& status = small.items();
    menu.engine().popup(&control, nullptr, 0, {100, 400, 180, 420}, &status, false);
    SkinPopupWindow* w = menu.engine().lastWindow();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w, tall); // the same window, kept
    EXPECT_FALSE(w->scrolling());
    EXPECT_FALSE(w->skinned());
    EXPECT_EQ(w->visibleStart(), 0);
    EXPECT_EQ(w->visibleCount(), 3);
    EXPECT_EQ(w->activeItem(), 0);
    EXPECT_EQ(w->height(), 20 + 4 + 20 + 6);
}

TEST_F(MenuKeys, RedundantSeparatorsAreLeftOut)
{
    menu.items().addSeparator();
    menu.items().add(QStringLiteral("One"));
    menu.items().addSeparator();
    menu.items().add(QStringLiteral("Hidden")).visible = false;
    menu.items().addSeparator();
    menu.items().add(QStringLiteral("Two"));
    menu.items().addSeparator();
    SkinPopupWindow* w = open();
    ASSERT_EQ(w->itemCount(), 3);
    EXPECT_EQ(w->item(0).menuItem().caption, QStringLiteral("One"));
    EXPECT_TRUE(w->item(1).menuItem().isSeparator());
    EXPECT_EQ(w->item(2).menuItem().caption, QStringLiteral("Two"));
    key(Qt::Key_Escape);
    menu.setAutoLineReduction(false);
    EXPECT_EQ(open()->itemCount(), 6);
}

TEST_F(MenuKeys, PopupAndCloseHandlersRunOncePerPopup)
{
    addStatusBarItems(menu, log);
    menu.setOnPopup([&] { log.push_back("popup"); });
    menu.setOnMenuClose([&] { log.push_back("menu close"); });
    open();
    key(Qt::Key_Escape);
    open();
    menu.engine().hide();
    menu.engine().hide();
    EXPECT_EQ(log, (Log{"popup", "control closed", "menu close", "popup", "control closed", "menu close"}));
}

TEST_F(MenuKeys, OpensAboveTheRectangleWhenAsked)
{
    addStatusBarItems(menu, log);
    menu.popupFromRect2(&control, {100, 700, 180, 720}, true);
    SkinPopupWindow* w = menu.engine().lastWindow();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->geometry().bottom() + 1, 700);
    EXPECT_EQ(w->x(), 100);
}

TEST_F(MenuKeys, AWindowHiddenByTheWindowSystemClosesTheWholeMenu)
{
    addStatusBarItems(menu, log);
    SkinPopupWindow* w = open();
    w->hide(); // as when the application loses its pointer grab
    EXPECT_TRUE(QTest::qWaitFor([&] { return !menu.engine().visible(); }, 1000));
    EXPECT_EQ(log, (Log{"control closed"}));
}

TEST_F(MenuKeys, ACommandMayDestroyItsOwnMenu)
{
    auto* own = new SkinPopupMenu;
    own->engine().setWorkArea(Rect{0, 0, 1000, 800});
    own->items().add(QStringLiteral("Close everything"), [&] {
        log.push_back("command");
        delete own;
    });
    own->popup2(&control, 100, 100);
    SkinPopupWindow* w = own->engine().lastWindow();
    ASSERT_NE(w, nullptr);
    QTest::sendKeyEvent(QTest::Click, w->windowHandle(), Qt::Key_Return, QString(), Qt::NoModifier);
    EXPECT_EQ(log, (Log{"control closed", "command", "control done"}));
    processEvents();
}

struct AcceleratorCase {
    const char* caption;
    char16_t expected;
};

class Accelerator : public ::testing::TestWithParam<AcceleratorCase> {};

TEST_P(Accelerator, IsTheCharacterAfterASingleAmpersand)
{
    const MenuItem item(QString::fromUtf8(GetParam().caption));
    EXPECT_EQ(item.accelerator(), QChar(GetParam().expected)) << GetParam().caption;
}

INSTANTIATE_TEST_SUITE_P(Cases, Accelerator,
                         ::testing::Values(AcceleratorCase{"&About", u'a'}, AcceleratorCase{"Save &As", u'a'},
                                           AcceleratorCase{"A&&B", 0}, AcceleratorCase{"A&&&B", u'b'},
                                           AcceleratorCase{"Trailing&", 0}, AcceleratorCase{"No accelerator", 0},
                                           AcceleratorCase{"&\u00c9dition", u'\u00e9'}));

} // namespace
} // namespace tessaly::skin::test
