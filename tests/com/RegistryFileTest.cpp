#include "com/RegistryFile.h"

#include <gtest/gtest.h>

namespace {

constexpr const char* kClassKey = "HKEY_CLASSES_ROOT\\CLSID\\{79A68F9B-6373-47B9-A1FD-9AB12306AEAD}";

std::string Value(const CRegistryData& data, std::string_view path, std::string_view name = "")
{
    std::string value;
    return data.GetValue(path, name, value) ? value : "<absent>";
}

TEST(RegistryDataTest, NamesIgnoreCaseAndKeepTheirFirstSpelling)
{
    CRegistryData data;
    ASSERT_EQ(data.SetValue("HKEY_CLASSES_ROOT\\Tavorin.CoFrench1.1\\CLSID", "", "{G}"), S_OK);
    ASSERT_EQ(data.SetValue("hkey_classes_root\\TAVORIN.COFRENCH1.1", "Note", "first"), S_OK);
    ASSERT_EQ(data.SetValue("HKEY_CLASSES_ROOT\\tavorin.cofrench1.1", "NOTE", "second"), S_OK);

    EXPECT_EQ(Value(data, "HKEY_CLASSES_ROOT\\tavorin.COFRENCH1.1\\clsid"), "{G}");
    EXPECT_EQ(Value(data, "HKEY_CLASSES_ROOT\\Tavorin.CoFrench1.1", "note"), "second");
    EXPECT_EQ(data.SubKeys("HKEY_CLASSES_ROOT"), std::vector<std::string>{"Tavorin.CoFrench1.1"});
    EXPECT_EQ(data.ValueNames("HKEY_CLASSES_ROOT\\Tavorin.CoFrench1.1"), std::vector<std::string>{"Note"});
}

TEST(RegistryDataTest, DeletingKeysAndValues)
{
    CRegistryData data;
    data.SetValue(std::string(kClassKey) + "\\InprocServer32", "ThreadingModel", "Apartment");
    data.SetValue(kClassKey, "", "CoFrench1 Class");

    EXPECT_EQ(data.DeleteKey(kClassKey, false), E_ACCESSDENIED);  // still has InprocServer32
    EXPECT_TRUE(data.KeyExists(kClassKey));
    EXPECT_EQ(data.DeleteValue(std::string(kClassKey) + "\\InprocServer32", "threadingmodel"), S_OK);
    EXPECT_EQ(data.DeleteValue(std::string(kClassKey) + "\\InprocServer32", "threadingmodel"), S_FALSE);
    EXPECT_EQ(data.DeleteKey(kClassKey, true), S_OK);
    EXPECT_FALSE(data.KeyExists(kClassKey));
    EXPECT_TRUE(data.KeyExists("HKEY_CLASSES_ROOT\\CLSID"));
    EXPECT_EQ(data.DeleteKey(kClassKey, true), S_FALSE);
}

TEST(RegistryDataTest, RefusesWhatTheFileCannotHold)
{
    CRegistryData data;
    EXPECT_EQ(data.CreateKey(""), E_INVALIDARG);
    EXPECT_EQ(data.CreateKey("HKEY_CLASSES_ROOT\\\\CLSID"), E_INVALIDARG);
    EXPECT_EQ(data.CreateKey("HKEY_CLASSES_ROOT\\"), E_INVALIDARG);
    EXPECT_EQ(data.SetValue("HKEY_CLASSES_ROOT", "", "two\nlines"), E_INVALIDARG);
    EXPECT_EQ(data, CRegistryData());
}

TEST(RegistryFileTest, RoundTripKeepsKeysValuesAndEscapes)
{
    CRegistryData data;
    data.SetValue(kClassKey, "", "CoFrench1 Class");
    data.SetValue(kClassKey, "AppID", "{C3DD85DA-0409-429B-9098-E628FAAECE69}");
    data.SetValue(std::string(kClassKey) + "\\InprocServer32", "", "C:\\odd \"path\"\\Wordcrate.so");
    data.SetValue(std::string(kClassKey) + "\\InprocServer32", "Odd \"name\"", "");
    data.CreateKey(std::string(kClassKey) + "\\Programmable");  // an empty key survives too
    data.CreateKey("HKEY_CLASSES_ROOT\\[bracketed]");

    const std::string text = CRegistryFile::Serialize(data);
    EXPECT_NE(text.find("@=\"C:\\\\odd \\\"path\\\"\\\\Wordcrate.so\""), std::string::npos) << text;

    CRegistryData back;
    std::string error;
    ASSERT_EQ(CRegistryFile::Parse(text, "registry.reg", back, error), S_OK) << error;
    EXPECT_EQ(back, data);
    EXPECT_EQ(CRegistryFile::Serialize(back), text);
    EXPECT_TRUE(back.KeyExists(std::string(kClassKey) + "\\PROGRAMMABLE"));
    EXPECT_TRUE(back.KeyExists("HKEY_CLASSES_ROOT\\[bracketed]"));
}

TEST(RegistryFileTest, ReadsTheExportSyntaxWithCommentsAndBlankLines)
{
    const std::string text = "\xEF\xBB\xBFThe Brainwheel registry 1\r\n"
                             "\r\n"
                             "; written by hand\n"
                             "[HKEY_CLASSES_ROOT\\Tavorin.CoFrench1.1]\n"
                             "@ = \"CoFrench1 Class\"  \n"
                             "[HKEY_CLASSES_ROOT\\Tavorin.CoFrench1.1\\CLSID]\n"
                             "@=\"{79A68F9B-6373-47B9-A1FD-9AB12306AEAD}\"\n"
                             "\"\"=\"an empty name is the default value\"\n";
    CRegistryData data;
    std::string error;
    ASSERT_EQ(CRegistryFile::Parse(text, "registry.reg", data, error), S_OK) << error;
    EXPECT_EQ(Value(data, "HKEY_CLASSES_ROOT\\Tavorin.CoFrench1.1"), "CoFrench1 Class");
    EXPECT_EQ(Value(data, "HKEY_CLASSES_ROOT\\Tavorin.CoFrench1.1\\CLSID"), "an empty name is the default value");

    EXPECT_EQ(CRegistryFile::Parse(" \n\n", "registry.reg", data, error), S_OK);
    EXPECT_EQ(data, CRegistryData());
}

TEST(RegistryFileTest, MalformedFileNamesTheLineAndKeepsTheData)
{
    const struct {
        const char* text;
        const char* error;
    } cases[] = {
        {"Some other file\n", "registry.reg:1: "},
        {"The Brainwheel registry 1\n\n[HKEY_CLASSES_ROOT\\A]\n@=\"x\"\n[HKEY_CLASSES_ROOT\\B\n", "registry.reg:5: "},
        {"The Brainwheel registry 1\n@=\"outside\"\n", "registry.reg:2: "},
        {"The Brainwheel registry 1\n[A]\n\"Name\"=\"unterminated\n", "registry.reg:3: "},
        {"The Brainwheel registry 1\n[A]\n\"Name\"=dword:00000001\n", "registry.reg:3: "},
        {"The Brainwheel registry 1\n[A]\n\"Name\"=\"bad \\q escape\"\n", "registry.reg:3: "},
        {"The Brainwheel registry 1\n[A]\n@=\"x\" trailing\n", "registry.reg:3: "},
        {"The Brainwheel registry 1\n[A\\\\B]\n", "registry.reg:2: "},
        {"The Brainwheel registry 1\n[A]\nName=\"x\"\n", "registry.reg:3: "},
    };
    for (const auto& c : cases) {
        CRegistryData data;
        data.CreateKey("HKEY_CLASSES_ROOT\\Kept");
        std::string error;
        EXPECT_EQ(CRegistryFile::Parse(c.text, "registry.reg", data, error), REGDB_E_READREGDB) << c.text;
        EXPECT_EQ(error.rfind(c.error, 0), 0u) << error;
        EXPECT_GT(error.size(), std::string(c.error).size()) << "no description in: " << error;
        EXPECT_TRUE(data.KeyExists("HKEY_CLASSES_ROOT\\Kept"));
    }
}

} // namespace
