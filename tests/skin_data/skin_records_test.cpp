#include "skin/data/control_records.h"
#include "skin/data/object_records.h"
#include "skin/data/skin_colors.h"
#include "skin/data/skin_values.h"
#include "skin/data/window_records.h"

#include "platform/error.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>

namespace tessaly::skin {
namespace {

using KeyValues = std::vector<std::pair<std::string, std::string>>;

// Every field of a record as (key, value in its written form).
class Snapshot final : public FieldVisitor {
public:
    void visit(const Field& field) override { values.emplace_back(field.key, encodeField(field.ref)); }
    KeyValues values;
};

// Every field's default in its written form.
class DefaultsSnapshot final : public FieldVisitor {
public:
    void visit(const Field& field) override
    {
        values.emplace_back(field.key, std::visit([](auto def) { return encodeField(&def); }, field.def));
    }
    KeyValues values;
};

template <class E>
E nextEnum(E value, int count)
{
    return E((int(value) + 1) % count);
}

// Gives every field a value that differs from its default and from the
// values of the other fields.
class Perturb final : public FieldVisitor {
public:
    void visit(const Field& field) override
    {
        const int k = ++m_index;
        std::visit(
            [&](auto* value) {
                using T = std::remove_pointer_t<decltype(value)>;
                const T& def = std::get<T>(field.def);
                if constexpr (std::is_same_v<T, std::string>)
                    *value = "v" + std::string(field.key);
                else if constexpr (std::is_same_v<T, int>)
                    // Within the field's bound: below the default where
                    // the usual value would lie beyond it.
                    *value = def + 1000 + k <= field.bound ? def + 1000 + k : def - k;
                else if constexpr (std::is_same_v<T, Color>)
                    *value = Color(def.value() ^ (0x10203u * uint32_t(k)));
                else if constexpr (std::is_same_v<T, bool>)
                    *value = !def;
                else if constexpr (std::is_same_v<T, Point>)
                    *value = {k, k + 1};
                else if constexpr (std::is_same_v<T, Rect>)
                    *value = {k, k + 1, k + 30, k + 40};
                else if constexpr (std::is_same_v<T, FontStyle>)
                    *value = {true, k % 2 == 0, k % 2 == 1, true};
                else if constexpr (std::is_same_v<T, StretchType>)
                    *value = nextEnum(def, 3);
                else if constexpr (std::is_same_v<T, InActiveEffect>)
                    *value = nextEnum(def, 6);
                else if constexpr (std::is_same_v<T, MorphKind>)
                    *value = nextEnum(def, 7);
                else if constexpr (std::is_same_v<T, Alignment>)
                    *value = nextEnum(def, 3);
                else if constexpr (std::is_same_v<T, StdCommand>)
                    *value = nextEnum(def, 7);
            },
            field.ref);
    }

private:
    int m_index = 0;
};

KeyValues snapshot(FieldRecord& record)
{
    Snapshot s;
    record.visitFields(s);
    return s.values;
}

// One record class as the tests drive it: how to make it, read it and
// write it.
struct RecordCase {
    std::string name;
    std::function<std::unique_ptr<FieldRecord>()> make;
    std::function<void(FieldRecord&, const SkinDescription&)> load;
    std::function<void(const FieldRecord&, SkinDescription&)> save;
    std::string section;
};

const char* const kObjectTypes[] = {"menuitem", "mainmenubaritem", "stdbutton", "mainmenubarbutton",
                                    "button",   "caption",         "animate",   "userobject"};
const char* const kControlTypes[] = {
    "panel",   "expanel",  "menubutton",   "button",  "checkradio", "gauge",      "splitter", "trackbar",
    "label",   "stdlabel", "updown",       "grid",    "tab",        "mainmenubar", "controlbar", "appmenu",
    "memo",    "edit",     "checklistbox", "listbox", "combobox",   "scrollbar",  "spinedit", "scrollbox",
    "treeview", "bevel",   "slider",       "listview", "richedit"};

template <class Fixed>
RecordCase fixedCase(const char* name)
{
    return {name, [] { return std::make_unique<Fixed>(); },
            [](FieldRecord& r, const SkinDescription& d) { static_cast<Fixed&>(r).loadFromFile(d); },
            [](const FieldRecord& r, SkinDescription& d) { static_cast<const Fixed&>(r).saveToFile(d); },
            Fixed::kSection};
}

std::vector<RecordCase> allRecordCases()
{
    std::vector<RecordCase> cases;
    auto loadRecord = [](FieldRecord& r, const SkinDescription& d) { static_cast<SkinRecord&>(r).loadFromFile(d); };
    auto saveRecord = [](const FieldRecord& r, SkinDescription& d) {
        static_cast<const SkinRecord&>(r).saveToFile(d);
    };
    for (const char* type : kObjectTypes)
        cases.push_back({std::string("object ") + type, [type] { return createObjectRecord(type, "rec"); },
                         loadRecord, saveRecord, "rec"});
    for (const char* type : kControlTypes)
        cases.push_back({std::string("control ") + type, [type] { return createControlRecord(type, "rec"); },
                         loadRecord, saveRecord, "rec"});
    cases.push_back(fixedCase<DataSkinPopupWindow>("popup window"));
    cases.push_back(fixedCase<DataSkinHintWindow>("hint window"));
    cases.push_back(fixedCase<DataSkinLayerFrame>("layer frame"));
    cases.push_back(fixedCase<SkinColors>("skin colours"));
    return cases;
}

// The keys of a record that carry a size: each integer with its bound, and
// each point and rectangle.
class SizedKeys final : public FieldVisitor {
public:
    struct Key {
        std::string key;
        enum { Integer, Point, Rect } kind;
        int bound;
    };
    void visit(const Field& field) override
    {
        if (std::holds_alternative<int*>(field.ref))
            keys.push_back({field.key, Key::Integer, field.bound});
        else if (std::holds_alternative<skin::Point*>(field.ref))
            keys.push_back({field.key, Key::Point, kMaxCoordinate});
        else if (std::holds_alternative<skin::Rect*>(field.ref))
            keys.push_back({field.key, Key::Rect, kMaxCoordinate});
    }
    std::vector<Key> keys;
};

// The value of a key with every number set to n.
std::string valueOf(const SizedKeys::Key& key, long long n)
{
    const std::string one = std::to_string(n);
    switch (key.kind) {
    case SizedKeys::Key::Integer:
        return one;
    case SizedKeys::Key::Point:
        return one + "," + one;
    case SizedKeys::Key::Rect:
        return "0,0," + one + "," + one;
    }
    return one;
}

// Reads one key of a record from a section that holds only that key.
void readKey(FieldRecord& record, const std::string& section, const std::string& key, const std::string& value)
{
    const SkinDescription description = SkinDescription::fromText("[" + section + "]\n" + key + "=" + value + "\n");
    FieldReader reader(description.findSection(section));
    record.visitFields(reader);
}

// Every size a description gives enters within its bound: a value at the
// bound is read as it is, one beyond it is refused with a message naming
// the key and its section, whatever the record kind.
TEST(SkinRecords, EverySizeIsRefusedBeyondItsBound)
{
    std::size_t checked = 0;
    for (const RecordCase& c : allRecordCases()) {
        SizedKeys sized;
        c.make()->visitFields(sized);
        for (const SizedKeys::Key& key : sized.keys) {
            const std::string what = c.name + " " + key.key;
            auto record = c.make();
            EXPECT_NO_THROW(readKey(*record, c.section, key.key, valueOf(key, key.bound))) << what;
            const std::vector<long long> beyond = key.kind == SizedKeys::Key::Integer
                ? std::vector<long long>{key.bound + 1LL, -key.bound - 1LL, 2147483647LL}
                : std::vector<long long>{key.bound + 1LL, 2147483647LL};
            for (const long long n : beyond) {
                try {
                    readKey(*record, c.section, key.key, valueOf(key, n));
                    ADD_FAILURE() << what << " = " << n << " is taken";
                } catch (const Error& error) {
                    const std::string message = error.what();
                    EXPECT_NE(message.find("\"" + key.key + "\""), std::string::npos) << message;
                    EXPECT_NE(message.find("section \"" + c.section + "\""), std::string::npos) << message;
                    EXPECT_NE(message.find("out of range"), std::string::npos) << message;
                }
            }
            ++checked;
        }
    }
    EXPECT_GT(checked, 300u) << "the sizes of every record kind";
}

// The sizes that widen an image by twice their value have bounds of their
// own, so that the image of a screen-sized window or caption still fits.
TEST(SkinRecords, SizesThatWidenImagesHaveTighterBounds)
{
    const std::map<std::string, int> expected{{"layer frame leftoffset", kMaxBorderReach},
                                              {"layer frame topoffset", kMaxBorderReach},
                                              {"layer frame widthoffset", kMaxBorderReach},
                                              {"layer frame heightoffset", kMaxBorderReach},
                                              {"object caption glowsize", kMaxGlowSize}};
    std::map<std::string, int> found;
    for (const RecordCase& c : allRecordCases()) {
        SizedKeys sized;
        c.make()->visitFields(sized);
        for (const SizedKeys::Key& key : sized.keys)
            if (key.bound != kMaxInteger && key.bound != kMaxCoordinate)
                found[c.name + " " + key.key] = key.bound;
    }
    EXPECT_EQ(found, expected);
}

TEST(SkinRecords, EveryTypeNameMakesItsClass)
{
    for (const char* type : kObjectTypes) {
        auto record = createObjectRecord(type, "name");
        ASSERT_TRUE(record) << type;
        EXPECT_EQ(record->typeName(), type);
        EXPECT_EQ(record->idName, "name");
    }
    for (const char* type : kControlTypes) {
        auto record = createControlRecord(type, "name");
        ASSERT_TRUE(record) << type;
        EXPECT_EQ(record->typeName(), type);
    }
    for (const char* unknown : {"Button", "", "menuItem", "buttons", "toolbutton"}) {
        EXPECT_FALSE(createObjectRecord(unknown, "n")) << unknown;
        EXPECT_FALSE(createControlRecord(unknown, "n")) << unknown;
    }
    // Consumers test the class; derived kinds pass the test of their base.
    EXPECT_TRUE(dynamic_cast<DataSkinButtonControl*>(createControlRecord("menubutton", "n").get()));
    EXPECT_TRUE(dynamic_cast<DataSkinEditControl*>(createControlRecord("memo", "n").get()));
    EXPECT_TRUE(dynamic_cast<DataSkinListBox*>(createControlRecord("checklistbox", "n").get()));
    EXPECT_FALSE(dynamic_cast<DataSkinCustomControl*>(createControlRecord("stdlabel", "n").get()));
    EXPECT_TRUE(dynamic_cast<DataSkinStdButton*>(createObjectRecord("mainmenubarbutton", "n").get()));
    EXPECT_TRUE(dynamic_cast<DataSkinMainMenuItem*>(createObjectRecord("mainmenubaritem", "n").get()));
}

TEST(SkinRecords, EveryFieldSurvivesWritingAndReading)
{
    for (const RecordCase& c : allRecordCases()) {
        SCOPED_TRACE(c.name);
        auto written = c.make();
        Perturb perturb;
        written->visitFields(perturb);
        const KeyValues expected = snapshot(*written);
        ASSERT_NE(expected, snapshot(*c.make())) << "every record has fields";

        SkinDescription description;
        c.save(*written, description);
        // Keys are written once each, in reading order.
        const SkinDescription::Section* section = description.findSection(c.section);
        ASSERT_TRUE(section);
        ASSERT_EQ(section->entries.size(), expected.size());
        for (std::size_t i = 0; i < expected.size(); ++i)
            EXPECT_EQ(section->entries[i].key, expected[i].first);

        auto read = c.make();
        c.load(*read, SkinDescription::fromText(description.toText()));
        KeyValues actual = snapshot(*read);
        if (c.name == "object animate") {
            // An animation never morphs, whatever its section says.
            EXPECT_FALSE(static_cast<DataSkinAnimate&>(*read).morphing);
            static_cast<DataSkinAnimate&>(*read).morphing = true;
            actual = snapshot(*read);
        }
        EXPECT_EQ(actual, expected);
    }
}

TEST(SkinRecords, AbsentKeysGiveTheirDefaults)
{
    // Defaults other than the usual empty, zero, false, 0,0 / 0,0,0,0,
    // stfull, mkdefault, tacenter, cmdefault and iebrightness.
    const std::map<std::string, std::string> unusual = {
        {"pictureindex", "-1"},
        {"maskpictureindex", "-1"},
        {"activepictureindex", "-1"},
        {"activemaskpictureindex", "-1"},
        {"windowpictureindex", "-1"},
        {"inactivepictureindex", "-1"},
        {"inactivemaskpictureindex", "-1"},
        {"blurmaskpictureindex", "-1"},
        {"bgpictureindex", "-1"},
        {"glowlayerpictureindex", "-1"},
        {"glowlayermaskpictureindex", "-1"},
        {"alphamaskpictureindex", "-1"},
        {"alphamaskactivepictureindex", "-1"},
        {"alphamaskinactivepictureindex", "-1"},
        {"glowlayeralphablendvalue", "255"},
        {"alphablendvalue", "255"},
        {"inactivealphablendvalue", "255"},
        {"fontname", "Arial"},
        {"captionfontname", "Arial"},
        {"fixedfontname", "Arial"},
        {"fontheight", "14"},
        {"captionfontheight", "14"},
        {"fixedfontheight", "14"},
        {"fontpageheight", "16"},
        {"animateinterval", "25"},
        {"itemoffset1", "3"},
        {"itemoffset2", "3"},
        {"pageitemoffset1", "10"},
        {"pageitemoffset2", "10"},
        {"vscrollbarname", "vscrollbar"},
        {"hscrollbarname", "hscrollbar"},
        {"bothhscrollbarname", "bothhscrollbar"},
        {"countframes", "1"},
        {"timerinterval", "50"},
        {"glowsize", "3"},
        {"cbtnface", std::to_string(int32_t(0xFF00000F))},
        {"cbtntext", std::to_string(int32_t(0xFF000012))},
        {"cwindow", std::to_string(int32_t(0xFF000005))},
        {"cwindowtext", std::to_string(int32_t(0xFF000008))},
        {"chighlight", std::to_string(int32_t(0xFF00000D))},
        {"chighlighttext", std::to_string(int32_t(0xFF00000E))},
        {"cbtnhighlight", std::to_string(int32_t(0xFF000014))},
        {"cbtnshadow", std::to_string(int32_t(0xFF000010))},
    };
    const std::set<std::string> usual = {"",       "0",         "0,0",       "0,0,0,0",     "stfull",
                                         "mkdefault", "tacenter", "cmdefault", "iebrightness"};
    for (const RecordCase& c : allRecordCases()) {
        SCOPED_TRACE(c.name);
        auto fresh = c.make();
        DefaultsSnapshot defaults;
        fresh->visitFields(defaults);
        for (const auto& [key, value] : defaults.values) {
            if (c.name == "control stdlabel" && key == "activefontcolor")
                EXPECT_EQ(value, std::to_string(0xFF0000)) << key; // pure blue
            else if (auto it = unusual.find(key); it != unusual.end())
                EXPECT_EQ(value, it->second) << key;
            else
                EXPECT_TRUE(usual.count(value)) << key << " = " << value;
        }
        // A new record holds its defaults, and reading a description that
        // lacks its section brings a changed record back to them.
        EXPECT_EQ(snapshot(*fresh), defaults.values);
        Perturb perturb;
        fresh->visitFields(perturb);
        c.load(*fresh, SkinDescription::fromText("[other]\nk=v\n"));
        EXPECT_EQ(snapshot(*fresh), defaults.values);
    }
}

TEST(SkinRecords, ControlKeysAreReadInOrderFromTheBaseDown)
{
    auto record = createControlRecord("menubutton", "m");
    const KeyValues keys = snapshot(*record);
    const char* const start[] = {"pictureindex",  "maskpictureindex", "skinrect",      "lefttoppoint",
                                 "righttoppoint", "leftbottompoint",  "rightbottompoint", "clientrect",
                                 "leftstretch",   "topstretch",       "rightstretch",  "bottomstretch",
                                 "stretcheffect", "stretchtype",      "fontname"};
    for (std::size_t i = 0; i < std::size(start); ++i)
        EXPECT_EQ(keys[i].first, start[i]);
    EXPECT_EQ(keys.back().first, "trackbuttonrect");
}

TEST(SkinRecords, ControlRecordsReadTheirSection)
{
    const auto d = SkinDescription::fromText("[button]\npictureindex=4\nmaskpictureindex=5\n"
                                             "skinrect=399,293,468,316\nlefttoppoint=16,11\nrighttoppoint=53,12\n"
                                             "[panel]\nalignment=taleftjustify\n[panel2]\nalignment=middle\n");
    DataSkinButtonControl button("button");
    button.loadFromFile(d);
    EXPECT_EQ(button.pictureIndex, 4);
    EXPECT_EQ(button.maskPictureIndex, 5);
    EXPECT_EQ(button.skinRect, (Rect{399, 293, 468, 316}));
    EXPECT_EQ(button.ltPoint, (Point{16, 11}));
    EXPECT_EQ(button.rtPoint, (Point{53, 12}));
    EXPECT_EQ(button.fontName, "Arial");
    EXPECT_EQ(button.fontHeight, 14);

    DataSkinPanelControl panel("panel"), panel2("panel2");
    panel.loadFromFile(d);
    panel2.loadFromFile(d);
    EXPECT_EQ(panel.alignment, Alignment::LeftJustify);
    EXPECT_EQ(panel2.alignment, Alignment::RightJustify);
    EXPECT_EQ(panel.bgPictureIndex, -1);
}

TEST(SkinRecords, UserObjectsReadOnlyTheirRectangle)
{
    const auto d = SkinDescription::fromText(
        "[u]\nskinrect=1,2,3,4\nactivepictureindex=7\nhint=hello\nmorphing=1\nglowlayeralphablendvalue=9\n");
    DataUserObject user("u");
    user.loadFromFile(d);
    EXPECT_EQ(user.skinRect, (Rect{1, 2, 3, 4}));
    EXPECT_EQ(user.activePictureIndex, -1);
    EXPECT_EQ(user.hint, "");
    EXPECT_FALSE(user.morphing);
    EXPECT_EQ(user.glowLayerAlphaBlendValue, 255);

    SkinDescription out;
    user.saveToFile(out);
    EXPECT_EQ(out.toText(), "[u]\r\nskinrect=1,2,3,4\r\n\r\n");
}

TEST(SkinRecords, AnimationsNeverMorph)
{
    DataSkinAnimate animate("a");
    animate.loadFromFile(SkinDescription::fromText("[a]\nmorphing=1\nmorphkind=mkpush\ncountframes=4\n"));
    EXPECT_FALSE(animate.morphing);
    EXPECT_EQ(animate.morphKind, MorphKind::Push);
    EXPECT_EQ(animate.countFrames, 4);
}

struct RestoreHintCase {
    const char* section;
    const char* restoreHint;
};

TEST(SkinRecords, CaptionButtonsOfTogglingCommandsGetARestoreHint)
{
    const RestoreHintCase cases[] = {
        {"hint=Maximize\ncommand=cmmaximize\n", "Restore"},
        {"hint=Minimize\ncommand=cmminimize\n", "Restore"},
        {"hint=RollUp\ncommand=cmrollup\n", "Restore"},
        {"hint=Roll Up\ncommand=cmrollup\n", "Restore"},
        {"hint=maximize\ncommand=cmmaximize\n", ""}, // case-sensitive
        {"hint=Maximize\ncommand=cmminimize\n", ""},
        {"hint=Maximize\ncommand=cmmaximize\nrestorehint=Back\n", "Back"},
        {"hint=Close\ncommand=cmclose\n", ""},
    };
    for (const auto& c : cases) {
        const auto d = SkinDescription::fromText(std::string("[b]\n") + c.section);
        DataSkinStdButton button("b");
        button.loadFromFile(d);
        EXPECT_EQ(button.restoreHint, c.restoreHint) << c.section;
        DataSkinAnimate animate("b");
        animate.loadFromFile(d);
        EXPECT_EQ(animate.restoreHint, c.restoreHint) << c.section;
    }
}

TEST(SkinRecords, CommandsMatchExactly)
{
    DataSkinStdButton upper("b"), missing("none");
    upper.loadFromFile(SkinDescription::fromText("[b]\ncommand=cmClose\n"));
    missing.loadFromFile(SkinDescription::fromText("[b]\ncommand=cmClose\n"));
    EXPECT_EQ(upper.command, StdCommand::MinimizeToTray);
    EXPECT_EQ(missing.command, StdCommand::Default);
}

TEST(SkinRecords, KeysMatchInAnyLetterCase)
{
    DataSkinMainMenuBarItem item("i");
    item.loadFromFile(SkinDescription::fromText("[I]\nUNENABLEDFONTCOLOR=5\nFontName=Tahoma\n"));
    EXPECT_EQ(item.unEnabledFontColor, Color(5u));
    EXPECT_EQ(item.fontName, "Tahoma");
}

TEST(SkinRecords, BadRectanglesAbortReading)
{
    DataSkinButtonControl button("b");
    EXPECT_THROW(button.loadFromFile(SkinDescription::fromText("[b]\nskinrect=1,2,3\n")), Error);
    DataSkinPopupWindow popup;
    EXPECT_THROW(popup.loadFromFile(SkinDescription::fromText("[POPUPWINDOW]\nlefttoppoint=3\n")), Error);
}

TEST(SkinRecords, ColoursStartAtTheSystemColours)
{
    SkinColors colors;
    EXPECT_EQ(colors.cBtnFace, Color(0xFF00000Fu));
    colors.loadFromFile(SkinDescription::fromText("[SKINCOLORS]\ncbtnface=12039860\nchighlight=15902299\n"));
    EXPECT_EQ(colors.cBtnFace, Color(12039860u));
    EXPECT_EQ(colors.cHighLight, Color(15902299u));
    EXPECT_EQ(colors.cBtnShadow, Color(0xFF000010u));
    colors.setColorsToDefault();
    EXPECT_EQ(colors.cBtnFace, Color(0xFF00000Fu));
}

} // namespace
} // namespace tessaly::skin
