#include "LifelineManagerCtrl.h"

#include "KeyboardPress.h"
#include "ole/SkinRegion.h"
#include "PanelBrush.h"
#include "PlaydeckLibrary.h"
#include "PropertyMaps.h"
#include "ui/Random.h"

namespace {

constexpr int kTemplateId = 133;
constexpr int kFiftyFiftyId = 228;
constexpr int kFreeAnswerId = 229;

// Where the manager and its buttons lie in the console's 520 x 500 skin:
// pixels from the left, and up from the bottom. They match the console's
// layout at the fixed dialog base units; they are not derived from it.
constexpr int kSkinX = 368;
constexpr int kSkinY = 214;
constexpr int kFreeAnswerSkinX = 436;

// The BUTTONS pictures: lit and under the mouse.
constexpr int kFiftyFiftyLit = 234;
constexpr int kFiftyFiftyOver = 233;
constexpr int kFreeAnswerLit = 235;
constexpr int kFreeAnswerOver = 236;

// The draws of GenerateLifeline.
constexpr int kOfferFiftyFiftyFirst = 0;
constexpr int kOfferFreeAnswerFirst = 1;
constexpr int kOutcomes = 3;

constexpr MEMBERDESC kMembers[] = {
    BRAINWHEEL_STOCK_REF_MEMBERS(Picture, DISPID_PICTURE),
    {DISPID_LIFELINEMANAGER_GENERATELIFELINE, u"GenerateLifeline", INVOKE_FUNC, 0,
     u"Earns a lifeline, or an extra life"},
    {DISPID_LIFELINEMANAGER_RESET, u"Reset", INVOKE_FUNC, 0, u"Both lifelines dark"},
    {DISPID_LIFELINEMANAGER_ENABLED, u"Enabled", INVOKE_PROPERTYGET, 0, u"The lifelines can be spent"},
    {DISPID_LIFELINEMANAGER_ENABLED, u"Enabled", INVOKE_PROPERTYPUT, 1, u"The lifelines can be spent"},
};

const ControlClassInfo kClass = {CLSID_LifelineManager, IID_ILifelineManager, kMembers,
                                 &DIID__ILifelineManagerEvents, kSkinProperties, PlaydeckComModule()};

bool IsLit(IBonusButton* button)
{
    VARIANT_BOOL visible = VARIANT_FALSE;
    button->get_Visible(&visible);
    return visible != 0;
}

// Lights the first of `first` and `second` that is dark; false when both
// are lit already.
bool LightFirstDark(IBonusButton* first, IBonusButton* second)
{
    for (IBonusButton* button : {first, second}) {
        if (IsLit(button)) continue;
        button->put_Visible(1);
        return true;
    }
    return false;
}

} // namespace

CLifelineManagerCtrl::CLifelineManagerCtrl() : CCompositeControl(kClass, kTemplateId) {}

CLifelineManagerCtrl::~CLifelineManagerCtrl() = default;

HRESULT CLifelineManagerCtrl::InvokeMember(DISPID id, INVOKEKIND kind, CDispatchCall& call)
{
    switch (id) {
    case DISPID_LIFELINEMANAGER_GENERATELIFELINE: return GenerateLifeline();
    case DISPID_LIFELINEMANAGER_RESET: return Reset();
    case DISPID_LIFELINEMANAGER_ENABLED: {
        VARIANT_BOOL enabled = VARIANT_FALSE;
        if (kind == INVOKE_PROPERTYGET) return call.ReturnBool(get_Enabled(&enabled), enabled);
        const HRESULT hr = call.Short(0, enabled);
        return FAILED(hr) ? hr : put_Enabled(enabled);
    }
    default: return DISP_E_MEMBERNOTFOUND;
    }
}

bool CLifelineManagerCtrl::OnInitDialog()
{
    // Each button found is kept, so that a layout missing the other still
    // reaches this one.
    const HRESULT fiftyFifty = GetDlgControl(kFiftyFiftyId, IID_IBonusButton, reinterpret_cast<void**>(&m_pFiftyFifty));
    const HRESULT freeAnswer = GetDlgControl(kFreeAnswerId, IID_IBonusButton, reinterpret_cast<void**>(&m_pFreeAnswer));
    if (FAILED(fiftyFifty) || FAILED(freeAnswer)) return false;
    if (FAILED(AdviseChild(kFiftyFiftyId, DIID__IBonusButtonEvents)) ||
        FAILED(AdviseChild(kFreeAnswerId, DIID__IBonusButtonEvents)))
        return false;
    // The first id is the button's pressed picture, which it never shows.
    m_pFiftyFifty->SetImageResourceIDs(kFiftyFiftyLit, kFiftyFiftyOver, kFiftyFiftyLit);
    m_pFreeAnswer->SetImageResourceIDs(kFreeAnswerLit, kFreeAnswerOver, kFreeAnswerLit);
    return true;
}

