// The code beside the bars: at every step of every routine the line shown
// is one the routine can be at there, its variables are in bounds, and the
// history shows the same line and values when stepping back and forward.
#include "EngineFixture.h"

#include "engine/CodeWhere.h"
#include "engine/RoutineCode.h"
#include "engine/RunHistory.h"

#include <optional>

namespace {

// Passes everything on to the history and notes, at each step, where the
// routine said it was and whether the step changed the data.
class Watch final : public RunTrace {
public:
    explicit Watch(RunHistory& history) : history_(history), last_(SortData) {}
    void Written(std::vector<Integer>& array, int index, Integer value) override { history_.Written(array, index, value); }
    void Cleared(std::vector<Integer>& array, std::size_t size) override { history_.Cleared(array, size); }
    void Stepped() override
    {
        history_.Stepped();
        seen.push_back(history_.WhereShown());
        changed.push_back(SortData != last_);
        last_ = SortData;
    }
    std::vector<std::optional<CodeWhere>> seen;
    std::vector<bool> changed;

private:
    RunHistory& history_;
    std::vector<Integer> last_;
};

class RoutineCodeTest : public EngineTest, public ::testing::WithParamInterface<int> {
protected:
    void SetUp() override
    {
        EngineTest::SetUp();
        CodeHere = {};
    }
    void TearDown() override
    {
        CodeWhereOn = false;
        Trace = nullptr;
        EngineTest::TearDown();
    }
    // Where is a place routine `type` can be at with W values of at most height.
    static void ExpectPlausible(int type, const CodeWhere& where, int W, int height, long step)
    {
        const RoutineCode& code = CodeOf(type);
        ASSERT_GE(where.line, 0) << "step " << step;
        ASSERT_LT(where.line, static_cast<int>(code.lines.size())) << "step " << step;
        for (std::size_t k = 0; k < code.variables.size(); ++k) {
            const int v = where.values[k];
            const auto kind = code.variables[k].kind;
            if (v == CodeWhere::kNone || (kind != CodeVariable::Index && kind != CodeVariable::Value))
                continue;
            EXPECT_GE(v, 0) << code.variables[k].name << " at step " << step;
            EXPECT_LE(v, kind == CodeVariable::Index ? W : height) << code.variables[k].name << " at step " << step;
        }
    }
    // Runs routine `type` on the data loaded, followed, into `history`; the
    // watch holds where each step was.
    Watch Follow(RunHistory& history, int type)
    {
        history.Restart(0);
        Watch watch(history);
        CodeWhereOn = true;
        Trace = &watch;
        Run(type);
        // What the routine wrote after its last pause (a last exchange, a
        // copy back) closes as one more step.
        watch.Stepped();
        Trace = nullptr;
        CodeWhereOn = false;
        return watch;
    }
};

} // namespace

TEST(RoutineCode, EveryRoutineHasItsCodeAndNamesNoMoreValuesThanAStepKeeps)
{
    // The enums' sizes, in table order, so a line added to a listing and not
    // to its enum (or the other way round) shows.
    const int lines[kRoutineCount] = {SelectionCode::Count, BubbleCode::Count, InsertionCode::Count, BinaryInsertionCode::Count,
                                      MergeCode::Count, HeapCode::Count, QuickCode::Count - 1, QuickCode::Count,
                                      LomutoCode::Count, StoogeCode::Count, CountingCode::Passes, CountingCode::Lines, 1,
                                      CocktailCode::Count, OddEvenCode::Count, GnomeCode::Count, CombCode::Count,
                                      ShellCode::Count, CycleCode::Count, SmoothCode::Count, PancakeCode::Count,
                                      BottomUpCode::Count, TimCode::Count, DualPivotCode::Count, ThreeWayCode::Count,
                                      IntroCode::Count, MsdCode::Count, BitonicCode::Count, OddEvenMergeCode::Count,
                                      BogoCode::Count};
    for (int type = 0; type < kRoutineCount; ++type) {
        const RoutineCode& code = CodeOf(type);
        EXPECT_EQ(static_cast<int>(code.lines.size()), lines[type]) << RoutineTable[type].name;
        EXPECT_LE(code.variables.size(), static_cast<std::size_t>(CodeWhere::kValues)) << RoutineTable[type].name;
        const bool writes = std::ranges::any_of(code.lines, &CodeLine::writes);
        EXPECT_EQ(writes, RoutineTable[type].entry != nullptr) << RoutineTable[type].name;
    }
    // Bucket Sort runs nothing: its code is its notice.
    ASSERT_EQ(CodeOf(12).lines.size(), 1u);
    EXPECT_STREQ(CodeOf(12).lines[0].text, RoutineTable[12].notice);
    EXPECT_TRUE(CodeOf(-1).lines.empty());
    EXPECT_TRUE(CodeOf(kRoutineCount).lines.empty());
}

