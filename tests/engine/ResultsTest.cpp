// What a run leaves behind: the comparison counts users compare the routines
// by (to the unit), ascending data with element 0 untouched, and no reach
// outside the arrays whatever the values.
#include "EngineFixture.h"

TEST_F(EngineTest, ComparisonCountsMatchTheKnownFigures)
{
    // Binary Insertion on ascending data: every probe goes right, bit_width(1..99) probes in all.
    // Equal values: Insertion stops at the first, Heap Sort's sift keeps the parent (2 per call).
    const std::tuple<int, Values, std::int64_t> figures[] = {
        {Selection, Ascending(100), 4950}, {Selection, Random(100, 100), 4950}, {Bubble, Descending(100), 4950},
        {Bubble, Random(100, 100), 4950},  {Insertion, Ascending(100), 99},     {Insertion, Descending(100), 4950 + 99},
        {Insertion, Values(100, 7), 99},   {BinaryInsertion, Ascending(100), 573},  {Merge, Ascending(8), 12},
        {Merge, {5, 3}, 1},                {Heap, Ascending(100), 1380},       {Heap, Descending(100), 1132},
        {Heap, Values(100, 7), 298},       {Heap, {4, 4, 9, 9, 1}, 20},        {Heap, Ascending(2), 6},
        {Heap, {7}, 0},                    {Quick, Ascending(100), 5148},      {Quick, Descending(100), 5198},
        {Quick, Ascending(2), 3},          {Lomuto, Ascending(100), 5049},     {Lomuto, Descending(100), 5049},
        {Lomuto, Values(100, 7), 5049},    {Lomuto, Ascending(2), 2},          {Stooge, Ascending(8), 121},
        {Stooge, Descending(8), 121},      {Stooge, Ascending(2), 1},          {Counting, Random(50, 100), 0},
        {Radix, Random(50, 100), 0},
    };
    for (const auto& [type, data, count] : figures) {
        Load(data);
        EXPECT_EQ(Run(type), count) << "type " << type << " width " << data.size();
    }
}

TEST_F(EngineTest, EveryRoutineSortsVariedDataInsideItsFrame)
{
    // The last set: hostile values, a height below the width, a width setting beyond SortData.
    const Values sets[] = {Random(100, 100), Random(60, 10), Values(30, 42), Descending(31), {9}, {},
                           {0, 110, 5, -3, 0, 99, -3, 1, 32767, -32768}};
    for (int type = 0; type <= Radix; ++type)
        for (const Values& data : sets) {
            SCOPED_TRACE(::testing::Message() << "type " << type << " width " << data.size());
            const bool hostile = &data == &sets[6];
            Load(data, hostile ? 3 : 100);
            SortSet[2] = static_cast<Integer>(data.size() + (hostile ? 50 : 0));
            Run(type);
            EXPECT_EQ(Data(), Sorted(data));
            EXPECT_EQ(SortData[0], 0);
            EXPECT_FALSE(Sorting);
            EXPECT_EQ(view.calls.front(), kOpen);
            EXPECT_EQ(view.calls.back(), kReport);
            // Markers off the data before the report (the counting routines have none).
            EXPECT_EQ(view.calls.end()[-2] == kOff, type < Counting);
        }
}
