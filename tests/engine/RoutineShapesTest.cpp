// Bottom-up Merge, Tim, Dual-Pivot, Three-Way, Intro, MSD Radix, Bitonic,
// Odd-Even Merge and Bogo Sort: counts worked out by hand that say each is
// the routine it claims to be, the shapes that set them apart, and that each
// stops within one step and survives a data set regenerated under it.
#include "EngineFixture.h"

#include <cmath>

namespace {
enum Later { BottomUp = 21, Tim, DualPivot, ThreeWay, Intro, Msd, Bitonic, OddEvenMerge, Bogo };
constexpr int kLater[] = {BottomUp, Tim, DualPivot, ThreeWay, Intro, Msd, Bitonic, OddEvenMerge, Bogo};

Values Concat(Values a, const Values& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}
Values Range(int from, int to)
{
    Values v;
    for (int x = from; x <= to; ++x)
        v.push_back(x);
    return v;
}
} // namespace

TEST_F(EngineTest, LaterRoutinesMakeTheirHandWorkedCounts)
{
    const std::tuple<int, Values, std::int64_t> figures[] = {
        // Bottom-up {4,1,3,2}: pairs (4|1) and (3|2) cost 1 each; (1,4|2,3) takes 1, 2, 3
        // while both runs last: 3. Ascending 5: pairs 1 + 1, (12|34) 2, (1234|5) 4 = 8,
        // where the top-down Merge Sort splits 3|2 and makes 7.
        {BottomUp, {4, 1, 3, 2}, 5}, {BottomUp, Ascending(5), 8}, {BottomUp, Ascending(8), 12}, {Merge, Ascending(5), 7},
        // Tim {3,1,2}: 1 < 3 starts a descending run, 2 < 1 fails: run of 2 (2), reversed;
        // 2 is binary-inserted into {1,3}: probes 3 and 1 (2). Two ascending runs of 32
        // (33..64, 1..32): run scans 32 + 31; the merge's gallops trim nothing (1 + 1),
        // 1..7 are taken one at a time (7), then a gallop over the left run (1) and one
        // over the right run's 24 values 9..32 (1 + 4 doubling + 3 bisecting) = 81.
        // From the right: runs 33..64 and 1..16, 65..80 (32 + 31); the right run's 65..80
        // are in place already: gallops 1 + 10 (1 + 5 going left + 4 bisecting); the left
        // run is the longer: 64 down to 58 one at a time (7), then one gallop finds all
        // of 33..57 above 16 (1 + 4 + 4) = 90.
        {Tim, {3, 1, 2}, 4}, {Tim, Concat(Range(33, 64), Range(1, 32)), 81},
        {Tim, Concat(Range(33, 64), Concat(Range(1, 16), Range(65, 80))), 90},
        // Dual-Pivot ascending 5: pivots 1 and 5 (1), the middle three cost 2 each (6),
        // 1 < 5 (1); then pivots 2 and 4 (1), 3 costs 2, 2 < 4 (1) = 12.
        // {3,1,2}: 3 > 2 swaps the pivots (1), 1 < 2 (1), 2 < 3 (1) = 3.
        // All equal: the pivots (1), each of the 98 between them against both (196),
        // 7 < 7 fails (1), so the middle is left as it is = 198: linear.
        {DualPivot, Ascending(5), 12}, {DualPivot, {3, 1, 2}, 3}, {DualPivot, Values(100, 7), 198},
        // Three-Way {3,1,3,2,3}: pivot 3, one three-way comparison for each of the other
        // four; then {1,2}: one more = 5. All equal: each value once against the pivot.
        {ThreeWay, {3, 1, 3, 2, 3}, 5}, {ThreeWay, Values(100, 7), 99},
        // Intro {3,1,2}: insertion: 3>1, 3>2, 1>2 = 3. Ascending 17: median of three (3),
        // both scans meet at 9 (9 + 9), then insertion of 10..17 (7) and of 1..9 (8) = 36.
        {Intro, {3, 1, 2}, 3}, {Intro, Ascending(17), 36},
        {Msd, Random(100, 1000), 0},
        // The networks on 5 values: Bitonic 1 + 3 + 5 (sorting 2 down, 3 up, merging 5),
        // Odd-Even Merge the 19 comparators of 8 less those that reach past 5: 9.
        {Bitonic, Ascending(5), 9}, {Bitonic, Ascending(8), 24}, {OddEvenMerge, Ascending(5), 9},
        {OddEvenMerge, Ascending(8), 19},
        // Bogo on sorted data: one check of the n - 1 neighbours, no shuffle.
        {Bogo, Ascending(10), 9},
    };
    for (const auto& [type, data, count] : figures) {
        Load(data);
        EXPECT_EQ(Run(type), count) << "type " << type << " width " << data.size();
        EXPECT_EQ(Data(), Sorted(data)) << "type " << type;
    }
}

