// The panel and the status bar: faces against the records composed by
// hand, skin rectangles carried to the panel's size, the caption with its
// check box and roll-up marker, the children's area, the transparent look,
// and the status bar's size grip.

#include "pewter_fixture.h"
#include "skin/controls/control_accessibility.h"
#include "skin/controls/control_geometry.h"
#include "skin/controls/skin_panel.h"
#include "skin/controls/skin_status_bar.h"
#include "skin/data/skin_colors.h"
#include "skin/paint/bitmap_canvas.h"
#include "skin/paint/glyph.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

namespace tessaly::skin::test {
namespace {

struct PanelOn {
    QWidget parent;
    SkinPanel* panel;
    explicit PanelOn(SkinData* skin = &pewter(), QSize size = {120, 90})
    {
        parent.resize(300, 200);
        panel = new SkinPanel(&parent);
        panel->setSkinData(skin);
        panel->setGeometry(10, 10, size.width(), size.height());
    }
};

Rect clientPart(const DataSkinCustomControl& r)
{
    return {r.skinRect.left + r.clRect.left, r.skinRect.top + r.clRect.top, r.skinRect.left + r.clRect.right,
            r.skinRect.top + r.clRect.bottom};
}

TEST(SkinPanelFaces, TheFrameWithItsClientPartStretchedOrAloneWithoutABorder)
{
    const auto& r = recordOf<DataSkinPanelControl>("panel");
    ASSERT_TRUE(r.stretchEffect);
    PanelOn t;
    // The client part stretched over the grown client area: the record's
    // nine pieces with their client drawn.
    EXPECT_EQ(differingPixels(grabbed(*t.panel), nineFace(r, r.skinRect, 120, 90), t.panel->rect()), 0);
    t.panel->setBorderStyle(SkinPanel::BorderStyle::None);
    Bitmap alone(120, 90);
    copyPiece(pictureOfRecord(r), clientPart(r), alone, {0, 0, 120, 90});
    EXPECT_EQ(differingPixels(grabbed(*t.panel), alone, t.panel->rect()), 0);
}

TEST(SkinPanelFaces, ATiledClientStartsAtTheClientAreasCorner)
{
    std::unique_ptr<SkinData> skin = loadPewter();
    auto& r = editableRecord<DataSkinPanelControl>(*skin, "panel");
    r.stretchEffect = false;
    PanelOn t(skin.get());
    Bitmap expected;
    const NineGeometry cut{r.ltPoint, r.rtPoint, r.lbPoint, r.rbPoint, r.clRect};
    ControlGeometry g = ControlGeometry::of(r);
    int w = 120, h = 90;
    g.calcSkinSize(w, h);
    composeSkinImage(expected, pixelView(*skin->activePicture(r.pictureIndex)), r.skinRect, cut, g.target, 120, 90,
                     false, {true, true, true, true}, false, r.stretchType);
    // The client part repeated from the client area's top-left corner.
    const Rect c = clientPart(r);
    const Rect& area = g.target.client;
    for (int y = area.top; y < area.bottom; y += c.height())
        for (int x = area.left; x < area.right; x += c.width())
            copyPiece(pixelView(*skin->activePicture(r.pictureIndex)), c, expected,
                      {x, y, x + c.width(), y + c.height()});
    QImage image = grabbed(*t.panel);
    EXPECT_EQ(differingPixels(image, expected,
                              QRect(area.left, area.top, area.width(), area.height())),
              0);
}

TEST(SkinPanelFaces, ABackgroundPictureFillsTheClientArea)
{
    std::unique_ptr<SkinData> skin = loadPewter();
    auto& r = editableRecord<DataSkinPanelControl>(*skin, "panel");
    r.bgPictureIndex = 12; // pewter's hint picture stands in for a background
    PanelOn t(skin.get());
    const Picture& bg = *skin->activePicture(12);
    ControlGeometry g = ControlGeometry::of(r);
    int w = 120, h = 90;
    g.calcSkinSize(w, h);
    Bitmap expected(120, 90);
    copyPiece(pixelView(bg), {0, 0, bg.width(), bg.height()}, expected, g.target.client);
    const Rect& a = g.target.client;
    EXPECT_EQ(differingPixels(grabbed(*t.panel), expected, QRect(a.left, a.top, a.width(), a.height())), 0);
    EXPECT_EQ(t.panel->clientRectForChildren(), (Rect{0, 0, 120, 90})) << "a background panel gives all to children";
}

TEST(SkinRectMapping, RectanglesMoveOrGrowWithThePiecesThatHoldThem)
{
    DataSkinCustomControl nine("x");
    nine.skinRect = {0, 0, 40, 40};
    nine.ltPoint = {5, 5};
    nine.rtPoint = {35, 5};
    nine.lbPoint = {5, 35};
    nine.rbPoint = {35, 35};
    nine.clRect = {5, 5, 35, 35};
    DataSkinCustomControl row("y");
    row.skinRect = {0, 0, 40, 20};
    row.ltPoint = {5, 2};
    row.rtPoint = {35, 2};
    row.clRect = {5, 2, 35, 18};
    DataSkinCustomControl column("z");
    column.skinRect = {0, 0, 20, 40};
    column.ltPoint = {2, 5};
    column.lbPoint = {2, 35};
    column.clRect = {2, 5, 18, 35};
    struct Case {
        const DataSkinCustomControl* record;
        Rect rect, mapped;
    };
    // Grown by 60 × 30 (kind 1), 60 (kind 2), 30 (kind 3).
    const Case cases[] = {
        {&nine, {1, 1, 4, 4}, {1, 1, 4, 4}},       // in the top-left piece
        {&nine, {36, 1, 39, 4}, {96, 1, 99, 4}},   // top-right piece: moves right
        {&nine, {1, 36, 4, 39}, {1, 66, 4, 69}},   // bottom-left: moves down
        {&nine, {36, 36, 39, 39}, {96, 66, 99, 69}}, // bottom-right: both
        {&nine, {2, 2, 37, 4}, {2, 2, 97, 4}},     // across the top: grows
        {&nine, {2, 2, 4, 37}, {2, 2, 4, 67}},     // down the left: grows
        {&nine, {2, 2, 37, 37}, {2, 2, 97, 67}},   // corner to corner
        {&nine, {20, 20, 22, 22}, {20, 20, 22, 22}}, // in the middle: stays
        {&row, {2, 2, 38, 18}, {2, 2, 98, 18}},
        {&row, {36, 2, 39, 18}, {96, 2, 99, 18}},
        {&row, {10, 2, 20, 18}, {10, 2, 20, 18}},
        {&column, {2, 2, 18, 38}, {2, 2, 18, 68}},
        {&column, {2, 36, 18, 39}, {2, 66, 18, 69}},
    };
    for (const Case& c : cases) {
        const ControlGeometry g = ControlGeometry::of(*c.record);
        const int w = c.record->skinRect.width() + (c.record == &column ? 0 : 60);
        const int h = c.record->skinRect.height() + (c.record == &row ? 0 : 30);
        EXPECT_EQ(mapRectToSize(g, c.rect, w, h), c.mapped)
            << c.rect.left << "," << c.rect.top << "," << c.rect.right << "," << c.rect.bottom;
    }
}

// ---- caption, check and roll-up

struct CaptionPanel {
    std::unique_ptr<SkinData> skin = loadPewter();
    DataSkinPanelControl& record = editableRecord<DataSkinPanelControl>(*skin, "panel");
    PanelOn* on = nullptr;
    QPushButton* child = nullptr;
    CaptionPanel()
    {
        // A caption bar 22 pixels high across the top, which grows with the
        // width.
        record.ltPoint = {3, 22};
        record.rtPoint = {37, 22};
        record.clRect = {3, 22, 37, 37};
        record.captionRect = {3, 3, 37, 20};
        record.checkImageRect = {123, 52, 129, 57};   // pewter's menu marker stands in
        record.unCheckImageRect = {0, 0, 6, 5};
        on = new PanelOn(skin.get(), {150, 100});
        on->panel->setText(QStringLiteral("Options"));
        on->panel->setCaptionMode(true);
        child = new QPushButton(QStringLiteral("x"), on->panel);
        child->setGeometry(20, 40, 40, 20);
    }
    ~CaptionPanel() { delete on; }
    SkinPanel& panel() { return *on->panel; }
};

TEST(SkinPanelCaption, TheCaptionRectangleGrowsAndShowsTheText)
{
    CaptionPanel t;
    EXPECT_EQ(t.panel().captionArea(), (Rect{3, 3, 147, 20}));
    const QImage with = grabbed(t.panel());
    t.panel().setText({});
    const QImage without = grabbed(t.panel());
    int text = 0;
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 150; ++x)
            if (with.pixel(x, y) != without.pixel(x, y)) {
                EXPECT_TRUE(x >= 3 && x < 147 && y >= 3 && y < 20) << x << "," << y;
                ++text;
            }
    EXPECT_GT(text, 20);
}

TEST(SkinPanelCaption, CheckModeTogglesTheChildrenFromClickSpaceAndAssistiveTools)
{
    installControlAccessibility();
    CaptionPanel t;
    SkinPanel& p = t.panel();
    int notices = 0;
    p.setOnChecked([&] { ++notices; });
    p.setCheckedMode(true);
    p.setChecked(false);
    EXPECT_FALSE(t.child->isEnabled());
    EXPECT_EQ(p.focusPolicy(), Qt::TabFocus);
    // The check picture sits at the caption's left, centred.
    const Rect unchecked = t.record.unCheckImageRect;
    Bitmap expected = Bitmap(150, 100);
    QImage image = grabbed(p);
    const int top = 3 + 17 / 2 - unchecked.height() / 2;
    Bitmap piece(unchecked.width(), unchecked.height());
    copyPiece(pictureOfRecord(t.record), unchecked, piece, {0, 0, unchecked.width(), unchecked.height()});
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 150; ++x)
            expected.setPixel(x, y, image.pixel(x, y));
    drawGlyphCell(expected, 3, top, 1, 1, piece.view());
    EXPECT_EQ(differingPixels(image, expected, QRect(3, top, unchecked.width(), unchecked.height())), 0);

