#include "compare/Comparison.h"

#include "engine/FillSource.h"
#include "engine/Routines.h"
#include "engine/RunTrace.h"
#include "platform/Runtime.h"

#include <algorithm>
#include <chrono>
#include <cmath>

const std::array<const char*, 9> OrderNames = {
    "Ascending", "Descending", "Almost Asc.", "Almost Des.", "Escalator Asc.",
    "Escalator Des.", "Random", "Random Asc.", "Random Des.",
};

namespace {

constexpr int kCountingSort = 10;
constexpr int kRadixSort = 11;
constexpr int kStoogeSort = 9;

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

bool Verify(const std::vector<Integer>& input, const std::vector<Integer>& output, int width)
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

// The expected cost of a run, so the progress moves evenly: Stooge Sort's
// work grows like n^2.71, the quadratic routines' like n^2.
double Weight(int routine, int width)
{
    const double n = std::max(width, 1);
    if (!RoutineRuns(routine))
        return 0;
    if (routine == kStoogeSort)
        return std::pow(n, 2.71);
    if (routine <= 3)
        return n * n / 2;
    return 4 * n * std::log2(n + 1) + 1;
}

} // namespace

bool RoutineRuns(int routine)
{
    return routine >= 0 && routine < static_cast<int>(RoutineTable.size()) && RoutineTable[routine].entry;
}

bool ComparesValues(int routine)
{
    return RoutineRuns(routine) && routine != kCountingSort && routine != kRadixSort;
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
    result.verified = Verify(input.values, SortData, input.width);
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
            if (!RoutineRuns(r)) {
                results_[r][c].state = RunResult::State::NotAvailable;
                continue;
            }
            jobs_.push_back({r, static_cast<int>(c), Weight(r, width_)});
            totalWeight_ += jobs_.back().weight;
        }
    }
    // The longest runs first, so the two workers end close together.
    std::stable_sort(jobs_.begin(), jobs_.end(), [](const Job& a, const Job& b) { return a.weight > b.weight; });
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
    for (;;) {
        const std::size_t index = next_++;
        if (index >= jobs_.size() || stop_.Stopped())
            break;
        const Job& job = jobs_[index];
        const double start = Seconds();
        {
            std::lock_guard lock(mutex_);
            current_[worker] = {job.weight, start};
        }
        const RunInput input = InputFor(job.column);
        const RunResult result = RunHeadless(job.routine, input, stop_);
        std::lock_guard lock(mutex_);
        results_[job.routine][job.column] = result;
        doneWeight_ += job.weight;
        busySeconds_ += Seconds() - start;
        current_[worker] = {};
    }
    ResetSharedState();
    --running_;
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
