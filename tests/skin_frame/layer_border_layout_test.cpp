// The layered border's geometry: where the strips stand, what their images
// hold, and what a press on them sizes, for normal and tiny windows.

#include <gtest/gtest.h>

#include "layer_border_fixture.h"
#include "skin/frame/layer_border_layout.h"
#include "skin/paint/stack_blur.h"

using namespace tessaly::skin;
using frametest::kLayerSize;

namespace {

using Type = FormLayerBorderType;

LayerBorderGeometry fixtureGeometry(const std::function<void(DataSkinLayerFrame&)>& edit = {})
{
    DataSkinLayerFrame record = frametest::layerRecord(0);
    if (edit)
        edit(record);
    return LayerBorderGeometry::from(record, kLayerSize, kLayerSize);
}

// The fixture's active picture as the border prepares it: alpha from the
// mask, colours no brighter than the alpha.
Bitmap preparedPicture()
{
    const DibBitmap picture = frametest::layerPicture(true);
    const DibBitmap mask = frametest::layerMask();
    Bitmap b;
    b.assign(pixelView(picture.picture()));
    alphaFromMask(b, pixelView(mask.picture()));
    b.checkRGBA();
    return b;
}

Rect at(int x, int y, int w, int h) { return {x, y, x + w, y + h}; }

TEST(LayerBorderGeometry, SizesOutsideTheWindowAndCornerAreasComeFromTheBorderRectangle)
{
    const LayerBorderGeometry g = fixtureGeometry();
    EXPECT_EQ((std::vector<int>{g.leftSize, g.topSize, g.rightSize, g.bottomSize}), (std::vector<int>{6, 6, 6, 6}));
    EXPECT_EQ((std::vector<int>{g.hitTopLeftX, g.hitTopLeftY, g.hitTopRightX, g.hitTopRightY, g.hitBottomLeftX,
                                g.hitBottomLeftY, g.hitBottomRightX, g.hitBottomRightY}),
              (std::vector<int>(8, 8)));
    // Without a border rectangle nothing outside the window is sensitive.
    const LayerBorderGeometry none = fixtureGeometry([](DataSkinLayerFrame& r) { r.borderRect = {}; });
    EXPECT_EQ((std::vector<int>{none.leftSize, none.topSize, none.rightSize, none.bottomSize, none.hitTopLeftX}),
              (std::vector<int>(5, 0)));
}

struct PlacementCase {
    const char* name;
    std::function<void(DataSkinLayerFrame&)> edit;
    Rect window;
    // Expected screen rectangles: left, top, right, bottom.
    std::array<Rect, 4> strips;
};

class LayerBorderPlacement : public testing::TestWithParam<PlacementCase> {};

TEST_P(LayerBorderPlacement, StripsStandAroundTheWindowAndImagesHaveTheirSize)
{
    const PlacementCase& c = GetParam();
    const LayerBorderGeometry g = fixtureGeometry(c.edit);
    const LayerBorderLayout l = layoutLayerBorder(g, c.window);
    const Bitmap picture = preparedPicture();
    for (Type type : kLayerBorderTypes) {
        const LayerStrip& strip = l.strip(type);
        EXPECT_EQ(strip.screen, c.strips[std::size_t(type)]) << c.name << " strip " << int(type);
        Bitmap image(3, 3); // an image of an earlier size goes
        buildLayerImage(image, picture.view(), strip);
        EXPECT_EQ(image.width(), strip.screen.width()) << c.name << " strip " << int(type);
        EXPECT_EQ(image.height(), strip.screen.height()) << c.name << " strip " << int(type);
        for (const LayerPiece& piece : strip.pieces) {
            EXPECT_FALSE(piece.source.isEmpty()) << c.name;
            EXPECT_GE(piece.source.left, 0) << c.name;
            EXPECT_GE(piece.source.top, 0) << c.name;
            EXPECT_LE(piece.source.right, kLayerSize) << c.name;
            EXPECT_LE(piece.source.bottom, kLayerSize) << c.name;
        }
    }
}

// Window at (300, 200). The fixture's picture is 40 × 40 with the window's
// place 16 × 16 inside it: the border adds 24 to each dimension, the top and
// bottom bands are 12 high, the side strips 12 wide.
INSTANTIATE_TEST_SUITE_P(
    Sizes, LayerBorderPlacement,
    testing::Values(
        PlacementCase{"normal", {}, at(300, 200, 200, 100),
                      {at(288, 200, 12, 100), at(288, 188, 224, 12), at(500, 200, 12, 100), at(288, 300, 224, 12)}},
        PlacementCase{"one row high", {}, at(300, 200, 50, 1),
                      {at(288, 200, 12, 1), at(288, 188, 74, 12), at(350, 200, 12, 1), at(288, 201, 74, 12)}},
        PlacementCase{"empty window: bands only", {}, at(300, 200, 0, 0),
                      {Rect{}, at(288, 188, 24, 12), Rect{}, at(288, 200, 24, 12)}},
        // Lower than both bands together: the bottom band gets what the top
        // band leaves, taken from the picture's last rows.
        PlacementCase{"lower than the bands", [](DataSkinLayerFrame& r) { r.heightOffset = -10; },
                      at(300, 200, 50, 4),
                      {Rect{}, at(288, 188, 74, 12), Rect{}, at(288, 200, 74, 6)}},
        // Lower than the top band alone: no bottom band, a shortened top.
        PlacementCase{"lower than the top band", [](DataSkinLayerFrame& r) { r.heightOffset = -20; },
                      at(300, 200, 50, 0),
                      {Rect{}, at(288, 188, 74, 4), Rect{}, Rect{}}},
        PlacementCase{"no height at all", [](DataSkinLayerFrame& r) { r.heightOffset = -100; },
                      at(300, 200, 50, 20), {Rect{}, Rect{}, Rect{}, Rect{}}},
        // Narrower than the two corner pieces (16 + 16).
        PlacementCase{"narrower than the corners", [](DataSkinLayerFrame& r) { r.widthOffset = -20; },
                      at(300, 200, 0, 30),
                      {at(288, 200, 4, 30), at(288, 188, 4, 12), at(288, 200, 4, 30), at(288, 230, 4, 12)}},
        // Bands that leave no rows between them, or overlap.
        PlacementCase{"bands meet", [](DataSkinLayerFrame& r) { r.ltPoint.y = r.rtPoint.y = r.lbPoint.y = r.rbPoint.y = 20; },
                      at(300, 200, 50, 30),
                      {at(288, 208, 12, 14), at(288, 188, 74, 20), at(350, 208, 12, 14), at(288, 222, 74, 20)}},
        PlacementCase{"bands overlap",
                      [](DataSkinLayerFrame& r) {
                          r.ltPoint.y = r.rtPoint.y = 30;
                          r.lbPoint.y = r.rbPoint.y = 10;
                      },
                      at(300, 200, 50, 100),
                      {at(288, 218, 12, 64), at(288, 188, 74, 30), at(350, 218, 12, 64), at(288, 282, 74, 30)}},
        // Points outside the picture are kept inside it.
        PlacementCase{"points outside the picture",
                      [](DataSkinLayerFrame& r) {
                          r.ltPoint = {-5, 60};
                          r.rtPoint = {90, -3};
                          r.lbPoint = {-1, -9};
                          r.rbPoint = {70, 50};
                      },
                      at(300, 200, 50, 100),
                      {at(288, 228, 12, 44), at(288, 188, 74, 40), at(350, 228, 12, 44), at(288, 272, 74, 40)}}),
    [](const testing::TestParamInfo<PlacementCase>& info) {
        std::string name = info.param.name;
        for (char& ch : name)
            if (!std::isalnum(static_cast<unsigned char>(ch)))
                ch = '_';
        return name;
    });

TEST(LayerBorderImages, CornersKeepTheirSizeTheMiddleStretchesAndSidesTile)
{
    const LayerBorderLayout l = layoutLayerBorder(fixtureGeometry(), at(300, 200, 200, 100));
    const Bitmap p = preparedPicture();
    Bitmap top, bottom, left, right;
    buildLayerImage(top, p.view(), l.strip(Type::Top));
    buildLayerImage(bottom, p.view(), l.strip(Type::Bottom));
    buildLayerImage(left, p.view(), l.strip(Type::Left));
    buildLayerImage(right, p.view(), l.strip(Type::Right));
    int wrong = 0;
    auto expect = [&](const Bitmap& image, int x, int y, int px, int py) {
        if (image.getPixel(x, y) != p.getPixel(px, py))
            ++wrong;
    };
    for (int y = 0; y < 12; ++y)
        for (int i = 0; i < 16; ++i) {
            expect(top, i, y, i, y);                          // left corner
            expect(top, top.width() - 16 + i, y, 24 + i, y);  // right corner
            expect(bottom, i, y, i, 28 + y);                  // from the last rows
            expect(bottom, bottom.width() - 16 + i, y, 24 + i, 28 + y);
        }
    // The middle columns 16 … 24 are stretched: the ends of the span show
    // the ends of the piece.
    for (int y = 0; y < 12; ++y) {
        expect(top, 16, y, 16, y);
        expect(top, top.width() - 17, y, 23, y);
    }
    // The sides repeat rows 12 … 28 downwards from the strip's top.
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 12; ++x) {
            expect(left, x, y, x, 12 + y % 16);
            expect(right, x, y, 28 + x, 12 + y % 16);
        }
    EXPECT_EQ(wrong, 0);
}

