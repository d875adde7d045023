#include "app/safe_skin_start.h"

#include <QDir>
#include <QSettings>

namespace tessaly::app {

namespace {

QString stringAt(const QSettings& settings, const char* key)
{
    const QVariant value = settings.value(QLatin1String(key));
    return value.typeId() == QMetaType::QString ? value.toString() : QString();
}

} // namespace

bool SafeSkinStart::mayTry(const QString& choice)
{
    const QString starting = stringAt(m_settings, StartingKey);
    m_settings.remove(QLatin1String(StartingKey));
    if (!starting.isEmpty() && starting == choice) {
        m_settings.setValue(QLatin1String(SetAsideKey), choice);
        m_settings.sync();
        m_notice = "The program did not come up the last time it started with the skin file \"" + choice.toStdString() +
            "\", so it wears its built-in skin. Choose the file again from the Skin menu once it is fixed";
        return false;
    }
    if (!stringAt(m_settings, SetAsideKey).isEmpty() && stringAt(m_settings, SetAsideKey) == choice)
        return false;
    // Built-in skins are known to start; only a file is marked.
    if (QDir::isAbsolutePath(choice))
        m_settings.setValue(QLatin1String(StartingKey), choice);
    m_settings.sync();
    return true;
}

void SafeSkinStart::started()
{
    m_settings.remove(QLatin1String(StartingKey));
    m_settings.sync();
}

void SafeSkinStart::forget(QSettings& settings)
{
    settings.remove(QLatin1String(StartingKey));
    settings.remove(QLatin1String(SetAsideKey));
}

} // namespace tessaly::app
