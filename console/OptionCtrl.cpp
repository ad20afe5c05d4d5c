#include "OptionCtrl.h"

#include "KeyboardPress.h"
#include "ole/SkinRegion.h"
#include "PanelBrush.h"
#include "PlaydeckLibrary.h"
#include "PropertyMaps.h"

#include <QImage>
#include <QPainter>

namespace {

constexpr int kTemplateId = 107;
constexpr int kLabelId = 204;
// The marked right answer's colour: blue 192.
constexpr OLE_COLOR kFlashColour = 0xC00000;

constexpr MEMBERDESC kMembers[] = {
    BRAINWHEEL_STOCK_MEMBERS(BackColor, DISPID_BACKCOLOR),
    BRAINWHEEL_STOCK_REF_MEMBERS(Font, DISPID_FONT),
    BRAINWHEEL_STOCK_MEMBERS(ForeColor, DISPID_FORECOLOR),
    BRAINWHEEL_STOCK_MEMBERS(Enabled, DISPID_ENABLED),
    BRAINWHEEL_STOCK_MEMBERS(Text, DISPID_TEXT),
    BRAINWHEEL_STOCK_REF_MEMBERS(Picture, DISPID_PICTURE),
    {DISPID_OPTION_HIGHLIGHTCOLOR, u"HighlightColor", INVOKE_PROPERTYGET, 0, u"The label's hover colour"},
    {DISPID_OPTION_HIGHLIGHTCOLOR, u"HighlightColor", INVOKE_PROPERTYPUT, 1, u"The label's hover colour"},
    {DISPID_OPTION_IMAGEOFFSETS, u"ImageOffsets", INVOKE_FUNC, 2, u"The button's place in Picture"},
    {DISPID_OPTION_ISANSWER, u"IsAnswer", INVOKE_PROPERTYGET, 0, u"Nonzero: the right answer"},
    {DISPID_OPTION_ISANSWER, u"IsAnswer", INVOKE_PROPERTYPUT, 1, u"Nonzero: the right answer"},
    {DISPID_OPTION_FLASH, u"Flash", INVOKE_PROPERTYPUT, 1, u"Marks the button as the right answer"},
};

const ControlClassInfo kClass = {CLSID_Option, IID_IOption, kMembers, &DIID__IOptionEvents, kSkinTextProperties,
                                 PlaydeckComModule()};

}  // namespace

COptionCtrl::COptionCtrl() : CCompositeControl(kClass, kTemplateId) { Stock().foreColor = 0xFFFFFF; }

COptionCtrl::~COptionCtrl() = default;

HRESULT COptionCtrl::InvokeMember(DISPID id, INVOKEKIND kind, CDispatchCall& call)
{
    switch (id) {
    case DISPID_OPTION_HIGHLIGHTCOLOR: {
        OLE_COLOR colour = 0;
        if (kind == INVOKE_PROPERTYGET) return call.ReturnColour(get_HighlightColor(&colour), colour);
        const HRESULT hr = call.Colour(0, colour);
        return FAILED(hr) ? hr : put_HighlightColor(colour);
    }
    case DISPID_OPTION_IMAGEOFFSETS: {
        LONG x = 0;
        LONG y = 0;
        HRESULT hr = call.Long(0, x);
        if (SUCCEEDED(hr)) hr = call.Long(1, y);
        return FAILED(hr) ? hr : ImageOffsets(x, y);
    }
    case DISPID_OPTION_ISANSWER: {
        SHORT value = 0;
        if (kind == INVOKE_PROPERTYGET) return call.ReturnShort(get_IsAnswer(&value), value);
        const HRESULT hr = call.Short(0, value);
        return FAILED(hr) ? hr : put_IsAnswer(value);
    }
    case DISPID_OPTION_FLASH: {
        SHORT value = 0;
        const HRESULT hr = call.Short(0, value);
        return FAILED(hr) ? hr : put_Flash(value);
    }
    default: return DISP_E_MEMBERNOTFOUND;
    }
}