TEST(LayerBorderImages, FullStretchStretchesTheSidesAndMeetingBandsRepeatTheLastTopRow)
{
    const Bitmap p = preparedPicture();
    Bitmap left;
    const LayerBorderLayout stretched =
        layoutLayerBorder(fixtureGeometry([](DataSkinLayerFrame& r) { r.fullStretch = true; }), at(0, 0, 50, 32));
    buildLayerImage(left, p.view(), stretched.strip(Type::Left));
    ASSERT_EQ(left.height(), 32);
    // 16 source rows over 32: each row twice (nearest neighbour, ends kept).
    EXPECT_EQ(left.getPixel(3, 0), p.getPixel(3, 12));
    EXPECT_EQ(left.getPixel(3, 31), p.getPixel(3, 27));
    EXPECT_NE(left.getPixel(3, 20), p.getPixel(3, 12 + 20 % 16)) << "tiled instead of stretched";

    // No rows between the bands: the side shows the top band's last row.
    const LayerBorderLayout meeting = layoutLayerBorder(
        fixtureGeometry([](DataSkinLayerFrame& r) { r.ltPoint.y = r.rtPoint.y = r.lbPoint.y = r.rbPoint.y = 20; }),
        at(0, 0, 50, 30));
    buildLayerImage(left, p.view(), meeting.strip(Type::Left));
    ASSERT_EQ(left.height(), 14);
    for (int y : {0, 7, 13})
        EXPECT_EQ(left.getPixel(5, y), p.getPixel(5, 19)) << y;
}

