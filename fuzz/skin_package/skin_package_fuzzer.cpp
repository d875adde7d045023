// Fuzz target over the readers of outside bytes in stored skins: the bitmap
// file decoder, the skin package reader and the stored skin blob (inflate,
// then package). Besides not crashing, it checks that what was read writes
// back to bytes that read the same.
#include "platform/error.h"
#include "skin/data/bmp_codec.h"
#include "skin/data/compressed_stored_skin.h"
#include "skin/data/skin_package.h"

#include <cstdint>
#include <cstdlib>
#include <span>

#include "common/require.h"

using tessaly::fuzz::require;

using namespace tessaly::skin;

namespace {

bool samePictures(const DibBitmap& a, const DibBitmap& b)
{
    return a.width() == b.width() && a.height() == b.height() && a.picture().pixels() == b.picture().pixels();
}

void fuzzBitmap(std::span<const std::uint8_t> bytes)
{
    DibBitmap bitmap;
    try {
        bitmap = decodeBitmapFile(bytes);
    } catch (const tessaly::Error&) {
        return;
    }
    // The kept file image reads back as the same picture.
    const DibBitmap again = decodeBitmapFile(encodeBitmapImage(bitmap));
    require(samePictures(bitmap, again));

    // A fresh encoding in the bitmap's own form reads back with the same
    // size; for direct colours also with the same pixels.
    DibBitmap edited = bitmap;
    edited.editPicture();
    const DibBitmap fresh = decodeBitmapFile(encodeBitmapImage(edited));
    require(fresh.width() == bitmap.width() && fresh.height() == bitmap.height());
    const DibFormat& f = bitmap.format();
    const bool plain32 = f.bitsPerPixel == 32 && f.redMask == 0x00FF0000 && f.greenMask == 0x0000FF00 && f.blueMask == 0x000000FF &&
        (f.alphaMask == 0 || f.alphaMask == 0xFF000000u);
    if (f.bitsPerPixel == 24 || plain32)
        require(samePictures(bitmap, fresh));
}

void fuzzPackage(std::span<const std::uint8_t> bytes)
{
    SkinPackage package;
    try {
        if (!readSkinPackage(bytes, package))
            return;
    } catch (const tessaly::Error&) {
        return;
    }
    // Writing is stable: what was written reads back and writes the same.
    const auto written = writeSkinPackage(package);
    SkinPackage reread;
    require(readSkinPackage(written, reread));
    require(writeSkinPackage(reread) == written);
    require(samePictures(package.picture, reread.picture) && samePictures(package.mask, reread.mask));
    require(package.activePictures.size() == reread.activePictures.size());
    require(package.description == reread.description);
}

void fuzzBlob(std::span<const std::uint8_t> bytes)
{
    try {
        CompressedStoredSkin skin;
        skin.loadFromCompressBytes(bytes);
        SkinPackage package;
        if (!skin.isEmpty())
            skin.readPackage(package);
    } catch (const tessaly::Error&) {
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::span<const std::uint8_t> bytes(data, size);
    fuzzBitmap(bytes);
    fuzzPackage(bytes);
    fuzzBlob(bytes);
    return 0;
}
