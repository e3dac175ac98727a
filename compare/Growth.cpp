#include "compare/Growth.h"

#include "engine/Routines.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>
#include <limits>

namespace {

double Now()
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// The columns before the widths.
constexpr int kLeadColumns = 7;

GrowthFigure FigureOf(int routine, const GrowthReportInfo& info)
{
    return info.figure ? *info.figure : WorkFigure(routine);
}

QString BudgetText(double budget)
{
    return QString::number(budget, 'g', 6);
}

} // namespace

const std::vector<int>& GrowthSizes()
{
    static const std::vector<int> sizes = [] {
        std::vector<int> s;
        for (int n = 16; n <= 16384; n *= 2)
            s.push_back(n);
        s.push_back(std::numeric_limits<Integer>::max());
        return s;
    }();
    return sizes;
}

QString FigureName(GrowthFigure figure)
{
    switch (figure) {
    case GrowthFigure::Comparisons: return QStringLiteral("Comparisons");
    case GrowthFigure::Steps: return QStringLiteral("Steps");
    case GrowthFigure::Writes: return QStringLiteral("Writes");
    }
    return {};
}

std::int64_t GrowthPoint::Figure(GrowthFigure figure) const
{
    switch (figure) {
    case GrowthFigure::Comparisons: return comparisons;
    case GrowthFigure::Steps: return steps;
    case GrowthFigure::Writes: return writes;
    }
    return 0;
}

QString EndText(GrowthRow::End end)
{
    switch (end) {
    case GrowthRow::End::Pending: return QStringLiteral("waiting");
    case GrowthRow::End::Running: return QStringLiteral("running");
    case GrowthRow::End::Largest: return QStringLiteral("all widths");
    case GrowthRow::End::Budget: return QStringLiteral("budget");
    case GrowthRow::End::SizeLimit: return QStringLiteral("size limit");
    case GrowthRow::End::Cancelled: return QStringLiteral("cancelled");
    case GrowthRow::End::NotAvailable: return QStringLiteral("not available");
    }
    return {};
}

std::optional<double> MeasuredGrowth(const std::vector<GrowthPoint>& points, GrowthFigure figure)
{
    constexpr std::size_t kLast = 4;
    if (points.size() < kLast)
        return std::nullopt;
    double sx = 0, sy = 0, sxx = 0, sxy = 0;
    for (std::size_t i = points.size() - kLast; i < points.size(); ++i) {
        const std::int64_t f = points[i].Figure(figure);
        if (f <= 0 || points[i].size <= 0)
            return std::nullopt;
        const double x = std::log(static_cast<double>(points[i].size));
        const double y = std::log(static_cast<double>(f));
        sx += x;
        sy += y;
        sxx += x * x;
        sxy += x * y;
    }
    const double n = kLast;
    const double d = n * sxx - sx * sx;
    if (d <= 0)
        return std::nullopt;
    return (n * sxy - sx * sy) / d;
}

QString GrowthText(std::optional<double> exponent)
{
    if (!exponent)
        return QStringLiteral("\u2013");
    return QStringLiteral("n^") + QString::number(*exponent, 'f', 2);
}

QString CaseName(CostCase c)
{
    switch (c) {
    case CostCase::Best: return QStringLiteral("best");
    case CostCase::Average: return QStringLiteral("average");
    case CostCase::Worst: return QStringLiteral("worst");
    }
    return {};
}

CostCase OrderCase(int routine, int order)
{
    const bool sorted = order == 0 || order == 1; // Ascending, Descending
    // A quick sort's case is set by its pivots, not by how sorted the data is:
    // one that takes them from an end meets its worst case in sorted data,
    // the others (random or median pivots) their average on any order.
    if (routine >= 0 && routine < kRoutineCount && std::strcmp(RoutineTable[routine].family, "quick") == 0)
        return RoutineTable[routine].sortedIsWorst && sorted ? CostCase::Worst : CostCase::Average;
    switch (order) {
    case 0: // Ascending
    case 4: // Escalator Asc.
        return CostCase::Best;
    case 1: // Descending
    case 5: // Escalator Des.
        return CostCase::Worst;
    default:
        return CostCase::Average;
    }
}

QString ClaimedCost(int routine, int order)
{
    if (routine < 0 || routine >= kRoutineCount)
        return {};
    const RoutineCost& cost = RoutineTable[routine].cost;
    switch (OrderCase(routine, order)) {
    case CostCase::Best: return QString::fromUtf8(cost.best);
    case CostCase::Average: return QString::fromUtf8(cost.average);
    case CostCase::Worst: return QString::fromUtf8(cost.worst);
    }
    return {};
}

