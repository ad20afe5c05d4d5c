#pragma once
// COptionTextCtrl: the clickable answer label inside each Option. It fills
// itself with its BackColor and writes its Text on one line, centred and
// shrunk until it fits (CTextLabel). While the pointer is over an enabled
// label the text lights up in HighlightColor under a hand cursor, and a left
// press reports OnClicked. A press from the keyboard (WM_KEYBOARD_PRESS)
// counts as a left press. A disabled label neither lights up nor reports.
#include "Playdeck.h"
#include "TextLabel.h"

#include "ole/ControlBase.h"

class COptionTextCtrl final : public CControlBase, public IOptionText {
    BRAINWHEEL_CONTROL_IMPL(IOptionText, IID_IOptionText)

public:
    COptionTextCtrl();

    BRAINWHEEL_STOCK_COLOUR(BackColor, DISPID_BACKCOLOR)
    BRAINWHEEL_STOCK_FONT(Font)
    BRAINWHEEL_STOCK_COLOUR(ForeColor, DISPID_FORECOLOR)
    BRAINWHEEL_STOCK_ENABLED(Enabled)
    BRAINWHEEL_STOCK_TEXT(Text)
    BRAINWHEEL_STOCK_MOUSEPOINTER(MousePointer)
    HRESULT get_HighlightColor(OLE_COLOR* pVal) override;
    HRESULT put_HighlightColor(OLE_COLOR newVal) override;

private:
    ~COptionTextCtrl() override;

    HRESULT InvokeMember(DISPID id, INVOKEKIND kind, CDispatchCall& call) override;
    void OnDraw(QPainter& painter, const QRect& bounds) override;
    bool CanHover() const override { return Stock().enabled != 0; }
    void OnMouseEnter() override;
    void OnMouseLeave() override;
    void OnMouseMove(const QPoint& point) override;
    void OnLButtonDown(const QPoint& point) override;
    void OnMessage(unsigned message, WPARAM wParam, LPARAM lParam) override;
    void OnStockPropertyChanged(DISPID id) override;

    OLE_COLOR m_clrHighlight = 0x0B94FB;  // the text colour under the pointer
    CTextLabel m_label;
};
