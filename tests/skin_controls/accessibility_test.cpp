#include "pewter_fixture.h"
#include "skin/controls/control_accessibility.h"
#include "skin/controls/skin_button.h"
#include "skin/controls/skin_menu_speed_button.h"
#include "skin/controls/skin_link_label.h"
#include "skin/controls/skin_speed_button.h"
#include "skin/controls/skin_status_bar.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QWidget>
#include <gtest/gtest.h>

#include <functional>

namespace tessaly::skin::test {
namespace {

// Records the openings and lets the test close the menu.
class RecordingMenu : public PopupMenuOpener {
public:
    void popupFromRect(QWidget*, const QRect&, std::function<void()> closed) override
    {
        ++openings;
        m_closed = std::move(closed);
    }
    void close()
    {
        if (auto closed = std::exchange(m_closed, nullptr))
            closed();
    }
    int openings = 0;

private:
    std::function<void()> m_closed;
};

class ButtonAccessibility : public testing::Test {
protected:
    void SetUp() override { installControlAccessibility(); }

    static QAccessibleInterface* of(QWidget* widget)
    {
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(widget);
        EXPECT_NE(iface, nullptr);
        return iface;
    }

    QWidget window;
};

TEST_F(ButtonAccessibility, NamesRolesAndPressAsAPointerClickDoes)
{
    struct Case {
        const char* what;
        std::function<SkinButtonBase*(QWidget*)> make;
        QString spokenName;
        QAccessible::Role role;
    };
    const Case cases[] = {
        {"push button", [](QWidget* w) { return new SkinButton(QStringLiteral("&Validate"), w); },
         QStringLiteral("Validate"), QAccessible::PushButton},
        {"glyph-only tool button named by the window",
         [](QWidget* w) {
             auto* b = new SkinSpeedButton(QString(QChar(0x2026)), w);
             b->setAccessibleName(QStringLiteral("Browse"));
             return b;
         },
         QStringLiteral("Browse"), QAccessible::PushButton},
        {"tool button", [](QWidget* w) { return new SkinSpeedButton(QStringLiteral("Save && close"), w); },
         QStringLiteral("Save & close"), QAccessible::PushButton},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SkinButtonBase* button = c.make(&window);
        button->setSkinData(&pewter());
        int clicks = 0;
        button->setOnClick([&] { ++clicks; });
        QAccessibleInterface* iface = of(button);
        ASSERT_NE(iface, nullptr);
        EXPECT_EQ(iface->role(), c.role);
        EXPECT_EQ(iface->text(QAccessible::Name), c.spokenName);
        QAccessibleActionInterface* actions = iface->actionInterface();
        ASSERT_NE(actions, nullptr);
        ASSERT_TRUE(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
        actions->doAction(QAccessibleActionInterface::pressAction());
        EXPECT_EQ(clicks, 1);
    }
}

TEST_F(ButtonAccessibility, StatesFollowTheButton)
{
    auto* button = new SkinButton(QStringLiteral("Validate"), &window);
    button->setSkinData(&pewter());
    int clicks = 0;
    button->setOnClick([&] { ++clicks; });
    QAccessibleInterface* iface = of(button);
    ASSERT_NE(iface, nullptr);
    EXPECT_FALSE(iface->state().pressed);
    button->setDown(true);
    EXPECT_TRUE(iface->state().pressed);
    button->setDown(false);

    button->setEnabled(false);
    EXPECT_TRUE(iface->state().disabled);
    EXPECT_TRUE(iface->actionInterface()->actionNames().isEmpty()) << "a disabled button offers no action";
    iface->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(clicks, 0);
}

TEST_F(ButtonAccessibility, AMenuButtonShowsItsMenuAndSaysWhetherItIsOpen)
{
    RecordingMenu menu;
    auto* button = new SkinMenuSpeedButton(QStringLiteral("About"), &window);
    button->setSkinData(&pewter());
    QAccessibleInterface* iface = of(button);
    ASSERT_NE(iface, nullptr);
    EXPECT_EQ(iface->role(), QAccessible::ButtonMenu);
    EXPECT_FALSE(iface->state().hasPopup) << "without a menu it is a plain tool button";

    button->setPopupMenu(&menu);
    EXPECT_TRUE(iface->state().hasPopup);
    EXPECT_TRUE(iface->state().collapsed);
    ASSERT_EQ(iface->actionInterface()->actionNames(), QStringList{QAccessibleActionInterface::showMenuAction()});
    iface->actionInterface()->doAction(QAccessibleActionInterface::showMenuAction());
    EXPECT_EQ(menu.openings, 1);
    EXPECT_TRUE(iface->state().expanded);
    EXPECT_TRUE(iface->state().pressed);
    iface->actionInterface()->doAction(QAccessibleActionInterface::showMenuAction());
    EXPECT_EQ(menu.openings, 1) << "an open menu is not opened again";

    menu.close();
    EXPECT_FALSE(iface->state().expanded);
    EXPECT_TRUE(iface->state().collapsed);
}

TEST_F(ButtonAccessibility, TheLinkIsALinkThatPressFollowsAndTheStatusBarSaysWhatItIs)
{
    auto* link = new SkinLinkLabel(QStringLiteral("https://tessaly.example/"), &window);
    QList<QUrl> opened;
    link->setUrlOpener([&](const QUrl& url) { opened.append(url); });
    QAccessibleInterface* iface = of(link);
    ASSERT_NE(iface, nullptr);
    EXPECT_EQ(iface->role(), QAccessible::Link);
    EXPECT_EQ(iface->text(QAccessible::Name), QStringLiteral("https://tessaly.example/"));
    iface->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(opened, QList<QUrl>{QUrl(QStringLiteral("https://tessaly.example/"))});

    auto* bar = new SkinStatusBar(&window);
    QAccessibleInterface* barFace = of(bar);
    ASSERT_NE(barFace, nullptr);
    EXPECT_EQ(barFace->role(), QAccessible::StatusBar);
}

TEST_F(ButtonAccessibility, OtherWidgetsKeepQtsOwnInterface)
{
    QWidget plain(&window);
    EXPECT_EQ(skinnedControlAccessible(QStringLiteral("QWidget"), &plain), nullptr);
}

} // namespace
} // namespace tessaly::skin::test
