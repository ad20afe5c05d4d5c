#pragma once
// Stops the clock that seeds every random draw, so that draws are known.
#include "ui/Random.h"

#include <ctime>

class FixedClock {
public:
    explicit FixedClock(std::time_t now) : m_now(now)
    {
        SetClockSource([this] { return m_now; });
    }
    ~FixedClock() { SetClockSource({}); }
    FixedClock(const FixedClock&) = delete;
    FixedClock& operator=(const FixedClock&) = delete;

    void Set(std::time_t now) { m_now = now; }
    // The index RandomIndex(n) draws at the current time.
    int Draw(int n) const
    {
        CrtSrand(static_cast<unsigned>(m_now));
        return CrtRand() % n;
    }

private:
    std::time_t m_now;
};
