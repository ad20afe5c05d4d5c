// The countdown bar driven through its interface on a manual clock: what it
// shows second by second (read off its pixels), when it ticks and when it
// times out.
#include "HostedGauge.h"

#include "CountdownCtrl.h"
#include "PanelBrush.h"
#include "Playdeck.h"
#include "module/ClassTable.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

constexpr int kTickSound = 254;
// The bar's segments: 60 lamps, 6 pixels wide on an 8-pixel pitch from x = 14.
constexpr int kSegments = 60;
constexpr int kFirstSegmentX = 14;
constexpr int kSegmentPitch = 8;

class CountdownTest : public GaugeTest {
protected:
    void SetUp() override
    {
        GaugeTest::SetUp();
        clip = LoadClip(playdeck.Module(), 233);
        ASSERT_EQ(clip.frames.size(), 61u);
    }

    // The console's place for the bar: 328 x 4 dialog units at (10, 169).
    CComPtr<ICountdown> HostCountdown(int top = 275)
    {
        CComPtr<ICountdown> countdown = Host<ICountdown>(CLSID_Countdown, IID_ICountdown, QRect(15, top, 492, 7));
        CComPtr<CEventRecorder> recorder;
        Listen(countdown, DIID__ICountdownEvents, recorder);
        return countdown;
    }

    // How many segments the bar in window `index` shows lit; -1 unless they
    // are the rightmost ones, as the bar only ever loses lamps from the left.
    int LitSegments(std::size_t index = 0) const
    {
        const QImage shown = Shown(Window(index));
        const QImage full = clip.frames.front().convertToFormat(QImage::Format_RGB32);
        const QImage empty = clip.frames.back().convertToFormat(QImage::Format_RGB32);
        int lit = 0;
        for (int i = 0; i < kSegments; ++i) {
            const int x = kFirstSegmentX + kSegmentPitch * i + 3, y = 4;
            const bool on = shown.pixel(x, y) == full.pixel(x, y);
            if (!on && shown.pixel(x, y) != empty.pixel(x, y)) return -1;
            if (on) ++lit;
            else if (lit > 0) return -1;
        }
        return lit;
    }
    int TimeOuts() const
    {
        return static_cast<int>(std::count_if(events.begin(), events.end(), [](const RecordedEvent& event) {
            return event.id == DISPID_COUNTDOWN_ONTIMEOUT && event.types.empty();
        }));
    }

    AviClip clip;
};

TEST_F(CountdownTest, CountsTenSecondsWithATickEachAndTimesOutOnceAtTheEleventh)
{
    CComPtr<ICountdown> countdown = HostCountdown();
    EXPECT_EQ(LitSegments(), 0) << "a new bar is empty";

    ASSERT_EQ(countdown->Start(10), S_OK);
    EXPECT_EQ(LitSegments(), 10);
    for (int second = 1; second <= 10; ++second) {
        SCOPED_TRACE(second);
        Pass(1000);
        EXPECT_EQ(sounds.Count(), second);
        EXPECT_TRUE(sounds.WasResource(second - 1, playdeck.Module(), kTickSound));
        // Each tick shows the count it is about to take a second from.
        EXPECT_EQ(LitSegments(), 11 - second);
        EXPECT_EQ(TimeOuts(), 0);
    }
    Pass(1000);
    EXPECT_EQ(TimeOuts(), 1);
    EXPECT_EQ(LitSegments(), 0);
    EXPECT_EQ(timers.ActiveCount(), 0);

    Pass(5000);
    EXPECT_EQ(TimeOuts(), 1);
    EXPECT_EQ(sounds.Count(), 10);
}

TEST_F(CountdownTest, OutOfRangeDurationsTimeOutAfterOneSecondWithoutATick)
{
    CComPtr<ICountdown> countdown = HostCountdown();
    int expected = 0;
    for (SHORT duration : {0, -3, 61}) {
        SCOPED_TRACE(duration);
        ASSERT_EQ(countdown->Start(duration), S_OK);
        EXPECT_EQ(LitSegments(), 0);
        Pass(999);
        EXPECT_EQ(TimeOuts(), expected);
        Pass(1);
        EXPECT_EQ(TimeOuts(), ++expected);
        EXPECT_EQ(sounds.Count(), 0);
    }
}

