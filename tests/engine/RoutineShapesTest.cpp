// Bottom-up Merge, Tim, Dual-Pivot, Three-Way, Intro, MSD Radix, Bitonic,
// Odd-Even Merge and Bogo Sort: counts worked out by hand that say each is
// the routine it claims to be, and the shapes that set them apart.
#include "EngineFixture.h"

#include <cmath>


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
