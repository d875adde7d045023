#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tessaly::report {

// A few lines of a file around the line a message names, ready to show:
// valid UTF-8 (bytes that are not become U+FFFD), tabs as single spaces (so
// a column stays a character), and lines too long to show whole cut to a
// stretch around the column, with a mark where they were cut.
struct ExcerptLine {
    int number = 0;          // 1-based
    std::string text;        // what is shown of the line
    bool target = false;     // the line the message names
    bool cutBefore = false;  // text of the line comes before what is shown
    bool cutAfter = false;   // and after it
    // The column the message names, as a character index into text, if it
    // falls inside what is shown.
    std::optional<std::size_t> column;
};

struct SourceExcerpt {
    std::vector<ExcerptLine> lines;
    std::string problem; // why there are no lines (the file is shorter ...)
};

struct ExcerptShape {
    int context = 2;                  // lines shown before and after the target
    std::size_t maximumLength = 240;  // characters shown of one line
};

// The excerpt of `bytes` around the 1-based `line`, marking `column`
// (1-based characters) when given. Its cost grows with the bytes up to the
// line's end, however long the lines are.
SourceExcerpt sourceExcerpt(std::string_view bytes, int line, std::optional<int> column, ExcerptShape shape = {});

// The bytes as valid UTF-8: each byte that does not begin a well-formed
// sequence becomes U+FFFD.
std::string validUtf8(std::string_view bytes);

} // namespace tessaly::report