    QTest::mouseClick(&p, Qt::LeftButton, {}, QPoint(60, 10));
    EXPECT_TRUE(p.isChecked());
    EXPECT_TRUE(t.child->isEnabled());
    QTest::mouseClick(&p, Qt::LeftButton, {}, QPoint(60, 60));
    EXPECT_TRUE(p.isChecked()) << "a click below the caption changes nothing";
    QTest::keyClick(&p, Qt::Key_Space);
    EXPECT_FALSE(p.isChecked());
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(&p);
    ASSERT_NE(iface, nullptr);
    EXPECT_EQ(iface->text(QAccessible::Name), QStringLiteral("Options"));
    EXPECT_TRUE(iface->state().checkable);
    iface->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_TRUE(iface->state().checked);
    EXPECT_EQ(notices, 4);
}

TEST(SkinPanelCaption, RollingUpKeepsTheCaptionAndRestoresTheHeightExactly)
{
    CaptionPanel t;
    SkinPanel& p = t.panel();
    p.setRollUpMode(true);
    int changes = 0;
    p.setOnChangeRollUpState([&] { ++changes; });
    const int clientHeight = p.clientRectForChildren().height();
    QTest::mouseClick(&p, Qt::LeftButton, {}, QPoint(60, 10));
    EXPECT_TRUE(p.rollUpState());
    EXPECT_EQ(p.height(), 100 - clientHeight);
    EXPECT_EQ(p.realHeight(), 100);
    EXPECT_FALSE(t.child->isVisibleTo(&p));
    QTest::keyClick(&p, Qt::Key_Space);
    EXPECT_FALSE(p.rollUpState());
    EXPECT_EQ(p.height(), 100);
    EXPECT_EQ(p.realHeight(), -1);
    EXPECT_TRUE(t.child->isVisibleTo(&p));
    EXPECT_EQ(changes, 2);
}