TEST_P(RoutineCodeTest, EveryStepShowsALineTheRoutineCanBeAtAndTheSameOnTheWayBackAndForward)
{
    const int type = GetParam();
    if (!RoutineTable[type].entry)
        GTEST_SKIP() << "runs nothing";
    for (const Values& values : {Random(12, 20), Descending(12), Values{5, 2, 4, 6, 1, 3}}) {
        const Values data = type == 29 ? Values(values.begin(), values.begin() + 5) : values;
        Load(data, 20);
        const int W = static_cast<int>(data.size());
        int lastX = 0, lastY = 0, lastZ = 0;
        RunHistory history(lastX, lastY, lastZ);
        const Watch watch = Follow(history, type);
        ASSERT_EQ(Data(), Sorted(data)) << RoutineTable[type].name;
        ASSERT_FALSE(watch.seen.empty());
        ASSERT_EQ(static_cast<long>(watch.seen.size()), history.Recorded());

        const RoutineCode& code = CodeOf(type);
        for (std::size_t s = 0; s < watch.seen.size(); ++s) {
            ASSERT_TRUE(watch.seen[s]) << "step " << s + 1 << " kept no place in the code";
            const CodeWhere& where = *watch.seen[s];
            ExpectPlausible(type, where, W, 20, static_cast<long>(s + 1));
            // A step that changed the data wrote at a line that writes: the
            // line it pauses at, or the one that wrote before it.
            if (watch.changed[s]) {
                const int line = code.lines[static_cast<std::size_t>(where.line)].writes ? where.line : where.wrote;
                ASSERT_GE(line, 0) << "step " << s + 1 << " changed the data at no line";
                EXPECT_TRUE(code.lines[static_cast<std::size_t>(line)].writes)
                    << "step " << s + 1 << " changed the data at \"" << code.lines[static_cast<std::size_t>(line)].text << '"';
            }
        }
        // Back to the start and forward again: each step shows what it did on the way.
        for (long s = history.Recorded(); s > history.Oldest(); --s) {
            ASSERT_EQ(history.Shown(), s);
            ASSERT_TRUE(history.WhereShown());
            EXPECT_EQ(*history.WhereShown(), *watch.seen[static_cast<std::size_t>(s - 1)]) << "back at step " << s;
            ASSERT_TRUE(history.Back());
        }
        EXPECT_EQ(history.WhereShown(), std::nullopt) << "the start is no step";
        while (history.Forward())
            EXPECT_EQ(*history.WhereShown(), *watch.seen[static_cast<std::size_t>(history.Shown() - 1)])
                << "forward at step " << history.Shown();
        EXPECT_TRUE(history.AtPresent());
    }
}

INSTANTIATE_TEST_SUITE_P(EveryRoutine, RoutineCodeTest, ::testing::Range(0, kRoutineCount),
                         [](const auto& info) { return "Type" + std::to_string(info.param); });

TEST_F(RoutineCodeTest, PastTheMemoryCapEveryKeptStepStillKnowsItsPlace)
{
    Load(Descending(40), 40);
    int lastX = 0, lastY = 0, lastZ = 0;
    RunHistory history(lastX, lastY, lastZ, 4096);
    const Watch watch = Follow(history, 1);
    ASSERT_GT(history.Oldest(), 0) << "the cap dropped the oldest steps";
    long kept = 0;
    do {
        ASSERT_TRUE(history.WhereShown()) << "step " << history.Shown();
        EXPECT_EQ(*history.WhereShown(), *watch.seen[static_cast<std::size_t>(history.Shown() - 1)]);
        ++kept;
    } while (history.Back() && history.Shown() > history.Oldest());
    EXPECT_EQ(kept, history.Recorded() - history.Oldest());
}

TEST_F(RoutineCodeTest, StepsMadeWhileTheCodeWasHiddenKeepNoPlaceAndTheOthersTheirs)
{
    Load(Descending(8), 20);
    int lastX = 0, lastY = 0, lastZ = 0;
    RunHistory history(lastX, lastY, lastZ);
    history.Restart(0);
    // Followed from within the fifth step to the tenth only.
    struct Toggle final : SortView {
        long steps = 0;
        void DrawLine(int, int, int) override { ++steps; CodeWhereOn = steps >= 5 && steps <= 10; }
        void DrawPlot(int, bool) override {}
        void DoReset(int) override { Comparisons = 0; }
        void DoStatus() override {}
    } toggle;
    Trace = &history;
    ScopedView scoped(toggle);
    Sorting = true;
    RoutineTable[1].entry();
    Trace = nullptr;
    CodeWhereOn = false;
    while (history.Back()) {
    }
    // The fifth step's place was set before it was followed: not known.
    for (long s = 1; history.Forward(); ++s)
        EXPECT_EQ(history.WhereShown().has_value(), s >= 6 && s <= 10) << "step " << s;
}
