// The warm checker host's end records are taken out of its output, whole or
// in parts, and no part of them ever reaches the report.
#include "report/end_record_filter.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

using tessaly::report::EndRecordFilter;

const std::string token = "0123456789abcdef0123456789abcdef";
const std::string record = "\x1etessaly-end " + token + " exit 1 0 - " + token;

struct Collected {
    std::vector<std::pair<std::string, bool>> reports;
    EndRecordFilter filter{[this](const std::string& text, bool startsOnNewLine) {
        reports.emplace_back(text, startsOnNewLine);
    }};
};

TEST(EndRecordFilter, ParsesStatusCodeAndReason)
{
    const auto ended = EndRecordFilter::parse(record, token);
    ASSERT_TRUE(ended.has_value());
    EXPECT_FALSE(ended->failed);
    EXPECT_EQ(ended->exitCode, 1u);

    const auto failed = EndRecordFilter::parse(
        "\x1etessaly-end " + token + " failed 0 1 out-of-memory " + token, token);
    ASSERT_TRUE(failed.has_value());
    EXPECT_TRUE(failed->failed);
    EXPECT_EQ(failed->reason, "out-of-memory");

    // An exit status keeps only its low byte, as a process's does.
    EXPECT_EQ(EndRecordFilter::parse("\x1etessaly-end " + token + " exit 257 0 - " + token, token)->exitCode, 1u);
}

TEST(EndRecordFilter, RefusesRecordsThatAreNotWholeOrNotOurs)
{
    const std::string other = "ffffffffffffffffffffffffffffffff";
    for (const std::string& line : {
             "\x1etessaly-end " + token + " exit 1 0 - " + token.substr(0, 31), // closing token cut
             "\x1etessaly-end " + token + " exit 1 0 -",                          // closing token missing
             "\x1etessaly-end " + other + " exit 1 0 - " + other,                 // another request's
             "\x1etessaly-end " + token + " exit x 0 - " + token,                 // no number
             "\x1etessaly-end " + token + " done 1 0 - " + token,                 // unknown status
             "tessaly-end " + token + " exit 1 0 - " + token,                     // no separator
         })
        EXPECT_FALSE(EndRecordFilter::parse(line, token).has_value()) << line;
}

TEST(EndRecordFilter, PassesTheReportAndStopsAtTheRecord)
{
    Collected c;
    c.filter.expect(token, true);
    EXPECT_FALSE(c.filter.add("Validating using EPUB version 3.2 rules.", true));
    EXPECT_FALSE(c.filter.add("", true));
    const auto ended = c.filter.add(record, true);
    ASSERT_TRUE(ended.has_value());
    EXPECT_EQ(ended->exitCode, 1u);
    EXPECT_FALSE(c.filter.expecting());
    const std::vector<std::pair<std::string, bool>> expected{
        {"Validating using EPUB version 3.2 rules.", true}, {"", true}};
    EXPECT_EQ(c.reports, expected);
}

TEST(EndRecordFilter, EmptyLineEndedByTheHostIsDropped)
{
    // Output whose last line holds no text ("...\n\b\b"): the host ends it
    // with a line feed of its own, which must not become a blank line that
    // the checker run directly would not show. A real blank line stays.
    for (const bool added : {true, false}) {
        Collected c;
        c.filter.expect(token, true);
        EXPECT_FALSE(c.filter.add("text", true));
        EXPECT_FALSE(c.filter.add("", true));
        const std::string answer
            = "\x1etessaly-end " + token + " exit 0 " + (added ? "1" : "0") + " - " + token;
        ASSERT_TRUE(c.filter.add(answer.substr(0, 20), true) == std::nullopt);
        const auto ended = c.filter.add(answer, false);
        ASSERT_TRUE(ended.has_value());
        EXPECT_EQ(ended->addedLineFeed, added);
        std::vector<std::pair<std::string, bool>> expected{{"text", true}};
        if (!added)
            expected.emplace_back("", true);
        EXPECT_EQ(c.reports, expected) << (added ? "added" : "printed");
    }
}

TEST(EndRecordFilter, RecordArrivingInPartsNeverReachesTheReport)
{
    // Every way the runner may report the record line: cut anywhere, then
    // continued, then reported once more when its line feed arrives.
    for (std::size_t cut = 1; cut < record.size(); ++cut) {
        Collected c;
        c.filter.expect(token, true);
        c.filter.add("line", true);
        EXPECT_FALSE(c.filter.add(record.substr(0, cut), true)) << cut;
        const auto ended = c.filter.add(record, false);
        ASSERT_TRUE(ended.has_value()) << cut;
        EXPECT_FALSE(c.filter.add(record, false)) << cut;
        ASSERT_EQ(c.reports.size(), 1u) << cut;
        EXPECT_EQ(c.reports[0].first, "line");
    }
}

TEST(EndRecordFilter, TextThatOnlyLooksLikeARecordStartIsShownWhole)
{
    Collected c;
    c.filter.expect(token, true);
    // Held while it may still become the record, then shown as a new line.
    c.filter.add("\x1etessaly", true);
    c.filter.add("\x1etessaly is not a record", false);
    // Held, then ended by the next line: shown as it was.
    c.filter.add("\x1etess", true);
    c.filter.add("next", true);
    // A record of another request is ordinary text.
    const std::string foreign = "\x1etessaly-end ffffffffffffffffffffffffffffffff exit 0 0 - x";
    c.filter.add(foreign, true);
    const std::vector<std::pair<std::string, bool>> expected{
        {"\x1etessaly is not a record", true}, {"\x1etess", true}, {"next", true}, {foreign, true}};
    EXPECT_EQ(c.reports, expected);
    EXPECT_TRUE(c.filter.expecting());
}

TEST(EndRecordFilter, ContinuedLinesKeepTheirFlagAndSilentRequestsAreDropped)
{
    const std::string warm = "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa";
    Collected c;
    c.filter.expect(warm, false);
    c.filter.expect(token, true);
    c.filter.add("WARNING: start-up notice", true);
    ASSERT_TRUE(c.filter.add("\x1etessaly-end " + warm + " exit 0 0 - " + warm, true));
    c.filter.add("abc", true);
    c.filter.add("abcdef", false);
    ASSERT_TRUE(c.filter.add(record, true));
    const std::vector<std::pair<std::string, bool>> expected{{"abc", true}, {"abcdef", false}};
    EXPECT_EQ(c.reports, expected);
}

} // namespace