TEST(LayerBorderImages, ANarrowStripShowsTheRightCornerOverTheLeft)
{
    const Bitmap p = preparedPicture();
    const LayerBorderLayout l =
        layoutLayerBorder(fixtureGeometry([](DataSkinLayerFrame& r) { r.widthOffset = -20; }), at(0, 0, 0, 30));
    Bitmap top;
    buildLayerImage(top, p.view(), l.strip(Type::Top));
    ASSERT_EQ(top.width(), 4);
    // The right corner's last four columns end the strip.
    for (int x = 0; x < 4; ++x)
        EXPECT_EQ(top.getPixel(x, 5), p.getPixel(36 + x, 5)) << x;
}

struct HitCase {
    Type strip;
    Point q;
    FormLayerBorderHit hit;
};

class LayerBorderHitTest : public testing::TestWithParam<HitCase> {};

// Window (300, 200, 500, 300); the sensitive border reaches 6 pixels out
// (294 … 506, 194 … 306), corners are 8 × 8, the top and bottom edges 4
// pixels deep on the top strip; outside that the shadow only decorates.
TEST_P(LayerBorderHitTest, PartsOfTheStripsSizeTheWindow)
{
    const HitCase& c = GetParam();
    const LayerBorderLayout l = layoutLayerBorder(fixtureGeometry(), at(300, 200, 200, 100));
    EXPECT_EQ(l.hitTest(c.strip, c.q, true), c.hit) << c.q.x << "," << c.q.y;
    EXPECT_EQ(l.hitTest(c.strip, c.q, false), FormLayerBorderHit::Nowhere) << "a window that cannot be sized";
}

using H = FormLayerBorderHit;
INSTANTIATE_TEST_SUITE_P(
    Points, LayerBorderHitTest,
    testing::Values(HitCase{Type::Top, {295, 195}, H::TopLeft}, HitCase{Type::Top, {294, 194}, H::TopLeft},
                    HitCase{Type::Top, {301, 199}, H::TopLeft}, HitCase{Type::Top, {302, 195}, H::Top},
                    HitCase{Type::Top, {400, 197}, H::Top}, HitCase{Type::Top, {400, 198}, H::Nowhere},
                    HitCase{Type::Top, {400, 193}, H::Nowhere}, HitCase{Type::Top, {293, 196}, H::Nowhere},
                    HitCase{Type::Top, {505, 199}, H::TopRight}, HitCase{Type::Top, {498, 194}, H::TopRight},
                    HitCase{Type::Top, {506, 195}, H::Nowhere}, HitCase{Type::Top, {400, 250}, H::Nowhere},
                    HitCase{Type::Left, {294, 250}, H::Left}, HitCase{Type::Left, {299, 200}, H::Left},
                    HitCase{Type::Left, {293, 250}, H::Nowhere}, HitCase{Type::Right, {505, 299}, H::Right},
                    HitCase{Type::Right, {506, 250}, H::Nowhere}, HitCase{Type::Right, {505, 300}, H::Nowhere},
                    HitCase{Type::Bottom, {295, 305}, H::BottomLeft}, HitCase{Type::Bottom, {301, 300}, H::BottomLeft},
                    HitCase{Type::Bottom, {400, 303}, H::Bottom}, HitCase{Type::Bottom, {400, 305}, H::Bottom},
                    HitCase{Type::Bottom, {400, 306}, H::Nowhere}, HitCase{Type::Bottom, {505, 301}, H::BottomRight},
                    HitCase{Type::Bottom, {506, 301}, H::Nowhere}, HitCase{Type::Bottom, {290, 301}, H::Nowhere}));

