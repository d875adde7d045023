// What a skinned window tells assistive tools through Qt's accessibility
// interfaces: its caption buttons as push buttons named by what they do,
// where they are, and "Press" running their commands.

#include <QAccessible>
#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

#include "frame_test_support.h"
#include "sampler_skin.h"
#include "platform/qt_frameless_window.h"
#include "skin/frame/application_notifier.h"
#include "skin/frame/frame_accessibility.h"
#include "skin/frame/skin_frame.h"
#include "skin/frame/window_states.h"
#include "skin/menus/menu_accessibility.h"
#include "skin/menus/skin_popup_menu.h"
#include "skin/menus/skin_popup_window.h"
#include "platform/qt_geometry.h"

using namespace tessaly::skin;
using tessaly::platform::FramelessWindow;

namespace {

class FrameAccessibility : public testing::Test {
protected:
    void SetUp() override
    {
        installFrameAccessibility();
        installMenuAccessibility();
        sd->setNotifier(&ApplicationNotifier::instance());
        window.setWindowTitle(QStringLiteral("Checked Book"));
        window.setDesignClientSize(QSize(581, 343));
        frame = std::make_unique<SkinFrame>(&window);
        frame->setBorderIcons(BorderIcon::SystemMenu | BorderIcon::Minimize | BorderIcon::Maximize);
        frame->setSkinData(sd.get());
        window.move(100, 100);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        me = QAccessible::queryAccessibleInterface(&window);
        ASSERT_NE(me, nullptr);
    }
    void TearDown() override { frame->skinMenu().hide(); }

    // The caption button named `name`, and its index among the frame's objects.
    QAccessibleInterface* button(const QString& name) const
    {
        for (int i = 0; i < me->childCount(); ++i)
            if (me->child(i)->text(QAccessible::Name) == name)
                return me->child(i);
        return nullptr;
    }
    int objectIndex(StdCommand command) const
    {
        for (std::size_t i = 0; i < frame->objects().size(); ++i)
            if (!frame->objects()[i].isCaption() && frame->objects()[i].command() == command)
                return int(i);
        return -1;
    }

    std::unique_ptr<SkinData> sd = frametest::pewter();
    FramelessWindow window;
    std::unique_ptr<SkinFrame> frame;
    QAccessibleInterface* me = nullptr;
};

TEST_F(FrameAccessibility, CaptionButtonsAreNamedPushButtonsWhereTheFrameDrawsThem)
{
    EXPECT_EQ(me->role(), QAccessible::Window);
    EXPECT_EQ(me->text(QAccessible::Name), QStringLiteral("Checked Book"));
    const struct {
        QString name;
        StdCommand command;
        QAccessible::Role role;
    } cases[] = {
        {QStringLiteral("Close"), StdCommand::Close, QAccessible::PushButton},
        {QStringLiteral("Minimize"), StdCommand::Minimize, QAccessible::PushButton},
        {QStringLiteral("Maximize"), StdCommand::Maximize, QAccessible::PushButton},
        {QStringLiteral("System menu"), StdCommand::SysMenu, QAccessible::ButtonMenu},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        QAccessibleInterface* b = button(c.name);
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(b->role(), c.role);
        EXPECT_EQ(b->parent(), me);
        EXPECT_GE(me->indexOfChild(b), 0);
        EXPECT_EQ(me->child(me->indexOfChild(b)), b);
        const QRect drawn = tessaly::platform::toQRect(frame->objectOnScreen(objectIndex(c.command)));
        EXPECT_FALSE(drawn.isEmpty());
        EXPECT_EQ(b->rect(), drawn);
        EXPECT_EQ(me->childAt(drawn.center().x(), drawn.center().y()), b);
    }
}

TEST_F(FrameAccessibility, PressRunsTheCommandAndTheNameFollowsTheState)
{
    QAccessibleInterface* maximize = button(QStringLiteral("Maximize"));
    ASSERT_NE(maximize, nullptr);
    maximize->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QApplication::processEvents();
    EXPECT_EQ(frame->windowStates().state(), WindowState::Maximized);
    EXPECT_EQ(maximize->text(QAccessible::Name), QStringLiteral("Restore"));

    QAccessibleInterface* close = button(QStringLiteral("Close"));
    ASSERT_NE(close, nullptr);
    close->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !window.isVisible(); }, 2000));
}

