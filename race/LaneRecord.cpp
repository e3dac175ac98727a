#include "race/LaneRecord.h"

#include "engine/Routines.h"
#include "engine/RunTrace.h"
#include "platform/Runtime.h"
#include "view/MarkedPlot.h"

#include <algorithm>

#ifdef __linux__
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>
#endif

// Follows the run: counts its writes, keeps what every element shows, and
// records the element changes and the counts at every step.
class LaneRecord::Recorder final : public RunTrace, public ElementSink {
public:
    Recorder(LaneRecord& owner, const std::vector<Integer>& values, int width)
        : owner_(owner), limits_(owner.limits_), every_(std::max<std::int64_t>(1, limits_.every))
    {
        shown_.resize(static_cast<std::size_t>(width) + 1);
        for (int i = 1; i <= width; ++i)
            shown_[static_cast<std::size_t>(i)] = {ValueOf(values, i), ShownColumn::Fore};
        pictures_.push_back(shown_);
        marks_.push_back({0, 0, 0, 0, 0});
    }

    void Written(std::vector<Integer>&, int, Integer) override { ++writes_; }
    void Cleared(std::vector<Integer>&, std::size_t) override {}
    void Stepped() override
    {
        ++steps_;
        if (owner_.heldFlag_.load(std::memory_order_relaxed))
            owner_.WaitWhileHeld();
        if (!coarse_) {
            marks_.push_back({Comparisons, writes_, steps_, opCount_, -1});
            ++markCount_;
            if (markCount_ >= limits_.marks || opCount_ >= static_cast<std::int64_t>(limits_.ops))
                coarse_ = true;
        } else if (++since_ >= every_) {
            since_ = 0;
            AddPicture();
            marks_.push_back({Comparisons, writes_, steps_, -1, pictureCount_ - 1});
            if (++coarseCount_ % std::max<std::size_t>(1, limits_.coarseRun) == 0)
                every_ *= 2;
        }
        if (marks_.size() >= batch_ || pictures_.size() >= 8) {
            Flush(false);
            // Small batches at first, so every lane is seen moving at once.
            batch_ = std::min<std::size_t>(4096, batch_ * 2);
        }
    }
    void Show(ElementSink::Op op, int i, Integer value, ShownColumn::Role role) override
    {
        if (i < 0 || static_cast<std::size_t>(i) >= shown_.size())
            return;
        shown_[static_cast<std::size_t>(i)] = op == ElementSink::Op::Erase ? ShownColumn{} : ShownColumn{value, role};
        if (!coarse_) {
            ops_.push_back(Pack(static_cast<int>(op), role, i, value));
            ++opCount_;
        }
    }
    void Finish()
    {
        RaceMark end{Comparisons, writes_, steps_, coarse_ ? -1 : opCount_, -1};
        if (coarse_) {
            AddPicture();
            end.picture = pictureCount_ - 1;
        }
        marks_.push_back(end);
        Flush(true);
    }
    std::int64_t Writes() const { return writes_; }
    std::int64_t Steps() const { return steps_; }

private:
    static Integer ValueOf(const std::vector<Integer>& v, int i)
    {
        return static_cast<std::size_t>(i) < v.size() ? v[static_cast<std::size_t>(i)] : 0;
    }
    void AddPicture()
    {
        pictures_.push_back(shown_);
        ++pictureCount_;
    }
    void Flush(bool last) { owner_.Publish(marks_, ops_, pictures_, last); }

    LaneRecord& owner_;
    RecordLimits limits_;
    std::vector<ShownColumn> shown_;
    std::vector<RaceMark> marks_;
    std::vector<LaneRecord::Op> ops_;
    std::vector<std::vector<ShownColumn>> pictures_;
    std::int64_t writes_ = 0;
    std::int64_t steps_ = 0;
    std::int64_t opCount_ = 0;
    std::size_t markCount_ = 1;
    std::int32_t pictureCount_ = 1;
    bool coarse_ = false;
    std::int64_t since_ = 0;
    std::int64_t every_;
    std::size_t coarseCount_ = 0;
    std::size_t batch_ = 16;
};

LaneRecord::Op LaneRecord::Pack(int op, int role, int index, Integer value)
{
    return static_cast<Op>(op & 3) | (static_cast<Op>(role & 7) << 2) | (static_cast<Op>(index & 0xFFFFFF) << 5) |
           (static_cast<Op>(static_cast<std::uint16_t>(value)) << 29);
}

void LaneRecord::Unpack(Op op, int& kind, int& role, int& index, Integer& value)
{
    kind = static_cast<int>(op & 3);
    role = static_cast<int>((op >> 2) & 7);
    index = static_cast<int>((op >> 5) & 0xFFFFFF);
    value = static_cast<Integer>(static_cast<std::uint16_t>(op >> 29));
}

