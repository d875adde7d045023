#include "skin/data/skin_data.h"

#include "skin/data/bmp_codec.h"
#include "skin/data/compressed_stored_skin.h"
#include "skin/data/file_io.h"
#include "skin/data/resource_str_data.h"
#include "skin/data/skin_text.h"
#include "test_skins.h"

#include "platform/error.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tessaly::skin {
namespace {

using test::patternBitmap;
using test::samplePackage;
using test::storedSkin;
using test::storedSkinFromBytes;
using test::TempFolder;

// What a window saw of one notice.
struct Notice {
    std::string window;
    int message;
    bool empty;
    bool changing;
    std::size_t controls;

    friend bool operator==(const Notice&, const Notice&) = default;
};

std::ostream& operator<<(std::ostream& out, const Notice& n)
{
    return out << n.window << ':' << n.message << (n.empty ? " empty" : "") << (n.changing ? " changing" : "")
               << " controls=" << n.controls;
}

class RecordingWindow final : public SkinNoticeReceiver {
public:
    RecordingWindow(std::string name, std::vector<Notice>& log, bool layered = false)
        : m_name(std::move(name))
        , m_log(log)
        , m_layered(layered)
    {
    }
    void skinNotice(int message, SkinData& sender) override
    {
        m_log.push_back({m_name, message, sender.empty(), sender.changeSkinDataProcess(), sender.ctrlList().size()});
    }
    bool isLayeredBorderWindow() const override { return m_layered; }

private:
    std::string m_name;
    std::vector<Notice>& m_log;
    bool m_layered;
};

class FakeWindows final : public SkinNotifier {
public:
    std::vector<SkinNoticeReceiver*> windows() const override { return list; }
    std::vector<SkinNoticeReceiver*> list;
};

class SkinDataTest : public ::testing::Test {
protected:
    SkinDataTest()
    {
        windows.list = {&window};
        data.setNotifier(&windows);
    }

    std::vector<int> messages() const
    {
        std::vector<int> result;
        for (const Notice& n : log)
            result.push_back(n.message);
        return result;
    }

    // The whole description of a registry, as it would be written.
    static std::string written(const SkinData& d)
    {
        SkinDescription description;
        d.writeDescription(description);
        return description.toText();
    }

