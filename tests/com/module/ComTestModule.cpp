// A component module for the runtime's tests: one trivial class, the four
// exports of an in-process server and a registration script resource.
#include "ComTestModule.h"

#include "com/ClassFactory.h"
#include "com/RegistrationScript.h"
#include "ui/Resources.h"

#include <new>

namespace {

CComModule g_module;

HMODULE ThisModule()
{
    static const int anchor = 0;
    return GetModuleFromAddress(&anchor);
}

class CTestThing final : public ITestThing {
    BRAINWHEEL_IUNKNOWN_IMPL({&IID_ITestThing, static_cast<ITestThing*>(this)})

public:
    CTestThing() : m_lifetime(g_module) {}

    HRESULT GetAnswer(LONG* answer) override
    {
        if (!answer) return E_POINTER;
        *answer = 42;
        return S_OK;
    }

private:
    ~CTestThing() = default;
    CComModule::ObjectLifetime m_lifetime;
};

HRESULT CreateThing(REFIID riid, void** object)
{
    return HandOutNewObject(new (std::nothrow) CTestThing, riid, object);
}

} // namespace

#define EXPORT extern "C" __attribute__((visibility("default")))

EXPORT HRESULT DllGetClassObject(REFCLSID clsid, REFIID riid, void** object)
{
    if (!object) return E_POINTER;
    *object = nullptr;
    if (clsid != CLSID_ComTestThing) return CLASS_E_CLASSNOTAVAILABLE;
    return CClassFactory::Serve(g_module, CreateThing, riid, object);
}

EXPORT HRESULT DllCanUnloadNow() { return g_module.DllCanUnloadNow(); }
EXPORT HRESULT DllRegisterServer() { return UpdateRegistryFromResource(ThisModule(), 1, {}, true); }
EXPORT HRESULT DllUnregisterServer() { return UpdateRegistryFromResource(ThisModule(), 1, {}, false); }
