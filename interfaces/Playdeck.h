#pragma once
// The console library's interfaces: the controls' dual interfaces (their own
// slots follow the seven of IDispatch in the order below, and the same
// members answer IDispatch::Invoke by dispatch id), their event interfaces
// (pure dispatch: events arrive through Invoke with DISPATCH_METHOD), the
// type library and the ten control classes.
#include "com/Unknown.h"
#include "ole/Font.h"
#include "ole/Picture.h"
#include "ole/PropertyMap.h"

// --- Countdown: the answer timer --------------------------------------------

constexpr IID IID_ICountdown = {0xE4DFED6F, 0xE187, 0x4CBB, {0xA9, 0x04, 0xED, 0x49, 0x43, 0xE0, 0x07, 0xED}};
constexpr IID DIID__ICountdownEvents = {0xAD3BE75B, 0xCAF5, 0x4139, {0x94, 0x8D, 0x3B, 0x37, 0x62, 0xD8, 0xE9, 0x9C}};

constexpr DISPID DISPID_COUNTDOWN_START = 1;
constexpr DISPID DISPID_COUNTDOWN_STOP = 2;
// _ICountdownEvents: OnTimeOut(), once the count has run out.
constexpr DISPID DISPID_COUNTDOWN_ONTIMEOUT = 1;

struct ICountdown : IDispatch {
    // Counts down nDuration seconds (1..60; anything else runs a zero
    // count), one tick a second; a count already running takes the new value
    // at its next tick.
    virtual HRESULT Start(SHORT nDuration) = 0;
    // Stops counting without raising OnTimeOut.
    virtual HRESULT Stop() = 0;
};

// --- LifeManager: the lives row ---------------------------------------------

constexpr IID IID_ILifeManager = {0x5ABFE19A, 0x3704, 0x44E8, {0xA5, 0x71, 0xE8, 0x4A, 0x4D, 0xF9, 0x3D, 0xB1}};
// No events: declared so that the console can connect to every gauge alike.
constexpr IID DIID__ILifeManagerEvents = {0x25B8AB60, 0x36B5, 0x4D75, {0x80, 0x85, 0x2E, 0x28, 0x79, 0xA3, 0x31, 0xE3}};

constexpr DISPID DISPID_LIFEMANAGER_GAINALIFE = 1;
constexpr DISPID DISPID_LIFEMANAGER_LOSEALIFE = 2;
constexpr DISPID DISPID_LIFEMANAGER_NUMLIVES = 3;

struct ILifeManager : IDispatch {
    // One life more, five at most.
    virtual HRESULT GainALife() = 0;
    // One life less, with no lower bound: below zero the game is over.
    virtual HRESULT LoseALife() = 0;
    virtual HRESULT get_NumLives(SHORT* pVal) = 0;
    // Five at most; negative values are kept.
    virtual HRESULT put_NumLives(SHORT newVal) = 0;
};

// --- ProgressManager: the score ladder --------------------------------------

constexpr IID IID_IProgressManager = {0x7EA0763D, 0xD8FF, 0x4EBE, {0xBB, 0xBB, 0xB5, 0x1B, 0x7D, 0x79, 0xDB, 0x8F}};
constexpr IID DIID__IProgressManagerEvents = {0x8BC3DA9C, 0x56AC, 0x4F00, {0x8D, 0xE8, 0x23, 0xAA, 0x48, 0x84, 0xA2, 0xFE}};

constexpr DISPID DISPID_PROGRESSMANAGER_RESET = 1;
constexpr DISPID DISPID_PROGRESSMANAGER_CORRECTANSWER = 2;
constexpr DISPID DISPID_PROGRESSMANAGER_PERCENTAGE = 3;
// _IProgressManagerEvents: ExtraLife() (declared, never raised) and Bonus(),
// the first time since Reset the ladder stands on rung 5 or on rung 10.
constexpr DISPID DISPID_PROGRESSMANAGER_EXTRALIFE = 1;
constexpr DISPID DISPID_PROGRESSMANAGER_BONUS = 2;

