#pragma once
// The console library's interfaces: the controls' dual interfaces (their own
// slots follow the seven of IDispatch in the order below, and the same
// members answer IDispatch::Invoke by dispatch id), their event interfaces
// (pure dispatch: events arrive through Invoke with DISPATCH_METHOD), the
// type library and the ten control classes.
#include "com/Unknown.h"

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
