// A small quiz book module for the tests: the same exports and interface as a
// real quiz book library, serving one fixture document and one picture. A
// second class behaves as a broken book would: its title and pictures always
// fail, and so does its document when asked for question -1.
#include "QuizBook.h"
#include "com/ClassFactory.h"
#include "com/ComPtr.h"
#include "com/ComModule.h"
#include "com/RegistrationScript.h"
#include "ole/Picture.h"
#include "ole/Stream.h"
#include "ui/AnsiCodePage.h"
#include "ui/Resources.h"

#include <cstdlib>
#include <cstring>
#include <new>
#include <vector>

namespace {

constexpr CLSID CLSID_FixtureBook = {0x6B0A3E52, 0x1D7C, 0x4E8B, {0x9A, 0x55, 0x0F, 0x3C, 0x2D, 0x1E, 0x4B, 0x61}};
constexpr CLSID CLSID_FailingBook = {0x6B0A3E52, 0x1D7C, 0x4E8B, {0x9A, 0x55, 0x0F, 0x3C, 0x2D, 0x1E, 0x4B, 0x62}};

CComModule g_module;

HMODULE ThisModule()
{
    static const int anchor = 0;
    return GetModuleFromAddress(&anchor);
}

class CFixtureBook final : public IQuizBook {
    BRAINWHEEL_IUNKNOWN_IMPL({&IID_IQuizBook, static_cast<IQuizBook*>(this)},
                             {&IID_IDispatch, static_cast<IDispatch*>(this)})

public:
    explicit CFixtureBook(bool failing) : m_lifetime(g_module), m_failing(failing) {}

    HRESULT GetTypeInfoCount(UINT* count) override
    {
        if (!count) return E_POINTER;
        *count = 0;
        return S_OK;
    }
    HRESULT GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override { return E_NOTIMPL; }

    HRESULT GetQuestionXml(LONG questionId, BSTR* xml) override
    {
        if (!xml) return E_POINTER;
        if (m_failing && questionId == -1) return E_FAIL;
        const HRSRC resource = FindResourceA(ThisModule(), 1, "XML");
        const auto* text = static_cast<const char*>(LockResource(resource));
        const std::u16string wide = AnsiToWide(text ? text : "");
        *xml = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
        return S_OK;
    }

    HRESULT GetPicture(BSTR id, IPictureDisp** picture) override
    {
        if (!picture) return E_POINTER;
        if (m_failing) return E_FAIL;
        const std::string number = WideToAnsi(std::u16string(id ? id : u"", SysStringLen(id)));
        const HRSRC resource = FindResourceA(ThisModule(), std::atoi(number.c_str()), "PICTURES");
        if (!resource) return S_OK;
        const auto* bytes = static_cast<const BYTE*>(LockResource(resource));
        CComPtr<IStream> stream;
        if (FAILED(CreateStreamOnMemory(std::vector<BYTE>(bytes, bytes + SizeofResource(ThisModule(), resource)), &stream)))
            return S_OK;
        OleLoadPicture(stream, 0, FALSE, IID_IPictureDisp, reinterpret_cast<void**>(picture));
        return S_OK;
    }

    HRESULT get_QuizTitle(BSTR* title) override
    {
        if (!title) return E_POINTER;
        if (m_failing) return E_FAIL;
        *title = SysAllocString(u"Fixture Quiz");
        return S_OK;
    }

private:
    ~CFixtureBook() = default;

    CComModule::ObjectLifetime m_lifetime;
    bool m_failing;
};

HRESULT Create(bool failing, REFIID riid, void** object)
{
    return HandOutNewObject(new (std::nothrow) CFixtureBook(failing), riid, object);
}

HRESULT UpdateRegistry(bool registering)
{
    return UpdateRegistryFromResource(ThisModule(), 1, {}, registering);
}

} // namespace

extern "C" __attribute__((visibility("default"))) HRESULT DllGetClassObject(REFCLSID clsid, REFIID riid, void** object)
{
    if (!object) return E_POINTER;
    *object = nullptr;
    bool failing;
    if (clsid == CLSID_FixtureBook) failing = false;
    else if (clsid == CLSID_FailingBook) failing = true;
    else return CLASS_E_CLASSNOTAVAILABLE;
    return CClassFactory::Serve(
        g_module, [failing](REFIID iid, void** out) { return Create(failing, iid, out); }, riid, object);
}

extern "C" __attribute__((visibility("default"))) HRESULT DllCanUnloadNow() { return g_module.DllCanUnloadNow(); }
extern "C" __attribute__((visibility("default"))) HRESULT DllRegisterServer() { return UpdateRegistry(true); }
extern "C" __attribute__((visibility("default"))) HRESULT DllUnregisterServer() { return UpdateRegistry(false); }