TEST(LayerBorderHitTest, BandsBelowShallowTopCornersSizeSidewaysAndNoBorderRectangleSizesNothing)
{
    // Top corners only 2 rows deep: under them the outer 4 pixels (the
    // hit-test size) of the top strip size sideways on the left, the corner's
    // width on the right.
    const LayerBorderLayout l = layoutLayerBorder(fixtureGeometry([](DataSkinLayerFrame& r) {
                                                      r.hitTestLTPoint.y = 8;
                                                      r.hitTestRTPoint.y = 8;
                                                  }),
                                                  at(300, 200, 200, 100));
    EXPECT_EQ(l.hitTest(Type::Top, {295, 195}, true), H::TopLeft);
    EXPECT_EQ(l.hitTest(Type::Top, {295, 198}, true), H::Left);
    EXPECT_EQ(l.hitTest(Type::Top, {298, 198}, true), H::Nowhere);
    EXPECT_EQ(l.hitTest(Type::Top, {499, 198}, true), H::Right);

    const LayerBorderLayout none =
        layoutLayerBorder(fixtureGeometry([](DataSkinLayerFrame& r) { r.borderRect = {}; }), at(300, 200, 200, 100));
    for (const HitCase& c : {HitCase{Type::Top, {400, 197}, H::Nowhere}, HitCase{Type::Left, {299, 250}, H::Nowhere},
                             HitCase{Type::Bottom, {295, 305}, H::Nowhere}})
        EXPECT_EQ(none.hitTest(c.strip, c.q, true), H::Nowhere);
}

} // namespace

// ---- full-border mode ------------------------------------------------------

