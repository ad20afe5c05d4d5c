#pragma once
// The ANSI code page (Windows-1252). Quiz files and the quiz documents stored
// in the modules are 8-bit text in it; the components pass 16-bit text.
#include <string>
#include <string_view>

std::u16string AnsiToWide(std::string_view text);
// A character the code page cannot hold becomes "?".
std::string WideToAnsi(std::u16string_view text);

// The same conversions to and from UTF-8, for whole documents on their way
// to and from the XML parser.
std::string AnsiToUtf8(std::string_view text);
std::string Utf8ToAnsi(std::string_view text);
// Utf8ToAnsi onto the end of `ansi`.
void AppendUtf8AsAnsi(std::string& ansi, std::string_view text);
