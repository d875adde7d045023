#include "process/command_line.h"

#include <gtest/gtest.h>

#include <random>

using namespace tessaly::process;
using Args = std::vector<std::string>;

TEST(SplitCommandLine, FollowsTheQuotingRules)
{
    const std::vector<std::pair<std::string, Args>> cases = {
        {"", {}},
        {"   \t ", {}},
        {"a b\tc", {"a", "b", "c"}},
        {"  a   b  ", {"a", "b"}},
        {R"("a b" c)", {"a b", "c"}},
        {R"(a"b c"d)", {"ab cd"}},
        {R"("")", {""}},
        {R"(java -jar "" "")", {"java", "-jar", "", ""}},
        {R"(a\\b)", {R"(a\\b)"}},                 // backslashes without a quote stay
        {R"(a\"b)", {R"(a"b)"}},                  // 1 backslash: literal quote
        {R"(a\\"b c")", {R"(a\b c)"}},            // 2 backslashes: one, and the quote toggles
        {R"(a\\\"b)", {R"(a\"b)"}},               // 3 backslashes: one and a literal quote
        {R"("C:\Tools\x.jar" "C:\Books\a.epub")", {R"(C:\Tools\x.jar)", R"(C:\Books\a.epub)"}},
        {R"("trailing\\" x)", {R"(trailing\)", "x"}},
        {R"("open quote)", {"open quote"}},
        {"a\nb", {"a\nb"}}, // only space and tab separate
    };
    for (const auto& [line, expected] : cases)
        EXPECT_EQ(splitCommandLine(line), expected) << line;
}

TEST(QuoteArgument, LeavesPlainArgumentsAlone)
{
    EXPECT_EQ(quoteArgument("plain"), "plain");
    EXPECT_EQ(quoteArgument(R"(C:\dir\file)"), R"(C:\dir\file)");
    EXPECT_EQ(quoteArgument(""), R"("")");
    EXPECT_EQ(quoteArgument("a b"), R"("a b")");
    EXPECT_EQ(quoteArgument(R"(dir\ )"), R"("dir\ ")");
    EXPECT_EQ(quoteArgument(R"(end\)"), R"(end\)");
    EXPECT_EQ(quoteArgument(R"(end\ x\)"), R"("end\ x\\")");
}

TEST(QuoteArgument, RoundTripsAwkwardFileNames)
{
    const Args arguments = {
        "/books/my book.epub", R"(say "hi".epub)", "$HOME;rm -rf ~`id`", "-rf", "--", "",
        "tab\there", R"(\\server\share\)", R"(\")", R"(x\\\"y)", "\xff\xfe not utf-8 \x80",
        "  leading and trailing  ", "*?[glob]", "new\nline",
    };
    EXPECT_EQ(splitCommandLine(joinCommandLine(arguments)), arguments);
    for (const auto& argument : arguments)
        EXPECT_EQ(splitCommandLine(quoteArgument(argument)), Args{argument}) << argument;
}

TEST(QuoteArgument, RoundTripsRandomBytes)
{
    std::mt19937 random(20261210);
    const std::string alphabet = std::string("ab \t\\\"\xc3\xa9\x01") + '\0';
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1), length(0, 12), count(1, 4);
    for (int round = 0; round < 2000; ++round) {
        Args arguments(count(random));
        for (auto& argument : arguments) {
            for (std::size_t n = length(random); n > 0; --n)
                argument.push_back(alphabet[pick(random)]);
        }
        ASSERT_EQ(splitCommandLine(joinCommandLine(arguments)), arguments) << joinCommandLine(arguments);
    }
}
