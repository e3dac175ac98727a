// The comparison counts in the title strip are what users compare the
// routines by, so they must come out to the unit.
#include "EngineFixture.h"

#include <bit>

TEST_F(EngineTest, ComparisonCountsMatchTheKnownFigures)
{
    struct Figure {
        int type;
        Values data;
        std::int32_t count;
    };
    unsigned probes = 0; // ascending: every probe of the sorted prefix goes right
    for (unsigned i = 2; i <= 100; ++i)
        probes += std::bit_width(i - 1);
    const Figure figures[] = {
        {Selection, Ascending(100), 4950}, {Selection, Random(100, 100), 4950},
        {Bubble, Descending(100), 4950},   {Bubble, Random(100, 100), 4950},
        {Insertion, Ascending(100), 99},   {Insertion, Descending(100), 4950 + 99},
        {BinaryInsertion, Ascending(100), static_cast<std::int32_t>(probes)},
        {Merge, Ascending(8), 12},         {Merge, {5, 3}, 1},
        {Heap, Ascending(100), 1380},      {Heap, Descending(100), 1132},
        {Heap, Ascending(2), 6},           {Heap, {7}, 0},
        {Quick, Ascending(100), 5148},     {Quick, Descending(100), 5198},
        {Quick, Ascending(2), 3},          {Lomuto, Ascending(100), 5049},
        {Lomuto, Descending(100), 5049},   {Lomuto, Ascending(2), 2},
        {Stooge, Ascending(8), 121},       {Stooge, Descending(8), 121},
        {Stooge, Ascending(2), 1},         {Counting, Random(50, 100), 0},
        {Radix, Random(50, 100), 0},
    };
    for (const Figure& f : figures) {
        Load(f.data);
        Comparisons = 77;
        EXPECT_EQ(Run(f.type), f.count) << "type " << f.type << " width " << f.data.size();
    }
    // Nothing to compare: the frame alone, and a count of 0.
    for (int type = 0; type <= Radix; ++type) {
        Load({});
        EXPECT_EQ(Run(type), 0) << "type " << type;
        EXPECT_EQ(view.calls.front(), (ViewCall{ViewCall::Reset, 2}));
        EXPECT_EQ(view.calls.back(), (ViewCall{ViewCall::Status}));
    }
}
