#include "hostile_skins.h"

#include "skin/data/compressed_stored_skin.h"
#include "skin/data/dib_bitmap.h"
#include "skin/data/skin_package.h"
#include "skin/embedded_pewter.h"

#include <QDir>

#include <cstdint>
#include <regex>
#include <stdexcept>
#include <string>
#include <vector>

namespace tessaly::testing {

namespace {

skin::SkinPackage pewter()
{
    skin::CompressedStoredSkin stored;
    stored.loadFromCompressBytes(skin::embedded_pewter());
    skin::SkinPackage package;
    if (!stored.readPackage(package))
        throw std::runtime_error("pewter does not read");
    return package;
}

void write(const skin::SkinPackage& package, const QString& path)
{
    skin::CompressedStoredSkin stored;
    stored.storePackage(package);
    stored.saveToCompressFile(path.toStdString());
}

void put(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(std::uint8_t(value >> (8 * i)));
}

// The file image of a two-colour picture of side x side pixels in stripes.
std::vector<std::uint8_t> stripedImage(std::uint32_t side)
{
    const std::uint32_t rowSize = (side + 31) / 32 * 4;
    const std::uint32_t dataSize = rowSize * side;
    const std::uint32_t headers = 14 + 40 + 8;
    std::vector<std::uint8_t> image{'B', 'M'};
    image.reserve(headers + dataSize);
    put(image, headers + dataSize, 4);
    put(image, 0, 4);
    put(image, headers, 4);
    for (std::uint32_t field : {40u, side, side})
        put(image, field, 4);
    put(image, 1, 2);
    put(image, 1, 2);
    for (std::uint32_t field : {0u, dataSize, 0u, 0u, 2u, 0u})
        put(image, field, 4);
    put(image, 0x000000, 4);
    put(image, 0xFFFFFF, 4);
    image.resize(headers + dataSize, 0x55);
    return image;
}

} // namespace

QStringList writeHostileSkins(const QString& folder)
{
    const QDir dir(folder);
    const skin::SkinPackage original = pewter();
    QStringList paths;

    skin::SkinPackage rects = original;
    rects.description = std::regex_replace(rects.description, std::regex(R"(=\d+,\d+,\d+,\d+\r?\n)"),
                                           "=0,0,2147483647,2147483647\r\n");
    rects.description = std::regex_replace(rects.description, std::regex(R"(=\d+,\d+\r?\n)"), "=2147483647,2147483647\r\n");
    paths << dir.filePath(QStringLiteral("huge_rects.skn"));
    write(rects, paths.back());

    skin::SkinPackage sizes = original;
    sizes.description = std::regex_replace(sizes.description, std::regex(R"((borderwidth|formminwidth|formminheight)=-?\d+)"),
                                           "$1=2147483647");
    paths << dir.filePath(QStringLiteral("huge_sizes.skn"));
    write(sizes, paths.back());

    // The packer keeps each picture's file image as read and writes it
    // back as it is; a bitmap made with that image stands for the picture
    // in the package without the test decoding it.
    skin::SkinPackage bombs = original;
    const std::vector<std::uint8_t> image = stripedImage(8192);
    skin::DibFormat format;
    format.bitsPerPixel = 1;
    format.palette = {0x000000, 0xFFFFFF};
    std::string names;
    for (int i = 0; i < 6; ++i) {
        bombs.activePictures.emplace_back(skin::Picture(1, 1), format, image);
        names += std::to_string(bombs.activePictures.size() - 1) + "=bomb" + std::to_string(i) + ".bmp\r\n";
    }
    const std::regex count(R"(activepicturescount=\d+\r?\n)");
    bombs.description = std::regex_replace(bombs.description, count,
                                           "activepicturescount=" + std::to_string(bombs.activePictures.size()) + "\r\n" + names,
                                           std::regex_constants::format_first_only);
    paths << dir.filePath(QStringLiteral("bombs.skn"));
    write(bombs, paths.back());
    return paths;
}

} // namespace tessaly::testing
