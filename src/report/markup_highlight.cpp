#include "report/markup_highlight.h"

#include "report/ascii_text.h"

#include <string>

namespace tessaly::report {

namespace {

bool isNameChar(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '_'
           || c == ':' || c == '.' || static_cast<unsigned char>(c) >= 0x80;
}

// From `at`, the end of the text up to and including `closing`, or the
// line's end when it does not close on this line.
std::size_t through(std::string_view line, std::size_t at, std::string_view closing, bool& closed)
{
    const std::size_t found = line.find(closing, at);
    closed = found != std::string_view::npos;
    return closed ? found + closing.size() : line.size();
}

class Spans {
public:
    void add(std::size_t begin, std::size_t end, HighlightRole role)
    {
        if (end > begin)
            m_spans.push_back({begin, end - begin, role});
    }
    std::vector<HighlightSpan> take() { return std::move(m_spans); }

private:
    std::vector<HighlightSpan> m_spans;
};

// Inside a tag from `at`: names, '=' and quoted values up to '>'.
std::size_t tagBody(std::string_view line, std::size_t at, HighlightState& state, Spans& spans)
{
    while (at < line.size()) {
        const char c = line[at];
        if (c == '>') {
            spans.add(at, at + 1, HighlightRole::Tag);
            state.inTag = false;
            return at + 1;
        }
        if (c == '/' && at + 1 < line.size() && line[at + 1] == '>') {
            spans.add(at, at + 2, HighlightRole::Tag);
            state.inTag = false;
            return at + 2;
        }
        if (c == '"' || c == '\'') {
            const std::size_t close = line.find(c, at + 1);
            const std::size_t end = close == std::string_view::npos ? line.size() : close + 1;
            spans.add(at, end, HighlightRole::AttributeValue);
            at = end;
        } else if (isNameChar(c)) {
            std::size_t end = at;
            while (end < line.size() && isNameChar(line[end]))
                ++end;
            spans.add(at, end, HighlightRole::AttributeName);
            at = end;
        } else {
            ++at;
        }
    }
    return at;
}

std::vector<HighlightSpan> highlightXml(std::string_view line, HighlightState& state)
{
    Spans spans;
    std::size_t at = 0;
    if (state.inComment) {
        bool closed = false;
        at = through(line, 0, "-->", closed);
        spans.add(0, at, HighlightRole::Comment);
        state.inComment = !closed;
    } else if (state.inTag) {
        at = tagBody(line, 0, state, spans);
    }
    while (at < line.size()) {
        const char c = line[at];
        if (line.substr(at, 4) == "<!--") {
            bool closed = false;
            const std::size_t end = through(line, at + 4, "-->", closed);
            spans.add(at, end, HighlightRole::Comment);
            state.inComment = !closed;
            at = end;
        } else if (c == '<') {
            std::size_t end = at + 1;
            if (end < line.size() && (line[end] == '/' || line[end] == '?' || line[end] == '!'))
                ++end;
            while (end < line.size() && isNameChar(line[end]))
                ++end;
            spans.add(at, end, HighlightRole::Tag);
            state.inTag = true;
            at = tagBody(line, end, state, spans);
        } else if (c == '&') {
            const std::size_t semicolon = line.find(';', at);
            const bool entity = semicolon != std::string_view::npos && semicolon - at <= 12;
            spans.add(at, entity ? semicolon + 1 : at + 1, HighlightRole::Entity);
            at = entity ? semicolon + 1 : at + 1;
        } else {
            ++at;
        }
    }
    return spans.take();
}

std::vector<HighlightSpan> highlightCss(std::string_view line, HighlightState& state)
{
    Spans spans;
    std::size_t at = 0;
    std::size_t runStart = 0; // start of the selector or property being read
    auto endRun = [&](std::size_t end) {
        // Leading and trailing blanks are not coloured.
        std::size_t b = runStart, e = end;
        while (b < e && (line[b] == ' ' || line[b] == '\t'))
            ++b;
        while (e > b && (line[e - 1] == ' ' || line[e - 1] == '\t'))
            --e;
        spans.add(b, e, state.inBlock ? HighlightRole::Property : HighlightRole::Selector);
    };
    bool inValue = false;
    if (state.inComment) {
        bool closed = false;
        at = through(line, 0, "*/", closed);
        spans.add(0, at, HighlightRole::Comment);
        state.inComment = !closed;
    }
    runStart = at;
    while (at < line.size()) {
        const char c = line[at];
        if (line.substr(at, 2) == "/*") {
            if (!inValue)
                endRun(at);
            bool closed = false;
            const std::size_t end = through(line, at + 2, "*/", closed);
            spans.add(at, end, HighlightRole::Comment);
            state.inComment = !closed;
            at = runStart = end;
        } else if (c == '"' || c == '\'') {
            // A string breaks a selector or property in two, around it.
            if (!inValue)
                endRun(at);
            const std::size_t close = line.find(c, at + 1);
            const std::size_t end = close == std::string_view::npos ? line.size() : close + 1;
            spans.add(at, end, HighlightRole::String);
            at = runStart = end;
        } else if (c == '{' || c == '}' || c == ';' || (c == ':' && state.inBlock && !inValue)) {
            if (!inValue)
                endRun(at);
            if (c == '{')
                state.inBlock = true;
            else if (c == '}')
                state.inBlock = false;
            inValue = c == ':';
            runStart = ++at;
        } else {
            ++at;
        }
    }
    if (!inValue && !state.inComment)
        endRun(line.size());
    std::vector<HighlightSpan> result = spans.take();
    std::sort(result.begin(), result.end(), [](const HighlightSpan& a, const HighlightSpan& b) { return a.begin < b.begin; });
    return result;
}

} // namespace

MarkupKind markupKindOf(std::string_view fileName)
{
    for (std::string_view ending : {".xhtml", ".html", ".htm", ".xml", ".opf", ".ncx", ".svg", ".smil"})
        if (endsWithFolded(fileName, ending))
            return MarkupKind::Xml;
    if (endsWithFolded(fileName, ".css"))
        return MarkupKind::Css;
    return MarkupKind::None;
}

std::vector<HighlightSpan> highlightLine(std::string_view line, MarkupKind kind, HighlightState& state)
{
    switch (kind) {
    case MarkupKind::Xml: return highlightXml(line, state);
    case MarkupKind::Css: return highlightCss(line, state);
    case MarkupKind::None: break;
    }
    return {};
}

} // namespace tessaly::report