GrowthFigure WorkFigure(int routine)
{
    return routine >= 0 && routine < kRoutineCount && !RoutineTable[routine].compares ? GrowthFigure::Writes
                                                                                       : GrowthFigure::Comparisons;
}

std::optional<ExponentRange> ExpectedExponent(const QString& cost)
{
    const QString c = QString(cost).remove(QLatin1Char(' '));
    if (c == QLatin1String("O(n)"))
        return ExponentRange{0.9, 1.1};
    // Between 4096 and 32767 values, n log n grows like n^1.1.
    if (c == QLatin1String("O(nlogn)"))
        return ExponentRange{1.0, 1.25};
    if (c == QStringLiteral("O(nlog\u00b2n)"))
        return ExponentRange{1.05, 1.4};
    if (c == QStringLiteral("O(n\u00b2)"))
        return ExponentRange{1.9, 2.1};
    // The values of a growth run up to its width, so k grows with n.
    if (c == QLatin1String("O(n+k)"))
        return ExponentRange{0.9, 1.15};
    // d, the digits of the largest value, grows like log n.
    if (c == QStringLiteral("O(d\u00b7n)"))
        return ExponentRange{0.9, 1.3};
    static const QRegularExpression power(QStringLiteral("^O\\(n\\^([0-9]+(?:\\.[0-9]+)?)\\)$"));
    const QRegularExpressionMatch m = power.match(c);
    if (m.hasMatch()) {
        const double e = m.captured(1).toDouble();
        return ExponentRange{e - 0.1, e + 0.1};
    }
    return std::nullopt;
}

// ---------------------------------------------------------------- Growth

std::unique_ptr<Growth> Growth::Start(int order, double budget, std::vector<int> sizes, std::vector<int> routines)
{
    std::unique_ptr<Growth> g(new Growth);
    g->order_ = order;
    g->budget_ = budget > 0 && std::isfinite(budget) ? budget : kDefaultBudget;
    std::erase_if(sizes, [](int s) { return s < 1 || s > std::numeric_limits<Integer>::max(); });
    std::sort(sizes.begin(), sizes.end());
    sizes.erase(std::unique(sizes.begin(), sizes.end()), sizes.end());
    g->sizes_ = std::move(sizes);
    g->Launch(routines);
    return g;
}

void Growth::Launch(const std::vector<int>& routines)
{
    rows_.assign(kRoutineCount, GrowthRow{});
    for (int r = 0; r < kRoutineCount; ++r) {
        const bool chosen = routines.empty() || std::find(routines.begin(), routines.end(), r) != routines.end();
        const int limit = RoutineTable[r].sizeLimit;
        if (!RoutineRuns(r) || !chosen)
            rows_[r].end = GrowthRow::End::NotAvailable;
        else if (sizes_.empty() || (limit > 0 && sizes_.front() > limit))
            rows_[r].end = GrowthRow::End::SizeLimit;
        else
            queue_.push_back(r);
    }
    startedAt_ = Now();
    const unsigned cores = std::max(1u, std::min(2u, std::thread::hardware_concurrency()));
    const std::size_t count = std::min<std::size_t>(cores, queue_.size());
    slots_.assign(count, Slot{});
    running_ = static_cast<int>(count) + 1; // the workers and the watch
    for (std::size_t i = 0; i < count; ++i)
        workers_.emplace_back([this, i] { Work(i); });
    watch_ = std::thread([this] { Watch(); });
}

void Growth::Work(std::size_t worker)
{
    // A new thread's engine state must be set up before its first use.
    ResetSharedState();
    for (;;) {
        const std::size_t index = next_++;
        if (index >= queue_.size())
            break;
        const int routine = queue_[index];
        if (cancelled_) {
            std::lock_guard lock(mutex_);
            rows_[routine].end = GrowthRow::End::Cancelled;
            continue;
        }
        RunRoutine(worker, routine);
    }
    ResetSharedState();
    {
        std::lock_guard lock(mutex_);
        --running_;
    }
    changed_.notify_all();
}

