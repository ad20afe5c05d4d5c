#pragma once
// CImageTextCtrl: word-wrapped text over a piece of the console's skin, the
// round's category and the question line. It paints the skin region under
// it (Picture at ImageOffsets), then writes Text in ForeColor and its Font,
// broken between words at its width and cut off at its bottom edge, with
// the skin showing between the letters. It has no mouse behaviour.
#include "Playdeck.h"

#include "ole/ControlBase.h"

class CImageTextCtrl final : public CControlBase, public IImageText {
    BRAINWHEEL_CONTROL_IMPL(IImageText, IID_IImageText)

public:
    CImageTextCtrl();

    BRAINWHEEL_STOCK_COLOUR(BackColor, DISPID_BACKCOLOR)
    BRAINWHEEL_STOCK_FONT(Font)
    BRAINWHEEL_STOCK_COLOUR(ForeColor, DISPID_FORECOLOR)
    BRAINWHEEL_STOCK_ENABLED(Enabled)
    BRAINWHEEL_STOCK_TEXT(Text)
    BRAINWHEEL_STOCK_PICTURE(Picture)
    HRESULT ImageOffsets(LONG offsetX, LONG offsetY) override;
    HRESULT get_Alignment(ULONG* pVal) override;
    HRESULT put_Alignment(ULONG newVal) override;

private:
    ~CImageTextCtrl() override;

    HRESULT InvokeMember(DISPID id, INVOKEKIND kind, CDispatchCall& call) override;
    void OnDraw(QPainter& painter, const QRect& bounds) override;

    LONG m_nOffsetX = 0;   // the control's left edge, pixels from the skin's left edge
    LONG m_nOffsetY = 0;   // its top edge, pixels above the skin's bottom edge
    ULONG m_nAlignment = 0;  // kept for callers; the text is always left and top
};
