// The comparison counts users compare the first routines by, to the unit.
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
