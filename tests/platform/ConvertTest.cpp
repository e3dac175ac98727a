#include "platform/Convert.h"
#include "support/QtPrint.h"

#include <gtest/gtest.h>

TEST(Convert, RoundsHalvesToEven)
{
    EXPECT_EQ(CInt(0.5), 0);
    EXPECT_EQ(CInt(1.5), 2);
    EXPECT_EQ(CInt(2.5), 2);
    EXPECT_EQ(CInt(-0.5), 0);
    EXPECT_EQ(CInt(-1.5), -2);
    EXPECT_EQ(CInt(-2.5), -2);
    EXPECT_EQ(CInt(2.4999), 2);
    EXPECT_EQ(CInt(2.5001), 3);
    EXPECT_EQ(CLng(3.5), 4);
    EXPECT_EQ(CLng(1700.0 * 100 / 3400), 50);
}

TEST(Convert, HoldsOutOfRangeValuesAtTheEnds)
{
    EXPECT_EQ(CInt(40000.0), 32767);
    EXPECT_EQ(CInt(-40000.0), -32768);
    EXPECT_EQ(CLng(1e12), 2147483647);
}

TEST(Convert, IntIsTheFloor)
{
    EXPECT_EQ(Int(2.7), 2);
    EXPECT_EQ(Int(-0.1), -1);
    EXPECT_EQ(Int(-3.0), -3);
}

TEST(Convert, NumberTextIsPlainDecimalWithSevenDigits)
{
    EXPECT_EQ(NumberText(0.0f), "0");
    EXPECT_EQ(NumberText(3.0f / 100.0f), "0.03");
    EXPECT_EQ(NumberText(5.0f / 100.0f), "0.05");
    EXPECT_EQ(NumberText(10.0f / 100.0f), "0.1");
    EXPECT_EQ(NumberText(103.75f - 100.25f), "3.5");
    EXPECT_EQ(NumberText(1234.0f), "1234");
    EXPECT_EQ(NumberText(6500.0f), "6500");
    EXPECT_EQ(NumberText(-2.25f), "-2.25");
    EXPECT_EQ(NumberText(1.0f / 3.0f), "0.3333333");
    EXPECT_EQ(NumberText(0.00001f), "0.00001");
    EXPECT_EQ(NumberText(123456789.0f), "123456800");
    EXPECT_EQ(NumberText(9.9999999f), "10");
}

TEST(Convert, TextToNumberAcceptsOnlyFiniteNumbersThatFit)
{
    EXPECT_EQ(TextToInteger("15"), 15);
    EXPECT_EQ(TextToInteger(" 7 "), 7);
    EXPECT_EQ(TextToInteger("2.5"), 2);
    EXPECT_EQ(TextToInteger("3.5"), 4);
    EXPECT_EQ(TextToInteger("-32768"), -32768);
    EXPECT_FALSE(TextToInteger("32768"));
    EXPECT_FALSE(TextToInteger("abc"));
    EXPECT_FALSE(TextToInteger(""));
    EXPECT_FALSE(TextToInteger("nan"));
    EXPECT_FALSE(TextToInteger("inf"));
    EXPECT_FALSE(TextToInteger("1,000"));
    EXPECT_EQ(TextToSingle("1000.5"), 1000.5f);
    EXPECT_FALSE(TextToSingle("1e300"));
}
