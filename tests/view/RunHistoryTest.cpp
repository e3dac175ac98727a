// Stepping a run back and forth through its history, for every routine: the
// run is "held" at several steps (from inside the step pause, as the window's
// hold is), stepped back to its start and forward again to the present. What
// each step shows must be exactly what was recorded on the way, the start
// must look as it did, and the routine must not notice: the same view calls,
// the same count, a sorted result.
#include "engine/Instrument.h"
#include "engine/Module1.h"
#include "engine/Routines.h"
#include "engine/RunHistory.h"
#include "platform/Palette.h"
#include "platform/PictureBox.h"
#include "platform/Runtime.h"
#include "support/RecordingView.h"
#include "view/PlotView.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <set>

namespace {

// The window's way of drawing: recorded as what the plot shows, then drawn.
class HistoryView : public SortView {
public:
    HistoryView(RunHistory& history, PlotView& plot) : history_(history), plot_(plot) {}
    void DrawLine(int X, int Y, int z) override { history_.Line(X, Y, z), plot_.DrawLine(X, Y, z), calls.DrawLine(X, Y, z); }
    void DrawPlot(int X, bool o) override { history_.Plot(X, o), plot_.DrawPlot(X, o), calls.DrawPlot(X, o); }
    void DoReset(int X) override { calls.DoReset(X); }
    void DoStatus() override { calls.DoStatus(); }
    RecordingView calls;

private:
    RunHistory& history_;
    PlotView& plot_;
};

// Passes the trace on and calls `held` after each step is closed.
class HoldingTrace : public RunTrace {
public:
    explicit HoldingTrace(RunHistory& history) : history_(history) {}
    void Written(std::vector<Integer>& a, int i, Integer v) override { history_.Written(a, i, v); }
    void Cleared(std::vector<Integer>& a, std::size_t n) override { history_.Cleared(a, n); }
    void Stepped() override { history_.Stepped(), held(); }
    std::function<void()> held;

private:
    RunHistory& history_;
};

struct State {
    std::vector<Integer> sort, aux;
    std::vector<ShownColumn> columns;
    int x, y, z;
    std::int32_t comparisons;
    bool operator==(const State&) const = default;
};

class RunHistoryTest : public ::testing::TestWithParam<int> {
protected:
    PictureBox box;
    PlotView plot{box};
    RunHistory history{plot.LastX, plot.LastY, plot.LastZ};

    void SetUp() override
    {
        ResetSharedState();
        ColorSet = {0, 15, 12, 10, 9};
        DrawSet = {1, 0};
        box.resize(300, 100), box.setBackColor(QBColor(0)), box.setForeColor(QBColor(15));
    }
    void TearDown() override { Trace = nullptr, ResetSharedState(); }

