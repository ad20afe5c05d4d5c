#pragma once
// CQuizBook: one quiz book of the French course. The four classes differ only
// in the number of their XML resource and their title, so one implementation
// serves them all.
#include "com/ComModule.h"
#include "com/DispatchHelper.h"
#include "com/UnknownImpl.h"
#include "interfaces/QuizBook.h"
#include "ui/Resources.h"

#include <string>

class CQuizBook final : public IQuizBook {
    BRAINWHEEL_IUNKNOWN_IMPL({&IID_IQuizBook, static_cast<IQuizBook*>(this)},
                             {&IID_IDispatch, static_cast<IDispatch*>(this)})

public:
    // The module file name the book looks for its resources under.
    static constexpr const char* kModuleFileName = "Wordcrate.so";

    CQuizBook(CComModule& module, int xmlResource, std::u16string title);

    HRESULT GetTypeInfoCount(UINT* count) override;
    HRESULT GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override;
    HRESULT GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid, DISPID* ids) override;
    // Dispatch ids 1 to 3, the same members as the slots below.
    HRESULT Invoke(DISPID member, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params, VARIANT* result,
                   EXCEPINFO* excepInfo, UINT* argErr) override;

    // The trimmed document, or empty text when it can't be built; QuestionID
    // is not used.
    HRESULT GetQuestionXml(LONG QuestionID, BSTR* QuestionsXml) override;
    // Leaves *Picture as it was when the text names no picture of ours.
    HRESULT GetPicture(BSTR PictureID, IPictureDisp** Picture) override;
    HRESULT get_QuizTitle(BSTR* pVal) override;

private:
    ~CQuizBook() = default;

    // The number a PictureID names: the low 16 bits of the decimal integer at
    // its start (leading blanks and a sign allowed), 0 when it has no digits.
    static int PictureNumber(const std::string& text);

    std::u16string DocumentText() const;
    HRESULT LoadPicture(int number, IPictureDisp** picture) const;
    HRESULT InvokeMember(DISPID member, WORD flags, DISPPARAMS* params, VARIANT* result, UINT* argErr);

    CComModule::ObjectLifetime m_lifetime;
    const int m_nXmlResource;
    const std::u16string m_strTitle;
    HMODULE m_hModule;   // our own module, found by its file name
    CComBSTR m_bstrXml;  // the document handed out last
};
