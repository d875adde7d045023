#pragma once

#include "skin/data/byte_stream.h"
#include "skin/data/dib_bitmap.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

namespace tessaly::skin {

// The message of every bitmap image that cannot be decoded: no "BM", a
// planes field other than 1, an unknown header, depth or compression, or a
// width, height, row size or colour count that is negative, would overflow,
// or describes more than kMaxBitmapPixels pixels.
inline constexpr const char* kInvalidBitmapMessage = "Bitmap image is not valid";
inline constexpr std::int64_t kMaxBitmapPixels = std::int64_t(64) * 1024 * 1024;
// A picture wider or higher than this is refused as too large: no window
// part is drawn from a strip longer than the widest screens, twice over.
inline constexpr std::int64_t kMaxPictureSide = 16384;
// All the pictures of one skin together decode to at most this many pixels
// (256 MB of 32-bit pixels): a skin is held twice while a new one is tried,
// beside the windows' own images, and that must fit a modest machine.
inline constexpr std::int64_t kMaxSkinPixels = std::int64_t(64) * 1024 * 1024;

// The pixels the pictures of one skin may still decode to. Each picture's
// size is taken from its headers before its pixels are decoded, so a skin of
// many large pictures is refused before it fills memory, however well its
// pictures compress.
class PixelBudget {
public:
    explicit PixelBudget(std::int64_t pixels = kMaxSkinPixels)
        : m_limit(pixels)
        , m_left(pixels)
    {
    }
    // Takes a picture's pixels; throws Error when fewer are left.
    void spend(std::int64_t width, std::int64_t height);

private:
    std::int64_t m_limit;
    std::int64_t m_left;
};

// Reads one bitmap file image from the reader's position, in the layout of a
// skin package: file header, info header, bit-field masks, colour table and
// pixel rows back to back (the offset field of the file header is not used).
// Exactly the bytes of the image are consumed and kept as its file image,
// with its file size field set to the image's length.
// Throws Error("Bitmap image is not valid"), an error naming a picture more
// than kMaxPictureSide on a side or one beyond the budget (when given), or,
// when the data ends inside the image, Error("Stream read error").
DibBitmap readBitmapImage(ByteReader& in, PixelBudget* budget = nullptr);

// Decodes a whole ".bmp" file. Unlike readBitmapImage, the pixel rows are
// taken from the offset the file header gives when it lies past the colour
// table. The kept file image has its rows right after the colour table, as
// a package needs, no bytes after them, and a file size field equal to its
// length.
DibBitmap decodeBitmapFile(std::span<const std::uint8_t> file, PixelBudget* budget = nullptr);

// Reads and decodes a ".bmp" file. A file that cannot be opened throws the
// file-open error (file_io.h).
DibBitmap loadBitmapFile(const std::filesystem::path& path, PixelBudget* budget = nullptr);

// The file image of a bitmap: the kept bytes when it has them, otherwise a
// fresh encoding in its form (an empty bitmap encodes as a 0 x 0 image). The
// file size field always equals the image's length.
std::vector<std::uint8_t> encodeBitmapImage(const DibBitmap& bitmap);
void writeBitmapImage(ByteWriter& out, const DibBitmap& bitmap);

// Writes encodeBitmapImage(bitmap) as a ".bmp" file (created or truncated).
void saveBitmapFile(const std::filesystem::path& path, const DibBitmap& bitmap);

} // namespace tessaly::skin
