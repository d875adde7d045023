#include "skin/data/bmp_codec.h"

#include "platform/error.h"
#include "skin/data/file_io.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <string>
#include <unordered_map>

namespace tessaly::skin {

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiBitfields = 3;
constexpr std::uint32_t kBiAlphaBitfields = 6;
constexpr std::uint32_t kOpaque = 0xFF000000u;
constexpr std::uint32_t kMaxColourCount = 65536;

[[noreturn]] void invalid()
{
    throw Error(kInvalidBitmapMessage);
}

// Everything the headers, masks and colour table of an image say.
struct Layout {
    DibFormat format;
    std::int64_t width = 0;
    std::int64_t height = 0; // absolute
    std::size_t rowSize = 0;
    std::size_t dataSize = 0;
    // The alpha channel comes from the otherwise unused top byte of 32-bit
    // pixels and is taken only when some pixel has a non-zero value there.
    bool guessAlpha = false;
};

bool validHeaderSize(std::uint32_t size)
{
    return size == 12 || size == 40 || size == 52 || size == 56 || size == 108 || size == 124;
}

// Reads the file header, info header, masks and colour table at the reader's
// position; on return the reader stands where the pixel rows would follow.
// Returns the offset field of the file header through pixelOffset.
Layout parseHeaders(ByteReader& in, std::uint32_t& pixelOffset)
{
    const auto fileHeader = in.read(kFileHeaderSize);
    if (fileHeader[0] != 'B' || fileHeader[1] != 'M')
        invalid();
    pixelOffset = loadU32(fileHeader.data() + 10);

    const std::uint32_t headerSize = in.readU32();
    if (!validHeaderSize(headerSize))
        invalid();
    const auto header = in.read(headerSize - 4);
    const std::uint8_t* h = header.data() - 4; // offsets as in the header

    Layout layout;
    DibFormat& format = layout.format;
    format.headerSize = int(headerSize);
    std::uint32_t colours = 0;
    bool maskFields = false;
    if (headerSize == 12) {
        layout.width = loadU16(h + 4);
        layout.height = loadU16(h + 6);
        if (loadU16(h + 8) != 1)
            invalid();
        format.bitsPerPixel = loadU16(h + 10);
        if (format.bitsPerPixel != 1 && format.bitsPerPixel != 4 && format.bitsPerPixel != 8 && format.bitsPerPixel != 24)
            invalid();
        if (format.bitsPerPixel <= 8)
            colours = 1u << format.bitsPerPixel;
    } else {
        const auto width = std::int32_t(loadU32(h + 4));
        const auto height = std::int32_t(loadU32(h + 8));
        if (loadU16(h + 12) != 1)
            invalid();
        format.bitsPerPixel = loadU16(h + 14);
        format.compression = loadU32(h + 16);
        const std::uint32_t used = loadU32(h + 32);
        format.pixelsPerMeterX = std::int32_t(loadU32(h + 24));
        format.pixelsPerMeterY = std::int32_t(loadU32(h + 28));
        format.countsFullTable = used != 0 && format.bitsPerPixel <= 8 && used == (1u << format.bitsPerPixel);
        if (width < 0)
            invalid();
        layout.width = width;
        layout.height = height < 0 ? -std::int64_t(height) : std::int64_t(height);
        format.topDown = height < 0;
        const int bpp = format.bitsPerPixel;
        if (format.compression == kBiRgb) {
            if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32)
                invalid();
        } else if (format.compression == kBiBitfields || format.compression == kBiAlphaBitfields) {
            if (bpp != 16 && bpp != 32)
                invalid();
            maskFields = true;
        } else {
            invalid();
        }
        if (used > kMaxColourCount)
            invalid();
        colours = used != 0 ? used : (bpp <= 8 ? 1u << bpp : 0u);
    }

