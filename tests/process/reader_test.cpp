#include "platform/plain_main_thread.h"
#include "process/create_process.h"
#include "process_test_support.h"

#include <gtest/gtest.h>

#include <random>

using namespace tessaly;
using namespace tessaly::process;
using test::Report;
using Reports = std::vector<Report>;

namespace {

// Feeds pieces straight into the output reader, as the main thread would.
struct LineAssembly : ::testing::Test {
    platform::PlainMainThread loop;
    CreateProcess process{loop};
    Reports reads;
    std::vector<std::string> raw;

    LineAssembly()
    {
        process.setConsoleOptions(ConsoleOptions::Redirect);
        process.setOnRead([this](CreateProcess&, const std::string& text, bool startsOnNewLine) {
            reads.emplace_back(text, startsOnNewLine);
        });
        process.setOnRawRead([this](CreateProcess&, const std::string& text) { raw.push_back(text); });
    }

    void feed(std::string_view piece) { process.inputReader().parsePiece(piece); }
};

} // namespace

TEST_F(LineAssembly, ConsoleRules)
{
    struct Case {
        const char* name;
        std::vector<std::string> pieces;
        Reports expected;
    };
    using namespace std::string_literals;
    const std::vector<Case> cases = {
        {"two lines in one piece", {"a\r\nb\r\n"}, {{"a", true}, {"b", true}}},
        {"line split over two pieces", {"abc", "def\n"}, {{"abc", true}, {"abcdef", false}}},
        {"progress rewritten", {"10%\r20%\r100%\n"}, {{"100%", true}}},
        {"carriage return overwrites", {"100%\r5%\n"}, {{"5%0%", true}}},
        {"backspace", {"ab\bc\n"}, {{"ac", true}}},
        {"backspace at line start", {"\b\bx\n"}, {{"x", true}}},
        {"tab is eight spaces", {"\ta\n"}, {{"        a", true}}},
        {"tab overwrites", {"abcdefghij\r\tZ\n"}, {{"        Zj", true}}},
        {"NUL and BEL become spaces", {"a\0b\ac\n"s}, {{"a b c", true}}},
        {"unterminated", {"done"}, {{"done", true}}},
        {"an open line is reported again only when it changed", {"x", "", "y"}, {{"x", true}, {"xy", false}}},
        {"an empty open line is not reported", {"a\n", "", "\n"}, {{"a", true}, {"", true}}},
        {"bytes kept as they are", {"caf\xc3\xa9 \xff\n"}, {{"caf\xc3\xa9 \xff", true}}},
    };
    for (const auto& c : cases) {
        CreateProcess fresh(loop);
        Reports got;
        fresh.setOnRead([&](CreateProcess&, const std::string& text, bool startsOnNewLine) {
            got.emplace_back(text, startsOnNewLine);
        });
        for (const auto& piece : c.pieces)
            fresh.inputReader().parsePiece(piece);
        EXPECT_EQ(got, c.expected) << c.name;
    }
}

TEST_F(LineAssembly, ConsoleOutputKeepsLinesAndReplacesTheOpenOne)
{
    feed("a\r\nb\r\nc");
    EXPECT_EQ(process.consoleOutput(), (std::vector<std::string>{"a", "b", "c"}));
    feed("d\r\n");
    EXPECT_EQ(reads, (Reports{{"a", true}, {"b", true}, {"c", true}, {"cd", false}}));
    EXPECT_EQ(process.consoleOutput(), (std::vector<std::string>{"a", "b", "cd"}));
}

TEST_F(LineAssembly, OwnerDataKeepsNoLines)
{
    process.setConsoleOptions(ConsoleOptions::Redirect | ConsoleOptions::OwnerData);
    feed("a\nb\n");
    EXPECT_TRUE(process.consoleOutput().empty());
    EXPECT_EQ(reads.size(), 2u);
}

TEST_F(LineAssembly, RawReadGetsThePieceUnchanged)
{
    using namespace std::string_literals;
    feed("a\0b\r\n"s);
    ASSERT_EQ(raw.size(), 1u);
    EXPECT_EQ(raw[0], "a\0b\r\n"s);
}

TEST_F(LineAssembly, LongLineReportedAtEveryPiece)
{
    const std::string line(3000, 'x');
    feed(std::string_view(line).substr(0, 1024));
    feed(std::string_view(line).substr(1024, 1024));
    feed(std::string_view(line).substr(2048));
    ASSERT_EQ(reads.size(), 3u);
    EXPECT_EQ(reads[0], Report(line.substr(0, 1024), true));
    EXPECT_EQ(reads[1], Report(line.substr(0, 2048), false));
    EXPECT_EQ(reads[2], Report(line, false));
}

TEST_F(LineAssembly, FailingHandlerDoesNotCorruptTheNextLine)
{
    bool fail = true;
    process.setOnRead([&](CreateProcess&, const std::string& text, bool startsOnNewLine) {
        reads.emplace_back(text, startsOnNewLine);
        if (std::exchange(fail, false))
            throw Error("handler failed");
    });
    EXPECT_THROW(feed("first\nlost\n"), Error);
    feed("second\n");
    EXPECT_EQ(reads, (Reports{{"first", true}, {"second", true}}));
}

namespace {

// The console rules written out byte by byte, as a reference for the
// assembly that skips ordinary text in blocks.
struct ReferenceConsole {
    std::string line;
    std::size_t cursor = 0;
    bool startsOnNewLine = true;
    bool changed = false;
    Reports reports;

    void put(const std::string& bytes)
    {
        changed = true;
        if (line.size() < cursor + bytes.size())
            line.resize(cursor + bytes.size());
        line.replace(cursor, bytes.size(), bytes);
        cursor += bytes.size();
    }
    void report(bool ended)
    {
        reports.emplace_back(line, startsOnNewLine);
        if (ended) {
            line.clear();
            cursor = 0;
        }
        startsOnNewLine = ended;
        changed = false;
    }
    void piece(const std::string& bytes)
    {
        for (const char byte : bytes) {
            switch (byte) {
            case 0:
            case 7: put(" "); break;
            case 8: cursor = cursor > 0 ? cursor - 1 : 0; break;
            case 9: put(std::string(8, ' ')); break;
            case 10: report(true); break;
            case 13: cursor = 0; break;
            default: put(std::string(1, byte)); break;
            }
        }
        if (!line.empty() && changed)
            report(false);
    }
};

} // namespace

TEST_F(LineAssembly, MatchesTheRulesOnRandomPieces)
{
    std::mt19937 random(1210);
    const std::string alphabet = std::string("abcdefghijklmnopqrstuvwxyz0123456789 \x01\x06\x0b\x0c\x0e\x7f\x80\xff", 46)
        + std::string("\0\a\b\t\n\r", 6);
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1), length(0, 1024);
    std::uniform_int_distribution<int> plainRun(0, 3);
    ReferenceConsole reference;
    for (int round = 0; round < 300; ++round) {
        std::string piece;
        const std::size_t size = length(random);
        while (piece.size() < size) {
            // Mostly ordinary text, so that long stretches without control
            // bytes occur as well.
            if (plainRun(random) == 0)
                piece.push_back(alphabet[pick(random)]);
            else
                piece.append(std::min<std::size_t>(size - piece.size(), 20), char('a' + round % 26));
        }
        feed(piece);
        reference.piece(piece);
        ASSERT_EQ(reads, reference.reports) << "round " << round;
    }
}
