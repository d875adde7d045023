// The frame's behaviour off screen: moving and sizing by the frame's own
// tracking (the off-screen platform has no window manager), pointer shapes,
// window states, the system menu.

#include <QApplication>
#include <QCursor>
#include <QTest>
#include <gtest/gtest.h>

#include "frame_test_support.h"
#include "platform/qt_frameless_window.h"
#include "skin/frame/application_notifier.h"
#include "skin/frame/skin_frame.h"
#include "skin/menus/skin_menu.h"
#include "skin/menus/skin_menu_item.h"
#include "skin/menus/skin_popup_menu.h"
#include "skin/menus/skin_popup_window.h"

using namespace tessaly::skin;
using tessaly::platform::FramelessWindow;

namespace {

class FrameBehaviourTest : public testing::Test {
protected:
    void SetUp() override
    {
        sd->setNotifier(&ApplicationNotifier::instance());
        window.setDesignClientSize(QSize(581, 343));
        frame = std::make_unique<SkinFrame>(&window);
        frame->setBorderIcons(BorderIcon::SystemMenu | BorderIcon::Minimize);
        frame->setSkinData(sd.get());
        window.move(100, 100);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        QApplication::setActiveWindow(&window);
        ASSERT_TRUE(frame->formActive());
        hover(QPoint(300, 200));
    }

    void hover(const QPoint& p)
    {
        QCursor::setPos(window.geometry().topLeft() + p);
        QTest::mouseMove(&window, p);
    }
    // A drag with the left button from a window point by (dx, dy) in steps;
    // positions are given to the window where it is at each step.
    void drag(const QPoint& from, const QPoint& delta)
    {
        const QPoint startGlobal = window.geometry().topLeft() + from;
        QTest::mousePress(&window, Qt::LeftButton, {}, from);
        for (int i = 1; i <= 4; ++i) {
            const QPoint global = startGlobal + delta * i / 4;
            QTest::mouseMove(&window, global - window.geometry().topLeft());
        }
        QTest::mouseRelease(&window, Qt::LeftButton, {}, startGlobal + delta - window.geometry().topLeft());
    }
    QPoint centreOf(int index) const
    {
        const Rect r = frame->layout().objectRects[std::size_t(index)];
        return QPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    }
    std::vector<std::string> menuCaptions()
    {
        std::vector<std::string> out;
        SkinPopupWindow* w = frame->skinMenu().window(0);
        for (int i = 0; w && i < w->itemCount(); ++i)
            out.push_back(w->item(i).menuItem().caption.toStdString());
        return out;
    }

