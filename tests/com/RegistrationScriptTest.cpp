#include "com/RegistrationScript.h"

#include "com/Registry.h"
#include "com/RegistryFile.h"

#include "TestEnvironment.h"

#include <gtest/gtest.h>

namespace {

// A quiz book's class script, as a module carries it.
constexpr const char* kBookScript = R"(HKCR
{
	Tavorin.CoFrench1.1 = s 'CoFrench1 Class'
	{
		CLSID = s '{79A68F9B-6373-47B9-A1FD-9AB12306AEAD}'
	}
	Tavorin.CoFrench1 = s 'CoFrench1 Class'
	{
		CLSID = s '{79A68F9B-6373-47B9-A1FD-9AB12306AEAD}'
		CurVer = s 'Tavorin.CoFrench1.1'
	}
	NoRemove CLSID
	{
		ForceRemove {79A68F9B-6373-47B9-A1FD-9AB12306AEAD} = s 'CoFrench1 Class'
		{
			ProgID = s 'Tavorin.CoFrench1.1'
			VersionIndependentProgID = s 'Tavorin.CoFrench1'
			ForceRemove 'Programmable'
			InprocServer32 = s '%MODULE%'
			{
				val ThreadingModel = s 'Apartment'
			}
			val AppID = s '%APPID%'
			'MiscStatus' = s '0'
			{
				'1' = s '%OLEMISC%'
			}
		}
	}
}
)";

constexpr const char* kClassKey = "HKEY_CLASSES_ROOT\\CLSID\\{79A68F9B-6373-47B9-A1FD-9AB12306AEAD}";

const CRegistrationScript::Substitutions kSubstitutions = {
    {"MODULE", "/opt/brain wheel/Wordcrate.so"},
    {"APPID", "{C3DD85DA-0409-429B-9098-E628FAAECE69}"},
    {"OLEMISC", "131473"},
};

CRegistryData ReadRegistry()
{
    CRegistryData data;
    EXPECT_EQ(CRegistry::Read(data), S_OK);
    return data;
}

std::string Value(const CRegistryData& data, const std::string& path, std::string_view name = "")
{
    std::string value;
    return data.GetValue(path, name, value) ? value : "<absent>";
}

TEST(RegistrationScriptTest, RegisterWritesKeysValuesAndSubstitutions)
{
    TestEnvironment env;
    ASSERT_EQ(UpdateRegistryFromScript(kBookScript, kSubstitutions, true), S_OK);
    const CRegistryData data = ReadRegistry();

    EXPECT_EQ(Value(data, "HKEY_CLASSES_ROOT\\Tavorin.CoFrench1.1"), "CoFrench1 Class");
    EXPECT_EQ(Value(data, "HKEY_CLASSES_ROOT\\Tavorin.CoFrench1.1\\CLSID"), "{79A68F9B-6373-47B9-A1FD-9AB12306AEAD}");
    EXPECT_EQ(Value(data, "HKEY_CLASSES_ROOT\\Tavorin.CoFrench1\\CurVer"), "Tavorin.CoFrench1.1");
    EXPECT_EQ(Value(data, kClassKey), "CoFrench1 Class");
    EXPECT_EQ(Value(data, std::string(kClassKey) + "\\InprocServer32"), "/opt/brain wheel/Wordcrate.so");
    EXPECT_EQ(Value(data, std::string(kClassKey) + "\\InprocServer32", "ThreadingModel"), "Apartment");
    EXPECT_EQ(Value(data, kClassKey, "AppID"), "{C3DD85DA-0409-429B-9098-E628FAAECE69}");
    EXPECT_EQ(Value(data, std::string(kClassKey) + "\\MiscStatus\\1"), "131473");
    EXPECT_TRUE(data.KeyExists(std::string(kClassKey) + "\\Programmable"));
    EXPECT_EQ(Value(data, std::string(kClassKey) + "\\Programmable"), "<absent>");
}

TEST(RegistrationScriptTest, RegisteringTwiceGivesOneIdenticalSet)
{
    TestEnvironment env;
    // What an older version left under the class key goes: the key is
    // ForceRemove. What it left under a plain key stays.
    ASSERT_EQ(CRegistry::Edit([](CRegistryData& data) {
                  data.SetValue(std::string(kClassKey) + "\\Obsolete", "", "old");
                  return data.SetValue("HKEY_CLASSES_ROOT\\Tavorin.CoFrench1", "Extra", "kept");
              }),
              S_OK);
    ASSERT_EQ(UpdateRegistryFromScript(kBookScript, kSubstitutions, true), S_OK);
    const CRegistryData once = ReadRegistry();
    EXPECT_FALSE(once.KeyExists(std::string(kClassKey) + "\\Obsolete"));
    EXPECT_EQ(Value(once, "HKEY_CLASSES_ROOT\\Tavorin.CoFrench1", "Extra"), "kept");

    ASSERT_EQ(UpdateRegistryFromScript(kBookScript, kSubstitutions, true), S_OK);
    const CRegistryData twice = ReadRegistry();
    EXPECT_EQ(twice, once);
    EXPECT_EQ(CRegistryFile::Serialize(twice), CRegistryFile::Serialize(once));
}

