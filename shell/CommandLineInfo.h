#pragma once
// CCommandLineInfo: the program's start-up switches and the quiz file to
// open. A switch starts with "/" or "-" and is compared without regard to
// case; the book naming option ("-t word") is left to others, and as every
// argument after a "-t" names the books, the file must come before it. The
// file is the first operand that is not a switch: an argument starting with
// neither "-" nor "/", or an absolute path (a "/" followed by anything but
// letters, which no switch name is), as a file manager passes it.
#include <string>
#include <string_view>
#include <vector>

// The option whose following arguments name the books.
inline constexpr const char* kNameOption = "-t";

class CCommandLineInfo {
public:
    enum ShellCommand {
        FileNew,        // an ordinary start
        AppRegister,    // "Regserver" or "Register": register, then end
        AppUnregister,  // "Unregserver" or "Unregister": unregister, then end
    };

    // Reads every argument after the program's path (args[0]).
    void ParseCommandLine(const std::vector<std::string>& args);
    // Whether `arg`, standing before any "-t", names a file.
    static bool IsFileOperand(std::string_view arg);

    ShellCommand m_nShellCommand = FileNew;
    bool m_bRunEmbedded = false;   // "Embedding": started by a client to serve it
    bool m_bRunAutomated = false;  // "Automation": the same, by another route
    std::string m_strFileName;     // the quiz file to open, empty for none

private:
    void ParseSwitch(std::string_view name);
};
