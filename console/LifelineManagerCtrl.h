#pragma once
// CLifelineManagerCtrl: the player's two lifelines, "50:50" (button 228) and
// "Answer" (button 229), each a BonusButton of its layout. GenerateLifeline
// earns one at random: it lights a dark button or, when both are lit or the
// draw says so, raises OnExtraLife instead. Clicking a lit button spends it:
// the button goes dark and On5050 or OnFreeAnswer is raised; a press from the
// keyboard for part 0 (50:50) or 1 (Answer) goes on to that button, which
// takes it as a click. The manager
// paints the skin under itself and hands the skin on to its buttons, each
// with its own place in it.
#include "Playdeck.h"

#include "ole/CompositeControl.h"

class CLifelineManagerCtrl final : public CCompositeControl, public ILifelineManager {
    BRAINWHEEL_CONTROL_IMPL(ILifelineManager, IID_ILifelineManager)

public:
    CLifelineManagerCtrl();

    BRAINWHEEL_STOCK_PICTURE(Picture)
    HRESULT GenerateLifeline() override;
    HRESULT Reset() override;
    HRESULT get_Enabled(VARIANT_BOOL* pVal) override;
    HRESULT put_Enabled(VARIANT_BOOL newVal) override;

private:
    ~CLifelineManagerCtrl() override;

    HRESULT InvokeMember(DISPID id, INVOKEKIND kind, CDispatchCall& call) override;
    bool OnInitDialog() override;
    void OnInPlaceDeactivate() override;
    HRESULT OnChildEvent(int id, DISPID event, CDispatchCall& call) override;
    void OnMessage(unsigned message, WPARAM wParam, LPARAM lParam) override;
    void OnStockPropertyChanged(DISPID id) override;
    QColor BackgroundColour() const override;
    void OnDraw(QPainter& painter, const QRect& bounds) override;

    // The OnClick of button 228 and of button 229.
    void OnClickFiftyFifty();
    void OnClickFreeAnswer();

    CComPtr<IBonusButton> m_pFiftyFifty;  // button 228 while the layout lives
    CComPtr<IBonusButton> m_pFreeAnswer;  // button 229 while the layout lives
    // Passed down to both buttons; the console sets it before every question.
    VARIANT_BOOL m_bEnabled = VARIANT_FALSE;
};
