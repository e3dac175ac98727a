#include "compare/CommandLine.h"

#include "compare/Comparison.h"
#include "compare/GrowthCommand.h"
#include "compare/Report.h"
#include "platform/Convert.h"
#include "platform/Settings.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <optional>

namespace {

constexpr int kBadArguments = 2;

// A stored 16-bit setting within low..high, or its default, as at load.
Integer ReadInteger(const char* key, int def, int low = -32768, int high = 32767)
{
    const QString text = GetSetting(AppTitle(), QStringLiteral("Settings"), QString::fromLatin1(key), QString::number(def));
    const std::optional<std::int16_t> value = TextToInteger(text);
    if (!value || *value < low || *value > high)
        return static_cast<Integer>(def);
    return *value;
}

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

} // namespace

StoredSortSettings ReadStoredSortSettings()
{
    StoredSortSettings s;
    s.delay = ReadInteger("DrawDelay", 0);
    s.order = ReadInteger("SortOrder", 6);
    s.height = ReadInteger("SortHeight", 100, 1);
    s.width = ReadInteger("SortWidth", 100, 1);
    return s;
}

bool WantsCommandLine(const QStringList& arguments)
{
    static const QStringList names = {
        QStringLiteral("compare"), QStringLiteral("order"), QStringLiteral("width"),
        QStringLiteral("height"),  QStringLiteral("format"), QStringLiteral("help"),
        QStringLiteral("help-all"), QStringLiteral("h"),     QStringLiteral("?"),
        QStringLiteral("version"), QStringLiteral("v"),
        QStringLiteral("growth"),  QStringLiteral("budget"), // growth
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

int RunCommandLine(const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Compares every sort routine on one data set, or on all orders."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption compare(QStringLiteral("compare"),
                                     QStringLiteral("Print the comparison of every sort routine and exit."));
    const QCommandLineOption order(QStringLiteral("order"),
                                   QStringLiteral("The data set's order: a name such as Random, a code 0 to 8, or all "
                                                  "(every order). Default: the stored setting."),
                                   QStringLiteral("NAME|CODE|all"));
    const QCommandLineOption width(QStringLiteral("width"),
                                   QStringLiteral("The number of values, 1 to 32767. Default: the stored setting."),
                                   QStringLiteral("N"));
    const QCommandLineOption height(QStringLiteral("height"),
                                    QStringLiteral("The largest random value, 1 to 32767. Default: the stored setting."),
                                    QStringLiteral("N"));
    const QCommandLineOption format(QStringLiteral("format"), QStringLiteral("table (default), csv or json."),
                                    QStringLiteral("table|csv|json"), QStringLiteral("table"));
    parser.addOptions({compare, order, width, height, format});
    // Growth: every routine on doubling widths (compare/GrowthCommand.h).
    const QCommandLineOption growth(QStringLiteral("growth"),
                                    QStringLiteral("With --compare: how each routine's work grows with the width."));
    const QCommandLineOption budget(QStringLiteral("budget"),
                                    QStringLiteral("With --growth: the seconds a run may take (default 0.25)."),
                                    QStringLiteral("SECONDS"));
    parser.addOptions({growth, budget});

    auto fail = [&](const QString& message) {
        err << "ordivan: " << message << '\n'
            << parser.helpText();
        err.flush();
        return kBadArguments;
    };

    if (!parser.parse(arguments))
        return fail(parser.errorText());
    if (parser.isSet(help)) {
        out << parser.helpText();
        return 0;
    }
    if (parser.isSet(version)) {
        out << QCoreApplication::applicationName() << ' ' << QCoreApplication::applicationVersion() << '\n';
        return 0;
    }
    if (!parser.positionalArguments().isEmpty())
        return fail(QStringLiteral("Unexpected argument: %1").arg(parser.positionalArguments().first()));
    if (!parser.isSet(compare))
        return fail(QStringLiteral("--order, --width, --height and --format go with --compare."));

    const StoredSortSettings stored = ReadStoredSortSettings();
    bool all = false;
    int orderCode = stored.order;
    if (parser.isSet(order)) {
        const QString text = parser.value(order);
        if (text.trimmed().compare(QStringLiteral("all"), Qt::CaseInsensitive) == 0) {
            all = true;
        } else if (const std::optional<int> o = ParseOrder(text)) {
            orderCode = *o;
        } else {
            return fail(QStringLiteral("Unknown order: %1 (a name such as Random, a code 0 to 8, or all).").arg(text));
        }
    }
    Integer w = stored.width;
    Integer h = stored.height;
    if (parser.isSet(width)) {
        const std::optional<Integer> v = ParseSize(parser.value(width));
        if (!v)
            return fail(QStringLiteral("The width must be a whole number from 1 to 32767: %1").arg(parser.value(width)));
        w = *v;
    }
    if (parser.isSet(height)) {
        const std::optional<Integer> v = ParseSize(parser.value(height));
        if (!v)
            return fail(QStringLiteral("The height must be a whole number from 1 to 32767: %1").arg(parser.value(height)));
        h = *v;
    }
    const QString formatText = parser.value(format).trimmed().toLower();
    ReportFormat f = ReportFormat::Table;
    if (formatText == QLatin1String("csv"))
        f = ReportFormat::Csv;
    else if (formatText == QLatin1String("json"))
        f = ReportFormat::Json;
    else if (formatText != QLatin1String("table"))
        return fail(QStringLiteral("Unknown format: %1 (table, csv or json).").arg(parser.value(format)));

    // Growth.
    if (const auto problem = GrowthOptionProblem(parser.isSet(growth), parser.isSet(budget), all,
                                                 parser.isSet(width) || parser.isSet(height)))
        return fail(*problem);
    if (parser.isSet(growth)) {
        const std::optional<double> seconds = ParseGrowthBudget(parser.value(budget));
        if (parser.isSet(budget) && !seconds)
            return fail(QStringLiteral("The budget must be a number of seconds above 0, at most 60: %1").arg(parser.value(budget)));
        return PrintGrowth(orderCode, seconds, f, out);
    }

    std::vector<int> orders;
    if (all)
        for (int i = 0; i < kOrderCount; ++i)
            orders.push_back(i);
    else
        orders.push_back(orderCode);
    // The data set is the one a freshly started program generates.
    std::unique_ptr<Comparison> comparison = Comparison::OnOrders(orders, h, w);
    comparison->Wait();

    ReportInfo info;
    if (all)
        info.orders = orders;
    info.order = static_cast<Integer>(orderCode);
    info.height = h;
    info.width = w;
    info.delay = stored.delay;
    out << Report(comparison->Results(), info, f);
    out.flush();
    return 0;
}
