// Stepping a run back and forth through its history, from inside the step
// pause as the window's hold does: at every step of every routine the arrays,
// the markers, the count and the plot redrawn from the history are what the
// run had there live, the start looks as it did, and the routine never notices.
#include "engine/Module1.h"
#include "engine/Routines.h"
#include "engine/RunHistory.h"
#include "platform/Palette.h"
#include "platform/PictureBox.h"
#include "platform/Runtime.h"
#include "support/HistoryRecorder.h"
#include "support/QtPrint.h"
#include "support/RecordingView.h"
#include "view/PlotView.h"
#include "view/RecordedPlot.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <sstream>
#include <string>
#include <tuple>
#include <utility>

namespace {

using Recorder = HistoryRecorder;

bool Sorted() { return std::is_sorted(SortData.begin() + 1, SortData.end()); }

// What a plot shows, column of pixels by column: the colour at the foot and
// how high it reaches. A bar's colour and height are all a user reads; the
// marker colour a restored bar leaves above itself is no part of it.
using Picture = std::vector<std::pair<QRgb, int>>;

Picture PictureOf(const QImage& image)
{
    Picture picture;
    for (int x = 0; x < image.width(); ++x) {
        const QRgb foot = image.pixel(x, image.height() - 1);
        int height = 1;
        while (height < image.height() && image.pixel(x, image.height() - 1 - height) == foot)
            ++height;
        picture.emplace_back(foot, height);
    }
    return picture;
}

// Where a run stands at a step: its arrays, its markers, its count and the plot.
struct Standing {
    std::vector<Integer> sortData, auxData;
    int lastX = 0, lastY = 0, lastZ = 0;
    std::int64_t comparisons = 0;
    Picture picture;
};

// The first difference between two standings, empty when there is none.
std::string Difference(const Standing& want, const Standing& got)
{
    std::ostringstream out;
    if (got.sortData != want.sortData)
        out << "SortData differs; ";
    if (got.auxData != want.auxData)
        out << "AuxData differs; ";
    if (std::tie(got.lastX, got.lastY, got.lastZ) != std::tie(want.lastX, want.lastY, want.lastZ))
        out << "markers at " << got.lastX << "," << got.lastY << "," << got.lastZ << ", not " << want.lastX << ","
            << want.lastY << "," << want.lastZ << "; ";
    if (got.comparisons != want.comparisons)
        out << got.comparisons << " comparisons shown, the run had " << want.comparisons << "; ";
    for (std::size_t x = 0; x < std::min(got.picture.size(), want.picture.size()); ++x)
        if (got.picture[x] != want.picture[x]) {
            out << "pixel column " << x << " shows " << std::hex << got.picture[x].first << std::dec << " "
                << got.picture[x].second << " high, the live plot " << std::hex << want.picture[x].first << std::dec
                << " " << want.picture[x].second << " high";
            break;
        }
    return out.str();
}

class RunHistoryTest : public ::testing::TestWithParam<int> {
protected:
    PictureBox box;
    PlotView plot{box};
    RunHistory history{plot.LastX, plot.LastY, plot.LastZ};
    PictureBox redrawBox; // where the history's chart is redrawn
    PlotView redraw{redrawBox};

