#include "ChallengeCtrl.h"

#include "KeyboardPress.h"
#include "ole/SkinRegion.h"
#include "PanelBrush.h"
#include "PlaydeckLibrary.h"
#include "PropertyMaps.h"
#include "ui/Random.h"

namespace {

constexpr int kTemplateId = 109;
constexpr int kFirstOptionId = 205;
constexpr int kQuestionId = 209;

// The parts' places in the 520 x 500 skin: x from its left edge, y from its
// bottom edge up to the part's top edge. The buttons' slots run left to
// right, top to bottom.
constexpr LONG kQuestionOffsetX = 73;
constexpr LONG kQuestionOffsetY = 165;
constexpr LONG kOptionOffsets[][2] = {{23, 100}, {269, 100}, {23, 56}, {269, 56}};
constexpr int kSkinOffsetX = 23;
constexpr int kSkinOffsetY = 170;

// FiftyFifty redraws until two wrong answers are gone; the cap only guards
// against a generator that never gets there.
constexpr int kMostDraws = 1000;
constexpr int kRemoved = 2;

constexpr MEMBERDESC kMembers[] = {
    BRAINWHEEL_STOCK_MEMBERS(Enabled, DISPID_ENABLED),
    BRAINWHEEL_STOCK_REF_MEMBERS(Picture, DISPID_PICTURE),
    {DISPID_CHALLENGE_OPTIONFORECOLOR, u"OptionForeColor", INVOKE_PROPERTYGET, 0, u"Text colour of the answers"},
    {DISPID_CHALLENGE_OPTIONFORECOLOR, u"OptionForeColor", INVOKE_PROPERTYPUT, 1, u"Text colour of the answers"},
    {DISPID_CHALLENGE_OPTIONBACKCOLOR, u"OptionBackColor", INVOKE_PROPERTYGET, 0, u"Background of the answers"},
    {DISPID_CHALLENGE_OPTIONBACKCOLOR, u"OptionBackColor", INVOKE_PROPERTYPUT, 1, u"Background of the answers"},
    {DISPID_CHALLENGE_OPTIONHIGHLIGHTCOLOR, u"OptionHighlightColor", INVOKE_PROPERTYGET, 0,
     u"Text colour of the answer under the pointer"},
    {DISPID_CHALLENGE_OPTIONHIGHLIGHTCOLOR, u"OptionHighlightColor", INVOKE_PROPERTYPUT, 1,
     u"Text colour of the answer under the pointer"},
    {DISPID_CHALLENGE_QUESTIONFORECOLOR, u"QuestionForeColor", INVOKE_PROPERTYGET, 0, u"Text colour of the question"},
    {DISPID_CHALLENGE_QUESTIONFORECOLOR, u"QuestionForeColor", INVOKE_PROPERTYPUT, 1, u"Text colour of the question"},
    {DISPID_CHALLENGE_QUESTIONBACKCOLOR, u"QuestionBackColor", INVOKE_PROPERTYGET, 0, u"Background of the question"},
    {DISPID_CHALLENGE_QUESTIONBACKCOLOR, u"QuestionBackColor", INVOKE_PROPERTYPUT, 1, u"Background of the question"},
    {DISPID_CHALLENGE_OPTIONFONT, u"OptionFont", INVOKE_PROPERTYGET, 0, u"Font of the answers"},
    {DISPID_CHALLENGE_OPTIONFONT, u"OptionFont", INVOKE_PROPERTYPUT, 1, u"Font of the answers"},
    {DISPID_CHALLENGE_QUESTIONFONT, u"QuestionFont", INVOKE_PROPERTYGET, 0, u"Font of the question"},
    {DISPID_CHALLENGE_QUESTIONFONT, u"QuestionFont", INVOKE_PROPERTYPUT, 1, u"Font of the question"},
    {DISPID_CHALLENGE_SETTEST, u"SetTest", INVOKE_FUNC, 5, u"Shows a question and its answers"},
    {DISPID_CHALLENGE_FREEANSWER, u"FreeAnswer", INVOKE_FUNC, 0, u"Marks the answer and reports it right"},
    {DISPID_CHALLENGE_FIFTYFIFTY, u"FiftyFifty", INVOKE_FUNC, 0, u"Removes two wrong answers"},
    {DISPID_CHALLENGE_REVEALANSWER, u"RevealAnswer", INVOKE_FUNC, 0, u"Marks the answer"},
};

const ControlClassInfo kClass = {CLSID_Challenge, IID_IChallenge, kMembers, &DIID__IChallengeEvents, kChallengeProperties,
                                 PlaydeckComModule()};

// A font argument: none, or an object that must be a font.
HRESULT FontArgument(const CDispatchCall& call, CComPtr<IFontDisp>& font)
{
    CComPtr<IDispatch> object;
    const HRESULT hr = call.Object(0, object);
    if (FAILED(hr)) return hr;
    if (object && FAILED(object.QueryInterface(IID_IFontDisp, &font))) return DISP_E_TYPEMISMATCH;
    return S_OK;
}

} // namespace

