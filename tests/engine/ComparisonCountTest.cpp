// The comparison counts the title strip shows are what users compare the
// routines by, so they must come out to the unit.
#include "EngineFixture.h"

#include <bit>

namespace {
enum Type { Selection, Bubble, Insertion, BinaryInsertion, Merge, Heap, Quick, RandomQuick, Lomuto, Stooge, Counting, Radix };
}

TEST_F(EngineTest, QuadraticSortsCountEveryPairOrEveryLoopTest)
{
    for (int type : {Selection, Bubble}) {
        for (const auto& data : {Ascending(100), Descending(100), Random(100, 100)}) {
            Load(data);
            EXPECT_EQ(Run(type), 4950) << "type " << type;
        }
    }
    Load(Ascending(100));
    EXPECT_EQ(Run(Insertion), 99);
    Load(Descending(100));
    EXPECT_EQ(Run(Insertion), 100 * 99 / 2 + 99);

    // Ascending: each insertion probes a sorted prefix of i - 1 values, all
    // below the key, so the search always goes right.
    Load(Ascending(100));
    int probes = 0;
    for (unsigned i = 2; i <= 100; ++i)
        probes += std::bit_width(i - 1);
    EXPECT_EQ(Run(BinaryInsertion), probes);
}

TEST_F(EngineTest, QuickSortsCountEveryVisitedElement)
{
    Load(Ascending(100));
    EXPECT_EQ(Run(Quick), 5148);
    Load(Descending(100));
    EXPECT_EQ(Run(Quick), 5198);
    Load(Ascending(100));
    EXPECT_EQ(Run(Lomuto), 5049);
    Load(Descending(100));
    EXPECT_EQ(Run(Lomuto), 5049);
    Load(Ascending(2));
    EXPECT_EQ(Run(Quick), 3);
    Load(Ascending(2));
    EXPECT_EQ(Run(Lomuto), 2);
}

TEST_F(EngineTest, HeapSortCountsTwoPerSiftCall)
{
    Load(Ascending(100));
    EXPECT_EQ(Run(Heap), 1380);
    Load(Descending(100));
    EXPECT_EQ(Run(Heap), 1132);
    Load(Ascending(2));
    EXPECT_EQ(Run(Heap), 6);
    EXPECT_EQ(HeapSize, 1);
    // Width 1: the build starts at the rounded half, 0, and nothing is sifted.
    Load({7});
    EXPECT_EQ(Run(Heap), 0);
}

TEST_F(EngineTest, StoogeSortCountsOnePerCall)
{
    Load(Ascending(8));
    EXPECT_EQ(Run(Stooge), 121);
    Load(Descending(8));
    EXPECT_EQ(Run(Stooge), 121);
    Load(Ascending(2));
    EXPECT_EQ(Run(Stooge), 1);
}

TEST_F(EngineTest, MergeSortCountsTakesWhileBothRunsLast)
{
    Load(Ascending(8));
    EXPECT_EQ(Run(Merge), 12);
    Load({5, 3});
    EXPECT_EQ(Run(Merge), 1);
}

TEST_F(EngineTest, NothingToCompareReportsZero)
{
    for (int type = 0; type < kRunningTypes; ++type) {
        for (const auto& data : {std::vector<int>{}, std::vector<int>{4}}) {
            Load(data);
            Comparisons = 77;
            // A one-element Stooge range still compares its ends (both the same).
            const int expected = (type == Stooge && data.size() == 1) ? 1 : 0;
            EXPECT_EQ(Run(type), expected) << "type " << type << " width " << data.size();
        }
    }
    // The counting routines never compare, whatever the data.
    for (int type : {Counting, Radix}) {
        Load(Random(50, 100));
        EXPECT_EQ(Run(type), 0);
    }
}
