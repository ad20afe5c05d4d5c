#include "CommandLineInfo.h"
#include "GameApp.h"
#include "ShellSettings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Command = CCommandLineInfo::ShellCommand;

struct StartCase {
    std::vector<std::string> args;  // after the program's path
    std::string pattern;            // the books' names once the options are applied
    int french;
    Command command;
    bool serve;  // started by an automation client
    std::string file;  // the quiz file to open
};

const StartCase kCases[] = {
    {{}, "Tavorin.Quiz%d", 0, Command::FileNew, false, ""},
    {{"-t", "CoFrench"}, "Tavorin.CoFrench%d", 1, Command::FileNew, false, ""},
    {{"-t", "cofrench"}, "Tavorin.cofrench%d", 0, Command::FileNew, false, ""},
    {{"-t", "A", "B"}, "Tavorin.B%d", 0, Command::FileNew, false, ""},
    {{"/t", "CoFrench"}, "Tavorin.Quiz%d", 0, Command::FileNew, false, "CoFrench"},
    {{"-T", "CoFrench"}, "Tavorin.Quiz%d", 0, Command::FileNew, false, "CoFrench"},
    {{"CoFrench", "-t"}, "Tavorin.Quiz%d", 0, Command::FileNew, false, "CoFrench"},
    {{"-t", "50%d"}, "Tavorin.50%%d%d", 0, Command::FileNew, false, ""},
    {{"-register"}, "Tavorin.Quiz%d", 0, Command::AppRegister, false, ""},
    {{"-Unregister", "Regserver"}, "Tavorin.Quiz%d", 0, Command::AppUnregister, false, "Regserver"},
    {{"-Embedding"}, "Tavorin.Quiz%d", 0, Command::FileNew, true, ""},
    {{"/automation"}, "Tavorin.Quiz%d", 0, Command::FileNew, true, ""},
    // Each reader takes what it knows from the same arguments.
    {{"-t", "CoFrench", "-Embedding"}, "Tavorin.-Embedding%d", 0, Command::FileNew, true, ""},
    // A quiz file: a plain operand, or an absolute path as a file manager
    // passes it; the first one counts, and none after a "-t", since every
    // argument there names the books.
    {{"/home/player/My Quizzes/colours.qiz"}, "Tavorin.Quiz%d", 0, Command::FileNew, false,
     "/home/player/My Quizzes/colours.qiz"},
    {{"/colours.qiz"}, "Tavorin.Quiz%d", 0, Command::FileNew, false, "/colours.qiz"},
    {{"-t", "CoFrench", "/tmp/a.qiz"}, "Tavorin./tmp/a.qiz%d", 0, Command::FileNew, false, ""},
    {{"a.qiz", "b.qiz", "-t", "CoFrench"}, "Tavorin.CoFrench%d", 1, Command::FileNew, false, "a.qiz"},
    {{"/Regserver", "quiz.qiz"}, "Tavorin.Quiz%d", 0, Command::AppRegister, false, "quiz.qiz"},
};

// The settings the application makes, as the arguments change them, and the
// switches the command line parser finds in the same arguments.
TEST(StartupOptions, SettingsAndSwitchesFromTheArguments)
{
    // Whatever settings were left behind, the application starts from its own.
    g_bFrenchMode = 1;
    g_strBookPattern = "Tavorin.CoFrench%d";
    {
        CGameApp app;
        EXPECT_EQ(g_bFrenchMode, 0);
        EXPECT_EQ(g_strBookPattern, "Tavorin.Quiz%d");
    }
    for (const StartCase& test : kCases) {
        std::vector<std::string> args = {"/usr/bin/thebrainwheel"};
        args.insert(args.end(), test.args.begin(), test.args.end());
        std::string line;
        for (const std::string& arg : test.args) line += arg + " ";
        SCOPED_TRACE(line);

        CGameApp app;
        EXPECT_EQ(g_brushBlack.style(), Qt::SolidPattern);
        EXPECT_EQ(g_brushBlack.color(), QColor(0, 0, 0));
        ApplyNameOption(args);
        DetectFrenchMode();
        EXPECT_EQ(g_strBookPattern, test.pattern);
        EXPECT_EQ(g_bFrenchMode, test.french);

        CCommandLineInfo info;
        info.ParseCommandLine(args);
        EXPECT_EQ(info.m_nShellCommand, test.command);
        EXPECT_EQ(info.m_bRunEmbedded || info.m_bRunAutomated, test.serve);
        EXPECT_EQ(info.m_strFileName, test.file);
    }
    EXPECT_EQ(g_brushBlack.style(), Qt::NoBrush);
}

} // namespace
