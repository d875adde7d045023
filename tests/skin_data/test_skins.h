#pragma once

#include "skin/data/compressed_stored_skin.h"
#include "skin/data/dib_bitmap.h"
#include "skin/data/skin_package.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace tessaly::skin::test {

// An opaque bitmap whose pixels follow a pattern seeded by `seed`.
DibBitmap patternBitmap(int width, int height, std::uint32_t seed);

// A small complete skin description: every general section, three object
// and four control entries plus entries that create nothing, a repeated
// name of each list, and bitmap names main.bmp, mask.bmp, one/two/three.bmp.
std::string sampleDescription();

// sampleDescription with its bitmaps.
SkinPackage samplePackage();

// A stored skin holding a package.
CompressedStoredSkin storedSkin(const SkinPackage& package);
// A stored skin holding the given package bytes, whatever they are.
CompressedStoredSkin storedSkinFromBytes(const std::vector<std::uint8_t>& packageBytes);

// A fresh, empty folder under the system's temporary folder, removed with
// the object.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::filesystem::path& path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

} // namespace tessaly::skin::test
