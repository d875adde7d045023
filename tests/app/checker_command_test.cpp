#include "app/checker_command.h"
#include "process/command_line.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using tessaly::app::checkerCommandLine;
using tessaly::app::checkerEnvironment;

TEST(CheckerCommandLine, HasTheDesignForm)
{
    EXPECT_EQ(checkerCommandLine("/opt/tessaly/", "/books/a.epub"),
        "java -jar \"/opt/tessaly/epubcheck/epubcheck.jar\" \"/books/a.epub\"");
}

TEST(CheckerCommandLine, NoBookEndsWithAnEmptyQuotedArgument)
{
    const std::string line = checkerCommandLine("/opt/tessaly/", "");
    EXPECT_TRUE(line.ends_with(" \"\"")) << line;
    const auto arguments = tessaly::process::splitCommandLine(line);
    ASSERT_EQ(arguments.size(), 4u);
    EXPECT_EQ(arguments[3], "");
}

class HostileBookNames : public testing::TestWithParam<std::string> {};

TEST_P(HostileBookNames, SplitBackToTheExactPath)
{
    const std::string book = GetParam();
    const auto arguments = tessaly::process::splitCommandLine(checkerCommandLine("/opt/my \"tools\"\\/", book));
    const std::vector<std::string> expected = {"java", "-jar", "/opt/my \"tools\"\\/epubcheck/epubcheck.jar", book};
    EXPECT_EQ(arguments, expected);
}

INSTANTIATE_TEST_SUITE_P(Names, HostileBookNames,
    testing::Values("/books/a b.epub", "/books/\"quoted\".epub", "/books/x\" --extra \"y.epub",
        "/books/trailing\\", "/books/back\\\"slash.epub", "/books/\\\\\"two.epub", "/books/$HOME;`id`.epub",
        "-leading.epub", "/books/\xff\xfe-latin1.epub", "/books/caf\xc3\xa9.epub", "\"", "\\"));

TEST(CheckerEnvironment, Utf8LocaleIsInherited)
{
    // C.UTF-8 is built into the C library, so it is there on every machine.
    EXPECT_TRUE(checkerEnvironment({"PATH=/usr/bin", "LANG=C.UTF-8"}).empty());
    EXPECT_TRUE(checkerEnvironment({"LC_ALL=C.utf8", "LANG=C"}).empty());
}

TEST(CheckerEnvironment, OtherLocalesGetAUtf8CharacterType)
{
    struct Case {
        std::vector<std::string> current;
        std::string expectedVariable;
    };
    const Case cases[] = {
        {{"PATH=/usr/bin", "LANG=C"}, "LC_CTYPE=C.UTF-8"},
        {{"PATH=/usr/bin"}, "LC_CTYPE=C.UTF-8"},
        {{"PATH=/bin", "LC_ALL=C", "LANG=en_US.UTF-8"}, "LC_ALL=C.UTF-8"},
        {{"PATH=/bin", "LC_CTYPE=POSIX"}, "LC_CTYPE=C.UTF-8"},
        // Named UTF-8 but not installed: every category falls back to "C".
        {{"PATH=/bin", "LANG=xx_YY.UTF-8"}, "LC_ALL=C.UTF-8"},
        {{"PATH=/bin", "LC_ALL=xx_YY.utf8", "LANG=C.UTF-8"}, "LC_ALL=C.UTF-8"},
        {{"PATH=/bin", "LANG=../../etc/passwd"}, "LC_ALL=C.UTF-8"},
    };
    for (const auto& c : cases) {
        const auto environment = checkerEnvironment(c.current);
        EXPECT_NE(std::find(environment.begin(), environment.end(), c.expectedVariable), environment.end())
            << c.expectedVariable;
        EXPECT_NE(std::find(environment.begin(), environment.end(), c.current.front()), environment.end())
            << "keeps the rest";
    }
}

} // namespace

namespace {

TEST(CheckerHostRequest, EscapesOnlyWhatCouldBreakTheLine)
{
    EXPECT_EQ(tessaly::app::checkerHostRequest("t0", "/b/50% off\n\r\t\x7f caf\xc3\xa9 \"x\".epub"),
        "check t0 /b/50%25 off%0A%0D%09%7F caf\xc3\xa9 \"x\".epub");
    EXPECT_EQ(tessaly::app::checkerHostRequest("t0", ""), "check t0 ");
}

TEST(CheckerHostCommandLine, RunsTheHostBesideTheCheckerWithABoundedHeap)
{
    const auto arguments = tessaly::process::splitCommandLine(tessaly::app::checkerHostCommandLine("/opt/my tools/"));
    ASSERT_GE(arguments.size(), 4u);
    EXPECT_EQ(arguments.front(), "java");
    EXPECT_EQ(arguments.back(), "tessaly.checker.CheckerHost");
    EXPECT_NE(std::find(arguments.begin(), arguments.end(), "-Xmx512m"), arguments.end());
    EXPECT_NE(std::find(arguments.begin(), arguments.end(),
                  "/opt/my tools/epubcheck/tessaly-checker-host.jar:/opt/my tools/epubcheck/epubcheck.jar"),
        arguments.end());
    EXPECT_EQ(std::find_if(arguments.begin(), arguments.end(), [](const auto& a) { return a.find("tmpdir") != a.npos; }),
        arguments.end()) << "the runtime's own temporary folder unless one is given";
}

TEST(CheckerHostCommandLine, GivesTheHostItsOwnTemporaryFolder)
{
    const auto arguments = tessaly::process::splitCommandLine(
        tessaly::app::checkerHostCommandLine("/opt/tools/", "/tmp/tessaly-host-a \"b\""));
    const auto at = std::find(arguments.begin(), arguments.end(), "-Djava.io.tmpdir=/tmp/tessaly-host-a \"b\"");
    ASSERT_NE(at, arguments.end());
    EXPECT_LT(at - arguments.begin(), std::find(arguments.begin(), arguments.end(), "-cp") - arguments.begin())
        << "a runtime option, before the class path";
}

} // namespace
