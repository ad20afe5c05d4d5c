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
    bool naming = false;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        // Every argument after a "-t" renames the books, so none of them can
        // be the file.
        naming = naming || arg == kNameOption;
        if (m_strFileName.empty() && !naming && IsFileOperand(arg)) m_strFileName = arg;
        else if (!arg.empty() && (arg[0] == '/' || arg[0] == '-')) ParseSwitch(std::string_view(arg).substr(1));
    }
}

bool CCommandLineInfo::IsFileOperand(std::string_view arg)
{
    if (arg.empty() || arg[0] == '-') return false;
    if (arg[0] != '/') return true;
    const std::string_view rest = arg.substr(1);
    return !rest.empty() && !std::ranges::all_of(rest, [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    });
}

void CCommandLineInfo::ParseSwitch(std::string_view name)
{
    if (SameSwitch(name, "Embedding")) m_bRunEmbedded = true;
    else if (SameSwitch(name, "Automation")) m_bRunAutomated = true;
    else if (SameSwitch(name, "Unregserver") || SameSwitch(name, "Unregister")) m_nShellCommand = AppUnregister;
    else if (SameSwitch(name, "Regserver") || SameSwitch(name, "Register")) m_nShellCommand = AppRegister;
}
