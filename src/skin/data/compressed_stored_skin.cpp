#include "skin/data/compressed_stored_skin.h"

#include "platform/error.h"
#include "skin/data/byte_stream.h"
#include "skin/data/file_io.h"
#include "skin/data/skin_data.h"
#include "skin/data/zlib_stream.h"

#include <cerrno>
#include <fstream>
#include <istream>
#include <ostream>

namespace tessaly::skin {

// A stored skin built from a loaded registry: its bitmaps and its whole
// description, compressed.
void CompressedStoredSkin::loadFromSkinData(const SkinData& skinData)
{
    storePackage(skinData.makePackage());
}

void CompressedStoredSkin::setFileName(const std::string& fileName)
{
    if (m_designing && !m_loading && !fileName.empty()) {
        loadFromIniFile(fileName);
        m_fileName = fileNamePart(fileName);
    } else {
        m_fileName = fileName;
    }
}

void CompressedStoredSkin::setCompressedFileName(const std::string& compressedFileName)
{
    if (m_designing && !m_loading && !compressedFileName.empty()) {
        loadFromCompressFile(compressedFileName);
        m_compressedFileName = fileNamePart(compressedFileName);
    } else {
        m_compressedFileName = compressedFileName;
    }
}

void CompressedStoredSkin::readCompressedData(std::span<const std::uint8_t> value)
{
    m_compressedStream.assign(value.begin(), value.end());
}

void CompressedStoredSkin::loadFromCompressStream(std::istream& stream)
{
    m_compressedStream.clear();
    stream.clear();
    stream.seekg(0);
    auto readI32 = [&stream]() {
        std::uint8_t bytes[4];
        stream.read(reinterpret_cast<char*>(bytes), 4);
        if (stream.gcount() != 4)
            throw Error(kStreamReadErrorMessage);
        return std::int32_t(loadU32(bytes));
    };
    if (readI32() > kBlobVersion)
        return;
    const std::int32_t length = readI32();
    if (length <= 0)
        return;
    // Copy in pieces, so that a header claiming far more than the stream
    // holds costs no more memory than the stream itself.
    std::size_t left = std::size_t(length);
    char buffer[65536];
    while (left > 0) {
        const std::size_t piece = std::min(left, sizeof buffer);
        stream.read(buffer, std::streamsize(piece));
        const auto got = std::size_t(stream.gcount());
        m_compressedStream.insert(m_compressedStream.end(), buffer, buffer + got);
        if (got < piece)
            throw Error(kStreamReadErrorMessage);
        left -= got;
    }
}

void CompressedStoredSkin::loadFromCompressBytes(std::span<const std::uint8_t> blob)
{
    m_compressedStream.clear();
    ByteReader in(blob);
    if (in.readI32() > kBlobVersion)
        return;
    const std::int32_t length = in.readI32();
    if (length <= 0)
        return;
    if (std::size_t(length) > in.remaining()) {
        const auto rest = in.readRest();
        m_compressedStream.assign(rest.begin(), rest.end());
        throw Error(kStreamReadErrorMessage);
    }
    const auto bytes = in.read(std::size_t(length));
    m_compressedStream.assign(bytes.begin(), bytes.end());
}

void CompressedStoredSkin::loadFromCompressFile(const std::filesystem::path& fileName)
{
    m_compressedStream.clear();
    std::ifstream file(fileName, std::ios::binary);
    if (!file)
        throw Error(fileOpenErrorMessage(fileName, errno));
    loadFromCompressStream(file);
}

void CompressedStoredSkin::saveToCompressStream(std::ostream& stream) const
{
    const auto blob = saveToCompressBytes();
    stream.write(reinterpret_cast<const char*>(blob.data()), std::streamsize(blob.size()));
    if (!stream)
        throw Error("Stream write error");
}

std::vector<std::uint8_t> CompressedStoredSkin::saveToCompressBytes() const
{
    ByteWriter out;
    out.reserve(8 + m_compressedStream.size());
    out.writeI32(kBlobVersion);
    out.writeI32(std::int32_t(m_compressedStream.size()));
    out.write(m_compressedStream);
    return out.take();
}

void CompressedStoredSkin::saveToCompressFile(const std::filesystem::path& fileName) const
{
    if (isEmpty())
        return;
    writeWholeFile(fileName, saveToCompressBytes());
}

void CompressedStoredSkin::deCompressToStream(std::vector<std::uint8_t>& target) const
{
    inflateSkinStream(m_compressedStream, target);
}

std::vector<std::uint8_t> CompressedStoredSkin::deCompress() const
{
    std::vector<std::uint8_t> package;
    deCompressToStream(package);
    return package;
}

bool CompressedStoredSkin::readPackage(SkinPackage& package) const
{
    return readSkinPackage(deCompress(), package);
}

void CompressedStoredSkin::storePackage(const SkinPackage& package)
{
    m_compressedStream.clear();
    m_compressedStream = deflateSkinStream(writeSkinPackage(package));
}

void CompressedStoredSkin::loadFromIniFile(const std::filesystem::path& fileName)
{
    SkinPackage package;
    if (!buildSkinPackageFromIniFile(fileName, package))
        return;
    storePackage(package);
}

} // namespace tessaly::skin
