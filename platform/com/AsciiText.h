#pragma once
// Case-blind comparison of the words in our text formats (registry scripts,
// dialog templates, their properties): ASCII letters fold, nothing else
// does, whatever the locale.
#include <string_view>

inline bool SameAsciiText(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) return false;
    const auto fold = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    for (std::size_t i = 0; i < a.size(); ++i)
        if (fold(a[i]) != fold(b[i])) return false;
    return true;
}
