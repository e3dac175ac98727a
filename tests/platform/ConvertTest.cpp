// The conversions whose odd cases the rest of the tests do not reach:
// negative halves and floors, and the seven-digit text of times and places.
#include "platform/Convert.h"
#include "support/QtPrint.h"

#include <gtest/gtest.h>

TEST(Convert, WholeNumbersRoundHalvesToEvenAndHoldAtTheEnds)
{
    for (const auto& [x, whole] : {std::pair{0.5, 0}, {1.5, 2}, {2.5, 2}, {-0.5, 0}, {-1.5, -2}, {-2.5, -2}, {2.4999, 2},
                                   {2.5001, 3}, {40000.0, 32767}, {-40000.0, -32768}})
        EXPECT_EQ(CInt(x), whole) << x;
    EXPECT_EQ(CLng(1700.0 * 100 / 3400), 50);
    EXPECT_EQ(CLng(1e12), 2147483647);
    EXPECT_EQ(std::tuple(Int(2.7), Int(-0.1), Int(-3.0)), std::tuple(2.0, -1.0, -3.0));
}

TEST(Convert, TextsArePlainDecimalWithSevenDigitsAndReadOnlyWhenTheyFit)
{
    for (const auto& [x, text] : {std::pair{0.0f, "0"}, {-2.25f, "-2.25"}, {1.0f / 3.0f, "0.3333333"}, {0.00001f, "0.00001"},
                                  {123456789.0f, "123456800"}, {9.9999999f, "10"}, {6500.0f, "6500"}})
        EXPECT_EQ(NumberText(x), text);
    EXPECT_EQ(TextToInteger("-32768"), -32768);
    for (const char* bad : {"32768", "nan", "inf"})
        EXPECT_FALSE(TextToInteger(bad)) << bad;
    EXPECT_EQ(TextToSingle("1000.5"), 1000.5f);
    EXPECT_FALSE(TextToSingle("1e300"));
}
