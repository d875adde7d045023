#include "platform/error.h"
#include "skin/data/compressed_skin_list.h"
#include "test_skin.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace tessaly::skin {
namespace {

TEST(SkinList, ItemsAreNamedAfterTheirIndexWhenCreated)
{
    CompressedSkinList list;
    EXPECT_EQ(list.skins().add().name(), "skSkin0");
    EXPECT_EQ(list.skins().add().name(), "skSkin1");
    list.skins().remove(0);
    EXPECT_EQ(list.skins().add().name(), "skSkin1");
    EXPECT_EQ(list.skins().count(), 2);
    EXPECT_EQ(list.skins().owner(), &list);
    EXPECT_EQ(list.skins()[0].collection(), &list.skins());
}

TEST(SkinList, SkinValueIsACompleteBlob)
{
    CompressedSkinList list;
    SkinListItem& item = list.skins().add();
    item.skin().loadFromIniFile(kTestSkin);
    const auto value = item.skinValue();
    EXPECT_EQ(value, item.skin().saveToCompressBytes());

    CompressedSkinList other;
    SkinListItem& copy = other.skins().add();
    copy.readSkinValue(value);
    EXPECT_EQ(copy.skin().compressedStream(), item.skin().compressedStream());
    EXPECT_THROW(copy.readSkinValue(std::vector<std::uint8_t>(value.begin(), value.begin() + 20)), Error);
}

TEST(SkinList, AssigningSkinsCopiesTheItems)
{
    CompressedSkinList source;
    SkinListItem& item = source.skins().add();
    item.skin().loadFromIniFile(kTestSkin);
    item.setName("pewter");
    item.setDescription("metal");
    item.setCompressedFileName("pewter.skn");
    source.skins().add();

    CompressedSkinList target;
    target.skins().add();
    target.setSkins(source.skins());
    ASSERT_EQ(target.skins().count(), 2);
    const SkinListItem& copied = target.skins()[0];
    EXPECT_EQ(copied.name(), "pewter");
    EXPECT_EQ(copied.description(), "metal");
    EXPECT_EQ(copied.compressedFileName(), "pewter.skn");
    EXPECT_EQ(copied.skin().compressedStream(), item.skin().compressedStream());
    EXPECT_EQ(copied.collection(), &target.skins());
    // The copy is independent of its source.
    item.skin().readCompressedData({});
    EXPECT_FALSE(copied.skin().isEmpty());
}

TEST(SkinList, ItemImportsOnlyWhileItsListIsDesigned)
{
    CompressedSkinList list;
    SkinListItem& item = list.skins().add();
    item.setFileName(kTestSkin.string());
    EXPECT_TRUE(item.skin().isEmpty());

    list.setDesigning(true);
    item.setFileName(kTestSkin.string());
    EXPECT_FALSE(item.skin().isEmpty());
    EXPECT_EQ(item.fileName(), "skin.ini");
}

} // namespace
} // namespace tessaly::skin
