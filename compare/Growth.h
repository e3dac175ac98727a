// How each routine's work grows with the size of the data: every routine
// run headless on data sets of doubling width, generated as a freshly
// started program makes them (height equal to the width), until one of its
// runs outlasts a time budget or the routine's size limit is reached. The
// growth is measured as the slope of log(figure) against log(size), and set
// beside the cost the routine table claims for the order's case.
#pragma once

#include "compare/Comparison.h"
#include "compare/Report.h"

#include <QString>
#include <QStringList>

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

// The widths a growth runs on: 16, 32, ..., 16384, then 32767, the widest
// data set the engine holds (one short of the next doubling).
const std::vector<int>& GrowthSizes();

enum class GrowthFigure { Comparisons, Steps, Writes };
QString FigureName(GrowthFigure figure); // "Comparisons", "Steps", "Writes"

// One completed run.
struct GrowthPoint {
    int size = 0;
    std::int64_t comparisons = 0;
    std::int64_t steps = 0;
    std::int64_t writes = 0;
    double seconds = 0;
    bool verified = false;

    std::int64_t Figure(GrowthFigure figure) const;
};

// One routine's runs, smallest first, and why they ended.
struct GrowthRow {
    enum class End {
        Pending,     // not started yet
        Running,
        Largest,     // reached the widest data set
        Budget,      // a run outlasted the budget and was stopped there
        SizeLimit,   // the next width is beyond the routine's size limit
        Cancelled,
        NotAvailable // the routine does not run at all, or not even at 16 values
    };
    End end = End::Pending;
    std::vector<GrowthPoint> points;
    int stoppedSize = 0; // the width of the run the budget stopped
};
QString EndText(GrowthRow::End end);

// The slope of log(figure) against log(size) over the last four points (a
// least-squares line); nothing with fewer than four or a figure of 0.
std::optional<double> MeasuredGrowth(const std::vector<GrowthPoint>& points, GrowthFigure figure);
// "n^1.98", or "–" when there is nothing to show.
QString GrowthText(std::optional<double> exponent);

enum class CostCase { Best, Average, Worst };
QString CaseName(CostCase c); // "best", "average", "worst"
// Which of the routine table's cases an order is for a routine: data already
// in order (Ascending, Escalator Asc.) is the best case, data in reverse
// order (Descending, Escalator Des.) the worst, every order with randomness
// in it the average. A quick sort's case is set by its pivots: sorted data
// either way is the worst case of one that takes them from an end of the
// range, and every order the average case of the others.
CostCase OrderCase(int routine, int order);
// The routine table's cost text for that case, e.g. "O(n²)".
QString ClaimedCost(int routine, int order);
// The work the cost texts speak of: comparisons, or writes where the routine
// compares nothing.
GrowthFigure WorkFigure(int routine);

// The exponents a cost text allows at the widths of a growth (the log
// factors of n log n push its slope a little above 1); nothing for a cost
// that no measurement can confirm ("O(n·n!)", "unbounded").
struct ExponentRange {
    double low;
    double high;
};
std::optional<ExponentRange> ExpectedExponent(const QString& cost);

// One growth in progress: the rows are the routine table. At most two worker
// threads each take the next routine and run its widths one after another;
// a watch stops a run the moment it outlasts the budget. Results are read by
// polling, as those of a comparison.
class Growth {
public:
    static constexpr double kDefaultBudget = 0.25; // seconds a run may take

    // Every routine on `order`; `sizes` are the widths, ascending (tests use
    // fewer). Routines left out of `routines` (empty: all) are not run.
    static std::unique_ptr<Growth> Start(int order, double budget = kDefaultBudget,
                                         std::vector<int> sizes = GrowthSizes(), std::vector<int> routines = {});
    // Stops and waits for the workers.
    ~Growth();
    Growth(const Growth&) = delete;
    Growth& operator=(const Growth&) = delete;

    // Stops every run; each ends at its routine's next test.
    void Cancel();
    // Waits until the workers and the watch have ended.
    void Wait();
    bool Finished() const { return running_.load() == 0; }
    bool Cancelled() const { return cancelled_.load(); }
    // The share of the work done, 0..1; never goes back.
    double Progress() const;

    int Order() const { return order_; }
    double Budget() const { return budget_; }
    const std::vector<int>& Sizes() const { return sizes_; }
    // A snapshot of the rows, by routine.
    std::vector<GrowthRow> Rows() const;

private:
    struct Slot {
        StopSwitch* stop = nullptr;
        double since = 0; // when the run began, 0: none
        bool overBudget = false;
    };
    Growth() = default;
    void Launch(const std::vector<int>& routines);
    void Work(std::size_t worker);
    void RunRoutine(std::size_t worker, int routine);
    void Watch();

    int order_ = 0;
    double budget_ = kDefaultBudget;
    std::vector<int> sizes_;
    std::vector<int> queue_;
    std::atomic<std::size_t> next_{0};
    std::atomic<int> running_{0};
    std::atomic<bool> cancelled_{false};
    mutable std::mutex mutex_;
    std::condition_variable changed_; // a run began or ended, or a cancel
    std::vector<GrowthRow> rows_;
    std::vector<Slot> slots_; // per worker
    double startedAt_ = 0;
    mutable double shown_ = 0;
    std::vector<std::thread> workers_;
    std::thread watch_;
};

// The figures of a growth as text: the widths by routines and the measured
// exponents, as an aligned table, CSV, tab-separated text or JSON.
struct GrowthReportInfo {
    int order = 0;
    double budget = Growth::kDefaultBudget;
    // The figure shown; nothing: each routine's work, the figure its cost
    // speaks of (comparisons, or writes where it compares nothing).
    std::optional<GrowthFigure> figure;
};
// Per routine: the largest width reached, the figure there, the measured
// growth and the claimed cost, then the figure at every width.
QStringList GrowthHeader(const std::vector<int>& sizes);
QStringList GrowthRowText(int routine, const GrowthRow& row, const std::vector<int>& sizes, const GrowthReportInfo& info);
QString GrowthReport(const std::vector<GrowthRow>& rows, const std::vector<int>& sizes, const GrowthReportInfo& info,
                     ReportFormat format);
