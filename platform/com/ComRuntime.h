#pragma once
// Creating components: programmatic names and class identifiers are looked up
// in the registry, the in-process server named under InprocServer32 is loaded
// once and kept, and its class factory makes the object. A program serving
// its own classes registers their class factories as running instead.
#include "com/Unknown.h"

constexpr DWORD CLSCTX_INPROC_SERVER = 0x1;
constexpr DWORD CLSCTX_INPROC_HANDLER = 0x2;
constexpr DWORD CLSCTX_LOCAL_SERVER = 0x4;
constexpr DWORD CLSCTX_REMOTE_SERVER = 0x10;
constexpr DWORD CLSCTX_ALL = CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER | CLSCTX_REMOTE_SERVER;

// How a class factory registered as running serves its clients: a single-use
// one serves one creation and is passed over from then on (the next client
// gets a new instance of the server); the others serve every creation.
constexpr DWORD REGCLS_SINGLEUSE = 0;
constexpr DWORD REGCLS_MULTIPLEUSE = 1;
constexpr DWORD REGCLS_MULTI_SEPARATE = 2;

// HKEY_CLASSES_ROOT\<progId>\CLSID; CO_E_CLASSSTRING when the name is unknown.
HRESULT CLSIDFromProgID(LPCOLESTR progId, CLSID* clsid);
// Loads the class's registered module (InprocServer32), asks its
// DllGetClassObject for the class factory and creates the object.
// REGDB_E_CLASSNOTREG when the class is not registered, CO_E_DLLNOTFOUND when
// the module cannot be loaded, CO_E_ERRORINDLL when it lacks DllGetClassObject.
// A class factory registered as running for a context that shares a bit with
// `context` comes first; only then is the registry asked.
HRESULT CoCreateInstance(REFCLSID clsid, IUnknown* outer, DWORD context, REFIID riid, void** object);
HRESULT CoGetClassObject(REFCLSID clsid, DWORD context, void* reserved, REFIID riid, void** object);
// Makes `factory` the class object of `clsid` for creations in `context`
// (usually CLSCTX_LOCAL_SERVER), holding a reference on it until revoked.
// `flags` is one of the REGCLS_ values; `cookie` receives the registration's
// number for CoRevokeClassObject.
HRESULT CoRegisterClassObject(REFCLSID clsid, IUnknown* factory, DWORD context, DWORD flags, DWORD* cookie);
// Ends the registration and releases the factory; CO_E_OBJNOTREG for a
// cookie that names none.
HRESULT CoRevokeClassObject(DWORD cookie);
// Unloads every cached module whose DllCanUnloadNow answers S_OK.
void CoFreeUnusedLibraries();

// The exports an in-process server offers.
using PFN_DllGetClassObject = HRESULT (*)(REFCLSID, REFIID, void**);
using PFN_DllCanUnloadNow = HRESULT (*)();
using PFN_DllRegisterServer = HRESULT (*)();
