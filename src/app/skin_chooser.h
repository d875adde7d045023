#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include <memory>

class QSettings;

namespace tessaly::skin {
class CompressedStoredSkin;
class SkinData;
}

namespace tessaly::app {

// The skins the program can wear, and the user's choice among them: one of
// the skins built into the program, by name, or a compressed skin file. A
// choice loads the skin into the registry, whose notices make every window,
// control, menu and glow take it at once; it is remembered in the user's
// settings and taken up again on the next start.
class SkinChooser {
public:
    struct BuiltInSkin {
        QString name;
        std::span<const std::uint8_t> (*bytes)();
    };

    // The key of the remembered choice: a built-in skin's name, or the
    // absolute path of a skin file.
    static constexpr const char* SettingsKey = "appearance/skin";
    static constexpr const char* DefaultSkin = "pewter";
    // A skin file larger than this is refused without being read.
    static constexpr std::int64_t MaxFileSize = 64 * 1024 * 1024;

    static std::span<const BuiltInSkin> builtInSkins();
    static QStringList builtInNames();

    // The registry must outlive the chooser. Nothing is loaded yet.
    explicit SkinChooser(skin::SkinData& registry);
    ~SkinChooser();

    // Loads the remembered choice. A choice that cannot be used (a file that
    // has gone or no longer loads, an unknown name, anything else stored
    // under the key) gives the default skin: the program always starts with
    // a skin. So does a remembered file when mayUseFile is false. Returns the
    // loader's message when a remembered file could not be used, for the
    // user to read once; other choices that cannot be used go silently.
    // The settings are left as they are.
    std::optional<std::string> applyRemembered(const QSettings& settings, bool mayUseFile = true);

    // Loads a built-in skin and remembers it. Throws for an unknown name.
    void chooseBuiltIn(const QString& name, QSettings& settings);
    // Loads a compressed skin file and remembers its absolute path. A file
    // that does not load throws with the loader's message, and the skin in
    // use stays: a failure of any kind, running out of memory included.
    void chooseFile(const QString& path, QSettings& settings);

    // The choice in use: a built-in name or a file's absolute path.
    const QString& current() const { return m_current; }
    bool currentIsFile() const { return m_currentIsFile; }

private:
    bool loadBuiltIn(const QString& name);
    void loadFile(const QString& path);
    // Loads a stored skin into the registry; should that fail, the skin in
    // use goes back in, and the error goes on to the caller.
    void wear(const skin::CompressedStoredSkin& stored);
    void remember(QSettings& settings) const;

    skin::SkinData& m_registry;
    // The skin in use as stored, to go back to.
    std::unique_ptr<skin::CompressedStoredSkin> m_inUse;
    QString m_current;
    bool m_currentIsFile = false;
};

} // namespace tessaly::app
