#pragma once
// Window timers that fire only when told to, one period at a time, so that
// an animation can be caught frame by frame while it plays.
#include "ui/WindowTimer.h"

#include <algorithm>
#include <vector>

class CSteppedTimers final : public ITimerSource {
public:
    CSteppedTimers() { SetTimerSource(this); }
    ~CSteppedTimers() override { SetTimerSource(nullptr); }
    CSteppedTimers(const CSteppedTimers&) = delete;
    CSteppedTimers& operator=(const CSteppedTimers&) = delete;

    std::unique_ptr<CWindowTimer> CreateTimer(CWindowTimer::Callback callback) override
    {
        return std::make_unique<Timer>(m_timers, std::move(callback));
    }

    // Fires every running timer once, whatever its period.
    void Step()
    {
        const std::vector<Timer*> running = m_timers;
        for (Timer* timer : running)
            if (std::find(m_timers.begin(), m_timers.end(), timer) != m_timers.end() && timer->IsActive()) timer->Fire();
    }

private:
    class Timer final : public CWindowTimer {
    public:
        Timer(std::vector<Timer*>& timers, Callback callback) : m_timers(timers), m_callback(std::move(callback))
        {
            m_timers.push_back(this);
        }
        ~Timer() override { std::erase(m_timers, this); }

        void Start(int, bool singleShot) override
        {
            m_singleShot = singleShot;
            m_active = true;
        }
        void Stop() override { m_active = false; }
        bool IsActive() const override { return m_active; }
        void Fire()
        {
            if (m_singleShot) m_active = false;
            // The callback may destroy this timer.
            const Callback callback = m_callback;
            callback();
        }

    private:
        std::vector<Timer*>& m_timers;
        Callback m_callback;
        bool m_singleShot = false;
        bool m_active = false;
    };

    std::vector<Timer*> m_timers;
};
