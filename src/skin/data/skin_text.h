#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tessaly::skin {

// The description text of a skin as bytes and back. The program's 8-bit
// text encoding is UTF-8: bytes without a byte-order mark are read as UTF-8
// (invalid sequences become U+FFFD); a leading UTF-8 (EF BB BF) or UTF-16
// (FF FE, FE FF) byte-order mark is honoured and dropped. Text is written as
// UTF-8 without a byte-order mark, unchanged.
std::string decodeSkinText(std::span<const std::uint8_t> bytes);
std::vector<std::uint8_t> encodeSkinText(std::string_view text);

// Splits text into lines at CR LF, LF or CR; a final line end does not add
// an empty line.
std::vector<std::string> splitSkinTextLines(std::string_view text);
// Joins lines, each followed by CR LF.
std::string joinSkinTextLines(const std::vector<std::string>& lines);

} // namespace tessaly::skin
