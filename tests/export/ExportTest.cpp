// An exported run read back: every frame is the window's plot after the
// same step (painted by the window's own plot view on a picture box), the
// pace and the holds are as asked, the sound starts with its steps, and a
// failed, cancelled or interrupted export leaves nothing behind.
#include "ExportDecode.h"

#include "engine/Module1.h"
#include "engine/Routines.h"
#include "engine/RunTrace.h"
#include "compare/CommandLine.h"
#include "export/ExportCommand.h"
#include "export/Exporter.h"
#include "export/FfmpegWriter.h"
#include "export/FrameWriter.h"
#include "export/WavWriter.h"
#include "platform/Palette.h"
#include "platform/PictureBox.h"
#include "platform/PixelSpan.h"
#include "platform/Runtime.h"
#include "platform/Settings.h"
#include "support/QtPrint.h"
#include "support/RecordingView.h"
#include "view/PlotView.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <thread>

namespace {

constexpr int kQuick = 6, kBubble = 1, kCounting = 10;

ExportRun SmallRun(int routine, PlotStyle style = PlotStyle::Bars, int width = 24, QSize size = {96, 64})
{
    ExportRun run;
    run.routine = routine;
    run.style = style;
    run.colors = {0, 15, 12, 10, 9};
    run.pen = 1;
    run.size = size;
    run.caption = false;
    run.pace.fps = 10;
    run.input.order = 6;
    run.input.height = 100;
    run.input.width = static_cast<Integer>(width);
    std::thread([&] {
        RestartRnd();
        run.input.values = {0};
        for (int i = 0; i < width; ++i)
            run.input.values.push_back(static_cast<Integer>(1 + 100 * Rnd()));
        run.input.rndState = RndState();
    }).join();
    return run;
}

// The window's plot after each step of the run: the plot view of the main
// window on a picture box of the plot's size. [0] before the run, [k] after
// step k, back() after the run.
class WindowSteps : public RunTrace, public SortView {
public:
    explicit WindowSteps(const ExportRun& run, int captionHeight = 0)
    {
        ResetSharedState();
        ColorSet = run.colors;
        DrawSet = {static_cast<Integer>(run.pen), 0};
        SortSet = {run.input.order, run.input.height, run.input.width};
        SortData = run.input.values;
        SetRndState(run.input.rndState);
        DataReady = true;
        box.resize(run.size.width(), run.size.height() - captionHeight);
        box.setBackColor(QBColor(ColorSet[0]));
        box.setForeColor(QBColor(ColorSet[1]));
        plot.SetStyle(run.style);
        plot.XScale = float(run.input.width / box.ScaleWidth());
        plot.YScale = float(run.input.height / box.ScaleHeight());
        plot.DrawBox();
        images.push_back(box.image().copy());
        MainView = this;
        Trace = this;
        Sorting = true;
        RoutineTable[static_cast<std::size_t>(run.routine)].entry();
        Trace = nullptr;
        MainView = &TheNullView();
        images.push_back(box.image().copy());
        ResetSharedState();
    }
    void DrawLine(int X, int Y, int z) override { plot.DrawLine(X, Y, z); }
    void DrawPlot(int X, bool o) override { plot.DrawPlot(X, o); }
    void DoReset(int) override { Comparisons = 0; }
    void DoStatus() override {}
    void Written(std::vector<Integer>&, int, Integer) override {}
    void Cleared(std::vector<Integer>&, std::size_t) override {}
    void Stepped() override { images.push_back(box.image().copy()); }

