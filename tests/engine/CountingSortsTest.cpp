// Counting Sort and Radix Sort: counters that cover every value, stable
// placing from the right, and ascending results for any value.
#include "EngineFixture.h"

TEST_F(EngineTest, CountingSortCountsSumsAndPlacesStably)
{
    Load({3, 1, 2, 3, 1}, 5);
    std::vector<Integer> counts, sums;
    Values placedAt;
    view.onCall = [&](const ViewCall& c) {
        if (c.kind == ViewCall::Plot && c.b == 0 && c.a == 5)
            counts.assign(CountData.begin() + 1, CountData.begin() + 4);
        if (c.kind == ViewCall::Plot && c.b == 1) {
            if (placedAt.empty())
                sums.assign(CountData.begin() + 1, CountData.begin() + 4);
            placedAt.push_back(c.a);
        }
    };
    Run(Counting);
    EXPECT_EQ(counts, (std::vector<Integer>{2, 1, 2}));
    EXPECT_EQ(sums, (std::vector<Integer>{2, 3, 5}));
    // From the right: the second 1 to position 2 and the first to 1, the
    // second 3 to 5 and the first to 4, so equal values keep their order.
    EXPECT_EQ(placedAt, (Values{2, 5, 3, 1, 4}));
    EXPECT_EQ(Data(), (Values{1, 1, 2, 3, 3}));
    EXPECT_EQ(Values(AuxData.begin() + 1, AuxData.end()), Data());

    // Values above the height and the width, zeros (before the ones) and
    // negatives are all counted and placed; heights above and below the width.
    for (int height : {5, 3, 400}) {
        Values data = Random(50, 100);
        data.insert(data.end(), {50, 0, 110, -4, 0, 1, -32768, 32767});
        Load(data, height);
        Run(Counting);
        EXPECT_EQ(Data(), Sorted(data)) << "height " << height;
        EXPECT_EQ(Count(ViewCall::Plot), 2 * static_cast<int>(data.size()));
    }
}

TEST_F(EngineTest, RadixSortOrdersByDigitsZeroFirstOverAsManyPassesAsNeeded)
{
    const std::pair<Values, int> cases[] = {
        {{3, 1, 2}, 3},          {{5, 10, 1}, 3},          {{12, 5, 100, 7, 30}, 3},
        {{-5, 3, -20, 0, 999}, 4}, // digits of v + 20: 1019 needs four
        {{1234, 999, 5000, 1}, 4}, {{32767, -32768, 0}, 5},
    };
    for (const auto& [data, passes] : cases) {
        Load(data);
        Run(Radix);
        EXPECT_EQ(Data(), Sorted(data));
        EXPECT_EQ(Count(ViewCall::Reset), passes);
        EXPECT_EQ(Count(ViewCall::Status), passes);
    }
    // One pass alone is stable by its digit: the tens keep their order.
    Load({21, 32, 11, 12, 40});
    RadixPass(1, 0);
    EXPECT_EQ(Data(), (Values{40, 21, 11, 32, 12}));
}
