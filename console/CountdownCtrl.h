#pragma once
// CCountdownCtrl: the answer timer, a bar of 60 segments that loses one a
// second while the player thinks. Each second it shows the bar for the count
// and ticks; once the count is used up it posts itself a time-out message
// and, on handling it, stops and raises OnTimeOut. The bar is an animation
// control showing one frame of clip 233 (frame 60 - s for s seconds).
#include "Playdeck.h"

#include "ole/CompositeControl.h"

#include <memory>

class CAnimateCtrl;
class CWindowTimer;

class CCountdownCtrl final : public CCompositeControl, public ICountdown {
    BRAINWHEEL_CONTROL_IMPL(ICountdown, IID_ICountdown)

public:
    CCountdownCtrl();

    HRESULT Start(SHORT nDuration) override;
    HRESULT Stop() override;

private:
    ~CCountdownCtrl() override;

    HRESULT InvokeMember(DISPID id, INVOKEKIND kind, CDispatchCall& call) override;
    bool OnInitDialog() override;
    void OnMessage(unsigned message, WPARAM wParam, LPARAM lParam) override;
    void OnInPlaceDeactivate() override;
    QColor BackgroundColour() const override;

    void Tick();
    void OnTimeOut();
    // Kills the timer and empties the bar, if the count runs.
    void StopTimer();
    // Shows the bar for `seconds` left; no effect without a clip.
    void ShowSeconds(int seconds);

    CAnimateCtrl* m_pAnim = nullptr;        // the bar (child 201) while the layout lives
    std::unique_ptr<CWindowTimer> m_pTimer; // the one-second timer; set only while the count runs
    // The seconds still to count. Each Countdown keeps its own, so that two
    // of them never count down one value.
    SHORT m_nSecondsLeft = 60;
};
