#include "compare/Report.h"

#include "engine/Routines.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>

namespace {

QString Number(std::int64_t v)
{
    return QString::number(v);
}

// A figure of a cell, or why there is none.
QString Figure(const RunResult& r, std::int64_t value)
{
    switch (r.state) {
    case RunResult::State::Done: return Number(value);
    case RunResult::State::Cancelled: return QStringLiteral("Cancelled");
    case RunResult::State::NotAvailable:
    case RunResult::State::NotRun:
    case RunResult::State::Pending: break;
    }
    return QString();
}

QString Quoted(const QString& field, QChar separator)
{
    if (!field.contains(separator) && !field.contains(QLatin1Char('"')) && !field.contains(QLatin1Char('\n')))
        return field;
    QString q = field;
    q.replace(QLatin1String("\""), QLatin1String("\"\""));
    return QLatin1Char('"') + q + QLatin1Char('"');
}

QJsonObject CellJson(int routine, const RunResult& r, Integer delay)
{
    QJsonObject o;
    o[QStringLiteral("state")] = r.state == RunResult::State::Done        ? QStringLiteral("done")
                                 : r.state == RunResult::State::Cancelled ? QStringLiteral("cancelled")
                                 : r.state == RunResult::State::Pending   ? QStringLiteral("pending")
                                 : r.state == RunResult::State::NotRun    ? QStringLiteral("not run")
                                                                          : QStringLiteral("not available");
    if (r.state == RunResult::State::NotRun)
        o[QStringLiteral("note")] = RoutineNote(routine, {&r, 1});
    if (r.state != RunResult::State::Done)
        return o;
    o[QStringLiteral("comparisons")] = static_cast<qint64>(r.comparisons);
    o[QStringLiteral("steps")] = static_cast<qint64>(r.steps);
    o[QStringLiteral("writes")] = static_cast<qint64>(r.writes);
    o[QStringLiteral("windowSeconds")] = WindowSeconds(r.steps, delay);
    o[QStringLiteral("engineMilliseconds")] = r.engineSeconds * 1000.0;
    o[QStringLiteral("verified")] = r.verified;
    return o;
}

QString Json(const ResultGrid& results, const ReportInfo& info)
{
    QJsonObject root;
    root[QStringLiteral("height")] = info.height;
    root[QStringLiteral("width")] = info.width;
    root[QStringLiteral("delay")] = info.delay;
    QJsonArray orders;
    if (!info.data.isEmpty()) {
        root[QStringLiteral("data")] = info.data;
    } else if (info.orders.empty()) {
        root[QStringLiteral("order")] = OrderName(info.order);
    } else {
        for (int o : info.orders)
            orders.append(OrderName(o));
        root[QStringLiteral("orders")] = orders;
    }
    QJsonArray routines;
    for (std::size_t r = 0; r < results.size(); ++r) {
        const int routine = static_cast<int>(r);
        QJsonObject row;
        row[QStringLiteral("name")] = QString::fromLatin1(RoutineTable[r].name);
        row[QStringLiteral("available")] = RoutineRuns(routine);
        row[QStringLiteral("comparisonSort")] = ComparesValues(routine);
        if (info.orders.empty()) {
            const QJsonObject cell = CellJson(routine, results[r].at(0), info.delay);
            for (auto it = cell.begin(); it != cell.end(); ++it)
                row[it.key()] = it.value();
        } else {
            QJsonArray cells;
            for (const RunResult& c : results[r])
                cells.append(CellJson(routine, c, info.delay));
            row[QStringLiteral("cells")] = cells;
            if (std::any_of(results[r].begin(), results[r].end(),
                            [](const RunResult& c) { return c.state == RunResult::State::NotRun; }))
                row[QStringLiteral("note")] = RoutineNote(routine, results[r]);
        }
        routines.append(row);
    }
    root[QStringLiteral("routines")] = routines;
    return QString::fromUtf8(QJsonDocument(root).toJson(QJsonDocument::Indented));
}

} // namespace

QString SeparatedRows(const std::vector<QStringList>& rows, QChar separator)
{
    QString out;
    for (const QStringList& row : rows) {
        QStringList fields;
        for (const QString& f : row)
            fields << Quoted(f, separator);
        out += fields.join(separator) + QLatin1Char('\n');
    }
    return out;
}

QString AlignedRows(const std::vector<QStringList>& rows, bool textLast)
{
    std::vector<int> widths;
    for (const QStringList& row : rows) {
        widths.resize(std::max<std::size_t>(widths.size(), row.size()), 0);
        for (int i = 0; i < row.size(); ++i)
            widths[i] = std::max<int>(widths[i], static_cast<int>(row[i].size()));
    }
    QString out;
    for (const QStringList& row : rows) {
        QString line;
        for (int i = 0; i < row.size(); ++i) {
            if (i > 0)
                line += QLatin1String("  ");
            const bool last = textLast && i + 1 == row.size();
            if (i == 0 || last)
                line += last ? row[i] : row[i].leftJustified(widths[i]);
            else
                line += row[i].rightJustified(widths[i]);
        }
        out += line.trimmed() + QLatin1Char('\n');
    }
    return out;
}


