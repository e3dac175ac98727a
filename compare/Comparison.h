// Comparing the routines: each one run headless (no view, no pauses) on its
// own copy of a data set, on worker threads whose engine state is their own,
// so the window's data set, counters, markers and random sequence stay as
// they are. The Compare window and the command line both read their figures
// from here.
#pragma once

#include "engine/Module1.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

// The order list of the sort settings, by order code.
extern const std::array<const char*, 9> OrderNames;
constexpr int kOrderCount = 9;

// What the routine table says of a routine: whether it runs at all (Bucket
// Sort does not), whether it compares values (the distribution sorts count
// none), and whether it runs on this many values (Bogo Sort has a limit).
bool RoutineRuns(int routine);
bool ComparesValues(int routine);
bool WithinLimit(int routine, int width);
// How much work a routine's average cost predicts at this width, from the
// table's cost text: for ordering runs and weighing progress, not exact.
double ExpectedCost(int routine, int width);

// Whether `output` (indices 1..width) is ascending and holds exactly the
// values of `input`: what the comparison calls verified.
bool Verified(const std::vector<Integer>& input, const std::vector<Integer>& output, int width);

// What one headless run gave.
struct RunResult {
    // NotRun: the data set is larger than the routine's size limit.
    enum class State { Pending, Done, Cancelled, NotAvailable, NotRun };
    State state = State::Pending;
    std::int64_t comparisons = 0; // the routine's own counter at its end
    std::int64_t steps = 0;       // step pauses a run in the window would take
    std::int64_t writes = 0;      // element writes to SortData and AuxData
    double engineSeconds = 0;     // the routine's own time, measured
    bool verified = false;        // ascending, and a permutation of the input
};

// The data a run starts from: SortData as the window would hold it
// (indices 0..width), the sort settings, and where the random sequence
// stands (Randomized Quick Sort draws from it).
struct RunInput {
    std::vector<Integer> values;
    Integer order = 0;
    Integer height = 0;
    Integer width = 0;
    std::uint64_t rndState = 0;
};

// The window's current data set as a run in the window would start from it:
// SourceData taken into use the way the window does, and the window's
// random sequence where it stands. Read on the window's thread.
RunInput CurrentInput();

// A switch that stops the runs registered with it: their flag is cleared
// from whichever thread calls Stop, so a routine ends at its next test.
class StopSwitch {
public:
    void Stop();
    bool Stopped() const { return stopped_.load(); }

    // Registers this thread's run flag while it lives. Sorting is set before,
    // so a Stop that comes at any moment is never lost.
    class Hold {
    public:
        explicit Hold(StopSwitch& owner);
        ~Hold();
        Hold(const Hold&) = delete;
        Hold& operator=(const Hold&) = delete;

    private:
        StopSwitch& owner_;
    };

private:
    std::mutex mutex_;
    std::vector<std::atomic<bool>*> flags_;
    std::atomic<bool> stopped_{false};
};

// Runs routine `routine` on `input` on the calling thread, which must not be
// the window's: it resets the thread's engine state first. A routine over its
// size limit, or a switch already stopped, does no work at all.
RunResult RunHeadless(int routine, const RunInput& input, StopSwitch& stop);

// The data set order `order` gives a freshly started program at this height
// and width (the random sequence from its start state), with the sequence
// where it stands after the generator. Resets the calling thread's state, so
// again not on the window's thread.
RunInput FreshInput(Integer order, Integer height, Integer width);

// One comparison in progress: the rows are the routine table (Bucket Sort
// included, not available), the columns either the one data set of the
// window or orders generated as a fresh program would. The work is spread
// over at most two worker threads, one taking the cheapest runs first and
// the other the costliest, so most rows fill at once while the long runs go
// on; results are read by polling. Cancelled, every cell not finished is
// marked cancelled.
class Comparison {
public:
    // Every routine on one data set.
    static std::unique_ptr<Comparison> OnData(RunInput input);
    // Every routine on each of the orders at this height and width.
    static std::unique_ptr<Comparison> OnOrders(std::vector<int> orders, Integer height, Integer width);
    // Stops and waits for the workers.
    ~Comparison();
    Comparison(const Comparison&) = delete;
    Comparison& operator=(const Comparison&) = delete;

    // Stops every run; the workers end at their routine's next test.
    void Cancel();
    // Waits until the workers have ended.
    void Wait();
    bool Finished() const { return running_.load() == 0; }
    bool Cancelled() const { return stop_.Stopped(); }
    // The share of the work done, 0..1, weighted by each run's expected cost;
    // a run in progress counts by its time so far, so the share moves while
    // a long run goes on. Never goes back.
    double Progress() const;

    int Columns() const { return static_cast<int>(columns_); }
    // The columns' orders (OnOrders), empty for one data set.
    const std::vector<int>& Orders() const { return orders_; }
    // A snapshot of the results, [routine][column].
    std::vector<std::vector<RunResult>> Results() const;

private:
    struct Job {
        int routine;
        int column;
        double weight;
    };
    Comparison() = default;
    void Launch();
    void Work(std::size_t worker);
    // The next job for this worker, or none left.
    const Job* Take(std::size_t worker);
    void MarkUnfinished();
    RunInput InputFor(int column);

    std::size_t columns_ = 1;
    std::vector<int> orders_;
    Integer height_ = 0;
    Integer width_ = 0;
    RunInput data_; // OnData
    std::vector<Job> jobs_;
    double totalWeight_ = 0;
    std::size_t cheap_ = 0;  // the next job from the cheap end
    std::size_t costly_ = 0; // one past the next job from the costly end
    std::atomic<int> running_{0};
    mutable std::mutex mutex_;
    std::vector<std::vector<RunResult>> results_;
    double doneWeight_ = 0;
    double busySeconds_ = 0; // the time the finished runs took, together
    struct Current {
        double weight = 0;
        double since = 0; // 0: no run
    };
    std::vector<Current> current_; // per worker
    mutable double shown_ = 0;
    StopSwitch stop_;
    std::vector<std::thread> workers_;
};
