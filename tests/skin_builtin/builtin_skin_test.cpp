// The built-in skins, as the program embeds them: each loads into the
// registry, holds every record the two windows and their menus use, with
// the right classes, and every picture index and picture rectangle it
// names exists. Every built-in skin is held to the same list; a skin with a
// layered border has consistent border pictures and rectangles.

#include "skin/data/compressed_stored_skin.h"
#include "skin/data/object_records.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_package.h"
#include "skin/embedded_pewter.h"
#include "skin/embedded_slate.h"
#include "skin/embedded_sampler.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <functional>
#include <map>
#include <memory>
#include <ostream>
#include <set>
#include <span>
#include <string>
#include <vector>

namespace tessaly::skin {
namespace {

struct BuiltInSkin {
    const char* name;
    const char* skinName;
    std::span<const std::uint8_t> (*bytes)();
    bool layeredBorder;
    bool fullBorder; // the layered border carries the caption
};

const BuiltInSkin kBuiltInSkins[] = {
    {"pewter", "Pewter", embedded_pewter, false, false},
    {"slate", "Slate", embedded_slate, true, false},
    {"sampler", "Sampler", embedded_sampler, true, true},
};

void PrintTo(const BuiltInSkin& skin, std::ostream* out)
{
    *out << skin.name;
}

std::vector<BuiltInSkin> skinsWithLayeredBorder()
{
    std::vector<BuiltInSkin> found;
    for (const BuiltInSkin& skin : kBuiltInSkins)
        if (skin.layeredBorder)
            found.push_back(skin);
    return found;
}

// Each skin is unpacked once for all its tests.
struct LoadedSkin {
    CompressedStoredSkin stored;
    SkinData data;
};

LoadedSkin& loaded(const BuiltInSkin& skin)
{
    static std::map<std::string, std::unique_ptr<LoadedSkin>> cache;
    auto& entry = cache[skin.name];
    if (!entry) {
        entry = std::make_unique<LoadedSkin>();
        entry->stored.loadFromCompressBytes(skin.bytes());
        entry->data.loadCompressedStoredSkin(entry->stored);
    }
    return *entry;
}

class EmbeddedSkin : public ::testing::TestWithParam<BuiltInSkin> {
protected:
    void SetUp() override
    {
        LoadedSkin& skin = loaded(GetParam());
        stored = &skin.stored;
        data = &skin.data;
    }

    const DataSkinObject* object(const std::string& name)
    {
        const int i = data->getIndex(name);
        return i < 0 ? nullptr : data->objectList()[size_t(i)].get();
    }
    const DataSkinControl* control(const std::string& name)
    {
        const int i = data->getControlIndex(name);
        return i < 0 ? nullptr : data->ctrlList()[size_t(i)].get();
    }
    const Picture* picture(int index) const { return data->activePicture(index); }