    std::unique_ptr<SkinData> sd = frametest::pewter();
    FramelessWindow window;
    std::unique_ptr<SkinFrame> frame;
};


TEST_F(FrameBehaviourTest, DraggingTheCaptionMovesTheWindowAndTheButtonsReactRightAfter)
{
    const QRect before = window.geometry();
    drag(QPoint(300, 12), QPoint(60, 40));
    EXPECT_EQ(window.geometry(), before.translated(60, 40));
    EXPECT_FALSE(frame->sizeMoveRunning());
    const int close = frame->getIndex("closebutton");
    hover(centreOf(close));
    EXPECT_EQ(frame->activeObject(), close);
    EXPECT_TRUE(frame->objects()[std::size_t(close)].hot());
}

TEST_F(FrameBehaviourTest, AMoveOrResizeResetsTheButtonsFirst)
{
    const int close = frame->getIndex("closebutton");
    hover(centreOf(close));
    ASSERT_TRUE(frame->objects()[std::size_t(close)].hot());
    QTest::mousePress(&window, Qt::LeftButton, {}, QPoint(300, 12));
    QTest::mouseMove(&window, QPoint(300 + QApplication::startDragDistance(), 12));
    EXPECT_TRUE(frame->sizeMoveRunning());
    EXPECT_EQ(frame->activeObject(), -1);
    EXPECT_FALSE(frame->objects()[std::size_t(close)].hot());
    EXPECT_FALSE(frame->mouseTimerActive());
    QTest::mouseRelease(&window, Qt::LeftButton, {}, QPoint(300, 12));
    EXPECT_FALSE(frame->sizeMoveRunning());
    EXPECT_TRUE(frame->mouseTimerActive());
}

// A move handed to the window manager after the click's release is on its
// way never ends: the window would follow the pointer until the next click.
// So a click on the caption, and a press that goes less than the drag
// distance, start no move at all.
TEST_F(FrameBehaviourTest, AClickOnTheCaptionStartsNoMove)
{
    const QRect before = window.geometry();
    const int nearly = QApplication::startDragDistance() - 1;
    QTest::mousePress(&window, Qt::LeftButton, {}, QPoint(300, 12));
    EXPECT_FALSE(frame->sizeMoveRunning());
    QTest::mouseMove(&window, QPoint(300 + nearly, 12));
    EXPECT_FALSE(frame->sizeMoveRunning());
    QTest::mouseRelease(&window, Qt::LeftButton, {}, QPoint(300 + nearly, 12));
    QTest::mouseMove(&window, QPoint(400, 60));
    EXPECT_FALSE(frame->sizeMoveRunning());
    EXPECT_EQ(window.geometry(), before);
}

TEST_F(FrameBehaviourTest, CornerResizeFollowsThePointerAndStopsAtTheMinimum)
{
    const QRect before = window.geometry();
    const QPoint corner(window.width() - 2, window.height() - 2);
    drag(corner, QPoint(40, 30));
    EXPECT_EQ(window.geometry(), QRect(before.topLeft(), before.size() + QSize(40, 30)));
    EXPECT_EQ(window.clientArea()->geometry(), QRect(4, 29, 621, 373)); // the layout follows
    drag(QPoint(window.width() - 2, window.height() - 2), QPoint(-2000, -2000));
    EXPECT_EQ(window.geometry(), QRect(before.topLeft(), QSize(frame->getMinWidth(), frame->getMinHeight())));
    EXPECT_EQ(window.minimumSize(), QSize(frame->getMinWidth(), frame->getMinHeight()));
}

TEST_F(FrameBehaviourTest, PointerShapeFollowsThePartUnderIt)
{
    const struct {
        QPoint at;
        Qt::CursorShape shape;
    } cases[] = {
        {{587, 374}, Qt::SizeFDiagCursor},
        {{1, 200}, Qt::SizeHorCursor},
        {{300, 374}, Qt::SizeVerCursor},
        {{300, 12}, Qt::ArrowCursor},
        {{300, 200}, Qt::ArrowCursor},
    };
    for (const auto& c : cases) {
        hover(c.at);
        EXPECT_EQ(window.cursor().shape(), c.shape) << c.at.x() << "," << c.at.y();
    }
    // Not resizable: the border is no edge.
    frame->setResizable(false);
    hover({587, 374});
    EXPECT_EQ(window.cursor().shape(), Qt::ArrowCursor);
}

TEST_F(FrameBehaviourTest, HotButtonClearsAtTheNextTickAfterLeavingIntoTheClientArea)
{
    static_assert(CaptionButtons::kMouseTimerInterval <= 50);
    const int close = frame->getIndex("closebutton");
    hover(centreOf(close));
    ASSERT_EQ(frame->activeObject(), close);
    ASSERT_TRUE(frame->mouseTimerActive());
    // The pointer goes into the client area where a control takes the moves.
    QCursor::setPos(window.geometry().topLeft() + QPoint(300, 200));
    frame->mouseTick();
    EXPECT_EQ(frame->activeObject(), -1);
    EXPECT_FALSE(frame->objects()[std::size_t(close)].hot());
}

TEST_F(FrameBehaviourTest, RightClickOnTheCaptionOpensTheSystemMenuAtThePointer)
{
    const QPoint at(300, 12);
    QTest::mousePress(&window, Qt::RightButton, {}, at);
    ASSERT_TRUE(frame->inMenu());
    EXPECT_EQ(menuCaptions(), (std::vector<std::string>{"Mi&nimize", "-", "&Close"}));
    SkinPopupWindow* popup = frame->skinMenu().window(0);
    EXPECT_EQ(popup->geometry().topLeft(), window.geometry().topLeft() + at);
    EXPECT_EQ(popup->item(2).menuItem().shortCutText(), QStringLiteral("Alt+F4"));
    // Choosing "Close" closes the window.
    const Rect r = popup->screenRect(popup->item(2));
    const QPoint local = QPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2) - popup->geometry().topLeft();
    QTest::mouseClick(popup, Qt::LeftButton, {}, local);
    EXPECT_FALSE(frame->inMenu());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !window.isVisible(); }, 1000));
}

