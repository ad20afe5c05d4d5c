#include "ui/WindowTimer.h"

#include <QObject>
#include <QTimer>

namespace {

// The program's timers: a QTimer on the thread that made it, so the callback
// runs inside that thread's event loop like a window's timer message.
class CQtWindowTimer final : public CWindowTimer {
public:
    explicit CQtWindowTimer(Callback callback) : m_callback(std::move(callback))
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] { m_callback(); });
    }

    void Start(int intervalMs, bool singleShot) override
    {
        m_timer.setSingleShot(singleShot);
        m_timer.start(intervalMs);
    }
    void Stop() override { m_timer.stop(); }
    bool IsActive() const override { return m_timer.isActive(); }

private:
    Callback m_callback;
    QTimer m_timer;
};

ITimerSource* g_timerSource = nullptr;

} // namespace

std::unique_ptr<CWindowTimer> CWindowTimer::Create(Callback callback)
{
    if (g_timerSource) return g_timerSource->CreateTimer(std::move(callback));
    return std::make_unique<CQtWindowTimer>(std::move(callback));
}

void SetTimerSource(ITimerSource* source)
{
    g_timerSource = source;
}