    // The geometry is checked before anything more is read, so that an
    // absurd image is reported as such even when its data is cut short.
    const int bpp = format.bitsPerPixel;
    const std::int64_t rowBytes = ((layout.width * bpp + 31) / 32) * 4;
    if (rowBytes > std::int64_t(0x7FFFFFFF) || layout.height > std::int64_t(0x7FFFFFFF))
        invalid();
    if (layout.width * layout.height > kMaxBitmapPixels)
        invalid();
    if (layout.width > kMaxPictureSide || layout.height > kMaxPictureSide)
        throw Error("Bitmap image is too large: " + std::to_string(layout.width) + " x " + std::to_string(layout.height) +
                    " pixels, where a side may have at most " + std::to_string(kMaxPictureSide));
    layout.rowSize = std::size_t(rowBytes);
    layout.dataSize = layout.width == 0 ? 0 : layout.rowSize * std::size_t(layout.height);

    if (maskFields) {
        if (headerSize == 40) {
            format.redMask = in.readU32();
            format.greenMask = in.readU32();
            format.blueMask = in.readU32();
            if (format.compression == kBiAlphaBitfields)
                format.alphaMask = in.readU32();
        } else {
            format.redMask = loadU32(h + 40);
            format.greenMask = loadU32(h + 44);
            format.blueMask = loadU32(h + 48);
            if (headerSize >= 56)
                format.alphaMask = loadU32(h + 52);
        }
        if (bpp == 32 && format.alphaMask == 0 && (format.redMask | format.greenMask | format.blueMask) == 0x00FFFFFFu) {
            format.alphaMask = 0xFF000000u;
            layout.guessAlpha = true;
        }
    } else if (bpp == 16) {
        format.redMask = 0x7C00;
        format.greenMask = 0x03E0;
        format.blueMask = 0x001F;
    } else if (bpp == 32) {
        format.redMask = 0x00FF0000;
        format.greenMask = 0x0000FF00;
        format.blueMask = 0x000000FF;
        format.alphaMask = 0xFF000000u;
        layout.guessAlpha = true;
    }

    const std::size_t entrySize = headerSize == 12 ? 3 : 4;
    const auto table = in.read(std::size_t(colours) * entrySize);
    format.palette.resize(colours);
    for (std::uint32_t i = 0; i < colours; ++i) {
        const std::uint8_t* e = table.data() + std::size_t(i) * entrySize;
        format.palette[i] = std::uint32_t(e[0]) | (std::uint32_t(e[1]) << 8) | (std::uint32_t(e[2]) << 16);
    }

    return layout;
}

// A colour channel taken out of a packed pixel and scaled to 0..255.
struct Channel {
    std::uint32_t mask = 0;
    int shift = 0;
    std::uint64_t max = 0;

    explicit Channel(std::uint32_t m) : mask(m)
    {
        if (m != 0) {
            shift = std::countr_zero(m);
            max = std::uint64_t(m) >> shift;
        }
    }
    std::uint32_t operator()(std::uint32_t pixel) const
    {
        if (max == 0)
            return 0;
        const std::uint64_t v = (std::uint64_t(pixel & mask) >> shift);
        return std::uint32_t((v * 255 + max / 2) / max);
    }
};

