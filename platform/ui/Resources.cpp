#include "ui/Resources.h"

#include <algorithm>
#include <list>
#include <mutex>

#include <dlfcn.h>
#include <link.h>
#include <unistd.h>

struct ModuleRecord {
    const void* anchor;
    const void* base; // load address of the module, as dladdr reports it
    std::string path;
    const ResourceEntry* entries;
    std::size_t count;
};

namespace {

// Modules register from their static initializers and unregister from their
// static destructors, in any order relative to this library's own; the list
// is therefore never destroyed.
struct ModuleList {
    std::mutex mutex;
    std::list<ModuleRecord> modules; // a list keeps each HMODULE stable
};

ModuleList& Modules()
{
    static auto* list = new ModuleList;
    return *list;
}

// The caller holds the lock. A handle is trusted only while its module is
// still registered, so a stale one after dlclose finds nothing.
bool IsRegistered(const ModuleList& list, HMODULE module)
{
    return module && std::any_of(list.modules.begin(), list.modules.end(),
                                 [module](const ModuleRecord& record) { return &record == module; });
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
               return lower(x) == lower(y);
           });
}

std::string_view FileNameOf(std::string_view path)
{
    const auto slash = path.rfind('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

std::string ExecutablePath()
{
    char buffer[4096];
    const ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer);
    return length > 0 ? std::string(buffer, static_cast<std::size_t>(length)) : std::string();
}

// The file a module was loaded from. dladdr names the main program only by
// its argv[0], so the program's own path comes from /proc instead.
void Locate(const void* address, const void*& base, std::string& path)
{
    Dl_info info{};
    link_map* map = nullptr;
    if (!dladdr1(address, &info, reinterpret_cast<void**>(&map), RTLD_DL_LINKMAP)) return;
    base = info.dli_fbase;
    if (map && map->l_name && map->l_name[0] != '\0') path = map->l_name;
    else path = ExecutablePath();
}

} // namespace

HMODULE GetModuleHandleA(std::string_view fileName)
{
    ModuleList& list = Modules();
    std::lock_guard lock(list.mutex);
    for (const ModuleRecord& record : list.modules)
        if (EqualsIgnoringCase(FileNameOf(record.path), fileName)) return &record;
    return nullptr;
}

HMODULE GetModuleFromAddress(const void* address)
{
    Dl_info info{};
    if (!address || !dladdr(address, &info)) return nullptr;
    ModuleList& list = Modules();
    std::lock_guard lock(list.mutex);
    for (const ModuleRecord& record : list.modules)
        if (record.base == info.dli_fbase) return &record;
    return nullptr;
}

std::string GetModuleFileName(HMODULE module)
{
    ModuleList& list = Modules();
    std::lock_guard lock(list.mutex);
    return IsRegistered(list, module) ? module->path : std::string();
}

HRSRC FindResourceA(HMODULE module, int id, std::string_view type)
{
    ModuleList& list = Modules();
    std::lock_guard lock(list.mutex);
    if (!IsRegistered(list, module)) return nullptr;
    const ResourceEntry* end = module->entries + module->count;
    const ResourceEntry* found = std::find_if(module->entries, end, [&](const ResourceEntry& entry) {
        return entry.id == id && EqualsIgnoringCase(entry.type, type);
    });
    return found == end ? nullptr : found;
}

std::size_t SizeofResource(HMODULE, HRSRC resource)
{
    return resource ? resource->size : 0;
}

const void* LockResource(HRSRC resource)
{
    return resource ? resource->data : nullptr;
}

std::string LoadStringA(HMODULE module, int id)
{
    const HRSRC resource = FindResourceA(module, id, "STRING");
    if (!resource) return std::string();
    return std::string(reinterpret_cast<const char*>(resource->data), resource->size);
}

void RegisterModuleResources(const void* anchor, const ResourceEntry* entries, std::size_t count)
{
    ModuleRecord record{anchor, nullptr, std::string(), entries, count};
    Locate(anchor, record.base, record.path);
    ModuleList& list = Modules();
    std::lock_guard lock(list.mutex);
    list.modules.push_back(std::move(record));
}

void UnregisterModuleResources(const void* anchor)
{
    ModuleList& list = Modules();
    std::lock_guard lock(list.mutex);
    list.modules.remove_if([anchor](const ModuleRecord& record) { return record.anchor == anchor; });
}
