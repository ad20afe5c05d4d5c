#pragma once
// CBonusButtonCtrl: one lifeline button of the LifelineManager. Dark, it
// shows the part of the console's skin under itself, so that the slot looks
// empty; lit, it shows its BUTTONS picture, and the highlighted one while
// the pointer is over it. A left press on a lit, enabled button raises
// OnClick; the owner then spends the lifeline. A press from the keyboard
// (WM_KEYBOARD_PRESS) counts as a left press. There is no pressed look and
// no sound.
#include "Playdeck.h"

#include "ole/ControlBase.h"

class CBonusButtonCtrl final : public CControlBase, public IBonusButton {
    BRAINWHEEL_CONTROL_IMPL(IBonusButton, IID_IBonusButton)

public:
    CBonusButtonCtrl();

    HRESULT SetImageResourceIDs(LONG On, LONG Over, LONG Off) override;
    HRESULT get_Visible(VARIANT_BOOL* pVal) override;
    HRESULT put_Visible(VARIANT_BOOL newVal) override;
    HRESULT get_Picture(IPictureDisp** pVal) override;
    HRESULT putref_Picture(IPictureDisp* newVal) override;
    HRESULT SetImageOffsets(LONG offsetX, LONG offsetY) override;
    HRESULT get_Enabled(VARIANT_BOOL* pVal) override;
    HRESULT put_Enabled(VARIANT_BOOL newVal) override;

private:
    ~CBonusButtonCtrl() override;

    HRESULT InvokeMember(DISPID id, INVOKEKIND kind, CDispatchCall& call) override;
    void OnDraw(QPainter& painter, const QRect& bounds) override;
    bool CanHover() const override { return m_bEnabled != 0; }
    void OnMouseEnter() override;
    void OnMouseLeave() override;
    void OnLButtonDown(const QPoint& point) override;
    void OnMessage(unsigned message, WPARAM wParam, LPARAM lParam) override;

    CComPtr<IPictureDisp> m_pPicture;     // the skin, shown while dark
    CComPtr<IPictureDisp> m_pOffPicture;  // lit
    CComPtr<IPictureDisp> m_pOverPicture; // lit, under the mouse
    LONG m_bVisible = 0;  // nonzero: lit
    LONG m_bEnabled = 0;  // nonzero: clickable
    LONG m_nOffsetX = 0;  // the button's left edge in m_pPicture, pixels
    LONG m_nOffsetY = 0;  // its top edge, pixels up from m_pPicture's bottom
};
