#pragma once

#include "skin/data/dib_bitmap.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

namespace tessaly::skin {

class SkinDescription;

// A skin package in memory: what a stored skin's zlib stream inflates to.
//
// Layout (little-endian, no padding): 32-bit version (writers put 3); three
// slots, "picture", "inactivepicture" and "mask", each one byte E (1: absent,
// 0: a bitmap file image follows); in a version-2 package two more slots of
// the same form, read and discarded; the 32-bit active picture count C (0 or
// less: none); C bitmap file images; every remaining byte is the description
// text.
struct SkinPackage {
    static constexpr std::int32_t kCurrentVersion = 3;

    // The version read (a package with a version above 3 is rejected).
    // Writers always put 3.
    std::int32_t version = kCurrentVersion;
    // The three slots; an empty bitmap is an absent slot.
    DibBitmap picture;
    DibBitmap inactivePicture;
    DibBitmap mask;
    // The active pictures; index = picture index.
    std::vector<DibBitmap> activePictures;
    // The description text (UTF-8), lines ended by CR LF.
    std::string description;

    std::vector<std::string> descriptionLines() const;
    void setDescriptionLines(const std::vector<std::string>& lines);
};

// Reads a package from its first byte into package, field by field, so that
// after an error package holds what was read so far (slots already read,
// active pictures already decoded). Returns false, with only the version
// set, when the version is above 3. Throws Error("Bitmap image is not
// valid") or Error("Stream read error") for a damaged package.
bool readSkinPackage(std::span<const std::uint8_t> bytes, SkinPackage& package);

// The bytes of a package: version 3, the three slots (E = 1 for an empty
// bitmap), the count, the active pictures and the description text. Each
// bitmap is written in the form it holds; a package read and written back
// is byte-identical.
std::vector<std::uint8_t> writeSkinPackage(const SkinPackage& package);

// The bitmap file names a description gives in its section "PICTURES": the
// keys "picture", "inactivepicture" and "mask" and the list
// "activepicturescount", "0", "1", ..., read by the one reader of lists
// (SkinDescription::readStringList).
struct SkinPictureNames {
    std::string picture;
    std::string inactivePicture;
    std::string mask;
    std::vector<std::string> activePictures;
    // The count the list states, and the first index below it without a
    // key (-1 when none is missing).
    int activePicturesCount = 0;
    int firstMissingActivePicture = -1;
};
SkinPictureNames readSkinPictureNames(const std::vector<std::string>& descriptionLines);
SkinPictureNames readSkinPictureNames(const SkinDescription& description);

// Loading pictures from a folder needs a file for every active picture the
// list counts. Throws Error naming the entry when one is missing
// ("Missing entry "1" in section "PICTURES" (activepicturescount is 2)")
// or names no file ("Entry "1" in section "PICTURES" names no file").
// Both loaders from a description file (the registry's and the package
// builder's) check with this before they read any bitmap.
void requireActivePictureFiles(const SkinPictureNames& names);

// Builds a package from a description file and the bitmap files beside it.
// Returns false, leaving package untouched, when the description lacks any
// of the sections "VERSION", "PICTURES", "FORMINFO", "SKINOBJECTS" and
// "SKINCONTROLS" (a section counts only when it holds a line). The slots
// come from the keys "picture", "inactivepicture" and "mask" of "PICTURES"
// (an empty value is an absent slot), the active pictures from its list
// "activepicturescount", "0", "1", ... (requireActivePictureFiles); the
// text is the file's own lines. A bitmap file that cannot be opened or
// decoded throws its error.
bool buildSkinPackageFromIniFile(const std::filesystem::path& iniFile, SkinPackage& package);

} // namespace tessaly::skin
