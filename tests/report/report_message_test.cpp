#include "report/report_message.h"

#include "captured_output.h"

#include <gtest/gtest.h>

#include <array>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

using namespace tessaly::report;

namespace {

struct Case {
    const char* line;
    const char* bookName;
    Severity severity;
    const char* code;
    const char* file;
    const char* fragment;
    std::optional<int> lineNumber;
    std::optional<int> column;
    const char* text;
};

const auto none = std::nullopt;

// Lines of the captured output, each a different shape.
const Case capturedCases[] = {
    {"FATAL(RSC-016): ./books/manual.epub/OEBPS/c1.xhtml(2,156): Fatal Error while parsing file: The element type \"b\" "
     "must be terminated by the matching end-tag \"</b>\".",
        "manual.epub", Severity::Fatal, "RSC-016", "OEBPS/c1.xhtml", "", 2, 156,
        "Fatal Error while parsing file: The element type \"b\" must be terminated by the matching end-tag \"</b>\"."},
    {"ERROR(RSC-005): ./books/manual.epub/OEBPS/c1.xhtml(-1,-1): Error while parsing file: The element type \"b\" must "
     "be terminated by the matching end-tag \"</b>\".",
        "manual.epub", Severity::Error, "RSC-005", "OEBPS/c1.xhtml", "", none, none,
        "Error while parsing file: The element type \"b\" must be terminated by the matching end-tag \"</b>\"."},
    {"ERROR(RSC-005): books/my book \"quoted\" ü.epub/OEBPS/çé ü.xhtml(3,11): Error while parsing file: Duplicate \"a\"",
        "my book \"quoted\" ü.epub", Severity::Error, "RSC-005", "OEBPS/çé ü.xhtml", "", 3, 11,
        "Error while parsing file: Duplicate \"a\""},
    // The same line without the book's name: found by its extension.
    {"ERROR(RSC-005): books/my book \"quoted\" ü.epub/OEBPS/çé ü.xhtml(3,11): Error while parsing file: Duplicate \"a\"",
        "", Severity::Error, "RSC-005", "OEBPS/çé ü.xhtml", "", 3, 11, "Error while parsing file: Duplicate \"a\""},
    {"ERROR(PKG-009): ./books/manual.epub/OEBPS/unlisted \"quoted\".txt(-1,-1): File name contains characters that are "
     "not allowed in OCF file names: \"\"\"\",\"\"\"\".",
        "manual.epub", Severity::Error, "PKG-009", "OEBPS/unlisted \"quoted\".txt", "", none, none,
        "File name contains characters that are not allowed in OCF file names: \"\"\"\",\"\"\"\"."},
    {"ERROR(CSS-008): ./books/manual.epub/OEBPS/style.css(3,18): An error occurred while parsing the CSS: Token \";\" "
     "not allowed here.",
        "manual.epub", Severity::Error, "CSS-008", "OEBPS/style.css", "", 3, 18,
        "An error occurred while parsing the CSS: Token \";\" not allowed here."},
    // A message about the book itself: no path inside it.
    {"WARNING(OPF-003): ./books/manual.epub(-1,-1): Item \"OEBPS/unlisted \"quoted\".txt\" exists in the EPUB, but is "
     "not declared in the OPF manifest.",
        "manual.epub", Severity::Warning, "OPF-003", "", "", none, none,
        "Item \"OEBPS/unlisted \"quoted\".txt\" exists in the EPUB, but is not declared in the OPF manifest."},
    {"FATAL(PKG-008): made/text.epub(-1,-1): Unable to read file \"zip END header not found\".", "text.epub",
        Severity::Fatal, "PKG-008", "", "", none, none, "Unable to read file \"zip END header not found\"."},
    // A path that walks through another folder.
    {"USAGE(PKG-012): made/../books/manual.epub/OEBPS/çé ü.xhtml(-1,-1): File name contains the following non-ascii "
     "characters: çéü. Consider changing the filename.",
        "manual.epub", Severity::Usage, "PKG-012", "OEBPS/çé ü.xhtml", "", none, none,
        "File name contains the following non-ascii characters: çéü. Consider changing the filename."},
    {"USAGE(HTM-010): made/../books/manual.epub/OEBPS/toc.ncx(2,68): Namespace uri "
     "\"http://www.daisy.org/z3986/2005/ncx/\" was found.",
        "", Severity::Usage, "HTM-010", "OEBPS/toc.ncx", "", 2, 68,
        "Namespace uri \"http://www.daisy.org/z3986/2005/ncx/\" was found."},
};

void expectParsed(const Case& c)
{
    SCOPED_TRACE(c.line);
    const auto message = parseReportMessage(c.line, c.bookName);
    ASSERT_TRUE(message);
    EXPECT_EQ(message->severity, c.severity);
    EXPECT_EQ(message->code, c.code);
    EXPECT_EQ(message->file, c.file);
    EXPECT_EQ(message->fragment, c.fragment);
    EXPECT_EQ(message->line, c.lineNumber);
    EXPECT_EQ(message->column, c.column);
    EXPECT_EQ(message->text, c.text);
    EXPECT_EQ(message->reportLine, c.line);
}

TEST(ReportMessage, CapturedLinesGiveTheirParts)
{
    const auto output = tessaly::testing::capturedCheckerOutput();
    for (const Case& c : capturedCases) {
        // Every row is a line the checker really wrote.
        EXPECT_NE(std::find(output.begin(), output.end(), c.line), output.end()) << c.line;
        expectParsed(c);
    }
}

// Shapes the installed checker did not give us on the made books.
TEST(ReportMessage, OtherShapesGiveTheirParts)
{
    const Case cases[] = {
        {"WARNING(HTM-014): ./books/manual.epub/OEBPS/guide.xhtml#o1006(-1,-1): Invalid file extension", "manual.epub",
            Severity::Warning, "HTM-014", "OEBPS/guide.xhtml", "o1006", none, none, "Invalid file extension"},
        {"INFO(NCX-006): b.EPUB/toc.ncx(7,-1): Empty label", "", Severity::Info, "NCX-006", "toc.ncx", "", 7, none,
            "Empty label"},
        // Without a code, and without a location.
        {"ERROR: b.epub/c.xhtml(1,2): text", "", Severity::Error, "", "c.xhtml", "", 1, 2, "text"},
        {"ERROR(RSC-001): no location here", "", Severity::Error, "RSC-001", "", "", none, none, "no location here"},
        // The book's name inside its folder's path: the split is at the
        // whole part that is the name, not at a folder that contains it.
        {"ERROR(A-1): /x/manual.epub.d/manual.epub/OEBPS/a.xhtml(4,5): t", "manual.epub", Severity::Error, "A-1",
            "OEBPS/a.xhtml", "", 4, 5, "t"},
        // A book not named .epub, found by the name it was given.
        {"ERROR(A-1): ./draft/book.zip/OEBPS/a.xhtml(4,5): t", "book.zip", Severity::Error, "A-1", "OEBPS/a.xhtml", "",
            4, 5, "t"},
        // The text may repeat what looks like a location: the first one counts.
        {"ERROR(A-1): b.epub/a(1,2)b.xhtml(3,4): see x(5,6): y", "", Severity::Error, "A-1", "a(1,2)b.xhtml", "", 3, 4,
            "see x(5,6): y"},
        // Numbers too long for a position are part of the path.
        {"ERROR(A-1): b.epub/a(1234567890,1): x.xhtml(8,9): t", "", Severity::Error, "A-1", "a(1234567890,1): x.xhtml",
            "", 8, 9, "t"},
    };
    for (const Case& c : cases)
        expectParsed(c);
}

TEST(ReportMessage, OtherLinesStayReportText)
{
    const char* lines[] = {
        "",
        "Validating using EPUB version 2.0.1 rules.",
        "Messages: 1 fatal / 16 errors / 4 warnings / 0 infos",
        "EPUBCheck completed",
        "File not found: \"made/missing.epub\"",
        "Passed! No errors or warnings detected",
        "\tat com.adobe.epubcheck.api.EpubCheck.check(EpubCheck.java:42)",
        "java.lang.NullPointerException: ERROR(RSC-005): x",
        "ERROR",
        "ERROR(",
        "ERROR()",
        "ERROR(): x",
        "ERROR(RSC 005): x",
        "ERROR(RSC-005):x",
        "ERROR(RSC-005)",
        "Error(RSC-005): x",
        "NOTICE(RSC-005): x",
        " ERROR(RSC-005): x",
    };
    for (const char* line : lines)
        EXPECT_FALSE(parseReportMessage(line, "manual.epub")) << line;
}

// Reads "Messages: 1 fatal / 16 errors / 4 warnings / 0 infos[ / 14 usages]".
std::optional<std::array<int, severityCount>> summaryCounts(const std::string& line)
{
    if (!line.starts_with("Messages: "))
        return std::nullopt;
    std::array<int, severityCount> counts{};
    std::istringstream in(line.substr(10));
    const std::map<std::string, Severity> words = {{"fatal", Severity::Fatal}, {"error", Severity::Error},
        {"warning", Severity::Warning}, {"info", Severity::Info}, {"usage", Severity::Usage}};
    int count = 0;
    std::string word;
    std::string slash;
    while (in >> count >> word) {
        if (word.ends_with('s'))
            word.pop_back();
        counts[std::size_t(words.at(word))] = count;
        in >> slash;
    }
    return counts;
}

// Every message of the captured output is recognised and nothing else is:
// each check's messages, counted by severity, give the counts of the
// checker's own summary that follows them.
TEST(ReportMessage, CapturedOutputAgreesWithTheCheckersSummaries)
{
    std::array<int, severityCount> counted{};
    int summaries = 0;
    for (const std::string& line : tessaly::testing::capturedCheckerOutput()) {
        if (const auto summary = summaryCounts(line)) {
            EXPECT_EQ(*summary, counted) << line;
            counted = {};
            ++summaries;
            continue;
        }
        if (const auto message = parseReportMessage(line)) {
            ++counted[std::size_t(message->severity)];
            EXPECT_FALSE(message->code.empty()) << line;
            // Every message of these books names the book; all but the
            // ones about the book itself name a file inside it.
            EXPECT_TRUE(message->hasLocation() || message->reportLine.find(".epub(-1,-1): ") != std::string::npos)
                << line;
        }
    }
    EXPECT_EQ(summaries, 7);
}

TEST(ReportMessage, SeverityNamesRoundTrip)
{
    for (std::size_t i = 0; i < severityCount; ++i)
        EXPECT_EQ(severityFromName(severityName(Severity(i))), Severity(i));
    EXPECT_FALSE(severityFromName("HINT"));
}

} // namespace
