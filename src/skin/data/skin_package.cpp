#include "skin/data/skin_package.h"

#include "platform/error.h"
#include "skin/data/bmp_codec.h"
#include "skin/data/byte_stream.h"
#include "skin/data/file_io.h"
#include "skin/data/skin_description.h"
#include "skin/data/skin_text.h"

#include <algorithm>

namespace tessaly::skin {

namespace {

// Reads a slot: one byte E, then a bitmap unless E is non-zero.
void readSlot(ByteReader& in, DibBitmap& slot, PixelBudget& budget)
{
    if (in.readU8() != 0)
        slot.clear();
    else
        slot = readBitmapImage(in, &budget);
}

void writeSlot(ByteWriter& out, const DibBitmap& slot)
{
    if (slot.isEmpty()) {
        out.writeU8(1);
    } else {
        out.writeU8(0);
        writeBitmapImage(out, slot);
    }
}

} // namespace

std::vector<std::string> SkinPackage::descriptionLines() const
{
    return splitSkinTextLines(description);
}

void SkinPackage::setDescriptionLines(const std::vector<std::string>& lines)
{
    description = joinSkinTextLines(lines);
}

bool readSkinPackage(std::span<const std::uint8_t> bytes, SkinPackage& package)
{
    ByteReader in(bytes);
    package.version = in.readI32();
    if (package.version > SkinPackage::kCurrentVersion)
        return false;
    // Every picture the package holds counts, the discarded ones too: they
    // are decoded all the same.
    PixelBudget budget;
    readSlot(in, package.picture, budget);
    readSlot(in, package.inactivePicture, budget);
    readSlot(in, package.mask, budget);
    if (package.version == 2) {
        DibBitmap discarded;
        readSlot(in, discarded, budget);
        readSlot(in, discarded, budget);
    }
    const std::int32_t count = in.readI32();
    package.activePictures.clear();
    for (std::int32_t i = 0; i < count; ++i) {
        package.activePictures.emplace_back();
        package.activePictures.back() = readBitmapImage(in, &budget);
    }
    package.description = decodeSkinText(in.readRest());
    return true;
}

std::vector<std::uint8_t> writeSkinPackage(const SkinPackage& package)
{
    std::size_t estimate = 16 + package.description.size();
    for (const DibBitmap* bitmap : {&package.picture, &package.inactivePicture, &package.mask})
        estimate += bitmap->fileImage().size();
    for (const DibBitmap& bitmap : package.activePictures)
        estimate += bitmap.fileImage().size() + 64;

    ByteWriter out;
    out.reserve(estimate);
    out.writeI32(SkinPackage::kCurrentVersion);
    writeSlot(out, package.picture);
    writeSlot(out, package.inactivePicture);
    writeSlot(out, package.mask);
    out.writeI32(std::int32_t(package.activePictures.size()));
    for (const DibBitmap& bitmap : package.activePictures)
        writeBitmapImage(out, bitmap);
    out.write(encodeSkinText(package.description));
    return out.take();
}

SkinPictureNames readSkinPictureNames(const std::vector<std::string>& descriptionLines)
{
    return readSkinPictureNames(SkinDescription::fromText(joinSkinTextLines(descriptionLines)));
}

SkinPictureNames readSkinPictureNames(const SkinDescription& description)
{
    SkinPictureNames names;
    names.picture = description.readString("PICTURES", "picture", "");
    names.inactivePicture = description.readString("PICTURES", "inactivepicture", "");
    names.mask = description.readString("PICTURES", "mask", "");
    names.activePictures = description.readStringList("PICTURES", "activepictures");
    names.activePicturesCount = description.stringListCount("PICTURES", "activepictures");
    names.firstMissingActivePicture = description.firstMissingListItem("PICTURES", "activepictures");
    return names;
}

void requireActivePictureFiles(const SkinPictureNames& names)
{
    const int missing = names.firstMissingActivePicture;
    if (missing >= 0)
        throw Error("Missing entry \"" + std::to_string(missing) + "\" in section \"PICTURES\" (activepicturescount is " +
                    std::to_string(names.activePicturesCount) + ")");
    for (std::size_t i = 0; i < names.activePictures.size(); ++i)
        if (names.activePictures[i].empty())
            throw Error("Entry \"" + std::to_string(i) + "\" in section \"PICTURES\" names no file");
}

bool buildSkinPackageFromIniFile(const std::filesystem::path& iniFile, SkinPackage& package)
{
    const std::string text = decodeSkinText(readWholeFile(iniFile));
    const SkinDescription description = SkinDescription::fromText(text);
    for (const char* section : {"VERSION", "PICTURES", "FORMINFO", "SKINOBJECTS", "SKINCONTROLS"}) {
        if (!description.sectionExists(section))
            return false;
    }

    const std::filesystem::path folder = iniFile.parent_path();
    auto load = [&](const std::string& name) { return loadBitmapFile(resolveSkinFile(folder, name)); };
    const SkinPictureNames names = readSkinPictureNames(description);
    requireActivePictureFiles(names);

    SkinPackage built;
    if (!names.picture.empty())
        built.picture = load(names.picture);
    if (!names.inactivePicture.empty())
        built.inactivePicture = load(names.inactivePicture);
    if (!names.mask.empty())
        built.mask = load(names.mask);
    for (const std::string& name : names.activePictures)
        built.activePictures.push_back(load(name));
    // The file's own lines, each ended by CR LF.
    built.setDescriptionLines(splitSkinTextLines(text));
    package = std::move(built);
    return true;
}

} // namespace tessaly::skin
