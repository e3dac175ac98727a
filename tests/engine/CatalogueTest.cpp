// The routine table as a whole: every routine that runs sorts whatever it is
// given, keeps equal values in order where the table says it does, and
// survives new values put in during a step. Then what sets Cocktail Shaker,
// Odd-Even, Gnome, Comb, Shell, Cycle, Smooth and Pancake Sort apart: counts
// worked out by hand, the shape of their work, and Stop within one step.
#include "EngineFixture.h"
#include "engine/FillSource.h"
#include "engine/RunTrace.h"

#include <functional>
#include <map>
#include <string>
#include <thread>

namespace {

// Follows a run through the trace: its steps and its writes into SortData,
// and what the test wants done after each step (Stop, new values).
class Follower : public RunTrace {
public:
    void Written(std::vector<Integer>& array, int index, Integer) override
    {
        if (&array == &SortData)
            ++writes[index];
    }
    void Cleared(std::vector<Integer>&, std::size_t) override {}
    void Stepped() override
    {
        ++steps;
        if (atStep)
            atStep(steps);
    }
    long steps = 0;
    std::map<int, int> writes; // per place of SortData
    std::function<void(long)> atStep;
};

// Records what a run did through the trace: each write as its array, place
// and the key of its value, each clearing and each step.
class Recorder : public RunTrace {
public:
    explicit Recorder(int key) : key_(key) {}
    void Written(std::vector<Integer>& array, int index, Integer value) override
    {
        events.push_back({&array == &SortData ? 0 : 1, index, value / key_});
    }
    void Cleared(std::vector<Integer>& array, std::size_t size) override
    {
        events.push_back({&array == &SortData ? 2 : 3, static_cast<int>(size), 0});
    }
    void Stepped() override { events.push_back({4, 0, 0}); }
    std::vector<std::array<int, 3>> events;

private:
    int key_; // the values' keys are value / key_
};

// The plot as the window keeps it: each column shows a value, plainly or in
// a marker's colour, as the markers' moves left it (a marker drawn at a bar
// shows its current value; the bar it leaves is redrawn plainly). After
// every step each bar must show its current value and each marker its bar.
class PlotModel : public SortView, public RunTrace {
public:
    void DrawLine(int X, int Y, int z) override
    {
        Move(X, 1);
        Move(Y, 2);
        Move(z, 3);
    }
    void DrawPlot(int, bool) override {}
    void DoReset(int) override
    {
        Comparisons = 0;
        shown.assign(SortData.size(), {0, 0});
        for (std::size_t c = 0; c < SortData.size(); ++c)
            shown[c].first = SortData[c];
        last = {0, 0, 0};
    }
    void DoStatus() override {}
    void Written(std::vector<Integer>&, int, Integer) override {}
    void Cleared(std::vector<Integer>&, std::size_t) override {}
    void Stepped() override
    {
        ++steps;
        for (std::size_t c = 1; c < SortData.size(); ++c)
            if (shown[c].first != SortData[c])
                Fault("bar " + std::to_string(c) + " shows an old value");
        for (int m = 0; m < 3; ++m) {
            const int bar = last[m];
            const int role = shown[static_cast<std::size_t>(bar)].second;
            // Two markers on one bar show as the one drawn last.
            const bool shows = role == m + 1 || (role != 0 && last[role - 1] == bar);
            if (bar != 0 && !shows)
                Fault("marker " + std::to_string(m + 1) + " is not shown on bar " + std::to_string(bar));
        }
    }
    std::string fault; // the first
    long steps = 0;

private:
    void Move(int a, int role)
    {
        if (a == -1)
            return;
        int& from = last[role - 1];
        if (a == from)
            from = 0;
        shown[static_cast<std::size_t>(a)] = {SortData[a], role};
        shown[static_cast<std::size_t>(from)] = {SortData[from], 0};
        from = a;
    }
    void Fault(const std::string& what)
    {
        if (fault.empty())
            fault = what + " after step " + std::to_string(steps);
    }
    std::vector<std::pair<int, int>> shown; // value, role (0 plain, 1..3 marker)
    std::array<int, 3> last{};
};

// Steps after which a run at 1000 values that may be quadratic is stopped,
// and after which any run is taken never to end (none needs a tenth of it
// on 100 values).
constexpr long kBudget = 40000;
constexpr long kNeverEnds = 1000000;

// A cost text that grows as fast as n² or faster.
bool Quadratic(const char* cost)
{
    const std::string text = cost;
    return text.find("n²") != std::string::npos || text.find("n^2") != std::string::npos ||
           text.find('!') != std::string::npos || text == "unbounded";
}

bool Runs(const Routine& routine, int width)
{
    return routine.entry && (routine.sizeLimit == 0 || width <= routine.sizeLimit);
}

} // namespace