void Growth::RunRoutine(std::size_t worker, int routine)
{
    {
        std::lock_guard lock(mutex_);
        rows_[routine].end = GrowthRow::End::Running;
    }
    const int limit = RoutineTable[routine].sizeLimit;
    GrowthRow::End end = GrowthRow::End::Largest;
    for (int size : sizes_) {
        if (limit > 0 && size > limit) {
            end = GrowthRow::End::SizeLimit;
            break;
        }
        const Integer n = static_cast<Integer>(size);
        const RunInput input = FreshInput(static_cast<Integer>(order_), n, n);
        StopSwitch stop;
        {
            std::lock_guard lock(mutex_);
            if (cancelled_)
                stop.Stop();
            slots_[worker] = Slot{&stop, Now(), false};
        }
        changed_.notify_all();
        const RunResult result = RunHeadless(routine, input, stop);
        std::lock_guard lock(mutex_);
        const bool overBudget = slots_[worker].overBudget;
        slots_[worker] = Slot{};
        if (cancelled_) {
            end = GrowthRow::End::Cancelled;
            break;
        }
        if (overBudget || result.state != RunResult::State::Done) {
            // Stopped by the watch: its figures are those of half a run.
            end = GrowthRow::End::Budget;
            rows_[routine].stoppedSize = size;
            break;
        }
        rows_[routine].points.push_back(GrowthPoint{size, result.comparisons, result.steps, result.writes,
                                                    result.engineSeconds, result.verified});
        // Done just past the budget, before the watch saw it: the last width.
        if (result.engineSeconds > budget_) {
            end = GrowthRow::End::Budget;
            break;
        }
    }
    {
        std::lock_guard lock(mutex_);
        rows_[routine].end = end;
    }
    changed_.notify_all();
}

void Growth::Watch()
{
    std::unique_lock lock(mutex_);
    // Until the last worker has ended (the watch itself counts one).
    while (running_.load() > 1) {
        const double now = Now();
        double next = std::numeric_limits<double>::infinity();
        for (Slot& slot : slots_) {
            if (!slot.stop || slot.overBudget)
                continue;
            const double deadline = slot.since + budget_;
            if (now >= deadline) {
                slot.overBudget = true;
                slot.stop->Stop();
            } else {
                next = std::min(next, deadline);
            }
        }
        if (std::isinf(next))
            changed_.wait(lock);
        else
            changed_.wait_for(lock, std::chrono::duration<double>(next - now));
    }
    --running_;
}

Growth::~Growth()
{
    Cancel();
    Wait();
}

void Growth::Cancel()
{
    {
        std::lock_guard lock(mutex_);
        cancelled_ = true;
        for (Slot& slot : slots_)
            if (slot.stop)
                slot.stop->Stop();
    }
    changed_.notify_all();
}

void Growth::Wait()
{
    for (std::thread& t : workers_)
        if (t.joinable())
            t.join();
    if (watch_.joinable())
        watch_.join();
}

double Growth::Progress() const
{
    std::lock_guard lock(mutex_);
    if (queue_.empty())
        return 1;
    // A routine that runs to the widest data set is done in moments; one
    // that meets the budget takes about three budgets (each width four times
    // the last, the stopped run one budget).
    double done = 0;
    for (int r : queue_) {
        const GrowthRow& row = rows_[r];
        switch (row.end) {
        case GrowthRow::End::Pending: break;
        case GrowthRow::End::Running: {
            const double bySize = static_cast<double>(row.points.size()) / std::max<std::size_t>(1, sizes_.size());
            double since = 0;
            for (const GrowthPoint& p : row.points)
                since += p.seconds;
            done += std::min(0.95, std::max(bySize, since / (3 * budget_)));
            break;
        }
        default: done += 1; break;
        }
    }
    shown_ = std::max(shown_, std::min(1.0, done / static_cast<double>(queue_.size())));
    return shown_;
}

std::vector<GrowthRow> Growth::Rows() const
{
    std::lock_guard lock(mutex_);
    return rows_;
}

// ---------------------------------------------------------------- Report

QStringList GrowthHeader(const std::vector<int>& sizes)
{
    QStringList h{QStringLiteral("Routine"), QStringLiteral("Largest size"), QStringLiteral("Figure there"),
                  QStringLiteral("Growth"),  QStringLiteral("Claimed"),      QStringLiteral("Case"),
                  QStringLiteral("Ended")};
    for (int s : sizes)
        h << QString::number(s);
    return h;
}

