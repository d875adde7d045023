// The control base: size rules per record kind, binding and skin notices,
// the status bar, the labels, and skin values that must not break painting.

#include "pewter_fixture.h"
#include "skin/controls/skin_button.h"
#include "skin/controls/skin_link_label.h"
#include "skin/controls/control_geometry.h"
#include "skin/controls/image_list.h"
#include "skin/menus/skin_hint.h"
#include <QHelpEvent>
#include "skin/controls/skin_status_bar.h"
#include "skin/controls/skin_std_label.h"
#include "skin/data/skin_notifier.h"
#include "skin/paint/bitmap_canvas.h"

#include <QTemporaryDir>
#include <QTest>

#include <fstream>
#include <sstream>

namespace tessaly::skin::test {
namespace {

DataSkinCustomControl recordOfKind(Point lt, Point rt, Point lb, Point rb)
{
    DataSkinCustomControl r;
    r.skinRect = {10, 10, 50, 30}; // 40 × 20
    r.ltPoint = lt;
    r.rtPoint = rt;
    r.lbPoint = lb;
    r.rbPoint = rb;
    r.clRect = {4, 4, 36, 16};
    return r;
}

TEST(ControlGeometry, SizeRulesPerKind)
{
    struct Case {
        const char* name;
        DataSkinCustomControl record;
        ResizeMode mode;
        QSize asked;
        QSize given;
        Rect client;
    };
    const Case cases[] = {
        {"fixed", recordOfKind({}, {}, {}, {}), ResizeMode::Fixed, {90, 50}, {40, 20}, {4, 4, 36, 16}},
        {"nine pieces", recordOfKind({4, 4}, {36, 4}, {4, 16}, {36, 16}), ResizeMode::NinePiece, {90, 50},
         {90, 50}, {4, 4, 86, 46}},
        {"row", recordOfKind({4, 0}, {36, 0}, {}, {}), ResizeMode::Horizontal, {90, 50}, {90, 20},
         {4, 4, 86, 16}},
        {"column", recordOfKind({0, 4}, {}, {0, 16}, {}), ResizeMode::Vertical, {90, 50}, {40, 50},
         {4, 4, 36, 46}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ControlGeometry g = ControlGeometry::of(c.record);
        EXPECT_EQ(g.mode, c.mode);
        int w = c.asked.width();
        int h = c.asked.height();
        g.calcSkinSize(w, h);
        EXPECT_EQ(QSize(w, h), c.given);
        EXPECT_EQ(g.target.client, c.client);
    }
    DataSkinCustomControl empty = recordOfKind({4, 4}, {36, 4}, {4, 16}, {36, 16});
    empty.skinRect = {5, 5, 5, 30};
    EXPECT_EQ(resizeModeOf(empty), ResizeMode::None);
}

// Any control on a nine-piece record can ask for the forced background:
// the border strips of the composition, and the client part laid over the
// client area only while drawBackground is on (else the parent shows).
TEST(SkinControlForcedBackground, BorderStripsAndTheClientPartOnlyWhenAsked)
{
    const auto& r = recordOf<DataSkinPanelControl>("panel");
    ASSERT_TRUE(r.stretchEffect);
    struct Case {
        bool force;
        bool drawBackground;
        bool clientFromSkin;
    };
    for (const Case c : {Case{false, false, true}, Case{true, true, true}, Case{true, false, false}}) {
        SkinControl control;
        control.setSkinDataName("panel");
        control.setSkinData(&pewter());
        control.resize(130, 95);
        control.setForceBackground(c.force);
        control.setDrawBackground(c.drawBackground);
        control.grab();
        const Bitmap& face = control.lastFace();
        const Bitmap whole = nineFace(r, r.skinRect, 130, 95);
        ControlGeometry g = ControlGeometry::of(r);
        int w = 130, h = 95;
        g.calcSkinSize(w, h);
        const Rect& client = g.target.client;
        ASSERT_FALSE(client.isEmpty());
        int borderDiff = 0, clientDiff = 0, clientInk = 0;
        for (int y = 0; y < 95; ++y)
            for (int x = 0; x < 130; ++x) {
                const bool inClient = x >= client.left && x < client.right && y >= client.top && y < client.bottom;
                const bool differs = (face.getPixel(x, y) & 0xFFFFFFu) != (whole.getPixel(x, y) & 0xFFFFFFu);
                (inClient ? clientDiff : borderDiff) += differs;
                clientInk += inClient && face.getPixel(x, y) != 0;
            }
        EXPECT_EQ(borderDiff, 0) << c.force << c.drawBackground;
        if (c.clientFromSkin)
            EXPECT_EQ(clientDiff, 0) << c.force << c.drawBackground;
        else
            EXPECT_EQ(clientInk, 0) << "the client area is left to the parent";
    }
}

// A control's hint title and image reach the skinned hint with its tool tip.
TEST(SkinControlHint, TitleAndTheImageListsPictureShowInTheSkinnedHint)
{
    ImageList images(12, 10);
    Bitmap red(12, 10), blue(12, 10);
    red.fillRect({0, 0, 12, 10}, 0xFFC00000u);
    blue.fillRect({0, 0, 12, 10}, 0xFF0000C0u);
    images.add(red);
    images.add(blue);
    SkinButton button;
    button.setSkinData(&pewter());
    button.setToolTip(QStringLiteral("Checks the book"));
    button.setHintTitle(QStringLiteral("Validate"));
    button.setHintImageList(&images);
    button.setHintImageIndex(1);
    button.setGeometry(10, 10, 90, 25);
    button.show();
    SkinHint hint;
    hint.setSkinData(&pewter());
    hint.setActive(true);
    QHelpEvent help(QEvent::ToolTip, QPoint(5, 5), button.mapToGlobal(QPoint(5, 5)));
    QCoreApplication::sendEvent(&button, &help);
    const SkinHintWindow& w = hint.window();
    EXPECT_EQ(w.shownTitle(), QStringLiteral("Validate"));
    const Rect& at = w.extendedLayout().image;
    ASSERT_EQ(at.width(), 12);
    EXPECT_EQ(w.buffer().getPixel(at.left + 3, at.top + 3) & 0xFFFFFFu, 0x0000C0u) << "picture 1 of the list";
    // An index the list does not hold: the title alone.
    button.setHintImageIndex(2);
    QCoreApplication::sendEvent(&button, &help);
    EXPECT_TRUE(w.extendedLayout().image.isEmpty());
    EXPECT_FALSE(w.extendedLayout().title.isEmpty());
    hint.setActive(false);
}

TEST(SkinControlBinding, RowKindKeepsTheSkinsHeightWhateverIsAsked)
{
    QWidget window;
    window.resize(300, 100);
    auto* bar = new SkinStatusBar(&window);
    bar->setSkinData(&pewter());
    // Qt hands sizes to hidden widgets only when they are shown.
    window.show();
    const auto& r = recordOf<DataSkinPanelControl>("statusbar");
    bar->resize(200, 50);
    EXPECT_EQ(bar->height(), r.skinRect.height());
    EXPECT_EQ(bar->resizeMode(), ResizeMode::Horizontal);
}

TEST(SkinControlBinding, NameChangeShowsAtTheNextPaintAndNoticesRebind)
{
    QWidget window;
    auto* button = new SkinButton(QString(), &window);
    button->setSkinData(&pewter());
    EXPECT_GE(button->index(), 0);
    button->setSkinDataName("no such record");
    EXPECT_GE(button->index(), 0); // only stored
    button->grab();
    EXPECT_EQ(button->index(), -1);
    button->setSkinDataName("button");
    relaySkinNotice(&window, SKINMSG_CHANGE, &pewter());
    EXPECT_GE(button->index(), 0);
    relaySkinNotice(&window, SKINMSG_BEFORE_CHANGE, &pewter());
    EXPECT_EQ(button->index(), -1);
    // A notice of another registry passes this control by.
    SkinData other;
    relaySkinNotice(&window, SKINMSG_CHANGE, &other);
    EXPECT_EQ(button->index(), -1);
    relaySkinNotice(&window, SKINMSG_CHANGE, nullptr);
    EXPECT_GE(button->index(), 0);
}

TEST(SkinStatusBar, DrawnFromTheRecordAtTheWindowsWidthAndDockedAtTheBottom)
{
    const auto& r = recordOf<DataSkinPanelControl>("statusbar");
    QWidget window;
    window.resize(581, 343);
    auto* bar = new SkinStatusBar(&window);
    bar->setSkinData(&pewter());
    window.show();
    EXPECT_EQ(bar->geometry(), QRect(0, 343 - r.skinRect.height(), 581, r.skinRect.height()));
    EXPECT_EQ(differingPixels(grabbed(*bar), rowFace(r, r.skinRect, 581), bar->rect()), 0);
    window.resize(700, 400);
    EXPECT_EQ(bar->geometry(), QRect(0, 400 - r.skinRect.height(), 700, r.skinRect.height()));
    EXPECT_EQ(differingPixels(grabbed(*bar), rowFace(r, r.skinRect, 700), bar->rect()), 0);
}

TEST(SkinLabels, StdLabelTakesTheRecordsFontAndColourOrItsDefault)
{
    const auto& r = recordOf<DataSkinStdLabelControl>("stdlabel");
    SkinStdLabel bound(QStringLiteral("Version 1.0"));
    bound.setSkinData(&pewter());
    EXPECT_EQ(bound.drawFont().name, r.fontName);
    EXPECT_EQ(bound.palette().color(QPalette::WindowText), qColorOf(r.fontColor));
    SkinStdLabel unbound(QStringLiteral("Tessaly"));
    unbound.setDefaultFont({"Arial", -14, {true}, rgbColor(0, 0, 0)});
    EXPECT_TRUE(unbound.font().bold());
    EXPECT_EQ(unbound.index(), -1);
}

TEST(SkinLabels, LinkTurnsBlueWhileHoveredAndOpensOnlyWebAddresses)
{
    struct Case {
        const char* url;
        bool opened;
    };
    const Case cases[] = {
        {"https://tessaly.example/", true},
        {"http://tessaly.example/page", true},
        {"HTTPS://tessaly.example/", true},
        {"file:///etc/passwd", false},
        {"javascript:alert(1)", false},
        {"ftp://tessaly.example/", false},
        {"tessaly.example", false},
        {"http:///no-host", false},
        {"", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.url);
        SkinLinkLabel link(QString::fromUtf8(c.url));
        int opened = 0, clicks = 0;
        link.setUrlOpener([&](const QUrl&) { ++opened; });
        link.setOnClick([&] { ++clicks; });
        link.resize(100, 20);
        QTest::mouseClick(&link, Qt::LeftButton, {}, QPoint(5, 5));
        EXPECT_EQ(opened, c.opened ? 1 : 0);
        EXPECT_EQ(clicks, 1);
    }
    SkinLinkLabel link(QStringLiteral("https://tessaly.example/"));
    EXPECT_TRUE(link.font().underline());
    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QCoreApplication::sendEvent(&link, &enter);
    EXPECT_EQ(link.palette().color(QPalette::WindowText), QColor(0, 0, 255));
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(&link, &leave);
    EXPECT_EQ(link.palette().color(QPalette::WindowText), QColor(0, 0, 0));
}

TEST(SkinLabels, DisabledLabelIsEmbossed)
{
    QWidget window;
    window.setAutoFillBackground(true);
    QPalette palette = window.palette();
    palette.setColor(QPalette::Window, QColor(10, 200, 10));
    window.setPalette(palette);
    window.resize(200, 30);
    auto* label = new SkinStdLabel(QStringLiteral("Version 1.0"), &window);
    label->setSkinData(&pewter());
    label->setGeometry(0, 0, 200, 30);
    label->setEnabled(false);
    const QImage image = window.grab().toImage();
    const QRgb highlight = qColorOf(pewter().skinColors().cBtnHighLight).rgb();
    const QRgb shadow = qColorOf(pewter().skinColors().cBtnShadow).rgb();
    int highlights = 0, shadows = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            highlights += image.pixel(x, y) == highlight;
            shadows += image.pixel(x, y) == shadow;
        }
    EXPECT_GT(highlights, 5);
    EXPECT_GT(shadows, 5);
}

// The pewter description with one key of one record replaced, loaded into
// a registry of its own.
std::unique_ptr<SkinData> pewterWith(const std::string& section, const std::string& key, const std::string& value)
{
    static QTemporaryDir dir;
    const std::string file = dir.path().toStdString() + "/skin.ini";
    pewter().storeToDisk(file);
    std::ifstream in(file);
    std::stringstream text;
    text << in.rdbuf();
    std::string s = text.str();
    const auto at = s.find("[" + section + "]");
    EXPECT_NE(at, std::string::npos);
    const auto keyAt = s.find("\n" + key + "=", at);
    const auto end = s.find('\n', keyAt + 1);
    s.replace(keyAt + 1, end - keyAt - 1, key + "=" + value);
    std::ofstream(file, std::ios::trunc) << s;
    auto data = std::make_unique<SkinData>();
    data->loadFromFile(file);
    return data;
}

TEST(SkinValues, EmptyPictureRectangleDrawsTheBuiltInFace)
{
    auto data = pewterWith("button", "skinrect", "0,0,0,25");
    QWidget window;
    auto* button = new SkinButton(QString(), &window);
    button->setSkinData(data.get());
    button->resize(75, 25);
    ASSERT_GE(button->index(), 0);
    const QImage image = grabbed(*button);
    EXPECT_EQ(image.pixel(0, 0), qColorOf(systemColorValue(SystemColor::BtnShadow)).rgb());
    EXPECT_EQ(image.pixel(37, 3), qColorOf(systemColorValue(SystemColor::BtnFace)).rgb());
}

TEST(SkinValues, EmptyClientRectangleAndTinySizesPaintWithoutFault)
{
    auto data = pewterWith("button", "clientrect", "0,0,0,0");
    QWidget window;
    auto* button = new SkinButton(QStringLiteral("Validate"), &window);
    button->setSkinData(data.get());
    for (const QSize size : {QSize(75, 25), QSize(1, 1), QSize(0, 25), QSize(2, 2)}) {
        button->resize(size);
        button->grab();
        QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
        QCoreApplication::sendEvent(button, &enter);
        button->morphTick();
        button->grab();
    }
    SUCCEED();
}

} // namespace
} // namespace tessaly::skin::test