TEST(SkinPanelCaption, WithoutARecordABarOfItsOwnWithACheckBox)
{
    QWidget parent;
    auto* p = new SkinPanel(&parent);
    p->setGeometry(0, 0, 120, 80);
    p->setCaptionMode(true);
    p->setCheckedMode(true);
    EXPECT_EQ(p->captionArea(), (Rect{1, 1, 119, 22}));
    EXPECT_EQ(p->clientRectForChildren(), (Rect{1, 22, 119, 79}));
    const QImage unchecked = grabbed(*p);
    p->setChecked(true);
    const QImage checked = grabbed(*p);
    int tick = 0;
    for (int y = 0; y < 80; ++y)
        for (int x = 0; x < 120; ++x)
            if (unchecked.pixel(x, y) != checked.pixel(x, y)) {
                EXPECT_TRUE(x >= 5 && x < 19 && y >= 1 && y < 22) << "the tick is in the box";
                ++tick;
            }
    EXPECT_GT(tick, 5);
}

// ---- children and the transparent look

TEST(SkinPanelChildren, ALayoutPlacesThemInTheClientArea)
{
    struct Case {
        bool skinned;
        SkinPanel::BorderStyle style;
        Rect area;
    };
    const auto& r = recordOf<DataSkinPanelControl>("panel");
    const Rect grown{r.clRect.left, r.clRect.top, r.clRect.right + 120 - r.skinRect.width(),
                     r.clRect.bottom + 90 - r.skinRect.height()};
    const Case cases[] = {
        {true, SkinPanel::BorderStyle::Frame, grown},
        {true, SkinPanel::BorderStyle::None, {0, 0, 120, 90}},
        {false, SkinPanel::BorderStyle::Lowered, {1, 1, 119, 89}},
        {false, SkinPanel::BorderStyle::None, {0, 0, 120, 90}},
    };
    for (const Case& c : cases) {
        QWidget parent;
        auto* p = new SkinPanel(&parent);
        if (c.skinned)
            p->setSkinData(&pewter());
        p->setGeometry(0, 0, 120, 90);
        p->setBorderStyle(c.style);
        auto* layout = new QVBoxLayout(p);
        layout->setSpacing(0);
        layout->setContentsMargins(0, 0, 0, 0); // the panel's own margins are the client area
        auto* child = new QWidget(p);
        layout->addWidget(child);
        parent.show();
        QCoreApplication::processEvents();
        layout->activate();
        EXPECT_EQ(p->clientRectForChildren(), c.area);
        EXPECT_EQ(child->geometry(), QRect(c.area.left, c.area.top, c.area.width(), c.area.height()));
    }
}

