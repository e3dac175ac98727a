#include "compare/CommandLine.h"

#include "compare/Comparison.h"
#include "compare/GrowthCommand.h"
#include "data/OwnData.h"
#include "engine/Routines.h"
#include "engine/StoredKeys.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QIODevice>

namespace {

// The options the command line takes, on a parser of their own.
struct Options {
    QCommandLineParser parser;
    // Only what works: the toolkit's --help-all would list options that a
    // program without a window does not take.
    const QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Displays help on commandline options.")};
    const QCommandLineOption version{{QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Displays version information.")};
    const QCommandLineOption compare{QStringLiteral("compare"),
                                     QStringLiteral("Print the comparison of every sort routine and exit.")};
    const QCommandLineOption exportRun{QStringLiteral("export"),
                                       QStringLiteral("Write a run of a routine as FILE and exit; the format from its "
                                                      "extension: .gif, .png or .apng, .webm, .mp4, .wav."),
                                       QStringLiteral("FILE")};
    const QCommandLineOption order{QStringLiteral("order"),
                                   QStringLiteral("The data set's order: a name such as Random, a code 0 to 8, or all "
                                                  "(every order, --compare only). Default: the stored setting."),
                                   QStringLiteral("NAME|CODE|all")};
    const QCommandLineOption width{QStringLiteral("width"),
                                   QStringLiteral("The number of values, 1 to 32767. Default: the stored setting."),
                                   QStringLiteral("N")};
    const QCommandLineOption height{QStringLiteral("height"),
                                    QStringLiteral("The largest random value, 1 to 32767. Default: the stored setting."),
                                    QStringLiteral("N")};
    const QCommandLineOption data{QStringLiteral("data"),
                                  QStringLiteral("The data set from a file of whole numbers 0 to 32767 (- for standard "
                                                 "input) instead of --order, --width and --height."),
                                  QStringLiteral("FILE")};
    const QCommandLineOption format{QStringLiteral("format"), QStringLiteral("With --compare: table (default), csv or json."),
                                    QStringLiteral("table|csv|json"), QStringLiteral("table")};
    const QCommandLineOption growth{QStringLiteral("growth"),
                                    QStringLiteral("With --compare: how each routine's work grows with the width.")};
    const QCommandLineOption budget{QStringLiteral("budget"),
                                    QStringLiteral("With --growth: the seconds a run may take (default 0.25)."),
                                    QStringLiteral("SECONDS")};
    const QCommandLineOption routine{QStringLiteral("routine"),
                                     QStringLiteral("With --export: the routine (default Quick Sort)."),
                                     QStringLiteral("NAME|CODE")};
    const QCommandLineOption size{QStringLiteral("size"),
                                  QStringLiteral("With --export: the picture's size, 16x16 to 7680x4320 (default 640x480)."),
                                  QStringLiteral("WxH")};
    const QCommandLineOption fps{QStringLiteral("fps"),
                                 QStringLiteral("With --export: frames per second, 1 to 120 (default 30)."),
                                 QStringLiteral("N")};
    const QCommandLineOption duration{QStringLiteral("duration"),
                                      QStringLiteral("With --export: the run spread evenly over this long, up to 600."),
                                      QStringLiteral("SECONDS")};
    const QCommandLineOption stepsPerFrame{QStringLiteral("steps-per-frame"),
                                           QStringLiteral("With --export: the steps each frame moves on (default 1)."),
                                           QStringLiteral("K")};
    const QCommandLineOption noCaption{QStringLiteral("no-caption"),
                                       QStringLiteral("With --export: no line with the routine and its comparisons.")};
    const QCommandLineOption sound{QStringLiteral("sound"),
                                   QStringLiteral("With --export: the run's tones too, inside a video or beside an "
                                                  "image as NAME.wav.")};

    Options()
    {
        parser.setApplicationDescription(
            QStringLiteral("Compares every sort routine on one data set or on all orders, or writes a run as a picture "
                           "or a video, without a window."));
        parser.addOptions(all);
    }
    const QList<QCommandLineOption> all{help,   version, compare, exportRun, order,         width,     height,
                                        data,   format,  growth,  budget,    routine,       size,      fps,
                                        duration, stepsPerFrame, noCaption, sound};

    // The options of one command only, for saying which goes where.
    QList<const QCommandLineOption*> CompareOnly() const { return {&format, &growth, &budget}; }
    QList<const QCommandLineOption*> ExportOnly() const
    {
        return {&routine, &size, &fps, &duration, &stepsPerFrame, &noCaption, &sound};
    }
};

// The lines that say how the commands go, before the options.
const char* const kUsage =
    "Usage: ordivan --compare [--order NAME|CODE|all] [--width N] [--height N] [--format table|csv|json]\n"
    "       ordivan --compare --data FILE [--format table|csv|json]\n"
    "       ordivan --compare --growth [--order NAME|CODE] [--budget SECONDS] [--format table|csv|json]\n"
    "       ordivan --export FILE [--routine NAME|CODE] [--order NAME|CODE] [--width N] [--height N] [--data FILE]\n"
    "               [--size WxH] [--fps N] [--duration SECONDS | --steps-per-frame K] [--no-caption] [--sound]\n"
    "       ordivan [--help | --version]\n";

CommandRequest Bad(const QString& error)
{
    CommandRequest request;
    request.action = CommandRequest::Action::Bad;
    request.error = error;
    return request;
}

std::optional<int> ParseWhole(const QString& text, int low, int high)
{
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    if (!ok || v < low || v > high)
        return std::nullopt;
    return v;
}

// The data set's options, alike for --compare and --export. Returns why they
// are bad, or nothing.
std::optional<QString> ParseDataSet(const Options& o, CommandRequest& request, bool allowAll)
{
    const QCommandLineParser& parser = o.parser;
    if (parser.isSet(o.order)) {
        const QString text = parser.value(o.order);
        if (allowAll && text.trimmed().compare(QStringLiteral("all"), Qt::CaseInsensitive) == 0)
            request.allOrders = true;
        else if (const std::optional<int> code = ParseOrderName(text))
            request.order = *code;
        else
            return QStringLiteral("Unknown order: %1 (a name such as Random, a code 0 to 8%2).")
                .arg(text, allowAll ? QStringLiteral(", or all") : QString());
    }
    if (parser.isSet(o.width)) {
        request.width = ParseSize(parser.value(o.width));
        if (!request.width)
            return QStringLiteral("The width must be a whole number from 1 to 32767: %1").arg(parser.value(o.width));
    }
    if (parser.isSet(o.height)) {
        request.height = ParseSize(parser.value(o.height));
        if (!request.height)
            return QStringLiteral("The height must be a whole number from 1 to 32767: %1").arg(parser.value(o.height));
    }
    if (parser.isSet(o.data)) {
        request.dataPath = parser.value(o.data);
        if (request.dataPath.isEmpty())
            return QStringLiteral("--data needs a file name, or - for standard input.");
        // The values say their own width and height, and have no order.
        if (parser.isSet(o.order) || parser.isSet(o.width) || parser.isSet(o.height))
            return QStringLiteral("--data gives the values: leave out --order, --width and --height.");
    }
    return std::nullopt;
}

std::optional<QString> ParseCompare(const Options& o, CommandRequest& request)
{
    const QCommandLineParser& parser = o.parser;
    for (const QCommandLineOption* option : o.ExportOnly())
        if (parser.isSet(*option))
            return QStringLiteral("--%1 goes with --export.").arg(option->names().constLast());
    if (auto problem = ParseDataSet(o, request, true))
        return problem;
    const QString formatText = parser.value(o.format).trimmed().toLower();
    if (formatText == QLatin1String("csv"))
        request.format = ReportFormat::Csv;
    else if (formatText == QLatin1String("json"))
        request.format = ReportFormat::Json;
    else if (formatText != QLatin1String("table"))
        return QStringLiteral("Unknown format: %1 (table, csv or json).").arg(parser.value(o.format));
    if (parser.isSet(o.growth) && parser.isSet(o.data))
        return QStringLiteral("--growth makes its own data sets: leave out --data.");
    if (const auto problem = GrowthOptionProblem(parser.isSet(o.growth), parser.isSet(o.budget), request.allOrders,
                                                 parser.isSet(o.width) || parser.isSet(o.height)))
        return problem;
    request.growth = parser.isSet(o.growth);
    if (parser.isSet(o.budget)) {
        request.budget = ParseGrowthBudget(parser.value(o.budget));
        if (!request.budget)
            return QStringLiteral("The budget must be a number of seconds above 0, at most 60: %1").arg(parser.value(o.budget));
    }
    return std::nullopt;
}

std::optional<QString> ParseExportOptions(const Options& o, CommandRequest& request)
{
    const QCommandLineParser& parser = o.parser;
    if (parser.isSet(o.compare))
        return QStringLiteral("Give either --compare or --export, not both.");
    for (const QCommandLineOption* option : o.CompareOnly())
        if (parser.isSet(*option))
            return QStringLiteral("--%1 goes with --compare.").arg(option->names().constLast());
    CommandRequest::Export& e = request.exportRun;
    e.path = parser.value(o.exportRun);
    if (e.path.isEmpty())
        return QStringLiteral("--export needs a file name.");
    if (parser.isSet(o.routine)) {
        e.routine = ParseRoutineName(parser.value(o.routine));
        if (!e.routine)
            return QStringLiteral("Unknown routine: %1 (a name such as \"Quick Sort\" or a code).").arg(parser.value(o.routine));
    }
    if (auto problem = ParseDataSet(o, request, false))
        return problem;
    if (parser.isSet(o.size)) {
        const QStringList parts = parser.value(o.size).trimmed().toLower().split(QLatin1Char('x'));
        const auto w = parts.size() == 2 ? ParseWhole(parts[0], 16, 7680) : std::nullopt;
        const auto h = parts.size() == 2 ? ParseWhole(parts[1], 16, 4320) : std::nullopt;
        if (!w || !h)
            return QStringLiteral("The size must be WxH from 16x16 to 7680x4320: %1").arg(parser.value(o.size));
        e.size = QSize(*w, *h);
    }
    if (parser.isSet(o.fps)) {
        e.fps = ParseWhole(parser.value(o.fps), 1, 120);
        if (!e.fps)
            return QStringLiteral("The frames per second must be a whole number from 1 to 120: %1").arg(parser.value(o.fps));
    }
    if (parser.isSet(o.duration) && parser.isSet(o.stepsPerFrame))
        return QStringLiteral("Give either --duration or --steps-per-frame, not both.");
    if (parser.isSet(o.duration)) {
        bool ok = false;
        const double s = parser.value(o.duration).trimmed().toDouble(&ok);
        if (!ok || !(s > 0) || s > 600)
            return QStringLiteral("The duration must be a number of seconds above 0 and at most 600: %1")
                .arg(parser.value(o.duration));
        e.seconds = s;
    }
    if (parser.isSet(o.stepsPerFrame)) {
        e.stepsPerFrame = ParseWhole(parser.value(o.stepsPerFrame), 1, 1000000);
        if (!e.stepsPerFrame)
            return QStringLiteral("The steps per frame must be a whole number from 1 to 1000000: %1")
                .arg(parser.value(o.stepsPerFrame));
    }
    e.caption = !parser.isSet(o.noCaption);
    e.sound = parser.isSet(o.sound);
    return std::nullopt;
}

} // namespace

std::optional<int> ParseOrderName(const QString& text)
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

std::optional<Integer> ParseSize(const QString& text)
{
    const std::optional<int> v = ParseWhole(text, 1, 32767);
    return v ? std::optional<Integer>(static_cast<Integer>(*v)) : std::nullopt;
}

std::optional<int> ParseRoutineName(const QString& text)
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

QString CommandLineHelp()
{
    Options options;
    // The toolkit's first line says only "[options]": ours says which go together.
    const QString listed = options.parser.helpText();
    return QString::fromLatin1(kUsage) + QLatin1Char('\n') + listed.mid(listed.indexOf(QLatin1Char('\n')) + 1);
}

bool WantsCommandLine(const QStringList& arguments)
{
    static const QStringList toolkitHelp = {QStringLiteral("help-all"), QStringLiteral("?")};
    Options o;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        QString a = arguments[i];
        if (!a.startsWith(QLatin1Char('-')))
            continue;
        while (a.startsWith(QLatin1Char('-')))
            a.remove(0, 1);
        const QString name = a.section(QLatin1Char('='), 0, 0);
        if (toolkitHelp.contains(name))
            return true;
        for (const QCommandLineOption& option : o.all)
            if (option.names().contains(name))
                return true;
    }
    return false;
}

CommandRequest ParseCommandLine(const QStringList& arguments)
{
    Options o;
    QCommandLineParser& parser = o.parser;
    if (!parser.parse(arguments))
        return Bad(parser.errorText());
    CommandRequest request;
    if (parser.isSet(o.help)) {
        request.action = CommandRequest::Action::Help;
        return request;
    }
    if (parser.isSet(o.version)) {
        request.action = CommandRequest::Action::Version;
        return request;
    }
    if (!parser.positionalArguments().isEmpty())
        return Bad(QStringLiteral("Unexpected argument: %1").arg(parser.positionalArguments().first()));
    if (parser.isSet(o.exportRun)) {
        request.action = CommandRequest::Action::Export;
        if (const auto problem = ParseExportOptions(o, request))
            return Bad(*problem);
        return request;
    }
    if (!parser.isSet(o.compare)) {
        if (parser.optionNames().isEmpty())
            return request; // the window
        return Bad(QStringLiteral("The options go with --compare or --export."));
    }
    request.action = CommandRequest::Action::Compare;
    if (const auto problem = ParseCompare(o, request))
        return Bad(*problem);
    return request;
}

StoredSortSettings ReadStoredSortSettings(QStringList* problems)
{
    const StoredReader store(false);
    if (problems)
        *problems << store.Problems();
    StoredSortSettings s;
    s.delay = store.Value(Key::DrawDelay);
    s.order = store.Value(Key::SortOrder);
    s.height = store.Value(Key::SortHeight);
    s.width = store.Value(Key::SortWidth);
    return s;
}

RunInput OwnValuesInput(const std::vector<std::int16_t>& values, Integer order, std::uint64_t rndState)
{
    RunInput input;
    input.order = order;
    input.width = static_cast<Integer>(values.size());
    input.height = 1;
    // Index 0 parks the markers; the data are 1..width.
    input.values.assign(values.size() + 1, 0);
    for (std::size_t i = 0; i < values.size(); ++i) {
        input.values[i + 1] = values[i];
        input.height = std::max<Integer>(input.height, values[i]);
    }
    input.rndState = rndState;
    return input;
}

DataSetLoad LoadDataSet(const QString& path, const StoredSortSettings& stored)
{
    const bool standardInput = path == QLatin1String("-");
    const owndata::Parsed parsed = owndata::ReadValuesFile(standardInput ? std::string("/dev/stdin") : path.toStdString());
    DataSetLoad load;
    if (!parsed.ok()) {
        load.error = QString::fromStdString(parsed.error);
        if (standardInput && load.error.startsWith(QLatin1String("/dev/stdin")))
            load.error.replace(0, 10, QStringLiteral("standard input"));
        return load;
    }
    // As a freshly started program that opens the file: it has generated
    // its stored data set, and the random sequence stands after it.
    const std::uint64_t rnd = FreshInput(static_cast<Integer>(stored.order), stored.height, stored.width).rndState;
    load.input = OwnValuesInput(parsed.values, static_cast<Integer>(stored.order), rnd);
    return load;
}

ComparisonPlan PlanComparison(const CommandRequest& request, const StoredSortSettings& stored, const RunInput* data)
{
    ComparisonPlan plan;
    const int order = request.order.value_or(stored.order);
    if (request.allOrders)
        for (int i = 0; i < kOrderCount; ++i)
            plan.orders.push_back(i);
    else
        plan.orders.push_back(order);
    if (request.allOrders)
        plan.info.orders = plan.orders;
    plan.info.order = static_cast<Integer>(order);
    plan.info.height = request.height.value_or(stored.height);
    plan.info.width = request.width.value_or(stored.width);
    plan.info.delay = stored.delay;
    plan.format = request.format;
    if (data) {
        plan.info.data = request.dataPath == QLatin1String("-") ? QStringLiteral("from standard input") : request.dataPath;
        plan.info.height = data->height;
        plan.info.width = data->width;
    }
    return plan;
}

bool WriteOutput(QTextStream& out, QTextStream& err, const QString& text)
{
    out << text;
    out.flush();
    if (out.status() == QTextStream::Ok)
        return true;
    QString reason = out.device() ? out.device()->errorString() : QString();
    if (reason.isEmpty() || reason == QLatin1String("Unknown error"))
        reason = QStringLiteral("it could not be written whole");
    Fail(QStringLiteral("cannot write the output: ") + reason, err, kExitOutputLost);
    return false;
}

int RejectArguments(const QString& error, QTextStream& err)
{
    err << "ordivan: " << error << '\n' << CommandLineHelp();
    err.flush();
    return kExitBadArguments;
}

CommandStart StartCommand(const QString& dataPath, QTextStream& err)
{
    CommandStart start;
    QStringList problems;
    start.stored = ReadStoredSortSettings(&problems);
    for (const QString& problem : problems)
        err << problem << '\n';
    err.flush();
    if (!dataPath.isEmpty()) {
        DataSetLoad load = LoadDataSet(dataPath, start.stored);
        // Values that cannot be taken are bad input, as a bad option is.
        if (!load.input)
            start.failed = Fail(load.error, err, kExitBadArguments);
        start.data = std::move(load.input);
    }
    return start;
}

int Fail(const QString& line, QTextStream& err, int status)
{
    err << "ordivan: " << line << '\n';
    err.flush();
    return status;
}

int RunCommandLine(const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    const CommandRequest request = ParseCommandLine(arguments);
    switch (request.action) {
    case CommandRequest::Action::Bad:
        return RejectArguments(request.error, err);
    case CommandRequest::Action::Window:
        return RejectArguments(QStringLiteral("The options go with --compare or --export."), err);
    case CommandRequest::Action::Export:
        return RejectArguments(QStringLiteral("--export is not a comparison."), err);
    case CommandRequest::Action::Help:
        return WriteOutput(out, err, CommandLineHelp()) ? 0 : kExitOutputLost;
    case CommandRequest::Action::Version:
        return WriteOutput(out, err, QCoreApplication::applicationName() + QLatin1Char(' ')
                                         + QCoreApplication::applicationVersion() + QLatin1Char('\n'))
            ? 0
            : kExitOutputLost;
    case CommandRequest::Action::Compare:
        break;
    }

    CommandStart start = StartCommand(request.dataPath, err);
    if (start.failed)
        return *start.failed;
    const ComparisonPlan plan = PlanComparison(request, start.stored, start.data ? &*start.data : nullptr);
    if (request.growth)
        return WriteOutput(out, err, GrowthText(plan.info.order, request.budget, plan.format)) ? 0 : kExitOutputLost;
    // Without --data, the data set is the one a freshly started program generates.
    std::unique_ptr<Comparison> comparison = start.data ? Comparison::OnData(std::move(*start.data))
                                                        : Comparison::OnOrders(plan.orders, plan.info.height, plan.info.width);
    comparison->Wait();
    return WriteOutput(out, err, Report(comparison->Results(), plan.info, plan.format)) ? 0 : kExitOutputLost;
}
