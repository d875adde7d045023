// The skin frame on a real X server: Xvfb with openbox (our configuration)
// and, for the glow, xcompmgr. The program's own two windows are used.

#include <QApplication>
#include <QProcess>
#include <QDir>
#include <QFile>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include "app/about_window.h"
#include "app/main_window.h"
#include "platform/qt_canvas.h"
#include "platform/qt_compositor.h"
#include "platform/qt_main_thread.h"
#include "skin/controls/skin_status_bar.h"
#include "skin/data/skin_data.h"
#include "skin/frame/frame_painter.h"
#include "skin/frame/layer_manager.h"
#include "skin/frame/skin_frame.h"
#include "skin/menus/skin_menu.h"
#include "skin/menus/skin_menu_item.h"
#include "skin/menus/skin_popup_window.h"
#include "skin/paint/bitmap_canvas.h"
#include "x11_probe.h"
#include "own_display.h"
#include "x11_session.h"

using namespace tessaly;
using skin::SkinFrame;

namespace {

x11test::X11Session* g_session = nullptr;

void xdotool(const QStringList& arguments)
{
    ASSERT_EQ(QProcess::execute(QStringLiteral("xdotool"), arguments), 0) << arguments.join(' ').toStdString();
}

// A window point on the screen. The window has no decoration, so its
// geometry is its place; QWidget::mapToGlobal asks the server, which may
// not yet know where the window manager put a freshly shown window.
QPoint onScreen(const QWidget& window, const QPoint& p) { return window.geometry().topLeft() + p; }

void pointerTo(const QPoint& global)
{
    xdotool({QStringLiteral("mousemove"), QString::number(global.x()), QString::number(global.y())});
}

// The window's pixels as they are on the screen (taken from the root
// window at the window's place, so windows above it show as they cover it).
QImage grab(QWidget& window)
{
    return window.screen()
        ->grabWindow(0)
        .toImage()
        .copy(QRect(window.pos(), window.size()))
        .convertToFormat(QImage::Format_RGB32);
}

// The frame composed by the painting code for the window's size and state.
skin::Bitmap composed(SkinFrame& frame, bool active)
{
    skin::FramePaintState state;
    state.active = active;
    state.title = frame.window()->windowTitle();
    state.morphEnabled = frame.skinData()->options().enableSkinEffects;
    skin::Bitmap image;
    skin::composeFrame(image, frame.skinData(), frame.layout(), frame.objects(), state);
    return image;
}

// Pixels inside the frame (in the shape, outside the client area and
// outside `covered`, in window coordinates) that differ from the
// composition; -1 when nothing was compared.
int frameMismatches(SkinFrame& frame, bool active, const QRect& covered = {})
{
    const QImage shot = grab(*frame.window());
    const skin::Bitmap expected = composed(frame, active);
    // FRAME_X11_DUMP=FOLDER keeps the pictures compared, for a look.
    if (const QString folder = qEnvironmentVariable("FRAME_X11_DUMP"); !folder.isEmpty()) {
        static int n = 0;
        shot.save(QStringLiteral("%1/%2-shot.png").arg(folder).arg(n));
        skin::imageOf(expected).save(QStringLiteral("%1/%2-expected.png").arg(folder).arg(n));
        ++n;
    }
    const skin::FrameLayout& f = frame.layout();
    if (shot.size() != QSize(f.width, f.height) || expected.width() != f.width)
        return -1;
    int compared = 0, wrong = 0;
    for (int y = 0; y < f.height; ++y) {
        for (int x = 0; x < f.width; ++x) {
            const bool client = x >= f.clientRect.left && x < f.clientRect.right && y >= f.clientRect.top
                && y < f.clientRect.bottom;
            if (client || !f.inShape(x, y) || covered.contains(x, y))
                continue;
            ++compared;
            if ((shot.pixel(x, y) & 0xFFFFFFu) != (expected.getPixel(x, y) & 0xFFFFFFu))
                ++wrong;
        }
    }
    return compared > 0 ? wrong : -1;
}

// The same, waiting up to three seconds for the window to be repainted
// (the machine may be busy).
int settledMismatches(SkinFrame& frame, bool active, const QRect& covered = {})
{
    int wrong = frameMismatches(frame, active, covered);
    for (int i = 0; i < 30 && wrong != 0; ++i) {
        QTest::qWait(100);
        wrong = frameMismatches(frame, active, covered);
    }
    return wrong;
}

class FrameX11Test : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(probe.ok()); }

    void showMain()
    {
        main.setAboutWindow(&about);
        main.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
        ASSERT_TRUE(QTest::qWaitFor([&] { return mainFrame().formActive(); }, 5000));
        QTest::qWait(150);
    }
    SkinFrame& mainFrame() { return *main.frame(); }
    SkinFrame& aboutFrame() { return *about.frame(); }
    QPoint globalCentre(SkinFrame& frame, int index)
    {
        const skin::Rect r = frame.layout().objectRects[std::size_t(index)];
        return onScreen(*frame.window(), QPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2));
    }
    QRect aboutOverMain() { return QRect(about.pos() - main.pos(), about.size()); }

    platform::QtMainThread mainThread;
    app::MainWindow main{mainThread, "/nonexistent/"};
    app::AboutWindow about{&main};
    frametest::X11Probe probe;
};


