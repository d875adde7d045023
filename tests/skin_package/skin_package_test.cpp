#include "bmp_builder.h"

#include "platform/error.h"
#include "skin/data/bmp_codec.h"
#include "skin/data/skin_package.h"

#include <gtest/gtest.h>

#include <string>

namespace tessaly::skin {
namespace {

using test::makeBmp;
using test::put32;

std::vector<std::uint8_t> bmp24(std::uint8_t seed)
{
    return makeBmp({.width = 2, .height = 1, .bitsPerPixel = 24, .rows = {{seed, 2, 3, 4, 5, 6}}});
}

std::vector<std::uint8_t> bmp4()
{
    return makeBmp({.width = 3, .height = 1, .bitsPerPixel = 4, .coloursUsed = 2, .palette = {0, 0xFFFFFF}, .rows = {{0x10, 0x10}}});
}

// A package assembled by hand: version, slots (nullptr: absent), count,
// active pictures and text.
std::vector<std::uint8_t> assemble(std::int32_t version, std::vector<const std::vector<std::uint8_t>*> slots, std::int32_t count,
                                   std::vector<std::vector<std::uint8_t>> active, const std::string& text)
{
    std::vector<std::uint8_t> out;
    put32(out, std::uint32_t(version));
    for (const auto* slot : slots) {
        out.push_back(slot ? 0 : 1);
        if (slot)
            out.insert(out.end(), slot->begin(), slot->end());
    }
    put32(out, std::uint32_t(count));
    for (const auto& image : active)
        out.insert(out.end(), image.begin(), image.end());
    out.insert(out.end(), text.begin(), text.end());
    return out;
}

const std::string kText = "[VERSION]\r\nskinname=x\r\n\r\n";

TEST(SkinPackage, ReadsEveryFieldAndWritesBackByteIdentical)
{
    const auto picture = bmp24(1);
    const auto mask = bmp4();
    const auto bytes = assemble(3, {&picture, nullptr, &mask}, 2, {bmp24(7), bmp4()}, kText);

    SkinPackage package;
    ASSERT_TRUE(readSkinPackage(bytes, package));
    EXPECT_EQ(package.version, 3);
    EXPECT_EQ(package.picture.picture().pixel(0, 0), 0xFF030201u);
    EXPECT_TRUE(package.inactivePicture.isEmpty());
    EXPECT_EQ(package.mask.bitsPerPixel(), 4);
    ASSERT_EQ(package.activePictures.size(), 2u);
    EXPECT_EQ(package.activePictures[0].picture().pixel(0, 0), 0xFF030207u);
    EXPECT_EQ(package.description, kText);
    EXPECT_EQ(package.descriptionLines(), (std::vector<std::string>{"[VERSION]", "skinname=x", ""}));

    EXPECT_EQ(writeSkinPackage(package), bytes);
}

TEST(SkinPackage, EmptyPackageIsElevenBytesPlusText)
{
    SkinPackage package;
    package.description = kText;
    const auto bytes = writeSkinPackage(package);
    EXPECT_EQ(bytes.size(), 11 + kText.size());
    EXPECT_EQ(bytes, assemble(3, {nullptr, nullptr, nullptr}, 0, {}, kText));
}

TEST(SkinPackage, VersionTwoExtraSlotsAreReadAndDiscarded)
{
    const auto picture = bmp24(1);
    const auto mask = bmp4();
    const auto extra1 = bmp24(9);
    const auto extra2 = bmp4();
    const auto older = assemble(2, {&picture, nullptr, &mask, &extra1, &extra2}, 1, {bmp24(5)}, kText);
    const auto current = assemble(3, {&picture, nullptr, &mask}, 1, {bmp24(5)}, kText);

    SkinPackage a;
    SkinPackage b;
    ASSERT_TRUE(readSkinPackage(older, a));
    ASSERT_TRUE(readSkinPackage(current, b));
    EXPECT_EQ(a.version, 2);
    EXPECT_EQ(a.picture.picture().pixels(), b.picture.picture().pixels());
    EXPECT_EQ(a.mask.picture().pixels(), b.mask.picture().pixels());
    ASSERT_EQ(a.activePictures.size(), 1u);
    EXPECT_EQ(a.activePictures[0].picture().pixels(), b.activePictures[0].picture().pixels());
    EXPECT_EQ(a.description, kText);
    // Written back, it takes the current layout.
    EXPECT_EQ(writeSkinPackage(a), current);
}

TEST(SkinPackage, NewerVersionIsRejected)
{
    const auto picture = bmp24(1);
    SkinPackage package;
    EXPECT_FALSE(readSkinPackage(assemble(4, {&picture, nullptr, nullptr}, 0, {}, kText), package));
    EXPECT_EQ(package.version, 4);
    EXPECT_TRUE(package.picture.isEmpty());
}

TEST(SkinPackage, NegativeCountMeansNoActivePictures)
{
    SkinPackage package;
    ASSERT_TRUE(readSkinPackage(assemble(3, {nullptr, nullptr, nullptr}, -5, {}, kText), package));
    EXPECT_TRUE(package.activePictures.empty());
    EXPECT_EQ(package.description, kText);
}

TEST(SkinPackage, EndingInsideABitmapIsAReadErrorAndKeepsWhatWasRead)
{
    const auto picture = bmp24(1);
    auto bytes = assemble(3, {&picture, nullptr, nullptr}, 2, {bmp24(2), bmp24(3)}, "");
    bytes.resize(bytes.size() - 3);
    SkinPackage package;
    try {
        readSkinPackage(bytes, package);
        FAIL() << "no error";
    } catch (const Error& error) {
        EXPECT_STREQ(error.what(), "Stream read error");
    }
    EXPECT_FALSE(package.picture.isEmpty());
    ASSERT_GE(package.activePictures.size(), 1u);
    EXPECT_EQ(package.activePictures[0].picture().pixel(0, 0), 0xFF030202u);
}

// The headers of an image without its rows.
std::vector<std::uint8_t> headersOnly(std::int32_t width, std::int32_t height)
{
    auto image = makeBmp({.width = width, .height = height, .bitsPerPixel = 1, .palette = {0, 0xFFFFFF}});
    return image;
}

// Every picture's size is checked from its headers before its rows are
// read: a picture too large on a side, and the picture that takes a skin
// beyond its pixels in all, are refused as such even with no rows behind
// them, so nothing of theirs is decoded.
TEST(SkinPackage, PicturesTooLargeAreRefusedFromTheirHeaders)
{
    // A full picture of the whole budget, all of it decoded.
    const std::int32_t side = 8192;
    ASSERT_EQ(std::int64_t(side) * side, kMaxSkinPixels);
    const auto whole = makeBmp({.width = side, .height = side, .bitsPerPixel = 1, .palette = {0, 0xFFFFFF},
                                .rows = std::vector<std::vector<std::uint8_t>>(side)});
    const struct {
        const char* what;
        std::vector<std::uint8_t> bytes;
        const char* message;
    } cases[] = {
        {"wider than a side may be", assemble(3, {nullptr, nullptr, nullptr}, 1, {headersOnly(16385, 1)}, kText),
         "Bitmap image is too large: 16385 x 1 pixels, where a side may have at most 16384"},
        {"higher than a side may be", assemble(3, {nullptr, nullptr, nullptr}, 1, {headersOnly(1, 16385)}, kText),
         "Bitmap image is too large: 1 x 16385 pixels, where a side may have at most 16384"},
        {"one pixel beyond the skin's", assemble(3, {&whole, nullptr, nullptr}, 1, {headersOnly(1, 1)}, kText),
         "The skin's pictures hold more than 67108864 pixels in all"},
    };
    for (const auto& c : cases) {
        SkinPackage package;
        try {
            readSkinPackage(c.bytes, package);
            ADD_FAILURE() << c.what << ": taken";
        } catch (const Error& error) {
            EXPECT_STREQ(error.what(), c.message) << c.what;
        }
    }
    // Within the budget, the same picture is read.
    SkinPackage package;
    ASSERT_TRUE(readSkinPackage(assemble(3, {&whole, nullptr, nullptr}, 0, {}, kText), package));
    EXPECT_EQ(package.picture.width(), side);
}

TEST(SkinPackage, DamagedBitmapIsNotValid)
{
    auto picture = bmp24(1);
    picture[0] = 'C';
    SkinPackage package;
    try {
        readSkinPackage(assemble(3, {&picture, nullptr, nullptr}, 0, {}, kText), package);
        FAIL() << "no error";
    } catch (const Error& error) {
        EXPECT_STREQ(error.what(), "Bitmap image is not valid");
    }
}

TEST(SkinPackage, EmptyInputIsAReadError)
{
    SkinPackage package;
    EXPECT_THROW(readSkinPackage({}, package), Error);
    const std::vector<std::uint8_t> slotsCut{3, 0, 0, 0, 1, 1};
    EXPECT_THROW(readSkinPackage(slotsCut, package), Error);
}

struct TextCase {
    const char* name;
    std::vector<std::uint8_t> bytes;
    std::string text;
};

void PrintTo(const TextCase& c, std::ostream* os)
{
    *os << c.name;
}

class SkinPackageText : public ::testing::TestWithParam<TextCase> {};

TEST_P(SkinPackageText, DecodesByteOrderMarks)
{
    auto bytes = assemble(3, {nullptr, nullptr, nullptr}, 0, {}, "");
    bytes.insert(bytes.end(), GetParam().bytes.begin(), GetParam().bytes.end());
    SkinPackage package;
    ASSERT_TRUE(readSkinPackage(bytes, package));
    EXPECT_EQ(package.description, GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Encodings, SkinPackageText,
    ::testing::Values(TextCase{"plain", {'a', '=', 'b'}, "a=b"}, TextCase{"utf8_mark", {0xEF, 0xBB, 0xBF, 'a', 0xC3, 0xA9}, "a\xC3\xA9"},
                      TextCase{"utf16le_mark", {0xFF, 0xFE, 'a', 0, 0xE9, 0}, "a\xC3\xA9"},
                      TextCase{"utf16be_mark", {0xFE, 0xFF, 0, 'a', 0xD8, 0x3D, 0xDE, 0x00}, "a\xF0\x9F\x98\x80"},
                      TextCase{"invalid_utf8", {'a', 0xFF, 'b', 0xC3}, "a\xEF\xBF\xBD" "b\xEF\xBF\xBD"},
                      TextCase{"doubled_mark", {0xEF, 0xBB, 0xBF, 0xEF, 0xBB, 0xBF, 'x'}, "x"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SkinPictureNames, ReadsSlotsAndTheActiveList)
{
    const auto names = readSkinPictureNames({"[pictures]", " Picture = a.bmp ", "MASK=m.bmp", "activepicturescount=3", "0=x.bmp",
                                             "2=z.bmp", "[PICTURES]", "inactivepicture=never.bmp"});
    EXPECT_EQ(names.picture, "a.bmp");
    EXPECT_EQ(names.inactivePicture, "");
    EXPECT_EQ(names.mask, "m.bmp");
    EXPECT_EQ(names.activePictures, (std::vector<std::string>{"x.bmp", "", "z.bmp"}));
}

TEST(SkinPictureNames, HexCountAndAbsurdCount)
{
    EXPECT_EQ(readSkinPictureNames({"[PICTURES]", "activepicturescount=0x2", "0=a", "1=b"}).activePictures.size(), 2u);
    // A count far beyond the lines yields no more than one empty name past them.
    EXPECT_LE(readSkinPictureNames({"[PICTURES]", "activepicturescount=2000000000"}).activePictures.size(), 3u);
}

} // namespace
} // namespace tessaly::skin
