#pragma once
// CGameConsole: the game program's side of the hosted console. Every call
// goes through the control's IDispatch by dispatch id, as the console's
// interface fixes them; texts reach the console after a round trip through
// the ANSI code page, as the game's 8-bit texts do. A failed call throws
// CDispatchError.
#include "com/ComPtr.h"
#include "ole/Picture.h"

#include <stdexcept>
#include <string>
#include <vector>

class CDispatchError : public std::runtime_error {
public:
    CDispatchError(DISPID member, HRESULT hr);
    HRESULT Result() const { return m_hr; }

private:
    HRESULT m_hr;
};

class CGameConsole {
public:
    // Binds to the hosted control; false when it offers no IDispatch.
    bool Attach(IUnknown* control);
    void Detach() { m_pDispatch.Release(); }
    IUnknown* Control() const { return m_pDispatch; }

    void SetTextQuestion(const std::u16string& question, const std::u16string& answer,
                         const std::u16string& option1, const std::u16string& option2,
                         const std::u16string& option3);
    void SetPictureQuestion(IPictureDisp* picture, const std::u16string& question, const std::u16string& answer,
                            const std::u16string& option1, const std::u16string& option2,
                            const std::u16string& option3);
    void StartRound(const std::u16string& category);
    void StartQuiz(ULONG totalQuestions);
    void GameOver(const std::u16string& message);
    SHORT Percentage();
    void EndQuiz();

private:
    // `args` in call order; throws on failure.
    void Invoke(DISPID member, WORD flags, const std::vector<CComVariant>& args, CComVariant* result = nullptr);

    CComPtr<IDispatch> m_pDispatch;
};