TEST_F(EngineTest, LaterRoutinesMoveTheirMarkersInTheirOwnOrder)
{
    const std::tuple<int, Values, Calls> cases[] = {
        // MSD {3,1,2}: digits 2, 0, 1 of v - 1: 3 goes to bucket 2's place, then 2 to bucket 1's.
        {Msd, {3, 1, 2}, {Markers(-1, 1, 3), Markers(-1, 1, 2)}},
        // Bottom-up {2,1}: 1 taken from the right (written at 1, right head now past), then 2.
        {BottomUp, {2, 1}, {Markers(-1, 1, -1), Markers(-1, 2, -1)}},
        // {1,2,0}: 1 taken from the left (marker 3 on the right run's head 2), 2 stays;
        // then 0 from the right, and the left run's rest written after it.
        {BottomUp, {1, 2, 0}, {Markers(-1, 1, 2), Markers(-1, 1, -1), Markers(-1, 2, -1), Markers(-1, 3, -1)}},
        {DualPivot, {2, 1}, {Markers(-1, 1, 2)}},
        {Bogo, {1, 2}, {}},
    };
    for (const auto& [type, data, steps] : cases) {
        Load(data);
        Run(type);
        Calls want{kOpen};
        want.insert(want.end(), steps.begin(), steps.end());
        want.insert(want.end(), {kOff, kReport});
        EXPECT_EQ(view.calls, want) << "type " << type;
    }
}

TEST_F(EngineTest, IntroSortTurnsToHeapSortPastItsDepth)
{
    // IntroHeapRange on {1,2,3}: the sift of the root takes 3 (1) and swaps (1); the
    // first extraction sifts 1 under 2 (1); the last has no child: 3 comparisons.
    Load({1, 2, 3});
    ScopedView scoped(view);
    Sorting = true;
    IntroHeapRange(1, 3);
    EXPECT_EQ(Comparisons, 3);
    EXPECT_EQ(Data(), (Values{1, 2, 3}));
    EXPECT_EQ(view.calls, (Calls{Markers(-1, 1, 3), Markers(1, 3, -1), Markers(-1, 1, 2), Markers(1, 2, -1)}));
    // At depth 0 a long range is heap sorted: a heap sort's count, not a quick sort's.
    Load(Descending(40));
    Sorting = true;
    Comparisons = 0;
    IntroRange(1, 40, 0);
    const std::int64_t heapCount = Comparisons;
    EXPECT_EQ(Data(), Ascending(40));
    Load(Descending(40));
    Comparisons = 0;
    IntroHeapRange(1, 40);
    EXPECT_EQ(Comparisons, heapCount);
}

TEST_F(EngineTest, ShapesSetTheLaterRoutinesApart)
{
    const int n = 1000;
    const double nLogN = n * std::log2(n);
    Values organPipe = Concat(Range(1, n / 2), Descending(n / 2));
    // Tim Sort on data already ascending (or all equal): one scan, n - 1 comparisons.
    for (int w : {1, 2, 31, 64, 100, n}) {
        Load(Ascending(w));
        EXPECT_EQ(Run(Tim), w - 1) << "width " << w;
    }
    Load(Values(n, 5));
    EXPECT_EQ(Run(Tim), n - 1);
    // Three-Way Quick Sort on all-equal data: linear.
    Load(Values(n, 5));
    EXPECT_EQ(Run(ThreeWay), n - 1);
    // Intro Sort on what makes Quick Sort quadratic stays within 3 n log2 n (the organ
    // pipe defeats the median of three too: there heap sort takes over).
    for (const Values& data : {Ascending(n), Descending(n), Values(n, 5), organPipe}) {
        Load(data);
        EXPECT_LT(Run(Intro), 3 * nLogN) << data[0] << " " << data[n / 2] << " " << data[n - 1];
        EXPECT_EQ(Data(), Sorted(data));
    }
    Load(Ascending(n));
    EXPECT_GT(Run(Quick), n * (n - 1) / 2); // for contrast: Quick Sort is quadratic there
}

TEST_F(EngineTest, NetworksCompareTheSameWhateverTheData)
{
    for (int type : {Bitonic, OddEvenMerge}) {
        for (int w : {1, 2, 3, 6, 7, 13, 100}) {
            Load(Ascending(w));
            const std::int64_t count = Run(type);
            for (const Values& data : {Descending(w), Values(w, 4), Random(w, 5), Random(w, 1000)}) {
                Load(data);
                EXPECT_EQ(Run(type), count) << "type " << type << " width " << w;
                EXPECT_EQ(Data(), Sorted(data)) << "type " << type << " width " << w;
            }
        }
        // A network that sorts every sequence of 0s and 1s sorts everything.
        for (int w = 1; w <= 9; ++w)
            for (int bits = 0; bits < (1 << w); ++bits) {
                Values data(w);
                for (int i = 0; i < w; ++i)
                    data[i] = (bits >> i) & 1;
                Load(data);
                Run(type);
                ASSERT_EQ(Data(), Sorted(data)) << "type " << type << " bits " << bits;
            }
    }
}

