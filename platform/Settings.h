// The per-user settings store: text values under an application name and a
// section, kept as an INI file in $XDG_CONFIG_HOME/<app>/<app>.conf.
#pragma once

#include <QString>

#include <memory>

class QSettings;

// "Ordivan": the application name of every setting and the title of message boxes.
QString AppTitle();

// Where the store of an application lives: $XDG_CONFIG_HOME/<app>/<app>.conf.
QString SettingsFilePath(const QString& app);

// One opening of an application's store, for reading or writing many keys at
// once: the file is read once, and Save writes every value set since in one
// go, replacing the file whole, so that a program killed during the save
// leaves either the old file or the new one.
class SettingsSession {
public:
    explicit SettingsSession(const QString& app);
    ~SettingsSession();
    SettingsSession(const SettingsSession&) = delete;
    SettingsSession& operator=(const SettingsSession&) = delete;

    QString Path() const { return path_; }
    // The text stored under section and key, or the default text when
    // nothing readable is stored there.
    QString Get(const QString& section, const QString& key, const QString& def) const;
    // Keeps the text for the next Save.
    void Set(const QString& section, const QString& key, const QString& value);
    // Writes what was set. Returns false when the file could not be written.
    bool Save();

    // Why the stored values cannot be read, or empty when they can (a
    // missing file is simply empty).
    QString ReadProblem() const;
    // Why a save would fail, or empty when it would succeed. Leaves nothing
    // behind on the disk.
    QString WriteProblem() const;

private:
    QString path_;
    std::unique_ptr<QSettings> store_;
};

// One line, without its end, of what went wrong with the store at path and
// why: "Ordivan: <what> <path>: <reason>".
QString SettingsProblemText(const QString& what, const QString& path, const QString& reason);
// Says that line on standard error.
void ReportSettingsProblem(const QString& what, const QString& path, const QString& reason);
void ReportSettingsProblem(const QString& line);

// One key read or written through a session of its own.
QString GetSetting(const QString& app, const QString& section, const QString& key, const QString& def);
// Returns false when the store could not be written (the program goes on;
// nothing else depends on it).
bool SaveSetting(const QString& app, const QString& section, const QString& key, const QString& value);
