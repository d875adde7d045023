#include "epub_fixture.h"

#include <zlib.h>

#include <cstdint>
#include <fstream>
#include <stdexcept>

namespace tessaly::testing {

std::vector<std::pair<std::string, std::string>> validBookEntries()
{
    const std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    const std::string xhtml = xml + "<!DOCTYPE html>\n<html xmlns=\"http://www.w3.org/1999/xhtml\"";
    return {
        {"META-INF/container.xml",
            xml + "<container version=\"1.0\" xmlns=\"urn:oasis:names:tc:opendocument:xmlns:container\">"
                  "<rootfiles><rootfile full-path=\"EPUB/package.opf\" "
                  "media-type=\"application/oebps-package+xml\"/></rootfiles></container>\n"},
        {"EPUB/package.opf",
            xml + "<package xmlns=\"http://www.idpf.org/2007/opf\" version=\"3.0\" unique-identifier=\"uid\">"
                  "<metadata xmlns:dc=\"http://purl.org/dc/elements/1.1/\">"
                  "<dc:identifier id=\"uid\">urn:uuid:0f5e1c2a-8d3b-4c6e-9a7f-2b1d4e6f8a90</dc:identifier>"
                  "<dc:title>Fixture</dc:title><dc:language>en</dc:language>"
                  "<meta property=\"dcterms:modified\">2026-01-01T00:00:00Z</meta></metadata>"
                  "<manifest><item id=\"nav\" href=\"nav.xhtml\" media-type=\"application/xhtml+xml\" "
                  "properties=\"nav\"/><item id=\"c1\" href=\"c1.xhtml\" media-type=\"application/xhtml+xml\"/>"
                  "</manifest><spine><itemref idref=\"c1\"/></spine></package>\n"},
        {"EPUB/nav.xhtml",
            xhtml + " xmlns:epub=\"http://www.idpf.org/2007/ops\"><head><title>Contents</title></head><body>"
                    "<nav epub:type=\"toc\"><ol><li><a href=\"c1.xhtml\">One</a></li></ol></nav></body></html>\n"},
        {"EPUB/c1.xhtml", xhtml + "><head><title>One</title></head><body><p>Hello.</p></body></html>\n"},
    };
}

std::vector<std::pair<std::string, std::string>> faultyBookEntries(int messages, int longLines)
{
    std::string body;
    for (int i = 0; i < messages; ++i)
        body += "<p><unknown" + std::to_string(i) + "/></p>\n";
    for (int i = 0; i < longLines; ++i)
        body += "<p><long" + std::string(1100 + 10 * std::size_t(i), 'x') + "/></p>\n";
    auto entries = validBookEntries();
    for (auto& [name, content] : entries) {
        if (name == "EPUB/c1.xhtml")
            content.replace(content.find("<p>Hello.</p>"), 13, body);
    }
    return entries;
}

namespace {

void put16(std::string& out, uint16_t value)
{
    out += char(value & 0xFF);
    out += char(value >> 8);
}

void put32(std::string& out, uint32_t value)
{
    put16(out, uint16_t(value & 0xFFFF));
    put16(out, uint16_t(value >> 16));
}

// The fields shared by a local header and a central directory entry, from
// "version needed" to "extra length".
void putEntryFields(std::string& out, const std::string& name, const std::string& data)
{
    const auto crc = uint32_t(crc32(0, reinterpret_cast<const Bytef*>(data.data()), uInt(data.size())));
    put16(out, 10);  // version needed
    put16(out, 0);   // flags
    put16(out, 0);   // method: stored
    put16(out, 0);   // time
    put16(out, 0x21); // date: 1980-01-01
    put32(out, crc);
    put32(out, uint32_t(data.size()));
    put32(out, uint32_t(data.size()));
    put16(out, uint16_t(name.size()));
    put16(out, 0);   // extra length
}

} // namespace

void writeEpub(const std::string& path, const std::vector<std::pair<std::string, std::string>>& entries)
{
    std::vector<std::pair<std::string, std::string>> all = {{"mimetype", "application/epub+zip"}};
    all.insert(all.end(), entries.begin(), entries.end());

    std::string archive;
    std::string directory;
    for (const auto& [name, data] : all) {
        const auto offset = uint32_t(archive.size());
        put32(archive, 0x04034b50);
        putEntryFields(archive, name, data);
        archive += name;
        archive += data;

        put32(directory, 0x02014b50);
        put16(directory, 20); // version made by
        putEntryFields(directory, name, data);
        put16(directory, 0);  // comment length
        put16(directory, 0);  // disk
        put16(directory, 0);  // internal attributes
        put32(directory, 0);  // external attributes
        put32(directory, offset);
        directory += name;
    }
    const auto directoryOffset = uint32_t(archive.size());
    archive += directory;
    put32(archive, 0x06054b50);
    put16(archive, 0);
    put16(archive, 0);
    put16(archive, uint16_t(all.size()));
    put16(archive, uint16_t(all.size()));
    put32(archive, uint32_t(directory.size()));
    put32(archive, directoryOffset);
    put16(archive, 0);

    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(archive.data(), std::streamsize(archive.size()));
    if (!file)
        throw std::runtime_error("cannot write " + path);
}

} // namespace tessaly::testing
