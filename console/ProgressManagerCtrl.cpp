#include "ProgressManagerCtrl.h"

#include "PanelBrush.h"
#include "PlaydeckLibrary.h"
#include "ui/AnimateCtrl.h"
#include "ui/MulDiv.h"

#include <algorithm>

namespace {

constexpr int kTemplateId = 106;
constexpr int kLadderId = 203;
constexpr int kLadderClip = 245;
constexpr int kTopRung = 15;
constexpr int kFirstLifelineRung = 5;
constexpr int kSecondLifelineRung = 10;

constexpr MEMBERDESC kMembers[] = {
    {DISPID_PROGRESSMANAGER_RESET, u"Reset", INVOKE_FUNC, 1, u"Starts a quiz of nTotalQuestions questions"},
    {DISPID_PROGRESSMANAGER_CORRECTANSWER, u"CorrectAnswer", INVOKE_FUNC, 0, u"Counts a correct answer"},
    {DISPID_PROGRESSMANAGER_PERCENTAGE, u"Percentage", INVOKE_PROPERTYGET, 0, u"The score in percent"},
};

const ControlClassInfo kClass = {CLSID_ProgressManager, IID_IProgressManager, kMembers,
                                 &DIID__IProgressManagerEvents, {}, PlaydeckComModule()};

} // namespace

CProgressManagerCtrl::CProgressManagerCtrl() : CCompositeControl(kClass, kTemplateId) {}

CProgressManagerCtrl::~CProgressManagerCtrl() = default;

HRESULT CProgressManagerCtrl::InvokeMember(DISPID id, INVOKEKIND, CDispatchCall& call)
{
    switch (id) {
    case DISPID_PROGRESSMANAGER_RESET: {
        // The dispatch layer reads 32 bits; the count is unsigned.
        LONG total = 0;
        const HRESULT hr = call.Long(0, total);
        return FAILED(hr) ? hr : Reset(static_cast<ULONG>(total));
    }
    case DISPID_PROGRESSMANAGER_CORRECTANSWER: return CorrectAnswer();
    case DISPID_PROGRESSMANAGER_PERCENTAGE: {
        SHORT percentage = 0;
        return call.ReturnShort(get_Percentage(&percentage), percentage);
    }
    default: return DISP_E_MEMBERNOTFOUND;
    }
}

bool CProgressManagerCtrl::OnInitDialog()
{
    m_pAnim = dynamic_cast<CAnimateCtrl*>(GetDlgItem(kLadderId));
    if (!m_pAnim || !m_pAnim->Open(ClassModule(), kLadderClip)) return false;
    ShowRung(0);
    return true;
}

void CProgressManagerCtrl::OnInPlaceDeactivate() { m_pAnim = nullptr; }

QColor CProgressManagerCtrl::BackgroundColour() const { return CPanelBrush::Colour(); }

HRESULT CProgressManagerCtrl::Reset(ULONG nTotalQuestions)
{
    m_nTotalQuestions = nTotalQuestions;
    m_bBonus5 = false;
    m_bBonus10 = false;
    m_nCorrect = 0;
    m_nPercentage = 0;
    Update();
    return S_OK;
}

HRESULT CProgressManagerCtrl::CorrectAnswer()
{
    ++m_nCorrect;
    Update();
    return S_OK;
}

HRESULT CProgressManagerCtrl::get_Percentage(SHORT* pVal) { return ReturnValue(pVal, m_nPercentage); }

void CProgressManagerCtrl::Update()
{
    // More correct answers than questions stop at 100 %; a quiz of no
    // questions scores nothing.
    const int percentage = m_nTotalQuestions != 0 ? MulDiv(m_nCorrect, 100, static_cast<int>(m_nTotalQuestions)) : 0;
    m_nPercentage = static_cast<SHORT>(std::min(percentage, 100));

    // The top rung needs a perfect score: 97 % to 99 % round up to it but
    // stay one below.
    int rung = MulDiv(kTopRung, m_nPercentage, 100);
    if (rung == kTopRung && m_nPercentage != 100) rung = kTopRung - 1;
    ShowRung(rung);

    // Each flag is set before the event goes out, so a handler that calls
    // back in cannot earn the same bonus twice.
    if (rung == kFirstLifelineRung && !m_bBonus5) {
        m_bBonus5 = true;
        FireEvent(DISPID_PROGRESSMANAGER_BONUS);
    } else if (rung == kSecondLifelineRung && !m_bBonus10) {
        m_bBonus10 = true;
        FireEvent(DISPID_PROGRESSMANAGER_BONUS);
    }
}

void CProgressManagerCtrl::ShowRung(int rung)
{
    if (m_pAnim) m_pAnim->Play(1, rung, rung);
}
