#include "export/ExportCommand.h"

#include "compare/CommandLine.h"
#include "engine/Routines.h"
#include "export/Exporter.h"
#include "platform/Convert.h"
#include "platform/Settings.h"

#include <QCommandLineParser>
#include <QDir>

#include <atomic>
#include <chrono>
#include <csignal>
#include <thread>

namespace {

constexpr int kQuickSort = 6;
constexpr int kBadArguments = 2;
constexpr int kNotWritten = 1;
constexpr int kInterrupted = 130;
constexpr double kLongestSeconds = 600;

std::optional<int> ParseRoutine(const QString& text)
{
    const QString t = text.trimmed();
    bool ok = false;
    const int code = t.toInt(&ok);
    if (ok)
        return RoutineRuns(code) ? std::optional<int>(code) : std::nullopt;
    for (int i = 0; i < kRoutineCount; ++i)
        if (t.compare(QString::fromUtf8(RoutineTable[static_cast<std::size_t>(i)].name), Qt::CaseInsensitive) == 0)
            return RoutineRuns(i) ? std::optional<int>(i) : std::nullopt;
    return std::nullopt;
}

std::optional<int> ParseOrderCode(const QString& text)
{
    const QString t = text.trimmed();
    bool ok = false;
    const int code = t.toInt(&ok);
    if (ok)
        return code >= 0 && code < kOrderCount ? std::optional<int>(code) : std::nullopt;
    for (int i = 0; i < kOrderCount; ++i)
        if (t.compare(QString::fromLatin1(OrderNames[static_cast<std::size_t>(i)]), Qt::CaseInsensitive) == 0)
            return i;
    return std::nullopt;
}

std::optional<int> ParseWhole(const QString& text, int low, int high)
{
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    if (!ok || v < low || v > high)
        return std::nullopt;
    return v;
}

// A stored setting as the window reads it at load: within low..high, or the default.
Integer Stored(const char* key, int def, int low, int high)
{
    const QString text =
        GetSetting(AppTitle(), QStringLiteral("Settings"), QString::fromLatin1(key), QString::number(def));
    const std::optional<std::int16_t> value = TextToInteger(text);
    return value && *value >= low && *value <= high ? *value : static_cast<Integer>(def);
}

std::atomic<bool> interrupted{false};

extern "C" void OnInterrupt(int)
{
    interrupted.store(true);
}

} // namespace

bool WantsExport(const QStringList& arguments)
{
    for (qsizetype i = 1; i < arguments.size(); ++i)
        if (arguments[i] == QLatin1String("--export") || arguments[i].startsWith(QLatin1String("--export=")))
            return true;
    return false;
}

QString ExportUsage()
{
    return QStringLiteral(
        "Usage: ordivan --export FILE [--routine NAME|CODE] [--order NAME|CODE] [--width N] [--height N]\n"
        "               [--size WxH] [--fps N] [--duration SECONDS | --steps-per-frame K] [--no-caption] [--sound]\n"
        "Writes a run of a routine as FILE, its format from the extension: %1.\n"
        "  --routine NAME|CODE      the routine (default Quick Sort)\n"
        "  --order NAME|CODE        the data set's order (default: the stored setting)\n"
        "  --width N, --height N    the number of values and the largest value, 1 to 32767 (default: stored)\n"
        "  --size WxH               the picture's size, 16x16 to 7680x4320 (default 640x480)\n"
        "  --fps N                  frames per second, 1 to 120 (default 30)\n"
        "  --duration SECONDS       the run spread evenly over this long (up to 600)\n"
        "  --steps-per-frame K      the steps each frame moves on (default 1)\n"
        "  --no-caption             no line with the routine and its comparisons above the plot\n"
        "  --sound                  the run's tones too: inside a video, beside an image as NAME.wav\n")
        .arg(FormatExtensions());
}

