#include "zip_builder.h"

#include <zlib.h>

#include <fstream>

namespace tessaly::testing {

namespace {

void put16(std::string& out, std::uint32_t v)
{
    out += char(v & 0xFF);
    out += char((v >> 8) & 0xFF);
}

void put32(std::string& out, std::uint32_t v)
{
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

std::string rawDeflate(const std::string& bytes)
{
    z_stream stream{};
    deflateInit2(&stream, 1, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY);
    std::string out(deflateBound(&stream, uLong(bytes.size())), '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
    stream.avail_in = uInt(bytes.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = uInt(out.size());
    deflate(&stream, Z_FINISH);
    out.resize(stream.total_out);
    deflateEnd(&stream);
    return out;
}

} // namespace

std::string zipArchive(const std::vector<ZipEntry>& entries)
{
    std::string archive, directory;
    for (const ZipEntry& e : entries) {
        const std::string data = e.deflate ? rawDeflate(e.bytes) : e.bytes;
        const auto crc = std::uint32_t(crc32(0, reinterpret_cast<const Bytef*>(e.bytes.data()), uInt(e.bytes.size())));
        const std::uint32_t size = e.claimedSize.value_or(std::uint32_t(e.bytes.size()));
        const std::uint32_t offset = std::uint32_t(archive.size());
        auto common = [&](std::string& out) {
            put16(out, 20);                        // version needed
            put16(out, e.encryptedFlag ? 1 : 0);   // flags
            put16(out, e.deflate ? 8 : 0);         // method
            put16(out, 0);                         // time
            put16(out, 0x21);                      // date
            put32(out, crc);
            put32(out, std::uint32_t(data.size()));
            put32(out, size);
            put16(out, std::uint32_t(e.name.size()));
            put16(out, 0);                         // extra
        };
        put32(archive, 0x04034b50);
        common(archive);
        archive += e.name;
        archive += data;

        put32(directory, 0x02014b50);
        put16(directory, 20); // version made by
        common(directory);
        put16(directory, 0); // comment
        put16(directory, 0); // disk
        put16(directory, 0); // internal attributes
        put32(directory, 0); // external attributes
        put32(directory, offset);
        directory += e.name;
    }
    const std::uint32_t directoryOffset = std::uint32_t(archive.size());
    archive += directory;
    put32(archive, 0x06054b50);
    put16(archive, 0);
    put16(archive, 0);
    put16(archive, std::uint32_t(entries.size()));
    put16(archive, std::uint32_t(entries.size()));
    put32(archive, std::uint32_t(directory.size()));
    put32(archive, directoryOffset);
    put16(archive, 0);
    return archive;
}

bool writeFile(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), std::streamsize(bytes.size()));
    return bool(out);
}

} // namespace tessaly::testing
