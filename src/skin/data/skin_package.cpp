#include "skin/data/skin_package.h"

#include "skin/data/bmp_codec.h"
#include "skin/data/byte_stream.h"
#include "skin/data/file_io.h"
#include "skin/data/skin_text.h"

#include <algorithm>
#include <cstdlib>
#include <optional>

namespace tessaly::skin {

namespace {

// The few look-ups that building a package needs from a description text:
// sections that hold lines, and the first value of a key, both found without
// regard to letter case.
class DescriptionIndex {
public:
    explicit DescriptionIndex(const std::vector<std::string>& lines)
    {
        Section* current = nullptr;
        for (const std::string& raw : lines) {
            const std::string line = trim(raw);
            if (line.empty() || line[0] == ';')
                continue;
            if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
                m_sections.push_back({lower(trim(line.substr(1, line.size() - 2))), {}});
                current = &m_sections.back();
                continue;
            }
            if (!current)
                continue;
            const auto equals = line.find('=');
            if (equals == std::string::npos)
                current->keys.push_back({lower(line), ""});
            else
                current->keys.push_back({lower(trim(line.substr(0, equals))), trim(line.substr(equals + 1))});
        }
    }

    // A section exists only if it holds at least one line.
    bool hasSection(const std::string& name) const
    {
        const Section* section = find(name);
        return section && !section->keys.empty();
    }

    std::string value(const std::string& section, const std::string& key) const
    {
        if (const Section* s = find(section)) {
            const std::string wanted = lower(key);
            for (const auto& [name, value] : s->keys) {
                if (name == wanted)
                    return value;
            }
        }
        return {};
    }

    // Decimal, or hexadecimal after "0x", "0X" or "$"; the default otherwise.
    std::int64_t integer(const std::string& section, const std::string& key, std::int64_t fallback) const
    {
        const std::string text = value(section, key);
        if (text.empty())
            return fallback;
        std::string digits = text;
        int base = 10;
        bool negative = false;
        if (text.size() >= 3 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
            digits = text.substr(2);
            base = 16;
        } else if (text[0] == '$') {
            digits = text.substr(1);
            base = 16;
        } else if (text[0] == '-' || text[0] == '+') {
            negative = text[0] == '-';
            digits = text.substr(1);
        }
        if (digits.empty())
            return fallback;
        std::int64_t result = 0;
        for (char c : digits) {
            int d;
            if (c >= '0' && c <= '9')
                d = c - '0';
            else if (base == 16 && c >= 'a' && c <= 'f')
                d = c - 'a' + 10;
            else if (base == 16 && c >= 'A' && c <= 'F')
                d = c - 'A' + 10;
            else
                return fallback;
            result = result * base + d;
            if (result > 0xFFFFFFFFll)
                return fallback;
        }
        if (base == 16)
            return std::int32_t(std::uint32_t(result));
        if (negative)
            result = -result;
        if (result > 0x7FFFFFFFll || result < -0x80000000ll)
            return fallback;
        return result;
    }

private:
    struct Section {
        std::string name;
        std::vector<std::pair<std::string, std::string>> keys;
    };

    static std::string trim(const std::string& text)
    {
        std::size_t begin = 0;
        std::size_t end = text.size();
        while (begin < end && static_cast<unsigned char>(text[begin]) <= ' ')
            ++begin;
        while (end > begin && static_cast<unsigned char>(text[end - 1]) <= ' ')
            --end;
        return text.substr(begin, end - begin);
    }

    static std::string lower(std::string text)
    {
        for (char& c : text) {
            if (c >= 'A' && c <= 'Z')
                c = char(c + 32);
        }
        return text;
    }

    // The first section of the name; a later one of the same name is never
    // reached.
    const Section* find(const std::string& name) const
    {
        const std::string wanted = lower(name);
        for (const Section& section : m_sections) {
            if (section.name == wanted)
                return &section;
        }
        return nullptr;
    }

    std::vector<Section> m_sections;
};

// Reads a slot: one byte E, then a bitmap unless E is non-zero.
void readSlot(ByteReader& in, DibBitmap& slot)
{
    if (in.readU8() != 0)
        slot.clear();
    else
        slot = readBitmapImage(in);
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
    readSlot(in, package.picture);
    readSlot(in, package.inactivePicture);
    readSlot(in, package.mask);
    if (package.version == 2) {
        DibBitmap discarded;
        readSlot(in, discarded);
        readSlot(in, discarded);
    }
    const std::int32_t count = in.readI32();
    package.activePictures.clear();
    for (std::int32_t i = 0; i < count; ++i) {
        package.activePictures.emplace_back();
        package.activePictures.back() = readBitmapImage(in);
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
    const DescriptionIndex description(descriptionLines);
    SkinPictureNames names;
    names.picture = description.value("PICTURES", "picture");
    names.inactivePicture = description.value("PICTURES", "inactivepicture");
    names.mask = description.value("PICTURES", "mask");
    const std::int64_t count = description.integer("PICTURES", "activepicturescount", 0);
    // Each item needs a line of its own, so items past the number of lines
    // are all empty: one of them stands for the rest (it names no file).
    const std::int64_t listed = std::min<std::int64_t>(count, std::int64_t(descriptionLines.size()) + 1);
    for (std::int64_t i = 0; i < listed; ++i)
        names.activePictures.push_back(description.value("PICTURES", std::to_string(i)));
    return names;
}

bool buildSkinPackageFromIniFile(const std::filesystem::path& iniFile, SkinPackage& package)
{
    const std::vector<std::string> lines = splitSkinTextLines(decodeSkinText(readWholeFile(iniFile)));
    const DescriptionIndex description(lines);
    for (const char* section : {"VERSION", "PICTURES", "FORMINFO", "SKINOBJECTS", "SKINCONTROLS"}) {
        if (!description.hasSection(section))
            return false;
    }

    const std::filesystem::path folder = iniFile.parent_path();
    auto load = [&](const std::string& name) { return loadBitmapFile(resolveSkinFile(folder, name)); };
    const SkinPictureNames names = readSkinPictureNames(lines);

    SkinPackage built;
    if (!names.picture.empty())
        built.picture = load(names.picture);
    if (!names.inactivePicture.empty())
        built.inactivePicture = load(names.inactivePicture);
    if (!names.mask.empty())
        built.mask = load(names.mask);
    for (const std::string& name : names.activePictures)
        built.activePictures.push_back(load(name));
    built.setDescriptionLines(lines);
    package = std::move(built);
    return true;
}

} // namespace tessaly::skin
