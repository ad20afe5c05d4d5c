#include "ImageTextCtrl.h"

#include "ole/DeviceFont.h"
#include "ole/SkinRegion.h"
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
    BRAINWHEEL_STOCK_REF_MEMBERS(Picture, DISPID_PICTURE),
    {DISPID_IMAGETEXT_IMAGEOFFSETS, u"ImageOffsets", INVOKE_FUNC, 2, u"The control's place in Picture"},
    {DISPID_IMAGETEXT_ALIGNMENT, u"Alignment", INVOKE_PROPERTYGET, 0, u"The text alignment flags"},
    {DISPID_IMAGETEXT_ALIGNMENT, u"Alignment", INVOKE_PROPERTYPUT, 1, u"The text alignment flags"},
};

const ControlClassInfo kClass = {CLSID_ImageText, IID_IImageText, kMembers, nullptr, kSkinTextProperties,
                                 PlaydeckComModule()};

// The skin's texts are drawn in the best quality the platform offers.
constexpr BYTE PROOF_QUALITY = 2;

}  // namespace

CImageTextCtrl::CImageTextCtrl() : CControlBase(kClass)
{
    Stock().foreColor = 0xFFFFFF;
    FONTDESC desc;
    desc.sWeight = FW_BOLD;
    OleCreateFontIndirect(desc, IID_IFontDisp, reinterpret_cast<void**>(&Stock().font));
}

CImageTextCtrl::~CImageTextCtrl() = default;

HRESULT CImageTextCtrl::InvokeMember(DISPID id, INVOKEKIND kind, CDispatchCall& call)
{
    switch (id) {
    case DISPID_IMAGETEXT_IMAGEOFFSETS: {
        LONG x = 0;
        LONG y = 0;
        HRESULT hr = call.Long(0, x);
        if (SUCCEEDED(hr)) hr = call.Long(1, y);
        return FAILED(hr) ? hr : ImageOffsets(x, y);
    }
    case DISPID_IMAGETEXT_ALIGNMENT: {
        // The dispatch layer reads 32 bits; the flags are unsigned.
        LONG alignment = 0;
        if (kind == INVOKE_PROPERTYGET) {
            ULONG value = 0;
            const HRESULT hr = get_Alignment(&value);
            alignment = static_cast<LONG>(value);
            return call.ReturnLong(hr, alignment);
        }
        const HRESULT hr = call.Long(0, alignment);
        return FAILED(hr) ? hr : put_Alignment(static_cast<ULONG>(alignment));
    }
    default: return DISP_E_MEMBERNOTFOUND;
    }
}

HRESULT CImageTextCtrl::ImageOffsets(LONG offsetX, LONG offsetY)
{
    m_nOffsetX = offsetX;
    m_nOffsetY = offsetY;
    return S_OK;
}

HRESULT CImageTextCtrl::get_Alignment(ULONG* pVal) { return ReturnValue(pVal, m_nAlignment); }

HRESULT CImageTextCtrl::put_Alignment(ULONG newVal)
{
    m_nAlignment = newVal;
    return S_OK;
}

void CImageTextCtrl::OnDraw(QPainter& painter, const QRect& bounds)
{
    // Without a font there is nothing to write, and the skin is not painted
    // either: the control shows what lay under it.
    const std::optional<QFont> font = RealizeFont(Stock().font, PROOF_QUALITY);
    if (!font) return;
    PaintSkinRegion(painter, Stock().picture, m_nOffsetX, m_nOffsetY);
    painter.setFont(*font);
    painter.setPen(ColourFromOle(Stock().foreColor));
    painter.drawText(bounds, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                     QString::fromStdU16String(Stock().text.str()));
}
