#include "BonusButtonCtrl.h"

#include "KeyboardPress.h"
#include "PlaydeckLibrary.h"
#include "ResourcePicture.h"
#include "ole/SkinRegion.h"

#include <QPainter>

namespace {

constexpr MEMBERDESC kMembers[] = {
    {DISPID_BONUSBUTTON_SETIMAGERESOURCEIDS, u"SetImageResourceIDs", INVOKE_FUNC, 3,
     u"The BUTTONS pictures under the mouse (Over) and lit (Off)"},
    {DISPID_BONUSBUTTON_VISIBLE, u"Visible", INVOKE_PROPERTYGET, 0, u"Lit: the lifeline is there to spend"},
    {DISPID_BONUSBUTTON_VISIBLE, u"Visible", INVOKE_PROPERTYPUT, 1, u"Lit: the lifeline is there to spend"},
    {DISPID_BONUSBUTTON_PICTURE, u"Picture", INVOKE_PROPERTYGET, 0, u"The skin shown while dark"},
    {DISPID_BONUSBUTTON_PICTURE, u"Picture", INVOKE_PROPERTYPUTREF, 1, u"The skin shown while dark"},
    {DISPID_BONUSBUTTON_SETIMAGEOFFSETS, u"SetImageOffsets", INVOKE_FUNC, 2, u"The button's place in Picture"},
    {DISPID_BONUSBUTTON_ENABLED, u"Enabled", INVOKE_PROPERTYGET, 0, u"Clickable"},
    {DISPID_BONUSBUTTON_ENABLED, u"Enabled", INVOKE_PROPERTYPUT, 1, u"Clickable"},
};

const ControlClassInfo kClass = {CLSID_BonusButton, IID_IBonusButton, kMembers, &DIID__IBonusButtonEvents, {},
                                 PlaydeckComModule()};

} // namespace

CBonusButtonCtrl::CBonusButtonCtrl() : CControlBase(kClass) {}

CBonusButtonCtrl::~CBonusButtonCtrl() = default;

HRESULT CBonusButtonCtrl::InvokeMember(DISPID id, INVOKEKIND kind, CDispatchCall& call)
{
    switch (id) {
    case DISPID_BONUSBUTTON_SETIMAGERESOURCEIDS: {
        LONG on = 0, over = 0, off = 0;
        HRESULT hr = call.Long(0, on);
        if (SUCCEEDED(hr)) hr = call.Long(1, over);
        if (SUCCEEDED(hr)) hr = call.Long(2, off);
        return FAILED(hr) ? hr : SetImageResourceIDs(on, over, off);
    }
    case DISPID_BONUSBUTTON_VISIBLE: {
        VARIANT_BOOL visible = 0;
        if (kind == INVOKE_PROPERTYGET) return call.ReturnBool(get_Visible(&visible), visible);
        const HRESULT hr = call.Short(0, visible);
        return FAILED(hr) ? hr : put_Visible(visible);
    }
    case DISPID_BONUSBUTTON_PICTURE: {
        CComPtr<IPictureDisp> picture;
        if (kind == INVOKE_PROPERTYGET) return call.ReturnObject(get_Picture(&picture), picture);
        CComPtr<IDispatch> value;
        HRESULT hr = call.Object(0, value);
        if (SUCCEEDED(hr) && value) hr = value.QueryInterface(IID_IPictureDisp, &picture);
        return FAILED(hr) ? DISP_E_TYPEMISMATCH : putref_Picture(picture);
    }
    case DISPID_BONUSBUTTON_SETIMAGEOFFSETS: {
        LONG x = 0, y = 0;
        HRESULT hr = call.Long(0, x);
        if (SUCCEEDED(hr)) hr = call.Long(1, y);
        return FAILED(hr) ? hr : SetImageOffsets(x, y);
    }
    case DISPID_BONUSBUTTON_ENABLED: {
        VARIANT_BOOL enabled = 0;
        if (kind == INVOKE_PROPERTYGET) return call.ReturnBool(get_Enabled(&enabled), enabled);
        const HRESULT hr = call.Short(0, enabled);
        return FAILED(hr) ? hr : put_Enabled(enabled);
    }
    default: return DISP_E_MEMBERNOTFOUND;
    }
}

HRESULT CBonusButtonCtrl::SetImageResourceIDs(LONG, LONG Over, LONG Off)
{
    // A missing picture leaves the slot as it was; the next paint shows
    // whatever is there.
    LoadResourcePicture("BUTTONS", Over, m_pOverPicture);
    LoadResourcePicture("BUTTONS", Off, m_pOffPicture);
    return S_OK;
}

HRESULT CBonusButtonCtrl::get_Visible(VARIANT_BOOL* pVal) { return ReturnValue(pVal, m_bVisible); }

HRESULT CBonusButtonCtrl::put_Visible(VARIANT_BOOL newVal)
{
    if (newVal == m_bVisible) return S_OK;
    m_bVisible = newVal;
    // Only the owner's 1 hands out a fresh lifeline: clickable, without the
    // highlight it may have had. A dispatch client's true (-1) just lights
    // the button as it stands.
    if (newVal == 1) {
        EndHover();
        m_bEnabled = 1;
    }
    FireViewChange();
    return S_OK;
}

HRESULT CBonusButtonCtrl::get_Picture(IPictureDisp** pVal) { return m_pPicture.CopyTo(pVal); }

HRESULT CBonusButtonCtrl::putref_Picture(IPictureDisp* newVal)
{
    m_pPicture = newVal;
    return S_OK;
}

HRESULT CBonusButtonCtrl::SetImageOffsets(LONG offsetX, LONG offsetY)
{
    m_nOffsetX = offsetX;
    m_nOffsetY = offsetY;
    return S_OK;
}

HRESULT CBonusButtonCtrl::get_Enabled(VARIANT_BOOL* pVal) { return ReturnValue(pVal, m_bEnabled); }

HRESULT CBonusButtonCtrl::put_Enabled(VARIANT_BOOL newVal)
{
    // Disabled, the button keeps its look: a question answered leaves the
    // highlight where the pointer was.
    m_bEnabled = newVal;
    return S_OK;
}

void CBonusButtonCtrl::OnMouseEnter() { FireViewChange(); }

// A disabled button refuses to hover (CanHover), so the pointer leaving it
// keeps its highlight until it is enabled and left again, or lit afresh.
void CBonusButtonCtrl::OnMouseLeave() { FireViewChange(); }

void CBonusButtonCtrl::OnLButtonDown(const QPoint&)
{
    if (m_bVisible && m_bEnabled) FireEvent(DISPID_BONUSBUTTON_ONCLICK);
}

void CBonusButtonCtrl::OnMessage(unsigned message, WPARAM, LPARAM)
{
    if (message == WM_KEYBOARD_PRESS) OnLButtonDown(QPoint());
}

void CBonusButtonCtrl::OnDraw(QPainter& painter, const QRect&)
{
    if (!m_bVisible) {
        PaintSkinRegion(painter, m_pPicture, m_nOffsetX, m_nOffsetY);
        return;
    }
    IPictureDisp* look = IsHovered() ? m_pOverPicture : m_pOffPicture;
    PaintPicture(painter, look, QRect(QPoint(0, 0), PictureSize(look)));
}
