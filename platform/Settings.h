// The per-user settings store: text values under an application name and a
// section, kept in $XDG_CONFIG_HOME/<app>/<app>.conf (INI).
#pragma once

#include <QString>

// "Ordivan": the application name of every setting and the title of message boxes.
QString AppTitle();

// The text stored under application, section and key, or the default text
// when nothing readable is stored there.
QString GetSetting(const QString& app, const QString& section, const QString& key, const QString& def);
// Stores the text. Returns false when the store could not be written (the
// program goes on; nothing else depends on it).
bool SaveSetting(const QString& app, const QString& section, const QString& key, const QString& value);
