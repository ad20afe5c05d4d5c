#include "xml/XmlText.h"

#include <QString>

QByteArray ToUtf8(std::u16string_view text)
{
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size())).toUtf8();
}

std::u16string FromUtf8(const xmlChar* text, int length)
{
    if (!text) return {};
    return QString::fromUtf8(reinterpret_cast<const char*>(text), length).toStdU16String();
}
