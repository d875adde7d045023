#include "skin/data/byte_stream.h"

#include "platform/error.h"

namespace tessaly::skin {

std::span<const std::uint8_t> ByteReader::read(std::size_t count)
{
    if (count > remaining())
        throw Error(kStreamReadErrorMessage);
    auto piece = m_data.subspan(m_position, count);
    m_position += count;
    return piece;
}

std::span<const std::uint8_t> ByteReader::readRest()
{
    auto piece = m_data.subspan(m_position);
    m_position = m_data.size();
    return piece;
}

void ByteReader::seek(std::size_t position)
{
    if (position > m_data.size())
        throw Error(kStreamReadErrorMessage);
    m_position = position;
}

std::uint8_t ByteReader::readU8()
{
    return read(1)[0];
}

std::uint16_t ByteReader::readU16()
{
    return loadU16(read(2).data());
}

std::uint32_t ByteReader::readU32()
{
    return loadU32(read(4).data());
}

std::int32_t ByteReader::readI32()
{
    return static_cast<std::int32_t>(readU32());
}

void ByteWriter::writeU16(std::uint16_t value)
{
    std::uint8_t bytes[2];
    storeU16(bytes, value);
    write(bytes);
}

void ByteWriter::writeU32(std::uint32_t value)
{
    std::uint8_t bytes[4];
    storeU32(bytes, value);
    write(bytes);
}

} // namespace tessaly::skin
