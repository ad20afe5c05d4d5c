#include "ManualTimers.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <gtest/gtest.h>

#include <string>

namespace {

// The gauges' tests stand on this clock, so it must fire timers exactly as a
// real clock would order them.
TEST(ManualTimersTest, FiresDueTimersInTimeOrderIncludingThoseStartedOnTheWay)
{
    ManualTimers timers;
    std::string log;
    std::unique_ptr<CWindowTimer> late;
    auto second = CWindowTimer::Create([&] { log += "s"; });
    auto once = CWindowTimer::Create([&] {
        log += "o";
        late->Start(150, true);
    });
    late = CWindowTimer::Create([&] { log += "L"; });
    auto second2 = CWindowTimer::Create([&] { log += "t"; });

    second->Start(1000);
    once->Start(500, true);
    second2->Start(1000);
    timers.Advance(649);
    EXPECT_EQ(log, "o");
    timers.Advance(350);
    EXPECT_EQ(log, "oL"); // started at 500 ms by the other's callback
    timers.Advance(1);
    EXPECT_EQ(log, "oLst"); // two due together fire in the order they were started
    timers.Advance(2000);
    EXPECT_EQ(log, "oLststst");
    EXPECT_EQ(timers.Now(), 3000);
    EXPECT_EQ(timers.ActiveCount(), 2);

    // Restarting takes a new phase; a stopped timer stays quiet.
    timers.Advance(500);
    second->Start(1000);
    second2->Stop();
    log.clear();
    timers.Advance(1000);
    EXPECT_EQ(log, "s");
}

TEST(ManualTimersTest, ACallbackMayDestroyItsOwnTimer)
{
    ManualTimers timers;
    int fired = 0;
    std::unique_ptr<CWindowTimer> timer;
    timer = CWindowTimer::Create([&] {
        ++fired;
        timer.reset();
    });
    timer->Start(10);
    timers.Advance(100);
    EXPECT_EQ(fired, 1);
}

TEST(WindowTimerTest, WithoutATestClockTimersRunOnTheEventLoop)
{
    int fired = 0;
    auto timer = CWindowTimer::Create([&] { ++fired; });
    timer->Start(1, true);
    EXPECT_TRUE(timer->IsActive());
    QElapsedTimer clock;
    clock.start();
    while (fired == 0 && clock.elapsed() < 5000) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    EXPECT_EQ(fired, 1);
    EXPECT_FALSE(timer->IsActive());
}

} // namespace