void decodeRows(const Layout& layout, std::span<const std::uint8_t> data, Picture& picture)
{
    const DibFormat& format = layout.format;
    const int width = int(layout.width);
    const int height = int(layout.height);
    const int bpp = format.bitsPerPixel;

    std::uint32_t lut[256];
    if (bpp <= 8) {
        for (std::uint32_t i = 0; i < 256; ++i)
            lut[i] = kOpaque | (i < format.palette.size() ? format.palette[i] : 0u);
    }

    const bool plain32 = bpp == 32 && format.redMask == 0x00FF0000 && format.greenMask == 0x0000FF00 &&
        format.blueMask == 0x000000FF && (format.alphaMask == 0xFF000000u || format.alphaMask == 0);
    const Channel red(format.redMask), green(format.greenMask), blue(format.blueMask), alpha(format.alphaMask);
    std::uint32_t alphaSeen = 0;

    for (int row = 0; row < height; ++row) {
        const std::uint8_t* src = data.data() + std::size_t(row) * layout.rowSize;
        std::uint32_t* dst = picture.scanLine(format.topDown ? row : height - 1 - row);
        switch (bpp) {
        case 1:
            for (int x = 0; x < width; ++x)
                dst[x] = lut[(src[x >> 3] >> (7 - (x & 7))) & 1];
            break;
        case 4:
            for (int x = 0; x < width; ++x)
                dst[x] = lut[(src[x >> 1] >> ((x & 1) ? 0 : 4)) & 0x0F];
            break;
        case 8:
            for (int x = 0; x < width; ++x)
                dst[x] = lut[src[x]];
            break;
        case 16:
            for (int x = 0; x < width; ++x) {
                const std::uint32_t p = loadU16(src + 2 * x);
                const std::uint32_t a = format.alphaMask ? alpha(p) : 0xFFu;
                dst[x] = (a << 24) | (red(p) << 16) | (green(p) << 8) | blue(p);
            }
            break;
        case 24: {
            // Four-byte loads for all but the last pixel, which may end the
            // data.
            int x = 0;
            for (; x + 1 < width; ++x)
                dst[x] = kOpaque | loadU32(src + 3 * x);
            for (; x < width; ++x) {
                const std::uint8_t* p = src + 3 * x;
                dst[x] = kOpaque | std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16);
            }
            break;
        }
        case 32:
            if (plain32) {
                if (format.alphaMask) {
                    for (int x = 0; x < width; ++x) {
                        const std::uint32_t p = loadU32(src + 4 * x);
                        alphaSeen |= p;
                        dst[x] = p;
                    }
                } else {
                    for (int x = 0; x < width; ++x)
                        dst[x] = kOpaque | loadU32(src + 4 * x);
                }
            } else {
                for (int x = 0; x < width; ++x) {
                    const std::uint32_t p = loadU32(src + 4 * x);
                    alphaSeen |= p & format.alphaMask;
                    const std::uint32_t a = format.alphaMask ? alpha(p) : 0xFFu;
                    dst[x] = (a << 24) | (red(p) << 16) | (green(p) << 8) | blue(p);
                }
            }
            break;
        }
    }
    // An unused top byte that is zero everywhere is no alpha channel.
    if (layout.guessAlpha && (alphaSeen & 0xFF000000u) == 0) {
        for (std::uint32_t& p : picture.pixels())
            p |= kOpaque;
    }
}

DibBitmap decode(const Layout& layout, std::span<const std::uint8_t> data, std::vector<std::uint8_t> fileImage)
{
    Picture picture(int(layout.width), int(layout.height));
    if (!picture.isEmpty())
        decodeRows(layout, data, picture);
    return DibBitmap(std::move(picture), layout.format, std::move(fileImage));
}

// ---- encoding ------------------------------------------------------------

struct PaletteMapper {
    const std::vector<std::uint32_t>& palette;
    std::unordered_map<std::uint32_t, std::uint8_t> cache;

    std::uint8_t operator()(std::uint32_t pixel)
    {
        const std::uint32_t rgb = pixel & 0x00FFFFFFu;
        auto it = cache.find(rgb);
        if (it != cache.end())
            return it->second;
        std::size_t best = 0;
        std::int64_t bestDistance = -1;
        for (std::size_t i = 0; i < palette.size(); ++i) {
            const std::uint32_t c = palette[i];
            const std::int64_t dr = std::int64_t((c >> 16) & 0xFF) - std::int64_t((rgb >> 16) & 0xFF);
            const std::int64_t dg = std::int64_t((c >> 8) & 0xFF) - std::int64_t((rgb >> 8) & 0xFF);
            const std::int64_t db = std::int64_t(c & 0xFF) - std::int64_t(rgb & 0xFF);
            const std::int64_t d = dr * dr + dg * dg + db * db;
            if (bestDistance < 0 || d < bestDistance) {
                best = i;
                bestDistance = d;
                if (d == 0)
                    break;
            }
        }
        cache.emplace(rgb, std::uint8_t(best));
        return std::uint8_t(best);
    }
};

std::uint32_t packChannel(std::uint32_t value8, std::uint32_t mask)
{
    if (mask == 0)
        return 0;
    const int shift = std::countr_zero(mask);
    const std::uint64_t max = std::uint64_t(mask) >> shift;
    const std::uint64_t v = (std::uint64_t(value8) * max + 127) / 255;
    return std::uint32_t((v << shift) & mask);
}

