// "tessaly --check" as a pipeline runs it: the real program, with no
// display and no Qt platform named, and a stand-in `java` first on PATH
// that answers both as "java -jar" and as the warm checker host. Each
// book's first line tells the stand-in what to answer.
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <string>
#include <thread>
#include <vector>

namespace {

const char* const passedOutput = "Validating using EPUB version 3.3 rules.\n"
                                 "No errors or warnings detected.\n"
                                 "Messages: 0 fatals / 0 errors / 0 warnings / 0 infos\n\n"
                                 "EPUBCheck completed\n";

// The answers, as shell: the book's first line picks one. "hang" notes the
// process and sleeps in its place, so that killing it leaves nothing;
// "crash" ends the host (and is an ordinary damaged book for "java -jar").
// "java -jar" runs note their book.
const char* const standInJava = R"SH(#!/bin/sh
echo $$ >> "$STAND_IN_PIDS"
answer() {
  [ -e "$1" ] || { printf 'File not found: "%s"\nMessages: 0 fatals / 0 errors / 0 warnings / 0 infos\n' "$1"; return 1; }
  case $(head -n 1 "$1") in
  pass) printf 'Validating using EPUB version 3.3 rules.\nNo errors or warnings detected.\nMessages: 0 fatals / 0 errors / 0 warnings / 0 infos\n\nEPUBCheck completed\n'; return 0;;
  warn) printf 'WARNING(OPF-085): %s: odd\tidentifier\nMessages: 0 fatals / 0 errors / 1 warning / 0 infos\n' "$1"; return 0;;
  *) printf 'ERROR(PKG-003): %s(-1,-1): Unable to read EPUB file header.\r\nFATAL(PKG-008): %s: Unable to read file\nMessages: 1 fatal / 1 error / 0 warnings / 0 infos' "$1" "$1"; return 1;;
  esac
}
hangs() { [ "$(head -n 1 "$1" 2>/dev/null)" = hang ]; }
if [ "$1" = -jar ]; then
  echo "$3" >> "$STAND_IN_PIDS.jar"
  if hangs "$3"; then echo $$ > "$STAND_IN_PIDS.hanging"; exec sleep 600; fi
  answer "$3"; exit
fi
[ -n "$STAND_IN_NO_HOST" ] && exit 0
cr=$(printf '\r')
while IFS=" $cr" read command token book; do
  case $command in
  ping) printf '\036tessaly-end %s exit 0 0 - %s\n' $token $token;;
  check)
    if hangs "$book"; then echo $$ > "$STAND_IN_PIDS.hanging"; exec sleep 600; fi
    [ "$(head -n 1 "$book" 2>/dev/null)" = crash ] && exit 3
    answer "$book" > "$STAND_IN_PIDS.answer.$$"; code=$?
    cat "$STAND_IN_PIDS.answer.$$"
    added=0
    [ -n "$(tail -c 1 "$STAND_IN_PIDS.answer.$$")" ] && { printf '\n'; added=1; }
    printf '\036tessaly-end %s exit %s %s - %s\n' $token $code $added $token;;
  esac
done
)SH";

struct RunResult {
    int status = -1;
    std::string out;
    std::string err;
};

class CommandLineTest : public testing::Test {
protected:
    CommandLineTest()
    {
        QDir().mkpath(m_folder.path() + "/bin");
        QFile java(m_folder.path() + "/bin/java");
        java.open(QIODevice::WriteOnly);
        java.write(standInJava);
        java.close();
        java.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        m_environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            m_environment.remove(name);
        m_environment.insert("PATH", m_folder.path() + "/bin:" + m_environment.value("PATH"));
        m_environment.insert("XDG_CONFIG_HOME", m_folder.path() + "/config");
        m_environment.insert("STAND_IN_PIDS", m_folder.path() + "/pids");
    }

    std::string path(const std::string& name) const { return m_folder.path().toStdString() + "/" + name; }