class CatalogueTest : public EngineTest {
protected:
    // SortData = values, the width setting `width` (more than the values: a
    // setting beyond SortData), height `height`.
    void Put(const Values& values, int height, int width)
    {
        Load(values, height);
        SortSet[2] = static_cast<Integer>(width);
    }
    // Runs a routine as Start would, followed step by step.
    std::int32_t Follow(int type, RunTrace& trace)
    {
        Trace = &trace;
        const std::int32_t count = Run(type);
        Trace = nullptr;
        return count;
    }
    static Values Generated(int order, int width)
    {
        SortSet = {static_cast<Integer>(order), static_cast<Integer>(width), static_cast<Integer>(width)};
        FillSource();
        return {SourceData.begin() + 1, SourceData.end()};
    }
    void TearDown() override
    {
        Trace = nullptr;
        EngineTest::TearDown();
    }
    // Runs body on a thread of its own, with an engine state of its own, as
    // the headless comparison runs the routines: there a step pumps no window
    // events, which makes the many runs below ten times faster.
    static void Headless(const std::function<void()>& body)
    {
        std::thread([&body] {
            ResetSharedState();
            RestartRnd();
            DrawSet = {1, 0};
            body();
            Trace = nullptr;
            ResetSharedState();
        }).join();
    }
    // A run ended as a run ends: markers it used taken off the data, the
    // report, the flag cleared, element 0 untouched.
    void ExpectClosed()
    {
        ASSERT_GE(view.calls.size(), 2u);
        EXPECT_EQ(view.calls.front(), kOpen);
        EXPECT_EQ(view.calls.back(), kReport);
        if (std::ranges::any_of(view.calls, [](const ViewCall& c) { return c.kind == ViewCall::Line; })) {
            EXPECT_EQ(view.calls.end()[-2], kOff);
        }
        EXPECT_FALSE(Sorting);
        EXPECT_EQ(SortData[0], 0);
    }
};

TEST_F(CatalogueTest, EveryRoutineSortsEveryOrderAndWidth)
{
    Headless([this] {
        // At 1000 values a routine runs only when its average cost is below
        // quadratic; one that may still be quadratic on some order (the quick
        // sorts on ascending data) is stopped after kBudget steps and must then
        // hold the same values. Widths beyond a routine's size limit are not run.
        for (int type = 0; type < kRoutineCount; ++type) {
            const Routine& routine = RoutineTable[type];
            for (const int width : {1, 2, 3, 7, 100, 1000}) {
                if (!Runs(routine, width) || (width > 100 && Quadratic(routine.cost.average)))
                    continue;
                for (int order = 0; order <= 8; ++order) {
                    SCOPED_TRACE(::testing::Message() << routine.name << ", order " << order << ", width " << width);
                    const Values values = Generated(order, width);
                    Put(values, width, width);
                    Follower follower;
                    follower.atStep = [width](long steps) {
                        if (steps == kBudget && width > 100)
                            Sorting = false;
                        if (steps == kNeverEnds) {
                            ADD_FAILURE() << "still running after " << kNeverEnds << " steps";
                            Sorting = false;
                        }
                    };
                    Follow(type, follower);
                    if (width > 100 && follower.steps >= kBudget) {
                        // The cost counts comparisons: a routine whose steps are
                        // mostly moves (Binary Insertion Sort) may take many more.
                        EXPECT_TRUE(Quadratic(routine.cost.worst) || Comparisons < follower.steps)
                            << "stopped after " << kBudget << " steps, " << Comparisons << " comparisons";
                        EXPECT_EQ(Sorted(Data()), Sorted(values));
                    } else {
                        EXPECT_EQ(Data(), Sorted(values));
                    }
                    ExpectClosed();
                }
            }
        }
    });
}

