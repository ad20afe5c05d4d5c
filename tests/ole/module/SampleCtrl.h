#pragma once
// CSampleCtrl: a leaf control that fills itself with its BackColor and
// reports rings.
#include "OleTestControls.h"

#include "ole/ControlBase.h"

class CSampleCtrl final : public CControlBase, public ISampleCtrl {
    BRAINWHEEL_CONTROL_IMPL(ISampleCtrl, IID_ISampleCtrl)

public:
    static HRESULT Create(REFIID riid, void** object);

    HRESULT put_Enabled(VARIANT_BOOL enabled) override;
    HRESULT get_Enabled(VARIANT_BOOL* enabled) override;
    HRESULT put_BackColor(OLE_COLOR colour) override;
    HRESULT get_BackColor(OLE_COLOR* colour) override;
    HRESULT put_Count(LONG count) override;
    HRESULT get_Count(LONG* count) override;
    HRESULT put_Caption(BSTR caption) override;
    HRESULT get_Caption(BSTR* caption) override;
    HRESULT putref_Font(IFontDisp* font) override;
    HRESULT put_Font(IFontDisp* font) override;
    HRESULT get_Font(IFontDisp** font) override;
    HRESULT putref_Picture(IPictureDisp* picture) override;
    HRESULT put_Picture(IPictureDisp* picture) override;
    HRESULT get_Picture(IPictureDisp** picture) override;
    HRESULT Ring(SHORT count) override;
    HRESULT PostRing(SHORT count) override;

private:
    CSampleCtrl();
    ~CSampleCtrl() override = default;

    HRESULT InvokeMember(DISPID id, INVOKEKIND kind, CDispatchCall& call) override;
    void OnDraw(QPainter& painter, const QRect& bounds) override;
    void OnMessage(unsigned message, WPARAM wParam, LPARAM lParam) override;
    // Dirty, redraw, data change: what every persisted put ends with.
    void PropertyChanged();

    VARIANT_BOOL m_bEnabled = VARIANT_TRUE;
    OLE_COLOR m_clrBack = 0;
    LONG m_nCount = 0;
    CComBSTR m_bstrCaption;
    CComPtr<IFontDisp> m_spFont;
    CComPtr<IPictureDisp> m_spPicture;
};
