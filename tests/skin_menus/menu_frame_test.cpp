// A window frame drives the menus of its window: its registry, settings,
// translucency and its menu-mode bookkeeping.

#define QTEST_QPA_MOUSE_HANDLING
#include <QTest>
#include <gtest/gtest.h>

#include "menu_fixture.h"
#include "skin/menus/menu_frame.h"
#include "skin/menus/skin_menu.h"
#include "skin/menus/skin_popup_window.h"

namespace tessaly::skin::test {
namespace {

class FakeFrame : public MenuFrame {
public:
    explicit FakeFrame(Log& log)
        : m_log(log)
        , m_engine(nullptr, this)
    {
        m_engine.setWorkArea(Rect{0, 0, 1000, 800});
    }
    SkinMenu& skinMenu() override { return m_engine; }
    SkinData* menusSkinData() const override { return registry; }
    MenuSettings menuSettings() const override { return settings; }
    bool layeredWindowsAvailable() const override { return compositing; }
    void skinMenuOpen() override { m_log.push_back("frame open"); }
    void skinMenuClose() override { m_log.push_back("frame close"); }

    SkinData* registry = nullptr;
    MenuSettings settings;
    bool compositing = false;

private:
    Log& m_log;
    SkinMenu m_engine;
};

class MenuWithFrame : public ::testing::Test {
protected:
    void TearDown() override
    {
        frame.skinMenu().hide();
        processEvents();
    }
    SkinPopupWindow* open()
    {
        menu.popupFromRect2(&control, {100, 100, 180, 120}, false);
        return frame.skinMenu().lastWindow();
    }

    Log log;
    RecordingControl control{log};
    FakeFrame frame{log};
    SkinPopupMenu menu;
};

TEST_F(MenuWithFrame, TakesTheFramesRegistryAndSettings)
{
    menu.setSkinComponent(&frame);
    addStatusBarItems(menu, log);
    frame.settings.defaultMenuItemHeight = 30;
    SkinPopupWindow* w = open();
    ASSERT_NE(w, nullptr);
    EXPECT_FALSE(w->skinned());
    EXPECT_EQ(w->item(0).objectRect.height(), 30);
    frame.skinMenu().hide();
    log.clear();

    // the registry found at the first popup is kept
    frame.registry = &pewter();
    menu.setSkinData(nullptr);
    w = open();
    EXPECT_TRUE(w->skinned());
    EXPECT_EQ(menu.skinData(), &pewter());
    frame.registry = nullptr;
    frame.skinMenu().hide();
    EXPECT_TRUE(open()->skinned());
}

TEST_F(MenuWithFrame, TheFrameHearsOpeningAndClosingAroundTheCommand)
{
    menu.setSkinComponent(&frame);
    addStatusBarItems(menu, log);
    SkinPopupWindow* w = open();
    QTest::sendKeyEvent(QTest::Click, w->windowHandle(), Qt::Key_Return, QString(), Qt::NoModifier);
    EXPECT_EQ(log, (Log{"frame open", "frame close", "control closed", "Visit Our Website", "control done"}));
}

TEST_F(MenuWithFrame, TranslucentOnlyWhileACompositorRuns)
{
    menu.setSkinComponent(&frame);
    addStatusBarItems(menu, log);
    frame.settings.alphaBlend = true;
    frame.settings.alphaBlendValue = 200;
    EXPECT_DOUBLE_EQ(open()->windowOpacity(), 1.0);
    frame.skinMenu().hide();
    frame.compositing = true;
    EXPECT_NEAR(open()->windowOpacity(), 200 / 255.0, 0.01);
    frame.skinMenu().hide();
    // fading in: starts clear on the first window, reaches the value
    frame.settings.alphaBlendAnimation = true;
    SkinPopupWindow* w = open();
    EXPECT_LT(w->windowOpacity(), 0.1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return std::abs(w->windowOpacity() - 200 / 255.0) < 0.01; }, 1000));
}

TEST_F(MenuWithFrame, ADropShadowOnlyWhileACompositorRunsFollowingTheMenusShape)
{
    menu.setSkinComponent(&frame);
    addStatusBarItems(menu, log);
    SkinPopupWindow* w = open();
    EXPECT_FALSE(w->shadow().isVisible());
    frame.skinMenu().hide();
    frame.compositing = true;
    w = open();
    ASSERT_TRUE(w->shadow().isVisible());
    EXPECT_EQ(w->shadow().window()->geometry(), DropShadow::shadowGeometry(w->geometry()));
    // the shadow goes with the menu
    frame.skinMenu().hide();
    EXPECT_FALSE(w->shadow().isVisible());
}

TEST_F(MenuWithFrame, WithoutAFrameTheMenuRunsOnItsOwnEngineOpaque)
{
    addStatusBarItems(menu, log);
    menu.engine().setWorkArea(Rect{0, 0, 1000, 800});
    menu.popupFromRect2(&control, {100, 100, 180, 120}, false);
    SkinPopupWindow* w = menu.engine().lastWindow();
    ASSERT_NE(w, nullptr);
    EXPECT_NE(&menu.engine(), &frame.skinMenu());
    EXPECT_DOUBLE_EQ(w->windowOpacity(), 1.0);
    menu.engine().hide();
    EXPECT_EQ(log, (Log{"control closed"}));
}

} // namespace
} // namespace tessaly::skin::test