TEST(RegistrationScriptTest, UnregisterKeepsNoRemoveRootsAndOtherModulesKeys)
{
    TestEnvironment env;
    ASSERT_EQ(UpdateRegistryFromScript(kBookScript, kSubstitutions, true), S_OK);
    // Another module's class under the shared CLSID root, and a key of its
    // own below one of our programmatic names.
    ASSERT_EQ(CRegistry::Edit([](CRegistryData& data) {
                  data.SetValue("HKEY_CLASSES_ROOT\\CLSID\\{13030BE8-1E1A-4BCF-A573-63F4E01A852F}", "", "Other");
                  return data.SetValue("HKEY_CLASSES_ROOT\\Tavorin.CoFrench1\\Shell", "", "theirs");
              }),
              S_OK);

    ASSERT_EQ(UpdateRegistryFromScript(kBookScript, kSubstitutions, false), S_OK);
    const CRegistryData data = ReadRegistry();
    EXPECT_FALSE(data.KeyExists(kClassKey));
    EXPECT_FALSE(data.KeyExists("HKEY_CLASSES_ROOT\\Tavorin.CoFrench1.1"));
    EXPECT_TRUE(data.KeyExists("HKEY_CLASSES_ROOT\\CLSID\\{13030BE8-1E1A-4BCF-A573-63F4E01A852F}"));
    EXPECT_EQ(Value(data, "HKEY_CLASSES_ROOT\\Tavorin.CoFrench1\\Shell"), "theirs");
    EXPECT_FALSE(data.KeyExists("HKEY_CLASSES_ROOT\\Tavorin.CoFrench1\\CLSID"));
    EXPECT_FALSE(data.KeyExists("HKEY_CLASSES_ROOT\\Tavorin.CoFrench1\\CurVer"));

    // Alone, the NoRemove root survives empty.
    ASSERT_EQ(CRegistry::Edit([](CRegistryData& data) {
                  data.DeleteKey("HKEY_CLASSES_ROOT\\CLSID\\{13030BE8-1E1A-4BCF-A573-63F4E01A852F}", true);
                  return data.DeleteKey("HKEY_CLASSES_ROOT\\Tavorin.CoFrench1", true);
              }),
              S_OK);
    ASSERT_EQ(UpdateRegistryFromScript(kBookScript, kSubstitutions, true), S_OK);
    ASSERT_EQ(UpdateRegistryFromScript(kBookScript, kSubstitutions, false), S_OK);
    const CRegistryData alone = ReadRegistry();
    EXPECT_TRUE(alone.KeyExists("HKEY_CLASSES_ROOT\\CLSID"));
    EXPECT_EQ(alone.SubKeys("HKEY_CLASSES_ROOT"), std::vector<std::string>{"CLSID"});
    EXPECT_TRUE(alone.SubKeys("HKEY_CLASSES_ROOT\\CLSID").empty());
}

TEST(RegistrationScriptTest, NamedValuesUnderKeptKeysAreRemoved)
{
    TestEnvironment env;
    const char* script = "HKCR { NoRemove AppID { 'Wordcrate.DLL' { val AppID = s '%APPID%' } "
                         "NoRemove Shared { val Mine = s 'x' } } }";
    ASSERT_EQ(CRegistry::Edit([](CRegistryData& data) {
                  return data.SetValue("HKEY_CLASSES_ROOT\\AppID\\Shared", "Theirs", "y");
              }),
              S_OK);
    ASSERT_EQ(UpdateRegistryFromScript(script, kSubstitutions, true), S_OK);
    EXPECT_EQ(Value(ReadRegistry(), "HKEY_CLASSES_ROOT\\AppID\\Wordcrate.DLL", "AppID"),
              "{C3DD85DA-0409-429B-9098-E628FAAECE69}");
    ASSERT_EQ(UpdateRegistryFromScript(script, kSubstitutions, false), S_OK);
    const CRegistryData data = ReadRegistry();
    EXPECT_FALSE(data.KeyExists("HKEY_CLASSES_ROOT\\AppID\\Wordcrate.DLL"));
    EXPECT_EQ(Value(data, "HKEY_CLASSES_ROOT\\AppID\\Shared", "Mine"), "<absent>");
    EXPECT_EQ(Value(data, "HKEY_CLASSES_ROOT\\AppID\\Shared", "Theirs"), "y");
}

