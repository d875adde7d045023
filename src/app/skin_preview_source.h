#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>
#include <memory>

namespace tessaly::skin {
class SkinData;
}

namespace tessaly::app {

// The skin a skin maker is working on: a skin file (compressed, or a
// description file with its bitmaps beside it) or a folder holding
// "skin.ini". Loads it into a registry of its own and loads it again,
// shortly after the file or any file of the folder changes.
class SkinPreviewSource : public QObject {
public:
    // Quiet time after the last change before the skin is read again (a
    // program saving several files makes several changes).
    static constexpr int kSettleDelay = 150;

    explicit SkinPreviewSource(QString path);

    const QString& path() const { return m_path; }
    // Reads the skin into a new registry; throws the loader's error (or
    // Error "... holds no skin") when it cannot be used.
    std::unique_ptr<skin::SkinData> load() const;
    // Called after a change has settled.
    void setOnChanged(std::function<void()> handler) { m_onChanged = std::move(handler); }
    // Watches the path again (files come and go as editors save).
    void watch();

private:
    void changed();

    QString m_path;
    QFileSystemWatcher m_watcher;
    QTimer m_settle;
    std::function<void()> m_onChanged;
};

} // namespace tessaly::app