LaneRecord::LaneRecord(int routine, RunInput input, int order, RecordLimits limits)
    : routine_(routine), input_(std::move(input)), order_(order), limits_(limits)
{
    width_ = input_.width;
    height_ = input_.height;
    runs_ = RoutineRuns(routine) && WithinLimit(routine, width_);
    result_.state = !RoutineRuns(routine)        ? RunResult::State::NotAvailable
                    : !WithinLimit(routine, width_) ? RunResult::State::NotRun
                                                    : RunResult::State::Pending;
}

LaneRecord::~LaneRecord()
{
    Stop();
}

void LaneRecord::Start()
{
    if (runs_ && !worker_.joinable())
        worker_ = std::thread([this] { Run(); });
}

void LaneRecord::RequestStop()
{
    stop_.Stop();
    Hold(false);
}

void LaneRecord::Stop()
{
    RequestStop();
    if (worker_.joinable())
        worker_.join();
}

void LaneRecord::Hold(bool held)
{
    {
        std::lock_guard lock(holdMutex_);
        held_ = held;
        heldFlag_ = held;
    }
    holdChanged_.notify_all();
}

void LaneRecord::WaitWhileHeld()
{
    std::unique_lock lock(holdMutex_);
    holdChanged_.wait(lock, [this] { return !held_ || stop_.Stopped(); });
}

bool LaneRecord::CountsWrites(ClockUnit unit) const
{
    return unit == ClockUnit::Writes || (unit == ClockUnit::Comparisons && !ComparesValues(routine_));
}

std::int64_t LaneRecord::Work(const RaceMark& mark, ClockUnit unit) const
{
    if (unit == ClockUnit::Steps)
        return mark.steps;
    return CountsWrites(unit) ? mark.writes : mark.comparisons;
}

std::int64_t LaneRecord::PublishedWork(ClockUnit unit) const
{
    if (unit == ClockUnit::Steps)
        return published_[2].load();
    return published_[CountsWrites(unit) ? 1 : 0].load();
}

RunResult LaneRecord::Result() const
{
    std::lock_guard lock(mutex_);
    return result_;
}

std::size_t LaneRecord::Bytes() const
{
    std::lock_guard lock(mutex_);
    std::size_t bytes = marks_.capacity() * sizeof(RaceMark) + ops_.capacity() * sizeof(Op);
    for (const auto& p : pictures_)
        bytes += p.capacity() * sizeof(ShownColumn);
    return bytes;
}

void LaneRecord::Publish(std::vector<RaceMark>& marks, std::vector<Op>& ops,
                         std::vector<std::vector<ShownColumn>>& pictures, bool last)
{
    std::lock_guard lock(mutex_);
    marks_.insert(marks_.end(), marks.begin(), marks.end());
    ops_.insert(ops_.end(), ops.begin(), ops.end());
    for (auto& p : pictures)
        pictures_.push_back(std::move(p));
    if (!marks_.empty()) {
        published_[0] = marks_.back().comparisons;
        published_[1] = marks_.back().writes;
        published_[2] = marks_.back().steps;
    }
    marks.clear();
    ops.clear();
    pictures.clear();
    if (last && !stop_.Stopped())
        complete_ = true;
}

void LaneRecord::Run()
{
#ifdef __linux__
    // A lane's recording gives way to the window: with a thread per lane the
    // window would otherwise get one share in thirty of the machine, and
    // draw, and answer a close, that much slower. (On Linux a thread's own
    // id names just that thread.)
    setpriority(PRIO_PROCESS, static_cast<id_t>(syscall(SYS_gettid)), 10);
#endif
    if (order_ >= 0 && input_.values.empty())
        input_ = FreshInput(static_cast<Integer>(order_), input_.height, input_.width);
    {
        std::lock_guard lock(mutex_);
        values_ = input_.values;
    }
    // The engine state of this thread, as the comparison's headless run sets it.
    ResetSharedState();
    Unloading = true;
    DrawSet = {1, 0};
    SortSet = {input_.order, input_.height, input_.width};
    SortData = input_.values;
    SortType = static_cast<Integer>(routine_);
    SetRndState(input_.rndState);

    Recorder recorder(*this, input_.values, width_);
    MarkedPlot view(recorder);
    MainView = &view;
    Trace = &recorder;
    Sorting = true;
    {
        StopSwitch::Hold hold(stop_);
        if (Sorting)
            RoutineTable[static_cast<std::size_t>(routine_)].entry();
    }
    Trace = nullptr;
    Sorting = false;
    RunResult result;
    result.comparisons = Comparisons;
    result.steps = recorder.Steps();
    result.writes = recorder.Writes();
    result.verified = Verified(input_.values, SortData, width_);
    result.state = stop_.Stopped() ? RunResult::State::Cancelled : RunResult::State::Done;
    {
        std::lock_guard lock(mutex_);
        result_ = result;
    }
    recorder.Finish();
    MainView = &TheNullView();
    ResetSharedState();
}
