#include "skin/data/zlib_stream.h"

#include "platform/error.h"

#include <zlib.h>

#include <algorithm>

namespace tessaly::skin {

namespace {

constexpr std::size_t kDeflateWindow = 8192;
constexpr std::size_t kInflateMinimumPiece = 4096;
constexpr std::size_t kInflateWindow = 65536;

} // namespace

std::vector<std::uint8_t> deflateSkinStream(std::span<const std::uint8_t> data)
{
    z_stream zs{};
    if (deflateInit2(&zs, 9, Z_DEFLATED, 15, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        throw Error(kDeflateErrorMessage);

    std::vector<std::uint8_t> out;
    out.reserve(deflateBound(&zs, uLong(data.size())));
    std::uint8_t window[kDeflateWindow];
    const std::uint8_t* next = data.data();
    std::size_t left = data.size();
    int flush = Z_NO_FLUSH;
    for (;;) {
        if (zs.avail_in == 0 && flush == Z_NO_FLUSH) {
            // zlib counts input in 32-bit units: feed at most 1 GiB at a time.
            const std::size_t piece = std::min<std::size_t>(left, std::size_t(1) << 30);
            zs.next_in = const_cast<Bytef*>(next);
            zs.avail_in = uInt(piece);
            next += piece;
            left -= piece;
            if (left == 0)
                flush = Z_FINISH;
        }
        zs.next_out = window;
        zs.avail_out = uInt(sizeof window);
        const int result = deflate(&zs, flush);
        if (result != Z_OK && result != Z_STREAM_END) {
            deflateEnd(&zs);
            throw Error(kDeflateErrorMessage);
        }
        out.insert(out.end(), window, window + (sizeof window - zs.avail_out));
        if (result == Z_STREAM_END)
            break;
    }
    deflateEnd(&zs);
    return out;
}

void inflateSkinStream(std::span<const std::uint8_t> stream, std::vector<std::uint8_t>& target, std::size_t maxSize)
{
    z_stream zs{};
    if (inflateInit(&zs) != Z_OK)
        throw Error(kCompressionErrorMessage);

    const std::uint8_t* next = stream.data();
    std::size_t left = stream.size();
    const std::size_t base = target.size();
    std::size_t produced = 0;
    // Skin packages deflate about 1:15: room for that is reserved, not
    // filled, so that only the pages the package takes are ever touched.
    // One output byte past maxSize tells an over-long stream.
    target.reserve(base + std::min(maxSize + 1, std::max(kInflateMinimumPiece, stream.size() * 16)));
    std::uint8_t window[kInflateWindow];
    for (;;) {
        if (zs.avail_in == 0 && left > 0) {
            // zlib counts input in 32-bit units: feed at most 1 GiB at a time.
            const std::size_t piece = std::min<std::size_t>(left, std::size_t(1) << 30);
            zs.next_in = const_cast<Bytef*>(next);
            zs.avail_in = uInt(piece);
            next += piece;
            left -= piece;
        }
        zs.next_out = window;
        zs.avail_out = uInt(std::min(sizeof window, maxSize + 1 - produced));
        const std::size_t asked = zs.avail_out;
        const int result = inflate(&zs, Z_NO_FLUSH);
        const std::size_t got = asked - zs.avail_out;
        target.insert(target.end(), window, window + got);
        produced += got;
        if (result == Z_STREAM_END)
            break;
        if (result == Z_NEED_DICT || result == Z_DATA_ERROR || result == Z_MEM_ERROR || result == Z_STREAM_ERROR ||
            produced > maxSize) {
            inflateEnd(&zs);
            throw Error(kCompressionErrorMessage);
        }
        // Nothing more comes out once the input is used up: a stream that
        // ends early gives a shorter package.
        if (got == 0 && zs.avail_in == 0 && left == 0)
            break;
    }
    inflateEnd(&zs);
    if (produced > maxSize)
        throw Error(kCompressionErrorMessage);
}

} // namespace tessaly::skin
