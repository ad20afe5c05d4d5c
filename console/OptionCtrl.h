#pragma once
// COptionCtrl: one answer button of the Challenge. Its window shows its
// share of the console's skin as a frame; its child OptionText (204) shows
// the answer, follows the pointer and reports clicks, which the option
// passes on as OnClicked(IsAnswer); a press from the keyboard goes on to the
// label, which takes it as a click. The stock properties it shares with the
// label are mirrored down to it. Flash marks the right answer: at the
// option's next paint the pure black of its frame comes out in the flash
// colour, and the label's background turns to it until it is put again.
#include "Playdeck.h"

#include "ole/CompositeControl.h"

class COptionCtrl final : public CCompositeControl, public IOption {
    BRAINWHEEL_CONTROL_IMPL(IOption, IID_IOption)

public:
    COptionCtrl();

    BRAINWHEEL_STOCK_COLOUR(BackColor, DISPID_BACKCOLOR)
    BRAINWHEEL_STOCK_FONT(Font)
    BRAINWHEEL_STOCK_COLOUR(ForeColor, DISPID_FORECOLOR)
    BRAINWHEEL_STOCK_ENABLED(Enabled)
    BRAINWHEEL_STOCK_TEXT(Text)
    BRAINWHEEL_STOCK_PICTURE(Picture)
    HRESULT get_HighlightColor(OLE_COLOR* pVal) override;
    HRESULT put_HighlightColor(OLE_COLOR newVal) override;
    HRESULT ImageOffsets(LONG offsetX, LONG offsetY) override;
    HRESULT get_IsAnswer(SHORT* pVal) override;
    HRESULT put_IsAnswer(SHORT newVal) override;
    HRESULT put_Flash(SHORT newVal) override;

private:
    ~COptionCtrl() override;

    HRESULT InvokeMember(DISPID id, INVOKEKIND kind, CDispatchCall& call) override;
    bool OnInitDialog() override;
    void OnInPlaceDeactivate() override;
    HRESULT OnChildEvent(int id, DISPID event, CDispatchCall& call) override;
    void OnMessage(unsigned message, WPARAM wParam, LPARAM lParam) override;
    void OnStockPropertyChanged(DISPID id) override;
    QColor BackgroundColour() const override;
    void OnDraw(QPainter& painter, const QRect& bounds) override;

    CComPtr<IOptionText> m_spLabel;       // child 204 while the layout lives
    OLE_COLOR m_clrHighlight = 0x0B94FB;  // handed to the label at initialisation only
    LONG m_nOffsetX = 0;                  // the option's place in Picture, as ImageText's
    LONG m_nOffsetY = 0;
    SHORT m_nIsAnswer = 0;
    bool m_bFlash = false;                // the next paint marks the option
};
