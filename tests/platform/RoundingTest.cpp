#include "platform/Rounding.h"

#include <cmath>
#include <gtest/gtest.h>

TEST(Rounding, RoundToWorksOnTheDecimalValueAwayFromZero)
{
    EXPECT_EQ(Rounding::RoundTo(2.5, 0), 3.0);
    EXPECT_EQ(Rounding::RoundTo(-2.5, 0), -3.0);
    EXPECT_EQ(Rounding::RoundTo(12.345, 2), 12.35);  // 12.3449999... as a double
    EXPECT_EQ(Rounding::RoundTo(-12.345, 2), -12.35);
    EXPECT_EQ(Rounding::RoundTo(1.005, 2), 1.01);
    EXPECT_EQ(Rounding::RoundTo(0.125, 2), 0.13);
    EXPECT_EQ(Rounding::RoundTo(123.456, 0), 123.0);
    EXPECT_EQ(Rounding::RoundTo(1234.5, -2), 1200.0);
    EXPECT_EQ(Rounding::RoundTo(0.0001234, 5), 0.00012);
    EXPECT_EQ(Rounding::RoundTo(7.0, 5), 7.0);
    EXPECT_EQ(Rounding::RoundTo(0.0, 3), 0.0);
    EXPECT_EQ(Rounding::RoundTo(0.4, 0), 0.0);
}

TEST(Rounding, RoundToLeavesValuesItCannotScale)
{
    EXPECT_EQ(Rounding::RoundTo(1e20, 10), 1e20);
    EXPECT_EQ(Rounding::RoundTo(1.5, 29), 1.5);
    EXPECT_EQ(Rounding::RoundTo(1e300, 0), 1e300);
    EXPECT_TRUE(std::isnan(Rounding::RoundTo(std::nan(""), 2)));
}
