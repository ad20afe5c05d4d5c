#include "CommandLineInfo.h"

#include <algorithm>
#include <string_view>

namespace {

char LowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameSwitch(std::string_view name, std::string_view known)
{
    return std::ranges::equal(name, known, [](char a, char b) { return LowerAscii(a) == LowerAscii(b); });
}

} // namespace

void CCommandLineInfo::ParseCommandLine(const std::vector<std::string>& args)
{
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (!arg.empty() && (arg[0] == '/' || arg[0] == '-')) ParseSwitch(std::string_view(arg).substr(1));
    }
}

void CCommandLineInfo::ParseSwitch(std::string_view name)
{
    if (SameSwitch(name, "Embedding")) m_bRunEmbedded = true;
    else if (SameSwitch(name, "Automation")) m_bRunAutomated = true;
    else if (SameSwitch(name, "Unregserver") || SameSwitch(name, "Unregister")) m_nShellCommand = AppUnregister;
    else if (SameSwitch(name, "Regserver") || SameSwitch(name, "Register")) m_nShellCommand = AppRegister;
}
