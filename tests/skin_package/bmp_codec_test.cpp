#include "bmp_builder.h"

#include "platform/error.h"
#include "skin/data/bmp_codec.h"

#include <gtest/gtest.h>

#include <string>

namespace tessaly::skin {
namespace {

using test::BmpFields;
using test::le16;
using test::le32;
using test::makeBmp;

struct DecodeCase {
    const char* name;
    BmpFields fields;
    // Expected pixels, rows top-down.
    std::vector<std::vector<std::uint32_t>> pixels;
};

std::vector<std::uint32_t> grey16()
{
    std::vector<std::uint32_t> palette;
    for (std::uint32_t i = 0; i < 16; ++i)
        palette.push_back(i * 0x111111u);
    return palette;
}

std::vector<std::uint32_t> corePalette()
{
    std::vector<std::uint32_t> palette(256, 0);
    palette[0] = 0x102030;
    palette[255] = 0xABCDEF;
    return palette;
}

const std::vector<DecodeCase>& decodeCases()
{
    static const std::vector<DecodeCase> cases = {
        {"one_bit", {.width = 3, .height = 2, .bitsPerPixel = 1, .palette = {0x000000, 0xFFFFFF}, .rows = {{0xA0}, {0x40}}},
         {{0xFF000000, 0xFFFFFFFF, 0xFF000000}, {0xFFFFFFFF, 0xFF000000, 0xFFFFFFFF}}},
        {"four_bit", {.width = 3, .height = 2, .bitsPerPixel = 4, .palette = grey16(), .rows = {{0x01, 0x20}, {0xF0, 0x00}}},
         {{0xFFFFFFFF, 0xFF000000, 0xFF000000}, {0xFF000000, 0xFF111111, 0xFF222222}}},
        {"eight_bit_colour_count",
         {.width = 2, .height = 2, .bitsPerPixel = 8, .coloursUsed = 3, .palette = {0x0000FF, 0x00FF00, 0xFF0000}, .rows = {{0, 2}, {1, 0}}},
         {{0xFF00FF00, 0xFF0000FF}, {0xFF0000FF, 0xFFFF0000}}},
        {"eight_bit_index_past_palette",
         {.width = 2, .height = 1, .bitsPerPixel = 8, .coloursUsed = 1, .palette = {0x123456}, .rows = {{0, 7}}},
         {{0xFF123456, 0xFF000000}}},
        {"eight_bit_core_header", {.width = 2, .height = 1, .bitsPerPixel = 8, .headerSize = 12, .palette = corePalette(), .rows = {{0, 255}}},
         {{0xFF102030, 0xFFABCDEF}}},
        {"sixteen_bit_555", {.width = 4, .height = 1, .bitsPerPixel = 16, .rows = {le16({0x7C00, 0x03E0, 0x001F, 0x4210})}},
         {{0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFF848484}}},
        {"sixteen_bit_565_fields",
         {.width = 3, .height = 1, .bitsPerPixel = 16, .compression = 3, .masks = {0xF800, 0x07E0, 0x001F}, .rows = {le16({0xF800, 0x07E0, 0x0410})}},
         {{0xFFFF0000, 0xFF00FF00, 0xFF008284}}},
        {"sixteen_bit_alpha_fields",
         {.width = 2, .height = 1, .bitsPerPixel = 16, .compression = 6, .masks = {0x7C00, 0x03E0, 0x001F, 0x8000}, .rows = {le16({0xFC00, 0x001F})}},
         {{0xFFFF0000, 0x000000FF}}},
        {"twenty_four_bit_bottom_up",
         {.width = 2, .height = 2, .bitsPerPixel = 24, .rows = {{1, 2, 3, 4, 5, 6}, {7, 8, 9, 10, 11, 12}}},
         {{0xFF090807, 0xFF0C0B0A}, {0xFF030201, 0xFF060504}}},
        {"twenty_four_bit_top_down", {.width = 1, .height = -2, .bitsPerPixel = 24, .rows = {{1, 2, 3}, {4, 5, 6}}},
         {{0xFF030201}, {0xFF060504}}},
        {"twenty_four_bit_core_header", {.width = 1, .height = 1, .bitsPerPixel = 24, .headerSize = 12, .rows = {{0x10, 0x20, 0x30}}},
         {{0xFF302010}}},
        {"thirty_two_bit_alpha", {.width = 2, .height = 1, .bitsPerPixel = 32, .rows = {le32({0x80102030, 0x00FFFFFF})}},
         {{0x80102030, 0x00FFFFFF}}},
        {"thirty_two_bit_no_alpha", {.width = 2, .height = 1, .bitsPerPixel = 32, .rows = {le32({0x00102030, 0x00FFFFFF})}},
         {{0xFF102030, 0xFFFFFFFF}}},
        {"thirty_two_bit_fields",
         {.width = 1, .height = 1, .bitsPerPixel = 32, .compression = 3, .masks = {0xFF000000, 0x00FF0000, 0x0000FF00}, .rows = {le32({0x11223344})}},
         {{0xFF112233}}},
        {"thirty_two_bit_alpha_fields",
         {.width = 1, .height = 1, .bitsPerPixel = 32, .compression = 6, .masks = {0xFF000000, 0x00FF0000, 0x0000FF00, 0x000000FF},
          .rows = {le32({0x11223380})}},
         {{0x80112233}}},
        {"thirty_two_bit_v5_header",
         {.width = 1, .height = -1, .bitsPerPixel = 32, .compression = 3, .headerSize = 124,
          .masks = {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000}, .rows = {le32({0x00102030})}},
         {{0x00102030}}},
        {"thirty_two_bit_overlapping_alpha_mask",
         {.width = 1, .height = 1, .bitsPerPixel = 32, .compression = 3, .headerSize = 56,
          .masks = {0x00FF0000, 0x0000FF00, 0x000000FF, 0x00AAAAAA}, .rows = {le32({0xE6C1A0F0})}},
         {{0xC0C1A0F0}}},
        {"empty", {.width = 0, .height = 5, .bitsPerPixel = 24}, {}},
    };
    return cases;
}

void PrintTo(const DecodeCase& c, std::ostream* os)
{
    *os << c.name;
}

class BitmapDecode : public ::testing::TestWithParam<DecodeCase> {};

void expectPixels(const Picture& picture, const std::vector<std::vector<std::uint32_t>>& expected)
{
    ASSERT_EQ(picture.height(), int(expected.size()));
    for (int y = 0; y < picture.height(); ++y) {
        ASSERT_EQ(picture.width(), int(expected[std::size_t(y)].size()));
        for (int x = 0; x < picture.width(); ++x)
            EXPECT_EQ(picture.pixel(x, y), expected[std::size_t(y)][std::size_t(x)]) << "pixel " << x << "," << y;
    }
}

TEST_P(BitmapDecode, DecodesToTheRightPixels)
{
    const DecodeCase& c = GetParam();
    const auto image = makeBmp(c.fields);
    const DibBitmap bitmap = decodeBitmapFile(image);
    expectPixels(bitmap.picture(), c.pixels);
    EXPECT_EQ(bitmap.bitsPerPixel(), c.fields.bitsPerPixel);
    // The file image is kept byte for byte.
    EXPECT_EQ(encodeBitmapImage(bitmap), image);
}

TEST_P(BitmapDecode, PackageReaderConsumesExactlyTheImage)
{
    const DecodeCase& c = GetParam();
    auto bytes = makeBmp(c.fields);
    const std::size_t length = bytes.size();
    bytes.insert(bytes.end(), {0xAB, 0xCD});
    ByteReader in(bytes);
    const DibBitmap bitmap = readBitmapImage(in);
    EXPECT_EQ(in.position(), length);
    expectPixels(bitmap.picture(), c.pixels);
}

TEST_P(BitmapDecode, FreshEncodingInTheSameFormReadsBackTheSame)
{
    const DecodeCase& c = GetParam();
    DibBitmap bitmap = decodeBitmapFile(makeBmp(c.fields));
    DibBitmap changed = bitmap;
    changed.editPicture();
    ASSERT_TRUE(changed.fileImage().empty());
    const auto encoded = encodeBitmapImage(changed);
    const DibBitmap again = decodeBitmapFile(encoded);
    EXPECT_EQ(again.bitsPerPixel(), bitmap.bitsPerPixel());
    EXPECT_EQ(again.picture().pixels(), bitmap.picture().pixels());
    // The file size field equals the image's length.
    EXPECT_EQ(std::size_t(loadU32(encoded.data() + 2)), encoded.size());
}

INSTANTIATE_TEST_SUITE_P(Depths, BitmapDecode, ::testing::ValuesIn(decodeCases()),
                         [](const auto& info) { return std::string(info.param.name); });

struct InvalidCase {
    const char* name;
    std::vector<std::uint8_t> bytes;
    const char* message;
};

std::vector<std::uint8_t> withSignature(std::vector<std::uint8_t> bytes, char a, char b)
{
    bytes[0] = std::uint8_t(a);
    bytes[1] = std::uint8_t(b);
    return bytes;
}

std::vector<std::uint8_t> truncated(std::vector<std::uint8_t> bytes, std::size_t cut)
{
    bytes.resize(bytes.size() - cut);
    return bytes;
}

const std::vector<InvalidCase>& invalidCases()
{
    static const BmpFields pixel24{.width = 2, .height = 2, .bitsPerPixel = 24, .rows = {{1, 2, 3, 4, 5, 6}, {7, 8, 9, 1, 2, 3}}};
    static const std::vector<InvalidCase> cases = {
        {"no_signature", withSignature(makeBmp(pixel24), 'X', 'M'), kInvalidBitmapMessage},
        {"two_planes", makeBmp({.planes = 2, .rows = {{1, 2, 3}}}), kInvalidBitmapMessage},
        {"core_zero_planes", makeBmp({.headerSize = 12, .planes = 0, .rows = {{1, 2, 3}}}), kInvalidBitmapMessage},
        {"unknown_header_size", makeBmp({.headerSize = 64, .rows = {{1, 2, 3}}}), kInvalidBitmapMessage},
        {"depth_7", makeBmp({.bitsPerPixel = 7, .rows = {{1}}}), kInvalidBitmapMessage},
        {"core_depth_16", makeBmp({.bitsPerPixel = 16, .headerSize = 12, .rows = {{1, 2}}}), kInvalidBitmapMessage},
        {"run_length_compressed", makeBmp({.bitsPerPixel = 8, .compression = 1, .palette = {0}, .rows = {{0, 1}}}), kInvalidBitmapMessage},
        {"bit_fields_at_24_bits", makeBmp({.compression = 3, .masks = {1, 2, 4}, .rows = {{1, 2, 3}}}), kInvalidBitmapMessage},
        {"negative_width", makeBmp({.width = -1, .rows = {}}), kInvalidBitmapMessage},
        {"row_size_overflows", makeBmp({.width = 0x7FFFFFFF, .height = 1, .bitsPerPixel = 32}), kInvalidBitmapMessage},
        {"height_overflows", makeBmp({.width = 1, .height = std::int32_t(0x80000000u)}), kInvalidBitmapMessage},
        {"over_64_megapixels", makeBmp({.width = 8192, .height = 8193, .bitsPerPixel = 1}), kInvalidBitmapMessage},
        {"absurd_colour_count", makeBmp({.bitsPerPixel = 8, .coloursUsed = 0x40000000, .rows = {{0}}}), kInvalidBitmapMessage},
        // Valid headers, but the data ends early.
        {"64_megapixels_without_rows", makeBmp({.width = 8192, .height = 8192, .bitsPerPixel = 1}), kStreamReadErrorMessage},
        {"rows_cut_short", truncated(makeBmp(pixel24), 1), kStreamReadErrorMessage},
        {"colour_table_cut_short", truncated(makeBmp({.bitsPerPixel = 8, .coloursUsed = 16, .palette = grey16()}), 10),
         kStreamReadErrorMessage},
        {"header_cut_short", truncated(makeBmp(pixel24), makeBmp(pixel24).size() - 30), kStreamReadErrorMessage},
        {"file_header_only", std::vector<std::uint8_t>{'B', 'M', 0, 0}, kStreamReadErrorMessage},
    };
    return cases;
}

void PrintTo(const InvalidCase& c, std::ostream* os)
{
    *os << c.name;
}

class BitmapInvalid : public ::testing::TestWithParam<InvalidCase> {};

TEST_P(BitmapInvalid, IsRejectedWithItsMessage)
{
    const InvalidCase& c = GetParam();
    try {
        ByteReader in(c.bytes);
        readBitmapImage(in);
        FAIL() << "no error";
    } catch (const Error& error) {
        EXPECT_STREQ(error.what(), c.message);
    }
    EXPECT_THROW(decodeBitmapFile(c.bytes), Error);
}

INSTANTIATE_TEST_SUITE_P(Images, BitmapInvalid, ::testing::ValuesIn(invalidCases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(BitmapFile, TakesRowsFromTheOffsetAndClosesTheGap)
{
    auto image = makeBmp({.width = 1, .height = 1, .bitsPerPixel = 24, .rows = {{1, 2, 3}}});
    // Move the rows 6 bytes further and point the offset there.
    image.insert(image.begin() + 54, {9, 9, 9, 9, 9, 9});
    test::put32(image, 0); // trailing bytes are ignored
    image[10] = 60;
    const DibBitmap bitmap = decodeBitmapFile(image);
    EXPECT_EQ(bitmap.picture().pixel(0, 0), 0xFF030201u);
    const auto kept = encodeBitmapImage(bitmap);
    EXPECT_EQ(kept, makeBmp({.width = 1, .height = 1, .bitsPerPixel = 24, .rows = {{1, 2, 3}}}));
}

TEST(BitmapFile, PackageLayoutIgnoresTheOffset)
{
    auto image = makeBmp({.width = 1, .height = 1, .bitsPerPixel = 24, .rows = {{1, 2, 3}}});
    image[10] = 200;
    ByteReader in(image);
    EXPECT_EQ(readBitmapImage(in).picture().pixel(0, 0), 0xFF030201u);
}

TEST(BitmapFromPicture, OpaquePicturesAre24BitOthers32)
{
    Picture opaque(2, 1);
    opaque.setPixel(0, 0, 0xFF123456);
    opaque.setPixel(1, 0, 0xFFFFFFFF);
    Picture translucent = opaque;
    translucent.setPixel(1, 0, 0x7F00FF00);

    for (const Picture* picture : {&opaque, &translucent}) {
        const DibBitmap bitmap(*picture);
        const DibBitmap decoded = decodeBitmapFile(encodeBitmapImage(bitmap));
        EXPECT_EQ(decoded.bitsPerPixel(), picture == &opaque ? 24 : 32);
        EXPECT_EQ(decoded.picture().pixels(), picture->pixels());
    }
}

TEST(BitmapFromPicture, PalettedFormMapsToTheNearestColour)
{
    Picture picture(3, 1);
    picture.setPixel(0, 0, 0xFF000000);
    picture.setPixel(1, 0, 0xFFF0F0F0);
    picture.setPixel(2, 0, 0xFF101010);
    DibFormat format;
    format.bitsPerPixel = 1;
    format.palette = {0x000000, 0xFFFFFF};
    const DibBitmap decoded = decodeBitmapFile(encodeBitmapImage(DibBitmap(picture, format)));
    EXPECT_EQ(decoded.bitsPerPixel(), 1);
    EXPECT_EQ(decoded.picture().pixels(), (std::vector<std::uint32_t>{0xFF000000, 0xFFFFFFFF, 0xFF000000}));
}

// The resolution and whether a full colour table is counted are header
// choices of the writer: kept when read, and written back the same when the
// pixels change.
TEST(BitmapFromPicture, HeaderChoicesSurviveAFreshEncoding)
{
    struct Case {
        std::int32_t pixelsPerMeter;
        bool countsFullTable;
        std::uint32_t statedColours;
    };
    for (const Case& c : {Case{0, false, 0}, Case{2835, true, 16}, Case{3780, false, 0}}) {
        Picture picture(3, 2);
        picture.pixels() = {0xFF000000, 0xFFFFFFFF, 0xFF000000, 0xFFFFFFFF, 0xFFFFFFFF, 0xFF000000};
        DibFormat format;
        format.bitsPerPixel = 4;
        format.palette.assign(16, 0);
        format.palette[1] = 0xFFFFFF;
        format.pixelsPerMeterX = c.pixelsPerMeter;
        format.pixelsPerMeterY = c.pixelsPerMeter + 1;
        format.countsFullTable = c.countsFullTable;
        const auto written = encodeBitmapImage(DibBitmap(picture, format));
        EXPECT_EQ(loadU32(written.data() + 14 + 24), std::uint32_t(c.pixelsPerMeter));
        EXPECT_EQ(loadU32(written.data() + 14 + 28), std::uint32_t(c.pixelsPerMeter + 1));
        EXPECT_EQ(loadU32(written.data() + 14 + 32), c.statedColours);

        DibBitmap read = decodeBitmapFile(written);
        EXPECT_EQ(read.format().pixelsPerMeterX, c.pixelsPerMeter);
        EXPECT_EQ(read.format().countsFullTable, c.countsFullTable);
        read.editPicture();
        EXPECT_EQ(encodeBitmapImage(read), written) << "pixels per metre " << c.pixelsPerMeter;
    }
}

TEST(BitmapFromPicture, EmptyBitmapEncodesAsZeroByZeroImage)
{
    const DibBitmap decoded = decodeBitmapFile(encodeBitmapImage(DibBitmap()));
    EXPECT_TRUE(decoded.isEmpty());
}

} // namespace
} // namespace tessaly::skin

namespace tessaly::skin {
namespace {

std::uint32_t fileSizeField(const std::vector<std::uint8_t>& image)
{
    return std::uint32_t(image[2]) | std::uint32_t(image[3]) << 8 | std::uint32_t(image[4]) << 16 |
           std::uint32_t(image[5]) << 24;
}

// Whatever the source said, an image written back states its own length.
TEST(BitmapFile, WrittenFileSizeFieldIsTheLength)
{
    const auto clean = makeBmp({.width = 3, .height = 2, .bitsPerPixel = 24, .rows = {{1, 2, 3}, {4, 5, 6}}});
    auto trailing = clean;
    trailing.insert(trailing.end(), {7, 7, 7, 7, 7, 7, 7, 7, 7}); // and the size field counts them
    trailing[2] = std::uint8_t(trailing.size());
    auto wrongField = clean;
    wrongField[2] = 0xFF;
    wrongField[3] = 0x10;
    for (const auto& file : {clean, trailing, wrongField}) {
        const auto image = encodeBitmapImage(decodeBitmapFile(file));
        EXPECT_EQ(image.size(), clean.size());
        EXPECT_EQ(fileSizeField(image), image.size());
        ByteWriter out;
        ByteReader in(file);
        writeBitmapImage(out, readBitmapImage(in));
        const auto packed = out.take();
        EXPECT_EQ(fileSizeField(packed), packed.size());
    }
    EXPECT_EQ(encodeBitmapImage(decodeBitmapFile(clean)), clean); // a correct file is kept byte for byte
}

} // namespace
} // namespace tessaly::skin
