// The skinned edit's side parts: the side button (skinned from the
// record's button pictures, and built in), its click from the pointer and
// the keyboard, the side images of an image list, and the alignment.

#include "pewter_fixture.h"
#include "skin/controls/image_list.h"
#include "skin/controls/skin_edit.h"
#include "skin/data/system_colors.h"
#include "skin/paint/bitmap_canvas.h"

#include "skin/controls/control_accessibility.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QTest>

namespace tessaly::skin::test {
namespace {

void pointerAt(QWidget& w, QPoint at)
{
    QMouseEvent move(QEvent::MouseMove, at, w.mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&w, &move);
}

// Pewter's edit given a side button in a fixed right part of 16 pixels.
struct ButtonEdit {
    std::unique_ptr<SkinData> skin = loadPewter();
    DataSkinEditControl& record = editableRecord<DataSkinEditControl>(*skin, "edit");
    QWidget window;
    SkinEdit* edit;
    int clicks = 0;
    ButtonEdit()
    {
        record.rtPoint.x = 24;
        record.clRect.right = 24;
        record.buttonRect = {24, 2, 38, 16};
        record.activeButtonRect = {0, 52, 14, 66};
        record.downButtonRect = {41, 52, 55, 66};
        record.unEnabledButtonRect = {82, 52, 96, 66};
        window.resize(260, 40);
        edit = new SkinEdit(&window);
        edit->setGeometry(10, 10, 200, 18);
        edit->setSkinData(skin.get());
        edit->setButtonMode(true);
        edit->setOnButtonClick([this] { ++clicks; });
    }
    PixelView picture() const { return pixelView(*skin->activePicture(record.pictureIndex)); }
};

TEST(SkinEditSideButton, MovesWithTheRightEdgeAndShowsTheRecordsPictureForEachState)
{
    ButtonEdit t;
    SkinEdit& e = *t.edit;
    const Rect button{24 + 160, 2, 38 + 160, 16};
    EXPECT_EQ(e.sideParts().buttonRect(), button);
    EXPECT_LE(e.lineEdit()->geometry().right(), 160 + 24) << "the text stays left of the button";
    hover(e);
    const QImage rest = grabbed(e);
    struct Case {
        const char* what;
        std::function<void()> enter;
        Rect source;
    };
    const Case cases[] = {
        {"hot", [&] { pointerAt(e, {190, 8}); }, t.record.activeButtonRect},
        {"pressed", [&] { QTest::mousePress(&e, Qt::LeftButton, {}, {190, 8}); }, t.record.downButtonRect},
        {"disabled",
         [&] {
             QTest::mouseRelease(&e, Qt::LeftButton, {}, {190, 8});
             e.setEnabled(false);
         },
         t.record.unEnabledButtonRect},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        c.enter();
        Bitmap expected(200, 18);
        const QImage restRgb = rest.convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < 18; ++y)
            for (int x = 0; x < 200; ++x)
                expected.setPixel(x, y, restRgb.pixel(x, y));
        copyPiece(t.picture(), c.source, expected, button);
        const QRect outsideText = QRect(0, 0, 200, 18);
        // Only the button changes (the text area is the line's own).
        EXPECT_EQ(differingPixels(grabbed(e), expected, outsideText.adjusted(button.left - 2, 0, 0, 0)), 0);
    }
}

TEST(SkinEditSideButton, ClicksOnReleaseOverItFromThePointerAndAltDownOrF4)
{
    ButtonEdit t;
    SkinEdit& e = *t.edit;
    QTest::mouseClick(&e, Qt::LeftButton, {}, {190, 8});
    EXPECT_EQ(t.clicks, 1);
    QTest::mousePress(&e, Qt::LeftButton, {}, {190, 8});
    QTest::mouseRelease(&e, Qt::LeftButton, {}, {100, 8});
    EXPECT_EQ(t.clicks, 1) << "released elsewhere";
    QTest::keyClick(e.lineEdit(), Qt::Key_Down, Qt::AltModifier);
    QTest::keyClick(e.lineEdit(), Qt::Key_F4);
    EXPECT_EQ(t.clicks, 3);
    e.setButtonMode(false);
    QTest::keyClick(e.lineEdit(), Qt::Key_F4);
    QTest::mouseClick(&e, Qt::LeftButton, {}, {190, 8});
    EXPECT_EQ(t.clicks, 3) << "no button, no click";
}

TEST(SkinEditSideButton, AssistiveToolsPressIt)
{
    installControlAccessibility();
    ButtonEdit t;
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(t.edit);
    ASSERT_NE(iface, nullptr);
    ASSERT_NE(iface->actionInterface(), nullptr);
    EXPECT_EQ(iface->actionInterface()->actionNames(), QStringList{QAccessibleActionInterface::pressAction()});
    iface->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(t.clicks, 1);
    t.edit->setButtonMode(false);
    EXPECT_TRUE(iface->actionInterface()->actionNames().isEmpty());
}

TEST(SkinEditSideButton, WithoutARecordASquareAtTheRightInTheBuiltInColours)
{
    QWidget window;
    auto* e = new SkinEdit(&window);
    e->setGeometry(0, 0, 120, 20);
    e->setButtonMode(true);
    EXPECT_EQ(e->sideParts().buttonRect(), (Rect{100, 0, 120, 20}));
    EXPECT_EQ(e->editRect(), QRect(2, 2, 96, 16)) << "up to two pixels before the button";
    struct Case {
        const char* what;
        std::function<void()> enter;
        Color frame, fill;
    };
    const Case cases[] = {
        {"rest", [] {}, systemColorValue(SystemColor::BtnShadow), systemColorValue(SystemColor::BtnFace)},
        {"hot", [&] { pointerAt(*e, {110, 10}); }, defaultHotFrame, defaultHotFill},
        {"pressed", [&] { QTest::mousePress(e, Qt::LeftButton, {}, {110, 10}); }, defaultPressedFrame,
         defaultPressedFill},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        c.enter();
        const QImage image = grabbed(*e);
        EXPECT_EQ(QColor(image.pixel(100, 0)), qColorOf(c.frame));
        EXPECT_EQ(QColor(image.pixel(119, 19)), qColorOf(c.frame));
        EXPECT_EQ(QColor(image.pixel(110, 10)), qColorOf(c.fill));
    }
}

TEST(SkinEditSideImages, ShowTheirPicturesHotAndPressedAndClick)
{
    ImageList images(8, 8);
    const PixelColor colours[] = {0xFFC00000u, 0xFF00C000u, 0xFF0000C0u};
    for (const PixelColor c : colours) {
        Bitmap b(8, 8);
        b.fillRect({0, 0, 8, 8}, c);
        images.add(b);
    }
    QWidget window;
    auto* e = new SkinEdit(&window);
    e->setGeometry(0, 0, 120, 20);
    e->setImages(&images);
    e->setLeftImage({0, 1, 2});
    int lefts = 0;
    e->setOnLeftButtonClick([&] { ++lefts; });
    EXPECT_EQ(e->sideParts().leftArea(), (Rect{2, 2, 10, 18}));
    EXPECT_EQ(e->lineEdit()->geometry().left(), 12) << "two pixels after the image";
    EXPECT_TRUE(e->sideParts().rightArea().isEmpty()) << "no right picture, no right area";
    const QPoint image(6, 10); // the picture is centred: rows 6 to 13
    struct Case {
        const char* what;
        std::function<void()> enter;
        PixelColor shown;
    };
    const Case cases[] = {
        {"normal", [] {}, colours[0]},
        {"hot", [&] { pointerAt(*e, image); }, colours[1]},
        {"pressed", [&] { QTest::mousePress(e, Qt::LeftButton, {}, image); }, colours[2]},
        {"released", [&] { QTest::mouseRelease(e, Qt::LeftButton, {}, image); }, colours[1]},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        c.enter();
        const QImage grab = grabbed(*e);
        EXPECT_EQ(grab.pixel(image) & 0xFFFFFFu, c.shown & 0xFFFFFFu);
        EXPECT_EQ(grab.pixel(6, 5) & 0xFFFFFFu, grab.pixel(6, 15) & 0xFFFFFFu) << "above and below: background";
    }
    EXPECT_EQ(lefts, 1);
    e->setEnabled(false);
    const QRgb grey = grabbed(*e).pixel(image);
    EXPECT_TRUE(qRed(grey) == qGreen(grey) && qGreen(grey) == qBlue(grey)) << "a disabled edit greys its images";
}

TEST(SkinEditAlignment, TheTextGoesWhereTheAlignmentSays)
{
    QWidget window;
    auto* e = new SkinEdit(&window);
    e->setSkinData(&pewter());
    e->setGeometry(0, 0, 300, 20);
    e->setText(QStringLiteral("ABC"));
    auto inkColumns = [&] {
        const QImage image = grabbed(*e);
        const QRgb background = image.pixel(150, 4);
        int first = 300, last = -1;
        const QRect text = e->editRect();
        for (int y = text.top(); y <= text.bottom(); ++y)
            for (int x = text.left(); x <= text.right(); ++x)
                if (image.pixel(x, y) != background && image.pixel(x, y) != image.pixel(x, text.top())) {
                    first = std::min(first, x);
                    last = std::max(last, x);
                }
        return std::pair(first, last);
    };
    const auto left = inkColumns();
    e->setAlignment(Qt::AlignRight);
    const auto right = inkColumns();
    e->setAlignment(Qt::AlignHCenter);
    const auto centre = inkColumns();
    EXPECT_LT(left.second, 100);
    EXPECT_GT(right.first, 200);
    EXPECT_GT(centre.first, 100);
    EXPECT_LT(centre.second, 200);
}

} // namespace
} // namespace tessaly::skin::test
