#include "report/source_excerpt.h"

#include <algorithm>
#include <cstring>

namespace tessaly::report {

namespace {

const std::string replacement = "\xEF\xBF\xBD";

// The length of the well-formed UTF-8 sequence at text[at], or 0.
std::size_t sequenceLength(std::string_view text, std::size_t at)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    if (lead < 0x80)
        return 1;
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF; // the second byte's range
    if (lead >= 0xC2 && lead <= 0xDF)
        length = 2;
    else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0)
            low = 0xA0;
        if (lead == 0xED)
            high = 0x9F; // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0)
            low = 0x90;
        if (lead == 0xF4)
            high = 0x8F;
    } else
        return 0;
    if (at + length > text.size())
        return 0;
    if (byte(at + 1) < low || byte(at + 1) > high)
        return 0;
    for (std::size_t i = 2; i < length; ++i)
        if ((byte(at + i) & 0xC0) != 0x80)
            return 0;
    return length;
}

// One line of the file, between its start and its end (without the line
// break).
struct LineSpan {
    std::size_t begin = 0;
    std::size_t end = 0;
};

// The spans of lines [first, last] (1-based), as far as the file has them,
// and how many lines were counted on the way. A line break at the very end
// ends the last line rather than starting an empty one.
std::vector<LineSpan> lineSpans(std::string_view bytes, int first, int last, int& counted)
{
    std::vector<LineSpan> spans;
    std::size_t at = 0;
    counted = 0;
    for (int number = 1; number <= last; ++number) {
        if (at == bytes.size() && number > 1)
            break;
        counted = number;
        const void* found = at < bytes.size() ? std::memchr(bytes.data() + at, '\n', bytes.size() - at) : nullptr;
        const std::size_t end = found ? std::size_t(static_cast<const char*>(found) - bytes.data()) : bytes.size();
        if (number >= first) {
            std::size_t shownEnd = end;
            if (shownEnd > at && bytes[shownEnd - 1] == '\r')
                --shownEnd;
            spans.push_back({at, shownEnd});
        }
        if (!found)
            break;
        at = end + 1;
    }
    return spans;
}

// Characters (whole UTF-8 sequences, or single bad bytes) in text.
class CharacterWalk {
public:
    explicit CharacterWalk(std::string_view text) : m_text(text) {}
    // The byte offset of character `index` (the end for the index just
    // past the last character), or npos when the text is shorter.
    std::size_t offsetOf(std::size_t index) const
    {
        std::size_t at = 0;
        for (std::size_t i = 0; i < index; ++i) {
            if (at >= m_text.size())
                return std::string_view::npos;
            at += std::max<std::size_t>(1, sequenceLength(m_text, at));
        }
        return std::min(at, m_text.size());
    }
    // Steps back from `at` to the start of the sequence it is inside.
    std::size_t boundaryAtOrBefore(std::size_t at) const
    {
        if (at >= m_text.size())
            return m_text.size();
        std::size_t back = 0;
        while (at > 0 && back < 3 && (static_cast<unsigned char>(m_text[at]) & 0xC0) == 0x80) {
            --at;
            ++back;
        }
        return at;
    }

private:
    std::string_view m_text;
};

std::size_t characterCount(std::string_view text)
{
    std::size_t count = 0;
    for (std::size_t at = 0; at < text.size(); ++count)
        at += std::max<std::size_t>(1, sequenceLength(text, at));
    return count;
}

ExcerptLine shownLine(std::string_view line, int number, bool target, std::optional<int> column, std::size_t maximum)
{
    ExcerptLine shown;
    shown.number = number;
    shown.target = target;
    const CharacterWalk walk(line);
    // The stretch to show, in bytes: from the start, or around the column
    // when the line is too long. A character takes at most 4 bytes, so the
    // byte window holds at least `maximum` characters where they are ASCII
    // and never more than 4 times as many bytes.
    std::size_t columnOffset = std::string_view::npos;
    if (target && column && *column >= 1)
        columnOffset = walk.offsetOf(std::size_t(*column - 1));
    std::size_t begin = 0;
    if (line.size() > maximum && columnOffset != std::string_view::npos && columnOffset > maximum / 2)
        begin = walk.boundaryAtOrBefore(std::min(columnOffset - maximum / 2, line.size()));
    std::size_t end = std::min(line.size(), begin + maximum);
    if (end < line.size())
        end = std::max(begin, walk.boundaryAtOrBefore(end));
    shown.cutBefore = begin > 0;
    shown.cutAfter = end < line.size();
    const std::string_view stretch = line.substr(begin, end - begin);
    shown.text = validUtf8(stretch);
    std::replace(shown.text.begin(), shown.text.end(), '\t', ' ');
    if (columnOffset != std::string_view::npos && columnOffset >= begin && columnOffset <= end)
        shown.column = characterCount(line.substr(begin, columnOffset - begin));
    return shown;
}

} // namespace

std::string validUtf8(std::string_view bytes)
{
    std::string text;
    text.reserve(bytes.size());
    for (std::size_t at = 0; at < bytes.size();) {
        const std::size_t length = sequenceLength(bytes, at);
        if (length == 0) {
            text += replacement;
            ++at;
        } else {
            text.append(bytes.data() + at, length);
            at += length;
        }
    }
    return text;
}

SourceExcerpt sourceExcerpt(std::string_view bytes, int line, std::optional<int> column, ExcerptShape shape)
{
    SourceExcerpt excerpt;
    if (line < 1) {
        excerpt.problem = "The message names no line.";
        return excerpt;
    }
    const int first = std::max(1, line - shape.context);
    int counted = 0;
    const std::vector<LineSpan> spans = lineSpans(bytes, first, line + shape.context, counted);
    if (counted < line) {
        excerpt.problem = "The file has " + std::to_string(counted) + " lines; the message names line "
                          + std::to_string(line) + ".";
        return excerpt;
    }
    for (std::size_t i = 0; i < spans.size(); ++i) {
        const int number = first + int(i);
        const std::string_view text = bytes.substr(spans[i].begin, spans[i].end - spans[i].begin);
        excerpt.lines.push_back(shownLine(text, number, number == line, column, shape.maximumLength));
    }
    return excerpt;
}

} // namespace tessaly::report