struct IProgressManager : IDispatch {
    // A new quiz of nTotalQuestions questions: score 0, bonuses to be earned.
    virtual HRESULT Reset(ULONG nTotalQuestions) = 0;
    virtual HRESULT CorrectAnswer() = 0;
    // Correct answers as a percentage of the quiz's questions, 0..100.
    virtual HRESULT get_Percentage(SHORT* pVal) = 0;
};

// --- OptionText: the answer label ------------------------------------------

constexpr IID IID_IOptionText = {0x39FA35A8, 0x60EA, 0x4241, {0xB6, 0xC2, 0xBD, 0xE2, 0x04, 0x0C, 0x3E, 0x70}};
constexpr IID DIID__IOptionTextEvents = {0x5BD8803C, 0xE5CE, 0x49DD, {0x96, 0xDB, 0xD1, 0xF7, 0x92, 0xC9, 0x89, 0x23}};

constexpr DISPID DISPID_OPTIONTEXT_HIGHLIGHTCOLOR = 1;
// _IOptionTextEvents: OnClicked(), a left button press on an enabled label.
constexpr DISPID DISPID_OPTIONTEXT_ONCLICKED = 1;

// The stock properties keep their standard dispatch ids (BackColor -501,
// Font -512, ForeColor -513, Enabled -514, Text -517, MousePointer -521,
// Picture -523).
struct IOptionText : IDispatch {
    virtual HRESULT put_BackColor(OLE_COLOR clr) = 0;
    virtual HRESULT get_BackColor(OLE_COLOR* pclr) = 0;
    virtual HRESULT putref_Font(IFontDisp* pFont) = 0;
    virtual HRESULT put_Font(IFontDisp* pFont) = 0;
    virtual HRESULT get_Font(IFontDisp** ppFont) = 0;
    virtual HRESULT put_ForeColor(OLE_COLOR clr) = 0;
    virtual HRESULT get_ForeColor(OLE_COLOR* pclr) = 0;
    virtual HRESULT put_Enabled(VARIANT_BOOL vbool) = 0;
    virtual HRESULT get_Enabled(VARIANT_BOOL* pbool) = 0;
    virtual HRESULT put_Text(BSTR strText) = 0;
    virtual HRESULT get_Text(BSTR* pstrText) = 0;
    virtual HRESULT put_MousePointer(LONG pointer) = 0;
    virtual HRESULT get_MousePointer(LONG* ppointer) = 0;
    // The text colour while the pointer is over an enabled label; stored only.
    virtual HRESULT get_HighlightColor(OLE_COLOR* pVal) = 0;
    virtual HRESULT put_HighlightColor(OLE_COLOR newVal) = 0;
};

// --- ImageText: word-wrapped text over a piece of the skin -------------------

constexpr IID IID_IImageText = {0xCA228E41, 0x641E, 0x4A2A, {0x86, 0xBD, 0xB3, 0x07, 0xF4, 0x81, 0x8A, 0x26}};

constexpr DISPID DISPID_IMAGETEXT_IMAGEOFFSETS = 1;
constexpr DISPID DISPID_IMAGETEXT_ALIGNMENT = 2;

struct IImageText : IDispatch {
    virtual HRESULT put_BackColor(OLE_COLOR clr) = 0;
    virtual HRESULT get_BackColor(OLE_COLOR* pclr) = 0;
    virtual HRESULT putref_Font(IFontDisp* pFont) = 0;
    virtual HRESULT put_Font(IFontDisp* pFont) = 0;
    virtual HRESULT get_Font(IFontDisp** ppFont) = 0;
    virtual HRESULT put_ForeColor(OLE_COLOR clr) = 0;
    virtual HRESULT get_ForeColor(OLE_COLOR* pclr) = 0;
    virtual HRESULT put_Enabled(VARIANT_BOOL vbool) = 0;
    virtual HRESULT get_Enabled(VARIANT_BOOL* pbool) = 0;
    virtual HRESULT put_Text(BSTR strText) = 0;
    virtual HRESULT get_Text(BSTR* pstrText) = 0;
    virtual HRESULT putref_Picture(IPictureDisp* pPicture) = 0;
    virtual HRESULT put_Picture(IPictureDisp* pPicture) = 0;
    virtual HRESULT get_Picture(IPictureDisp** ppPicture) = 0;
    // The control's place in Picture: x pixels from its left edge, y pixels
    // from its bottom edge up to the control's top edge. Stored only.
    virtual HRESULT ImageOffsets(LONG offsetX, LONG offsetY) = 0;
    // The text alignment flags (0: left, top). Stored only.
    virtual HRESULT get_Alignment(ULONG* pVal) = 0;
    virtual HRESULT put_Alignment(ULONG newVal) = 0;
};