ExportParse ParseExport(const QStringList& arguments)
{
    QCommandLineParser parser;
    const QCommandLineOption exportOption(QStringLiteral("export"), {}, QStringLiteral("FILE"));
    const QCommandLineOption routine(QStringLiteral("routine"), {}, QStringLiteral("NAME|CODE"));
    const QCommandLineOption order(QStringLiteral("order"), {}, QStringLiteral("NAME|CODE"));
    const QCommandLineOption width(QStringLiteral("width"), {}, QStringLiteral("N"));
    const QCommandLineOption height(QStringLiteral("height"), {}, QStringLiteral("N"));
    const QCommandLineOption size(QStringLiteral("size"), {}, QStringLiteral("WxH"));
    const QCommandLineOption fps(QStringLiteral("fps"), {}, QStringLiteral("N"));
    const QCommandLineOption duration(QStringLiteral("duration"), {}, QStringLiteral("SECONDS"));
    const QCommandLineOption stepsPerFrame(QStringLiteral("steps-per-frame"), {}, QStringLiteral("K"));
    const QCommandLineOption noCaption(QStringLiteral("no-caption"), {});
    const QCommandLineOption sound(QStringLiteral("sound"), {});
    const QCommandLineOption help({QStringLiteral("help"), QStringLiteral("h")}, {});
    parser.addOptions(
        {exportOption, routine, order, width, height, size, fps, duration, stepsPerFrame, noCaption, sound, help});

    ExportParse result;
    auto fail = [&](const QString& why) {
        result.error = why;
        return result;
    };
    if (!parser.parse(arguments))
        return fail(parser.errorText());
    if (parser.isSet(help)) {
        result.help = true;
        return result;
    }
    if (!parser.positionalArguments().isEmpty())
        return fail(QStringLiteral("Unexpected argument: %1").arg(parser.positionalArguments().first()));
    ExportRequest r;
    r.path = parser.value(exportOption);
    if (r.path.isEmpty())
        return fail(QStringLiteral("--export needs a file name."));
    if (!FormatOfPath(r.path))
        return fail(QStringLiteral("Unknown format of %1: the name should end in %2.").arg(r.path, FormatExtensions()));
    if (parser.isSet(routine)) {
        r.routine = ParseRoutine(parser.value(routine));
        if (!r.routine)
            return fail(QStringLiteral("Unknown routine: %1 (a name such as \"Quick Sort\" or a code).")
                            .arg(parser.value(routine)));
    }
    if (parser.isSet(order)) {
        r.order = ParseOrderCode(parser.value(order));
        if (!r.order)
            return fail(QStringLiteral("Unknown order: %1 (a name such as Random or a code 0 to 8).").arg(parser.value(order)));
    }
    if (parser.isSet(width)) {
        const auto v = ParseWhole(parser.value(width), 1, 32767);
        if (!v)
            return fail(QStringLiteral("The width must be a whole number from 1 to 32767: %1").arg(parser.value(width)));
        r.width = static_cast<Integer>(*v);
    }
    if (parser.isSet(height)) {
        const auto v = ParseWhole(parser.value(height), 1, 32767);
        if (!v)
            return fail(QStringLiteral("The height must be a whole number from 1 to 32767: %1").arg(parser.value(height)));
        r.height = static_cast<Integer>(*v);
    }
    if (parser.isSet(size)) {
        const QStringList parts = parser.value(size).trimmed().toLower().split(QLatin1Char('x'));
        const auto w = parts.size() == 2 ? ParseWhole(parts[0], 16, 7680) : std::nullopt;
        const auto h = parts.size() == 2 ? ParseWhole(parts[1], 16, 4320) : std::nullopt;
        if (!w || !h)
            return fail(QStringLiteral("The size must be WxH from 16x16 to 7680x4320: %1").arg(parser.value(size)));
        r.size = QSize(*w, *h);
    }
    if (parser.isSet(fps)) {
        const auto v = ParseWhole(parser.value(fps), 1, 120);
        if (!v)
            return fail(QStringLiteral("The frames per second must be a whole number from 1 to 120: %1").arg(parser.value(fps)));
        r.pace.fps = *v;
    }
    if (parser.isSet(duration) && parser.isSet(stepsPerFrame))
        return fail(QStringLiteral("Give either --duration or --steps-per-frame, not both."));
    if (parser.isSet(duration)) {
        bool ok = false;
        const double s = parser.value(duration).trimmed().toDouble(&ok);
        if (!ok || !(s > 0) || s > kLongestSeconds)
            return fail(QStringLiteral("The duration must be a number of seconds above 0 and at most 600: %1")
                            .arg(parser.value(duration)));
        r.pace.seconds = s;
    }
    if (parser.isSet(stepsPerFrame)) {
        const auto v = ParseWhole(parser.value(stepsPerFrame), 1, 1000000);
        if (!v)
            return fail(QStringLiteral("The steps per frame must be a whole number from 1 to 1000000: %1")
                            .arg(parser.value(stepsPerFrame)));
        r.pace.stepsPerFrame = *v;
    }
    r.caption = !parser.isSet(noCaption);
    r.sound = parser.isSet(sound);
    result.request = r;
    return result;
}

