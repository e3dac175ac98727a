// A race: routines recorded on their own copies of the same data (or of each
// of the orders), played back against one clock. The clock grants every lane
// the same amount of work per tick; each lane shows the last point of its run
// whose work the clock has granted, so no lane is ever ahead of the clock and
// thread scheduling favours none: the clock waits for a recording that has
// not yet reached its next reading. Every past reading is kept, so stepping
// back shows exactly what was shown before.
#pragma once

#include "race/LaneRecord.h"
#include "view/PlotPainter.h"

#include <QImage>
#include <QString>

#include <memory>
#include <vector>

// How the lanes draw: the window's style, colour codes and pen.
struct RaceLook {
    PlotStyle style = PlotStyle::Bars;
    std::array<Integer, 5> colors{0, 15, 10, 9, 12};
    int pen = 2;
};

// One lane's figures as shown.
struct LaneStatus {
    int routine = 0;
    int order = -1;            // the order of an "All orders" lane, else -1
    bool runs = true;          // false: not run at this size
    std::int64_t comparisons = 0;
    std::int64_t steps = 0;
    std::int64_t writes = 0;
    bool finished = false;
    std::int64_t finishedAt = 0; // the clock reading it finished at
    int place = 0;               // 1.. among the finished lanes, 0 not finished
};

class Race {
public:
    // Every routine of `routines` on one data set.
    static std::unique_ptr<Race> OnData(const std::vector<int>& routines, const RunInput& input, RaceLook look,
                                        RecordLimits limits = {});
    // Every routine on each order at this height and width, routine by routine.
    static std::unique_ptr<Race> OnOrders(const std::vector<int>& routines, const std::vector<int>& orders,
                                          Integer height, Integer width, RaceLook look);
    ~Race();
    Race(const Race&) = delete;
    Race& operator=(const Race&) = delete;

    // Ends every recording within one step of it.
    void Stop();
    // Holds the recordings (a paused race spends nothing).
    void Hold(bool held);

    void SetUnit(ClockUnit unit);
    ClockUnit Unit() const { return unit_; }
    // Advances the clock by up to `grant` units, as far as every lane's
    // recording allows. Returns whether it moved.
    bool Tick(std::int64_t grant);
    // Back to the reading before the last tick; false at the start.
    bool StepBack();
    // The clock back to 0 (the recordings are kept).
    void Restart();
    std::int64_t Clock() const { return clock_; }
    bool AtStart() const { return history_.empty(); }
    bool Finished() const;

    int Lanes() const { return static_cast<int>(lanes_.size()); }
    // The size of every lane's plot; the lanes are redrawn at the next Present.
    void SetLaneSize(QSize size);
    // Brings every lane's picture to the clock; returns whether any changed.
    bool Present();
    const QImage& Image(int lane) const;
    LaneStatus Status(int lane) const;
    const LaneRecord& Record(int lane) const;
    std::size_t Bytes() const;

private:
    struct Lane;
    Race(RaceLook look);
    void Launch();
    // The mark a lane shows at this clock reading.
    std::size_t Target(const Lane& lane) const;
    void Show(Lane& lane, std::size_t target);
    void Redraw(Lane& lane, const std::vector<ShownColumn>& shown);
    // The element changes from..to: onto the lane's record of what each
    // element shows, and painted when `paint`.
    void Apply(Lane& lane, std::int64_t from, std::int64_t to, bool paint);
    // Element changes per block: a lane is drawn whole at most once a block.
    std::int64_t BlockOps(const Lane& lane) const;
    // The first mark of the block `mark` lies in.
    std::size_t Anchor(const Lane& lane, std::size_t mark) const;
    void WalkTo(Lane& lane, std::size_t from, std::size_t anchor);
    std::int64_t Available(const Lane& lane) const;

    RaceLook look_;
    PlotColors colors_;
    ClockUnit unit_ = ClockUnit::Comparisons;
    std::int64_t clock_ = 0;
    std::vector<std::int64_t> history_;
    QSize laneSize_{160, 120};
    std::vector<std::unique_ptr<Lane>> lanes_;
};
