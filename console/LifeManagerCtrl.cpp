#include "LifeManagerCtrl.h"

#include "ConsoleSound.h"
#include "PlaydeckLibrary.h"
#include "ui/AnimateCtrl.h"

#include <algorithm>

namespace {

constexpr int kTemplateId = 105;
constexpr int kRowId = 202;
constexpr int kRowClip = 243;
constexpr int kLifeLostSound = 244;
constexpr SHORT kMostLives = 5;
constexpr int kEmptyRowFrame = 60;
constexpr int kFramesPerLife = 12;

constexpr MEMBERDESC kMembers[] = {
    {DISPID_LIFEMANAGER_GAINALIFE, u"GainALife", INVOKE_FUNC, 0, u"One life more, five at most"},
    {DISPID_LIFEMANAGER_LOSEALIFE, u"LoseALife", INVOKE_FUNC, 0, u"One life less"},
    {DISPID_LIFEMANAGER_NUMLIVES, u"NumLives", INVOKE_PROPERTYGET, 0, u"The number of lives"},
    {DISPID_LIFEMANAGER_NUMLIVES, u"NumLives", INVOKE_PROPERTYPUT, 1, u"The number of lives"},
};

const ControlClassInfo kClass = {CLSID_LifeManager, IID_ILifeManager, kMembers, &DIID__ILifeManagerEvents, {},
                                 PlaydeckComModule()};

// The frame showing `lives` figures. Frame numbers are 16-bit, as the clip's
// requests have always been computed.
int RowFrame(SHORT lives) { return static_cast<SHORT>(kEmptyRowFrame - kFramesPerLife * lives); }

} // namespace

CLifeManagerCtrl::CLifeManagerCtrl() : CCompositeControl(kClass, kTemplateId) {}

CLifeManagerCtrl::~CLifeManagerCtrl() = default;

HRESULT CLifeManagerCtrl::InvokeMember(DISPID id, INVOKEKIND kind, CDispatchCall& call)
{
    switch (id) {
    case DISPID_LIFEMANAGER_GAINALIFE: return GainALife();
    case DISPID_LIFEMANAGER_LOSEALIFE: return LoseALife();
    case DISPID_LIFEMANAGER_NUMLIVES: {
        SHORT lives = 0;
        if (kind == INVOKE_PROPERTYGET) return call.ReturnShort(get_NumLives(&lives), lives);
        const HRESULT hr = call.Short(0, lives);
        return FAILED(hr) ? hr : put_NumLives(lives);
    }
    default: return DISP_E_MEMBERNOTFOUND;
    }
}

bool CLifeManagerCtrl::OnInitDialog()
{
    m_pAnim = dynamic_cast<CAnimateCtrl*>(GetDlgItem(kRowId));
    if (!m_pAnim || !m_pAnim->Open(ClassModule(), kRowClip)) return false;
    // The layout has always asked for the frame past the clip's end here. The
    // animation control refuses it, so the clip's first frame (five figures)
    // stays until the console sets the count.
    const int pastTheEnd = kEmptyRowFrame + 1;
    m_pAnim->Play(1, pastTheEnd, pastTheEnd);
    return true;
}

void CLifeManagerCtrl::OnInPlaceDeactivate() { m_pAnim = nullptr; }

HRESULT CLifeManagerCtrl::GainALife()
{
    if (m_nLives < kMostLives) ++m_nLives;
    ShowLives();
    return S_OK;
}

HRESULT CLifeManagerCtrl::LoseALife()
{
    --m_nLives;
    if (m_nLives < 0) {
        ShowLives();
    } else if (m_pAnim) {
        // The dissolve of the figure just lost: from the row of m_nLives + 1
        // figures to the row of m_nLives, at the clip's own rate.
        m_pAnim->Play(1, RowFrame(m_nLives) - kFramesPerLife, RowFrame(m_nLives));
    }
    PlayConsoleSound(kLifeLostSound);
    return S_OK;
}

HRESULT CLifeManagerCtrl::get_NumLives(SHORT* pVal) { return ReturnValue(pVal, m_nLives); }

HRESULT CLifeManagerCtrl::put_NumLives(SHORT newVal)
{
    m_nLives = std::min(newVal, kMostLives);
    ShowLives();
    return S_OK;
}

void CLifeManagerCtrl::ShowLives()
{
    if (!m_pAnim) return;
    // A count below zero has no row of its own: the player has nothing left,
    // and the row shows so.
    const int frame = m_nLives < 0 ? kEmptyRowFrame : RowFrame(m_nLives);
    m_pAnim->Play(1, frame, frame);
}
