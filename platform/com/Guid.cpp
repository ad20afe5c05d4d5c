#include "com/ComTypes.h"

#include <cstdio>

std::string GuidToString(REFGUID g)
{
    char text[39];
    std::snprintf(text, sizeof text, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                  g.Data1, g.Data2, g.Data3, g.Data4[0], g.Data4[1], g.Data4[2], g.Data4[3],
                  g.Data4[4], g.Data4[5], g.Data4[6], g.Data4[7]);
    return text;
}

namespace {

int HexValue(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Reads `digits` hex digits at `pos`, advancing it.
bool ReadHex(std::string_view text, size_t& pos, int digits, std::uint64_t& value)
{
    value = 0;
    for (int i = 0; i < digits; ++i, ++pos) {
        if (pos >= text.size()) return false;
        const int v = HexValue(text[pos]);
        if (v < 0) return false;
        value = value * 16 + static_cast<std::uint64_t>(v);
    }
    return true;
}

} // namespace

bool GuidFromString(std::string_view text, GUID& guid)
{
    if (text.size() != 38 || text.front() != '{' || text.back() != '}') return false;
    const int groups[] = {8, 4, 4, 4, 12};
    std::uint64_t values[5];
    size_t pos = 1;
    for (int i = 0; i < 5; ++i) {
        if (!ReadHex(text, pos, groups[i], values[i])) return false;
        if (i < 4 && text[pos++] != '-') return false;
    }
    guid.Data1 = static_cast<std::uint32_t>(values[0]);
    guid.Data2 = static_cast<std::uint16_t>(values[1]);
    guid.Data3 = static_cast<std::uint16_t>(values[2]);
    guid.Data4[0] = static_cast<std::uint8_t>(values[3] >> 8);
    guid.Data4[1] = static_cast<std::uint8_t>(values[3]);
    for (int i = 0; i < 6; ++i)
        guid.Data4[2 + i] = static_cast<std::uint8_t>(values[4] >> (8 * (5 - i)));
    return true;
}

int StringFromGUID2(REFGUID guid, LPOLESTR buffer, int cchMax)
{
    if (!buffer || cchMax < 39) return 0;
    const std::string text = GuidToString(guid);
    for (size_t i = 0; i < text.size(); ++i) buffer[i] = static_cast<OLECHAR>(text[i]);
    buffer[text.size()] = 0;
    return static_cast<int>(text.size()) + 1;
}

HRESULT CLSIDFromString(LPCOLESTR text, CLSID* clsid)
{
    if (!text || !clsid) return E_POINTER;
    std::string narrow;
    for (; *text; ++text) {
        if (*text > 0x7F || narrow.size() > 38) return CO_E_CLASSSTRING;
        narrow.push_back(static_cast<char>(*text));
    }
    return GuidFromString(narrow, *clsid) ? S_OK : CO_E_CLASSSTRING;
}