TEST_F(CatalogueTest, EveryRoutineSortsDataDrawnByHand)
{
    Headless([this] {
        // Plateaus, zeros and values below 0 as a mouse draws them, all equal,
        // and the extremes of a data value; the last with the width setting
        // beyond the values (SortData shorter than the setting) and a height
        // below the width.
        // Two ascending runs make Tim Sort merge; no values at all.
        const Values sets[] = {{5, 5, 5, 2, 2, 9, 9, 9, 9, 1, 0, 0, 7, 7, 3, 3, 3, 8, 8, 8},
                               {-4, 0, 12, 12, -4, 3, 0, 0, 25, 25, 25, 1},
                               Values(9, 42),
                               Random(60, 10),
                               Concat(Range(1, 70), Range(1, 70)),
                               {},
                               {0, 110, 5, -3, 0, 99, -3, 1, 32767, -32768}};
        for (int type = 0; type < kRoutineCount; ++type)
            for (const Values& data : sets) {
                if (!Runs(RoutineTable[type], static_cast<int>(data.size())))
                    continue;
                SCOPED_TRACE(::testing::Message() << RoutineTable[type].name << ", width " << data.size());
                const bool beyond = &data == &std::end(sets)[-1];
                Put(data, beyond ? 3 : 30, static_cast<int>(data.size()) + (beyond ? 50 : 0));
                Run(type);
                EXPECT_EQ(Data(), Sorted(data));
                ExpectClosed();
            }
    });
}

TEST_F(CatalogueTest, StableRoutinesKeepEqualValuesInTheirOrder)
{
    Headless([this] {
        // Equal values are told apart by their place: each value v at place p
        // becomes v * K + p (K = W + 1), which orders them as a stable
        // sort leaves them. A routine is deterministic in the outcomes of its
        // comparisons; where it treats equal values as their places would have
        // them, both runs make the same moves, value for value (v * K + p counts
        // as v), and the second run shows where each original element went. A
        // routine that decided a tie the other way moves differently.
        //
        // Routines that compare nothing (Counting, Radix Sort) place a value by
        // its digits, which the place changes; their stability shows in their
        // sorted results: each pass of Radix Sort must keep the order of the
        // last for the data to end sorted.
        const Values sets[] = {Random(100, 6), Generated(4, 100), Generated(5, 100), Generated(2, 100),
                               {3, 1, 3, 2, 1, 3, 2, 2, 1, 3}};
        for (int type = 0; type < kRoutineCount; ++type) {
            const Routine& routine = RoutineTable[type];
            if (!routine.stable || !routine.compares)
                continue;
            for (const Values& keys : sets) {
                const int width = static_cast<int>(keys.size());
                if (!Runs(routine, width))
                    continue;
                SCOPED_TRACE(::testing::Message() << routine.name << ", width " << width);
                const int K = width + 1;
                Values tagged = keys;
                for (int p = 0; p < width; ++p)
                    tagged[p] = keys[p] * K + p + 1;
                Recorder plain(1), told(K);
                RestartRnd();
                Put(keys, 100, width);
                const std::int32_t plainCount = Follow(type, plain);
                const Calls plainCalls = view.calls;
                RestartRnd();
                Put(tagged, 100, width);
                const std::int32_t toldCount = Follow(type, told);
                EXPECT_EQ(Data(), Sorted(tagged));
                EXPECT_EQ(plainCount, toldCount);
                EXPECT_TRUE(plain.events == told.events && plainCalls == view.calls)
                    << "moved differently once equal values were told apart by their place";
            }
        }
    });
}

