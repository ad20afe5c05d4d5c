#include "ui/Random.h"

#include <mutex>

namespace {

// Like the C library, a thread that never seeded starts from 1.
thread_local unsigned int t_state = 1;

std::mutex g_clockMutex;
std::function<std::time_t()> g_clock;

} // namespace

void CrtSrand(unsigned int seed)
{
    t_state = seed;
}

int CrtRand()
{
    t_state = t_state * 214013u + 2531011u;
    return static_cast<int>((t_state >> 16) & 0x7FFF);
}

int RandomIndex(int n)
{
    if (n < 1) n = 1;
    CrtSrand(static_cast<unsigned int>(CurrentTime()));
    return CrtRand() % n;
}

std::time_t CurrentTime()
{
    std::function<std::time_t()> clock;
    {
        std::lock_guard lock(g_clockMutex);
        clock = g_clock;
    }
    return clock ? clock() : std::time(nullptr);
}

void SetClockSource(std::function<std::time_t()> source)
{
    std::lock_guard lock(g_clockMutex);
    g_clock = std::move(source);
}
