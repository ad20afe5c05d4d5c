// A control module for the framework's tests: the two sample classes, the
// four exports of an in-process server, a registration script, and the
// template (with its initial data) that the composite is laid out from.
#include "OleTestModule.h"

#include "SampleComposite.h"
#include "SampleCtrl.h"

#include "com/ClassFactory.h"
#include "com/RegistrationScript.h"
#include "ui/Resources.h"

#include <new>

CComModule g_module;

namespace {

HMODULE ThisModule()
{
    static const int anchor = 0;
    return GetModuleFromAddress(&anchor);
}

}  // namespace

#define EXPORT extern "C" __attribute__((visibility("default")))

EXPORT HRESULT DllGetClassObject(REFCLSID clsid, REFIID riid, void** object)
{
    if (!object) return E_POINTER;
    *object = nullptr;
    CClassFactory::Creator creator;
    if (clsid == CLSID_SampleCtrl) creator = CSampleCtrl::Create;
    else if (clsid == CLSID_SampleComposite) creator = CSampleComposite::Create;
    else if (clsid == CLSID_SampleOuter) creator = CSampleComposite::CreateOuter;
    else return CLASS_E_CLASSNOTAVAILABLE;
    return CClassFactory::Serve(g_module, creator, riid, object);
}

EXPORT HRESULT DllCanUnloadNow() { return g_module.DllCanUnloadNow(); }
EXPORT HRESULT DllRegisterServer() { return UpdateRegistryFromResource(ThisModule(), 1, {}, true); }
EXPORT HRESULT DllUnregisterServer() { return UpdateRegistryFromResource(ThisModule(), 1, {}, false); }