QString OrderName(int order)
{
    if (order >= 0 && order < kOrderCount)
        return QString::fromLatin1(OrderNames[order]);
    return QString::number(order);
}

double WindowSeconds(std::int64_t steps, Integer delay)
{
    // A delay below 0 ends every pause at once, as 0 does.
    return static_cast<double>(steps) * std::max<int>(delay, 0) / 100.0;
}

QString RoutineNote(int routine, std::span<const RunResult> cells)
{
    if (!RoutineRuns(routine))
        return QStringLiteral("Not available");
    if (std::any_of(cells.begin(), cells.end(), [](const RunResult& c) { return c.state == RunResult::State::NotRun; }))
        return QStringLiteral("Not run: more than %1 values").arg(RoutineTable[routine].sizeLimit);
    if (!ComparesValues(routine))
        return QStringLiteral("Not a comparison sort");
    return QString();
}

QString StableText(int routine)
{
    return RoutineTable[routine].stable ? QStringLiteral("yes") : QStringLiteral("no");
}

QString CostText(int routine)
{
    return QString::fromUtf8(RoutineTable[routine].cost.average);
}

QString RoutineFacts(int routine)
{
    const Routine& r = RoutineTable[routine];
    QStringList lines{QString::fromUtf8(r.name),
                      QStringLiteral("Family: %1").arg(QString::fromUtf8(r.family)),
                      QStringLiteral("Cost: best %1, average %2, worst %3")
                          .arg(QString::fromUtf8(r.cost.best), QString::fromUtf8(r.cost.average),
                               QString::fromUtf8(r.cost.worst)),
                      QStringLiteral("Stable: %1; in place: %2")
                          .arg(StableText(routine), r.inPlace ? QStringLiteral("yes") : QStringLiteral("no"))};
    if (!r.compares)
        lines << QStringLiteral("Compares no values: its cost counts writes");
    if (r.sizeLimit > 0)
        lines << QStringLiteral("Runs on at most %1 values").arg(r.sizeLimit);
    if (!r.entry)
        lines << QStringLiteral("Not available");
    return lines.join(QLatin1Char('\n'));
}

QStringList TableHeader(bool facts)
{
    QStringList header{QStringLiteral("Routine"),         QStringLiteral("Comparisons"),
                       QStringLiteral("Steps"),           QStringLiteral("Writes"),
                       QStringLiteral("Window time (s)"), QStringLiteral("Engine time (ms)"),
                       QStringLiteral("Verified")};
    if (facts)
        header << QStringLiteral("Stable") << QStringLiteral("Cost");
    return header << QStringLiteral("Note");
}

QStringList TableRow(int routine, const RunResult& r, Integer delay, bool facts)
{
    const bool done = r.state == RunResult::State::Done;
    QStringList row{QString::fromUtf8(RoutineTable[routine].name),
                    Figure(r, r.comparisons),
                    Figure(r, r.steps),
                    Figure(r, r.writes),
                    done ? QString::number(WindowSeconds(r.steps, delay), 'f', 2) : QString(),
                    done ? QString::number(r.engineSeconds * 1000.0, 'f', 3) : QString(),
                    done ? (r.verified ? QStringLiteral("yes") : QStringLiteral("no")) : QString()};
    if (facts)
        row << StableText(routine) << CostText(routine);
    return row << RoutineNote(routine, {&r, 1});
}

QStringList MatrixHeader(const std::vector<int>& orders)
{
    QStringList header{QStringLiteral("Routine")};
    for (int o : orders)
        header << OrderName(o);
    header << QStringLiteral("Note");
    return header;
}

QStringList MatrixRow(int routine, const std::vector<RunResult>& cells)
{
    QStringList row{QString::fromUtf8(RoutineTable[routine].name)};
    for (const RunResult& c : cells)
        row << Figure(c, c.comparisons);
    row << RoutineNote(routine, cells);
    return row;
}

QString Report(const ResultGrid& results, const ReportInfo& info, ReportFormat format)
{
    if (format == ReportFormat::Json)
        return Json(results, info);
    std::vector<QStringList> rows;
    const bool matrix = !info.orders.empty();
    rows.push_back(matrix ? MatrixHeader(info.orders) : TableHeader(info.facts));
    for (std::size_t r = 0; r < results.size(); ++r)
        rows.push_back(matrix ? MatrixRow(static_cast<int>(r), results[r])
                              : TableRow(static_cast<int>(r), results[r].at(0), info.delay, info.facts));
    switch (format) {
    case ReportFormat::Csv: return SeparatedRows(rows, QLatin1Char(','));
    case ReportFormat::Tsv: return SeparatedRows(rows, QLatin1Char('\t'));
    default: break;
    }
    QString title = matrix ? QStringLiteral("All orders, comparisons; height %1, width %2\n").arg(info.height).arg(info.width)
                           : QStringLiteral("%1, height %2, width %3, delay %4 s\n")
                                 .arg(info.data.isEmpty() ? QStringLiteral("Order ") + OrderName(info.order)
                                                          : QStringLiteral("Data ") + info.data)
                                 .arg(info.height)
                                 .arg(info.width)
                                 .arg(QString::number(std::max<int>(info.delay, 0) / 100.0, 'f', 2));
    return title + AlignedRows(rows, true);
}
