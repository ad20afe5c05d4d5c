#pragma once
// The ANSI code page (Windows-1252). Quiz files and the quiz documents stored
// in the modules are 8-bit text in it; the components pass 16-bit text.
#include <string>
#include <string_view>

std::u16string AnsiToWide(std::string_view text);
// A character the code page cannot hold becomes "?".
std::string WideToAnsi(std::u16string_view text);
