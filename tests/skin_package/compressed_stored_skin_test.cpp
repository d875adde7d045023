#include "platform/error.h"
#include "skin/data/bmp_codec.h"
#include "skin/data/compressed_stored_skin.h"
#include "skin/data/skin_data.h"
#include "skin/data/file_io.h"
#include "skin/data/zlib_stream.h"
#include "test_skin.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <unistd.h>
#include <sstream>

namespace tessaly::skin {
namespace {

namespace fs = std::filesystem;


std::string messageOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const Error& error) {
        return error.what();
    }
    return "(no error)";
}

class TempDir {
public:
    TempDir()
    {
        m_path = fs::temp_directory_path() / ("skin_package_test_" + std::to_string(::getpid()) + "_" + std::to_string(s_next++));
        fs::create_directories(m_path);
    }
    ~TempDir() { fs::remove_all(m_path); }
    const fs::path& path() const { return m_path; }

private:
    static inline int s_next = 0;
    fs::path m_path;
};

CompressedStoredSkin testSkin()
{
    CompressedStoredSkin skin;
    skin.loadFromIniFile(kTestSkin);
    return skin;
}

TEST(CompressedStoredSkin, StartsEmpty)
{
    CompressedStoredSkin skin;
    EXPECT_TRUE(skin.isEmpty());
    EXPECT_TRUE(skin.compressedStream().empty());
}

TEST(CompressedStoredSkin, ImportsADescriptionFileWithItsBitmaps)
{
    const CompressedStoredSkin skin = testSkin();
    ASSERT_FALSE(skin.isEmpty());
    // Level 9 with the default window: the stream starts 0x78 0xDA.
    EXPECT_EQ(skin.compressedStream()[0], 0x78);
    EXPECT_EQ(skin.compressedStream()[1], 0xDA);

    SkinPackage package;
    ASSERT_TRUE(skin.readPackage(package));
    const fs::path dir = TEST_SKIN_DIR;
    // "frame.bmp" names the file Frame.bmp: names match in any letter case.
    EXPECT_EQ(package.picture.picture().pixels(), loadBitmapFile(dir / "Frame.bmp").picture().pixels());
    EXPECT_TRUE(package.inactivePicture.isEmpty());
    EXPECT_EQ(package.mask.bitsPerPixel(), 4);
    ASSERT_EQ(package.activePictures.size(), 2u);
    EXPECT_EQ(package.activePictures[0].bitsPerPixel(), 8);
    EXPECT_EQ(package.activePictures[1].bitsPerPixel(), 32);
    EXPECT_EQ(package.activePictures[1].picture().pixel(0, 1), 0x80FF0000u);
    // The description file's own lines, each ended by CR LF.
    const auto file = readWholeFile(kTestSkin);
    EXPECT_EQ(package.description, std::string(file.begin(), file.end()));
    // Each bitmap is stored as its file holds it.
    EXPECT_EQ(encodeBitmapImage(package.mask), readWholeFile(dir / "mask.bmp"));
}

TEST(CompressedStoredSkin, ImportRewritesLineEndsAsCrLf)
{
    TempDir dir;
    fs::copy(TEST_SKIN_DIR, dir.path(), fs::copy_options::recursive);
    std::ofstream(dir.path() / "skin.ini", std::ios::binary)
        << "[VERSION]\nver=1\n[PICTURES]\npicture=\n[FORMINFO]\na=1\r[SKINOBJECTS]\ncount=0\n[SKINCONTROLS]\ncount=0";
    CompressedStoredSkin skin;
    skin.loadFromIniFile(dir.path() / "skin.ini");
    SkinPackage package;
    ASSERT_TRUE(skin.readPackage(package));
    EXPECT_TRUE(package.picture.isEmpty());
    EXPECT_EQ(package.description,
              "[VERSION]\r\nver=1\r\n[PICTURES]\r\npicture=\r\n[FORMINFO]\r\na=1\r\n[SKINOBJECTS]\r\ncount=0\r\n[SKINCONTROLS]\r\ncount=0\r\n");
}