// --- Option: one answer button ----------------------------------------------

constexpr IID IID_IOption = {0xD93CF976, 0x998B, 0x4693, {0xA9, 0xAE, 0x99, 0x28, 0x52, 0xCF, 0x0B, 0xBA}};
constexpr IID DIID__IOptionEvents = {0x09750EA9, 0xE0A5, 0x4897, {0x85, 0x91, 0x45, 0xD2, 0x3C, 0x4C, 0x29, 0x03}};

constexpr DISPID DISPID_OPTION_HIGHLIGHTCOLOR = 1;
constexpr DISPID DISPID_OPTION_IMAGEOFFSETS = 2;
constexpr DISPID DISPID_OPTION_ISANSWER = 3;
constexpr DISPID DISPID_OPTION_FLASH = 4;
// _IOptionEvents: OnClicked(BOOL IsCorrect), sent as VT_I2 holding IsAnswer.
constexpr DISPID DISPID_OPTION_ONCLICKED = 1;

struct IOption : IDispatch {
    virtual HRESULT put_BackColor(OLE_COLOR clr) = 0;
    virtual HRESULT get_BackColor(OLE_COLOR* pclr) = 0;
    virtual HRESULT putref_Font(IFontDisp* pFont) = 0;
    virtual HRESULT put_Font(IFontDisp* pFont) = 0;
    virtual HRESULT get_Font(IFontDisp** ppFont) = 0;
    virtual HRESULT put_ForeColor(OLE_COLOR clr) = 0;
    virtual HRESULT get_ForeColor(OLE_COLOR* pclr) = 0;
    virtual HRESULT put_Enabled(VARIANT_BOOL vbool) = 0;
    virtual HRESULT get_Enabled(VARIANT_BOOL* pbool) = 0;
    virtual HRESULT put_Text(BSTR strText) = 0;
    virtual HRESULT get_Text(BSTR* pstrText) = 0;
    virtual HRESULT putref_Picture(IPictureDisp* pPicture) = 0;
    virtual HRESULT put_Picture(IPictureDisp* pPicture) = 0;
    virtual HRESULT get_Picture(IPictureDisp** ppPicture) = 0;
    // The label's hover colour, handed over once at initialisation.
    virtual HRESULT get_HighlightColor(OLE_COLOR* pVal) = 0;
    virtual HRESULT put_HighlightColor(OLE_COLOR newVal) = 0;
    // The button's place in Picture (as ImageText's); no repaint.
    virtual HRESULT ImageOffsets(LONG offsetX, LONG offsetY) = 0;
    // Nonzero: this button carries the right answer (low 16 bits kept).
    virtual HRESULT get_IsAnswer(SHORT* pVal) = 0;
    virtual HRESULT put_IsAnswer(SHORT newVal) = 0;
    // Marks the button as the right answer at its next paint.
    virtual HRESULT put_Flash(SHORT newVal) = 0;
};

// --- Challenge: the question and its four answers ---------------------------

constexpr IID IID_IChallenge = {0xD80E8412, 0xEB9A, 0x4548, {0x82, 0x49, 0x2F, 0x09, 0xA8, 0x34, 0x66, 0x5A}};
constexpr IID DIID__IChallengeEvents = {0x3C59D446, 0xEAED, 0x474E, {0x9F, 0xCB, 0xBB, 0x49, 0x38, 0x4D, 0xF6, 0x15}};