    PictureBox box;
    PlotView plot{box};
    std::vector<QImage> images;
    int Steps() const { return static_cast<int>(images.size()) - 2; }
};

struct Written {
    bool ok;
    QString error;
};

Written Export(const ExportRun& run, const QString& path, bool sound = false)
{
    Written w{};
    std::thread([&] {
        Exporter exporter(run, path, sound);
        w.ok = exporter.Run();
        w.error = exporter.Error();
    }).join();
    return w;
}

QStringList Files(const QTemporaryDir& dir)
{
    return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
}

// Whether this program has a file open in `dir`.
bool WritingIn(const QTemporaryDir& dir)
{
    const QFileInfoList fds = QDir(QStringLiteral("/proc/self/fd")).entryInfoList(QDir::System | QDir::Files);
    for (const QFileInfo& fd : fds)
        if (fd.symLinkTarget().startsWith(dir.path() + QLatin1Char('/')))
            return true;
    return false;
}

// The height of each bar as the picture shows it (bars, pen 1): the
// foreground and marker pixels of its column.
std::vector<int> BarHeights(const QImage& image, int N, QRgb back)
{
    std::vector<int> heights;
    for (int i = 1; i < N; ++i) { // bar N stands on the right edge, outside the picture
        const int x = PenColumns({1, 1, 1, 1}, double(i) * image.width() / N).first;
        int h = 0;
        for (int y = 0; y < image.height(); ++y)
            h += image.pixel(x, y) != (back | 0xff000000u);
        heights.push_back(h);
    }
    return heights;
}

struct StyleRoutine {
    PlotStyle style;
    int routine;
};

class FramesTest : public ::testing::TestWithParam<StyleRoutine> {};

// Every step's frame equals the window's plot after that step, lossless
// (animated PNG) in every style; the sorted result is held one second.
TEST_P(FramesTest, EveryFrameIsTheWindowsPlotAfterItsStep)
{
    QTemporaryDir dir;
    ExportRun run = SmallRun(GetParam().routine, GetParam().style);
    run.caption = true;
    run.size = {120, 80};
    const int caption = FrameSource::CaptionHeight(run.size, true);
    ASSERT_GT(caption, 0);
    const WindowSteps window(run, caption);
    const QString path = dir.filePath(QStringLiteral("run.png"));
    const Written w = Export(run, path);
    ASSERT_TRUE(w.ok) << w.error.toStdString();
    const Decoded d = DecodeApng(path);
    ASSERT_TRUE(d.ok) << d.error.toStdString();
    EXPECT_EQ(d.width, 120);
    EXPECT_EQ(d.height, 80);
    EXPECT_EQ(d.declaredFrames, static_cast<int>(d.frames.size()));
    const int S = window.Steps();
    EXPECT_NEAR(d.Length(), (S + 1) / 10.0 + 1.0, 1e-6);
    auto plot = [&](const QImage& frame) { return frame.copy(0, caption, frame.width(), frame.height() - caption); };
    for (int k = 0; k <= S; ++k)
        ASSERT_EQ(plot(d.At((k + 0.5) / 10.0)), window.images[static_cast<std::size_t>(k)]) << "step " << k;
    EXPECT_EQ(plot(d.frames.back().image), window.images.back());
    // Held a second (longer where the last step already showed the end:
    // Counting Sort has no markers to take off).
    EXPECT_GE(d.frames.back().seconds, 1.0 - 1e-6);
    // The caption's count moves on with the run.
    if (RoutineTable[static_cast<std::size_t>(GetParam().routine)].compares) {
        EXPECT_NE(d.frames.front().image.copy(0, 0, 120, caption), d.frames.back().image.copy(0, 0, 120, caption));
    }
}

INSTANTIATE_TEST_SUITE_P(Styles, FramesTest,
                         ::testing::Values(StyleRoutine{PlotStyle::Bars, kQuick}, StyleRoutine{PlotStyle::Bars, kCounting},
                                           StyleRoutine{PlotStyle::Rainbow, kBubble},
                                           StyleRoutine{PlotStyle::ColorCircle, kQuick},
                                           StyleRoutine{PlotStyle::DisparityCircle, kQuick},
                                           StyleRoutine{PlotStyle::Spiral, kCounting}));

// The GIF in the program's colours is exact too; its delays add up to the
// run's length without drift, later frames store only what changed, and
// the last frame shows the data sorted.
TEST(GifExport, FramesDelaysAndTheSortedEnd)
{
    QTemporaryDir dir;
    ExportRun run = SmallRun(kQuick);
    run.pace.fps = 30;
    const WindowSteps window(run);
    const QString path = dir.filePath(QStringLiteral("run.gif"));
    ASSERT_TRUE(Export(run, path).ok);
    const Decoded d = DecodeGif(path);
    ASSERT_TRUE(d.ok) << d.error.toStdString();
    EXPECT_EQ(d.width, 96);
    EXPECT_EQ(d.height, 64);
    const int S = window.Steps();
    const std::int64_t periods = S + 1 + 30;
    EXPECT_NEAR(d.Length(), PeriodStart(periods, 30, 100) / 100.0, 1e-9);
    double t = 0;
    long stored = 0;
    for (std::size_t i = 0; i < d.frames.size(); ++i) {
        const int k = static_cast<int>(std::llround(t * 30)); // the step the frame starts at
        if (k <= S) {
            ASSERT_EQ(d.frames[i].image, window.images[static_cast<std::size_t>(k)]) << "frame " << i;
        }
        t += d.frames[i].seconds;
        if (i > 0)
            stored += d.frames[i].rect.width() * d.frames[i].rect.height();
    }
    // Only what changed is stored: a step touches a few columns.
    EXPECT_LT(stored, static_cast<long>(d.frames.size() - 1) * 96 * 64 / 4);
    EXPECT_EQ(d.frames.back().image, window.images.back());
    const std::vector<int> heights = BarHeights(d.frames.back().image, 24, QBColor(0).rgb());
    EXPECT_TRUE(std::is_sorted(heights.begin(), heights.end()));
    EXPECT_GT(heights.back(), heights.front());
}

// Steps per frame and a chosen length both show the steps the pace names.
TEST(ExportPace, StepsPerFrameAndLength)
{
    QTemporaryDir dir;
    ExportRun run = SmallRun(kBubble, PlotStyle::Bars, 12);
    const WindowSteps window(run);
    const int S = window.Steps();
    ASSERT_GT(S, 20);
    struct Case {
        int stepsPerFrame;
        double seconds;
    };
    for (const Case c : {Case{3, 0}, Case{1, 2.0}, Case{1, 0.5}}) {
        run.pace.stepsPerFrame = c.stepsPerFrame;
        run.pace.seconds = c.seconds;
        const QString path = dir.filePath(QStringLiteral("pace.png"));
        ASSERT_TRUE(Export(run, path).ok);
        const Decoded d = DecodeApng(path);
        ASSERT_TRUE(d.ok);
        const std::int64_t runPeriods = RunPeriods(run.pace, S);
        EXPECT_NEAR(d.Length(), (runPeriods + 10) / 10.0, 1e-6) << c.stepsPerFrame << ' ' << c.seconds;
        for (std::int64_t j = 0; j < runPeriods; ++j) {
            const std::int64_t step = c.seconds > 0 ? j * S / (runPeriods - 1) : j * c.stepsPerFrame;
            ASSERT_EQ(d.At((j + 0.5) / 10.0), window.images[static_cast<std::size_t>(step)])
                << "period " << j << " of " << c.stepsPerFrame << ' ' << c.seconds;
        }
    }
}

// The sound lasts as long as the pictures; each step's tone starts at its
// frame, nothing sounds before the run, and the held end falls silent.
TEST(WavExport, TonesStartWithTheirStepsAndLastAsLongAsTheFrames)
{
    QTemporaryDir dir;
    ExportRun run = SmallRun(kQuick);
    run.pace.fps = 10;
    const QString path = dir.filePath(QStringLiteral("run.gif"));
    ASSERT_TRUE(Export(run, path, true).ok);
    const Wav wav = ReadWav(dir.filePath(QStringLiteral("run.wav")));
    ASSERT_TRUE(wav.ok);
    const Decoded d = DecodeGif(path);
    EXPECT_EQ(static_cast<std::int64_t>(wav.samples.size()),
              PeriodStart(std::llround(d.Length() * 10), 10, WavWriter::kRate));
    auto loudest = [&](std::int64_t from, std::int64_t to) {
        int peak = 0;
        for (std::int64_t i = from; i < to; ++i)
            peak = std::max(peak, std::abs(int(wav.samples[static_cast<std::size_t>(i)])));
        return peak;
    };
    const std::int64_t frame = WavWriter::kRate / 10;
    EXPECT_EQ(loudest(0, frame), 0) << "sound before the run";
    for (int k = 1; k <= 5; ++k) {
        // Each step's tone is let go within the frame and the next starts
        // exactly at its frame: quiet just before, loud just after.
        EXPECT_LT(loudest(k * frame - 40, k * frame), 200) << "step " << k;
        EXPECT_GT(loudest(k * frame, k * frame + 441), 2000) << "step " << k;
    }
    const std::int64_t n = static_cast<std::int64_t>(wav.samples.size());
    EXPECT_EQ(loudest(n - WavWriter::kRate / 2, n), 0) << "the held end sounds";
}

// Bad arguments are named on one line with the usage (exit 2); good ones
// give the request.
TEST(ExportCommandLine, ParsesGoodArgumentsAndNamesBadOnes)
{
    const ExportParse good = ParseExport({QStringLiteral("ordivan"), QStringLiteral("--export"), QStringLiteral("a.APNG"),
                                          QStringLiteral("--routine"), QStringLiteral("bubble sort"), QStringLiteral("--order"),
                                          QStringLiteral("2"), QStringLiteral("--size"), QStringLiteral("16x4320"),
                                          QStringLiteral("--fps=120"), QStringLiteral("--duration"), QStringLiteral("2.5"),
                                          QStringLiteral("--no-caption"), QStringLiteral("--sound")});
    ASSERT_TRUE(good.request) << good.error.toStdString();
    EXPECT_EQ(good.request->routine, kBubble);
    EXPECT_EQ(good.request->order, 2);
    EXPECT_EQ(good.request->size, QSize(16, 4320));
    EXPECT_EQ(good.request->pace.fps, 120);
    EXPECT_EQ(good.request->pace.seconds, 2.5);
    EXPECT_FALSE(good.request->caption);
    EXPECT_TRUE(good.request->sound);

    const QStringList bad[] = {
        {QStringLiteral("--export"), QStringLiteral("a.bmp")},
        {QStringLiteral("--export"), QStringLiteral("a.gif"), QStringLiteral("--size"), QStringLiteral("15x100")},
        {QStringLiteral("--export"), QStringLiteral("a.gif"), QStringLiteral("--size"), QStringLiteral("7681x100")},
        {QStringLiteral("--export"), QStringLiteral("a.gif"), QStringLiteral("--size"), QStringLiteral("100x4321")},
        {QStringLiteral("--export"), QStringLiteral("a.gif"), QStringLiteral("--fps"), QStringLiteral("0")},
        {QStringLiteral("--export"), QStringLiteral("a.gif"), QStringLiteral("--fps"), QStringLiteral("121")},
        {QStringLiteral("--export"), QStringLiteral("a.gif"), QStringLiteral("--duration"), QStringLiteral("3"),
         QStringLiteral("--steps-per-frame"), QStringLiteral("2")},
        {QStringLiteral("--export"), QStringLiteral("a.gif"), QStringLiteral("--routine"), QStringLiteral("Bucket Sort")},
        {QStringLiteral("--export"), QStringLiteral("a.gif"), QStringLiteral("--order"), QStringLiteral("9")},
        {QStringLiteral("--export"), QStringLiteral("a.gif"), QStringLiteral("--duration"), QStringLiteral("0")},
        {QStringLiteral("--export"), QStringLiteral("a.gif"), QStringLiteral("--format"), QStringLiteral("csv")},
    };
    for (QStringList args : bad) {
        args.prepend(QStringLiteral("ordivan"));
        EXPECT_FALSE(ParseExport(args).request) << args.join(' ').toStdString();
        QString text;
        QTextStream err(&text);
        EXPECT_EQ(RunExportCommand(args, err, false), 2) << args.join(' ').toStdString();
        EXPECT_TRUE(text.startsWith(QStringLiteral("ordivan: "))) << text.toStdString();
        EXPECT_TRUE(text.contains(QStringLiteral("\n       ordivan --export FILE"))) << text.toStdString();
    }
}

// A target that cannot be written, or video with no ffmpeg: the path and
// the reason on one line, exit 1, and no file.
TEST(ExportCommandLine, UnwritableTargetsAndMissingFfmpegFailWithThePath)
{
    QTemporaryDir dir;
    const QString missing = dir.filePath(QStringLiteral("no/such/folder/run.gif"));
    const QString locked = dir.filePath(QStringLiteral("locked"));
    QDir().mkdir(locked);
    QFile::setPermissions(locked, QFile::ReadOwner | QFile::ExeOwner);
    const bool lockHolds = !QFile(locked + QStringLiteral("/probe")).open(QIODevice::WriteOnly); // not as root
    qputenv("ORDIVAN_FFMPEG", dir.filePath(QStringLiteral("no-ffmpeg")).toLocal8Bit());
    QStringList targets = {missing, dir.filePath(QStringLiteral("run.mp4")), dir.filePath(QStringLiteral("run.webm"))};
    if (lockHolds)
        targets << locked + QStringLiteral("/run.png");
    for (const QString& target : targets) {
        QString text;
        QTextStream err(&text);
        EXPECT_EQ(RunExportCommand({QStringLiteral("ordivan"), QStringLiteral("--export"), target,
                                    QStringLiteral("--width"), QStringLiteral("10"), QStringLiteral("--size"),
                                    QStringLiteral("32x32")},
                                   err, false),
                  1)
            << target.toStdString();
        EXPECT_TRUE(text.contains(QDir::toNativeSeparators(target))) << text.toStdString();
        EXPECT_EQ(text.count(QLatin1Char('\n')), 1) << text.toStdString();
    }
    qunsetenv("ORDIVAN_FFMPEG");
    EXPECT_EQ(Files(dir), QStringList());
}

// --data: the run exported is the run on exactly those values; data that
// cannot be taken is said in one line with its place, exit 2, and no file.
TEST(ExportCommandLine, OwnDataIsTheRunExportedAndBadDataNamesItsPlace)
{
    QTemporaryDir dir;
    const QString values = dir.filePath(QStringLiteral("values.txt"));
    const QString bad = dir.filePath(QStringLiteral("bad.txt"));
    for (const auto& [file, text] : {std::pair{values, "# the slide\n5 2 4 6 1 3\n"}, {bad, "5 2\n4 x1\n"}}) {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
    }
    const QString path = dir.filePath(QStringLiteral("run.png"));
    const QStringList args = {QStringLiteral("ordivan"), QStringLiteral("--export"), path, QStringLiteral("--routine"),
                              QStringLiteral("Insertion Sort"), QStringLiteral("--no-caption"), QStringLiteral("--size"),
                              QStringLiteral("96x64"), QStringLiteral("--fps"), QStringLiteral("10"), QStringLiteral("--data")};
    // The stored drawing settings as the window reads them: a colour out of range is its default.
    for (const auto& [key, value] : {std::pair{"Foreground", "14"}, {"Indicator1", "99"}, {"DrawWidth", "1"}})
        SaveSetting(QStringLiteral("Ordivan"), QStringLiteral("Settings"), QString::fromLatin1(key), QString::fromLatin1(value));
    QString text;
    QTextStream err(&text);
    const int written = RunExportCommand(args + QStringList{values}, err, false);
    QFile::remove(SettingsFilePath(QStringLiteral("Ordivan")));
    ASSERT_EQ(written, 0) << text.toStdString();

    ExportRun run;
    run.routine = 2; // Insertion Sort
    run.colors = {0, 14, 10, 9, 12};
    run.pen = 1;
    run.size = {96, 64};
    run.caption = false;
    run.pace.fps = 10;
    run.input = OwnValuesInput({5, 2, 4, 6, 1, 3}, 6, 0);
    const WindowSteps window(run);
    const Decoded d = DecodeApng(path);
    ASSERT_TRUE(d.ok) << d.error.toStdString();
    const int S = window.Steps();
    ASSERT_GT(S, 3);
    for (int k = 0; k <= S; ++k)
        ASSERT_EQ(d.At((k + 0.5) / 10.0), window.images[static_cast<std::size_t>(k)]) << "step " << k;
    EXPECT_EQ(d.frames.back().image, window.images.back());

    ASSERT_TRUE(QFile::remove(path));
    text.clear();
    EXPECT_EQ(RunExportCommand(args + QStringList{bad}, err, false), 2);
    EXPECT_EQ(text, QStringLiteral("ordivan: %1: line 2, column 3: \"x1\" is not a whole number from 0 to 32767\n").arg(bad));
    EXPECT_EQ(Files(dir), (QStringList{QStringLiteral("bad.txt"), QStringLiteral("values.txt")}));
}

// A settings file that cannot be read is said as the window says it; the
// export still comes, from the defaults.
TEST(ExportCommandLine, ASettingsFileThatIsAFolderIsSaid)
{
    QTemporaryDir dir;
    const QString settings = SettingsFilePath(QStringLiteral("Ordivan"));
    ASSERT_TRUE(QDir().mkpath(settings));
    QString text;
    QTextStream err(&text);
    const int rc = RunExportCommand({QStringLiteral("ordivan"), QStringLiteral("--export"), dir.filePath(QStringLiteral("run.wav")),
                                     QStringLiteral("--width"), QStringLiteral("5")},
                                    err, false);
    QDir(settings).removeRecursively();
    EXPECT_EQ(rc, 0) << text.toStdString();
    EXPECT_EQ(text, QStringLiteral("Ordivan: cannot read the settings in %1: it is a folder\n").arg(settings));
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("run.wav"))));
}

