// One lane's run, recorded: the routine run headless on a worker thread with
// its own engine state (as the comparison runs it, so the figures are the
// same), and what each step changed on the plot kept compactly, so the lane
// can be shown after any step, forward or back, without running it again.
//
// Memory is bounded: a lane keeps at most 3 Mi element changes and 1 Mi
// steps in full (RecordLimits). A run longer than that (Stooge Sort at width 1000)
// goes on being counted exactly, but from there on only a picture of the
// whole plot now and then is kept (every `every` steps, the spacing doubling
// each kCoarseRun pictures), so its lane moves in coarser jumps.
#pragma once

#include "compare/Comparison.h"
#include "engine/RunHistory.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

// What a tick of the race clock is worth.
enum class ClockUnit { Comparisons, Writes, Steps };

// A point of the run the lane can be shown at: the start, after a step, or
// the end; with the counts at that point.
struct RaceMark {
    std::int64_t comparisons = 0;
    std::int64_t writes = 0;
    std::int64_t steps = 0;
    std::int64_t opEnd = -1;  // one past its element changes; -1: shown by its picture only
    std::int32_t picture = -1; // index of the whole-plot picture kept for it, or -1
};

// How much of a run a lane keeps in full, and how it goes on from there.
struct RecordLimits {
    std::size_t ops = std::size_t{3} << 20;   // element changes, 8 bytes each
    std::size_t marks = std::size_t{1} << 20; // steps, 40 bytes each
    std::int64_t every = 1024;                // steps between pictures at first
    std::size_t coarseRun = 512;              // pictures before the spacing doubles
};

class LaneRecord {
public:

    // One element change, packed: op (2 bits), role (3), index (24), value (16).
    using Op = std::uint64_t;
    static Op Pack(int op, int role, int index, Integer value);
    static void Unpack(Op op, int& kind, int& role, int& index, Integer& value);

    // order >= 0 with an empty input: the data is that order as a fresh
    // program generates it at this height and width (made on the worker).
    LaneRecord(int routine, RunInput input, int order, RecordLimits limits = {});
    ~LaneRecord();
    LaneRecord(const LaneRecord&) = delete;
    LaneRecord& operator=(const LaneRecord&) = delete;

    void Start();
    // Ends the run at its next test; Stop also waits for the worker.
    void RequestStop();
    void Stop();
    // A held recording waits at its next step, spending nothing.
    void Hold(bool held);

    int Routine() const { return routine_; }
    // Not run (over the size limit, or not a routine): no marks at all.
    bool Runs() const { return runs_; }
    // The whole run is recorded.
    bool Complete() const { return complete_.load(); }
    // Whether this routine's clock counts writes where comparisons are asked
    // for (it compares nothing).
    bool CountsWrites(ClockUnit unit) const;
    std::int64_t Work(const RaceMark& mark, ClockUnit unit) const;
    // The work of the last mark published, read without the lock; -1 before any.
    std::int64_t PublishedWork(ClockUnit unit) const;

    // Under Lock(): the marks and changes published so far, the pictures, the
    // data the run starts from.
    std::unique_lock<std::mutex> Lock() const { return std::unique_lock(mutex_); }
    // The same, unless the recording holds it now (owns_lock() says).
    std::unique_lock<std::mutex> TryLock() const { return std::unique_lock(mutex_, std::try_to_lock); }
    const std::vector<RaceMark>& Marks() const { return marks_; }
    const std::vector<Op>& Ops() const { return ops_; }
    const std::vector<ShownColumn>& Picture(int index) const { return pictures_[static_cast<std::size_t>(index)]; }
    const std::vector<Integer>& Values() const { return values_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    RunResult Result() const;
    std::size_t Bytes() const;

private:
    class Recorder;
    void Run();
    void WaitWhileHeld();
    void Publish(std::vector<RaceMark>& marks, std::vector<Op>& ops, std::vector<std::vector<ShownColumn>>& pictures,
                 bool last);

    int routine_;
    RunInput input_;
    int order_;
    RecordLimits limits_;
    int width_ = 0;
    int height_ = 0;
    bool runs_ = true;
    StopSwitch stop_;
    std::atomic<bool> complete_{false};
    std::atomic<std::int64_t> published_[3] = {-1, -1, -1}; // comparisons, writes, steps
    mutable std::mutex mutex_;
    std::vector<RaceMark> marks_;
    std::vector<Op> ops_;
    std::vector<std::vector<ShownColumn>> pictures_;
    std::vector<Integer> values_;
    RunResult result_;
    std::mutex holdMutex_;
    std::condition_variable holdChanged_;
    bool held_ = false;
    std::atomic<bool> heldFlag_{false};
    std::thread worker_;
};