    std::vector<Notice> log;
    RecordingWindow window{"main", log};
    FakeWindows windows;
    SkinData data;
};

const std::vector<int> kChangeNotices = {SKINMSG_BEFORE_CHANGE, SKINMSG_CHANGE, SKINMSG_AFTER_CHANGE};

TEST_F(SkinDataTest, StartsEmpty)
{
    EXPECT_TRUE(data.empty());
    EXPECT_FALSE(data.changeSkinDataProcess());
    EXPECT_EQ(data.bgPictureIndex, -1);
    EXPECT_EQ(data.mdibgPictureIndex, -1);
    EXPECT_EQ(data.layerFrame.pictureIndex, -1);
    EXPECT_EQ(data.getIndex("caption"), -1);
    EXPECT_EQ(data.getControlIndex("button"), -1);
    EXPECT_EQ(data.options(), SkinOptions{});
    EXPECT_TRUE(data.options().enableSkinEffects);
    EXPECT_TRUE(data.options().showButtonGlowFrames);
    EXPECT_TRUE(data.options().showCaptionButtonGlowFrames);
    EXPECT_TRUE(data.options().showLayeredBorders);
}

TEST_F(SkinDataTest, LoadingRunsItsStepsInOrder)
{
    data.setOnLoadData([this](SkinData& sender) {
        log.push_back({"OnLoadData", 0, sender.empty(), sender.changeSkinDataProcess(), sender.ctrlList().size()});
    });
    data.loadCompressedStoredSkin(storedSkin(samplePackage()));

    const std::vector<Notice> expected = {
        {"main", SKINMSG_BEFORE_CHANGE, true, true, 0},
        {"OnLoadData", 0, false, true, 5},
        {"main", SKINMSG_CHANGE, false, true, 5},
        {"main", SKINMSG_AFTER_CHANGE, false, false, 5},
    };
    EXPECT_EQ(log, expected);
    EXPECT_FALSE(data.empty());
    EXPECT_FALSE(data.changeSkinDataProcess());
}

TEST_F(SkinDataTest, RecordsComeInFileOrderAndUnknownTypesAreSkipped)
{
    data.loadCompressedStoredSkin(storedSkin(samplePackage()));

    std::vector<std::string> objects, controls;
    for (const auto& r : data.objectList())
        objects.push_back(r->idName + ":" + std::string(r->typeName()));
    for (const auto& r : data.ctrlList())
        controls.push_back(r->idName + ":" + std::string(r->typeName()));
    EXPECT_EQ(objects, (std::vector<std::string>{"closebutton:stdbutton", "caption:caption", "menuitem:menuitem",
                                                 "closebutton:button"}));
    EXPECT_EQ(controls, (std::vector<std::string>{"button:button", "toolbutton:button", "statusbar:panel",
                                                  "edit:edit", "button:stdlabel"}));

    // Each record read its own section.
    const auto& button = dynamic_cast<const DataSkinButtonControl&>(*data.ctrlList()[0]);
    EXPECT_EQ(button.skinRect, (Rect{0, 0, 60, 24}));
    EXPECT_EQ(button.ltPoint, (Point{16, 11}));
    EXPECT_EQ(button.fontColor, Color(255u));
    const auto& caption = dynamic_cast<const DataSkinCaption&>(*data.objectList()[1]);
    EXPECT_TRUE(caption.fontStyle.bold);
    EXPECT_EQ(caption.alignment, Alignment::LeftJustify);
    // The fixed records and the colours.
    EXPECT_EQ(data.popupWindow.windowPictureIndex, 2);
    EXPECT_EQ(data.popupWindow.stretchType, StretchType::Vert);
    EXPECT_EQ(data.hintWindow.fontName, "Tahoma");
    EXPECT_EQ(data.layerFrame.pictureIndex, -1);
    EXPECT_EQ(data.skinColors().cBtnFace, Color(12039860u));
    EXPECT_EQ(data.skinColors().cBtnShadow, Color(0xFF000010u));
}

TEST_F(SkinDataTest, GeneralSectionsAndPictures)
{
    data.loadCompressedStoredSkin(storedSkin(samplePackage()));

    EXPECT_EQ(data.skinName, "Sample");
    EXPECT_EQ(data.authorURL, "https://tessaly.example/");
    EXPECT_EQ(data.pictureName(), "main.bmp");
    EXPECT_EQ(data.maskName(), "mask.bmp");
    EXPECT_EQ(data.activePicturesNames(), (std::vector<std::string>{"one.bmp", "two.bmp", "three.bmp"}));
    EXPECT_EQ(data.borderW, 16);
    EXPECT_FALSE(data.capButtonsInLeft); // "2" is not true
    EXPECT_EQ(data.stretchType, StretchType::Horz);
    EXPECT_EQ(data.mdibgStretchType, StretchType::Vert);
    EXPECT_EQ(data.inActiveEffect, InActiveEffect::Darkness);
    EXPECT_EQ(data.formMinWidth, 64);
    EXPECT_EQ(data.bgPictureIndex, 1);
    // With a mask, an empty mask area becomes the client rectangle.
    EXPECT_EQ(data.maskRectArea, (Rect{2, 25, 290, 162}));
    // These corners lie inside the client rectangle already.
    EXPECT_EQ(data.ltPoint, (Point{9, 25}));
    EXPECT_EQ(data.rbPoint, (Point{284, 155}));
    EXPECT_EQ(data.hitTestLTPoint, (Point{4, 4}));

    const SkinPackage package = samplePackage();
    EXPECT_EQ(data.picture().picture().pixels(), package.picture.picture().pixels());
    EXPECT_TRUE(data.inActivePicture().isEmpty());
    EXPECT_EQ(data.mask().picture().pixels(), package.mask.picture().pixels());
    ASSERT_EQ(data.activePictures().size(), 3u);
    ASSERT_NE(data.activePicture(2), nullptr);
    EXPECT_EQ(data.activePicture(2)->pixels(), package.activePictures[2].picture().pixels());
    EXPECT_EQ(data.activePicture(3), nullptr);
    EXPECT_EQ(data.activePicture(-1), nullptr);
}

struct FormInfoCase {
    const char* name;
    const char* mask;
    const char* formInfo;
    Point lt, rt, lb, rb;
    Rect maskRectArea;
    Point hitTestLT, hitTestRB;
};

TEST_F(SkinDataTest, FormInfoAdjustments)
{
    const FormInfoCase cases[] = {
        {"corners pulled inside the client rectangle", "",
         "lefttoppoint=1,1\nrighttoppoint=300,1\nleftbottompoint=1,200\nrightbottompoint=300,200\n"
         "clientrect=2,25,290,162\n",
         {2, 25}, {290, 25}, {2, 162}, {290, 162}, {0, 0, 0, 0}, {0, 0}, {0, 0}},
        {"no change when two corners share an x", "",
         "lefttoppoint=1,1\nrighttoppoint=300,1\nleftbottompoint=1,200\nrightbottompoint=1,200\n"
         "clientrect=2,25,290,162\n",
         {1, 1}, {300, 1}, {1, 200}, {1, 200}, {0, 0, 0, 0}, {0, 0}, {0, 0}},
        {"a mask area grows to cover the client rectangle; unset hit-test points take the corners", "mask.bmp",
         "lefttoppoint=9,25\nrighttoppoint=282,25\nleftbottompoint=8,156\nrightbottompoint=284,155\n"
         "clientrect=2,25,290,162\nmaskrectarea=5,0,100,300\nhittestrightbottompoint=0,7\n",
         {9, 25}, {282, 25}, {8, 156}, {284, 155}, {2, 0, 290, 300}, {9, 25}, {284, 155}},
        {"without a mask name nothing of the mask is touched", "",
         "lefttoppoint=9,25\nrightbottompoint=284,155\nclientrect=2,25,290,162\nmaskrectarea=5,0,100,300\n",
         {9, 25}, {0, 25}, {2, 0}, {284, 155}, {5, 0, 100, 300}, {0, 0}, {0, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SkinPackage package;
        package.description = std::string("[PICTURES]\nmask=") + c.mask + "\n[FORMINFO]\n" + c.formInfo;
        data.loadCompressedStoredSkin(storedSkin(package));
        EXPECT_EQ(data.ltPoint, c.lt);
        EXPECT_EQ(data.rtPoint, c.rt);
        EXPECT_EQ(data.lbPoint, c.lb);
        EXPECT_EQ(data.rbPoint, c.rb);
        EXPECT_EQ(data.maskRectArea, c.maskRectArea);
        EXPECT_EQ(data.hitTestLTPoint, c.hitTestLT);
        EXPECT_EQ(data.hitTestRBPoint, c.hitTestRB);
    }
}

// The sizes of the window frame enter within their bounds through a whole
// load: at the bound the skin loads, beyond it the load fails with a message
// naming the key and the section, and the registry is left cleared. The
// window's least size has a bound of its own: its image must fit in memory.
TEST_F(SkinDataTest, FormInfoSizesAreRefusedBeyondTheirBounds)
{
    struct Sized final : FieldVisitor {
        void visit(const Field& field) override
        {
            if (std::holds_alternative<int*>(field.ref))
                keys.push_back({field.key, field.bound, false, false});
            else if (std::holds_alternative<Point*>(field.ref))
                keys.push_back({field.key, kMaxCoordinate, true, false});
            else if (std::holds_alternative<Rect*>(field.ref))
                keys.push_back({field.key, kMaxCoordinate, false, true});
        }
        struct Key {
            std::string name;
            int bound;
            bool point;
            bool rect;
        };
        std::vector<Key> keys;
    } sized;
    data.visitFormInfoFields(sized);
    ASSERT_GE(sized.keys.size(), 15u);
    for (const auto& key : sized.keys) {
        if (key.name == "formminwidth" || key.name == "formminheight")
            EXPECT_EQ(key.bound, kMaxWindowSize) << key.name;
        auto valueOf = [&](long long n) {
            const std::string one = std::to_string(n);
            return key.rect ? "0,0," + one + "," + one : key.point ? one + "," + one : one;
        };
        auto load = [&](long long n) {
            SkinPackage package;
            package.description = "[FORMINFO]\n" + key.name + "=" + valueOf(n) + "\n";
            data.loadCompressedStoredSkin(storedSkin(package));
        };
        EXPECT_NO_THROW(load(key.bound)) << key.name;
        EXPECT_FALSE(data.empty()) << key.name;
        try {
            load(key.bound + 1LL);
            ADD_FAILURE() << key.name << " beyond its bound is taken";
        } catch (const Error& error) {
            EXPECT_EQ(std::string(error.what()),
                      "The value \"" + valueOf(key.bound + 1LL) + "\" of key \"" + key.name +
                          "\" in section \"FORMINFO\" is out of range: it must hold " +
                          (key.rect || key.point
                               ? "coordinates from 0 to 32767"
                               : "an integer from " + std::to_string(-key.bound) + " to " + std::to_string(key.bound)));
        }
        EXPECT_TRUE(data.empty()) << key.name;
    }
}

TEST_F(SkinDataTest, LookupsAreExactAndFindTheFirst)
{
    data.loadCompressedStoredSkin(storedSkin(samplePackage()));
    EXPECT_EQ(data.getControlIndex("button"), 0);
    EXPECT_EQ(data.getControlIndex("statusbar"), 2);
    EXPECT_EQ(data.getControlIndex("Button"), -1);
    EXPECT_EQ(data.getControlIndex("button "), -1);
    EXPECT_EQ(data.getControlIndex(""), -1);
    EXPECT_EQ(data.getIndex("caption"), 1);
    EXPECT_EQ(data.getIndex("Caption"), -1);
    // The second "closebutton" is loaded but never found.
    EXPECT_EQ(data.getIndex("closebutton"), 0);
    EXPECT_EQ(data.objectList()[3]->idName, "closebutton");
    EXPECT_EQ(data.getIndex("mystery"), -1);
}

TEST_F(SkinDataTest, IndexSectionsReadOnlyTheEntriesThereAre)
{
    SkinPackage package;
    package.description = "[SKINCONTROLS]\ncount=2147483647\n3=late:label\n0=first:label\n"
                          "[SKINOBJECTS]\ncount=1\n0=a:caption\n1=b:caption\n";
    data.loadCompressedStoredSkin(storedSkin(package));
    ASSERT_EQ(data.ctrlList().size(), 2u);
    EXPECT_EQ(data.ctrlList()[0]->idName, "first");
    EXPECT_EQ(data.ctrlList()[1]->idName, "late");
    ASSERT_EQ(data.objectList().size(), 1u); // only the entries below the count
}

TEST_F(SkinDataTest, ClearSkinNotifiesAndForgetsEverything)
{
    data.loadCompressedStoredSkin(storedSkin(samplePackage()));
    log.clear();
    data.clearSkin();
    EXPECT_EQ(messages(), kChangeNotices);
    EXPECT_TRUE(data.empty());
    EXPECT_FALSE(data.changeSkinDataProcess());
    for (const char* name : {"button", "toolbutton", "statusbar", "edit"})
        EXPECT_EQ(data.getControlIndex(name), -1) << name;
    for (const char* name : {"closebutton", "caption", "menuitem"})
        EXPECT_EQ(data.getIndex(name), -1) << name;
    EXPECT_TRUE(data.picture().isEmpty());
    EXPECT_TRUE(data.mask().isEmpty());
    EXPECT_TRUE(data.activePictures().empty());
    EXPECT_TRUE(data.activePicturesNames().empty());
    EXPECT_EQ(data.popupWindow.windowPictureIndex, -1);
    EXPECT_EQ(data.hintWindow.windowPictureIndex, -1);
    EXPECT_EQ(data.skinColors().cBtnFace, Color(0xFF00000Fu));
}

TEST_F(SkinDataTest, AnEmptyStoredSkinChangesNothing)
{
    data.loadCompressedStoredSkin(storedSkin(samplePackage()));
    log.clear();
    data.loadCompressedStoredSkin(CompressedStoredSkin());
    EXPECT_TRUE(log.empty());
    EXPECT_FALSE(data.empty());
    EXPECT_EQ(data.getControlIndex("edit"), 3);
}

TEST_F(SkinDataTest, APackageOfAnUnknownVersionEndsTheLoadCleared)
{
    data.loadCompressedStoredSkin(storedSkin(samplePackage()));
    log.clear();
    bool loadDataCalled = false;
    data.setOnLoadData([&](SkinData&) { loadDataCalled = true; });

    std::vector<std::uint8_t> bytes = writeSkinPackage(samplePackage());
    bytes[0] = 4;
    data.loadCompressedStoredSkin(storedSkinFromBytes(bytes));

    // The old records are still there while the windows drop them.
    const std::vector<Notice> expected = {
        {"main", SKINMSG_BEFORE_CHANGE, true, true, 5},
        {"main", SKINMSG_CHANGE, true, true, 0},
        {"main", SKINMSG_AFTER_CHANGE, true, false, 0},
    };
    EXPECT_EQ(log, expected);
    EXPECT_FALSE(loadDataCalled);
    EXPECT_TRUE(data.empty());
    EXPECT_EQ(data.getControlIndex("button"), -1);
    EXPECT_TRUE(data.picture().isEmpty());
    EXPECT_TRUE(data.activePictures().empty());
}

struct FailureCase {
    const char* name;
    std::function<std::vector<std::uint8_t>()> package;
    const char* message;
};

TEST_F(SkinDataTest, AnErrorPartWayLeavesTheRegistryClearedAndNotified)
{
    const FailureCase cases[] = {
        {"a control with a bad rectangle",
         [] {
             SkinPackage p = samplePackage();
             p.description += "[edit]\nskinrect=1,2\n";
             p.description.replace(p.description.find("[edit]"), 6, "[edit0]"); // the first [edit] goes away
             return writeSkinPackage(p);
         },
         "'''' is not a valid integer value"},
        {"a FORMINFO point without its y",
         [] {
             SkinPackage p = samplePackage();
             p.description.replace(p.description.find("lefttoppoint=9,25"), 17, "lefttoppoint=3");
             return writeSkinPackage(p);
         },
         "'''' is not a valid integer value"},
        {"a damaged bitmap",
         [] {
             std::vector<std::uint8_t> bytes = writeSkinPackage(samplePackage());
             bytes[5] = 'X'; // "BM" of the main picture
             return bytes;
         },
         "Bitmap image is not valid"},
        {"a package that ends inside a bitmap",
         [] {
             std::vector<std::uint8_t> bytes = writeSkinPackage(samplePackage());
             bytes.resize(200);
             return bytes;
         },
         "Stream read error"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        data.loadCompressedStoredSkin(storedSkin(samplePackage()));
        log.clear();
        try {
            data.loadCompressedStoredSkin(storedSkinFromBytes(c.package()));
            ADD_FAILURE() << "no error";
        } catch (const Error& e) {
            EXPECT_STREQ(e.what(), c.message);
        }
        const std::vector<Notice> expected = {
            {"main", SKINMSG_BEFORE_CHANGE, true, true, 5},
            {"main", SKINMSG_CHANGE, true, true, 0},
            {"main", SKINMSG_AFTER_CHANGE, true, false, 0},
        };
        EXPECT_EQ(log, expected);
        EXPECT_TRUE(data.empty());
        EXPECT_FALSE(data.changeSkinDataProcess());
        EXPECT_TRUE(data.objectList().empty());
        EXPECT_TRUE(data.activePictures().empty());
        EXPECT_TRUE(data.picture().isEmpty());
        EXPECT_EQ(data.ltPoint, (Point{0, 0}));
        EXPECT_EQ(data.skinName, "");
    }
}

TEST_F(SkinDataTest, NoticeOrderFollowsTheLayeredBorders)
{
    std::vector<Notice> order;
    RecordingWindow first("first", order), owner("owner", order), last("last", order),
        border("border", order, true);
    windows.list = {&first, &owner, &border, &last};
    data.setOwnerWindow(&owner);

    auto names = [&order](SkinData& d) {
        order.clear();
        d.sendSkinDataMessage(SKINMSG_CHANGE);
        std::vector<std::string> result;
        for (const Notice& n : order)
            result.push_back(n.window);
        return result;
    };
    // Layered borders on, but the skin has no layered frame: window order.
    EXPECT_EQ(names(data), (std::vector<std::string>{"first", "owner", "last"}));
    // With a layered frame picture: back to front.
    data.layerFrame.pictureIndex = 0;
    EXPECT_EQ(names(data), (std::vector<std::string>{"last", "owner", "first"}));
    // Layered borders off: the owner first, then the others in order.
    data.setOptions({.showLayeredBorders = false});
    EXPECT_EQ(names(data), (std::vector<std::string>{"owner", "first", "last"}));
}

TEST_F(SkinDataTest, PropertyChangesSendTheirNotices)
{
    data.setOptions({.showLayeredBorders = false});
    data.setOptions({.showLayeredBorders = false}); // unchanged: nothing
    // Switches read as the windows paint: nothing to send.
    data.setOptions({.enableSkinEffects = false, .showButtonGlowFrames = false,
                     .showCaptionButtonGlowFrames = false, .showLayeredBorders = false});
    ResourceStrData strings;
    data.setResourceStrData(&strings);
    data.setOptions({});
    EXPECT_EQ(messages(), (std::vector<int>{SKINMSG_LAYERED_BORDERS, SKINMSG_RESOURCE_STRINGS,
                                            SKINMSG_LAYERED_BORDERS}));
    EXPECT_TRUE(data.options().showLayeredBorders);
}

// The switches belong to the program, not to the skin: a load, a clear and
// a failed load keep them.
TEST_F(SkinDataTest, OptionsOutliveTheSkin)
{
    const SkinOptions options{.enableSkinEffects = false, .showButtonGlowFrames = false,
                              .showCaptionButtonGlowFrames = true, .showLayeredBorders = false};
    data.setOptions(options);
    data.loadCompressedStoredSkin(storedSkin(samplePackage()));
    EXPECT_EQ(data.options(), options);
    data.clearSkin();
    EXPECT_EQ(data.options(), options);
    std::vector<std::uint8_t> bytes = writeSkinPackage(samplePackage());
    bytes.resize(200);
    EXPECT_THROW(data.loadCompressedStoredSkin(storedSkinFromBytes(bytes)), Error);
    EXPECT_EQ(data.options(), options);
}

TEST_F(SkinDataTest, LoadingAStoredSkinNotifiesAndFindsItsRecords)
{
    CompressedStoredSkin skin = storedSkin(samplePackage());
    data.loadCompressedStoredSkin(skin);
    EXPECT_EQ(messages(), kChangeNotices);
    EXPECT_EQ(data.getIndex("menuitem"), 2);
}

TEST_F(SkinDataTest, SaveToFileAndLoadFromFileGiveTheSameSkin)
{
    TempFolder folder;
    data.loadCompressedStoredSkin(storedSkin(samplePackage()));
    data.storeToDisk(folder.path() / "skin.ini");
    for (const char* name : {"main.bmp", "mask.bmp", "one.bmp", "two.bmp", "three.bmp"})
        EXPECT_TRUE(std::filesystem::exists(folder.path() / name)) << name;

    SkinData loaded;
    loaded.loadFromFile(folder.path() / "skin.ini");
    EXPECT_FALSE(loaded.empty());
    EXPECT_EQ(written(loaded), written(data));
    EXPECT_EQ(loaded.picture().picture().pixels(), data.picture().picture().pixels());
    EXPECT_TRUE(loaded.inActivePicture().isEmpty());
    EXPECT_EQ(loaded.mask().picture().pixels(), data.mask().picture().pixels());
    ASSERT_EQ(loaded.activePictures().size(), data.activePictures().size());
    for (std::size_t i = 0; i < data.activePictures().size(); ++i)
        EXPECT_EQ(loaded.activePictures()[i].picture().pixels(), data.activePictures()[i].picture().pixels());
    EXPECT_EQ(loaded.getControlIndex("statusbar"), 2);
    EXPECT_EQ(loaded.objectList().size(), 4u);
}

TEST_F(SkinDataTest, StoreToDiskWritesNoBitmapOutsideTheSkinFolder)
{
    for (const char* name : {"../escape.bmp", "sub/../../escape.bmp", "..\\escape.bmp", "/tmp/escape.bmp"}) {
        SCOPED_TRACE(name);
        TempFolder folder;
        SkinPackage package = samplePackage();
        package.description.replace(package.description.find("one.bmp"), 7, name);
        data.loadCompressedStoredSkin(storedSkin(package));
        EXPECT_THROW(data.storeToDisk(folder.path() / "skin.ini"), Error);
        EXPECT_FALSE(std::filesystem::exists(folder.path().parent_path() / "escape.bmp"));
        EXPECT_FALSE(std::filesystem::exists("/tmp/escape.bmp"));
    }
    TempFolder folder;
    SkinPackage package = samplePackage();
    package.description.replace(package.description.find("one.bmp"), 7, "sub/../one.bmp");
    data.loadCompressedStoredSkin(storedSkin(package));
    data.storeToDisk(folder.path() / "skin.ini");
    EXPECT_TRUE(std::filesystem::exists(folder.path() / "one.bmp"));
}

TEST_F(SkinDataTest, SaveToFileKeepsOtherSections)
{
    TempFolder folder;
    const auto file = folder.path() / "skin.ini";
    writeWholeFile(file, encodeSkinText("[Mine]\r\nkeep=1\r\n[FORMINFO]\r\nold=1\r\n"));
    data.loadCompressedStoredSkin(storedSkin(samplePackage()));
    data.saveToFile(file);
    const auto saved = SkinDescription::fromText(decodeSkinText(readWholeFile(file)));
    EXPECT_EQ(saved.readString("Mine", "keep", ""), "1");
    EXPECT_EQ(saved.readString("FORMINFO", "old", "gone"), "gone");
    EXPECT_EQ(saved.readString("FORMINFO", "borderwidth", ""), "16");
    EXPECT_EQ(saved.readString("SKINCONTROLS", "2", ""), "statusbar:panel");
    EXPECT_EQ(saved.readString("statusbar", "alignment", ""), "taleftjustify");
}

TEST_F(SkinDataTest, ADescriptionFileWithoutTheGeneralSectionsIsNotLoaded)
{
    TempFolder folder;
    const auto file = folder.path() / "skin.ini";
    writeWholeFile(file, encodeSkinText("[VERSION]\r\nver=1\r\n[PICTURES]\r\npicture=\r\n[FORMINFO]\r\nborderwidth=1\r\n"
                                        "[SKINOBJECTS]\r\ncount=0\r\n"));
    data.loadCompressedStoredSkin(storedSkin(samplePackage()));
    log.clear();
    data.loadFromFile(file);
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(data.getControlIndex("button"), 0);
}

TEST_F(SkinDataTest, AMissingBitmapFileFailsTheLoadCleanly)
{
    TempFolder folder;
    data.loadCompressedStoredSkin(storedSkin(samplePackage()));
    data.saveToFile(folder.path() / "skin.ini"); // the description without its bitmaps
    log.clear();
    EXPECT_THROW(data.loadFromFile(folder.path() / "skin.ini"), Error);
    EXPECT_EQ(messages(), kChangeNotices);
    EXPECT_TRUE(data.empty());
}

TEST_F(SkinDataTest, CompressedFilesRoundTrip)
{
    TempFolder folder;
    const auto file = folder.path() / "skin.skn";
    data.loadCompressedStoredSkin(storedSkin(samplePackage()));
    data.saveToCompressedFile(file);

    SkinData loaded;
    loaded.loadFromCompressedFile(file);
    EXPECT_EQ(written(loaded), written(data));
    ASSERT_EQ(loaded.activePictures().size(), 3u);
    EXPECT_EQ(loaded.activePictures()[1].picture().pixels(), data.activePictures()[1].picture().pixels());

    // An empty registry writes a stored skin that loads as an empty skin.
    CompressedStoredSkin fromEmpty;
    fromEmpty.loadFromSkinData(SkinData());
    EXPECT_FALSE(fromEmpty.isEmpty());
}

// Every active picture comes from the file its name gives, beside the
// description; a name without a file fails the load.
TEST_F(SkinDataTest, ActivePicturesLoadFromTheirFiles)
{
    TempFolder folder;
    const auto file = folder.path() / "skin.ini";
    data.loadCompressedStoredSkin(storedSkin(samplePackage()));
    data.storeToDisk(file);
    saveBitmapFile(folder.path() / "extra.bmp", patternBitmap(4, 4, 9));
    SkinDescription description = SkinDescription::fromText(decodeSkinText(readWholeFile(file)));
    description.writeStringList("PICTURES", "activepictures", {"one.bmp", "extra.bmp"});
    writeWholeFile(file, encodeSkinText(description.toText()));

    data.loadFromFile(file);
    EXPECT_EQ(data.activePicturesNames(), (std::vector<std::string>{"one.bmp", "extra.bmp"}));
    ASSERT_NE(data.activePicture(1), nullptr);
    EXPECT_EQ(data.activePicture(1)->width(), 4);
    EXPECT_EQ(data.activePicture(1)->pixels(), patternBitmap(4, 4, 9).picture().pixels());

    description.writeStringList("PICTURES", "activepictures", {"one.bmp", "missing.bmp"});
    writeWholeFile(file, encodeSkinText(description.toText()));
    EXPECT_THROW(data.loadFromFile(file), Error);
    EXPECT_TRUE(data.activePicturesNames().empty());
}

} // namespace
} // namespace tessaly::skin
