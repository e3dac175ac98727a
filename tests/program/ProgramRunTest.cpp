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
#include <cstring>
#include <poll.h>
#include <sys/inotify.h>
#include <sys/prctl.h>
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
        if (config.isEmpty()) {
            vars.remove(QStringLiteral("XDG_CONFIG_HOME"));
            vars.insert(QStringLiteral("HOME"), home);
        }
        // The toolkit's own folder, so that it has nothing to say about it.
        vars.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime_.path());
        process_.setProcessEnvironment(vars);
        process_.setChildProcessModifier([] { // as from a terminal, whatever this test runs under
            for (const int signo : {SIGTERM, SIGINT, SIGHUP})
                signal(signo, SIG_DFL);
            prctl(PR_SET_PDEATHSIG, SIGKILL); // never outlives a test that is ended
        });
        process_.start(QStringLiteral(ORDIVAN_PROGRAM), {});
        return QTest::qWaitFor([&] { return Errors().contains(QLatin1String("Painting and flushing dirty top level")) || process_.state() == QProcess::NotRunning; }, 60000)
            && process_.state() == QProcess::Running;
    }
    // Only while it runs: a program already ended has no id, and kill(0)
    // would signal this test's whole process group.
    void Signal(int signo)
    {
        const pid_t pid = static_cast<pid_t>(process_.processId());
        if (pid > 0)
            kill(pid, signo);
    }
    // True when the program ends by itself with status 0.
    bool EndsWithZero() { return process_.waitForFinished(30000) && process_.exitStatus() == QProcess::NormalExit && process_.exitCode() == 0; }
    // Standard error so far, the painting log included.
    QString Errors() { return errors_ += QString::fromLocal8Bit(process_.readAllStandardError()); }
    // What the program itself said on standard error: without the painting
    // log and the offscreen platform's note that it has no window manager.
    QString Said()
    {
        QStringList lines = Errors().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        lines.removeIf([](const QString& line) {
            return line.startsWith(QLatin1String("qt.widgets.painting")) || line == QLatin1String("This plugin does not support propagateSizeHints()");
        });
        return lines.join(QLatin1Char('\n'));
    }

private:
    QTemporaryDir runtime_;
    QProcess process_;
    QString errors_;
};

// The file's [Settings] section holds exactly the fourteen keys, Sound and Code,
// each a number.
void ExpectEveryKeyAsANumber(const QString& file)
{
    QSettings stored(file, QSettings::IniFormat);
    stored.beginGroup(QStringLiteral("Settings"));
    QStringList expected;
    for (const char* key : SettingKeys)
        expected << QString::fromLatin1(key);
    expected << QStringLiteral("Sound") << QStringLiteral("Style") << QStringLiteral("Code");
    expected.sort();
    EXPECT_EQ(stored.childKeys(), expected); // sorted already
    EXPECT_EQ(stored.value(QStringLiteral("Style")).toString(), QStringLiteral("Bars"));
    for (const QString& key : stored.childKeys()) {
        if (key == QLatin1String("Style"))
            continue; // a name
        bool number = false;
        stored.value(key).toString().toDouble(&number);
        EXPECT_TRUE(number) << key.toStdString() << "=" << stored.value(key).toString().toStdString();
    }
}

// Whether the folder's events so far include a new Ordivan.conf moved in.
bool Replaced(int watch)
{
    alignas(inotify_event) char events[4096];
    pollfd ready{watch, POLLIN, 0};
    while (poll(&ready, 1, 0) == 1) {
        const ssize_t n = read(watch, events, sizeof events);
        for (ssize_t at = 0; at < n;) {
            const auto* event = reinterpret_cast<const inotify_event*>(events + at);
            if ((event->mask & IN_MOVED_TO) && event->len && std::strcmp(event->name, "Ordivan.conf") == 0)
                return true;
            at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
        }
    }
    return false;
}

} // namespace

