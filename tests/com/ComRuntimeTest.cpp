#include "com/ClassFactory.h"
#include "com/ComPtr.h"
#include "com/ComRuntime.h"
#include "com/Registry.h"

#include "RunProgram.h"
#include "TestEnvironment.h"
#include "module/ComTestModule.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>

#include <dlfcn.h>

namespace {

const std::string kModule = "ComTestModule.so";

std::filesystem::path ModulePath()
{
    return TestEnvironment::BinDir() / kModule;
}

// The module's own DllCanUnloadNow, called without loading it a second time;
// -1 when it is not loaded.
HRESULT ModuleCanUnloadNow()
{
    void* handle = dlopen(ModulePath().c_str(), RTLD_NOW | RTLD_NOLOAD);
    if (!handle) return -1;
    const auto canUnload = reinterpret_cast<PFN_DllCanUnloadNow>(dlsym(handle, "DllCanUnloadNow"));
    const HRESULT hr = canUnload ? canUnload() : -1;
    dlclose(handle);
    return hr;
}

TEST(ComRuntimeTest, RegisterWithRegsvrThenCreateByProgrammaticName)
{
    TestEnvironment env;
    const ProgramResult registered = RunProgram(env, "regsvr", "-s " + ModulePath().string());
    ASSERT_EQ(registered.status, 0) << registered.err;
    EXPECT_EQ(registered.out, "");

    CLSID clsid{};
    ASSERT_EQ(CLSIDFromProgID(u"tests.comthing.1", &clsid), S_OK);
    EXPECT_EQ(clsid, CLSID_ComTestThing);

    CComPtr<ITestThing> thing;
    ASSERT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_ITestThing, reinterpret_cast<void**>(&thing)), S_OK);
    LONG answer = 0;
    ASSERT_EQ(thing->GetAnswer(&answer), S_OK);
    EXPECT_EQ(answer, 42);

    // The module stays while an object of it lives, and may go after.
    EXPECT_EQ(ModuleCanUnloadNow(), S_FALSE);
    CoFreeUnusedLibraries();
    EXPECT_EQ(ModuleCanUnloadNow(), S_FALSE);
    thing.Release();
    EXPECT_EQ(ModuleCanUnloadNow(), S_OK);
    CoFreeUnusedLibraries();
    EXPECT_EQ(ModuleCanUnloadNow(), -1);

    // Unregistering takes the names away again.
    const ProgramResult unregistered = RunProgram(env, "regsvr", "-u " + ModulePath().string());
    ASSERT_EQ(unregistered.status, 0) << unregistered.err;
    EXPECT_NE(unregistered.out.find("DllUnregisterServer"), std::string::npos);
    EXPECT_EQ(CLSIDFromProgID(u"Tests.ComThing.1", &clsid), CO_E_CLASSSTRING);
    EXPECT_EQ(CoCreateInstance(CLSID_ComTestThing, nullptr, CLSCTX_INPROC_SERVER, IID_ITestThing,
                               reinterpret_cast<void**>(&thing)),
              REGDB_E_CLASSNOTREG);
}

