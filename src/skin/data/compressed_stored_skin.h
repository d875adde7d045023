#pragma once

#include "skin/data/skin_package.h"

#include <cstdint>
#include <filesystem>
#include <iosfwd>
#include <span>
#include <string>
#include <vector>

namespace tessaly::skin {

class SkinData;

// One stored skin: the zlib stream of a skin package (without the 8-byte
// header of the blob), with the names of the files it was imported from.
//
// The stored skin blob, which is also the whole content of a compressed skin
// file (".skn"), is: signed 32-bit version (writers put 3, readers accept up
// to 3), signed 32-bit length N, then N bytes of zlib stream; little-endian.
class CompressedStoredSkin {
public:
    static constexpr std::int32_t kBlobVersion = 3;

    CompressedStoredSkin() = default;

    // The component's name in its window design.
    const std::string& name() const { return m_name; }
    void setName(const std::string& name) { m_name = name; }

    // True exactly when the buffer is empty.
    bool isEmpty() const { return m_compressedStream.empty(); }
    // The buffer: the zlib stream of the package.
    const std::vector<std::uint8_t>& compressedStream() const { return m_compressedStream; }

    const std::string& description() const { return m_description; }
    void setDescription(const std::string& description) { m_description = description; }

    // The description file the skin was imported from (no folder). While the
    // design is edited (designing and not loading), setting it imports that
    // file with loadFromIniFile and keeps only the file-name part; otherwise
    // it only records the string.
    const std::string& fileName() const { return m_fileName; }
    void setFileName(const std::string& fileName);
    // The compressed skin file the skin was imported from (no folder); while
    // the design is edited, setting it imports with loadFromCompressFile.
    const std::string& compressedFileName() const { return m_compressedFileName; }
    void setCompressedFileName(const std::string& compressedFileName);

    // The state of the window design that holds the component.
    bool designing() const { return m_designing; }
    void setDesigning(bool designing) { m_designing = designing; }
    bool loading() const { return m_loading; }
    void setLoading(bool loading) { m_loading = loading; }

    // The "CompressedData" design value: the buffer's bytes exactly. Reading
    // it replaces the buffer.
    std::vector<std::uint8_t> compressedData() const { return m_compressedStream; }
    void readCompressedData(std::span<const std::uint8_t> value);

    // Reads a blob from the start of a stream (or a byte block, or a file):
    // clears the buffer; a version above 3 leaves it empty; otherwise copies
    // exactly N bytes. Fewer than N bytes throws Error("Stream read error")
    // and the buffer keeps what was copied. A file that cannot be opened
    // throws the file-open error, the buffer already cleared.
    void loadFromCompressStream(std::istream& stream);
    void loadFromCompressBytes(std::span<const std::uint8_t> blob);
    void loadFromCompressFile(const std::filesystem::path& fileName);

    // Writes a blob: 3, the buffer length, the buffer (also when empty).
    void saveToCompressStream(std::ostream& stream) const;
    std::vector<std::uint8_t> saveToCompressBytes() const;
    // Does nothing when empty; otherwise creates (or truncates) the file and
    // writes the blob.
    void saveToCompressFile(const std::filesystem::path& fileName) const;

    // Inflates the buffer and appends the package bytes to target. Throws
    // Error("compression error") for a damaged stream.
    void deCompressToStream(std::vector<std::uint8_t>& target) const;
    std::vector<std::uint8_t> deCompress() const;

    // Inflates the buffer and reads the package into package (see
    // readSkinPackage); false when its version is above 3.
    bool readPackage(SkinPackage& package) const;
    // Writes a package and deflates it at level 9 into the buffer (the
    // buffer is cleared first). Throws Error("error") if deflating fails.
    void storePackage(const SkinPackage& package);

    // Builds a package from a loaded registry and stores it compressed.
    void loadFromSkinData(const SkinData& skinData);
    // Builds a package from a description file and the bitmap files beside
    // it (buildSkinPackageFromIniFile) and stores it compressed; a
    // description without the required sections leaves the skin unchanged.
    void loadFromIniFile(const std::filesystem::path& fileName);

private:
    std::string m_name;
    std::string m_fileName;
    std::string m_compressedFileName;
    std::vector<std::uint8_t> m_compressedStream;
    std::string m_description;
    bool m_designing = false;
    bool m_loading = false;
};

} // namespace tessaly::skin
