#pragma once
// CTextLabel: one line of text fitted into a rectangle. It starts from its
// font's size and lowers it a whole point at a time until the line fits,
// then writes the line centred on a background of its own colour. A text
// that does not fit even at one point is not written at all.
#include "com/ComPtr.h"
#include "ole/Font.h"
#include "ole/PropertyMap.h"

#include <QString>

class QPainter;
class QRect;

class CTextLabel {
public:
    CTextLabel();

    // The font the next Draw starts from: a clone of `font`, unless the
    // working font still equals it. A drawing after a shrunk fit thus starts
    // again from `font`'s size, and an unchanged font costs no clone. Null
    // keeps the working font.
    void UseFont(IFontDisp* font);
    // The working font, shrunk by the last Draw where the text needed it.
    IFontDisp* Font() const { return m_spFont; }
    void SetText(const QString& text) { m_text = text; }
    void SetColours(OLE_COLOR text, OLE_COLOR back);

    // Fits the text into `rect` and writes it there, centred, on its back
    // colour.
    void Draw(QPainter& painter, const QRect& rect);

private:
    CComPtr<IFontDisp> m_spFont;  // "Arial" 10 pt until UseFont
    QString m_text;
    OLE_COLOR m_clrText = 0xFFFFFF;
    OLE_COLOR m_clrBack = 0;
};