bool usableMasks(const DibFormat& format)
{
    const std::uint64_t limit = format.bitsPerPixel == 16 ? 0xFFFFu : 0xFFFFFFFFu;
    std::uint32_t seen = 0;
    for (std::uint32_t mask : {format.redMask, format.greenMask, format.blueMask, format.alphaMask}) {
        if (mask == 0)
            continue;
        const std::uint32_t shifted = mask >> std::countr_zero(mask);
        if ((shifted & (shifted + 1)) != 0 || mask > limit || (seen & mask) != 0)
            return false;
        seen |= mask;
    }
    return true;
}

// The form a bitmap is encoded in afresh: its own, made writable.
DibFormat writableFormat(const DibBitmap& bitmap)
{
    DibFormat format = bitmap.format();
    const Picture& picture = bitmap.picture();
    int bpp = format.bitsPerPixel;
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32)
        bpp = format.bitsPerPixel = 32;
    if (bpp <= 8) {
        const std::size_t capacity = std::size_t(1) << bpp;
        if (format.palette.empty()) {
            // Build a palette from the picture's colours if they fit.
            std::vector<std::uint32_t> colours;
            std::unordered_map<std::uint32_t, bool> seen;
            for (std::uint32_t p : picture.pixels()) {
                if (seen.emplace(p & 0x00FFFFFFu, true).second) {
                    colours.push_back(p & 0x00FFFFFFu);
                    if (colours.size() > capacity)
                        break;
                }
            }
            if (colours.size() <= capacity) {
                format.palette = std::move(colours);
                if (format.palette.empty())
                    format.palette.push_back(0);
            } else {
                format.bitsPerPixel = 24;
                format.palette.clear();
            }
        } else {
            if (format.palette.size() > capacity)
                format.palette.resize(capacity);
            // Colours the palette lacks take its free entries, if any.
            std::unordered_map<std::uint32_t, bool> present;
            for (std::uint32_t c : format.palette)
                present.emplace(c, true);
            for (std::uint32_t p : picture.pixels()) {
                if (format.palette.size() >= capacity)
                    break;
                if (present.emplace(p & 0x00FFFFFFu, true).second)
                    format.palette.push_back(p & 0x00FFFFFFu);
            }
        }
    }
    // Masks that overlap, have gaps or leave the pixel cannot hold a colour
    // faithfully: such a bitmap is written with the usual masks instead.
    if ((format.bitsPerPixel == 16 || format.bitsPerPixel == 32) && !usableMasks(format)) {
        format.redMask = format.greenMask = format.blueMask = 0;
        format.alphaMask = format.bitsPerPixel == 32 ? 0xFF000000u : 0u;
    }
    if (format.bitsPerPixel == 16 && (format.redMask | format.greenMask | format.blueMask) == 0) {
        format.redMask = 0x7C00;
        format.greenMask = 0x03E0;
        format.blueMask = 0x001F;
    }
    if (format.bitsPerPixel == 32 && (format.redMask | format.greenMask | format.blueMask) == 0) {
        format.redMask = 0x00FF0000;
        format.greenMask = 0x0000FF00;
        format.blueMask = 0x000000FF;
        format.alphaMask = 0xFF000000u;
    }
    const bool core = format.headerSize == 12 && format.bitsPerPixel != 16 && format.bitsPerPixel != 32 &&
        picture.width() <= 0xFFFF && picture.height() <= 0xFFFF &&
        (format.bitsPerPixel > 8 || format.palette.size() == (std::size_t(1) << format.bitsPerPixel));
    format.headerSize = core ? 12 : 40;
    if (core)
        format.topDown = false;
    if (format.bitsPerPixel == 16) {
        const bool default555 = format.redMask == 0x7C00 && format.greenMask == 0x03E0 && format.blueMask == 0x001F;
        format.compression = format.alphaMask ? kBiAlphaBitfields : (default555 ? kBiRgb : kBiBitfields);
    } else if (format.bitsPerPixel == 32) {
        const bool default888 = format.redMask == 0x00FF0000 && format.greenMask == 0x0000FF00 && format.blueMask == 0x000000FF &&
            (format.alphaMask == 0 || format.alphaMask == 0xFF000000u);
        // Plain 32-bit rows whose top byte is zero everywhere read as opaque,
        // so a picture that is wholly transparent names its alpha mask.
        const bool transparent = std::all_of(picture.pixels().begin(), picture.pixels().end(),
                                             [](std::uint32_t p) { return (p >> 24) == 0; });
        if (default888 && format.alphaMask && transparent && !picture.isEmpty())
            format.compression = kBiAlphaBitfields;
        else
            format.compression = default888 ? kBiRgb : (format.alphaMask ? kBiAlphaBitfields : kBiBitfields);
        if (default888)
            format.alphaMask = 0xFF000000u;
    } else {
        format.compression = kBiRgb;
        format.redMask = format.greenMask = format.blueMask = format.alphaMask = 0;
    }
    return format;
}

