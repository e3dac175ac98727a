// The settings file as the user has it: where it is, the keys it must hold
// (the fourteen, Sound and Code), and what it holds.
#pragma once

#include "platform/Settings.h"

#include <QMap>
#include <QSettings>
#include <QStringList>

inline QString SettingsFile() { return SettingsFilePath(QStringLiteral("Ordivan")); }

// Spelt out here rather than taken from the program, so that a key misspelt
// alike on reading and writing shows.
inline const QStringList kSettingKeys{"MainLeft",   "MainTop",    "MainWidth",  "MainHeight", "Background",
                                      "Foreground", "Indicator1", "Indicator2", "Indicator3", "DrawWidth",
                                      "DrawDelay",  "SortOrder",  "SortHeight", "SortWidth",  "Sound",
                                      "Code"};
// Every key a close writes: the numbers above and the plot's style by name.
inline const QStringList kStoredKeys = kSettingKeys + QStringList{"Style"};

// The texts of section [Settings] by key.
inline QMap<QString, QString> StoredSettings()
{
    QSettings file(SettingsFile(), QSettings::IniFormat);
    file.beginGroup(QStringLiteral("Settings"));
    QMap<QString, QString> texts;
    for (const QString& key : file.childKeys())
        texts[key] = file.value(key).toString();
    return texts;
}
