#pragma once
// Module resources: data built into a module and found by type string and
// number. A module is found among the loaded ones by its file name.
#include <cstddef>
#include <string>
#include <string_view>

struct ResourceEntry {
    const char* type;   // "XML", "PICTURES", "REGISTRY", ...
    int id;
    const unsigned char* data;
    std::size_t size;
};

struct ModuleRecord;
using HMODULE = const ModuleRecord*;
using HRSRC = const ResourceEntry*;

// The loaded module whose file name (without folder) is `fileName`, compared
// without regard to case; nullptr when none is loaded.
HMODULE GetModuleHandleA(std::string_view fileName);
// The module that holds the given address (code or data of that module).
HMODULE GetModuleFromAddress(const void* address);
// The module's full path.
std::string GetModuleFileName(HMODULE module);

HRSRC FindResourceA(HMODULE module, int id, std::string_view type);
std::size_t SizeofResource(HMODULE module, HRSRC resource);
const void* LockResource(HRSRC resource);
// The string table entry `id` of the module, empty when absent.
std::string LoadStringA(HMODULE module, int id);

// Called by the code the build generates for each module: makes the module's
// table known while the module is loaded. `anchor` is an address inside it.
void RegisterModuleResources(const void* anchor, const ResourceEntry* entries, std::size_t count);
void UnregisterModuleResources(const void* anchor);