// A first start with no settings folder says nothing; the second run reads
// what the first one kept.
TEST(ShippedProgram, ShowsItsWindowAndOnSigtermOrSighupSavesEveryKeyAndEndsWithZero)
{
    QTemporaryDir scratch;
    const QString config = scratch.filePath(QStringLiteral("config")); // not there yet
    for (const int signo : {SIGTERM, SIGHUP}) {
        SCOPED_TRACE(signo);
        Program program;
        ASSERT_TRUE(program.Start(config)) << program.Errors().toStdString();
        program.Signal(signo);
        EXPECT_TRUE(program.EndsWithZero()) << program.Errors().toStdString();
        EXPECT_EQ(program.Said(), QString());
        ExpectEveryKeyAsANumber(config + QStringLiteral("/Ordivan/Ordivan.conf"));
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
    struct Case {
        QString config, path, reason;
        bool unreadable;
    };
    for (const Case& c : {Case{config, file, "it is a folder", true},
                          Case{{}, home + "/.config/Ordivan/Ordivan.conf", home + " is not a folder", false},
                          Case{config, file, folder + ": Permission denied", false}}) {
        SCOPED_TRACE(c.reason.toStdString());
        QDir(config).removeRecursively();
        QDir().mkpath(c.unreadable ? file : folder); // Ordivan.conf made a folder
        if (c.reason.endsWith(QLatin1String("denied")) && (geteuid() == 0 || !QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner)))
            continue; // permissions do not hold the superuser back
        Program program;
        ASSERT_TRUE(program.Start(c.config, home)) << program.Errors().toStdString();
        const auto says = [&c](const QString& errors, const char* what) {
            return errors.contains(QStringLiteral("Ordivan: %1 %2: %3").arg(QLatin1String(what), c.path, c.reason));
        };
        const QString atStart = program.Errors();
        EXPECT_TRUE(says(atStart, "the settings will not be saved to")) << atStart.toStdString();
        EXPECT_EQ(says(atStart, "cannot read the settings in"), c.unreadable);
        program.Signal(SIGTERM);
        EXPECT_TRUE(program.EndsWithZero());
        EXPECT_TRUE(says(program.Errors(), "could not save the settings to")) << program.Errors().toStdString();
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
}

TEST(ShippedProgram, KilledDuringTheSaveItLeavesTheOldFileOrTheNewNeverAMix)
{
    QTemporaryDir config;
    const QString file = config.filePath(QStringLiteral("Ordivan/Ordivan.conf"));
    const QDir folder = QFileInfo(file).dir();
    // Bulk that every save carries along makes the save last long enough to
    // be hit; every key unreadable, so the new file holds the defaults.
    QByteArray old = "[Bulk]\n";
    for (int i = 0; i < 20000; ++i)
        old += "k" + QByteArray::number(i) + "=" + QByteArray(40, 'x') + "\n";
    old += "[Settings]\n";
    for (const char* key : SettingKeys)
        old += QByteArray(key) + "=old\n";
    // The kill comes this many ms after the save has taken its lock (before
    // it reads or writes anything), so it falls at every point of the save;
    // -1: once the new file is in place.
    int killedMidSave = 0;
    int saved = 0;
    for (const int wait : {0, 10, 30, 60, 100, 150, 250, -1}) {
        SCOPED_TRACE(wait);
        ASSERT_TRUE(QDir(folder).removeRecursively() && QDir().mkpath(folder.path()));
        QFile stored(file);
        ASSERT_TRUE(stored.open(QIODevice::WriteOnly | QIODevice::Truncate));
        stored.write(old);
        stored.close();
        Program program;
        ASSERT_TRUE(program.Start(config.path())) << program.Errors().toStdString();
        const int watch = inotify_init1(IN_CLOEXEC);
        ASSERT_GE(watch, 0);
        ASSERT_GE(inotify_add_watch(watch, QFile::encodeName(folder.path()).constData(), IN_CREATE | IN_MOVED_TO), 0);
        program.Signal(SIGTERM);
        pollfd event{watch, POLLIN, 0};
        EXPECT_EQ(poll(&event, 1, 30000), 1) << "no save began";
        if (wait >= 0)
            usleep(static_cast<useconds_t>(wait) * 1000);
        else
            EXPECT_TRUE(QTest::qWaitFor([&] { return Replaced(watch); }, 30000)) << "the save never ended";
        program.Signal(SIGKILL);
        close(watch);
        program.EndsWithZero();
        ASSERT_TRUE(stored.open(QIODevice::ReadOnly));
        const bool kept = stored.readAll() == old;
        if (!kept) {
            ++saved;
            ExpectEveryKeyAsANumber(file); // no key left at its old text
        }
        // The lock stays from before the save reads the old file until it has
        // put the new one in place: a lock left is a save cut short.
        if (folder.exists(QStringLiteral("Ordivan.conf.lock")))
            ++killedMidSave;
    }
    EXPECT_GE(killedMidSave, 2) << "too few kills fell in the middle of a save";
    EXPECT_GE(saved, 1) << "no save was let finish";
}
