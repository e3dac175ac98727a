// Every routine that runs to its end leaves SortData(1..W) ascending with the
// same values and element 0 untouched, whatever the data, and stays inside
// its arrays even when a handler replaces the data during a step.
#include "EngineFixture.h"

TEST_F(EngineTest, EveryRoutineSortsVariedData)
{
    const Values sets[] = {Random(100, 100), Random(60, 10), Values(30, 42), Descending(31), {9}, {},
                           {0, 110, 5, -3, 0, 99, -3, 1, 32767, -32768}};
    for (int type = 0; type <= Radix; ++type) {
        for (const Values& data : sets) {
            Load(data);
            Run(type);
            EXPECT_EQ(Data(), Sorted(data)) << "type " << type;
            EXPECT_EQ(SortData[0], 0) << "type " << type;
            EXPECT_FALSE(Sorting) << "type " << type;
            // Markers off the data before the report (the counting routines have none).
            if (type < Counting && !data.empty()) {
                EXPECT_EQ(view.calls.end()[-2], (ViewCall{ViewCall::Line, 0, 0, 0})) << "type " << type;
            }
        }
    }
}

TEST_F(EngineTest, RoutinesStayInBoundsWhenDataChangeDuringSteps)
{
    for (int type = 0; type <= Radix; ++type) {
        for (int every : {1, 3, 7}) {
            Load(Random(30, 30), 30);
            int n = 0;
            view.onCall = [&](const ViewCall&) {
                if (++n % every == 0)
                    for (std::size_t i = 1; i < SortData.size(); ++i) {
                        const float r = Rnd();
                        SortData[i] = r < 0.1f ? -32768 : r > 0.9f ? 32767 : static_cast<Integer>(r * 60 - 15);
                    }
            };
            Run(type);
            EXPECT_EQ(SortData.size(), 31u);
            EXPECT_EQ(SortData[0], 0) << "type " << type;
            EXPECT_EQ(view.calls.back().kind, ViewCall::Status) << "type " << type;
        }
    }
    // A width setting beyond SortData bounds the run by SortData.
    view.onCall = nullptr;
    for (int type = 0; type <= Radix; ++type) {
        Load({4, 2, 3, 1});
        SortSet[2] = 9;
        Run(type);
        EXPECT_EQ(Data(), (Values{1, 2, 3, 4})) << "type " << type;
    }
}