std::vector<std::uint8_t> encodeFresh(const DibBitmap& bitmap)
{
    const DibFormat format = writableFormat(bitmap);
    const Picture& picture = bitmap.picture();
    const int width = picture.width();
    const int height = picture.height();
    const int bpp = format.bitsPerPixel;
    const bool core = format.headerSize == 12;
    const std::size_t maskBytes = format.compression == kBiBitfields ? 12 : format.compression == kBiAlphaBitfields ? 16 : 0;
    const std::size_t entrySize = core ? 3 : 4;
    const std::size_t tableBytes = format.palette.size() * entrySize;
    const std::size_t rowSize = ((std::size_t(width) * std::size_t(bpp) + 31) / 32) * 4;
    const std::size_t dataSize = rowSize * std::size_t(height);
    const std::size_t offset = kFileHeaderSize + std::size_t(format.headerSize) + maskBytes + tableBytes;
    const std::size_t total = offset + dataSize;

    std::vector<std::uint8_t> out(total, 0);
    std::uint8_t* p = out.data();
    p[0] = 'B';
    p[1] = 'M';
    storeU32(p + 2, std::uint32_t(total));
    storeU32(p + 10, std::uint32_t(offset));
    std::uint8_t* h = p + kFileHeaderSize;
    storeU32(h, std::uint32_t(format.headerSize));
    if (core) {
        storeU16(h + 4, std::uint16_t(width));
        storeU16(h + 6, std::uint16_t(height));
        storeU16(h + 8, 1);
        storeU16(h + 10, std::uint16_t(bpp));
    } else {
        storeU32(h + 4, std::uint32_t(width));
        storeU32(h + 8, std::uint32_t(format.topDown ? -height : height));
        storeU16(h + 12, 1);
        storeU16(h + 14, std::uint16_t(bpp));
        storeU32(h + 16, format.compression);
        storeU32(h + 20, std::uint32_t(dataSize));
        storeU32(h + 24, std::uint32_t(format.pixelsPerMeterX));
        storeU32(h + 28, std::uint32_t(format.pixelsPerMeterY));
        const bool fullTable = bpp <= 8 && format.palette.size() == (std::size_t(1) << bpp);
        storeU32(h + 32, fullTable && !format.countsFullTable ? 0u : std::uint32_t(format.palette.size()));
    }
    std::uint8_t* q = h + format.headerSize;
    if (maskBytes) {
        storeU32(q, format.redMask);
        storeU32(q + 4, format.greenMask);
        storeU32(q + 8, format.blueMask);
        if (maskBytes == 16)
            storeU32(q + 12, format.alphaMask);
        q += maskBytes;
    }
    for (std::uint32_t colour : format.palette) {
        q[0] = std::uint8_t(colour);
        q[1] = std::uint8_t(colour >> 8);
        q[2] = std::uint8_t(colour >> 16);
        q += entrySize;
    }

    PaletteMapper mapper{format.palette, {}};
    for (int row = 0; row < height; ++row) {
        std::uint8_t* dst = out.data() + offset + std::size_t(row) * rowSize;
        const std::uint32_t* src = picture.scanLine(format.topDown ? row : height - 1 - row);
        switch (bpp) {
        case 1:
            for (int x = 0; x < width; ++x)
                dst[x >> 3] |= std::uint8_t((mapper(src[x]) & 1) << (7 - (x & 7)));
            break;
        case 4:
            for (int x = 0; x < width; ++x)
                dst[x >> 1] |= std::uint8_t((mapper(src[x]) & 0x0F) << ((x & 1) ? 0 : 4));
            break;
        case 8:
            for (int x = 0; x < width; ++x)
                dst[x] = mapper(src[x]);
            break;
        case 16:
        case 32:
            for (int x = 0; x < width; ++x) {
                const std::uint32_t c = src[x];
                std::uint32_t v = packChannel((c >> 16) & 0xFF, format.redMask) | packChannel((c >> 8) & 0xFF, format.greenMask) |
                    packChannel(c & 0xFF, format.blueMask) | packChannel(c >> 24, format.alphaMask);
                if (bpp == 16)
                    storeU16(dst + 2 * x, std::uint16_t(v));
                else
                    storeU32(dst + 4 * x, v);
            }
            break;
        case 24:
            for (int x = 0; x < width; ++x, dst += 3) {
                dst[0] = std::uint8_t(src[x]);
                dst[1] = std::uint8_t(src[x] >> 8);
                dst[2] = std::uint8_t(src[x] >> 16);
            }
            break;
        }
    }
    return out;
}

