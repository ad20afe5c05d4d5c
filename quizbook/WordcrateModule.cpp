// The exports of the quiz book library: its four classes, their class
// factories and the registration of the library, its classes and its type
// library.
#include "QuizBook.h"
#include "com/ClassFactory.h"
#include "com/RegistrationScript.h"
#include "ui/Resources.h"

#include <filesystem>
#include <iterator>
#include <new>

namespace {

struct BookClass {
    const CLSID* clsid;
    int xmlResource;
    const char16_t* title;
};

const BookClass kClasses[] = {
    {&CLSID_CoFrench1, 106, u"Beginner Stage 1"},
    {&CLSID_CoFrench2, 107, u"Beginner Stage 2"},
    {&CLSID_CoFrench3, 349, u"Beginner Stage 3"},
    {&CLSID_CoFrench4, 350, u"Revision 1"},
};

// The registry scripts: the type library's entry, the application
// identifier, then one per class.
constexpr int kTypeLibScript = 1;
const int kScripts[] = {kTypeLibScript, 101, 102, 103, 104, 105};

CComModule g_module;

HMODULE ThisModule()
{
    static const int anchor = 0;
    return GetModuleFromAddress(&anchor);
}

HRESULT CreateBook(const BookClass& book, REFIID riid, void** object)
{
    return HandOutNewObject(new (std::nothrow) CQuizBook(g_module, book.xmlResource, book.title), riid, object);
}

// Registering writes the scripts in order; unregistering takes them away in
// the reverse order, so that the type library goes last as it came first.
HRESULT UpdateRegistry(bool registering)
{
    try {
        const HMODULE module = ThisModule();
        const std::filesystem::path path = GetModuleFileName(module);
        const CRegistrationScript::Substitutions substitutions = {{"MODULEDIR", path.parent_path().string()}};
        const int count = static_cast<int>(std::size(kScripts));
        for (int i = 0; i < count; ++i) {
            const int script = kScripts[registering ? i : count - 1 - i];
            if (const HRESULT hr = UpdateRegistryFromResource(module, script, substitutions, registering); FAILED(hr))
                return hr;
        }
        return S_OK;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

} // namespace

#define EXPORT extern "C" __attribute__((visibility("default")))

EXPORT HRESULT DllGetClassObject(REFCLSID clsid, REFIID riid, void** object)
{
    if (!object) return E_POINTER;
    *object = nullptr;
    for (const BookClass& book : kClasses) {
        if (*book.clsid != clsid) continue;
        return CClassFactory::Serve(
            g_module, [&book](REFIID iid, void** out) { return CreateBook(book, iid, out); }, riid, object);
    }
    return CLASS_E_CLASSNOTAVAILABLE;
}

EXPORT HRESULT DllCanUnloadNow() { return g_module.DllCanUnloadNow(); }
EXPORT HRESULT DllRegisterServer() { return UpdateRegistry(true); }
EXPORT HRESULT DllUnregisterServer() { return UpdateRegistry(false); }
