// The controls on a real X server with a window manager: a held Space key
// (the server's auto-repeat) clicks the push button once, and the menu
// tool button stays down until its menu has closed, however it closes.

#include "pewter_fixture.h"
#include "skin/controls/skin_button.h"
#include "skin/controls/skin_menu_speed_button.h"
#include "skin/controls/skin_status_bar.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMenu>
#include <QProcess>
#include <QTest>

#include <functional>

namespace tessaly::skin::test {
namespace {

void xdotool(const QStringList& arguments)
{
    ASSERT_EQ(QProcess::execute(QStringLiteral("xdotool"), arguments), 0) << arguments.join(' ').toStdString();
}

bool waitUntil(const std::function<bool()>& done, int ms = 3000)
{
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < ms)
        QTest::qWait(10);
    return done();
}

// Counts the auto-repeated key events the button receives.
class RepeatCounter : public QObject {
public:
    int repeats = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if ((event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease)
            && static_cast<QKeyEvent*>(event)->isAutoRepeat())
            ++repeats;
        return false;
    }
};

TEST(ControlsOnX11, HeldSpaceClicksOnce)
{
    QWidget window;
    window.resize(200, 80);
    auto* button = new SkinButton(QStringLiteral("Validate"), &window);
    button->setSkinData(&pewter());
    button->setGeometry(20, 20, 75, 25);
    int clicks = 0;
    button->setOnClick([&] { ++clicks; });
    RepeatCounter repeats;
    button->installEventFilter(&repeats);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    button->setFocus();
    ASSERT_TRUE(waitUntil([&] { return button->hasFocus(); }));

    xdotool({"keydown", "space"});
    QTest::qWait(1200); // the server starts repeating after its delay
    xdotool({"keyup", "space"});
    ASSERT_TRUE(waitUntil([&] { return clicks > 0 && !button->isDown(); }));
    QTest::qWait(100);
    EXPECT_GT(repeats.repeats, 2) << "the server did not repeat the key";
    EXPECT_EQ(clicks, 1);
}

struct MenuScene {
    QWidget window;
    QMenu menu;
    QMenuPopupOpener opener{&menu};
    SkinMenuSpeedButton* about = nullptr;
    int chosen = 0;

    MenuScene()
    {
        window.resize(300, 200);
        auto* bar = new SkinStatusBar(&window);
        about = new SkinMenuSpeedButton(QStringLiteral("About"), bar);
        about->setFlat(true);
        about->setUseSkinSize(false);
        about->setGeometry(240, 2, 45, 18);
        bar->setSkinData(&pewter());
        about->setPopupMenu(&opener);
        QObject::connect(menu.addAction(QStringLiteral("Visit Our Website")), &QAction::triggered, [this] { ++chosen; });
        menu.addSeparator();
        menu.addAction(QStringLiteral("About"));
        window.show();
        window.activateWindow();
    }

    void pressAbout()
    {
        const QPoint at = about->mapToGlobal(QPoint(12, 9));
        xdotool({"mousemove", QString::number(at.x()), QString::number(at.y())});
        xdotool({"click", "1"});
    }
};

TEST(ControlsOnX11, MenuButtonStaysDownUntilItsMenuHasClosed)
{
    const std::pair<const char*, std::function<void(MenuScene&)>> closings[] = {
        {"Escape", [](MenuScene&) { xdotool({"key", "Escape"}); }},
        {"a click elsewhere",
         [](MenuScene& s) {
             const QPoint far = s.window.mapToGlobal(QPoint(20, 20));
             xdotool({"mousemove", QString::number(far.x()), QString::number(far.y())});
             xdotool({"click", "1"});
         }},
        {"a choice", [](MenuScene&) { xdotool({"key", "Down", "Return"}); }},
        {"a click on the button itself", [](MenuScene& s) { s.pressAbout(); }},
    };
    for (const auto& [name, close] : closings) {
        SCOPED_TRACE(name);
        MenuScene s;
        ASSERT_TRUE(QTest::qWaitForWindowActive(&s.window));
        s.pressAbout();
        ASSERT_TRUE(waitUntil([&] { return s.menu.isVisible(); }));
        // The click's release has come and gone: the button is still down.
        QTest::qWait(150);
        EXPECT_TRUE(s.about->menuTracked());
        EXPECT_TRUE(s.about->isDown());
        EXPECT_EQ(s.about->currentFace(), SkinSpeedButton::Face::Pressed);
        close(s);
        ASSERT_TRUE(waitUntil([&] { return !s.menu.isVisible(); }));
        EXPECT_TRUE(waitUntil([&] { return !s.about->isDown(); }));
        EXPECT_FALSE(s.about->menuTracked());
        // The closing press does not open the menu again.
        QTest::qWait(200);
        EXPECT_FALSE(s.menu.isVisible());
        EXPECT_FALSE(s.about->isDown());
        if (std::string(name) == "a choice")
            EXPECT_TRUE(waitUntil([&] { return s.chosen == 1; }));
        else
            EXPECT_EQ(s.chosen, 0);
    }
}

} // namespace
} // namespace tessaly::skin::test