TEST(SkinPanelTransparent, TheParentShowsThroughInsideAnOutline)
{
    QWidget parent;
    parent.setAutoFillBackground(true);
    QPalette palette = parent.palette();
    palette.setColor(QPalette::Window, QColor(10, 200, 10));
    parent.setPalette(palette);
    parent.resize(200, 150);
    auto* p = new SkinPanel(&parent);
    p->setSkinData(&pewter());
    p->setGeometry(10, 10, 120, 90);
    p->setTransparentMode(true);
    const QImage image = parent.grab().toImage();
    EXPECT_EQ(QColor(image.pixel(60, 50)), QColor(10, 200, 10));
    EXPECT_EQ(QColor(image.pixel(10, 50)), qColorOf(pewter().skinColors().cBtnShadow));
    EXPECT_EQ(QColor(image.pixel(129, 99)), qColorOf(pewter().skinColors().cBtnShadow));
    // As a group box: the outline runs at the caption band's middle.
    p->setCaptionMode(true);
    p->setText(QStringLiteral("Group"));
    const QImage group = parent.grab().toImage();
    EXPECT_EQ(QColor(group.pixel(60, 50)), QColor(10, 200, 10));
    EXPECT_EQ(QColor(group.pixel(11, 10)), QColor(10, 200, 10)) << "above the outline";
    int captionInk = 0;
    for (int x = 15; x < 60; ++x)
        for (int y = 10; y < 25; ++y)
            if (QColor(group.pixel(x, y)) != QColor(10, 200, 10))
                ++captionInk;
    EXPECT_GT(captionInk, 20);
}

// ---- the status bar's grip

struct Bar {
    QWidget window;
    SkinStatusBar* bar;
    Bar()
    {
        window.resize(300, 120);
        bar = new SkinStatusBar(&window);
        bar->setSkinData(&pewter());
    }
};

TEST(SkinStatusBarGrip, TheRecordsGripperAtTheChildAreasCornerAndTheChildrenBesideIt)
{
    const auto& r = recordOf<DataSkinPanelControl>("statusbar");
    Bar t;
    SkinStatusBar& bar = *t.bar;
    const Rect area = bar.clientRectForChildren();
    EXPECT_TRUE(bar.gripRect().isEmpty());
    const QImage before = grabbed(bar);
    bar.setSizeGrip(true);
    const Rect g = r.gripperRect;
    const Rect grip{area.right - g.width(), area.bottom - g.height(), area.right, area.bottom};
    EXPECT_EQ(bar.gripRect(), grip);
    EXPECT_EQ(bar.clientRectForChildren().right, area.right - g.width());
    Bitmap expected(bar.width(), bar.height());
    for (int y = 0; y < bar.height(); ++y)
        for (int x = 0; x < bar.width(); ++x)
            expected.setPixel(x, y, before.pixel(x, y));
    Bitmap piece(g.width(), g.height());
    copyPiece(pictureOfRecord(r), g, piece, {0, 0, g.width(), g.height()});
    piece.checkingTransparent(colorFromValue(r.gripperTransparentColor));
    piece.draw(expected, grip.left, grip.top);
    EXPECT_EQ(differingPixels(grabbed(bar), expected, bar.rect()), 0);
}

TEST(SkinStatusBarGrip, DraggingTheGripSizesAWindowWithoutAFrame)
{
    Bar t;
    t.bar->setSizeGrip(true);
    t.window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&t.window));
    const Rect grip = t.bar->gripRect();
    const QPoint at(grip.left + 3, grip.top + 3);
    QTest::mousePress(t.bar, Qt::LeftButton, {}, at);
    QTest::mouseMove(t.bar, at + QPoint(40, 25));
    QTest::mouseRelease(t.bar, Qt::LeftButton, {}, at + QPoint(40, 25));
    EXPECT_EQ(t.window.size(), QSize(340, 145));
    EXPECT_EQ(t.bar->geometry().bottom(), 144) << "the bar stays docked";
}

} // namespace
} // namespace tessaly::skin::test