TEST_F(EngineTest, BogoSortRepeatsItselfAndShufflesAtMostTenValues)
{
    const Values data{4, 1, 5, 2, 3};
    Calls first;
    std::int64_t count = 0;
    for (int round = 0; round < 2; ++round) {
        RestartRnd();
        Load(data);
        const std::int64_t c = Run(Bogo);
        EXPECT_EQ(Data(), Sorted(data));
        if (round == 0) {
            first = view.calls;
            count = c;
        } else {
            EXPECT_EQ(view.calls, first);
            EXPECT_EQ(c, count);
        }
    }
    EXPECT_GT(first.size(), 3u); // it did shuffle
    // Called on more than its limit (as a headless comparison might), it shuffles nothing.
    Load(Descending(11));
    EXPECT_EQ(Run(Bogo), 0);
    EXPECT_EQ(Data(), Descending(11));
}

TEST_F(EngineTest, LaterRoutinesSortEveryKindOfData)
{
    const Values sets[] = {Random(100, 100), Random(60, 10), Values(30, 42), Descending(31), Ascending(33), {9}, {},
                           Concat(Range(1, 70), Range(1, 70)), {0, 110, 5, -3, 0, 99, -3, 1, 32767, -32768}};
    for (int type : kLater)
        for (const Values& data : sets) {
            if (type == Bogo && data.size() > 7) // 8! orders to shuffle through is enough
                continue;
            SCOPED_TRACE(::testing::Message() << "type " << type << " width " << data.size());
            const bool hostile = &data == &std::end(sets)[-1];
            Load(data, hostile ? 3 : 100);
            SortSet[2] = static_cast<Integer>(data.size() + (hostile ? 50 : 0)); // beyond SortData
            Run(type);
            EXPECT_EQ(Data(), Sorted(data));
            EXPECT_EQ(SortData[0], 0);
            EXPECT_FALSE(Sorting);
            EXPECT_EQ(view.calls.end()[-2], kOff);
            EXPECT_EQ(view.calls.back(), kReport);
        }
}

TEST_F(EngineTest, LaterRoutinesStopWithinOneStep)
{
    // After the step in which Stop came, no step but the closing one; a merge
    // stopped half way still leaves every value in SortData.
    const Values data = Random(40, 30);
    std::vector<std::pair<int, Values>> runs;
    for (int type : kLater)
        runs.push_back({type, type == Bogo ? Values{5, 1, 4, 2, 3, 6} : data});
    runs.push_back({Tim, Concat(Range(33, 64), Range(1, 32))});                      // merging from the left
    runs.push_back({Tim, Concat(Range(33, 64), Concat(Range(1, 16), Range(65, 80)))}); // and from the right
    for (const auto& [type, input] : runs)
        for (int stopAt : {1, 2, 7, 9, 30}) {
            Load(input);
            int seen = 0;
            int after = 0;
            view.onCall = [&](const ViewCall& c) {
                if (c.kind == ViewCall::Line && !Sorting && c != kOff)
                    ++after;
                if (c.kind == ViewCall::Line && ++seen == stopAt)
                    Sorting = false;
            };
            Run(type);
            EXPECT_EQ(after, 0) << "type " << type << " stopped at step " << stopAt;
            EXPECT_EQ(Sorted(Data()), Sorted(input)) << "type " << type << " stopped at step " << stopAt;
            EXPECT_EQ(view.calls.end()[-2], kOff);
        }
}

TEST_F(EngineTest, LaterRoutinesEndOnADataSetRegeneratedUnderThem)
{
    // The toolbar's order buttons replace every value during a step; the
    // width stays. The run must stay inside the arrays and end; the routines
    // that only exchange keep the new values, in some order.
    for (int type : kLater)
        for (int at : {1, 3, 20}) {
            const int w = type == Bogo ? 6 : 200;
            Load(Random(w, 300));
            // 800 lies in a top digit the old values left empty.
            Values fresh = at == 1 ? Random(w, 30000) : at == 3 ? Descending(w) : Values(w, 800);
            fresh[0] = -500;
            int seen = 0;
            view.onCall = [&](const ViewCall& c) {
                if (c.kind == ViewCall::Line && ++seen == at)
                    std::copy(fresh.begin(), fresh.end(), SortData.begin() + 1);
            };
            Run(type);
            EXPECT_FALSE(Sorting) << "type " << type;
            EXPECT_EQ(SortData.size(), static_cast<std::size_t>(w) + 1);
            EXPECT_EQ(view.calls.back(), kReport);
            if (type != BottomUp && type != Tim && seen >= at) {
                EXPECT_EQ(Sorted(Data()), Sorted(fresh)) << "type " << type << " at step " << at;
            }
        }
}