// The file image kept for writing back: its file size field made to equal
// its length, whatever the source said (a file may carry trailing bytes,
// and other writers get the field wrong).
std::vector<std::uint8_t> keptImage(std::vector<std::uint8_t> image)
{
    storeU32(image.data() + 2, std::uint32_t(image.size()));
    return image;
}

} // namespace

void PixelBudget::spend(std::int64_t width, std::int64_t height)
{
    if (width * height > m_left)
        throw Error("The skin's pictures hold more than " + std::to_string(m_limit) + " pixels in all");
    m_left -= width * height;
}

DibBitmap readBitmapImage(ByteReader& in, PixelBudget* budget)
{
    const std::size_t start = in.position();
    std::uint32_t pixelOffset = 0;
    const Layout layout = parseHeaders(in, pixelOffset);
    if (budget)
        budget->spend(layout.width, layout.height);
    const auto data = in.read(layout.dataSize);
    const auto image = in.data().subspan(start, in.position() - start);
    return decode(layout, data, keptImage(std::vector<std::uint8_t>(image.begin(), image.end())));
}

DibBitmap decodeBitmapFile(std::span<const std::uint8_t> file, PixelBudget* budget)
{
    ByteReader in(file);
    std::uint32_t pixelOffset = 0;
    const Layout layout = parseHeaders(in, pixelOffset);
    if (budget)
        budget->spend(layout.width, layout.height);
    const std::size_t sequential = in.position();
    std::size_t dataStart = sequential;
    if (pixelOffset > sequential && pixelOffset <= file.size() && file.size() - pixelOffset >= layout.dataSize)
        dataStart = pixelOffset;
    in.seek(dataStart);
    const auto data = in.read(layout.dataSize);

    std::vector<std::uint8_t> image;
    image.reserve(sequential + layout.dataSize);
    image.assign(file.begin(), file.begin() + std::ptrdiff_t(sequential));
    image.insert(image.end(), data.begin(), data.end());
    // Close a gap: the rows now follow the colour table.
    if (dataStart != sequential)
        storeU32(image.data() + 10, std::uint32_t(sequential));
    return decode(layout, data, keptImage(std::move(image)));
}

DibBitmap loadBitmapFile(const std::filesystem::path& path, PixelBudget* budget)
{
    const auto bytes = readWholeFile(path);
    return decodeBitmapFile(bytes, budget);
}

std::vector<std::uint8_t> encodeBitmapImage(const DibBitmap& bitmap)
{
    if (!bitmap.fileImage().empty())
        return bitmap.fileImage();
    return encodeFresh(bitmap);
}

void writeBitmapImage(ByteWriter& out, const DibBitmap& bitmap)
{
    if (!bitmap.fileImage().empty())
        out.write(bitmap.fileImage());
    else
        out.write(encodeFresh(bitmap));
}

void saveBitmapFile(const std::filesystem::path& path, const DibBitmap& bitmap)
{
    writeWholeFile(path, encodeBitmapImage(bitmap));
}

} // namespace tessaly::skin
