#include "app/report_filter.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using tessaly::app::ReportFilter;

class VectorLines : public tessaly::app::ReportLines {
public:
    std::string lastLine() const override { return lines.empty() ? std::string() : lines.back(); }
    void appendLine(const std::string& line) override { lines.push_back(line); }
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
        FilterCase{"PartThenWholeLineBothShown", {"Check", "Checking file"}, {"Check", "Checking file"}},
        FilterCase{"NothingReported", {}, {}}),
    [](const testing::TestParamInfo<FilterCase>& info) { return std::string(info.param.name); });

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
