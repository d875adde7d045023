// Fuzz target over the user's settings file: whatever bytes it holds, the
// program starts with a skin it can wear. The bytes are read as the settings
// file; the remembered skin choice is taken up on a fresh registry, which
// must then hold a skin: a built-in one, or a skin file that exists.
//
// A few skin files lie ready in a scratch folder of a fixed name, so that
// inputs can name them: /tmp/tessaly-settings-fuzz/good.skn, damaged.skn,
// empty.skn and pipe.skn.
#include "app/skin_chooser.h"
#include "skin/data/compressed_stored_skin.h"
#include "skin/data/skin_data.h"
#include "skin/embedded_pewter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QCoreApplication>

#include <cstdint>
#include <cstdlib>
#include <sys/stat.h>

namespace {

const QDir& scratch()
{
    static const QDir folder(QStringLiteral("/tmp/tessaly-settings-fuzz"));
    return folder;
}

void writeFile(const QString& name, const QByteArray& bytes)
{
    QFile file(scratch().filePath(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        std::abort();
}

void prepareSkinFiles()
{
    const auto pewter = tessaly::skin::embedded_pewter();
    const QByteArray good(reinterpret_cast<const char*>(pewter.data()), qsizetype(pewter.size()));
    writeFile(QStringLiteral("good.skn"), good);
    writeFile(QStringLiteral("damaged.skn"), good.left(good.size() / 2));
    writeFile(QStringLiteral("empty.skn"), QByteArray());
    mkfifo(scratch().filePath(QStringLiteral("pipe.skn")).toLocal8Bit().constData(), 0600);
}

bool isBuiltIn(const QString& name)
{
    return tessaly::app::SkinChooser::builtInNames().contains(name);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    if (!scratch().mkpath(QStringLiteral(".")))
        std::abort();
    prepareSkinFiles();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // Qt keeps read settings files in a cache checked by time and size: a
    // file of its own for every input.
    static unsigned long long run = 0;
    const QString settingsFile
        = scratch().filePath(QStringLiteral("settings-%1-%2.conf").arg(QCoreApplication::applicationPid()).arg(++run));
    writeFile(QFileInfo(settingsFile).fileName(), QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    {
        const QSettings settings(settingsFile, QSettings::IniFormat);
        tessaly::skin::SkinData registry;
        tessaly::app::SkinChooser chooser(registry);
        chooser.applyRemembered(settings);
        if (registry.empty())
            std::abort();
        if (chooser.currentIsFile() ? !QFileInfo(chooser.current()).isFile() : !isBuiltIn(chooser.current()))
            std::abort();
    }
    QFile::remove(settingsFile);
    return 0;
}
