#pragma once
// CChallengeCtrl: one multiple-choice question, a question line (ImageText
// 209) over four answer buttons (Options 205..208, slots 0..3). It places
// the answer and the three wrong ones on the buttons at random, always as a
// rotation of Answer, Option1, Option2, Option3, and turns the first click
// into one verdict, OnAnswer(IsCorrect); a press from the keyboard for slot
// n goes on to that button, as if its label were clicked. It also carries
// out the two lifelines that act on the question (FiftyFifty, FreeAnswer) and the marking
// of the right answer (RevealAnswer). Scores, lives and time belong to the
// GameConsole that hosts it.
#include "Playdeck.h"

#include "ole/CompositeControl.h"

#include <array>

class CChallengeCtrl final : public CCompositeControl, public IChallenge {
    BRAINWHEEL_CONTROL_IMPL(IChallenge, IID_IChallenge)

public:
    CChallengeCtrl();

    // Mirrored to the five parts.
    BRAINWHEEL_STOCK_ENABLED(Enabled)
    // The console's skin, mirrored to the five parts by reference.
    BRAINWHEEL_STOCK_PICTURE(Picture)
    HRESULT get_OptionForeColor(OLE_COLOR* pVal) override;
    HRESULT put_OptionForeColor(OLE_COLOR newVal) override;
    HRESULT get_OptionBackColor(OLE_COLOR* pVal) override;
    HRESULT put_OptionBackColor(OLE_COLOR newVal) override;
    HRESULT get_OptionHighlightColor(OLE_COLOR* pVal) override;
    HRESULT put_OptionHighlightColor(OLE_COLOR newVal) override;
    HRESULT get_QuestionForeColor(OLE_COLOR* pVal) override;
    HRESULT put_QuestionForeColor(OLE_COLOR newVal) override;
    HRESULT get_QuestionBackColor(OLE_COLOR* pVal) override;
    HRESULT put_QuestionBackColor(OLE_COLOR newVal) override;
    HRESULT get_OptionFont(IFontDisp** pVal) override;
    HRESULT put_OptionFont(IFontDisp* newVal) override;
    HRESULT get_QuestionFont(IFontDisp** pVal) override;
    HRESULT put_QuestionFont(IFontDisp* newVal) override;
    HRESULT SetTest(BSTR Question, BSTR Answer, BSTR Option1, BSTR Option2, BSTR Option3) override;
    HRESULT FreeAnswer() override;
    HRESULT FiftyFifty() override;
    HRESULT RevealAnswer() override;

private:
    static constexpr int kSlots = 4;
    using Options = std::array<CComPtr<IOption>, kSlots>;

    ~CChallengeCtrl() override;

    HRESULT InvokeMember(DISPID id, INVOKEKIND kind, CDispatchCall& call) override;
    bool OnInitDialog() override;
    void OnInPlaceDeactivate() override;
    HRESULT OnChildEvent(int id, DISPID event, CDispatchCall& call) override;
    void OnMessage(unsigned message, WPARAM wParam, LPARAM lParam) override;
    void OnStockPropertyChanged(DISPID id) override;
    void OnDraw(QPainter& painter, const QRect& bounds) override;
    QColor BackgroundColour() const override;

    // All four options exist (initialisation found them).
    bool HasOptions() const { return m_spOptions[kSlots - 1] != nullptr; }
    // A put of an option colour: stores it and, when it changed, hands it to
    // every option through `put`.
    HRESULT PutOptionColour(OLE_COLOR& colour, OLE_COLOR newVal, HRESULT (IOption::*put)(OLE_COLOR));
    // A put of a question line colour, likewise.
    HRESULT PutQuestionColour(OLE_COLOR& colour, OLE_COLOR newVal, HRESULT (IImageText::*put)(OLE_COLOR));
    // Places the four texts as a rotation from a slot drawn at random.
    void ShuffleOptions(BSTR Answer, BSTR Option1, BSTR Option2, BSTR Option3);
    void PlaceText(int slot, BSTR text, bool isAnswer);
    // Enables or disables the question line and the four options; the
    // control's own Enabled stays as it is.
    void SetPartsEnabled(bool enabled);
    // The answer's slot, 1-based; slot 3 is not asked, so 4 also means that
    // none of the first three carries the answer.
    int AnswerSlot() const;
    // The verdict on a click: a wrong one first shows the right answer.
    void OnOptionClicked(SHORT isCorrect);

    CComPtr<IImageText> m_spQuestion;  // child 209 while the layout lives
    Options m_spOptions;               // children 205..208 while the layout lives
    OLE_COLOR m_clrOptionFore = 0xFFFFFF;
    OLE_COLOR m_clrOptionBack = 0;
    OLE_COLOR m_clrOptionHighlight = 0x0B94FB;
    OLE_COLOR m_clrQuestionFore = 0xFFFFFF;
    OLE_COLOR m_clrQuestionBack = 0;
    CComPtr<IFontDisp> m_spOptionFont;    // shared; each option keeps its own clone
    CComPtr<IFontDisp> m_spQuestionFont;  // shared; the question line keeps its own clone
};