TEST_F(FrameX11Test, NoDecorationOfTheWindowManagerAndTheShapeIsTheFrameRegion)
{
    showMain();
    EXPECT_EQ(main.size(), QSize(589, 376));
    const uint32_t id = uint32_t(main.winId());
    // openbox frames the window without any border or title of its own.
    const std::vector<uint32_t> extents = probe.frameExtents(id);
    ASSERT_EQ(extents.size(), 4u);
    EXPECT_EQ(extents, (std::vector<uint32_t>{0, 0, 0, 0}));
    EXPECT_EQ(probe.geometry(probe.parent(id)).size(), main.size());
    ASSERT_TRUE(mainFrame().layout().region.has_value());
    EXPECT_EQ(probe.shape(id), skin::toQRegion(*mainFrame().layout().region));
    EXPECT_FALSE(probe.shape(id).contains(QPoint(0, 0)));
}

TEST_F(FrameX11Test, PicturesOfBothWindowsActiveAndInactiveEqualTheComposedFrame)
{
    showMain();
    EXPECT_EQ(settledMismatches(mainFrame(), true), 0) << "main window, active";

    main.showAbout();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&about));
    ASSERT_TRUE(QTest::qWaitFor([&] { return aboutFrame().formActive() && !mainFrame().formActive(); }, 5000));
    QTest::qWait(200);
    EXPECT_EQ(about.size(), QSize(327, 208));
    // Qt's idea of the place is the window manager's.
    EXPECT_EQ(probe.geometry(probe.parent(uint32_t(about.winId()))).topLeft(), about.pos());
    EXPECT_EQ(settledMismatches(aboutFrame(), true), 0) << "About window, active";
    EXPECT_EQ(settledMismatches(mainFrame(), false, aboutOverMain()), 0) << "main window, inactive";

    // The main window is activated again through the window manager.
    xdotool({QStringLiteral("windowactivate"), QString::number(main.winId())});
    ASSERT_TRUE(QTest::qWaitFor([&] { return mainFrame().formActive(); }, 5000));
    QTest::qWait(200);
    EXPECT_EQ(settledMismatches(mainFrame(), true, aboutOverMain()), 0) << "main window, active again";
    EXPECT_EQ(settledMismatches(aboutFrame(), false), 0) << "About window, inactive";
}

