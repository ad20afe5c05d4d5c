#include "Registration.h"

#include "ClassTable.h"
#include "com/RegistrationScript.h"
#include "ui/Resources.h"

#include <cstring>
#include <filesystem>
#include <new>
#include <string>

namespace {

constexpr const char* kAppId = "{114B40FD-5333-4C25-B8CE-B1ECFEB3FB33}";
constexpr int kAppIdScript = 232;
// Recompose on resize, cannot link inside, inside-out, activate when
// visible, set client site first.
constexpr const char* kOleMisc = "131473";
// The type library resource holds the script that registers it.
constexpr const char* kTypeLibType = "TYPELIB";
constexpr int kTypeLibResource = 1;

HMODULE ThisModule()
{
    static const int anchor = 0;
    return GetModuleFromAddress(&anchor);
}

HRESULT UpdateTypeLib(HMODULE module, const CRegistrationScript::Substitutions& substitutions, bool registering)
{
    const HRSRC resource = FindResourceA(module, kTypeLibResource, kTypeLibType);
    const auto* text = static_cast<const char*>(LockResource(resource));
    if (!text) return E_FAIL;
    const std::size_t size = SizeofResource(module, resource);
    const void* zero = std::memchr(text, 0, size);
    const std::string_view script(text, zero ? static_cast<const char*>(zero) - text : size);
    return UpdateRegistryFromScript(script, substitutions, registering);
}

HRESULT UpdateClass(HMODULE module, const ClassEntry& entry, CRegistrationScript::Substitutions substitutions,
                    bool registering)
{
    substitutions["CLSID"] = GuidToString(*entry.clsid);
    substitutions["PROGID"] = entry.progId;
    substitutions["VERSIONINDEPENDENTPROGID"] = entry.versionIndependentProgId;
    substitutions["DESCRIPTION"] = entry.description;
    substitutions["TOOLBOXBITMAP"] = std::to_string(entry.toolboxBitmap);
    return UpdateRegistryFromResource(module, entry.registryScript, substitutions, registering);
}

HRESULT UpdateClasses(HMODULE module, const CRegistrationScript::Substitutions& substitutions, bool registering)
{
    const auto table = ClassTable();
    const std::size_t count = table.size();
    for (std::size_t i = 0; i < count; ++i) {
        const ClassEntry& entry = table[registering ? i : count - 1 - i];
        if (const HRESULT hr = UpdateClass(module, entry, substitutions, registering); FAILED(hr)) return hr;
    }
    return S_OK;
}

} // namespace

HRESULT UpdatePlaydeckRegistry(bool registering)
{
    try {
        const HMODULE module = ThisModule();
        const std::string path = GetModuleFileName(module);
        const CRegistrationScript::Substitutions substitutions = {
            {"MODULE", path},
            {"MODULEDIR", std::filesystem::path(path).parent_path().string()},
            {"APPID", kAppId},
            {"OLEMISC", kOleMisc},
        };
        if (registering) {
            if (const HRESULT hr = UpdateRegistryFromResource(module, kAppIdScript, substitutions, true); FAILED(hr))
                return hr;
            if (const HRESULT hr = UpdateClasses(module, substitutions, true); FAILED(hr)) return hr;
            return UpdateTypeLib(module, substitutions, true);
        }
        if (const HRESULT hr = UpdateTypeLib(module, substitutions, false); FAILED(hr)) return hr;
        if (const HRESULT hr = UpdateClasses(module, substitutions, false); FAILED(hr)) return hr;
        return UpdateRegistryFromResource(module, kAppIdScript, substitutions, false);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_UNEXPECTED;
    }
}
