// What an open popup menu tells assistive tools through Qt's accessibility
// interfaces: its items with their names, roles and states, and "Press",
// which chooses an item as a click does.
#include <QAccessible>
#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

#include "menu_fixture.h"
#include "skin/menus/menu_accessibility.h"
#include "skin/menus/skin_menu.h"
#include "skin/menus/skin_popup_window.h"

namespace tessaly::skin::test {
namespace {

class MenuAccessibility : public ::testing::Test {
protected:
    void SetUp() override
    {
        installMenuAccessibility();
        menu.setSkinData(&pewter());
        menu.engine().setWorkArea(Rect{0, 0, 1000, 800});
        menu.items().add(QStringLiteral("&Open && Check"), [this] { log.push_back("Open"); });
        menu.items().addSeparator();
        MenuItem& off = menu.items().add(QStringLiteral("Gone"));
        off.enabled = false;
        MenuItem& ticked = menu.items().add(QStringLiteral("Ticked"));
        ticked.checked = true;
        menu.items().add(QStringLiteral("More")).add(QStringLiteral("Inner"));
    }
    void TearDown() override
    {
        menu.engine().hide();
        processEvents();
    }
    QAccessibleInterface* open()
    {
        menu.popupFromRect2(&control, {100, 400, 180, 420}, false);
        return QAccessible::queryAccessibleInterface(menu.engine().lastWindow());
    }

    Log log;
    RecordingControl control{log};
    SkinPopupMenu menu;
};

TEST_F(MenuAccessibility, ItemsAreChildrenWithTheirNamesRolesAndStates)
{
    QAccessibleInterface* popup = open();
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(popup->role(), QAccessible::PopupMenu);
    ASSERT_EQ(popup->childCount(), 5);

    struct Expected {
        QString name;
        QAccessible::Role role;
        bool disabled, checked, hasPopup, selected;
    };
    const Expected expected[] = {
        {QStringLiteral("Open & Check"), QAccessible::MenuItem, false, false, false, true},
        {QString(), QAccessible::Separator, false, false, false, false},
        {QStringLiteral("Gone"), QAccessible::MenuItem, true, false, false, false},
        {QStringLiteral("Ticked"), QAccessible::MenuItem, false, true, false, false},
        {QStringLiteral("More"), QAccessible::MenuItem, false, false, true, false},
    };
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE(i);
        QAccessibleInterface* item = popup->child(i);
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(item->text(QAccessible::Name), expected[i].name);
        EXPECT_EQ(item->role(), expected[i].role);
        EXPECT_EQ(bool(item->state().disabled), expected[i].disabled);
        EXPECT_EQ(bool(item->state().checked), expected[i].checked);
        EXPECT_EQ(bool(item->state().hasPopup), expected[i].hasPopup);
        EXPECT_EQ(bool(item->state().selected), expected[i].selected);
        EXPECT_EQ(item->parent(), popup);
        EXPECT_EQ(popup->indexOfChild(item), i);
        EXPECT_EQ(popup->child(i), item) << "asked twice, the same item";
        EXPECT_FALSE(item->rect().isEmpty());
    }
    // The highlight follows the keyboard.
    QTest::sendKeyEvent(QTest::Click, menu.engine().lastWindow()->windowHandle(), Qt::Key_Down, QString(),
                        Qt::NoModifier);
    EXPECT_FALSE(popup->child(0)->state().selected);
    EXPECT_TRUE(popup->child(3)->state().selected) << "the disabled item and the separator are passed over";
    EXPECT_EQ(popup->childAt(popup->child(3)->rect().center().x(), popup->child(3)->rect().center().y()),
              popup->child(3));
}

TEST_F(MenuAccessibility, PressChoosesAnItemAndDisabledItemsOfferNothing)
{
    QAccessibleInterface* popup = open();
    ASSERT_NE(popup, nullptr);
    EXPECT_TRUE(popup->child(2)->actionInterface()->actionNames().isEmpty());
    EXPECT_EQ(popup->child(4)->actionInterface()->actionNames(), QStringList{QAccessibleActionInterface::showMenuAction()});

    popup->child(4)->actionInterface()->doAction(QAccessibleActionInterface::showMenuAction());
    ASSERT_EQ(menu.engine().levelCount(), 2) << "the sub-menu opened";
    QAccessibleInterface* inner = QAccessible::queryAccessibleInterface(menu.engine().window(1));
    EXPECT_EQ(inner->parent(), popup);
    EXPECT_EQ(inner->text(QAccessible::Name), QStringLiteral("More"));
    EXPECT_TRUE(popup->child(4)->state().expanded);

    popup->child(0)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    processEvents();
    EXPECT_FALSE(menu.engine().visible());
    EXPECT_EQ(log, (Log{"control closed", "Open", "control done"}));
}

TEST_F(MenuAccessibility, ItemsOfAnEarlierMenuAreNoLongerValid)
{
    QAccessibleInterface* popup = open();
    ASSERT_NE(popup, nullptr);
    const QAccessible::Id first = QAccessible::uniqueId(popup->child(0));
    menu.engine().hide();
    processEvents();

    for (int i = 0; i < menu.items().count(); ++i)
        menu.items().at(i).visible = false;
    menu.items().add(QStringLiteral("Other"));
    QAccessibleInterface* again = open();
    ASSERT_NE(again, nullptr);
    ASSERT_EQ(again->childCount(), 1);
    EXPECT_EQ(again->child(0)->text(QAccessible::Name), QStringLiteral("Other"));
    // Gone with its window, or no longer valid where the engine kept the
    // window for the next menu: it must not speak for the new item.
    QAccessibleInterface* old = QAccessible::accessibleInterface(first);
    EXPECT_TRUE(old == nullptr || !old->isValid());
    EXPECT_NE(QAccessible::uniqueId(again->child(0)), first);
}

} // namespace
} // namespace tessaly::skin::test
