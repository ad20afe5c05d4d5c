#include "ui/AnsiCodePage.h"

#include <array>

namespace {

// Bytes 0x80..0x9F. The five bytes the code page leaves undefined map to the
// control characters of the same value, as the desktop converts them, so that
// they survive a round trip.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

char ToAnsi(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
    for (std::size_t i = 0; i < kHighControls.size(); ++i)
        if (kHighControls[i] == c) return static_cast<char>(0x80 + i);
    return '?';
}

} // namespace

std::u16string AnsiToWide(std::string_view text)
{
    std::u16string wide;
    wide.reserve(text.size());
    for (char ch : text) {
        const auto byte = static_cast<unsigned char>(ch);
        wide.push_back(byte >= 0x80 && byte <= 0x9F ? kHighControls[byte - 0x80] : char16_t{byte});
    }
    return wide;
}

std::string WideToAnsi(std::u16string_view text)
{
    std::string ansi;
    ansi.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        // A character outside the basic plane is one character, so one "?".
        if (IsHighSurrogate(text[i]) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) ++i;
        ansi.push_back(ToAnsi(text[i]));
    }
    return ansi;
}
