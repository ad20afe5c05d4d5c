#pragma once
// CthebrainwheelDlg: the game's main window and the conductor of a game. It
// hosts the console, shows the welcome and goodbye screens in its frame and
// turns the player's choices and the console's events into the console
// calls that make a quiz: StartQuiz, then per round StartRound and, after
// Start Round, one question after another; at the end GameOver with a
// message chosen by the score, and Review Missed when the player missed any
// question. The console's events arrive as private messages from the event
// sink; the step each one triggers runs 1500 ms later on this window's
// thread, and is cancelled if the player leaves the game screen or closes
// the window first.
#include "GameConsole.h"
#include "MissedTests.h"
#include "QuizReader.h"
#include "ReviewDlg.h"
#include "ShellDialog.h"

#include <QIcon>
#include <QPointer>

#include <memory>
#include <string>

class CGoodbyeDlg;
class CWelcomeDlg;
class CWindowTimer;
class CthebrainwheelDlgAutoProxy;
class QAction;
class QMenu;

class CthebrainwheelDlg final : public CShellDialog {
public:
    static constexpr int IDD = 102;
    static constexpr int IDC_CONSOLE = 1000;
    static constexpr int IDC_EXIT = 1001;
    static constexpr int IDC_FRAME = 1002;
    static constexpr int IDC_START_ROUND = 1007;
    static constexpr int IDC_NEW_QUIZ = 1008;
    static constexpr int IDC_REVIEW = 1009;
    static constexpr int IDM_ABOUTBOX = 16;
    // How long the console's answer or game-over display stands.
    static constexpr int kStepDelayMs = 1500;

    explicit CthebrainwheelDlg(QWidget* parent = nullptr);
    ~CthebrainwheelDlg() override;

    // Opens the window and runs it until it ends. When the console can't be
    // made the player is told how to register it and the result is -1.
    int DoModal();
    // Everything the window does on opening; false when the console can't be
    // made. DoModal runs it; tests and the gallery may run it alone.
    bool OnInitDialog();

    // The text of the final message for a score.
    static std::u16string FinalMessage(SHORT score);

    CWelcomeDlg* Welcome() const { return m_pWelcome; }
    CGoodbyeDlg* Goodbye() const { return m_pGoodbye; }
    // The review window while it is open.
    CReviewDlg* Review() const { return m_pReview; }
    QMenu* SystemMenu() const { return m_pSystemMenu; }

    CthebrainwheelDlgAutoProxy* m_pAutoProxy = nullptr;  // the event sink bound to this window, one reference ours

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void OnCommand(int id) override;

private:
    void OnQuizChosen(unsigned message, const char* text);
    void StartNextRound();
    void QuestionStep();
    void ShowFinalMessage();
    void OnNewQuiz();
    void OnReview();
    void CloseReview();
    void OnExit();
    void OnAbout();

    HRESULT ConnectConsoleEvents();
    HRESULT DisconnectConsoleEvents();
    void CancelDelayedSteps();
    // Runs a step that calls the console, logging a refused call.
    template <typename Step>
    void RunStep(const char* what, Step step);

    QWidget* Console() const { return GetDlgItem(IDC_CONSOLE); }
    bool IsConsoleVisible() const;

    CWelcomeDlg* m_pWelcome = nullptr;  // child of the frame
    CGoodbyeDlg* m_pGoodbye = nullptr;  // child of the frame
    QIcon m_hIcon;
    QMenu* m_pSystemMenu = nullptr;     // the right-click menu: About, Mute Sounds
    QAction* m_pMuteAction = nullptr;   // Mute Sounds, checked while muted
    CGameConsole m_console;
    CQuizReader m_quiz;
    DWORD m_dwCookie = 0;               // of the console event connection
    int m_nRound = 0;                   // number of the round started last
    bool m_bInitialised = false;
    std::unique_ptr<CWindowTimer> m_pAnswerStep;  // the question step after an answer
    std::unique_ptr<CWindowTimer> m_pDoneStep;    // the final message after the last answer
    CMissedTests m_missed;                        // of the quiz being played
    QPointer<CReviewDlg> m_pReview;               // deletes itself when closed
};
