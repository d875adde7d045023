#include "report/check_verdict.h"
#include "report/report_comparison.h"

#include <gtest/gtest.h>

namespace {

using namespace tessaly::report;

TEST(SummaryLine, ReadsTheCountsInEveryForm)
{
    EXPECT_EQ(parseSummaryLine("Messages: 0 fatals / 3540 errors / 0 warnings / 0 infos"),
        (MessageCounts{0, 3540, 0, 0}));
    EXPECT_EQ(parseSummaryLine("Messages: 1 fatal / 1 error / 1 warning / 1 info"), (MessageCounts{1, 1, 1, 1}));
    for (const char* notSummary : {"Messages: 1 fatal / 1 error / 1 warning", "Messages: x fatals / 0 errors / 0 warnings / 0 infos",
             "Messages: 0 fatals / 0 errors / 0 warnings / 0 infos.", " Messages: 0 fatals / 0 errors / 0 warnings / 0 infos",
             "ERROR(RSC-005): Messages: 0 fatals / 0 errors / 0 warnings / 0 infos", ""})
        EXPECT_FALSE(parseSummaryLine(notSummary).has_value()) << notSummary;
}

TEST(CheckVerdict, FromTheExitCodeAndTheSummaryTogether)
{
    struct Case {
        const char* name;
        std::uint32_t exitCode;
        std::vector<std::string> report;
        std::string expected;
        VerdictKind kind;
    };
    const std::string clean = "Messages: 0 fatals / 0 errors / 0 warnings / 0 infos";
    const Case cases[] = {
        {"clean book", 0, {"Validating using EPUB version 3.2 rules.", "Passed! No errors or warnings detected", clean, "", "EPUBCheck completed"}, "Passed", VerdictKind::Passed},
        {"errors", 1, {"ERROR(RSC-005): a", "Messages: 0 fatals / 2 errors / 1 warning / 0 infos"}, "2 errors, 1 warning", VerdictKind::Errors},
        {"fatals count as errors", 1, {"Messages: 1 fatal / 1 error / 0 warnings / 0 infos"}, "2 errors, 0 warnings", VerdictKind::Errors},
        {"warnings only", 0, {"Messages: 0 fatals / 0 errors / 3 warnings / 0 infos"}, "0 errors, 3 warnings", VerdictKind::Warnings},
        {"missing file", 1, {"File not found: \"/x.epub\"", clean, "", "EPUBCheck completed"}, "The checker failed (exit code 1)", VerdictKind::CheckerFailed},
        {"errors but exit code 0", 0, {"Messages: 0 fatals / 1 error / 0 warnings / 0 infos"}, "The checker failed (exit code 0)", VerdictKind::CheckerFailed},
        {"no summary", 0, {"Passed! No errors or warnings detected"}, "The checker failed (exit code 0)", VerdictKind::CheckerFailed},
        {"runtime crashed", 134, {"#", "# A fatal error has been detected by the Java Runtime Environment:"}, "The checker failed (exit code 134)", VerdictKind::CheckerFailed},
        {"the last summary counts", 1, {clean, "Messages: 0 fatals / 1 error / 0 warnings / 0 infos"}, "1 error, 0 warnings", VerdictKind::Errors},
        {"nothing at all", 127, {}, "The checker failed (exit code 127)", VerdictKind::CheckerFailed},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(checkVerdict(c.exitCode, c.report), c.expected) << c.name;
        const Verdict verdict = verdictOf(c.exitCode, c.report);
        EXPECT_EQ(verdict.text, c.expected) << c.name;
        EXPECT_EQ(verdict.kind, c.kind) << c.name;
        if (c.kind == VerdictKind::CheckerFailed)
            EXPECT_EQ(verdict.counts, MessageCounts{}) << c.name << ": counts that cannot be trusted are not given";
    }
}

TEST(ReportComparison, MessagesMatchWithoutTheirPositions)
{
    EXPECT_EQ(messageKey("ERROR(RSC-007): a.epub/EPUB/c1.xhtml(12,50): Referenced resource \"x.png\" could not be found."),
        "ERROR(RSC-007): a.epub/EPUB/c1.xhtml(,): Referenced resource \"x.png\" could not be found.");
    EXPECT_EQ(messageKey("FATAL(PKG-008): nz.epub(-1,-1): Unable to read file"), "FATAL(PKG-008): nz.epub(,): Unable to read file");
    EXPECT_EQ(messageKey("Messages: 0 fatals / 1 error / 0 warnings / 0 infos"), "");
    EXPECT_EQ(messageKey("Check finished with errors"), "");
    EXPECT_EQ(messageKey("WARNING(X): f(1,-)"), "WARNING(X): f(1,-)") << "not a position";
}

TEST(ReportComparison, CountsNewAndGoneMessages)
{
    const std::vector<std::string> previous = {
        "Validating using EPUB version 3.2 rules.",
        "ERROR(RSC-007): a.epub/c1.xhtml(3,9): Referenced resource \"one.png\" could not be found.",
        "ERROR(RSC-007): a.epub/c1.xhtml(4,9): Referenced resource \"two.png\" could not be found.",
        "WARNING(HTM-1): a.epub/c1.xhtml(5,1): twice",
        "WARNING(HTM-1): a.epub/c1.xhtml(5,1): twice",
        "Messages: 0 fatals / 2 errors / 2 warnings / 0 infos",
    };
    const std::vector<std::string> current = {
        "Validating using EPUB version 3.2 rules.",
        "ERROR(RSC-007): a.epub/c1.xhtml(30,9): Referenced resource \"one.png\" could not be found.",
        "ERROR(RSC-005): a.epub/c1.xhtml(8,2): new fault",
        "WARNING(HTM-1): a.epub/c1.xhtml(5,1): twice",
        "WARNING(HTM-1): a.epub/c1.xhtml(5,1): twice",
        "WARNING(HTM-1): a.epub/c1.xhtml(5,1): twice",
        "Messages: 0 fatals / 2 errors / 3 warnings / 0 infos",
    };
    const ReportComparison comparison = compareReports(previous, current);
    EXPECT_EQ(comparison.newLines, (std::vector<bool>{false, false, true, false, false, true, false}));
    EXPECT_EQ(comparison.newCount, 2);
    EXPECT_EQ(comparison.goneCount, 1) << "two.png is fixed";
    const ReportComparison same = compareReports(current, current);
    EXPECT_EQ(same.newCount, 0);
    EXPECT_EQ(same.goneCount, 0);
}

} // namespace
