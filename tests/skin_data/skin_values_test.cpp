#include "skin/data/skin_values.h"

#include "platform/error.h"

#include <gtest/gtest.h>

#include <optional>

namespace tessaly::skin {
namespace {

struct IntegerCase {
    const char* text;
    std::optional<int> expected;
};

TEST(SkinValues, IntegersConvertOrGiveNothing)
{
    const IntegerCase cases[] = {
        {"0", 0},
        {"42", 42},
        {"-17", -17},
        {"+5", 5},
        {"0x10", 16},
        {"0X1f", 31},
        {"$FF", 255},
        {"$ff00", 0xFF00},
        {"0xFFFFFFFF", -1},       // hexadecimal uses all 32 bits
        {"$FF00000F", int(0xFF00000F)},
        {"2147483647", 2147483647},
        {"-2147483648", -2147483647 - 1},
        {"2147483648", std::nullopt}, // decimal must fit 32 signed bits
        {"0x100000000", std::nullopt},
        {"0x", std::nullopt},     // "0x" needs at least one digit after it
        {"$", std::nullopt},
        {"$G1", std::nullopt},
        {"", std::nullopt},
        {"12a", std::nullopt},
        {"1 2", std::nullopt},
        {"+-1", std::nullopt},
        {"--1", std::nullopt},
        {"abc", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(parseInteger(c.text), c.expected) << '"' << c.text << '"';
    EXPECT_EQ(parseInteger("x", -1), -1);
}

TEST(SkinValues, OnlyExactlyOneIsTrue)
{
    EXPECT_TRUE(parseBoolean("1"));
    EXPECT_TRUE(parseBoolean("0x1"));
    for (const char* text : {"0", "2", "-1", "true", "", "yes", "01x"})
        EXPECT_FALSE(parseBoolean(text)) << text;
}

struct RectCase {
    const char* text;
    Rect expected;
};

TEST(SkinValues, RectanglesKeepOnlyDigitsAndCommas)
{
    const RectCase cases[] = {
        {"1,2,3,4", {1, 2, 3, 4}},
        {"-2, 5 ,x7,9", {2, 5, 7, 9}}, // signs, blanks and letters vanish
        {"-5,-6,-7,-8", {5, 6, 7, 8}},  // so a negative value cannot be expressed
        {"1,2,3,4,5,6", {1, 2, 3, 4}}, // fields past the fourth are ignored
        {"0010,0,0,0", {10, 0, 0, 0}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(parseRect(c.text), c.expected) << c.text;
    EXPECT_EQ(parsePoint("3,4"), (Point{3, 4}));
    EXPECT_EQ(parsePoint(" 3 , -4 ,9"), (Point{3, 4}));
}

TEST(SkinValues, AFieldWithoutDigitsIsAConversionError)
{
    const char* rects[] = {"1,2,3", "1,,3,4", "a,b,c,d", "", "1,2,3,-"};
    for (const char* text : rects) {
        try {
            parseRect(text);
            ADD_FAILURE() << "no error for " << text;
        } catch (const Error& e) {
            EXPECT_STREQ(e.what(), "'''' is not a valid integer value") << text;
        }
    }
    EXPECT_THROW(parsePoint("3"), Error); // the y field is empty
    EXPECT_THROW(parsePoint(""), Error);
    try {
        parsePoint("99999999999,1");
        ADD_FAILURE();
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), "''99999999999'' is not a valid integer value");
    }
}

TEST(SkinValues, FontStyleNamesAreFoundAnywhereWithTheirCase)
{
    EXPECT_EQ(parseFontStyle(""), FontStyle{});
    EXPECT_EQ(parseFontStyle("fsbold"), (FontStyle{true, false, false, false}));
    EXPECT_EQ(parseFontStyle("fsitalic,fsunderline,fsstrikeout"), (FontStyle{false, true, true, true}));
    EXPECT_EQ(parseFontStyle("xfsboldx fsitalic"), (FontStyle{true, true, false, false}));
    EXPECT_EQ(parseFontStyle("FSBOLD,fsItalic"), FontStyle{});
}

TEST(SkinValues, KeywordsMatchExactlyWithTheirFallbacks)
{
    EXPECT_EQ(parseStretchType("stfull"), StretchType::Full);
    EXPECT_EQ(parseStretchType("stvert"), StretchType::Vert);
    EXPECT_EQ(parseStretchType("sthorz"), StretchType::Horz);
    EXPECT_EQ(parseStretchType("StVert"), StretchType::Horz);
    EXPECT_EQ(parseStretchType("anything"), StretchType::Horz);

    EXPECT_EQ(parseInActiveEffect("iebrightness"), InActiveEffect::Brightness);
    EXPECT_EQ(parseInActiveEffect("iedarkness"), InActiveEffect::Darkness);
    EXPECT_EQ(parseInActiveEffect("iegrayscale"), InActiveEffect::GrayScale);
    EXPECT_EQ(parseInActiveEffect("ienoise"), InActiveEffect::Noise);
    EXPECT_EQ(parseInActiveEffect("iesplitblur"), InActiveEffect::SplitBlur);
    EXPECT_EQ(parseInActiveEffect("ieinvert"), InActiveEffect::Invert);
    EXPECT_EQ(parseInActiveEffect("ieBrightness"), InActiveEffect::GrayScale);

    const std::pair<const char*, MorphKind> morphs[] = {
        {"mkdefault", MorphKind::Default},     {"mkgradient", MorphKind::Gradient},
        {"mkleftgradient", MorphKind::LeftGradient}, {"mkrightgradient", MorphKind::RightGradient},
        {"mkleftslide", MorphKind::LeftSlide}, {"mkrightslide", MorphKind::RightSlide},
        {"mkpush", MorphKind::Push},           {"mkPush", MorphKind::Default},
    };
    for (const auto& [text, kind] : morphs)
        EXPECT_EQ(parseMorphKind(text), kind) << text;

    EXPECT_EQ(parseAlignment("tacenter"), Alignment::Center);
    EXPECT_EQ(parseAlignment("taleftjustify"), Alignment::LeftJustify);
    EXPECT_EQ(parseAlignment("tarightjustify"), Alignment::RightJustify);
    EXPECT_EQ(parseAlignment("TaCenter"), Alignment::RightJustify);

    const std::pair<const char*, StdCommand> commands[] = {
        {"cmclose", StdCommand::Close},     {"cmmaximize", StdCommand::Maximize},
        {"cmminimize", StdCommand::Minimize}, {"cmsysmenu", StdCommand::SysMenu},
        {"cmdefault", StdCommand::Default}, {"cmrollup", StdCommand::RollUp},
        {"cmminimizetotray", StdCommand::MinimizeToTray}, {"cmClose", StdCommand::MinimizeToTray},
    };
    for (const auto& [text, command] : commands)
        EXPECT_EQ(parseStdCommand(text), command) << text;
}

TEST(SkinValues, WrittenFormsReadBack)
{
    EXPECT_EQ(formatRect({1, 2, 3, 4}), "1,2,3,4");
    EXPECT_EQ(formatPoint({5, 6}), "5,6");
    EXPECT_EQ(formatBoolean(true), "1");
    EXPECT_EQ(formatBoolean(false), "0");
    // System colours are written as the signed 32-bit value.
    EXPECT_EQ(formatColor(Color(0xFF00000F)), "-16777201");
    EXPECT_EQ(Color(uint32_t(parseInteger(formatColor(Color(0xFF00000F)), 0))), Color(0xFF00000Fu));
    EXPECT_EQ(formatColor(Color(0xFF0000)), "16711680");
    EXPECT_EQ(formatFontStyle({true, false, true, false}), "fsbold,fsunderline");
    EXPECT_EQ(formatFontStyle({}), "");
    EXPECT_EQ(formatStretchType(StretchType::Horz), "sthorz");
    EXPECT_EQ(formatStdCommand(StdCommand::MinimizeToTray), "cmminimizetotray");
    EXPECT_EQ(formatInActiveEffect(InActiveEffect::SplitBlur), "iesplitblur");
    EXPECT_EQ(formatMorphKind(MorphKind::RightSlide), "mkrightslide");
    EXPECT_EQ(formatAlignment(Alignment::LeftJustify), "taleftjustify");
}

} // namespace
} // namespace tessaly::skin
