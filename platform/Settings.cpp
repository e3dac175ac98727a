#include "platform/Settings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSettings>
#include <QStandardPaths>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unistd.h>

QString AppTitle()
{
    return QStringLiteral("Ordivan");
}

QString SettingsFilePath(const QString& app)
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QLatin1Char('/') + app
        + QLatin1Char('/') + app + QStringLiteral(".conf");
}

SettingsSession::SettingsSession(const QString& app)
    : path_(SettingsFilePath(app))
    , store_(std::make_unique<QSettings>(path_, QSettings::IniFormat))
{
    // QSettings replaces the file through a new file renamed over the old
    // one, and refuses to write it in place; that is what keeps a save whole.
    store_->setAtomicSyncRequired(true);
}

SettingsSession::~SettingsSession() = default;

QString SettingsSession::Get(const QString& section, const QString& key, const QString& def) const
{
    const QVariant value = store_->value(section + QLatin1Char('/') + key);
    // A value that is not plain text (a list, a damaged entry) counts as missing.
    if (!value.isValid() || value.typeId() != QMetaType::QString)
        return def;
    return value.toString();
}

void SettingsSession::Set(const QString& section, const QString& key, const QString& value)
{
    store_->setValue(section + QLatin1Char('/') + key, value);
}

bool SettingsSession::Save()
{
    store_->sync();
    // A damaged file met while reading leaves a format error behind; only a
    // failed write is an access error.
    if (store_->status() != QSettings::AccessError)
        return true;
    QString reason = WriteProblem();
    if (reason.isEmpty())
        reason = QStringLiteral("the file could not be written");
    ReportSettingsProblem(QStringLiteral("could not save the settings to"), path_, reason);
    return false;
}

QString SettingsSession::ReadProblem() const
{
    const QFileInfo info(path_);
    if (info.isDir())
        return QStringLiteral("it is a folder");
    if (store_->status() == QSettings::FormatError)
        return QStringLiteral("it is damaged");
    if (store_->status() != QSettings::AccessError || !info.exists())
        return {};
    // Opened again only to learn why the store could not read it.
    QFile file(path_);
    if (!file.open(QIODevice::ReadOnly))
        return file.errorString();
    return QStringLiteral("it could not be read");
}

QString SettingsSession::WriteProblem() const
{
    const QFileInfo info(path_);
    if (info.isDir())
        return QStringLiteral("it is a folder");
    // The save creates the missing folders below the nearest one that exists,
    // and puts its new file beside the old one: that folder must take files.
    const QString folder = info.absolutePath();
    QString parent = folder;
    while (!QFileInfo::exists(parent))
        parent = QFileInfo(parent).path();
    if (!QFileInfo(parent).isDir())
        return QStringLiteral("%1 is not a folder").arg(parent);
    if (access(QFile::encodeName(parent).constData(), W_OK | X_OK) != 0)
        return QStringLiteral("%1: %2").arg(parent, QString::fromLocal8Bit(std::strerror(errno)));
    if (parent != folder)
        return {};
    // A trial of the save itself (an old file that may not be replaced, say).
    // Not committed, so the trial file is removed again.
    QSaveFile probe(path_);
    if (!probe.open(QIODevice::WriteOnly))
        return probe.errorString();
    return {};
}

QString SettingsProblemText(const QString& what, const QString& path, const QString& reason)
{
    return QStringLiteral("%1: %2 %3: %4").arg(AppTitle(), what, path, reason);
}

void ReportSettingsProblem(const QString& line)
{
    std::fputs((line + QLatin1Char('\n')).toLocal8Bit().constData(), stderr);
    std::fflush(stderr);
}

void ReportSettingsProblem(const QString& what, const QString& path, const QString& reason)
{
    ReportSettingsProblem(SettingsProblemText(what, path, reason));
}

QString GetSetting(const QString& app, const QString& section, const QString& key, const QString& def)
{
    return SettingsSession(app).Get(section, key, def);
}

bool SaveSetting(const QString& app, const QString& section, const QString& key, const QString& value)
{
    SettingsSession session(app);
    session.Set(section, key, value);
    return session.Save();
}
