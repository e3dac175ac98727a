#include "engine/FillSource.h"
#include "engine/Module1.h"
#include "platform/Runtime.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

std::vector<Integer> generate(int order, int height, int width)
{
    ResetSharedState();
    SortSet = {static_cast<Integer>(order), static_cast<Integer>(height), static_cast<Integer>(width)};
    FillSource();
    return SourceData;
}

// The threshold of the stepped orders at the k-th element visited, width 100:
// the block's top, moved on one element early.
int threshold(int k) { return k < 10 ? 10 : (k == 100 ? 110 : (k / 10 + 1) * 10); }

} // namespace

TEST(Generator, SortedAndEscalatorOrdersGiveTheirExactValues)
{
    const auto asc = generate(0, 100, 100), desc = generate(1, 100, 100);
    const auto up = generate(4, 100, 100), down = generate(5, 100, 100);
    ASSERT_EQ(asc.size(), 101u);
    for (int i = 0; i <= 100; ++i) {
        EXPECT_EQ(asc[i], i);
        EXPECT_EQ(desc[i], i == 0 ? 0 : 101 - i);
        EXPECT_EQ(up[i], i == 0 ? 0 : threshold(i)) << i;
        EXPECT_EQ(down[i], i == 0 ? 0 : 100 - (i - 1) / 10 * 10) << i;
    }
    // A block length that is not whole: S = 5 for width 50.
    const auto half = generate(4, 100, 50);
    EXPECT_EQ(half[4], 5);
    EXPECT_EQ(half[5], 10);
    EXPECT_EQ(half[50], 55);
}

TEST(Generator, RandomOrdersStayWithinTheirEnvelopes)
{
    const auto almostAsc = generate(2, 100, 100), almostDesc = generate(3, 100, 100);
    const auto randomAsc = generate(7, 100, 100), randomDesc = generate(8, 100, 100);
    for (int i = 1; i <= 100; ++i) {
        const int T = threshold(i), mirrored = threshold(101 - i);
        EXPECT_TRUE(almostAsc[i] >= T - 10 && almostAsc[i] <= T - 1) << i;
        EXPECT_TRUE(almostDesc[i] >= mirrored - 10 && almostDesc[i] <= mirrored - 1) << i;
        EXPECT_TRUE(randomAsc[i] >= 1 && randomAsc[i] <= T) << i;
        EXPECT_TRUE(randomDesc[i] >= 1 && randomDesc[i] <= mirrored) << i;
    }
    const auto random = generate(6, 37, 1000);
    EXPECT_TRUE(std::all_of(random.begin() + 1, random.end(), [](Integer v) { return v >= 1 && v <= 37; }));
    EXPECT_EQ(*std::max_element(random.begin() + 1, random.end()), 37);
}

TEST(Generator, OneDrawPerElementFromTheSharedSequence)
{
    RestartRnd();
    const auto first = generate(6, 100, 10);
    const float next = Rnd();
    RestartRnd();
    EXPECT_EQ(generate(6, 100, 10), first);
    RestartRnd();
    for (int i = 0; i < 10; ++i)
        Rnd();
    EXPECT_EQ(Rnd(), next);
}

TEST(Generator, OddInputsGiveZerosOrAnEmptySet)
{
    for (int order : {9, 42, -1})
        EXPECT_EQ(generate(order, 100, 20), std::vector<Integer>(21, 0)) << order;
    EXPECT_EQ(generate(6, 100, 0), std::vector<Integer>{0});
    EXPECT_EQ(generate(0, 100, -5), std::vector<Integer>{0});
    // The stepped orders pass the 16-bit range at the largest widths; values
    // are held at its end instead of wrapping to negatives.
    const auto wide = generate(5, 100, 32767);
    EXPECT_TRUE(std::all_of(wide.begin() + 1, wide.end(), [](Integer v) { return v > 0; }));
}