    void SetUp() override
    {
        ResetSharedState();
        ColorSet = {0, 15, 12, 10, 9};
        DrawSet = {1, 0};
        for (PictureBox* b : {&box, &redrawBox}) {
            b->resize(300, 100);
            b->setBackColor(QBColor(0));
            b->setForeColor(QBColor(15));
        }
    }
    void TearDown() override
    {
        Trace = nullptr;
        ResetSharedState();
    }
    // The same `width` random values 1..height-1 on every call, ready to sort.
    std::vector<Integer> Load(int width, int height = 100)
    {
        RestartRnd();
        SortData = {0};
        for (int i = 0; i < width; ++i)
            SortData.push_back(static_cast<Integer>(1 + (height - 1) * Rnd()));
        AuxData.clear();
        CountData.clear();
        SortSet = {6, static_cast<Integer>(height), static_cast<Integer>(width)};
        DataReady = Sorting = true;
        for (PlotView* p : {&plot, &redraw}) {
            p->XScale = float(width / box.ScaleWidth());
            p->YScale = float(height / box.ScaleHeight());
        }
        plot.LastX = plot.LastY = plot.LastZ = 0;
        return SortData;
    }
    auto Now() const { return std::tuple(SortData, AuxData, history.Columns(), plot.LastX, plot.LastY, plot.LastZ, history.ComparisonsShown()); }
    // Where the run stands live: the plot as drawn step by step.
    Standing Live() const { return {SortData, AuxData, plot.LastX, plot.LastY, plot.LastZ, Comparisons, PictureOf(box.image())}; }
    // Where the history says the run stands at the step it shows, its chart redrawn.
    Standing FromHistory(const RunHistory& h)
    {
        redraw.DrawColumns(h.Columns());
        return {SortData, AuxData, plot.LastX, plot.LastY, plot.LastZ, h.ComparisonsShown(), PictureOf(redrawBox.image())};
    }
    static void Run(SortView& view, int type, RunTrace* trace)
    {
        ScopedView scoped(view);
        Trace = trace;
        RoutineTable[type].entry();
        Trace = nullptr;
    }
};

TEST_P(RunHistoryTest, EveryStepShownFromTheHistoryIsTheStepAsTheRunHadIt)
{
    const Routine& routine = RoutineTable[static_cast<std::size_t>(GetParam())];
    if (!routine.entry)
        GTEST_SKIP() << "runs nothing";
    // Small, so every step can be checked; a column of pixels per value unit.
    const int width = routine.sizeLimit > 0 ? std::min(16, routine.sizeLimit / 2) : 16;
    box.resize(8 * width, 40);
    redrawBox.resize(8 * width, 40);
    const auto start = [&] {
        const std::vector<Integer> values = Load(width, 40);
        Comparisons = 0; // as the run's reset leaves it
        plot.DrawBox();
        return values;
    };

    RecordingView plain; // the run never held, for comparison
    start();
    Run(plain, GetParam(), nullptr);
    const auto plainCount = Comparisons;

    // The truth: where the run stands after each step, taken live.
    std::vector<Standing> truth;
    start();
    history.Restart(0);
    truth.push_back(Live());
    Recorder live(history, plot);
    live.held = [&] { truth.push_back(Live()); };
    Run(live, GetParam(), &live);
    const long last = static_cast<long>(truth.size()) - 1;
    ASSERT_GE(last, 5);
    ASSERT_EQ(history.Recorded(), last);

    // Held at its last step, the run is stepped back to its start and forward
    // again through the history.
    start();
    history.Restart(0);
    Recorder held(history, plot);
    int walks = 0;
    held.held = [&] {
        if (history.Shown() != last)
            return;
        ++walks;
        ASSERT_EQ(Difference(truth[std::size_t(last)], FromHistory(history)), "") << "at the present, step " << last;
        for (long step = last - 1; step >= 0; --step) {
            ASSERT_TRUE(history.Back()) << step;
            ASSERT_EQ(history.Shown(), step);
            ASSERT_EQ(Difference(truth[std::size_t(step)], FromHistory(history)), "") << "back at step " << step;
        }
        EXPECT_FALSE(history.Back());
        for (long step = 1; step <= last; ++step) {
            ASSERT_TRUE(history.Forward()) << step;
            ASSERT_EQ(Difference(truth[std::size_t(step)], FromHistory(history)), "") << "forward at step " << step;
        }
        EXPECT_TRUE(history.AtPresent());
    };
    Run(held, GetParam(), &held);
    EXPECT_EQ(walks, 1);
    EXPECT_EQ(held.calls, plain.calls);
    EXPECT_EQ(Comparisons, plainCount);
    EXPECT_TRUE(Sorted());

    // With a cap that drops early steps, the oldest step kept shows as the
    // run had it, its count included.
    start();
    RunHistory capped(plot.LastX, plot.LastY, plot.LastZ, 160);
    capped.Restart(0);
    Recorder short_(capped, plot);
    short_.held = [&] {
        if (capped.Shown() != last)
            return;
        ++walks;
        while (capped.Back()) {
        }
        ASSERT_TRUE(capped.Dropped());
        ASSERT_EQ(capped.Shown(), capped.Oldest());
        ASSERT_EQ(Difference(truth[std::size_t(capped.Oldest())], FromHistory(capped)), "") << "oldest step " << capped.Oldest();
        capped.ToPresent();
        ASSERT_EQ(Difference(truth[std::size_t(last)], FromHistory(capped)), "") << "back at the present";
    };
    Run(short_, GetParam(), &short_);
    EXPECT_EQ(walks, 2);
}

TEST_P(RunHistoryTest, StepsBackToTheStartAndForwardWithoutTheRoutineNoticing)
{
    if (!RoutineTable[static_cast<std::size_t>(GetParam())].entry || RoutineTable[static_cast<std::size_t>(GetParam())].sizeLimit > 0)
        GTEST_SKIP() << "runs nothing, or not on 100 values";
    RecordingView plain; // the run never held, for comparison
    Load(100);
    Run(plain, GetParam(), nullptr);
    const auto plainCount = Comparisons;

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

INSTANTIATE_TEST_SUITE_P(EveryRoutine, RunHistoryTest, ::testing::Range(0, kRoutineCount), [](const auto& info) {
    std::string name = RoutineTable[static_cast<std::size_t>(info.param)].name;
    std::erase_if(name, [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); });
    return name;
});

// A data set of 8191 values is kept step by step; one more value and nothing
// is, so Step Back has nothing to show.
TEST_F(RunHistoryTest, HistoryIsKeptUpTo8191Values)
{
    for (const auto& [width, kept] : {std::pair{8191, true}, std::pair{8192, false}}) {
        SCOPED_TRACE(width);
        Load(width);
        history.Restart(0);
        EXPECT_EQ(history.Recording(), kept);
        Recorder recorder(history, plot);
        int held = 0;
        recorder.held = [&] {
            if (history.Shown() != 2)
                return;
            ++held;
            const std::vector<Integer> present = SortData;
            EXPECT_EQ(history.Back(), kept);
            EXPECT_EQ(history.Shown(), kept ? 1 : 2);
            history.ToPresent();
            EXPECT_EQ(SortData, present);
            Sorting = false; // the first pass is enough
        };
        Run(recorder, 0, &recorder); // Selection Sort: its last value last in its first pass
        EXPECT_EQ(held, 1);
    }
}

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
