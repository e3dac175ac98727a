// The per-user settings store: text values under an application name and a
// section, kept as an INI file in $XDG_CONFIG_HOME/<app>/<app>.conf.
#pragma once

#include <QString>

// "Ordivan": the application name of every setting and the title of message boxes.
QString AppTitle();

// Where the store of an application lives: $XDG_CONFIG_HOME/<app>/<app>.conf.
QString SettingsFilePath(const QString& app);

// The text stored under application, section and key, or the default text
// when nothing readable is stored there.
QString GetSetting(const QString& app, const QString& section, const QString& key, const QString& def);
// Stores the text. Returns false when the store could not be written (the
// program goes on; nothing else depends on it).
bool SaveSetting(const QString& app, const QString& section, const QString& key, const QString& value);