TEST_F(FrameBehaviourTest, SystemMenuButtonOpensTheMenuBelowItAndStaysDownMeanwhile)
{
    const int sysMenu = frame->getIndex("sysmenubutton");
    hover(centreOf(sysMenu));
    QTest::mousePress(&window, Qt::LeftButton, {}, centreOf(sysMenu));
    ASSERT_TRUE(frame->inMenu());
    EXPECT_TRUE(frame->objects()[std::size_t(sysMenu)].down());
    const Rect r = frame->layout().objectRects[std::size_t(sysMenu)];
    EXPECT_EQ(frame->skinMenu().window(0)->geometry().topLeft(),
              window.geometry().topLeft() + QPoint(r.left, r.bottom));
    frame->skinMenu().hide();
    EXPECT_FALSE(frame->inMenu());
    EXPECT_FALSE(frame->objects()[std::size_t(sysMenu)].down());
    EXPECT_EQ(frame->mouseCaptureObject(), -1);
    EXPECT_TRUE(window.isVisible());
}

TEST_F(FrameBehaviourTest, AltSpaceOpensTheMenuBelowTheButtonOnlyWhereThereIsOne)
{
    QTest::keyClick(&window, Qt::Key_Space, Qt::AltModifier);
    ASSERT_TRUE(frame->inMenu());
    EXPECT_EQ(menuCaptions(), (std::vector<std::string>{"Mi&nimize", "-", "&Close"}));
    frame->skinMenu().hide();

    frame->setBorderIcons(0); // as the About window: no system-menu button
    QTest::keyClick(&window, Qt::Key_Space, Qt::AltModifier);
    EXPECT_FALSE(frame->inMenu());
    QTest::mousePress(&window, Qt::RightButton, {}, QPoint(300, 12));
    ASSERT_TRUE(frame->inMenu());
    EXPECT_EQ(menuCaptions(), (std::vector<std::string>{"&Close"}));
    frame->skinMenu().hide();
}

TEST_F(FrameBehaviourTest, MinimisingTheMainWindowTakesItsOtherWindowsAlong)
{
    FramelessWindow about(&window);
    SkinFrame aboutFrame(&about);
    aboutFrame.setSkinData(sd.get());
    about.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&about));
    int restores = 0;
    frame->setOnRestore([&] { ++restores; });
    QApplication::setActiveWindow(&window);

    QTest::mouseClick(&window, Qt::LeftButton, {}, centreOf(frame->getIndex("minbutton")));
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.isMinimized(); }, 1000));
    EXPECT_FALSE(about.isVisible());
    EXPECT_EQ(frame->windowState(), SkinFrame::WindowState::Normal);
    EXPECT_EQ(restores, 0);

    window.showNormal();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window.isMinimized(); }, 1000));
    EXPECT_TRUE(about.isVisible());
    EXPECT_EQ(restores, 1);
}

