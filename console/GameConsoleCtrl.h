#pragma once
// CGameConsoleCtrl: the whole in-game console, the one control the game
// program hosts. It lays out the question (Challenge), the countdown, the
// lives, the ladder, the round's title and the lifelines from template 108,
// wires their events to one another, runs the question cycle (present, wait
// for an answer or a time-out, show the verdict), numbers the questions,
// gives the player less time as the score rises, and tells its container of
// each settled question (OnAnswer) and of the end of the lives (OnGameOver).
// It paints the skin and, in a centre box, the question's picture or a
// result image, never enlarged.
//
// The player may answer from the keyboard: the console takes the focus as
// each question is shown, and A to D or 1 to 4 press the answer at that
// place (left to right, top to bottom), F the 50:50 and R the Answer
// lifeline, each exactly as a click on it would. Every other key goes on to
// the container.
//
// A question is settled once: the countdown may report a time-out that was
// already under way when an answer stopped it, and that late time-out is
// ignored, so that the player is never both credited and charged for one
// question and the container hears one event per question.
#include "Playdeck.h"

#include "PanelBrush.h"
#include "ole/CompositeControl.h"

#include <array>

class CGameConsoleCtrl final : public CCompositeControl, public IGameConsole {
    BRAINWHEEL_CONTROL_IMPL(IGameConsole, IID_IGameConsole)

public:
    CGameConsoleCtrl();

    BRAINWHEEL_STOCK_PICTURE(Picture)
    HRESULT SetTextQuestion(BSTR Question, BSTR Answer, BSTR Option1, BSTR Option2, BSTR Option3) override;
    HRESULT SetPictureQuestion(IPictureDisp* Picture, BSTR Question, BSTR Answer, BSTR Option1, BSTR Option2,
                               BSTR Option3) override;
    HRESULT StartRound(BSTR Category) override;
    HRESULT StartQuiz(ULONG TotalQuestions) override;
    HRESULT GameOver(BSTR Message) override;
    HRESULT get_Percentage(SHORT* pVal) override;
    HRESULT EndQuiz() override;

private:
    ~CGameConsoleCtrl() override;

    HRESULT InvokeMember(DISPID id, INVOKEKIND kind, CDispatchCall& call) override;
    bool OnInitDialog() override;
    void OnInPlaceDeactivate() override;
    HRESULT OnChildEvent(int id, DISPID event, CDispatchCall& call) override;
    void OnStockPropertyChanged(DISPID id) override;
    void OnDraw(QPainter& painter, const QRect& bounds) override;
    QColor BackgroundColour() const override;
    // The answer and lifeline keys.
    bool OnWindowEvent(QEvent* event) override;

    void LoadSkin();
    void PresentQuestion(BSTR Question, BSTR Answer, BSTR Option1, BSTR Option2, BSTR Option3);
    void StartAnswerTimer();
    void OnChallengeAnswer(SHORT isCorrect);
    void OnCountdownTimeOut();
    // The question line shows `text`, the options are empty, all disabled.
    void ShowMessage(const std::u16string& text);
    // Closes the question: the parts disabled, the countdown stopped.
    void DisableParts();
    void SetCentrePicture(IPictureDisp* picture);
    // Result image 0 right, 1 wrong, 2 time out, 3 game over; null when
    // the library lacks it.
    IPictureDisp* ResultImage(int which);
    SHORT Percentage() const;

    CPanelBrush m_panelBrush;  // the library's panel colour, while this console lives
    CComPtr<IChallenge> m_spChallenge;            // 210
    CComPtr<ICountdown> m_spCountdown;            // 201
    CComPtr<ILifeManager> m_spLifeManager;        // 212
    CComPtr<IProgressManager> m_spProgress;       // 213
    CComPtr<IImageText> m_spTitle;                // 214
    CComPtr<ILifelineManager> m_spLifelines;      // 223
    CComPtr<IPictureDisp> m_spCentre;             // what the centre box shows
    std::array<CComPtr<IPictureDisp>, 4> m_spResult;  // IMAGES 247, 248, 249, 250, once shown
    LONG m_nQuestion = 0;         // questions presented since StartQuiz
    bool m_bQuestionOpen = false; // a question waits for its one verdict
};
