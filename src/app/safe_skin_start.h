#pragma once

#include <QString>

#include <optional>
#include <string>

class QSettings;

namespace tessaly::app {

// Keeps a remembered skin file from stopping every start. While the program
// starts with a remembered skin file, a mark in the user's settings says so;
// it goes once the main window is up. A mark found at the next start means
// that start never came up: this start, and every later one until the user
// chooses a skin, wears the built-in skin instead, and says why once. The
// remembered choice itself stays in the settings.
class SafeSkinStart {
public:
    // The file being tried at start, and the file set aside after a start
    // that did not come up.
    static constexpr const char* StartingKey = "appearance/skinFileStarting";
    static constexpr const char* SetAsideKey = "appearance/skinFileSetAside";

    explicit SafeSkinStart(QSettings& settings)
        : m_settings(settings)
    {
    }

    // Called with the remembered choice before it is loaded. False when a
    // remembered file must not be tried at this start; true otherwise, and
    // for a file the mark is then written (to disk at once, since the start
    // may end without the program's help).
    bool mayTry(const QString& choice);
    // The main window is up: the mark goes.
    void started();
    // Why this start set the remembered file aside, if it did.
    const std::optional<std::string>& notice() const { return m_notice; }

    // The user chose a skin: nothing stays set aside.
    static void forget(QSettings& settings);

private:
    QSettings& m_settings;
    std::optional<std::string> m_notice;
};

} // namespace tessaly::app