TEST_F(CatalogueTest, EveryRoutineEndsWhenTheDataAreReplacedDuringAStep)
{
    Headless([this] {
        // The toolbar's order buttons put new values of the same width into
        // SortData during a step; the routine must stay inside the arrays
        // (the sanitizer build sees any reach past them) and end. The new
        // values may lie in digits the old ones left empty (800) or below 0.
        // The later routines that only exchange in SortData (not holding a
        // value in hand nor merging through scratch) end with the new values.
        for (int type = 0; type < kRoutineCount; ++type) {
            const int w = type == Bogo ? 6 : 60;
            if (!Runs(RoutineTable[type], w))
                continue;
            const Values start = Generated(6, w);
            Put(start, 60, w);
            Follower plain;
            Follow(type, plain);
            for (const long at : {1L, plain.steps / 3, plain.steps * 2 / 3}) {
                SCOPED_TRACE(::testing::Message() << RoutineTable[type].name << ", new values at step " << at);
                Values replacement = at == 1 ? Generated(8, w) : at == plain.steps / 3 ? Descending(w) : Values(w, 800);
                replacement[0] = -500;
                Put(start, 60, w);
                Follower follower;
                follower.atStep = [&](long steps) {
                    if (steps == at)
                        std::copy(replacement.begin(), replacement.end(), SortData.begin() + 1);
                    if (steps == 100000) { // none of them needs that many on 60 values
                        ADD_FAILURE() << "still running";
                        Sorting = false;
                    }
                };
                Follow(type, follower);
                EXPECT_EQ(SortData.size(), static_cast<std::size_t>(w) + 1);
                ExpectClosed();
                if (type >= DualPivot && follower.steps >= at) {
                    EXPECT_EQ(Sorted(Data()), Sorted(replacement));
                }
            }
        }
    });
}

