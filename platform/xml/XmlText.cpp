#include "xml/XmlText.h"

#include <QString>
#include <QStringView>

QByteArray ToUtf8(std::u16string_view text)
{
    return QStringView(text.data(), static_cast<qsizetype>(text.size())).toUtf8();
}

std::u16string FromUtf8(const xmlChar* text, int length)
{
    if (!text) return {};
    return QString::fromUtf8(reinterpret_cast<const char*>(text), length).toStdU16String();
}
