#pragma once
// CLifeManagerCtrl: the player's lives, shown as a row of up to five
// figures. Losing a life dissolves the rightmost figure with a sound;
// gaining one, or setting the count, redraws the row at once. The count has
// a ceiling of five and no floor: below zero the game is over, and the row
// stays empty. The row is clip 243, whose frame 60 - 12n shows n figures.
#include "Playdeck.h"

#include "ole/CompositeControl.h"

class CAnimateCtrl;

class CLifeManagerCtrl final : public CCompositeControl, public ILifeManager {
    BRAINWHEEL_CONTROL_IMPL(ILifeManager, IID_ILifeManager)

public:
    CLifeManagerCtrl();

    HRESULT GainALife() override;
    HRESULT LoseALife() override;
    HRESULT get_NumLives(SHORT* pVal) override;
    HRESULT put_NumLives(SHORT newVal) override;

private:
    ~CLifeManagerCtrl() override;

    HRESULT InvokeMember(DISPID id, INVOKEKIND kind, CDispatchCall& call) override;
    bool OnInitDialog() override;
    void OnInPlaceDeactivate() override;

    // Shows the row for the current count at once.
    void ShowLives();

    CAnimateCtrl* m_pAnim = nullptr;  // the row (child 202) while the layout lives
    SHORT m_nLives = 0;
};
