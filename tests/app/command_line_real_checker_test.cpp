// "tessaly --check" with the real checker, several books at once on warm
// hosts: each book's report file holds exactly what "java -jar" writes for
// that book alone.
#include "epub_fixture.h"
#include "reference_check.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const std::string programFolder = QFileInfo(TESSALY_PROGRAM).absolutePath().toStdString() + "/";

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(no file)");
}

TEST(CommandLineWithTheRealChecker, EveryReportIsThatOfJavaJarOnTheBookAlone)
{
    QTemporaryDir folder;
    const std::string base = folder.path().toStdString() + "/books/";
    QDir().mkpath(QString::fromStdString(base + "sub"));
    auto broken = tessaly::testing::validBookEntries();
    std::erase_if(broken, [](const auto& entry) { return entry.first == "EPUB/c1.xhtml"; });
    tessaly::testing::writeEpub(base + "valid.epub", tessaly::testing::validBookEntries());
    tessaly::testing::writeEpub(base + "sub/broken.epub", broken);
    tessaly::testing::writeEpub(base + "sub/faulty.epub", tessaly::testing::faultyBookEntries(40, 3));
    tessaly::testing::writeEpub(base + "caf\xc3\xa9 \xe6\x9b\xb8 50% \"off\".epub", broken);
    QFile damaged(QString::fromStdString(base + "damaged.epub"));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write("plain text, not an archive\n");
    damaged.close();
    const std::string missing = folder.path().toStdString() + "/missing.epub";

    const tessaly::testing::QuickJavaOnPath quickJava;
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(name);
    environment.insert("XDG_CONFIG_HOME", folder.path() + "/config");
    program.setProcessEnvironment(environment);
    const QString reports = folder.path() + "/reports";
    program.start(TESSALY_PROGRAM, {"--check", "--jobs", "2", "--output", reports, QString::fromStdString(base),
                                       QString::fromStdString(missing)});
    ASSERT_TRUE(program.waitForFinished(600000));
    EXPECT_EQ(program.exitCode(), 1) << program.readAllStandardError().toStdString();
    const std::string out = program.readAllStandardOutput().toStdString();
    EXPECT_TRUE(out.ends_with("6 books: 1 passed, 4 with errors, 1 check failed\n")) << out;

    const std::vector<std::pair<std::string, QString>> books = {
        {base + "valid.epub", "valid.txt"},
        {base + "sub/broken.epub", "broken.txt"},
        {base + "sub/faulty.epub", "faulty.txt"},
        {base + "caf\xc3\xa9 \xe6\x9b\xb8 50% \"off\".epub", QString::fromUtf8("caf\xc3\xa9 \xe6\x9b\xb8 50% \"off\".txt")},
        {base + "damaged.epub", "damaged.txt"},
        {missing, "missing.txt"},
    };
    for (const auto& [book, report] : books) {
        const QByteArray expected = tessaly::testing::referenceCheckOutput(programFolder, book);
        ASSERT_FALSE(expected.isEmpty()) << book;
        EXPECT_EQ(fileBytes(reports + "/" + report), expected) << book;
    }
}

} // namespace
