#include "bmp_file.h"

#include <QFile>

#include <cstdint>
#include <stdexcept>
#include <vector>

namespace pewter {
namespace {

void put16(std::vector<uint8_t>& out, uint16_t v)
{
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}

void put32(std::vector<uint8_t>& out, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(uint8_t(v >> (8 * i)));
}

// Writes headers, palette and rows; rowBytes(y, row) fills one unpadded row.
template <typename RowFn>
void writeFile(const QString& path, int width, int height, int bits,
               const std::vector<uint32_t>& palette, RowFn rowBytes)
{
    const int stride = ((width * bits + 31) / 32) * 4;
    const uint32_t headerSize = 14 + 40 + uint32_t(palette.size()) * 4;
    const uint32_t fileSize = headerSize + uint32_t(stride) * uint32_t(height);

    std::vector<uint8_t> out;
    out.reserve(fileSize);
    out.push_back('B');
    out.push_back('M');
    put32(out, fileSize);
    put16(out, 0);
    put16(out, 0);
    put32(out, headerSize);

    put32(out, 40);
    put32(out, uint32_t(width));
    put32(out, uint32_t(height));
    put16(out, 1);
    put16(out, uint16_t(bits));
    put32(out, 0); // uncompressed
    put32(out, uint32_t(stride) * uint32_t(height));
    put32(out, 2835); // 72 dpi
    put32(out, 2835);
    put32(out, uint32_t(palette.size()));
    put32(out, 0);
    for (uint32_t entry : palette)
        put32(out, entry);

    std::vector<uint8_t> row(size_t(stride), 0);
    for (int y = height - 1; y >= 0; --y) {
        std::fill(row.begin(), row.end(), 0);
        rowBytes(y, row.data());
        out.insert(out.end(), row.begin(), row.end());
    }

    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw std::runtime_error("cannot write " + path.toStdString());
    file.write(reinterpret_cast<const char*>(out.data()), qint64(out.size()));
}

} // namespace

void writeBmp24(const QImage& source, const QString& path)
{
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    writeFile(path, image.width(), image.height(), 24, {}, [&](int y, uint8_t* row) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            row[3 * x] = uint8_t(qBlue(line[x]));
            row[3 * x + 1] = uint8_t(qGreen(line[x]));
            row[3 * x + 2] = uint8_t(qRed(line[x]));
        }
    });
}

void writeBmp32(const QImage& source, const QString& path)
{
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    writeFile(path, image.width(), image.height(), 32, {}, [&](int y, uint8_t* row) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            row[4 * x] = uint8_t(qBlue(line[x]));
            row[4 * x + 1] = uint8_t(qGreen(line[x]));
            row[4 * x + 2] = uint8_t(qRed(line[x]));
            row[4 * x + 3] = uint8_t(qAlpha(line[x]));
        }
    });
}

void writeBmpGrey8(const QImage& source, const QString& path)
{
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    std::vector<uint32_t> palette(256);
    for (uint32_t i = 0; i < 256; ++i)
        palette[i] = i | (i << 8) | (i << 16);
    writeFile(path, image.width(), image.height(), 8, palette, [&](int y, uint8_t* row) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            row[x] = uint8_t(qGray(line[x]));
    });
}

void writeBmpMask4(const QImage& source, const QString& path)
{
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    std::vector<uint32_t> palette(16, 0);
    palette[1] = 0x00FFFFFF;
    writeFile(path, image.width(), image.height(), 4, palette, [&](int y, uint8_t* row) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const uint8_t index = qGray(line[x]) >= 128 ? 1 : 0;
            row[x / 2] |= uint8_t(x % 2 == 0 ? index << 4 : index);
        }
    });
}

} // namespace pewter
