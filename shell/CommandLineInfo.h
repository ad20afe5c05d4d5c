#pragma once
// CCommandLineInfo: the program's start-up switches. A switch starts with "/"
// or "-" and is compared without regard to case; everything else, the book
// naming option included, is left to others.
#include <string>
#include <string_view>
#include <vector>

class CCommandLineInfo {
public:
    enum ShellCommand {
        FileNew,        // an ordinary start
        AppRegister,    // "Regserver" or "Register": register, then end
        AppUnregister,  // "Unregserver" or "Unregister": unregister, then end
    };

    // Reads every argument after the program's path (args[0]).
    void ParseCommandLine(const std::vector<std::string>& args);

    ShellCommand m_nShellCommand = FileNew;
    bool m_bRunEmbedded = false;   // "Embedding": started by a client to serve it
    bool m_bRunAutomated = false;  // "Automation": the same, by another route

private:
    void ParseSwitch(std::string_view name);
};
