#include "skin/data/skin_description.h"

#include <gtest/gtest.h>

namespace tessaly::skin {
namespace {

TEST(SkinDescription, ParsesSectionsKeysAndComments)
{
    const auto d = SkinDescription::fromText("before=ignored\r\n"
                                             "  [ First ]  \r\n"
                                             "; a comment\n"
                                             "\tKey One = value with = sign \r\n"
                                             "\n"
                                             "empty=\r"
                                             "novalue\r\n"
                                             "[Second]\n"
                                             "a=1\n");
    ASSERT_EQ(d.sections().size(), 2u);
    EXPECT_EQ(d.sections()[0].name, "First");
    EXPECT_EQ(d.readString("first", "KEY ONE", "x"), "value with = sign");
    EXPECT_EQ(d.readString("FIRST", "empty", "x"), "");
    // A line without "=" keeps its section alive but reads as absent.
    EXPECT_EQ(d.readString("First", "novalue", "default"), "default");
    EXPECT_EQ(d.readString("First", "before", "none"), "none");
    EXPECT_EQ(d.readInteger("second", "A", 0), 1);
    EXPECT_EQ(d.readInteger("second", "missing", 7), 7);
    EXPECT_EQ(d.readString("Third", "a", "none"), "none");
}

TEST(SkinDescription, FirstSectionAndFirstKeyWin)
{
    const auto d = SkinDescription::fromText("[S]\nk=first\nK=second\n[s]\nk=third\nother=1\n");
    EXPECT_EQ(d.readString("S", "k", ""), "first");
    // The repeated section is kept but never reached.
    EXPECT_EQ(d.readString("S", "other", "none"), "none");
    EXPECT_EQ(d.sections().size(), 2u);
}

TEST(SkinDescription, ASectionExistsOnlyWithALine)
{
    const auto d = SkinDescription::fromText("[Empty]\n; only a comment\n[Bare]\njust a word\n[Full]\nk=v\n");
    EXPECT_FALSE(d.sectionExists("Empty"));
    EXPECT_TRUE(d.sectionExists("bare"));
    EXPECT_TRUE(d.sectionExists("FULL"));
    EXPECT_FALSE(d.sectionExists("Missing"));
}

TEST(SkinDescription, StringListsReadCountItems)
{
    const auto d = SkinDescription::fromText("[P]\nlistcount=3\n0=a\n2=c\n[N]\nlistcount=-2\n0=a\n");
    EXPECT_EQ(d.readStringList("P", "list"), (std::vector<std::string>{"a", "", "c"}));
    EXPECT_TRUE(d.readStringList("N", "list").empty());
    EXPECT_TRUE(d.readStringList("Missing", "list").empty());
}

TEST(SkinDescription, AHugeCountCostsNothing)
{
    const auto d = SkinDescription::fromText("[P]\nlistcount=2147483647\n1=b\n07=x\n+2=y\n1=again\n");
    // Missing items after the last one present are left out; only plain
    // decimal keys are indices, and the first line of an index wins.
    EXPECT_EQ(d.readStringList("P", "list"), (std::vector<std::string>{"", "b"}));
    const auto values = d.findSection("P")->numberedValues(2);
    ASSERT_EQ(values.size(), 1u);
    EXPECT_EQ(values[0].first, 1);
    EXPECT_EQ(*values[0].second, "b");
    EXPECT_TRUE(d.findSection("P")->numberedValues(1).empty());
}

TEST(SkinDescription, WritingEraseAndTextForm)
{
    SkinDescription d = SkinDescription::fromText("[A]\nx=1\n[B]\ny=2\n[a]\nz=3\n");
    d.writeString("b", "Y", "20");
    d.writeString("B", "w", "4");
    d.eraseSection("A"); // every section of the name
    d.writeInteger("C", "n", -5);
    d.writeStringList("C", "items", {"p", "q"});
    EXPECT_EQ(d.toText(), "[B]\r\ny=20\r\nw=4\r\n\r\n[C]\r\nn=-5\r\nitemscount=2\r\n0=p\r\n1=q\r\n\r\n");
    // The text reads back to the same description.
    EXPECT_EQ(SkinDescription::fromText(d.toText()).toText(), d.toText());
}

TEST(SkinDescription, KeysWithoutValueAreWrittenBack)
{
    const auto d = SkinDescription::fromText("[A]\nword\nk=v\n");
    EXPECT_EQ(d.toText(), "[A]\r\nword\r\nk=v\r\n\r\n");
}

} // namespace
} // namespace tessaly::skin