QStringList GrowthRowText(int routine, const GrowthRow& row, const std::vector<int>& sizes,
                          const GrowthReportInfo& info)
{
    const GrowthFigure figure = FigureOf(routine, info);
    const bool counted = figure != GrowthFigure::Comparisons || ComparesValues(routine);
    QString ended = EndText(row.end);
    if (row.end == GrowthRow::End::Budget && row.stoppedSize > 0)
        ended += QStringLiteral(" at %1").arg(row.stoppedSize);
    if (row.end == GrowthRow::End::SizeLimit && RoutineTable[routine].sizeLimit > 0)
        ended += QStringLiteral(" %1").arg(RoutineTable[routine].sizeLimit);
    const bool any = !row.points.empty();
    const bool runs = RoutineRuns(routine);
    QStringList t{QString::fromLatin1(RoutineTable[routine].name),
                  any ? QString::number(row.points.back().size) : QString(),
                  any ? (counted ? QString::number(row.points.back().Figure(figure)) : QStringLiteral("\u2013"))
                      : QString(),
                  counted ? GrowthText(MeasuredGrowth(row.points, figure)) : QStringLiteral("\u2013"),
                  runs ? ClaimedCost(routine, info.order) : QString(),
                  runs ? CaseName(OrderCase(routine, info.order)) : QString(),
                  ended};
    for (int s : sizes) {
        auto p = std::find_if(row.points.begin(), row.points.end(), [s](const GrowthPoint& g) { return g.size == s; });
        t << (p == row.points.end() || !counted ? QString() : QString::number(p->Figure(figure)));
    }
    return t;
}

QString GrowthReport(const std::vector<GrowthRow>& rows, const std::vector<int>& sizes, const GrowthReportInfo& info,
                     ReportFormat format)
{
    if (format == ReportFormat::Json) {
        QJsonObject o;
        o[QStringLiteral("order")] = info.order;
        o[QStringLiteral("orderName")] = OrderName(info.order);
        o[QStringLiteral("budgetSeconds")] = info.budget;
        QJsonArray widths;
        for (int s : sizes)
            widths.append(s);
        o[QStringLiteral("sizes")] = widths;
        QJsonArray routines;
        for (int r = 0; r < static_cast<int>(rows.size()) && r < kRoutineCount; ++r) {
            const GrowthRow& row = rows[r];
            QJsonObject j;
            j[QStringLiteral("routine")] = QString::fromLatin1(RoutineTable[r].name);
            j[QStringLiteral("ended")] = EndText(row.end);
            if (RoutineRuns(r)) {
                j[QStringLiteral("claimed")] = ClaimedCost(r, info.order);
                j[QStringLiteral("case")] = CaseName(OrderCase(r, info.order));
            }
            QJsonObject growth;
            for (GrowthFigure f : {GrowthFigure::Comparisons, GrowthFigure::Steps, GrowthFigure::Writes}) {
                const std::optional<double> e = MeasuredGrowth(row.points, f);
                const bool counted = f != GrowthFigure::Comparisons || ComparesValues(r);
                growth[FigureName(f).toLower()] = e && counted ? QJsonValue(std::round(*e * 1000) / 1000) : QJsonValue();
            }
            j[QStringLiteral("growth")] = growth;
            QJsonArray points;
            for (const GrowthPoint& p : row.points) {
                QJsonObject q;
                q[QStringLiteral("size")] = p.size;
                q[QStringLiteral("comparisons")] = static_cast<qint64>(p.comparisons);
                q[QStringLiteral("steps")] = static_cast<qint64>(p.steps);
                q[QStringLiteral("writes")] = static_cast<qint64>(p.writes);
                q[QStringLiteral("seconds")] = p.seconds;
                q[QStringLiteral("verified")] = p.verified;
                points.append(q);
            }
            j[QStringLiteral("points")] = points;
            routines.append(j);
        }
        o[QStringLiteral("routines")] = routines;
        return QString::fromUtf8(QJsonDocument(o).toJson(QJsonDocument::Indented));
    }
    std::vector<QStringList> lines;
    QStringList header = GrowthHeader(sizes);
    header[2] = info.figure ? FigureName(*info.figure) : QStringLiteral("Work");
    lines.push_back(header);
    for (int r = 0; r < static_cast<int>(rows.size()) && r < kRoutineCount; ++r)
        lines.push_back(GrowthRowText(r, rows[r], sizes, info));
    switch (format) {
    case ReportFormat::Csv: return SeparatedRows(lines, QLatin1Char(','));
    case ReportFormat::Tsv: return SeparatedRows(lines, QLatin1Char('\t'));
    default: break;
    }
    const QString what = info.figure ? FigureName(*info.figure)
                                     : QStringLiteral("Work (comparisons; writes where a routine compares nothing)");
    return QStringLiteral("%1 by width on %2 (height = width), at most %3 s a run\n\n")
               .arg(what, OrderName(info.order), BudgetText(info.budget))
        + AlignedRows(lines, false);
}