// The disk fills up while the export writes (the process may grow no file
// past 64 bytes): a failure with the path and the disk's reason, exit 1,
// not an interruption, and nothing left behind.
TEST(ExportCommandLine, ADiskThatFillsUpIsAFailureNotAnInterruption)
{
    QTemporaryDir dir;
    rlimit before{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &before), 0);
    const auto oldSignal = std::signal(SIGXFSZ, SIG_IGN);
    for (const char* name : {"run.gif", "run.png", "run.wav"}) {
        const QString path = dir.filePath(QString::fromLatin1(name));
        QString text;
        QTextStream err(&text);
        rlimit small = before;
        small.rlim_cur = 64;
        ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
        const int rc = RunExportCommand({QStringLiteral("ordivan"), QStringLiteral("--export"), path, QStringLiteral("--width"),
                                         QStringLiteral("40"), QStringLiteral("--size"), QStringLiteral("160x120")},
                                        err, false);
        setrlimit(RLIMIT_FSIZE, &before);
        EXPECT_EQ(rc, 1) << name << ": " << text.toStdString();
        EXPECT_EQ(text, QStringLiteral("ordivan: %1: File too large\n").arg(QDir::toNativeSeparators(path)));
    }
    std::signal(SIGXFSZ, oldSignal);
    EXPECT_EQ(Files(dir), QStringList());
}