CChallengeCtrl::CChallengeCtrl() : CCompositeControl(kClass, kTemplateId) {}

CChallengeCtrl::~CChallengeCtrl() = default;

HRESULT CChallengeCtrl::InvokeMember(DISPID id, INVOKEKIND kind, CDispatchCall& call)
{
    using ColourGet = HRESULT (CChallengeCtrl::*)(OLE_COLOR*);
    using ColourPut = HRESULT (CChallengeCtrl::*)(OLE_COLOR);
    const auto colour = [&](ColourGet get, ColourPut put) {
        OLE_COLOR value = 0;
        if (kind == INVOKE_PROPERTYGET) return call.ReturnColour((this->*get)(&value), value);
        const HRESULT hr = call.Colour(0, value);
        return FAILED(hr) ? hr : (this->*put)(value);
    };
    using FontGet = HRESULT (CChallengeCtrl::*)(IFontDisp**);
    using FontPut = HRESULT (CChallengeCtrl::*)(IFontDisp*);
    const auto font = [&](FontGet get, FontPut put) {
        CComPtr<IFontDisp> value;
        if (kind == INVOKE_PROPERTYGET) return call.ReturnObject((this->*get)(&value), value);
        const HRESULT hr = FontArgument(call, value);
        return FAILED(hr) ? hr : (this->*put)(value);
    };

    switch (id) {
    case DISPID_CHALLENGE_OPTIONFORECOLOR:
        return colour(&CChallengeCtrl::get_OptionForeColor, &CChallengeCtrl::put_OptionForeColor);
    case DISPID_CHALLENGE_OPTIONBACKCOLOR:
        return colour(&CChallengeCtrl::get_OptionBackColor, &CChallengeCtrl::put_OptionBackColor);
    case DISPID_CHALLENGE_OPTIONHIGHLIGHTCOLOR:
        return colour(&CChallengeCtrl::get_OptionHighlightColor, &CChallengeCtrl::put_OptionHighlightColor);
    case DISPID_CHALLENGE_QUESTIONFORECOLOR:
        return colour(&CChallengeCtrl::get_QuestionForeColor, &CChallengeCtrl::put_QuestionForeColor);
    case DISPID_CHALLENGE_QUESTIONBACKCOLOR:
        return colour(&CChallengeCtrl::get_QuestionBackColor, &CChallengeCtrl::put_QuestionBackColor);
    case DISPID_CHALLENGE_OPTIONFONT: return font(&CChallengeCtrl::get_OptionFont, &CChallengeCtrl::put_OptionFont);
    case DISPID_CHALLENGE_QUESTIONFONT:
        return font(&CChallengeCtrl::get_QuestionFont, &CChallengeCtrl::put_QuestionFont);
    case DISPID_CHALLENGE_SETTEST: {
        CComBSTR texts[5];
        for (UINT i = 0; i < std::size(texts); ++i) {
            const HRESULT hr = call.Text(i, texts[i]);
            if (FAILED(hr)) return hr;
        }
        return SetTest(texts[0], texts[1], texts[2], texts[3], texts[4]);
    }
    case DISPID_CHALLENGE_FREEANSWER: return FreeAnswer();
    case DISPID_CHALLENGE_FIFTYFIFTY: return FiftyFifty();
    case DISPID_CHALLENGE_REVEALANSWER: return RevealAnswer();
    default: return DISP_E_MEMBERNOTFOUND;
    }
}

