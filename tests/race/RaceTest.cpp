// The race: its figures against the headless comparison's, the clock's
// fairness, stepping back to exactly the frames shown, and the window's
// handling of odd input.
#include "compare/Comparison.h"
#include "engine/Routines.h"
#include "race/Race.h"

#include <QTest>
#include <gtest/gtest.h>

#include <thread>

namespace {

// Off the test's own thread: generating and running headless reset the
// calling thread's engine state.
template <class F> auto OnWorker(F f)
{
    decltype(f()) out{};
    std::thread([&] { out = f(); }).join();
    return out;
}

std::vector<int> Runnable(int width)
{
    std::vector<int> all;
    for (int r = 0; r < kRoutineCount; ++r)
        if (RoutineRuns(r) && WithinLimit(r, width))
            all.push_back(r);
    return all;
}

bool WaitRecorded(const Race& race)
{
    return QTest::qWaitFor([&] {
        for (int i = 0; i < race.Lanes(); ++i)
            if (race.Record(i).Runs() && !race.Record(i).Complete())
                return false;
        return true;
    }, 20000);
}

// Ticks until every lane has finished, checking after each tick that no
// unfinished lane is past the clock.
void RunToEnd(Race& race, std::int64_t grant)
{
    for (int guard = 0; guard < 1000000 && !race.Finished(); ++guard) {
        if (!race.Tick(grant))
            QTest::qWait(1);
        race.Present();
        for (int i = 0; i < race.Lanes(); ++i) {
            const LaneStatus s = race.Status(i);
            const std::int64_t work = race.Unit() == ClockUnit::Steps ? s.steps
                                      : race.Record(i).CountsWrites(race.Unit()) ? s.writes
                                                                                 : s.comparisons;
            ASSERT_LE(work, race.Clock()) << RoutineTable[static_cast<std::size_t>(s.routine)].name;
            if (s.finished)
                ASSERT_LE(s.finishedAt, race.Clock());
        }
    }
    race.Present();
    ASSERT_TRUE(race.Finished());
}

class RaceUnits : public ::testing::TestWithParam<ClockUnit> {};

TEST_P(RaceUnits, FinishedLanesShowTheHeadlessFiguresSortedAndFairlyPlaced)
{
    const int width = 40;
    const RunInput input = OnWorker([&] { return FreshInput(6, 60, width); });
    const std::vector<int> routines = Runnable(width);
    auto race = Race::OnData(routines, input, {});
    race->SetUnit(GetParam());
    race->SetLaneSize({80, 60});
    RunToEnd(*race, 37);
    std::vector<std::int64_t> need;
    for (int i = 0; i < race->Lanes(); ++i) {
        const int routine = routines[static_cast<std::size_t>(i)];
        StopSwitch stop;
        const RunResult headless = OnWorker([&] { return RunHeadless(routine, input, stop); });
        const LaneStatus s = race->Status(i);
        SCOPED_TRACE(RoutineTable[static_cast<std::size_t>(routine)].name);
        EXPECT_TRUE(s.finished);
        EXPECT_EQ(s.comparisons, headless.comparisons);
        EXPECT_EQ(s.steps, headless.steps);
        EXPECT_EQ(s.writes, headless.writes);
        EXPECT_TRUE(race->Record(i).Result().verified);
        need.push_back(race->Record(i).Work(race->Record(i).Marks().back(), GetParam()));
        EXPECT_EQ(s.finishedAt, need.back());
    }
    // The places follow the work each needed.
    for (int i = 0; i < race->Lanes(); ++i)
        for (int j = 0; j < race->Lanes(); ++j)
            if (need[static_cast<std::size_t>(i)] < need[static_cast<std::size_t>(j)])
                EXPECT_LT(race->Status(i).place, race->Status(j).place);
}

INSTANTIATE_TEST_SUITE_P(Units, RaceUnits,
                         ::testing::Values(ClockUnit::Comparisons, ClockUnit::Writes, ClockUnit::Steps));

class RaceStyles : public ::testing::TestWithParam<PlotStyle> {};

TEST_P(RaceStyles, SteppingBackShowsExactlyTheFramesShownAndResumingFinishesAlike)
{
    const int width = 48;
    const RunInput input = OnWorker([&] { return FreshInput(6, 60, width); });
    RaceLook look;
    look.style = GetParam();
    // Quadratic routines long enough to pass several kept pictures.
    auto race = Race::OnData({1, 5, 6, 10, 16, 2}, input, look);
    race->SetLaneSize({50, 40});
    ASSERT_TRUE(WaitRecorded(*race));
    std::vector<std::vector<QImage>> frames;
    auto shot = [&] {
        race->Present();
        std::vector<QImage> f;
        for (int i = 0; i < race->Lanes(); ++i)
            f.push_back(race->Image(i).copy());
        return f;
    };
    frames.push_back(shot());
    for (int t = 0; t < 400 && race->Tick(3); ++t)
        frames.push_back(shot());
    ASSERT_GT(frames.size(), 100u);
    for (std::size_t k = frames.size() - 1; k-- > 0;) {
        ASSERT_TRUE(race->StepBack());
        ASSERT_EQ(shot(), frames[k]) << "frame " << k;
    }
    EXPECT_FALSE(race->StepBack());
    EXPECT_EQ(race->Clock(), 0);
    // Forward again over the same readings, then on to the end.
    for (std::size_t k = 1; k < frames.size(); ++k) {
        ASSERT_TRUE(race->Tick(3));
        ASSERT_EQ(shot(), frames[k]) << "frame " << k;
    }
    RunToEnd(*race, 1000);
    auto again = Race::OnData({1, 5, 6, 10, 16, 2}, input, look);
    RunToEnd(*again, 100000);
    for (int i = 0; i < race->Lanes(); ++i) {
        EXPECT_EQ(race->Status(i).place, again->Status(i).place);
        EXPECT_EQ(race->Status(i).comparisons, again->Status(i).comparisons);
    }
}

INSTANTIATE_TEST_SUITE_P(Styles, RaceStyles, ::testing::Values(PlotStyle::Bars, PlotStyle::Dots));

TEST(Race, AllOrdersRacesEachOrderAsAFreshProgramGeneratesIt)
{
    auto race = Race::OnOrders({0, 6, 10}, {0, 1, 2, 6}, 30, 20, {});
    RunToEnd(*race, 1 << 20);
    ASSERT_EQ(race->Lanes(), 12);
    for (int i = 0; i < race->Lanes(); ++i) {
        const LaneStatus s = race->Status(i);
        const RunInput input = OnWorker([&] { return FreshInput(static_cast<Integer>(s.order), 30, 20); });
        StopSwitch stop;
        const RunResult headless = OnWorker([&] { return RunHeadless(s.routine, input, stop); });
        EXPECT_EQ(s.comparisons, headless.comparisons) << s.routine << " " << s.order;
        EXPECT_EQ(s.writes, headless.writes);
    }
}

TEST(Race, ALaneThatCannotRunAtThisSizeIsLeftOutAndTheRestFinish)
{
    const RunInput input = OnWorker([] { return FreshInput(6, 30, 20); });
    auto race = Race::OnData({12, 29, 6}, input, {}); // Bucket Sort, Bogo Sort over its limit, Quick Sort
    RunToEnd(*race, 1 << 20);
    EXPECT_FALSE(race->Status(0).runs);
    EXPECT_FALSE(race->Status(1).runs);
    EXPECT_TRUE(race->Status(2).finished);
    EXPECT_EQ(race->Status(2).place, 1);
}

TEST(Race, ARunPastTheFullRecordGoesOnInPicturesWithTheSameFiguresAndFrames)
{
    // Limits small enough that Bubble Sort at width 48 passes them: after
    // 300 steps in full, a picture every 7 steps, then every 14.
    const RunInput input = OnWorker([] { return FreshInput(6, 60, 48); });
    RecordLimits limits;
    limits.marks = 300;
    limits.every = 7;
    limits.coarseRun = 20;
    auto race = Race::OnData({1, 6}, input, {}, limits);
    race->SetLaneSize({96, 40});
    ASSERT_TRUE(WaitRecorded(*race));
    {
        auto lock = race->Record(0).Lock();
        const auto& marks = race->Record(0).Marks();
        ASSERT_LT(marks.size(), 400u);
        EXPECT_EQ(marks[299].opEnd >= 0, true);
        EXPECT_LT(marks[310].opEnd, 0);
    }
    std::vector<QImage> frames;
    race->Present();
    frames.push_back(race->Image(0).copy());
    while (race->Tick(5)) {
        race->Present();
        frames.push_back(race->Image(0).copy());
    }
    for (std::size_t k = frames.size() - 1; k-- > 0;) {
        ASSERT_TRUE(race->StepBack());
        race->Present();
        ASSERT_EQ(race->Image(0), frames[k]) << "frame " << k;
    }
    RunToEnd(*race, 5);
    StopSwitch stop;
    const RunResult headless = OnWorker([&] { return RunHeadless(1, input, stop); });
    EXPECT_EQ(race->Status(0).comparisons, headless.comparisons);
    EXPECT_EQ(race->Status(0).steps, headless.steps);
    EXPECT_TRUE(race->Record(0).Result().verified);
}

TEST(Race, StoppedMidRunEndsWithinAStep)
{
    const RunInput input = OnWorker([] { return FreshInput(6, 1000, 1000); });
    auto race = Race::OnData({9, 1}, input, {});
    ASSERT_TRUE(QTest::qWaitFor([&] { return race->Tick(10); }, 5000));
    race->Hold(true);
    race->Stop();
    EXPECT_FALSE(race->Record(0).Complete());
    EXPECT_EQ(race->Record(0).Result().state, RunResult::State::Cancelled);
}

} // namespace
