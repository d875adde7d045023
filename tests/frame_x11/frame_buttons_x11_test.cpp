// Plain frame buttons on a real X server: Xvfb with openbox (our
// configuration) and xcompmgr. A framed window wears the sampler skin,
// whose caption bar carries a square button (a menu linked to it here) and
// a round one whose corners belong to the caption. The sampler's full
// layered border would carry the caption on its top strip, without these
// buttons: they are tested on the window's own frame, with layered borders
// switched off.

#include <QApplication>
#include <QProcess>
#include <QTest>
#include <gtest/gtest.h>

#include "sampler_skin.h"
#include "own_display.h"
#include "platform/qt_compositor.h"
#include "platform/qt_frameless_window.h"
#include "skin/frame/skin_frame.h"
#include "skin/menus/skin_menu.h"
#include "skin/menus/skin_popup_menu.h"
#include "skin/menus/skin_popup_window.h"
#include "x11_session.h"

using namespace tessaly;
using skin::SkinFrame;

namespace {

x11test::X11Session* g_session = nullptr;

void xdotool(const QStringList& arguments)
{
    ASSERT_EQ(QProcess::execute(QStringLiteral("xdotool"), arguments), 0) << arguments.join(' ').toStdString();
}

void pointerTo(const QPoint& p)
{
    xdotool({QStringLiteral("mousemove"), QString::number(p.x()), QString::number(p.y())});
}

class FrameButtonsX11Test : public testing::Test {
protected:
    void SetUp() override
    {
        if (!g_session->compositorRunning()) {
            ASSERT_TRUE(g_session->startCompositor()) << g_session->error();
        }
        skin::SkinOptions options = sd->options();
        options.showLayeredBorders = false;
        sd->setOptions(options);
        window.setDesignClientSize(QSize(420, 200));
        window.setWindowTitle(QStringLiteral("Sampler"));
        frame = std::make_unique<SkinFrame>(&window);
        frame->setBorderIcons(skin::BorderIcon::SystemMenu | skin::BorderIcon::Minimize);
        frame->setSkinData(sd.get());
        window.move(150, 120);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        ASSERT_TRUE(QTest::qWaitFor([&] { return frame->formActive(); }, 5000));
        pin = frame->getIndex("pinbutton");
        round = frame->getIndex("roundbutton");
        ASSERT_GE(pin, 0);
        ASSERT_GE(round, 0);
    }
    void TearDown() override
    {
        frame->skinMenu().hide();
        window.hide();
        frame.reset();
    }

    // A point of an object on the screen.
    QPoint onScreen(int index, int dx, int dy) const
    {
        const skin::Rect r = frame->objectOnScreen(index);
        return QPoint(r.left + dx, r.top + dy);
    }
    QPoint centreOnScreen(int index) const
    {
        const skin::Rect r = frame->objectOnScreen(index);
        return QPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    }
    bool becomesActive(int index) { return QTest::qWaitFor([&] { return frame->activeObject() == index; }, 3000); }

    std::unique_ptr<skin::SkinData> sd = frametest::sampler();
    platform::FramelessWindow window;
    std::unique_ptr<SkinFrame> frame;
    int pin = -1;
    int round = -1;
};


TEST_F(FrameButtonsX11Test, TheRoundButtonIsNotHotInItsCorners)
{
    const skin::Rect r = frame->objectOnScreen(round);
    pointerTo(centreOnScreen(round));
    ASSERT_TRUE(becomesActive(round));
    for (const QPoint corner : {QPoint(r.left, r.top), QPoint(r.right - 1, r.top), QPoint(r.left, r.bottom - 1),
                                QPoint(r.right - 1, r.bottom - 1)}) {
        pointerTo(corner);
        EXPECT_TRUE(QTest::qWaitFor([&] { return frame->activeObject() != round; }, 3000))
            << corner.x() << "," << corner.y();
        EXPECT_FALSE(frame->objects()[std::size_t(round)].hot());
        pointerTo(centreOnScreen(round));
        EXPECT_TRUE(becomesActive(round));
    }
}

TEST_F(FrameButtonsX11Test, ALinkedMenuOpensBelowTheButtonAndTheButtonStaysDownUntilItCloses)
{
    skin::SkinPopupMenu menu(&window);
    bool chosen = false;
    menu.items().add(QStringLiteral("Keep on top"), [&] { chosen = true; });
    menu.items().add(QStringLiteral("Let go"));
    frame->linkMenu("pinbutton", &menu);

    pointerTo(centreOnScreen(pin));
    ASSERT_TRUE(becomesActive(pin));
    xdotool({QStringLiteral("click"), QStringLiteral("1")});
    ASSERT_TRUE(QTest::qWaitFor([&] { return frame->inMenu() && frame->skinMenu().window(0); }, 3000));
    skin::SkinPopupWindow* popup = frame->skinMenu().window(0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return popup->isVisible(); }, 3000));
    const skin::Rect button = frame->objectOnScreen(pin);
    EXPECT_EQ(popup->geometry().topLeft(), QPoint(button.left, button.bottom));
    EXPECT_TRUE(frame->objects()[std::size_t(pin)].down());

    // Choosing the first item runs it; the menu closes and the button comes up.
    const skin::Rect item = popup->screenRect(popup->item(0));
    pointerTo(QPoint((item.left + item.right) / 2, (item.top + item.bottom) / 2));
    QTest::qWait(100);
    xdotool({QStringLiteral("click"), QStringLiteral("1")});
    EXPECT_TRUE(QTest::qWaitFor([&] { return chosen && !frame->inMenu(); }, 3000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !frame->objects()[std::size_t(pin)].down(); }, 3000));
}

} // namespace

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    x11test::X11Session::Options options;
    options.compositor = true;
    return x11test::runOnOwnDisplay(argc, argv, options, [](x11test::X11Session& session) {
        g_session = &session;
        return RUN_ALL_TESTS();
    });
}
