// The built-in pewter skin, as the program embeds it: it loads into the
// registry, holds every record the two windows and their menus use, with
// the right classes, and every picture index and picture rectangle it
// names exists.

#include "skin/data/compressed_stored_skin.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_package.h"
#include "skin/embedded_pewter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <functional>
#include <set>
#include <string>
#include <vector>

namespace tessaly::skin {
namespace {

class PewterSkin : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        stored = new CompressedStoredSkin;
        stored->loadFromCompressBytes(embedded_pewter());
        data = new SkinData;
        data->loadCompressedStoredSkin(*stored);
    }
    static void TearDownTestSuite()
    {
        delete data;
        delete stored;
    }

    static const DataSkinObject* object(const std::string& name)
    {
        const int i = data->getIndex(name);
        return i < 0 ? nullptr : data->objectList()[size_t(i)].get();
    }
    static const DataSkinControl* control(const std::string& name)
    {
        const int i = data->getControlIndex(name);
        return i < 0 ? nullptr : data->ctrlList()[size_t(i)].get();
    }
    static const Picture* picture(int index) { return data->activePicture(index); }

    static inline CompressedStoredSkin* stored = nullptr;
    static inline SkinData* data = nullptr;
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

TEST_F(PewterSkin, LoadsFromTheEmbeddedBytes)
{
    ASSERT_FALSE(data->empty());
    EXPECT_EQ(data->skinName, "Pewter");
    EXPECT_EQ(data->skinAuthor, "The Tessaly Authors");
    EXPECT_FALSE(data->picture().isEmpty());
    EXPECT_TRUE(data->inActivePicture().isEmpty()) << "inactive frames come from the inactive effect";
    EXPECT_EQ(data->mask().width(), data->picture().width());
    EXPECT_EQ(data->mask().height(), data->picture().height());
    EXPECT_TRUE(data->autoRenderingInActiveImage);
    EXPECT_EQ(data->inActiveEffect, InActiveEffect::GrayScale);
}

TEST_F(PewterSkin, ObjectRecordsHaveTheirClasses)
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

TEST_F(PewterSkin, ControlRecordsHaveTheirClasses)
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

TEST_F(PewterSkin, EveryPictureIndexNamesAPictureAndEveryPictureIsUsed)
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
        "radioimagerect", "activeradioimagerect", "arrowimagerect", "activearrowimagerect"};
    return keys.count(key) > 0;
}

TEST_F(PewterSkin, PictureRectanglesLieInsideTheirPictures)
{
    for (const auto& o : data->objectList()) {
        SCOPED_TRACE(o->idName);
        const Picture* source = o->skinRectInAPicture || dynamic_cast<DataSkinMenuItem*>(o.get())
                                    ? picture(o->activePictureIndex)
                                    : &data->picture().picture();
        ASSERT_NE(source, nullptr);
        for (const auto& [key, r] : fieldsOf(*o).rects) {
            if (cutsThePicture(key) && !r.isEmpty()) {
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

TEST_F(PewterSkin, FrameGeometryFitsThePicture)
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

TEST_F(PewterSkin, ControlSizesSuitTheWindows)
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

TEST_F(PewterSkin, MasksAndGlowsMatchTheirButtons)
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
TEST_F(PewterSkin, DescriptionRepeatsNoKeyAndNoSection)
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

} // namespace
} // namespace tessaly::skin