namespace full_border {

LayerBorderGeometry fullBorderGeometry(const std::function<void(DataSkinLayerFrame&)>& edit = {})
{
    return fixtureGeometry([&](DataSkinLayerFrame& r) {
        r.fullBorder = true;
        r.rollUpFormHeight = 10;
        r.captionRect = {10, 4, 30, 12};
        if (edit)
            edit(r);
    });
}

TEST(LayerFullBorder, RolledUpTheWindowTakesTheBordersRollUpHeight)
{
    const Rect window = at(300, 200, 200, 100);
    // The picture is 40 high around a window 16 high: 24 more than the window.
    EXPECT_EQ(layoutLayerBorder(fullBorderGeometry(), window, true).outer.height(), 10 + 24);
    EXPECT_EQ(layoutLayerBorder(fullBorderGeometry(), window, false).outer.height(), 100 + 24);
    // Without a full border the window's own height counts, rolled up too.
    const LayerBorderGeometry plain = fullBorderGeometry([](DataSkinLayerFrame& r) { r.fullBorder = false; });
    EXPECT_EQ(layoutLayerBorder(plain, window, true).outer.height(), 100 + 24);
}

TEST(LayerFullBorder, TheTopStripSizesNowhereOverTheCaptionAreaButAlongItsTopEdge)
{
    // The window at (300, 200) 200 wide: the strip stands at (288, 188); the
    // caption area reaches from x 10 to 30 + 200 - 16 of the strip, and from
    // y 6 + 4 (below the top sizing band) to 12.
    const LayerBorderLayout l = layoutLayerBorder(fullBorderGeometry(), at(300, 200, 200, 100));
    const struct {
        Point q;
        FormLayerBorderHit hit;
    } cases[] = {
        {{300, 199}, H::Nowhere},  // the top-left corner area, over the caption
        {{297, 199}, H::TopLeft},  // the corner area left of the caption
        {{300, 197}, H::TopLeft},  // the corner area above the caption
        {{400, 197}, H::Top},      // the top edge's band
        {{500, 199}, H::Nowhere},  // the top-right corner area, over the caption
        {{503, 199}, H::TopRight}, // right of the caption
    };
    for (const auto& c : cases)
        EXPECT_EQ(l.hitTest(Type::Top, c.q, true), c.hit) << c.q.x << "," << c.q.y;
    // Without a caption rectangle the corners size all over.
    const LayerBorderLayout none =
        layoutLayerBorder(fullBorderGeometry([](DataSkinLayerFrame& r) { r.captionRect = {}; }), at(300, 200, 200, 100));
    EXPECT_EQ(none.hitTest(Type::Top, {300, 199}, true), H::TopLeft);
    EXPECT_EQ(none.hitTest(Type::Top, {500, 199}, true), H::TopRight);
}

FrameObjectInfo object(FrameObjectInfo::Kind kind, StdCommand command, int w, int h, bool inPicture = true)
{
    FrameObjectInfo o;
    o.kind = kind;
    o.command = command;
    o.skinRect = {0, 0, w, h};
    o.skinRectInAPicture = inPicture;
    return o;
}

struct ArrangeCase {
    const char* name;
    std::function<void(DataSkinLayerFrame&)> edit;
    // Expected: close, minimise, custom animate, system menu, caption.
    std::array<Rect, 5> rects;
};

class LayerObjects : public testing::TestWithParam<ArrangeCase> {};

TEST_P(LayerObjects, CaptionAndButtonsStandOnTheTopStrip)
{
    using K = FrameObjectInfo::Kind;
    const std::vector<FrameObjectInfo> objects = {
        object(K::StdButton, StdCommand::Close, 31, 19),  object(K::StdButton, StdCommand::Minimize, 25, 19),
        object(K::Animate, StdCommand::Default, 25, 19),  object(K::StdButton, StdCommand::SysMenu, 19, 19),
        object(K::Caption, StdCommand::Default, 40, 20),  object(K::Button, StdCommand::Default, 17, 17, false),
        object(K::StdButton, StdCommand::Maximize, 25, 19, false)};
    const LayerBorderGeometry g = fullBorderGeometry([&](DataSkinLayerFrame& r) {
        r.captionRect = {4, 2, 36, 21};
        GetParam().edit(r);
    });
    // A strip 224 wide, 184 wider than the picture.
    const std::vector<Rect> rects = arrangeLayerObjects(g, 224, objects, 2);
    EXPECT_EQ((std::array<Rect, 5>{rects[0], rects[1], rects[2], rects[3], rects[4]}), GetParam().rects);
    // A plain button and a button that is part of the frame picture have
    // no place on the strip.
    EXPECT_TRUE(rects[5].isEmpty());
    EXPECT_TRUE(rects[6].isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Records, LayerObjects,
    testing::Values(
        // Buttons from the caption's right end, right to left, 2 apart; the
        // system-menu button at the caption's left end, centred on it; the
        // caption between them, 2 more away from the buttons.
        ArrangeCase{"AlongTheCaption", [](DataSkinLayerFrame&) {},
                    {Rect{189, 2, 220, 21}, Rect{162, 2, 187, 21}, Rect{135, 2, 160, 21}, Rect{4, 2, 23, 21},
                     Rect{25, 2, 131, 21}}},
        ArrangeCase{"ButtonsTopOffset", [](DataSkinLayerFrame& r) { r.buttonsTopOffset = 5; },
                    {Rect{189, 5, 220, 24}, Rect{162, 5, 187, 24}, Rect{135, 5, 160, 24}, Rect{4, 5, 23, 24},
                     Rect{25, 2, 131, 21}}},
        // Their own rectangles: the row ends at the buttons' rectangle,
        // moved with the strip; the system-menu button is centred in its
        // own, and the caption keeps its left end.
        ArrangeCase{"OwnRectangles",
                    [](DataSkinLayerFrame& r) {
                        r.buttonsRect = {20, 3, 30, 22};
                        r.sysMenuButtonRect = {0, 0, 20, 23};
                        r.sysButtonTopOffset = 7; // used only without the rectangle
                    },
                    {Rect{183, 3, 214, 22}, Rect{156, 3, 181, 22}, Rect{129, 3, 154, 22}, Rect{0, 2, 19, 21},
                     Rect{4, 2, 125, 21}}},
        ArrangeCase{"SysButtonTopOffset", [](DataSkinLayerFrame& r) { r.sysButtonTopOffset = 1; },
                    {Rect{189, 2, 220, 21}, Rect{162, 2, 187, 21}, Rect{135, 2, 160, 21}, Rect{4, 1, 23, 20},
                     Rect{25, 2, 131, 21}}}),
    [](const testing::TestParamInfo<ArrangeCase>& info) { return info.param.name; });

} // namespace full_border
