#pragma once
// The test control module (tests/ole/module), registered in the test's own
// registry, and a look at its object count without loading it again.
#include "com/ComRuntime.h"

#include "RunProgram.h"
#include "TestEnvironment.h"
#include "module/OleTestControls.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QWidget>

#include <dlfcn.h>

inline std::filesystem::path ControlModulePath() { return TestEnvironment::BinDir() / "OleTestControls.so"; }

inline void RegisterControlModule(const TestEnvironment& env)
{
    const ProgramResult registered = RunProgram(env, "regsvr", "-s " + ControlModulePath().string());
    ASSERT_EQ(registered.status, 0) << registered.err;
}

// The module's DllCanUnloadNow; -1 when it is not loaded.
inline HRESULT ControlModuleCanUnloadNow()
{
    void* handle = dlopen(ControlModulePath().c_str(), RTLD_NOW | RTLD_NOLOAD);
    if (!handle) return -1;
    const auto canUnload = reinterpret_cast<PFN_DllCanUnloadNow>(dlsym(handle, "DllCanUnloadNow"));
    const HRESULT hr = canUnload ? canUnload() : -1;
    dlclose(handle);
    return hr;
}

template <typename T>
CComPtr<T> CreateControl(REFCLSID clsid, REFIID riid)
{
    CComPtr<T> control;
    EXPECT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, riid, reinterpret_cast<void**>(&control)), S_OK);
    return control;
}

// A test with the module registered, a parent window for hosted controls,
// and the check at its end that every object of the module is gone.
class ControlModuleTest : public testing::Test {
protected:
    void SetUp() override
    {
        RegisterControlModule(env);
        parent.resize(600, 600);
    }
    void TearDown() override
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(ControlModuleCanUnloadNow(), S_OK) << "every object of the module is gone";
    }

    TestEnvironment env;
    QWidget parent;
};
