#pragma once

// Builds small bitmap file images for tests, field by field.

#include <cstdint>
#include <initializer_list>
#include <vector>

namespace tessaly::skin::test {

struct BmpFields {
    std::int32_t width = 1;
    std::int32_t height = 1; // negative: rows top-down
    int bitsPerPixel = 24;
    std::uint32_t compression = 0;
    int headerSize = 40; // 12, 40, 56, 108 or 124
    std::uint16_t planes = 1;
    std::uint32_t coloursUsed = 0;
    std::vector<std::uint32_t> palette; // 0x00RRGGBB
    std::vector<std::uint32_t> masks;   // after a 40-byte header, or inside a longer one
    // Rows as stored (first row stored first), each padded here to 4 bytes.
    std::vector<std::vector<std::uint8_t>> rows;
};

inline void put16(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    out.push_back(std::uint8_t(v));
    out.push_back(std::uint8_t(v >> 8));
}

inline void put32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

inline std::vector<std::uint8_t> makeBmp(const BmpFields& fields)
{
    std::vector<std::uint8_t> bits;
    const std::size_t rowSize = ((std::size_t(fields.width < 0 ? 0 : fields.width) * fields.bitsPerPixel + 31) / 32) * 4;
    for (auto row : fields.rows) {
        row.resize(rowSize, 0);
        bits.insert(bits.end(), row.begin(), row.end());
    }
    std::vector<std::uint8_t> header;
    put32(header, std::uint32_t(fields.headerSize));
    if (fields.headerSize == 12) {
        put16(header, std::uint32_t(fields.width));
        put16(header, std::uint32_t(fields.height));
        put16(header, fields.planes);
        put16(header, std::uint32_t(fields.bitsPerPixel));
    } else {
        put32(header, std::uint32_t(fields.width));
        put32(header, std::uint32_t(fields.height));
        put16(header, fields.planes);
        put16(header, std::uint32_t(fields.bitsPerPixel));
        put32(header, fields.compression);
        put32(header, std::uint32_t(bits.size()));
        put32(header, 2835);
        put32(header, 2835);
        put32(header, fields.coloursUsed);
        put32(header, 0);
        if (fields.headerSize > 40) {
            for (std::uint32_t m : fields.masks)
                put32(header, m);
            header.resize(std::size_t(fields.headerSize), 0);
        } else {
            for (std::uint32_t m : fields.masks)
                put32(header, m);
        }
    }
    for (std::uint32_t c : fields.palette) {
        header.push_back(std::uint8_t(c));
        header.push_back(std::uint8_t(c >> 8));
        header.push_back(std::uint8_t(c >> 16));
        if (fields.headerSize != 12)
            header.push_back(0);
    }
    std::vector<std::uint8_t> out{'B', 'M'};
    put32(out, std::uint32_t(14 + header.size() + bits.size()));
    put32(out, 0);
    put32(out, std::uint32_t(14 + header.size()));
    out.insert(out.end(), header.begin(), header.end());
    out.insert(out.end(), bits.begin(), bits.end());
    return out;
}

inline std::vector<std::uint8_t> le32(std::initializer_list<std::uint32_t> words)
{
    std::vector<std::uint8_t> out;
    for (std::uint32_t w : words)
        put32(out, w);
    return out;
}

inline std::vector<std::uint8_t> le16(std::initializer_list<std::uint32_t> words)
{
    std::vector<std::uint8_t> out;
    for (std::uint32_t w : words)
        put16(out, w);
    return out;
}

} // namespace tessaly::skin::test