    void book(const std::string& name, const char* answer)
    {
        QDir().mkpath(QFileInfo(QString::fromStdString(path(name))).path());
        QFile file(QString::fromStdString(path(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(answer) + "\n");
    }

    // Every check runs with "java -jar" (the stand-in host ends at once).
    void withoutHost() { m_environment.insert("STAND_IN_NO_HOST", "1"); }

    void start(QProcess& program, const std::vector<std::string>& arguments)
    {
        QStringList list;
        for (const auto& argument : arguments)
            list << QString::fromStdString(argument);
        program.setProcessEnvironment(m_environment);
        program.start(TESSALY_PROGRAM, list);
        ASSERT_TRUE(program.waitForStarted());
    }

    RunResult run(const std::vector<std::string>& arguments)
    {
        QProcess program;
        start(program, arguments);
        EXPECT_TRUE(program.waitForFinished(120000));
        return {program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1,
            program.readAllStandardOutput().toStdString(), program.readAllStandardError().toStdString()};
    }

    std::vector<pid_t> standInProcesses() const
    {
        QFile file(m_folder.path() + "/pids");
        std::vector<pid_t> pids;
        if (file.open(QIODevice::ReadOnly)) {
            for (const QByteArray& line : file.readAll().split('\n'))
                if (!line.isEmpty())
                    pids.push_back(pid_t(line.toInt()));
        }
        return pids;
    }

    QTemporaryDir m_folder;
    QProcessEnvironment m_environment;
};

std::vector<std::string> lines(const std::string& text)
{
    std::vector<std::string> result;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
        result.push_back(text.substr(start, end - start));
    EXPECT_EQ(start, text.size()) << "every line ends with a line feed";
    return result;
}

std::string fileText(const std::string& path)
{
    QFile file(QString::fromStdString(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string("(no file)");
}

bool processGone(pid_t pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return true;
    const QByteArray text = stat.readAll();
    const qsizetype close = text.lastIndexOf(')');
    return close >= 0 && text.mid(close + 2, 1) == "Z";
}

TEST_F(CommandLineTest, ExitStatusSaysWhetherEveryBookPassed)
{
    book("pass.epub", "pass");
    book("warn.epub", "warn");
    book("bad.epub", "damaged");
    QDir().mkpath(QString::fromStdString(path("empty")));
    struct Case {
        std::vector<std::string> arguments;
        int status;
    };
    const Case cases[] = {
        {{"--check", path("pass.epub")}, 0},
        {{"--check", path("pass.epub"), path("warn.epub")}, 0},
        {{"--check", path("pass.epub"), path("bad.epub")}, 1},
        {{"--check", path("missing.epub")}, 1},
        {{"--check", "--jobs", "0", path("pass.epub")}, 2},
        {{"--check", "--format", "xml", path("pass.epub")}, 2},
        {{"--check"}, 2},
        {{"--check", path("empty")}, 2},
        {{"--check", "--output", path("pass.epub") + "/sub", path("pass.epub")}, 2},
        {{"--jobs", "2", path("pass.epub")}, 2},
        {{"--frobnicate"}, 2},
    };
    for (const Case& c : cases) {
        std::string joined;
        for (const auto& argument : c.arguments)
            joined += argument + " ";
        SCOPED_TRACE(joined);
        const RunResult result = run(c.arguments);
        EXPECT_EQ(result.status, c.status) << result.err;
        if (c.status == 2) {
            EXPECT_TRUE(result.out.empty()) << result.out;
            EXPECT_TRUE(result.err.starts_with("tessaly: ")) << result.err;
        } else {
            EXPECT_FALSE(result.out.empty());
        }
    }

    const RunResult help = run({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.out.starts_with("Usage: tessaly")) << help.out;
    const RunResult version = run({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "Tessaly " TESSALY_VERSION "\n");
}

TEST_F(CommandLineTest, NoJavaAtAllFailsEveryBookWithTheReason)
{
    book("a.epub", "pass");
    book("b.epub", "pass");
    QDir().mkpath(m_folder.path() + "/empty");
    m_environment.insert("PATH", m_folder.path() + "/empty");
    const RunResult result = run({"--check", "--jobs", "2", path("a.epub"), path("b.epub")});
    EXPECT_EQ(result.status, 1) << result.err;
    std::vector<std::string> out = lines(result.out);
    ASSERT_EQ(out.size(), 3u) << result.out;
    std::sort(out.begin(), out.end() - 1);
    const std::string reason = ": The checker could not be started (System Error.  Code: 2.  No such file or directory)";
    EXPECT_EQ(out, (std::vector<std::string>{path("a.epub") + reason, path("b.epub") + reason,
                       "2 books: 0 passed, 0 with errors, 2 checks failed"}));
}

class FolderTest : public CommandLineTest, public testing::WithParamInterface<bool> {};

TEST_P(FolderTest, ADamagedBookAndAMissingFileAmongGoodOnes)
{
    if (!GetParam())
        withoutHost();
    book("books/one.epub", "pass");
    book("books/sub/two.epub", "pass");
    book("books/sub/deeper/three.epub", "warn");
    book("books/damaged.epub", "damaged");
    book("books/readme.txt", "damaged");
    const std::string missing = path("elsewhere/missing.epub");
    const RunResult result = run({"--check", "--jobs", "2", "--output", path("reports"), path("books"), missing});
    EXPECT_EQ(result.status, 1) << result.err;

    std::vector<std::string> out = lines(result.out);
    ASSERT_EQ(out.size(), 6u) << result.out;
    EXPECT_EQ(out.back(), "5 books: 2 passed, 1 with warnings, 1 with errors, 1 check failed");
    out.pop_back();
    std::sort(out.begin(), out.end());
    EXPECT_EQ(out, (std::vector<std::string>{
                       path("books/damaged.epub") + ": 2 errors, 0 warnings",
                       path("books/one.epub") + ": Passed",
                       path("books/sub/deeper/three.epub") + ": 0 errors, 1 warning",
                       path("books/sub/two.epub") + ": Passed",
                       missing + ": The checker failed (exit code 1)",
                   }));

    QStringList files = QDir(QString::fromStdString(path("reports"))).entryList(QDir::Files);
    files.sort();
    EXPECT_EQ(files, (QStringList{"damaged.txt", "missing.txt", "one.txt", "three.txt", "two.txt"}));
    EXPECT_EQ(fileText(path("reports/one.txt")), passedOutput);
    EXPECT_EQ(fileText(path("reports/damaged.txt")),
        "ERROR(PKG-003): " + path("books/damaged.epub") + "(-1,-1): Unable to read EPUB file header.\r\nFATAL(PKG-008): "
            + path("books/damaged.epub") + ": Unable to read file\nMessages: 1 fatal / 1 error / 0 warnings / 0 infos")
        << "byte for byte, with no line feed added at the end";
    EXPECT_EQ(fileText(path("reports/three.txt")),
        "WARNING(OPF-085): " + path("books/sub/deeper/three.epub")
            + ": odd\tidentifier\nMessages: 0 fatals / 0 errors / 1 warning / 0 infos\n");
    EXPECT_EQ(fileText(path("reports/missing.txt")),
        "File not found: \"" + missing + "\"\nMessages: 0 fatals / 0 errors / 0 warnings / 0 infos\n");
}

INSTANTIATE_TEST_SUITE_P(WarmAndJavaJar, FolderTest, testing::Bool(),
    [](const testing::TestParamInfo<bool>& info) { return info.param ? "WarmHosts" : "JavaJarOnly"; });

TEST_F(CommandLineTest, JsonGivesOneObjectPerBookAndTheSummary)
{
    book("a.epub", "pass");
    book("b.epub", "damaged");
    const RunResult result = run({"--check", "--format", "json", "--output", path("out"), path("a.epub"), path("b.epub")});
    EXPECT_EQ(result.status, 1);
    const std::vector<std::string> out = lines(result.out);
    ASSERT_EQ(out.size(), 3u) << result.out;
    std::vector<std::string> seen;
    for (std::size_t i = 0; i < 2; ++i) {
        QJsonParseError error;
        const QJsonObject object = QJsonDocument::fromJson(QByteArray::fromStdString(out[i]), &error).object();
        ASSERT_EQ(error.error, QJsonParseError::NoError) << out[i];
        const std::string book = object.value("book").toString().toStdString();
        seen.push_back(book + " " + object.value("result").toString().toStdString());
        EXPECT_EQ(fileText(object.value("report").toString().toStdString()).empty(), false) << "the report is there";
    }
    std::sort(seen.begin(), seen.end());
    EXPECT_EQ(seen, (std::vector<std::string>{path("a.epub") + " passed", path("b.epub") + " errors"}));
    const QJsonObject summary = QJsonDocument::fromJson(QByteArray::fromStdString(out[2])).object().value("summary").toObject();
    EXPECT_EQ(summary.value("books").toInt(), 2);
    EXPECT_EQ(summary.value("passed").toInt(), 1);
    EXPECT_EQ(summary.value("errors").toInt(), 1);
}

TEST_F(CommandLineTest, JunitIsAloneOnStandardOutputWithACasePerBookInListOrder)
{
    book("c.epub", "pass");
    book("a.epub", "damaged");
    book("b.epub", "warn");
    const RunResult result = run({"--check", "--format", "junit", "--jobs", "3", path("c.epub"), path("a.epub"), path("b.epub")});
    EXPECT_EQ(result.status, 1);
    QXmlStreamReader xml(QByteArray::fromStdString(result.out));
    std::vector<std::string> cases;
    int failures = 0;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("testcase"))
            cases.push_back(xml.attributes().value("name").toString().toStdString());
        if (xml.name() == QLatin1String("failure"))
            ++failures;
    }
    ASSERT_FALSE(xml.hasError()) << xml.errorString().toStdString() << "\n" << result.out;
    EXPECT_EQ(cases, (std::vector<std::string>{path("c.epub"), path("a.epub"), path("b.epub")}));
    EXPECT_EQ(failures, 1);
    const std::vector<std::string> err = lines(result.err);
    ASSERT_EQ(err.size(), 4u) << "the lines go to standard error: " << result.err;
    EXPECT_EQ(err.back(), "3 books: 1 passed, 1 with warnings, 1 with errors");
}

TEST_F(CommandLineTest, AHostThatDiesCostsOnlyItsOwnBookAJavaJarRun)
{
    book("a.epub", "pass");
    book("crash.epub", "crash");
    book("c.epub", "pass");
    book("d.epub", "warn");
    book("e.epub", "pass");
    const RunResult result = run({"--check", "--jobs", "2", "--output", path("out"), path("a.epub"), path("crash.epub"),
        path("c.epub"), path("d.epub"), path("e.epub")});
    EXPECT_EQ(result.status, 1) << result.err;
    EXPECT_EQ(lines(result.out).back(), "5 books: 3 passed, 1 with warnings, 1 with errors");
    EXPECT_EQ(fileText(path("pids.jar")), path("crash.epub") + "\n") << "the other books stay with the hosts";
    EXPECT_EQ(fileText(path("out/crash.txt")),
        "ERROR(PKG-003): " + path("crash.epub") + "(-1,-1): Unable to read EPUB file header.\r\nFATAL(PKG-008): "
            + path("crash.epub") + ": Unable to read file\nMessages: 1 fatal / 1 error / 0 warnings / 0 infos")
        << "the report of java -jar alone";
    for (const char* name : {"a", "c", "e"})
        EXPECT_EQ(fileText(path("out/") + name + ".txt"), passedOutput) << name;
}

class InterruptTest : public CommandLineTest, public testing::WithParamInterface<bool> {};

TEST_P(InterruptTest, CtrlCEndsEveryCheckerAndLeavesNoPartialReport)
{
    if (!GetParam())
        withoutHost();
    book("a.epub", "pass");
    book("b.epub", "hang");
    book("c.epub", "hang");
    book("d.epub", "pass");
    QProcess program;
    start(program, {"--check", "--jobs", "2", "--output", path("out"), path("a.epub"), path("b.epub"), path("c.epub"),
                       path("d.epub")});
    const QString hanging = m_folder.path() + "/pids.hanging";
    for (int i = 0; i < 600 && !QFile::exists(hanging); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    ASSERT_TRUE(QFile::exists(hanging)) << "a check is under way";
    ASSERT_EQ(::kill(pid_t(program.processId()), SIGINT), 0);
    ASSERT_TRUE(program.waitForFinished(30000));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 130);
    EXPECT_TRUE(program.readAllStandardError().contains("interrupted"));

    // Whole reports of books that ended before, and nothing else: no
    // report of a book that was stopped, no half-written file.
    const QStringList files = QDir(QString::fromStdString(path("out"))).entryList(QDir::Files | QDir::Hidden);
    for (const QString& file : files) {
        EXPECT_TRUE(file == "a.txt" || file == "d.txt") << file.toStdString();
        EXPECT_EQ(fileText(path("out/") + file.toStdString()), passedOutput);
    }
    const std::vector<pid_t> pids = standInProcesses();
    ASSERT_FALSE(pids.empty());
    for (pid_t pid : pids) {
        for (int i = 0; i < 200 && !processGone(pid); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        EXPECT_TRUE(processGone(pid)) << "checker " << pid << " is left running";
    }
}

INSTANTIATE_TEST_SUITE_P(WarmAndJavaJar, InterruptTest, testing::Bool(),
    [](const testing::TestParamInfo<bool>& info) { return info.param ? "WarmHosts" : "JavaJarOnly"; });

} // namespace
