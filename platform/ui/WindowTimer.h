#pragma once
// Window timers and delayed steps. Controls never use QTimer directly: they
// ask for a CWindowTimer, which runs on Qt's timers in the program and on a
// manual clock in the tests, so that a 60-second countdown runs in
// milliseconds there without the control behaving any differently.
#include <functional>
#include <memory>

class CWindowTimer {
public:
    using Callback = std::function<void()>;

    // A stopped timer from the current source; `callback` runs on the thread
    // that owns the timer each time it fires.
    static std::unique_ptr<CWindowTimer> Create(Callback callback);

    virtual ~CWindowTimer() = default;
    // Starts, or restarts with a new phase, firing every `intervalMs` (only
    // once when `singleShot`).
    virtual void Start(int intervalMs, bool singleShot = false) = 0;
    virtual void Stop() = 0;
    virtual bool IsActive() const = 0;
};

// Where timers come from.
class ITimerSource {
public:
    virtual ~ITimerSource() = default;
    virtual std::unique_ptr<CWindowTimer> CreateTimer(CWindowTimer::Callback callback) = 0;
};

// Replaces the source of new timers; nullptr restores Qt's timers. Timers
// made before keep running on the source that made them.
void SetTimerSource(ITimerSource* source);
