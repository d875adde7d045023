// The report's lines and what its observer is told: a view that follows it
// must learn which lines it still shows correctly.
#include "report/report.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using tessaly::report::Report;

// Writes down every notice as text.
class Recorder : public Report::Observer {
public:
    void linesChanged(std::size_t keptLines) override { notices.push_back("kept " + std::to_string(keptLines)); }
    void cleared() override { notices.push_back("cleared"); }
    void marksChanged() override { notices.push_back("marks"); }
    std::vector<std::string> notices;
};

TEST(ReportTest, TheObserverLearnsWhichLinesAreStillAsTheyWere)
{
    Report report;
    Recorder recorder;
    report.setObserver(&recorder);
    report.appendLine("a");
    report.appendLine("b");
    report.removeLastLine();
    report.removeLastLine();
    report.removeLastLine(); // nothing left: no change, no notice
    report.appendLine("c");
    report.markLines({true});
    report.clear();
    EXPECT_EQ(recorder.notices,
        (std::vector<std::string>{"kept 0", "kept 1", "kept 1", "kept 0", "kept 0", "marks", "cleared"}));
    EXPECT_TRUE(report.lines().empty());
    EXPECT_EQ(report.lastLine(), "");
}

TEST(ReportTest, MarksHoldForTheirLinesAndGoWithClear)
{
    Report report;
    for (const char* line : {"ERROR(RSC-005): a", "Validating", "WARNING(OPF-003): b"})
        report.appendLine(line);
    report.markLines({true, false});
    EXPECT_TRUE(report.isMarked(0));
    EXPECT_FALSE(report.isMarked(1));
    EXPECT_FALSE(report.isMarked(2)) << "a line past the marks is not marked";
    report.clear();
    report.appendLine("again");
    EXPECT_FALSE(report.isMarked(0));
}

TEST(ReportTest, WithoutObserverChangesStillHold)
{
    Report report;
    Recorder recorder;
    report.setObserver(&recorder);
    report.setObserver(nullptr);
    report.appendLine("a");
    report.appendLine("b");
    report.removeLastLine();
    EXPECT_EQ(report.lines(), std::vector<std::string>{"a"});
    EXPECT_TRUE(recorder.notices.empty());
}

} // namespace

namespace {

// Stops observing when first told of a change.
class Leaver : public Report::Observer {
public:
    explicit Leaver(Report& report) : m_report(report) {}
    void linesChanged(std::size_t) override { m_report.removeObserver(this); ++told; }
    void cleared() override {}
    void marksChanged() override {}
    int told = 0;

private:
    Report& m_report;
};

TEST(ReportTest, SeveralObserversAreEachToldOnceInTheOrderTheyCame)
{
    Report report;
    Recorder text, messages;
    Leaver leaver(report);
    report.addObserver(&leaver);
    report.addObserver(&text);
    report.addObserver(&messages);
    report.addObserver(&text); // already there: still told once
    report.appendLine("a");
    report.appendLine("b");
    report.removeObserver(&messages);
    report.clear();
    EXPECT_EQ(leaver.told, 1) << "removed while being told, and not told again";
    EXPECT_EQ(text.notices, (std::vector<std::string>{"kept 0", "kept 1", "cleared"}));
    EXPECT_EQ(messages.notices, (std::vector<std::string>{"kept 0", "kept 1"}));
    report.setObserver(&messages); // replaces every other observer
    report.appendLine("c");
    EXPECT_EQ(text.notices.size(), 3u);
    EXPECT_EQ(messages.notices.back(), "kept 0");
}

} // namespace
