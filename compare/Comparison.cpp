#include "compare/Comparison.h"

#include "engine/FillSource.h"
#include "engine/Routines.h"
#include "engine/RunTrace.h"
#include "platform/Runtime.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <string>

const std::array<const char*, 9> OrderNames = {
    "Ascending", "Descending", "Almost Asc.", "Almost Des.", "Escalator Asc.",
    "Escalator Des.", "Random", "Random Asc.", "Random Des.",
};

namespace {

// Counts what a run does; the routine counts its comparisons itself.
class CountingTrace final : public RunTrace {
public:
    void Written(std::vector<Integer>&, int, Integer) override { ++writes; }
    void Cleared(std::vector<Integer>&, std::size_t) override {}
    void Stepped() override { ++steps; }
    std::int64_t writes = 0;
    std::int64_t steps = 0;
};

// Where the random sequence of a freshly started program stands: that of a
// thread that has not drawn yet.
std::uint64_t ProgramStartRnd()
{
    static const std::uint64_t state = [] {
        std::uint64_t s = 0;
        std::thread([&s] { s = RndState(); }).join();
        return s;
    }();
    return state;
}

// How a cost text of the routine table ("O(n log n)", "O(n^2.71)",
// "O(n·n!)") grows, taken at n: enough to order the runs and to weigh the
// progress, so it need not be exact.
double Growth(const std::string& cost, double n)
{
    const double lg = std::log2(n + 1);
    double g = n;
    if (const auto caret = cost.find("n^"); caret != std::string::npos)
        g = std::pow(n, std::strtod(cost.c_str() + caret + 2, nullptr));
    else if (cost.find("n\u00b2") != std::string::npos)
        g = n * n;
    if (cost.find("n!") != std::string::npos || cost.find("unbounded") != std::string::npos)
        g = n * std::tgamma(std::min(n, 20.0) + 1);
    if (cost.find("log\u00b2") != std::string::npos)
        g *= lg * lg;
    else if (cost.find("log") != std::string::npos)
        g *= lg;
    return g;
}

double Weight(int routine, int width)
{
    if (!RoutineRuns(routine) || !WithinLimit(routine, width))
        return 0;
    return ExpectedCost(routine, width) + 1;
}

} // namespace

double ExpectedCost(int routine, int width)
{
    if (routine < 0 || routine >= static_cast<int>(RoutineTable.size()))
        return 0;
    return Growth(RoutineTable[routine].cost.average, std::max(width, 1));
}

bool RoutineRuns(int routine)
{
    return routine >= 0 && routine < static_cast<int>(RoutineTable.size()) && RoutineTable[routine].entry;
}

bool ComparesValues(int routine)
{
    return RoutineRuns(routine) && RoutineTable[routine].compares;
}

bool WithinLimit(int routine, int width)
{
    if (routine < 0 || routine >= static_cast<int>(RoutineTable.size()))
        return false;
    const int limit = RoutineTable[routine].sizeLimit;
    return limit <= 0 || width <= limit;
}

bool Verified(const std::vector<Integer>& input, const std::vector<Integer>& output, int width)
{
    if (width < 0 || static_cast<int>(input.size()) <= width || static_cast<int>(output.size()) <= width)
        return false;
    const auto first = output.begin() + 1;
    const auto last = output.begin() + width + 1;
    if (!std::is_sorted(first, last))
        return false;
    std::vector<Integer> expected(input.begin() + 1, input.begin() + width + 1);
    std::sort(expected.begin(), expected.end());
    return std::equal(expected.begin(), expected.end(), first, last);
}

RunInput CurrentInput()
{
    RunInput input;
    input.order = SortSet[0];
    input.height = SortSet[1];
    input.width = SortSet[2];
    // As the window takes the data set into use: only the elements SourceData
    // has are copied, the rest stay 0.
    input.values.assign(static_cast<std::size_t>(std::max<int>(0, input.width)) + 1, 0);
    std::copy_n(SourceData.begin(), std::min(input.values.size(), SourceData.size()), input.values.begin());
    input.rndState = RndState();
    return input;
}

void StopSwitch::Stop()
{
    std::lock_guard lock(mutex_);
    stopped_ = true;
    for (std::atomic<bool>* flag : flags_)
        *flag = false;
}

StopSwitch::Hold::Hold(StopSwitch& owner) : owner_(owner)
{
    std::lock_guard lock(owner_.mutex_);
    owner_.flags_.push_back(&Sorting);
    if (owner_.stopped_)
        Sorting = false;
}

StopSwitch::Hold::~Hold()
{
    std::lock_guard lock(owner_.mutex_);
    std::erase(owner_.flags_, &Sorting);
}

