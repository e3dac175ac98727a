// The built program itself, run as a user runs it (offscreen, a scratch
// settings folder) and ended from outside: what it shows, keeps and says.
#include "mainwindow/StoredSettings.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/inotify.h>
#include <unistd.h>

namespace {

class Program {
public:
    // Starts the program with settings under XDG_CONFIG_HOME `config` (none:
    // under $HOME `home`) and waits until it has painted its window.
    bool Start(const QString& config, const QString& home = {})
    {
        QProcessEnvironment vars = QProcessEnvironment::systemEnvironment();
        vars.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        vars.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("qt.widgets.painting=true"));
        vars.insert(QStringLiteral("XDG_CONFIG_HOME"), config);
        if (config.isEmpty())
            vars.remove(QStringLiteral("XDG_CONFIG_HOME")), vars.insert(QStringLiteral("HOME"), home);
        process_.setProcessEnvironment(vars);
        // As from a terminal, whatever this test runs under.
        process_.setChildProcessModifier([] {
            for (const int signo : {SIGTERM, SIGINT, SIGHUP})
                signal(signo, SIG_DFL);
        });
        process_.start(QStringLiteral(ORDIVAN_PROGRAM), {});
        const QString shown = QStringLiteral("Painting and flushing dirty top level");
        return QTest::qWaitFor([&] { return Errors(true).contains(shown) || process_.state() == QProcess::NotRunning; }, 60000)
            && process_.state() == QProcess::Running;
    }
    pid_t Pid() const { return static_cast<pid_t>(process_.processId()); }
    // True when the program, sent the signal, ends by itself with status 0.
    bool EndsCleanlyOn(int signo)
    {
        kill(Pid(), signo);
        return process_.waitForFinished(30000) && process_.exitStatus() == QProcess::NormalExit && process_.exitCode() == 0;
    }
    // Standard error so far; the painting log only when asked for.
    QString Errors(bool withLog = false)
    {
        errors_ += QString::fromLocal8Bit(process_.readAllStandardError());
        QStringList lines = errors_.split(QLatin1Char('\n'));
        if (!withLog)
            lines.removeIf([](const QString& line) { return line.startsWith(QLatin1String("qt.widgets.painting")); });
        return lines.join(QLatin1Char('\n'));
    }

private:
    QProcess process_;
    QString errors_;
};

// How often the file Ordivan.conf in a folder was opened, and how often a new
// version of it was put in place (made there or renamed onto it).
class FolderWatch {
public:
    explicit FolderWatch(const QString& folder) : fd_(inotify_init1(IN_NONBLOCK | IN_CLOEXEC))
    {
        inotify_add_watch(fd_, QFile::encodeName(folder).constData(), IN_OPEN | IN_CREATE | IN_MOVED_TO);
    }
    ~FolderWatch() { close(fd_); }
    // Counts since the last call.
    std::pair<int, int> OpensAndWrites()
    {
        int opens = 0;
        int writes = 0;
        alignas(inotify_event) char buffer[8192];
        for (ssize_t length; (length = read(fd_, buffer, sizeof buffer)) > 0;)
            for (char* at = buffer; at < buffer + length;) {
                const auto* event = reinterpret_cast<const inotify_event*>(at);
                if (event->len > 0 && qstrcmp(event->name, "Ordivan.conf") == 0) {
                    opens += (event->mask & IN_OPEN) != 0;
                    writes += (event->mask & (IN_CREATE | IN_MOVED_TO)) != 0;
                }
                at += sizeof(inotify_event) + event->len;
            }
        return {opens, writes};
    }

private:
    int fd_;
};

// The file's [Settings] section holds exactly the fourteen keys and Sound,
// each a number.
void ExpectEveryKeyAsANumber(const QString& file)
{
    QSettings stored(file, QSettings::IniFormat);
    stored.beginGroup(QStringLiteral("Settings"));
    QStringList expected;
    for (const char* key : SettingKeys)
        expected << QString::fromLatin1(key);
    expected << QStringLiteral("Sound");
    QStringList keys = stored.childKeys();
    expected.sort(), keys.sort();
    EXPECT_EQ(keys, expected);
    for (const QString& key : keys) {
        bool number = false;
        stored.value(key).toString().toDouble(&number);
        EXPECT_TRUE(number) << key.toStdString() << "=" << stored.value(key).toString().toStdString();
    }
}

} // namespace

