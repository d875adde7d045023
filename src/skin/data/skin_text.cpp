#include "skin/data/skin_text.h"

namespace tessaly::skin {

namespace {

void appendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out += char(cp);
    } else if (cp < 0x800) {
        out += char(0xC0 | (cp >> 6));
        out += char(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += char(0xE0 | (cp >> 12));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    } else {
        out += char(0xF0 | (cp >> 18));
        out += char(0x80 | ((cp >> 12) & 0x3F));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    }
}

constexpr char32_t kReplacement = 0xFFFD;

// UTF-8 with every invalid sequence replaced by U+FFFD.
std::string decodeUtf8(std::span<const std::uint8_t> bytes)
{
    std::string out;
    out.reserve(bytes.size());
    std::size_t i = 0;
    const std::size_t n = bytes.size();
    while (i < n) {
        const std::uint8_t b = bytes[i];
        if (b < 0x80) {
            // Runs of ASCII are the common case.
            std::size_t j = i + 1;
            while (j < n && bytes[j] < 0x80)
                ++j;
            out.append(reinterpret_cast<const char*>(bytes.data() + i), j - i);
            i = j;
            continue;
        }
        int length = 0;
        char32_t cp = 0;
        char32_t minimum = 0;
        if (b >= 0xC2 && b <= 0xDF) {
            length = 2;
            cp = b & 0x1F;
            minimum = 0x80;
        } else if (b >= 0xE0 && b <= 0xEF) {
            length = 3;
            cp = b & 0x0F;
            minimum = 0x800;
        } else if (b >= 0xF0 && b <= 0xF4) {
            length = 4;
            cp = b & 0x07;
            minimum = 0x10000;
        }
        int taken = 1;
        bool valid = length > 0;
        for (; valid && taken < length; ++taken) {
            if (i + std::size_t(taken) >= n || (bytes[i + taken] & 0xC0) != 0x80) {
                valid = false;
                break;
            }
            cp = (cp << 6) | (bytes[i + taken] & 0x3F);
        }
        if (valid && (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)))
            valid = false;
        if (valid) {
            out.append(reinterpret_cast<const char*>(bytes.data() + i), std::size_t(length));
            i += std::size_t(length);
        } else {
            appendUtf8(out, kReplacement);
            i += std::size_t(taken);
        }
    }
    return out;
}

std::string decodeUtf16(std::span<const std::uint8_t> bytes, bool bigEndian)
{
    std::string out;
    out.reserve(bytes.size());
    auto unit = [&](std::size_t k) {
        return bigEndian ? char32_t((bytes[k] << 8) | bytes[k + 1]) : char32_t(bytes[k] | (bytes[k + 1] << 8));
    };
    std::size_t i = 0;
    for (; i + 1 < bytes.size(); i += 2) {
        char32_t cp = unit(i);
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 3 < bytes.size()) {
            const char32_t low = unit(i + 2);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                appendUtf8(out, 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00));
                i += 2;
                continue;
            }
        }
        if (cp >= 0xD800 && cp <= 0xDFFF)
            cp = kReplacement;
        appendUtf8(out, cp);
    }
    if (i < bytes.size())
        appendUtf8(out, kReplacement);
    return out;
}

} // namespace

std::string decodeSkinText(std::span<const std::uint8_t> bytes)
{
    std::string text;
    if (bytes.size() >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF)
        text = decodeUtf8(bytes.subspan(3));
    else if (bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE)
        text = decodeUtf16(bytes.subspan(2), false);
    else if (bytes.size() >= 2 && bytes[0] == 0xFE && bytes[1] == 0xFF)
        text = decodeUtf16(bytes.subspan(2), true);
    else
        return decodeUtf8(bytes);
    // A text never starts with U+FEFF: written out, it would read back as a
    // byte-order mark and vanish.
    std::size_t start = 0;
    while (text.compare(start, 3, "\xEF\xBB\xBF") == 0)
        start += 3;
    return text.substr(start);
}

std::vector<std::uint8_t> encodeSkinText(std::string_view text)
{
    return std::vector<std::uint8_t>(text.begin(), text.end());
}

std::vector<std::string> splitSkinTextLines(std::string_view text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    const std::size_t n = text.size();
    while (start < n) {
        std::size_t end = start;
        while (end < n && text[end] != '\r' && text[end] != '\n')
            ++end;
        lines.emplace_back(text.substr(start, end - start));
        if (end < n && text[end] == '\r' && end + 1 < n && text[end + 1] == '\n')
            end += 2;
        else if (end < n)
            end += 1;
        start = end;
    }
    return lines;
}

std::string joinSkinTextLines(const std::vector<std::string>& lines)
{
    std::size_t total = 0;
    for (const auto& line : lines)
        total += line.size() + 2;
    std::string text;
    text.reserve(total);
    for (const auto& line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

} // namespace tessaly::skin
