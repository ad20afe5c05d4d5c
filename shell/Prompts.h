#pragma once
// What the shell asks of the player in modal boxes: messages and the choice
// of a quiz file to open or to save. The program shows real boxes; tests put
// a recorder in their place, since a modal box would wait for a click nobody
// makes.
#include <optional>
#include <string>

class QWidget;

class IPrompts {
public:
    enum class Icon { None, Warning, Error };

    virtual ~IPrompts() = default;
    // A message box with the program's name as caption and an OK button;
    // `text` is 8-bit text in the ANSI code page.
    virtual void MessageBox(QWidget* parent, const std::string& text, Icon icon) = 0;
    // The open-file dialog for quiz files; nothing when the player cancels.
    virtual std::optional<std::string> ChooseQuizFile(QWidget* parent) = 0;
    // The save-file dialog for a quiz file (UTF-8 path, ".qiz" added when the
    // player typed no suffix); nothing when the player cancels, which is all
    // that prompts standing in for a player who never saves answer.
    virtual std::optional<std::string> SaveQuizFile(QWidget* /*parent*/) { return std::nullopt; }
};

// The prompts in use: the real boxes unless a test replaced them.
IPrompts& Prompts();
// Replaces the prompts; nullptr restores the real boxes.
void SetPrompts(IPrompts* prompts);

// The caption of every box the program shows.
constexpr const char* kProgramName = "thebrainwheel";
