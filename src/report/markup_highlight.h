#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace tessaly::report {

// What kind of text a file holds, by its name: markup (XHTML, the package
// document, SVG and other XML), style sheets, or anything else.
enum class MarkupKind { None, Xml, Css };
MarkupKind markupKindOf(std::string_view fileName);

enum class HighlightRole { Tag, AttributeName, AttributeValue, Comment, Entity, Selector, Property, String };

struct HighlightSpan {
    std::size_t begin = 0; // byte offsets into the line
    std::size_t length = 0;
    HighlightRole role = HighlightRole::Tag;
    bool operator==(const HighlightSpan&) const = default;
};

// Where a highlighter stands between lines: inside a comment, a tag, a
// rule's braces.
struct HighlightState {
    bool inComment = false;
    bool inTag = false;
    bool inBlock = false;
};

// The spans of one line to colour, in order; the state carries over to the
// next line. Unknown kinds give no spans. Never fails on any bytes.
std::vector<HighlightSpan> highlightLine(std::string_view line, MarkupKind kind, HighlightState& state);

} // namespace tessaly::report