RunResult RunHeadless(int routine, const RunInput& input, StopSwitch& stop)
{
    RunResult result;
    if (!RoutineRuns(routine)) {
        result.state = RunResult::State::NotAvailable;
        return result;
    }
    if (!WithinLimit(routine, input.width)) {
        result.state = RunResult::State::NotRun;
        return result;
    }
    ResetSharedState();
    // Pauses end at once: a headless run waits nowhere, not even for the clock.
    Unloading = true;
    DrawSet = {1, 0};
    SortSet = {input.order, input.height, input.width};
    SortData = input.values;
    SortType = static_cast<Integer>(routine);
    SetRndState(input.rndState);
    CountingTrace trace;
    Trace = &trace;
    Sorting = true;
    {
        StopSwitch::Hold hold(stop);
        const auto start = std::chrono::steady_clock::now();
        if (Sorting)
            RoutineTable[routine].entry();
        result.engineSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    Trace = nullptr;
    Sorting = false;
    result.comparisons = Comparisons;
    result.steps = trace.steps;
    result.writes = trace.writes;
    result.verified = Verified(input.values, SortData, input.width);
    result.state = stop.Stopped() ? RunResult::State::Cancelled : RunResult::State::Done;
    ResetSharedState();
    return result;
}

RunInput FreshInput(Integer order, Integer height, Integer width)
{
    ResetSharedState();
    SetRndState(ProgramStartRnd());
    SortSet = {order, height, width};
    FillSource();
    RunInput input;
    input.order = order;
    input.height = height;
    input.width = width;
    input.values = SourceData;
    input.rndState = RndState();
    ResetSharedState();
    return input;
}

// ---------------------------------------------------------------- Comparison

std::unique_ptr<Comparison> Comparison::OnData(RunInput input)
{
    std::unique_ptr<Comparison> c(new Comparison);
    c->columns_ = 1;
    c->height_ = input.height;
    c->width_ = input.width;
    c->data_ = std::move(input);
    c->Launch();
    return c;
}

std::unique_ptr<Comparison> Comparison::OnOrders(std::vector<int> orders, Integer height, Integer width)
{
    std::unique_ptr<Comparison> c(new Comparison);
    c->columns_ = orders.size();
    c->orders_ = std::move(orders);
    c->height_ = height;
    c->width_ = width;
    c->Launch();
    return c;
}

void Comparison::Launch()
{
    const int routines = static_cast<int>(RoutineTable.size());
    results_.assign(routines, std::vector<RunResult>(columns_));
    for (int r = 0; r < routines; ++r) {
        for (std::size_t c = 0; c < columns_; ++c) {
            if (!RoutineRuns(r) || !WithinLimit(r, width_)) {
                results_[r][c].state = RoutineRuns(r) ? RunResult::State::NotRun : RunResult::State::NotAvailable;
                continue;
            }
            jobs_.push_back({r, static_cast<int>(c), Weight(r, width_)});
            totalWeight_ += jobs_.back().weight;
        }
    }
    // Cheapest first; a row's cells stay together among equals, so rows fill
    // one after another.
    std::stable_sort(jobs_.begin(), jobs_.end(), [](const Job& a, const Job& b) { return a.weight < b.weight; });
    cheap_ = 0;
    costly_ = jobs_.size();
    const unsigned cores = std::max(1u, std::min(2u, std::thread::hardware_concurrency()));
    const std::size_t count = std::min<std::size_t>(cores, jobs_.size());
    running_ = static_cast<int>(count);
    current_.assign(count, Current{});
    for (std::size_t i = 0; i < count; ++i)
        workers_.emplace_back([this, i] { Work(i); });
}

RunInput Comparison::InputFor(int column)
{
    if (orders_.empty())
        return data_;
    return FreshInput(static_cast<Integer>(orders_[column]), height_, width_);
}

namespace {

double Seconds()
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

} // namespace

void Comparison::Work(std::size_t worker)
{
    // A new thread's engine state must be set up before its first use.
    ResetSharedState();
    while (const Job* taken = Take(worker)) {
        const Job& job = *taken;
        const double start = Seconds();
        const RunInput input = InputFor(job.column);
        const RunResult result = RunHeadless(job.routine, input, stop_);
        std::lock_guard lock(mutex_);
        results_[job.routine][job.column] = result;
        doneWeight_ += job.weight;
        busySeconds_ += Seconds() - start;
        current_[worker] = {};
    }
    if (stop_.Stopped())
        MarkUnfinished();
    ResetSharedState();
    --running_;
}

const Comparison::Job* Comparison::Take(std::size_t worker)
{
    std::lock_guard lock(mutex_);
    if (cheap_ >= costly_ || stop_.Stopped())
        return nullptr;
    // The first worker works up from the cheapest run, the second down from
    // the costliest: the long runs start at once, and the short ones are not
    // kept waiting behind them.
    const Job* job = worker == 0 ? &jobs_[cheap_++] : &jobs_[--costly_];
    current_[worker] = {job->weight, Seconds()};
    return job;
}

void Comparison::MarkUnfinished()
{
    // A cell another worker is still on is marked too, and then gets that
    // run's own result (cancelled as well) when it ends.
    std::lock_guard lock(mutex_);
    for (std::vector<RunResult>& row : results_)
        for (RunResult& cell : row)
            if (cell.state == RunResult::State::Pending)
                cell.state = RunResult::State::Cancelled;
}

Comparison::~Comparison()
{
    Cancel();
    Wait();
}

void Comparison::Cancel()
{
    stop_.Stop();
}

void Comparison::Wait()
{
    for (std::thread& t : workers_)
        if (t.joinable())
            t.join();
}

double Comparison::Progress() const
{
    std::lock_guard lock(mutex_);
    if (totalWeight_ <= 0)
        return 1;
    // The work the finished runs did a second; before the first has ended,
    // about what Stooge Sort manages.
    const double rate = busySeconds_ > 0.01 ? doneWeight_ / busySeconds_ : 1e8;
    double done = doneWeight_;
    const double now = Seconds();
    for (const Current& c : current_)
        if (c.since > 0)
            done += std::min(0.95 * c.weight, (now - c.since) * rate);
    shown_ = std::max(shown_, std::min(1.0, done / totalWeight_));
    return shown_;
}

std::vector<std::vector<RunResult>> Comparison::Results() const
{
    std::lock_guard lock(mutex_);
    return results_;
}
