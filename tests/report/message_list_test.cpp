#include "report/message_list.h"
#include "report/report.h"
#include "report/report_filter.h"

#include "captured_output.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

using namespace tessaly::report;

namespace {

// A list that follows a report the way a view does: told of every change.
class Follower : public Report::Observer {
public:
    explicit Follower(Report& report) : m_report(report) { report.setObserver(this); }
    ~Follower() override { m_report.setObserver(nullptr); }
    void linesChanged(std::size_t keptLines) override { lastKept = list.follow(m_report.lines(), keptLines); }
    void cleared() override { list.clear(); }
    void marksChanged() override {}

    MessageList list;
    std::size_t lastKept = 0;

private:
    Report& m_report;
};

std::vector<std::string> reportLinesOf(const MessageList& list)
{
    std::vector<std::string> lines;
    for (const ReportMessage& message : list.messages())
        lines.push_back(message.reportLine);
    return lines;
}

// Each line of the checker's output arrives in two parts, the second
// continuing the first, as the reader hands on a line that is still open:
// the list ends as if it had read the finished report at once.
TEST(MessageList, FollowsAReportWhoseLinesArriveInParts)
{
    Report report;
    ReportFilter filter(report);
    Follower follower(report);
    for (const std::string& line : tessaly::testing::capturedCheckerOutput()) {
        filter.add(line.substr(0, line.size() / 2));
        filter.add(line, false);
    }
    MessageList atOnce;
    atOnce.follow(report.lines(), 0);
    EXPECT_EQ(follower.list.messages(), atOnce.messages());
    EXPECT_EQ(follower.list.size(), 103u);
    for (std::size_t i = 0; i < severityCount; ++i)
        EXPECT_EQ(follower.list.count(Severity(i)), atOnce.count(Severity(i)));
    for (std::size_t i = 0; i < atOnce.size(); ++i)
        EXPECT_EQ(report.lines()[atOnce.reportLineOf(i)], atOnce[i].reportLine);
}

TEST(MessageList, TakingBackALineDropsItsMessageAndItsCount)
{
    Report report;
    Follower follower(report);
    report.appendLine("Validating using EPUB version 2.0.1 rules.");
    report.appendLine("ERROR(A-1): b.epub/x.xhtml(1,2): one");
    report.appendLine("WARNING(A-2): b.epub/x.xhtml(3,4): tw");
    EXPECT_EQ(follower.lastKept, 1u);
    EXPECT_EQ(follower.list.count(Severity::Warning), 1u);
    report.removeLastLine();
    EXPECT_EQ(follower.lastKept, 1u);
    EXPECT_EQ(follower.list.count(Severity::Warning), 0u);
    report.appendLine("WARNING(A-2): b.epub/x.xhtml(3,4): two");
    ASSERT_EQ(follower.list.size(), 2u);
    EXPECT_EQ(follower.list[1].text, "two");
    EXPECT_EQ(follower.list.reportLineOf(1), 2u);
    EXPECT_EQ(follower.list.count(Severity::Warning), 1u);
    EXPECT_EQ(follower.list.count(Severity::Error), 1u);

    report.clear();
    EXPECT_EQ(follower.list.size(), 0u);
    EXPECT_EQ(follower.list.count(Severity::Error), 0u);
    report.appendLine("FATAL(A-3): b.epub(-1,-1): again");
    EXPECT_EQ(follower.list.size(), 1u);
}

// Changes told late and together (a view that catches up in batches) give
// the same list as changes told one by one.
TEST(MessageList, CatchesUpOnSeveralChangesAtOnce)
{
    std::vector<std::string> lines = {"ERROR(A-1): b.epub/x.xhtml(1,2): one", "note",
        "WARNING(A-2): b.epub/y.xhtml(3,4): two"};
    MessageList list;
    list.follow(lines, 0);
    // The last line was taken back and two came after it.
    lines.back() = "WARNING(A-2): b.epub/y.xhtml(3,4): two, whole";
    lines.push_back("USAGE(A-4): b.epub/z.xhtml(5,6): three");
    EXPECT_EQ(list.follow(lines, 2), 1u);
    EXPECT_EQ(reportLinesOf(list), std::vector<std::string>({lines[0], lines[2], lines[3]}));
}

TEST(MessageList, TheBooksNameSplitsItsLocation)
{
    MessageList list;
    list.setBookName("draft.zip");
    list.follow({"ERROR(A-1): ./in/draft.zip/OEBPS/a.xhtml(1,2): t"}, 0);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].file, "OEBPS/a.xhtml");
}

} // namespace