bool CChallengeCtrl::OnInitDialog()
{
    // A missing part leaves the question dead, but the layout stands: the
    // framework has logged why the part could not be made.
    if (FAILED(GetDlgControl(kQuestionId, IID_IImageText, reinterpret_cast<void**>(&m_spQuestion)))) return true;
    for (int slot = 0; slot < kSlots; ++slot) {
        if (FAILED(GetDlgControl(kFirstOptionId + slot, IID_IOption, reinterpret_cast<void**>(&m_spOptions[slot]))))
            return true;
    }

    m_spQuestion->ImageOffsets(kQuestionOffsetX, kQuestionOffsetY);
    for (int slot = 0; slot < kSlots; ++slot)
        m_spOptions[slot]->ImageOffsets(kOptionOffsets[slot][0], kOptionOffsets[slot][1]);

    // The templates' fonts become the control's own.
    m_spQuestion->get_Font(&m_spQuestionFont);
    m_spOptions[0]->get_Font(&m_spOptionFont);

    for (int slot = 0; slot < kSlots; ++slot)
        if (FAILED(AdviseChild(kFirstOptionId + slot, DIID__IOptionEvents))) return true;

    m_spQuestion->put_ForeColor(m_clrQuestionFore);
    m_spQuestion->put_BackColor(m_clrQuestionBack);
    m_spQuestion->put_Font(m_spQuestionFont);
    m_spQuestion->putref_Picture(Stock().picture);
    for (const CComPtr<IOption>& option : m_spOptions) {
        option->put_ForeColor(m_clrOptionFore);
        option->put_BackColor(m_clrOptionBack);
        option->put_HighlightColor(m_clrOptionHighlight);
        option->put_Font(m_spOptionFont);
        option->putref_Picture(Stock().picture);
    }
    return true;
}

void CChallengeCtrl::OnInPlaceDeactivate()
{
    m_spQuestion.Release();
    for (CComPtr<IOption>& option : m_spOptions) option.Release();
}

HRESULT CChallengeCtrl::OnChildEvent(int id, DISPID event, CDispatchCall& call)
{
    SHORT isCorrect = 0;
    if (id < kFirstOptionId || id >= kFirstOptionId + kSlots || event != DISPID_OPTION_ONCLICKED) return S_OK;
    if (FAILED(call.Short(0, isCorrect))) return S_OK;
    OnOptionClicked(isCorrect);
    return S_OK;
}

void CChallengeCtrl::OnMessage(unsigned message, WPARAM wParam, LPARAM)
{
    if (message == WM_KEYBOARD_PRESS && wParam < kSlots)
        SendKeyboardPress(GetDlgItem(kFirstOptionId + static_cast<int>(wParam)));
}

void CChallengeCtrl::OnStockPropertyChanged(DISPID id)
{
    // Copies: a part's put may run any code of the part.
    const CComPtr<IImageText> question = m_spQuestion;
    const Options options = m_spOptions;
    if (id == DISPID_ENABLED) {
        if (question) question->put_Enabled(Stock().enabled);
        for (const CComPtr<IOption>& option : options)
            if (option) option->put_Enabled(Stock().enabled);
    } else if (id == DISPID_PICTURE) {
        if (question) question->putref_Picture(Stock().picture);
        for (const CComPtr<IOption>& option : options)
            if (option) option->putref_Picture(Stock().picture);
    }
}

