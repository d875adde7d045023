#include "app/skin_preview_source.h"

#include "platform/error.h"
#include "skin/data/skin_data.h"

#include <QDir>
#include <QFileInfo>

namespace tessaly::app {

SkinPreviewSource::SkinPreviewSource(QString path)
    : m_path(std::move(path))
{
    m_settle.setSingleShot(true);
    m_settle.setInterval(kSettleDelay);
    QObject::connect(&m_settle, &QTimer::timeout, this, [this] {
        watch();
        if (m_onChanged)
            m_onChanged();
    });
    QObject::connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, [this] { changed(); });
    QObject::connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, [this] { changed(); });
    watch();
}

void SkinPreviewSource::changed() { m_settle.start(); }

void SkinPreviewSource::watch()
{
    if (!m_watcher.files().isEmpty())
        m_watcher.removePaths(m_watcher.files());
    if (!m_watcher.directories().isEmpty())
        m_watcher.removePaths(m_watcher.directories());
    const QFileInfo info(m_path);
    QStringList paths;
    if (info.isDir()) {
        // The folder (files added or removed) and every file in it.
        paths << m_path;
        for (const QFileInfo& file : QDir(m_path).entryInfoList(QDir::Files))
            paths << file.absoluteFilePath();
    } else {
        // The folder too: an editor may replace the file by a new one.
        paths << info.absolutePath();
        if (info.exists())
            paths << info.absoluteFilePath();
    }
    m_watcher.addPaths(paths);
}

std::unique_ptr<skin::SkinData> SkinPreviewSource::load() const
{
    const QFileInfo info(m_path);
    auto skin = std::make_unique<skin::SkinData>();
    if (info.isDir())
        skin->loadFromFile(QDir(m_path).filePath(QStringLiteral("skin.ini")).toStdString());
    else if (info.suffix().compare(QLatin1String("ini"), Qt::CaseInsensitive) == 0)
        skin->loadFromFile(m_path.toStdString());
    else
        skin->loadFromCompressedFile(m_path.toStdString());
    if (skin->empty())
        throw Error("The skin \"" + m_path.toStdString() + "\" holds no skin");
    return skin;
}

} // namespace tessaly::app
