#include "race/Race.h"

#include "platform/Palette.h"
#include "view/MarkedPlot.h"

#include <algorithm>
#include <limits>

namespace {

constexpr std::int64_t kNever = std::numeric_limits<std::int64_t>::max();

} // namespace

struct Race::Lane {
    std::unique_ptr<LaneRecord> record;
    int order = -1;
    std::unique_ptr<PlotPainter> painter;
    QImage image;
    PlotGeometry geometry;
    std::vector<ShownColumn> shown;
    std::size_t pos = std::numeric_limits<std::size_t>::max(); // the mark shown; max: nothing yet
    struct Anchor {
        std::size_t mark;
        std::vector<ShownColumn> shown;
    };
    std::vector<Anchor> anchors; // block starts passed, by mark
    LaneStatus status;
};

Race::Race(RaceLook look) : look_(look)
{
    for (std::size_t role = 0; role < colors_.role.size(); ++role)
        colors_.role[role] = QBColor(look_.colors[role]).rgb();
}

std::unique_ptr<Race> Race::OnData(const std::vector<int>& routines, const RunInput& input, RaceLook look,
                                   RecordLimits limits)
{
    std::unique_ptr<Race> race(new Race(look));
    for (int routine : routines) {
        auto lane = std::make_unique<Lane>();
        lane->record = std::make_unique<LaneRecord>(routine, input, -1, limits);
        race->lanes_.push_back(std::move(lane));
    }
    race->Launch();
    return race;
}

std::unique_ptr<Race> Race::OnOrders(const std::vector<int>& routines, const std::vector<int>& orders, Integer height,
                                     Integer width, RaceLook look)
{
    std::unique_ptr<Race> race(new Race(look));
    for (int routine : routines)
        for (int order : orders) {
            RunInput input;
            input.order = static_cast<Integer>(order);
            input.height = height;
            input.width = width;
            auto lane = std::make_unique<Lane>();
            lane->record = std::make_unique<LaneRecord>(routine, std::move(input), order);
            lane->order = order;
            race->lanes_.push_back(std::move(lane));
        }
    race->Launch();
    return race;
}

void Race::Launch()
{
    for (auto& lane : lanes_) {
        lane->painter = PlotPainter::Make(look_.style);
        lane->status.routine = lane->record->Routine();
        lane->status.order = lane->order;
        lane->status.runs = lane->record->Runs();
        lane->record->Start();
    }
}

Race::~Race()
{
    Stop();
}

void Race::Stop()
{
    // Every switch first, then the waits: the lanes end together.
    for (auto& lane : lanes_)
        lane->record->RequestStop();
    for (auto& lane : lanes_)
        lane->record->Stop();
}

void Race::Hold(bool held)
{
    for (auto& lane : lanes_)
        lane->record->Hold(held);
}

void Race::SetUnit(ClockUnit unit)
{
    if (unit == unit_)
        return;
    unit_ = unit;
    Restart();
}

std::int64_t Race::Available(const Lane& lane) const
{
    const LaneRecord& r = *lane.record;
    if (!r.Runs() || r.Complete())
        return kNever;
    // Read without the lock: the window never waits on a recording thread,
    // which may be waiting for the processor itself. A later mark may still
    // have the same work as the last one published.
    const std::int64_t published = r.PublishedWork(unit_);
    return published < 0 ? -1 : published - 1;
}

bool Race::Tick(std::int64_t grant)
{
    std::int64_t next = grant > kNever - clock_ ? kNever : clock_ + std::max<std::int64_t>(grant, 1);
    for (const auto& lane : lanes_)
        next = std::min(next, Available(*lane));
    if (next <= clock_ || Finished())
        return false;
    history_.push_back(clock_);
    clock_ = next;
    return true;
}

bool Race::StepBack()
{
    if (history_.empty())
        return false;
    clock_ = history_.back();
    history_.pop_back();
    return true;
}

void Race::Restart()
{
    history_.clear();
    clock_ = 0;
}

bool Race::Finished() const
{
    for (const auto& lane : lanes_) {
        const LaneRecord& r = *lane->record;
        if (!r.Runs())
            continue;
        if (!r.Complete())
            return false;
        auto lock = r.Lock();
        if (r.Marks().empty() || r.Work(r.Marks().back(), unit_) > clock_)
            return false;
    }
    return true;
}