    void Load(const std::vector<Integer>& values)
    {
        SortData = values, AuxData.clear(), CountData.clear();
        SortSet = {6, 100, static_cast<Integer>(values.size() - 1)};
        DataReady = true, Sorting = true, RestartRnd();
        plot.XScale = float(SortSet[2] / box.ScaleWidth()), plot.YScale = float(SortSet[1] / box.ScaleHeight());
        plot.LastX = plot.LastY = plot.LastZ = 0;
    }
    State Now() const
    {
        return {SortData, AuxData, history.Columns(), plot.LastX, plot.LastY, plot.LastZ, history.ComparisonsShown()};
    }
    static std::vector<Integer> Random(int width)
    {
        std::vector<Integer> v{0};
        for (int i = 0; i < width; ++i)
            v.push_back(static_cast<Integer>(1 + 100 * Rnd()));
        return v;
    }
};

TEST_P(RunHistoryTest, StepsBackToTheStartAndForwardWithoutTheRoutineNoticing)
{
    const int type = GetParam();
    RestartRnd();
    const std::vector<Integer> values = Random(100);

    // The run never held, for comparison.
    RecordingView plain;
    Load(values);
    {
        ScopedView scoped(plain);
        RoutineTable[type].entry();
    }
    const std::int32_t plainCount = Comparisons;

    Load(values);
    plot.DrawBox();
    const QImage startImage = box.image().copy();
    history.Restart(0);
    HistoryView view(history, plot);
    HoldingTrace trace(history);
    std::vector<State> states{Now()};
    const std::set<long> holds{1, 2, 9, 60, 250};
    int held = 0;
    trace.held = [&] {
        if (history.Shown() <= *holds.rbegin())
            states.push_back(Now());
        if (!holds.contains(history.Shown()))
            return;
        ++held;
        const State present = Now();
        std::map<long, QImage> images;
        while (history.Back()) {
            ASSERT_EQ(Now(), states[static_cast<std::size_t>(history.Shown())]) << "back at step " << history.Shown();
            plot.DrawColumns(history.Columns());
            images[history.Shown()] = box.image().copy();
        }
        EXPECT_EQ(history.Shown(), 0);
        EXPECT_EQ(SortData, values);
        EXPECT_TRUE(images[0] == startImage) << "the start looks different";
        while (history.Forward()) {
            ASSERT_EQ(Now(), states[static_cast<std::size_t>(history.Shown())]) << "forward at step " << history.Shown();
            plot.DrawColumns(history.Columns());
            if (!history.AtPresent()) {
                ASSERT_TRUE(box.image() == images[history.Shown()]) << "step " << history.Shown();
            }
        }
        EXPECT_EQ(Now(), present);
    };
    {
        ScopedView scoped(view);
        Trace = &trace;
        RoutineTable[type].entry();
        Trace = nullptr;
    }
    EXPECT_GE(held, 3) << "every routine takes at least 60 steps on 100 values";
    EXPECT_EQ(view.calls.calls, plain.calls);
    EXPECT_EQ(Comparisons, plainCount);
    EXPECT_TRUE(std::is_sorted(SortData.begin() + 1, SortData.end()));
}

INSTANTIATE_TEST_SUITE_P(EveryRoutine, RunHistoryTest, ::testing::Range(0, 12),
                         [](const auto& info) {
                             std::string name = RoutineTable[info.param].name;
                             std::erase(name, ' ');
                             return name;
                         });

TEST_F(RunHistoryTest, PastTheCapTheOldestStepsGoAndTheRunStillEndsAsItWould)
{
    RestartRnd();
    const std::vector<Integer> values = Random(100);
    Load(values);
    RunHistory small(plot.LastX, plot.LastY, plot.LastZ, 4096);
    small.Restart(0);
    HistoryView view(small, plot);
    HoldingTrace trace(small);
    long backs = 0;
    trace.held = [&] {
        if (small.Recorded() % 1000 != 0)
            return;
        const std::vector<Integer> present = SortData;
        while (small.Back())
            ++backs;
        EXPECT_TRUE(small.Dropped());
        EXPECT_GT(small.Oldest(), 0);
        small.ToPresent();
        EXPECT_EQ(SortData, present);
    };
    ScopedView scoped(view);
    Trace = &trace;
    RoutineTable[1].entry(); // Bubble Sort: 4950 steps
    Trace = nullptr;
    EXPECT_GT(backs, 0);
    EXPECT_EQ(Comparisons, 4950);
    EXPECT_TRUE(std::is_sorted(SortData.begin() + 1, SortData.end()));
    EXPECT_LT(small.Bytes(), 3 * 4096u);
}

TEST_F(RunHistoryTest, AThousandValueBubbleSortFitsInSixteenMegabytes)
{
    RestartRnd();
    Load(Random(1000));
    history.Restart(0);
    // Recorded as the window records, without the drawing.
    struct : SortView {
        RunHistory* h;
        void DrawLine(int X, int Y, int z) override { h->Line(X, Y, z); }
        void DrawPlot(int X, bool o) override { h->Plot(X, o); }
        void DoReset(int) override { Comparisons = 0; }
        void DoStatus() override {}
    } view;
    view.h = &history;
    HoldingTrace trace(history);
    trace.held = [&] {
        if (history.Recorded() != 499500)
            return;
        EXPECT_FALSE(history.Dropped());
        EXPECT_LE(history.Bytes(), 16u << 20);
        // The whole way back and forth, at the last step.
        while (history.Back()) {
        }
        EXPECT_EQ(history.Shown(), 0);
        EXPECT_EQ(history.ComparisonsShown(), 0);
        history.ToPresent();
        EXPECT_TRUE(std::is_sorted(SortData.begin() + 1, SortData.end()));
        EXPECT_EQ(history.ComparisonsShown(), 499500);
    };
    ScopedView scoped(view);
    Trace = &trace;
    BubbleSort();
    Trace = nullptr;
    EXPECT_EQ(history.Recorded(), 499500);
}

} // namespace