TEST(CompressedStoredSkin, ImportWithoutARequiredSectionLeavesTheSkinAsItWas)
{
    TempDir dir;
    const CompressedStoredSkin before = testSkin();
    for (const char* missing : {"VERSION", "PICTURES", "FORMINFO", "SKINOBJECTS", "SKINCONTROLS"}) {
        std::ostringstream text;
        for (const char* section : {"VERSION", "PICTURES", "FORMINFO", "SKINOBJECTS", "SKINCONTROLS"}) {
            text << "[" << section << "]\r\n";
            // A section with no line does not count.
            if (std::string(section) != missing)
                text << "count=0\r\n";
        }
        std::ofstream(dir.path() / "skin.ini", std::ios::binary) << text.str();
        CompressedStoredSkin skin = before;
        skin.loadFromIniFile(dir.path() / "skin.ini");
        EXPECT_EQ(skin.compressedStream(), before.compressedStream()) << missing;
    }
}

TEST(CompressedStoredSkin, ImportOfAMissingBitmapFails)
{
    TempDir dir;
    std::ofstream(dir.path() / "skin.ini", std::ios::binary)
        << "[VERSION]\r\nver=1\r\n[PICTURES]\r\npicture=gone.bmp\r\n[FORMINFO]\r\na=1\r\n[SKINOBJECTS]\r\ncount=0\r\n[SKINCONTROLS]\r\ncount=0\r\n";
    CompressedStoredSkin skin;
    EXPECT_EQ(messageOf([&] { skin.loadFromIniFile(dir.path() / "skin.ini"); }).rfind("Cannot open file \"", 0), 0u);
}

TEST(CompressedStoredSkin, BlobLayoutAndRoundTrip)
{
    const CompressedStoredSkin skin = testSkin();
    const auto blob = skin.saveToCompressBytes();
    ASSERT_EQ(blob.size(), 8 + skin.compressedStream().size());
    EXPECT_EQ(loadU32(blob.data()), 3u);
    EXPECT_EQ(loadU32(blob.data() + 4), skin.compressedStream().size());

    CompressedStoredSkin fromBytes;
    fromBytes.loadFromCompressBytes(blob);
    EXPECT_EQ(fromBytes.compressedStream(), skin.compressedStream());

    std::stringstream stream;
    stream << "junk before the stream position";
    skin.saveToCompressStream(stream);
    std::stringstream only;
    skin.saveToCompressStream(only);
    CompressedStoredSkin fromStream;
    fromStream.loadFromCompressStream(only);
    EXPECT_EQ(fromStream.compressedStream(), skin.compressedStream());
}

TEST(CompressedStoredSkin, EmptySkinWritesAZeroLengthBlob)
{
    const CompressedStoredSkin skin;
    EXPECT_EQ(skin.saveToCompressBytes(), (std::vector<std::uint8_t>{3, 0, 0, 0, 0, 0, 0, 0}));
}

TEST(CompressedStoredSkin, FileRoundTripAndEmptySkinWritesNoFile)
{
    TempDir dir;
    const CompressedStoredSkin skin = testSkin();
    skin.saveToCompressFile(dir.path() / "a.skn");
    CompressedStoredSkin back;
    back.loadFromCompressFile(dir.path() / "a.skn");
    EXPECT_EQ(back.compressedStream(), skin.compressedStream());
    EXPECT_EQ(readWholeFile(dir.path() / "a.skn"), skin.saveToCompressBytes());

    CompressedStoredSkin().saveToCompressFile(dir.path() / "empty.skn");
    EXPECT_FALSE(fs::exists(dir.path() / "empty.skn"));
}

TEST(CompressedStoredSkin, MissingFileFailsAfterClearing)
{
    CompressedStoredSkin skin = testSkin();
    const std::string message = messageOf([&] { skin.loadFromCompressFile("/nonexistent/skin.skn"); });
    EXPECT_EQ(message, "Cannot open file \"/nonexistent/skin.skn\". No such file or directory");
    EXPECT_TRUE(skin.isEmpty());
}

TEST(CompressedStoredSkin, HeaderVersionAboveThreeLeavesTheSkinEmpty)
{
    auto blob = testSkin().saveToCompressBytes();
    blob[0] = 4;
    CompressedStoredSkin skin = testSkin();
    skin.loadFromCompressBytes(blob);
    EXPECT_TRUE(skin.isEmpty());
    std::stringstream stream(std::string(blob.begin(), blob.end()));
    skin = testSkin();
    skin.loadFromCompressStream(stream);
    EXPECT_TRUE(skin.isEmpty());
}

