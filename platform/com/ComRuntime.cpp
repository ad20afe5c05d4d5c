#include "com/ComRuntime.h"

#include "com/Registry.h"

#include <map>
#include <memory>
#include <mutex>
#include <new>
#include <string>

#include <dlfcn.h>

namespace {

// One loaded in-process server. `busy` counts the calls into its
// DllGetClassObject under way, during which it must not be unloaded.
struct LoadedModule {
    void* handle = nullptr;
    PFN_DllGetClassObject getClassObject = nullptr;
    PFN_DllCanUnloadNow canUnloadNow = nullptr;
    int busy = 0;
};

// Every module is loaded once and kept until CoFreeUnusedLibraries finds it
// unused. Never unloaded at exit: objects may outlive the cache.
std::mutex g_modulesMutex;
std::map<std::string, LoadedModule>& Modules()
{
    static auto* modules = new std::map<std::string, LoadedModule>;
    return *modules;
}

// Registry keys are 8-bit text; programmatic names are plain ASCII.
bool Narrow(LPCOLESTR text, std::string& narrow)
{
    narrow.clear();
    for (; *text; ++text) {
        if (*text > 0x7F || *text == u'\\') return false;
        narrow.push_back(static_cast<char>(*text));
    }
    return !narrow.empty();
}

// A class factory registered as running.
struct RunningClass {
    CLSID clsid;
    IUnknown* factory;  // counted reference
    DWORD context;
    bool singleUse;
    bool used = false;  // a single-use factory that has served its creation
};

std::mutex g_runningMutex;
DWORD g_nextCookie = 1;  // 0 never names a registration
std::map<DWORD, RunningClass>& RunningClasses()
{
    static auto* running = new std::map<DWORD, RunningClass>;
    return *running;
}

// A counted reference to the running class object of `clsid` for `context`,
// or null.
IUnknown* FindRunningClass(REFCLSID clsid, DWORD context)
{
    std::lock_guard lock(g_runningMutex);
    for (auto& entry : RunningClasses()) {
        RunningClass& running = entry.second;
        if (running.clsid != clsid || !(running.context & context) || running.used) continue;
        running.used = running.singleUse;
        running.factory->AddRef();
        return running.factory;
    }
    return nullptr;
}

HRESULT AcquireModule(const std::string& path, LoadedModule*& module)
{
    std::lock_guard lock(g_modulesMutex);
    auto& modules = Modules();
    auto it = modules.find(path);
    if (it == modules.end()) {
        void* handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!handle) return CO_E_DLLNOTFOUND;
        auto getClassObject = reinterpret_cast<PFN_DllGetClassObject>(::dlsym(handle, "DllGetClassObject"));
        if (!getClassObject) {
            ::dlclose(handle);
            return CO_E_ERRORINDLL;
        }
        LoadedModule loaded;
        loaded.handle = handle;
        loaded.getClassObject = getClassObject;
        loaded.canUnloadNow = reinterpret_cast<PFN_DllCanUnloadNow>(::dlsym(handle, "DllCanUnloadNow"));
        it = modules.emplace(path, loaded).first;
    }
    ++it->second.busy;
    module = &it->second;  // map nodes stay put while busy keeps them
    return S_OK;
}

void ReleaseModule(LoadedModule* module)
{
    std::lock_guard lock(g_modulesMutex);
    --module->busy;
}

} // namespace

HRESULT CLSIDFromProgID(LPCOLESTR progId, CLSID* clsid)
{
    if (!progId || !clsid) return E_POINTER;
    try {
        std::string name;
        if (!Narrow(progId, name)) return CO_E_CLASSSTRING;
        std::shared_ptr<const CRegistryData> registry;
        if (const HRESULT hr = CRegistry::Snapshot(registry); FAILED(hr)) return hr;
        std::string text;
        if (!registry->GetValue("HKEY_CLASSES_ROOT\\" + name + "\\CLSID", "", text)) return CO_E_CLASSSTRING;
        return GuidFromString(text, *clsid) ? S_OK : CO_E_CLASSSTRING;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

HRESULT CoGetClassObject(REFCLSID clsid, DWORD context, void*, REFIID riid, void** object)
{
    if (!object) return E_POINTER;
    *object = nullptr;
    if (IUnknown* running = FindRunningClass(clsid, context)) {
        const HRESULT hr = running->QueryInterface(riid, object);
        running->Release();
        return hr;
    }
    if (!(context & CLSCTX_INPROC_SERVER)) return REGDB_E_CLASSNOTREG;
    LoadedModule* module = nullptr;
    try {
        std::shared_ptr<const CRegistryData> registry;
        if (const HRESULT hr = CRegistry::Snapshot(registry); FAILED(hr)) return hr;
        const std::string key = "HKEY_CLASSES_ROOT\\CLSID\\" + GuidToString(clsid) + "\\InprocServer32";
        std::string path;
        if (!registry->GetValue(key, "", path) || path.empty()) return REGDB_E_CLASSNOTREG;
        if (const HRESULT hr = AcquireModule(path, module); FAILED(hr)) return hr;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    const HRESULT hr = module->getClassObject(clsid, riid, object);
    ReleaseModule(module);
    return hr;
}

HRESULT CoCreateInstance(REFCLSID clsid, IUnknown* outer, DWORD context, REFIID riid, void** object)
{
    if (!object) return E_POINTER;
    *object = nullptr;
    IClassFactory* factory = nullptr;
    HRESULT hr = CoGetClassObject(clsid, context, nullptr, IID_IClassFactory, reinterpret_cast<void**>(&factory));
    if (FAILED(hr)) return hr;
    hr = factory->CreateInstance(outer, riid, object);
    factory->Release();
    return hr;
}

HRESULT CoRegisterClassObject(REFCLSID clsid, IUnknown* factory, DWORD context, DWORD flags, DWORD* cookie)
{
    if (!cookie) return E_POINTER;
    *cookie = 0;
    if (!factory || flags > REGCLS_MULTI_SEPARATE) return E_INVALIDARG;
    factory->AddRef();
    try {
        std::lock_guard lock(g_runningMutex);
        RunningClasses().emplace(g_nextCookie, RunningClass{clsid, factory, context, flags == REGCLS_SINGLEUSE});
        *cookie = g_nextCookie++;
    } catch (const std::bad_alloc&) {
        factory->Release();
        return E_OUTOFMEMORY;
    }
    return S_OK;
}

HRESULT CoRevokeClassObject(DWORD cookie)
{
    IUnknown* factory = nullptr;
    {
        std::lock_guard lock(g_runningMutex);
        auto& running = RunningClasses();
        const auto it = running.find(cookie);
        if (it == running.end()) return CO_E_OBJNOTREG;
        factory = it->second.factory;
        running.erase(it);
    }
    // Outside the lock: the last release may run anything, even another
    // registration.
    factory->Release();
    return S_OK;
}

void CoFreeUnusedLibraries()
{
    std::lock_guard lock(g_modulesMutex);
    auto& modules = Modules();
    for (auto it = modules.begin(); it != modules.end();) {
        const LoadedModule& module = it->second;
        if (module.busy == 0 && module.canUnloadNow && module.canUnloadNow() == S_OK) {
            ::dlclose(module.handle);
            it = modules.erase(it);
        } else {
            ++it;
        }
    }
}
