#include "ui/Random.h"

#include "FixedClock.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace {

std::vector<int> FirstOutputs(unsigned int seed, int count)
{
    CrtSrand(seed);
    std::vector<int> outputs;
    for (int i = 0; i < count; ++i) outputs.push_back(CrtRand());
    return outputs;
}

} // namespace

TEST(CrtRand, MatchesTheCLibraryGenerator)
{
    EXPECT_EQ(FirstOutputs(1, 5), (std::vector<int>{41, 18467, 6334, 26500, 19169}));
    EXPECT_EQ(FirstOutputs(0, 3), (std::vector<int>{38, 7719, 21238}));
    // A large seed wraps the state modulo 2^32.
    EXPECT_EQ(FirstOutputs(0xFFFFFFFFu, 1), (std::vector<int>{((0xFFFFFFFFu * 214013u + 2531011u) >> 16) & 0x7FFF}));
}

TEST(CrtRand, StateIsKeptPerThreadAndStartsAtSeedOne)
{
    CrtSrand(12345);
    std::vector<int> fromThread;
    std::thread([&fromThread] {
        // A thread that never seeded draws as if seeded with 1.
        fromThread.push_back(CrtRand());
        fromThread.push_back(CrtRand());
    }).join();
    EXPECT_EQ(fromThread, (std::vector<int>{41, 18467}));

    const std::vector<int> here = {CrtRand(), CrtRand()};
    EXPECT_EQ(here, std::vector<int>(FirstOutputs(12345, 2)));
}

TEST(RandomIndex, DrawsInTheSameSecondShareOneOutput)
{
    FixedClock clock(1700000000);
    const int output = FirstOutputs(1700000000u, 1)[0];
    ASSERT_NE(output % 5, output % 7);
    EXPECT_EQ(RandomIndex(5), output % 5);
    EXPECT_EQ(RandomIndex(7), output % 7);

    clock.Set(1700000001);
    EXPECT_EQ(RandomIndex(1000), FirstOutputs(1700000001u, 1)[0] % 1000);
}

TEST(RandomIndex, CountBelowOneIsTakenAsOne)
{
    FixedClock clock(42);
    EXPECT_EQ(RandomIndex(0), 0);
    EXPECT_EQ(RandomIndex(-3), 0);
    EXPECT_EQ(CurrentTime(), 42);
}

TEST(RandomIndex, EmptySourceRestoresTheRealClock)
{
    {
        FixedClock clock(5);
        EXPECT_EQ(CurrentTime(), 5);
    }
    const std::time_t before = std::time(nullptr);
    const std::time_t now = CurrentTime();
    EXPECT_GE(now, before);
    EXPECT_LE(now, std::time(nullptr));
}
