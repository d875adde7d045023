// Pictures of the skinned menus as a user sees them on an X display:
//   status_menu.png  the status bar's menu, the pointer over "About"
//   sub_menu.png     a test menu with its sub-menu open
//   hint.png         a two-line skinned hint
//   scrolling.png    a menu taller than its work area, scrolled by the pointer
// Usage: xvfb-run -a -s "-screen 0 1280x1024x24" menu_snapshot OUT_DIR

#include <QApplication>
#include <QCursor>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>

#include <cstdio>
#include <memory>

#include "skin/data/compressed_stored_skin.h"
#include "skin/data/skin_data.h"
#include "skin/embedded_pewter.h"
#include "skin/menus/skin_hint.h"
#include "skin/menus/skin_menu.h"
#include "skin/menus/skin_popup_menu.h"
#include "skin/menus/skin_popup_window.h"

using namespace tessaly::skin;

namespace {

QPoint centreOf(const SkinPopupWindow& w, int item)
{
    const Rect r = w.screenRect(w.item(item));
    return QPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

Rect toRect(const QRect& r) { return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()}; }

// The screen area around the window and whatever opened over it.
bool save(const QRect& area, const QString& file)
{
    const QPixmap shot = QGuiApplication::primaryScreen()->grabWindow(0, area.x(), area.y(), area.width(), area.height());
    const bool ok = shot.save(file);
    std::printf("%s %s\n", ok ? "wrote" : "could not write", qPrintable(file));
    return ok;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: menu_snapshot OUT_DIR\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    QDir().mkpath(out.path());

    CompressedStoredSkin stored;
    stored.loadFromCompressBytes(embedded_pewter());
    SkinData skin;
    skin.loadCompressedStoredSkin(stored);

    // A stand-in for the main window: a report area and a status bar with
    // the "About" button at its right end.
    QWidget window;
    window.setWindowTitle(QStringLiteral("Tessaly"));
    window.setStyleSheet(QStringLiteral("QWidget#report { background: white; border: 1px solid #a0a0a0; }"));
    auto* layout = new QVBoxLayout(&window);
    auto* report = new QLabel(QStringLiteral("  Passed! No errors or warnings detected"));
    report->setObjectName(QStringLiteral("report"));
    report->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    layout->addWidget(report, 1);
    auto* statusBar = new QHBoxLayout;
    statusBar->addWidget(new QLabel(QStringLiteral("Ready")), 1);
    auto* about = new QPushButton(QStringLiteral("About"));
    statusBar->addWidget(about);
    layout->addLayout(statusBar);
    window.setGeometry(120, 80, 460, 260);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;
    QTest::qWait(200);
    const QRect shotArea(60, 40, 620, 420);

    // The status bar's menu, opened under the button as the button opens it.
    SkinPopupMenu aboutMenu(&window);
    aboutMenu.setSkinData(&skin);
    aboutMenu.items().add(QStringLiteral("Visit Our Website"));
    aboutMenu.items().addSeparator();
    aboutMenu.items().add(QStringLiteral("About"));
    const QRect button(about->mapToGlobal(QPoint(0, 0)), about->size());
    aboutMenu.popupFromRect2(about, toRect(button), false);
    SkinPopupWindow* level = aboutMenu.engine().lastWindow();
    if (!level || !QTest::qWaitForWindowExposed(level))
        return 1;
    QCursor::setPos(centreOf(*level, 2));
    QTest::qWait(400); // the cross-fade takes five 20 ms steps
    bool ok = save(shotArea, out.filePath(QStringLiteral("status_menu.png")));
    aboutMenu.engine().hide();
    // The focus events of the released grab come back late; a menu opened
    // before they have would be closed by them.
    QTest::qWait(400);

    // A test menu with a sub-menu, check marks, a disabled item and a shortcut.
    SkinPopupMenu testMenu(&window);
    testMenu.setSkinData(&skin);
    MenuItem& items = testMenu.items();
    items.add(QStringLiteral("&Open book...")).shortCut = QKeySequence(QStringLiteral("Ctrl+O"));
    MenuItem& recent = items.add(QStringLiteral("&Recent books"));
    recent.add(QStringLiteral("alice.epub"));
    recent.add(QStringLiteral("moby-dick.epub"));
    recent.add(QStringLiteral("broken.epub"));
    items.addSeparator();
    items.add(QStringLiteral("Show &warnings")).checked = true;
    MenuItem& radio = items.add(QStringLiteral("Checker in the &background"));
    radio.checked = true;
    radio.radioItem = true;
    items.add(QStringLiteral("Disabled item")).enabled = false;
    items.addSeparator();
    items.add(QStringLiteral("E&xit"));
    testMenu.popup(report->mapToGlobal(QPoint(30, 30)).x(), report->mapToGlobal(QPoint(30, 30)).y());
    level = testMenu.engine().lastWindow();
    if (!level || !QTest::qWaitForWindowExposed(level))
        return 1;
    QCursor::setPos(centreOf(*level, 1));
    if (!QTest::qWaitFor([&] { return testMenu.engine().levelCount() == 2; }, 2000)) {
        std::fprintf(stderr, "the sub-menu did not open (highlighted item %d, pointer at %d,%d)\n", level->activeItem(),
                     QCursor::pos().x(), QCursor::pos().y());
        return 1;
    }
    SkinPopupWindow* sub = testMenu.engine().window(1);
    if (!sub || !QTest::qWaitForWindowExposed(sub))
        return 1;
    QCursor::setPos(centreOf(*sub, 1));
    QTest::qWait(400);
    ok = save(shotArea, out.filePath(QStringLiteral("sub_menu.png"))) && ok;
    testMenu.engine().hide();
    QTest::qWait(400);

    SkinHint hint;
    hint.setSkinData(&skin);
    hint.activateHint(about->mapToGlobal(QPoint(-40, -50)), QStringLiteral("Opens the menu@of this program"));
    QTest::qWait(200);
    ok = save(shotArea, out.filePath(QStringLiteral("hint.png"))) && ok;
    hint.hideHint();

    // A long menu in a short work area: scroll markers, scrolled down a little.
    SkinPopupMenu longMenu(&window);
    longMenu.setSkinData(&skin);
    for (int i = 1; i <= 20; ++i)
        longMenu.items().add(QStringLiteral("Chapter %1").arg(i));
    longMenu.engine().setWorkArea(Rect{0, 60, 1280, 260});
    longMenu.popup(report->mapToGlobal(QPoint(40, 0)).x(), report->mapToGlobal(QPoint(40, 0)).y());
    level = longMenu.engine().lastWindow();
    if (!level || !QTest::qWaitForWindowExposed(level))
        return 1;
    const Rect marker = level->bottomMarker();
    QCursor::setPos(level->mapToGlobal(QPoint((marker.left + marker.right) / 2, (marker.top + marker.bottom) / 2)));
    QTest::qWait(350); // about three items
    ok = save(shotArea, out.filePath(QStringLiteral("scrolling.png"))) && ok;
    longMenu.engine().hide();
    return ok ? 0 : 1;
}
