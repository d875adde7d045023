// The pieces of "tessaly --check" that need no checker: its arguments, the
// books a folder stands for, how many checks run at once, the report files'
// names and the result formats.
#include "app/book_list.h"
#include "app/check_options.h"
#include "app/check_results.h"
#include "app/checker_jobs.h"
#include "app/report_folder.h"
#include "platform/error.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace tessaly::app;
using Kind = CommandLineRequest::Kind;

TEST(CommandLineArguments, ReadEveryFormAndRefuseBadUsage)
{
    struct Case {
        std::vector<std::string> arguments;
        Kind kind;
        std::vector<std::string> paths = {};
        std::optional<int> jobs = std::nullopt;
        ResultFormat format = ResultFormat::Text;
        std::string output = {};
    };
    const Case cases[] = {
        {{"--check", "a.epub"}, Kind::Check, {"a.epub"}},
        {{"--check", "--jobs", "3", "--format", "json", "--output", "out", "a", "b"}, Kind::Check, {"a", "b"}, 3,
            ResultFormat::Json, "out"},
        {{"--jobs=2", "--format=junit", "--output=o", "--check", "x"}, Kind::Check, {"x"}, 2, ResultFormat::Junit, "o"},
        {{"--check", "--", "--odd.epub", "-"}, Kind::Check, {"--odd.epub", "-"}},
        {{"--check", "a", "--help"}, Kind::Help},
        {{"-h"}, Kind::Help},
        {{"--version", "--bogus"}, Kind::Version},
        {{"--check"}, Kind::BadUsage},
        {{"--jobs", "2", "a.epub"}, Kind::BadUsage},
        {{"--check", "--jobs", "0", "a"}, Kind::BadUsage},
        {{"--check", "--jobs", "two", "a"}, Kind::BadUsage},
        {{"--check", "--jobs=-1", "a"}, Kind::BadUsage},
        {{"--check", "a", "--jobs"}, Kind::BadUsage},
        {{"--check", "--format", "xml", "a"}, Kind::BadUsage},
        {{"--check", "--output=", "a"}, Kind::BadUsage},
        {{"--check", "--bogus", "a"}, Kind::BadUsage},
        {{"--check=yes", "a"}, Kind::BadUsage},
        {{"--check", "-x", "a"}, Kind::BadUsage},
    };
    for (const Case& c : cases) {
        std::string joined;
        for (const auto& argument : c.arguments)
            joined += argument + " ";
        SCOPED_TRACE(joined);
        const CommandLineRequest request = parseCommandLine(c.arguments);
        ASSERT_EQ(request.kind, c.kind);
        if (c.kind == Kind::BadUsage) {
            EXPECT_FALSE(request.usageError.empty()) << "bad usage says what is wrong";
        }
        if (c.kind != Kind::Check)
            continue;
        EXPECT_EQ(request.options.paths, c.paths);
        EXPECT_EQ(request.options.jobs, c.jobs);
        EXPECT_EQ(request.options.format, c.format);
        EXPECT_EQ(request.options.outputFolder, c.output);
    }
}

TEST(CommandLineArguments, ABookAloneOrQtsOwnOptionsOpenTheWindow)
{
    EXPECT_FALSE(isCommandLineRequest({}));
    EXPECT_FALSE(isCommandLineRequest({"/books/a.epub"}));
    EXPECT_FALSE(isCommandLineRequest({"-platform", "xcb"}));
    EXPECT_TRUE(isCommandLineRequest({"--check", "a"}));
    EXPECT_TRUE(isCommandLineRequest({"--version"}));
    EXPECT_TRUE(isCommandLineRequest({"-h"}));
}

void touch(const QString& path)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
}

TEST(BookList, FoldersGiveTheirEpubFilesAtEveryDepthInNameOrder)
{
    QTemporaryDir folder;
    const QString base = folder.path();
    for (const char* name : {"b.epub", "a.EPUB", "notes.txt", "sub/deep/c.epub", "sub/d.epub.bak", "z/.epub-like"})
        touch(base + "/" + name);
    QDir().mkpath(base + "/folder.epub");
    const std::string root = base.toStdString();
    const std::vector<std::string> books = collectBooks({root, "/elsewhere/missing.epub", root + "/b.epub"});
    EXPECT_EQ(books, (std::vector<std::string>{root + "/a.EPUB", root + "/b.epub", root + "/sub/deep/c.epub",
                         "/elsewhere/missing.epub"}))
        << "a folder named .epub is no book; a book met twice is checked once; a missing file is kept for the checker";
    EXPECT_TRUE(collectBooks({(base + "/sub/deep/..").toStdString() + "/nothing"}).size() == 1);
    QTemporaryDir empty;
    EXPECT_TRUE(collectBooks({empty.path().toStdString()}).empty());
}