void CLifelineManagerCtrl::OnInPlaceDeactivate()
{
    m_pFiftyFifty.Release();
    m_pFreeAnswer.Release();
}

HRESULT CLifelineManagerCtrl::OnChildEvent(int id, DISPID event, CDispatchCall&)
{
    if (event != DISPID_BONUSBUTTON_ONCLICK) return S_OK;
    if (id == kFiftyFiftyId) OnClickFiftyFifty();
    else if (id == kFreeAnswerId) OnClickFreeAnswer();
    return S_OK;
}

void CLifelineManagerCtrl::OnMessage(unsigned message, WPARAM wParam, LPARAM)
{
    if (message != WM_KEYBOARD_PRESS) return;
    if (wParam == 0) SendKeyboardPress(GetDlgItem(kFiftyFiftyId));
    else if (wParam == 1) SendKeyboardPress(GetDlgItem(kFreeAnswerId));
}

void CLifelineManagerCtrl::OnStockPropertyChanged(DISPID id)
{
    if (id != DISPID_PICTURE) return;
    // The buttons share the manager's skin; each shows its own part of it.
    IPictureDisp* skin = Stock().picture;
    if (m_pFiftyFifty) {
        m_pFiftyFifty->SetImageOffsets(kSkinX, kSkinY);
        m_pFiftyFifty->putref_Picture(skin);
    }
    if (m_pFreeAnswer) {
        m_pFreeAnswer->SetImageOffsets(kFreeAnswerSkinX, kSkinY);
        m_pFreeAnswer->putref_Picture(skin);
    }
}

QColor CLifelineManagerCtrl::BackgroundColour() const { return CPanelBrush::Colour(); }

void CLifelineManagerCtrl::OnDraw(QPainter& painter, const QRect&)
{
    PaintSkinRegion(painter, Stock().picture, kSkinX, kSkinY);
}

HRESULT CLifelineManagerCtrl::GenerateLifeline()
{
    // Reseeded from the clock on every call: two lifelines earned within
    // one second draw the same outcome.
    const int draw = RandomIndex(kOutcomes);
    const CComPtr<IBonusButton> fiftyFifty = m_pFiftyFifty, freeAnswer = m_pFreeAnswer;
    if (draw == kOfferFiftyFiftyFirst || draw == kOfferFreeAnswerFirst) {
        // Without both buttons there is nothing to offer, and no extra life
        // in its place.
        if (!fiftyFifty || !freeAnswer) return S_OK;
        const bool lit = draw == kOfferFiftyFiftyFirst ? LightFirstDark(fiftyFifty, freeAnswer)
                                                       : LightFirstDark(freeAnswer, fiftyFifty);
        if (lit) return S_OK;
    }
    FireEvent(DISPID_LIFELINEMANAGER_ONEXTRALIFE);
    return S_OK;
}

HRESULT CLifelineManagerCtrl::Reset()
{
    if (m_pFiftyFifty && m_pFreeAnswer) {
        m_pFreeAnswer->put_Visible(VARIANT_FALSE);
        m_pFiftyFifty->put_Visible(VARIANT_FALSE);
    }
    return S_OK;
}

HRESULT CLifelineManagerCtrl::get_Enabled(VARIANT_BOOL* pVal) { return ReturnValue(pVal, m_bEnabled); }

HRESULT CLifelineManagerCtrl::put_Enabled(VARIANT_BOOL newVal)
{
    m_bEnabled = newVal;
    if (m_pFiftyFifty) m_pFiftyFifty->put_Enabled(newVal);
    if (m_pFreeAnswer) m_pFreeAnswer->put_Enabled(newVal);
    return S_OK;
}

void CLifelineManagerCtrl::OnClickFiftyFifty()
{
    // The manager's own Enabled is not consulted: it reached the button,
    // which clicks only while enabled.
    if (m_pFiftyFifty) m_pFiftyFifty->put_Visible(VARIANT_FALSE);
    FireEvent(DISPID_LIFELINEMANAGER_ON5050);
}

void CLifelineManagerCtrl::OnClickFreeAnswer()
{
    if (m_pFreeAnswer) m_pFreeAnswer->put_Visible(VARIANT_FALSE);
    FireEvent(DISPID_LIFELINEMANAGER_ONFREEANSWER);
}
