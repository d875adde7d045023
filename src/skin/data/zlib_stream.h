#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace tessaly::skin {

// The message of an inflate failure (a damaged stream, or one that would
// inflate past the limit below).
inline constexpr const char* kCompressionErrorMessage = "compression error";
// The message of a deflate failure.
inline constexpr const char* kDeflateErrorMessage = "error";

// No stored skin inflates to more than this; a stream that would is damaged.
inline constexpr std::size_t kMaxInflatedSize = std::size_t(64) * 1024 * 1024;

// Deflates data as one zlib stream (RFC 1950) at level 9 with the default
// window (15 bits) and memory level (8): the output starts 0x78 0xDA.
// Output is produced through an 8,192-byte window. Throws Error("error") if
// zlib fails.
std::vector<std::uint8_t> deflateSkinStream(std::span<const std::uint8_t> data);

// Inflates a zlib stream and appends the bytes to target until the stream
// ends or the input runs out: a stream that ends early simply yields fewer
// bytes, and bytes after the end of the stream are ignored. A damaged stream,
// or one whose output would pass maxSize bytes, throws
// Error("compression error"); target then keeps what was appended so far
// (at most maxSize + 1 bytes).
void inflateSkinStream(std::span<const std::uint8_t> stream, std::vector<std::uint8_t>& target,
                       std::size_t maxSize = kMaxInflatedSize);

} // namespace tessaly::skin