TEST_F(FrameX11Test, GlowWithACompositorOnlyAndClicksPassThroughIt)
{
    ASSERT_TRUE(g_session->startCompositor()) << g_session->error();
    ASSERT_TRUE(QTest::qWaitFor([] { return platform::compositingManagerRunning(); }, 5000));
    showMain();
    const int close = mainFrame().getIndex("closebutton");
    pointerTo(onScreen(main, QPoint(300, 200)));
    pointerTo(globalCentre(mainFrame(), close));
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return mainFrame().glow(close) && mainFrame().glow(close)->isVisible(); }, 3000));
    skin::LayerManager* glow = mainFrame().glow(close);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !glow->fading(); }, 3000));
    // It stays while the pointer rests on the button, under the glow.
    QTest::qWait(200);
    EXPECT_TRUE(glow->isVisible());
    EXPECT_EQ(mainFrame().activeObject(), close);
    const skin::Rect r = mainFrame().layout().objectRects[std::size_t(close)];
    const QRect expected(onScreen(main, QPoint(r.left - 8, r.top - 8)), QSize(47, 35));
    EXPECT_EQ(glow->window()->geometry(), expected);
    auto mapped = [&] {
        for (const auto& w : probe.viewableTopLevels())
            if (w.window == uint32_t(glow->window()->winId()))
                return w.overrideRedirect && w.geometry == expected;
        return false;
    };
    EXPECT_TRUE(QTest::qWaitFor(mapped, 2000)) << "the glow is a mapped, unmanaged window at its place";

    // The glow covers the button; the click reaches the button anyway.
    xdotool({QStringLiteral("click"), QStringLiteral("1")});
    ASSERT_TRUE(QTest::qWaitFor([&] { return !main.isVisible(); }, 3000));
    EXPECT_FALSE(glow->window()->isVisible());

    // Without a compositing manager no glow window appears at all.
    g_session->stopCompositor();
    ASSERT_TRUE(QTest::qWaitFor([] { return !platform::compositingManagerRunning(); }, 5000));
    showMain();
    pointerTo(onScreen(main, QPoint(300, 200)));
    pointerTo(globalCentre(mainFrame(), close));
    ASSERT_TRUE(QTest::qWaitFor([&] { return mainFrame().activeObject() == close; }, 3000));
    QTest::qWait(300);
    EXPECT_TRUE(mainFrame().glow(close) == nullptr || !mainFrame().glow(close)->isVisible());
    for (const auto& w : probe.viewableTopLevels())
        EXPECT_FALSE(w.overrideRedirect && w.geometry.size() == QSize(47, 35)) << "a glow window is mapped";
}

TEST_F(FrameX11Test, ALongTitleIsShortenedWithDots)
{
    const QString title = QStringLiteral("Tessaly 1.0 - checking a book with a very long title indeed");
    main.setWindowTitle(title);
    showMain();
    main.setGeometry(QRect(main.pos(), QSize(320, 200)));
    ASSERT_TRUE(QTest::qWaitFor([&] { return main.size() == QSize(320, 200); }, 3000));
    QTest::qWait(200);

    const auto& sd = *mainFrame().skinData();
    const auto& caption = dynamic_cast<const skin::DataSkinCaption&>(*sd.objectList()[std::size_t(sd.getIndex("caption"))]);
    const skin::Rect at = mainFrame().layout().objectRects[std::size_t(mainFrame().getIndex("caption"))];
    const int available = at.width() + caption.textRct.right - caption.skinRect.width() - caption.textRct.left;
    skin::Bitmap scratch(4, 4);
    platform::QtCanvas canvas = skin::canvasOf(scratch);
    skin::Font font;
    font.name = caption.fontName;
    font.height = caption.fontHeight;
    font.style = caption.fontStyle;
    canvas.setFont(skin::fontOf(font));
    const QString shown = skin::fitTextWithEllipsis(canvas, title, available);
    EXPECT_TRUE(shown.endsWith(QStringLiteral("..."))) << shown.toStdString();
    EXPECT_LT(shown.size(), title.size());
    EXPECT_EQ(settledMismatches(mainFrame(), true), 0);
}


QString num(int v) { return QString::number(v); }

