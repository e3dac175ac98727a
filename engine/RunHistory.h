// The history of a run, so a paused run can show its earlier steps: what
// each step changed, not copies of the arrays. A step's changes are the
// elements written in SortData and AuxData, the scratch arrays cleared, the
// columns of the plot redrawn and the markers moved; each is kept as one
// 4-byte record holding the other value, so undoing and redoing a change
// are the same exchange. A step keeps the low half of the comparison count
// it ended with; the high half is kept only for the few steps where it
// changes, so a step still costs 8 bytes. The routine never runs backwards: stepping back
// undoes its writes, and the way forward (or to the present) redoes them,
// so its arrays are exactly as it left them whenever it continues.
#pragma once

#include "engine/CodeWhere.h"
#include "engine/RunTrace.h"

#include <cstddef>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

// What one column of the plot shows: a bar of a value in the foreground or
// a marker colour, or nothing (cleared to the background).
struct ShownColumn {
    enum Role : std::uint8_t { Fore, Marker1, Marker2, Marker3, Cleared };
    Integer value = 0;
    Role role = Cleared;
    bool operator==(const ShownColumn&) const = default;
};

class RunHistory final : public RunTrace {
public:
    // The records hold indices up to this; a wider data set runs unrecorded.
    static constexpr int kMaxIndex = 8191;

    // lastX..lastZ: the plot's remembered marker positions, which the view
    // moves itself; the history only records and restores them.
    RunHistory(int& lastX, int& lastY, int& lastZ, std::size_t capBytes = std::size_t{64} << 20);

    // Starts afresh from a plot that shows SortData as a whole-chart redraw
    // does, with `comparisons` counted so far; earlier steps are dropped.
    void Restart(std::int64_t comparisons);
    // Drops everything; nothing is recorded until the next Restart.
    void Clear();
    // Whether steps can be stepped back through (false for a data set wider
    // than the records hold, and before Restart).
    bool Recording() const { return recording_; }

    void Written(std::vector<Integer>& array, int index, Integer value) override;
    void Cleared(std::vector<Integer>& array, std::size_t size) override;
    void Stepped() override;

    // The view's calls, made just before the plot carries them out.
    void Line(int X, int Y, int z);
    void Plot(int X, bool o);
    void Box();

    // Steps are numbered from the start of the run (0) to Recorded().
    long Shown() const { return shown_; }
    long Recorded() const { return oldest_ + static_cast<long>(steps_.size()); }
    long Oldest() const { return oldest_; }
    bool AtPresent() const { return shown_ == Recorded(); }
    // Steps dropped to keep within the memory cap.
    bool Dropped() const { return oldest_ > 0 && recording_; }
    // The comparisons counted up to the step shown.
    std::int64_t ComparisonsShown() const;
    // One step back or forward; false when there is none.
    bool Back();
    bool Forward();
    void ToPresent();

    // Where the routine was in its code at the step shown: kept for the steps
    // made while the code is followed (CodeWhereOn); none for the others.
    std::optional<CodeWhere> WhereShown() const;

    const std::vector<ShownColumn>& Columns() const { return columns_; }
    // Memory held by the records.
    std::size_t Bytes() const;

private:
    struct Step {
        std::uint32_t end;         // one past its last record
        std::uint32_t comparisons; // the low half of the count when it ended
    };
    // From `step` on (until the next entry) the count's high half is `high`.
    struct HighHalf {
        long step;
        std::uint32_t high;
    };
    std::int64_t CountAt(long step) const;
    void Push(unsigned tag, unsigned index, std::uint16_t value);
    void SetColumn(int index, ShownColumn column);
    void Exchange(std::uint32_t& record);
    std::uint32_t Begin(long step) const;
    void DropOldest();
    void StopRecording();

    int* last_[3];
    std::size_t capBytes_;
    bool recording_ = false;
    std::vector<std::uint32_t> records_;
    std::vector<Step> steps_;
    std::vector<std::vector<Integer>> clears_; // the other contents of cleared arrays
    std::vector<ShownColumn> columns_;
    long oldest_ = 0; // the step the first kept record follows
    long shown_ = 0;
    std::vector<HighHalf> highs_;
    std::int64_t oldestComparisons_ = 0;
    // Where each step from whereFirst_ on ended, in 16 bits a value (line -1:
    // not followed), once a step has been made while the code was followed.
    struct KeptWhere {
        std::int16_t line;
        std::int16_t wrote;
        std::array<std::int16_t, CodeWhere::kValues> values;
    };
    static KeptWhere Keep(const CodeWhere& where);
    std::vector<KeptWhere> wheres_;
    long whereFirst_ = 0;
};
