// What popup windows draw: the skinned and the built-in look, separators,
// check marks, headers, and the highlight cross-fade.

#include <QTest>
#include <gtest/gtest.h>

#include "menu_fixture.h"
#include "skin/data/system_colors.h"
#include "skin/paint/pixel_view.h"
#include "skin/menus/skin_menu.h"
#include "skin/menus/skin_popup_window.h"

namespace tessaly::skin::test {
namespace {

class MenuLook : public ::testing::Test {
protected:
    void SetUp() override { menu.engine().setWorkArea(Rect{0, 0, 1000, 800}); }
    void TearDown() override
    {
        menu.engine().hide();
        processEvents();
    }
    SkinPopupWindow* open()
    {
        menu.popupFromRect2(nullptr, {100, 100, 180, 120}, false);
        return menu.engine().lastWindow();
    }
    static bool sameImage(const Bitmap& a, const Bitmap& b)
    {
        if (a.width() != b.width() || a.height() != b.height())
            return false;
        for (int y = 0; y < a.height(); ++y)
            for (int x = 0; x < a.width(); ++x)
                if ((a.getPixel(x, y) & 0xFFFFFFu) != (b.getPixel(x, y) & 0xFFFFFFu))
                    return false;
        return true;
    }

    Log log;
    SkinPopupMenu menu;
};

TEST_F(MenuLook, WithoutARegistryTheBuiltInLookIsDrawn)
{
    addStatusBarItems(menu, log);
    SkinPopupWindow* w = open();
    ASSERT_NE(w, nullptr);
    EXPECT_FALSE(w->skinned());
    EXPECT_EQ(w->height(), 20 + 4 + 20 + 6);
    const Bitmap& b = w->buffer();
    EXPECT_EQ(b.getPixel(0, 0) & 0xFFFFFFu, colorFromValue(colors::btnShadow) & 0xFFFFFFu);
    // the highlighted first item: navy frame
    const Rect first = w->item(0).objectRect;
    EXPECT_EQ(b.getPixel(first.left, first.top) & 0xFFFFFFu, 0x000080u);
    // the separator: a line in the shadow colour from the glyph column on
    const Rect sep = w->item(1).objectRect;
    EXPECT_EQ(b.getPixel(sep.left + 30, sep.top + sep.height() / 2) & 0xFFFFFFu,
              colorFromValue(colors::btnShadow) & 0xFFFFFFu);
}

TEST_F(MenuLook, PewterDrawsFromThePopupRecord)
{
    menu.setSkinData(&pewter());
    addStatusBarItems(menu, log);
    SkinPopupWindow* w = open();
    ASSERT_NE(w, nullptr);
    ASSERT_TRUE(w->skinned());
    const SkinData& sd = pewter();
    const Picture* frame = sd.activePicture(sd.popupWindow.windowPictureIndex);
    const auto* record = dynamic_cast<const DataSkinMenuItem*>(sd.objectList()[std::size_t(sd.getIndex("menuitem"))].get());
    ASSERT_NE(record, nullptr);
    const int items = 2 * record->skinRect.height() + record->dividerRect.height();
    EXPECT_EQ(w->height(), items + frame->height() - sd.popupWindow.itemsRect.height());
    EXPECT_EQ(w->item(0).objectRect.left, sd.popupWindow.itemsRect.left);
    // the window's corner comes from the popup picture
    EXPECT_EQ(w->buffer().getPixel(0, 0) & 0xFFFFFFu, frame->pixel(0, 0) & 0xFFFFFFu);
    // highlighted and normal faces differ
    SkinMenuItem& about = w->item(2);
    const Bitmap normal = about.image();
    about.active = true;
    about.jumpFade(true);
    EXPECT_FALSE(sameImage(normal, about.image()));
}

TEST_F(MenuLook, HighlightCrossFadesInFiveSteps)
{
    menu.setSkinData(&pewter());
    addStatusBarItems(menu, log);
    SkinPopupWindow* w = open();
    ASSERT_TRUE(w->look().morphing);
    SkinMenuItem& first = w->item(0);
    // the opening highlight fades in on the 20 ms timer
    EXPECT_LT(first.morphKf(), 1.0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return first.morphKf() == 1.0; }, 1000));
    // and out again, one fifth per tick
    first.active = false;
    int steps = 0;
    while (first.doMorphing())
        ++steps;
    EXPECT_EQ(steps, 5);
    EXPECT_EQ(first.morphKf(), 0.0);
}

TEST_F(MenuLook, CheckedItemsShowTheRecordsCheckImage)
{
    menu.setSkinData(&pewter());
    menu.items().add(QStringLiteral("Plain"));
    menu.items().add(QStringLiteral("Plain"));
    SkinPopupWindow* w = open();
    const Bitmap plain = w->item(1).image();
    w->item(1).menuItem().checked = true;
    const Bitmap checked = w->item(1).image();
    EXPECT_FALSE(sameImage(plain, checked));
    w->item(1).menuItem().radioItem = true;
    EXPECT_FALSE(sameImage(checked, w->item(1).image()));
}

TEST_F(MenuLook, DisabledWordBetweenDashesIsAHeader)
{
    MenuItem& header = menu.items().add(QStringLiteral("-Options-"));
    header.enabled = false;
    menu.items().add(QStringLiteral("-Options-"));
    SkinPopupWindow* w = open();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->item(0).menuItem().isHeader());
    EXPECT_FALSE(w->item(1).menuItem().isHeader());
    // the built-in header is filled with the shadow colour; the enabled twin is an ordinary item
    const PixelColor shadow = colorFromValue(colors::btnShadow) & 0xFFFFFFu;
    EXPECT_EQ(w->item(0).image().getPixel(1, 1) & 0xFFFFFFu, shadow);
    w->item(1).active = false;
    EXPECT_NE(w->item(1).image().getPixel(30, 1) & 0xFFFFFFu, shadow);
    // the first usable item is highlighted on opening: the header is skipped
    EXPECT_EQ(w->activeItem(), 1);
}

TEST_F(MenuLook, PewterHeadersUseTheLabelRecord)
{
    menu.setSkinData(&pewter());
    MenuItem& header = menu.items().add(QStringLiteral("-Options-"));
    header.enabled = false;
    menu.items().add(QStringLiteral("Options"));
    SkinPopupWindow* w = open();
    ASSERT_TRUE(w->skinned());
    w->item(1).active = false;
    w->item(1).jumpFade(false);
    // same size, different face: the label strip with the word alone
    const Bitmap headerImage = w->item(0).image();
    const Bitmap itemImage = w->item(1).image();
    EXPECT_EQ(headerImage.width(), itemImage.width());
    EXPECT_FALSE(sameImage(headerImage, itemImage));
}

TEST_F(MenuLook, ImagesWidenTheGlyphColumn)
{
    QImage icon(24, 16, QImage::Format_ARGB32);
    icon.fill(Qt::red);
    menu.images().push_back(icon);
    menu.items().add(QStringLiteral("With image")).imageIndex = 0;
    SkinPopupWindow* w = open();
    EXPECT_EQ(w->look().glyphWidth, 24 + 5);
    // the image sits at the inner area's left + 2, vertically centred
    const Rect r = w->item(0).objectRect;
    w->item(0).active = false;
    const Bitmap face = w->item(0).image();
    EXPECT_EQ(face.getPixel(2 + 2 + 5, r.height() / 2) & 0xFFFFFFu, 0xFF0000u);
}

} // namespace
} // namespace tessaly::skin::test