constexpr DISPID DISPID_CHALLENGE_OPTIONFORECOLOR = 1;
constexpr DISPID DISPID_CHALLENGE_OPTIONBACKCOLOR = 2;
constexpr DISPID DISPID_CHALLENGE_OPTIONHIGHLIGHTCOLOR = 3;
constexpr DISPID DISPID_CHALLENGE_QUESTIONFORECOLOR = 4;
constexpr DISPID DISPID_CHALLENGE_QUESTIONBACKCOLOR = 5;
constexpr DISPID DISPID_CHALLENGE_OPTIONFONT = 6;
constexpr DISPID DISPID_CHALLENGE_QUESTIONFONT = 7;
constexpr DISPID DISPID_CHALLENGE_SETTEST = 8;
constexpr DISPID DISPID_CHALLENGE_FREEANSWER = 9;
constexpr DISPID DISPID_CHALLENGE_FIFTYFIFTY = 10;
constexpr DISPID DISPID_CHALLENGE_REVEALANSWER = 11;
// _IChallengeEvents: OnAnswer(BOOL IsCorrect), sent as VT_I2, 1 or 0.
constexpr DISPID DISPID_CHALLENGE_ONANSWER = 1;

struct IChallenge : IDispatch {
    virtual HRESULT put_Enabled(VARIANT_BOOL vbool) = 0;
    virtual HRESULT get_Enabled(VARIANT_BOOL* pbool) = 0;
    virtual HRESULT putref_Picture(IPictureDisp* pPicture) = 0;
    virtual HRESULT put_Picture(IPictureDisp* pPicture) = 0;
    virtual HRESULT get_Picture(IPictureDisp** ppPicture) = 0;
    virtual HRESULT get_OptionForeColor(OLE_COLOR* pVal) = 0;
    virtual HRESULT put_OptionForeColor(OLE_COLOR newVal) = 0;
    virtual HRESULT get_OptionBackColor(OLE_COLOR* pVal) = 0;
    virtual HRESULT put_OptionBackColor(OLE_COLOR newVal) = 0;
    virtual HRESULT get_OptionHighlightColor(OLE_COLOR* pVal) = 0;
    virtual HRESULT put_OptionHighlightColor(OLE_COLOR newVal) = 0;
    virtual HRESULT get_QuestionForeColor(OLE_COLOR* pVal) = 0;
    virtual HRESULT put_QuestionForeColor(OLE_COLOR newVal) = 0;
    virtual HRESULT get_QuestionBackColor(OLE_COLOR* pVal) = 0;
    virtual HRESULT put_QuestionBackColor(OLE_COLOR newVal) = 0;
    virtual HRESULT get_OptionFont(IFontDisp** pVal) = 0;
    virtual HRESULT put_OptionFont(IFontDisp* newVal) = 0;
    virtual HRESULT get_QuestionFont(IFontDisp** pVal) = 0;
    virtual HRESULT put_QuestionFont(IFontDisp* newVal) = 0;
    // The question and its answers, placed at random on the four buttons.
    virtual HRESULT SetTest(BSTR Question, BSTR Answer, BSTR Option1, BSTR Option2, BSTR Option3) = 0;
    // Marks the right answer and reports it as answered right.
    virtual HRESULT FreeAnswer() = 0;
    // Blanks and disables two wrong answers.
    virtual HRESULT FiftyFifty() = 0;
    // Marks the right answer.
    virtual HRESULT RevealAnswer() = 0;
};

// --- BonusButton: one lifeline button ---------------------------------------

constexpr IID IID_IBonusButton = {0x4FC96DD2, 0xAA6B, 0x42F0, {0xA3, 0x7F, 0xC5, 0x7E, 0x73, 0x50, 0xFF, 0x68}};
constexpr IID DIID__IBonusButtonEvents = {0xBEE0C8C1, 0x5486, 0x4BDC, {0x9A, 0x49, 0x11, 0x20, 0xA1, 0xCC, 0x88, 0x19}};

constexpr DISPID DISPID_BONUSBUTTON_SETIMAGERESOURCEIDS = 1;
constexpr DISPID DISPID_BONUSBUTTON_VISIBLE = 2;
constexpr DISPID DISPID_BONUSBUTTON_PICTURE = 3;
constexpr DISPID DISPID_BONUSBUTTON_SETIMAGEOFFSETS = 4;
constexpr DISPID DISPID_BONUSBUTTON_ENABLED = 5;
// _IBonusButtonEvents: OnClick(), a press on a lit, enabled button.
constexpr DISPID DISPID_BONUSBUTTON_ONCLICK = 1;