void CChallengeCtrl::OnDraw(QPainter& painter, const QRect&)
{
    PaintSkinRegion(painter, Stock().picture, kSkinOffsetX, kSkinOffsetY);
}

QColor CChallengeCtrl::BackgroundColour() const { return CPanelBrush::Colour(); }

HRESULT CChallengeCtrl::get_OptionForeColor(OLE_COLOR* pVal) { return ReturnValue(pVal, m_clrOptionFore); }

HRESULT CChallengeCtrl::put_OptionForeColor(OLE_COLOR newVal)
{
    return PutOptionColour(m_clrOptionFore, newVal, &IOption::put_ForeColor);
}

HRESULT CChallengeCtrl::get_OptionBackColor(OLE_COLOR* pVal) { return ReturnValue(pVal, m_clrOptionBack); }

HRESULT CChallengeCtrl::put_OptionBackColor(OLE_COLOR newVal)
{
    return PutOptionColour(m_clrOptionBack, newVal, &IOption::put_BackColor);
}

HRESULT CChallengeCtrl::get_OptionHighlightColor(OLE_COLOR* pVal) { return ReturnValue(pVal, m_clrOptionHighlight); }

HRESULT CChallengeCtrl::put_OptionHighlightColor(OLE_COLOR newVal)
{
    return PutOptionColour(m_clrOptionHighlight, newVal, &IOption::put_HighlightColor);
}

HRESULT CChallengeCtrl::get_QuestionForeColor(OLE_COLOR* pVal) { return ReturnValue(pVal, m_clrQuestionFore); }

HRESULT CChallengeCtrl::put_QuestionForeColor(OLE_COLOR newVal)
{
    return PutQuestionColour(m_clrQuestionFore, newVal, &IImageText::put_ForeColor);
}

HRESULT CChallengeCtrl::get_QuestionBackColor(OLE_COLOR* pVal) { return ReturnValue(pVal, m_clrQuestionBack); }

HRESULT CChallengeCtrl::put_QuestionBackColor(OLE_COLOR newVal)
{
    return PutQuestionColour(m_clrQuestionBack, newVal, &IImageText::put_BackColor);
}

HRESULT CChallengeCtrl::PutOptionColour(OLE_COLOR& colour, OLE_COLOR newVal, HRESULT (IOption::*put)(OLE_COLOR))
{
    if (colour == newVal) return S_OK;
    colour = newVal;
    if (!HasOptions()) return S_OK;
    const Options options = m_spOptions;
    for (const CComPtr<IOption>& option : options) (option.get()->*put)(newVal);
    return S_OK;
}

HRESULT CChallengeCtrl::PutQuestionColour(OLE_COLOR& colour, OLE_COLOR newVal,
                                          HRESULT (IImageText::*put)(OLE_COLOR))
{
    if (colour == newVal) return S_OK;
    colour = newVal;
    if (const CComPtr<IImageText> question = m_spQuestion) (question.get()->*put)(newVal);
    return S_OK;
}

HRESULT CChallengeCtrl::get_OptionFont(IFontDisp** pVal) { return m_spOptionFont.CopyTo(pVal); }

HRESULT CChallengeCtrl::put_OptionFont(IFontDisp* newVal)
{
    if (newVal == m_spOptionFont.get()) return S_OK;
    m_spOptionFont = newVal;
    if (!HasOptions()) return S_OK;
    const Options options = m_spOptions;
    for (const CComPtr<IOption>& option : options) option->put_Font(newVal);
    return S_OK;
}

HRESULT CChallengeCtrl::get_QuestionFont(IFontDisp** pVal) { return m_spQuestionFont.CopyTo(pVal); }

HRESULT CChallengeCtrl::put_QuestionFont(IFontDisp* newVal)
{
    if (newVal == m_spQuestionFont.get()) return S_OK;
    m_spQuestionFont = newVal;
    if (const CComPtr<IImageText> question = m_spQuestion) question->put_Font(newVal);
    return S_OK;
}

