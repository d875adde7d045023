#include "app/skin_chooser.h"

#include "app/safe_skin_start.h"
#include "platform/error.h"
#include "skin/data/compressed_stored_skin.h"
#include "skin/data/skin_data.h"
#include "skin/embedded_pewter.h"
#include "skin/embedded_slate.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

#include <array>
#include <filesystem>
#include <system_error>

namespace tessaly::app {

namespace {

const std::array<SkinChooser::BuiltInSkin, 2> builtIns{{
    {QStringLiteral("pewter"), skin::embedded_pewter},
    {QStringLiteral("slate"), skin::embedded_slate},
}};

const SkinChooser::BuiltInSkin* findBuiltIn(const QString& name)
{
    for (const SkinChooser::BuiltInSkin& skin : builtIns) {
        if (skin.name == name)
            return &skin;
    }
    return nullptr;
}

[[noreturn]] void refuseFile(const QString& path, const std::string& reason)
{
    throw Error("The skin file \"" + path.toStdString() + "\" cannot be used: " + reason);
}

// Reads a skin file into a stored skin, refusing what is not a plain file
// of sensible size before opening it: a remembered path may name a pipe, a
// device or a file of the kernel's (which claim a size of 0), and reading
// one could block the program or never end.
skin::CompressedStoredSkin readSkinFile(const QString& path)
{
    // The system would read such a name only up to its null character, and
    // open another file than the one named.
    if (path.contains(QChar(0)))
        refuseFile(path, "its name holds a null character");
    std::error_code error;
    const std::filesystem::path file(path.toStdString());
    const std::filesystem::file_status status = std::filesystem::status(file, error);
    if (std::filesystem::exists(status)) {
        if (!std::filesystem::is_regular_file(status))
            refuseFile(path, "it is not a file");
        const std::uintmax_t size = std::filesystem::file_size(file, error);
        if (error || size == 0)
            refuseFile(path, "it holds no skin");
        if (size > std::uintmax_t(SkinChooser::MaxFileSize))
            refuseFile(path, "it is too large to be a skin");
    }
    skin::CompressedStoredSkin stored;
    try {
        stored.loadFromCompressFile(file);
    } catch (const std::exception& loaderError) {
        refuseFile(path, loaderError.what());
    }
    if (stored.isEmpty())
        refuseFile(path, "it holds no skin");
    return stored;
}

} // namespace

std::span<const SkinChooser::BuiltInSkin> SkinChooser::builtInSkins()
{
    return builtIns;
}

QStringList SkinChooser::builtInNames()
{
    QStringList names;
    for (const BuiltInSkin& skin : builtIns)
        names.append(skin.name);
    return names;
}

SkinChooser::SkinChooser(skin::SkinData& registry)
    : m_registry(registry)
{
}

SkinChooser::~SkinChooser() = default;

std::optional<std::string> SkinChooser::applyRemembered(const QSettings& settings, bool mayUseFile)
{
    const QVariant stored = settings.value(QLatin1String(SettingsKey));
    const QString choice = stored.typeId() == QMetaType::QString ? stored.toString() : QString();
    if (loadBuiltIn(choice))
        return std::nullopt;
    std::optional<std::string> failure;
    if (mayUseFile && QDir::isAbsolutePath(choice)) {
        try {
            loadFile(choice);
            return std::nullopt;
        } catch (const std::exception& error) {
            // A remembered file that has gone or changed: the default skin.
            failure = error.what();
        }
    }
    loadBuiltIn(QLatin1String(DefaultSkin));
    return failure;
}

void SkinChooser::chooseBuiltIn(const QString& name, QSettings& settings)
{
    if (!loadBuiltIn(name))
        throw Error("There is no built-in skin \"" + name.toStdString() + "\"");
    remember(settings);
}

void SkinChooser::chooseFile(const QString& path, QSettings& settings)
{
    loadFile(QFileInfo(path).absoluteFilePath());
    remember(settings);
}

bool SkinChooser::loadBuiltIn(const QString& name)
{
    const BuiltInSkin* builtIn = findBuiltIn(name);
    if (!builtIn)
        return false;
    skin::CompressedStoredSkin stored;
    stored.loadFromCompressBytes(builtIn->bytes());
    wear(stored);
    m_current = builtIn->name;
    m_currentIsFile = false;
    return true;
}

void SkinChooser::loadFile(const QString& path)
{
    const skin::CompressedStoredSkin stored = readSkinFile(path);
    // Tried on a registry of its own first: a skin that fails part-way
    // leaves the registry it loads into empty, and the windows would lose
    // the skin they wear.
    {
        skin::SkinData trial;
        try {
            trial.loadCompressedStoredSkin(stored);
        } catch (const std::exception& loaderError) {
            refuseFile(path, loaderError.what());
        }
        if (trial.empty())
            refuseFile(path, "it holds no skin");
    }
    try {
        wear(stored);
    } catch (const std::exception& loaderError) {
        refuseFile(path, loaderError.what());
    }
    m_current = path;
    m_currentIsFile = true;
}

void SkinChooser::wear(const skin::CompressedStoredSkin& stored)
{
    try {
        m_registry.loadCompressedStoredSkin(stored);
    } catch (...) {
        // The trial passed, yet the second copy did not fit (memory runs
        // short): the windows get the skin they wore back. Should even that
        // fail, the registry stays cleared and the windows draw their
        // default look.
        if (m_inUse) {
            try {
                m_registry.loadCompressedStoredSkin(*m_inUse);
            } catch (...) {
            }
        }
        throw;
    }
    m_inUse = std::make_unique<skin::CompressedStoredSkin>(stored);
}

void SkinChooser::remember(QSettings& settings) const
{
    settings.setValue(QLatin1String(SettingsKey), m_current);
    // A skin chosen by the user ends any safe start.
    SafeSkinStart::forget(settings);
}

} // namespace tessaly::app