TEST(ComRuntimeTest, FailuresOfLookupAndLoading)
{
    TestEnvironment env;
    CLSID clsid{};
    EXPECT_EQ(CLSIDFromProgID(u"No.Such.Name", &clsid), CO_E_CLASSSTRING);
    EXPECT_EQ(CLSIDFromProgID(u"Tests\\ComThing", &clsid), CO_E_CLASSSTRING);

    const std::string classKey = "HKEY_CLASSES_ROOT\\CLSID\\" + GuidToString(CLSID_ComTestThing) + "\\InprocServer32";
    auto registerPath = [&](const std::string& path) {
        return CRegistry::Edit([&](CRegistryData& data) { return data.SetValue(classKey, "", path); });
    };
    void* object = nullptr;
    ASSERT_EQ(registerPath((env.Dir() / "Missing.so").string()), S_OK);
    EXPECT_EQ(CoCreateInstance(CLSID_ComTestThing, nullptr, CLSCTX_ALL, IID_IUnknown, &object), CO_E_DLLNOTFOUND);
    // A loadable library that is no component module.
    ASSERT_EQ(registerPath((TestEnvironment::BinDir() / "libbrainwheel_platform.so").string()), S_OK);
    EXPECT_EQ(CoCreateInstance(CLSID_ComTestThing, nullptr, CLSCTX_ALL, IID_IUnknown, &object), CO_E_ERRORINDLL);
    // The right module, asked for an interface its class lacks.
    ASSERT_EQ(registerPath(ModulePath().string()), S_OK);
    EXPECT_EQ(CoCreateInstance(CLSID_ComTestThing, nullptr, CLSCTX_ALL, IID_IDispatch, &object), E_NOINTERFACE);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(CoCreateInstance(CLSID_ComTestThing, nullptr, CLSCTX_LOCAL_SERVER, IID_IUnknown, &object),
              REGDB_E_CLASSNOTREG);
}

TEST(ComRuntimeTest, RegsvrReportsFailure)
{
    TestEnvironment env;
    const ProgramResult missing = RunProgram(env, "regsvr", (env.Dir() / "Missing.so").string());
    EXPECT_NE(missing.status, 0);
    EXPECT_NE(missing.err.find("cannot load"), std::string::npos) << missing.err;

    const ProgramResult notModule = RunProgram(env, "regsvr", (TestEnvironment::BinDir() / "libbrainwheel_platform.so").string());
    EXPECT_NE(notModule.status, 0);
    EXPECT_NE(notModule.err.find("DllRegisterServer"), std::string::npos) << notModule.err;

    EXPECT_NE(RunProgram(env, "regsvr", "").status, 0);
}

