#pragma once
// What registering the console library must leave in the registry, built from
// the library's documented identities rather than from its own scripts.
#include "com/RegistryData.h"

#include <string>

struct PlaydeckClassKeys {
    const char* clsid;       // "{8742C080-53F2-4F83-B9A5-5B58D9BA9F44}"
    const char* progId;      // "Tavorin.Countdown.1"
    const char* description; // "Countdown Class"
    int toolboxBitmap;       // 102
};

constexpr const char* kPlaydeckAppId = "{114B40FD-5333-4C25-B8CE-B1ECFEB3FB33}";
constexpr const char* kPlaydeckLibId = "{71AF4115-65FD-4DEE-AF32-D42474046475}";

// The application identifier and the type library.
inline void AddPlaydeckLibraryKeys(CRegistryData& registry, const std::string& module)
{
    const std::string appId = std::string("HKEY_CLASSES_ROOT\\AppID\\") + kPlaydeckAppId;
    registry.SetValue(appId, "", "Playdeck");
    registry.SetValue("HKEY_CLASSES_ROOT\\AppID\\Playdeck.DLL", "AppID", kPlaydeckAppId);
    const std::string version = std::string("HKEY_CLASSES_ROOT\\TypeLib\\") + kPlaydeckLibId + "\\1.0";
    registry.SetValue(version, "", "Playdeck 1.0 Type Library");
    registry.SetValue(version + "\\0\\linux", "", module);
    registry.SetValue(version + "\\FLAGS", "", "0");
    registry.SetValue(version + "\\HELPDIR", "", module.substr(0, module.rfind('/')));
}

// The keys of one control class.
inline void AddPlaydeckClassKeys(CRegistryData& registry, const PlaydeckClassKeys& keys, const std::string& module)
{
    const std::string progId = keys.progId;
    const std::string unversioned = progId.substr(0, progId.rfind('.'));
    const std::string root = "HKEY_CLASSES_ROOT\\";
    registry.SetValue(root + progId, "", keys.description);
    registry.SetValue(root + progId + "\\CLSID", "", keys.clsid);
    registry.SetValue(root + unversioned, "", keys.description);
    registry.SetValue(root + unversioned + "\\CLSID", "", keys.clsid);
    registry.SetValue(root + unversioned + "\\CurVer", "", progId);

    const std::string cls = root + "CLSID\\" + keys.clsid;
    registry.SetValue(cls, "", keys.description);
    registry.SetValue(cls, "AppID", kPlaydeckAppId);
    registry.SetValue(cls + "\\ProgID", "", progId);
    registry.SetValue(cls + "\\VersionIndependentProgID", "", unversioned);
    registry.CreateKey(cls + "\\Programmable");
    registry.CreateKey(cls + "\\Control");
    registry.SetValue(cls + "\\InprocServer32", "", module);
    registry.SetValue(cls + "\\InprocServer32", "ThreadingModel", "Apartment");
    registry.SetValue(cls + "\\ToolboxBitmap32", "", module + ", " + std::to_string(keys.toolboxBitmap));
    registry.SetValue(cls + "\\MiscStatus", "", "0");
    registry.SetValue(cls + "\\MiscStatus\\1", "", "131473");
    registry.SetValue(cls + "\\TypeLib", "", kPlaydeckLibId);
    registry.SetValue(cls + "\\Version", "", "1.0");
}

// The registry as text, one key or value a line, for failure messages.
inline std::string DumpRegistry(const CRegistryData& registry, const std::string& path = "HKEY_CLASSES_ROOT")
{
    std::string text = "[" + path + "]\n";
    for (const std::string& name : registry.ValueNames(path)) {
        std::string value;
        registry.GetValue(path, name, value);
        text += "  " + (name.empty() ? std::string("@") : name) + " = " + value + "\n";
    }
    for (const std::string& sub : registry.SubKeys(path)) text += DumpRegistry(registry, path + "\\" + sub);
    return text;
}