ExportRun RunOfRequest(const ExportRequest& request)
{
    const StoredSortSettings stored = ReadStoredSortSettings();
    ExportRun run;
    run.routine = request.routine.value_or(kQuickSort);
    run.input = FreshInput(static_cast<Integer>(request.order.value_or(stored.order)),
                           request.height.value_or(stored.height), request.width.value_or(stored.width));
    run.colors = {Stored("Background", 0, 0, 15), Stored("Foreground", 15, 0, 15), Stored("Indicator1", 10, 0, 15),
                  Stored("Indicator2", 9, 0, 15), Stored("Indicator3", 12, 0, 15)};
    run.pen = Stored("DrawWidth", 2, 1, 32767);
    run.style = StyleFromName(
                    GetSetting(AppTitle(), QStringLiteral("Settings"), QStringLiteral("Style"), QStringLiteral("Bars")))
                    .value_or(PlotStyle::Bars);
    run.size = request.size;
    run.pace = request.pace;
    run.caption = request.caption;
    return run;
}

int RunExportCommand(const QStringList& arguments, QTextStream& err, bool progress)
{
    const ExportParse parse = ParseExport(arguments);
    if (parse.help) {
        err << ExportUsage();
        return 0;
    }
    if (!parse.request) {
        err << "ordivan: " << parse.error << '\n' << ExportUsage();
        err.flush();
        return kBadArguments;
    }
    const ExportRequest& request = *parse.request;
    if (const QString why = FormatUnavailable(*FormatOfPath(request.path)); !why.isEmpty()) {
        err << "ordivan: " << QDir::toNativeSeparators(request.path) << ": " << why << '\n';
        return kNotWritten;
    }

    // Ctrl+C (or a kill) ends the export cleanly: nothing is left behind. A
    // second one ends the program at once.
    interrupted = false;
    struct sigaction action = {};
    action.sa_handler = OnInterrupt;
    action.sa_flags = SA_RESETHAND;
    sigemptyset(&action.sa_mask);
    struct sigaction oldInt = {}, oldTerm = {};
    sigaction(SIGINT, &action, &oldInt);
    sigaction(SIGTERM, &action, &oldTerm);

    std::unique_ptr<Exporter> exporter;
    bool ok = false;
    std::atomic<bool> ready{false}, done{false};
    std::thread worker([&] {
        // The data set and the run on a thread of their own engine state.
        exporter = std::make_unique<Exporter>(RunOfRequest(request), request.path, request.sound);
        ready = true;
        ok = exporter->Run();
        done = true;
    });
    auto last = std::chrono::steady_clock::now();
    while (!done) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        if (!ready)
            continue;
        if (interrupted)
            exporter->Cancel();
        if (progress && std::chrono::steady_clock::now() - last > std::chrono::milliseconds(200)) {
            last = std::chrono::steady_clock::now();
            err << "\rExporting " << request.path << ": " << int(exporter->Progress() * 100) << "%";
            err.flush();
        }
    }
    worker.join();
    sigaction(SIGINT, &oldInt, nullptr);
    sigaction(SIGTERM, &oldTerm, nullptr);
    if (progress)
        err << '\r' << QString(request.path.size() + 20, QLatin1Char(' ')) << '\r';
    if (ok) {
        err.flush();
        return 0;
    }
    if (exporter->Cancelled() || interrupted) {
        err << "ordivan: export interrupted; nothing written\n";
        err.flush();
        return kInterrupted;
    }
    err << "ordivan: " << exporter->Error() << '\n';
    err.flush();
    return kNotWritten;
}
