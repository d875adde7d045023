#include "skin/data/compressed_stored_skin.h"
#include "skin/data/file_io.h"
#include "skin/embedded_test_skin.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <unistd.h>
#include <filesystem>
#include <string>

namespace tessaly::skin {
namespace {

namespace fs = std::filesystem;

std::vector<std::uint8_t> packedAtRunTime()
{
    CompressedStoredSkin skin;
    skin.loadFromIniFile(fs::path(TEST_SKIN_DIR) / "skin.ini");
    return skin.saveToCompressBytes();
}

TEST(EmbeddedSkin, HoldsTheBytesOfThePackedFolder)
{
    const auto embedded = embedded_test_skin();
    ASSERT_FALSE(embedded.empty());
    EXPECT_EQ(std::vector<std::uint8_t>(embedded.begin(), embedded.end()), packedAtRunTime());
}

int run(const std::string& command)
{
    return std::system(command.c_str());
}

TEST(SkinpackTool, UnpackThenPackGivesTheSameBytes)
{
    const fs::path dir = fs::temp_directory_path() / ("skinpack_test_" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    const auto embedded = embedded_test_skin();
    writeWholeFile(dir / "in.skn", embedded);

    ASSERT_EQ(run(std::string(SKINPACK) + " unpack " + (dir / "in.skn").string() + " " + (dir / "out").string() + " test.ini"), 0);
    EXPECT_TRUE(fs::exists(dir / "out" / "test.ini"));
    EXPECT_TRUE(fs::exists(dir / "out" / "frame.bmp"));
    EXPECT_TRUE(fs::exists(dir / "out" / "shine.bmp"));
    EXPECT_EQ(readWholeFile(dir / "out" / "mask.bmp"), readWholeFile(fs::path(TEST_SKIN_DIR) / "mask.bmp"));

    ASSERT_EQ(run(std::string(SKINPACK) + " pack " + (dir / "out" / "test.ini").string() + " " + (dir / "again.skn").string()), 0);
    EXPECT_EQ(readWholeFile(dir / "again.skn"), std::vector<std::uint8_t>(embedded.begin(), embedded.end()));

    // A description without the required sections is refused.
    writeWholeFile(dir / "bad.ini", std::vector<std::uint8_t>{'[', 'x', ']'});
    EXPECT_NE(run(std::string(SKINPACK) + " pack " + (dir / "bad.ini").string() + " " + (dir / "bad.skn").string() + " 2>/dev/null"), 0);
    EXPECT_FALSE(fs::exists(dir / "bad.skn"));
    fs::remove_all(dir);
}

} // namespace
} // namespace tessaly::skin
