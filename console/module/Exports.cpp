// The four entry points of the library as an in-process component server.
#include "ClassTable.h"
#include "PlaydeckLibrary.h"
#include "Registration.h"
#include "com/ClassFactory.h"

#include <new>

#define EXPORT extern "C" __attribute__((visibility("default")))

EXPORT HRESULT DllGetClassObject(REFCLSID clsid, REFIID riid, void** object)
{
    if (!object) return E_POINTER;
    *object = nullptr;
    try {
        for (const ClassEntry& entry : ClassTable()) {
            if (*entry.clsid != clsid) continue;
            // A factory per request: a cached one would count as a live
            // object and keep the library loaded for good.
            return CClassFactory::Serve(PlaydeckComModule(), entry.create, riid, object);
        }
        return CLASS_E_CLASSNOTAVAILABLE;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

EXPORT HRESULT DllCanUnloadNow() { return PlaydeckComModule().DllCanUnloadNow(); }
EXPORT HRESULT DllRegisterServer() { return UpdatePlaydeckRegistry(true); }
EXPORT HRESULT DllUnregisterServer() { return UpdatePlaydeckRegistry(false); }