struct IBonusButton : IDispatch {
    // The BUTTONS pictures under the pointer (Over) and lit (Off); On is unused.
    virtual HRESULT SetImageResourceIDs(LONG On, LONG Over, LONG Off) = 0;
    // Nonzero: lit, the lifeline is there to spend. Not the window's visibility.
    virtual HRESULT get_Visible(VARIANT_BOOL* pVal) = 0;
    virtual HRESULT put_Visible(VARIANT_BOOL newVal) = 0;
    // The skin shown while dark; a get without one answers a null picture.
    virtual HRESULT get_Picture(IPictureDisp** pVal) = 0;
    virtual HRESULT putref_Picture(IPictureDisp* newVal) = 0;
    // The button's place in Picture: x from the left, y up from the bottom.
    virtual HRESULT SetImageOffsets(LONG offsetX, LONG offsetY) = 0;
    virtual HRESULT get_Enabled(VARIANT_BOOL* pVal) = 0;
    virtual HRESULT put_Enabled(VARIANT_BOOL newVal) = 0;
};

// --- LifelineManager: the two lifelines -------------------------------------

constexpr IID IID_ILifelineManager = {0xAEC3C68D, 0xB534, 0x4758, {0xBB, 0x8F, 0x76, 0xA0, 0x28, 0xEC, 0xF1, 0x10}};
constexpr IID DIID__ILifelineManagerEvents = {0x920BB52B, 0x4C10, 0x4AA8, {0xA1, 0xE4, 0xB0, 0x8F, 0x97, 0x8E, 0x93, 0x97}};

constexpr DISPID DISPID_LIFELINEMANAGER_GENERATELIFELINE = 1;
constexpr DISPID DISPID_LIFELINEMANAGER_RESET = 2;
constexpr DISPID DISPID_LIFELINEMANAGER_ENABLED = 3;
// _ILifelineManagerEvents, no arguments: On5050(), OnFreeAnswer(), OnExtraLife().
constexpr DISPID DISPID_LIFELINEMANAGER_ON5050 = 1;
constexpr DISPID DISPID_LIFELINEMANAGER_ONFREEANSWER = 2;
constexpr DISPID DISPID_LIFELINEMANAGER_ONEXTRALIFE = 3;

struct ILifelineManager : IDispatch {
    virtual HRESULT putref_Picture(IPictureDisp* pPicture) = 0;
    virtual HRESULT put_Picture(IPictureDisp* pPicture) = 0;
    virtual HRESULT get_Picture(IPictureDisp** ppPicture) = 0;
    // Earns a lifeline: lights a dark button, or raises OnExtraLife.
    virtual HRESULT GenerateLifeline() = 0;
    // Both buttons dark.
    virtual HRESULT Reset() = 0;
    virtual HRESULT get_Enabled(VARIANT_BOOL* pVal) = 0;
    virtual HRESULT put_Enabled(VARIANT_BOOL newVal) = 0;
};

// --- GameConsole: the whole in-game console ---------------------------------

constexpr IID IID_IGameConsole = {0xFF3397F0, 0x18A7, 0x42FD, {0xA7, 0x26, 0x10, 0xDE, 0x62, 0x84, 0xF9, 0xF6}};
constexpr IID DIID__IGameConsoleEvents = {0x500FBC53, 0xCFE5, 0x4759, {0xA6, 0x93, 0x0F, 0xEE, 0xF2, 0x0D, 0x97, 0xD5}};

constexpr DISPID DISPID_GAMECONSOLE_SETTEXTQUESTION = 1;
constexpr DISPID DISPID_GAMECONSOLE_SETPICTUREQUESTION = 2;
constexpr DISPID DISPID_GAMECONSOLE_STARTROUND = 3;
constexpr DISPID DISPID_GAMECONSOLE_STARTQUIZ = 4;
constexpr DISPID DISPID_GAMECONSOLE_GAMEOVER = 5;
constexpr DISPID DISPID_GAMECONSOLE_PERCENTAGE = 6;
constexpr DISPID DISPID_GAMECONSOLE_ENDQUIZ = 7;
// _IGameConsoleEvents: OnAnswer(BOOL IsCorrect) and OnGameOver(short
// FinalScore), each one VT_I2 argument.
constexpr DISPID DISPID_GAMECONSOLE_ONANSWER = 1;
constexpr DISPID DISPID_GAMECONSOLE_ONGAMEOVER = 2;

