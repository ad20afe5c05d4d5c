#include "CountdownCtrl.h"

#include "ConsoleSound.h"
#include "PanelBrush.h"
#include "PlaydeckLibrary.h"
#include "ui/AnimateCtrl.h"
#include "ui/WindowTimer.h"

namespace {

constexpr int kTemplateId = 104;
constexpr int kBarId = 201;
constexpr int kBarClip = 233;
constexpr int kTickSound = 254;
constexpr int kLongestCount = 60;
constexpr int kTickMs = 1000;
// Posted once the count is used up; handled on the window's own turn, so
// that a Stop already under way cannot swallow it.
constexpr unsigned WM_COUNTDOWN_TIMEOUT = WM_USER + 1;

constexpr MEMBERDESC kMembers[] = {
    {DISPID_COUNTDOWN_START, u"Start", INVOKE_FUNC, 1, u"Counts down nDuration seconds"},
    {DISPID_COUNTDOWN_STOP, u"Stop", INVOKE_FUNC, 0, u"Stops counting"},
};

const ControlClassInfo kClass = {CLSID_Countdown, IID_ICountdown, kMembers, &DIID__ICountdownEvents, {},
                                 PlaydeckComModule()};

} // namespace

CCountdownCtrl::CCountdownCtrl() : CCompositeControl(kClass, kTemplateId) {}

CCountdownCtrl::~CCountdownCtrl() = default;

HRESULT CCountdownCtrl::InvokeMember(DISPID id, INVOKEKIND, CDispatchCall& call)
{
    switch (id) {
    case DISPID_COUNTDOWN_START: {
        SHORT duration = 0;
        const HRESULT hr = call.Short(0, duration);
        return FAILED(hr) ? hr : Start(duration);
    }
    case DISPID_COUNTDOWN_STOP: return Stop();
    default: return DISP_E_MEMBERNOTFOUND;
    }
}

bool CCountdownCtrl::OnInitDialog()
{
    m_pAnim = dynamic_cast<CAnimateCtrl*>(GetDlgItem(kBarId));
    if (!m_pAnim || !m_pAnim->Open(ClassModule(), kBarClip)) return false;
    ShowSeconds(0);
    return true;
}

void CCountdownCtrl::OnInPlaceDeactivate()
{
    // The timer belongs to the window, which goes now.
    m_pTimer.reset();
    m_pAnim = nullptr;
}

QColor CCountdownCtrl::BackgroundColour() const { return CPanelBrush::Colour(); }

HRESULT CCountdownCtrl::Start(SHORT nDuration)
{
    // An out-of-range duration runs a zero count: it times out at the first
    // tick.
    m_nSecondsLeft = nDuration >= 1 && nDuration <= kLongestCount ? nDuration : 0;
    // Already running: the new count shows at the next tick, which keeps its
    // phase.
    if (m_pTimer) return S_OK;
    ShowSeconds(m_nSecondsLeft);
    // Without a window there is nothing to time: the control stays idle.
    if (!Window()) return S_OK;
    m_pTimer = CWindowTimer::Create([this] { Tick(); });
    m_pTimer->Start(kTickMs);
    return S_OK;
}

HRESULT CCountdownCtrl::Stop()
{
    m_nSecondsLeft = 0;
    StopTimer();
    return S_OK;
}

void CCountdownCtrl::Tick()
{
    if (m_nSecondsLeft >= 1) {
        // The bar shows the count before this tick takes its second, so after
        // Start(n) n segments stay lit until the second tick.
        ShowSeconds(m_nSecondsLeft);
        // The tick plays without waiting for it: the window stays responsive.
        PlayConsoleSound(kTickSound);
        --m_nSecondsLeft;
    } else {
        PostMessage(WM_COUNTDOWN_TIMEOUT);
    }
}

void CCountdownCtrl::OnMessage(unsigned message, WPARAM, LPARAM)
{
    if (message == WM_COUNTDOWN_TIMEOUT) OnTimeOut();
}

void CCountdownCtrl::OnTimeOut()
{
    StopTimer();
    // Raised even when Stop came between the post and now: the time was up.
    FireEvent(DISPID_COUNTDOWN_ONTIMEOUT);
}

void CCountdownCtrl::StopTimer()
{
    if (!m_pTimer) return;
    m_pTimer.reset();
    ShowSeconds(0);
}

void CCountdownCtrl::ShowSeconds(int seconds)
{
    const int frame = kLongestCount - seconds;
    if (m_pAnim) m_pAnim->Play(1, frame, frame);
}
