#include "compare/CommandLine.h"

#include "compare/Comparison.h"
#include "compare/GrowthCommand.h"
#include "engine/StoredKeys.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QIODevice>

namespace {

constexpr int kBadArguments = 2;
constexpr int kOutputLost = 1;

std::optional<int> ParseOrder(const QString& text)
{
    const QString t = text.trimmed();
    bool ok = false;
    const int code = t.toInt(&ok);
    if (ok)
        return code >= 0 && code < kOrderCount ? std::optional<int>(code) : std::nullopt;
    for (int i = 0; i < kOrderCount; ++i)
        if (t.compare(QString::fromLatin1(OrderNames[i]), Qt::CaseInsensitive) == 0)
            return i;
    return std::nullopt;
}

std::optional<Integer> ParseSize(const QString& text)
{
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    if (!ok || v < 1 || v > 32767)
        return std::nullopt;
    return static_cast<Integer>(v);
}

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
    const QCommandLineOption order{QStringLiteral("order"),
                                   QStringLiteral("The data set's order: a name such as Random, a code 0 to 8, or all "
                                                  "(every order). Default: the stored setting."),
                                   QStringLiteral("NAME|CODE|all")};
    const QCommandLineOption width{QStringLiteral("width"),
                                   QStringLiteral("The number of values, 1 to 32767. Default: the stored setting."),
                                   QStringLiteral("N")};
    const QCommandLineOption height{QStringLiteral("height"),
                                    QStringLiteral("The largest random value, 1 to 32767. Default: the stored setting."),
                                    QStringLiteral("N")};
    const QCommandLineOption format{QStringLiteral("format"), QStringLiteral("table (default), csv or json."),
                                    QStringLiteral("table|csv|json"), QStringLiteral("table")};
    const QCommandLineOption growth{QStringLiteral("growth"),
                                    QStringLiteral("With --compare: how each routine's work grows with the width.")};
    const QCommandLineOption budget{QStringLiteral("budget"),
                                    QStringLiteral("With --growth: the seconds a run may take (default 0.25)."),
                                    QStringLiteral("SECONDS")};

    Options()
    {
        parser.setApplicationDescription(QStringLiteral("Compares every sort routine on one data set, or on all orders."));
        parser.addOptions({help, version, compare, order, width, height, format, growth, budget});
    }
};

CommandRequest Bad(const QString& error)
{
    CommandRequest request;
    request.action = CommandRequest::Action::Bad;
    request.error = error;
    return request;
}

} // namespace

QString CommandLineHelp()
{
    Options options;
    return options.parser.helpText();
}

bool WantsCommandLine(const QStringList& arguments)
{
    static const QStringList names = {
        QStringLiteral("compare"), QStringLiteral("order"), QStringLiteral("width"),
        QStringLiteral("height"),  QStringLiteral("format"), QStringLiteral("help"),
        QStringLiteral("help-all"), QStringLiteral("h"),     QStringLiteral("?"),
        QStringLiteral("version"), QStringLiteral("v"),       QStringLiteral("growth"),
        QStringLiteral("budget"),
    };
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        QString a = arguments[i];
        if (!a.startsWith(QLatin1Char('-')))
            continue;
        while (a.startsWith(QLatin1Char('-')))
            a.remove(0, 1);
        if (names.contains(a.section(QLatin1Char('='), 0, 0)))
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
    if (!parser.isSet(o.compare)) {
        if (parser.optionNames().isEmpty())
            return request; // the window
        return Bad(QStringLiteral("--order, --width, --height and --format go with --compare."));
    }
    request.action = CommandRequest::Action::Compare;

    if (parser.isSet(o.order)) {
        const QString text = parser.value(o.order);
        if (text.trimmed().compare(QStringLiteral("all"), Qt::CaseInsensitive) == 0)
            request.allOrders = true;
        else if (const std::optional<int> code = ParseOrder(text))
            request.order = *code;
        else
            return Bad(QStringLiteral("Unknown order: %1 (a name such as Random, a code 0 to 8, or all).").arg(text));
    }
    if (parser.isSet(o.width)) {
        request.width = ParseSize(parser.value(o.width));
        if (!request.width)
            return Bad(QStringLiteral("The width must be a whole number from 1 to 32767: %1").arg(parser.value(o.width)));
    }
    if (parser.isSet(o.height)) {
        request.height = ParseSize(parser.value(o.height));
        if (!request.height)
            return Bad(QStringLiteral("The height must be a whole number from 1 to 32767: %1").arg(parser.value(o.height)));
    }
    const QString formatText = parser.value(o.format).trimmed().toLower();
    if (formatText == QLatin1String("csv"))
        request.format = ReportFormat::Csv;
    else if (formatText == QLatin1String("json"))
        request.format = ReportFormat::Json;
    else if (formatText != QLatin1String("table"))
        return Bad(QStringLiteral("Unknown format: %1 (table, csv or json).").arg(parser.value(o.format)));
    if (const auto problem = GrowthOptionProblem(parser.isSet(o.growth), parser.isSet(o.budget), request.allOrders,
                                                 parser.isSet(o.width) || parser.isSet(o.height)))
        return Bad(*problem);
    request.growth = parser.isSet(o.growth);
    if (parser.isSet(o.budget)) {
        request.budget = ParseGrowthBudget(parser.value(o.budget));
        if (!request.budget)
            return Bad(QStringLiteral("The budget must be a number of seconds above 0, at most 60: %1")
                           .arg(parser.value(o.budget)));
    }
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

ComparisonPlan PlanComparison(const CommandRequest& request, const StoredSortSettings& stored)
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
    err << "ordivan: cannot write the output: " << reason << '\n';
    err.flush();
    return false;
}

int RejectArguments(const QString& error, QTextStream& err)
{
    err << "ordivan: " << error << '\n' << CommandLineHelp();
    err.flush();
    return kBadArguments;
}

int RunCommandLine(const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    const CommandRequest request = ParseCommandLine(arguments);
    switch (request.action) {
    case CommandRequest::Action::Bad:
        return RejectArguments(request.error, err);
    case CommandRequest::Action::Window:
        return RejectArguments(QStringLiteral("--order, --width, --height and --format go with --compare."), err);
    case CommandRequest::Action::Help:
        return WriteOutput(out, err, CommandLineHelp()) ? 0 : kOutputLost;
    case CommandRequest::Action::Version:
        return WriteOutput(out, err, QCoreApplication::applicationName() + QLatin1Char(' ')
                                         + QCoreApplication::applicationVersion() + QLatin1Char('\n'))
            ? 0
            : kOutputLost;
    case CommandRequest::Action::Compare:
        break;
    }

    QStringList problems;
    const StoredSortSettings stored = ReadStoredSortSettings(&problems);
    for (const QString& problem : problems)
        err << problem << '\n';
    err.flush();
    const ComparisonPlan plan = PlanComparison(request, stored);
    if (request.growth)
        return WriteOutput(out, err, GrowthText(plan.info.order, request.budget, plan.format)) ? 0 : kOutputLost;
    // The data set is the one a freshly started program generates.
    std::unique_ptr<Comparison> comparison = Comparison::OnOrders(plan.orders, plan.info.height, plan.info.width);
    comparison->Wait();
    return WriteOutput(out, err, Report(comparison->Results(), plan.info, plan.format)) ? 0 : kOutputLost;
}