// Cancel (from the window) and Ctrl+C (on the command line) stop a long
// export and leave nothing behind.
TEST(ExportCancel, CancelAndInterruptLeaveNoFile)
{
    QTemporaryDir dir;
    ExportRun run = SmallRun(kBubble, PlotStyle::Bars, 400, {64, 48});
    Exporter exporter(run, dir.filePath(QStringLiteral("long.gif")), true);
    bool ok = true;
    std::thread worker([&] { ok = exporter.Run(); });
    ASSERT_TRUE(QTest::qWaitFor([&] { return exporter.Progress() > 0.001; }, 20000));
    exporter.Cancel();
    worker.join();
    EXPECT_FALSE(ok);
    EXPECT_TRUE(exporter.Cancelled());
    EXPECT_EQ(Files(dir), QStringList());

    // Ctrl+C while the command line writes.
    std::atomic<bool> done{false};
    std::thread interrupter([&] {
        // The file being written is open (unnamed until it is done).
        const bool writing = QTest::qWaitFor([&] { return done || WritingIn(dir); }, 20000);
        if (writing && !done)
            std::raise(SIGINT);
    });
    QString text;
    QTextStream err(&text);
    const int rc = RunExportCommand({QStringLiteral("ordivan"), QStringLiteral("--export"),
                                     dir.filePath(QStringLiteral("long.png")), QStringLiteral("--routine"),
                                     QStringLiteral("Bubble Sort"), QStringLiteral("--width"), QStringLiteral("1000"),
                                     QStringLiteral("--size"), QStringLiteral("64x48")},
                                    err, false);
    done = true;
    interrupter.join();
    EXPECT_EQ(rc, 130) << text.toStdString();
    EXPECT_EQ(Files(dir), QStringList());
}

// With ffmpeg installed, a video with its sound comes out whole.
TEST(VideoExport, ThroughFfmpeg)
{
    if (FindFfmpeg().isEmpty())
        GTEST_SKIP() << "ffmpeg is not installed: WebM and MP4 are not available here";
    QTemporaryDir dir;
    ExportRun run = SmallRun(kQuick, PlotStyle::Bars, 16, {63, 47}); // odd sides are padded
    for (const char* name : {"run.mp4", "run.webm"}) {
        const QString path = dir.filePath(QString::fromLatin1(name));
        const Written w = Export(run, path, true);
        ASSERT_TRUE(w.ok) << w.error.toStdString();
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const QByteArray head = f.read(12);
        if (QByteArray(name).endsWith("mp4"))
            EXPECT_EQ(head.mid(4, 4), QByteArray("ftyp"));
        else
            EXPECT_EQ(head.left(4), QByteArray("\x1a\x45\xdf\xa3"));
    }
    EXPECT_EQ(Files(dir), (QStringList{QStringLiteral("run.mp4"), QStringLiteral("run.webm")}));
}

} // namespace
