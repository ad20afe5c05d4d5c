#pragma once
// The built console library, loaded for the length of a test with dlopen and
// closed again, so that a test can also run without it or with a renamed
// copy.
#include "TestEnvironment.h"
#include "com/ComRuntime.h"
#include "ui/Resources.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <dlfcn.h>

class LoadedPlaydeck {
public:
    static std::filesystem::path BuiltPath() { return TestEnvironment::BinDir() / "Playdeck.so"; }

    explicit LoadedPlaydeck(const std::filesystem::path& path = BuiltPath())
        : m_path(path), m_handle(dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL))
    {
        EXPECT_NE(m_handle, nullptr) << dlerror();
    }
    ~LoadedPlaydeck()
    {
        if (m_handle) dlclose(m_handle);
    }
    LoadedPlaydeck(const LoadedPlaydeck&) = delete;
    LoadedPlaydeck& operator=(const LoadedPlaydeck&) = delete;

    HMODULE Module() const { return GetModuleHandleA(m_path.filename().string()); }

    // One of the module's exports; a test fails when it is missing.
    template <typename Function>
    Function Export(const char* name) const
    {
        void* symbol = m_handle ? dlsym(m_handle, name) : nullptr;
        EXPECT_NE(symbol, nullptr) << name;
        return reinterpret_cast<Function>(symbol);
    }
    HRESULT Register() const { return Export<PFN_DllRegisterServer>("DllRegisterServer")(); }
    HRESULT Unregister() const { return Export<PFN_DllRegisterServer>("DllUnregisterServer")(); }

private:
    std::filesystem::path m_path;
    void* m_handle;
};