HRESULT CChallengeCtrl::SetTest(BSTR Question, BSTR Answer, BSTR Option1, BSTR Option2, BSTR Option3)
{
    const CComPtr<IImageText> question = m_spQuestion;
    if (!question) return S_OK;
    question->put_Text(Question);
    ShuffleOptions(Answer, Option1, Option2, Option3);
    SetPartsEnabled(true);
    return S_OK;
}

void CChallengeCtrl::ShuffleOptions(BSTR Answer, BSTR Option1, BSTR Option2, BSTR Option3)
{
    if (!HasOptions()) return;
    // Reseeded from the clock in whole seconds, like every draw of ours: two
    // questions set within one second land the same way.
    const int first = RandomIndex(kSlots);
    const BSTR texts[kSlots] = {Answer, Option1, Option2, Option3};
    for (int i = 0; i < kSlots; ++i) PlaceText((first + i) % kSlots, texts[i], i == 0);
}

void CChallengeCtrl::PlaceText(int slot, BSTR text, bool isAnswer)
{
    const CComPtr<IOption> option = m_spOptions[slot];
    option->put_Text(text);
    // Clears the marking a RevealAnswer left on the button's label.
    option->put_BackColor(m_clrOptionBack);
    option->put_IsAnswer(isAnswer ? 1 : 0);
}

void CChallengeCtrl::SetPartsEnabled(bool enabled)
{
    const CComPtr<IImageText> question = m_spQuestion;
    if (!question || !HasOptions()) return;
    const VARIANT_BOOL value = enabled ? VARIANT_TRUE : VARIANT_FALSE;
    const Options options = m_spOptions;
    question->put_Enabled(value);
    for (const CComPtr<IOption>& option : options) option->put_Enabled(value);
}

int CChallengeCtrl::AnswerSlot() const
{
    for (int slot = 0; slot < kSlots - 1; ++slot) {
        SHORT isAnswer = 0;
        m_spOptions[slot]->get_IsAnswer(&isAnswer);
        if (isAnswer != 0) return slot + 1;
    }
    return kSlots;
}

HRESULT CChallengeCtrl::RevealAnswer()
{
    // The lifelines and the marking need a whole layout.
    if (!HasOptions()) return S_OK;
    const CComPtr<IOption> answer = m_spOptions[AnswerSlot() - 1];
    answer->put_Flash(TRUE);
    return S_OK;
}

HRESULT CChallengeCtrl::FreeAnswer()
{
    if (!HasOptions()) return S_OK;
    RevealAnswer();
    SetPartsEnabled(false);
    FireEvent(DISPID_CHALLENGE_ONANSWER, {CComVariant::I2(1)});
    return S_OK;
}

HRESULT CChallengeCtrl::FiftyFifty()
{
    if (!HasOptions()) return S_OK;
    CrtSrand(static_cast<unsigned int>(CurrentTime()));
    const int answer = AnswerSlot();
    const Options options = m_spOptions;
    const CComBSTR empty(u"");
    int removed = 0;
    int last = 0;
    int draws = 0;
    // Redrawing until two different wrong buttons are out chooses each of
    // them evenly among the wrong ones.
    do {
        const int drawn = CrtRand() % kSlots + 1;
        if (drawn != answer && drawn != last) {
            last = drawn;
            options[drawn - 1]->put_Text(empty);
            options[drawn - 1]->put_Enabled(VARIANT_FALSE);
            ++removed;
        }
        ++draws;
    } while (draws <= kMostDraws && removed < kRemoved);
    return S_OK;
}

void CChallengeCtrl::OnOptionClicked(SHORT isCorrect)
{
    if (isCorrect == 0) RevealAnswer();
    SetPartsEnabled(false);
    // Last: the host may close the whole console from inside the verdict.
    FireEvent(DISPID_CHALLENGE_ONANSWER, {CComVariant::I2(isCorrect)});
}
