// The toolbar's order buttons may put a new data set of the same width into
// SortData while a routine is paused in a step. Every routine must go on
// within its arrays and come to an end.
#include "EngineFixture.h"

TEST_F(EngineTest, RoutinesSurviveDataReplacedDuringSteps)
{
    for (int type = 0; type < kRunningTypes; ++type) {
        for (int every : {1, 3, 7}) {
            view.calls.clear();
            Load(Random(30, 30), 30);
            int n = 0;
            view.onCall = [&](const ViewCall&) {
                if (++n % every)
                    return;
                // Extremes as well as ordinary values.
                for (std::size_t i = 1; i < SortData.size(); ++i) {
                    const float r = Rnd();
                    SortData[i] = r < 0.1f ? -32768 : r > 0.9f ? 32767 : static_cast<Integer>(r * 60 - 15);
                }
            };
            Run(type);
            view.onCall = nullptr;
            EXPECT_EQ(SortData.size(), 31u) << "type " << type;
            EXPECT_EQ(SortData[0], 0) << "type " << type;
            EXPECT_FALSE(Sorting) << "type " << type;
            EXPECT_EQ(view.calls.back().kind, ViewCall::Status) << "type " << type;
        }
    }
}

TEST_F(EngineTest, RoutinesStayInsideAShortWorkingCopy)
{
    // A width setting beyond SortData (never the case when the window keeps
    // them together) bounds the run by SortData instead.
    for (int type = 0; type < kRunningTypes; ++type) {
        Load({4, 2, 3, 1});
        SortSet[2] = 9;
        Run(type);
        EXPECT_EQ(Data(), (std::vector<int>{1, 2, 3, 4})) << "type " << type;
        EXPECT_EQ(SortData.size(), 5u);
    }
}
