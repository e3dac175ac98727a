// The built program run from a shell: --compare prints and exits without a
// window or a display, output that cannot be written is a failure said in
// one line, and without a display the program says so in one line instead
// of aborting.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

namespace {

struct Ran {
    int status = -1;
    QString out, err;
};

// Runs `sh -c 'exec ordivan "$@" <redirect>'` with no display, no platform
// and settings in a scratch folder; `env` adds or overrides variables.
Ran RunProgram(const QStringList& args, const QString& redirect = {}, const QStringList& env = {})
{
    QTemporaryDir config;
    QProcessEnvironment vars = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        vars.remove(QString::fromLatin1(name));
    vars.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
    for (const QString& v : env)
        vars.insert(v.section('=', 0, 0), v.section('=', 1));
    QProcess p;
    p.setProcessEnvironment(vars);
    p.start(QStringLiteral("/bin/sh"),
            QStringList{"-c", "exec \"$0\" \"$@\" " + redirect, QStringLiteral(ORDIVAN_PROGRAM)} + args);
    Ran ran;
    if (!p.waitForFinished(60000)) {
        p.kill();
        p.waitForFinished();
        return ran;
    }
    ran.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : 128 + p.exitCode();
    ran.out = QString::fromLocal8Bit(p.readAllStandardOutput());
    ran.err = QString::fromLocal8Bit(p.readAllStandardError());
    return ran;
}

QStringList Lines(const QString& text) { return text.split('\n', Qt::SkipEmptyParts); }

} // namespace

TEST(CommandLineProgram, CompareNeedsNoDisplayPrintsItsTableAndExits)
{
    const Ran ran = RunProgram({"--compare", "--width", "20", "--format", "csv"});
    EXPECT_EQ(ran.status, 0) << ran.err.toStdString();
    const QStringList lines = Lines(ran.out);
    ASSERT_EQ(lines.size(), 31) << ran.out.toStdString(); // the header and thirty routines
    EXPECT_TRUE(lines[0].startsWith("Routine,Comparisons,")) << lines[0].toStdString();
    EXPECT_TRUE(lines[1].startsWith("Selection Sort,190,")) << lines[1].toStdString();
    EXPECT_EQ(ran.err, "");
}

TEST(CommandLineProgram, OutputThatCannotBeWrittenEndsWithOneAndItsReason)
{
    for (const auto& [args, redirect, reason] :
         {std::tuple{QStringList{"--compare", "--width", "10"}, "> /dev/full", "No space left on device"},
          {QStringList{"--compare", "--order", "all", "--width", "10", "--format", "csv"}, "> /dev/full", "No space left on device"},
          {QStringList{"--compare", "--width", "10"}, ">&-", "Bad file descriptor"},
          {QStringList{"--help"}, "> /dev/full", "No space left on device"},
          {QStringList{"--version"}, ">&-", "Bad file descriptor"}}) {
        SCOPED_TRACE((args.join(' ') + ' ' + redirect).toStdString());
        const Ran ran = RunProgram(args, redirect);
        EXPECT_EQ(ran.status, 1);
        EXPECT_EQ(ran.err, QStringLiteral("ordivan: cannot write the output: %1\n").arg(reason));
    }
}

TEST(CommandLineProgram, WithoutADisplayOneLineSaysSoAndABadOptionIsStillBad)
{
    const Ran plain = RunProgram({});
    EXPECT_EQ(plain.status, 1);
    ASSERT_EQ(Lines(plain.err).size(), 1) << plain.err.toStdString();
    EXPECT_TRUE(plain.err.startsWith("ordivan: no display found")) << plain.err.toStdString();
    EXPECT_TRUE(plain.err.contains("--compare and ordivan --export run without one")) << plain.err.toStdString();
    // A display named but not there: the toolkit's failure, said the same way.
    const Ran absent = RunProgram({}, {}, {"DISPLAY=:4242"});
    EXPECT_EQ(absent.status, 1);
    EXPECT_EQ(Lines(absent.err).size(), 1) << absent.err.toStdString();
    EXPECT_TRUE(absent.err.startsWith("ordivan: no display found")) << absent.err.toStdString();
    // The toolkit's own options are no bad option.
    EXPECT_EQ(RunProgram({"-style", "fusion", "-reverse"}).status, 1);
    for (const QStringList& args : {QStringList{"--bogus"}, {"stray"}, {"--help-all"}}) {
        SCOPED_TRACE(args.join(' ').toStdString());
        const Ran bad = RunProgram(args);
        EXPECT_EQ(bad.status, 2);
        EXPECT_TRUE(bad.err.startsWith("ordivan: ")) << bad.err.toStdString();
        EXPECT_TRUE(Lines(bad.err).value(1).startsWith("Usage:")) << bad.err.toStdString();
        EXPECT_FALSE(bad.err.contains("no display")) << bad.err.toStdString();
    }
    // With a display a bad option is refused the same way, before any window.
    const Ran offscreen = RunProgram({"--bogus"}, {}, {"QT_QPA_PLATFORM=offscreen"});
    EXPECT_EQ(offscreen.status, 2);
    EXPECT_TRUE(offscreen.err.contains("ordivan: Unknown option 'bogus'.")) << offscreen.err.toStdString();
}

TEST(CommandLineProgram, ASettingsFileThatIsAFolderIsSaidOnStandardError)
{
    QTemporaryDir config;
    const QString file = config.filePath(QStringLiteral("Ordivan/Ordivan.conf"));
    ASSERT_TRUE(QDir().mkpath(file));
    const Ran ran = RunProgram({"--compare", "--width", "5"}, {}, {"XDG_CONFIG_HOME=" + config.path()});
    EXPECT_EQ(ran.status, 0);
    EXPECT_EQ(ran.err, QStringLiteral("Ordivan: cannot read the settings in %1: it is a folder\n").arg(file));
    EXPECT_TRUE(ran.out.startsWith("Order Random,")) << ran.out.toStdString();
}

TEST(CommandLineProgram, DataFromStandardInputIsTheDataOfTheFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("values.txt"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("5 2 4 6 1 3\n");
    f.close();
    const QStringList args{"--compare", "--format", "csv", "--data"};
    const Ran fromFile = RunProgram(args + QStringList{path});
    const Ran fromInput = RunProgram(args + QStringList{"-"}, "< '" + path + "'");
    EXPECT_EQ(fromFile.status, 0) << fromFile.err.toStdString();
    EXPECT_EQ(fromInput.status, 0) << fromInput.err.toStdString();
    EXPECT_TRUE(fromInput.out.startsWith("Routine,Comparisons,")) << fromInput.out.toStdString();
    // The same counts, steps and writes (the times are measured).
    const auto counts = [](const QString& csv) {
        QStringList rows;
        for (const QString& line : Lines(csv))
            rows << line.section(',', 0, 3);
        return rows;
    };
    EXPECT_EQ(counts(fromInput.out), counts(fromFile.out));
    EXPECT_EQ(counts(fromInput.out).value(1), "Selection Sort,15,15,12");
    const Ran bad = RunProgram({"--compare", "--data", "-"}, "< /dev/null");
    EXPECT_EQ(bad.status, 2);
    EXPECT_EQ(bad.err, "ordivan: standard input: no values: a data set needs at least one whole number from 0 to 32767\n");
}