TEST_F(FrameBehaviourTest, MaximiseFillsTheWorkAreaAndRestoreGoesBack)
{
    frame->setBorderIcons(BorderIcon::SystemMenu | BorderIcon::Minimize | BorderIcon::Maximize);
    int restores = 0, maximises = 0;
    frame->setOnRestore([&] { ++restores; });
    frame->setOnMaximize([&] { ++maximises; });
    const QRect before = window.geometry();
    // A double click on the caption maximises a window with a maximise button.
    QTest::mouseDClick(&window, Qt::LeftButton, {}, QPoint(300, 12));
    ASSERT_EQ(frame->windowState(), SkinFrame::WindowState::Maximized);
    EXPECT_EQ(window.geometry(), window.screen()->availableGeometry());
    EXPECT_EQ(maximises, 1);
    EXPECT_EQ(frame->hitTest({1, 200}).hit, FrameHit::Object); // no sizing edges
    // A maximised window is not dragged.
    const QRect maximised = window.geometry();
    drag(QPoint(300, 12), QPoint(50, 50));
    EXPECT_EQ(window.geometry(), maximised);
    frame->changeWindowState(SkinFrame::WindowState::Normal);
    EXPECT_EQ(window.geometry(), before);
    EXPECT_EQ(restores, 1);
    EXPECT_EQ(frame->hitTest({1, 200}).hit, FrameHit::Left);
}

TEST_F(FrameBehaviourTest, RollUpLeavesTheCaptionBarAndRollsDownToTheOldHeight)
{
    const int height = window.height();
    frame->switchRollUp(true); // no roll-up button: nothing happens
    EXPECT_FALSE(frame->rollUpState());
    QTest::mouseDClick(&window, Qt::LeftButton, {}, QPoint(300, 12)); // neither maximise nor roll-up
    EXPECT_EQ(window.height(), height);
    EXPECT_EQ(frame->windowState(), SkinFrame::WindowState::Normal);

    frame->setBorderIcons(BorderIcon::RollUp);
    frame->switchRollUp(true);
    ASSERT_TRUE(frame->rollUpState());
    EXPECT_EQ(window.height(), frame->getMinHeight());
    EXPECT_LT(window.height(), height);
    EXPECT_EQ(frame->hitTest({window.width() / 2, window.height() - 1}).hit == FrameHit::Bottom, false);
    frame->switchRollUp(false);
    EXPECT_EQ(window.height(), height);
}

TEST_F(FrameBehaviourTest, ASecondaryWindowMinimisesToItsCaptionBarAlongTheBottom)
{
    FramelessWindow first(&window), second(&window);
    SkinFrame firstFrame(&first), secondFrame(&second);
    for (auto* f : {&firstFrame, &secondFrame}) {
        f->setBorderIcons(BorderIcon::Minimize);
        f->setSkinData(sd.get());
    }
    first.show();
    second.show();
    const QRect before = first.geometry();
    int restores = 0;
    firstFrame.setOnRestore([&] { ++restores; });

    firstFrame.changeWindowState(SkinFrame::WindowState::Minimized);
    secondFrame.changeWindowState(SkinFrame::WindowState::Minimized);
    const QRect area = first.screen()->availableGeometry();
    const QSize bar(firstFrame.getMinWidth(), firstFrame.getMinHeight());
    EXPECT_EQ(bar.height(), sd->formMinHeight > 0 ? sd->formMinHeight : 80 - sd->clRect.height());
    EXPECT_EQ(first.geometry(), QRect(QPoint(area.left(), area.bottom() + 1 - bar.height()), bar));
    EXPECT_EQ(second.geometry(), first.geometry().translated(bar.width(), 0));
    EXPECT_TRUE(window.isVisible()); // the main window stays

    firstFrame.changeWindowState(SkinFrame::WindowState::Normal);
    EXPECT_EQ(first.geometry(), before);
    EXPECT_EQ(restores, 1);
}

} // namespace
