// Stepping a run back and forth through its history, from inside the step
// pause as the window's hold does: every step shows exactly what was recorded
// on the way, the start looks as it did, and the routine never notices.
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

namespace {

// Records as the window does, into the history and then onto the plot, and
// calls `held` after each step is closed.
class Recorder : public RecordingView, public RunTrace {
public:
    Recorder(RunHistory& history, PlotView& plot) : history_(history), plot_(plot) {}
    void DrawLine(int X, int Y, int z) override { history_.Line(X, Y, z); plot_.DrawLine(X, Y, z); RecordingView::DrawLine(X, Y, z); }
    void DrawPlot(int X, bool o) override { history_.Plot(X, o); plot_.DrawPlot(X, o); RecordingView::DrawPlot(X, o); }
    void Written(std::vector<Integer>& a, int i, Integer v) override { history_.Written(a, i, v); }
    void Cleared(std::vector<Integer>& a, std::size_t n) override { history_.Cleared(a, n); }
    void Stepped() override { history_.Stepped(); if (held) held(); }
    std::function<void()> held;

private:
    RunHistory& history_;
    PlotView& plot_;
};

bool Sorted() { return std::is_sorted(SortData.begin() + 1, SortData.end()); }

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
        box.resize(300, 100);
        box.setBackColor(QBColor(0));
        box.setForeColor(QBColor(15));
    }
    void TearDown() override
    {
        Trace = nullptr;
        ResetSharedState();
    }
    // The same `width` random values on every call, ready to sort.
    std::vector<Integer> Load(int width)
    {
        RestartRnd();
        SortData = {0};
        for (int i = 0; i < width; ++i)
            SortData.push_back(static_cast<Integer>(1 + 100 * Rnd()));
        AuxData.clear();
        CountData.clear();
        SortSet = {6, 100, static_cast<Integer>(width)};
        DataReady = Sorting = true;
        plot.XScale = float(width / box.ScaleWidth());
        plot.YScale = float(100 / box.ScaleHeight());
        plot.LastX = plot.LastY = plot.LastZ = 0;
        return SortData;
    }
    auto Now() const { return std::tuple(SortData, AuxData, history.Columns(), plot.LastX, plot.LastY, plot.LastZ, history.ComparisonsShown()); }
    static void Run(SortView& view, int type, RunTrace* trace)
    {
        ScopedView scoped(view);
        Trace = trace;
        RoutineTable[type].entry();
        Trace = nullptr;
    }
};

TEST_P(RunHistoryTest, StepsBackToTheStartAndForwardWithoutTheRoutineNoticing)
{
    RecordingView plain; // the run never held, for comparison
    Load(100);
    Run(plain, GetParam(), nullptr);
    const std::int32_t plainCount = Comparisons;

    const std::vector<Integer> values = Load(100);
    plot.DrawBox();
    const QImage startImage = box.image().copy();
    history.Restart(0);
    Recorder held(history, plot);
    std::vector<decltype(Now())> states{Now()}; // states[n]: as step n left it
    int holds = 0;
    held.held = [&] {
        if (history.Shown() <= 250)
            states.push_back(Now());
        if (history.Shown() != 1 && history.Shown() != 9 && history.Shown() != 60 && history.Shown() != 250)
            return;
        ++holds;
        while (history.Back())
            ASSERT_EQ(Now(), states[std::size_t(history.Shown())]) << "back at step " << history.Shown();
        EXPECT_EQ(SortData, values);
        plot.DrawColumns(history.Columns());
        EXPECT_TRUE(box.image() == startImage) << "the start looks different";
        while (history.Forward())
            ASSERT_EQ(Now(), states[std::size_t(history.Shown())]) << "forward at step " << history.Shown();
        EXPECT_TRUE(history.AtPresent());
    };
    Run(held, GetParam(), &held);
    EXPECT_GE(holds, 3) << "every routine takes at least 60 steps on 100 values";
    EXPECT_EQ(held.calls, plain.calls);
    EXPECT_EQ(Comparisons, plainCount);
    EXPECT_TRUE(Sorted());
}

INSTANTIATE_TEST_SUITE_P(EveryRoutine, RunHistoryTest, ::testing::Range(0, 12), [](const auto& info) {
    std::string name = RoutineTable[info.param].name;
    std::erase(name, ' ');
    return name;
});

TEST_F(RunHistoryTest, PastTheCapStepBackStopsAtTheOldestKeptStep)
{
    Load(100);
    RunHistory small(plot.LastX, plot.LastY, plot.LastZ, 4096);
    small.Restart(0);
    Recorder recorder(small, plot);
    int checks = 0;
    recorder.held = [&] {
        if (small.Recorded() % 1000 != 0)
            return;
        ++checks;
        const std::vector<Integer> present = SortData;
        while (small.Back()) {
        }
        EXPECT_TRUE(small.Dropped());
        EXPECT_EQ(small.Shown(), small.Oldest());
        small.ToPresent();
        EXPECT_EQ(SortData, present);
    };
    Run(recorder, 1, &recorder); // Bubble Sort: 4950 steps
    EXPECT_EQ(checks, 4);
    EXPECT_EQ(Comparisons, 4950);
    EXPECT_TRUE(Sorted());
    EXPECT_LT(small.Bytes(), 3 * 4096u);
}

} // namespace