TEST_F(CatalogueTest, WorkedCounts)
{
    // Comparisons and steps, each followed through by hand from the code.
    // 3 1 2 and the others below are written out pair by pair in the comments.
    struct Worked {
        int type;
        Values data;
        std::int32_t comparisons;
        long steps;
    };
    const Worked worked[] = {
        // Every comparison is a step in these four.
        // Up 3>1 x, 3>2 x; down 1>2: no exchange, done.
        {Cocktail, {3, 1, 2}, 3, 3},
        // Up 3 (all exchanged), down 2, up 1, down over nothing: n(n-1)/2.
        {Cocktail, {4, 3, 2, 1}, 6, 6},
        // Up 2>1 x, 2>2, 2>1 x; down 2>1 x, 1>1; up 1>2: no exchange, done.
        {Cocktail, {2, 1, 2, 1}, 6, 6},
        // Round 1: (1,2) x, (2,3) x; round 2: nothing.
        {OddEven, {3, 1, 2}, 4, 4},
        // Rounds of three pairs: two that exchange, one that does not.
        {OddEven, {4, 3, 2, 1}, 9, 9},
        {OddEven, {2, 1, 2, 1}, 6, 6},
        // 2E + (W - 1) - Z, E exchanges, Z of them at the first pair:
        // 3 1 2: E = 2, Z = 1: 4 + 2 - 1.
        {Gnome, {3, 1, 2}, 5, 5},
        // E = 6, Z = 3: 12 + 3 - 3.
        {Gnome, {4, 3, 2, 1}, 12, 12},
        // E = 3, Z = 1: 6 + 3 - 1.
        {Gnome, {2, 1, 2, 1}, 8, 8},
        // Gap 30/13 = 2: (1,3) x; gap 1: (1,2) x, (2,3); gap 1 again: 2, no exchange.
        {Comb, {3, 1, 2}, 5, 5},
        // Gaps 5, 3, 2 on 7..1: 2 + 4 + 5 pairs, then two passes of 6 at gap 1.
        {Comb, {7, 6, 5, 4, 3, 2, 1}, 23, 23},
        // Shell Sort steps at its exchanges only. Gap 1 alone below 3 values:
        // 3>1 x; 3>2 x, 1<=2.
        {Shell, {3, 1, 2}, 3, 2},
        // Gap 4: (1,5) (2,6) (3,7) all exchanged; gap 1 on 3 2 1 4 7 6 5:
        // 3 x; 2 x; 2 x; 3<=4; 4<=7; 2 for 6; 3 for 5: 3 + 10, 3 + 6 exchanges.
        {Shell, {7, 6, 5, 4, 3, 2, 1}, 13, 9},
        // Sorted: W - g comparisons per gap g: 99 + 96 + 90 + 77 + 43, no exchange.
        {Shell, Ascending(100), 405, 0},
        // Gaps 1..701 and 701 x 9/4 = 1577 on 2000 sorted values: sum of 2000 - g.
        {Shell, Ascending(2000), 15194, 0},
        // Cycle Sort steps at each value counted and each write. 3 1 2: 3 has
        // 2 below (2), 3 vs 2 at place 3 (1), write; 2 has 1 below (2), 2 vs 1
        // at place 2 (1), write; 1 has none below (2): closes at 1, write;
        // start 2: 2 vs 3 (1). 9 comparisons, 7 counted + 3 writes.
        {Cycle, {3, 1, 2}, 9, 10},
        // 2 has 2 below (3), passes the 2 at place 3 (2 tests), write at 4;
        // 1 has none below (3), closes at 1; starts 2 and 3: 2 + 1.
        {Cycle, {2, 1, 2, 1}, 11, 11},
        // 4: 3 + 1, write; 1: 3, close; 3: 2 + 1, write; 2: 2, close; start 3: 1.
        {Cycle, {4, 3, 2, 1}, 13, 15},
        // Smooth Sort steps at its exchanges. 3 1 2: heaps of order 1, 0, then
        // 2 over them, final: sift 3>1 (1), 2<3 (1) x; take 3 off: the order 1
        // heap's root 2 > the order 0 heap's 1 (1) x.
        {Smooth, {3, 1, 2}, 3, 2},
        // Order 2 heap over 4 3, final: sift 2 (x); order 1 heap at 4, final:
        // trinkle 4 > 1 (1) x, sift 1 under 3 (2) x; take 4, take 3: 2 > 1 (1) x.
        {Smooth, {4, 3, 2, 1}, 6, 4},
        // Sorted: sift of the order 2 heap 2, trinkle of 4 (1), then one root
        // comparison when 3 gives up its children.
        {Smooth, {1, 2, 3, 4}, 4, 0},
        // Pancake Sort: W(W-1)/2 comparisons, a step each, and a step per
        // exchange of the turns: 3 1 2: turn 3 (1 exchange), turn 2 (1).
        {Pancake, {3, 1, 2}, 3, 5},
        // One turn of all four (2 exchanges) sorts it.
        {Pancake, {4, 3, 2, 1}, 6, 8},
    };
    for (const Worked& w : worked) {
        SCOPED_TRACE(::testing::Message() << RoutineTable[w.type].name << " on " << ::testing::PrintToString(w.data));
        Load(w.data);
        Follower follower;
        EXPECT_EQ(Follow(w.type, follower), w.comparisons);
        EXPECT_EQ(follower.steps, w.steps);
        EXPECT_EQ(Data(), Sorted(w.data));
    }
}

