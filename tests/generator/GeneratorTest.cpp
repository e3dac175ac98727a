#include "engine/FillSource.h"
#include "engine/Module1.h"
#include "platform/Runtime.h"

#include <gtest/gtest.h>

#include <algorithm>

static std::vector<Integer> Generate(int order, int height, int width)
{
    ResetSharedState();
    SortSet = {static_cast<Integer>(order), static_cast<Integer>(height), static_cast<Integer>(width)};
    FillSource();
    return SourceData;
}

// The threshold of the stepped orders at the k-th element visited, width 100:
// the block's top, moved on one element early.
static int Threshold(int k) { return k < 10 ? 10 : (k == 100 ? 110 : (k / 10 + 1) * 10); }

static bool AllWithin(const std::vector<Integer>& v, int low, int high)
{
    return std::all_of(v.begin() + 1, v.end(), [=](Integer x) { return x >= low && x <= high; });
}

TEST(Generator, SortedAndEscalatorOrdersGiveTheirExactValues)
{
    const auto asc = Generate(0, 100, 100), desc = Generate(1, 100, 100);
    const auto up = Generate(4, 100, 100), down = Generate(5, 100, 100);
    ASSERT_EQ(asc.size(), 101u);
    EXPECT_EQ(std::tuple(asc[0], desc[0], up[0], down[0]), std::tuple(0, 0, 0, 0));
    for (int i = 1; i <= 100; ++i) {
        EXPECT_EQ(std::tuple(asc[i], desc[i], up[i], down[i]), std::tuple(i, 101 - i, Threshold(i), 100 - (i - 1) / 10 * 10)) << i;
    }
    // A block length that is not whole: S = 5 for width 50.
    const auto half = Generate(4, 100, 50);
    EXPECT_EQ(std::tuple(half[4], half[5], half[50]), std::tuple(5, 10, 55));
}

TEST(Generator, OddInputsGiveZerosOrAnEmptySet)
{
    for (int order : {9, 42, -1})
        EXPECT_EQ(Generate(order, 100, 20), std::vector<Integer>(21, 0)) << order;
    EXPECT_EQ(Generate(6, 100, 0), std::vector<Integer>{0});
    EXPECT_EQ(Generate(0, 100, -5), std::vector<Integer>{0});
    // The stepped orders pass the 16-bit range at the largest widths: held, not wrapped to negatives.
    EXPECT_TRUE(AllWithin(Generate(5, 100, 32767), 1, 32767));
}
