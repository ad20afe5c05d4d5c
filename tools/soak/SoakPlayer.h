#pragma once
// CSoakPlayer: a scripted player for long runs of the real game window. It
// plays whole games through the widgets as the game tests do (clicks on the
// welcome screen, the console's labels and lifelines, time moved on a manual
// clock), choosing its moves with a seeded generator; the game's own draws
// (the order of the questions, the lifelines offered) stay the game's.
#include "Prompts.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <random>
#include <string>

class CthebrainwheelDlg;
class ManualTimers;
class QWidget;

class CSoakPlayer final : private IPrompts {
public:
    // What the player did, to show that a run covered the game's moves.
    struct Tally {
        int windows = 0, fileGames = 0, answers = 0, timeOuts = 0, lifelines = 0, leftHalfWay = 0;
    };

    // `quizFile` is the user quiz file the Load Qiz File button is given.
    CSoakPlayer(ManualTimers& timers, std::string quizFile, std::uint32_t seed);
    ~CSoakPlayer() override;
    CSoakPlayer(const CSoakPlayer&) = delete;
    CSoakPlayer& operator=(const CSoakPlayer&) = delete;

    // Plays one game from the welcome screen to its end, opening a window
    // first when none is open; false, with the reason in Failure(), when the
    // game did not go as a game must.
    bool PlayGame();
    const std::string& Failure() const { return m_failure; }
    // Message boxes the game showed; a sound game shows none.
    int Messages() const { return m_messages; }
    const Tally& Done() const { return m_tally; }

private:
    void MessageBox(QWidget*, const std::string& text, Icon) override;
    std::optional<std::string> ChooseQuizFile(QWidget*) override { return m_quizFile; }
    std::optional<std::string> SaveQuizFile(QWidget*) override { return std::nullopt; }

    bool OpenWindow();
    bool ChooseQuiz();
    bool PlayQuestions();
    void SpendLifeline();
    void LeaveGame();

    bool Chance(int percent) { return std::uniform_int_distribution<int>(0, 99)(m_random) < percent; }
    bool Shown(int id) const;
    bool Click(QWidget* widget);
    // Lets posted messages arrive and the clock move on by `ms`.
    void Wait(int ms);
    bool Fail(std::string reason);

    ManualTimers& m_timers;
    const std::string m_quizFile;
    std::mt19937 m_random;
    std::unique_ptr<CthebrainwheelDlg> m_dlg;
    std::string m_failure;
    int m_messages = 0;
    Tally m_tally;
};
