// What registering the quiz book library writes, and what unregistering
// leaves behind.
#include "WordcrateFixture.h"

#include "com/Registry.h"

namespace {

const std::string kRoot = "HKEY_CLASSES_ROOT\\";
const std::string kAppId = "{C3DD85DA-0409-429B-9098-E628FAAECE69}";
const std::string kLibId = "{0CF74BFC-F86F-4D53-A79D-29C8014CB8E7}";

CRegistryData Snapshot()
{
    CRegistryData data;
    EXPECT_EQ(CRegistry::Read(data), S_OK);
    return data;
}

// The whole registration, written out key by key.
void AddExpectedRegistration(CRegistryData& data, const std::string& modulePath)
{
    const std::pair<const char*, const char*> classes[] = {{"1", "{79A68F9B-6373-47B9-A1FD-9AB12306AEAD}"},
                                                           {"2", "{2D33330F-B8B1-4988-A05E-67BB1BE90252}"},
                                                           {"3", "{01950C11-D43F-4748-8E4A-9627864DF5CF}"},
                                                           {"4", "{F4CCD3D8-FB81-41F7-99E6-6DB280C291F2}"}};
    for (const auto& [n, clsid] : classes) {
        const std::string name = std::string("CoFrench") + n + " Class";
        const std::string progId = std::string("Tavorin.CoFrench") + n;
        data.SetValue(kRoot + progId + ".1", "", name);
        data.SetValue(kRoot + progId + ".1\\CLSID", "", clsid);
        data.SetValue(kRoot + progId, "", name);
        data.SetValue(kRoot + progId + "\\CLSID", "", clsid);
        data.SetValue(kRoot + progId + "\\CurVer", "", progId + ".1");
        const std::string key = kRoot + "CLSID\\" + clsid;
        data.SetValue(key, "", name);
        data.SetValue(key, "AppID", kAppId);
        data.SetValue(key + "\\ProgID", "", progId + ".1");
        data.SetValue(key + "\\VersionIndependentProgID", "", progId);
        data.CreateKey(key + "\\Programmable");
        data.SetValue(key + "\\InprocServer32", "", modulePath);
        data.SetValue(key + "\\InprocServer32", "ThreadingModel", "Apartment");
        data.SetValue(key + "\\TypeLib", "", kLibId);
    }
    data.SetValue(kRoot + "AppID\\" + kAppId, "", "Wordcrate");
    data.SetValue(kRoot + "AppID\\Wordcrate.DLL", "AppID", kAppId);
    const std::string library = kRoot + "TypeLib\\" + kLibId + "\\1.0";
    data.SetValue(library, "", "Wordcrate 1.0 Type Library");
    data.SetValue(library + "\\0\\linux", "", modulePath);
    data.SetValue(library + "\\FLAGS", "", "0");
    data.SetValue(library + "\\HELPDIR", "", std::filesystem::path(modulePath).parent_path().string());
}

// Another module's keys under the shared roots.
void AddNeighbour(CRegistryData& data)
{
    data.SetValue(kRoot + "CLSID\\{11111111-2222-3333-4444-555555555555}\\InprocServer32", "", "/opt/Other.so");
    data.SetValue(kRoot + "AppID\\Other.so", "AppID", "{11111111-2222-3333-4444-555555555556}");
    data.SetValue(kRoot + "TypeLib\\{11111111-2222-3333-4444-555555555557}\\1.0", "", "Other 1.0 Type Library");
    data.SetValue(kRoot + "Other.Thing", "", "Other Thing");
}

class RegistrationTest : public WordcrateFixture {
protected:
    void SetUp() override {}  // each test registers when it is ready
};

} // namespace

TEST_F(RegistrationTest, WritesExactlyTheLibrarysKeysOnceHoweverOftenRegistered)
{
    Register(LibraryPath());
    CRegistryData expected;
    AddExpectedRegistration(expected, LibraryPath().string());
    EXPECT_TRUE(Snapshot() == expected);

    Register(LibraryPath());
    EXPECT_TRUE(Snapshot() == expected);
}

TEST_F(RegistrationTest, UnregisteringKeepsTheSharedRootsAndOtherModulesKeys)
{
    CRegistryData before;
    AddNeighbour(before);
    ASSERT_EQ(CRegistry::Edit([&](CRegistryData& data) {
                  data = before;
                  return S_OK;
              }),
              S_OK);

    Register(LibraryPath());
    CRegistryData expected = before;
    AddExpectedRegistration(expected, LibraryPath().string());
    EXPECT_TRUE(Snapshot() == expected);

    Register(LibraryPath(), "-s -u");
    EXPECT_TRUE(Snapshot() == before);

    // Alone in the registry, the library still leaves the roots it shares.
    ASSERT_EQ(CRegistry::Edit([](CRegistryData& data) {
                  data = CRegistryData();
                  return S_OK;
              }),
              S_OK);
    Register(LibraryPath());
    Register(LibraryPath(), "-s -u");
    const CRegistryData after = Snapshot();
    for (const char* root : {"CLSID", "AppID", "TypeLib"}) EXPECT_TRUE(after.KeyExists(kRoot + root)) << root;
    EXPECT_TRUE(after.SubKeys("HKEY_CLASSES_ROOT\\CLSID").empty());
    EXPECT_FALSE(after.KeyExists(kRoot + "Tavorin.CoFrench1"));
}
