#include "skin/data/resource_str_data.h"

#include <gtest/gtest.h>

#include <cctype>
#include <set>

namespace tessaly::skin {
namespace {

TEST(ResourceStrData, HoldsEveryTextItPromises)
{
    ResourceStrData strings;
    EXPECT_EQ(strings.resStrings.size(), 131u);
    EXPECT_EQ(strings.charSet, 1);
    const std::pair<const char*, const char*> texts[] = {
        {"MI_MINCAPTION", "Mi&nimize"},       {"MI_MAXCAPTION", "Ma&ximize"},
        {"MI_CLOSECAPTION", "&Close"},        {"MI_RESTORECAPTION", "&Restore"},
        {"MI_MINTOTRAYCAPTION", "Minimize to &Tray"}, {"MI_ROLLUPCAPTION", "Ro&llUp"},
        {"MINBUTTON_HINT", "Minimize"},       {"MAXBUTTON_HINT", "Maximize"},
        {"CLOSEBUTTON_HINT", "Close"},        {"TRAYBUTTON_HINT", "Minimize to Tray"},
        {"ROLLUPBUTTON_HINT", "Roll Up"},     {"MENUBUTTON_HINT", "System menu"},
        {"RESTORE_HINT", "Restore"},          {"EDIT_UNDO", "Undo"},
        {"EDIT_COPY", "Copy"},                {"EDIT_CUT", "Cut"},
        {"EDIT_PASTE", "Paste"},              {"EDIT_DELETE", "Delete"},
        {"EDIT_SELECTALL", "Select All"},
    };
    for (const auto& [key, text] : texts)
        EXPECT_EQ(strings.getResStr(key), text) << key;
    // Every line is a key and a text, and no key is there twice.
    std::set<std::string> keys;
    for (const std::string& line : strings.resStrings) {
        const auto equals = line.find('=');
        ASSERT_NE(equals, std::string::npos) << line;
        EXPECT_FALSE(strings.getResStr(line.substr(0, equals)).empty()) << line;
        std::string key = line.substr(0, equals);
        for (char& c : key)
            c = char(std::toupper(static_cast<unsigned char>(c)));
        EXPECT_TRUE(keys.insert(key).second) << line;
    }
    for (const char* key : {"MSG_BTN_YES", "FIND_REPLACE_All", "DBNAV_REFRESH", "PRNDLG_MARGINS_INCHES"})
        EXPECT_FALSE(strings.getResStr(key).empty()) << key;
}

TEST(ResourceStrData, KeysMatchInAnyLetterCase)
{
    ResourceStrData strings;
    EXPECT_EQ(strings.getResStr("edit_selectall"), "Select All");
    EXPECT_EQ(strings.getResStr("Mi_MinCaption"), "Mi&nimize");
    EXPECT_EQ(strings.getResStr("EDIT_SELECT"), "");
    EXPECT_EQ(strings.getResStr(""), "");
    strings.resStrings = {"A=x=y", "a=second", "B"};
    EXPECT_EQ(strings.getResStr("a"), "x=y"); // the first line, the text after the first "="
    EXPECT_EQ(strings.getResStr("B"), "");
}

} // namespace
} // namespace tessaly::skin
