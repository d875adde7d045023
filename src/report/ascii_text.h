#pragma once

#include <algorithm>
#include <string_view>

namespace tessaly::report {

// Comparisons that fold ASCII letters only: the checker's words and file
// extensions are ASCII, and other bytes must compare exactly.
inline char asciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

inline bool equalFolded(char a, char b)
{
    return asciiLower(a) == asciiLower(b);
}

inline std::size_t findFolded(std::string_view text, std::string_view needle, std::size_t from = 0)
{
    if (from > text.size())
        return std::string_view::npos;
    const auto found = std::search(text.begin() + std::ptrdiff_t(from), text.end(), needle.begin(), needle.end(), equalFolded);
    return found == text.end() && !needle.empty() ? std::string_view::npos : std::size_t(found - text.begin());
}

inline bool endsWithFolded(std::string_view text, std::string_view ending)
{
    return text.size() >= ending.size()
        && std::equal(ending.begin(), ending.end(), text.end() - std::ptrdiff_t(ending.size()), equalFolded);
}

} // namespace tessaly::report
