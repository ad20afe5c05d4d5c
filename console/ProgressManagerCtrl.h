#pragma once
// CProgressManagerCtrl: the score, kept as the percentage of the quiz's
// questions answered correctly and shown as a ladder of 16 rungs (clip 245,
// frame r highlights rung r). Rungs 5 and 10 are lifeline rungs: the first
// time the ladder stands on one after a Reset it raises Bonus. ExtraLife is
// declared for the console's sake and never raised.
#include "Playdeck.h"

#include "ole/CompositeControl.h"

class CAnimateCtrl;

class CProgressManagerCtrl final : public CCompositeControl, public IProgressManager {
    BRAINWHEEL_CONTROL_IMPL(IProgressManager, IID_IProgressManager)

public:
    CProgressManagerCtrl();

    HRESULT Reset(ULONG nTotalQuestions) override;
    HRESULT CorrectAnswer() override;
    HRESULT get_Percentage(SHORT* pVal) override;

private:
    ~CProgressManagerCtrl() override;

    HRESULT InvokeMember(DISPID id, INVOKEKIND kind, CDispatchCall& call) override;
    bool OnInitDialog() override;
    void OnInPlaceDeactivate() override;
    QColor BackgroundColour() const override;

    // Recomputes the percentage, shows its rung and raises a bonus earned.
    void Update();
    void ShowRung(int rung);

    CAnimateCtrl* m_pAnim = nullptr;  // the ladder (child 203) while the layout lives
    SHORT m_nPercentage = 0;          // 0..100
    ULONG m_nTotalQuestions = 0;
    LONG m_nCorrect = 0;              // since the last Reset
    bool m_bBonus5 = false;           // Bonus raised for rung 5 since the last Reset
    bool m_bBonus10 = false;          // Bonus raised for rung 10 since the last Reset
};
