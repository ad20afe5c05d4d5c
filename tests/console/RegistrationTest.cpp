#include "LoadedPlaydeck.h"
#include "PlaydeckRegistry.h"
#include "TestEnvironment.h"
#include "com/RegistrationScript.h"
#include "com/Registry.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// The classes of the library's class table, in its order; each joins here as
// it is built.
const std::vector<PlaydeckClassKeys> kTableClasses = {
    {"{13030BE8-1E1A-4BCF-A573-63F4E01A852F}", "Tavorin.ProgressManager.1", "ProgressManager Class", 108},
    {"{D45A0AC2-3EFA-4406-B9FF-E13B869BF8C9}", "Tavorin.OptionText.1", "OptionText Class", 114},
    {"{0EB031EC-DB67-4AC8-8EA5-E33B0A50135A}", "Tavorin.Option.1", "Option Class", 111},
    {"{DC9263CE-D23F-468C-B00C-742BF3F45A2A}", "Playdeck.LifeManager.1", "LifeManager Class", 105},
    {"{3C391F2E-A725-4E80-9AA1-0FEE228F419F}", "Tavorin.LifelineManager.1", "LifelineManager Class", 131},
    {"{CD589894-AC35-4A3C-BEA4-72FD5467B8E4}", "Tavorin.ImageText.1", "ImageText Class", 124},
    {"{4DFFA6C7-8FFB-4F04-80EC-415B3CB81AEE}", "Tavorin.GameConsole.1", "GameConsole Class", 116},
    {"{8742C080-53F2-4F83-B9A5-5B58D9BA9F44}", "Tavorin.Countdown.1", "Countdown Class", 102},
    {"{3853D41B-0F61-4F05-8229-82B41B23B0CA}", "Tavorin.Challenge.1", "Challenge Class", 119},
    {"{17DAFB2E-F917-4F2B-ADD4-E70C18104721}", "Tavorin.BonusButton.1", "BonusButton Class", 136},
};

CRegistryData ReadRegistry()
{
    CRegistryData data;
    std::string error;
    EXPECT_EQ(CRegistry::Read(data, &error), S_OK) << error;
    return data;
}

// Keys another module left: registering and unregistering must keep them.
CRegistryData SeedOtherModule()
{
    const auto seed = [](CRegistryData& registry) {
        registry.SetValue("HKEY_CLASSES_ROOT\\CLSID\\{5E1F0C3A-8B27-4D6E-9C41-2A7B63D018F5}\\InprocServer32", "",
                          "/elsewhere/Other.so");
        registry.SetValue("HKEY_CLASSES_ROOT\\AppID\\{5E1F0C3A-8B27-4D6E-9C41-2A7B63D018F6}", "", "Other");
        return S_OK;
    };
    EXPECT_EQ(CRegistry::Edit(seed), S_OK);
    CRegistryData expected;
    seed(expected);
    return expected;
}

TEST(PlaydeckRegistration, WritesTheLibraryAndEveryClassOfTheTableOnceOnly)
{
    TestEnvironment env;
    LoadedPlaydeck playdeck;
    const std::string module = GetModuleFileName(playdeck.Module());
    CRegistryData expected;
    AddPlaydeckLibraryKeys(expected, module);
    for (const PlaydeckClassKeys& keys : kTableClasses) AddPlaydeckClassKeys(expected, keys, module);

    ASSERT_EQ(playdeck.Register(), S_OK);
    const CRegistryData once = ReadRegistry();
    EXPECT_TRUE(once == expected) << "registered:\n" << DumpRegistry(once) << "expected:\n" << DumpRegistry(expected);

    ASSERT_EQ(playdeck.Register(), S_OK);
    const CRegistryData twice = ReadRegistry();
    EXPECT_TRUE(twice == once) << DumpRegistry(twice);
}