// Presses the left button at a screen point, moves in steps by `delta` and
// holds the button there (the caller releases it).
void pressAndDrag(const QPoint& from, const QPoint& delta)
{
    pointerTo(from);
    xdotool({QStringLiteral("mousedown"), QStringLiteral("1")});
    QTest::qWait(100);
    for (int i = 1; i <= 5; ++i) {
        pointerTo(from + delta * i / 5);
        QTest::qWait(40);
    }
}

void release() { xdotool({QStringLiteral("mouseup"), QStringLiteral("1")}); }

std::vector<std::string> openMenuCaptions(SkinFrame& frame)
{
    std::vector<std::string> out;
    skin::SkinPopupWindow* w = frame.skinMenu().window(0);
    for (int i = 0; w && i < w->itemCount(); ++i)
        out.push_back(w->item(i).menuItem().caption.toStdString());
    return out;
}


TEST_F(FrameX11Test, DraggingTheCaptionMovesTheWindowAndAButtonLightsRightAfter)
{
    showMain();
    const QPoint before = main.pos();
    pressAndDrag(onScreen(main, QPoint(300, 12)), QPoint(80, 60));
    release();
    ASSERT_TRUE(QTest::qWaitFor([&] { return main.pos() == before + QPoint(80, 60); }, 3000))
        << main.pos().x() << "," << main.pos().y();
    // No click in between: hovering the close button lights it.
    const int close = mainFrame().getIndex("closebutton");
    pointerTo(onScreen(main, QPoint(300, 200)));
    pointerTo(globalCentre(mainFrame(), close));
    EXPECT_TRUE(QTest::qWaitFor([&] { return mainFrame().activeObject() == close; }, 3000));
    EXPECT_TRUE(mainFrame().objects()[std::size_t(close)].hot());
    EXPECT_FALSE(mainFrame().sizeMoveRunning());
    // And a click on it works at once.
    xdotool({QStringLiteral("click"), QStringLiteral("1")});
    EXPECT_TRUE(QTest::qWaitFor([&] { return !main.isVisible(); }, 3000));
}

TEST_F(FrameX11Test, AltSpaceOpensTheMenuBelowTheButtonAndADoubleClickOnTheButtonCloses)
{
    showMain();
    xdotool({QStringLiteral("key"), QStringLiteral("alt+space")});
    ASSERT_TRUE(QTest::qWaitFor([&] { return mainFrame().inMenu() && mainFrame().skinMenu().window(0); }, 3000));
    const int sysMenu = mainFrame().getIndex("sysmenubutton");
    const skin::Rect r = mainFrame().layout().objectRects[std::size_t(sysMenu)];
    EXPECT_EQ(mainFrame().skinMenu().window(0)->geometry().topLeft(), onScreen(main, QPoint(r.left, r.bottom)));
    EXPECT_EQ(openMenuCaptions(mainFrame()), (std::vector<std::string>{"Mi&nimize", "-", "&Close"}));
    xdotool({QStringLiteral("key"), QStringLiteral("Escape")});
    ASSERT_TRUE(QTest::qWaitFor([&] { return !mainFrame().inMenu(); }, 3000));
    EXPECT_TRUE(main.isVisible());

    // One click opens the menu below the button and leaves the window be.
    pointerTo(onScreen(main, QPoint(300, 200)));
    pointerTo(globalCentre(mainFrame(), sysMenu));
    xdotool({QStringLiteral("click"), QStringLiteral("1")});
    ASSERT_TRUE(QTest::qWaitFor([&] { return mainFrame().inMenu() && mainFrame().skinMenu().window(0); }, 3000));
    EXPECT_EQ(mainFrame().skinMenu().window(0)->geometry().topLeft(), onScreen(main, QPoint(r.left, r.bottom)));
    QTest::qWait(600); // longer than a double click
    EXPECT_TRUE(main.isVisible());
    xdotool({QStringLiteral("key"), QStringLiteral("Escape")});
    ASSERT_TRUE(QTest::qWaitFor([&] { return !mainFrame().inMenu(); }, 3000));

    // Two quick clicks: the second closes the menu, then the window.
    xdotool({QStringLiteral("click"), QStringLiteral("--repeat"), QStringLiteral("2"), QStringLiteral("--delay"),
             QStringLiteral("80"), QStringLiteral("1")});
    EXPECT_TRUE(QTest::qWaitFor([&] { return !main.isVisible(); }, 3000));
    EXPECT_FALSE(mainFrame().inMenu());
}

