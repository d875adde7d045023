// Fuzz target over what the source pane makes of a book's file: the lines
// around a place and their highlighting. The input is a header of six bytes
// (the line and column, two bytes each, little-endian; the context; the
// longest line shown) and then the file's bytes. Besides not crashing, it
// checks on every input that the excerpt is valid UTF-8, that its lines are
// consecutive around the target, that lines keep to their length, and that
// the spans to colour lie in order inside their line.
#include "report/markup_highlight.h"
#include "report/source_excerpt.h"

#include <cstdint>
#include <string_view>

#include "common/require.h"

using tessaly::fuzz::require;

using namespace tessaly::report;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 6)
        return 0;
    const int line = data[0] | (data[1] << 8);
    const int column = data[2] | (data[3] << 8);
    const ExcerptShape shape{data[4] % 8, std::size_t(data[5]) + 1};
    const std::string_view bytes(reinterpret_cast<const char*>(data) + 6, size - 6);
    const SourceExcerpt excerpt = sourceExcerpt(bytes, line, column == 0 ? std::nullopt : std::optional<int>(column), shape);
    require(excerpt.problem.empty() != excerpt.lines.empty());
    int targets = 0;
    for (std::size_t i = 0; i < excerpt.lines.size(); ++i) {
        const ExcerptLine& l = excerpt.lines[i];
        require(l.number == excerpt.lines.front().number + int(i));
        require(validUtf8(l.text) == l.text);
        // A shown byte becomes at most the three bytes of U+FFFD.
        require(l.text.size() <= 3 * shape.maximumLength);
        if (l.target) {
            ++targets;
            require(l.number == line);
        }
        require(!l.column || l.target);
        for (MarkupKind kind : {MarkupKind::Xml, MarkupKind::Css}) {
            HighlightState state;
            std::size_t after = 0;
            for (const HighlightSpan& span : highlightLine(l.text, kind, state)) {
                require(span.length > 0 && span.begin >= after && span.begin + span.length <= l.text.size());
                after = span.begin + span.length;
            }
        }
    }
    require(excerpt.lines.empty() || targets == 1);
    return 0;
}