void Race::SetLaneSize(QSize size)
{
    size = size.expandedTo(QSize(1, 1));
    if (size == laneSize_)
        return;
    laneSize_ = size;
    for (auto& lane : lanes_)
        lane->pos = std::numeric_limits<std::size_t>::max();
}

std::size_t Race::Target(const Lane& lane) const
{
    const LaneRecord& r = *lane.record;
    const std::vector<RaceMark>& marks = r.Marks();
    const auto it = std::upper_bound(marks.begin(), marks.end(), clock_,
                                     [&](std::int64_t c, const RaceMark& m) { return c < r.Work(m, unit_); });
    return it == marks.begin() ? 0 : static_cast<std::size_t>(it - marks.begin()) - 1;
}

void Race::Redraw(Lane& lane, const std::vector<ShownColumn>& shown)
{
    lane.shown = shown;
    lane.painter->Begin(lane.image, lane.geometry, colors_);
    lane.painter->Clear(colors_.role[0]);
    lane.painter->NewData(lane.record->Values());
    for (std::size_t i = 0; i < shown.size(); ++i)
        if (shown[i].role != ShownColumn::Cleared)
            lane.painter->Draw(static_cast<int>(i), shown[i].value, shown[i].role,
                               colors_.role[1 + static_cast<std::size_t>(shown[i].role)]);
    lane.painter->End();
}

void Race::Apply(Lane& lane, std::int64_t from, std::int64_t to, bool paint)
{
    const std::vector<LaneRecord::Op>& ops = lane.record->Ops();
    if (paint)
        lane.painter->Begin(lane.image, lane.geometry, colors_);
    for (std::int64_t k = from; k < to; ++k) {
        int kind = 0, role = 0, i = 0;
        Integer value = 0;
        LaneRecord::Unpack(ops[static_cast<std::size_t>(k)], kind, role, i, value);
        const auto r = static_cast<ShownColumn::Role>(role);
        const auto op = static_cast<ElementSink::Op>(kind);
        if (paint) {
            const QRgb pen = colors_.role[std::min<std::size_t>(4, 1 + static_cast<std::size_t>(role))];
            switch (op) {
            case ElementSink::Op::Draw:
                lane.painter->Draw(i, value, r, pen);
                break;
            case ElementSink::Op::Redraw:
                lane.painter->Redraw(i, value, r, pen);
                break;
            case ElementSink::Op::Erase:
                lane.painter->Erase(i);
                break;
            }
        }
        if (static_cast<std::size_t>(i) < lane.shown.size())
            lane.shown[static_cast<std::size_t>(i)] = op == ElementSink::Op::Erase ? ShownColumn{} : ShownColumn{value, r};
    }
    if (paint)
        lane.painter->End();
}

std::int64_t Race::BlockOps(const Lane& lane) const
{
    return 2 * (static_cast<std::int64_t>(lane.record->Width()) + 1) + 256;
}

std::size_t Race::Anchor(const Lane& lane, std::size_t mark) const
{
    const std::vector<RaceMark>& marks = lane.record->Marks();
    const std::int64_t start = marks[mark].opEnd / BlockOps(lane) * BlockOps(lane);
    const auto it = std::lower_bound(marks.begin(), marks.begin() + static_cast<std::ptrdiff_t>(mark) + 1, start,
                                     [](const RaceMark& m, std::int64_t v) { return m.opEnd < v; });
    return static_cast<std::size_t>(it - marks.begin());
}

void Race::WalkTo(Lane& lane, std::size_t from, std::size_t anchor)
{
    // What the elements show, block by block up to the anchor, unpainted;
    // each block's start kept for the way back.
    const std::vector<RaceMark>& marks = lane.record->Marks();
    const std::int64_t A = BlockOps(lane);
    std::size_t s = from;
    while (s < anchor) {
        const std::int64_t next = (marks[s].opEnd / A + 1) * A;
        const auto it = std::lower_bound(marks.begin() + static_cast<std::ptrdiff_t>(s),
                                         marks.begin() + static_cast<std::ptrdiff_t>(anchor) + 1, next,
                                         [](const RaceMark& m, std::int64_t v) { return m.opEnd < v; });
        const std::size_t j = std::min(anchor, static_cast<std::size_t>(it - marks.begin()));
        Apply(lane, marks[s].opEnd, marks[j].opEnd, false);
        if (lane.anchors.empty() || j > lane.anchors.back().mark)
            lane.anchors.push_back({j, lane.shown});
        s = j;
    }
}