TEST_F(FrameX11Test, DraggingTheBottomRightCornerResizesAndStopsAtTheMinimum)
{
    showMain();
    const QRect before = main.geometry();
    const QPoint corner = onScreen(main, QPoint(main.width() - 2, main.height() - 2));
    pressAndDrag(corner, QPoint(60, 40));
    EXPECT_TRUE(QTest::qWaitFor([&] { return main.size() == before.size() + QSize(60, 40); }, 3000))
        << main.width() << "x" << main.height();
    // The window manager has the pointer and the keyboard meanwhile; the
    // frame keeps the active look.
    EXPECT_TRUE(mainFrame().sizeMoveRunning());
    EXPECT_TRUE(mainFrame().formActive());
    pointerTo(onScreen(main, QPoint(20, 10)));
    QTest::qWait(200);
    release();
    const QSize minimum(mainFrame().getMinWidth(), mainFrame().getMinHeight());
    EXPECT_TRUE(QTest::qWaitFor([&] { return main.size() == minimum; }, 3000))
        << main.width() << "x" << main.height();
    EXPECT_EQ(main.pos(), before.topLeft());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !mainFrame().sizeMoveRunning(); }, 1000));
    // The frame was laid out for the new size.
    EXPECT_EQ(mainFrame().layout().width, minimum.width());
    EXPECT_EQ(main.clientArea()->geometry().width(), mainFrame().layout().clientRect.width());
}

TEST_F(FrameX11Test, DraggingTheStatusBarsGripResizesThroughTheFramesSizing)
{
    showMain();
    skin::SkinStatusBar& bar = *main.statusBar();
    bar.setSizeGrip(true);
    const QRect before = main.geometry();
    const skin::Rect grip = bar.gripRect();
    ASSERT_FALSE(grip.isEmpty());
    const QPoint inGrip = bar.mapTo(&main, QPoint((grip.left + grip.right) / 2, (grip.top + grip.bottom) / 2));
    pressAndDrag(onScreen(main, inGrip), QPoint(50, 30));
    EXPECT_TRUE(QTest::qWaitFor([&] { return main.size() == before.size() + QSize(50, 30); }, 3000))
        << main.width() << "x" << main.height();
    // The frame runs it, as for its own corner: the window manager sizes.
    EXPECT_TRUE(mainFrame().sizeMoveRunning());
    release();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !mainFrame().sizeMoveRunning(); }, 2000));
    EXPECT_EQ(main.pos(), before.topLeft());
    // The bar stays at the bottom with its grip in the corner.
    EXPECT_EQ(bar.mapTo(&main, QPoint(0, bar.height())).y(), main.clientArea()->geometry().bottom() + 1);
}

TEST_F(FrameX11Test, MinimiseTakesTheAboutWindowAlongAndRestoreBringsItBack)
{
    showMain();
    int restores = 0;
    mainFrame().setOnRestore([&] { ++restores; });
    main.showAbout();
    ASSERT_TRUE(QTest::qWaitFor([&] { return about.isVisible() && aboutFrame().formActive(); }, 5000));
    xdotool({QStringLiteral("windowactivate"), num(int(main.winId()))});
    ASSERT_TRUE(QTest::qWaitFor([&] { return mainFrame().formActive(); }, 5000));
    const int minimise = mainFrame().getIndex("minbutton");
    pointerTo(onScreen(main, QPoint(300, 200)));
    pointerTo(globalCentre(mainFrame(), minimise));
    ASSERT_TRUE(QTest::qWaitFor([&] { return mainFrame().activeObject() == minimise; }, 3000));
    xdotool({QStringLiteral("click"), QStringLiteral("1")});
    ASSERT_TRUE(QTest::qWaitFor([&] { return main.isMinimized(); }, 3000));
    EXPECT_FALSE(about.isVisible());
    EXPECT_EQ(mainFrame().windowState(), SkinFrame::WindowState::Normal);
    EXPECT_EQ(restores, 0);
    // The window manager shows it again (as from a task bar).
    xdotool({QStringLiteral("windowactivate"), num(int(main.winId()))});
    ASSERT_TRUE(QTest::qWaitFor([&] { return !main.isMinimized() && main.isVisible(); }, 3000))
        << int(main.windowState()) << main.isVisible() << about.isVisible();
    EXPECT_TRUE(QTest::qWaitFor([&] { return about.isVisible(); }, 3000));
    EXPECT_EQ(restores, 1);
    about.close();
}

