#include "ui/AnsiCodePage.h"

#include <array>
#include <cstdint>
#include <cstring>

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

// Both conversions size their result once and write it in place: user quiz
// files with embedded pictures run to megabytes and pass through here whole.
std::u16string AnsiToWide(std::string_view text)
{
    std::u16string wide(text.size(), u'\0');
    char16_t* out = wide.data();
    for (char ch : text) {
        const auto byte = static_cast<unsigned char>(ch);
        *out++ = byte >= 0x80 && byte <= 0x9F ? kHighControls[byte - 0x80] : char16_t{byte};
    }
    return wide;
}

std::string WideToAnsi(std::u16string_view text)
{
    std::string ansi(text.size(), '\0');
    char* out = ansi.data();
    for (std::size_t i = 0; i < text.size(); ++i) {
        // A character outside the basic plane is one character, so one "?".
        if (IsHighSurrogate(text[i]) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) ++i;
        *out++ = ToAnsi(text[i]);
    }
    ansi.resize(static_cast<std::size_t>(out - ansi.data()));
    return ansi;
}

namespace {

// Where the run of ASCII characters starting at `from` ends. Documents are
// mostly ASCII (base64 pictures above all), so the converters copy such runs
// whole.
std::size_t AsciiRunEnd(std::string_view text, std::size_t from)
{
    // Eight bytes at a time while none has its top bit set.
    constexpr std::uint64_t kTopBits = 0x8080808080808080ull;
    while (from + 8 <= text.size()) {
        std::uint64_t word;
        std::memcpy(&word, text.data() + from, sizeof word);
        if (word & kTopBits) break;
        from += 8;
    }
    while (from < text.size() && static_cast<unsigned char>(text[from]) < 0x80) ++from;
    return from;
}

} // namespace

std::string AnsiToUtf8(std::string_view text)
{
    std::string utf8;
    utf8.reserve(text.size() + text.size() / 8);
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t run = AsciiRunEnd(text, i);
        utf8.append(text.substr(i, run - i));
        if (run == text.size()) break;
        const auto byte = static_cast<unsigned char>(text[run]);
        const char16_t c = byte <= 0x9F ? kHighControls[byte - 0x80] : char16_t{byte};
        if (c < 0x800) {
            utf8.push_back(static_cast<char>(0xC0 | (c >> 6)));
        } else {
            utf8.push_back(static_cast<char>(0xE0 | (c >> 12)));
            utf8.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        }
        utf8.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        i = run + 1;
    }
    return utf8;
}

std::string Utf8ToAnsi(std::string_view text)
{
    std::string ansi;
    AppendUtf8AsAnsi(ansi, text);
    return ansi;
}

void AppendUtf8AsAnsi(std::string& ansi, std::string_view text)
{
    ansi.reserve(ansi.size() + text.size());
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t run = AsciiRunEnd(text, i);
        ansi.append(text.substr(i, run - i));
        if (run == text.size()) break;
        const auto* p = reinterpret_cast<const unsigned char*>(text.data()) + run;
        const std::size_t left = text.size() - run;
        // The length of the sequence from its lead byte; a stray byte counts
        // as one unknown character.
        const std::size_t length = *p >= 0xF0 ? 4 : *p >= 0xE0 ? 3 : *p >= 0xC0 ? 2 : 1;
        char32_t c = length == 1 ? 0xFFFD : *p & (0x7F >> length);
        std::size_t taken = 1;
        for (; taken < length && taken < left && (p[taken] & 0xC0) == 0x80; ++taken) c = (c << 6) | (p[taken] & 0x3F);
        if (taken < length) c = 0xFFFD;
        ansi.push_back(c > 0xFFFF ? '?' : ToAnsi(static_cast<char16_t>(c)));
        i = run + taken;
    }
}
