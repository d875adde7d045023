#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace tessaly::skin {

// The message of every read past the end of a byte block.
inline constexpr const char* kStreamReadErrorMessage = "Stream read error";

// Reads little-endian values from a byte block, front to back. A read that
// asks for more bytes than remain throws Error("Stream read error") and
// leaves the position where it was.
class ByteReader {
public:
    explicit ByteReader(std::span<const std::uint8_t> data) : m_data(data) {}

    std::size_t position() const { return m_position; }
    std::size_t size() const { return m_data.size(); }
    std::size_t remaining() const { return m_data.size() - m_position; }
    bool atEnd() const { return m_position == m_data.size(); }
    std::span<const std::uint8_t> data() const { return m_data; }

    // The next count bytes; the position moves past them.
    std::span<const std::uint8_t> read(std::size_t count);
    // Everything from the position to the end; the position moves to the end.
    std::span<const std::uint8_t> readRest();
    // Moves the position; throws "Stream read error" beyond the end.
    void seek(std::size_t position);

    std::uint8_t readU8();
    std::uint16_t readU16();
    std::uint32_t readU32();
    std::int32_t readI32();

private:
    std::span<const std::uint8_t> m_data;
    std::size_t m_position = 0;
};

// Appends little-endian values to a growable byte buffer.
class ByteWriter {
public:
    ByteWriter() = default;
    explicit ByteWriter(std::vector<std::uint8_t> initial) : m_bytes(std::move(initial)) {}

    void write(std::span<const std::uint8_t> bytes) { m_bytes.insert(m_bytes.end(), bytes.begin(), bytes.end()); }
    void writeU8(std::uint8_t value) { m_bytes.push_back(value); }
    void writeU16(std::uint16_t value);
    void writeU32(std::uint32_t value);
    void writeI32(std::int32_t value) { writeU32(static_cast<std::uint32_t>(value)); }

    std::size_t size() const { return m_bytes.size(); }
    void reserve(std::size_t capacity) { m_bytes.reserve(capacity); }
    const std::vector<std::uint8_t>& bytes() const { return m_bytes; }
    std::vector<std::uint8_t>& bytes() { return m_bytes; }
    std::vector<std::uint8_t> take() { return std::move(m_bytes); }

private:
    std::vector<std::uint8_t> m_bytes;
};

// Little-endian loads and stores on raw bytes (no bounds check).
inline std::uint16_t loadU16(const std::uint8_t* p) { return std::uint16_t(p[0] | (p[1] << 8)); }
inline std::uint32_t loadU32(const std::uint8_t* p)
{
    return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) | (std::uint32_t(p[3]) << 24);
}
inline void storeU16(std::uint8_t* p, std::uint16_t v)
{
    p[0] = std::uint8_t(v);
    p[1] = std::uint8_t(v >> 8);
}
inline void storeU32(std::uint8_t* p, std::uint32_t v)
{
    p[0] = std::uint8_t(v);
    p[1] = std::uint8_t(v >> 8);
    p[2] = std::uint8_t(v >> 16);
    p[3] = std::uint8_t(v >> 24);
}

} // namespace tessaly::skin