TEST(CompressedStoredSkin, ShortBlobIsAReadErrorKeepingWhatWasCopied)
{
    auto blob = testSkin().saveToCompressBytes();
    blob.resize(blob.size() - 10);
    const std::vector<std::uint8_t> copied(blob.begin() + 8, blob.end());

    CompressedStoredSkin skin;
    EXPECT_EQ(messageOf([&] { skin.loadFromCompressBytes(blob); }), "Stream read error");
    EXPECT_EQ(skin.compressedStream(), copied);

    std::stringstream stream(std::string(blob.begin(), blob.end()));
    CompressedStoredSkin fromStream;
    EXPECT_EQ(messageOf([&] { fromStream.loadFromCompressStream(stream); }), "Stream read error");
    EXPECT_EQ(fromStream.compressedStream(), copied);

    const std::vector<std::uint8_t> headerCut{3, 0, 0, 0, 5};
    EXPECT_EQ(messageOf([&] { skin.loadFromCompressBytes(headerCut); }), "Stream read error");
}

TEST(CompressedStoredSkin, HugeClaimedLengthCostsNoMemory)
{
    const std::vector<std::uint8_t> blob{3, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0x7F, 0x78, 0xDA};
    std::stringstream stream(std::string(blob.begin(), blob.end()));
    CompressedStoredSkin skin;
    EXPECT_EQ(messageOf([&] { skin.loadFromCompressStream(stream); }), "Stream read error");
    EXPECT_EQ(skin.compressedStream().size(), 2u);
}

TEST(CompressedStoredSkin, CompressedDataValueIsTheBufferExactly)
{
    const CompressedStoredSkin skin = testSkin();
    CompressedStoredSkin copy;
    copy.readCompressedData(skin.compressedData());
    EXPECT_EQ(copy.compressedStream(), skin.compressedStream());
    EXPECT_EQ(copy.deCompress(), skin.deCompress());
}

TEST(CompressedStoredSkin, DamagedStreamIsACompressionError)
{
    const CompressedStoredSkin good = testSkin();
    // An invalid block type right after the zlib header, and a wrong checksum.
    for (std::size_t index : {std::size_t(2), good.compressedStream().size() - 1}) {
        auto damaged = good.compressedStream();
        damaged[index] ^= 0xFF;
        CompressedStoredSkin skin;
        skin.readCompressedData(damaged);
        EXPECT_EQ(messageOf([&] { skin.deCompress(); }), "compression error") << index;
    }
    CompressedStoredSkin notZlib;
    notZlib.readCompressedData(std::vector<std::uint8_t>{0x12, 0x34, 0x56});
    EXPECT_EQ(messageOf([&] { notZlib.deCompress(); }), "compression error");
}

TEST(CompressedStoredSkin, TruncatedStreamGivesAShortPackageThatFailsToRead)
{
    const CompressedStoredSkin good = testSkin();
    const auto full = good.deCompress();
    auto cut = good.compressedStream();
    cut.resize(cut.size() / 2);
    CompressedStoredSkin skin;
    skin.readCompressedData(cut);
    const auto partial = skin.deCompress();
    EXPECT_LT(partial.size(), full.size());
    EXPECT_TRUE(std::equal(partial.begin(), partial.end(), full.begin()));
    SkinPackage package;
    EXPECT_EQ(messageOf([&] { skin.readPackage(package); }), "Stream read error");
}

TEST(CompressedStoredSkin, DecompressAppendsToTheTarget)
{
    const CompressedStoredSkin skin = testSkin();
    std::vector<std::uint8_t> target{1, 2, 3};
    skin.deCompressToStream(target);
    const auto package = skin.deCompress();
    ASSERT_EQ(target.size(), 3 + package.size());
    EXPECT_TRUE(std::equal(package.begin(), package.end(), target.begin() + 3));
}

TEST(ZlibStream, InflatingPastTheCapIsACompressionError)
{
    const std::vector<std::uint8_t> zeros(kMaxInflatedSize + 1, 0);
    const auto stream = deflateSkinStream(zeros);
    std::vector<std::uint8_t> out;
    EXPECT_EQ(messageOf([&] { inflateSkinStream(stream, out); }), "compression error");
    EXPECT_LE(out.size(), kMaxInflatedSize + 4096);

    const std::vector<std::uint8_t> exact(kMaxInflatedSize, 0);
    out.clear();
    inflateSkinStream(deflateSkinStream(exact), out);
    EXPECT_EQ(out.size(), kMaxInflatedSize);
}

TEST(ZlibStream, RoundTripsAndIgnoresBytesAfterTheEnd)
{
    std::vector<std::uint8_t> data(100000);
    for (std::size_t i = 0; i < data.size(); ++i)
        data[i] = std::uint8_t((i * 7919) >> 5);
    auto stream = deflateSkinStream(data);
    stream.insert(stream.end(), {1, 2, 3});
    std::vector<std::uint8_t> out;
    inflateSkinStream(stream, out);
    EXPECT_EQ(out, data);
    EXPECT_TRUE(deflateSkinStream({}).size() > 2);
}

