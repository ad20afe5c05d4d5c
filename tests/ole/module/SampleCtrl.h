#pragma once
// CSampleCtrl: a leaf control that fills itself with its BackColor, reports
// rings and records what its mouse hooks saw.
#include "OleTestControls.h"

#include "ole/ControlBase.h"

class CSampleCtrl final : public CControlBase, public ISampleCtrl {
    BRAINWHEEL_CONTROL_IMPL(ISampleCtrl, IID_ISampleCtrl)

public:
    static HRESULT Create(REFIID riid, void** object);

    BRAINWHEEL_STOCK_ENABLED(Enabled)
    BRAINWHEEL_STOCK_COLOUR(BackColor, DISPID_BACKCOLOR)
    BRAINWHEEL_STOCK_TEXT(Caption)
    BRAINWHEEL_STOCK_FONT(Font)
    BRAINWHEEL_STOCK_PICTURE(Picture)
    HRESULT put_Count(LONG count) override;
    HRESULT get_Count(LONG* count) override;
    HRESULT Ring(SHORT count) override;
    HRESULT PostRing(SHORT count) override;
    HRESULT get_MouseLog(BSTR* log) override;

private:
    CSampleCtrl();
    ~CSampleCtrl() override = default;

    HRESULT InvokeMember(DISPID id, INVOKEKIND kind, CDispatchCall& call) override;
    void OnCreate() override;
    void OnDraw(QPainter& painter, const QRect& bounds) override;
    void OnMessage(unsigned message, WPARAM wParam, LPARAM lParam) override;
    bool CanHover() const override { return Stock().enabled != 0; }
    void OnMouseEnter() override;
    void OnMouseLeave() override;
    void OnLButtonDown(const QPoint& point) override;
    void OnStockPropertyChanged(DISPID id) override;

    LONG m_nCount = 0;
    std::u16string m_mouseLog;  // one letter a hook: E(nter), L(eave), D(own)
};