TEST(RegistrationScriptTest, DeleteMarkerAndQuotingAndLiteralPercent)
{
    TestEnvironment env;
    ASSERT_EQ(CRegistry::Edit([](CRegistryData& data) {
                  return data.SetValue("HKEY_CLASSES_ROOT\\Legacy.Name\\CLSID", "", "{old}");
              }),
              S_OK);
    ASSERT_EQ(CRegistry::Edit([](CRegistryData& data) { return data.SetValue("HKEY_CLASSES_ROOT\\Outer\\Stale", "", "x"); }),
              S_OK);
    // Keywords in any letter case; "}}" closes two blocks.
    const char* script = "hkey_classes_root\n{\n  delete Legacy.Name\n"
                         "  'It''s here' = s 'O''Brien''s 100%% quiz'\n"
                         "  forceremove Outer { Inner { VAL V = S 'v' }}\n}\n";
    ASSERT_EQ(UpdateRegistryFromScript(script, {}, true), S_OK);
    CRegistryData data = ReadRegistry();
    EXPECT_FALSE(data.KeyExists("HKEY_CLASSES_ROOT\\Legacy.Name"));
    EXPECT_EQ(data.SubKeys("HKEY_CLASSES_ROOT\\Outer"), std::vector<std::string>{"Inner"});
    std::string inner;
    EXPECT_TRUE(data.GetValue("HKEY_CLASSES_ROOT\\Outer\\Inner", "V", inner));
    EXPECT_EQ(inner, "v");
    EXPECT_EQ(Value(data, "HKEY_CLASSES_ROOT\\It's here"), "O'Brien's 100% quiz");
    // A Delete key was never this script's own: one made again since stays.
    ASSERT_EQ(CRegistry::Edit([](CRegistryData& data) {
                  return data.SetValue("HKEY_CLASSES_ROOT\\Legacy.Name", "", "another module's");
              }),
              S_OK);
    ASSERT_EQ(UpdateRegistryFromScript(script, {}, false), S_OK);
    EXPECT_EQ(Value(ReadRegistry(), "HKEY_CLASSES_ROOT\\Legacy.Name"), "another module's");
    EXPECT_FALSE(ReadRegistry().KeyExists("HKEY_CLASSES_ROOT\\It's here"));
    // A substitution is text, never script: a quote in a path stays a quote.
    ASSERT_EQ(UpdateRegistryFromScript("HKCR { K = s '%MODULE%' }", {{"MODULE", "/tmp/it's {odd}"}}, true), S_OK);
    EXPECT_EQ(Value(ReadRegistry(), "HKEY_CLASSES_ROOT\\K"), "/tmp/it's {odd}");
    // Nor may one carry a line break into the registry file.
    EXPECT_EQ(UpdateRegistryFromScript("HKCR { K = s '%MODULE%' }", {{"MODULE", "/tmp/two\nlines"}}, true), E_INVALIDARG);
    EXPECT_EQ(Value(ReadRegistry(), "HKEY_CLASSES_ROOT\\K"), "/tmp/it's {odd}");
}

TEST(RegistrationScriptTest, SyntaxErrorsNameTheLineAndWriteNothing)
{
    TestEnvironment env;
    const struct {
        const char* script;
        const char* message;
    } cases[] = {
        {"HKCR\n{\n  Key = s 'unterminated\n}\n", "line 3: "},
        {"HKCR\n{\n  Key = s 'a'\n", "line 4: "},
        {"HKLM\n{\n}\n", "line 1: "},
        {"HKCR\n{\n  Key = d '1'\n}\n", "line 3: "},
        {"HKCR\n{\n\n  Key = s '%NOSUCH%'\n}\n", "line 4: "},
        {"HKCR\n{\n  val = s 'x'\n}\n", "line 3: "},
        {"HKCR\n{\n  'a\\b' = s 'x'\n}\n", "line 3: "},
        {"HKCR\n{\n  Key = s 'x' }\n}\n", "line 4: "},
        {"HKCR Key", "line 1: "},
    };
    for (const auto& c : cases) {
        std::string error;
        EXPECT_TRUE(FAILED(UpdateRegistryFromScript(c.script, kSubstitutions, true, &error))) << c.script;
        EXPECT_EQ(error.rfind(c.message, 0), 0u) << c.script << " gave: " << error;
    }
    EXPECT_FALSE(std::filesystem::exists(env.RegistryPath()));
}

} // namespace