// A registry regsvr cannot use: the failure on stderr names the file and
// says what is wrong with it, the exit status is not zero and the file stays
// as it was.
TEST(ComRuntimeTest, RegsvrNamesTheRegistryItCannotUse)
{
    const struct {
        const char* what;
        std::function<void(const TestEnvironment&)> setUp;
        const char* registry;  // the file named, relative to the test's folder
        const char* reason;
    } cases[] = {
        {"a damaged file",
         [](const TestEnvironment& env) { std::ofstream(env.RegistryPath()) << "The Brainwheel registry 1\n\n[HKEY_CLASSES_ROOT\n"; },
         "registry.reg", ":3: section name not closed by ']'"},
        {"a folder that cannot be made",
         [](const TestEnvironment& env) {
             std::ofstream(env.Dir() / "plain") << "x";
             setenv("BRAINWHEEL_REGISTRY", (env.Dir() / "plain" / "registry.reg").c_str(), 1);
         },
         "plain/registry.reg", ": cannot write the registry: cannot make the folder"},
        {"a full disk",
         [](const TestEnvironment& env) {
             std::filesystem::path temporary = env.RegistryPath();
             std::filesystem::create_symlink("/dev/full", temporary += ".tmp");
         },
         "registry.reg", ": No space left on device"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TestEnvironment env;
        c.setUp(env);
        const std::string before = ReadWholeFile(env.RegistryPath());
        const ProgramResult result = RunProgram(env, "regsvr", ModulePath().string());
        EXPECT_NE(result.status, 0);
        EXPECT_EQ(result.out, "");
        EXPECT_NE(result.err.find((env.Dir() / c.registry).string()), std::string::npos) << result.err;
        EXPECT_NE(result.err.find(c.reason), std::string::npos) << result.err;
        EXPECT_EQ(ReadWholeFile(env.RegistryPath()), before);
    }
}

// What a program serving its own class makes: answers 7, where the module
// registered for the same class answers 42.
class CLocalThing final : public ITestThing {
    BRAINWHEEL_IUNKNOWN_IMPL({&IID_ITestThing, static_cast<ITestThing*>(this)})

public:
    HRESULT GetAnswer(LONG* answer) override
    {
        *answer = 7;
        return S_OK;
    }

private:
    ~CLocalThing() = default;
};

TEST(ComRuntimeTest, ClassObjectsRegisteredAsRunningComeBeforeTheRegistry)
{
    TestEnvironment env;
    ASSERT_EQ(CRegistry::Edit([](CRegistryData& data) {
                  return data.SetValue("HKEY_CLASSES_ROOT\\CLSID\\" + GuidToString(CLSID_ComTestThing) + "\\InprocServer32",
                                       "", ModulePath().string());
              }),
              S_OK);
    CComModule server;
    const auto registerRunning = [&](DWORD flags, DWORD* cookie) {
        auto* factory = new CClassFactory(server, [](REFIID riid, void** object) {
            return HandOutNewObject(new CLocalThing, riid, object);
        });
        const HRESULT hr = CoRegisterClassObject(CLSID_ComTestThing, factory, CLSCTX_LOCAL_SERVER, flags, cookie);
        factory->Release();
        return hr;
    };
    const auto create = [](DWORD context, LONG& answer) {
        CComPtr<ITestThing> thing;
        answer = 0;
        const HRESULT hr = CoCreateInstance(CLSID_ComTestThing, nullptr, context, IID_ITestThing, reinterpret_cast<void**>(&thing));
        if (thing) thing->GetAnswer(&answer);
        return hr;
    };

    DWORD cookie = 0;
    ASSERT_EQ(registerRunning(REGCLS_MULTIPLEUSE, &cookie), S_OK);
    EXPECT_EQ(server.ObjectCount(), 1) << "the table holds the factory";
    LONG answer = 0;
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(create(CLSCTX_ALL, answer), S_OK);
        EXPECT_EQ(answer, 7);
    }
    EXPECT_EQ(CoRevokeClassObject(cookie), S_OK);
    EXPECT_EQ(server.ObjectCount(), 0);
    EXPECT_EQ(create(CLSCTX_LOCAL_SERVER, answer), REGDB_E_CLASSNOTREG);
    EXPECT_EQ(CoRevokeClassObject(cookie), CO_E_OBJNOTREG);
    EXPECT_EQ(CoRevokeClassObject(0), CO_E_OBJNOTREG);

    // A single-use factory serves one client; the next would start a new server.
    ASSERT_EQ(registerRunning(REGCLS_SINGLEUSE, &cookie), S_OK);
    EXPECT_EQ(create(CLSCTX_LOCAL_SERVER, answer), S_OK);
    EXPECT_EQ(create(CLSCTX_LOCAL_SERVER, answer), REGDB_E_CLASSNOTREG);
    EXPECT_EQ(CoRevokeClassObject(cookie), S_OK);
    EXPECT_EQ(server.ObjectCount(), 0);
}

CComModule g_testModule;

TEST(ClassFactoryTest, CountsItselfAndLocksAndRefusesAggregation)
{
    auto* factory = new CClassFactory(g_testModule, [](REFIID, void**) -> HRESULT { throw std::runtime_error("boom"); });
    EXPECT_EQ(g_testModule.DllCanUnloadNow(), S_FALSE);
    void* object = reinterpret_cast<void*>(1);
    EXPECT_EQ(factory->CreateInstance(nullptr, IID_IUnknown, &object), E_UNEXPECTED);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(factory->CreateInstance(factory, IID_IUnknown, &object), CLASS_E_NOAGGREGATION);

    factory->LockServer(TRUE);
    factory->Release();
    EXPECT_EQ(g_testModule.ObjectCount(), 0);
    EXPECT_EQ(g_testModule.DllCanUnloadNow(), S_FALSE);
    g_testModule.Unlock();
    EXPECT_EQ(g_testModule.DllCanUnloadNow(), S_OK);
}

} // namespace
