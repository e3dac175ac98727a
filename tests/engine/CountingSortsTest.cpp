// Counting Sort and Radix Sort: counters that cover every value, stable
// placing from the right, and no index outside CountData or AuxData.
#include "EngineFixture.h"

TEST_F(EngineTest, CountingSortCountsSumsAndPlacesStably)
{
    Load({3, 1, 2, 3, 1}, 5);
    std::vector<Integer> afterCounting;
    std::vector<Integer> atFirstPlacing;
    std::vector<int> placedAt;
    view.onCall = [&](const ViewCall& c) {
        if (c.kind != ViewCall::Plot)
            return;
        if (c.b == 0 && c.a == 5)
            afterCounting.assign(CountData.begin() + 1, CountData.begin() + 4);
        if (c.b == 1) {
            if (placedAt.empty())
                atFirstPlacing.assign(CountData.begin() + 1, CountData.begin() + 4);
            placedAt.push_back(c.a);
            EXPECT_EQ(AuxData[c.a], SortData[6 - static_cast<int>(placedAt.size())]) << "bar drawn from AuxData";
        }
    };
    Run(10);
    EXPECT_EQ(afterCounting, (std::vector<Integer>{2, 1, 2}));
    EXPECT_EQ(atFirstPlacing, (std::vector<Integer>{2, 3, 5}));
    // From the right: the second 1 to position 2, the first to 1; the second
    // 3 to 5, the first to 4. Equal values keep their order.
    EXPECT_EQ(placedAt, (std::vector<int>{2, 5, 3, 1, 4}));
    EXPECT_EQ(Data(), (std::vector<int>{1, 1, 2, 3, 3}));
    EXPECT_EQ(std::vector<int>(AuxData.begin() + 1, AuxData.end()), Data());
}

TEST_F(EngineTest, CountingSortPlacesValuesOutsideOneToHeight)
{
    // Above the height, above the width, zeros (which go before the ones) and
    // drawn negatives: all counted, all placed, nothing written out of bounds.
    const std::vector<int> data{50, 3, 0, 7, 1, -4, 50, 0, 2, 110, -32768, 32767};
    Load(data, 5);
    Run(10);
    std::vector<int> sorted = data;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(Data(), sorted);
    EXPECT_EQ(CountCalls(ViewCall::Plot), 2 * static_cast<int>(data.size()));
    EXPECT_EQ(SortData[0], 0);

    // Width above the height and height above the width.
    for (int height : {3, 400}) {
        const std::vector<int> more = Random(50, 100);
        Load(more, height);
        Run(10);
        std::vector<int> expected = more;
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(Data(), expected) << "height " << height;
    }
}

TEST_F(EngineTest, RadixSortOrdersByDigitZeroFirst)
{
    const std::vector<std::pair<std::vector<int>, std::vector<int>>> cases = {
        {{3, 1, 2}, {1, 2, 3}},
        {{5, 10, 1}, {1, 5, 10}},
        {{12, 5, 100, 7, 30}, {5, 7, 12, 30, 100}},
        {{-5, 3, -20, 0, 999}, {-20, -5, 0, 3, 999}},
        {{1234, 999, 5000, 1, 1000}, {1, 999, 1000, 1234, 5000}},
        {{32767, -32768, 0}, {-32768, 0, 32767}},
    };
    for (const auto& [data, sorted] : cases) {
        view.calls.clear();
        Load(data);
        Run(11);
        EXPECT_EQ(Data(), sorted);
    }
    // Digits run to the largest value's: five passes for the last case; at
    // least three whatever the data.
    EXPECT_EQ(CountCalls(ViewCall::Reset), 5);
    view.calls.clear();
    Load({1, 2});
    Run(11);
    EXPECT_EQ(CountCalls(ViewCall::Reset), 3);
    EXPECT_EQ(CountCalls(ViewCall::Status), 3);
}

TEST_F(EngineTest, RadixPassIsStableByItsDigit)
{
    // Sorting by the units alone keeps the tens in their order: 21 before 11
    // and 32 before 12, as they stood.
    Load({21, 32, 11, 12, 40});
    Sorting = true;
    {
        ScopedView scoped(view);
        RadixPass(1, 0);
    }
    EXPECT_EQ(Data(), (std::vector<int>{40, 21, 11, 32, 12}));
    EXPECT_FALSE(Sorting);
}
