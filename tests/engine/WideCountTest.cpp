// Counts past 2^32: Stooge Sort on a few thousand values gets there, so the
// counter and the history that shows it at every step may not wrap. The
// counter starts just below 2^32 here instead of running for minutes.
#include "EngineFixture.h"
#include "engine/RunHistory.h"

namespace {

constexpr std::int64_t kNearWrap = (std::int64_t{1} << 32) - 7;

// The window's reset, but leaving the counter just below the wrap.
class HighStartView : public RecordingView {
public:
    void DoReset(int X) override { RecordingView::DoReset(X); Comparisons = kNearWrap; }
};

} // namespace

TEST_F(EngineTest, EveryRoutineCountsOnPastTwoToThe32)
{
    for (std::size_t type = 0; type < RoutineTable.size(); ++type) {
        const Routine& routine = RoutineTable[type];
        if (!routine.entry)
            continue;
        SCOPED_TRACE(routine.name);
        const Values data = Random(routine.sizeLimit > 0 ? std::min(routine.sizeLimit / 2, 40) : 40, 100);
        Load(data);
        RestartRnd(); // Randomized Quick Sort draws the same pivots both times
        const std::int64_t fromZero = Run(static_cast<int>(type));
        Load(data);
        RestartRnd();
        HighStartView high;
        ScopedView scoped(high);
        Sorting = true;
        routine.entry();
        EXPECT_EQ(Comparisons, kNearWrap + fromZero);
    }
}

TEST(RunHistoryCount, EveryStepShowsItsWholeCountAlsoAfterTheOldestAreDropped)
{
    ResetSharedState();
    constexpr std::int64_t k32 = std::int64_t{1} << 32;
    // Across the wrap, a jump of more than 2^32 between two steps (Stooge
    // Sort on nearly sorted data), and back to small counts.
    const std::vector<std::int64_t> counts = {kNearWrap, k32 - 1, k32, k32 + 5, 3 * k32 + 9, 3 * k32 + 9,
                                              3 * k32 + 12, 7, 8, 5 * k32, 5 * k32 + 1, 5 * k32 + 2};
    // A cap of a few steps' records makes the history drop its oldest steps.
    for (const std::size_t cap : {std::size_t{1} << 20, std::size_t{40}}) {
        SCOPED_TRACE(cap);
        int x = 0, y = 0, z = 0;
        RunHistory history(x, y, z, cap);
        history.Restart(counts[0]);
        for (std::size_t s = 1; s < counts.size(); ++s) {
            Comparisons = counts[s];
            history.Stepped();
        }
        EXPECT_EQ(cap > 40, history.Oldest() == 0);
        do
            EXPECT_EQ(history.ComparisonsShown(), counts[static_cast<std::size_t>(history.Shown())]) << "step " << history.Shown();
        while (history.Back());
        EXPECT_EQ(history.Shown(), history.Oldest());
        while (history.Forward())
            EXPECT_EQ(history.ComparisonsShown(), counts[static_cast<std::size_t>(history.Shown())]) << "step " << history.Shown();
    }
    ResetSharedState();
}