TEST_F(CatalogueTest, EachRoutineShowsItsShape)
{
    Headless([this] {
        // Cycle Sort writes each place once at most, and only the places whose
        // value differs from the sorted one: the fewest writes any sort can make.
        for (const Values& data : {Random(100, 20), Random(100, 1000), Descending(100), Ascending(50)}) {
            Load(data);
            Follower follower;
            Follow(Cycle, follower);
            const Values sorted = Sorted(data);
            int differing = 0;
            for (std::size_t p = 0; p < data.size(); ++p)
                differing += data[p] != sorted[p];
            int written = 0;
            for (const auto& [place, times] : follower.writes) {
                EXPECT_EQ(times, 1) << "place " << place;
                written += times;
            }
            EXPECT_EQ(written, differing);
            EXPECT_EQ(Data(), sorted);
        }
        // Smooth Sort on sorted data: a few comparisons per value at any width
        // (n log n would be over 13 per value at 10000).
        for (const int width : {1000, 10000}) {
            Load(Ascending(width), width);
            EXPECT_LT(Run(Smooth), 3 * width) << width;
        }
        // Comb and Shell Sort against Bubble Sort's n(n - 1)/2 on 1000 random values.
        for (const int type : {Comb, Shell}) {
            Load(Random(1000, 1000), 1000);
            EXPECT_LT(Run(type), 499500 / 10) << RoutineTable[type].name;
        }
    });
}

TEST_F(CatalogueTest, StopEndsTheRunAtTheStepItWasPressedIn)
{
    Headless([this] {
        // Stop pressed during step n (early, a third and two thirds into the
        // run): no step after it, and the data are still the values the run
        // started with (Cycle Sort puts back the value in hand, a merge stopped
        // half way writes back what it holds). Tim Sort also merging from the
        // left and from the right.
        const Values data = Random(100, 30);
        std::vector<std::pair<int, Values>> runs;
        for (int type = Cocktail; type < kRoutineCount; ++type)
            runs.push_back({type, type == Bogo ? Values{5, 1, 4, 2, 3, 6} : data});
        runs.push_back({Tim, Concat(Range(33, 64), Range(1, 32))});
        runs.push_back({Tim, Concat(Range(33, 64), Concat(Range(1, 16), Range(65, 80)))});
        for (const auto& [type, input] : runs) {
            Load(input);
            Follower whole;
            Follow(type, whole);
            for (const long n : {1L, 7L, whole.steps / 3, whole.steps * 2 / 3}) {
                SCOPED_TRACE(::testing::Message() << RoutineTable[type].name << ", Stop at step " << n);
                Load(input);
                Follower follower;
                follower.atStep = [n](long steps) {
                    if (steps == n)
                        Sorting = false;
                };
                Follow(type, follower);
                EXPECT_EQ(follower.steps, n);
                EXPECT_EQ(Sorted(Data()), Sorted(input));
                if (input == data) { // a gallop can place the whole rest in one step
                    EXPECT_NE(Data(), Sorted(input)) << "stopped before the end";
                }
                ExpectClosed();
            }
        }
    });
}

TEST_F(CatalogueTest, ThePlotShowsTheDataAndTheMarkersAtEveryStep)
{
    Headless([this] {
        // Every bar written is marked or left by a marker before the step pauses,
        // and no marker is wiped out by another leaving its bar.
        for (int type = Cocktail; type <= Pancake; ++type)
            for (const Values& data : {Random(40, 12), Random(100, 100), Random(60, 5), Descending(25), Values{2, 2, 1, 1, 3, 3, 1}}) {
                SCOPED_TRACE(::testing::Message() << RoutineTable[type].name << " on " << data.size() << " values");
                Load(data);
                PlotModel plot;
                {
                    ScopedView scoped(plot);
                    Trace = &plot;
                    Sorting = true;
                    RoutineTable[type].entry();
                    Trace = nullptr;
                }
                EXPECT_EQ(plot.fault, "");
                EXPECT_GT(plot.steps, 0);
                EXPECT_EQ(Data(), Sorted(data));
            }
    });
}
