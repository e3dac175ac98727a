// Every routine that runs to its end leaves SortData(1..W) ascending, holding
// the same values, with the parked element 0 untouched.
#include "EngineFixture.h"

namespace {
void ExpectSortedPermutation(const std::vector<int>& before, const std::vector<int>& after, int type)
{
    std::vector<int> expected = before;
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(after, expected) << "type " << type;
}
} // namespace

TEST_F(EngineTest, EveryRoutineSortsVariedData)
{
    const std::vector<std::vector<int>> sets = {
        Random(100, 100),
        Random(60, 10),                  // many duplicates
        std::vector<int>(30, 42),        // all equal
        {0, 110, 5, -3, 0, 99, -3, 1},   // generator zeros, values above height, drawn negatives
        Descending(31),
        {9},
        {},
    };
    for (int type = 0; type < kRunningTypes; ++type) {
        for (const auto& data : sets) {
            Load(data);
            Run(type);
            ExpectSortedPermutation(data, Data(), type);
            EXPECT_EQ(SortData[0], 0) << "type " << type;
            EXPECT_FALSE(Sorting) << "type " << type;
        }
    }
}

TEST_F(EngineTest, RandomizedQuickSortSortsLargeAndSkewedData)
{
    std::vector<int> data = Random(1000, 1000);
    data.insert(data.end(), 200, 500);
    Load(data, 1000);
    Run(7);
    ExpectSortedPermutation(data, Data(), 7);
}

TEST_F(EngineTest, RunsFrameEveryRoutineTheSameWay)
{
    for (int type = 0; type < kRunningTypes; ++type) {
        view.calls.clear();
        Load(Random(12, 20));
        Run(type);
        ASSERT_GE(view.calls.size(), 2u);
        EXPECT_EQ(view.calls.front(), (ViewCall{ViewCall::Reset, 2, 0, 0})) << "type " << type;
        EXPECT_EQ(view.calls.back(), (ViewCall{ViewCall::Status, 0, 0, 0})) << "type " << type;
        const ViewCall& beforeStatus = view.calls[view.calls.size() - 2];
        if (type < kComparingTypes) {
            // Markers off the data just before the report; no bars of AuxData.
            EXPECT_EQ(beforeStatus, (ViewCall{ViewCall::Line, 0, 0, 0})) << "type " << type;
            EXPECT_EQ(CountCalls(ViewCall::Plot), 0) << "type " << type;
        } else {
            EXPECT_EQ(beforeStatus.kind, ViewCall::Plot) << "type " << type;
            EXPECT_EQ(CountCalls(ViewCall::Line), 0) << "type " << type;
        }
    }
}