TEST(PlaydeckRegistration, UnregisteringLeavesOnlyTheSharedRootsAndOtherModules)
{
    TestEnvironment env;
    LoadedPlaydeck playdeck;
    CRegistryData expected = SeedOtherModule();
    expected.CreateKey("HKEY_CLASSES_ROOT\\TypeLib");

    ASSERT_EQ(playdeck.Register(), S_OK);
    ASSERT_EQ(playdeck.Unregister(), S_OK);
    const CRegistryData left = ReadRegistry();
    EXPECT_TRUE(left.KeyExists("HKEY_CLASSES_ROOT\\CLSID"));
    EXPECT_TRUE(left.KeyExists("HKEY_CLASSES_ROOT\\AppID"));
    EXPECT_TRUE(left == expected) << DumpRegistry(left);

    // Unregistering what is not there is no failure.
    EXPECT_EQ(playdeck.Unregister(), S_OK);
}

// Each class's script, filled in as registration fills it, before every class
// is in the table.
TEST(PlaydeckRegistration, EachClassScriptWritesAndRemovesTheClassesKeys)
{
    TestEnvironment env;
    LoadedPlaydeck playdeck;
    const std::string module = GetModuleFileName(playdeck.Module());
    const PlaydeckClassKeys countdown = {"{8742C080-53F2-4F83-B9A5-5B58D9BA9F44}", "Tavorin.Countdown.1",
                                         "Countdown Class", 102};
    const CRegistrationScript::Substitutions substitutions = {
        {"CLSID", countdown.clsid}, {"PROGID", countdown.progId}, {"VERSIONINDEPENDENTPROGID", "Tavorin.Countdown"},
        {"DESCRIPTION", countdown.description}, {"TOOLBOXBITMAP", "102"}, {"APPID", kPlaydeckAppId},
        {"OLEMISC", "131473"}};
    for (int script : {235, 236, 253, 234, 132, 239, 237, 233, 241, 137}) {
        SCOPED_TRACE("REGISTRY " + std::to_string(script));
        CRegistryData expected = SeedOtherModule();
        const CRegistryData seeded = expected;
        AddPlaydeckClassKeys(expected, countdown, module);
        ASSERT_EQ(UpdateRegistryFromResource(playdeck.Module(), script, substitutions, true), S_OK);
        const CRegistryData registered = ReadRegistry();
        EXPECT_TRUE(registered == expected) << DumpRegistry(registered) << "expected:\n" << DumpRegistry(expected);

        ASSERT_EQ(UpdateRegistryFromResource(playdeck.Module(), script, substitutions, false), S_OK);
        const CRegistryData left = ReadRegistry();
        EXPECT_TRUE(left == seeded) << DumpRegistry(left);
        std::filesystem::remove(env.RegistryPath());
    }
}

TEST(PlaydeckExports, AnswerOnlyForTheirOwnClasses)
{
    LoadedPlaydeck playdeck;
    const auto getClassObject = playdeck.Export<PFN_DllGetClassObject>("DllGetClassObject");
    const auto canUnloadNow = playdeck.Export<PFN_DllCanUnloadNow>("DllCanUnloadNow");
    ASSERT_TRUE(getClassObject && canUnloadNow);

    constexpr CLSID unknown = {0x5E1F0C3A, 0x8B27, 0x4D6E, {0x9C, 0x41, 0x2A, 0x7B, 0x63, 0xD0, 0x18, 0xF5}};
    void* factory = reinterpret_cast<void*>(1);
    EXPECT_EQ(getClassObject(unknown, IID_IClassFactory, &factory), CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(factory, nullptr);
    EXPECT_EQ(getClassObject(unknown, IID_IClassFactory, nullptr), E_POINTER);
    EXPECT_EQ(canUnloadNow(), S_OK);
}

TEST(PlaydeckResources, CarryTheLibrarysNameAndVersion)
{
    LoadedPlaydeck playdeck;
    EXPECT_EQ(LoadStringA(playdeck.Module(), 100), "Playdeck");
    const HRSRC version = FindResourceA(playdeck.Module(), 1, "VERSION");
    ASSERT_NE(version, nullptr);
    const std::string text(static_cast<const char*>(LockResource(version)), SizeofResource(playdeck.Module(), version));
    for (const char* line : {"FileVersion=1.7.0.0\n", "ProductVersion=1.7.0.0\n", "InternalName=Playdeck.dll\n",
                             "OriginalFilename=Playdeck.dll\n", "English (United Kingdom)"})
        EXPECT_NE(text.find(line), std::string::npos) << line;
}

} // namespace