    CompressedStoredSkin* stored = nullptr;
    SkinData* data = nullptr;
};

// Collects the fields a record lists, by key.
class FieldCollector final : public FieldVisitor {
public:
    void visit(const Field& field) override
    {
        std::string key = field.key;
        std::transform(key.begin(), key.end(), key.begin(), [](unsigned char c) { return char(std::tolower(c)); });
        if (auto* i = std::get_if<int*>(&field.ref))
            ints.emplace_back(key, **i);
        if (auto* r = std::get_if<Rect*>(&field.ref))
            rects.emplace_back(key, **r);
    }
    std::vector<std::pair<std::string, int>> ints;
    std::vector<std::pair<std::string, Rect>> rects;
};

FieldCollector fieldsOf(FieldRecord& record)
{
    FieldCollector c;
    record.visitFields(c);
    return c;
}

bool inside(const Rect& r, const Picture& p)
{
    return r.left >= 0 && r.top >= 0 && r.right <= p.width() && r.bottom <= p.height();
}

TEST_P(EmbeddedSkin, LoadsFromTheEmbeddedBytes)
{
    ASSERT_FALSE(data->empty());
    EXPECT_EQ(data->skinName, GetParam().skinName);
    EXPECT_EQ(data->skinAuthor, "The Tessaly Authors");
    EXPECT_FALSE(data->picture().isEmpty());
    EXPECT_TRUE(data->inActivePicture().isEmpty()) << "inactive frames come from the inactive effect";
    EXPECT_EQ(data->mask().width(), data->picture().width());
    EXPECT_EQ(data->mask().height(), data->picture().height());
    EXPECT_TRUE(data->autoRenderingInActiveImage);
    EXPECT_EQ(data->inActiveEffect, InActiveEffect::GrayScale);
}

TEST_P(EmbeddedSkin, ObjectRecordsHaveTheirClasses)
{
    const struct {
        const char* name;
        StdCommand command;
    } buttons[] = {{"closebutton", StdCommand::Close},    {"maxbutton", StdCommand::Maximize},
                   {"minbutton", StdCommand::Minimize},   {"rollupbutton", StdCommand::RollUp},
                   {"sysmenubutton", StdCommand::SysMenu}, {"traybutton", StdCommand::MinimizeToTray}};
    for (const auto& b : buttons) {
        SCOPED_TRACE(b.name);
        const auto* button = dynamic_cast<const DataSkinStdButton*>(object(b.name));
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->command, b.command);
        EXPECT_TRUE(button->skinRectInAPicture);
        EXPECT_TRUE(button->morphing);
        // normal, hot, pressed, inactive and disabled images
        for (const Rect& r : {button->skinRect, button->activeSkinRect, button->downRect, button->inActiveSkinRect,
                              button->disableSkinRect})
            EXPECT_FALSE(r.isEmpty());
        EXPECT_NE(button->glowLayerPictureIndex, -1);
        EXPECT_NE(button->glowLayerMaskPictureIndex, -1);
    }
    for (const char* name : {"maxbutton", "minbutton", "rollupbutton"}) {
        const auto* button = dynamic_cast<const DataSkinStdButton*>(object(name));
        ASSERT_NE(button, nullptr) << name;
        EXPECT_FALSE(button->restoreRect.isEmpty()) << name;
        EXPECT_FALSE(button->restoreInActiveRect.isEmpty()) << name;
        EXPECT_EQ(button->restoreHint, "Restore") << name;
    }
    EXPECT_NE(dynamic_cast<const DataSkinCaption*>(object("caption")), nullptr);
    const auto* item = dynamic_cast<const DataSkinMenuItem*>(object("menuitem"));
    ASSERT_NE(item, nullptr);
    EXPECT_TRUE(item->morphing);
}

TEST_P(EmbeddedSkin, ControlRecordsHaveTheirClasses)
{
    const struct {
        const char* name;
        const char* type;
        std::function<bool(const DataSkinControl*)> isClass;
    } controls[] = {
        {"button", "button", [](auto* c) { return dynamic_cast<const DataSkinButtonControl*>(c); }},
        {"toolbutton", "button", [](auto* c) { return dynamic_cast<const DataSkinButtonControl*>(c); }},
        {"toolmenubutton", "menubutton", [](auto* c) { return dynamic_cast<const DataSkinMenuButtonControl*>(c); }},
        {"edit", "edit", [](auto* c) { return dynamic_cast<const DataSkinEditControl*>(c); }},
        {"statusbar", "panel", [](auto* c) { return dynamic_cast<const DataSkinPanelControl*>(c); }},
        {"panel", "panel", [](auto* c) { return dynamic_cast<const DataSkinPanelControl*>(c); }},
        {"stdlabel", "stdlabel", [](auto* c) { return dynamic_cast<const DataSkinStdLabelControl*>(c); }},
        {"label", "label", [](auto* c) { return dynamic_cast<const DataSkinLabelControl*>(c); }},
    };
    for (const auto& c : controls) {
        SCOPED_TRACE(c.name);
        const DataSkinControl* record = control(c.name);
        ASSERT_NE(record, nullptr);
        EXPECT_TRUE(c.isClass(record));
        EXPECT_EQ(record->typeName(), c.type);
    }
    const auto* button = dynamic_cast<const DataSkinButtonControl*>(control("button"));
    ASSERT_NE(button, nullptr);
    EXPECT_TRUE(button->morphing);
    EXPECT_NE(button->glowLayerPictureIndex, -1);
    EXPECT_NE(button->glowLayerMaskPictureIndex, -1);
    // The status bar's caption must stay hidden.
    const auto* statusBar = dynamic_cast<const DataSkinPanelControl*>(control("statusbar"));
    ASSERT_NE(statusBar, nullptr);
    EXPECT_TRUE(statusBar->captionRect.isEmpty());
}

// Every record of the skin, fixed ones included.
std::vector<FieldRecord*> allRecords(const SkinData& data)
{
    std::vector<FieldRecord*> records;
    for (const auto& o : data.objectList())
        records.push_back(o.get());
    for (const auto& c : data.ctrlList())
        records.push_back(c.get());
    auto& mutableData = const_cast<SkinData&>(data);
    records.push_back(&mutableData.popupWindow);
    records.push_back(&mutableData.hintWindow);
    records.push_back(&mutableData.layerFrame);
    return records;
}

TEST_P(EmbeddedSkin, EveryPictureIndexNamesAPictureAndEveryPictureIsUsed)
{
    const int count = int(data->activePictures().size());
    std::set<int> used;
    for (FieldRecord* record : allRecords(*data)) {
        for (const auto& [key, value] : fieldsOf(*record).ints) {
            if (key.find("pictureindex") == std::string::npos)
                continue;
            EXPECT_TRUE(value == -1 || (value >= 0 && value < count)) << key << " = " << value;
            if (value >= 0)
                used.insert(value);
        }
    }
    for (int i = 0; i < count; ++i) {
        // The logo is handed to the frame by the window; no record names it.
        if (data->activePicturesNames()[size_t(i)] == "logo.bmp")
            used.insert(i);
        EXPECT_TRUE(used.count(i)) << "picture " << i << " (" << data->activePicturesNames()[size_t(i)]
                                   << ") is named by no record";
        EXPECT_FALSE(data->activePictures()[size_t(i)].isEmpty()) << i;
    }
    EXPECT_EQ(data->activePicturesNames().size(), size_t(count));
}

// Keys of rectangles that cut an image out of the record's picture (the
// others are relative to the record's own rectangle).
bool cutsThePicture(const std::string& key)
{
    static const std::set<std::string> keys = {
        "skinrect", "activeskinrect", "downskinrect", "focusedskinrect", "disabledskinrect", "inactiveskinrect",
        "downrect", "disableskinrsect", "restorerect", "restoreactiverect", "restoredownrect",
        "restoreinactiverect", "menumarkerflatrect", "menumarkerrect", "menumarkeractiverect",
        "menumarkerdownrect", "gripperrect", "dividerrect", "checkimagerect", "activecheckimagerect",
        "radioimagerect", "activeradioimagerect", "arrowimagerect", "activearrowimagerect", "framerect",
        "activeframerect", "animateskinrect"};
    return keys.count(key) > 0;
}

TEST_P(EmbeddedSkin, PictureRectanglesLieInsideTheirPictures)
{
    for (const auto& o : data->objectList()) {
        SCOPED_TRACE(o->idName);
        // Only the skin rectangle of an object drawn as part of the frame
        // lies in the frame picture; every other image is in its own.
        const Picture* own = picture(o->activePictureIndex);
        const Picture* skinSource = o->skinRectInAPicture || dynamic_cast<DataSkinMenuItem*>(o.get())
                                        ? own
                                        : &data->picture().picture();
        for (const auto& [key, r] : fieldsOf(*o).rects) {
            if (cutsThePicture(key) && !r.isEmpty()) {
                const Picture* source = key == "skinrect" ? skinSource : own;
                ASSERT_NE(source, nullptr) << key;
                EXPECT_TRUE(inside(r, *source)) << key;
            }
        }
    }
    for (const auto& c : data->ctrlList()) {
        SCOPED_TRACE(c->idName);
        if (c->pictureIndex == -1)
            continue;
        const Picture* source = picture(c->pictureIndex);
        ASSERT_NE(source, nullptr);
        EXPECT_FALSE(c->skinRect.isEmpty());
        for (const auto& [key, r] : fieldsOf(*c).rects) {
            if (cutsThePicture(key) && !r.isEmpty()) {
                EXPECT_TRUE(inside(r, *source)) << key;
            }
        }
        if (auto* custom = dynamic_cast<DataSkinCustomControl*>(c.get())) {
            const Rect& cl = custom->clRect;
            EXPECT_TRUE(!cl.isEmpty() && cl.right <= c->skinRect.width() && cl.bottom <= c->skinRect.height())
                << "client rectangle outside the control";
        }
    }
}

TEST_P(EmbeddedSkin, FrameGeometryFitsThePicture)
{
    const int w = data->picture().width(), h = data->picture().height();
    const Rect& cl = data->clRect;
    EXPECT_TRUE(cl.left > 0 && cl.top > 0 && cl.right < w && cl.bottom < h);
    // corner points inside the client rectangle's span, so every middle
    // piece of the frame exists and stretches
    EXPECT_TRUE(data->ltPoint.x < data->rtPoint.x && data->lbPoint.x < data->rbPoint.x);
    EXPECT_TRUE(data->ltPoint.y <= data->lbPoint.y && data->rtPoint.y <= data->rbPoint.y);
    EXPECT_TRUE(data->topStretch && data->bottomStretch && data->leftStretch && data->rightStretch);
    EXPECT_TRUE(data->buttonsRect.isEmpty()) << "buttons line up from the caption rectangle";
    EXPECT_FALSE(data->captionRect.isEmpty());
    EXPECT_GT(data->borderW, 0);
    // the narrowest window still holds both top corners and the buttons
    EXPECT_GE(data->formMinWidth, data->ltPoint.x + (w - data->rtPoint.x) + 100);
    EXPECT_EQ(data->formMinHeight, cl.top + (h - cl.bottom));
    // The shape's mask: black inside, white only outside the rounded corners.
    const Picture& mask = data->mask().picture();
    EXPECT_EQ(mask.pixel(0, 0) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(mask.pixel(w - 1, 0) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(mask.pixel(w / 2, 0) & 0xFFFFFF, 0u);
    EXPECT_EQ(mask.pixel(0, h - 1) & 0xFFFFFF, 0u);
    const Rect& area = data->maskRectArea;
    EXPECT_TRUE(area.left <= cl.left && area.top <= cl.top && area.right >= cl.right && area.bottom >= cl.bottom);
}

TEST_P(EmbeddedSkin, ControlSizesSuitTheWindows)
{
    // The push button composes freely (nine pieces), so "Validate" keeps 75 x 25.
    const auto* button = dynamic_cast<const DataSkinButtonControl*>(control("button"));
    ASSERT_NE(button, nullptr);
    EXPECT_FALSE(button->rbPoint.isUnset());
    EXPECT_LE(button->skinRect.width(), 75);
    EXPECT_LE(button->skinRect.height(), 25);
    // The edit takes its record's height: the design's 18.
    EXPECT_EQ(control("edit")->skinRect.height(), 18);
    // The status bar keeps its record's height at any width.
    const auto* statusBar = dynamic_cast<const DataSkinPanelControl*>(control("statusbar"));
    ASSERT_NE(statusBar, nullptr);
    EXPECT_EQ(statusBar->skinRect.height(), 21);
    EXPECT_TRUE(statusBar->rbPoint.isUnset());
    EXPECT_GT(statusBar->rtPoint.x, 0);
    // The menu tool button's arrow is drawn for 18 rows: no stretching at 45 x 18.
    EXPECT_EQ(control("toolmenubutton")->skinRect.height(), 18);
}

// The caption's look cut from the frame picture has its middle stretched
// between the frame's top corner points: a button painted into that part
// of the frame picture would show there smeared across the caption.
TEST_P(EmbeddedSkin, NoFramePictureButtonLiesInTheCaptionsStretchedMiddle)
{
    const DataSkinCaption* caption = nullptr;
    for (const auto& o : data->objectList())
        if (auto* c = dynamic_cast<const DataSkinCaption*>(o.get()); c && !c->skinRectInAPicture)
            caption = c;
    if (!caption)
        GTEST_SKIP() << "no caption cut from the frame picture";
    const int left = std::max(caption->skinRect.left, data->ltPoint.x);
    const int right = std::min(caption->skinRect.right, data->rtPoint.x);
    const Rect middle{left, caption->skinRect.top, right, caption->skinRect.bottom};
    for (const auto& o : data->objectList()) {
        // A user object is drawn by the window itself, not cut from the picture.
        if (o.get() == caption || o->skinRectInAPicture || o->skinRect.isEmpty() || o->typeName() == "userobject")
            continue;
        SCOPED_TRACE(o->idName);
        EXPECT_TRUE(o->skinRect.intersected(middle).isEmpty());
    }
}

TEST_P(EmbeddedSkin, MasksAndGlowsMatchTheirButtons)
{
    const auto* button = dynamic_cast<const DataSkinButtonControl*>(control("button"));
    ASSERT_NE(button, nullptr);
    const Picture* mask = picture(button->maskPictureIndex);
    ASSERT_NE(mask, nullptr);
    EXPECT_EQ(mask->width(), button->skinRect.width());
    EXPECT_EQ(mask->height(), button->skinRect.height());

    const Picture* glow = picture(button->glowLayerPictureIndex);
    const Picture* glowMask = picture(button->glowLayerMaskPictureIndex);
    ASSERT_TRUE(glow && glowMask);
    EXPECT_EQ(glow->width(), button->skinRect.width() + 2 * button->glowLayerShowOffsetX);
    EXPECT_EQ(glow->height(), button->skinRect.height() + 2 * button->glowLayerShowOffsetY);
    EXPECT_EQ(glowMask->width(), glow->width());
    EXPECT_EQ(glowMask->height(), glow->height());

    for (const auto& o : data->objectList()) {
        const auto* b = dynamic_cast<const DataSkinStdButton*>(o.get());
        if (!b)
            continue;
        SCOPED_TRACE(b->idName);
        const Picture* g = picture(b->glowLayerPictureIndex);
        const Picture* m = picture(b->glowLayerMaskPictureIndex);
        ASSERT_TRUE(g && m);
        // the halo is centred on the button
        EXPECT_EQ(g->width(), b->skinRect.width() + 2 * b->glowLayerOffsetX);
        EXPECT_EQ(g->height(), b->skinRect.height() + 2 * b->glowLayerOffsetY);
        EXPECT_EQ(m->width(), g->width());
        EXPECT_EQ(m->height(), g->height());
        EXPECT_EQ(data->activePictures()[size_t(b->glowLayerPictureIndex)].bitsPerPixel(), 32);
    }
}

// Only the first of two same-named keys, or sections, is ever read: a
// repeated one is a mistake in the description that no look-up would show.
TEST_P(EmbeddedSkin, DescriptionRepeatsNoKeyAndNoSection)
{
    std::vector<std::uint8_t> bytes;
    stored->deCompressToStream(bytes);
    SkinPackage package;
    ASSERT_TRUE(readSkinPackage(bytes, package));
    const SkinDescription description = SkinDescription::fromText(package.description);
    auto lower = [](std::string s) {
        std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return char(std::tolower(c)); });
        return s;
    };
    std::set<std::string> sections;
    for (const auto& section : description.sections()) {
        EXPECT_TRUE(sections.insert(lower(section.name)).second) << "section " << section.name;
        std::set<std::string> keys;
        for (const auto& entry : section.entries)
            EXPECT_TRUE(keys.insert(lower(entry.key)).second) << section.name << ": " << entry.key;
    }
    // every record named in the index sections has its own section
    for (const auto& o : data->objectList())
        EXPECT_NE(description.findSection(o->idName), nullptr) << o->idName;
    for (const auto& c : data->ctrlList())
        EXPECT_NE(description.findSection(c->idName), nullptr) << c->idName;
}

// ---- the layered border ----------------------------------------------------

bool contains(const Rect& outer, const Rect& inner)
{
    return outer.left <= inner.left && outer.top <= inner.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

bool within(const Point& p, const Rect& r)
{
    return p.x >= r.left && p.x <= r.right && p.y >= r.top && p.y <= r.bottom;
}

// Opacity of a border mask pixel (the grey level).
int opacity(const Picture& mask, int x, int y)
{
    return int(mask.pixel(x, y) & 0xFF);
}

TEST_P(EmbeddedSkin, LayeredBorderIsThereOnlyWhereTheSkinHasOne)
{
    EXPECT_EQ(data->layerFrame.pictureIndex != -1, GetParam().layeredBorder);
}

// The skins that have a layered border.
class LayeredBorder : public EmbeddedSkin {};

TEST_P(LayeredBorder, PicturesExistAndMatch)
{
    const DataSkinLayerFrame& lf = data->layerFrame;
    ASSERT_NE(lf.pictureIndex, -1);
    const Picture* active = picture(lf.pictureIndex);
    const Picture* activeMask = picture(lf.maskPictureIndex);
    ASSERT_TRUE(active && activeMask);
    EXPECT_EQ(data->activePictures()[size_t(lf.pictureIndex)].bitsPerPixel(), 32);
    ASSERT_EQ(activeMask->width(), active->width());
    ASSERT_EQ(activeMask->height(), active->height());
    // An inactive picture is optional; when named it has the same geometry.
    if (lf.inActivePictureIndex != -1) {
        const Picture* inactive = picture(lf.inActivePictureIndex);
        const Picture* inactiveMask = picture(lf.inActiveMaskPictureIndex);
        ASSERT_TRUE(inactive && inactiveMask);
        EXPECT_EQ(inactive->width(), active->width());
        EXPECT_EQ(inactive->height(), active->height());
        EXPECT_EQ(inactiveMask->width(), active->width());
        EXPECT_EQ(inactiveMask->height(), active->height());
    }
    EXPECT_TRUE(lf.alphaBlendValue > 0 && lf.alphaBlendValue <= 255);
    EXPECT_TRUE(lf.inActiveAlphaBlendValue > 0 && lf.inActiveAlphaBlendValue <= lf.alphaBlendValue);
}

TEST_P(LayeredBorder, RectanglesAreConsistent)
{
    const DataSkinLayerFrame& lf = data->layerFrame;
    ASSERT_NE(lf.pictureIndex, -1);
    const Picture* active = picture(lf.pictureIndex);
    ASSERT_NE(active, nullptr);
    const Rect whole{0, 0, active->width(), active->height()};
    const Rect& cl = lf.clRect;
    const Rect& border = lf.borderRect;
    // The window lies inside the picture with a margin on every side, and
    // the mouse-sensitive border lies between the window and the picture's
    // edge.
    EXPECT_FALSE(cl.isEmpty());
    EXPECT_TRUE(cl.left > 0 && cl.top > 0 && cl.right < whole.right && cl.bottom < whole.bottom);
    EXPECT_TRUE(contains(whole, border));
    EXPECT_TRUE(contains(border, cl));
    EXPECT_TRUE(border.left < cl.left && border.top < cl.top && border.right > cl.right && border.bottom > cl.bottom)
        << "a resize border on every side";
    // Corner points in order, inside the picture; the top strip (rows above
    // the lower of the top points) and the bottom strip stay clear of the
    // window, so the strip windows never cover it.
    for (const Point& p : {lf.ltPoint, lf.rtPoint, lf.lbPoint, lf.rbPoint})
        EXPECT_TRUE(within(p, whole)) << p.x << "," << p.y;
    EXPECT_LE(lf.ltPoint.x, lf.rtPoint.x);
    EXPECT_LE(lf.lbPoint.x, lf.rbPoint.x);
    EXPECT_LT(lf.ltPoint.y, lf.lbPoint.y);
    EXPECT_LT(lf.rtPoint.y, lf.rbPoint.y);
    EXPECT_LE(std::max(lf.ltPoint.y, lf.rtPoint.y), cl.top);
    EXPECT_GE(std::min(lf.lbPoint.y, lf.rbPoint.y), cl.bottom);
    // Hit-test corners: inside the border, ordered like the corners.
    EXPECT_TRUE(lf.hitTestEnable);
    EXPECT_EQ(lf.fullBorder, GetParam().fullBorder);
    for (const Point& p : {lf.hitTestLTPoint, lf.hitTestRTPoint, lf.hitTestLBPoint, lf.hitTestRBPoint})
        EXPECT_TRUE(within(p, border)) << p.x << "," << p.y;
    EXPECT_LT(lf.hitTestLTPoint.x, lf.hitTestRTPoint.x);
    EXPECT_LT(lf.hitTestLTPoint.y, lf.hitTestLBPoint.y);
    EXPECT_LT(lf.hitTestLBPoint.x, lf.hitTestRBPoint.x);
    EXPECT_LT(lf.hitTestRTPoint.y, lf.hitTestRBPoint.y);
    EXPECT_GT(lf.hitTestSize, 0);
    EXPECT_LE(lf.hitTestSize, cl.top - border.top);
}

// What the border windows show: clear over the window, a shadow that fades
// outwards, and strips whose repeated or stretched parts are the same all
// along, so a border of any size has no seams.
TEST_P(LayeredBorder, ShadowFitsAnySize)
{
    const DataSkinLayerFrame& lf = data->layerFrame;
    ASSERT_NE(lf.pictureIndex, -1);
    for (int maskIndex : {lf.maskPictureIndex, lf.inActiveMaskPictureIndex}) {
        if (maskIndex == -1)
            continue;
        SCOPED_TRACE(data->activePicturesNames()[size_t(maskIndex)]);
        const Picture* mask = picture(maskIndex);
        ASSERT_NE(mask, nullptr);
        const Rect& cl = lf.clRect;
        const int w = mask->width(), h = mask->height();
        for (int y = cl.top; y < cl.bottom; ++y)
            for (int x = cl.left; x < cl.right; ++x)
                ASSERT_EQ(opacity(*mask, x, y), 0) << "window area at " << x << "," << y;
        // Dense beside the window, nothing at the picture's outer edge.
        const int midY = (cl.top + cl.bottom) / 2, midX = (cl.left + cl.right) / 2;
        EXPECT_GT(opacity(*mask, cl.left - 1, midY), 40);
        EXPECT_GT(opacity(*mask, midX, cl.bottom), 40);
        EXPECT_EQ(opacity(*mask, 0, midY), 0);
        EXPECT_EQ(opacity(*mask, w - 1, midY), 0);
        EXPECT_EQ(opacity(*mask, midX, 0), 0);
        EXPECT_EQ(opacity(*mask, midX, h - 1), 0);
        for (int x = 1; x < cl.left; ++x)
            EXPECT_GE(opacity(*mask, x, midY), opacity(*mask, x - 1, midY)) << "fades outwards at " << x;
        // Side strips: picture rows between the top and the bottom strip are
        // repeated downwards, so each column is one opacity.
        const int th = std::max(lf.ltPoint.y, lf.rtPoint.y), bh = h - std::min(lf.lbPoint.y, lf.rbPoint.y);
        for (int x = 0; x < w; ++x) {
            if (x >= cl.left && x < cl.right)
                continue;
            for (int y = th; y < h - bh; ++y)
                ASSERT_EQ(opacity(*mask, x, y), opacity(*mask, x, th)) << "side strip seam at " << x << "," << y;
        }
        // Top and bottom strips: the columns between the corner points
        // stretch, so each row is one opacity there.
        for (int y = 0; y < th; ++y)
            for (int x = lf.ltPoint.x; x < lf.rtPoint.x; ++x)
                ASSERT_EQ(opacity(*mask, x, y), opacity(*mask, lf.ltPoint.x, y)) << "top strip at " << x << "," << y;
        for (int y = h - bh; y < h; ++y)
            for (int x = lf.lbPoint.x; x < lf.rbPoint.x; ++x)
                ASSERT_EQ(opacity(*mask, x, y), opacity(*mask, lf.lbPoint.x, y)) << "bottom strip at " << x << "," << y;
    }
}

// A full border's top strip carries the caption and the caption buttons:
// they lie on an opaque bar in the strip's rows, in the stretched columns
// and beside the corner pieces, and the buttons fit the caption's rows.
TEST_P(LayeredBorder, AFullBordersCaptionLiesOnAnOpaqueBarInTheTopStrip)
{
    const DataSkinLayerFrame& lf = data->layerFrame;
    if (!lf.fullBorder)
        GTEST_SKIP() << "no full border";
    const Rect& c = lf.captionRect;
    const int th = std::min(lf.ltPoint.y, lf.rtPoint.y);
    ASSERT_FALSE(c.isEmpty());
    EXPECT_TRUE(c.top >= lf.borderRect.top + lf.hitTestSize && c.bottom <= th) << "caption outside the top strip";
    EXPECT_TRUE(c.left <= lf.ltPoint.x && c.right >= lf.rtPoint.x) << "the caption must stretch with the strip";
    EXPECT_TRUE(c.left >= lf.clRect.left && c.right <= lf.clRect.right) << "caption beyond the window's width";
    EXPECT_GT(lf.rollUpFormHeight, 0) << "a rolled-up window must keep a shape";
    for (int maskIndex : {lf.maskPictureIndex, lf.inActiveMaskPictureIndex}) {
        const Picture* mask = picture(maskIndex);
        ASSERT_NE(mask, nullptr);
        for (int y = c.top; y < c.bottom; ++y)
            for (int x = c.left; x < c.right; ++x)
                ASSERT_EQ(opacity(*mask, x, y), 255) << "caption bar at " << x << "," << y;
    }
    // Both states show the bar whole.
    EXPECT_EQ(lf.alphaBlendValue, 255);
    EXPECT_EQ(lf.inActiveAlphaBlendValue, 255);
    for (const char* name : {"closebutton", "maxbutton", "minbutton", "sysmenubutton"}) {
        const int index = data->getIndex(name);
        ASSERT_GE(index, 0) << name;
        const auto* button = dynamic_cast<const DataSkinStdButton*>(data->objectList()[size_t(index)].get());
        ASSERT_NE(button, nullptr) << name;
        EXPECT_LE(button->skinRect.height(), c.height()) << name;
    }
}

INSTANTIATE_TEST_SUITE_P(BuiltIn, EmbeddedSkin, ::testing::ValuesIn(kBuiltInSkins),
                         [](const ::testing::TestParamInfo<BuiltInSkin>& info) { return info.param.name; });
INSTANTIATE_TEST_SUITE_P(BuiltIn, LayeredBorder, ::testing::ValuesIn(skinsWithLayeredBorder()),
                         [](const ::testing::TestParamInfo<BuiltInSkin>& info) { return info.param.name; });

} // namespace
} // namespace tessaly::skin
