#include "report/host_answer_bytes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using tessaly::report::HostAnswerBytes;

std::string endRecordLine(const std::string& token, bool added)
{
    return std::string(added ? "\n" : "") + "\x1etessaly-end " + token + " exit 1 " + (added ? "1" : "0") + " - " + token
        + "\n";
}

struct AnswerCase {
    const char* name;
    std::vector<std::string> pieces; // the host's output, as it arrives
    bool added;
    std::string answer;
    std::string next; // the following answer
};

TEST(HostAnswerBytes, CutsOutExactlyWhatTheCheckerWrote)
{
    const std::string output = "Validating\tusing\r\nERROR: one\n\nMessages: 0 fatals\n";
    const AnswerCase cases[] = {
        {"whole", {output + endRecordLine("t1", false) + "next\n" + endRecordLine("t2", false)}, false, output, "next\n"},
        {"byte by byte", {}, false, output, "next\n"},
        {"no final line feed", {"last line" + endRecordLine("t1", true) + "next" + endRecordLine("t2", true)}, true, "last line", "next"},
        {"ends with an empty line", {"text\n\n" + endRecordLine("t1", false) + endRecordLine("t2", false)}, false, "text\n\n", ""},
        {"record text of another token stays", {"\x1etessaly-end x exit 0 0 - x\n" + endRecordLine("t1", false) + endRecordLine("t2", false)},
            false, "\x1etessaly-end x exit 0 0 - x\n", ""},
    };
    for (AnswerCase c : cases) {
        SCOPED_TRACE(c.name);
        if (c.pieces.empty()) {
            for (char byte : output + endRecordLine("t1", false) + "next\n" + endRecordLine("t2", false))
                c.pieces.emplace_back(1, byte);
        }
        HostAnswerBytes bytes;
        std::size_t piece = 0;
        // The line filter sees a record complete once its closing token is
        // there, possibly before the line feed that ends it.
        std::string seen;
        for (; piece < c.pieces.size() && seen.find("- t1") == std::string::npos;
             ++piece) {
            bytes.add(c.pieces[piece]);
            seen += c.pieces[piece];
        }
        EXPECT_EQ(bytes.take("t1", c.added), c.answer);
        for (; piece < c.pieces.size(); ++piece)
            bytes.add(c.pieces[piece]);
        EXPECT_EQ(bytes.take("t2", c.added), c.next);
    }
}

TEST(HostAnswerBytes, ResetForgetsTheOldHostsBytes)
{
    HostAnswerBytes bytes;
    bytes.add("start-up notice\n\x1etessaly-end w exit 0 0");
    bytes.reset();
    bytes.add("report\n" + endRecordLine("t", false));
    EXPECT_EQ(bytes.take("t", false), "report\n");
}

} // namespace
