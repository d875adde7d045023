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

StandInJava::StandInJava(const std::string& script)
    : m_savedPath(std::getenv("PATH") ? std::getenv("PATH") : "")
{
    QFile java(m_folder.path() + QStringLiteral("/java"));
    java.open(QIODevice::WriteOnly);
    java.write(QByteArray("#!/bin/sh\n") + script.c_str() + "\n");
    java.close();
    java.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    setenv("PATH", (m_folder.path().toStdString() + ":" + m_savedPath).c_str(), 1);
}

StandInJava::~StandInJava() { setenv("PATH", m_savedPath.c_str(), 1); }

namespace {

// The real runtime with the quick settings; exec: the program's checker
// process is the runtime itself, as without the stand-in.
std::string quickJavaScript()
{
    const QString java = QStandardPaths::findExecutable(QStringLiteral("java"));
    if (java.isEmpty())
        return "echo 'java: not found' >&2; exit 127";
    return "exec '" + java.toStdString() + "' " + quickRuntime.join(' ').toStdString() + " \"$@\"";
}

} // namespace

QuickJavaOnPath::QuickJavaOnPath()
    : StandInJava(quickJavaScript())
{
}

} // namespace tessaly::testing