TEST_F(FrameX11Test, RightClickOnTheCaptionOpensTheSkinnedSystemMenu)
{
    showMain();
    pointerTo(onScreen(main, QPoint(300, 12)));
    xdotool({QStringLiteral("click"), QStringLiteral("3")});
    ASSERT_TRUE(QTest::qWaitFor([&] { return mainFrame().inMenu() && mainFrame().skinMenu().window(0); }, 3000));
    EXPECT_EQ(openMenuCaptions(mainFrame()), (std::vector<std::string>{"Mi&nimize", "-", "&Close"}));
    EXPECT_EQ(mainFrame().skinMenu().window(0)->item(2).menuItem().shortCutText(), QStringLiteral("Alt+F4"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return mainFrame().skinMenu().window(0)->isVisible(); }, 3000));
    EXPECT_EQ(mainFrame().skinMenu().window(0)->geometry().topLeft(), onScreen(main, QPoint(300, 12)));
    xdotool({QStringLiteral("key"), QStringLiteral("Escape")});
    ASSERT_TRUE(QTest::qWaitFor([&] { return !mainFrame().inMenu(); }, 3000));

    // The About window: "&Close" alone, and choosing it hides the window.
    main.showAbout();
    ASSERT_TRUE(QTest::qWaitFor([&] { return about.isVisible() && aboutFrame().formActive(); }, 5000));
    QTest::qWait(150);
    pointerTo(onScreen(about, QPoint(100, 12)));
    xdotool({QStringLiteral("click"), QStringLiteral("3")});
    ASSERT_TRUE(QTest::qWaitFor([&] { return aboutFrame().inMenu() && aboutFrame().skinMenu().window(0); }, 3000));
    skin::SkinPopupWindow* popup = aboutFrame().skinMenu().window(0);
    EXPECT_EQ(openMenuCaptions(aboutFrame()), (std::vector<std::string>{"&Close"}));
    ASSERT_TRUE(QTest::qWaitFor([&] { return popup->isVisible(); }, 3000));
    const skin::Rect r = popup->screenRect(popup->item(0));
    pointerTo(QPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2));
    QTest::qWait(100);
    xdotool({QStringLiteral("click"), QStringLiteral("1")});
    EXPECT_TRUE(QTest::qWaitFor([&] { return !about.isVisible(); }, 3000));
    EXPECT_FALSE(aboutFrame().inMenu());
    EXPECT_TRUE(main.isVisible());
}