void Race::Show(Lane& lane, std::size_t target)
{
    const LaneRecord& r = *lane.record;
    const std::vector<RaceMark>& marks = r.Marks();
    if (marks.empty())
        return;
    constexpr std::size_t kNone = std::numeric_limits<std::size_t>::max();
    if (lane.image.size() != laneSize_) {
        lane.image = QImage(laneSize_, QImage::Format_RGB32);
        lane.geometry = PlotGeometry::ForImage(laneSize_, r.Width(), r.Height(), look_.pen);
        lane.pos = kNone;
    }
    if (target == lane.pos)
        return;
    const RaceMark& goal = marks[target];
    if (goal.opEnd < 0) {
        // Past the part of the run kept in full: the picture kept for it.
        Redraw(lane, r.Picture(goal.picture));
        lane.pos = target;
        return;
    }
    if (lane.anchors.empty())
        lane.anchors.push_back({0, r.Picture(0)});
    // A lane's picture after mark m is, whatever the way there, the whole
    // plot drawn as it stood at the start of m's block of element changes,
    // then the block's changes up to m drawn one by one: so a step back, a
    // jump and a resize show exactly what going forward showed.
    const std::size_t anchor = Anchor(lane, target);
    const bool onward = lane.pos != kNone && marks[lane.pos].opEnd >= 0 && lane.pos < target;
    if (onward && lane.pos >= anchor) {
        Apply(lane, marks[lane.pos].opEnd, goal.opEnd, true);
        lane.pos = target;
        return;
    }
    std::size_t from = 0;
    if (onward) {
        from = lane.pos;
    } else {
        while (lane.anchors.size() > 1 && lane.anchors.back().mark > target)
            lane.anchors.pop_back();
        lane.shown = lane.anchors.back().shown;
        from = lane.anchors.back().mark;
    }
    WalkTo(lane, from, anchor);
    Redraw(lane, std::vector<ShownColumn>(lane.shown));
    Apply(lane, marks[anchor].opEnd, goal.opEnd, true);
    lane.pos = target;
}

bool Race::Present()
{
    bool changed = false;
    for (auto& lanePtr : lanes_) {
        Lane& lane = *lanePtr;
        LaneRecord& r = *lane.record;
        if (!r.Runs())
            continue;
        const bool complete = r.Complete();
        // A lane still recording is brought up to the clock a frame later
        // rather than the window waiting for its recording thread.
        auto lock = complete ? r.Lock() : r.TryLock();
        if (!lock.owns_lock() || r.Marks().empty())
            continue;
        const std::size_t target = Target(lane);
        if (target != lane.pos || lane.image.size() != laneSize_) {
            if (lane.image.size() != laneSize_)
                lane.pos = std::numeric_limits<std::size_t>::max();
            Show(lane, target);
            changed = true;
        }
        const RaceMark& m = r.Marks()[target];
        LaneStatus& s = lane.status;
        s.comparisons = m.comparisons;
        s.steps = m.steps;
        s.writes = m.writes;
        s.finished = complete && target + 1 == r.Marks().size();
        s.finishedAt = complete ? r.Work(r.Marks().back(), unit_) : 0;
    }
    // Places: by the work each finished lane needed, equal work sharing a place.
    for (auto& lane : lanes_) {
        LaneStatus& s = lane->status;
        s.place = 0;
        if (!s.finished)
            continue;
        s.place = 1;
        for (const auto& other : lanes_)
            if (other->status.finished && other->status.finishedAt < s.finishedAt)
                ++s.place;
    }
    return changed;
}

const QImage& Race::Image(int lane) const
{
    return lanes_[static_cast<std::size_t>(lane)]->image;
}

LaneStatus Race::Status(int lane) const
{
    return lanes_[static_cast<std::size_t>(lane)]->status;
}

const LaneRecord& Race::Record(int lane) const
{
    return *lanes_[static_cast<std::size_t>(lane)]->record;
}

std::size_t Race::Bytes() const
{
    std::size_t bytes = 0;
    for (const auto& lane : lanes_) {
        bytes += lane->record->Bytes();
        for (const auto& a : lane->anchors)
            bytes += a.shown.capacity() * sizeof(ShownColumn);
    }
    return bytes;
}
