// regsvr: registers or unregisters an in-process component server by loading
// it and calling its DllRegisterServer or DllUnregisterServer.
#include "com/ComRuntime.h"
#include "com/Registry.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include <dlfcn.h>

namespace {

void PrintUsage(std::FILE* out)
{
    std::fputs("usage: regsvr [-u] [-s] MODULE.so\n"
               "Loads the component module and calls its DllRegisterServer, writing its\n"
               "classes into the registry ($BRAINWHEEL_REGISTRY, else\n"
               "$XDG_DATA_HOME/thebrainwheel/registry.reg).\n"
               "  -u  call DllUnregisterServer instead, removing them again\n"
               "  -s  print nothing on success\n",
               out);
}

} // namespace

int main(int argc, char** argv)
{
    bool unregister = false;
    bool silent = false;
    const char* module = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "-u")) unregister = true;
        else if (!std::strcmp(argv[i], "-s")) silent = true;
        else if (!std::strcmp(argv[i], "-h") || !std::strcmp(argv[i], "--help")) {
            PrintUsage(stdout);
            return 0;
        } else if (argv[i][0] == '-' || module) {
            PrintUsage(stderr);
            return 2;
        } else {
            module = argv[i];
        }
    }
    if (!module) {
        PrintUsage(stderr);
        return 2;
    }

    // The module registers the path it was loaded from, so load it by its
    // full path: that is what the game will find in the registry.
    std::error_code ec;
    const std::filesystem::path path = std::filesystem::absolute(module, ec);
    void* handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        std::fprintf(stderr, "regsvr: cannot load %s: %s\n", path.c_str(), ::dlerror());
        return 3;
    }
    const char* entry = unregister ? "DllUnregisterServer" : "DllRegisterServer";
    const auto function = reinterpret_cast<PFN_DllRegisterServer>(::dlsym(handle, entry));
    if (!function) {
        std::fprintf(stderr, "regsvr: %s does not export %s; it is not a component module\n", path.c_str(), entry);
        return 4;
    }
    const HRESULT hr = function();
    if (FAILED(hr)) {
        // The entry point returns a code alone; the registry keeps why it
        // could not be read or written, naming its file.
        const std::string why =
            hr == REGDB_E_READREGDB || hr == REGDB_E_WRITEREGDB ? CRegistry::LastError() : std::string();
        std::fprintf(stderr, "regsvr: %s in %s failed with 0x%08X%s%s\n", entry, path.c_str(),
                     static_cast<unsigned>(hr), why.empty() ? "" : ": ", why.c_str());
        return 5;
    }
    if (!silent) std::printf("regsvr: %s in %s succeeded.\n", entry, path.c_str());
    return 0;
}