TEST(ShippedProgram, ShowsItsWindowAndOnSigtermOrSighupSavesEveryKeyInOneWriteAndEndsWithZero)
{
    QTemporaryDir config;
    const QString folder = config.filePath(QStringLiteral("Ordivan"));
    ASSERT_TRUE(QDir().mkpath(folder));
    FolderWatch watch(folder);
    for (const int signo : {SIGTERM, SIGHUP}) { // the second run reads what the first one kept
        SCOPED_TRACE(signo);
        Program program;
        ASSERT_TRUE(program.Start(config.path())) << program.Errors(true).toStdString();
        EXPECT_LE(watch.OpensAndWrites().first, 1); // the whole store read in one go

        EXPECT_TRUE(program.EndsCleanlyOn(signo)) << program.Errors().toStdString();
        EXPECT_EQ(watch.OpensAndWrites().second, 1); // the file replaced once, whole
        ExpectEveryKeyAsANumber(folder + QStringLiteral("/Ordivan.conf"));
        EXPECT_FALSE(program.Errors().contains(QLatin1String("Ordivan:"))) << program.Errors().toStdString();
    }
}

TEST(ShippedProgram, AStoreThatCannotBeWrittenIsReportedAndTheProgramStillEndsWithZero)
{
    QTemporaryDir scratch;
    const QString config = scratch.filePath(QStringLiteral("config"));
    const QString folder = config + QStringLiteral("/Ordivan");
    const QString file = folder + QStringLiteral("/Ordivan.conf");
    const QString home = scratch.filePath(QStringLiteral("home"));
    QFile(home).open(QIODevice::WriteOnly); // a file where the home folder belongs
    const bool superuser = geteuid() == 0;  // permissions do not hold it back

    struct Case {
        const char* name;
        QString config, path, reason;
        bool unreadable;
    };
    for (const Case& c : {Case{"Ordivan.conf is a folder", config, file, "it is a folder", true},
                          Case{"home is a file", {}, home + "/.config/Ordivan/Ordivan.conf", home + " is not a folder", false},
                          Case{"read-only folder", config, file, folder + ": Permission denied", false}}) {
        SCOPED_TRACE(c.name);
        QDir(config).removeRecursively();
        QDir().mkpath(c.unreadable ? file : folder);
        if (c.reason.endsWith(QLatin1String("denied")) && (superuser || !QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner)))
            continue;
        Program program;
        ASSERT_TRUE(program.Start(c.config, home)) << program.Errors(true).toStdString();
        const QString atStart = program.Errors();
        EXPECT_TRUE(atStart.contains(QStringLiteral("Ordivan: the settings will not be saved to %1: %2").arg(c.path, c.reason)))
            << atStart.toStdString();
        EXPECT_EQ(atStart.contains(QStringLiteral("Ordivan: cannot read the settings in %1: %2").arg(c.path, c.reason)), c.unreadable);
        EXPECT_TRUE(program.EndsCleanlyOn(SIGTERM));
        EXPECT_TRUE(program.Errors().contains(QStringLiteral("Ordivan: could not save the settings to %1: %2").arg(c.path, c.reason)))
            << program.Errors().toStdString();
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
}

TEST(ShippedProgram, KilledDuringTheSaveItLeavesTheOldFileOrTheNewNeverAMix)
{
    QTemporaryDir config;
    const QString file = config.filePath(QStringLiteral("Ordivan/Ordivan.conf"));
    // Bulk that every save carries along makes the save last long enough to
    // be hit; every key unreadable, so the new file holds the defaults.
    QByteArray old = "[Bulk]\n";
    for (int i = 0; i < 20000; ++i)
        old += "k" + QByteArray::number(i) + "=" + QByteArray(40, 'x') + "\n";
    old += "[Settings]\n";
    for (const char* key : SettingKeys)
        old += QByteArray(key) + "=old\n";
    for (const int wait : {0, 50, 150, 400, 800, 1600}) { // ms from the close request to the kill
        SCOPED_TRACE(wait);
        QDir().mkpath(QFileInfo(file).path());
        QFile stored(file);
        ASSERT_TRUE(stored.open(QIODevice::WriteOnly | QIODevice::Truncate));
        stored.write(old);
        stored.close();

        Program program;
        ASSERT_TRUE(program.Start(config.path())) << program.Errors(true).toStdString();
        kill(program.Pid(), SIGTERM);
        usleep(static_cast<useconds_t>(wait) * 1000);
        program.EndsCleanlyOn(SIGKILL);

        ASSERT_TRUE(stored.open(QIODevice::ReadOnly));
        if (stored.readAll() != old)
            ExpectEveryKeyAsANumber(file); // no key left at its old text
    }
}
