#include "QuizBook.h"

#include "TrimRounds.h"
#include "com/ComPtr.h"
#include "ole/Stream.h"
#include "ui/AnsiCodePage.h"

#include <cstring>
#include <new>
#include <utility>
#include <vector>

namespace {

const MEMBERDESC kMembers[] = {
    {DISPID_QUIZBOOK_GETQUESTIONXML, u"GetQuestionXml", INVOKE_FUNC, 1, u"method GetQuestionXml"},
    {DISPID_QUIZBOOK_GETPICTURE, u"GetPicture", INVOKE_FUNC, 1, u"method GetPicture"},
    {DISPID_QUIZBOOK_QUIZTITLE, u"QuizTitle", INVOKE_PROPERTYGET, 0, u"property QuizTitle"},
};

const CDispatchHelper g_dispatch(IID_IQuizBook, kMembers);

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Invoke's argument error counts positions from the end of rgvarg.
HRESULT ReadArgument(const DISPPARAMS* params, VARTYPE vt, CComVariant& value, UINT* argErr)
{
    if (!params || params->cArgs != 1) return DISP_E_BADPARAMCOUNT;
    const HRESULT hr = CDispatchHelper::GetArgument(params, 0, vt, value);
    if (hr == DISP_E_TYPEMISMATCH && argErr) *argErr = 0;
    return hr;
}

} // namespace

CQuizBook::CQuizBook(CComModule& module, int xmlResource, std::u16string title)
    : m_lifetime(module),
      m_nXmlResource(xmlResource),
      m_strTitle(std::move(title)),
      m_hModule(GetModuleHandleA(kModuleFileName))
{
}

HRESULT CQuizBook::GetTypeInfoCount(UINT* count)
{
    return g_dispatch.GetTypeInfoCount(count);
}

HRESULT CQuizBook::GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info)
{
    return g_dispatch.GetTypeInfo(index, lcid, info);
}

HRESULT CQuizBook::GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid, DISPID* ids)
{
    return g_dispatch.GetIDsOfNames(riid, names, count, lcid, ids);
}

HRESULT CQuizBook::Invoke(DISPID member, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                          EXCEPINFO*, UINT* argErr)
{
    try {
        return InvokeMember(member, flags, params, result, argErr);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

HRESULT CQuizBook::InvokeMember(DISPID member, WORD flags, DISPPARAMS* params, VARIANT* result, UINT* argErr)
{
    const bool method = (flags & DISPATCH_METHOD) != 0;
    CComVariant value;
    HRESULT hr = DISP_E_MEMBERNOTFOUND;
    switch (member) {
    case DISPID_QUIZBOOK_GETQUESTIONXML: {
        if (!method) return DISP_E_MEMBERNOTFOUND;
        CComVariant id;
        if (hr = ReadArgument(params, VT_I4, id, argErr); FAILED(hr)) return hr;
        BSTR xml = nullptr;
        hr = GetQuestionXml(id.lVal, &xml);
        value.vt = VT_BSTR;
        value.bstrVal = xml;
        break;
    }
    case DISPID_QUIZBOOK_GETPICTURE: {
        if (!method) return DISP_E_MEMBERNOTFOUND;
        CComVariant id;
        if (hr = ReadArgument(params, VT_BSTR, id, argErr); FAILED(hr)) return hr;
        IPictureDisp* picture = nullptr;
        hr = GetPicture(id.bstrVal, &picture);
        value.vt = VT_DISPATCH;
        value.pdispVal = picture;
        break;
    }
    case DISPID_QUIZBOOK_QUIZTITLE: {
        // Script hosts ask for a property both as a method and as a get.
        if (!(flags & DISPATCH_PROPERTYGET) && !method) return DISP_E_MEMBERNOTFOUND;
        if (params && params->cArgs != 0) return DISP_E_BADPARAMCOUNT;
        BSTR title = nullptr;
        hr = get_QuizTitle(&title);
        value.vt = VT_BSTR;
        value.bstrVal = title;
        break;
    }
    default:
        return DISP_E_MEMBERNOTFOUND;
    }
    // As on the desktop the caller hands in an empty result, so nothing in it
    // is freed here.
    if (SUCCEEDED(hr) && result) {
        *result = value;
        value.vt = VT_EMPTY;  // the result owns it now
    }
    return hr;
}

HRESULT CQuizBook::GetQuestionXml(LONG, BSTR* QuestionsXml)
{
    if (!QuestionsXml) return E_POINTER;
    *QuestionsXml = nullptr;
    try {
        m_bstrXml = CComBSTR(TrimmedDocument(DocumentText()));
    } catch (...) {
        // Running out of memory halfway serves the empty document, as any
        // other failure to build it does.
        m_bstrXml = CComBSTR();
    }
    *QuestionsXml = m_bstrXml.Copy();
    return S_OK;
}

std::u16string CQuizBook::DocumentText() const
{
    const HRSRC resource = FindResourceA(m_hModule, m_nXmlResource, "XML");
    const auto* bytes = static_cast<const char*>(LockResource(resource));
    if (!bytes) return {};
    const size_t size = SizeofResource(m_hModule, resource);
    const void* zero = std::memchr(bytes, 0, size);
    return AnsiToWide(std::string_view(bytes, zero ? static_cast<const char*>(zero) - bytes : size));
}

HRESULT CQuizBook::GetPicture(BSTR PictureID, IPictureDisp** Picture)
{
    if (!Picture) return E_POINTER;
    try {
        const std::string number = WideToAnsi(std::u16string_view(PictureID ? PictureID : u"", SysStringLen(PictureID)));
        IPictureDisp* loaded = nullptr;
        if (SUCCEEDED(LoadPicture(PictureNumber(number), &loaded)) && loaded) *Picture = loaded;
    } catch (...) {
        // No picture then: the caller shows a text question.
    }
    return S_OK;
}

int CQuizBook::PictureNumber(const std::string& text)
{
    size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    // Only the low 16 bits count, so unsigned arithmetic that wraps keeps
    // them right for numbers of any length.
    unsigned int value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) value = value * 10u + static_cast<unsigned>(text[i] - '0');
    if (negative) value = 0u - value;
    return static_cast<int>(value & 0xFFFFu);
}

HRESULT CQuizBook::LoadPicture(int number, IPictureDisp** picture) const
{
    const HRSRC resource = FindResourceA(m_hModule, number, "PICTURES");
    const auto* bytes = static_cast<const BYTE*>(LockResource(resource));
    if (!bytes) return E_FAIL;
    CComPtr<IStream> stream;
    const HRESULT hr = CreateStreamOnMemory(std::vector<BYTE>(bytes, bytes + SizeofResource(m_hModule, resource)), &stream);
    if (FAILED(hr)) return hr;
    return OleLoadPicture(stream, 0, FALSE, IID_IPictureDisp, reinterpret_cast<void**>(picture));
}

HRESULT CQuizBook::get_QuizTitle(BSTR* pVal)
{
    if (!pVal) return E_POINTER;
    *pVal = SysAllocStringLen(m_strTitle.data(), static_cast<UINT>(m_strTitle.size()));
    return S_OK;
}
