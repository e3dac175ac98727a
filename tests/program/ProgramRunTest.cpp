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
        if (config.isEmpty()) {
            vars.remove(QStringLiteral("XDG_CONFIG_HOME"));
            vars.insert(QStringLiteral("HOME"), home);
        }
        process_.setProcessEnvironment(vars);
        process_.setChildProcessModifier([] { // as from a terminal, whatever this test runs under
            for (const int signo : {SIGTERM, SIGINT, SIGHUP})
                signal(signo, SIG_DFL);
        });
        process_.start(QStringLiteral(ORDIVAN_PROGRAM), {});
        return QTest::qWaitFor([&] { return Errors().contains(QLatin1String("Painting and flushing dirty top level")) || process_.state() == QProcess::NotRunning; }, 60000)
            && process_.state() == QProcess::Running;
    }
    void Signal(int signo) { kill(static_cast<pid_t>(process_.processId()), signo); }
    // True when the program ends by itself with status 0.
    bool EndsWithZero() { return process_.waitForFinished(30000) && process_.exitStatus() == QProcess::NormalExit && process_.exitCode() == 0; }
    // Standard error so far, the painting log included.
    QString Errors() { return errors_ += QString::fromLocal8Bit(process_.readAllStandardError()); }

private:
    QProcess process_;
    QString errors_;
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
    expected << QStringLiteral("Sound") << QStringLiteral("Style");
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

} // namespace

TEST(ShippedProgram, ShowsItsWindowAndOnSigtermOrSighupSavesEveryKeyAndEndsWithZero)
{
    QTemporaryDir config;
    const QString folder = config.filePath(QStringLiteral("Ordivan"));
    ASSERT_TRUE(QDir().mkpath(folder));
    for (const int signo : {SIGTERM, SIGHUP}) { // the second run reads what the first one kept
        SCOPED_TRACE(signo);
        Program program;
        ASSERT_TRUE(program.Start(config.path())) << program.Errors().toStdString();
        program.Signal(signo);
        EXPECT_TRUE(program.EndsWithZero()) << program.Errors().toStdString();
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
    ASSERT_TRUE(QDir().mkpath(QFileInfo(file).path()));
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
        QFile stored(file);
        ASSERT_TRUE(stored.open(QIODevice::WriteOnly | QIODevice::Truncate));
        stored.write(old);
        stored.close();
        Program program;
        ASSERT_TRUE(program.Start(config.path())) << program.Errors().toStdString();
        program.Signal(SIGTERM);
        usleep(static_cast<useconds_t>(wait) * 1000);
        program.Signal(SIGKILL);
        program.EndsWithZero();
        ASSERT_TRUE(stored.open(QIODevice::ReadOnly));
        if (stored.readAll() != old)
            ExpectEveryKeyAsANumber(file); // no key left at its old text
    }
}
