#include "TextLabel.h"

#include "ole/DeviceFont.h"
#include "ole/StockProperties.h"

#include <QFontMetrics>
#include <QPainter>

namespace {

// The label writes its text in the best quality the platform offers.
constexpr BYTE PROOF_QUALITY = 2;

}  // namespace

CTextLabel::CTextLabel()
{
    // FONTDESC's defaults: "Arial" 10 pt, normal weight, the default character set.
    const FONTDESC desc;
    OleCreateFontIndirect(desc, IID_IFontDisp, reinterpret_cast<void**>(&m_spFont));
}

void CTextLabel::UseFont(IFontDisp* font)
{
    CComPtr<IFont> wanted;
    if (!font || FAILED(font->QueryInterface(IID_IFont, reinterpret_cast<void**>(&wanted)))) return;
    CComPtr<IFont> current;
    if (m_spFont && SUCCEEDED(m_spFont.QueryInterface(IID_IFont, &current)) && current->IsEqual(wanted) == S_OK)
        return;
    m_spFont = CloneFont(font);
}

void CTextLabel::SetColours(OLE_COLOR text, OLE_COLOR back)
{
    m_clrText = text;
    m_clrBack = back;
}

void CTextLabel::Draw(QPainter& painter, const QRect& rect)
{
    std::optional<QFont> font = RealizeFont(m_spFont, PROOF_QUALITY);
    if (!font) return;
    int width = 0;
    int height = 0;
    for (;;) {
        const QFontMetrics metrics(*font, painter.device());
        width = metrics.horizontalAdvance(m_text);
        // An italic line leans out past its advance: count one average
        // character more, so that its last letter is not cut off.
        if (font->italic()) width += metrics.averageCharWidth();
        height = metrics.height();
        if (width <= rect.width() && height <= rect.height()) break;
        if (!ShrinkFont(m_spFont)) return;
        font = RealizeFont(m_spFont, PROOF_QUALITY);
        if (!font) return;
    }
    // Halves round down, on odd sizes and negative places alike.
    const int left = rect.left() + (rect.width() >> 1) - (width >> 1);
    const int top = (rect.top() + rect.top() + rect.height() - height) >> 1;
    const QRect layout(left, top, width, height);

    painter.save();
    painter.fillRect(layout, ColourFromOle(m_clrBack));
    painter.setFont(*font);
    painter.setPen(ColourFromOle(m_clrText));
    painter.drawText(layout.left(), layout.top() + painter.fontMetrics().ascent(), m_text);
    painter.restore();
}