TEST_F(CountdownTest, StartWhileRunningKeepsThePhaseAndTakesTheNewCountAtTheNextTick)
{
    CComPtr<ICountdown> countdown = HostCountdown();
    countdown->Start(60);
    EXPECT_EQ(LitSegments(), 60);
    Pass(1500);
    EXPECT_EQ(sounds.Count(), 1);

    countdown->Start(20);
    EXPECT_EQ(LitSegments(), 60) << "not redrawn until the next tick";
    Pass(499);
    EXPECT_EQ(sounds.Count(), 1);
    Pass(1);
    EXPECT_EQ(sounds.Count(), 2) << "the tick came on its old second";
    EXPECT_EQ(LitSegments(), 20);
    Pass(1000);
    EXPECT_EQ(LitSegments(), 19);
    Pass(19000);
    EXPECT_EQ(TimeOuts(), 1);
}

TEST_F(CountdownTest, StopIsSilentButATimeOutAlreadyPostedIsHonouredOnce)
{
    CComPtr<ICountdown> countdown = HostCountdown();
    countdown->Stop();  // idle: nothing to stop
    countdown->Start(30);
    Pass(3000);
    countdown->Stop();
    EXPECT_EQ(LitSegments(), 0);
    Pass(5000);
    EXPECT_EQ(TimeOuts(), 0);
    EXPECT_EQ(sounds.Count(), 3);

    // The count runs out and the time-out is posted; Stop comes before the
    // window gets to it.
    countdown->Start(1);
    Pass(1000);
    timers.Advance(1000);
    countdown->Stop();
    EXPECT_EQ(TimeOuts(), 0);
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(TimeOuts(), 1);
    Pass(3000);
    EXPECT_EQ(TimeOuts(), 1);
}

TEST_F(CountdownTest, TwoCountdownsCountIndependently)
{
    CComPtr<ICountdown> first = HostCountdown(275);
    CComPtr<ICountdown> second = HostCountdown(300);
    first->Start(5);
    second->Start(30);
    Pass(6000);
    EXPECT_EQ(LitSegments(0), 0);
    EXPECT_EQ(LitSegments(1), 25);
    ASSERT_EQ(events.size(), 1u) << "only the first timed out";
    EXPECT_EQ(sounds.Count(), 5 + 6);

    second->Stop();
    first->Start(2);
    Pass(2000);
    EXPECT_EQ(LitSegments(0), 1);
    EXPECT_EQ(LitSegments(1), 0);
}

// A Countdown whose module carries no layout (this test program's own copy
// of the class) has no bar, yet counts, ticks and times out all the same; on
// the console's panel it takes the panel's colour.
TEST_F(CountdownTest, CountsWithoutABarAndFillsWithThePanelBrushWhileThereIsOne)
{
    CComPtr<ICountdown> countdown;
    ASSERT_EQ(CreateClassInstance<CCountdownCtrl>(IID_ICountdown, reinterpret_cast<void**>(&countdown)), S_OK);
    CComPtr<IWindowedControl> windowed;
    countdown.QueryInterface(IID_IWindowedControl, &windowed);
    ASSERT_EQ(windowed->CreateControlWindow(&parent, QRect(0, 0, 492, 7), TRUE), S_OK);
    QWidget* window = nullptr;
    windowed->GetWindow(&window);
    CComPtr<CEventRecorder> recorder;
    Listen(countdown, DIID__ICountdownEvents, recorder);

    EXPECT_NE(Shown(window).pixel(100, 3), qRgb(0, 1, 0));
    {
        CPanelBrush brush;
        EXPECT_EQ(Shown(window).pixel(100, 3), qRgb(0, 1, 0));
    }

    countdown->Start(2);
    Pass(3000);
    EXPECT_EQ(sounds.Count(), 2);
    EXPECT_EQ(TimeOuts(), 1);

    // Deactivated in the middle of a count, it neither ticks nor times out.
    countdown->Start(5);
    Pass(1000);
    EXPECT_EQ(sounds.Count(), 3);
    windowed->InPlaceDeactivate();
    Pass(10000);
    EXPECT_EQ(sounds.Count(), 3);
    EXPECT_EQ(TimeOuts(), 1);
}

} // namespace
