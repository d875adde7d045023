#pragma once

#include "skin/data/picture.h"

#include <cstdint>
#include <vector>

namespace tessaly::skin {

// How a device-independent bitmap is stored: the header form, the depth and
// what goes with it. A bitmap keeps the form it was read in, so writing it
// back emits the same depth, header and colour table.
struct DibFormat {
    // 12 (core header), 40 (info header), or a later info header read from a
    // file: 52, 56, 108 or 124.
    int headerSize = 40;
    // 1, 4, 8, 16, 24 or 32.
    int bitsPerPixel = 24;
    // 0 (plain rows) or, for 16 and 32 bits, 3 (bit fields) or 6 (bit fields
    // with an alpha mask).
    std::uint32_t compression = 0;
    // Rows stored top-down (negative height in an info header).
    bool topDown = false;
    // The colour table as stored, each entry 0x00RRGGBB (the reserved byte
    // of 4-byte entries is not kept). Empty for most 16-, 24- and 32-bit
    // images.
    std::vector<std::uint32_t> palette;
    // The colour masks in force for 16- and 32-bit images (the default
    // 5-5-5 or 8-8-8 masks when the image has none of its own); alphaMask 0
    // means the image has no alpha channel.
    std::uint32_t redMask = 0;
    std::uint32_t greenMask = 0;
    std::uint32_t blueMask = 0;
    std::uint32_t alphaMask = 0;
    // The resolution an info header states, in pixels per metre (0 when
    // not stated); kept so that a bitmap written afresh says the same.
    std::int32_t pixelsPerMeterX = 0;
    std::int32_t pixelsPerMeterY = 0;
    // An info header may count the entries of a full colour table or leave
    // the count 0; both mean the same, and the bitmap is written the way it
    // was read (or made).
    bool countsFullTable = false;

    bool operator==(const DibFormat&) const = default;
};

// A bitmap of a skin: the decoded 32-bit picture, the form it is stored in,
// and, while the pixels are unchanged since it was read, the exact bytes of
// its file image, so that it is written back byte for byte.
class DibBitmap {
public:
    DibBitmap() = default;
    // A bitmap made from a picture. Written as a 24-bit image when every
    // pixel is opaque (alpha 0xFF), otherwise as a 32-bit image with alpha.
    explicit DibBitmap(Picture picture);
    // A bitmap made from a picture, to be written in the given form (pixels
    // of a paletted form are mapped to the nearest colour of the palette).
    DibBitmap(Picture picture, DibFormat format);
    // As read by the codec: the picture, its form and its file image bytes.
    DibBitmap(Picture picture, DibFormat format, std::vector<std::uint8_t> fileImage);

    // True when the width or the height is 0.
    bool isEmpty() const { return m_picture.isEmpty(); }
    int width() const { return m_picture.width(); }
    int height() const { return m_picture.height(); }
    int bitsPerPixel() const { return m_format.bitsPerPixel; }

    const Picture& picture() const { return m_picture; }
    // The picture for changing: the kept file image is dropped, so the next
    // write encodes the changed pixels (in the same form).
    Picture& editPicture();
    // Moves the picture out; the bitmap becomes empty.
    Picture takePicture();

    const DibFormat& format() const { return m_format; }
    // The file image as read, or empty when the bitmap was made or changed
    // since (then the codec encodes it afresh).
    const std::vector<std::uint8_t>& fileImage() const { return m_fileImage; }

    void clear();

private:
    Picture m_picture;
    DibFormat m_format;
    std::vector<std::uint8_t> m_fileImage;
};

} // namespace tessaly::skin