TEST_F(FrameAccessibility, SystemMenuButtonShowsItsMenuAsItsChild)
{
    QAccessibleInterface* system = button(QStringLiteral("System menu"));
    ASSERT_NE(system, nullptr);
    EXPECT_TRUE(system->state().collapsed);
    EXPECT_EQ(system->childCount(), 0);
    ASSERT_EQ(system->actionInterface()->actionNames(), QStringList{QAccessibleActionInterface::showMenuAction()});
    system->actionInterface()->doAction(QAccessibleActionInterface::showMenuAction());
    ASSERT_NE(frame->systemMenu(), nullptr);
    ASSERT_NE(frame->systemMenu()->openWindow(), nullptr);
    EXPECT_TRUE(system->state().expanded);
    ASSERT_EQ(system->childCount(), 1);
    QAccessibleInterface* menu = system->child(0);
    EXPECT_EQ(menu->role(), QAccessible::PopupMenu);
    EXPECT_GT(menu->childCount(), 0);
}

TEST_F(FrameAccessibility, ButtonsOfAnEarlierSkinAreNoLongerValid)
{
    const QAccessible::Id close = QAccessible::uniqueId(button(QStringLiteral("Close")));
    frame->setSkinData(nullptr);
    QAccessibleInterface* old = QAccessible::accessibleInterface(close);
    EXPECT_TRUE(old == nullptr || !old->isValid());
    QAccessibleInterface* now = button(QStringLiteral("Close"));
    ASSERT_NE(now, nullptr) << "the default look has its own close button";
    EXPECT_TRUE(now->isValid());
}

// The sampler's animate button, a custom caption button with a menu.
class AnimateButtonAccessibility : public FrameAccessibility {
protected:
    void SetUp() override
    {
        sd = frametest::sampler();
        FrameAccessibility::SetUp();
        frame->setOnActivateCustomObject([](const std::string&) { return true; });
    }
};

TEST_F(AnimateButtonAccessibility, TheAnimateButtonIsNamedByItsHintAndShowsItsLinkedMenu)
{
    QAccessibleInterface* spinner = button(QStringLiteral("Spinner"));
    ASSERT_NE(spinner, nullptr);
    const int index = frame->getIndex("spinner");
    EXPECT_EQ(spinner->rect(), tessaly::platform::toQRect(frame->objectOnScreen(index)));
    // Without a menu it is a push button whose press runs no command.
    EXPECT_EQ(spinner->role(), QAccessible::PushButton);
    EXPECT_EQ(spinner->actionInterface()->actionNames(), QStringList{QAccessibleActionInterface::pressAction()});

    SkinPopupMenu menu(&window);
    menu.items().add(QStringLiteral("Spin faster"));
    frame->linkMenu("spinner", &menu);
    EXPECT_EQ(spinner->role(), QAccessible::ButtonMenu);
    EXPECT_TRUE(spinner->state().collapsed);
    ASSERT_EQ(spinner->actionInterface()->actionNames(), QStringList{QAccessibleActionInterface::showMenuAction()});
    spinner->actionInterface()->doAction(QAccessibleActionInterface::showMenuAction());
    ASSERT_NE(menu.openWindow(), nullptr);
    EXPECT_TRUE(spinner->state().expanded);
    EXPECT_TRUE(spinner->state().pressed);
    ASSERT_EQ(spinner->childCount(), 1);
    EXPECT_EQ(spinner->child(0)->role(), QAccessible::PopupMenu);
    frame->skinMenu().hide();
    EXPECT_FALSE(frame->objects()[std::size_t(index)].down());
}

} // namespace
