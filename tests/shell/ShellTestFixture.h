#pragma once
// The game program's windows with the real console library and quiz books,
// registered into a private registry; timers on a manual clock and the modal
// boxes recorded instead of shown.
#include "ManualTimers.h"
#include "TestEnvironment.h"

#include "Prompts.h"
#include "ShellSettings.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

// Records the messages and answers the file dialog with a set path.
class RecordedPrompts final : public IPrompts {
public:
    RecordedPrompts() { SetPrompts(this); }
    ~RecordedPrompts() override { SetPrompts(nullptr); }

    void MessageBox(QWidget*, const std::string& text, Icon) override { messages.push_back(text); }
    std::optional<std::string> ChooseQuizFile(QWidget*) override { return file; }

    std::vector<std::string> messages;
    std::optional<std::string> file;
};

inline void RegisterModule(const char* module)
{
    const std::string command =
        (TestEnvironment::BinDir() / "regsvr").string() + " -s " + (TestEnvironment::BinDir() / module).string();
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
}

class ShellTest : public testing::Test {
protected:
    // The settings as the program makes them from `args` (its path first).
    void Start(const std::vector<std::string>& args)
    {
        CreateShellSettings();
        ApplyNameOption(args);
        DetectFrenchMode();
    }
    void TearDown() override { DestroyShellSettings(); }

    TestEnvironment env;
    ManualTimers timers;
    RecordedPrompts prompts;
};
