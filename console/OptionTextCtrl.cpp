#include "OptionTextCtrl.h"

#include "KeyboardPress.h"
#include "PlaydeckLibrary.h"
#include "PropertyMaps.h"

#include <QPainter>

namespace {

constexpr MEMBERDESC kMembers[] = {
    BRAINWHEEL_STOCK_MEMBERS(BackColor, DISPID_BACKCOLOR),
    BRAINWHEEL_STOCK_REF_MEMBERS(Font, DISPID_FONT),
    BRAINWHEEL_STOCK_MEMBERS(ForeColor, DISPID_FORECOLOR),
    BRAINWHEEL_STOCK_MEMBERS(Enabled, DISPID_ENABLED),
    BRAINWHEEL_STOCK_MEMBERS(Text, DISPID_TEXT),
    BRAINWHEEL_STOCK_MEMBERS(MousePointer, DISPID_MOUSEPOINTER),
    {DISPID_OPTIONTEXT_HIGHLIGHTCOLOR, u"HighlightColor", INVOKE_PROPERTYGET, 0, u"The text colour under the pointer"},
    {DISPID_OPTIONTEXT_HIGHLIGHTCOLOR, u"HighlightColor", INVOKE_PROPERTYPUT, 1, u"The text colour under the pointer"},
};

const ControlClassInfo kClass = {CLSID_OptionText, IID_IOptionText, kMembers, &DIID__IOptionTextEvents,
                                 kOptionTextProperties, PlaydeckComModule()};

}  // namespace

COptionTextCtrl::COptionTextCtrl() : CControlBase(kClass)
{
    Stock().foreColor = 0xFFFFFF;
    // Font starts as the label's own font. An equal object rather than the
    // same one: the label shrinks its font to fit, and Font must keep the
    // size every drawing starts from.
    Stock().font = CloneFont(m_label.Font());
}

COptionTextCtrl::~COptionTextCtrl() = default;

HRESULT COptionTextCtrl::InvokeMember(DISPID id, INVOKEKIND kind, CDispatchCall& call)
{
    if (id != DISPID_OPTIONTEXT_HIGHLIGHTCOLOR) return DISP_E_MEMBERNOTFOUND;
    OLE_COLOR colour = 0;
    if (kind == INVOKE_PROPERTYGET) return call.ReturnColour(get_HighlightColor(&colour), colour);
    const HRESULT hr = call.Colour(0, colour);
    return FAILED(hr) ? hr : put_HighlightColor(colour);
}

HRESULT COptionTextCtrl::get_HighlightColor(OLE_COLOR* pVal) { return ReturnValue(pVal, m_clrHighlight); }

HRESULT COptionTextCtrl::put_HighlightColor(OLE_COLOR newVal)
{
    m_clrHighlight = newVal;
    return S_OK;
}

void COptionTextCtrl::OnDraw(QPainter& painter, const QRect& bounds)
{
    painter.fillRect(bounds, ColourFromOle(Stock().backColor));
    m_label.UseFont(Stock().font);
    m_label.SetText(QString::fromStdU16String(Stock().text.str()));
    m_label.SetColours(IsHovered() ? m_clrHighlight : Stock().foreColor, Stock().backColor);
    m_label.Draw(painter, bounds);
}

void COptionTextCtrl::OnMouseEnter() { FireViewChange(); }

void COptionTextCtrl::OnMouseLeave() { FireViewChange(); }

void COptionTextCtrl::OnMouseMove(const QPoint&)
{
    // Every move asks again, so that the hand is back after a click showed
    // the arrow; a disabled label leaves the cursor as it is.
    if (Stock().enabled) SetCursorShape(Qt::PointingHandCursor);
}

void COptionTextCtrl::OnLButtonDown(const QPoint&)
{
    if (!Stock().enabled) return;
    SetCursorShape(Qt::ArrowCursor);
    FireEvent(DISPID_OPTIONTEXT_ONCLICKED);
}

void COptionTextCtrl::OnMessage(unsigned message, WPARAM, LPARAM)
{
    if (message == WM_KEYBOARD_PRESS) OnLButtonDown(QPoint());
}

void COptionTextCtrl::OnStockPropertyChanged(DISPID id)
{
    if (id != DISPID_ENABLED) return;
    // Either way the hover ends: a disabled label must not stay lit, and an
    // enabled one lights up again at the pointer's next move.
    EndHover();
    SetCursorShape(Qt::ArrowCursor);
}
