#include "AppRegistration.h"

#include "Brainwheel.h"
#include "ShellResources.h"
#include "com/RegistrationScript.h"

#include <filesystem>
#include <new>
#include <string>

namespace {

constexpr int kClassScript = 1;
// The type library resource holds the script that registers it.
constexpr const char* kTypeLibType = "TYPELIB";
constexpr int kTypeLibResource = 1;

CRegistrationScript::Substitutions Substitutions(HMODULE module)
{
    const std::string path = GetModuleFileName(module);
    return {
        {"MODULE", path},
        {"MODULEDIR", std::filesystem::path(path).parent_path().string()},
        {"CLSID", GuidToString(CLSID_thebrainwheel)},
        {"LIBID", GuidToString(LIBID_thebrainwheel)},
    };
}

HRESULT UpdateTypeLib(const CRegistrationScript::Substitutions& substitutions, bool registering)
{
    const std::string_view script = ShellResource(kTypeLibResource, kTypeLibType);
    if (script.empty()) return E_FAIL;
    return UpdateRegistryFromScript(script, substitutions, registering);
}

HRESULT Update(bool registering)
{
    try {
        const HMODULE module = ShellModule();
        const CRegistrationScript::Substitutions substitutions = Substitutions(module);
        if (registering) {
            if (const HRESULT hr = UpdateRegistryFromResource(module, kClassScript, substitutions, true); FAILED(hr))
                return hr;
            return UpdateTypeLib(substitutions, true);
        }
        if (const HRESULT hr = UpdateTypeLib(substitutions, false); FAILED(hr)) return hr;
        return UpdateRegistryFromResource(module, kClassScript, substitutions, false);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

} // namespace

HRESULT RegisterApplication()
{
    return Update(true);
}

HRESULT UnregisterApplication()
{
    return Update(false);
}