struct IGameConsole : IDispatch {
    virtual HRESULT putref_Picture(IPictureDisp* pPicture) = 0;
    virtual HRESULT put_Picture(IPictureDisp* pPicture) = 0;
    virtual HRESULT get_Picture(IPictureDisp** ppPicture) = 0;
    // Presents a numbered question with no picture.
    virtual HRESULT SetTextQuestion(BSTR Question, BSTR Answer, BSTR Option1, BSTR Option2, BSTR Option3) = 0;
    // Presents a numbered question with Picture in the centre box (shared).
    virtual HRESULT SetPictureQuestion(IPictureDisp* Picture, BSTR Question, BSTR Answer, BSTR Option1,
                                       BSTR Option2, BSTR Option3) = 0;
    // Shows the round's category and the prompt to start it.
    virtual HRESULT StartRound(BSTR Category) = 0;
    // A new quiz: numbering, ladder and lifelines reset, three lives.
    virtual HRESULT StartQuiz(ULONG TotalQuestions) = 0;
    // Shows Message followed by the percentage and "%".
    virtual HRESULT GameOver(BSTR Message) = 0;
    virtual HRESULT get_Percentage(SHORT* pVal) = 0;
    // Stops the countdown.
    virtual HRESULT EndQuiz() = 0;
};

// --- The type library and the classes ---------------------------------------

constexpr GUID LIBID_PlaydeckLib = {0x71AF4115, 0x65FD, 0x4DEE, {0xAF, 0x32, 0xD4, 0x24, 0x74, 0x04, 0x64, 0x75}};

constexpr CLSID CLSID_ProgressManager = {0x13030BE8, 0x1E1A, 0x4BCF, {0xA5, 0x73, 0x63, 0xF4, 0xE0, 0x1A, 0x85, 0x2F}};
constexpr CLSID CLSID_OptionText = {0xD45A0AC2, 0x3EFA, 0x4406, {0xB9, 0xFF, 0xE1, 0x3B, 0x86, 0x9B, 0xF8, 0xC9}};
constexpr CLSID CLSID_Option = {0x0EB031EC, 0xDB67, 0x4AC8, {0x8E, 0xA5, 0xE3, 0x3B, 0x0A, 0x50, 0x13, 0x5A}};
constexpr CLSID CLSID_LifeManager = {0xDC9263CE, 0xD23F, 0x468C, {0xB0, 0x0C, 0x74, 0x2B, 0xF3, 0xF4, 0x5A, 0x2A}};
constexpr CLSID CLSID_LifelineManager = {0x3C391F2E, 0xA725, 0x4E80, {0x9A, 0xA1, 0x0F, 0xEE, 0x22, 0x8F, 0x41, 0x9F}};
constexpr CLSID CLSID_ImageText = {0xCD589894, 0xAC35, 0x4A3C, {0xBE, 0xA4, 0x72, 0xFD, 0x54, 0x67, 0xB8, 0xE4}};
constexpr CLSID CLSID_GameConsole = {0x4DFFA6C7, 0x8FFB, 0x4F04, {0x80, 0xEC, 0x41, 0x5B, 0x3C, 0xB8, 0x1A, 0xEE}};
constexpr CLSID CLSID_Countdown = {0x8742C080, 0x53F2, 0x4F83, {0xB9, 0xA5, 0x5B, 0x58, 0xD9, 0xBA, 0x9F, 0x44}};
constexpr CLSID CLSID_Challenge = {0x3853D41B, 0x0F61, 0x4F05, {0x82, 0x29, 0x82, 0xB4, 0x1B, 0x23, 0xB0, 0xCA}};
constexpr CLSID CLSID_BonusButton = {0x17DAFB2E, 0xF917, 0x4F2B, {0xAD, 0xD4, 0xE7, 0x0C, 0x18, 0x10, 0x47, 0x21}};
