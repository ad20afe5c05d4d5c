#include "ui/MulDiv.h"

#include <gtest/gtest.h>

#include <climits>

TEST(MulDiv, HalvesRoundAwayFromZeroWhateverTheSigns)
{
    EXPECT_EQ(MulDiv(5, 1, 2), 3);
    EXPECT_EQ(MulDiv(-5, 1, 2), -3);
    EXPECT_EQ(MulDiv(5, -1, 2), -3);
    EXPECT_EQ(MulDiv(5, 1, -2), -3);
    EXPECT_EQ(MulDiv(-5, 1, -2), 3);
    // Below and above a half.
    EXPECT_EQ(MulDiv(1, 1, 3), 0);
    EXPECT_EQ(MulDiv(2, 1, 3), 1);
    EXPECT_EQ(MulDiv(-2, 1, 3), -1);
    // Dialog units and the countdown of the game.
    EXPECT_EQ(MulDiv(348, 3, 2), 522);
    EXPECT_EQ(MulDiv(307, 13, 8), 499);
    EXPECT_EQ(MulDiv(50, 75, 100), 38);
}

TEST(MulDiv, ProductBeyond32BitsIsKept)
{
    EXPECT_EQ(MulDiv(100000, 100000, 100000), 100000);
    EXPECT_EQ(MulDiv(INT_MAX, INT_MAX, INT_MAX), INT_MAX);
    EXPECT_EQ(MulDiv(INT_MIN, INT_MIN, INT_MIN), INT_MIN);
    EXPECT_EQ(MulDiv(INT_MIN, 1, 1), INT_MIN);
}

TEST(MulDiv, ZeroDivisorAndOverflowGiveMinusOne)
{
    EXPECT_EQ(MulDiv(5, 1, 0), -1);
    EXPECT_EQ(MulDiv(0, 0, 0), -1);
    EXPECT_EQ(MulDiv(INT_MAX, 2, 1), -1);
    EXPECT_EQ(MulDiv(INT_MIN, -1, 1), -1);
    EXPECT_EQ(MulDiv(INT_MIN, 2, 1), -1);
}
