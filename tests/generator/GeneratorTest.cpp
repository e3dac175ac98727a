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

std::vector<Integer> run(Integer value, int count)
{
    return std::vector<Integer>(static_cast<std::size_t>(count), value);
}

// The values of positions first..last of a data set.
std::vector<Integer> slice(const std::vector<Integer>& data, int first, int last)
{
    return std::vector<Integer>(data.begin() + first, data.begin() + last + 1);
}

} // namespace

TEST(Generator, SortedOrdersCountUpAndDown)
{
    const auto asc = generate(0, 100, 100);
    ASSERT_EQ(asc.size(), 101u);
    for (int i = 0; i <= 100; ++i)
        EXPECT_EQ(asc[i], i);

    const auto desc = generate(1, 100, 100);
    EXPECT_EQ(desc[0], 0);
    EXPECT_EQ(desc[1], 100);
    EXPECT_EQ(desc[100], 1);
}

TEST(Generator, EscalatorsMoveTheThresholdBeforeTheValue)
{
    const auto up = generate(4, 100, 100);
    EXPECT_EQ(slice(up, 1, 9), run(10, 9));
    for (int block = 2; block <= 10; ++block)
        EXPECT_EQ(slice(up, block * 10 - 10, block * 10 - 1), run(static_cast<Integer>(block * 10), 10)) << block;
    EXPECT_EQ(up[100], 110);

    const auto down = generate(5, 100, 100);
    EXPECT_EQ(down[1], 100);
    EXPECT_EQ(down[100], 10);
    for (int block = 0; block < 10; ++block)
        EXPECT_EQ(slice(down, block * 10 + 1, block * 10 + 10), run(static_cast<Integer>(100 - block * 10), 10));

    // A block length that is not whole: S = 5 for width 50.
    const auto half = generate(4, 100, 50);
    EXPECT_EQ(slice(half, 1, 4), run(5, 4));
    EXPECT_EQ(slice(half, 5, 9), run(10, 5));
    EXPECT_EQ(half[50], 55);
}

TEST(Generator, AlmostOrdersRiseBlockByBlock)
{
    const auto asc = generate(2, 100, 100);
    for (int i = 1; i <= 100; ++i) {
        const int T = i < 10 ? 10 : (i == 100 ? 110 : (i / 10 + 1) * 10);
        EXPECT_GE(asc[i], T - 10) << i;
        EXPECT_LE(asc[i], T - 1) << i;
    }
    // The mirror fills from the right end.
    const auto desc = generate(3, 100, 100);
    for (int i = 1; i <= 100; ++i) {
        const int k = 100 - i + 1;
        const int T = k < 10 ? 10 : (k == 100 ? 110 : (k / 10 + 1) * 10);
        EXPECT_GE(desc[i], T - 10) << i;
        EXPECT_LE(desc[i], T - 1) << i;
    }
}

TEST(Generator, RandomOrdersStayWithinTheirEnvelopes)
{
    const auto random = generate(6, 37, 1000);
    EXPECT_TRUE(std::all_of(random.begin() + 1, random.end(), [](Integer v) { return v >= 1 && v <= 37; }));
    EXPECT_EQ(*std::max_element(random.begin() + 1, random.end()), 37);

    const auto asc = generate(7, 100, 100);
    for (int i = 1; i <= 100; ++i) {
        const int T = i < 10 ? 10 : (i == 100 ? 110 : (i / 10 + 1) * 10);
        EXPECT_GE(asc[i], 1);
        EXPECT_LE(asc[i], T) << i;
    }
    const auto desc = generate(8, 100, 100);
    EXPECT_LE(desc[100], 10);
    EXPECT_LE(desc[1], 110);
}

TEST(Generator, SameSequenceAfterRestartAndOneDrawPerElement)
{
    RestartRnd();
    const auto first = generate(6, 100, 100);
    RestartRnd();
    const auto again = generate(6, 100, 100);
    EXPECT_EQ(first, again);

    // Each random element draws exactly one number, in visiting order.
    RestartRnd();
    generate(6, 100, 10);
    const float next = Rnd();
    RestartRnd();
    for (int i = 0; i < 10; ++i)
        Rnd();
    EXPECT_EQ(Rnd(), next);
}

TEST(Generator, OddInputsGiveZerosOrAnEmptySet)
{
    for (int order : {9, 42, -1}) {
        const auto data = generate(order, 100, 20);
        EXPECT_EQ(data, std::vector<Integer>(21, 0)) << order;
    }
    EXPECT_EQ(generate(6, 100, 0), std::vector<Integer>{0});
    EXPECT_EQ(generate(0, 100, -5), std::vector<Integer>{0});
    // The stepped orders pass the 16-bit range at the largest widths; values
    // are held at its end instead of wrapping to negatives.
    const auto wide = generate(5, 100, 32767);
    EXPECT_TRUE(std::all_of(wide.begin() + 1, wide.end(), [](Integer v) { return v > 0; }));
}