bool COptionCtrl::OnInitDialog()
{
    CComPtr<IOptionText> label;
    if (FAILED(GetDlgControl(kLabelId, IID_IOptionText, reinterpret_cast<void**>(&label)))) return false;
    if (FAILED(AdviseChild(kLabelId, DIID__IOptionTextEvents))) return false;
    m_spLabel = label;
    label->put_ForeColor(Stock().foreColor);
    label->put_BackColor(Stock().backColor);
    label->put_HighlightColor(m_clrHighlight);
    label->put_Enabled(Stock().enabled);
    label->put_Text(Stock().text);
    // The other way round for the font: the template's font for the label
    // becomes the option's own, and an earlier font of the option is dropped.
    CComPtr<IFontDisp> font;
    label->get_Font(&font);
    Stock().font = font;
    return true;
}

void COptionCtrl::OnInPlaceDeactivate() { m_spLabel.Release(); }

HRESULT COptionCtrl::OnChildEvent(int id, DISPID event, CDispatchCall&)
{
    if (id == kLabelId && event == DISPID_OPTIONTEXT_ONCLICKED)
        FireEvent(DISPID_OPTION_ONCLICKED, {CComVariant::I2(m_nIsAnswer)});
    return S_OK;
}

void COptionCtrl::OnMessage(unsigned message, WPARAM, LPARAM)
{
    if (message == WM_KEYBOARD_PRESS) SendKeyboardPress(GetDlgItem(kLabelId));
}

void COptionCtrl::OnStockPropertyChanged(DISPID id)
{
    // A new answer text: a marking still waiting for its paint belongs to
    // the old one.
    if (id == DISPID_TEXT) m_bFlash = false;
    const CComPtr<IOptionText> label = m_spLabel;
    if (!label) return;
    switch (id) {
    case DISPID_BACKCOLOR: label->put_BackColor(Stock().backColor); break;
    case DISPID_FONT: label->put_Font(Stock().font); break;
    case DISPID_FORECOLOR: label->put_ForeColor(Stock().foreColor); break;
    case DISPID_ENABLED: label->put_Enabled(Stock().enabled); break;
    case DISPID_TEXT: label->put_Text(Stock().text); break;
    default: break;  // Picture is the option's alone
    }
}

HRESULT COptionCtrl::get_HighlightColor(OLE_COLOR* pVal) { return ReturnValue(pVal, m_clrHighlight); }

HRESULT COptionCtrl::put_HighlightColor(OLE_COLOR newVal)
{
    m_clrHighlight = newVal;
    return S_OK;
}

HRESULT COptionCtrl::ImageOffsets(LONG offsetX, LONG offsetY)
{
    m_nOffsetX = offsetX;
    m_nOffsetY = offsetY;
    return S_OK;
}

HRESULT COptionCtrl::get_IsAnswer(SHORT* pVal) { return ReturnValue(pVal, m_nIsAnswer); }

HRESULT COptionCtrl::put_IsAnswer(SHORT newVal)
{
    m_nIsAnswer = newVal;
    return S_OK;
}

HRESULT COptionCtrl::put_Flash(SHORT newVal)
{
    // No repaint of the option here: the Challenge disables its parts right
    // before or after marking, and that repaint shows the marking.
    m_bFlash = newVal != 0;
    if (const CComPtr<IOptionText> label = m_spLabel) label->put_BackColor(kFlashColour);
    return S_OK;
}

QColor COptionCtrl::BackgroundColour() const
{
    return m_bFlash ? ColourFromOle(kFlashColour) : CPanelBrush::Colour();
}

void COptionCtrl::OnDraw(QPainter& painter, const QRect& bounds)
{
    if (!m_bFlash) {
        PaintSkinRegion(painter, Stock().picture, m_nOffsetX, m_nOffsetY);
        return;
    }
    // The marking is shown once: where the frame is pure black it takes the
    // flash colour, every other pixel of it stays as the skin has it. What
    // the skin does not cover counts as black.
    m_bFlash = false;
    QImage frame(bounds.size(), QImage::Format_RGB32);
    frame.fill(Qt::black);
    {
        QPainter buffer(&frame);
        PaintSkinRegion(buffer, Stock().picture, m_nOffsetX, m_nOffsetY);
    }
    const QRgb black = qRgb(0, 0, 0);
    const QRgb tint = ColourFromOle(kFlashColour).rgb();
    for (int y = 0; y < frame.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(frame.scanLine(y));
        for (int x = 0; x < frame.width(); ++x)
            if (line[x] == black) line[x] = tint;
    }
    painter.drawImage(bounds.topLeft(), frame);
}
