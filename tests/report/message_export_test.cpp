#include "report/message_export.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace tessaly::report;

namespace {

ReportMessage message(const std::string& line)
{
    auto parsed = parseReportMessage(line);
    EXPECT_TRUE(parsed) << line;
    return parsed.value_or(ReportMessage{});
}

TEST(MessageExport, CsvQuotesOnlyTheFieldsThatNeedIt)
{
    struct Case {
        const char* line;
        const char* row;
    };
    const Case cases[] = {
        {"ERROR(RSC-005): b.epub/OEBPS/c1.xhtml(2,92): plain text", "ERROR,RSC-005,OEBPS/c1.xhtml,2,92,plain text"},
        {"WARNING(OPF-003): b.epub(-1,-1): Item \"a, b\" exists", "WARNING,OPF-003,,,,\"Item \"\"a, b\"\" exists\""},
        {"ERROR(PKG-009): b.epub/x/un \"q\".txt(-1,-1): t", "ERROR,PKG-009,\"x/un \"\"q\"\".txt\",,,t"},
        {"INFO(X-1): b.epub/a,b.css(7,-1): t", "INFO,X-1,\"a,b.css\",7,,t"},
        {"WARNING(HTM-014): b.epub/g.xhtml#o1006(-1,-1): t", "WARNING,HTM-014,g.xhtml#o1006,,,t"},
        {"USAGE(X-2): b.epub/é.xhtml(1,1): ü", "USAGE,X-2,é.xhtml,1,1,ü"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(messagesAsCsv({message(c.line)}), "severity,code,file,line,column,text\r\n" + std::string(c.row) + "\r\n")
            << c.line;
    }
    ReportMessage broken = message("ERROR(X-3): b.epub/a.xhtml(1,2): t");
    broken.text = "first\nsecond\rthird";
    EXPECT_EQ(messagesAsCsv({broken}), "severity,code,file,line,column,text\r\nERROR,X-3,a.xhtml,1,2,\"first\nsecond\rthird\"\r\n");
    EXPECT_EQ(messagesAsCsv({}), "severity,code,file,line,column,text\r\n");
}

TEST(MessageExport, JsonEscapesAndGivesNullsForWhatIsMissing)
{
    const std::vector<ReportMessage> messages = {
        message("ERROR(RSC-005): b.epub/OEBPS/c 1.xhtml(2,92): say \"hi\" \\ there"),
        message("FATAL(PKG-008): b.epub(-1,-1): Unable to read file"),
    };
    EXPECT_EQ(messagesAsJson("books/b.epub", messages),
        "{\"book\": \"books/b.epub\", \"messages\": [\n"
        "  {\"severity\": \"ERROR\", \"code\": \"RSC-005\", \"file\": \"OEBPS/c 1.xhtml\", \"line\": 2, \"column\": 92, "
        "\"text\": \"say \\\"hi\\\" \\\\ there\"},\n"
        "  {\"severity\": \"FATAL\", \"code\": \"PKG-008\", \"file\": null, \"line\": null, \"column\": null, "
        "\"text\": \"Unable to read file\"}\n"
        "]}\n");
    EXPECT_EQ(messagesAsJson("", {}), "{\"book\": \"\", \"messages\": []}\n");
}

// Strings come out as valid UTF-8 JSON whatever bytes the report held.
TEST(MessageExport, JsonStringsAreValidWhateverTheBytes)
{
    struct Case {
        std::string text;
        std::string json;
    };
    const Case cases[] = {
        {"tab\there", "tab\\u0009here"},
        {std::string("nul\0!", 5), "nul\\u0000!"},
        {"\x1f", "\\u001f"},
        {"caf\xc3\xa9 \xf0\x9f\x93\x96", "caf\xc3\xa9 \xf0\x9f\x93\x96"},
        {"latin1 caf\xe9!", "latin1 caf\xef\xbf\xbd!"},
        {"cut \xe2\x82", "cut \xef\xbf\xbd\xef\xbf\xbd"},
        {"overlong \xc0\xaf", "overlong \xef\xbf\xbd\xef\xbf\xbd"},
        {"surrogate \xed\xa0\x80", "surrogate \xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd"},
        {"past the end \xf4\x90\x80\x80", "past the end \xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(messagesAsJson(c.text, {}), "{\"book\": \"" + c.json + "\", \"messages\": []}\n") << c.json;
    }
}

TEST(MessageExport, FormatFollowsTheExtensionElseTheChosenType)
{
    struct Case {
        const char* file;
        ReportFormat chosen;
        ReportFormat expected;
    };
    const Case cases[] = {
        {"/a/report.csv", ReportFormat::Text, ReportFormat::Csv},
        {"/a/report.JSON", ReportFormat::Csv, ReportFormat::Json},
        {"/a/report.txt", ReportFormat::Json, ReportFormat::Text},
        {"/a/report", ReportFormat::Json, ReportFormat::Json},
        {"/a/report.csv.bak", ReportFormat::Csv, ReportFormat::Csv},
        {"/a/json", ReportFormat::Text, ReportFormat::Text},
    };
    for (const Case& c : cases)
        EXPECT_EQ(reportFormatOf(c.file, c.chosen), c.expected) << c.file;
}

} // namespace