// The program itself, as its own process: its window's place on the screen.
QPoint programWindowPlace(const QString& window)
{
    QProcess geometry;
    geometry.start(QStringLiteral("xdotool"), {QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"), window});
    geometry.waitForFinished(5000);
    int x = -1, y = -1;
    for (const QByteArray& line : geometry.readAllStandardOutput().split('\n')) {
        if (line.startsWith("X="))
            x = line.mid(2).toInt();
        if (line.startsWith("Y="))
            y = line.mid(2).toInt();
    }
    return {x, y};
}

// Starts the program as its own process with settings of its own (the
// settings file's text given) and answers its main window's id.
QString startProgram(QProcess& program, const QTemporaryDir& settings, const QByteArray& settingsText = {})
{
    if (!settingsText.isEmpty()) {
        QDir(settings.path()).mkpath(QStringLiteral("Tessaly"));
        QFile file(settings.filePath(QStringLiteral("Tessaly/Tessaly.conf")));
        if (!file.open(QIODevice::WriteOnly) || file.write(settingsText) != settingsText.size())
            return {};
    }
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), settings.path());
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(TESSALY_PROGRAM), {});
    if (!program.waitForStarted(5000))
        return {};
    QProcess search;
    search.start(QStringLiteral("xdotool"), {QStringLiteral("search"), QStringLiteral("--sync"),
                                             QStringLiteral("--name"), QStringLiteral("^Tessaly 1.0$")});
    search.waitForFinished(20000);
    return QString::fromLatin1(search.readAllStandardOutput().split('\n').value(0));
}

// How many visible windows of the display have names that match a pattern.
int visibleWindowsNamed(const QString& pattern)
{
    QProcess search;
    search.start(QStringLiteral("xdotool"), {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                             QStringLiteral("--name"), pattern});
    search.waitForFinished(5000);
    const QByteArray ids = search.readAllStandardOutput().trimmed();
    return ids.isEmpty() ? 0 : int(ids.count('\n')) + 1;
}

// A quick click on the caption (the button up again before the press is
// handled) leaves the window where it is: it does not follow the pointer
// until the next click. Run with the program itself, with a compositing
// manager, where the window manager is slowest to take the pointer.
TEST(ProgramOnX11, AQuickClickOnTheCaptionLeavesTheWindowWhereItIs)
{
    ASSERT_TRUE(g_session->startCompositor()) << g_session->error();
    QTemporaryDir settings;
    QProcess program;
    const QString window = startProgram(program, settings);
    ASSERT_FALSE(window.isEmpty());
    QTest::qWait(1000);

    for (int attempt = 0; attempt < 4; ++attempt) {
        const QPoint before = programWindowPlace(window);
        const QPoint caption = before + QPoint(100, 12);
        // The button is held for 15 ms: a quick click, though not quicker
        // than a hand can make one.
        xdotool({QStringLiteral("mousemove"), num(caption.x()), num(caption.y()), QStringLiteral("mousedown"),
                 QStringLiteral("1"), QStringLiteral("sleep"), QStringLiteral("0.015"), QStringLiteral("mouseup"),
                 QStringLiteral("1")});
        QTest::qWait(300);
        pointerTo(caption + QPoint(120, 90));
        QTest::qWait(300);
        const QPoint after = programWindowPlace(window);
        EXPECT_EQ(after, before) << "attempt " << attempt << ": the window follows the pointer";
        if (after != before)
            xdotool({QStringLiteral("click"), QStringLiteral("1")});
    }
    program.kill();
    program.waitForFinished(5000);
    g_session->stopCompositor();
}

// The program wearing the dark skin, remembered from the last run: its
// window stands in the four shadow strips while a compositing manager runs.
TEST(ProgramOnX11, TheRememberedDarkSkinGivesTheWindowItsShadow)
{
    ASSERT_TRUE(g_session->startCompositor()) << g_session->error();
    QTemporaryDir settings;
    QProcess program;
    ASSERT_FALSE(startProgram(program, settings, "[appearance]\nskin=slate\n").isEmpty());
    EXPECT_TRUE(QTest::qWaitFor([] { return visibleWindowsNamed(QStringLiteral("^layerborder-")) == 4; }, 5000))
        << visibleWindowsNamed(QStringLiteral("^layerborder-"));
    program.kill();
    program.waitForFinished(5000);
    EXPECT_TRUE(QTest::qWaitFor([] { return visibleWindowsNamed(QStringLiteral("^layerborder-")) == 0; }, 5000));
    g_session->stopCompositor();
}

} // namespace

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    return x11test::runOnOwnDisplay(argc, argv, {}, [](x11test::X11Session& session) {
        g_session = &session;
        return RUN_ALL_TESTS();
    });
}
