#pragma once
// Creating components: programmatic names and class identifiers are looked up
// in the registry, the in-process server named under InprocServer32 is loaded
// once and kept, and its class factory makes the object.
#include "com/Unknown.h"

constexpr DWORD CLSCTX_INPROC_SERVER = 0x1;
constexpr DWORD CLSCTX_INPROC_HANDLER = 0x2;
constexpr DWORD CLSCTX_LOCAL_SERVER = 0x4;
constexpr DWORD CLSCTX_REMOTE_SERVER = 0x10;
constexpr DWORD CLSCTX_ALL = CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER | CLSCTX_REMOTE_SERVER;

// HKEY_CLASSES_ROOT\<progId>\CLSID; CO_E_CLASSSTRING when the name is unknown.
HRESULT CLSIDFromProgID(LPCOLESTR progId, CLSID* clsid);
// Loads the class's registered module (InprocServer32), asks its
// DllGetClassObject for the class factory and creates the object.
// REGDB_E_CLASSNOTREG when the class is not registered, CO_E_DLLNOTFOUND when
// the module cannot be loaded, CO_E_ERRORINDLL when it lacks DllGetClassObject.
HRESULT CoCreateInstance(REFCLSID clsid, IUnknown* outer, DWORD context, REFIID riid, void** object);
HRESULT CoGetClassObject(REFCLSID clsid, DWORD context, void* reserved, REFIID riid, void** object);
// Unloads every cached module whose DllCanUnloadNow answers S_OK.
void CoFreeUnusedLibraries();

// The exports an in-process server offers.
using PFN_DllGetClassObject = HRESULT (*)(REFCLSID, REFIID, void**);
using PFN_DllCanUnloadNow = HRESULT (*)();
using PFN_DllRegisterServer = HRESULT (*)();
