#pragma once
// Conversions between the DOM's 16-bit text and libxml2's UTF-8.
#include <libxml/xmlstring.h>

#include <QByteArray>

#include <string>
#include <string_view>

QByteArray ToUtf8(std::u16string_view text);
// A null text reads as empty; a negative length means up to the first zero.
std::u16string FromUtf8(const xmlChar* text, int length = -1);