TEST(CheckerJobs, OnePerProcessorWithinAQuarterOfTheMemory)
{
    constexpr std::uint64_t gib = 1ull << 30;
    struct Case {
        unsigned processors;
        std::uint64_t memory;
        int jobs;
    };
    const Case cases[] = {
        {8, 64 * gib, 8},
        {16, 8 * gib, 5},  // 2 GiB for hosts of 384 MiB
        {4, 1 * gib, 1},   // never fewer than one
        {0, 64 * gib, 1},  // processors unknown
        {6, 0, 6},         // memory unknown
    };
    for (const Case& c : cases)
        EXPECT_EQ(defaultCheckerJobs(c.processors, c.memory), c.jobs) << c.processors << " processors, " << c.memory;
}

TEST(ReportFolder, OneFileNamedAfterEachBookWrittenWhole)
{
    QTemporaryDir folder;
    const std::string out = folder.path().toStdString() + "/reports/new";
    const std::vector<std::string> books = {"/a/Alice.epub", "/b/Alice.epub", "/c/Alice.EPUB", "/d/notes", "/e/x.epub.epub"};
    const ReportFolder reports(out, books);
    EXPECT_EQ(reports.fileFor("/a/Alice.epub"), out + "/Alice.txt");
    EXPECT_EQ(reports.fileFor("/b/Alice.epub"), out + "/Alice (2).txt");
    EXPECT_EQ(reports.fileFor("/c/Alice.EPUB"), out + "/Alice (3).txt");
    EXPECT_EQ(reports.fileFor("/d/notes"), out + "/notes.txt");
    EXPECT_EQ(reports.fileFor("/e/x.epub.epub"), out + "/x.epub.txt");

    const std::string report("line\r\n\tsecond\0third", 20);
    reports.write("/b/Alice.epub", report);
    QFile file(QString::fromStdString(reports.fileFor("/b/Alice.epub")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll().toStdString(), report) << "byte for byte";
    EXPECT_EQ(QDir(QString::fromStdString(out)).entryList(QDir::Files), QStringList{"Alice (2).txt"})
        << "nothing but the finished file";
}

TEST(ReportFolder, AFolderThatCannotBeMadeIsAnError)
{
    QTemporaryDir folder;
    touch(folder.path() + "/file");
    EXPECT_THROW(ReportFolder((folder.path() + "/file/sub").toStdString(), {"a.epub"}), tessaly::Error);
}

BookOutcome outcome(std::size_t index, std::string book, tessaly::report::VerdictKind kind, std::string output)
{
    BookOutcome result;
    result.index = index;
    result.book = std::move(book);
    result.verdict.kind = kind;
    result.verdict.text = kind == tessaly::report::VerdictKind::Passed ? "Passed" : "1 error, 0 warnings";
    if (kind == tessaly::report::VerdictKind::Errors)
        result.verdict.counts.errors = 1;
    result.exitCode = kind == tessaly::report::VerdictKind::Passed ? 0 : 1;
    result.output = std::move(output);
    result.elapsed = std::chrono::milliseconds(1500);
    return result;
}

TEST(CheckResults, TextAndJsonLinesAndSummaries)
{
    using tessaly::report::VerdictKind;
    const BookOutcome failed = outcome(1, "/b/caf\xc3\xa9 \"x\".epub", VerdictKind::Errors, "ERROR\n");
    EXPECT_EQ(textLine(failed), "/b/caf\xc3\xa9 \"x\".epub: 1 error, 0 warnings\n");

    BatchSummary summary;
    for (VerdictKind kind : {VerdictKind::Passed, VerdictKind::Passed, VerdictKind::Errors})
        summary.add(outcome(0, "a", kind, ""));
    EXPECT_EQ(textSummary(summary), "3 books: 2 passed, 1 with errors\n");
    EXPECT_FALSE(summary.allPassed());
    summary.add(outcome(0, "a", VerdictKind::Warnings, ""));
    summary.add(outcome(0, "a", VerdictKind::CheckerFailed, ""));
    EXPECT_EQ(textSummary(summary), "5 books: 2 passed, 1 with warnings, 1 with errors, 1 check failed\n");
    BatchSummary warningsOnly;
    warningsOnly.add(outcome(0, "a", VerdictKind::Warnings, ""));
    EXPECT_TRUE(warningsOnly.allPassed()) << "warnings do not fail a pipeline";
    EXPECT_EQ(textSummary(warningsOnly), "1 book: 0 passed, 1 with warnings, 0 with errors\n");

    const std::string line = jsonLine(failed, "/out/caf\xc3\xa9 \"x\".txt");
    ASSERT_TRUE(line.ends_with("\n"));
    EXPECT_EQ(line.find('\n'), line.size() - 1) << "one line";
    const QJsonObject object = QJsonDocument::fromJson(QByteArray::fromStdString(line)).object();
    EXPECT_EQ(object.value("book").toString(), QString::fromUtf8("/b/caf\xc3\xa9 \"x\".epub"));
    EXPECT_EQ(object.value("result").toString(), "errors");
    EXPECT_EQ(object.value("errors").toInt(), 1);
    EXPECT_EQ(object.value("exitCode").toInt(), 1);
    EXPECT_DOUBLE_EQ(object.value("seconds").toDouble(), 1.5);
    EXPECT_EQ(object.value("report").toString(), QString::fromUtf8("/out/caf\xc3\xa9 \"x\".txt"));
    const QJsonObject total = QJsonDocument::fromJson(QByteArray::fromStdString(jsonSummary(summary))).object();
    EXPECT_EQ(total.value("summary").toObject().value("books").toInt(), 5);
    EXPECT_EQ(total.value("summary").toObject().value("failed").toInt(), 1);
}

TEST(CheckResults, JunitDocumentParsesBackWithACasePerBook)
{
    using tessaly::report::VerdictKind;
    // Output no XML document may carry as it is: markup, control bytes,
    // invalid UTF-8.
    const std::vector<BookOutcome> outcomes = {
        outcome(0, "/a/<good>.epub", VerdictKind::Passed, "Passed & done\n"),
        outcome(1, "/b/bad.epub", VerdictKind::Errors, std::string("ERROR: \x1b[1m\x01 bad \xff\xfe </system-out>\n")),
        outcome(2, "/c/crash.epub", VerdictKind::CheckerFailed, ""),
    };
    const std::string document = junitDocument(outcomes);
    QXmlStreamReader xml(QByteArray::fromStdString(document));
    std::vector<std::string> cases;
    std::vector<std::string> problems;
    std::string suiteCounts;
    std::string lastOut;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const auto attributes = xml.attributes();
        if (xml.name() == QLatin1String("testsuite")) {
            suiteCounts = (attributes.value("tests").toString() + " " + attributes.value("failures").toString() + " "
                              + attributes.value("errors").toString())
                              .toStdString();
        } else if (xml.name() == QLatin1String("testcase")) {
            cases.push_back(attributes.value("name").toString().toStdString());
            EXPECT_EQ(attributes.value("time").toString(), "1.500");
        } else if (xml.name() == QLatin1String("failure") || xml.name() == QLatin1String("error")) {
            problems.push_back(xml.name().toString().toStdString() + " of " + cases.back());
        } else if (xml.name() == QLatin1String("system-out")) {
            lastOut = xml.readElementText().toStdString();
        }
    }
    ASSERT_FALSE(xml.hasError()) << xml.errorString().toStdString() << "\n" << document;
    EXPECT_EQ(suiteCounts, "3 1 1");
    EXPECT_EQ(cases, (std::vector<std::string>{"/a/<good>.epub", "/b/bad.epub", "/c/crash.epub"}));
    EXPECT_EQ(problems, (std::vector<std::string>{"failure of /b/bad.epub", "error of /c/crash.epub"}));
    EXPECT_TRUE(lastOut.empty());
}

} // namespace
