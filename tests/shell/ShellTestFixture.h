#pragma once
// The game program's windows with the real console library and quiz books,
// registered into a private registry; timers on a manual clock and the modal
// boxes recorded instead of shown.
#include "ManualTimers.h"
#include "RunProgram.h"
#include "TestEnvironment.h"

#include "Prompts.h"
#include "ShellSettings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// Records the messages and answers the file dialogs with set paths.
class RecordedPrompts final : public IPrompts {
public:
    RecordedPrompts() { SetPrompts(this); }
    ~RecordedPrompts() override { SetPrompts(nullptr); }

    void MessageBox(QWidget*, const std::string& text, Icon) override { messages.push_back(text); }
    std::optional<std::string> ChooseQuizFile(QWidget*) override { return file; }
    std::optional<std::string> SaveQuizFile(QWidget*) override { return saveAs; }

    std::vector<std::string> messages;
    std::optional<std::string> file;
    std::optional<std::string> saveAs;
};

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
    // Registers a built module into this test's registry.
    void RegisterModule(const char* module)
    {
        ASSERT_EQ(RunProgram(env, "regsvr", "-s " + (TestEnvironment::BinDir() / module).string()).status, 0) << module;
    }

    TestEnvironment env;
    ManualTimers timers;
    RecordedPrompts prompts;
};
