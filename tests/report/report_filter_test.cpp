#include "report/report_filter.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using tessaly::report::ReportFilter;

class VectorLines : public tessaly::report::ReportLines {
public:
    std::string lastLine() const override { return lines.empty() ? std::string() : lines.back(); }
    void appendLine(const std::string& line) override { lines.push_back(line); }
    void removeLastLine() override { lines.pop_back(); }
    std::vector<std::string> lines;
};

struct FilterCase {
    const char* name;
    std::vector<std::string> reports;
    std::vector<std::string> expected;
};

const std::string passed = "Passed! No errors or warnings detected";

class ReportFilterCases : public testing::TestWithParam<FilterCase> {};

TEST_P(ReportFilterCases, GivesTheLinesTheUserReads)
{
    VectorLines memo;
    ReportFilter filter(memo);
    for (const auto& report : GetParam().reports)
        filter.add(report);
    EXPECT_EQ(memo.lines, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Reports, ReportFilterCases,
    testing::Values(
        FilterCase{"FirstReportEmpty", {"", "A"}, {"A"}},
        FilterCase{"EmptyRunsBecomeOneLine", {"A", "", "", "B"}, {"A", "", "B"}},
        FilterCase{"TrailingEmptyKept", {"A", ""}, {"A", ""}},
        FilterCase{"SuccessTwice", {"No errors or warnings detected", "No errors or warnings detected"}, {passed}},
        FilterCase{"SuccessWithPeriod", {"No errors or warnings detected."}, {passed}},
        FilterCase{"SuccessBothForms", {"No errors or warnings detected.", "No errors or warnings detected"}, {passed}},
        FilterCase{"SuccessAroundOtherText",
            {"No errors or warnings detected", "x", "No errors or warnings detected"}, {passed, "x", passed}},
        FilterCase{"SuccessAfterEmptyLine", {"A", "", "No errors or warnings detected"}, {"A", "", passed}},
        FilterCase{"SuccessOtherCaseIsText", {"no errors or warnings detected"}, {"no errors or warnings detected"}},
        FilterCase{"SuccessTwoPeriodsIsText", {"No errors or warnings detected.."}, {"No errors or warnings detected.."}},
        FilterCase{"PassedLineReportedVerbatimNotRepeated",
            {"Passed! No errors or warnings detected", "No errors or warnings detected"}, {passed}},
        FilterCase{"BannerDropped", {"Epubcheck Version 1.0.5", "A"}, {"A"}},
        FilterCase{"OtherVersionShown", {"Epubcheck Version 4.2.6"}, {"Epubcheck Version 4.2.6"}},
        FilterCase{"BannerWithTrailingSpaceShown", {"Epubcheck Version 1.0.5 "}, {"Epubcheck Version 1.0.5 "}},
        FilterCase{"NewLinesAreSeparateLines", {"Check", "Checking file"}, {"Check", "Checking file"}},
        FilterCase{"NothingReported", {}, {}}),
    [](const testing::TestParamInfo<FilterCase>& info) { return std::string(info.param.name); });

// A report's text and whether it starts a new line, as the reader gives them.
struct Piece {
    std::string text;
    bool startsOnNewLine;
};

struct ContinuationCase {
    const char* name;
    std::vector<Piece> reports;
    std::vector<std::string> expected;
};

class ReportFilterContinuations : public testing::TestWithParam<ContinuationCase> {};

TEST_P(ReportFilterContinuations, ShowEachLineOnceAndWhole)
{
    VectorLines memo;
    ReportFilter filter(memo);
    for (const auto& [text, startsOnNewLine] : GetParam().reports)
        filter.add(text, startsOnNewLine);
    EXPECT_EQ(memo.lines, GetParam().expected);
}

const std::string success = "No errors or warnings detected.";
const std::string banner = "Epubcheck Version 1.0.5";

INSTANTIATE_TEST_SUITE_P(Reports, ReportFilterContinuations,
    testing::Values(
        ContinuationCase{"PartThenWhole", {{"A", true}, {"Chec", true}, {"Checking", false}, {"B", true}},
            {"A", "Checking", "B"}},
        ContinuationCase{"SeveralParts", {{"a", true}, {"ab", false}, {"abc", false}}, {"abc"}},
        ContinuationCase{"PartThenWholeSuccessLine",
            {{"x", true}, {"No errors", true}, {success, false}}, {"x", passed}},
        ContinuationCase{"PartOfSuccessAfterPassedLine",
            {{success, true}, {"No err", true}, {success, false}}, {passed}},
        ContinuationCase{"PartThenWholeBanner", {{"A", true}, {"Epubcheck Ver", true}, {banner, false}, {"B", true}},
            {"A", "B"}},
        ContinuationCase{"FilteredPartIsFilteredAnew",
            {{"A", true}, {banner, true}, {banner + " and more", false}}, {"A", banner + " and more"}},
        ContinuationCase{"EmptyPieceBetweenParts", {{"A", true}, {"", true}, {"Bc", false}, {"", true}},
            {"A", "Bc", ""}},
        ContinuationCase{"EmptyPartAtTheTopAddsNothing", {{"", true}, {"A", false}}, {"A"}},
        ContinuationCase{"PartThenEmptyLine", {{"A", true}, {"x", true}, {"", false}}, {"A", ""}},
        ContinuationCase{"ContinuationAfterBlankLineKeepsIt", {{"A", true}, {"", true}, {"", true}, {"B", true}, {"Bc", false}},
            {"A", "", "Bc"}}),
    [](const testing::TestParamInfo<ContinuationCase>& info) { return std::string(info.param.name); });

TEST(ReportFilter, RemembersTheLastReport)
{
    VectorLines memo;
    ReportFilter filter(memo);
    filter.add("Epubcheck Version 1.0.5");
    EXPECT_EQ(filter.checkstr(), "Epubcheck Version 1.0.5");
    filter.add("");
    EXPECT_EQ(filter.checkstr(), "");
}

} // namespace
