#include "app/skin_chooser.h"

#include "skin/data/compressed_stored_skin.h"
#include "skin/data/skin_data.h"
#include "skin/embedded_pewter.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>

namespace tessaly::app {
namespace {

// A skin file that is not any built-in skin: pewter under another name.
void writeOtherSkin(const QString& path)
{
    skin::SkinData skin;
    skin::CompressedStoredSkin stored;
    stored.loadFromCompressBytes(skin::embedded_pewter());
    skin.loadCompressedStoredSkin(stored);
    skin.skinName = "pewter copy";
    skin.saveToCompressedFile(path.toStdString());
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

class SkinChooserTest : public ::testing::Test {
protected:
    QString path(const char* name) const { return folder.filePath(QLatin1String(name)); }
    QSettings& settings()
    {
        if (!m_settings)
            m_settings = std::make_unique<QSettings>(path("settings.ini"), QSettings::IniFormat);
        return *m_settings;
    }
    QString remembered() { return settings().value(QLatin1String(SkinChooser::SettingsKey)).toString(); }

    QTemporaryDir folder;
    skin::SkinData registry;
    SkinChooser chooser{registry};

private:
    std::unique_ptr<QSettings> m_settings;
};

TEST_F(SkinChooserTest, EveryBuiltInSkinLoads)
{
    ASSERT_TRUE(SkinChooser::builtInNames().contains(QLatin1String(SkinChooser::DefaultSkin)));
    for (const QString& name : SkinChooser::builtInNames()) {
        chooser.chooseBuiltIn(name, settings());
        EXPECT_FALSE(registry.empty()) << name.toStdString();
        EXPECT_EQ(chooser.current(), name);
        EXPECT_FALSE(chooser.currentIsFile());
        EXPECT_EQ(remembered(), name);
    }
}

TEST_F(SkinChooserTest, AFileIsRememberedByItsAbsolutePath)
{
    writeOtherSkin(path("other.skn"));
    const QString workingFolder = QDir::currentPath();
    QDir::setCurrent(folder.path());
    chooser.chooseFile(QStringLiteral("other.skn"), settings());
    QDir::setCurrent(workingFolder);
    EXPECT_EQ(registry.skinName, "pewter copy");
    EXPECT_TRUE(chooser.currentIsFile());
    EXPECT_EQ(chooser.current(), path("other.skn"));
    EXPECT_EQ(remembered(), path("other.skn"));
}

// Whatever the settings hold, the program starts with a skin: the one
// remembered when it can be used, else the default.
TEST_F(SkinChooserTest, ARememberedChoiceThatCannotBeUsedGivesTheDefault)
{
    writeOtherSkin(path("other.skn"));
    QByteArray truncated;
    {
        QFile whole(path("other.skn"));
        ASSERT_TRUE(whole.open(QIODevice::ReadOnly));
        truncated = whole.read(whole.size() / 2);
    }
    writeBytes(path("truncated.skn"), truncated);
    writeBytes(path("empty.skn"), QByteArray());
    writeBytes(path("newer.skn"), QByteArray("\x04\0\0\0\x10\0\0\0", 8) + QByteArray(16, 'x'));
    writeBytes(path("not_zlib.skn"), QByteArray("\x03\0\0\0\x10\0\0\0", 8) + QByteArray(16, 'x'));
    ASSERT_EQ(mkfifo(path("pipe.skn").toLocal8Bit().constData(), 0600), 0);

    const struct {
        const char* what;
        QVariant value;
        QString expected;
    } cases[] = {
        {"nothing stored", QVariant(), "pewter"},
        {"a built-in skin", QStringLiteral("pewter"), "pewter"},
        {"a skin file", path("other.skn"), path("other.skn")},
        {"an unknown name", QStringLiteral("marble"), "pewter"},
        {"a name in other letter case", QStringLiteral("PEWTER"), "pewter"},
        {"an empty text", QString(), "pewter"},
        {"a relative path", QStringLiteral("other.skn"), "pewter"},
        {"a file that has gone", path("gone.skn"), "pewter"},
        {"a folder", folder.path(), "pewter"},
        {"a pipe, which would block", path("pipe.skn"), "pewter"},
        {"a device", QStringLiteral("/dev/zero"), "pewter"},
        {"a kernel file, which could block", QStringLiteral("/proc/self/mem"), "pewter"},
        {"a damaged file", path("truncated.skn"), "pewter"},
        {"an empty file", path("empty.skn"), "pewter"},
        {"a file of a newer version", path("newer.skn"), "pewter"},
        {"a file that is not compressed", path("not_zlib.skn"), "pewter"},
        {"a file's name with more after a null character", path("other.skn") + QChar(0) + QStringLiteral("x"), "pewter"},
        {"a number", 42, "pewter"},
        {"a list", QStringList{path("other.skn")}, "pewter"},
    };
    for (const auto& c : cases) {
        if (c.value.isValid())
            settings().setValue(QLatin1String(SkinChooser::SettingsKey), c.value);
        else
            settings().remove(QLatin1String(SkinChooser::SettingsKey));
        skin::SkinData fresh;
        SkinChooser starting(fresh);
        starting.applyRemembered(settings());
        EXPECT_EQ(starting.current(), c.expected) << c.what;
        EXPECT_FALSE(fresh.empty()) << c.what;
        EXPECT_EQ(settings().value(QLatin1String(SkinChooser::SettingsKey)), c.value)
            << c.what << ": the settings are left as they are";
    }
}

// A remembered file that cannot be used is worth a word to the user: the
// loader's message comes back to be shown once. Other choices that cannot be
// used, and a file the start may not try, give the default silently.
TEST_F(SkinChooserTest, ARememberedFileThatFailsGivesTheLoadersMessage)
{
    writeOtherSkin(path("other.skn"));
    writeBytes(path("empty.skn"), QByteArray());
    const struct {
        const char* what;
        QString choice;
        bool mayUseFile;
        const char* message; // null: none
    } cases[] = {
        {"a file that loads", path("other.skn"), true, nullptr},
        {"a file that has gone", path("gone.skn"), true, "cannot be used"},
        {"an empty file", path("empty.skn"), true, "cannot be used: it holds no skin"},
        {"an unknown name", QStringLiteral("marble"), true, nullptr},
        {"a file the start may not try", path("other.skn"), false, nullptr},
    };
    for (const auto& c : cases) {
        settings().setValue(QLatin1String(SkinChooser::SettingsKey), c.choice);
        skin::SkinData fresh;
        SkinChooser starting(fresh);
        const std::optional<std::string> message = starting.applyRemembered(settings(), c.mayUseFile);
        EXPECT_FALSE(fresh.empty()) << c.what;
        if (!c.message) {
            EXPECT_FALSE(message) << c.what << ": " << message.value_or("");
            continue;
        }
        ASSERT_TRUE(message) << c.what;
        EXPECT_NE(message->find(c.message), std::string::npos) << *message;
        EXPECT_NE(message->find(c.choice.toStdString()), std::string::npos) << *message;
        EXPECT_EQ(starting.current(), QLatin1String(SkinChooser::DefaultSkin)) << c.what;
    }
}

TEST_F(SkinChooserTest, AFileThatFailsLeavesTheSkinInUse)
{
    chooser.chooseBuiltIn(QStringLiteral("pewter"), settings());
    const std::string name = registry.skinName;
    const std::size_t records = registry.ctrlList().size();
    writeBytes(path("not_zlib.skn"), QByteArray("\x03\0\0\0\x10\0\0\0", 8) + QByteArray(16, 'x'));

    const struct {
        QString file;
        const char* message;
    } cases[] = {
        {path("not_zlib.skn"), "compression error"},
        {path("gone.skn"), "Cannot open file"},
        {folder.path(), "it is not a file"},
    };
    for (const auto& c : cases) {
        try {
            chooser.chooseFile(c.file, settings());
            ADD_FAILURE() << c.file.toStdString() << " was accepted";
        } catch (const std::exception& error) {
            const std::string message = error.what();
            EXPECT_NE(message.find(c.file.toStdString()), std::string::npos) << message;
            EXPECT_NE(message.find(c.message), std::string::npos) << message;
        }
        EXPECT_FALSE(registry.empty());
        EXPECT_EQ(registry.skinName, name);
        EXPECT_EQ(registry.ctrlList().size(), records);
        EXPECT_EQ(chooser.current(), QStringLiteral("pewter"));
        EXPECT_EQ(remembered(), QStringLiteral("pewter"));
    }
}

TEST_F(SkinChooserTest, AnUnknownBuiltInNameIsAnError)
{
    chooser.chooseBuiltIn(QStringLiteral("pewter"), settings());
    EXPECT_THROW(chooser.chooseBuiltIn(QStringLiteral("marble"), settings()), std::exception);
    EXPECT_EQ(chooser.current(), QStringLiteral("pewter"));
    EXPECT_FALSE(registry.empty());
}

} // namespace
} // namespace tessaly::app
