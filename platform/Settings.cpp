#include "platform/Settings.h"

#include <QSettings>
#include <QStandardPaths>

QString AppTitle()
{
    return QStringLiteral("Ordivan");
}

QString SettingsFilePath(const QString& app)
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QLatin1Char('/') + app
        + QLatin1Char('/') + app + QStringLiteral(".conf");
}

QString GetSetting(const QString& app, const QString& section, const QString& key, const QString& def)
{
    QSettings store(SettingsFilePath(app), QSettings::IniFormat);
    const QVariant value = store.value(section + QLatin1Char('/') + key);
    // A value that is not plain text (a list, a damaged entry) counts as missing.
    if (!value.isValid() || value.typeId() != QMetaType::QString)
        return def;
    return value.toString();
}

bool SaveSetting(const QString& app, const QString& section, const QString& key, const QString& value)
{
    QSettings store(SettingsFilePath(app), QSettings::IniFormat);
    store.setValue(section + QLatin1Char('/') + key, value);
    store.sync();
    return store.status() == QSettings::NoError;
}
