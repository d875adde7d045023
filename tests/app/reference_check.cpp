#include "reference_check.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QString>

#include <cstdlib>

#include <gtest/gtest.h>

namespace tessaly::testing {

namespace {

const QStringList quickRuntime = {QStringLiteral("-XX:TieredStopAtLevel=1"), QStringLiteral("-XX:+UseSerialGC")};

} // namespace

QStringList referenceCheckArguments(const std::string& programFolder, const std::string& book)
{
    return quickRuntime + QStringList{QStringLiteral("-jar"),
        QString::fromStdString(programFolder + "epubcheck/epubcheck.jar"), QString::fromStdString(book)};
}

QByteArray referenceCheckOutput(const std::string& programFolder, const std::string& book)
{
    QProcess run;
    run.setProcessChannelMode(QProcess::MergedChannels);
    run.start(QStringLiteral("java"), referenceCheckArguments(programFolder, book));
    EXPECT_TRUE(run.waitForFinished(300000)) << book;
    return run.readAll();
}

QuickJavaOnPath::QuickJavaOnPath()
    : m_savedPath(std::getenv("PATH") ? std::getenv("PATH") : "")
{
    const QString java = QStandardPaths::findExecutable(QStringLiteral("java"));
    if (java.isEmpty())
        return;
    QFile script(m_folder.path() + QStringLiteral("/java"));
    if (!script.open(QIODevice::WriteOnly))
        return;
    // exec: the program's checker process is the runtime itself, as without
    // this stand-in.
    script.write(("#!/bin/sh\nexec '" + java.toStdString() + "' " + quickRuntime.join(' ').toStdString() + " \"$@\"\n").c_str());
    script.close();
    script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    setenv("PATH", (m_folder.path().toStdString() + ":" + m_savedPath).c_str(), 1);
}

QuickJavaOnPath::~QuickJavaOnPath()
{
    setenv("PATH", m_savedPath.c_str(), 1);
}

} // namespace tessaly::testing