TEST(CompressedStoredSkin, StorePackageReplacesTheBuffer)
{
    CompressedStoredSkin skin = testSkin();
    SkinPackage package;
    package.description = "[VERSION]\r\n";
    skin.storePackage(package);
    SkinPackage back;
    ASSERT_TRUE(skin.readPackage(back));
    EXPECT_EQ(back.description, "[VERSION]\r\n");
    EXPECT_TRUE(back.activePictures.empty());
}

TEST(CompressedStoredSkin, FileNamesImportOnlyWhileTheDesignIsEdited)
{
    CompressedStoredSkin skin;
    skin.setFileName(kTestSkin.string());
    EXPECT_TRUE(skin.isEmpty());
    EXPECT_EQ(skin.fileName(), kTestSkin.string());

    skin.setDesigning(true);
    skin.setLoading(true);
    skin.setFileName(kTestSkin.string());
    EXPECT_TRUE(skin.isEmpty());

    skin.setLoading(false);
    skin.setFileName(kTestSkin.string());
    EXPECT_FALSE(skin.isEmpty());
    EXPECT_EQ(skin.fileName(), "skin.ini");

    TempDir dir;
    testSkin().saveToCompressFile(dir.path() / "other.skn");
    CompressedStoredSkin imported;
    imported.setDesigning(true);
    imported.setCompressedFileName((dir.path() / "other.skn").string());
    EXPECT_EQ(imported.compressedFileName(), "other.skn");
    EXPECT_EQ(imported.compressedStream(), skin.compressedStream());
}

} // namespace
} // namespace tessaly::skin

namespace tessaly::skin {
namespace {

// The registry's loader and the package builder read the active picture
// list of the same folder by one rule: both load it, or both refuse it with
// the same message naming the entry.
TEST(ActivePictureList, BothLoadersAgree)
{
    const struct {
        const char* list;
        const char* error; // empty: loads
    } cases[] = {
        {"activepicturescount=2\r\n0=glyph.bmp\r\n1=shine.bmp\r\n", ""},
        {"activepicturescount=0\r\n0=glyph.bmp\r\n", ""},
        {"activepicturescount=2\r\n0=glyph.bmp\r\n",
         "Missing entry \"1\" in section \"PICTURES\" (activepicturescount is 2)"},
        {"activepicturescount=3\r\n0=glyph.bmp\r\n2=shine.bmp\r\n",
         "Missing entry \"1\" in section \"PICTURES\" (activepicturescount is 3)"},
        {"activepicturescount=2000000000\r\n0=glyph.bmp\r\n",
         "Missing entry \"1\" in section \"PICTURES\" (activepicturescount is 2000000000)"},
        {"activepicturescount=2\r\n0=glyph.bmp\r\n1=\r\n", "Entry \"1\" in section \"PICTURES\" names no file"},
    };
    for (const auto& c : cases) {
        TempDir dir;
        fs::copy(TEST_SKIN_DIR, dir.path(), fs::copy_options::recursive);
        std::ofstream(dir.path() / "skin.ini", std::ios::binary)
            << "[VERSION]\r\nver=1\r\n[PICTURES]\r\npicture=frame.bmp\r\n" << c.list
            << "[FORMINFO]\r\nclientrect=1,1,5,3\r\n[SKINOBJECTS]\r\ncount=0\r\n[SKINCONTROLS]\r\ncount=0\r\n";
        const std::string expected = *c.error ? c.error : "(no error)";

        CompressedStoredSkin stored;
        EXPECT_EQ(messageOf([&] { stored.loadFromIniFile(dir.path() / "skin.ini"); }), expected) << c.list;
        SkinData registry;
        EXPECT_EQ(messageOf([&] { registry.loadFromFile(dir.path() / "skin.ini"); }), expected) << c.list;
        if (*c.error) {
            // Refused before anything changed.
            EXPECT_TRUE(stored.isEmpty());
            EXPECT_TRUE(registry.empty());
            EXPECT_FALSE(registry.changeSkinDataProcess());
        } else {
            SkinPackage package;
            ASSERT_TRUE(stored.readPackage(package));
            EXPECT_EQ(package.activePictures.size(), registry.activePictures().size()) << c.list;
        }
    }
}

} // namespace
} // namespace tessaly::skin
