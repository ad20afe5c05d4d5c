#pragma once
// A clock for window timers that only moves when the test says so. While one
// lives, every CWindowTimer made comes from it; Advance(ms) then fires the
// timers that fall due, in time order, as a minute of play would.
#include "ui/WindowTimer.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

class ManualTimers final : public ITimerSource {
public:
    ManualTimers() : m_state(std::make_shared<State>()) { SetTimerSource(this); }
    ~ManualTimers() override { SetTimerSource(nullptr); }
    ManualTimers(const ManualTimers&) = delete;
    ManualTimers& operator=(const ManualTimers&) = delete;

    std::unique_ptr<CWindowTimer> CreateTimer(CWindowTimer::Callback callback) override
    {
        return std::make_unique<Timer>(m_state, std::move(callback));
    }

    // Moves the clock on by `ms`, firing every timer that falls due on the
    // way, earliest first (two at the same moment in the order they were
    // started), timers started or stopped by a callback included.
    void Advance(std::int64_t ms)
    {
        const std::int64_t target = m_state->now + ms;
        while (Timer* timer = NextDue(target)) {
            m_state->now = timer->m_due;
            if (timer->m_singleShot) timer->m_active = false;
            else timer->m_due += timer->m_interval;
            // The callback may destroy its own timer, so it runs from a copy.
            const CWindowTimer::Callback callback = timer->m_callback;
            callback();
        }
        m_state->now = target;
    }

    std::int64_t Now() const { return m_state->now; }
    // How many timers are running.
    int ActiveCount() const
    {
        return static_cast<int>(std::count_if(m_state->timers.begin(), m_state->timers.end(),
                                              [](const Timer* timer) { return timer->m_active; }));
    }

private:
    class Timer;
    // Shared with the timers, so that a timer outliving the source is safe.
    struct State {
        std::int64_t now = 0;
        std::uint64_t starts = 0;
        std::vector<Timer*> timers;
    };

    class Timer final : public CWindowTimer {
    public:
        Timer(std::shared_ptr<State> state, Callback callback) : m_state(std::move(state)), m_callback(std::move(callback))
        {
            m_state->timers.push_back(this);
        }
        ~Timer() override { std::erase(m_state->timers, this); }

        void Start(int intervalMs, bool singleShot) override
        {
            // A zero interval would fire forever within one Advance.
            m_interval = std::max(1, intervalMs);
            m_singleShot = singleShot;
            m_due = m_state->now + m_interval;
            m_order = ++m_state->starts;
            m_active = true;
        }
        void Stop() override { m_active = false; }
        bool IsActive() const override { return m_active; }

        std::shared_ptr<State> m_state;
        Callback m_callback;
        int m_interval = 0;
        bool m_singleShot = false;
        bool m_active = false;
        std::int64_t m_due = 0;
        std::uint64_t m_order = 0;
    };

    Timer* NextDue(std::int64_t target) const
    {
        Timer* next = nullptr;
        for (Timer* timer : m_state->timers) {
            if (!timer->m_active || timer->m_due > target) continue;
            if (!next || timer->m_due < next->m_due || (timer->m_due == next->m_due && timer->m_order < next->m_order))
                next = timer;
        }
        return next;
    }

    std::shared_ptr<State> m_state;
};
