// The lines shown around a message's place, and their colours.
#include "report/markup_highlight.h"
#include "report/source_excerpt.h"

#include <gtest/gtest.h>

namespace {

using namespace tessaly::report;

std::string numbered(int lines)
{
    std::string text;
    for (int i = 1; i <= lines; ++i)
        text += "line " + std::to_string(i) + "\n";
    return text;
}

struct ExcerptCase {
    const char* what;
    std::string bytes;
    int line;
    std::optional<int> column;
    std::vector<int> numbers;          // the lines shown
    std::string target;                // the target line's text
    std::optional<std::size_t> column0; // the column's index in it
};

TEST(SourceExcerptTest, LinesAroundTheTarget)
{
    const std::string e = "\xC3\xA9"; // é, two bytes, one character
    const ExcerptCase cases[] = {
        {"in the middle", numbered(10), 5, 3, {3, 4, 5, 6, 7}, "line 5", 2},
        {"at the start", numbered(10), 1, std::nullopt, {1, 2, 3}, "line 1", std::nullopt},
        {"at the end, no break after", "a\nb\nc", 3, 1, {1, 2, 3}, "c", 0},
        {"Windows line ends", "a\r\nb\r\nc\r\n", 2, 1, {1, 2, 3}, "b", 0},
        {"a column past multi-byte characters", "x\n" + e + e + "<p>\n", 2, 3, {1, 2}, e + e + "<p>", 2},
        {"a column at the line's end", "abc\n", 1, 4, {1}, "abc", 3},
        {"bad bytes", "a\xFF\xC3(b\n", 1, 5, {1}, "a\xEF\xBF\xBD\xEF\xBF\xBD(b", 4},
        {"a tab", "\tx\n", 1, 2, {1}, " x", 1},
        {"a column past the line's end", "abc\n", 1, 5, {1}, "abc", std::nullopt},
    };
    for (const ExcerptCase& c : cases) {
        SCOPED_TRACE(c.what);
        const SourceExcerpt excerpt = sourceExcerpt(c.bytes, c.line, c.column);
        ASSERT_TRUE(excerpt.problem.empty()) << excerpt.problem;
        std::vector<int> numbers;
        for (const ExcerptLine& l : excerpt.lines) {
            numbers.push_back(l.number);
            EXPECT_EQ(l.target, l.number == c.line);
            if (l.target) {
                EXPECT_EQ(l.text, c.target);
                EXPECT_EQ(l.column, c.column0);
            }
        }
        EXPECT_EQ(numbers, c.numbers);
    }
}

TEST(SourceExcerptTest, ALineTheFileLacksIsSaid)
{
    EXPECT_EQ(sourceExcerpt(numbered(3), 9, 1).problem, "The file has 3 lines; the message names line 9.");
    EXPECT_FALSE(sourceExcerpt("", 0, std::nullopt).problem.empty());
}

TEST(SourceExcerptTest, AVeryLongLineIsCutAroundTheColumn)
{
    std::string line(5'000'000, 'a');
    line.replace(4'000'000, 5, "<bad>");
    const SourceExcerpt excerpt = sourceExcerpt("<x>\n" + line + "\n</x>\n", 2, 4'000'001, {1, 100});
    ASSERT_EQ(excerpt.lines.size(), 3u);
    const ExcerptLine& target = excerpt.lines[1];
    EXPECT_TRUE(target.cutBefore);
    EXPECT_TRUE(target.cutAfter);
    EXPECT_EQ(target.text.size(), 100u);
    ASSERT_TRUE(target.column);
    EXPECT_EQ(target.text.substr(*target.column, 5), "<bad>");
    // A cut never splits a character.
    const std::string wide(3000, 'x');
    std::string accents;
    for (int i = 0; i < 1000; ++i)
        accents += "\xC3\xA9";
    const SourceExcerpt cut = sourceExcerpt(accents + wide, 1, 1500, {0, 101});
    EXPECT_EQ(validUtf8(cut.lines[0].text), cut.lines[0].text);
    // A column at the very end of a line longer than what is shown, and a
    // run of stray continuation bytes where the cut falls.
    const SourceExcerpt atEnd = sourceExcerpt("abcdefgh\n", 1, 9, {0, 2});
    EXPECT_EQ(atEnd.lines[0].text, "h");
    EXPECT_TRUE(atEnd.lines[0].cutBefore);
    EXPECT_EQ(atEnd.lines[0].column, std::optional<std::size_t>(1)) << "just after the last character";
    const SourceExcerpt stray = sourceExcerpt("ab\x80\x80\x80\x80" "cd", 1, 4, {0, 1});
    EXPECT_EQ(validUtf8(stray.lines[0].text), stray.lines[0].text);
}

TEST(MarkupHighlightTest, KindsComeFromTheFileName)
{
    EXPECT_EQ(markupKindOf("OEBPS/c1.XHTML"), MarkupKind::Xml);
    EXPECT_EQ(markupKindOf("content.opf"), MarkupKind::Xml);
    EXPECT_EQ(markupKindOf("css/style.css"), MarkupKind::Css);
    EXPECT_EQ(markupKindOf("images/a.png"), MarkupKind::None);
}

// The line with each span's text and role, as "role:text" words.
std::vector<std::string> spansOf(std::string_view line, MarkupKind kind, HighlightState& state)
{
    static const char* const roles[] = {"tag", "name", "value", "comment", "entity", "selector", "property", "string"};
    std::vector<std::string> words;
    for (const HighlightSpan& s : highlightLine(line, kind, state))
        words.push_back(std::string(roles[int(s.role)]) + ":" + std::string(line.substr(s.begin, s.length)));
    return words;
}

TEST(MarkupHighlightTest, MarkupAndStyleSheetsAcrossLines)
{
    HighlightState xml;
    EXPECT_EQ(spansOf("<p class=\"note\">Caf&eacute; <!-- a", MarkupKind::Xml, xml),
              (std::vector<std::string>{"tag:<p", "name:class", "value:\"note\"", "tag:>", "entity:&eacute;",
                                        "comment:<!-- a"}));
    EXPECT_TRUE(xml.inComment);
    EXPECT_EQ(spansOf("b --></p><img", MarkupKind::Xml, xml),
              (std::vector<std::string>{"comment:b -->", "tag:</p", "tag:>", "tag:<img"}));
    EXPECT_TRUE(xml.inTag);
    EXPECT_EQ(spansOf("  src='a.png'/>", MarkupKind::Xml, xml),
              (std::vector<std::string>{"name:src", "value:'a.png'", "tag:/>"}));

    HighlightState css;
    EXPECT_EQ(spansOf("p.note { colr: red; /* x */", MarkupKind::Css, css),
              (std::vector<std::string>{"selector:p.note", "property:colr", "comment:/* x */"}));
    EXPECT_EQ(spansOf("  font-family: \"A B\"; }", MarkupKind::Css, css),
              (std::vector<std::string>{"property:font-family", "string:\"A B\""}));
    EXPECT_FALSE(css.inBlock);
    // A string inside a selector splits it: spans never overlap.
    HighlightState quoted;
    EXPECT_EQ(spansOf("a[href=\"x\"] b {", MarkupKind::Css, quoted),
              (std::vector<std::string>{"selector:a[href=", "string:\"x\"", "selector:] b"}));
    // Any bytes at all: no failure, spans inside the line.
    HighlightState any;
    const std::string junk = "<\"&;<!--\xFF{}:/*'";
    for (const HighlightSpan& s : highlightLine(junk, MarkupKind::Xml, any))
        EXPECT_LE(s.begin + s.length, junk.size());
    for (const HighlightSpan& s : highlightLine(junk, MarkupKind::Css, any))
        EXPECT_LE(s.begin + s.length, junk.size());
}

} // namespace
